#include "model/ldf_tokens.h"

namespace {

bool IsDigit(char16_t ch) { return ch >= u'0' && ch <= u'9'; }
bool IsHexDigit(char16_t ch) { return IsDigit(ch) || (ch >= u'a' && ch <= u'f') || (ch >= u'A' && ch <= u'F'); }
bool IsNameCharacter(char16_t ch) {
    return IsDigit(ch) || (ch >= u'a' && ch <= u'z') || (ch >= u'A' && ch <= u'Z') || ch == u'_';
}

// The digits at the start of `text`, which is advanced past them.
std::size_t SkipDigits(std::u16string_view& text) {
    std::size_t count = 0;
    while (count < text.size() && IsDigit(text[count])) ++count;
    text.remove_prefix(count);
    return count;
}

// Spaces around a value are layout, not part of its token.
std::u16string_view Trimmed(std::u16string_view text) {
    const std::size_t first = text.find_first_not_of(u" \t");
    if (first == std::u16string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(u" \t") - first + 1);
}

}  // namespace

bool IsLdfName(std::u16string_view text) {
    text = Trimmed(text);
    if (text.empty()) return false;
    for (const char16_t ch : text) {
        if (!IsNameCharacter(ch)) return false;
    }
    for (const std::u16string_view reserved : {u"delay", u"ms", u"kbps", u"bits", u"configuration"}) {
        if (text == reserved) return false;
    }
    return true;
}

bool IsLdfInteger(std::u16string_view text) {
    text = Trimmed(text);
    if (text.size() > 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X')) {
        for (const char16_t ch : text.substr(2)) {
            if (!IsHexDigit(ch)) return false;
        }
        return true;
    }
    if (text.starts_with(u'-')) text.remove_prefix(1);
    return SkipDigits(text) > 0 && text.empty();
}

bool IsLdfReal(std::u16string_view text) {
    text = Trimmed(text);
    if (text.starts_with(u'-')) text.remove_prefix(1);
    std::size_t digits = SkipDigits(text);
    if (text.starts_with(u'.')) {
        text.remove_prefix(1);
        digits += SkipDigits(text);
    }
    if (digits == 0) return false;
    if (text.starts_with(u'e') || text.starts_with(u'E')) {
        text.remove_prefix(1);
        if (text.starts_with(u'+') || text.starts_with(u'-')) text.remove_prefix(1);
        if (SkipDigits(text) == 0) return false;
    }
    return text.empty();
}

bool IsLdfText(std::u16string_view text) { return text.find(u'"') == std::u16string_view::npos; }
