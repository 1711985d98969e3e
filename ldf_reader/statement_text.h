#pragma once
// Small text helpers shared by the section readers. A statement is read as the file's 8-bit
// text: it is cut and split as views into the statement being read, which stays unchanged
// while a reader runs, and only the fields the model keeps are converted to corvString.

#include <array>
#include <limits>
#include <string_view>
#include <vector>

#include "foundation/corv_arrays.h"
#include "foundation/corv_string.h"

// The text before the first occurrence of `separator` and the text after it. Without the
// separator the head is empty and the rest is the whole text (`found` tells which).
struct SplitAtFirst {
    SplitAtFirst(std::string_view text, char separator);

    std::string_view head;
    std::string_view rest;
    bool found = false;
};

// Spaces trimmed off both ends.
inline std::string_view TrimmedView(std::string_view text) {
    std::size_t first = 0;
    std::size_t end = text.size();
    while (first < end && text[first] == ' ') ++first;
    while (end > first && text[end - 1] == ' ') --end;
    return text.substr(first, end - first);
}

// `text` converted from the file's code page, as the model keeps it.
corvString Converted(std::string_view text);
inline corvString Trimmed(std::string_view text) { return Converted(TrimmedView(text)); }
// Converts `text` trimmed into `target`, reusing its storage.
inline void AssignTrimmed(corvString& target, std::string_view text) { target.AssignCodePage(TrimmedView(text)); }
// Appends `text` trimmed and converted to `list`, made in place.
inline void AddTrimmed(corvStringArray& list, std::string_view text) { AssignTrimmed(list.AddEmpty(), text); }

// `text` trimmed, without the double quotes around it.
corvString Unquoted(std::string_view text);

// `text` without any of `characters` (unit letters such as "ms"), then trimmed.
corvString WithoutCharacters(std::string_view text, std::string_view characters);

// The fields of a statement between separators, as views, so that reading a statement
// copies only what the model keeps. The rules of corvStringArray::Split (exact, empty
// fields kept, nothing trimmed), except that a separator inside a double-quoted text is
// part of the text: '"No error, ok"' is one field. A quote with no closing quote after it
// protects nothing. The first fields are kept inside the object: a statement seldom has
// more, and it is split without an allocation.
class StatementFields {
public:
    StatementFields(std::string_view text, std::string_view separator);
    // Not copied: the slots past the last field hold no value to copy.
    StatementFields(const StatementFields&) = delete;
    StatementFields& operator=(const StatementFields&) = delete;

    int Count() const { return count_; }
    // Empty for a field the statement does not have.
    std::string_view Item(int i) const {
        if (i < 0 || i >= count_) return {};
        if (i >= kLocalFields) return more_[static_cast<std::size_t>(i - kLocalFields)];
        const Piece& piece = local_[static_cast<std::size_t>(i)];
        return {piece.data, piece.size};
    }

private:
    static constexpr int kLocalFields = 12;

    void SplitAtCharacter(std::string_view text, char separator);
    void SplitAtText(std::string_view text, std::string_view separator);
    void Add(std::string_view field);

    // Not views: a view is cleared when made, and these slots are written before they are
    // read, for every statement of a file.
    struct Piece {
        const char* data;
        std::size_t size;
    };
    std::array<Piece, kLocalFields> local_;
    std::vector<std::string_view> more_;
    int count_ = 0;
};

// Appends the fields from `first` up to `end` (by default the last one), trimmed and
// converted, to `list`, which is sized for them once.
void AddTrimmedFields(corvStringArray& list, const StatementFields& fields, int first = 0,
                      int end = std::numeric_limits<int>::max());
