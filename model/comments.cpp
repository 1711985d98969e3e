#include "comments.h"

void LdfComments::Add(std::u16string_view slot, CommentPlace place, const corvString& text) {
    LdfComment& comment = entries_.emplace_back();
    comment.slot.Assign(slot);
    comment.place = place;
    comment.text = text;
}
