// libFuzzer target: any bytes as an LDF file. Loading, checking, writing, generating a
// header and decoding frames must neither crash, hang nor leak, and saving, loading and
// saving again must settle on one text. The same bytes, line by line, are also read as a bus
// log and as values typed for the frames' signals.

#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>

#include "codegen/generate_microchip.h"
#include "foundation/text_encoding.h"
#include "ldf_writer/ldf_writer.h"
#include "model/definition_file.h"
#include "signal_values/trace_reader.h"

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

// Every frame decodes the first bytes of the input and encodes its initial values; each line
// of the input is read as a log line and typed as the value of the frames' first signals.
void DecodeFrames(const corvdekLINDefinitionFile& document, std::string_view input) {
    const TraceDecoder decoder(document);
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start < input.size() && lines.size() < 64;) {
        const std::size_t end = std::min(input.find('\n', start), input.size());
        lines.push_back(input.substr(start, end - start));
        start = end + 1;
    }
    TraceFrame frame;
    std::vector<DecodedSignal> values;
    std::string why;
    for (const std::string_view line : lines) {
        if (decoder.Read(line, frame, why) == TraceDecoder::Line::kFrame) frame.codec->Decode(frame.bytes, values);
    }
    for (int f = 0; f < document.frames.GetCount() && f < 64; ++f) {
        const auto codec = FrameCodec::Find(document, document.frames.Get(f)->name.ToUtf8(), why);
        if (!codec) continue;
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(codec->Length()));
        for (std::size_t k = 0; k < bytes.size() && k < input.size(); ++k) bytes[k] = static_cast<std::uint8_t>(input[k]);
        codec->Decode(bytes, values);
        codec->Encode({}, 1, why);
        if (codec->Signals().empty() || lines.empty()) continue;
        const std::string signal = tabrel::EncodeUtf8(codec->Signals().front().name);
        codec->Encode({{signal, std::string(lines[static_cast<std::size_t>(f) % lines.size()])}}, 0, why);
    }
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
    DecodeFrames(document, std::string_view(reinterpret_cast<const char*>(data), size));

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
