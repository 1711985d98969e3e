// The LIN 1.3 to 2.x rules of the setup check: one sound LIN 2.1 cluster, changed
// one thing at a time; each family's boundaries and the exact rows they give.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "model/definition_file.h"
#include "support/test_support.h"
#include "validation/lin_rules.h"

namespace {

using Texts = std::vector<std::string>;
using Edits = std::vector<std::pair<std::string, std::string>>;

// Two slaves that answer the event-triggered frame Event, each with its node attributes; every
// frame is sent, every slot holds its frame at 19.2 kbps (8 bytes need 10 ms with a 5 ms time
// base), and the lengths are those LIN 1.3 gives the identifiers.
const std::string kBase = R"(LIN_description_file;
LIN_protocol_version = "2.1"; LIN_language_version = "2.1";
LIN_speed = 19.2 kbps;
Nodes { Master: CEM, 5 ms, 0.1 ms; Slaves: LSM, RSM; }
Signals {
  Cmd: 8, 0, CEM, LSM, RSM; Data: 16, {0, 0}, CEM, LSM;
  LPos: 8, 255, LSM, CEM; LErr: 1, 0, LSM, CEM;
  RPos: 4, 0, RSM, CEM; RErr: 1, 0, RSM, CEM;
}
Frames {
  CmdFrm: 0x30, CEM, 8 { Cmd, 0; Data, 8; }
  LFrm: 0x20, LSM, 4 { LPos, 8; LErr, 16; }
  RFrm: 0x21, RSM, 4 { RPos, 8; RErr, 12; }
}
Event_triggered_frames { Event: Collision, 0x3A, LFrm, RFrm; }
Node_attributes {
  LSM { LIN_protocol = "2.1"; configured_NAD = 0x01; product_id = 0x1E, 0x0001; response_error = LErr;
        configurable_frames { CmdFrm; LFrm; Event; } }
  RSM { LIN_protocol = "2.1"; configured_NAD = 0x02; product_id = 0x1E, 0x0002; response_error = RErr;
        configurable_frames { CmdFrm; RFrm; } }
}
Schedule_tables {
  Main { CmdFrm delay 10 ms; Event delay 10 ms; }
  Collision { LFrm delay 10 ms; RFrm delay 10 ms; }
}
Signal_encoding_types { Position { physical_value, 0, 250, 1, 0, "mm"; logical_value, 255, "unknown"; } }
Signal_representation { Position: LPos; }
)";

// `text` with each edit's first text replaced by its second; an edit that finds nothing fails.
std::string Edited(std::string text, const Edits& edits) {
    for (const auto& [from, to] : edits) {
        const std::size_t at = text.find(from);
        if (at == std::string::npos) ADD_FAILURE() << "not in the text: " << from;
        if (at != std::string::npos) text.replace(at, from.size(), to);
    }
    return text;
}

std::string Version(const std::string& version, const std::string& text = kBase) {
    return Edited(text, {{R"("2.1"; LIN_language_version = "2.1")",
                          "\"" + version + "\"; LIN_language_version = \"" + version + "\""}});
}

class LinRules : public ::testing::Test {
protected:
    void Load(const std::string& text) {
        document = std::make_unique<corvdekLINDefinitionFile>();
        ASSERT_TRUE(test_support::LoadText(*document, text));
        ASSERT_EQ(test_support::LoadIssues(*document), Texts{});
    }
    Texts Check() {
        document->CheckSetup();
        return test_support::SetupIssues(*document);
    }
    Texts Rows(const std::string& text) {
        Load(text);
        return Check();
    }
    Texts Rows(const Edits& edits) { return Rows(Edited(kBase, edits)); }

    std::unique_ptr<corvdekLINDefinitionFile> document;
};

TEST_F(LinRules, TheBaseClusterGivesNoRows) {
    EXPECT_EQ(Rows(kBase), Texts{});
    for (const char* version : {"1.3", "2.0", "2.2"}) EXPECT_EQ(Rows(Version(version)), Texts{}) << version;
}

