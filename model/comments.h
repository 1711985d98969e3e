#pragma once
// The comments a file held around one object, each with the line of the object it belongs
// to, so that a save writes it back there. An object keeps its own comments: removing it
// removes them, renaming it keeps them.

#include <memory>
#include <string_view>
#include <vector>

#include "foundation/corv_string.h"

enum class CommentPlace : unsigned char {
    kBefore,  // on the lines before the statement
    kAfter,   // at the end of the statement's line
    kEnd,     // at the end of the block the statement opens, before its '}'
};

struct LdfComment {
    // Which line of the object: empty for the statement that defines it; for an entry of
    // its block the kind of entry and its name ("signal:Wiper_Speed", "attribute:P2_min",
    // "configurable:Frame1"); for the document the statement's keyword ("LIN_speed",
    // "Signals", "Master") or "file" and "end" for the comments before the first and after
    // the last statement.
    corvString slot;
    CommentPlace place = CommentPlace::kBefore;
    corvString text;  // with its '//' or '/* */' marks
};

// Most objects have no comment: they keep a null pointer, one word, rather than a list.
class LdfComments {
public:
    LdfComments() = default;
    LdfComments(const LdfComments& other) { *this = other; }
    LdfComments(LdfComments&&) noexcept = default;
    LdfComments& operator=(const LdfComments& other);
    LdfComments& operator=(LdfComments&&) noexcept = default;
    ~LdfComments() = default;

    bool IsEmpty() const { return entries_ == nullptr; }
    void Add(std::u16string_view slot, CommentPlace place, const corvString& text);
    const std::vector<LdfComment>& Entries() const;
    void Clear() { entries_.reset(); }

private:
    std::unique_ptr<std::vector<LdfComment>> entries_;
};

// The first line of every file this program writes. A file that starts with it was saved
// here: the line is written anew, not kept as one of the file's comments.
inline constexpr std::u16string_view kWriterSignature = u"// Generated with Kestova LIN Tabrel";
