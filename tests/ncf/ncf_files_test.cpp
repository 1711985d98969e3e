// Node capability files: the real files of other tools and the construct files read with the
// issues their deviations deserve, every one written back valid by the grammar checker,
// with its comments, and read again to the same document.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "ncf/ncf_document.h"
#include "ncf/ncf_writer.h"
#include "support/grammar_check.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;

fs::path NcfCorpus() { return test_support::CorpusDir() / "ncf"; }

std::vector<fs::path> CorpusNcfFiles() {
    std::vector<fs::path> files;
    if (!fs::exists(NcfCorpus())) return files;
    for (const auto& entry : fs::recursive_directory_iterator(NcfCorpus())) {
        if (entry.path().extension() == ".ncf") files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// "line: type" of every issue.
std::vector<std::string> Issues(const NcfDocument& document) {
    std::vector<std::string> issues;
    for (const NcfIssue& issue : document.issues) {
        issues.push_back(std::to_string(issue.place.line) + ": " + issue.type.ToUtf8());
    }
    return issues;
}

// The comments of a file, found by a scanner of its own: '//' to the end of the line and
// '/* */', outside quoted texts.
std::vector<std::string> CommentsOf(const std::string& text) {
    std::vector<std::string> comments;
    for (std::size_t at = 0; at < text.size();) {
        if (text[at] == '"') {
            at = std::min(text.find('"', at + 1), text.size() - 1) + 1;
        } else if (text.compare(at, 2, "//") == 0) {
            const std::size_t end = std::min(text.find_first_of("\r\n", at), text.size());
            comments.push_back(text.substr(at, end - at));
            at = end;
        } else if (text.compare(at, 2, "/*") == 0) {
            const std::size_t end = std::min(text.find("*/", at + 2) + 2, text.size());
            comments.push_back(text.substr(at, end - at));
            at = end;
        } else {
            ++at;
        }
    }
    return comments;
}

std::string CheckName(const fs::path& file) {
    std::string name = file.parent_path().filename().string() + "_" + file.stem().string();
    for (char& ch : name) {
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    }
    return name;
}

TEST(NcfCorpus, EveryFileReadsWithTheIssuesOfItsDeviations) {
    if (CorpusNcfFiles().empty()) GTEST_SKIP() << "no NCF corpus at " << NcfCorpus();
    // The files of independent tools follow the language but for these deviations.
    const std::map<std::string, std::vector<std::string>> deviations = {
        // An event-triggered frame declared as a frame of length 0 without signals.
        {"CEM.ncf", {"27: NCF value out of range.", "27: NCF statement missing."}},
        {"LSM.ncf", {"23: NCF value out of range.", "23: NCF statement missing."}},
        // ... and diagnostic_class = 0.
        {"RSM.ncf", {"13: NCF value out of range.", "25: NCF value out of range.", "25: NCF statement missing."}},
    };
    for (const fs::path& file : CorpusNcfFiles()) {
        if (file.filename() == "nodes.ncf") continue;  // a private dialect, below
        NcfDocument document;
        ASSERT_TRUE(document.LoadFromBytes(test_support::ReadBytes(file))) << file;
        const auto expected = deviations.find(file.filename().string());
        EXPECT_EQ(Issues(document), expected == deviations.end() ? std::vector<std::string>{} : expected->second)
            << file;
        EXPECT_FALSE(document.nodes.empty()) << file;
    }
}

// LIN_Nodes' private dialect: what is no NCF is named with its line, the rest is read.
TEST(NcfCorpus, APrivateDialectIsReadAsFarAsItIsNcf) {
    const fs::path file = NcfCorpus() / "LIN_Nodes" / "nodes.ncf";
    if (!fs::exists(file)) GTEST_SKIP() << "no " << file;
    NcfDocument document;
    ASSERT_TRUE(document.LoadFromBytes(test_support::ReadBytes(file)));
    ASSERT_EQ(document.nodes.size(), 5U);
    const std::vector<std::string> issues = Issues(document);
    const struct {
        const char* issue;
        int count;
    } kinds[] = {
        {"54: NCF statement not supported.", 1},   // frame_id = 0x3d
        {"107: NCF statement not supported.", 1},  // a parameters block
        {"540: NCF value out of range.", 1},       // diagnostic_class = 0
        {"164: NCF statement missing.", 2},        // no LIN_protocol_version, no response_error
    };
    for (const auto& kind : kinds) {
        EXPECT_EQ(std::count(issues.begin(), issues.end(), kind.issue), kind.count) << kind.issue;
    }
    // The frames and signals that are NCF are read all the same.
    EXPECT_EQ(document.nodes[0].name.ToUtf8(), "Generic");
    EXPECT_FALSE(document.nodes[0].frames.empty());
}

// Every file is written valid and read back to the same document, keeping every comment.
TEST(NcfCorpus, WrittenFilesAreValidKeepTheirCommentsAndReadBackTheSame) {
    if (CorpusNcfFiles().empty()) GTEST_SKIP() << "no NCF corpus at " << NcfCorpus();
    std::map<std::string, std::string> written;
    for (const fs::path& file : CorpusNcfFiles()) {
        if (file.filename() == "nodes.ncf") continue;  // none of its nodes has what the language requires
        const std::string original = test_support::ReadBytes(file);
        NcfDocument document;
        ASSERT_TRUE(document.LoadFromBytes(original));
        corvStringArray leftOut;
        const std::string text = RenderNCF(document, &leftOut);
        EXPECT_EQ(leftOut.Count(), 0) << file << ": " << (leftOut.Count() > 0 ? leftOut.Item(0).ToUtf8() : "");
        NcfDocument again;
        ASSERT_TRUE(again.LoadFromBytes(text)) << file;
        EXPECT_EQ(RenderNCF(again), text) << file;
        const std::vector<std::string> kept = CommentsOf(text);
        for (const std::string& comment : CommentsOf(original)) {
            EXPECT_NE(std::find(kept.begin(), kept.end(), comment), kept.end()) << file << ": " << comment;
        }
        written[CheckName(file)] = text;
    }
    const test_support::GrammarCheck check(written, test_support::Language::kNcf);
    if (!check.SkipReason().empty()) GTEST_SKIP() << check.SkipReason();
    for (const auto& [name, text] : written) EXPECT_EQ(check.Failure(name), "") << name;
}

// A node without a statement the language requires is left out of a written file, named.
TEST(NcfCorpus, ANodeWithoutARequiredStatementIsLeftOutAndNamed) {
    const fs::path file = NcfCorpus() / "LIN_Nodes" / "nodes.ncf";
    if (!fs::exists(file)) GTEST_SKIP() << "no " << file;
    NcfDocument document;
    ASSERT_TRUE(document.LoadFromBytes(test_support::ReadBytes(file)));
    corvStringArray leftOut;
    const std::string text = RenderNCF(document, &leftOut);
    for (const char* node : {"Generic", "Bootloader", "Master", "PowerV3", "Tester"}) {
        const std::regex named("Node '" + std::string(node) + "': it has no (LIN_protocol_version|response_error)");
        bool found = false;
        for (int i = 0; i < leftOut.Count(); ++i) found = found || std::regex_search(leftOut.Item(i).ToUtf8(), named);
        EXPECT_TRUE(found) << node;
        EXPECT_EQ(text.find("node " + std::string(node)), std::string::npos) << node;
    }
}

}  // namespace
