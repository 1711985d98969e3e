#include "trace_reader.h"

#include <algorithm>
#include <charconv>

#include "foundation/text_encoding.h"

#include "model/definition_file.h"
#include "model/ldf_numbers.h"
#include "model/name_index.h"

namespace {

constexpr unsigned kIdMask = 0x3F;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// The next word of `line`, which is advanced past it.
std::string_view NextWord(std::string_view& line) {
    std::size_t start = 0;
    while (start < line.size() && IsBlank(line[start])) ++start;
    std::size_t end = start;
    while (end < line.size() && !IsBlank(line[end])) ++end;
    const std::string_view word = line.substr(start, end - start);
    line.remove_prefix(end);
    return word;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<unsigned> HexNumber(std::string_view word) {
    if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) word.remove_prefix(2);
    unsigned value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value, 16);
    if (word.empty() || error != std::errc() || end != word.data() + word.size()) return std::nullopt;
    return value;
}

// The frame identifier of `value`: the identifier itself, or a protected one.
std::optional<unsigned> FrameIdentifier(unsigned value) {
    if (value <= kIdMask) return value;
    if (value <= 0xFF && ProtectedId(value & kIdMask) == value) return value & kIdMask;
    return std::nullopt;
}

std::string Hex(unsigned byte) {
    const char* digits = "0123456789ABCDEF";
    return {'0', 'x', digits[byte >> 4 & 0xF], digits[byte & 0xF]};
}

}  // namespace

TraceDecoder::TraceDecoder(const corvdekLINDefinitionFile& cluster) {
    // The first frame of each identifier is the one a log line names.
    const auto learn = [this](const corvString& frameId, auto makeCodec) {
        const auto id = WholeNumber(frameId);
        if (id && *id <= kIdMask && !frames_[*id]) frames_[*id] = std::make_unique<FrameCodec>(makeCodec());
    };
    const ClusterNameIndex names(cluster);
    for (int i = 0; i < cluster.frames.GetCount(); ++i) {
        const corvdekLINFrame& frame = *cluster.frames.Get(i);
        learn(frame.frameId, [&] { return FrameCodec::OfFrame(cluster, frame, names); });
    }
    for (int i = 0; i < cluster.diagnosticFrames.GetCount(); ++i) {
        const corvdekLINDiagnosticFrame& frame = *cluster.diagnosticFrames.Get(i);
        learn(frame.frameId, [&] { return FrameCodec::OfDiagnosticFrame(cluster, frame); });
    }
    for (int i = 0; i < cluster.eventFrames.GetCount(); ++i) {
        const corvdekLINEventFrame& event = *cluster.eventFrames.Get(i);
        const auto id = WholeNumber(event.Id());
        if (!id || *id > kIdMask) continue;
        const corvStringArray carried = event.Frames();
        for (int k = 0; k < carried.Count(); ++k) {
            for (int f = 0; f < cluster.frames.GetCount(); ++f) {
                if (!cluster.frames.Get(f)->name.Equals(carried.Item(k))) continue;
                if (const auto carriedId = WholeNumber(cluster.frames.Get(f)->frameId); carriedId && *carriedId <= kIdMask) {
                    carried_[*id].push_back(*carriedId);
                }
                break;
            }
        }
    }
}

TraceDecoder::Line TraceDecoder::Read(std::string_view line, TraceFrame& frame, std::string& why) const {
    std::string_view rest = line;
    std::string_view word = NextWord(rest);
    if (word.empty() || word.starts_with('#') || word.starts_with("//")) return Line::kSkipped;
    frame.time.reset();
    if (word.find('.') != std::string_view::npos) {
        double seconds = 0;
        const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), seconds);
        if (error != std::errc() || end != word.data() + word.size()) {
            why = "'" + std::string(word) + "' is no time stamp";
            return Line::kFault;
        }
        frame.time = seconds;
        word = NextWord(rest);
    }
    const auto number = HexNumber(word);
    const auto id = number ? FrameIdentifier(*number) : std::nullopt;
    if (!id) {
        why = word.empty() ? "the frame identifier is missing" : "'" + std::string(word) + "' is no frame identifier";
        return Line::kFault;
    }
    frame.bytes.clear();
    for (word = NextWord(rest); !word.empty(); word = NextWord(rest)) {
        if (word.size() % 2 != 0) {
            why = "'" + std::string(word) + "' is no hexadecimal byte";
            return Line::kFault;
        }
        for (std::size_t k = 0; k < word.size(); k += 2) {
            const int high = HexDigit(word[k]);
            const int low = HexDigit(word[k + 1]);
            if (high < 0 || low < 0) {
                why = "'" + std::string(word) + "' is no hexadecimal byte";
                return Line::kFault;
            }
            frame.bytes.push_back(static_cast<std::uint8_t>(high << 4 | low));
        }
    }
    unsigned frameId = *id;
    if (!carried_[*id].empty()) {
        // An event-triggered frame carries one of its frames, whose protected identifier is
        // its first byte.
        const auto carriedId = frame.bytes.empty() ? std::nullopt : FrameIdentifier(frame.bytes[0]);
        if (!carriedId || std::find(carried_[*id].begin(), carried_[*id].end(), *carriedId) == carried_[*id].end()) {
            why = "the event-triggered frame " + Hex(*id) + " carries no frame of the protected identifier " +
                  (frame.bytes.empty() ? std::string("(none)") : Hex(frame.bytes[0]));
            return Line::kFault;
        }
        frameId = *carriedId;
    }
    frame.codec = frames_[frameId].get();
    if (frame.codec == nullptr) {
        why = "no frame of the cluster has the identifier " + Hex(frameId);
        return Line::kFault;
    }
    if (frame.bytes.size() != static_cast<std::size_t>(frame.codec->Length())) {
        why = "frame " + tabrel::EncodeUtf8(frame.codec->Name()) + " has " + std::to_string(frame.codec->Length()) +
              " data bytes, the line " + std::to_string(frame.bytes.size());
        return Line::kFault;
    }
    return Line::kFrame;
}
