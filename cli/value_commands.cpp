// tabrel-cli decode and encode: a frame's bytes as signal values and back, for one frame or
// for every line of a bus log.

#include <algorithm>
#include <cctype>
#include <charconv>
#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>
#include <ostream>

#include "commands.h"
#include "document_io.h"
#include "foundation/text_encoding.h"
#include "model/definition_file.h"
#include "signal_values/frame_codec.h"
#include "signal_values/trace_reader.h"

namespace {

using Json = nlohmann::ordered_json;

std::string Utf8(std::u16string_view text) { return tabrel::EncodeUtf8(text); }

std::string HexBytes(std::span<const std::uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (const std::uint8_t byte : bytes) {
        if (!text.empty()) text += ' ';
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0xF];
    }
    return text;
}

Json SignalJson(const DecodedSignal& decoded) {
    const CodecSignal& signal = *decoded.signal;
    const SignalMeaning& meaning = decoded.meaning;
    Json json = {{"name", Utf8(signal.name)}, {"offset", signal.offset}, {"size", signal.size}};
    json["raw"] = signal.isByteArray ? Json(decoded.bytes) : Json(decoded.raw);
    json["encoding"] = signal.encoding != nullptr ? Json(signal.encoding->name.ToUtf8()) : Json();
    json["value"] = meaning.value ? Json(*meaning.value) : Json();
    json["unit"] = meaning.value && meaning.hasUnit ? Json(Utf8(meaning.unit)) : Json();
    json["text"] = meaning.hasText ? Json(Utf8(meaning.text)) : Json();
    return json;
}

Json FrameJson(const FrameCodec& codec, std::span<const std::uint8_t> bytes,
               const std::vector<DecodedSignal>& values) {
    Json json = {{"frame", Utf8(codec.Name())}, {"id", codec.Id()}, {"length", codec.Length()},
                 {"bytes", HexBytes(bytes)}};
    Json& list = json["signals"] = Json::array();
    for (const DecodedSignal& decoded : values) list.push_back(SignalJson(decoded));
    return json;
}

// What the encoding makes of the value: "12.5 km/h", "On", both, or "out of range".
std::string MeaningText(const DecodedSignal& decoded) {
    if (decoded.signal->encoding == nullptr) return "";
    const SignalMeaning& meaning = decoded.meaning;
    std::string text;
    if (meaning.value) text = DecimalText(*meaning.value) + (meaning.hasUnit ? " " + Utf8(meaning.unit) : "");
    if (meaning.hasText) text += (text.empty() ? "\"" : ", \"") + Utf8(meaning.text) + "\"";
    return text.empty() ? "out of range" : text;
}

std::string RawText(const DecodedSignal& decoded) {
    if (decoded.signal->isByteArray) return "{" + HexBytes(decoded.bytes) + "}";
    char digits[24];
    const std::string decimal(digits, std::to_chars(digits, digits + sizeof digits, decoded.raw).ptr);
    std::string hex(digits, std::to_chars(digits, digits + sizeof digits, decoded.raw, 16).ptr);
    std::transform(hex.begin(), hex.end(), hex.begin(), [](char c) { return static_cast<char>(std::toupper(c)); });
    return decimal + " (0x" + hex + ")";
}

void PrintFrameText(const FrameCodec& codec, std::span<const std::uint8_t> bytes,
                    const std::vector<DecodedSignal>& values, const std::string& prefix, std::ostream& out) {
    out << prefix << Utf8(codec.Name()) << " (id " << codec.Id() << ", " << codec.Length()
        << (codec.Length() == 1 ? " byte): " : " bytes): ") << HexBytes(bytes) << "\n";
    struct Row {
        std::string name, raw, meaning;
    };
    std::vector<Row> rows;
    std::size_t nameWidth = 0;
    std::size_t rawWidth = 0;
    for (const DecodedSignal& decoded : values) {
        const Row& row = rows.emplace_back(Row{Utf8(decoded.signal->name), RawText(decoded), MeaningText(decoded)});
        nameWidth = std::max(nameWidth, row.name.size());
        rawWidth = std::max(rawWidth, row.raw.size());
    }
    for (const Row& row : rows) {
        out << "  " << row.name << std::string(nameWidth - row.name.size() + 2, ' ') << row.raw;
        if (!row.meaning.empty()) out << std::string(rawWidth - row.raw.size() + 2, ' ') << row.meaning;
        out << "\n";
    }
}

