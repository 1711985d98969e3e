// Saving a loaded sample file loses nothing without saying so, and what it saves is LDF:
// every statement of the file is written back or named by a load issue, and every written
// file passes the grammar checker shared with the project.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <memory>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "foundation/text_encoding.h"
#include "ldf_writer/ldf_writer.h"
#include "model/definition_file.h"
#include "support/grammar_check.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;

// A statement counter of its own, so that it shares no mistake with the loader or the
// writer: it cuts LDF text into statements and sorts them into classes that the saved file
// must hold as often as the original does.

struct Statement {
    std::string section;  // keyword of the enclosing top-level block; "" at the top level
    int depth = 0;        // braces open around the statement
    std::string text;     // white space collapsed
};

// (section, kind) of a statement.
using StatementClass = std::pair<std::string, std::string>;
using StatementsByClass = std::map<StatementClass, std::vector<std::string>>;

std::string Collapsed(std::string_view text) {
    std::istringstream words{std::string(text)};
    std::string result;
    for (std::string word; words >> word;) result += (result.empty() ? "" : " ") + word;
    return result;
}

std::string WithoutSpaces(std::string text) {
    std::erase_if(text, [](unsigned char ch) { return std::isspace(ch); });
    return text;
}

std::string FirstWord(std::string_view text) {
    const auto end = std::find_if(text.begin(), text.end(), [](unsigned char ch) {
        return !std::isalnum(ch) && ch != '_';
    });
    return std::string(text.begin(), end);
}

// Where the double-quoted text that starts at `i` ends, when it closes on its line.
std::size_t EndOfQuotedText(std::string_view text, std::size_t i) {
    if (text[i] != '"') return std::string_view::npos;
    const std::size_t close = text.find_first_of("\"\r\n", i + 1);
    return close != std::string_view::npos && text[close] == '"' ? close : std::string_view::npos;
}

// Braces that hold values inside one statement rather than open a block: the initial
// value of a byte array signal and the arguments of a schedule command.
bool BracesHoldValues(const std::string& section, int depth) {
    return (depth == 1 && (section == "Signals" || section == "Diagnostic_signals")) ||
           (depth == 2 && section == "Schedule_tables");
}

// Cuts the text at ';', '{' and '}' after dropping comments. A double-quoted text that
// closes on its line is text, whatever marks it holds. Section keywords set the section
// of the statements inside and are no statements themselves: an empty section carries no
// data, and the writer may leave it out.
std::vector<Statement> CutIntoStatements(std::string_view text) {
    std::vector<Statement> statements;
    std::string section;
    std::string pending;
    int depth = 0;
    int valueBraces = 0;
    const auto endStatement = [&](bool opensBlock) {
        std::string statement = Collapsed(pending);
        pending.clear();
        valueBraces = 0;
        if (depth == 0 && opensBlock) {
            section = FirstWord(statement);
        } else if (!statement.empty()) {
            statements.push_back({section, depth, std::move(statement)});
        }
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::string_view rest = text.substr(i);
        const char ch = text[i];
        if (rest.starts_with("//") || rest.starts_with("/*")) {
            const bool lineComment = rest[1] == '/';
            const std::size_t end = lineComment ? text.find('\n', i) : text.find("*/", i + 2);
            if (end == std::string_view::npos) break;
            i = lineComment ? end : end + 1;
            pending += ' ';
        } else if (const std::size_t close = EndOfQuotedText(text, i);
                   close != std::string_view::npos) {
            pending.append(text.substr(i, close + 1 - i));
            i = close;
        } else if (ch == '{' && (valueBraces > 0 || BracesHoldValues(section, depth))) {
            ++valueBraces;
            pending += ch;
        } else if (ch == '}' && valueBraces > 0) {
            --valueBraces;
            pending += ch;
        } else if (ch == ';' || ch == '{' || ch == '}') {
            endStatement(ch == '{');
            if (ch == '{') ++depth;
            if (ch == '}' && depth > 0 && --depth == 0) section.clear();
        } else {
            pending += ch;
        }
    }
    endStatement(false);
    return statements;
}

