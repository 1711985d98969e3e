// tabrel-cli check: load each file, run the setup checks once, print every issue; and
// tabrel-cli ncf check, the same for node capability files.

#include <nlohmann/json.hpp>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "commands.h"
#include "document_io.h"
#include "foundation/text_encoding.h"
#include "model/definition_file.h"
#include "ncf/ncf_document.h"

namespace {

using Json = nlohmann::ordered_json;

// One issue as the document holds it.
struct Issue {
    bool loadIssue;
    bool error;  // the level reads as a non-zero number
    const corvString* level;
    const corvString* type;
    const corvString* section;  // empty for a load issue
    const corvString* details;
    SourcePlace place;  // of a load issue; line 0 for a setup issue
};

std::vector<Issue> IssuesOf(const corvdekLINDefinitionFile& document, bool checked) {
    static const corvString kNoSection;
    std::vector<Issue> issues;
    for (int i = 0; i < document.loadIssueTypes.Count(); ++i) {
        const corvString& level = document.loadIssueLevels.Item(i);
        issues.push_back({true, level.ToInt() != 0, &level, &document.loadIssueTypes.Item(i), &kNoSection,
                          &document.loadIssueDetails.Item(i), document.loadIssuePlaces[static_cast<std::size_t>(i)]});
    }
    for (int i = 0; checked && i < document.setupIssueLevels.Count(); ++i) {
        const corvString& level = document.setupIssueLevels.Item(i);
        issues.push_back({false, level.ToInt() != 0, &level, &document.setupIssueTypes.Item(i),
                          &document.setupIssueSections.Item(i), &document.setupIssueDetails.Item(i), {}});
    }
    return issues;
}

// Tabs and line breaks would break the columns; none of our texts has them, but a file's
// statement could.
std::string OneLine(std::string text) {
    for (char& ch : text) {
        if (ch == '\t' || ch == '\n' || ch == '\r') ch = ' ';
    }
    return text;
}

std::string Counted(std::size_t count, const char* noun) {
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

void PrintText(const std::string& path, bool loaded, const corvString& lastLoadError,
               const std::vector<Issue>& issues, std::ostream& out, std::ostream& err) {
    // A listing of thousands of rows is made in memory and written at once.
    std::size_t errors = 0;
    std::string text;
    for (const Issue& issue : issues) {
        errors += issue.error;
        // 'FILE:LINE: warning: ...', the form editors and CI systems link to the line.
        text.append(path);
        if (issue.place.line > 0) text.append(":").append(std::to_string(issue.place.line));
        text.append(issue.error ? ": error: " : ": warning: ");
        tabrel::AppendUtf8(text, issue.type->View());
        if (!issue.section->IsEmpty()) {
            text += " [";
            tabrel::AppendUtf8(text, issue.section->View());
            text += "]";
        }
        text += ": ";
        tabrel::AppendUtf8(text, issue.details->View());
        text += "\n";
    }
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (!loaded) ReportLoadFailure(path, lastLoadError, err);
    out << path << ": " << Counted(errors, "error") << ", "
        << Counted(issues.size() - errors, "warning") << "\n";
}

void PrintTsv(const std::string& path, const std::vector<Issue>& issues, std::ostream& out) {
    for (const Issue& issue : issues) {
        out << OneLine(path) << '\t' << (issue.loadIssue ? "load" : "setup") << '\t'
            << OneLine(issue.level->ToUtf8()) << '\t' << OneLine(issue.type->ToUtf8()) << '\t'
            << OneLine(issue.section->ToUtf8()) << '\t' << OneLine(issue.details->ToUtf8()) << '\t'
            << (issue.place.line > 0 ? std::to_string(issue.place.line) : "") << '\n';
    }
}

Json FileJson(const std::string& path, bool loaded, const corvString& lastLoadError,
              const std::vector<Issue>& issues) {
    Json loadIssues = Json::array();
    Json setupIssues = Json::array();
    for (const Issue& issue : issues) {
        if (issue.loadIssue) {
            Json loadIssue = {{"level", issue.level->ToUtf8()},
                              {"type", issue.type->ToUtf8()},
                              {"details", issue.details->ToUtf8()}};
            if (issue.place.line > 0) {
                loadIssue["line"] = issue.place.line;
                loadIssue["column"] = issue.place.column;
            }
            loadIssues.push_back(std::move(loadIssue));
        } else {
            setupIssues.push_back({{"level", issue.level->ToUtf8()},
                                   {"type", issue.type->ToUtf8()},
                                   {"section", issue.section->ToUtf8()},
                                   {"details", issue.details->ToUtf8()}});
        }
    }
    Json file = {{"path", path}, {"loaded", loaded}};
    if (!loaded) file["error"] = lastLoadError.ToUtf8();
    file["loadIssues"] = loadIssues;
    file["setupIssues"] = setupIssues;
    return file;
}

// The issues of a read NCF file, all of them load issues.
std::vector<Issue> IssuesOf(const NcfDocument& document) {
    static const corvString kError(u"1");
    static const corvString kWarning(u"0");
    static const corvString kNoSection;
    std::vector<Issue> issues;
    for (const NcfIssue& issue : document.issues) {
        issues.push_back({true, issue.error, issue.error ? &kError : &kWarning, &issue.type, &kNoSection, &issue.details,
                          issue.place});
    }
    return issues;
}

// Shows what one file's check found, while the document that holds the issues lives.
using ShowChecked = std::function<void(bool loaded, const std::vector<Issue>& issues, const corvString& lastLoadError)>;
using CheckFile = std::function<void(const std::string& path, const ShowChecked& show)>;

int RunChecks(const CheckOptions& options, const CheckFile& checkFile, std::ostream& out, std::ostream& err) {
    bool allLoaded = true;
    bool failing = false;
    Json files = Json::array();
    for (const std::string& path : options.files) {
        checkFile(path, [&](bool loaded, const std::vector<Issue>& issues, const corvString& lastLoadError) {
            allLoaded = allLoaded && loaded;
            for (const Issue& issue : issues) failing = failing || options.strict || issue.error;
            switch (options.format) {
                case IssueFormat::kText: PrintText(path, loaded, lastLoadError, issues, out, err); break;
                case IssueFormat::kTsv:
                    PrintTsv(path, issues, out);
                    if (!loaded) err << path << ": " << lastLoadError.ToUtf8() << "\n";
                    break;
                case IssueFormat::kJson: files.push_back(FileJson(path, loaded, lastLoadError, issues)); break;
            }
        });
    }
    // A path given in bytes that are no UTF-8 is shown with replacement characters.
    if (options.format == IssueFormat::kJson) {
        out << files.dump(2, ' ', false, Json::error_handler_t::replace) << "\n";
    }
    if (!allLoaded) return kExitFailure;
    return failing ? kExitIssues : kExitOk;
}

}  // namespace

int RunCheck(const CheckOptions& options, std::ostream& out, std::ostream& err) {
    return RunChecks(
        options,
        [](const std::string& path, const ShowChecked& show) {
            const CommandDocument owned = NewCommandDocument();
            corvdekLINDefinitionFile& document = *owned;
            const bool loaded = document.LoadFromFile(corvString(DecodeArgument(path)));
            if (loaded) document.CheckSetup();
            show(loaded, IssuesOf(document, loaded), document.lastLoadError);
        },
        out, err);
}

int RunNcfCheck(const CheckOptions& options, std::ostream& out, std::ostream& err) {
    return RunChecks(
        options,
        [](const std::string& path, const ShowChecked& show) {
            NcfDocument document;
            const bool loaded = document.LoadFromFile(corvString(DecodeArgument(path)));
            show(loaded, IssuesOf(document), document.lastLoadError);
        },
        out, err);
}
