// The fixed layout of written LDF files, and saving that never destroys the old file.

#include "ldf_writer/ldf_writer.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "model/definition_file.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;
using test_support::LoadText;
using test_support::Utf8;

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
}

const std::vector<std::string> kHeader = {
    "// Generated with Kestova LIN Tabrel", "", "LIN_description_file ;", ""};

TEST(Writer, EmptyDocumentLeavesOutWhatWouldBeEmpty) {
    corvdekLINDefinitionFile document;
    std::vector<std::string> expected = kHeader;
    const std::vector<std::string> rest = {
        "LIN_protocol_version = \"\";", "LIN_language_version = \"\";", "",
        "Nodes {", "}", "", "", "", "", "", "", "", "", "", "", "", ""};
    expected.insert(expected.end(), rest.begin(), rest.end());
    corvStringArray leftOut;
    EXPECT_EQ(RenderLDF(document, &leftOut), Lines(expected));
    EXPECT_EQ(Utf8(leftOut), std::vector<std::string>{"LIN_speed: the cluster has no speed."});
}

TEST(Writer, EverySectionInItsPlace) {
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(LoadText(document,
                         "LIN_protocol_version = \"2.2\"; LIN_language_version = \"2.2\";"
                         "LIN_speed = 19.2 kbps;"
                         "Nodes { Master: CEM, 5 ms, 0.1 ms; Slaves: LSM, RSM; }"
                         "composite { configuration C1 { CN1 { LSM, RSM; } } }"
                         "Signals { EngineSpeed: 16, 0, CEM, LSM, RSM; Serial: 16, {1, 2}, LSM;"
                         "  S: 8, 0, CEM; }"
                         "Diagnostic_signals { MasterReqB0: 8, 0; }"
                         "dynamic_frames { 1, 2,3; }"
                         "Frames { VL1_CEM_Frm1: 0x01, CEM, 2 { EngineSpeed, 0; } Empty: 2, LSM {} }"
                         "Sporadic_frames { SP1: VL1_CEM_Frm1, Empty; }"
                         "Event_triggered_frames { ET1: 0x3A, Empty; }"
                         "Diagnostic_frames { MasterReq: 0x3c { MasterReqB0, 0; } }"
                         "Node_attributes { LSM { LIN_protocol = \"2.1\"; configured_NAD = 0x01;"
                         "  product_id = 0x1E, 0x1, 0; response_error = S; P2_min = 50 ms;"
                         "  ST_min = 0 ms; configurable_frames { VL1_CEM_Frm1 = 0x10; } }"
                         "  RSM { response_tolerance = 38 %; } }"
                         "Schedule_tables { T1 { VL1_CEM_Frm1 delay 10 ms; MasterReq delay 10 ms;"
                         "  SlaveResp delay 10 ms; AssignFrameId { LSM, Empty } delay 5 ms;"
                         "  UnassignFrameId { LSM, Empty } delay 5 ms;"
                         "  AssignNAD { 0x7F, 0x1E, 0x1, 0x02 } delay 5 ms;"
                         "  FreeFormat { 1, 2, 3, 4, 5, 6, 7, 8 } delay 5 ms; } }"
                         "Signal_encoding_types { Enc { logical_value, 0x0A, \"ten\";"
                         "  physical_value, 1, 63, 0.0625, 7.0, \"km/h\"; bcd_value; ascii_value; } }"
                         "Signal_representation { Enc: EngineSpeed, S; }"));
    std::vector<std::string> expected = kHeader;
    const std::vector<std::string> rest = {
        "LIN_protocol_version = \"2.2\";", "LIN_language_version = \"2.2\";",
        "LIN_speed = 19.2 kbps;", "",
        "Nodes {", "  Master: CEM, 5 ms, 0.1 ms;", "  Slaves: LSM, RSM;", "}", "", "",
        "composite {", "\tconfiguration C1 {", "\t\tCN1 {", "\t\t\tLSM, RSM;", "\t\t}", "\t}", "}",
        "",
        "Signals {", "\tEngineSpeed: 16, 0, CEM, LSM, RSM;", "\tSerial: 16, { 1, 2} , LSM;",
        "\tS: 8, 0, CEM;", "}", "",
        "Diagnostic_signals {", "     MasterReqB0:8,0;", "}", "",
        "dynamic_frames {", "\t1, 2,3;", "}", "",
        "Frames {", "\tVL1_CEM_Frm1: 0x01, CEM, 2 {", "\t\tEngineSpeed, 0;", "}",
        "\tEmpty: 2, LSM {", "}", "}", "",
        "Sporadic_frames {", "\tSP1: VL1_CEM_Frm1, Empty;", "}", "",
        "Event_triggered_frames {", "\tET1: 0x3A, Empty;", "}", "",
        "Diagnostic_frames {", "     MasterReq: 0x3c {", "\tMasterReqB0, 0;", "     }", "}", "",
        "Node_attributes {",
        "\tLSM { ", "\t\tLIN_protocol = \"2.1\";", "\t\tconfigured_NAD = 0x01;",
        "\t\tproduct_id = 0x1E,0x1,0;", "\t\tresponse_error = S;", "\t\tP2_min = 50 ms;",
        "\t\tST_min = 0 ms;", "\t\tconfigurable_frames {", "\t\t\tVL1_CEM_Frm1 = 0x10;", "\t\t}",
        "\t} ",
        "\tRSM { ", "\t\tresponse_tolerance = 38 %;", "\t} ",
        "}", "",
        "Schedule_tables {", "\tT1 { ",
        "\t\tVL1_CEM_Frm1 delay 10 ms;", "\t\tMasterReq delay 10 ms;", "\t\tSlaveResp delay 10 ms;",
        "\t\tAssignFrameId { LSM, Empty } delay 5 ms;",
        "\t\tUnassignFrameId { LSM, Empty } delay 5 ms;",
        "\t\tAssignNAD { 0x7F, 0x1E, 0x1, 0x02 } delay 5 ms;",
        "\t\tFreeFormat { 1, 2, 3, 4, 5, 6, 7, 8 } delay 5 ms;", "\t} ", "}", "", "",
        "Signal_encoding_types {", "\tEnc { ", "\t\tlogical_value, 10 ,\"ten\";",
        "\t\tphysical_value, 1 ,63 ,0.0625 ,7 ,\"km/h\";", "\t\tbcd_value;", "\t\tascii_value;",
        "\t} ", "}", "",
        "Signal_representation {", "\tEnc: EngineSpeed, S;", "}"};
    expected.insert(expected.end(), rest.begin(), rest.end());
    EXPECT_EQ(RenderLDF(document), Lines(expected));
}