// The keyword a statement begins with where the language puts one there (header
// statements, Master and Slaves, node attribute keys, encoding values, schedule commands);
// where a statement begins with a name the file chose, one kind for all of its depth.
std::string KindOf(const Statement& statement) {
    const std::string word = FirstWord(statement.text);
    const std::string& section = statement.section;
    const int depth = statement.depth;
    const bool keywordFirst =
        depth == 0 ||
        (depth == 1 && (section == "Nodes" || section == "composite" ||
                        section == "Diagnostic_frames")) ||
        (depth == 2 && (section == "Node_attributes" || section == "Signal_encoding_types"));
    // physical_range is an older spelling that is written back as physical_value.
    if (keywordFirst) return word == "physical_range" ? "physical_value" : word;
    if (section == "Schedule_tables" && depth == 2) {
        const bool command = word == "MasterReq" || word == "SlaveResp" ||
                             statement.text.find('{') != std::string::npos;
        return command ? word : "frame";
    }
    return "named, depth " + std::to_string(depth);
}

// LDF bytes (Windows-1252, as the loader reads them and the writer writes them) by class,
// as UTF-8 so that they compare with the texts of load issues.
StatementsByClass ClassifyStatements(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    StatementsByClass classes;
    const std::string text = tabrel::EncodeUtf8(tabrel::DecodeCodePage(bytes));
    for (const Statement& statement : CutIntoStatements(text)) {
        // A header statement with an empty text ('Channel_name = ""') carries no data.
        if (statement.depth == 0 && statement.text.ends_with("= \"\"")) continue;
        classes[{statement.section, KindOf(statement)}].push_back(statement.text);
    }
    return classes;
}

std::string Describe(const StatementClass& statementClass) {
    return (statementClass.first.empty() ? "top level" : statementClass.first) + " / " +
           statementClass.second;
}

// A load issue accounts for a statement when it quotes the statement, or, for a statement
// of a section that is missing from the written file, when it names the section.
bool IsReported(const std::string& statement, const std::string& lostSection,
                const std::vector<std::string>& issueDetails) {
    const std::string quoted = WithoutSpaces(statement);
    return std::any_of(issueDetails.begin(), issueDetails.end(), [&](const std::string& details) {
        return WithoutSpaces(details).find(quoted) != std::string::npos ||
               (!lostSection.empty() && details.find(lostSection) != std::string::npos);
    });
}

// The statements of `original` that `written` does not hold as often (by their text).
std::vector<std::string> NotWrittenVerbatim(const std::vector<std::string>& original,
                                            const std::vector<std::string>& written) {
    std::multiset<std::string> left;
    for (const std::string& text : written) left.insert(WithoutSpaces(text));
    std::vector<std::string> missing;
    for (const std::string& text : original) {
        const auto found = left.find(WithoutSpaces(text));
        if (found == left.end()) {
            missing.push_back(text);
        } else {
            left.erase(found);
        }
    }
    return missing;
}

class SavedStatements : public ::testing::TestWithParam<fs::path> {};

