// The statement assembly of the loader: comments, braces, depth, sections, header
// statements, limits and hostile input.

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

Texts SlaveNames(const corvdekLINDefinitionFile& document) {
    Texts names;
    for (int i = 0; i < document.nodes.GetCount(); ++i) {
        names.push_back(Utf8(document.nodes.Get(i)->name));
    }
    return names;
}

Texts SignalNames(const corvdekLINDefinitionFile& document) {
    Texts names;
    for (int i = 0; i < document.signals.GetCount(); ++i) {
        names.push_back(Utf8(document.signals.Get(i)->name));
    }
    return names;
}

TEST(StatementAssembly, StatementsSpanLinesAndTabsSeparate) {
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(LoadText(document,
                         "Nodes {\n  Master: CEM, 5\nms, 0.1 ms;\n  Slaves: L\tSM, RSM;\n}\n"));
    EXPECT_EQ(Utf8(document.master.name), "CEM");
    EXPECT_EQ(Utf8(document.masterTimebase), "5");
    EXPECT_EQ(SlaveNames(document), (Texts{"L SM", "RSM"}));
}

TEST(StatementAssembly, CommentsAreDroppedWithEverythingInThem) {
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(LoadText(document,
                         "Nodes {\n"
                         "// Master: A, 5 ms, 0.1 ms;\n"
                         "/* a; b { */ Master: CEM, 5 ms, 0.1 ms;\n"
                         "Slaves: LSM; // trailing } comment\n"
                         "}\n"
                         "Signals { S1: 8, 0, CEM, LSM; }"));
    EXPECT_EQ(Utf8(document.master.name), "CEM");
    EXPECT_EQ(SlaveNames(document), (Texts{"LSM"}));
    EXPECT_EQ(SignalNames(document), (Texts{"S1"}));
    EXPECT_TRUE(LoadIssues(document).empty());
}

TEST(StatementAssembly, ASlashThatIsNoCommentMarkIsKeptAndQuotesProtectCommentMarks) {
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(LoadText(document,
                         "Signal_encoding_types {\n"
                         "  Speed { physical_value, 0, 250, 0.4, 0, \"km/h\"; }\n"
                         "  Other { logical_value, 1, \"a/*b*/c\"; }\n"
                         "}\n"));
    ASSERT_EQ(document.encodingTypes.GetCount(), 2);
    EXPECT_EQ(Utf8(document.encodingTypes.Get(0)->items.Get(0)->text), "km/h");
    EXPECT_EQ(Utf8(document.encodingTypes.Get(1)->items.Get(0)->text), "a/*b*/c");
}

TEST(StatementAssembly, StarSlashStarLeavesTheBlockCommentClosed) {
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(LoadText(document, "Signals { /* x */*S: 8, 0, M; }"));
    EXPECT_EQ(SignalNames(document), (Texts{"*S"}));
}

TEST(StatementAssembly, TextBeforeAClosingBraceStartsTheNextStatement) {
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(LoadText(document, "Nodes { Slaves: B }\nSignals { S: 8, 0, B; }"));
    // 'Slaves: B Signals' is no section keyword, so the Signals section never opens.
    EXPECT_EQ(document.nodes.GetCount(), 0);
    EXPECT_EQ(document.signals.GetCount(), 0);
}

TEST(StatementAssembly, UnknownSectionsAreIgnoredNotReadAsThePreviousOne) {
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(LoadText(document,
                         "Nodes { Master: M, 5 ms, 1 ms; Slaves: LSM, CPM; }\n"
                         "Diagnostic_addresses { LSM: 1; CPM: 0x02; }\n"
                         "Channel_name = \"DB\";\n"
                         "Signals { S: 8, 0, M; }"));
    EXPECT_EQ(SlaveNames(document), (Texts{"LSM", "CPM"}));
    EXPECT_EQ(SignalNames(document), (Texts{"S"}));
}

TEST(StatementAssembly, AnExtraClosingBraceHidesLaterSectionKeywords) {
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(LoadText(document,
                         "Signals { A: 8, 0, M; } }\n"
                         "Frames { F: 1, M { A, 0; } }\n"));
    // At depth -1 'Frames' is read as a value list of the still current Signals section.
    EXPECT_EQ(document.frames.GetCount(), 0);
    EXPECT_EQ(SignalNames(document), (Texts{"A"}));
    EXPECT_TRUE(document.signals.Get(0)->isByteArray);
}

TEST(StatementAssembly, EmptyStatementsAreSkipped) {
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(LoadText(document, "Signals { A: 8, 0, M;;  ; }\n;"));
    EXPECT_EQ(SignalNames(document), (Texts{"A"}));
    EXPECT_TRUE(LoadIssues(document).empty());
}

