#pragma once
// How a frame's signals lie in the C structure that overlays the frame's bytes. Every
// member is an `unsigned char` bit-field inside one byte (or a byte array), so no compiler
// can move a member to another storage unit: a signal that crosses a byte boundary is split
// into byte parts, which the accessor macros join again.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/corv_arrays.h"
#include "foundation/corv_string.h"

class corvdekLINDefinitionFile;
class corvdekLINFrame;
class corvdekLINSignal;
class ClusterNameIndex;

// The order of a scalar signal's bytes when it crosses byte boundaries. LIN sends the least
// significant byte first; ISO 17987-3 lets a cluster state `LIN_sig_byte_order_big_endian`,
// and then the byte that comes first on the bus carries the most significant bits. Either
// way a signal takes the same frame bits (offset upwards, each byte's bits from its least
// significant one): only which value bits lie in which of its bytes differs.
enum class SignalByteOrder { kLittleEndian, kBigEndian };
SignalByteOrder ByteOrderOf(const corvdekLINDefinitionFile& cluster);

// One member that holds bits of a signal: the bits `firstBit` .. `firstBit + bits - 1`
// of the signal's value, which lie in the frame from bit `frameBit` upwards (bit 0 is the
// least significant bit of data byte 0).
struct SignalPart {
    int firstBit = 0;
    int bits = 0;
    int frameBit = 0;
};

// Appends the parts of a scalar signal of `size` bits at frame bit `offset`: one per byte it
// touches, in the order of the frame's bytes.
void AppendByteParts(std::vector<SignalPart>& parts, long long offset, long long size, SignalByteOrder order);

// Where one listed signal of a frame lies, or why it lies nowhere.
struct PlacedSignal {
    enum Fault { kNone, kUndefined, kListedTwice, kBeyondEnd, kOverlaps, kByteArrayMisaligned };
    std::u16string_view name;                 // as the frame lists it
    const corvdekLINSignal* signal = nullptr;  // none when the cluster lacks it
    long long offset = 0;
    long long size = 0;  // a byte array's whole bytes
    Fault fault = kNone;
};

// The signals `names` lists at `offsets` (parallel; a missing offset is 0), in the order of
// their offsets (listed order among equal ones), each placed in a frame of `frameBits` bits
// or given the fault that keeps it out. Signals after one the cluster lacks are not placed.
std::vector<PlacedSignal> PlaceSignals(const corvStringArray& names, const corvStringArray& offsets,
                                       const std::function<const corvdekLINSignal*(std::u16string_view)>& find,
                                       long long frameBits);

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

// The protected identifier of frame identifier `id` (0 to 63): its six bits with the two
// parity bits LIN adds, P0 (bit 6) even over bits 0, 1, 2, 4 and P1 (bit 7) odd over 1, 3, 4, 5.
unsigned ProtectedId(unsigned id);

// `value` in decimal, as the header writes numbers.
std::u16string Number(long long value);

// Sorts the frame's signals by offset (in the document) and lays them out. The structure
// holds views of the document's names.
FrameStructure LayOutFrame(corvdekLINFrame& frame, const ClusterNameIndex& names,
                           SignalByteOrder order = SignalByteOrder::kLittleEndian);
