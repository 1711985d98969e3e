// The setup checks: every rule, its texts, section keys, levels and the order of the rows.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/definition_file.h"
#include "model/ldf_numbers.h"
#include "support/test_support.h"

namespace {

using test_support::LoadText;
using test_support::SetupIssues;
using test_support::Utf8;
using Texts = std::vector<std::string>;

const std::string kTail =
    " is not understood by the Tabrel. This value should be \"1.2\", \"1.3\", or \"J2602\". ";

// A cluster that breaks no general rule; the tests change one thing at a time.
class SetupChecks : public ::testing::Test {
protected:
    void SetUp() override {
        document.protocolVersion = u"2.1";
        document.languageVersion = u"2.1";
        document.speed = u"19.2";
        document.masterTimebase = u"5";
        document.masterJitter = u"0.1";
        document.master.name = u"CEM";
        for (const char16_t* slave : {u"LSM", u"RSM"}) {
            corvdekLINNode* node = document.nodes.Add();
            node->name = slave;
            node->configuredNAD.SetInt(0x60 + document.nodes.GetCount());  // fits SAE J2602 too
        }
    }
    Texts Check() {
        document.CheckSetup();
        return SetupIssues(document);
    }
    corvdekLINSignal* AddSignal(const char16_t* name, const char16_t* size, const char16_t* publisher,
                                std::initializer_list<const char16_t*> receivers) {
        corvdekLINSignal* signal = document.signals.Add();
        signal->name = name;
        signal->size = size;
        signal->publisher = publisher;
        for (const char16_t* receiver : receivers) signal->subscribers.Add(corvString(receiver));
        return signal;
    }
    // Sends the frame in the schedule table "Main", every 10 ms.
    void Schedule(const char16_t* frame) {
        if (document.scheduleTables.IsEmpty()) document.scheduleTables.Add()->name = u"Main";
        corvdekLINScheduleTableItem* entry = document.scheduleTables.Get(0)->items.Add();
        entry->frameName = frame;
        entry->delay = u"10";
    }
    // The warning that comes after the rows of a signal that no frame carries.
    static std::string InNoFrame(const std::string& signal) {
        return "0|" + signal + " - signal in no frame|Signals-" + signal + "-Name|No frame carries the signal " +
               signal + ".";
    }