TEST(StatementAssembly, TextAfterTheLastTerminatorIsDropped) {
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(LoadText(document, "Nodes { Slaves: A; Slaves: B"));
    EXPECT_EQ(SlaveNames(document), (Texts{"A"}));
}

TEST(StatementAssembly, AZeroByteEndsTheStatementText) {
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(document.LoadFromBytes(std::string("Nodes { Slaves: AB\0CD; }", 24)));
    EXPECT_EQ(SlaveNames(document), (Texts{"AB"}));
}

TEST(HeaderStatements, ValuesLoseQuotesAndUnits) {
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(LoadText(document,
                         "LIN_description_file;\n"
                         "LIN_protocol_version = \"2.1\";\n"
                         "LIN_language_version = \" 2.0\";\n"
                         "LIN_speed = 19.2 kbps;\n"));
    EXPECT_EQ(Utf8(document.protocolVersion), "2.1");
    EXPECT_EQ(Utf8(document.languageVersion), " 2.0");
    EXPECT_EQ(Utf8(document.speed), "19.2");
    EXPECT_FALSE(document.isJ2602);
    // A speed in bit/s is converted to the kbit/s that the model holds.
    ASSERT_TRUE(LoadText(document, "LIN_speed = 19200 bps; LIN_protocol_version = \"j2602_1\";"));
    EXPECT_EQ(Utf8(document.speed), "19.2");
    EXPECT_TRUE(document.isJ2602);
}

TEST(HeaderStatements, MalformedHeadersAreErrorsAndKeepTheValue) {
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(LoadText(document,
                         "LIN_protocol_version = \"2.1\";\n"
                         "LIN_protocol_version \"2.2\";\n"
                         "LIN_language_version = = \"2.1\";\n"
                         "LIN_speed 19.2;\n"));
    EXPECT_EQ(Utf8(document.protocolVersion), "2.1");
    EXPECT_EQ(LoadIssues(document),
              (Texts{"1|The LIN Protocol is specified incorrectly.|This line is incorrect: "
                     "LIN_protocol_version \"2.2\"",
                     "1|The LIN Language is specified incorrectly.|This line is incorrect: "
                     "LIN_language_version = = \"2.1\"",
                     "1|The LIN Speed is specified incorrectly.|This line is incorrect: "
                     "LIN_speed 19.2"}));
}

TEST(HeaderStatements, OnlyRecognisedAtDepthZeroByTheirFirstEightCharacters) {
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(LoadText(document, "LIN_protXYZ = \"9\"; X { LIN_protocol_version = \"2.0\"; }"));
    EXPECT_EQ(Utf8(document.protocolVersion), "9");
}

TEST(LoadLimits, StatementOf65000CharactersIsProcessed) {
    const std::string prefix = " Slaves: ";  // collected after the '{'
    const std::string name(65000 - prefix.size(), 'N');
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(document.LoadFromBytes("Nodes {" + prefix + name + ";}"));
    ASSERT_EQ(document.nodes.GetCount(), 1);
    EXPECT_EQ(document.nodes.Get(0)->name.Length(), static_cast<int>(name.size()));
}

TEST(LoadLimits, StatementOver65000CharactersFailsTheLoad) {
    corvdekLINDefinitionFile document;
    const std::string head = "Nodes { Slaves: A; Slaves: ";  // collects "Slaves: "
    const std::string tooLong = head + std::string(65001 - 8, 'N');
    EXPECT_FALSE(document.LoadFromBytes(tooLong + ";"));
    EXPECT_EQ(Utf8(document.lastLoadError), "A line in the LDF file exceeded 65000 characters");
    EXPECT_EQ(LoadIssues(document),
              (Texts{"0|LIN File line too long.|A line in the LDF file exceeded 65000 characters"}));
    EXPECT_EQ(SlaveNames(document), (Texts{"A"}));  // what was read before stays
    // The same text ending right there is dropped silently instead.
    EXPECT_TRUE(document.LoadFromBytes(tooLong));
    EXPECT_TRUE(LoadIssues(document).empty());
}

// The limit counts the statement's characters: the line breaks between its lines stand for
// separators, however they are written.
TEST(LoadLimits, StatementOf65000CharactersOverSeveralLinesIsProcessed) {
    for (const std::string lineBreak : {"\n", "\r\n", "\t\r\n\t"}) {
        for (const int extra : {0, 1}) {
            std::string statement = "Slaves: ";
            for (int i = 0; i < 6499; ++i) statement += "NNNNNNNNN," + lineBreak;
            statement += std::string(2 + extra, 'N');  // 8 + 6499 * 10 + 2 = 65000 characters
            corvdekLINDefinitionFile document;
            EXPECT_EQ(document.LoadFromBytes("Nodes { " + statement + "; }"), extra == 0)
                << testing::PrintToString(lineBreak) << " with " << extra << " more";
            if (extra == 0) {
                EXPECT_EQ(document.nodes.GetCount(), 6500);
            }
        }
    }
}

