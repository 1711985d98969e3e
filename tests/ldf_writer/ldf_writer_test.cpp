// The fixed layout of written LDF files, and saving that never destroys the old file.

#include "ldf_writer/ldf_writer.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
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

TEST(Writer, EmptyDocument) {
    corvdekLINDefinitionFile document;
    std::vector<std::string> expected = kHeader;
    const std::vector<std::string> rest = {
        "LIN_protocol_version = \"\";", "LIN_language_version = \"\";", "LIN_speed =  kbps;", "",
        "Nodes {", "  Master: ,  ms,  ms;", "  Slaves: ;", "}", "", "",
        "composite {", "}", "",
        "Signals {", "}", "", "",
        "Frames {", "}", "",
        "Sporadic_frames {", "}", "",
        "Event_triggered_frames {", "}", "", "",
        "Schedule_tables {", "}", "", "",
        "Signal_encoding_types {", "}", "",
        "Signal_representation {", "}"};
    expected.insert(expected.end(), rest.begin(), rest.end());
    EXPECT_EQ(RenderLDF(document), Lines(expected));
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
                         "  FreeFormat { 1, 2, 3 } delay 5 ms; } }"
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
        "Diagnostic_signals {",
        "     MasterReqB0:8,0;", "     MasterReqB1:8,0;", "     MasterReqB2:8,0;",
        "     MasterReqB3:8,0;", "     MasterReqB4:8,0;", "     MasterReqB5:8,0;",
        "     MasterReqB6:8,0;", "     MasterReqB7:8,0;",
        "     SlaveRespB0:8,0;", "     SlaveRespB1:8,0;", "     SlaveRespB2:8,0;",
        "     SlaveRespB3:8,0;", "     SlaveRespB4:8,0;", "     SlaveRespB5:8,0;",
        "     SlaveRespB6:8,0;", "     SlaveRespB7:8,0;", "}", "",
        "dynamic_frames {", "\t1, 2,3;", "}", "",
        "Frames {", "\tVL1_CEM_Frm1: 0x01, CEM, 2 {", "\t\tEngineSpeed, 0;", "}",
        "\tEmpty: 2, LSM,  {", "}", "}", "",
        "Sporadic_frames {", "\tSP1: VL1_CEM_Frm1, Empty;", "}", "",
        "Event_triggered_frames {", "\tET1: 0x3A, Empty;", "}", "",
        "Diagnostic_frames {", "     MasterReq: 60 {",
        "\tMasterReqB0:0;", "\tMasterReqB1:8;", "\tMasterReqB2:16;", "\tMasterReqB3:24;",
        "\tMasterReqB4:32;", "\tMasterReqB5:40;", "\tMasterReqB6:48;", "\tMasterReqB7:56;",
        "     }", "  SlaveResp: 61 {",
        "\tSlaveRespB0:0;", "\tSlaveRespB1:8;", "\tSlaveRespB2:16;", "\tSlaveRespB3:24;",
        "\tSlaveRespB4:32;", "\tSlaveRespB5:40;", "\tSlaveRespB6:48;", "\tSlaveRespB7:56;",
        "     }", "}", "",
        "Node_attributes {",
        "\tLSM { ", "\t\tLIN_protocol = \"2.1\";", "\t\tconfigured_NAD = 0x01;",
        "\t\tproduct_id = 0x1E,0x1,0;", "\t\tresponse_error = S;", "\t\tP2_min = 50 ms;",
        "\t\tST_min = 0 ms;", "\t\tconfigurable_frames {", "\t\t\tVL1_CEM_Frm1 = 0x10;", "\t\t}",
        "\t} ",
        "\tRSM { ", "\t\tLIN_protocol = \"\";", "\t\tconfigured_NAD = ;", "\t\tproduct_id = ,,;",
        "\t\tresponse_error = ;", "\t\tP2_min =  ms;", "\t\tST_min =  ms;",
        "\t\tresponse_tolerance = 38 %;", "\t} ",
        "}", "",
        "Schedule_tables {", "\tT1 { ",
        "\t\tVL1_CEM_Frm1 delay 10 ms;", "\t\tMasterReq delay 10 ms;", "\t\tSlaveResp delay 10 ms;",
        "\t\tAssignFrameId { LSM, Empty } delay 5 ms;",
        "\t\tUnassignFrameId { LSM, Empty } delay 5 ms;",
        "\t\tAssignNAD { 0x7F, 0x1E, 0x1, 0x02 } delay 5 ms;",
        "\t\tFreeFormat { 1, 2, 3 } delay 5 ms;", "\t} ", "}", "", "",
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
                         "Schedule_tables { T { F delay  ms; } }"
                         "Signal_encoding_types { E { physical_value, -5, 5, 1e-7, 0.1, \"\"; } }"));
    const std::string text = RenderLDF(document);
    EXPECT_NE(text.find("\t\tF delay  ms;\r\n"), std::string::npos);
    EXPECT_NE(text.find("\t\tphysical_value, -5 ,5 ,1e-07 ,0.1 ,\"\";\r\n"), std::string::npos);

    // Text outside the 8-bit code page is written with '?', not as a stray byte.
    document.master.name = u"Ma\u00DFter\u20AC\u4E2D";
    EXPECT_NE(RenderLDF(document).find("  Master: Ma\xDFter\x80?, "), std::string::npos);
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

TEST_F(SaveFile, FailedRenameLeavesNoPartialFile) {
    fs::create_directories(dir_ / "cluster.ldf");  // a folder cannot be replaced by a file
    EXPECT_FALSE(WriteLDF(document_, PathOf("cluster.ldf")));
    EXPECT_EQ(Utf8(document_.lastLoadError), "Problem writing file.");
    EXPECT_EQ(FilesInFolder(), std::vector<std::string>{"cluster.ldf"});
}

// A write that fails half-way (here: the process may not write files that large, which
// fails like a full disk and works for root too) leaves the old file as it was.
TEST_F(SaveFile, FailedWriteLeavesTheOldFileIntact) {
    WriteOldFile("cluster.ldf");
    for (int i = 0; i < 200; ++i) document_.signals.Add()->name = u"SignalWithALongName";

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
