// Frame helpers shared by the header generator and the frames tab: the signal order by
// offset, the C structure and union that overlay a frame's bytes, and the frame time.

#include <algorithm>
#include <string>

#include "foundation/corv_arrays.h"
#include "model/definition_file.h"
#include "model/name_index.h"

namespace {

constexpr long long kFrameBits = 64;  // a LIN frame carries at most 8 data bytes

constexpr const char16_t* kMissingSignal =
    u"Problem with signal name not present in signal collection.";

std::u16string Number(int value) {
    corvString text;
    text.SetInt(value);
    return std::u16string(text.View());
}

// Appends the bit-field or array member of one signal; none for a scalar wider than 32 bits.
void AppendSignalField(std::u16string& body, const corvdekLINSignal& signal, int size) {
    const std::u16string_view name = signal.name.View();
    if (signal.isByteArray) {
        body.append(u"\tl_u8\t").append(name).append(u"[").append(Number(size / 8)).append(u"];\n");
        return;
    }
    if (size == 1) {
        body.append(u"\tl_bool\t").append(name).append(u" : 1;\n");
        return;
    }
    const char16_t* type = size <= 8 ? u"\tl_u8 \t" : size <= 16 ? u"\tl_u16 \t" : u"\tl_u32 \t";
    if (size <= 32) body.append(type).append(name).append(u" : ").append(Number(size)).append(u";\n");
}

bool OffsetsAscend(const corvStringArray& offsets) {
    for (int i = 1; i < offsets.Count(); ++i) {
        if (offsets.Item(i).ToInt() < offsets.Item(i - 1).ToInt()) return false;
    }
    return true;
}

}  // namespace

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
    SortSignalsByOffset();
    const std::u16string frame(name.View());
    std::u16string body = u"typedef struct\n{\n";
    // Problems are named in #error lines where they stand; the structure still closes.
    auto error = [&](std::u16string_view signal, std::u16string_view problem) {
        body.append(u"#error \"frame ").append(frame).append(u": signal ").append(signal).append(problem).append(u"\"\n");
    };
    bool complete = true;
    long long position = 0;
    for (int i = 0; i < signalNames.Count(); ++i) {
        const corvdekLINSignal* signal = names.FindSignal(signalNames.Item(i).View());
        if (signal == nullptr) {
            errorText = kMissingSignal;
            error(signalNames.Item(i).View(), u" is not defined");
            complete = false;
            break;
        }
        const long long size = signal->size.ToInt();
        const long long offset = i < signalOffsets.Count() ? signalOffsets.Item(i).ToInt() : 0;
        if (offset < 0 || size < 1 || offset + size > kFrameBits) {
            // Also keeps a wild offset from asking for millions of filler lines.
            error(signal->name.View(), u" does not fit in the 8 data bytes of a LIN frame");
            continue;
        }
        if (offset < position) error(signal->name.View(), u" overlaps the signal before it");
        for (long long gap = offset - position; gap > 0; gap -= 8) {
            body += u"\tl_u8\t: " + Number(static_cast<int>(std::min(gap, 8LL))) + u";\n";
        }
        AppendSignalField(body, *signal, static_cast<int>(size));
        position = offset + size;
    }
    body += u"} _c_" + frame + u"Type;\n\n";
    text.Assign(body);
    return complete;
}

bool corvdekLINFrame::BuildUnionTypedef(corvString& text, std::u16string_view byteCount) const {
    const std::u16string frame(name.View());
    text.Assign(u"typedef union\n{\n     l_u8  _c[" + std::u16string(byteCount) + u"];\n     _c_" +
                frame + u"Type " + frame + u";\n} _c_" + frame + u"Buf;\n\n");
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

bool corvdekLINFrame::ComputeFrameTime(double& seconds) {
    if (owner == nullptr) return false;
    const ClusterNameIndex names(*owner);
    for (int i = 0; i < signalNames.Count(); ++i) {
        if (names.FindSignal(signalNames.Item(i).View()) == nullptr) {
            errorText = kMissingSignal;
            return false;
        }
    }
    const long long dataBytes = (SignalEndBit(names) + 7) / 8;
    // Header, ten bit times per data byte, and the checksum byte.
    const double bitCount = 34.0 + 10.0 * static_cast<double>(dataBytes) + 10.0;
    owner->speed.Trim();
    const double bitsPerSecond = owner->speed.ToDouble() * 1000.0;
    if (owner->speed.IsEmpty() || bitsPerSecond == 0.0) return false;
    seconds = bitCount / bitsPerSecond;
    return true;
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
