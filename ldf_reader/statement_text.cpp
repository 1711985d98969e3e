#include "statement_text.h"

SplitAtFirst::SplitAtFirst(std::u16string_view text, std::u16string_view separator) {
    const std::size_t position = text.find(separator);
    found = position != std::u16string_view::npos;
    if (!found) {
        rest = text;
        return;
    }
    head = text.substr(0, position);
    rest = text.substr(position + separator.size());
}

std::u16string_view TrimmedView(std::u16string_view text) {
    const std::size_t first = text.find_first_not_of(u' ');
    if (first == std::u16string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(u' ') - first + 1);
}

corvString WithoutCharacters(std::u16string_view text, std::u16string_view characters) {
    corvString result(text);
    for (char16_t ch : characters) result.RemoveChar(ch);
    result.Trim();
    return result;
}