TEST_F(LinRules, NamesUsedTwice) {
    const auto twice = [](const std::string& name, const std::string& tab, const std::string& kind) {
        return "1|" + name + " - name used twice|" + tab + "-" + name + "-Name|The name " + name + " is carried by 2 " +
               kind + "; references to it cannot tell them apart.";
    };
    EXPECT_EQ(Rows({{"RErr: 1, 0, RSM, CEM;", "RErr: 1, 0, RSM, CEM; Cmd: 4, 0, CEM, LSM;"}}),
              Texts{twice("Cmd", "Signals", "signals")});
    // Frames of every kind share one name space.
    EXPECT_EQ(Rows({{"Event: Collision", "CmdFrm: Collision, 0x3B, LFrm, RFrm; Event: Collision"}}),
              Texts{twice("CmdFrm", "Frames", "frames")});
    EXPECT_EQ(Rows({{"Collision {", "Main { CmdFrm delay 10 ms; } Collision {"}}),
              Texts{twice("Main", "ScheduleTables", "schedule tables")});
    EXPECT_EQ(Rows({{"Signal_encoding_types {", "Signal_encoding_types { Position { logical_value, 0, \"x\"; }"}}),
              Texts{twice("Position", "Encodings", "encoding types")});
    EXPECT_EQ(Rows({{"Slaves: LSM, RSM;", "Slaves: LSM, RSM, CEM;"}}),
              (Texts{twice("CEM", "Nodes", "nodes"),
                     "0|CEM - no node attributes|Nodes-CEM-Attributes|LIN 2.0 and later describe every slave in "
                     "Node_attributes (its NAD and product id); CEM has none."}));
}

TEST_F(LinRules, FrameIdentifiers) {
    const auto outOfRange = [](const std::string& frame, const std::string& id) {
        return "1|" + frame + " - frame identifier out of range|Frames-" + frame + "-FrameId|The frame identifier " +
               id + " is not a number from 0x00 to 0x3B (0x3C and 0x3D belong to the diagnostic frames, 0x3E and "
               "0x3F are reserved).";
    };
    EXPECT_EQ(Rows({{"0x30, CEM", "0x3B, CEM"}, {"0x3A, LFrm", "0x39, LFrm"}}), Texts{});
    EXPECT_EQ(Rows({{"0x30, CEM", "0x3C, CEM"}}), Texts{outOfRange("CmdFrm", "0x3C")});
    EXPECT_EQ(Rows({{"0x30, CEM", "abc, CEM"}}), Texts{outOfRange("CmdFrm", "abc")});
    EXPECT_EQ(Rows({{"0x21, RSM", "32, RSM"}}),
              Texts{"1|RFrm - frame identifier used twice|Frames-RFrm-FrameId|The frame identifier 32 is also the "
                    "identifier of LFrm."});
    // The identifier of an event-triggered frame follows both rules.
    EXPECT_EQ(Rows({{"0x3A, LFrm", "0x3C, LFrm"}}), Texts{outOfRange("Event", "0x3C")});
    EXPECT_EQ(Rows({{"0x3A, LFrm", "0x20, LFrm"}}),
              Texts{"1|Event - frame identifier used twice|Frames-Event-FrameId|The frame identifier 0x20 is also "
                    "the identifier of LFrm."});
}

