#include "model/references.h"

#include <gtest/gtest.h>

#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "ldf_writer/ldf_writer.h"
#include "model/definition_file.h"

namespace {

// Every kind of reference: publishers and subscribers, frame signal lists, an encoding and
// its representation, sporadic and event-triggered frame lists with a collision table,
// schedule entries, node attributes, a composite node and a signal group.
const char* kCluster = R"(
LIN_protocol_version = "2.1"; LIN_language_version = "2.1"; LIN_speed = 19.2 kbps;
Nodes { Master: BCM, 5 ms, 0.1 ms; Slaves: Left, Right; }
composite { configuration Cfg { Doors { Left, Right } } }
Signals { Dimming: 8, 0, BCM, Left, Right; Err: 1, 0, Left, BCM; Pos: 8, 0, Right, BCM; }
Frames { Lights: 0x10, BCM, 1 { Dimming, 0; } LeftState: 0x11, Left, 1 { Err, 0; } RightState: 0x12, Right, 1 { Pos, 0; } }
Sporadic_frames { Spor: Lights; }
Event_triggered_frames { Evt: Collide, 0x3A, LeftState, RightState; }
Node_attributes { Left { LIN_protocol = "2.1"; configured_NAD = 0x21; response_error = Err;
  fault_state_signals = Err; configurable_frames { LeftState; Evt; } } }
Schedule_tables { Normal { Lights delay 10 ms; Evt delay 10 ms; AssignFrameId { Left, LeftState } delay 10 ms; }
  Collide { LeftState delay 10 ms; RightState delay 10 ms; } }
Signal_groups { Group: 16 { Dimming, 0; Pos, 8; } }
Signal_encoding_types { Percent { physical_value, 0, 200, 0.5, 0, "%"; } }
Signal_representation { Percent: Dimming; }
)";

class References : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(document.LoadFromBytes(kCluster));
        ASSERT_EQ(document.loadIssueTypes.Count(), 0);
    }
    std::string Text() const { return RenderLDF(document); }

    corvdekLINDefinitionFile document;
};

TEST_F(References, RenamedObjectsKeepEveryReference) {
    const struct {
        NamedKind kind;
        corvString* name;
        const char16_t* to;
    } renames[] = {{NamedKind::kSignal, &document.signals.Get(0)->name, u"Dim2"},
                   {NamedKind::kSignal, &document.signals.Get(1)->name, u"Fault"},
                   {NamedKind::kNode, &document.nodes.Get(0)->name, u"LeftDoor"},
                   {NamedKind::kNode, &document.master.name, u"Body"},
                   {NamedKind::kFrame, &document.frames.Get(1)->name, u"LState"},
                   {NamedKind::kFrame, &document.eventFrames.Get(0)->name, u"Event"},
                   {NamedKind::kScheduleTable, &document.scheduleTables.Get(1)->name, u"Collision"},
                   {NamedKind::kEncodingType, &document.encodingTypes.Get(0)->name, u"Pct"}};
    for (const auto& rename : renames) {
        const corvString from = *rename.name;
        *rename.name = rename.to;
        RenameReferences(document, rename.kind, from, *rename.name);
    }
    const std::string text = Text();
    for (const char* gone : {"Dimming", "Err", "Left,", "Left {", "BCM", "LeftState", "Evt", "Collide", "Percent"}) {
        EXPECT_EQ(text.find(gone), std::string::npos) << gone << "\n" << text;
    }
    corvdekLINDefinitionFile reloaded;
    ASSERT_TRUE(reloaded.LoadFromBytes(text));
    EXPECT_EQ(reloaded.loadIssueTypes.Count(), 0);
    // The renames broke no reference: the setup check finds what it found before them.
    corvdekLINDefinitionFile original;
    ASSERT_TRUE(original.LoadFromBytes(kCluster));
    original.CheckSetup();
    reloaded.CheckSetup();
    EXPECT_EQ(reloaded.setupIssueTypes.Count(), original.setupIssueTypes.Count()) << text;
    EXPECT_EQ(std::u16string(reloaded.signals.Get(0)->encoding.View()), u"Pct");
    EXPECT_NE(text.find("Event: Collision, 0x3A, LState, RightState;"), std::string::npos);
}