TEST(LoadLimits, DeepNestingAndNegativeDepthAreHarmless) {
    corvdekLINDefinitionFile document;
    const std::string deep = "LIN_description_file;" + std::string(100000, '{') + "Signals;" + std::string(100000, '}');
    EXPECT_TRUE(document.LoadFromBytes(deep));
    EXPECT_TRUE(document.LoadFromBytes("LIN_description_file;" + std::string(100000, '}') + "Nodes { Slaves: A; }"));
    EXPECT_EQ(document.nodes.GetCount(), 0);
}

TEST(LoadLimits, HugeNumbersDoNotOverflow) {
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(LoadText(document,
                         "Signals { A: 99999999999999999999, { 1 }, M; B: -99999999999, { 1 }, M; }"
                         "Signal_encoding_types { E { "
                         "logical_value, 0x99999999999999999999, \"x\"; "
                         "physical_value, 99999999999, -99999999999, 1e999, -1e999, \"u\"; } }"));
    EXPECT_EQ(document.signals.GetCount(), 2);
    EXPECT_EQ(document.encodingTypes.Get(0)->items.GetCount(), 2);
}

// Text that holds not one LDF statement (a picture, a text of another kind) is refused; a
// file of nothing but comments and white space opens as an empty cluster.
TEST(LoadLimits, FilesWithoutAnyLdfStatementAreRefused) {
    std::string garbage;
    for (int i = 0; i < 50000; ++i) garbage.push_back(static_cast<char>((i * 7919) % 256));
    const struct {
        const char* name;
        std::string bytes;
        bool opens;
    } cases[] = {
        {"empty", "", true},
        {"comments and white space", "// nothing\n/* at all */\n \t\r\n", true},
        {"a PNG header", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16), false},
        {"bytes of no kind", garbage, false},
        {"prose", "Dear reader; this is no cluster.\n", false},
        {"one header statement", "LIN_description_file;", true},
        {"one section", "Signals { }", true},
    };
    for (const auto& c : cases) {
        corvdekLINDefinitionFile document;
        document.master.name = u"kept";
        EXPECT_EQ(document.LoadFromBytes(c.bytes), c.opens) << c.name;
        if (c.opens) continue;
        EXPECT_EQ(Utf8(document.lastLoadError), "not an LDF file") << c.name;
        EXPECT_EQ(document.loadIssueTypes.Count(), 0) << c.name;
        EXPECT_EQ(document.signals.GetCount(), 0) << c.name;
    }
}

TEST(LoadFile, MissingFileFailsWithOneIssue) {
    corvdekLINDefinitionFile document;
    document.master.name = u"old";
    EXPECT_FALSE(document.LoadFromFile(corvString(u"/nonexistent/cluster.ldf")));
    EXPECT_EQ(Utf8(document.lastLoadError), "Problem opening file.");
    EXPECT_EQ(LoadIssues(document),
              (Texts{"0|Problem opening LDF file.|Problem opening LDF file: "
                     "/nonexistent/cluster.ldf"}));
    EXPECT_TRUE(document.master.name.IsEmpty());
}

TEST(LoadFile, ByteOrderMarksAreHonoured) {
    const std::u16string text = u"Nodes { Slaves: Caf\u00E9, \u4E2D; }";
    std::string littleEndian = "\xFF\xFE";
    std::string bigEndian = "\xFE\xFF";
    for (char16_t ch : text) {
        littleEndian.push_back(static_cast<char>(ch & 0xFF));
        littleEndian.push_back(static_cast<char>(ch >> 8));
        bigEndian.push_back(static_cast<char>(ch >> 8));
        bigEndian.push_back(static_cast<char>(ch & 0xFF));
    }
    for (const std::string& bytes : {littleEndian, bigEndian}) {
        corvdekLINDefinitionFile document;
        ASSERT_TRUE(document.LoadFromBytes(bytes));
        EXPECT_EQ(SlaveNames(document), (Texts{"Caf\u00E9", "?"}));
    }
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(document.LoadFromBytes("\xEF\xBB\xBFNodes;{ Slaves: A; }"));
    EXPECT_EQ(SlaveNames(document), (Texts{"A"}));
}

}  // namespace