TEST_F(LinRules, FrameLength) {
    const auto outOfRange = [](const std::string& length) {
        return "1|CmdFrm - frame length out of range|Frames-CmdFrm-Length|The frame length " + length +
               " is not a number from 1 to 8.";
    };
    EXPECT_EQ(Rows({{"CEM, 8 {", "CEM, 9 {"}}), Texts{outOfRange("9")});
    EXPECT_EQ(Rows({{"CEM, 8 {", "CEM, 0 {"}}), Texts{outOfRange("0")});
    const Edits unstated = {{"CEM, 8 {", "CEM {"}};
    EXPECT_EQ(Rows(unstated), Texts{"1|CmdFrm - frame length missing|Frames-CmdFrm-Length|LIN 2.1 and later state "
                                    "the length of every frame; CmdFrm states none."});
    EXPECT_EQ(Rows(Version("2.0", Edited(kBase, unstated))), Texts{});
    // LIN 1.3 warns of a length other than the identifier's: 0x1F has 2 bytes, 0x2F 4.
    const auto differs = [](const std::string& id, const std::string& bytes) {
        return "0|CmdFrm - frame length differs from its identifier|Frames-CmdFrm-Length|LIN 1.3 gives the "
               "identifier " + id + " a length of " + bytes + " bytes; the frame states 8.";
    };
    EXPECT_EQ(Rows(Version("1.3", Edited(kBase, {{"0x30, CEM", "0x1F, CEM"}}))), Texts{differs("0x1F", "2")});
    EXPECT_EQ(Rows(Version("1.3", Edited(kBase, {{"0x30, CEM", "0x2F, CEM"}}))), Texts{differs("0x2F", "4")});
    EXPECT_EQ(Rows(Edited(kBase, {{"0x30, CEM", "0x2F, CEM"}})), Texts{});
}

TEST_F(LinRules, SignalLayout) {
    const std::string frame = "1|CmdFrm - ";
    const std::string at = "|Frames-CmdFrm-Signals|";
    EXPECT_EQ(Rows({{"Cmd, 0; Data, 8;", "Data, 8; Cmd, 56;"}}), Texts{});
    EXPECT_EQ(Rows({{"Cmd, 0; Data, 8;", "Data, 8; Cmd, 57;"}}),
              Texts{frame + "signal beyond the frame" + at +
                    "The signal Cmd takes bits 57 to 64, beyond the 64 bits of the frame's 8 bytes."});
    EXPECT_EQ(Rows({{"LErr, 16;", "LErr, 15;"}}),
              Texts{"1|LFrm - signals overlap|Frames-LFrm-Signals|The signals LPos (bits 8 to 15) and LErr (bits 15 "
                    "to 15) share bits."});
    EXPECT_EQ(Rows({{"Data, 8;", "Data, 8; Cmd, 24;"}}),
              Texts{frame + "signal listed twice" + at + "The signal Cmd is listed more than once."});
    EXPECT_EQ(Rows({{"Data, 8;", "Data, x;"}}),
              Texts{frame + "signal offset invalid" + at +
                    "The offset x of the signal Data is not a number of 0 or more."});
    EXPECT_EQ(Rows({{"Data, 8;", "Data, 8; RErr, 24;"}}),
              Texts{frame + "signal of another publisher" + at +
                    "The frame is published by CEM, but its signal RErr is published by RSM."});
    EXPECT_EQ(Rows({{"Signals {", "Signals { Spare: 4, 0, CEM, LSM;"}}),
              Texts{"0|Spare - signal in no frame|Signals-Spare-Name|No frame carries the signal Spare."});
}

// A frame full of signals: the repeat of its fifth signal after forty more is found, once.
TEST_F(LinRules, SignalListedTwiceInALongList) {
    std::string signals;
    std::string layout;
    for (int i = 0; i < 40; ++i) {
        const std::string name = "S" + std::to_string(i);
        signals += name + ": 1, 0, CEM, LSM; ";
        layout += name + ", " + std::to_string(24 + i) + "; ";
    }
    EXPECT_EQ(Rows({{"Signals {", "Signals { " + signals}, {"Data, 8;", "Data, 8; " + layout + "S3, 27;"}}),
              Texts{"1|CmdFrm - signal listed twice|Frames-CmdFrm-Signals|The signal S3 is listed more than once."});
}

