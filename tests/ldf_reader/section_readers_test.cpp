// What each section reader makes of its statements, and the load issues it reports.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/definition_file.h"
#include "support/test_support.h"

namespace {

using test_support::LoadIssues;
using test_support::LoadText;
using test_support::Utf8;
using Texts = std::vector<std::string>;

class SectionReader : public ::testing::Test {
protected:
    // Loads `body` inside a section block; the statement texts are those of the body.
    void LoadSection(const std::string& keyword, const std::string& body) {
        ASSERT_TRUE(LoadText(document, keyword + " {\n" + body + "\n}\n"));
    }
    Texts Issues() const { return LoadIssues(document); }

    corvdekLINDefinitionFile document;
};

using NodesReader = SectionReader;

TEST_F(NodesReader, MasterNeedsThreeFields) {
    LoadSection("Nodes", "Master: CEM, 5 ms, 0.1 ms;");
    EXPECT_EQ(Utf8(document.master.name), "CEM");
    EXPECT_EQ(Utf8(document.masterTimebase), "5");
    EXPECT_EQ(Utf8(document.masterJitter), "0.1");

    LoadSection("Nodes", "Master: CEM, 5ms, 0.1MS, 7; Master: X, 5 ms;");
    EXPECT_EQ(Utf8(document.master.name), "CEM");
    EXPECT_EQ(Utf8(document.masterJitter), "0.1");
    EXPECT_EQ(Issues(), (Texts{"1|The LIN Master is specified incorrectly.|This line specifies "
                               "the master incorrectly: Master: X, 5 ms"}));
}

TEST_F(NodesReader, SlavesStatementsAppendNamedNodes) {
    LoadSection("Nodes", "Slaves: LSM, RSM; Slaves: Extra , ;  master: CEM, 5 ms, 0.1 ms;");
    Texts names;
    for (int i = 0; i < document.nodes.GetCount(); ++i) {
        names.push_back(Utf8(document.nodes.Get(i)->name));
    }
    // A lower-case master statement is taken as a list of slaves.
    EXPECT_EQ(names, (Texts{"LSM", "RSM", "Extra", "CEM", "5 ms", "0.1 ms"}));
}

TEST_F(NodesReader, EmptySlavesStatementGivesNoNode) {
    LoadSection("Nodes", "Master: CEM, 5 ms, 0.1 ms; Slaves: ;");
    EXPECT_EQ(document.nodes.GetCount(), 0);
    EXPECT_TRUE(Issues().empty());
}

using SignalsReader = SectionReader;

TEST_F(SignalsReader, ScalarSignals) {
    LoadSection("Signals",
                "EngineSpeed: 16, 0, CEM, LSM, RSM;\n"
                "Solo: 16, 0, CEM;\n"
                "Head: 16, 0;\n"
                "Short: 16;");
    ASSERT_EQ(document.signals.GetCount(), 4);
    const corvdekLINSignal* speed = document.signals.Get(0);
    EXPECT_EQ(Utf8(speed->size), "16");
    EXPECT_EQ(Utf8(speed->initValue), "0");
    EXPECT_EQ(Utf8(speed->publisher), "CEM");
    EXPECT_EQ(Utf8(speed->subscribers), (Texts{"LSM", "RSM"}));
    EXPECT_EQ(document.signals.Get(1)->subscribers.Count(), 0);
    EXPECT_TRUE(document.signals.Get(2)->publisher.IsEmpty());
    EXPECT_EQ(Utf8(document.signals.Get(3)->size), "16");
    EXPECT_EQ(Issues(), (Texts{"0|The LIN Signal is specified incorrectly.|This line has less "
                               "than the required number of parameters: Short: 16"}));
}

TEST_F(SignalsReader, ByteArraySignals) {
    LoadSection("Signals",
                "Serial: 16, { 0x01, 0x02 }, CEM, LSM;\n"
                "Odd: 12, { 7 }, CEM, LSM;\n"
                "NoRx: 16, { 0, 0} , CEM;\n"
                "Bits: 4, { } , CEM, LSM;");
    ASSERT_EQ(document.signals.GetCount(), 4);
    const corvdekLINSignal* serial = document.signals.Get(0);
    EXPECT_TRUE(serial->isByteArray);
    EXPECT_EQ(Utf8(serial->initValues), (Texts{"0x01", "0x02"}));
    EXPECT_EQ(Utf8(serial->publisher), "CEM");
    EXPECT_EQ(Utf8(serial->subscribers), (Texts{"LSM"}));
    EXPECT_EQ(Utf8(document.signals.Get(1)->initValues), (Texts{"7"}));
    const corvdekLINSignal* noRx = document.signals.Get(2);
    EXPECT_EQ(Utf8(noRx->initValues), (Texts{"0", "0"}));
    EXPECT_EQ(Utf8(noRx->publisher), "CEM");
    EXPECT_EQ(noRx->subscribers.Count(), 0);
    // Fewer than 8 bits hold no byte value; the empty braces are no publisher.
    const corvdekLINSignal* bits = document.signals.Get(3);
    EXPECT_EQ(bits->initValues.Count(), 0);
    EXPECT_EQ(Utf8(bits->publisher), "CEM");
    EXPECT_EQ(Utf8(bits->subscribers), (Texts{"LSM"}));
    EXPECT_TRUE(Issues().empty());
}

TEST_F(SignalsReader, ByteArrayProblems) {
    LoadSection("Signals",
                "0x01, CEM;\n"
                "Serial: 24, { 1, 2 }, CEM;\n"
                "Negative: -16, { 1 }, CEM;");
    ASSERT_EQ(document.signals.GetCount(), 2);
    // Too few values, or a size below zero, are reported; the values given, the publisher
    // and the subscribers stay.
    const corvdekLINSignal* serial = document.signals.Get(0);
    EXPECT_TRUE(serial->isByteArray);
    EXPECT_EQ(Utf8(serial->initValues), (Texts{"1", "2"}));
    EXPECT_EQ(Utf8(serial->publisher), "CEM");
    EXPECT_EQ(Utf8(document.signals.Get(1)->initValues), (Texts{"1"}));
    EXPECT_EQ(Utf8(document.signals.Get(1)->publisher), "CEM");
    EXPECT_EQ(Issues(),
              (Texts{"0|The LIN Signal is specified incorrectly.|There must be at lease one "
                     "signal for byte array data: 0x01, CEM",
                     "0|The LIN Signal sizes doesn't match the byte array.|The number of intial "
                     "values for this byte array signal should match: 1, 2 , CEM (signal Serial)",
                     "0|The LIN Signal sizes doesn't match the byte array.|The number of intial "
                     "values for this byte array signal should match: 1 , CEM (signal Negative)"}));
}

TEST_F(SectionReader, DiagnosticSignalsOnlySwitchDiagnosticsOn) {
    LoadSection("Diagnostic_signals", "garbage without colon;");
    EXPECT_TRUE(document.hasDiagnosticFrames);
    EXPECT_TRUE(document.signals.IsEmpty());
    LoadSection("Signal_groups", "G: 16 { A, 0; }");
    EXPECT_FALSE(document.hasDiagnosticFrames);
    EXPECT_TRUE(Issues().empty());
}

using FramesReader = SectionReader;

TEST_F(FramesReader, FramesWithSignals) {
    LoadSection("Frames",
                "VL1_CEM_Frm1: 0x01, CEM, 2 { EngineSpeed, 0; Gear, 16; }\n"
                "NoLength: 16, LSM { }\n"
                "Ignored: 7 { }");
    ASSERT_EQ(document.frames.GetCount(), 2);
    const corvdekLINFrame* frame = document.frames.Get(0);
    EXPECT_EQ(Utf8(frame->name), "VL1_CEM_Frm1");
    EXPECT_EQ(Utf8(frame->frameId), "0x01");
    EXPECT_EQ(Utf8(frame->publisher), "CEM");
    EXPECT_EQ(Utf8(frame->length), "2");
    EXPECT_EQ(Utf8(frame->signalNames), (Texts{"EngineSpeed", "Gear"}));
    EXPECT_EQ(Utf8(frame->signalOffsets), (Texts{"0", "16"}));
    EXPECT_TRUE(document.frames.Get(1)->length.IsEmpty());
    // A head without a publisher makes no frame and is named as not kept.
    EXPECT_EQ(Issues(), (Texts{"0|LDF Statement not supported.|This statement is not kept and "
                               "will not be saved: Ignored: 7"}));
}

TEST_F(FramesReader, SignalLineProblems) {
    LoadSection("Frames", "{ Orphan, 0; } F: 1, M { A; B, 1, 2; }");
    EXPECT_EQ(Issues(),
              (Texts{"0|LIN Frame Invalid.|This LIN frame is invalid at line: Orphan, 0",
                     "0|LIN Frame Signal Entry problem.|This LIN frame has an invalid "
                     "signal: A",
                     "0|LIN Frame Signal Entry problem.|This LIN frame has an invalid "
                     "signal: B, 1, 2"}));
}

TEST_F(FramesReader, SporadicAndEventTriggeredFrames) {
    ASSERT_TRUE(LoadText(document,
                         "Sporadic_frames { SP1: F1, F2; Empty:; }\n"
                         "Event_triggered_frames { ET1 : Collision, 0x3A, F3, F4; }"));
    ASSERT_EQ(document.sporadicFrames.GetCount(), 2);
    EXPECT_EQ(Utf8(document.sporadicFrames.Get(0)->name), "SP1");
    EXPECT_EQ(Utf8(document.sporadicFrames.Get(0)->frameList), (Texts{"F1", "F2"}));
    ASSERT_EQ(document.eventFrames.GetCount(), 1);
    EXPECT_EQ(Utf8(document.eventFrames.Get(0)->name), "ET1");  // as the schedule entries name it
    EXPECT_EQ(Utf8(document.eventFrames.Get(0)->frameList),
              (Texts{"Collision", "0x3A", "F3", "F4"}));
}

TEST_F(FramesReader, DiagnosticFrames) {
    LoadSection("Diagnostic_frames",
                "MasterReq: 0x3c { MasterReqB0, 0; MasterReqB1: 8; }\n"
                "SlaveResp: 61 { SlaveRespB0, 0; Lonely; }");
    EXPECT_TRUE(document.hasDiagnosticFrames);
    ASSERT_EQ(document.diagnosticFrames.GetCount(), 2);
    const corvdekLINDiagnosticFrame* request = document.diagnosticFrames.Get(0);
    EXPECT_EQ(request->isSlaveResponse, 0);
    EXPECT_EQ(Utf8(request->frameId), "0x3c");
    EXPECT_EQ(Utf8(request->signalOffsets), (Texts{"0", "8"}));
    EXPECT_EQ(document.diagnosticFrames.Get(1)->isSlaveResponse, 1);
    EXPECT_EQ(Issues(), (Texts{"0|Diagnostic Frame Invalid.|This diagnostic frame is invalid "
                               "at line: Lonely"}));
}

TEST_F(FramesReader, DynamicFramesKeepTheirSpacesAndTheLastListWins) {
    LoadSection("dynamic_frames", "1, 2; 50, 51, 52;");
    EXPECT_EQ(Utf8(document.dynamicFrames), (Texts{"50", " 51", " 52"}));
}

using ScheduleReader = SectionReader;

TEST_F(ScheduleReader, EveryEntryKind) {
    LoadSection("Schedule_tables",
                "T {\n"
                "  Frame1 delay 10 ms;\n"
                "  Frame2 delay 1.5ms;\n"
                "  MasterReq delay 20 ms;\n"
                "  SlaveResp delay 20 ms;\n"
                "  AssignFrameId { LSM, Frame1 } delay 30 ms;\n"
                "  UnassignFrameId { RSM, Frame2 } delay 31 ms;\n"
                "  AssignNAD { 0x7F, 0x1E, 0x01, 0x02 } delay 32 ms;\n"
                "  FreeFormat { 0x3C, 0xB2, , 0xFF } delay 33 ms;\n"
                "}");
    ASSERT_EQ(document.scheduleTables.GetCount(), 1);
    const auto& items = document.scheduleTables.Get(0)->items;
    ASSERT_EQ(items.GetCount(), 8);
    for (int kind = 0; kind < 7; ++kind) EXPECT_EQ(items.Get(kind + 1)->kind, kind);
    EXPECT_EQ(Utf8(items.Get(0)->frameName), "Frame1");
    EXPECT_EQ(Utf8(items.Get(0)->delay), "10");
    EXPECT_EQ(Utf8(items.Get(1)->delay), "1.5");
    EXPECT_EQ(Utf8(items.Get(4)->nodeName), "LSM");
    EXPECT_EQ(Utf8(items.Get(4)->frameName), "Frame1");
    EXPECT_EQ(Utf8(items.Get(4)->delay), "30");
    EXPECT_EQ(Utf8(items.Get(5)->nodeName), "RSM");
    const corvdekLINScheduleTableItem* nad = items.Get(6);
    EXPECT_EQ(Utf8(nad->nadInitial) + Utf8(nad->nadSupplierId) + Utf8(nad->nadFunctionId) +
                  Utf8(nad->nadNew),
              "0x7F0x1E0x010x02");
    EXPECT_EQ(Utf8(items.Get(7)->freeFormatData), "0x3C, 0xB2, , 0xFF");
    EXPECT_EQ(Utf8(items.Get(7)->delay), "33");
    EXPECT_TRUE(Issues().empty());
}

TEST_F(ScheduleReader, AFrameNameMayHoldTheWordDelay) {
    LoadSection("Schedule_tables", "T { Wiper_delay delay 10 ms; delayFrame delay 5 ms; }");
    const auto& items = document.scheduleTables.Get(0)->items;
    ASSERT_EQ(items.GetCount(), 2);
    EXPECT_EQ(Utf8(items.Get(0)->frameName), "Wiper_delay");
    EXPECT_EQ(Utf8(items.Get(0)->delay), "10");
    EXPECT_EQ(Utf8(items.Get(1)->frameName), "delayFrame");
    EXPECT_TRUE(Issues().empty());
}

TEST_F(ScheduleReader, InvalidEntries) {
    LoadSection("Schedule_tables",
                "{ Orphan delay 5 ms; }\n"
                "T {\n"
                "  Frame1 10 ms;\n"
                "  F delay 5 ms delay 6 ms;\n"
                "  masterreq delay 10 ms;\n"
                "  MasterReq;\n"
                "  SlaveResp;\n"
                "  AssignNAD { 1, 2, 3 } delay 10 ms;\n"
                "  AssignFrameId { A } delay 11 ms;\n"
                "  UnassignFrameId { A, B, C } 12 ms;\n"
                "  FreeFormat { } delay 5 ms;\n"
                "}\n"
                "T {}");
    ASSERT_EQ(document.scheduleTables.GetCount(), 2);
    const auto& items = document.scheduleTables.Get(0)->items;
    ASSERT_EQ(items.GetCount(), 5);
    EXPECT_EQ(Utf8(items.Get(0)->frameName), "masterreq");
    EXPECT_EQ(items.Get(1)->kind, corvdekLINScheduleTableItem::kAssignNAD);
    EXPECT_TRUE(items.Get(1)->nadInitial.IsEmpty());
    EXPECT_EQ(Utf8(items.Get(1)->delay), "10");
    // The lone argument of AssignFrameId is its argument list, not a frame entry.
    EXPECT_EQ(items.Get(2)->kind, corvdekLINScheduleTableItem::kAssignFrameId);
    EXPECT_TRUE(items.Get(2)->nodeName.IsEmpty());
    EXPECT_EQ(Utf8(items.Get(2)->delay), "11");
    EXPECT_EQ(items.Get(3)->kind, corvdekLINScheduleTableItem::kUnassignFrameId);
    EXPECT_TRUE(items.Get(3)->nodeName.IsEmpty());
    const std::string at = "|This Schedule Table frame is invalid at line: ";
    EXPECT_EQ(Issues(),
              (Texts{"0|Schedule Table Frame Invalid." + at + "Orphan delay 5 ms",
                     "0|Schedule Table Frame Invalid." + at + "Frame1 10 ms",
                     "0|Schedule Table Frame Invalid." + at + "F delay 5 ms delay 6 ms",
                     "0|Schedule Table MasterReq Invalid." + at + "MasterReq",
                     "0|Schedule Table SlaveRsp Invalid." + at + "SlaveResp",
                     "0|Schedule Table AssignNAD Invalid.|This Schedule Table AssignNAD is "
                     "invalid at line: 1, 2, 3  delay 10 ms",
                     "0|Schedule Table AssignFrameId Invalid.|This Schedule Table AssignFrameId "
                     "is invalid at line: A  delay 11 ms",
                     "0|Schedule Table UnassignFrameId Invalid.|This Schedule Table "
                     "UnassignFrameId is invalid at line: A, B, C  12 ms",
                     "0|Schedule Table Delay Invalid." + at + "A, B, C  12 ms",
                     "0|Schedule Table Frame Invalid." + at + "delay 5 ms"}));
    EXPECT_EQ(items.Get(4)->kind, corvdekLINScheduleTableItem::kFreeFormat);
}

TEST_F(ScheduleReader, ArgumentsAfterAFrameEntryOnlyReplaceItsDelay) {
    LoadSection("Schedule_tables", "T { F delay 10 ms; Unknown { LSM, 0 } delay 15 ms; }");
    const auto& items = document.scheduleTables.Get(0)->items;
    ASSERT_EQ(items.GetCount(), 1);
    EXPECT_EQ(Utf8(items.Get(0)->delay), "15");
    EXPECT_EQ(Issues(), (Texts{"0|Schedule Table Frame Invalid.|This Schedule Table frame is "
                               "invalid at line: Unknown"}));
}

using EncodingReader = SectionReader;

TEST_F(EncodingReader, LogicalPhysicalBcdAndAsciiParts) {
    LoadSection("Signal_encoding_types",
                "E {\n"
                "  logical_value, 0x0A, \"ten\";\n"
                "  physical_value, 0, 254, 0.5, -40, \"degC\";\n"
                "  physical_range, 0x3F, 10, 1e-3, 7.0, \"V\";\n"
                "  bcd_value;\n"
                "  ascii_value;\n"
                "  Logical_value, 1, \"lost\";\n"
                "}");
    const auto& parts = document.encodingTypes.Get(0)->items;
    ASSERT_EQ(parts.GetCount(), 5);
    EXPECT_EQ(parts.Get(0)->minValue, 10);
    EXPECT_EQ(Utf8(parts.Get(0)->text), "ten");
    const corvdekLINSignalEncodingTypeItem* physical = parts.Get(1);
    EXPECT_EQ(physical->kind, 1);
    EXPECT_EQ(physical->maxValue, 254);
    EXPECT_DOUBLE_EQ(physical->scale, 0.5);
    EXPECT_DOUBLE_EQ(physical->offset, -40.0);
    EXPECT_EQ(Utf8(physical->text), "degC");
    EXPECT_EQ(parts.Get(2)->kind, 1);
    EXPECT_EQ(parts.Get(2)->minValue, 63);  // hexadecimal as the LIN grammar allows
    EXPECT_EQ(parts.Get(3)->kind, 2);
    EXPECT_EQ(parts.Get(4)->kind, 3);
    // A keyword in the wrong case is no part; it is named rather than dropped silently.
    EXPECT_EQ(Issues(), (Texts{"0|LDF Statement not supported.|This statement is not kept and "
                               "will not be saved: Logical_value, 1, \"lost\""}));
}

// A separator inside a closed double-quoted text is part of the text; a quote that is never
// closed protects nothing.
TEST_F(EncodingReader, QuotedTextsKeepTheirSeparators) {
    LoadSection("Signal_encoding_types",
                "E {\n"
                "  logical_value, 0, \"No error, ok; done\";\n"
                "  physical_value, 0, 10, 1, 0, \"km/h, rounded\";\n"
                "  logical_value, 1, \"open, 2;\n"
                "}");
    const auto& parts = document.encodingTypes.Get(0)->items;
    ASSERT_EQ(parts.GetCount(), 2);
    EXPECT_EQ(Utf8(parts.Get(0)->text), "No error, ok; done");
    EXPECT_EQ(Utf8(parts.Get(1)->text), "km/h, rounded");
    ASSERT_EQ(Issues().size(), 1u);  // the unclosed quote left four fields
    EXPECT_NE(Issues()[0].find("logical_value, 1, \"open, 2"), std::string::npos) << Issues()[0];
}

TEST_F(EncodingReader, WrongFieldCounts) {
    LoadSection("Signal_encoding_types",
                "{ logical_value, 0, \"early\"; }\n"
                "E {\n"
                "  logical_value;\n"
                "  logical_value, 2, \"a\", b;\n"
                "  physical_value, 0, 100, 1;\n"
                "  bcd_value, 1;\n"
                "  ascii_value, 1, 2;\n"
                "}");
    EXPECT_EQ(document.encodingTypes.Get(0)->items.GetCount(), 0);
    const std::string tail = " (wrong number of fields) at line: ";
    const std::string lead = "|This LIN signal encoding type is invalid for ";
    EXPECT_EQ(Issues(),
              (Texts{"0|LIN Signal encoding type invalid.|This LIN signal encoding type is "
                     "invalid at line: logical_value, 0, \"early\"",
                     "0|LIN Logical Signal encoding type invalid." + lead + "logicial value" +
                         tail + "logical_value",
                     "0|LIN Logical Signal encoding type invalid." + lead + "logicial value" +
                         tail + "logical_value, 2, \"a\", b",
                     "0|LIN Physical Signal encoding type invalid." + lead + "physical range" +
                         tail + "physical_value, 0, 100, 1",
                     "0|LIN BCD Signal encoding type invalid." + lead + "BCD" + tail +
                         "bcd_value, 1",
                     "0|LIN ASCII Signal encoding type invalid." + lead + "ASCII" + tail +
                         "ascii_value, 1, 2"}));
}

TEST_F(EncodingReader, RepresentationsAndResolvedEncodings) {
    ASSERT_TRUE(LoadText(document,
                         "Signals { S1: 8, 0, M; S2: 8, 0, M; S3: 8, 0, M; }\n"
                         "Signal_representation { Enc1: S1, , S2; Enc2: S2, S3; Enc1 S3; }"));
    ASSERT_EQ(document.representations.GetCount(), 2);
    EXPECT_EQ(Utf8(document.representations.Get(0)->signalNames), (Texts{"S1", "", "S2"}));
    EXPECT_EQ(Utf8(document.signals.Get(1)->encoding), "Enc1");
    EXPECT_EQ(Utf8(document.signals.Get(2)->encoding), "Enc2");
    EXPECT_EQ(Issues(), (Texts{"0|LIN Signal representation line invalid.|This LIN Signal "
                               "representation is invalid at line: Enc1 S3"}));
}

using NodeAttributesReader = SectionReader;

TEST_F(NodeAttributesReader, AttributesOfASlave) {
    ASSERT_TRUE(LoadText(document,
                         "Nodes { Master: M, 5 ms, 1 ms; Slaves: S1; }\n"
                         "Node_attributes { S1 {\n"
                         "  LIN_protocol = \"2.1\";\n"
                         "  configured_NAD = 0x01;\n"
                         "  initial_NAD = 0x02;\n"
                         "  product_id = 0x1E, 0x1, 0x0;\n"
                         "  response_error = Err;\n"
                         "  P2_min = 50 ms;\n"
                         "  ST_min = 0 ms;\n"
                         "  response_tolerance = 38 %;\n"
                         "  configurable_frames { Frame1 = 0x1001; Frame2; }\n"
                         "  product_id = 0x1F, 0x2, 0x3, 0x4;\n"
                         "} }"));
    const corvdekLINNode* node = document.nodes.Get(0);
    EXPECT_EQ(Utf8(node->protocol), "2.1");
    EXPECT_EQ(Utf8(node->configuredNAD), "0x01");
    EXPECT_EQ(Utf8(node->supplierId) + "/" + Utf8(node->functionId) + "/" + Utf8(node->variant),
              "0x1E/0x1/0x0");
    EXPECT_EQ(Utf8(node->responseError), "Err");
    EXPECT_EQ(Utf8(node->p2Min), "50");
    EXPECT_EQ(Utf8(node->stMin), "0");
    EXPECT_EQ(Utf8(node->responseTolerance), "38");
    EXPECT_EQ(Utf8(node->initialNAD), "0x02");
    // Both forms of configurable_frames, in their order: with a message id, and by name.
    EXPECT_EQ(Utf8(node->configurableFrameNames), (Texts{"Frame1", "Frame2"}));
    EXPECT_EQ(Utf8(node->configurableFrameIds), (Texts{"0x1001", ""}));
    EXPECT_EQ(Issues(), (Texts{"0|LIN Node Attribute Product ID Invalid.|This LIN Node "
                               "Attribute is invalid at line: product_id = 0x1F, 0x2, 0x3, 0x4"}));
}

TEST_F(NodeAttributesReader, BlocksOfUnknownNodesAndBadStatements) {
    ASSERT_TRUE(LoadText(document,
                         "Nodes { Master: M, 5 ms, 1 ms; Slaves: S1; }\n"
                         "Node_attributes {\n"
                         "  M { configured_NAD = 1; configurable_frames { F = 1; } }\n"
                         "  S1 { configured_NAD 0x01; a = b = c; }\n"
                         "}"));
    const std::string without =
        "0|LIN Node Attribute without Node Connection.|This LIN Node Attribute belongs to an "
        "invalid node at line: ";
    const std::string invalid =
        "0|LIN Node Attribute Invalid.|This LIN Node Attribute is invalid at line: ";
    // A block of an unknown node is reported once the whole file is read.
    EXPECT_EQ(Issues(), (Texts{invalid + "configured_NAD 0x01", invalid + "a = b = c",
                               without + "configured_NAD = 1", without + "configurable_frames",
                               without + "F = 1"}));
    EXPECT_FALSE(document.nodes.Get(0)->HasAttributes());
}

TEST_F(NodeAttributesReader, AttributesMayComeBeforeTheNodes) {
    ASSERT_TRUE(LoadText(document,
                         "Node_attributes { S1 { configured_NAD = 0x01;"
                         "  configurable_frames { F1; F2 = 0x12; } } }\n"
                         "Nodes { Master: M, 5 ms, 1 ms; Slaves: S1; }"));
    const corvdekLINNode* node = document.nodes.Get(0);
    EXPECT_EQ(Utf8(node->configuredNAD), "0x01");
    EXPECT_EQ(Utf8(node->configurableFrameNames), (Texts{"F1", "F2"}));
    EXPECT_EQ(Utf8(node->configurableFrameIds), (Texts{"", "0x12"}));
    EXPECT_TRUE(Issues().empty());
}

// A statement nested below configurable_frames, or standing at depth 0 after the section,
// is a configurable frame of the node read last.
TEST_F(NodeAttributesReader, StatementsAtOtherDepthsAreConfigurableFramesOfTheLastNode) {
    const struct {
        const char* where;
        const char* attributes;
    } cases[] = {
        {"below configurable_frames", "Node_attributes { S1 { configurable_frames { F1; { F2; } } } }"},
        {"at depth 0 after the section", "Node_attributes { S1 { configurable_frames { F1; } } } F2;"},
        {"before the nodes are known", "Node_attributes { S1 { configurable_frames { F1; { F2; } } } }"},
    };
    for (const auto& c : cases) {
        corvdekLINDefinitionFile loaded;
        const std::string nodes = "Nodes { Master: M, 5 ms, 1 ms; Slaves: S1; }\n";
        const bool nodesFirst = std::string(c.where) != "before the nodes are known";
        ASSERT_TRUE(LoadText(loaded, nodesFirst ? nodes + c.attributes : c.attributes + ("\n" + nodes)));
        EXPECT_EQ(Utf8(loaded.nodes.Get(0)->configurableFrameNames), (Texts{"F1", "F2"})) << c.where;
        EXPECT_EQ(LoadIssues(loaded), Texts{}) << c.where;
    }
}

using CompositeReader = SectionReader;

TEST_F(CompositeReader, ConfigurationsAndTheirNodes) {
    LoadSection("composite",
                "configuration   C1 { CN1 { LN1, LN2; LN3; } CN2 { LN4, LN5 } ; }\n"
                "configuration\tC2 { CN { LN1; } }\n"
                "configuration { }\n"
                "Bad { }");
    ASSERT_EQ(document.compositeConfigurations.GetCount(), 3);
    const corvdekLINCompositeConfiguration* first = document.compositeConfigurations.Get(0);
    EXPECT_EQ(Utf8(first->name), "C1");
    ASSERT_EQ(first->compositeNodes.GetCount(), 2);
    EXPECT_EQ(Utf8(first->compositeNodes.Get(0)->name), "CN1");
    EXPECT_EQ(Utf8(first->compositeNodes.Get(0)->nodeNames), (Texts{"LN1", "LN2", "LN3"}));
    // The ';' after the last logical node is optional.
    EXPECT_EQ(Utf8(first->compositeNodes.Get(1)->name), "CN2");
    EXPECT_EQ(Utf8(first->compositeNodes.Get(1)->nodeNames), (Texts{"LN4", "LN5"}));
    EXPECT_EQ(Utf8(document.compositeConfigurations.Get(1)->name), "C2");  // after a tab
    EXPECT_EQ(Utf8(document.compositeConfigurations.Get(2)->name), "configuration");
    EXPECT_EQ(Issues(), (Texts{"0|LIN Composite Node invalid|LIN Composite Node invalid at "
                               "line: Bad"}));
}

TEST_F(CompositeReader, NodeBeforeAnyConfiguration) {
    ASSERT_TRUE(LoadText(document, "composite { { CN1 { LN1; } } }"));
    EXPECT_EQ(Issues(), (Texts{"0|LIN Composite Node invalid|LIN Composite Node invalid at "
                               "line: CN1",
                               "0|LIN Composite Node invalid|LIN Composite Node invalid at "
                               "line: LN1"}));
}

}  // namespace
