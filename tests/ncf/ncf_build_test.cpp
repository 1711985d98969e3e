// Clusters built and updated from node capability files: the internal lights cluster from
// its nodes' files, each decision reported, each conflict reported and left unresolved.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <stdexcept>
#include <vector>
#include <string>

#include "model/definition_file.h"
#include "model/ldf_numbers.h"
#include "model/references.h"
#include "ncf/cluster_lookup.h"
#include "ncf/ncf_from_cluster.h"
#include "ncf/ncf_writer.h"
#include "ncf/ncf_to_cluster.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;

// A number by its value ("0x0" is "0", "150.0" is "150"); other text as it is.
std::string Value(const corvString& text) {
    if (const auto whole = WholeNumber(text)) return std::to_string(*whole);
    if (const auto real = RealNumber(text)) {
        std::string number = std::to_string(*real);
        number.erase(number.find_last_not_of('0') + 1);
        if (number.ends_with('.')) number.pop_back();
        return number;
    }
    return text.ToUtf8();
}

std::string Sorted(const corvStringArray& values) {
    std::set<std::string> sorted;
    for (int i = 0; i < values.Count(); ++i) sorted.insert(values.Item(i).ToUtf8());
    std::string joined;
    for (const std::string& value : sorted) joined += value + ",";
    return joined;
}

template <typename Collection>
const auto& Named(const Collection& collection, const char* name) {
    for (int i = 0; i < collection.GetCount(); ++i) {
        if (collection.Get(i)->name.ToUtf8() == name) return *collection.Get(i);
    }
    throw std::runtime_error(std::string("nothing named ") + name);
}

std::string InOrder(const corvStringArray& values) {
    std::string joined;
    for (int i = 0; i < values.Count(); ++i) joined += values.Item(i).ToUtf8() + ",";
    return joined;
}

// Every signal, frame, encoding, event-triggered frame and slave attribute of a cluster, one
// line each, in name order; frame identifiers aside.
std::set<std::string> Contents(const corvdekLINDefinitionFile& cluster) {
    std::set<std::string> lines;
    for (int i = 0; i < cluster.signals.GetCount(); ++i) {
        const corvdekLINSignal& s = *cluster.signals.Get(i);
        lines.insert("signal " + s.name.ToUtf8() + " " + Value(s.size) + " " + Value(s.initValue) + " " +
                     s.publisher.ToUtf8() + " " + Sorted(s.subscribers) + " " + s.encoding.ToUtf8());
    }
    for (int i = 0; i < cluster.frames.GetCount(); ++i) {
        const corvdekLINFrame& f = *cluster.frames.Get(i);
        std::string layout;
        for (int s = 0; s < f.signalNames.Count(); ++s) {
            layout += " " + f.signalNames.Item(s).ToUtf8() + "@" + Value(f.signalOffsets.Item(s));
        }
        lines.insert("frame " + f.name.ToUtf8() + " " + f.publisher.ToUtf8() + " " + Value(f.length) + layout);
    }
    for (int i = 0; i < cluster.eventFrames.GetCount(); ++i) {
        const corvdekLINEventFrame& e = *cluster.eventFrames.Get(i);
        lines.insert("event " + e.name.ToUtf8() + " " + Sorted(e.Frames()));
    }
    for (int i = 0; i < cluster.encodingTypes.GetCount(); ++i) {
        const corvdekLINSignalEncodingTypes& type = *cluster.encodingTypes.Get(i);
        std::string parts;
        for (int p = 0; p < type.items.GetCount(); ++p) {
            const auto& part = *type.items.Get(p);
            parts += " " + std::to_string(part.kind) + ":" + std::to_string(part.minValue) + ":" +
                     std::to_string(part.maxValue) + ":" + std::to_string(part.scale) + ":" +
                     std::to_string(part.offset) + ":" + part.text.ToUtf8();
        }
        lines.insert("encoding " + type.name.ToUtf8() + parts);
    }
    for (int i = 0; i < cluster.nodes.GetCount(); ++i) {
        const corvdekLINNode& n = *cluster.nodes.Get(i);
        const std::string variant = n.variant.IsEmpty() ? "0" : Value(n.variant);
        lines.insert("slave " + n.name.ToUtf8() + " " + n.protocol.ToUtf8() + " " + Value(n.supplierId) + "/" +
                     Value(n.functionId) + "/" + variant + " initial " + Value(n.initialNAD) + " " +
                     n.responseError.ToUtf8() + " " + InOrder(n.faultStateSignals) + " P2 " + Value(n.p2Min) + " ST " +
                     Value(n.stMin) + " frames " + InOrder(n.configurableFrameNames));
    }
    return lines;
}

