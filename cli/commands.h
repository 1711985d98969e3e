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
// The same for node capability files: their read issues.
int RunNcfCheck(const CheckOptions& options, std::ostream& out, std::ostream& err);
// The NCF of the slave named `slaveName` of the cluster `input`, to `output` ('-' for
// standard output); what it had to decide goes to `err` as 'OUT: decided: ...'.
int RunNcfExport(const std::string& input, const std::string& slaveName, const std::string& output, std::ostream& out,
                 std::ostream& err);
// The cluster `input` with the nodes of the NCF files added or updated, to `output`; each
// decision and change goes to `err`. Exit status 1 on a conflict (reported, nothing written).
int RunNcfAdd(const std::string& input, const std::vector<std::string>& ncfFiles, const std::string& output,
              std::ostream& out, std::ostream& err);
int RunWrite(const std::string& input, const std::string& output, std::ostream& out,
             std::ostream& err);
// `slaveName` empty: the header for the master.
int RunHeader(const std::string& input, const std::string& output, bool master,
              const std::string& slaveName, std::ostream& out, std::ostream& err);
int RunExport(const std::string& input, std::ostream& out, std::ostream& err);

struct DecodeOptions {
    std::string file;
    std::string frame;               // a name or an identifier
    std::vector<std::string> bytes;  // hexadecimal, one byte each or joined
    std::string trace;               // a log to decode instead, "-" for standard input
    bool json = false;
};
int RunDecode(const DecodeOptions& options, std::ostream& out, std::ostream& err);
// Exit status 1 when a line of the log could not be decoded (each is reported, the rest goes on).
int RunDecodeTrace(const DecodeOptions& options, std::istream& standardInput, std::ostream& out, std::ostream& err);

struct EncodeOptions {
    std::string file;
    std::string frame;
    std::vector<std::string> assignments;  // SIGNAL=VALUE
    int fill = 1;                          // the bits no signal takes: the idle bus level
};
int RunEncode(const EncodeOptions& options, std::ostream& out, std::ostream& err);

struct DiffOptions {
    std::string before;
    std::string after;
    std::string node;  // empty: every change
    bool json = false;
};
// Exit status 0 when the clusters are equal, 1 when they differ.
int RunDiff(const DiffOptions& options, std::ostream& out, std::ostream& err);

constexpr int kExitOk = 0;
constexpr int kExitIssues = 1;
constexpr int kExitFailure = 2;
