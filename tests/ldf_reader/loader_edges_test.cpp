// Loader faults that once slipped in easily: state that a section must reset, argument
// counts one past the valid ones, and comment marks that are no comment.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/definition_file.h"
#include "support/model_equality.h"
#include "support/test_support.h"

namespace {

using test_support::LoadIssues;
using test_support::LoadText;
using test_support::Utf8;
using Texts = std::vector<std::string>;

class LoaderEdges : public ::testing::Test {
protected:
    // Loads `sections` after a Nodes section with the master CEM and the slaves S1 and S2.
    void Load(const std::string& sections) {
        ASSERT_TRUE(LoadText(document,
                             "Nodes { Master: CEM, 5 ms, 0.1 ms; Slaves: S1, S2; }\n" + sections));
    }
    Texts SignalNames() const {
        Texts names;
        for (int i = 0; i < document.signals.GetCount(); ++i) {
            names.push_back(Utf8(document.signals.Get(i)->name));
        }
        return names;
    }

    corvdekLINDefinitionFile document;
};

TEST_F(LoaderEdges, ASecondNodeAttributesSectionForgetsTheNodeOfTheFirst) {
    Load(
        "Node_attributes { S1 { configured_NAD = 1; } }\n"
        "Node_attributes { { configured_NAD = 2; } }\n");
    EXPECT_EQ(Utf8(document.nodes.Get(0)->configuredNAD), "1");
    EXPECT_TRUE(document.nodes.Get(1)->configuredNAD.IsEmpty());
    EXPECT_EQ(LoadIssues(document),
              (Texts{"0|LIN Node Attribute without Node Connection.|This LIN Node Attribute "
                     "belongs to an invalid node at line: configured_NAD = 2"}));
}

TEST_F(LoaderEdges, AssignNADWithFiveArgumentsIsNeitherForm) {
    Load("Schedule_tables { T { AssignNAD { 1, 2, 3, 4, 5 } delay 5 ms; } }\n");
    const Texts issues = LoadIssues(document);
    ASSERT_EQ(issues.size(), 1u) << ::testing::PrintToString(issues);
    EXPECT_TRUE(issues[0].starts_with("0|Schedule Table AssignNAD Invalid.|")) << issues[0];
    ASSERT_EQ(document.scheduleTables.GetCount(), 1);
    for (int i = 0; i < document.scheduleTables.Get(0)->items.GetCount(); ++i) {
        const corvdekLINScheduleTableItem& item = *document.scheduleTables.Get(0)->items.Get(i);
        EXPECT_TRUE(item.nodeName.IsEmpty());
        EXPECT_EQ((Texts{Utf8(item.nadInitial), Utf8(item.nadSupplierId), Utf8(item.nadFunctionId),
                         Utf8(item.nadNew)}),
                  (Texts{"", "", "", ""}));
    }
}

// '*/' outside a comment closes nothing and opens nothing: it is text of the statement it
// stands in, and what follows it is read as usual.
TEST_F(LoaderEdges, CommentCloserOutsideACommentIsText) {
    Load(
        "Signals {\n"
        "  A*/B: 8, 0, CEM, S1;\n"
        "  C: 8, 0, CEM, S1; */ D: 8, 0, CEM, S1;\n"
        "}\n"
        "Frames { F: 0x10, CEM, 1 { D, 0; } }\n");
    EXPECT_EQ(LoadIssues(document), Texts{});
    EXPECT_EQ(SignalNames(), (Texts{"A*/B", "C", "*/ D"}));
    EXPECT_EQ(Utf8(document.signals.Get(2)->publisher), "CEM");
    ASSERT_EQ(document.frames.GetCount(), 1);
    EXPECT_EQ(Utf8(document.frames.Get(0)->signalNames), (Texts{"D"}));
}

TEST_F(LoaderEdges, BlockCommentsEndWhereTheirOwnCloserStands) {
    // In '/*/' the star belongs to the opening mark; the comment does not end there.
    Load("Signals { A: 8, 0, CEM, S1; /*/ B: 8, 0, CEM, S1; */ C: 8, 0, CEM, S1; }\n");
    EXPECT_EQ(LoadIssues(document), Texts{});
    EXPECT_EQ(SignalNames(), (Texts{"A", "C"}));
    // The slash that closes a comment opens none: '*//' is no line comment, and '//'
    // inside a block comment ends nothing.
    Load("Signals { A: 8, 0, CEM, S1; /* a *//* b */ B: 8, 0, CEM, S1;\n"
         "  /* c // d */ C: 8, 0, CEM, S1; }\nFrames { F: 1, CEM, 1 { A, 0; } }\n");
    EXPECT_EQ(LoadIssues(document), Texts{});
    EXPECT_EQ(SignalNames(), (Texts{"A", "B", "C"}));
    EXPECT_EQ(document.frames.GetCount(), 1);
}

}  // namespace

// A statement that stands whole on its line is read where it stands; one that runs over
// lines and tabs is collected first. Both must give the same model, also for a
// statement that ends a block with text before its '}'.
TEST(StatementAssembly, AStatementReadInPlaceEqualsTheSameStatementCollected) {
    const std::string cluster =
        "Nodes { Master: CEM, 5 ms, 0.1 ms; Slaves: S1, S2; }\n"
        "Signals { A: 8, 0, CEM, S1, S2; B: 16, {1, 2} , S1, CEM; C: 1, 0, CEM, S1; }\n"
        "Frames { F: 0x10, CEM, 2 { A, 0; C, 8; } }\n"
        "Schedule_tables { T { F delay 10 ms; AssignNAD { S1 } delay 20 ms; } }\n";
    std::string scattered;  // every space followed by a line break and a tab
    for (char ch : cluster) {
        scattered += ch;
        if (ch == ' ') scattered += "\n\t";
    }
    corvdekLINDefinitionFile inPlace;
    corvdekLINDefinitionFile collected;
    ASSERT_TRUE(inPlace.LoadFromBytes(cluster));
    ASSERT_TRUE(collected.LoadFromBytes(scattered));
    EXPECT_EQ(ModelDifferences(inPlace, collected), std::vector<std::string>{});
    EXPECT_EQ(LoadIssues(inPlace), LoadIssues(collected));
    EXPECT_EQ(inPlace.signals.GetCount(), 3);
    EXPECT_EQ(Utf8(inPlace.signals.Get(1)->initValues), (Texts{"1", "2"}));
}