std::vector<std::string> Differences(const std::set<std::string>& made, const std::set<std::string>& expected) {
    std::vector<std::string> differences;
    for (const std::string& line : made) {
        if (!expected.contains(line)) differences.push_back("+ " + line);
    }
    for (const std::string& line : expected) {
        if (!made.contains(line)) differences.push_back("- " + line);
    }
    return differences;
}

constexpr const char* kEmptyCluster =
    "LIN_description_file; LIN_protocol_version = \"2.2\"; LIN_language_version = \"2.2\"; LIN_speed = 19.2 kbps;"
    "Nodes { Master: CEM, 5 ms, 0.1 ms; }";

// The CEM, LSM and RSM files describe the nodes of internal_lights.ldf: built from them, a
// cluster with only its master holds the same signals, frames, encodings and node
// attributes. The schedule tables no NCF holds, and the frame identifiers and LSM's
// configured NAD are decided by their rules (the lowest free identifiers; the first free NAD
// of LSM's set 1 to 16, which the file's author set to 0x21).
TEST(NcfBuild, TheInternalLightsClusterFromItsNodesFiles) {
    const fs::path folder = test_support::CorpusDir() / "ncf" / "LIN";
    const fs::path ldf = test_support::CorpusDir() / "LIN" / "internal_lights.ldf";
    if (!fs::exists(folder) || !fs::exists(ldf)) GTEST_SKIP() << "no corpus at " << folder;
    std::vector<NcfDocument> documents(3);
    std::vector<const NcfDocument*> given;
    const char* files[] = {"CEM.ncf", "LSM.ncf", "RSM.ncf"};
    for (std::size_t i = 0; i < documents.size(); ++i) {
        ASSERT_TRUE(documents[i].LoadFromFile(test_support::Path(folder / files[i])));
        given.push_back(&documents[i]);
    }
    corvdekLINDefinitionFile built;
    ASSERT_TRUE(built.LoadFromBytes(kEmptyCluster));
    const NcfAddReport report = AddNodeCapabilities(built, given);
    EXPECT_EQ(report.conflicts.Count(), 0) << InOrder(report.conflicts);

    corvdekLINDefinitionFile expected;
    ASSERT_TRUE(expected.LoadFromFile(test_support::Path(ldf)));
    EXPECT_EQ(Differences(Contents(built), Contents(expected)), std::vector<std::string>{});

    // The decided values, each reported.
    std::set<unsigned> ids;
    for (int i = 0; i < built.frames.GetCount(); ++i) ids.insert(WholeNumber(built.frames.Get(i)->frameId).value_or(99));
    EXPECT_EQ(ids, (std::set<unsigned>{0, 1, 2, 3, 4}));
    EXPECT_EQ(built.eventFrames.Get(0)->Id().ToUtf8(), "0x05");
    EXPECT_EQ(built.nodes.Get(0)->configuredNAD.ToUtf8(), "0x01");
    EXPECT_EQ(built.nodes.Get(1)->configuredNAD.ToUtf8(), "0x20");
    const std::string decisions = InOrder(report.decisions);
    for (const char* decided : {"'CEM_Frm1': identifier 0x00", "'Node_Status_Event': identifier 0x05",
                                "Node 'LSM': configured NAD 0x01", "no collision-resolving table"}) {
        EXPECT_NE(decisions.find(decided), std::string::npos) << decided;
    }
}

NcfDocument Ncf(const std::string& name, const std::string& body, const std::string& nad = "0x11",
                const std::string& bitrate = "19.2 kbps") {
    NcfDocument document;
    const std::string text = "node_capability_file; LIN_language_version = \"2.2\"; node " + name +
                             " { general { LIN_protocol_version = \"2.2\"; supplier = 1; function = 2; variant = 0;"
                             " bitrate = " + bitrate + "; sends_wake_up_signal = \"no\"; }"
                             " diagnostic { NAD = " + nad + "; diagnostic_class = 1; } frames { " + body +
                             " } status_management { response_error = e; } }";
    EXPECT_TRUE(document.LoadFromBytes(text)) << text;
    return document;
}

