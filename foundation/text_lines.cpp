#include "text_lines.h"

#include <algorithm>

void TextLines::Grow(std::size_t needed) {
    constexpr std::size_t kFirstRoom = 4096;
    bytes_.resize(std::max({needed, 2 * bytes_.size(), kFirstRoom}));
}