TEST_F(References, TypingANameMovesTheReferencesWithoutMixingThemUp) {
    corvdekLINSignal& pos = *document.signals.Get(2);
    ReferenceRename rename(document, NamedKind::kSignal, pos.name);
    auto type = [&](const char16_t* name) {
        pos.name = name;
        rename.Follow(document, pos.name);
    };
    type(u"Po");
    type(u"");     // emptied: the references wait
    type(u"Err");  // another signal's name for a moment: they follow, apart from Err's own
    EXPECT_EQ(std::u16string(document.frames.Get(2)->signalNames.Item(0).View()), u"Err");
    type(u"Err2");
    EXPECT_EQ(std::u16string(document.frames.Get(2)->signalNames.Item(0).View()), u"Err2");
    EXPECT_EQ(std::u16string(document.signalGroups.Get(0)->signalNames.Item(1).View()), u"Err2");
    // Err's own references stayed with Err.
    EXPECT_EQ(std::u16string(document.frames.Get(1)->signalNames.Item(0).View()), u"Err");
    EXPECT_EQ(std::u16string(document.nodes.Get(0)->responseError.View()), u"Err");
}

TEST_F(References, ANameTwoObjectsShareKeepsItsReferences) {
    document.signals.Add()->name = u"Pos";  // a second Pos
    corvdekLINSignal& first = *document.signals.Get(2);
    ReferenceRename rename(document, NamedKind::kSignal, first.name);
    first.name = u"Pos1";
    rename.Follow(document, first.name);
    EXPECT_EQ(std::u16string(document.frames.Get(2)->signalNames.Item(0).View()), u"Pos");
    EXPECT_EQ(CountNamed(document, NamedKind::kFrame, corvString(u"Evt")), 1);
    EXPECT_EQ(CountNamed(document, NamedKind::kNode, corvString(u"BCM")), 1);
}

TEST_F(References, RemovingAnObjectNamesAndTakesOutItsReferences) {
    const struct {
        NamedKind kind;
        const char16_t* name;
        std::u16string holders;
        int namedAfter;  // how often the written text names it after: its definition, what is kept
    } cases[] = {
        {NamedKind::kSignal, u"Dimming", u"Frame Lights|Representation of Percent|Signal group Group", 1},
        {NamedKind::kSignal, u"Err", u"Frame LeftState|Node Left|Node Left", 1},
        {NamedKind::kFrame, u"LeftState",
         u"Schedule table Normal|Schedule table Collide|Event-triggered frame Evt|Node Left", 1},
        {NamedKind::kFrame, u"Evt", u"Schedule table Normal|Node Left", 1},
        {NamedKind::kScheduleTable, u"Collide", u"Event-triggered frame Evt", 1},
        {NamedKind::kEncodingType, u"Percent", u"Signal Dimming|Representation of Percent", 1},
        // A publisher keeps its signal and frame, for the setup check to report; the slave
        // list and the node's attributes are its own.
        {NamedKind::kNode, u"Left",
         u"Signal Dimming|Signal Err|Frame LeftState|Schedule table Normal|Composite node Doors", 4},
    };
    for (const auto& each : cases) {
        SetUp();
        const corvString name(each.name);
        std::vector<Reference> references = FindReferences(document, each.kind, name);
        std::u16string holders;
        for (const Reference& reference : references) holders += (holders.empty() ? u"" : u"|") + reference.holder;
        EXPECT_EQ(holders, each.holders) << std::string(name.ToUtf8());
        RemoveReferences(references);
        const std::string text = Text();
        const std::string utf8 = name.ToUtf8();
        const std::regex word("\\b" + utf8 + "\\b");
        EXPECT_EQ(std::distance(std::sregex_iterator(text.begin(), text.end(), word), std::sregex_iterator()),
                  each.namedAfter)
            << utf8 << text;
        corvdekLINDefinitionFile reloaded;
        EXPECT_TRUE(reloaded.LoadFromBytes(text));
        EXPECT_EQ(reloaded.loadIssueTypes.Count(), 0) << utf8 << text;
    }
}

TEST(ReferencesOfLin13, RenamingASlaveRenamesItsDiagnosticAddress) {
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(document.LoadFromBytes(R"(LIN_protocol_version = "1.3"; LIN_language_version = "1.3";
        LIN_speed = 19.2 kbps; Nodes { Master: BCM, 5 ms, 0.1 ms; Slaves: Left; }
        Signals { S: 8, 0, Left, BCM; } Frames { F: 0x10, Left, 1 { S, 0; } }
        Diagnostic_addresses { Left: 0x21; })"));
    corvdekLINNode& left = *document.nodes.Get(0);
    ReferenceRename rename(document, NamedKind::kNode, left.name);
    left.name = u"LeftDoor";
    rename.Follow(document, left.name);
    EXPECT_EQ(std::u16string(document.diagnosticAddresses.Get(0)->nodeName.View()), u"LeftDoor");
}

}  // namespace
