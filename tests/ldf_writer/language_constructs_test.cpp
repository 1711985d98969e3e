// Every construct of the LIN description language, each in every form it takes: it loads
// without a load issue, the model holds its values, and writing it and loading the result
// gives the same model in a file that follows the LDF grammar.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "ldf_writer/ldf_writer.h"
#include "model/definition_file.h"
#include "support/grammar_check.h"
#include "support/model_equality.h"
#include "support/test_support.h"

namespace {

using test_support::LoadIssues;
using test_support::LoadText;
using test_support::Utf8;
using Texts = std::vector<std::string>;
using Item = corvdekLINScheduleTableItem;
using Part = corvdekLINSignalEncodingTypeItem;

void ExpectGrammatical(const std::string& written) {
    const test_support::GrammarCheck check({{"written", written}});
    if (!check.SkipReason().empty()) GTEST_SKIP() << check.SkipReason();
    EXPECT_EQ(check.Failure("written"), "");
}

class LanguageConstruct : public ::testing::Test {
protected:
    // Loads `text` into `document` and expects no load issue; then writes it, loads the
    // written text into `reloaded` and expects the same model and a grammatical file.
    const corvdekLINDefinitionFile& ExpectLosslessConstruct(std::string_view text) {
        EXPECT_TRUE(LoadText(document, text));
        EXPECT_EQ(LoadIssues(document), Texts{});
        written = RenderLDF(document);
        EXPECT_TRUE(reloaded.LoadFromBytes(written));
        EXPECT_EQ(LoadIssues(reloaded), Texts{}) << written;
        EXPECT_EQ(ModelDifferences(document, reloaded), Texts{}) << written;
        ExpectGrammatical(written);
        return document;
    }
    bool Written(std::string_view line) const { return written.find(line) != std::string::npos; }