TEST(Writer, SmallDetails) {
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(LoadText(document,
                         "Signal_encoding_types { E { physical_value, -5, 5, 1e-7, 0.1, \"\"; "
                         "  physical_value, 0, 1, 0.30000000000000004, 0; } }"));
    const std::string text = RenderLDF(document);
    // Reals in the shortest form that reads back as the same double; an empty unit as given.
    EXPECT_NE(text.find("\t\tphysical_value, -5 ,5 ,1e-07 ,0.1 ,\"\";\r\n"), std::string::npos);
    EXPECT_NE(text.find("\t\tphysical_value, 0 ,1 ,0.30000000000000004 ,0;\r\n"),
              std::string::npos);

    // Text outside the 8-bit code page is written with '?', not as a stray byte.
    document.channelName = u"Ma\u00DFter\u20AC\u4E2D";
    EXPECT_NE(RenderLDF(document).find("Channel_name = \"Ma\xDFter\x80?\";"), std::string::npos);
}

TEST(Writer, WhatCannotBeWrittenValidlyIsLeftOutAndNamed) {
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(LoadText(document,
                         "LIN_speed = 19.2 kbps; Nodes { Master: CEM, 5 ms, 0.1 ms; }"
                         "Schedule_tables { T { F delay  ms; AssignNAD { } delay 5 ms; G delay 5 ms; }"
                         "  Empty { } }"
                         "Event_triggered_frames { E: ; }"));
    document.masterMaxHeaderLength = u"24";
    document.compositeConfigurations.Add()->name = u"NewConfiguraton";
    document.nodes.Add()->name = u"LSM";
    document.nodes.Get(0)->variant = u"1";
    corvStringArray leftOut;
    const std::string text = RenderLDF(document, &leftOut);
    EXPECT_NE(text.find("  Master: CEM, 5 ms, 0.1 ms;\r\n"), std::string::npos);
    EXPECT_NE(text.find("\tT { \r\n\t\tG delay 5 ms;\r\n\t} \r\n}"), std::string::npos);
    for (const char* invalid : {"composite", "Empty", "product_id", "Event_triggered_frames",
                                "delay  ms", "AssignNAD"}) {
        EXPECT_EQ(text.find(invalid), std::string::npos) << invalid;
    }
    EXPECT_EQ(Utf8(leftOut),
              (std::vector<std::string>{
                  "Master: the J2602 header length ('24') and response tolerance ('') go "
                  "together; the one given is left out.",
                  "Composite configuration 'NewConfiguraton': it has no composite node that can be "
                  "written; it is left out.",
                  "Event-triggered frame 'E': it needs a name, an identifier (after an optional "
                  "collision table) and a frame to carry; it is left out.",
                  "Node LSM: product_id ',,1' needs a supplier id and a function id; it is left "
                  "out.",
                  "Schedule table T: an entry without its delay or without the values its "
                  "command needs.",
                  "Schedule table T: an entry without its delay or without the values its "
                  "command needs.",
                  "Schedule table Empty: it has no entries."}));
}

