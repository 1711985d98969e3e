// Frame helpers shared by the header generator and the frames tab: the signal order by
// offset, the C structure and union that overlay a frame's bytes, and the frame time.

#include <algorithm>
#include <string>

#include "foundation/corv_arrays.h"
#include "model/definition_file.h"
#include "model/name_index.h"

namespace {

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
    std::u16string body = u"typedef struct\n{\n";
    bool complete = true;
    int position = 0;
    for (int i = 0; i < signalNames.Count(); ++i) {
        const corvdekLINSignal* signal = names.FindSignal(signalNames.Item(i).View());
        if (signal == nullptr) {
            // The structure still closes, and the header names the problem where it stands.
            errorText = kMissingSignal;
            body += u"#error \"frame " + std::u16string(name.View()) + u": signal " +
                    std::u16string(signalNames.Item(i).View()) + u" is not defined\"\n";
            complete = false;
            break;
        }
        const int size = signal->size.ToInt();
        const int offset = i < signalOffsets.Count() ? signalOffsets.Item(i).ToInt() : 0;
        if (offset < position) {
            body += u"#error \"frame " + std::u16string(name.View()) + u": signal " +
                    std::u16string(signal->name.View()) +
                    u" overlaps the signal before it\"\n";
        }
        for (int gap = offset - position; gap > 0; gap -= 8) {
            body += u"\tl_u8\t: " + Number(std::min(gap, 8)) + u";\n";
        }
        AppendSignalField(body, *signal, size);
        position = offset + size;
    }
    body += u"} _c_" + std::u16string(name.View()) + u"Type;\n\n";
    text.Assign(body);
    return complete;
}

bool corvdekLINFrame::BuildUnionTypedef(corvString& text, std::u16string_view byteCount) const {
    const std::u16string frame(name.View());
    text.Assign(u"typedef union\n{\n     l_u8  _c[" + std::u16string(byteCount) + u"];\n     _c_" +
                frame + u"Type " + frame + u";\n} _c_" + frame + u"Buf;\n\n");
    return true;
}

int corvdekLINFrame::SignalEndBit(const ClusterNameIndex& names) const {
    int end = 0;
    for (int i = 0; i < signalNames.Count(); ++i) {
        const corvdekLINSignal* signal = names.FindSignal(signalNames.Item(i).View());
        if (signal == nullptr) continue;
        const int offset = i < signalOffsets.Count() ? signalOffsets.Item(i).ToInt() : 0;
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
    const int dataBytes = (SignalEndBit(names) + 7) / 8;
    // Header, ten bit times per data byte, and the checksum byte.
    const int bitCount = 34 + 10 * dataBytes + 10;
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
