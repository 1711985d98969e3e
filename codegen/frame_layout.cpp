// Frame helpers shared by the header generator and the frames tab: the signal order by
// offset, the C structure and union that overlay a frame's bytes, and the frame time.

#include "frame_layout.h"

#include "model/ldf_numbers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string>

#include "foundation/corv_arrays.h"
#include "foundation/name_map.h"
#include "model/definition_file.h"
#include "model/name_index.h"

namespace {

constexpr long long kFrameBits = 64;  // a LIN frame carries at most 8 data bytes

constexpr const char16_t* kMissingSignal =
    u"Problem with signal name not present in signal collection.";

// Unnamed members for the bits from `from` to `to`, none crossing a byte boundary.
void AppendFillers(std::u16string& body, long long from, long long to) {
    while (from < to) {
        const long long bits = std::min(to - from, 8 - from % 8);
        AppendPieces(body, {u"\tl_u8\t: ", Number(bits), u";\n"});
        from += bits;
    }
}

// The members of one signal at `offset`: a byte array as an array, a scalar as one
// bit-field per byte it touches (named after the signal when it touches one byte only).
void AppendSignalMembers(FrameStructure& structure, const corvdekLINSignal& signal, long long offset,
                         long long size, SignalByteOrder order) {
    // Filled in where it is kept: a copy made on the stack was read back in wider pieces
    // than it was written, which the processor cannot forward from its stores.
    SignalMembers& members = structure.signals.emplace_back();
    members.signal = signal.name.View();
    members.isByteArray = signal.isByteArray;
    members.size = static_cast<int>(size);
    members.firstPart = structure.parts.size();
    if (signal.isByteArray) {
        AppendPieces(structure.text, {u"\tl_u8\t", members.signal, u"[", Number(size / 8), u"];\n"});
        structure.parts.push_back({0, static_cast<int>(size), static_cast<int>(offset)});
        members.partCount = 1;
        return;
    }
    AppendByteParts(structure.parts, offset, size, order);
    members.partCount = structure.parts.size() - members.firstPart;
    for (std::size_t k = 0; k < members.partCount; ++k) {
        const SignalPart& part = structure.parts[members.firstPart + k];
        AppendPieces(structure.text, {u"\tl_u8\t", members.signal, members.IsSplit() ? u"_" : u"",
                                      members.IsSplit() ? Number(static_cast<long long>(k)) : u"", u" : ",
                                      Number(part.bits), u";\n"});
    }
}

bool OffsetsAscend(const corvStringArray& offsets) {
    long long previous = 0;
    for (int i = 0; i < offsets.Count(); ++i) {
        const long long offset = offsets.Item(i).ToInt();
        if (i > 0 && offset < previous) return false;
        previous = offset;
    }
    return true;
}

}  // namespace

std::u16string Number(long long value) {
    std::array<char, 24> digits;
    const char* begin = digits.data();
    const char* end = std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr;
    return std::u16string(begin, end);
}

void corvdekLINFrame::SortSignalsByOffset() {
    if (OffsetsAscend(signalOffsets)) return;  // the usual case: nothing to move
    // Number the offsets, sort them (stable), then put the names in the same order.
    corvStringArray offsets;
    offsets.Assign(signalOffsets);
    for (int i = 0; i < offsets.Count(); ++i) offsets.Item(i).tag = i;
    offsets.SortByNumber();
    corvStringArray names;
    for (int i = 0; i < offsets.Count(); ++i) {
        const int from = offsets.Item(i).tag;
        names.Add(from < signalNames.Count() ? signalNames.Item(from) : corvString());
        offsets.Item(i).tag = 0;
    }
    signalOffsets.Assign(offsets);
    signalNames.Assign(names);
}

bool corvdekLINFrame::BuildStructTypedef(corvString& text) {
    if (owner == nullptr) return false;
    return BuildStructTypedef(text, ClusterNameIndex(*owner));
}

bool corvdekLINFrame::BuildStructTypedef(corvString& text, const ClusterNameIndex& names) {
    const FrameStructure structure = LayOutFrame(*this, names);
    text.Assign(structure.text);
    return structure.complete;
}

unsigned ProtectedId(unsigned id) {
    auto bit = [id](int n) { return (id >> n) & 1u; };
    const unsigned p0 = bit(0) ^ bit(1) ^ bit(2) ^ bit(4);
    const unsigned p1 = (bit(1) ^ bit(3) ^ bit(4) ^ bit(5)) ^ 1u;
    return id | (p0 << 6) | (p1 << 7);
}

