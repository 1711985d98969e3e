#include "frame_codec.h"

#include <algorithm>

#include <cctype>

#include "foundation/text_encoding.h"
#include "model/definition_file.h"
#include "model/ldf_numbers.h"
#include "model/name_index.h"

namespace {

constexpr int kMaxDataBytes = 8;
constexpr int kDiagnosticBytes = 8;  // MasterReq and SlaveResp always carry eight

std::uint8_t Mask(int bits) { return static_cast<std::uint8_t>((1u << bits) - 1); }

std::optional<unsigned> FrameIdOf(const corvString& text) { return WholeNumber(text); }

const corvdekLINSignalEncodingTypes* EncodingNamed(const corvdekLINDefinitionFile& cluster, const corvString& name) {
    if (name.IsEmpty()) return nullptr;
    for (int i = 0; i < cluster.encodingTypes.GetCount(); ++i) {
        if (cluster.encodingTypes.Get(i)->name.Equals(name)) return cluster.encodingTypes.Get(i);
    }
    return nullptr;
}

std::string FaultText(PlacedSignal::Fault fault) {
    switch (fault) {
        case PlacedSignal::kUndefined: return "is not defined; the signals after it are left out";
        case PlacedSignal::kListedTwice: return "is listed twice";
        case PlacedSignal::kBeyondEnd: return "lies beyond the end of the frame";
        case PlacedSignal::kOverlaps: return "overlaps the signal before it";
        case PlacedSignal::kByteArrayMisaligned: return "is a byte array that does not fill whole bytes";
        case PlacedSignal::kNone: break;
    }
    return {};
}

std::string Utf8(std::u16string_view text) { return tabrel::EncodeUtf8(text); }

}  // namespace

std::optional<FrameCodec> FrameCodec::Find(const corvdekLINDefinitionFile& cluster, std::string_view frame,
                                           std::string& why) {
    const std::optional<std::uint64_t> id = ParseRawNumber(frame);
    const corvString name(tabrel::DecodeUtf8(frame));
    const auto matches = [&](const corvString& frameName, const corvString& frameId) {
        if (!id) return frameName.Equals(name);
        const auto own = FrameIdOf(frameId);
        return own && *own == *id;
    };
    for (int i = 0; i < cluster.frames.GetCount(); ++i) {
        const corvdekLINFrame& unconditional = *cluster.frames.Get(i);
        if (matches(unconditional.name, unconditional.frameId)) return OfFrame(cluster, unconditional, ClusterNameIndex(cluster));
    }
    for (int i = 0; i < cluster.diagnosticFrames.GetCount(); ++i) {
        const corvdekLINDiagnosticFrame& diagnostic = *cluster.diagnosticFrames.Get(i);
        if (matches(diagnostic.name, diagnostic.frameId)) return OfDiagnosticFrame(cluster, diagnostic);
    }
    why = "there is no frame " + std::string(id ? "with the identifier " : "named ") + std::string(frame);
    return std::nullopt;
}

FrameCodec FrameCodec::OfFrame(const corvdekLINDefinitionFile& cluster, const corvdekLINFrame& frame,
                               const ClusterNameIndex& names) {
    FrameCodec codec;
    codec.name_ = frame.name.View();
    codec.id_ = static_cast<int>(FrameIdOf(frame.frameId).value_or(0));
    codec.length_ = static_cast<int>(std::min<long long>(kMaxDataBytes, frame.DataByteCount(names)));
    codec.Place(cluster, frame.signalNames, frame.signalOffsets,
                [&names](std::u16string_view signal) { return names.FindSignal(signal); });
    return codec;
}

FrameCodec FrameCodec::OfDiagnosticFrame(const corvdekLINDefinitionFile& cluster, const corvdekLINDiagnosticFrame& frame) {
    FrameCodec codec;
    codec.name_ = frame.name.View();
    codec.id_ = static_cast<int>(FrameIdOf(frame.frameId).value_or(0));
    codec.length_ = kDiagnosticBytes;
    codec.Place(cluster, frame.signalNames, frame.signalOffsets,
                [&cluster](std::u16string_view signal) -> const corvdekLINSignal* {
                    for (int k = 0; k < cluster.diagnosticSignals.GetCount(); ++k) {
                        if (cluster.diagnosticSignals.Get(k)->name.View() == signal) return cluster.diagnosticSignals.Get(k);
                    }
                    return nullptr;
                });
    return codec;
}

void FrameCodec::Place(const corvdekLINDefinitionFile& cluster, const corvStringArray& names,
                       const corvStringArray& offsets,
                       const std::function<const corvdekLINSignal*(std::u16string_view)>& find) {
    const SignalByteOrder order = ByteOrderOf(cluster);
    for (const PlacedSignal& placed : PlaceSignals(names, offsets, find, 8LL * length_)) {
        if (placed.fault != PlacedSignal::kNone) {
            faults_.push_back(Utf8(placed.name) + ": " + FaultText(placed.fault));
            continue;
        }
        CodecSignal& signal = signals_.emplace_back();
        signal.signal = placed.signal;
        signal.name = placed.name;
        signal.encoding = EncodingNamed(cluster, placed.signal->encoding);
        signal.offset = static_cast<int>(placed.offset);
        signal.size = static_cast<int>(placed.size);
        signal.isByteArray = placed.signal->isByteArray;
        if (!signal.isByteArray) AppendByteParts(signal.parts, placed.offset, placed.size, order);
    }
}

