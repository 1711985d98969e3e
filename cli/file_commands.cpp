// tabrel-cli write, header and export.

#include <ostream>

#include "codegen/generate_microchip.h"
#include "commands.h"
#include "document_io.h"
#include "ldf_writer/ldf_writer.h"
#include "model/definition_file.h"
#include "model_json.h"

int RunWrite(const std::string& input, const std::string& output, std::ostream& out,
             std::ostream& err) {
    const CommandDocument owned = NewCommandDocument();
    corvdekLINDefinitionFile& document = *owned;
    if (!LoadForCommand(document, input, err)) return kExitFailure;
    corvStringArray leftOut;
    const std::string text = RenderLDF(document, &leftOut);
    for (int i = 0; i < leftOut.Count(); ++i) {
        err << output << ": warning: not written: " << leftOut.Item(i).ToUtf8() << "\n";
    }
    return StoreOutput(output, text, out, err) ? kExitOk : kExitFailure;
}

int RunHeader(const std::string& input, const std::string& output, bool master,
              const std::string& slaveName, std::ostream& out, std::ostream& err) {
    const CommandDocument owned = NewCommandDocument();
    corvdekLINDefinitionFile& document = *owned;
    if (!LoadForCommand(document, input, err)) return kExitFailure;
    int slaveIndex = 0;
    if (!master) {
        const corvString wanted(DecodeArgument(slaveName));
        slaveIndex = -1;
        for (int i = 0; i < document.nodes.GetCount() && slaveIndex < 0; ++i) {
            if (document.nodes.Get(i)->name.Equals(wanted)) slaveIndex = i;
        }
        if (slaveIndex < 0) {
            err << input << ": there is no slave node named '" << slaveName << "'\n";
            return kExitFailure;
        }
    }
    std::string header;
    if (!corvdekLINGenerateMicrochip::RenderHeader(document, master, slaveIndex, header)) {
        err << input << ": cannot generate the header\n";
        return kExitFailure;
    }
    return StoreOutput(output, header, out, err) ? kExitOk : kExitFailure;
}

int RunExport(const std::string& input, std::ostream& out, std::ostream& err) {
    const CommandDocument owned = NewCommandDocument();
    corvdekLINDefinitionFile& document = *owned;
    if (!LoadForCommand(document, input, err)) return kExitFailure;
    out << ClusterToJson(document).dump(2) << "\n";
    return kExitOk;
}
