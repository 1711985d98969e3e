#pragma once
// How a frame's signals lie in the C structure that overlays the frame's bytes. Every
// member is an `unsigned char` bit-field inside one byte (or a byte array), so no compiler
// can move a member to another storage unit: a signal that crosses a byte boundary is split
// into byte parts, which the accessor macros join again.

#include <optional>
#include <string>
#include <vector>

#include "foundation/corv_string.h"

class corvdekLINFrame;
class ClusterNameIndex;

// One member that holds bits of a signal: the bits `firstBit` .. `firstBit + bits - 1`
// of the signal's value.
struct SignalPart {
    std::u16string member;
    int firstBit = 0;
    int bits = 0;
};

struct SignalMembers {
    std::u16string signal;
    bool isByteArray = false;
    int size = 0;
    std::vector<SignalPart> parts;  // a byte array has one part: the array
};

struct FrameStructure {
    std::u16string text;  // "typedef struct { ... } _c_<frame>Type;" with #error lines
    std::vector<SignalMembers> signals;
    bool hasFault = false;     // an #error line stands in the text
    bool complete = true;      // false when a listed signal is not defined
};

// `value` in decimal, as the header writes numbers.
std::u16string Number(long long value);

// Sorts the frame's signals by offset (in the document) and lays them out.
FrameStructure LayOutFrame(corvdekLINFrame& frame, const ClusterNameIndex& names);