TEST_P(SavedStatements, EachIsWrittenBackOrNamedByALoadIssue) {
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(document.LoadFromFile(test_support::Path(GetParam())));
    const StatementsByClass original = ClassifyStatements(test_support::ReadBytes(GetParam()));
    // The writer's own header comment and 'LIN_description_file;' only add statements,
    // which is no loss.
    const StatementsByClass written = ClassifyStatements(RenderLDF(document));
    const std::vector<std::string> issues = test_support::Utf8(document.loadIssueDetails);
    std::set<std::string> writtenSections;
    for (const auto& entry : written) writtenSections.insert(entry.first.first);

    const std::vector<std::string> none;
    std::string losses;
    for (const auto& [statementClass, texts] : original) {
        const auto found = written.find(statementClass);
        const std::vector<std::string>& rewritten = found == written.end() ? none : found->second;
        if (rewritten.size() >= texts.size()) continue;
        const std::string& section = statementClass.first;
        const std::string lostSection = writtenSections.contains(section) ? "" : section;
        std::vector<std::string> unreported;
        std::copy_if(texts.begin(), texts.end(), std::back_inserter(unreported),
                     [&](const std::string& text) { return !IsReported(text, lostSection, issues); });
        const std::size_t reported = texts.size() - unreported.size();
        if (reported >= texts.size() - rewritten.size()) continue;

        std::vector<std::string> suspects = NotWrittenVerbatim(unreported, rewritten);
        if (suspects.empty()) suspects = unreported;
        losses += Describe(statementClass) + ": " + std::to_string(texts.size()) +
                  " in the file, " + std::to_string(rewritten.size()) + " written, " +
                  std::to_string(reported) + " named by load issues; not written as they were:\n";
        for (const std::string& text : suspects) losses += "    " + text + "\n";
    }
    if (!losses.empty()) {
        std::string issueList;
        for (const std::string& issue : test_support::LoadIssues(document)) {
            issueList += "    " + issue + "\n";
        }
        ADD_FAILURE() << "Statements lost on saving without a load issue:\n"
                      << losses << "Load issues (level|type|details):\n"
                      << (issueList.empty() ? "    none\n" : issueList);
    }
}

INSTANTIATE_TEST_SUITE_P(SampleFiles, SavedStatements,
                         ::testing::ValuesIn(test_support::AllSampleFiles()),
                         test_support::SampleTestName);

// The grammar checker runs once for the written files of all selected tests; each test then
// reads its file's verdict.
class SavedFileGrammar : public ::testing::TestWithParam<fs::path> {
protected:
    static void SetUpTestSuite() {
        std::map<std::string, std::string> texts;
        for (const auto& [name, sample] : SelectedSamples()) {
            corvdekLINDefinitionFile document;
            document.LoadFromFile(test_support::Path(sample));
            texts[name] = RenderLDF(document);
            names_[sample] = name;
        }
        check_ = std::make_unique<test_support::GrammarCheck>(texts);
    }

    static void TearDownTestSuite() { check_.reset(); }

    // The samples whose tests are selected to run, by test name: ctest runs each test in a
    // process of its own, which then writes and checks just its file.
    static std::map<std::string, fs::path> SelectedSamples() {
        const ::testing::TestSuite* suite = ::testing::UnitTest::GetInstance()->current_test_suite();
        std::set<std::string> selected;
        for (int i = 0; i < suite->total_test_count(); ++i) {
            const std::string name = suite->GetTestInfo(i)->name();  // "Test/SampleName"
            if (suite->GetTestInfo(i)->should_run()) selected.insert(name.substr(name.find('/') + 1));
        }
        std::map<std::string, fs::path> samples;
        const std::vector<fs::path> all = test_support::AllSampleFiles();
        for (std::size_t i = 0; i < all.size(); ++i) {
            const std::string name = test_support::SampleTestName({all[i], i});
            if (selected.contains(name)) samples[name] = all[i];
        }
        return samples;
    }

    static inline std::unique_ptr<test_support::GrammarCheck> check_;
    static inline std::map<fs::path, std::string> names_;
};

TEST_P(SavedFileGrammar, FollowsTheLdfGrammar) {
    if (!check_->SkipReason().empty()) GTEST_SKIP() << check_->SkipReason();
    const std::string failure = check_->Failure(names_.at(GetParam()));
    if (!failure.empty()) ADD_FAILURE() << failure;
}

INSTANTIATE_TEST_SUITE_P(SampleFiles, SavedFileGrammar,
                         ::testing::ValuesIn(test_support::AllSampleFiles()),
                         test_support::SampleTestName);

}  // namespace
