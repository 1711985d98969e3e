// The NCF of a cluster's slave: valid for every slave of every sample and corpus cluster,
// the same frames, signals and encodings as the supplier's own NCF where the corpus has one,
// and every value the LDF does not hold decided and named.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "model/definition_file.h"
#include "model/ldf_numbers.h"
#include "ncf/ncf_from_cluster.h"
#include "ncf/ncf_writer.h"
#include "support/grammar_check.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;

std::string Joined(const corvStringArray& values) {
    std::string joined;
    for (int i = 0; i < values.Count(); ++i) joined += (i > 0 ? "," : "") + values.Item(i).ToUtf8();
    return joined;
}

// A number by its value: "0x0" is "0".
std::string Value(const corvString& text) {
    const std::optional<unsigned> value = WholeNumber(text);
    return value ? std::to_string(*value) : text.ToUtf8();
}

// A frame as both files describe it: direction, length and each signal's layout.
std::string FrameLayout(const NcfFrame& frame) {
    std::string layout = std::string(frame.publishes ? "publish " : "subscribe ") + frame.name.ToUtf8() + " " +
                         frame.length.ToUtf8() + " " + frame.eventTriggeredFrame.ToUtf8() + ":";
    for (const NcfSignal& signal : frame.signals) {
        layout += " " + signal.name.ToUtf8() + "/" + signal.size.ToUtf8() + "/" + signal.offset.ToUtf8() + "/" +
                  (signal.isByteArray ? Joined(signal.initValues) : Value(signal.initValue)) + "/" +
                  signal.encoding.ToUtf8();
    }
    return layout;
}

TEST(NcfExport, EverySlaveOfEveryClusterGivesAValidFile) {
    std::map<std::string, std::string> written;
    for (const fs::path& file : test_support::AllSampleFiles()) {
        corvdekLINDefinitionFile cluster;
        if (!cluster.LoadFromFile(test_support::Path(file))) continue;
        for (int n = 0; n < cluster.nodes.GetCount(); ++n) {
            const corvString& slave = cluster.nodes.Get(n)->name;
            corvStringArray decisions;
            const std::optional<NcfDocument> ncf = NcfOfSlave(cluster, slave.View(), decisions);
            ASSERT_TRUE(ncf) << file << ": " << slave.ToUtf8();
            corvStringArray leftOut;
            const std::string text = RenderNCF(*ncf, &leftOut);
            EXPECT_EQ(Joined(leftOut), "") << file << ": " << slave.ToUtf8();
            std::string name = file.stem().string() + "_" + slave.ToUtf8();
            for (char& ch : name) {
                if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
            }
            written[name + "_" + std::to_string(written.size())] = text;
        }
    }
    ASSERT_GT(written.size(), 20U);
    const test_support::GrammarCheck check(written, test_support::Language::kNcf);
    if (!check.SkipReason().empty()) GTEST_SKIP() << check.SkipReason();
    for (const auto& [name, text] : written) EXPECT_EQ(check.Failure(name), "") << name;
}

// The internal lights cluster and its slaves' own NCFs: the export gives the same frames in
// the same order, with the same signals and encodings.
TEST(NcfExport, TheSlavesOfTheInternalLightsClusterMatchTheirSuppliersFiles) {
    const fs::path ldf = test_support::CorpusDir() / "LIN" / "internal_lights.ldf";
    if (!fs::exists(ldf)) GTEST_SKIP() << "no " << ldf;
    corvdekLINDefinitionFile cluster;
    ASSERT_TRUE(cluster.LoadFromFile(test_support::Path(ldf)));
    for (const std::u16string slave : {u"LSM", u"RSM"}) {
        NcfDocument supplied;
        const fs::path ncfFile = test_support::CorpusDir() / "ncf" / "LIN" / (corvString(slave).ToUtf8() + ".ncf");
        ASSERT_TRUE(supplied.LoadFromFile(test_support::Path(ncfFile)));
        corvStringArray decisions;
        const std::optional<NcfDocument> exported = NcfOfSlave(cluster, slave, decisions);
        ASSERT_TRUE(exported);
        const NcfNode& made = exported->nodes.at(0);
        const NcfNode& given = supplied.nodes.at(0);
        // The supplier's files list the event-triggered frame as a frame of length 0, which
        // the language has no place for.
        std::vector<std::string> givenFrames;
        for (const NcfFrame& frame : given.frames) {
            if (!frame.length.Equals(u"0")) givenFrames.push_back(FrameLayout(frame));
        }
        std::vector<std::string> madeFrames;
        for (const NcfFrame& frame : made.frames) madeFrames.push_back(FrameLayout(frame));
        EXPECT_EQ(madeFrames, givenFrames) << ncfFile;
        EXPECT_EQ(made.supplier.ToUtf8() + made.function.ToUtf8(), given.supplier.ToUtf8() + given.function.ToUtf8());
        EXPECT_EQ(made.responseError.ToUtf8(), given.responseError.ToUtf8()) << ncfFile;
        EXPECT_EQ(Joined(made.faultStateSignals), Joined(given.faultStateSignals)) << ncfFile;
        std::vector<std::string> madeEncodings, givenEncodings;
        for (const NcfEncoding& encoding : made.encodings) madeEncodings.push_back(encoding.name.ToUtf8());
        for (const NcfEncoding& encoding : given.encodings) givenEncodings.push_back(encoding.name.ToUtf8());
        std::sort(madeEncodings.begin(), madeEncodings.end());
        std::sort(givenEncodings.begin(), givenEncodings.end());
        EXPECT_EQ(madeEncodings, givenEncodings) << ncfFile;
    }
}

