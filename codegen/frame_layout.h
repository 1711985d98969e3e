#pragma once
// How a frame's signals lie in the C structure that overlays the frame's bytes. Every
// member is an `unsigned char` bit-field inside one byte (or a byte array), so no compiler
// can move a member to another storage unit: a signal that crosses a byte boundary is split
// into byte parts, which the accessor macros join again.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/corv_string.h"

class corvdekLINFrame;
class ClusterNameIndex;

// One member that holds bits of a signal: the bits `firstBit` .. `firstBit + bits - 1`
// of the signal's value.
struct SignalPart {
    int firstBit = 0;
    int bits = 0;
};

// A signal's members: its parts, in FrameStructure::parts from `firstPart` on. The member of
// a part is named after the signal, followed by "_" and the part's number when the signal is
// split into several; a byte array has one part, the array.
struct SignalMembers {
    std::u16string_view signal;  // the signal's name, as the document holds it
    bool isByteArray = false;
    int size = 0;
    std::size_t firstPart = 0;
    std::size_t partCount = 0;

    bool IsSplit() const { return partCount > 1; }
};

struct FrameStructure {
    std::u16string text;  // "typedef struct { ... } _c_<frame>Type;" with #error lines
    std::vector<SignalMembers> signals;
    std::vector<SignalPart> parts;
    bool hasFault = false;     // an #error line stands in the text
    bool complete = true;      // false when a listed signal is not defined
};

// `value` in decimal, as the header writes numbers.
std::u16string Number(long long value);

// Sorts the frame's signals by offset (in the document) and lays them out. The structure
// holds views of the document's names.
FrameStructure LayOutFrame(corvdekLINFrame& frame, const ClusterNameIndex& names);