TEST_F(LinRules, InitialValues) {
    const std::string range = "1|LPos - initial value out of range|Signals-LPos-InitValue|The initial value ";
    EXPECT_EQ(Rows({{"8, 255, LSM", "8, 0xFF, LSM"}}), Texts{});
    EXPECT_EQ(Rows({{"8, 255, LSM", "8, 256, LSM"}}), Texts{range + "256 does not fit in 8 bits (at most 255)."});
    EXPECT_EQ(Rows({{"8, 255, LSM", "8, x1, LSM"}}),
              Texts{"1|LPos - initial value invalid|Signals-LPos-InitValue|The initial value x1 is not a number."});
    EXPECT_EQ(Rows({{"{0, 0}", "{0, 255}"}}), Texts{});
    EXPECT_EQ(Rows({{"{0, 0}", "{0, 256}"}}), Texts{"1|Data - initial value out of range|Signals-Data-InitValue|The "
                                                    "initial value 256 is not a byte (0 to 255)."});
    Load(kBase);  // the reader keeps no byte array with too few values
    document->signals.Get(1)->initValues.Add(corvString(u"0"));
    EXPECT_EQ(Check(), Texts{"1|Data - initial values do not match the size|Signals-Data-InitValue|The signal has 3 "
                             "initial values; its 16 bits hold 2 bytes."});
}

TEST_F(LinRules, EncodingRawValues) {
    EXPECT_EQ(Rows({{"physical_value, 0, 250", "physical_value, 250, 0"}}),
              Texts{"1|Position - physical range reversed|Encodings-Position-Values|The physical range from 250 to 0 "
                    "ends below its start."});
    EXPECT_EQ(Rows({{"Position: LPos;", "Position: LPos, RPos;"}}),
              Texts{"0|Position - values beyond a signal's size|Encodings-Position-Values|The raw value 255 of the "
                    "encoding does not fit the 4 bits of the signal RPos (0 to 15)."});
    const Edits nibble = {{"Position {", "Nibble { physical_value, 0, 15, 1, 0; } Position {"},
                          {"Position: LPos;", "Position: LPos; Nibble: RPos;"}};
    EXPECT_EQ(Rows(nibble), Texts{});
    EXPECT_EQ(Rows(Edited(Edited(kBase, nibble), {{"0, 15, 1", "0, 16, 1"}})),
              Texts{"0|Nibble - values beyond a signal's size|Encodings-Nibble-Values|The raw value 16 of the "
                    "encoding does not fit the 4 bits of the signal RPos (0 to 15)."});
}

TEST_F(LinRules, EventTriggeredAndSporadicFrames) {
    const std::string event = "1|Event - ";
    const std::string at = "|Frames-Event-Frames|";
    EXPECT_EQ(Rows({{"RSM, 4 {", "RSM, 5 {"}}),
              Texts{event + "associated frames differ in length" + at +
                    "The frame RFrm has 5 bytes, the frame LFrm 4."});
    // A third frame without signals, answering Event for `publisher`.
    const auto third = [](const std::string& publisher) {
        return Edits{{"Frames {", "Frames { Aux: 0x22, " + publisher + ", 4 { }"},
                     {"LFrm, RFrm;", "LFrm, RFrm, Aux;"}};
    };
    EXPECT_EQ(Rows(third("LSM")),
              Texts{event + "associated frames of one publisher" + at +
                    "The frames LFrm and Aux are both published by LSM."});
    EXPECT_EQ(Rows(third("CEM")), Texts{event + "associated frame published by the master" + at +
                                        "The frame Aux is published by the master CEM; only slaves answer an "
                                        "event-triggered header."});
    EXPECT_EQ(Rows({{"LPos, 8;", "LPos, 7;"}}), Texts{event + "first byte carries a signal" + at +
                                                     "The signal LPos of the frame LFrm lies in its first byte, which "
                                                     "carries the protected identifier."});
    const Edits noTable = {{"Event: Collision, ", "Event: "}};
    const std::string table = event + "collision resolving schedule table missing|Frames-Event-CollisionTable|";
    EXPECT_EQ(Rows(noTable), Texts{table + "LIN 2.1 and later name the schedule table that resolves collisions of "
                                           "Event; it names none."});
    EXPECT_EQ(Rows(Version("2.0", Edited(kBase, noTable))), Texts{});
    EXPECT_EQ(Rows({{"Event: Collision,", "Event: Ghost,"}}),
              Texts{table + "The collision resolving schedule table Ghost does not exist."});

    // A sporadic frame carries frames of the master, and is no frame an event-triggered one carries.
    const std::string sporadic =
        Edited(kBase, {{"Event_triggered_frames", "Sporadic_frames { Spor: CmdFrm; } Event_triggered_frames"},
                       {"Event delay 10 ms;", "Event delay 10 ms; Spor delay 10 ms;"}});
    EXPECT_EQ(Rows(sporadic), Texts{});
    EXPECT_EQ(Rows(Edited(sporadic, {{"Spor: CmdFrm;", "Spor: CmdFrm, LFrm;"}, {"LFrm, RFrm;", "LFrm, RFrm, Spor;"}})),
              (Texts{"1|Spor - associated frame not published by the master|Frames-Spor-Frames|The frame LFrm is "
                     "published by LSM; a sporadic frame carries frames of the master CEM.",
                     event + "associated frame not unconditional" + at +
                         "The frame Spor that Event carries is not an unconditional frame."}));
}

