// The driver configuration header: golden files, the defines of each node, the structures
// with their fillers, problems reported with #error, and headers that compile.

#include "codegen/generate_microchip.h"

#include <gtest/gtest.h>
#include <unistd.h>

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

TEST(GenerateHeader, MatchesTheGoldenFilesByteForByte) {
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(document.LoadFromFile(test_support::Path(kCodegenDir / "small_cluster.ldf")));
    EXPECT_EQ(Header(document, true),
              test_support::ReadBytes(kCodegenDir / "expected/small_cluster_master.h"));
    EXPECT_EQ(Header(document, false, 0),
              test_support::ReadBytes(kCodegenDir / "expected/small_cluster_slave_LSM.h"));
    // Structures end their lines with LF alone, and each block with LF LF CR LF.
    EXPECT_TRUE(Contains(Header(document, true), "{\n\tl_u8 \tMode : 4;\n\tl_u8\t: 4;\n"));
    EXPECT_TRUE(Contains(Header(document, true), "} _c_CEM_CmdType;\n\n\r\n"));
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
                  banner + "\r\n");
    int lines = 0;
    for (std::size_t i = 0; i < preambleEnd; ++i) lines += header[i] == '\n';
    EXPECT_EQ(lines, 71);
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

TEST(GenerateHeader, FillersAndFieldTypes) {
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(LoadText(document,
                         "Nodes { Master: M, 5 ms, 1 ms; Slaves: A; }"
                         "Signals { S4: 4, 0, M, A; S8: 8, 0, M, A; S1: 1, 0, M, A; S12: 12, 0, M, A;"
                         "  S20: 20, 0, M, A; S40: 40, 0, M, A; Arr: 16, {0, 0}, M, A; }"
                         "Frames { F: 1, M, 8 { S8, 8; S4, 0; S1, 36; S12, 37; }"
                         "  G: 2, M, 8 { S40, 0; Arr, 40; } H: 3, M, 3 { S20, 0; } }"));
    const std::string header = Header(document, true);
    EXPECT_TRUE(Contains(header, "{\n\tl_u8 \tS4 : 4;\n\tl_u8\t: 4;\n\tl_u8 \tS8 : 8;\n"
                                 "\tl_u8\t: 8;\n\tl_u8\t: 8;\n\tl_u8\t: 4;\n"
                                 "\tl_bool\tS1 : 1;\n\tl_u16 \tS12 : 12;\n} _c_FType;\n\n\r\n"));
    EXPECT_TRUE(Contains(header, "{\n\tl_u32 \tS20 : 20;\n} _c_HType;"));
    // A scalar of 40 bits gets no field but still takes its bits.
    EXPECT_TRUE(Contains(header, "{\n\tl_u8\tArr[2];\n} _c_GType;"));
    // The generator leaves the frame's signals sorted by offset.
    EXPECT_EQ(test_support::Utf8(document.frames.Get(0)->signalNames),
              (std::vector<std::string>{"S4", "S8", "S1", "S12"}));
}

