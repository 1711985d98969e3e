#pragma once
// Collects lines of text for a file: Windows-1252 bytes ('?' for characters the code page
// cannot hold), every line ended by CR LF.

#include <initializer_list>
#include <string>
#include <string_view>

class TextLines {
public:
    // One line made of the pieces, in order.
    void Line(std::initializer_list<std::u16string_view> pieces);
    void Blank() { bytes_ += "\r\n"; }
    std::string Take() { return std::move(bytes_); }

private:
    std::string bytes_;
};
