#include "model/ldf_numbers.h"

#include <cmath>
#include <cstdlib>
#include <string>

std::optional<unsigned> WholeNumber(const corvString& text) {
    corvString trimmed(text);
    trimmed.Trim();
    const std::u16string_view digits = trimmed.View();
    const bool hex = digits.size() > 2 && digits[0] == u'0' && (digits[1] == u'x' || digits[1] == u'X');
    const std::u16string_view body = hex ? digits.substr(2) : digits;
    if (body.empty() || body.size() > 8) return std::nullopt;
    for (char16_t ch : body) {
        const bool digit = ch >= u'0' && ch <= u'9';
        const bool hexLetter = (ch >= u'a' && ch <= u'f') || (ch >= u'A' && ch <= u'F');
        if (!digit && !(hex && hexLetter)) return std::nullopt;
    }
    return hex ? trimmed.ToUIntAutoHex() : trimmed.ToUInt();
}

std::optional<double> RealNumber(const corvString& text) {
    if (const auto whole = WholeNumber(text)) return *whole;
    corvString trimmed(text);
    trimmed.Trim();
    std::string ascii;
    for (char16_t ch : trimmed.View()) {
        const bool allowed = (ch >= u'0' && ch <= u'9') || ch == u'.' || ch == u'-' || ch == u'+' ||
                             ch == u'e' || ch == u'E';
        if (!allowed) return std::nullopt;
        ascii += static_cast<char>(ch);
    }
    if (ascii.empty()) return std::nullopt;
    char* end = nullptr;
    const double value = std::strtod(ascii.c_str(), &end);
    if (end != ascii.c_str() + ascii.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}
