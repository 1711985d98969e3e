// libFuzzer target: any bytes as an LDF file. The loader must neither crash, hang nor leak.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "model/definition_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    corvdekLINDefinitionFile document;
    document.LoadFromBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
