// libFuzzer target: any bytes as a node capability file. Reading and writing must neither
// crash, hang nor leak, and writing, reading and writing again must settle on one text.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "ncf/ncf_document.h"
#include "ncf/ncf_writer.h"

namespace {

std::string WriteAndReread(const std::string& written) {
    NcfDocument reread;
    if (!reread.LoadFromBytes(written)) std::abort();
    return RenderNCF(reread);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    NcfDocument document;
    if (!document.LoadFromBytes(std::string_view(reinterpret_cast<const char*>(data), size))) return 0;
    const std::string once = WriteAndReread(RenderNCF(document));
    if (WriteAndReread(once) != once) std::abort();
    return 0;
}