    corvdekLINDefinitionFile document;
    corvdekLINDefinitionFile reloaded;
    std::string written;
};

constexpr std::string_view kNodes =
    "LIN_description_file;\n"
    "LIN_protocol_version = \"2.1\";\n"
    "LIN_language_version = \"2.1\";\n"
    "LIN_speed = 19.2 kbps;\n"
    "Nodes { Master: CEM, 5 ms, 0.1 ms; Slaves: LSM, RSM; }\n";

std::string WithNodes(std::string_view sections) {
    return std::string(kNodes) + std::string(sections);
}

TEST_F(LanguageConstruct, HeaderStatements) {
    // Header statements after a section are still header statements.
    ExpectLosslessConstruct(
        "LIN_description_file;\n"
        "LIN_protocol_version = \"ISO17987:2015\";\n"
        "LIN_language_version = \"J2602_1_1.0\";\n"
        "LIN_speed = 19200 bps;\n"
        "Nodes { Master: CEM, 5 ms, 0.1 ms; Slaves: LSM; }\n"
        "Signals { S: 8, 0, CEM, LSM; }\n"
        "Channel_name = DB;\n"
        "LDF_file_revision = \"1.2\";\n"
        "LIN_sig_byte_order_big_endian;\n");
    EXPECT_EQ(Utf8(document.protocolVersion), "ISO17987:2015");
    EXPECT_EQ(Utf8(document.languageVersion), "J2602_1_1.0");
    EXPECT_EQ(Utf8(document.speed), "19.2");
    EXPECT_EQ(Utf8(document.channelName), "DB");
    EXPECT_EQ(Utf8(document.fileRevision), "1.2");
    EXPECT_EQ(Utf8(document.signalByteOrder), "big_endian");
    EXPECT_EQ(document.signals.GetCount(), 1);
    EXPECT_TRUE(Written("Channel_name = \"DB\";"));
    EXPECT_TRUE(Written("LIN_speed = 19.2 kbps;"));

    ExpectLosslessConstruct(
        "LIN_description_file;\n"
        "LIN_protocol_version = \"J2602_1_1.0\";\n"
        "LIN_language_version = \"ISO17987:2015\";\n"
        "LIN_speed = 10.417 kbps;\n"
        "Channel_name = \"DB\";\n"
        "LIN_sig_byte_order_little_endian;\n"
        "Nodes { Master: CEM, 5 ms, 0.1 ms; Slaves: LSM; }\n");
    EXPECT_EQ(Utf8(document.protocolVersion), "J2602_1_1.0");
    EXPECT_TRUE(document.isJ2602);
    EXPECT_EQ(Utf8(document.speed), "10.417");
    EXPECT_EQ(Utf8(document.channelName), "DB");
    EXPECT_TRUE(document.fileRevision.IsEmpty());
    EXPECT_EQ(Utf8(document.signalByteOrder), "little_endian");
}

TEST_F(LanguageConstruct, NodesWithAndWithoutTheJ2602MasterFields) {
    ExpectLosslessConstruct(
        "LIN_description_file;\nLIN_protocol_version = \"J2602_1_1.0\";\n"
        "LIN_language_version = \"J2602_3_1.0\";\nLIN_speed = 10.417 kbps;\n"
        "Nodes { Master: CEM, 5 ms, 0.1 ms, 24 bits, 30 %; Slaves: LSM, RSM; }\n");
    EXPECT_EQ(Utf8(document.master.name), "CEM");
    EXPECT_EQ(Utf8(document.masterTimebase), "5");
    EXPECT_EQ(Utf8(document.masterJitter), "0.1");
    EXPECT_EQ(Utf8(document.masterMaxHeaderLength), "24");
    EXPECT_EQ(Utf8(document.masterResponseTolerance), "30");
    ASSERT_EQ(document.nodes.GetCount(), 2);
    EXPECT_EQ(Utf8(document.nodes.Get(1)->name), "RSM");

    ExpectLosslessConstruct(WithNodes(""));
    EXPECT_EQ(Utf8(document.master.name), "CEM");
    EXPECT_TRUE(document.masterMaxHeaderLength.IsEmpty());
    EXPECT_TRUE(document.masterResponseTolerance.IsEmpty());
    EXPECT_TRUE(Written("Master: CEM, 5 ms, 0.1 ms;"));
}

TEST_F(LanguageConstruct, SignalsDiagnosticSignalsAndSignalGroups) {
    const auto& doc =
        ExpectLosslessConstruct(WithNodes("Signals {\n"
                                          "  Scalar: 4, 3, CEM, LSM, RSM;\n"
                                          "  Bytes: 24, { 0x01, 0x02, 0xFF }, LSM, CEM;\n"
                                          "  Unheard: 8, 0xFF, RSM;\n"
                                          "}\n"
                                          "Diagnostic_signals {\n"
                                          "  MasterReqB0: 8, 0;\n"
                                          "  SlaveRespB0: 8, 0xFF;\n"
                                          "}\n"
                                          "Signal_groups {\n"
                                          "  Group: 16 { Scalar, 0; Unheard, 8; }\n"
                                          "}\n"));
    ASSERT_EQ(doc.signals.GetCount(), 3);
    const corvdekLINSignal& scalar = *doc.signals.Get(0);
    EXPECT_EQ(Utf8(scalar.size), "4");
    EXPECT_EQ(Utf8(scalar.initValue), "3");
    EXPECT_EQ(Utf8(scalar.subscribers), (Texts{"LSM", "RSM"}));
    const corvdekLINSignal& bytes = *doc.signals.Get(1);
    EXPECT_TRUE(bytes.isByteArray);
    EXPECT_EQ(Utf8(bytes.initValues), (Texts{"0x01", "0x02", "0xFF"}));
    EXPECT_EQ(Utf8(bytes.publisher), "LSM");
    EXPECT_EQ(Utf8(bytes.subscribers), (Texts{"CEM"}));
    EXPECT_EQ(Utf8(doc.signals.Get(2)->publisher), "RSM");
    EXPECT_EQ(doc.signals.Get(2)->subscribers.Count(), 0);

    ASSERT_EQ(doc.diagnosticSignals.GetCount(), 2);
    EXPECT_EQ(Utf8(doc.diagnosticSignals.Get(1)->name), "SlaveRespB0");
    EXPECT_EQ(Utf8(doc.diagnosticSignals.Get(1)->size), "8");
    EXPECT_EQ(Utf8(doc.diagnosticSignals.Get(1)->initValue), "0xFF");

    ASSERT_EQ(doc.signalGroups.GetCount(), 1);
    const corvdekLINSignalGroup& group = *doc.signalGroups.Get(0);
    EXPECT_EQ(Utf8(group.name), "Group");
    EXPECT_EQ(Utf8(group.size), "16");
    EXPECT_EQ(Utf8(group.signalNames), (Texts{"Scalar", "Unheard"}));
    EXPECT_EQ(Utf8(group.signalOffsets), (Texts{"0", "8"}));
}

TEST_F(LanguageConstruct, FramesOfEveryKind) {
    const auto& doc = ExpectLosslessConstruct(WithNodes(
        "Signals { A: 8, 0, CEM, LSM; B: 8, 0, LSM, CEM; }\n"
        "Diagnostic_signals { MasterReqB0: 8, 0; MasterReqB1: 8, 0; SlaveRespB0: 8, 0; }\n"
        "Frames {\n"
        "  WithLength: 0x10, CEM, 2 { A, 0; B, 8; }\n"
        "  NoLength: 0x11, LSM { B, 0; }\n"
        "}\n"
        "Sporadic_frames { Sporadic: WithLength, NoLength; }\n"
        "Event_triggered_frames {\n"
        "  Plain: 0x3A, NoLength;\n"
        "  WithTable: Collisions, 0x3B, NoLength, WithLength;\n"
        "}\n"
        "Diagnostic_frames {\n"
        "  MasterReq: 0x3C { MasterReqB0, 0; MasterReqB1, 8; }\n"
        "  SlaveResp: 0x3D { SlaveRespB0, 0; }\n"
        "}\n"
        "Diagnostic_addresses { LSM: 0x01; RSM: 2; }\n"
        "dynamic_frames { 0x20,0x21; }\n"
        "Schedule_tables { Collisions { NoLength delay 10 ms; } }\n"));
    ASSERT_EQ(doc.frames.GetCount(), 2);
    EXPECT_EQ(Utf8(doc.frames.Get(0)->length), "2");
    EXPECT_EQ(Utf8(doc.frames.Get(0)->signalOffsets), (Texts{"0", "8"}));
    EXPECT_TRUE(doc.frames.Get(1)->length.IsEmpty());
    EXPECT_TRUE(Written("NoLength: 0x11, LSM {"));

    ASSERT_EQ(doc.sporadicFrames.GetCount(), 1);
    EXPECT_EQ(Utf8(doc.sporadicFrames.Get(0)->frameList), (Texts{"WithLength", "NoLength"}));
    ASSERT_EQ(doc.eventFrames.GetCount(), 2);
    EXPECT_EQ(Utf8(doc.eventFrames.Get(0)->frameList), (Texts{"0x3A", "NoLength"}));
    EXPECT_EQ(Utf8(doc.eventFrames.Get(1)->frameList),
              (Texts{"Collisions", "0x3B", "NoLength", "WithLength"}));

    ASSERT_EQ(doc.diagnosticFrames.GetCount(), 2);
    const corvdekLINDiagnosticFrame& request = *doc.diagnosticFrames.Get(0);
    EXPECT_EQ(Utf8(request.name), "MasterReq");
    EXPECT_EQ(Utf8(request.frameId), "0x3C");
    EXPECT_EQ(Utf8(request.signalNames), (Texts{"MasterReqB0", "MasterReqB1"}));
    EXPECT_EQ(Utf8(request.signalOffsets), (Texts{"0", "8"}));
    EXPECT_EQ(Utf8(doc.diagnosticFrames.Get(1)->name), "SlaveResp");
    EXPECT_EQ(Utf8(doc.diagnosticFrames.Get(1)->frameId), "0x3D");
    EXPECT_TRUE(Written("MasterReqB1, 8;"));

    ASSERT_EQ(doc.diagnosticAddresses.GetCount(), 2);
    EXPECT_EQ(Utf8(doc.diagnosticAddresses.Get(0)->nodeName), "LSM");
    EXPECT_EQ(Utf8(doc.diagnosticAddresses.Get(0)->nad), "0x01");
    EXPECT_EQ(Utf8(doc.diagnosticAddresses.Get(1)->nad), "2");
    EXPECT_EQ(Utf8(doc.dynamicFrames), (Texts{"0x20", "0x21"}));
}

TEST_F(LanguageConstruct, EveryNodeAttribute) {
    const auto& doc = ExpectLosslessConstruct(
        WithNodes("Signals { LsmError: 1, 0, LSM, CEM; RsmError: 1, 0, RSM, CEM;\n"
                  "          Fault1: 1, 0, LSM, CEM; Fault2: 1, 0, LSM, CEM; }\n"
                  "Frames { F: 0x10, LSM, 1 { LsmError, 0; } G: 0x11, RSM, 1 { RsmError, 0; } }\n"
                  "Node_attributes {\n"
                  "  LSM {\n"
                  "    LIN_protocol = \"2.1\";\n"
                  "    configured_NAD = 0x01;\n"
                  "    initial_NAD = 0x02;\n"
                  "    product_id = 0x1E, 0x0001;\n"
                  "    response_error = LsmError;\n"
                  "    fault_state_signals = Fault1, Fault2;\n"
                  "    P2_min = 50 ms;\n"
                  "    ST_min = 0 ms;\n"
                  "    N_As_timeout = 1000 ms;\n"
                  "    N_Cr_timeout = 1500.5 ms;\n"
                  "    configurable_frames { G; F; }\n"
                  "    response_tolerance = 38 %;\n"
                  "    wakeup_time = 100 ms;\n"
                  "    poweron_time = 50 ms;\n"
                  "  }\n"
                  "  RSM {\n"
                  "    LIN_protocol = \"2.0\";\n"
                  "    configured_NAD = 3;\n"
                  "    product_id = 0x1E, 0x0002, 0x05;\n"
                  "    response_error = RsmError;\n"
                  "    configurable_frames { F = 0x10; G = 0x11; }\n"
                  "  }\n"
                  "}\n"));
    ASSERT_EQ(doc.nodes.GetCount(), 2);
    const corvdekLINNode& lsm = *doc.nodes.Get(0);
    EXPECT_EQ(Utf8(lsm.protocol), "2.1");
    EXPECT_EQ(Utf8(lsm.configuredNAD), "0x01");
    EXPECT_EQ(Utf8(lsm.initialNAD), "0x02");
    EXPECT_EQ(Utf8(lsm.supplierId), "0x1E");
    EXPECT_EQ(Utf8(lsm.functionId), "0x0001");
    EXPECT_TRUE(lsm.variant.IsEmpty());
    EXPECT_EQ(Utf8(lsm.responseError), "LsmError");
    EXPECT_EQ(Utf8(lsm.faultStateSignals), (Texts{"Fault1", "Fault2"}));
    EXPECT_EQ(Utf8(lsm.p2Min), "50");
    EXPECT_EQ(Utf8(lsm.stMin), "0");
    EXPECT_EQ(Utf8(lsm.nAsTimeout), "1000");
    EXPECT_EQ(Utf8(lsm.nCrTimeout), "1500.5");
    EXPECT_EQ(Utf8(lsm.configurableFrameNames), (Texts{"G", "F"}));
    EXPECT_EQ(Utf8(lsm.configurableFrameIds), (Texts{"", ""}));
    EXPECT_EQ(Utf8(lsm.responseTolerance), "38");
    EXPECT_EQ(Utf8(lsm.wakeupTime), "100");
    EXPECT_EQ(Utf8(lsm.poweronTime), "50");

    const corvdekLINNode& rsm = *doc.nodes.Get(1);
    EXPECT_EQ(Utf8(rsm.configuredNAD), "3");
    EXPECT_EQ(Utf8(rsm.variant), "0x05");
    EXPECT_EQ(Utf8(rsm.configurableFrameNames), (Texts{"F", "G"}));
    EXPECT_EQ(Utf8(rsm.configurableFrameIds), (Texts{"0x10", "0x11"}));
    EXPECT_TRUE(rsm.nAsTimeout.IsEmpty());
    EXPECT_TRUE(rsm.faultStateSignals.Count() == 0);
}

TEST_F(LanguageConstruct, EveryScheduleCommand) {
    const auto& doc = ExpectLosslessConstruct(
        WithNodes("Signals { A: 8, 0, CEM, LSM; }\n"
                  "Frames { F: 0x10, CEM, 1 { A, 0; } }\n"
                  "Schedule_tables {\n"
                  "  Table {\n"
                  "    F delay 10 ms;\n"
                  "    MasterReq delay 10 ms;\n"
                  "    SlaveResp delay 10 ms;\n"
                  "    AssignNAD { LSM } delay 1.5 ms;\n"
                  "    AssignNAD { 0x7F, 0x4A4F, 0x4841, 0x21 } delay 10 ms;\n"
                  "    ConditionalChangeNAD { 0x7F, 0x01, 0x03, 0x01, 0xFF, 0x01 } delay 10 ms;\n"
                  "    DataDump { LSM, 0x10, 0x80, 0x00, 0xFF, 0xFF } delay 10 ms;\n"
                  "    SaveConfiguration { LSM } delay 10 ms;\n"
                  "    AssignFrameIdRange { LSM, 0 } delay 10 ms;\n"
                  "    AssignFrameIdRange { LSM, 0, 0x01, 0x02, 0x03, 0x04 } delay 10 ms;\n"
                  "    AssignFrameId { LSM, F } delay 10 ms;\n"
                  "    UnassignFrameId { LSM, F } delay 10 ms;\n"
                  "    FreeFormat { 0x3C, 0xB2, 0x00, 0x00, 0xFF, 0x7F, 0xFF, 0xFF } delay 10 ms;\n"
                  "  }\n"
                  "}\n"));
    ASSERT_EQ(doc.scheduleTables.GetCount(), 1);
    const auto& items = doc.scheduleTables.Get(0)->items;
    ASSERT_EQ(items.GetCount(), 13);
    const auto entry = [&](int i) -> const Item& { return *items.Get(i); };
    std::vector<int> kinds;
    for (int i = 0; i < items.GetCount(); ++i) kinds.push_back(entry(i).kind);
    EXPECT_EQ(kinds,
              (std::vector<int>{Item::kFrame, Item::kMasterReq, Item::kSlaveResp, Item::kAssignNAD,
                                Item::kAssignNAD, Item::kConditionalChangeNAD, Item::kDataDump,
                                Item::kSaveConfiguration, Item::kAssignFrameIdRange,
                                Item::kAssignFrameIdRange, Item::kAssignFrameId,
                                Item::kUnassignFrameId, Item::kFreeFormat}));
    EXPECT_EQ(Utf8(entry(0).frameName), "F");
    EXPECT_EQ(Utf8(entry(0).delay), "10");

    const Item& nadByNode = entry(3);
    EXPECT_EQ(Utf8(nadByNode.nodeName), "LSM");
    EXPECT_EQ(Utf8(nadByNode.delay), "1.5");
    EXPECT_TRUE((nadByNode.nadInitial.IsEmpty() && nadByNode.nadSupplierId.IsEmpty() &&
                 nadByNode.nadFunctionId.IsEmpty() && nadByNode.nadNew.IsEmpty()));
    const Item& nadByValues = entry(4);
    EXPECT_TRUE(nadByValues.nodeName.IsEmpty());
    EXPECT_EQ((Texts{Utf8(nadByValues.nadInitial), Utf8(nadByValues.nadSupplierId),
                     Utf8(nadByValues.nadFunctionId), Utf8(nadByValues.nadNew)}),
              (Texts{"0x7F", "0x4A4F", "0x4841", "0x21"}));

    EXPECT_EQ(Utf8(entry(5).arguments), (Texts{"0x7F", "0x01", "0x03", "0x01", "0xFF", "0x01"}));
    EXPECT_EQ(Utf8(entry(6).nodeName), "LSM");
    EXPECT_EQ(Utf8(entry(6).arguments), (Texts{"0x10", "0x80", "0x00", "0xFF", "0xFF"}));
    EXPECT_EQ(Utf8(entry(7).nodeName), "LSM");
    EXPECT_EQ(Utf8(entry(8).nodeName), "LSM");
    EXPECT_EQ(Utf8(entry(8).arguments), (Texts{"0"}));
    EXPECT_EQ(Utf8(entry(9).arguments), (Texts{"0", "0x01", "0x02", "0x03", "0x04"}));
    for (int i : {10, 11}) {
        EXPECT_EQ(Utf8(entry(i).nodeName), "LSM");
        EXPECT_EQ(Utf8(entry(i).frameName), "F");
    }
    EXPECT_EQ(Utf8(entry(12).freeFormatData), "0x3C, 0xB2, 0x00, 0x00, 0xFF, 0x7F, 0xFF, 0xFF");
}

TEST_F(LanguageConstruct, EncodingTypesAndRepresentations) {
    const auto& doc = ExpectLosslessConstruct(
        WithNodes("Signals { S1: 8, 0, CEM, LSM; S2: 8, 0, CEM, LSM; S3: 8, 0, CEM, LSM; }\n"
                  "Signal_encoding_types {\n"
                  "  Enc {\n"
                  "    logical_value, 0, \"No error, ok; {x} // y\";\n"
                  "    logical_value, 1;\n"
                  "    physical_value, 0, 0xFF, 0.30000000000000004, -40, \"\xC2\xB0"
                  "C\";\n"
                  "    physical_value, 1, 10, 1, 0;\n"
                  "    bcd_value;\n"
                  "    ascii_value;\n"
                  "  }\n"
                  "  Empty { }\n"
                  "}\n"
                  "Signal_representation { Enc: S1, S2; Empty: S3; }\n"));
    ASSERT_EQ(doc.encodingTypes.GetCount(), 2);
    const auto& parts = doc.encodingTypes.Get(0)->items;
    ASSERT_EQ(parts.GetCount(), 6);
    EXPECT_EQ(parts.Get(0)->kind, Part::kLogical);
    EXPECT_EQ(Utf8(parts.Get(0)->text), "No error, ok; {x} // y");
    EXPECT_EQ(parts.Get(1)->minValue, 1);
    EXPECT_TRUE(parts.Get(1)->text.IsEmpty());
    const Part& physical = *parts.Get(2);
    EXPECT_EQ(physical.kind, Part::kPhysical);
    EXPECT_EQ(physical.maxValue, 255);
    EXPECT_EQ(physical.scale, 0.30000000000000004);
    EXPECT_EQ(physical.offset, -40.0);
    EXPECT_EQ(Utf8(physical.text),
              "\xC2\xB0"
              "C");
    EXPECT_TRUE(parts.Get(3)->text.IsEmpty());
    EXPECT_EQ(parts.Get(4)->kind, Part::kBcd);
    EXPECT_EQ(parts.Get(5)->kind, Part::kAscii);
    EXPECT_EQ(Utf8(doc.encodingTypes.Get(1)->name), "Empty");
    EXPECT_TRUE(doc.encodingTypes.Get(1)->items.IsEmpty());

    ASSERT_EQ(doc.representations.GetCount(), 2);
    EXPECT_EQ(Utf8(doc.representations.Get(0)->signalNames), (Texts{"S1", "S2"}));
    EXPECT_EQ(Utf8(doc.signals.Get(1)->encoding), "Enc");
    EXPECT_EQ(Utf8(doc.signals.Get(2)->encoding), "Empty");
}

TEST_F(LanguageConstruct, CompositeNodeListsWithAndWithoutTheirSemicolon) {
    // The section is the last of the file, so the list without ';' ends the file.
    const auto& doc = ExpectLosslessConstruct(
        "LIN_description_file;\nLIN_protocol_version = \"2.1\";\n"
        "LIN_language_version = \"2.1\";\nLIN_speed = 19.2 kbps;\n"
        "Nodes { Master: CEM, 5 ms, 0.1 ms; Slaves: LN1, LN2, LN3; }\n"
        "composite {\n"
        "  configuration First {\n"
        "    Comp1 { LN1, LN2; }\n"
        "    Comp2 { LN3 }\n"
        "  }\n"
        "  configuration Second {\n"
        "    Comp3 { LN1, LN2 }\n"
        "  }\n"
        "}\n");
    ASSERT_EQ(doc.compositeConfigurations.GetCount(), 2);
    const auto& first = doc.compositeConfigurations.Get(0)->compositeNodes;
    ASSERT_EQ(first.GetCount(), 2);
    EXPECT_EQ(Utf8(first.Get(0)->name), "Comp1");
    EXPECT_EQ(Utf8(first.Get(0)->nodeNames), (Texts{"LN1", "LN2"}));
    EXPECT_EQ(Utf8(first.Get(1)->nodeNames), (Texts{"LN3"}));
    const auto& second = doc.compositeConfigurations.Get(1)->compositeNodes;
    ASSERT_EQ(second.GetCount(), 1);
    EXPECT_EQ(Utf8(doc.compositeConfigurations.Get(1)->name), "Second");
    EXPECT_EQ(Utf8(second.Get(0)->nodeNames), (Texts{"LN1", "LN2"}));
}

TEST_F(LanguageConstruct, WhatCannotBeWrittenIsNamedAndLeftOut) {
    document.protocolVersion = u"2.1";
    document.languageVersion = u"2.1";
    document.masterTimebase = u"5";  // a time base and jitter, but no master name
    document.masterJitter = u"0.1";
    document.nodes.Add()->name = u"LSM";
    document.compositeConfigurations.Add()->name = u"Unused";
    document.channelName = u"Body \"B\"";
    corvStringArray leftOut;
    written = RenderLDF(document, &leftOut);
    const Texts lines = Utf8(leftOut);
    ASSERT_EQ(lines.size(), 4u) << ::testing::PrintToString(lines);
    for (const char* subject : {"LIN_speed", "Master", "Unused", "Channel_name"}) {
        EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                                [&](const std::string& line) {
                                    return line.find(subject) != std::string::npos;
                                }),
                  1)
            << subject;
    }
    EXPECT_FALSE(Written("LIN_speed"));
    EXPECT_FALSE(Written("Master"));
    EXPECT_FALSE(Written("composite"));
    EXPECT_FALSE(Written("Channel_name"));
    ExpectGrammatical(written);
}

}  // namespace

