// The guards of single rules: a rule that must not fire on a blank value, and the lookups
// the checks use when a name is defined twice.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/definition_file.h"
#include "model/name_index.h"
#include "support/test_support.h"

namespace {

using test_support::LoadIssues;
using test_support::LoadText;
using test_support::SetupIssues;
using Texts = std::vector<std::string>;

constexpr const char* kSameNode = " - transmitted and received by the same node";

TEST(RuleGuards, SameNodeRuleIgnoresABlankPublisher) {
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(LoadText(document,
                         "LIN_description_file;\nLIN_protocol_version = \"2.1\";\n"
                         "LIN_language_version = \"2.1\";\nLIN_speed = 19.2 kbps;\n"
                         "Nodes { Master: CEM, 5 ms, 0.1 ms; Slaves: LSM; }\n"
                         "Signals { Blank: 8, 0, , ; Echo: 8, 0, LSM, LSM; }\n"));
    ASSERT_EQ(LoadIssues(document), Texts{});
    ASSERT_EQ(document.signals.GetCount(), 2);
    ASSERT_TRUE(document.signals.Get(0)->publisher.IsEmpty());
    ASSERT_EQ(test_support::Utf8(document.signals.Get(0)->subscribers), Texts{""});

    document.CheckSetup();
    Texts sameNode;
    for (const std::string& issue : SetupIssues(document)) {
        if (issue.find(kSameNode) != std::string::npos) sameNode.push_back(issue);
    }
    // Only the signal that a node really sends to itself.
    ASSERT_EQ(sameNode.size(), 1u) << ::testing::PrintToString(sameNode);
    EXPECT_NE(sameNode[0].find(std::string("Echo") + kSameNode), std::string::npos) << sameNode[0];
}

TEST(RuleGuards, FirstOfTwoSignalsOfTheSameNameWins) {
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(
        LoadText(document,
                 "Nodes { Master: CEM, 5 ms, 0.1 ms; Slaves: LSM; }\n"
                 "Signals { S: 8, 0, CEM, LSM; Other: 4, 0, CEM, LSM; S: 16, 0, CEM, LSM; }\n"
                 "Frames { F: 0x10, CEM, 2 { S, 0; Other, 8; } }\n"));
    ASSERT_EQ(document.signals.GetCount(), 3);
    const ClusterNameIndex names(document);
    EXPECT_EQ(names.FindSignal(u"S"), document.signals.Get(0));
    EXPECT_EQ(names.FindSignal(u"Other"), document.signals.Get(1));
    EXPECT_EQ(names.FindSignal(u"s"), nullptr);
    const corvdekLINFrame& frame = *document.frames.Get(0);
    EXPECT_EQ(frame.GetSignal(0, names), document.signals.Get(0));
    EXPECT_EQ(test_support::Utf8(frame.GetSignal(0, names)->size), "8");
}

// Thousands of names fill the index's table far enough that lookups probe past taken slots
// and wrap around its end.
TEST(RuleGuards, IndexFindsEveryOneOfManySignals) {
    corvdekLINDefinitionFile document;
    constexpr int kSignals = 3000;
    for (int i = 0; i < kSignals; ++i) document.signals.Add()->name.AppendAnsi("Sig_").AppendInt(i);
    document.signals.Add()->name.Assign(u"Sig_7");  // the first of that name is the one found
    document.signals.Add();                          // a signal without a name has the empty one
    const ClusterNameIndex names(document);
    for (int i = 0; i < kSignals; ++i) {
        corvString name(u"Sig_");
        name.AppendInt(i);
        ASSERT_EQ(names.FindSignal(name.View()), document.signals.Get(i)) << i;
    }
    EXPECT_EQ(names.FindSignal(u""), document.signals.Get(kSignals + 1));
    EXPECT_EQ(names.FindSignal(u"Sig_3000"), nullptr);
    EXPECT_EQ(names.FindSignal(u"Sig_"), nullptr);
}

}  // namespace
