// The driver configuration header: golden files, the defines of each node, the structures
// with their fillers, problems reported with #error, and headers that compile.

#include "codegen/generate_microchip.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <bit>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "model/definition_file.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;
using test_support::LoadText;

const fs::path kCodegenDir = fs::path(TABREL_TEST_DATA_DIR).parent_path() / "codegen";

std::string Header(corvdekLINDefinitionFile& document, bool isMaster, int slaveIndex = 0) {
    std::string header;
    EXPECT_TRUE(corvdekLINGenerateMicrochip::RenderHeader(document, isMaster, slaveIndex, header));
    return header;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::string FrameDefines(const std::string& header) {
    const std::size_t from = header.find("#define SetupLinDrv(handle)  handle\r\n\r\n");
    const std::size_t to = header.find("/* ***", from);
    return header.substr(from + 39, to - from - 39);
}

// The structure, union and accessors of a small cluster, written out from the layout rules:
// one unsigned char bit-field per byte a signal touches, fillers up to each signal.
TEST(GenerateHeader, SmallClusterByTheRules) {
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(document.LoadFromFile(test_support::Path(kCodegenDir / "small_cluster.ldf")));
    const std::string master = Header(document, true);
    // Structures end their lines with LF alone, and each block with LF LF CR LF.
    EXPECT_TRUE(Contains(master, "typedef struct\n{\n\tl_u8\tMode : 4;\n\tl_u8\t: 4;\n"
                                 "\tl_u8\tLevel : 8;\n} _c_CEM_CmdType;\n\n\r\n"));
    // Position: bits 4..15, four in byte 0 and eight in byte 1; Serial from byte 3.
    EXPECT_TRUE(Contains(master, "{\n\tl_u8\tSwitch : 1;\n\tl_u8\t: 3;\n\tl_u8\tPosition_0 : 4;\n"
                                 "\tl_u8\tPosition_1 : 8;\n\tl_u8\t: 8;\n\tl_u8\tSerial[2];\n"
                                 "} _c_LSM_StateType;\n\n\r\n"));
    EXPECT_TRUE(Contains(master, "typedef union\n{\n     l_u8  _c[kLSM_State_len];\n"
                                 "     _c_LSM_StateType LSM_State;\n} _c_LSM_StateBuf;\n\n\r\n"));
    EXPECT_TRUE(Contains(master, "#define kLSM_State_len 5\r\n"));
    EXPECT_TRUE(Contains(master, "#define Get_LSM_State_Position(f) (((l_u16)(f).Position_0 << 0) | "
                                 "((l_u16)(f).Position_1 << 4))\r\n"));
    EXPECT_TRUE(Contains(master, "#define Set_LSM_State_Position(f, v) ((f).Position_0 = "
                                 "(l_u8)(((l_u16)(v) >> 0) & 15), (f).Position_1 = "
                                 "(l_u8)(((l_u16)(v) >> 4) & 255))\r\n"));
    EXPECT_FALSE(Contains(master, "Get_LSM_State_Serial"));  // the array is used as it is
    // The header describes its cluster and can be included twice.
    EXPECT_EQ(master.find("#ifndef LIN_CLUSTER_CEM_H\r\n#define LIN_CLUSTER_CEM_H\r\n"), 0u);
    EXPECT_TRUE(Contains(master, "\r\n#define kLinTimeBase 5\r\n#define kLinBaudrate 19200\r\n"
                                 "#define kLinVersion 2.1\r\n"));
    EXPECT_TRUE(master.ends_with("\r\n#endif\r\n"));
}

TEST(GenerateHeader, ClusterDefinesAndGuardFollowTheCluster) {
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(LoadText(document, "LIN_protocol_version = \"J2602_1_1.0\"; LIN_speed = 10.417 kbps;"
                                   "Channel_name = \"Body-CAN 2\"; Nodes { Master: M, 5 ms, 1 ms; }"));
    std::string header = Header(document, true);
    EXPECT_EQ(header.find("#ifndef LIN_CLUSTER_BODY_CAN_2_H\r\n"), 0u);
    EXPECT_TRUE(Contains(header, "#define kLinBaudrate 10417\r\n#define kLinVersion \"J2602_1_1.0\"\r\n"));
    document.speed = u"";
    document.masterTimebase = u"";
    header = Header(document, true);
    EXPECT_TRUE(Contains(header, "// kLinTimeBase: the cluster states no time base in ms\r\n"
                                 "// kLinBaudrate: the cluster states no speed\r\n"));
}

TEST(GenerateHeader, ClusterWithoutFrames) {
    corvdekLINDefinitionFile document;
    const std::string header = Header(document, true);
    const std::string banner = "/* " + std::string(66, '*') + " */\r\n";
    const std::size_t preambleEnd = header.find("#define kMaxHandle");
    EXPECT_EQ(header.substr(preambleEnd),
              "#define kMaxHandle 0\r\n\r\n" + banner +
                  "/*        typedef frame related structure                             */\r\n" +
                  banner + "\r\n" + banner +
                  "/*        typedef frame related unions                             */\r\n" +
                  banner + "\r\n" + banner +
                  "/*        frame related signal defines                               */\r\n" +
                  banner + "\r\n#endif\r\n");
    // The guard's two lines, the four lines on the layout, then the 71 of the preamble.
    int lines = 0;
    for (std::size_t i = 0; i < preambleEnd; ++i) lines += header[i] == '\n';
    EXPECT_EQ(lines, 2 + 4 + 71);
}

TEST(GenerateHeader, DefineBlocksForWhatTheNodeSendsAndReceives) {
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(LoadText(document,
                         "Nodes { Master: M, 5 ms, 1 ms; Slaves: A, B; }"
                         "Signals { X: 1, 0, A, M, B; Y: 1, 0, A, B; Z: 1, 0, A, B; W: 1, 0, M, A; }"
                         "Frames { F1: 1, M, 1 { W, 0; } F2: 2, A, 1 { X, 0; }"
                         "  F3: 3, B, 1 { X, 0; Y, 1; Z, 2; } F4: 4, A, 1 { Y, 0; } }"));
    // The master sends F1 and receives X in F2 and F3.
    const std::string master = FrameDefines(Header(document, true));
    EXPECT_TRUE(Contains(master, "#define kF1_handle 1\r\n#define kF1_id 0x01\r\n"
                                 "#define kF1_pid 0xC1\r\n#define kF1_len 1\r\n"
                                 "#define kF1_mode RESPOND\r\n _LINAC_ l_u8 F1_pid ;\r\n\r\n"));
    EXPECT_TRUE(Contains(master, "#define kF2_handle 2\r\n"));
    EXPECT_TRUE(Contains(master, "#define kF2_mode RECEIVE\r\n"));
    EXPECT_TRUE(Contains(master, "#define kF3_handle 3\r\n"));
    EXPECT_FALSE(Contains(master, "kF4_"));
    EXPECT_TRUE(Contains(master, "#define kMaxHandle 3\r\n"));
    // Slave B receives all three signals of F3 once, and sends F3 itself: RESPOND wins.
    const std::string slaveB = FrameDefines(Header(document, false, 1));
    EXPECT_TRUE(Contains(slaveB, "#define kF3_mode RESPOND\r\n"));
    EXPECT_EQ(slaveB.find("#define kF3_handle"), slaveB.rfind("#define kF3_handle"));
    EXPECT_TRUE(Contains(slaveB, "#define kF4_mode RECEIVE\r\n"));
}

TEST(GenerateHeader, FillersAndFieldsNeverCrossAByte) {
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(LoadText(document,
                         "Nodes { Master: M, 5 ms, 1 ms; Slaves: A; }"
                         "Signals { S4: 4, 0, M, A; S8: 8, 0, M, A; S1: 1, 0, M, A; S12: 12, 0, M, A;"
                         "  S20: 20, 0, M, A; S40: 40, 0, M, A; Arr: 16, {0, 0}, M, A; }"
                         "Frames { F: 1, M, 8 { S8, 8; S4, 0; S1, 36; S12, 37; }"
                         "  G: 2, M, 8 { S40, 0; Arr, 40; } H: 3, M, 3 { S20, 0; } }"));
    const std::string header = Header(document, true);
    // The gap from bit 16 to 36 is filled byte by byte: 8, 8, then 4 bits of byte 4.
    // S12 takes bits 37..48: three of byte 4, all of byte 5, one of byte 6.
    EXPECT_TRUE(Contains(header, "{\n\tl_u8\tS4 : 4;\n\tl_u8\t: 4;\n\tl_u8\tS8 : 8;\n"
                                 "\tl_u8\t: 8;\n\tl_u8\t: 8;\n\tl_u8\t: 4;\n\tl_u8\tS1 : 1;\n"
                                 "\tl_u8\tS12_0 : 3;\n\tl_u8\tS12_1 : 8;\n\tl_u8\tS12_2 : 1;\n"
                                 "} _c_FType;\n\n\r\n"));
    EXPECT_TRUE(Contains(header, "#define Get_F_S12(f) (((l_u16)(f).S12_0 << 0) | "
                                 "((l_u16)(f).S12_1 << 3) | ((l_u16)(f).S12_2 << 11))\r\n"));
    EXPECT_TRUE(Contains(header, "{\n\tl_u8\tS20_0 : 8;\n\tl_u8\tS20_1 : 8;\n\tl_u8\tS20_2 : 4;\n"
                                 "} _c_HType;"));
    EXPECT_TRUE(Contains(header, "#define Get_H_S20(f) (((l_u32)(f).S20_0 << 0) | "
                                 "((l_u32)(f).S20_1 << 8) | ((l_u32)(f).S20_2 << 16))\r\n"));
    // A scalar of 40 bits takes its five bytes, so the array after it stays in place; it
    // has no accessor, as no l_u32 holds it.
    EXPECT_TRUE(Contains(header, "{\n\tl_u8\tS40_0 : 8;\n\tl_u8\tS40_1 : 8;\n\tl_u8\tS40_2 : 8;\n"
                                 "\tl_u8\tS40_3 : 8;\n\tl_u8\tS40_4 : 8;\n\tl_u8\tArr[2];\n} _c_GType;"));
    EXPECT_FALSE(Contains(header, "Get_G_S40"));
    // The generator leaves the frame's signals sorted by offset.
    EXPECT_EQ(test_support::Utf8(document.frames.Get(0)->signalNames),
              (std::vector<std::string>{"S4", "S8", "S1", "S12"}));
}

TEST(GenerateHeader, LengthIsStatedOrGivenByTheIdentifier) {
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(LoadText(document,
                         "Nodes { Master: M, 5 ms, 1 ms; }"
                         "Signals { S: 8, 0, M; }"
                         "Frames { Low: 31, M { S, 0; } Mid: 32, M { S, 0; } High: 48, M { S, 0; }"
                         "  Stated: 33, M, 3 { S, 0; } }"));
    const std::string header = Header(document, true);
    EXPECT_TRUE(Contains(header, "#define kLow_len 2\r\n"));
    EXPECT_TRUE(Contains(header, "#define kMid_len 4\r\n"));
    EXPECT_TRUE(Contains(header, "#define kHigh_len 8\r\n"));
    EXPECT_TRUE(Contains(header, "#define kStated_len 3\r\n"));
}

TEST(GenerateHeader, ProblemsBecomeErrorLinesInsteadOfBrokenCode) {
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(LoadText(document,
                         "Nodes { Master: M, 5 ms, 1 ms; Slaves: A; }"
                         "Signals { S: 8, 0, M, A; T: 8, 0, M, A; }"
                         "Frames { Bad: 0x40, M, 1 { S, 0; } Word: abc, M, 1 { S, 0; }"
                         "  Overlap: 3, M, 2 { S, 0; T, 4; } Missing: 4, M, 2 { S, 0; Ghost, 8; }"
                         "  Outside: 5, M, 8 { S, -8; T, 2147483647; S, 57; }"
                         "  Short: 0x23, M, 1 { T, 8; } Twice: 6, M, 2 { S, 0; S, 8; }"
                         "  Twice: 7, M, 1 { T, 0; } }"));
    const std::string header = Header(document, true);
    EXPECT_TRUE(Contains(header, "#define kBad_handle 1\r\n#error \"frame Bad: the frame "
                                 "identifier 0x40 is not a number from 0 to 63\"\r\n"
                                 "#define kBad_len 1\r\n"));
    EXPECT_TRUE(Contains(header, "#error \"frame Word: the frame identifier abc is not a number "
                                 "from 0 to 63\"\r\n"));
    // An overlapping signal gets no member that would sit on the wrong bits.
    EXPECT_TRUE(Contains(header, "\tl_u8\tS : 8;\n#error \"frame Overlap: signal T overlaps the "
                                 "signal before it\"\n} _c_OverlapType;"));
    EXPECT_TRUE(Contains(header, "\tl_u8\tS : 8;\n#error \"frame Missing: signal Ghost is not "
                                 "defined\"\n} _c_MissingType;"));
    // A signal outside the frame gets no fillers up to it, however far away it lies.
    EXPECT_TRUE(Contains(header, "{\n#error \"frame Outside: signal S lies beyond the end of the "
                                 "frame (8 bytes)\"\n#error \"frame Outside: signal S is listed "
                                 "twice\"\n#error \"frame Outside: signal T lies beyond the end of "
                                 "the frame (8 bytes)\"\n} _c_OutsideType;"));
    EXPECT_TRUE(Contains(header, "{\n#error \"frame Short: signal T lies beyond the end of the "
                                 "frame (1 byte)\"\n} _c_ShortType;"));
    EXPECT_TRUE(Contains(header, "\tl_u8\tS : 8;\n#error \"frame Twice: signal S is listed twice\""));
    // A second frame of one name: named, and no second set of defines or types.
    EXPECT_TRUE(Contains(header, "#error \"frame Twice: the frame name is used twice\"\r\n"));
    EXPECT_EQ(header.find("#define kTwice_handle"), header.rfind("#define kTwice_handle"));
    EXPECT_EQ(header.find("_c_TwiceBuf;"), header.rfind("_c_TwiceBuf;"));
    EXPECT_LT(header.size(), 20000u);
    EXPECT_EQ(test_support::Utf8(document.frames.Get(3)->errorText),
              "Problem with signal name not present in signal collection.");
}

TEST(GenerateHeader, AFaultyFrameBreaksOnlyTheHeadersOfItsNodes) {
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(LoadText(document,
                         "Nodes { Master: M, 5 ms, 1 ms; Slaves: A, B; }"
                         "Signals { S: 8, 0, A, M; T: 8, 0, B, M; }"
                         "Frames { Good: 1, A, 1 { S, 0; } Faulty: 2, B, 1 { T, 4; } }"));
    std::string slaveA = Header(document, false, 0);
    const std::string commented =
        "/* Not sent or received by this node, and faulty:\ntypedef struct\n{\n#error \"frame "
        "Faulty: signal T lies beyond the end of the frame (1 byte)\"\n} _c_FaultyType;\n\n*/\n";
    const std::size_t comment = slaveA.find(commented);
    ASSERT_NE(comment, std::string::npos);
    slaveA.erase(comment, commented.size());
    EXPECT_FALSE(Contains(slaveA, "#error"));
    EXPECT_FALSE(Contains(slaveA, "Get_Faulty_"));
    const std::string slaveB = Header(document, false, 1);
    EXPECT_TRUE(Contains(slaveB, "\n#error \"frame Faulty: signal T lies beyond"));
}

TEST(GenerateHeader, SlaveOutsideTheClusterWritesNothing) {
    corvdekLINDefinitionFile document;
    document.nodes.Add()->name = u"A";
    std::string header = "untouched";
    EXPECT_FALSE(corvdekLINGenerateMicrochip::RenderHeader(document, false, 1, header));
    EXPECT_FALSE(corvdekLINGenerateMicrochip::RenderHeader(document, false, -1, header));
    EXPECT_EQ(header, "untouched");
    const fs::path target = fs::temp_directory_path() / ("tabrel_no_header_" + std::to_string(::getpid()));
    EXPECT_FALSE(corvdekLINGenerateMicrochip::GenerateHeader(test_support::Path(target), document,
                                                             false, 5));
    EXPECT_FALSE(fs::exists(target));
    EXPECT_FALSE(corvdekLINGenerateMicrochip::GenerateHeader(
        corvString(u"/no/such/folder/x.h"), document, true, 0));
}

TEST(GenerateHeader, GeneratingTwiceGivesTheSameFile) {
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(document.LoadFromFile(test_support::Path(test_support::TestDataDir() / "lin21_door.ldf")));
    const fs::path target = fs::temp_directory_path() / ("tabrel_header_" + std::to_string(::getpid()) + ".h");
    ASSERT_TRUE(corvdekLINGenerateMicrochip::GenerateHeader(test_support::Path(target), document, true, 0));
    const std::string first = test_support::ReadBytes(target);
    ASSERT_TRUE(corvdekLINGenerateMicrochip::GenerateHeader(test_support::Path(target), document, true, 0));
    EXPECT_EQ(test_support::ReadBytes(target), first);
    fs::remove(target);
}

TEST(FrameTime, BitTimesAndTexts) {
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(LoadText(document,
                         "LIN_speed = 19.2 kbps;"
                         "Signals { A: 5, 0, M; B: 8, 0, M; C: 16, 0, M; }"
                         "Frames { Empty: 1, M {} Thirteen: 2, M { A, 8; } Sixteen: 3, M { B, 8; }"
                         "  Full: 4, M { C, 48; } Ghost: 5, M { X, 0; } OneByte: 6, M { B, 0; } }"));
    auto text = [&](int frame) {
        corvdekLINFrame* f = document.frames.Get(frame);
        f->owner = &document;
        corvString t;
        f->FormatFrameTime(t);
        return test_support::Utf8(t);
    };
    double seconds = 0;
    document.frames.Get(1)->owner = &document;
    ASSERT_TRUE(document.frames.Get(1)->ComputeFrameTime(seconds));
    EXPECT_DOUBLE_EQ(seconds, 64.0 / 19200.0);
    EXPECT_EQ(text(0), "2.292 ms");   // 44 bit times
    EXPECT_EQ(text(1), "3.333 ms");   // ends at bit 13: two bytes, 64 bit times
    EXPECT_EQ(text(2), "3.333 ms");   // ends at bit 16: also two bytes
    EXPECT_EQ(text(3), "6.458 ms");   // eight bytes, 124 bit times
    EXPECT_EQ(text(5), "2.813 ms");   // 54 bit times of 1/19200 s: 2.8125 ms
    EXPECT_EQ(text(4), "");
    EXPECT_EQ(test_support::Utf8(document.frames.Get(4)->errorText),
              "Problem with signal name not present in signal collection.");
    document.speed = u" 9.6 ";
    EXPECT_EQ(text(3), "12.917 ms");
    EXPECT_EQ(test_support::Utf8(document.speed), " 9.6 ");  // read, never trimmed in place
    document.speed = u"";
    EXPECT_EQ(text(0), "");
    document.speed = u"0";
    EXPECT_FALSE(document.frames.Get(0)->ComputeFrameTime(seconds));
}

TEST(FrameLayout, SortByOffsetIsStableAndKeepsPairsTogether) {
    corvdekLINFrame frame;
    for (const auto& [name, offset] : {std::pair{u"C", u"16"}, {u"A", u"0"}, {u"X", u"8"},
                                       {u"Y", u"8"}, {u"B", u" 4"}}) {
        frame.signalNames.Add(corvString(name));
        frame.signalOffsets.Add(corvString(offset));
    }
    frame.SortSignalsByOffset();
    EXPECT_EQ(test_support::Utf8(frame.signalNames),
              (std::vector<std::string>{"A", "B", "X", "Y", "C"}));
    EXPECT_EQ(test_support::Utf8(frame.signalOffsets),
              (std::vector<std::string>{"0", " 4", "8", "8", "16"}));
}

}  // namespace

