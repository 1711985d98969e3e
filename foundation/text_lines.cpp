#include "text_lines.h"

#include "text_encoding.h"

void TextLines::Line(std::initializer_list<std::u16string_view> pieces) {
    for (std::u16string_view piece : pieces) {
        for (char16_t ch : piece) bytes_.push_back(static_cast<char>(tabrel::EncodeCodePageChar(ch)));
    }
    bytes_ += "\r\n";
}