TEST(Writer, AWildByteArraySizeAsksForNoMoreThanEightValues) {
    corvdekLINDefinitionFile document;
    corvdekLINSignal& signal = *document.signals.Add();
    signal.name = u"Arr";
    signal.size = u"80000000";
    signal.isByteArray = true;
    signal.publisher = u"M";
    // Missing values are written as zeros, which stop at eight.
    EXPECT_NE(RenderLDF(document).find("\tArr: 80000000, { 0, 0, 0, 0, 0, 0, 0, 0} , M;"), std::string::npos);
}

// All signals of a large cluster in one encoding name more than one statement may hold: the
// list is written as several statements of the encoding, each as long as a loader takes, and
// the file reloads with every signal's encoding.
TEST(Writer, ARepresentationTooLongForOneStatementIsWrittenAsSeveral) {
    corvdekLINDefinitionFile document;
    document.encodingTypes.Add()->name = u"Enc";
    corvdekLINSignalRepresentations& representation = *document.representations.Add();
    representation.encodingName = u"Enc";
    constexpr int kSignals = 5000;  // 5000 names of 20 characters, with ", " 110,000 characters
    for (int i = 0; i < kSignals; ++i) {
        corvdekLINSignal& signal = *document.signals.Add();
        signal.name.AppendAnsi("Signal_number_").AppendInt(100000 + i);
        signal.size = u"8";
        signal.initValue = u"0";
        signal.publisher = u"M";
        representation.signalNames.Add(signal.name);
    }
    // 'Enc: ' and a name, then ', ' and a name until one more would pass the limit.
    const int firstStatementNames = static_cast<int>((kMaxStatementLength - 25) / 22) + 1;
    const std::string written = RenderLDF(document);
    const std::size_t start = written.find("\tEnc: ");
    ASSERT_NE(start, std::string::npos);
    const std::size_t end = written.find(';', start);
    EXPECT_EQ(end - start - 1, 25 + 22 * static_cast<std::size_t>(firstStatementNames - 1));
    corvdekLINDefinitionFile reloaded;
    ASSERT_TRUE(reloaded.LoadFromBytes(written)) << Utf8(reloaded.lastLoadError);
    ASSERT_EQ(reloaded.signals.GetCount(), kSignals);
    for (int i = 0; i < kSignals; ++i) ASSERT_EQ(Utf8(reloaded.signals.Get(i)->encoding), "Enc") << i;
    EXPECT_EQ(reloaded.representations.GetCount(), 2);
    EXPECT_EQ(reloaded.representations.Get(0)->signalNames.Count(), firstStatementNames);
}

class SaveFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("tabrel_save_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        document_.master.name = u"CEM";
    }
    void TearDown() override { fs::remove_all(dir_); }

    corvString PathOf(const std::string& name) const { return test_support::Path(dir_ / name); }
    std::vector<std::string> FilesInFolder() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_)) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }
    void WriteOldFile(const std::string& name) const {
        std::ofstream(dir_ / name, std::ios::binary) << "old contents";
    }

    fs::path dir_;
    corvdekLINDefinitionFile document_;
};