void PrintDecoded(const FrameCodec& codec, std::span<const std::uint8_t> bytes, const std::vector<DecodedSignal>& values,
                  const std::optional<double>& time, bool json, std::ostream& out) {
    if (json) {
        Json object = FrameJson(codec, bytes, values);
        if (time) object["time"] = *time;
        out << object.dump() << "\n";
    } else {
        PrintFrameText(codec, bytes, values, time ? DecimalText(*time) + " " : "", out);
    }
}

// Loads `file` into `document` and finds `frame` in it; the signals its layout cannot place
// are named on `err`. Empty, after saying why, when either fails.
std::optional<FrameCodec> LoadFrame(corvdekLINDefinitionFile& document, const std::string& file,
                                    const std::string& frame, std::ostream& err) {
    if (!LoadForCommand(document, file, err)) return std::nullopt;
    std::string why;
    std::optional<FrameCodec> codec = FrameCodec::Find(document, frame, why);
    if (!codec) {
        err << file << ": " << why << "\n";
        return std::nullopt;
    }
    for (const std::string& fault : codec->Faults()) {
        err << file << ": warning: frame " << Utf8(codec->Name()) << ": signal " << fault << "\n";
    }
    return codec;
}

}  // namespace

int RunDecode(const DecodeOptions& options, std::ostream& out, std::ostream& err) {
    const CommandDocument owned = NewCommandDocument();
    const std::optional<FrameCodec> codec = LoadFrame(*owned, options.file, options.frame, err);
    if (!codec) return kExitFailure;
    const auto bytes = ParseHexBytes(options.bytes);
    if (!bytes || bytes->size() != static_cast<std::size_t>(codec->Length())) {
        err << "frame " << Utf8(codec->Name()) << " has " << codec->Length()
            << " data bytes: give them in hexadecimal, one argument each (01 A5 FF) or joined (01A5FF)\n";
        return kExitFailure;
    }
    std::vector<DecodedSignal> values;
    codec->Decode(*bytes, values);
    PrintDecoded(*codec, *bytes, values, std::nullopt, options.json, out);
    return kExitOk;
}

int RunDecodeTrace(const DecodeOptions& options, std::istream& standardInput, std::ostream& out, std::ostream& err) {
    const CommandDocument owned = NewCommandDocument();
    if (!LoadForCommand(*owned, options.file, err)) return kExitFailure;
    std::ifstream file;
    if (options.trace != "-") {
        file.open(options.trace, std::ios::binary);
        if (!file) {
            err << options.trace << ": cannot open the log\n";
            return kExitFailure;
        }
    }
    std::istream& log = options.trace == "-" ? standardInput : file;
    const TraceDecoder decoder(*owned);
    TraceFrame frame;
    std::vector<DecodedSignal> values;
    std::string line, why;
    int status = kExitOk;
    for (long long number = 1; std::getline(log, line); ++number) {
        switch (decoder.Read(line, frame, why)) {
            case TraceDecoder::Line::kSkipped: break;
            case TraceDecoder::Line::kFault:
                err << options.trace << ":" << number << ": " << why << "\n";
                status = kExitIssues;
                break;
            case TraceDecoder::Line::kFrame:
                frame.codec->Decode(frame.bytes, values);
                PrintDecoded(*frame.codec, frame.bytes, values, frame.time, options.json, out);
                break;
        }
        // A log that grows while it is read (tail -f) shows each frame as it comes.
        if (options.trace == "-") out.flush();
    }
    return status;
}

int RunEncode(const EncodeOptions& options, std::ostream& out, std::ostream& err) {
    const CommandDocument owned = NewCommandDocument();
    const std::optional<FrameCodec> codec = LoadFrame(*owned, options.file, options.frame, err);
    if (!codec) return kExitFailure;
    std::vector<FrameCodec::Assignment> assignments;
    for (const std::string& assignment : options.assignments) {
        const std::size_t equals = assignment.find('=');
        if (equals == std::string::npos) {
            err << "'" << assignment << "': write SIGNAL=VALUE\n";
            return kExitFailure;
        }
        assignments.push_back({assignment.substr(0, equals), assignment.substr(equals + 1)});
    }
    std::string why;
    const auto bytes = codec->Encode(assignments, options.fill, why);
    if (!bytes) {
        err << why << "\n";
        return kExitFailure;
    }
    out << HexBytes(*bytes) << "\n";
    return kExitOk;
}