TEST_F(LinRules, ScheduleTables) {
    const std::string entry3 = "|ScheduleTables-Main-Entry3|Entry 3 ";
    EXPECT_EQ(Rows({{"Event delay 10 ms;", "Event delay 10 ms; Ghost delay 10 ms;"}}),
              Texts{"1|Main - entry names no frame" + entry3 + "names Ghost, which is not a frame."});
    // LIN 2.x defines the diagnostic frames; LIN 1.3 declares them.
    const std::string masterReq = Edited(kBase, {{"Event delay 10 ms;", "Event delay 10 ms; MasterReq delay 10 ms;"}});
    EXPECT_EQ(Rows(masterReq), Texts{});
    EXPECT_EQ(Rows(Version("1.3", masterReq)),
              Texts{"1|Main - diagnostic entry without diagnostic frames" + entry3 +
                    "sends MasterReq, but the cluster has no diagnostic frames."});
    EXPECT_EQ(Rows(Version("1.3", Edited(masterReq, {{"Node_attributes", "Diagnostic_frames { MasterReq: 0x3C { } "
                                                                         "SlaveResp: 0x3D { } } Node_attributes"}}))),
              Texts{});
    const auto command = [](const std::string& node) {
        return Edits{{"Event delay 10 ms;", "Event delay 10 ms; AssignFrameId { " + node + ", LFrm } delay 10 ms;"}};
    };
    EXPECT_EQ(Rows(command("LSM")), Texts{});
    EXPECT_EQ(Rows(command("CEM")), Texts{"1|Main - command for an unknown slave" + entry3 +
                                          "(AssignFrameId) names CEM, which is not a slave."});
    // Event's 4-byte frames need 10 ms: 7 ms would be a short slot as well.
    EXPECT_EQ(Rows({{"Event delay 10 ms;", "Event delay 15 ms;"}}), Texts{});
    EXPECT_EQ(Rows({{"Event delay 10 ms;", "Event delay 12 ms;"}}),
              Texts{"1|Main - delay not a multiple of the time base|ScheduleTables-Main-Entry2|Entry 2 waits 12 ms; "
                    "slots are multiples of the master's time base of 5 ms."});
    // 8 bytes may take 1.4 * (34 + 10 * 9) / 19.2 = 9.042 ms: two time bases of 5 ms; the
    // base cluster sends CmdFrm every 10 ms.
    EXPECT_EQ(Rows({{"Collision {", "Fast { CmdFrm delay 5 ms; } Collision {"}}),
              (Texts{"1|Fast - slot shorter than its frame|ScheduleTables-Fast-Entry1|Entry 1 waits 5 ms; its frame of "
                     "8 bytes may take 9.042 ms (1.4 times its nominal 6.458 ms), 10 ms in whole time bases.",
                     "0|Fast - bus load|ScheduleTables-Fast-Load|The frames take 129.167 % of the cycle of 5 ms at "
                     "19.2 kbit/s; a slot is shorter than its frame."}));

    Load(kBase);
    // Main: CmdFrm (8 bytes, 124 bit times) and Event (its 4-byte frames, 84 bit times) in 20 ms.
    const ScheduleLoad main = ScheduleTableLoad(*document, 0);
    EXPECT_TRUE(main.known);
    EXPECT_DOUBLE_EQ(main.cycleMs, 20.0);
    EXPECT_DOUBLE_EQ(main.busyMs, 208.0 / 19.2);
    EXPECT_NEAR(main.Percent(), 54.167, 0.001);
    EXPECT_FALSE(main.slotOverflows);
    EXPECT_FALSE(ScheduleTableLoad(*document, 2).known);
    document->speed = u"";
    EXPECT_FALSE(ScheduleTableLoad(*document, 0).known);
}

