#pragma once
// The commands of tabrel-cli. Each returns the process exit status: 0 success, 1 issues
// of level "1" (check only), 2 a file that cannot be loaded or written.

#include <iosfwd>
#include <string>
#include <vector>

enum class IssueFormat { kText, kTsv, kJson };

struct CheckOptions {
    std::vector<std::string> files;
    IssueFormat format = IssueFormat::kText;
    bool strict = false;  // any issue fails the check, not only errors
};

int RunCheck(const CheckOptions& options, std::ostream& out, std::ostream& err);
int RunWrite(const std::string& input, const std::string& output, std::ostream& out,
             std::ostream& err);
// `slaveName` empty: the header for the master.
int RunHeader(const std::string& input, const std::string& output, bool master,
              const std::string& slaveName, std::ostream& out, std::ostream& err);
int RunExport(const std::string& input, std::ostream& out, std::ostream& err);

constexpr int kExitOk = 0;
constexpr int kExitIssues = 1;
constexpr int kExitFailure = 2;
