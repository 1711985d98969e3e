// libFuzzer target: any bytes as a node capability file. Reading and writing must neither
// crash, hang nor leak, and writing, reading and writing again must settle on one text. A
// cluster built from the file must write as LDF that loads, and give its slaves' files back.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "ldf_writer/ldf_writer.h"
#include "model/definition_file.h"
#include "ncf/ncf_document.h"
#include "ncf/ncf_from_cluster.h"
#include "ncf/ncf_to_cluster.h"
#include "ncf/ncf_writer.h"

namespace {

std::string WriteAndReread(const std::string& written) {
    NcfDocument reread;
    if (!reread.LoadFromBytes(written)) std::abort();
    return RenderNCF(reread);
}

void BuildAndExport(const NcfDocument& document) {
    corvdekLINDefinitionFile cluster;
    if (!cluster.LoadFromBytes("LIN_description_file; LIN_protocol_version = \"2.2\"; LIN_language_version = \"2.2\";"
                               "LIN_speed = 19.2 kbps; Nodes { Master: M, 5 ms, 0.1 ms; }")) {
        std::abort();
    }
    AddNodeCapabilities(cluster, {&document});
    corvdekLINDefinitionFile reloaded;
    if (!reloaded.LoadFromBytes(RenderLDF(cluster))) std::abort();
    for (int i = 0; i < cluster.nodes.GetCount(); ++i) {
        corvStringArray decisions;
        const std::optional<NcfDocument> slave = NcfOfSlave(cluster, cluster.nodes.Get(i)->name.View(), decisions);
        if (!slave) std::abort();
        RenderNCF(*slave);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    NcfDocument document;
    if (!document.LoadFromBytes(std::string_view(reinterpret_cast<const char*>(data), size))) return 0;
    const std::string once = WriteAndReread(RenderNCF(document));
    if (WriteAndReread(once) != once) std::abort();
    BuildAndExport(document);
    return 0;
}
