#include "model/ldf_tokens.h"

namespace {

using ldf_tokens_detail::IsDigit;
using ldf_tokens_detail::Trimmed;

bool IsHexDigit(char16_t unit) { return IsDigit(unit) || (unit >= u'a' && unit <= u'f') || (unit >= u'A' && unit <= u'F'); }

// The digits at the start of `text`, which is advanced past them.
std::size_t SkipDigits(std::u16string_view& text) {
    std::size_t count = 0;
    while (count < text.size() && IsDigit(text[count])) ++count;
    text.remove_prefix(count);
    return count;
}

}  // namespace

bool IsLdfIntegerText(std::u16string_view text) {
    text = Trimmed(text);
    if (text.size() > 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X')) {
        for (const char16_t unit : text.substr(2)) {
            if (!IsHexDigit(unit)) return false;
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