SignalByteOrder ByteOrderOf(const corvdekLINDefinitionFile& cluster) {
    return cluster.signalByteOrder.Equals(u"big_endian") ? SignalByteOrder::kBigEndian
                                                         : SignalByteOrder::kLittleEndian;
}

void AppendByteParts(std::vector<SignalPart>& parts, long long offset, long long size, SignalByteOrder order) {
    const std::size_t first = parts.size();
    int valueBit = 0;
    for (long long bit = offset; bit < offset + size; bit += parts.back().bits) {
        const int bits = static_cast<int>(std::min(offset + size - bit, 8 - bit % 8));
        parts.push_back({valueBit, bits, static_cast<int>(bit)});
        valueBit += bits;
    }
    if (order == SignalByteOrder::kLittleEndian) return;
    // The first byte on the bus takes the most significant bits, and so on down.
    int belowEnd = static_cast<int>(size);
    for (std::size_t k = first; k < parts.size(); ++k) {
        belowEnd -= parts[k].bits;
        parts[k].firstBit = belowEnd;
    }
}

std::vector<PlacedSignal> PlaceSignals(const corvStringArray& names, const corvStringArray& offsets,
                                       const std::function<const corvdekLINSignal*(std::u16string_view)>& find,
                                       long long frameBits) {
    // Each offset is read as a number once, not at every comparison of the sort.
    std::vector<long long> offsetOf(static_cast<std::size_t>(names.Count()));
    std::vector<int> order(offsetOf.size());
    for (int i = 0; i < names.Count(); ++i) {
        offsetOf[static_cast<std::size_t>(i)] = i < offsets.Count() ? offsets.Item(i).ToInt() : 0;
        order[static_cast<std::size_t>(i)] = i;
    }
    const auto offsetAt = [&offsetOf](int i) { return offsetOf[static_cast<std::size_t>(i)]; };
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return offsetAt(a) < offsetAt(b); });

    std::vector<PlacedSignal> placed;
    placed.reserve(order.size());
    RepeatedNames listed;
    long long position = 0;  // the first bit after the last placed signal
    for (const int i : order) {
        PlacedSignal& entry = placed.emplace_back();
        entry.name = names.Item(i).View();
        entry.signal = find(entry.name);
        entry.offset = offsetAt(i);
        if (entry.signal == nullptr) {
            entry.fault = PlacedSignal::kUndefined;
            break;
        }
        entry.size = entry.signal->size.ToInt();
        if (listed.Seen(entry.name)) {
            entry.fault = PlacedSignal::kListedTwice;
        } else if (entry.offset < 0 || entry.size < 1 || entry.offset + entry.size > frameBits) {
            // Also keeps a wild offset from asking for endless fillers.
            entry.fault = PlacedSignal::kBeyondEnd;
        } else if (entry.offset < position) {
            entry.fault = PlacedSignal::kOverlaps;
        } else if (entry.signal->isByteArray && (entry.offset % 8 != 0 || entry.size < 8)) {
            entry.fault = PlacedSignal::kByteArrayMisaligned;
        } else {
            if (entry.signal->isByteArray) entry.size = entry.size / 8 * 8;
            position = entry.offset + entry.size;
        }
    }
    return placed;
}