namespace {

// The protected identifier of LIN 2.x: P0 is the even parity of identifier bits 0, 1, 2 and
// 4, P1 the odd parity of bits 1, 3, 4 and 5 (computed here from the bit masks).
unsigned ExpectedProtectedId(unsigned id) {
    const unsigned p0 = std::popcount(id & 0b010111u) & 1u;
    const unsigned p1 = (std::popcount(id & 0b111010u) & 1u) ^ 1u;
    return id | p0 << 6 | p1 << 7;
}

TEST(GenerateHeader, ProtectedIdentifiersOfAllSixtyFourIdentifiers) {
    std::string text = "LIN_description_file; LIN_protocol_version = \"2.1\"; LIN_language_version = \"2.1\";"
                       "LIN_speed = 19.2 kbps; Nodes { Master: M, 5 ms, 0.1 ms; Slaves: S; }"
                       "Signals { A: 8, 0, M, S; } Frames {";
    for (unsigned id = 0; id < 64; ++id) text += " F" + std::to_string(id) + ": " + std::to_string(id) + ", M, 1 { A, 0; }";
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(test_support::LoadText(document, text + " }"));
    std::string header;
    ASSERT_TRUE(corvdekLINGenerateMicrochip::RenderHeader(document, true, 0, header));
    for (unsigned id = 0; id < 64; ++id) {
        char define[48];
        std::snprintf(define, sizeof define, "#define kF%u_pid 0x%02X\r\n", id, ExpectedProtectedId(id));
        EXPECT_NE(header.find(define), std::string::npos) << define;
    }
}

}  // namespace