    corvdekLINDefinitionFile document;
};

TEST_F(SetupChecks, ASoundClusterHasNoIssues) { EXPECT_EQ(Check(), Texts{}); }

TEST_F(SetupChecks, ProtocolAndLanguageVersions) {
    for (const char16_t* good : {u"1.2", u"1.3", u"2.0", u"2.2", u"2.3", u"J2602_1_1.0", u"j2602",
                                 u"ISO17987:2015", u"ISO17987:2016"}) {
        document.protocolVersion = good;
        document.languageVersion = good;
        EXPECT_EQ(Check(), Texts{}) << Utf8(corvString(good));
    }
    document.protocolVersion = u" 2.1 ";
    EXPECT_EQ(Check(), Texts{});
    EXPECT_EQ(Utf8(document.protocolVersion), " 2.1 ");  // the check changes no value

    document.protocolVersion = u"2.4";
    document.languageVersion = u"";
    EXPECT_EQ(Check(), (Texts{"1|Unknown LIN Protocol version|General-Protocol|The LIN Protocol "
                              "version 2.4" + kTail,
                              "1|Unknown LIN Language version|General-Language|The LIN Language "
                              "version " + kTail}));
    for (const char16_t* bad : {u"1.20", u"2", u"J 2602", u"ISO17987", u"ISO 17987:2015"}) {
        document.protocolVersion = bad;
        EXPECT_EQ(Check().size(), 2u) << Utf8(corvString(bad));
    }
}

TEST_F(SetupChecks, BusSpeedLimitsAreInclusive) {
    for (const char16_t* good : {u"1.0", u"20.0", u"19.2 kbps"}) {
        document.speed = good;
        EXPECT_EQ(Check(), Texts{}) << Utf8(corvString(good));
    }
    for (const char16_t* bad : {u"0.99", u"20.01", u"", u"abc", u"nan", u"inf"}) {
        document.speed = bad;
        EXPECT_EQ(Check(), (Texts{"0|Baudrate is out of range|General-LINBaudRate|The LIN Baud "
                                  "Rate: " + Utf8(corvString(bad)) +
                                  " is out of the range. This value should be between 1.0 and "
                                  "20.0 KBaud. "}));
    }
}

TEST_F(SetupChecks, JitterAgainstTimeBase) {
    const std::string jitterRow =
        "0|Jitter is out of range|General-LINJitter|The jitter: %s is out of the range. This value "
        "should be be greater than 0 and less than the timebase.";
    auto row = [&](const std::string& value) {
        std::string text = jitterRow;
        return text.replace(text.find("%s"), 2, value);
    };
    // The time base is 5 ms: 0 <= jitter < 5 passes.
    const struct {
        const char16_t* jitter;
        bool reported;
    } cases[] = {{u"0", false}, {u"0.1", false}, {u"4.999", false}, {u"5", true}, {u"6", true},
                 {u"", true},   {u"-1", true},   {u"nan", true},   {u"abc", true}};
    for (const auto& c : cases) {
        document.masterJitter = c.jitter;
        const std::string value = Utf8(document.masterJitter);
        EXPECT_EQ(Check(), c.reported ? Texts{row(value)} : Texts{}) << "jitter '" << value << "'";
    }
}

TEST_F(SetupChecks, TimeBaseOfZero) {
    const std::string timebaseRow =
        "0|TimeBase is out of range|General-LINTimeBase|The timebase: 0 is out of the range. This "
        "value should be be greater than 0.";
    document.masterTimebase = u"0";
    const Texts rows = Check();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1], timebaseRow);  // after the jitter row: 0.1 exceeds the time base
    document.masterJitter = u"0";
    const Texts noJitterFits = Check();
    ASSERT_EQ(noJitterFits.size(), 2u) << "no jitter fits a time base of 0";
    EXPECT_EQ(noJitterFits[1], timebaseRow);
    document.masterTimebase = u"inf";
    document.masterJitter = u"0.1";
    EXPECT_EQ(Check(), (Texts{"0|TimeBase is out of range|General-LINTimeBase|The timebase: inf "
                              "is out of the range. This value should be be greater than 0."}));
}

TEST_F(SetupChecks, MasterAndSlaves) {
    document.master.name = u"   ";
    document.nodes.Clear();
    EXPECT_EQ(Check(), (Texts{"0|The master node is blank|Nodes-Master|The master node cannot be "
                              "undefined.",
                              "0|No slave nodes|Nodes-Slaves|There must be at least one slave "
                              "node."}));
    EXPECT_EQ(Utf8(document.master.name), "   ");  // the check changes no value
}

TEST_F(SetupChecks, FrameRules) {
    AddSignal(u"Known", u"8", u"CEM", {u"LSM"});
    corvdekLINFrame* frame = document.frames.Add();
    frame->name = u"Frm-1";
    frame->publisher = u"";
    for (const char16_t* name : {u"Ghost", u"Known", u"Ghost"}) {
        frame->signalNames.Add(corvString(name));
        frame->signalOffsets.Add(corvString(u"0"));
    }
    corvdekLINFrame* second = document.frames.Add();
    second->name = u"Frm2";
    second->publisher = u"cem";  // names compare case-sensitively
    for (corvdekLINFrame* each : {frame, second}) {
        each->frameId.SetInt(document.frames.GetCount() + (each == frame ? 0 : 1));
        each->length = u"1";
        Schedule(each->name.c_str());
    }
    const std::string missing = "0|Signal does not exist for frame: Frm-1|Frames-Frm-1-Signals|"
                                "The signal: Ghost is not available in the signal list.";
    EXPECT_EQ(Check(),
              (Texts{missing, missing,
                     "0|Frm-1 - source node blank|Frames-Frm-1-SourceNode|The source node: "
                     "(blank) is not a defined node.",
                     "0|Frm2 - source node missing|Frames-Frm2-SourceNode|The source node: cem "
                     "is not a defined node.",
                     "1|Frm-1 - name is no identifier|Frames-Frm-1-Name|The name Frm-1 is no LDF identifier "
                     "(letters, digits and '_', not a keyword); a save leaves it out."}));
    EXPECT_EQ(frame->owner, &document);
    EXPECT_EQ(frame->GetSignal(1), document.signals.Get(0));
    EXPECT_EQ(frame->GetSignal(0), nullptr);
    EXPECT_EQ(frame->GetSignal(3), nullptr);
}

