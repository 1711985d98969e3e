#pragma once
// A signal's raw value read through its encoding type (physical ranges, logical texts, BCD and
// ASCII), and a value a user writes turned back into the raw value.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class corvdekLINSignalEncodingTypes;

// What an encoding makes of a raw value. `value` and `text` are both empty when no part of
// the encoding covers it ("out of range"); a physical range gives a value and its unit, a
// logical value its text, BCD a number and ASCII the characters.
struct SignalMeaning {
    std::optional<double> value;
    std::u16string_view unit;  // of the physical range that gave the value
    bool hasUnit = false;
    bool hasText = false;
    std::u16string text;
};

// `raw` of a scalar signal of `bits` bits; a byte array passes its bytes in frame order.
void InterpretRaw(const corvdekLINSignalEncodingTypes& encoding, std::uint64_t raw, int bits,
                  std::span<const std::uint8_t> arrayBytes, bool isByteArray, SignalMeaning& meaning);

// The raw value of a scalar signal of `bits` bits for `value`: a raw number ("0x1F" always is
// one), a logical text, a physical value with or without its unit (rounded to the nearest raw
// value), a BCD number or ASCII characters; a plain whole number is raw only when the encoding
// has no physical range, which could mean it otherwise. Empty with `why` set when the value
// cannot be given.
std::optional<std::uint64_t> RawForValue(const corvdekLINSignalEncodingTypes* encoding, std::string_view value,
                                         int bits, std::string& why);

// The bytes of a byte array of `byteCount` bytes for `value`: numbers (decimal or "0x")
// separated by commas or spaces, optionally in braces; with a BCD encoding a decimal number,
// with an ASCII encoding a text of exactly that many characters.
std::optional<std::vector<std::uint8_t>> BytesForValue(const corvdekLINSignalEncodingTypes* encoding,
                                                       std::string_view value, int byteCount, std::string& why);

// `value` in decimal, in the fewest digits that read back as it ("12.5", "-40").
std::string DecimalText(double value);

// A whole number in decimal or after "0x"; empty for any other text or one beyond 64 bits.
std::optional<std::uint64_t> ParseRawNumber(std::string_view text);
