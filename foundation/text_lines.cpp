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