// Every kind of conflict is reported and leaves the cluster's object as it was.
TEST(NcfBuild, ConflictsAreReportedNeverResolved) {
    const std::string cluster =
        "LIN_description_file; LIN_protocol_version = \"2.2\"; LIN_language_version = \"2.2\"; LIN_speed = 19.2 kbps;"
        "Nodes { Master: M, 5 ms, 0.1 ms; Slaves: Old; } Signals { e: 1, 0, Old, M; Wide: 8, 0, Old, M; }"
        "Frames { Status: 0x01, Old, 2 { e, 0; Wide, 8; } }"
        "Node_attributes { Old { LIN_protocol = \"2.2\"; configured_NAD = 0x10; } }";
    const std::string ownSignal = "publish Own { length = 1; signals { own { init_value = 0; size = 1; offset = 0; } } }";
    std::string withoutMaster = cluster;
    withoutMaster.replace(withoutMaster.find("Master: M, 5 ms, 0.1 ms; "), 25, "");
    const struct {
        const char* name;
        NcfDocument ncf;
        const char* conflict;
        std::string clusterText = {};  // the cluster above when empty
    } cases[] = {
        {"a frame the cluster has from another publisher",
         Ncf("New", "publish Status { length = 2; signals { x { init_value = 0; size = 1; offset = 0; } } }"),
         "Frame 'Status' of node 'New': the cluster has it published by 'Old' with another layout."},
        {"a received frame of another layout",
         Ncf("New", ownSignal + " subscribe Status { length = 1; signals { e { init_value = 0; size = 1; offset = 0; } } }"),
         "Frame 'Status' received by node 'New': the cluster has it with another layout."},
        {"a signal of another size",
         Ncf("New", "publish Mine { length = 1; signals { Wide { init_value = 0; size = 4; offset = 0; } } }"),
         "Signal 'Wide' of frame 'Mine': the cluster has it published by 'Old' with size 8."},
        {"no free NAD", Ncf("New", ownSignal, "0x10"), "Node 'New': every NAD of its set is another slave's."},
        {"a bus speed the node does not take", Ncf("New", ownSignal, "0x11", "select { 9.6 kbps, 10.4 kbps }"),
         "Node 'New' does not accept the cluster's bus speed of 19.2 kbps."},
        {"an automatic rate below the bus speed", Ncf("New", ownSignal, "0x11", "automatic max 10.4 kbps"),
         "Node 'New' does not accept the cluster's bus speed of 19.2 kbps."},
        {"a frame nobody publishes, and no master",
         Ncf("New", ownSignal + " subscribe Cmd { length = 1; signals { c { init_value = 0; size = 2; offset = 0; } } }"),
         "Frame 'Cmd' received by node 'New': no node publishes it, and the cluster has no master to publish it.",
         withoutMaster},
    };
    for (const auto& c : cases) {
        corvdekLINDefinitionFile document;
        ASSERT_TRUE(document.LoadFromBytes(c.clusterText.empty() ? cluster : c.clusterText));
        const NcfAddReport report = AddNodeCapabilities(document, {&c.ncf});
        EXPECT_EQ(InOrder(report.conflicts), std::string(c.conflict) + ",") << c.name;
        const corvdekLINFrame* status = document.frames.Get(0);
        EXPECT_EQ(status->publisher.ToUtf8() + " " + status->length.ToUtf8(), "Old 2") << c.name;
        EXPECT_EQ(document.signals.Get(1)->size.ToUtf8(), "8") << c.name;
    }
}