namespace {

// Values a file or the editor can give that no LDF line may hold where they stand: the
// written file follows the grammar, and every object or entry left out for them is named.
TEST(UnwritableValues, AreLeftOutAndNamedAndTheRestIsWritten) {
    const std::string head =
        "LIN_description_file; LIN_protocol_version = \"2.1\"; LIN_language_version = \"2.1\";"
        "LIN_speed = 19.2 kbps; Nodes { Master: CEM, 5 ms, 0 ms; Slaves: LSM, RSM; }\n";
    const struct {
        const char* name;
        std::string source;
        std::vector<std::string> written;  // lines (or pieces of them) the file keeps
        std::vector<std::string> named;    // pieces of the "not written" notes
    } cases[] = {
        {"signal_without_publisher", "Signals { Torque: 16, , ; }", {}, {"Signal 'Torque': the "}},
        {"empty_receivers", "Signals { A: 8, 0, CEM, ABC, , DEF; B: 8, 0, CEM, ; }",
         {"\tA: 8, 0, CEM, ABC, DEF;", "\tB: 8, 0, CEM;"},
         {"Signal 'A': the receiver ''", "Signal 'B': the receiver ''"}},
        {"frame_without_name", "Signals { A: 8, 0, CEM; } Frames { : 0x05, CEM, 1 { A, 0; } F: 0x06, CEM, 1 { A, 0; } }",
         {"\tF: 0x06, CEM, 1 {"}, {"Frame '': the name"}},
        {"sporadic_frame_without_name", "Sporadic_frames { : F1; S: F1, , F2; }", {"\tS: F1, F2;"},
         {"Sporadic frame '': it needs a name", "Sporadic frame 'S': the frame ''"}},
        {"representation_with_empty_entry", "Signal_encoding_types { Enc { bcd_value; } } Signal_representation { Enc: A, , B; }",
         {"\tEnc: A, B;"}, {"Signal representation 'Enc': the signal ''"}},
        {"byte_array_without_publisher", "Signals { Short: 32, { 0, 0, 0, 0} , ; }", {},
         {"Signal 'Short': the publisher ''"}},
        {"negative_byte_array_size", "Signals { Neg: -8, { 1 }, CEM; }", {"\tNeg: -8, { 1} , CEM;"},
         {"Signal Neg: a byte array of size -8"}},
        {"byte_array_beyond_eight_bytes", "Signals { Long: 96, { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12 }, CEM; }",
         {"\tLong: 96, { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12} , CEM;"}, {}},
        {"byte_array_below_a_byte", "Signals { Nibble: 4, { 5 }, CEM; }", {"\tNibble: 4, { 5} , CEM;"},
         {"Signal Nibble: a byte array of size 4"}},
        {"delay_with_a_unit", "Signals { A: 8, 0, CEM; } Frames { F: 0x06, CEM, 1 { A, 0; } }"
                              "Schedule_tables { T { F delay 0.01 s ms; F delay 10 ms; } }",
         {"\t\tF delay 10 ms;"}, {"Schedule table T: an entry without its delay"}},
        {"empty_composite_node", "composite { configuration C { CN1 { LSM, RSM; } CN2 { } } }",
         {"\tconfiguration C {", "\t\tCN1 {", "\t\t\tLSM, RSM;"}, {"composite node 'CN2': it needs a name"}},
        {"configurable_frames_of_both_forms",
         "Node_attributes { LSM { configured_NAD = 0x01; configurable_frames { F1 = 0x10; F2; } } }",
         {"\t\t\tF1;", "\t\t\tF2;"}, {"Node LSM: configurable_frames lists frames with and without"}},
        {"name_outside_the_grammar", "Signals { Gr\xC3\xB6\xC3\x9F" "e: 8, 0, CEM; ms: 8, 0, CEM; Ok: 8, 0, CEM; }",
         {"\tOk: 8, 0, CEM;"}, {"the name 'Gr", "Signal 'ms': the name 'ms'"}},
        {"event_frame_identifier_that_is_no_integer",
         "Signals { A: 8, 0, LSM; } Frames { F1: 0x10, LSM, 1 { A, 0; } } Event_triggered_frames { EF: 1.5, F1; }", {},
         {"Event-triggered frame 'EF': it needs a name, an identifier"}},
        {"speed_that_is_no_number", "LIN_speed = 19,2 kbps;", {}, {"LIN_speed: the speed '19,2'"}},
    };
    std::map<std::string, std::string> texts;
    for (const auto& c : cases) {
        corvdekLINDefinitionFile document;
        ASSERT_TRUE(LoadText(document, head + c.source)) << c.name;
        corvStringArray leftOut;
        const std::string text = RenderLDF(document, &leftOut);
        texts[c.name] = text;
        for (const std::string& line : c.written) {
            EXPECT_NE(text.find(line + "\r\n"), std::string::npos) << c.name << ": " << line << " in:\n" << text;
        }
        const std::string notes = ::testing::PrintToString(Utf8(leftOut));
        for (const std::string& note : c.named) {
            EXPECT_NE(notes.find(note), std::string::npos) << c.name << ": " << note << " in " << notes;
        }
    }
    const test_support::GrammarCheck check(texts);
    if (!check.SkipReason().empty()) GTEST_SKIP() << check.SkipReason();
    for (const auto& [name, text] : texts) EXPECT_EQ(check.Failure(name), "") << name;
}

}  // namespace
