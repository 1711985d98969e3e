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

StatementFields::StatementFields(std::u16string_view text, std::u16string_view separator) {
    const auto add = [this](std::u16string_view field) { Add(field); };
    if (separator.size() == 1 && separator[0] != u'"') {
        SplitAtUnit(text, separator[0]);
        return;
    }
    if (separator.empty() || text.find(u'"') == std::u16string_view::npos) {
        ForEachField(text, separator, add);
        return;
    }
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == u'"') {
            const std::size_t closing = text.find(u'"', i + 1);
            if (closing != std::u16string_view::npos) {
                i = closing + 1;
                continue;
            }
        } else if (text.substr(i, separator.size()) == separator) {
            add(text.substr(start, i - start));
            i += separator.size();
            start = i;
            continue;
        }
        ++i;
    }
    add(text.substr(start));
}

// The readers' usual split, at one character, in a single pass.
void StatementFields::SplitAtUnit(std::u16string_view text, char16_t separator) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == separator) {
            Add(text.substr(start, i - start));
            start = i + 1;
        } else if (text[i] == u'"') {
            const std::size_t closing = text.find(u'"', i + 1);
            if (closing != std::u16string_view::npos) i = closing;
        }
    }
    Add(text.substr(start));
}

void StatementFields::Add(std::u16string_view field) {
    if (count_ < kLocalFields) {
        local_[static_cast<std::size_t>(count_)] = field;
    } else {
        more_.push_back(field);
    }
    ++count_;
}

corvString Unquoted(std::u16string_view text) {
    corvString result = Trimmed(text);
    result.TrimQuotes();
    return result;
}