// A node the cluster has is updated in place: its frames keep their identifiers, a frame it
// no longer names leaves, its receptions follow the new file, and the other nodes keep
// receiving its signals.
TEST(NcfBuild, ANewerFileOfANodeUpdatesItInPlace) {
    corvdekLINDefinitionFile cluster;
    ASSERT_TRUE(cluster.LoadFromBytes(kEmptyCluster));
    const NcfDocument master = Ncf("CEM", "publish Cmd { length = 1; signals { c { init_value = 0; size = 2; offset = 0; } } }"
                                          " subscribe State { length = 1; signals { e { init_value = 0; size = 1; offset = 0; } } }");
    const NcfDocument first = Ncf("Door", "publish State { length = 1; signals { e { init_value = 0; size = 1; offset = 0; } } }"
                                          " publish Old { length = 1; signals { o { init_value = 0; size = 8; offset = 0; } } }"
                                          " subscribe Cmd { length = 1; signals { c { init_value = 0; size = 2; offset = 0; } } }");
    EXPECT_EQ(AddNodeCapabilities(cluster, {&master, &first}).conflicts.Count(), 0);
    const std::string stateId = Named(cluster.frames, "State").frameId.ToUtf8();
    const NcfDocument newer = Ncf("Door", "publish State { length = 2; signals { e { init_value = 0; size = 1; offset = 0; }"
                                          " w { init_value = 3; size = 4; offset = 8; } } }");
    const NcfAddReport report = AddNodeCapabilities(cluster, {&newer});
    EXPECT_EQ(report.conflicts.Count(), 0) << InOrder(report.conflicts);
    EXPECT_EQ(cluster.nodes.GetCount(), 1);
    const corvdekLINFrame& state = Named(cluster.frames, "State");
    EXPECT_EQ(state.frameId.ToUtf8() + " " + state.length.ToUtf8() + " " + InOrder(state.signalNames), stateId + " 2 e,w,");
    EXPECT_EQ(cluster.frames.GetCount(), 2);  // Cmd and State; Old left with its signal
    EXPECT_EQ(cluster.signals.GetCount(), 3);
    EXPECT_EQ(Named(cluster.signals, "c").subscribers.Count(), 0);  // Door no longer receives Cmd
    EXPECT_EQ(InOrder(Named(cluster.signals, "e").subscribers), "CEM,");
    EXPECT_EQ(InOrder(cluster.nodes.Get(0)->configurableFrameNames), "State,");
}

// An event-triggered frame that carries a node's frame is one of the node's configurable
// frames, after its frames where the file gives it no place (the internal lights files give
// it one).
TEST(NcfBuild, EventTriggeredFramesAreConfigurableFrames) {
    corvdekLINDefinitionFile cluster;
    ASSERT_TRUE(cluster.LoadFromBytes(kEmptyCluster));
    const NcfDocument ncf = Ncf("Door", "publish Own { length = 1; signals { o { init_value = 0; size = 1; offset = 0; } } }"
                                        " publish Status { length = 1; event_triggered_frame = Event;"
                                        " signals { s { init_value = 0; size = 8; offset = 0; } } }");
    EXPECT_EQ(InOrder(AddNodeCapabilities(cluster, {&ncf}).conflicts), "");
    EXPECT_EQ(InOrder(Named(cluster.nodes, "Door").configurableFrameNames), "Own,Status,Event,");
}

// The cluster as the editor leaves it when `slave` is deleted: without the slave and every
// reference to it that can go; the frames and signals it published stay.
void RemoveSlave(corvdekLINDefinitionFile& cluster, const corvString& slave) {
    std::vector<Reference> references = FindReferences(cluster, NamedKind::kNode, slave);
    RemoveReferences(references);
    for (int i = cluster.nodes.GetCount() - 1; i >= 0; --i) {
        if (cluster.nodes.Get(i)->name.Equals(slave)) cluster.nodes.RemoveAt(i);
    }
}

