#include "signal_encoding.h"

#include <charconv>
#include <cmath>

#include "model/lin_entities.h"

namespace {

using Item = corvdekLINSignalEncodingTypeItem;

std::string_view Trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

std::uint64_t LargestRaw(int bits) { return bits >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << bits) - 1; }

bool Covers(const Item& item, std::uint64_t raw) {
    return raw >= static_cast<std::uint64_t>(std::max(item.minValue, 0)) && item.maxValue >= 0 &&
           raw <= static_cast<std::uint64_t>(item.maxValue);
}

// BCD digits, two per byte, the high nibble first; empty when a nibble is no digit.
std::optional<double> BcdNumber(std::span<const std::uint8_t> bytes) {
    double number = 0;
    for (const std::uint8_t byte : bytes) {
        for (const int digit : {byte >> 4, byte & 0xF}) {
            if (digit > 9) return std::nullopt;
            number = number * 10 + digit;
        }
    }
    return number;
}

// The bytes of a scalar raw value, the most significant first.
std::vector<std::uint8_t> BytesOf(std::uint64_t raw, int bits) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>((bits + 7) / 8));
    for (std::size_t k = bytes.size(); k-- > 0; raw >>= 8) bytes[k] = static_cast<std::uint8_t>(raw & 0xFF);
    return bytes;
}

std::string Utf8(const corvString& text) { return text.ToUtf8(); }

// What an encoding can give a signal of `bits` bits, for a message.
std::string RangeText(const corvdekLINSignalEncodingTypes* encoding, int bits) {
    std::string text = "raw 0 to " + std::to_string(LargestRaw(bits));
    if (encoding == nullptr) return text;
    std::string logical;
    for (int i = 0; i < encoding->items.GetCount(); ++i) {
        const Item& item = *encoding->items.Get(i);
        if (item.kind == Item::kPhysical) {
            const double low = item.minValue * item.scale + item.offset;
            const double high = item.maxValue * item.scale + item.offset;
            text += "; physical " + DecimalText(std::min(low, high)) + " to " + DecimalText(std::max(low, high));
            if (!item.text.IsEmpty()) text += " " + Utf8(item.text);
        } else if (item.kind == Item::kLogical && item.textGiven) {
            logical += (logical.empty() ? "; logical " : ", ") + Utf8(item.text);
        } else if (item.kind == Item::kBcd) {
            text += "; a BCD number";
        }
    }
    return text + logical;
}

// The raw value of the first physical range that gives `value` in `unit` (any unit when
// none is written).
std::optional<std::uint64_t> PhysicalRaw(const corvdekLINSignalEncodingTypes& encoding, double value,
                                         std::string_view unit) {
    for (int i = 0; i < encoding.items.GetCount(); ++i) {
        const Item& item = *encoding.items.Get(i);
        if (item.kind != Item::kPhysical || (!unit.empty() && Utf8(item.text) != unit)) continue;
        long long raw = item.minValue;
        if (item.scale != 0.0) {
            raw = std::llround((value - item.offset) / item.scale);
        } else if (value != item.offset) {
            continue;
        }
        if (raw >= 0 && Covers(item, static_cast<std::uint64_t>(raw))) return static_cast<std::uint64_t>(raw);
    }
    return std::nullopt;
}

bool HasKind(const corvdekLINSignalEncodingTypes* encoding, int kind) {
    for (int i = 0; encoding != nullptr && i < encoding->items.GetCount(); ++i) {
        if (encoding->items.Get(i)->kind == kind) return true;
    }
    return false;
}

// A decimal number written as digits only, as BCD digits of `digitCount` digits.
std::optional<std::vector<std::uint8_t>> BcdBytes(std::string_view digits, std::size_t digitCount) {
    if (digits.empty() || digits.size() > digitCount ||
        digits.find_first_not_of("0123456789") != std::string_view::npos) {
        return std::nullopt;
    }
    const std::string padded = std::string(digitCount - digits.size(), '0') + std::string(digits);
    std::vector<std::uint8_t> bytes(digitCount / 2);
    for (std::size_t k = 0; k < bytes.size(); ++k) {
        bytes[k] = static_cast<std::uint8_t>((padded[2 * k] - '0') << 4 | (padded[2 * k + 1] - '0'));
    }
    return bytes;
}

}  // namespace