FrameStructure LayOutFrame(corvdekLINFrame& frame, const ClusterNameIndex& names, SignalByteOrder order) {
    frame.SortSignalsByOffset();
    FrameStructure result;
    const std::u16string_view frameName = frame.name.View();
    std::u16string& body = result.text;
    body = u"typedef struct\n{\n";
    // Problems are named in #error lines where they stand; the structure still closes.
    auto error = [&](std::u16string_view signal, std::u16string_view problem, std::u16string_view detail = u"") {
        AppendPieces(body, {u"#error \"frame ", frameName, u": signal ", signal, problem, detail, u"\"\n"});
        result.hasFault = true;
    };
    const long long frameBits = std::min(kFrameBits, 8 * frame.DataByteCount(names));
    const auto find = [&names](std::u16string_view name) { return names.FindSignal(name); };
    long long position = 0;
    for (const PlacedSignal& placed : PlaceSignals(frame.signalNames, frame.signalOffsets, find, frameBits)) {
        switch (placed.fault) {
            case PlacedSignal::kUndefined:
                frame.errorText = kMissingSignal;
                error(placed.name, u" is not defined");
                result.complete = false;
                break;
            case PlacedSignal::kListedTwice: error(placed.name, u" is listed twice"); break;
            case PlacedSignal::kBeyondEnd:
                error(placed.name, u" lies beyond the end of the frame (",
                      Number(frameBits / 8) + (frameBits / 8 == 1 ? u" byte)" : u" bytes)"));
                break;
            case PlacedSignal::kOverlaps: error(placed.name, u" overlaps the signal before it"); break;
            case PlacedSignal::kByteArrayMisaligned:
                error(placed.name, u" is a byte array that does not fill whole bytes from a byte start");
                break;
            case PlacedSignal::kNone:
                AppendFillers(body, position, placed.offset);
                AppendSignalMembers(result, *placed.signal, placed.offset, placed.size, order);
                position = placed.offset + placed.size;
                break;
        }
    }
    AppendPieces(body, {u"} _c_", frameName, u"Type;\n\n"});
    return result;
}

bool corvdekLINFrame::BuildUnionTypedef(corvString& text, std::u16string_view byteCount) const {
    const std::u16string_view frame = name.View();
    text.Assign(Concat({u"typedef union\n{\n     l_u8  _c[", byteCount, u"];\n     _c_", frame, u"Type ", frame,
                        u";\n} _c_", frame, u"Buf;\n\n"})
                    .View());
    return true;
}

long long corvdekLINFrame::SignalEndBit(const ClusterNameIndex& names) const {
    long long end = 0;
    for (int i = 0; i < signalNames.Count(); ++i) {
        const corvdekLINSignal* signal = names.FindSignal(signalNames.Item(i).View());
        if (signal == nullptr) continue;
        const long long offset = i < signalOffsets.Count() ? signalOffsets.Item(i).ToInt() : 0;
        end = std::max(end, signal->size.ToInt() + offset);
    }
    return end;
}

long long corvdekLINFrame::DataByteCount(const ClusterNameIndex& names) const {
    // Without a stated length (LIN 1.3, 2.0, J2602) the identifier gives it.
    if (const auto bytes = StatedOrLin13Length(length, frameId); bytes && *bytes >= 1 && *bytes <= 255) {
        return *bytes;
    }
    return std::min(kFrameBits, SignalEndBit(names) + 7) / 8;
}

namespace {

bool CarriesUndefinedSignal(const corvdekLINFrame& frame, const ClusterNameIndex& names) {
    for (int i = 0; i < frame.signalNames.Count(); ++i) {
        if (names.FindSignal(frame.signalNames.Item(i).View()) == nullptr) return true;
    }
    return false;
}

}  // namespace

bool corvdekLINFrame::ComputeFrameTime(double& seconds) {
    if (owner == nullptr) return false;
    const auto time = FrameTimeSeconds(*owner);
    if (time) {
        seconds = *time;
    } else if (CarriesUndefinedSignal(*this, ClusterNameIndex(*owner))) {
        errorText = kMissingSignal;
    }
    return time.has_value();
}

std::optional<double> corvdekLINFrame::FrameTimeSeconds(const corvdekLINDefinitionFile& cluster) const {
    const ClusterNameIndex names(cluster);
    if (CarriesUndefinedSignal(*this, names)) return std::nullopt;
    const auto stated = WholeNumber(length);
    const long long dataBytes = stated && *stated >= 1 && *stated <= 8 ? *stated : (SignalEndBit(names) + 7) / 8;
    // Header, ten bit times per data byte, and the checksum byte.
    const double bitCount = 34.0 + 10.0 * static_cast<double>(dataBytes) + 10.0;
    corvString speed = cluster.speed;
    speed.Trim();
    const double bitsPerSecond = speed.ToDouble() * 1000.0;
    if (speed.IsEmpty() || bitsPerSecond == 0.0) return std::nullopt;
    return bitCount * (1.0 / bitsPerSecond);  // bit count times the bit time
}

bool corvdekLINFrame::FormatFrameTime(corvString& text) {
    double seconds = 0.0;
    if (!ComputeFrameTime(seconds)) {
        text.Assign(u"");
        return false;
    }
    text.FormatWithPrefix(seconds, u"0.000", u"s", false);
    return true;
}
