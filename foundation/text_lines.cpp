#include "text_lines.h"

#include <algorithm>
#include <new>

void TextLines::Grow(std::size_t needed) {
    constexpr std::size_t kFirstRoom = 4096;
    const std::size_t capacity = std::max({needed, 2 * capacity_, kFirstRoom});
    // Extended in place where the heap has room after the block, copied otherwise.
    char* grown = static_cast<char*>(std::realloc(bytes_.get(), capacity));
    if (grown == nullptr) throw std::bad_alloc();
    static_cast<void>(bytes_.release());
    bytes_.reset(grown);
    capacity_ = capacity;
}

namespace text_pieces {

std::size_t Size(const Joined& joined) {
    if (joined.texts.empty()) return 0;
    std::size_t size = (joined.texts.size() - 1) * joined.separator.size();
    for (const std::u16string_view text : joined.texts) size += text.size();
    return size;
}

char* Write(char* at, const Joined& joined) {
    for (std::size_t i = 0; i < joined.texts.size(); ++i) {
        if (i > 0) at = Write(at, joined.separator);
        at = Write(at, joined.texts[i]);
    }
    return at;
}

std::u16string LeadingBlanks(std::string_view ascii) {
    const std::string_view blanks = ascii.substr(0, std::min(ascii.size(), ascii.find_first_not_of("\t ")));
    return std::u16string(blanks.begin(), blanks.end());
}

std::u16string LeadingBlanks(std::u16string_view text) {
    return std::u16string(text.substr(0, std::min(text.size(), text.find_first_not_of(u"\t "))));
}

}  // namespace text_pieces