std::string DecimalText(double value) {
    char digits[32];
    return std::string(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

std::optional<std::uint64_t> ParseRawNumber(std::string_view text) {
    text = Trimmed(text);
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

void InterpretRaw(const corvdekLINSignalEncodingTypes& encoding, std::uint64_t raw, int bits,
                  std::span<const std::uint8_t> arrayBytes, bool isByteArray, SignalMeaning& meaning) {
    meaning.value.reset();
    meaning.hasUnit = false;
    meaning.hasText = false;
    meaning.text.clear();
    for (int i = 0; i < encoding.items.GetCount(); ++i) {
        const Item& item = *encoding.items.Get(i);
        switch (item.kind) {
            case Item::kPhysical:
                if (!meaning.value && Covers(item, raw)) {
                    meaning.value = static_cast<double>(raw) * item.scale + item.offset;
                    meaning.hasUnit = !item.text.IsEmpty();
                    meaning.unit = item.text.View();
                }
                break;
            case Item::kLogical:
                if (!meaning.hasText && item.textGiven && item.minValue >= 0 &&
                    raw == static_cast<std::uint64_t>(item.minValue)) {
                    meaning.hasText = true;
                    meaning.text = item.text.View();
                }
                break;
            case Item::kBcd:
                if (!meaning.value) {
                    meaning.value = isByteArray ? BcdNumber(arrayBytes) : BcdNumber(BytesOf(raw, bits));
                }
                break;
            case Item::kAscii:
                if (!meaning.hasText) {
                    meaning.hasText = true;
                    const std::vector<std::uint8_t> scalarBytes = isByteArray ? std::vector<std::uint8_t>() : BytesOf(raw, bits);
                    for (const std::uint8_t byte : isByteArray ? arrayBytes : std::span<const std::uint8_t>(scalarBytes)) {
                        meaning.text.push_back(static_cast<char16_t>(byte));
                    }
                }
                break;
        }
    }
}

std::optional<std::uint64_t> RawForValue(const corvdekLINSignalEncodingTypes* encoding, std::string_view value,
                                         int bits, std::string& why) {
    value = Trimmed(value);
    std::optional<std::uint64_t> raw;
    const bool hexadecimal = value.size() > 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X');
    if (hexadecimal) raw = ParseRawNumber(value);
    for (int i = 0; !hexadecimal && encoding != nullptr && i < encoding->items.GetCount() && !raw; ++i) {
        const Item& item = *encoding->items.Get(i);
        if (item.kind == Item::kLogical && item.textGiven && item.minValue >= 0 && Utf8(item.text) == value) {
            raw = static_cast<std::uint64_t>(item.minValue);
        }
    }
    if (!hexadecimal && !raw) {
        double number = 0;
        const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
        if (error == std::errc() && end != value.data()) {
            const std::string_view unit = Trimmed(value.substr(static_cast<std::size_t>(end - value.data())));
            if (encoding != nullptr) raw = PhysicalRaw(*encoding, number, unit);
            if (!raw && unit.empty() && HasKind(encoding, Item::kBcd)) {
                if (const auto bytes = BcdBytes(value, static_cast<std::size_t>((bits + 7) / 8 * 2))) {
                    raw = 0;
                    for (const std::uint8_t byte : *bytes) raw = *raw << 8 | byte;
                }
            }
            // A raw value, unless the number could be meant as a physical one.
            if (!raw && unit.empty() && !HasKind(encoding, Item::kPhysical)) raw = ParseRawNumber(value);
        }
    }
    if (!raw && HasKind(encoding, Item::kAscii) && value.size() == static_cast<std::size_t>((bits + 7) / 8)) {
        raw = 0;
        for (const char c : value) raw = *raw << 8 | static_cast<std::uint8_t>(c);
    }
    if (!raw || *raw > LargestRaw(bits)) {
        why = "'" + std::string(value) + "' is out of range (" + RangeText(encoding, bits) + ")";
        return std::nullopt;
    }
    return raw;
}

std::optional<std::vector<std::uint8_t>> BytesForValue(const corvdekLINSignalEncodingTypes* encoding,
                                                       std::string_view value, int byteCount, std::string& why) {
    value = Trimmed(value);
    const std::size_t count = static_cast<std::size_t>(byteCount);
    if (HasKind(encoding, Item::kAscii) && value.size() == count &&
        value.find_first_of(",{") == std::string_view::npos) {
        return std::vector<std::uint8_t>(value.begin(), value.end());
    }
    if (HasKind(encoding, Item::kBcd)) {
        if (auto bytes = BcdBytes(value, 2 * count)) return bytes;
    }
    if (value.starts_with('{') && value.ends_with('}')) value = value.substr(1, value.size() - 2);
    std::vector<std::uint8_t> bytes;
    std::size_t start = 0;
    while (start <= value.size()) {
        std::size_t end = value.find_first_of(", ", start);
        if (end == std::string_view::npos) end = value.size();
        const std::string_view piece = value.substr(start, end - start);
        start = end + 1;
        if (piece.empty()) continue;
        const auto number = ParseRawNumber(piece);
        if (!number || *number > 0xFF) {
            bytes.clear();
            break;
        }
        bytes.push_back(static_cast<std::uint8_t>(*number));
    }
    if (bytes.size() != count) {
        why = "'" + std::string(value) + "' is not " + std::to_string(count) + " bytes (numbers 0 to 255" +
              (HasKind(encoding, Item::kAscii) ? ", or " + std::to_string(count) + " characters" : "") + ")";
        return std::nullopt;
    }
    return bytes;
}