TEST_F(LinRules, NodeConfiguration) {
    const std::string attributes = "|Nodes-LSM-Attributes|";
    const auto nad = [&](const std::string& which, const std::string& value) {
        return "1|LSM - NAD out of range" + attributes + "The " + which + " NAD " + value +
               " is not from 0x01 to 0x7D (0x00 is for sleep, 0x7E and 0x7F for functional and broadcast requests).";
    };
    EXPECT_EQ(Rows({{"configured_NAD = 0x01", "configured_NAD = 0x7D"}}), Texts{});
    EXPECT_EQ(Rows({{"configured_NAD = 0x01", "configured_NAD = 0x7E"}}), Texts{nad("configured", "0x7E")});
    EXPECT_EQ(Rows({{"configured_NAD = 0x01", "configured_NAD = 0x00"}}), Texts{nad("configured", "0x00")});
    EXPECT_EQ(Rows({{"configured_NAD = 0x01;", "configured_NAD = 0x01; initial_NAD = 0x7D;"}}), Texts{});
    EXPECT_EQ(Rows({{"configured_NAD = 0x01;", "configured_NAD = 0x01; initial_NAD = 0x7E;"}}),
              Texts{nad("initial", "0x7E")});
    // SAE J2602 numbers its slaves from 0x60.
    const std::string j2602 = "0|LSM - NAD outside the J2602 range" + attributes +
                              "SAE J2602 gives slaves the NADs 0x60 to 0x6F; the configured NAD 0x01 lies outside them.";
    const auto j2602Rows = [&](const char* lsm, const char* rsm) {
        return Rows(Version("J2602_1_1.0", Edited(kBase, {{"configured_NAD = 0x01", lsm}, {"configured_NAD = 0x02", rsm}})));
    };
    EXPECT_EQ(j2602Rows("configured_NAD = 0x60", "configured_NAD = 0x6F"), Texts{});
    EXPECT_EQ(j2602Rows("configured_NAD = 0x01", "configured_NAD = 0x6F"), Texts{j2602});
    EXPECT_EQ(Rows({{"configured_NAD = 0x02", "configured_NAD = 1"}}),
              Texts{"1|RSM - NAD used twice|Nodes-RSM-Attributes|The configured NAD 1 of RSM is also configured "
                    "for LSM."});

    const std::string product = "1|LSM - product id out of range" + attributes + "The ";
    EXPECT_EQ(Rows({{"0x1E, 0x0001", "0x7FFE, 0xFFFE"}}), Texts{});
    EXPECT_EQ(Rows({{"0x1E, 0x0001", "0x7FFF, 0xFFFF"}}),
              (Texts{product + "supplier id 0x7FFF is not from 0x0000 to 0x7FFE (0x7FFF is the wildcard).",
                     product + "function id 0xFFFF is not from 0x0000 to 0xFFFE (0xFFFF is the wildcard)."}));

    const auto responseError = [&](const std::string& signal, const std::string& problem) {
        return Texts{"1|LSM - response error signal invalid" + attributes + "The response_error signal " + signal +
                     " " + problem};
    };
    EXPECT_EQ(Rows({{"response_error = LErr", "response_error = Ghost"}}), responseError("Ghost", "does not exist."));
    EXPECT_EQ(Rows({{"response_error = LErr", "response_error = LPos"}}),
              responseError("LPos", "has 8 bits; it must have 1."));
    EXPECT_EQ(Rows({{"response_error = LErr", "response_error = RErr"}}),
              responseError("RErr", "is published by RSM, not by LSM."));

    // Signals and frames of the node: it publishes or receives them.
    const std::string fault = "1|LSM - fault state signal invalid" + attributes + "The fault state signal ";
    EXPECT_EQ(Rows({{"= LErr;", "= LErr; fault_state_signals = LPos, Cmd, RPos, Ghost;"}}),
              (Texts{fault + "RPos is neither published nor received by LSM.", fault + "Ghost does not exist."}));
    const std::string configurable = "1|LSM - configurable frame invalid" + attributes + "The configurable frame ";
    EXPECT_EQ(Rows({{"LFrm; Event; }", "LFrm; Event; MasterReq; RFrm; Ghost; }"}}),
              (Texts{configurable + "RFrm is neither published nor received by LSM.",
                     configurable + "Ghost does not exist."}));

    const std::string noAttributes = "0|RSM - no node attributes|Nodes-RSM-Attributes|LIN 2.0 and later describe "
                                     "every slave in Node_attributes (its NAD and product id); RSM has none.";
    const std::string bare = Edited(kBase, {{"RSM { LIN_protocol = \"2.1\"; configured_NAD = 0x02; product_id = 0x1E, "
                                             "0x0002; response_error = RErr;", "RSM {"},
                                            {"configurable_frames { CmdFrm; RFrm; } }", "}"}});
    EXPECT_EQ(Rows(bare), Texts{noAttributes});
    EXPECT_EQ(Rows(Version("2.0", bare)), Texts{noAttributes});
    // LIN 1.3 knows no node configuration.
    EXPECT_EQ(Rows(Version("1.3", Edited(bare, {{"NAD = 0x01", "NAD = 0x7E"}, {"= LErr", "= Ghost"}}))), Texts{});
}