TEST_F(SetupChecks, SignalRulesInTheirOrder) {
    corvdekLINSignal* signal = AddSignal(u"Sig", u"17", u"Ghost", {u"X", u"Ghost", u"Y", u"Ghost"});
    signal->encoding = u"NoSuchEncoding";
    document.encodingTypes.Add()->name = u"Other";
    EXPECT_EQ(Check(),
              (Texts{"0|Sig - signal encoding missing|Signals-Sig-Encoding|The signal encoding: "
                     "NoSuchEncoding is not available in the signal encoding list.",
                     "0|Sig - source node missing|Signals-Sig-SourceNode|The source node: Ghost "
                     "is not a defined node.",
                     "0|Sig - receiver node missing|Signals-Sig-RxNodes|The receviver node: X is "
                     "not a defined node.",
                     "0|Sig - receiver node missing|Signals-Sig-RxNodes|The receviver node: Ghost "
                     "is not a defined node.",
                     "0|Sig - receiver node missing|Signals-Sig-RxNodes|The receviver node: Y is "
                     "not a defined node.",
                     "0|Sig - receiver node missing|Signals-Sig-RxNodes|The receviver node: Ghost "
                     "is not a defined node.",
                     "0|Sig - transmitted and received by the same node|Signals-Sig-SourceNode|"
                     "The source node: Ghost is included in the receive list.",
                     "0|Sig - signal size out of range|Signals-Sig-SignalSize|The signal size: 17 "
                     "must be from 1 to 16 for scalar signals.",
                     InNoFrame("Sig")}));
    signal->encoding = u"Other";
    signal->publisher = u"";
    signal->subscribers.Clear();
    signal->size = u"abc";
    EXPECT_EQ(Check(),
              (Texts{"0|Sig - source node blank|Signals-Sig-SourceNode|The source node: (blank) is "
                     "not a defined node.",
                     "0|Sig - signal size out of range|Signals-Sig-SignalSize|The signal size: 0 "
                     "must be from 1 to 16 for scalar signals.",
                     "0|Sig - no Rx Nodes|Signals-Sig-RxNodes|There are no rx nodes defined for "
                     "this signal.",
                     InNoFrame("Sig")}));
}

TEST_F(SetupChecks, SignalSizes) {
    corvdekLINSignal* scalar = AddSignal(u"S", u"1", u"CEM", {u"LSM"});
    for (const char16_t* good : {u"1", u"16", u" 8bits"}) {
        scalar->size = good;
        EXPECT_EQ(Check(), Texts{InNoFrame("S")});
    }
    for (const char16_t* bad : {u"0", u"17"}) {
        scalar->size = bad;
        EXPECT_EQ(Check().size(), 2u);
    }
    scalar->isByteArray = true;
    for (const char16_t* good : {u"8", u"24", u"64"}) {
        scalar->size = good;
        scalar->initValues.Clear();
        for (unsigned byte = 0; byte < WholeNumber(scalar->size).value() / 8; ++byte) scalar->initValues.Add(corvString(u"0"));
        EXPECT_EQ(Check(), Texts{InNoFrame("S")});
    }
    scalar->initValues.Clear();
    for (const char16_t* bad : {u"12", u"72", u"0"}) {
        scalar->size = bad;
        EXPECT_EQ(Check(), (Texts{"0|S - signal size out of range|Signals-S-SignalSize|The signal "
                                  "size: " + Utf8(corvString(bad)) +
                                  " must be 8,16,24,32,40,48,56, and 64 for byte array signals.",
                                  InNoFrame("S")}));
    }
}