// What an LDF does not hold is decided, written and named.
TEST(NcfExport, WhatTheClusterLeavesOpenIsDecidedAndNamed) {
    const struct {
        const char* name;
        const char* cluster;
        const char* decision;  // a decision that names this
        std::function<std::string(const NcfNode&)> field;
        std::string value;
    } cases[] = {
        {"no product id",
         "LIN_protocol_version = \"2.1\"; LIN_language_version = \"2.1\"; LIN_speed = 19.2 kbps;"
         "Nodes { Master: M, 5 ms, 0.1 ms; Slaves: S; } Signals { E: 1, 0, S, M; } Frames { F: 1, S, 1 { E, 0; } }",
         "no product id", [](const NcfNode& n) { return n.supplier.ToUtf8() + n.function.ToUtf8(); }, "0x00000x0000"},
        {"no NAD",
         "LIN_protocol_version = \"2.1\"; LIN_language_version = \"2.1\"; LIN_speed = 19.2 kbps;"
         "Nodes { Master: M, 5 ms, 0.1 ms; Slaves: S; } Signals { E: 1, 0, S, M; } Frames { F: 1, S, 1 { E, 0; } }",
         "no NAD", [](const NcfNode& n) { return Joined(n.nads) + (n.nadRange ? " range" : ""); }, "1,125 range"},
        {"a LIN 1.3 cluster's NAD from its diagnostic addresses",
         "LIN_protocol_version = \"1.3\"; LIN_language_version = \"1.3\"; LIN_speed = 9.6 kbps;"
         "Nodes { Master: M, 5 ms, 0.1 ms; Slaves: S; } Signals { E: 1, 0, S, M; W: 4, 0, S, M; }"
         "Frames { F: 1, S, 2 { W, 0; E, 4; } } Diagnostic_addresses { S: 0x12; }",
         "written as LIN 2.1", [](const NcfNode& n) { return Joined(n.nads) + " " + n.bitrate.rates.Item(0).ToUtf8(); },
         "0x12 9.6"},
        {"no response_error: its first one-bit signal",
         "LIN_protocol_version = \"2.1\"; LIN_language_version = \"2.1\"; LIN_speed = 19.2 kbps;"
         "Nodes { Master: M, 5 ms, 0.1 ms; Slaves: S; } Signals { W: 4, 0, S, M; E: 1, 0, S, M; }"
         "Frames { F: 1, S, 1 { W, 0; E, 4; } }",
         "no response_error", [](const NcfNode& n) { return n.responseError.ToUtf8(); }, "E"},
    };
    for (const auto& c : cases) {
        corvdekLINDefinitionFile cluster;
        ASSERT_TRUE(test_support::LoadText(cluster, c.cluster)) << c.name;
        corvStringArray decisions;
        const std::optional<NcfDocument> ncf = NcfOfSlave(cluster, u"S", decisions);
        ASSERT_TRUE(ncf) << c.name;
        EXPECT_EQ(c.field(ncf->nodes.at(0)), c.value) << c.name;
        bool named = false;
        for (int i = 0; i < decisions.Count(); ++i) named = named || decisions.Item(i).ToUtf8().find(c.decision) != std::string::npos;
        EXPECT_TRUE(named) << c.name << ": " << Joined(decisions);
        corvStringArray leftOut;
        RenderNCF(*ncf, &leftOut);
        EXPECT_EQ(leftOut.Count(), 0) << c.name;
    }
    corvdekLINDefinitionFile cluster;
    corvStringArray decisions;
    EXPECT_FALSE(NcfOfSlave(cluster, u"Nobody", decisions));
}

}  // namespace
