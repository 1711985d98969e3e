// tabrel-cli ncf export: the node capability file of one slave of a cluster.

#include <ostream>

#include "commands.h"
#include "document_io.h"
#include "model/definition_file.h"
#include "ncf/ncf_from_cluster.h"
#include "ncf/ncf_writer.h"

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
    for (int i = 0; i < decisions.Count(); ++i) err << output << ": decided: " << decisions.Item(i).ToUtf8() << "\n";
    corvStringArray leftOut;
    const std::string text = RenderNCF(*ncf, &leftOut);
    for (int i = 0; i < leftOut.Count(); ++i) err << output << ": warning: not written: " << leftOut.Item(i).ToUtf8() << "\n";
    return StoreOutput(output, text, out, err) ? kExitOk : kExitFailure;
}
