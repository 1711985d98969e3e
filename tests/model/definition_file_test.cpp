#include "model/definition_file.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(DefinitionFile, ResetEmptiesTheClusterButKeepsIssues) {
    corvdekLINDefinitionFile document;
    document.protocolVersion = u"2.1";
    document.master.name = u"CEM";
    document.hasDiagnosticFrames = true;
    document.signals.Add();
    document.nodes.Add();
    document.dynamicFrames.Add(corvString(u"1"));
    document.AddLoadIssue("Type", corvString(u"Details"), kLevelWarning);
    document.lastLoadError = u"Problem opening file.";
    document.Reset();
    EXPECT_TRUE(document.protocolVersion.IsEmpty());
    EXPECT_TRUE(document.master.name.IsEmpty());
    EXPECT_FALSE(document.hasDiagnosticFrames);
    EXPECT_TRUE(document.signals.IsEmpty());
    EXPECT_TRUE(document.nodes.IsEmpty());
    EXPECT_EQ(document.dynamicFrames.Count(), 0);
    EXPECT_EQ(document.loadIssueTypes.Count(), 1);
    EXPECT_FALSE(document.lastLoadError.IsEmpty());
    EXPECT_EQ(std::u16string(document.signals.Add()->key.View()), u"0");
}

TEST(DefinitionFile, FirstRepresentationNamingASignalGivesItsEncoding) {
    corvdekLINDefinitionFile document;
    for (const char16_t* name : {u"A", u"B", u"C"}) document.signals.Add()->name = name;
    corvdekLINSignalRepresentations* first = document.representations.Add();
    first->encodingName = u"Enc1";
    first->signalNames.Add(corvString(u"B"));
    corvdekLINSignalRepresentations* second = document.representations.Add();
    second->encodingName = u"Enc2";
    second->signalNames.Add(corvString(u"a"));
    second->signalNames.Add(corvString(u"B"));
    second->signalNames.Add(corvString(u"C"));
    document.signals.Get(0)->encoding = u"stale";
    document.ResolveSignalEncodings();
    EXPECT_TRUE(document.signals.Get(0)->encoding.IsEmpty());
    EXPECT_TRUE(document.signals.Get(1)->encoding.Equals(u"Enc1"));
    EXPECT_TRUE(document.signals.Get(2)->encoding.Equals(u"Enc2"));
}

TEST(DefinitionFile, ChangingASignalsEncodingMovesItBetweenRepresentations) {
    corvdekLINDefinitionFile document;
    corvdekLINSignal* speed = document.signals.Add();
    speed->name = u"Speed";
    auto addRepresentation = [&](const char16_t* encoding,
                                 std::initializer_list<const char16_t*> names) {
        corvdekLINSignalRepresentations* representation = document.representations.Add();
        representation->encodingName = encoding;
        for (const char16_t* name : names) representation->signalNames.Add(corvString(name));
    };
    addRepresentation(u"Old", {u"Speed"});
    addRepresentation(u"Shared", {u"Other", u"Speed"});
    addRepresentation(u"Target", {u"Other"});
    auto listing = [&] {
        std::string text;
        for (int r = 0; r < document.representations.GetCount(); ++r) {
            const auto* representation = document.representations.Get(r);
            text += representation->encodingName.ToUtf8() + ":";
            for (int i = 0; i < representation->signalNames.Count(); ++i) {
                text += representation->signalNames.Item(i).ToUtf8() + ",";
            }
            text += " ";
        }
        return text;
    };
    document.SetSignalEncoding(*speed, corvString(u"Target"));
    EXPECT_EQ(speed->encoding.ToUtf8(), "Target");
    EXPECT_EQ(listing(), "Shared:Other, Target:Other,Speed, ");  // Old had only Speed: dropped
    document.SetSignalEncoding(*speed, corvString(u"New"));
    EXPECT_EQ(listing(), "Shared:Other, Target:Other, New:Speed, ");
    document.SetSignalEncoding(*speed, corvString(u""));
    EXPECT_EQ(listing(), "Shared:Other, Target:Other, ");
    EXPECT_TRUE(speed->encoding.IsEmpty());
}

TEST(DefinitionFile, J2602FlagFollowsTheProtocolVersionInAnyCase) {
    corvdekLINDefinitionFile document;
    for (const char16_t* version : {u"J2602_1_1.0", u"j2602", u"SAE j2602-1"}) {
        document.protocolVersion = version;
        document.UpdateJ2602Flag();
        EXPECT_TRUE(document.isJ2602) << std::string(corvString(version).ToUtf8());
    }
    document.protocolVersion = u"2.1";
    document.UpdateJ2602Flag();
    EXPECT_FALSE(document.isJ2602);
}

}  // namespace
