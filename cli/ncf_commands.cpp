// tabrel-cli ncf export and ncf add: the node capability file of one slave of a cluster,
// and a cluster built or updated from its nodes' files.

#include <ostream>

#include "cluster_diff/cluster_diff.h"
#include "commands.h"
#include "document_io.h"
#include "ldf_writer/ldf_writer.h"
#include "model/definition_file.h"
#include "ncf/ncf_from_cluster.h"
#include "ncf/ncf_to_cluster.h"
#include "ncf/ncf_writer.h"

namespace {

// Reads `path`; its issues go to `err` as 'FILE:LINE: warning: TYPE: DETAILS'; on failure
// also why, and false.
bool ReadNcfForCommand(NcfDocument& document, const std::string& path, std::ostream& err) {
    const bool read = document.LoadFromFile(corvString(DecodeArgument(path)));
    for (const NcfIssue& issue : document.issues) {
        err << path << ":" << issue.place.line << ": " << (issue.error ? "error" : "warning") << ": "
            << issue.type.ToUtf8() << ": " << issue.details.ToUtf8() << "\n";
    }
    if (!read) ReportLoadFailure(path, document.lastLoadError, err);
    return read;
}

void ListOn(std::ostream& err, const std::string& output, const char* what, const corvStringArray& lines) {
    for (int i = 0; i < lines.Count(); ++i) err << output << ": " << what << ": " << lines.Item(i).ToUtf8() << "\n";
}

}  // namespace

int RunNcfExport(const std::string& input, const std::string& slaveName, const std::string& output, std::ostream& out,
                 std::ostream& err) {
    const CommandDocument owned = NewCommandDocument();
    corvdekLINDefinitionFile& cluster = *owned;
    if (!LoadForCommand(cluster, input, err)) return kExitFailure;
    corvStringArray decisions;
    const std::optional<NcfDocument> ncf = NcfOfSlave(cluster, DecodeArgument(slaveName), decisions);
    if (!ncf) {
        err << input << ": there is no slave node named '" << slaveName << "'\n";
        return kExitFailure;
    }
    ListOn(err, output, "decided", decisions);
    corvStringArray leftOut;
    const std::string text = RenderNCF(*ncf, &leftOut);
    ListOn(err, output, "warning: not written", leftOut);
    return StoreOutput(output, text, out, err) ? kExitOk : kExitFailure;
}

int RunNcfAdd(const std::string& input, const std::vector<std::string>& ncfFiles, const std::string& output,
              std::ostream& out, std::ostream& err) {
    const CommandDocument before = NewCommandDocument();
    const CommandDocument cluster = NewCommandDocument();
    std::string bytes;
    if (!LoadForCommand(*cluster, input, err, &bytes) || !before->LoadFromBytes(bytes)) return kExitFailure;
    std::vector<NcfDocument> documents(ncfFiles.size());
    std::vector<const NcfDocument*> given;
    for (std::size_t i = 0; i < ncfFiles.size(); ++i) {
        if (!ReadNcfForCommand(documents[i], ncfFiles[i], err)) return kExitFailure;
        given.push_back(&documents[i]);
    }
    const NcfAddReport report = AddNodeCapabilities(*cluster, given);
    ListOn(err, output, "decided", report.decisions);
    if (report.conflicts.Count() > 0) {
        // A cluster with the conflicting objects left out would look complete: nothing is written.
        ListOn(err, output, "conflict", report.conflicts);
        err << output << ": not written: " << report.conflicts.Count() << " conflict"
            << (report.conflicts.Count() == 1 ? "" : "s") << "\n";
        return kExitIssues;
    }
    for (const ObjectChange& change : CompareClusters(*before, *cluster, {})) {
        err << output << ": " << ChangeLine(change) << "\n";
    }
    corvStringArray leftOut;
    const std::string text = RenderLDF(*cluster, &leftOut);
    ListOn(err, output, "warning: not written", leftOut);
    return StoreOutput(output, text, out, err) ? kExitOk : kExitFailure;
}