TEST_F(SetupChecks, SlaveToSlaveOnlyMattersForJ2602) {
    const Texts slaveToSlave = {"0|A - slave to slave communications|Signals-A-RxNodes|J2602 "
                                "probhits slave to slave communications where a source slave "
                                "communicates to another slave."};
    const Texts unsent = {InNoFrame("A")};
    corvdekLINSignal* signal = AddSignal(u"A", u"8", u"LSM", {u"RSM"});
    EXPECT_EQ(Check(), unsent);
    document.isJ2602 = true;
    EXPECT_EQ(Check(), (Texts{slaveToSlave[0], unsent[0]}));
    signal->subscribers.Clear();
    signal->subscribers.Add(corvString(u"CEM"));
    EXPECT_EQ(Check(), unsent);  // slave to master only
    signal->subscribers.Add(corvString(u"RSM"));
    EXPECT_EQ(Check(), (Texts{slaveToSlave[0], unsent[0]}));
    signal->subscribers.RemoveAt(0);
    signal->publisher = u"CEM";  // master to a slave
    EXPECT_EQ(Check(), unsent);
    signal->publisher = u"Unknown";  // the source need not be defined for this rule
    EXPECT_EQ(Check().rbegin()[1], slaveToSlave.front());
}

TEST_F(SetupChecks, AWholeClusterRowByRow) {
    ASSERT_TRUE(LoadText(document,
                         "LIN_protocol_version = \"2.5\"; LIN_language_version = \"J2602_3_1.0\";"
                         "LIN_speed = 25 kbps;"
                         "Nodes { Master: CEM, 5 ms, 0.1 ms; Slaves: LSM; }"
                         "Signals { Req: 2, 0, CEM, LSM; Sw: 8, 0, LSM, CEM, LSM; Orphan: 4, 0, RSM; }"
                         "Frames { F1: 0x01, CEM, 1 { Req, 0; Missing, 2; } F2: 0x02, RSM, 1 { Sw, 0; } }"
                         "Signal_encoding_types { Dig { logical_value, 0, \"off\"; } }"
                         "Signal_representation { Dig: Req; Analog: Sw; }"));
    EXPECT_EQ(Check(),
              (Texts{"1|Unknown LIN Protocol version|General-Protocol|The LIN Protocol version "
                     "2.5" + kTail,
                     "0|Baudrate is out of range|General-LINBaudRate|The LIN Baud Rate: 25 is out "
                     "of the range. This value should be between 1.0 and 20.0 KBaud. ",
                     "0|Signal does not exist for frame: F1|Frames-F1-Signals|The signal: Missing "
                     "is not available in the signal list.",
                     "0|F2 - source node missing|Frames-F2-SourceNode|The source node: RSM is not "
                     "a defined node.",
                     "0|Sw - signal encoding missing|Signals-Sw-Encoding|The signal encoding: "
                     "Analog is not available in the signal encoding list.",
                     "0|Sw - transmitted and received by the same node|Signals-Sw-SourceNode|The "
                     "source node: LSM is included in the receive list.",
                     "0|Orphan - source node missing|Signals-Orphan-SourceNode|The source node: "
                     "RSM is not a defined node.",
                     "0|Orphan - no Rx Nodes|Signals-Orphan-RxNodes|There are no rx nodes defined "
                     "for this signal.",
                     // The LIN rules, by object kind; 2.5 is unknown, so the J2602 language
                     // version decides which apply.
                     "0|LSM - no node attributes|Nodes-LSM-Attributes|LIN 2.0 and later describe every slave in "
                     "Node_attributes (its NAD and product id); LSM has none.",
                     InNoFrame("Orphan"),
                     "0|F1 - frame in no schedule table|Frames-F1-Name|No schedule table sends the frame F1.",
                     "1|F2 - signal of another publisher|Frames-F2-Signals|The frame is published by RSM, but its "
                     "signal Sw is published by LSM.",
                     "0|F2 - frame in no schedule table|Frames-F2-Name|No schedule table sends the frame F2."}));
    EXPECT_EQ(Check(), Check());  // a second run gives the same rows
}

}  // namespace

namespace {

TEST(SetupChecksOfExamples, ExamplesBreakNoRule) {
    for (const auto& file : test_support::LdfFilesIn(test_support::ExamplesDir())) {
        corvdekLINDefinitionFile document;
        ASSERT_TRUE(document.LoadFromFile(test_support::Path(file)));
        document.CheckSetup();
        EXPECT_EQ(SetupIssues(document), Texts{}) << file;
    }
}

}  // namespace
