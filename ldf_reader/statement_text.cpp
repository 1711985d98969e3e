#include "statement_text.h"

#include <algorithm>

#include "byte_search.h"

SplitAtFirst::SplitAtFirst(std::string_view text, char separator) {
    const std::size_t position = text.find(separator);
    found = position != std::string_view::npos;
    if (!found) {
        rest = text;
        return;
    }
    head = text.substr(0, position);
    rest = text.substr(position + 1);
}

corvString Converted(std::string_view text) {
    corvString result;
    result.AssignCodePage(text);
    return result;
}

corvString WithoutCharacters(std::string_view text, std::string_view characters) {
    corvString result = Converted(text);
    for (char ch : characters) result.RemoveChar(static_cast<unsigned char>(ch));
    result.Trim();
    return result;
}

corvString Unquoted(std::string_view text) {
    corvString result = Trimmed(text);
    result.TrimQuotes();
    return result;
}

StatementFields::StatementFields(std::string_view text, std::string_view separator) {
    if (separator.size() == 1 && separator[0] != '"') {
        SplitAtCharacter(text, separator[0]);
    } else if (separator.empty()) {
        Add(text);
    } else {
        SplitAtText(text, separator);
    }
}

// The readers' usual split, at one character, in a single pass.
void StatementFields::SplitAtCharacter(std::string_view text, char separator) {
    std::size_t start = 0;
    for (std::size_t i = FindEither(text, 0, separator, '"'); i < text.size();
         i = FindEither(text, i + 1, separator, '"')) {
        if (text[i] == separator) {
            Add(text.substr(start, i - start));
            start = i + 1;
        } else {
            const std::size_t closing = text.find('"', i + 1);
            if (closing != std::string_view::npos) i = closing;
        }
    }
    Add(text.substr(start));
}

void StatementFields::SplitAtText(std::string_view text, std::string_view separator) {
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '"') {
            const std::size_t closing = text.find('"', i + 1);
            if (closing != std::string_view::npos) {
                i = closing + 1;
                continue;
            }
        } else if (text.substr(i, separator.size()) == separator) {
            Add(text.substr(start, i - start));
            i += separator.size();
            start = i;
            continue;
        }
        ++i;
    }
    Add(text.substr(start));
}

void StatementFields::Add(std::string_view field) {
    if (count_ < kLocalFields) {
        local_[static_cast<std::size_t>(count_)] = Piece{field.data(), field.size()};
    } else {
        more_.push_back(field);
    }
    ++count_;
}

void AddTrimmedFields(corvStringArray& list, const StatementFields& fields, int first, int end) {
    end = std::min(end, fields.Count());
    if (end <= first) return;
    list.SetAllocated(list.Count() + end - first, true);
    for (int i = first; i < end; ++i) AddTrimmed(list, fields.Item(i));
}
