#include "comments.h"

void LdfComments::Add(std::u16string_view slot, CommentPlace place, const corvString& text) {
    LdfComment& comment = entries_.emplace_back();
    comment.slot.Assign(slot);
    comment.place = place;
    comment.text = text;
}

std::vector<const corvString*> LdfComments::Find(std::u16string_view slot, CommentPlace place) const {
    std::vector<const corvString*> texts;
    for (const LdfComment& comment : entries_) {
        if (comment.place == place && comment.slot.View() == slot) texts.push_back(&comment.text);
    }
    return texts;
}

corvString CommentSlot(std::u16string_view kind, std::u16string_view name) {
    corvString slot(kind);
    slot.Append(u":");
    slot.Append(name);
    return slot;
}
