// Comparing two revisions of a cluster: each row changes one thing in a cluster text and
// lists exactly the change lines the rules give (objects matched by kind and name, values by
// meaning, unordered lists as sets); --node keeps what concerns the node.

#include <gtest/gtest.h>

#include "cluster_diff/cluster_diff.h"
#include "ldf_writer/ldf_writer.h"
#include "model/definition_file.h"
#include "support/test_support.h"

namespace {

constexpr const char* kBase = R"(LIN_description_file;
LIN_protocol_version = "2.1";
LIN_language_version = "2.1";
LIN_speed = 19.2 kbps;
Nodes { Master: CEM, 5 ms, 0.1 ms; Slaves: LSM, RSM; }
Signals {
  Wiper_Speed: 4, 0, CEM, LSM, RSM;
  Lamp: 2, 1, LSM, CEM;
  Temp: 8, 0, RSM, CEM;
}
Frames {
  Wiper: 0x10, CEM, 1 { Wiper_Speed, 0; }
  Left: 0x11, LSM, 1 { Lamp, 0; }
  Right: 0x12, RSM, 1 { Temp, 0; }
}
Event_triggered_frames { Event: 0x3A, Left, Right; }
Node_attributes {
  LSM { LIN_protocol = "2.1"; configured_NAD = 0x21; product_id = 0x4A4F, 0x4841; response_error = Lamp;
        P2_min = 50 ms; ST_min = 0 ms; configurable_frames { Event; Left; } }
  RSM { LIN_protocol = "2.1"; configured_NAD = 0x22; product_id = 0x4A4F, 0x4842; response_error = Temp;
        P2_min = 50 ms; ST_min = 0 ms; configurable_frames { Event; Right; } }
}
Schedule_tables {
  Main { Wiper delay 10 ms; Left delay 10 ms; Right delay 10 ms; }
  Config { AssignNAD { LSM } delay 20 ms; AssignNAD { RSM } delay 20 ms; }
}
Signal_encoding_types {
  Speeds { logical_value, 0, "off"; physical_value, 1, 15, 10, 0, "rpm"; }
  Temps { physical_value, 0, 250, 0.5, -40, "degC"; }
}
Signal_representation { Speeds: Wiper_Speed; Temps: Temp; }
)";

// kBase with each `from` replaced by its `to` (the first occurrence of each).
std::string Edited(const std::vector<std::pair<std::string, std::string>>& edits) {
    std::string text = kBase;
    for (const auto& [from, to] : edits) {
        const std::size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        if (at != std::string::npos) text.replace(at, from.size(), to);
    }
    return text;
}

std::vector<std::string> Lines(const std::string& before, const std::string& after, const std::string& node = "") {
    corvdekLINDefinitionFile old, now;
    EXPECT_TRUE(test_support::LoadText(old, before));
    EXPECT_TRUE(test_support::LoadText(now, after));
    std::vector<std::string> lines;
    for (const ObjectChange& change : CompareClusters(old, now, node)) lines.push_back(ChangeLine(change));
    return lines;
}

struct Case {
    const char* what;
    std::vector<std::pair<std::string, std::string>> edits;
    std::vector<std::string> lines;
    std::string node = "";
};

