#pragma once
// The comments a file held around one object, each with the line of the object it belongs
// to, so that a save writes it back there. An object keeps its own comments: removing it
// removes them, renaming it keeps them.

#include <string_view>
#include <vector>

#include "foundation/corv_string.h"

enum class CommentPlace : unsigned char {
    kBefore,  // on the lines before the statement
    kAfter,   // at the end of the statement's line
    kEnd,     // at the end of the block the statement opens, before its '}'
};

struct LdfComment {
    // Which line of the object: empty for the statement that defines it, otherwise the
    // entry of its block (a frame's signal, a node attribute, ...), as CommentSlot gives it.
    corvString slot;
    CommentPlace place = CommentPlace::kBefore;
    corvString text;  // with its '//' or '/* */' marks
};

class LdfComments {
public:
    bool IsEmpty() const { return entries_.empty(); }
    void Add(std::u16string_view slot, CommentPlace place, const corvString& text);
    // The texts of one slot and place, in file order.
    std::vector<const corvString*> Find(std::u16string_view slot, CommentPlace place) const;
    const std::vector<LdfComment>& Entries() const { return entries_; }
    void Clear() { entries_.clear(); }

private:
    std::vector<LdfComment> entries_;
};

// Slots of entries inside an object's block: the kind of entry and its name, as in
// "signal:Wiper_Speed", "attribute:P2_min", "configurable:Frame1".
corvString CommentSlot(std::u16string_view kind, std::u16string_view name);

// The first line of every file this program writes. A file that starts with it was saved
// here: the line is written anew, not kept as one of the file's comments.
inline constexpr std::u16string_view kWriterSignature = u"// Generated with Kestova LIN Tabrel";
