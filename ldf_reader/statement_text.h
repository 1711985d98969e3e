#pragma once
// Small text helpers shared by the section readers. Views point into the statement being
// read, which stays unchanged while a reader runs.

#include <array>
#include <string_view>
#include <vector>

#include "foundation/corv_arrays.h"
#include "foundation/corv_string.h"

// The text before the first occurrence of `separator` and the text after it. Without the
// separator the head is empty and the rest is the whole text (`found` tells which).
struct SplitAtFirst {
    SplitAtFirst(std::u16string_view text, std::u16string_view separator);

    std::u16string_view head;
    std::u16string_view rest;
    bool found = false;
};

// Spaces trimmed off both ends.
std::u16string_view TrimmedView(std::u16string_view text);
inline corvString Trimmed(std::u16string_view text) { return corvString(TrimmedView(text)); }
inline corvString Trimmed(const corvString& text) { return Trimmed(text.View()); }

// `text` trimmed, without the double quotes around it.
corvString Unquoted(std::u16string_view text);

// `text` without any of `characters` (unit letters such as "ms"), then trimmed.
corvString WithoutCharacters(std::u16string_view text, std::u16string_view characters);

// The fields of a statement between separators, as views, so that reading a statement
// copies only what the model keeps. The rules of corvStringArray::Split (exact, empty
// fields kept, nothing trimmed), except that a separator inside a double-quoted text is
// part of the text: '"No error, ok"' is one field. A quote with no closing quote after it
// protects nothing. The first fields are kept inside the object: a statement seldom has
// more, and it is split without an allocation.
class StatementFields {
public:
    StatementFields(std::u16string_view text, std::u16string_view separator);
    StatementFields(const corvString& text, std::u16string_view separator)
        : StatementFields(text.View(), separator) {}
    StatementFields(corvString&&, std::u16string_view) = delete;  // the views would dangle

    int Count() const { return count_; }
    std::u16string_view Item(int i) const {
        return i < kLocalFields ? local_[static_cast<std::size_t>(i)]
                                : more_[static_cast<std::size_t>(i - kLocalFields)];
    }

private:
    static constexpr int kLocalFields = 12;

    void SplitAtUnit(std::u16string_view text, char16_t separator);
    void Add(std::u16string_view field);

    std::array<std::u16string_view, kLocalFields> local_;
    std::vector<std::u16string_view> more_;
    int count_ = 0;
};