TEST(ClusterDiff, ReportsEachChangeByKindAndField) {
    const Case cases[] = {
        {"header value", {{"19.2 kbps", "20 kbps"}}, {"~ header: speed 19.2 -> 20"}},
        {"master timing", {{"5 ms, 0.1 ms", "10 ms, 0.1 ms"}}, {"~ master CEM: time base 5 -> 10"}},
        {"signal fields", {{"Wiper_Speed: 4, 0", "Wiper_Speed: 6, 3"}},
         {"~ signal Wiper_Speed: size 4 -> 6, initial value 0 -> 3"}},
        {"receivers", {{"Wiper_Speed: 4, 0, CEM, LSM, RSM", "Wiper_Speed: 4, 0, CEM, LSM"}},
         {"~ signal Wiper_Speed: receivers LSM, RSM -> LSM"}},
        {"signal added", {{"  Temp: 8, 0, RSM, CEM;\n", "  Temp: 8, 0, RSM, CEM;\n  Rain: 3, 0, RSM, CEM;\n"}},
         {"+ signal Rain"}},
        {"frame moved and lengthened", {{"Left: 0x11, LSM, 1 { Lamp, 0; }", "Left: 0x11, LSM, 2 { Lamp, 8; }"}},
         {"~ frame Left: length 1 -> 2, signal Lamp 0 -> 8"}},
        {"frame added", {{"Right: 0x12, RSM, 1 { Temp, 0; }", "Right: 0x12, RSM, 1 { Temp, 0; }\n  Rain_Status: 0x21, RSM, 1 { }"}},
         {"+ frame Rain_Status (0x21)"}},
        {"frame renamed",
         {{"Wiper: 0x10", "Wipe: 0x10"}, {"Wiper delay", "Wipe delay"}},
         {"> frame Wiper renamed Wipe", "~ schedule table Main: entry 1 Wiper delay 10 ms -> Wipe delay 10 ms"}},
        {"node attribute", {{"configured_NAD = 0x21", "configured_NAD = 0x23"}}, {"~ node LSM: configured NAD 0x21 -> 0x23"}},
        {"configurable frames keep their order", {{"configurable_frames { Event; Left; }", "configurable_frames { Left; Event; }"}},
         {"~ node LSM: configurable frames Event, Left -> Left, Event"}},
        {"event-triggered frames as a set", {{"Event: 0x3A, Left, Right", "Event: 0x3B, Right, Left"}},
         {"~ event-triggered frame Event: identifier 0x3A -> 0x3B"}},
        {"schedule entries keep their order",
         {{"Wiper delay 10 ms; Left delay 10 ms;", "Left delay 10 ms; Wiper delay 10 ms;"}},
         {"~ schedule table Main: entry 1 Wiper delay 10 ms -> Left delay 10 ms, entry 2 Left delay 10 ms -> Wiper "
          "delay 10 ms"}},
        {"schedule table removed", {{"  Config { AssignNAD { LSM } delay 20 ms; AssignNAD { RSM } delay 20 ms; }\n", ""}},
         {"- schedule table Config"}},
        {"encoding part", {{"physical_value, 1, 15, 10, 0, \"rpm\"", "physical_value, 1, 15, 20, 0, \"rpm\""}},
         {"~ encoding type Speeds: part 2 physical_value 1 15 10 0 \"rpm\" -> physical_value 1 15 20 0 \"rpm\""}},
        {"representation", {{"Temps: Temp;", "Temps: Temp, Lamp;"}},
         {"~ signal Lamp: encoding (none) -> Temps", "~ representation Temps: signals Temp -> Temp, Lamp"}},
        {"sporadic frames keep their order",
         {{"Event_triggered_frames {", "Sporadic_frames { Spor: Left, Right; }\nEvent_triggered_frames {"}},
         {"+ sporadic frame Spor"}},
        {"signal group",
         {{"Frames {", "Signal_groups { Group: 16 { Lamp, 0; Temp, 8; } }\nFrames {"}},
         {"+ signal group Group"}},
        {"diagnostic frames",
         {{"Frames {", "Diagnostic_signals { MasterReqB0: 8, 0; }\nFrames {"},
          {"Event_triggered_frames {", "Diagnostic_frames { MasterReq: 0x3C { MasterReqB0, 0; } }\n"
                                       "Event_triggered_frames {"}},
         {"+ diagnostic signal MasterReqB0", "+ diagnostic frame MasterReq (0x3C)"}},
        {"composite configuration",
         {{"Signals {", "composite { configuration Both { LR { LSM, RSM; } } }\nSignals {"}},
         {"+ composite configuration Both"}},
        {"the same meaning written otherwise",
         {{"19.2 kbps", "19.20 kbps"}, {"Wiper: 0x10", "Wiper: 16"}, {"Wiper delay 10 ms", "Wiper delay 10.0 ms"},
          {"Wiper_Speed: 4, 0, CEM, LSM, RSM", "Wiper_Speed: 4, 0x0, CEM, RSM, LSM"}},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Lines(kBase, Edited(c.edits), c.node), c.lines);
    }
}