TEST(GenerateHeader, ProblemsBecomeErrorLinesInsteadOfBrokenCode) {
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(LoadText(document,
                         "Nodes { Master: M, 5 ms, 1 ms; Slaves: A; }"
                         "Signals { S: 8, 0, M, A; T: 8, 0, M, A; }"
                         "Frames { Bad: 0x40, M, 1 { S, 0; } Word: abc, M, 1 { S, 0; }"
                         "  Overlap: 3, M, 2 { S, 0; T, 4; } Missing: 4, M, 2 { S, 0; Ghost, 8; }"
                         "  Outside: 5, M, 8 { S, -8; T, 2147483647; S, 57; } }"));
    const std::string header = Header(document, true);
    EXPECT_TRUE(Contains(header, "#define kBad_handle 1\r\n#error \"frame Bad: the frame "
                                 "identifier 0x40 is not a number from 0 to 63\"\r\n"
                                 "#define kBad_len 1\r\n"));
    EXPECT_TRUE(Contains(header, "#error \"frame Word: the frame identifier abc is not a number "
                                 "from 0 to 63\"\r\n"));
    EXPECT_TRUE(Contains(header, "\tl_u8 \tS : 8;\n#error \"frame Overlap: signal T overlaps the "
                                 "signal before it\"\n\tl_u8 \tT : 8;\n} _c_OverlapType;"));
    EXPECT_TRUE(Contains(header, "\tl_u8 \tS : 8;\n#error \"frame Missing: signal Ghost is not "
                                 "defined\"\n} _c_MissingType;"));
    // A signal outside the 8 data bytes gets no fillers up to it, however far away it lies.
    EXPECT_TRUE(Contains(header, "{\n#error \"frame Outside: signal S does not fit in the 8 data "
                                 "bytes of a LIN frame\"\n#error \"frame Outside: signal S does not "
                                 "fit in the 8 data bytes of a LIN frame\"\n#error \"frame Outside: "
                                 "signal T does not fit in the 8 data bytes of a LIN frame\"\n} "
                                 "_c_OutsideType;"));
    EXPECT_LT(header.size(), 20000u);
    EXPECT_EQ(test_support::Utf8(document.frames.Get(3)->errorText),
              "Problem with signal name not present in signal collection.");
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

// Whether a cluster's headers can compile at all: every frame's signals exist and none
// overlap.
bool HasCleanLayout(corvdekLINDefinitionFile& document) {
    std::string header;
    corvdekLINGenerateMicrochip::RenderHeader(document, true, 0, header);
    return !Contains(header, "#error");
}

TEST(GenerateHeader, HeadersOfEverySampleCompile) {
    if (std::system("gcc --version > /dev/null 2>&1") != 0) GTEST_SKIP() << "no gcc";
    const fs::path work = fs::temp_directory_path() / ("tabrel_compile_" + std::to_string(::getpid()));
    fs::create_directories(work);
    std::ofstream(work / "lin_cfg.h") << "/* driver configuration stub */\n";
    int compiled = 0;
    for (const fs::path& sample : test_support::AllSampleFiles()) {
        corvdekLINDefinitionFile document;
        ASSERT_TRUE(document.LoadFromFile(test_support::Path(sample)));
        if (!HasCleanLayout(document)) continue;
        for (int node = -1; node < document.nodes.GetCount(); ++node) {
            std::string header = Header(document, node < 0, node < 0 ? 0 : node);
            const fs::path file = work / "cluster.h";
            std::ofstream(file, std::ios::binary) << header;
            for (const char* defines : {"", "-D_LINMASTER -D_MASTERNODE"}) {
                const std::string command = "gcc -fsyntax-only -std=gnu99 -Werror=implicit-int " +
                                            std::string(defines) + " -I" + work.string() +
                                            " -x c " + file.string() + " 2>&1";
                EXPECT_EQ(std::system(command.c_str()), 0)
                    << sample << " node " << node << " " << defines;
                ++compiled;
            }
        }
    }
    EXPECT_GT(compiled, 40);
    fs::remove_all(work);
}

TEST(FrameTime, BitTimesAndTexts) {
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(LoadText(document,
                         "LIN_speed = 19.2 kbps;"
                         "Signals { A: 5, 0, M; B: 8, 0, M; C: 16, 0, M; }"
                         "Frames { Empty: 1, M {} Thirteen: 2, M { A, 8; } Sixteen: 3, M { B, 8; }"
                         "  Full: 4, M { C, 48; } Ghost: 5, M { X, 0; } }"));
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
    EXPECT_EQ(text(4), "");
    EXPECT_EQ(test_support::Utf8(document.frames.Get(4)->errorText),
              "Problem with signal name not present in signal collection.");
    document.speed = u" 9.6 ";
    EXPECT_EQ(text(3), "12.917 ms");
    EXPECT_EQ(test_support::Utf8(document.speed), "9.6");
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