TEST_F(SaveFile, StoresExactlyTheRenderedText) {
    WriteOldFile("cluster.ldf");
    fs::permissions(dir_ / "cluster.ldf", fs::perms::owner_read | fs::perms::owner_write |
                                              fs::perms::group_read);
    ASSERT_TRUE(WriteLDF(document_, PathOf("cluster.ldf")));
    EXPECT_EQ(test_support::ReadBytes(dir_ / "cluster.ldf"), RenderLDF(document_));
    EXPECT_EQ(fs::status(dir_ / "cluster.ldf").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(FilesInFolder(), std::vector<std::string>{"cluster.ldf"});
}

TEST_F(SaveFile, MissingFolderIsAnOpeningProblem) {
    EXPECT_FALSE(WriteLDF(document_, PathOf("no/such/folder.ldf")));
    EXPECT_EQ(Utf8(document_.lastLoadError), "Problem opening file.");
}

TEST_F(SaveFile, AFolderIsNeverReplaced) {
    fs::create_directories(dir_ / "cluster.ldf");
    EXPECT_FALSE(WriteLDF(document_, PathOf("cluster.ldf")));
    EXPECT_EQ(Utf8(document_.lastLoadError), "Problem opening file.");
    EXPECT_EQ(FilesInFolder(), std::vector<std::string>{"cluster.ldf"});
    EXPECT_TRUE(fs::is_directory(dir_ / "cluster.ldf"));
}

// A pipe and a character device are written into; replacing them by a regular file
// would break whatever reads the pipe, or the machine's /dev/null.
TEST_F(SaveFile, APipeIsWrittenIntoNotReplaced) {
    const fs::path pipe = dir_ / "cluster.fifo";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] { received = test_support::ReadBytes(pipe); });
    const bool written = WriteLDF(document_, PathOf("cluster.fifo"));
    reader.join();
    EXPECT_TRUE(written);
    EXPECT_EQ(received, RenderLDF(document_));
    EXPECT_TRUE(fs::is_fifo(pipe));
    EXPECT_EQ(FilesInFolder(), std::vector<std::string>{"cluster.fifo"});
}

TEST_F(SaveFile, ALinkThatLeadsNowhereIsNeverReplaced) {
    fs::create_symlink(dir_ / "missing.ldf", dir_ / "dangling.ldf");
    fs::create_symlink(dir_ / "loop.ldf", dir_ / "loop.ldf");
    for (const char* link : {"dangling.ldf", "loop.ldf"}) {
        EXPECT_FALSE(WriteLDF(document_, PathOf(link))) << link;
        EXPECT_TRUE(fs::is_symlink(dir_ / link)) << link;
    }
    EXPECT_FALSE(fs::exists(dir_ / "missing.ldf"));
}

TEST_F(SaveFile, ACharacterDeviceIsWrittenIntoNotReplaced) {
    ASSERT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_TRUE(WriteLDF(document_, corvString(u"/dev/null")));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

// A write that fails half-way (here: the process may not write files that large, which
// fails like a full disk and works for root too) leaves the old file as it was.
TEST_F(SaveFile, FailedWriteLeavesTheOldFileIntact) {
    WriteOldFile("cluster.ldf");
    for (int i = 0; i < 200; ++i) {
        corvdekLINSignal& signal = *document_.signals.Add();
        signal.name = u"SignalWithALongName";
        signal.size = u"8";
        signal.initValue = u"0";
        signal.publisher = u"M";
    }

    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = ::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved_ok = WriteLDF(document_, PathOf("cluster.ldf"));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(saved_ok);
    EXPECT_EQ(Utf8(document_.lastLoadError), "Problem writing file.");
    EXPECT_EQ(test_support::ReadBytes(dir_ / "cluster.ldf"), "old contents");
    EXPECT_EQ(FilesInFolder(), std::vector<std::string>{"cluster.ldf"});
}

TEST_F(SaveFile, SavingThroughALinkReplacesTheLinkedFile) {
    WriteOldFile("real.ldf");
    fs::create_symlink(dir_ / "real.ldf", dir_ / "link.ldf");
    ASSERT_TRUE(WriteLDF(document_, PathOf("link.ldf")));
    EXPECT_TRUE(fs::is_symlink(dir_ / "link.ldf"));
    EXPECT_EQ(test_support::ReadBytes(dir_ / "real.ldf"), RenderLDF(document_));
}

}  // namespace