// The kinds only some versions have, changed field by field.
TEST(ClusterDiff, ReportsFieldsOfEveryKind) {
    const std::string base = Edited({{"Event_triggered_frames {", "Sporadic_frames { Spor: Left, Right; }\n"
                                                                   "Event_triggered_frames {"},
                                     {"Frames {", "Signal_groups { Group: 16 { Lamp, 0; Temp, 8; } }\nFrames {"},
                                     {"Signals {", "composite { configuration Both { LR { LSM, RSM; } } }\nSignals {"}});
    const Case cases[] = {
        {"sporadic frames reordered", {{"Spor: Left, Right;", "Spor: Right, Left;"}},
         {"~ sporadic frame Spor: frames Left, Right -> Right, Left"}},
        {"a signal group's signal moved", {{"Temp, 8; } }", "Temp, 9; } }"}},
         {"~ signal group Group: signal Temp 8 -> 9"}},
        {"a composite node's nodes", {{"LR { LSM, RSM; }", "LR { LSM; }"}},
         {"~ composite configuration Both: composite node LR LSM, RSM -> LSM"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string changed = base;
        for (const auto& [from, to] : c.edits) changed.replace(changed.find(from), from.size(), to);
        EXPECT_EQ(Lines(base, changed, c.node), c.lines);
    }
}

TEST(ClusterDiff, NodeKeepsWhatConcernsIt) {
    const std::vector<std::pair<std::string, std::string>> edits = {
        {"19.2 kbps", "20 kbps"},                          // no node's own
        {"Temp: 8, 0", "Temp: 8, 5"},                      // RSM publishes it
        {"Lamp: 2, 1", "Lamp: 2, 0"},                      // LSM publishes it
        {"configured_NAD = 0x22", "configured_NAD = 0x24"},  // RSM's attribute
        {"AssignNAD { RSM } delay 20 ms", "AssignNAD { RSM } delay 30 ms"},
        {"Right delay 10 ms", "Right delay 15 ms"},        // RSM's frame
        {"physical_value, 0, 250, 0.5, -40", "physical_value, 0, 250, 0.5, -50"},  // Temp's encoding
    };
    const Case cases[] = {
        {"RSM", {}, {"~ node RSM: configured NAD 0x22 -> 0x24", "~ signal Temp: initial value 0 -> 5",
                     "~ schedule table Main: entry 3 Right delay 10 ms -> Right delay 15 ms",
                     "~ schedule table Config: entry 2 AssignNAD RSM delay 20 ms -> AssignNAD RSM delay 30 ms",
                     "~ encoding type Temps: part 1 physical_value 0 250 0.5 -40 \"degC\" -> physical_value 0 250 "
                     "0.5 -50 \"degC\""},
         "RSM"},
        {"LSM", {}, {"~ signal Lamp: initial value 1 -> 0"}, "LSM"},
        {"a node that is not there", {}, {}, "XYZ"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Lines(kBase, Edited(edits), c.node), c.lines);
    }
}

// A signal no node receives still concerns the nodes that receive another signal of its frame.
TEST(ClusterDiff, NodeKeepsTheSignalsOfItsFrames) {
    const std::string base = Edited({{"Temp: 8, 0, RSM, CEM;", "Temp: 8, 0, RSM, CEM;\n  Hum: 8, 0, RSM;"},
                                     {"Right: 0x12, RSM, 1 { Temp, 0; }", "Right: 0x12, RSM, 2 { Temp, 0; Hum, 8; }"}});
    std::string changed = base;
    changed.replace(changed.find("Hum: 8, 0"), 9, "Hum: 8, 7");
    EXPECT_EQ(Lines(base, changed, "CEM"), std::vector<std::string>{"~ signal Hum: initial value 0 -> 7"});
    EXPECT_EQ(Lines(base, changed, "LSM"), std::vector<std::string>{});
}

class ClusterDiffFiles : public ::testing::TestWithParam<std::filesystem::path> {};

// A file compared with itself and with its own saved copy has not changed.
TEST_P(ClusterDiffFiles, SavedCopyIsEqual) {
    corvdekLINDefinitionFile original, saved;
    original.LoadFromFile(test_support::Path(GetParam()));
    ASSERT_TRUE(saved.LoadFromBytes(RenderLDF(original, nullptr, LdfRendering::kEveryValue)));
    EXPECT_TRUE(CompareClusters(original, original).empty());
    for (const ObjectChange& change : CompareClusters(original, saved)) ADD_FAILURE() << ChangeLine(change);
}

INSTANTIATE_TEST_SUITE_P(SampleFiles, ClusterDiffFiles, ::testing::ValuesIn(test_support::AllSampleFiles()),
                         test_support::SampleTestName);

}  // namespace