// What an NCF cannot say about a slave, made alike in both clusters: the initial NAD (the
// file's NAD is the configured one), and whether and where an event-triggered frame is
// among its configurable frames. Where the cluster gave the slave no node attributes, or
// left one out, the value the export decided stands.
void AlikeWhereTheFileCannotSay(corvdekLINDefinitionFile& rebuilt, corvdekLINDefinitionFile& original,
                                const corvString& slave) {
    for (corvdekLINDefinitionFile* cluster : {&rebuilt, &original}) {
        for (int i = 0; i < cluster->nodes.GetCount(); ++i) {
            corvdekLINNode& node = *cluster->nodes.Get(i);
            node.initialNAD = corvString();
            corvStringArray frames;
            for (int f = 0; f < node.configurableFrameNames.Count(); ++f) {
                const corvString& name = node.configurableFrameNames.Item(f);
                if (::Named(cluster->eventFrames, name.View()) == nullptr) frames.Add(name);
            }
            node.configurableFrameNames = frames;
        }
    }
    const corvdekLINNode& after = Named(rebuilt.nodes, slave.ToUtf8().c_str());
    auto& before = const_cast<corvdekLINNode&>(Named(original.nodes, slave.ToUtf8().c_str()));
    if (!before.HasAttributes()) before = after;
    // What the export decided where the cluster was silent.
    for (auto field : {&corvdekLINNode::protocol, &corvdekLINNode::supplierId, &corvdekLINNode::functionId,
                       &corvdekLINNode::variant, &corvdekLINNode::responseError}) {
        if ((before.*field).IsEmpty()) before.*field = after.*field;
    }
    if (before.configurableFrameNames.Count() == 0) before.configurableFrameNames = after.configurableFrameNames;
}

// Corpus clusters whose own faults keep a slave from coming back as it was: the fault shows
// as a conflict or a difference.
const std::map<std::string, const char*> kFaultySlaves = {
    {"lin21.ldf: RSM", "it shares its configured NAD with LSM and configures LSM's frames"},
    {"dummy_ldf_for_tests.ldf: SLAVE5", "the cluster declares the signal SLAVE5e_Futzui_DDD twice"},
    {"example_22.ldf: LSM", "its frame LSM_Frm2 carries IntTest, which the cluster does not declare"},
    {"test_prettify.ldf: LSM", "its frame LSM_Frm2 carries IntTest, which the cluster does not declare"},
};

// Every slave of every sample and corpus cluster, exported to an NCF, written, read back and
// added to its cluster without it, is the slave it was: its node attributes, the frames and
// signals it publishes, what it receives, its encodings. Decided by the build's rules and so
// not compared: frame identifiers, and what the file cannot say (above); the configured
// NAD is the file's NAD.
TEST(NcfBuild, AnExportedSlaveAddedBackIsTheSlaveItWas) {
    int slaves = 0;
    for (const fs::path& file : test_support::AllSampleFiles()) {
        corvdekLINDefinitionFile original;
        if (!original.LoadFromFile(test_support::Path(file))) continue;
        for (int n = 0; n < original.nodes.GetCount(); ++n) {
            const corvString slave = original.nodes.Get(n)->name;
            const std::string where = file.filename().string() + ": " + slave.ToUtf8();
            corvStringArray decisions;
            NcfDocument exported;
            ASSERT_TRUE(exported.LoadFromBytes(RenderNCF(*NcfOfSlave(original, slave.View(), decisions)))) << where;
            corvdekLINDefinitionFile rebuilt;
            ASSERT_TRUE(rebuilt.LoadFromFile(test_support::Path(file)));
            RemoveSlave(rebuilt, slave);
            const std::string conflicts = InOrder(AddNodeCapabilities(rebuilt, {&exported}).conflicts);
            corvdekLINDefinitionFile expected;
            ASSERT_TRUE(expected.LoadFromFile(test_support::Path(file)));
            std::vector<std::string> differences;
            if (conflicts.empty()) {
                AlikeWhereTheFileCannotSay(rebuilt, expected, slave);
                differences = Differences(Contents(rebuilt), Contents(expected));
            }
            if (const auto faulty = kFaultySlaves.find(where); faulty != kFaultySlaves.end()) {
                EXPECT_FALSE(conflicts.empty() && differences.empty()) << where << ": " << faulty->second;
                continue;
            }
            EXPECT_EQ(conflicts, "") << where;
            EXPECT_EQ(differences, std::vector<std::string>{}) << where;
            if (conflicts.empty()) {
                EXPECT_EQ(Value(Named(rebuilt.nodes, slave.ToUtf8().c_str()).configuredNAD),
                          Value(exported.nodes.at(0).nads.Item(0)))
                    << where;
            }
            ++slaves;
        }
    }
    EXPECT_GT(slaves, 20);
}

}  // namespace
