#include "comments.h"

LdfComments& LdfComments::operator=(const LdfComments& other) {
    if (this != &other) {
        entries_ = other.entries_ ? std::make_unique<std::vector<LdfComment>>(*other.entries_) : nullptr;
    }
    return *this;
}

void LdfComments::Add(std::u16string_view slot, CommentPlace place, const corvString& text) {
    if (!entries_) entries_ = std::make_unique<std::vector<LdfComment>>();
    LdfComment& comment = entries_->emplace_back();
    comment.slot.Assign(slot);
    comment.place = place;
    comment.text = text;
}

const std::vector<LdfComment>& LdfComments::Entries() const {
    static const std::vector<LdfComment> kNone;
    return entries_ ? *entries_ : kNone;
}
