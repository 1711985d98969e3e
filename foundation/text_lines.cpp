#include "text_lines.h"

#include "text_encoding.h"

void TextLines::Line(std::initializer_list<std::u16string_view> pieces) {
    std::size_t length = 2;
    for (std::u16string_view piece : pieces) length += piece.size();
    std::size_t at = bytes_.size();
    bytes_.resize(at + length);
    for (std::u16string_view piece : pieces) {
        for (char16_t ch : piece) bytes_[at++] = static_cast<char>(tabrel::EncodeCodePageChar(ch));
    }
    bytes_[at] = '\r';
    bytes_[at + 1] = '\n';
}