std::uint64_t FrameCodec::ReadRaw(const CodecSignal& signal, std::span<const std::uint8_t> bytes) const {
    std::uint64_t raw = 0;
    for (const SignalPart& part : signal.parts) {
        const std::uint8_t bits = (bytes[static_cast<std::size_t>(part.frameBit / 8)] >> (part.frameBit % 8)) &
                                  Mask(part.bits);
        raw |= std::uint64_t{bits} << part.firstBit;
    }
    return raw;
}

void FrameCodec::WriteRaw(const CodecSignal& signal, std::uint64_t raw, std::span<std::uint8_t> bytes) const {
    for (const SignalPart& part : signal.parts) {
        std::uint8_t& byte = bytes[static_cast<std::size_t>(part.frameBit / 8)];
        const int shift = part.frameBit % 8;
        const auto bits = static_cast<std::uint8_t>((raw >> part.firstBit) & Mask(part.bits));
        byte = static_cast<std::uint8_t>((byte & ~(Mask(part.bits) << shift)) | bits << shift);
    }
}

void FrameCodec::Decode(std::span<const std::uint8_t> bytes, std::vector<DecodedSignal>& values) const {
    values.resize(signals_.size());
    for (std::size_t i = 0; i < signals_.size(); ++i) {
        const CodecSignal& signal = signals_[i];
        DecodedSignal& value = values[i];
        value.signal = &signal;
        if (signal.isByteArray) {
            const auto first = bytes.begin() + signal.offset / 8;
            value.bytes.assign(first, first + signal.size / 8);
            value.raw = 0;
            for (std::size_t k = value.bytes.size(); k-- > 0;) value.raw = value.raw << 8 | value.bytes[k];
        } else {
            value.raw = ReadRaw(signal, bytes);
        }
        if (signal.encoding != nullptr) {
            InterpretRaw(*signal.encoding, value.raw, signal.size, value.bytes, signal.isByteArray, value.meaning);
        } else {
            value.meaning = {};  // not what another frame's signal here meant
        }
    }
}

const CodecSignal* FrameCodec::FindSignal(std::string_view name) const {
    const std::u16string wanted = tabrel::DecodeUtf8(name);
    for (const CodecSignal& signal : signals_) {
        if (signal.name == wanted) return &signal;
    }
    return nullptr;
}

bool FrameCodec::WriteInitialValue(const CodecSignal& signal, std::span<std::uint8_t> bytes, std::string& why) const {
    if (!signal.isByteArray) {
        WriteRaw(signal, WholeNumber(signal.signal->initValue).value_or(0), bytes);
        return true;
    }
    const corvStringArray& values = signal.signal->initValues;
    for (int k = 0; k < signal.size / 8; ++k) {
        const unsigned value = k < values.Count() ? WholeNumber(values.Item(k)).value_or(0) : 0;
        if (value > 0xFF) {
            why = Utf8(signal.name) + ": the initial value " + values.Item(k).ToUtf8() + " is no byte";
            return false;
        }
        bytes[static_cast<std::size_t>(signal.offset / 8 + k)] = static_cast<std::uint8_t>(value);
    }
    return true;
}

std::optional<std::vector<std::uint8_t>> FrameCodec::Encode(const std::vector<Assignment>& assignments, int fillBit,
                                                            std::string& why) const {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length_), fillBit != 0 ? 0xFF : 0x00);
    for (const CodecSignal& signal : signals_) {
        if (!WriteInitialValue(signal, bytes, why)) return std::nullopt;
    }
    for (const Assignment& assignment : assignments) {
        const CodecSignal* signal = FindSignal(assignment.signal);
        if (signal == nullptr) {
            why = "frame " + Utf8(name_) + " carries no signal " + assignment.signal;
            return std::nullopt;
        }
        std::string problem;
        if (signal->isByteArray) {
            const auto values = BytesForValue(signal->encoding, assignment.value, signal->size / 8, problem);
            if (values) std::copy(values->begin(), values->end(), bytes.begin() + signal->offset / 8);
        } else if (const auto raw = RawForValue(signal->encoding, assignment.value, signal->size, problem)) {
            WriteRaw(*signal, *raw, bytes);
        }
        if (!problem.empty()) {
            why = assignment.signal + ": " + problem;
            return std::nullopt;
        }
    }
    return bytes;
}

std::optional<std::vector<std::uint8_t>> ParseHexBytes(const std::vector<std::string>& pieces) {
    std::string digits;
    for (const std::string& piece : pieces) digits += piece;
    if (digits.size() % 2 != 0) return std::nullopt;
    std::vector<std::uint8_t> bytes;
    for (std::size_t k = 0; k < digits.size(); k += 2) {
        const auto byte = ParseRawNumber("0x" + digits.substr(k, 2));
        if (!byte || !std::isxdigit(static_cast<unsigned char>(digits[k])) ||
            !std::isxdigit(static_cast<unsigned char>(digits[k + 1]))) {
            return std::nullopt;
        }
        bytes.push_back(static_cast<std::uint8_t>(*byte));
    }
    return bytes;
}
