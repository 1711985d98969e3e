#pragma once
// The numbers of an LDF file as the model keeps them: texts. These read a text that is
// wholly a number, so that a value with a typo is told apart from a number.

#include <optional>

#include "foundation/corv_string.h"

// Reads a whole number in decimal or in hexadecimal after "0x" (at most eight digits),
// spaces around it allowed, into `value`; false for a text that is no such number.
bool ParseWholeNumber(const corvString& text, unsigned& value);

// The same as an optional. Inline, because GCC returns a std::optional<unsigned> from a
// call through the stack in two stores and one load, which the processor cannot forward:
// that stall took most of the time of the checks' many calls.
inline std::optional<unsigned> WholeNumber(const corvString& text) {
    unsigned value = 0;
    if (!ParseWholeNumber(text, value)) return std::nullopt;
    return value;
}

// A decimal number with an optional sign, fraction and exponent, or a whole number as above.
std::optional<double> RealNumber(const corvString& text);

// The data length LIN 1.3 gives a frame identifier (0 to 63): 2, 4 or 8 bytes.
constexpr int Lin13DataLength(unsigned id) { return id < 32 ? 2 : id < 48 ? 4 : 8; }

// A frame's data length as its texts give it: the stated `length` when that is a whole
// number (in or out of range), else, without a stated length, the length LIN 1.3 gives
// `frameId`; none for a length that is no number or an identifier beyond 63.
std::optional<unsigned> StatedOrLin13Length(const corvString& length, const corvString& frameId);
