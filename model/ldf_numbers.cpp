#include "model/ldf_numbers.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace {

bool IsSpace(char16_t ch) { return ch == u' ' || ch == u'\t' || ch == u'\r' || ch == u'\n'; }

std::u16string_view TrimmedView(std::u16string_view text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

// Read in place: the checks call this for every offset, size and identifier.
bool ParseWholeNumber(const corvString& text, unsigned& value) {
    const std::u16string_view digits = TrimmedView(text.View());
    const bool hex = digits.size() > 2 && digits[0] == u'0' && (digits[1] == u'x' || digits[1] == u'X');
    const std::u16string_view body = hex ? digits.substr(2) : digits;
    if (body.empty() || body.size() > 8) return false;
    unsigned number = 0;
    for (char16_t ch : body) {
        unsigned digit = 0;
        if (ch >= u'0' && ch <= u'9') {
            digit = ch - u'0';
        } else if (hex && ch >= u'a' && ch <= u'f') {
            digit = ch - u'a' + 10;
        } else if (hex && ch >= u'A' && ch <= u'F') {
            digit = ch - u'A' + 10;
        } else {
            return false;
        }
        number = number * (hex ? 16 : 10) + digit;  // eight digits fit either way
    }
    value = number;
    return true;
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

std::optional<unsigned> StatedOrLin13Length(const corvString& length, const corvString& frameId) {
    if (!length.IsEmpty()) return WholeNumber(length);
    const auto id = WholeNumber(frameId);
    if (!id || *id > 63) return std::nullopt;
    return static_cast<unsigned>(Lin13DataLength(*id));
}
