#pragma once
// Conversions between UTF-16 text and the byte encodings the program meets:
// the 8-bit code page of LDF files (Windows-1252) and UTF-8 (file names, console).

#include <string>
#include <string_view>

namespace tabrel {

// Windows-1252 byte to UTF-16. The five bytes the code page leaves undefined map to the
// control characters of the same value, so every byte converts to one character and back.
char16_t DecodeHighCodePageByte(unsigned char byte);
inline char16_t DecodeCodePageByte(unsigned char byte) {
    return byte < 0x80 ? byte : DecodeHighCodePageByte(byte);
}

// UTF-16 unit to Windows-1252; a character the code page cannot represent becomes '?'.
unsigned char EncodeNonAsciiCodePageChar(char16_t ch);
inline unsigned char EncodeCodePageChar(char16_t ch) {
    return ch < 0x80 ? static_cast<unsigned char>(ch) : EncodeNonAsciiCodePageChar(ch);
}

std::u16string DecodeCodePage(std::string_view bytes);
std::string EncodeCodePage(std::u16string_view text);

// UTF-8 <-> UTF-16. Malformed input becomes U+FFFD; lone surrogates become '?'.
std::u16string DecodeUtf8(std::string_view bytes);
std::string EncodeUtf8(std::u16string_view text);

}  // namespace tabrel