TEST_F(LinRules, FramesInNoScheduleTable) {
    // LFrm goes out as an answer to Event, which Main sends.
    const Edits viaEvent = {{"LFrm delay 10 ms; ", ""}};
    EXPECT_EQ(Rows(viaEvent), Texts{});
    EXPECT_EQ(Rows(Edited(Edited(kBase, viaEvent), {{" Event delay 10 ms;", ""}})),
              (Texts{"0|LFrm - frame in no schedule table|Frames-LFrm-Name|No schedule table sends the frame "
                     "LFrm.",
                     "0|Event - frame in no schedule table|Frames-Event-Name|No schedule table sends the frame "
                     "Event."}));
}

}  // namespace

namespace {

// A physical range may hold a single value; only one that ends below its start is reversed.
TEST_F(LinRules, PhysicalRangeOfOneValueIsNoReversedRange) {
    const struct {
        const char* range;
        bool reversed;
    } cases[] = {{"physical_value, 0, 250", false}, {"physical_value, 7, 7", false}, {"physical_value, 8, 7", true}};
    for (const auto& c : cases) {
        bool found = false;
        for (const std::string& row : Rows({{"physical_value, 0, 250", c.range}})) {
            found = found || row.find("physical range reversed") != std::string::npos;
        }
        EXPECT_EQ(found, c.reversed) << c.range;
    }
}

}  // namespace

namespace {

// A name of words kept apart, or with characters no identifier has, cannot be saved.
TEST_F(LinRules, NamesThatAreNoIdentifier) {
    const struct {
        Edits edits;
        std::string name;
        std::string tab;
    } cases[] = {
        {{{"RErr: 1, 0, RSM, CEM;", "RErr: 1, 0, RSM, CEM; Door\tLock: 1, 0, CEM, LSM;"}}, "Door Lock", "Signals"},
        {{{"Main {", "Main\nTable {"}}, "Main Table", "ScheduleTables"},
        {{{"Signal_encoding_types { Position", "Signal_encoding_types { delay"}}, "delay", "Encodings"},
    };
    for (const auto& c : cases) {
        const std::string row = "1|" + c.name + " - name is no identifier|" + c.tab + "-" + c.name +
                                "-Name|The name " + c.name +
                                " is no LDF identifier (letters, digits and '_', not a keyword); a save leaves it out.";
        const Texts rows = Rows(c.edits);
        EXPECT_NE(std::find(rows.begin(), rows.end(), row), rows.end()) << testing::PrintToString(rows);
    }
}

}  // namespace