namespace {

// A text the file gave empty is written back empty; one it did not give stays away.
TEST(Writer, ExplicitlyEmptyTextsStayAsRead) {
    const struct {
        const char* statement;
        const char* written;  // nullptr: not written at all
    } cases[] = {
        {"Channel_name = \"\";", "Channel_name = \"\";\r\n"},
        {"LDF_file_revision = \"\";", "LDF_file_revision = \"\";\r\n"},
        {"", nullptr},
        {"Signal_encoding_types { E { logical_value, 1, \"\"; } }", "\t\tlogical_value, 1 ,\"\";\r\n"},
        {"Signal_encoding_types { E { logical_value, 1; } }", "\t\tlogical_value, 1;\r\n"},
        {"Signal_encoding_types { E { physical_value, 0, 255, 1, 0, \"\"; } }",
         "\t\tphysical_value, 0 ,255 ,1 ,0 ,\"\";\r\n"},
        {"Signal_encoding_types { E { physical_value, 0, 255, 1, 0; } }", "\t\tphysical_value, 0 ,255 ,1 ,0;\r\n"},
    };
    for (const auto& c : cases) {
        corvdekLINDefinitionFile document;
        ASSERT_TRUE(LoadText(document, std::string("LIN_description_file; ") + c.statement));
        const std::string text = RenderLDF(document);
        if (c.written == nullptr) {
            EXPECT_EQ(text.find("Channel_name"), std::string::npos) << text;
            EXPECT_EQ(text.find("LDF_file_revision"), std::string::npos) << text;
        } else {
            EXPECT_NE(text.find(c.written), std::string::npos) << c.statement << " gave:\n" << text;
        }
    }
}

}  // namespace

namespace {

// The editor's undo states keep every value, also those a save leaves out, so that an object
// the user has not finished comes back whole.
TEST(Writer, EveryValueRenderingKeepsWhatASaveLeavesOut) {
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(LoadText(document, "LIN_description_file; Nodes { Master: M, 5 ms, 0 ms; Slaves: S; }"
                                   "Node_attributes { S { configured_NAD = 0x01; } }"));
    corvdekLINSignal& signal = *document.signals.Add();
    signal.name = u"NewSignal1";  // no size, initial value or publisher yet
    corvdekLINNode& node = *document.nodes.Get(0);
    node.p2Min = u"50x";
    node.configurableFrameNames.Add(corvString(u"F1"));
    node.configurableFrameIds.Add(corvString(u"0x10"));
    node.configurableFrameNames.Add(corvString(u"F2"));
    node.configurableFrameIds.Add(corvString());
    document.eventFrames.Add()->name = u"NewEvent";
    corvStringArray leftOut;
    RenderLDF(document, &leftOut);
    EXPECT_GE(leftOut.Count(), 4) << testing::PrintToString(Utf8(leftOut));

    corvdekLINDefinitionFile restored;
    ASSERT_TRUE(restored.LoadFromBytes(RenderLDF(document, nullptr, LdfRendering::kEveryValue)));
    EXPECT_EQ(Utf8(restored.signals.Get(0)->name), "NewSignal1");
    EXPECT_EQ(Utf8(restored.nodes.Get(0)->p2Min), "50x");
    EXPECT_EQ(Utf8(restored.nodes.Get(0)->configurableFrameIds), (std::vector<std::string>{"0x10", ""}));
    ASSERT_EQ(restored.eventFrames.GetCount(), 1);
    EXPECT_EQ(Utf8(restored.eventFrames.Get(0)->name), "NewEvent");
}

// Every form of schedule entry comes back from the undo states' rendering as it was.
TEST(Writer, EveryValueRenderingKeepsEveryScheduleEntryForm) {
    for (const char* entry : {"F delay 10 ms;", "AssignNAD { S } delay 10 ms;",
                              "AssignNAD { 0x21, 0x7FFF, 0xFFFF, 0x22 } delay 10 ms;", "AssignFrameId { S, F } delay 5 ms;",
                              "FreeFormat { 1, 2, 3, 4, 5, 6, 7, 8 } delay 5 ms;", "DataDump { S, 1, 2, 3, 4, 5 } delay 5 ms;",
                              "SaveConfiguration { S } delay 5 ms;", "AssignFrameIdRange { S, 0 } delay 5 ms;"}) {
        corvdekLINDefinitionFile document;
        ASSERT_TRUE(LoadText(document, std::string("LIN_description_file; LIN_protocol_version = \"2.1\";"
                                                   "Nodes { Master: M, 5 ms, 0.1 ms; Slaves: S; }"
                                                   "Signals { A: 8, 0, M, S; } Frames { F: 0x10, M, 1 { A, 0; } }"
                                                   "Schedule_tables { T { ") + entry + " } }"));
        corvdekLINDefinitionFile restored;
        ASSERT_TRUE(restored.LoadFromBytes(RenderLDF(document, nullptr, LdfRendering::kEveryValue)));
        EXPECT_EQ(RenderLDF(restored), RenderLDF(document)) << entry;
    }
}

}  // namespace
