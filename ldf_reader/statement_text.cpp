#include "statement_text.h"

#include <string_view>

SplitAtFirst::SplitAtFirst(const corvString& text, const char16_t* separator) {
    const int position = text.Find(0, separator);
    found = position >= 0;
    if (!found) {
        rest = text;
        return;
    }
    const std::u16string_view whole = text.View();
    head.Assign(whole.substr(0, static_cast<std::size_t>(position)));
    rest.Assign(whole.substr(static_cast<std::size_t>(position) +
                             std::u16string_view(separator).size()));
}

corvString Trimmed(const corvString& text) {
    corvString copy(text);
    copy.Trim();
    return copy;
}
