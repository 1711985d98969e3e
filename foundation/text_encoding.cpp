#include "text_encoding.h"

#include <array>

namespace tabrel {
namespace {

// Characters of bytes 0x80..0x9F in Windows-1252; the rest of the code page equals Latin-1.
constexpr std::array<char16_t, 32> kHighControlBlock = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool IsHighSurrogate(char16_t ch) { return ch >= 0xD800 && ch <= 0xDBFF; }
bool IsLowSurrogate(char16_t ch) { return ch >= 0xDC00 && ch <= 0xDFFF; }

void AppendUtf16(std::u16string& out, char32_t cp) {
    if (cp >= 0x10000) {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
        out.push_back(static_cast<char16_t>(cp));
    }
}

}  // namespace

char16_t DecodeHighCodePageByte(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) return kHighControlBlock[byte - 0x80];
    return byte;
}

unsigned char EncodeNonAsciiCodePageChar(char16_t ch) {
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) return static_cast<unsigned char>(ch);
    for (std::size_t i = 0; i < kHighControlBlock.size(); ++i) {
        if (kHighControlBlock[i] == ch) return static_cast<unsigned char>(0x80 + i);
    }
    return '?';
}

std::u16string DecodeCodePage(std::string_view bytes) {
    std::u16string text(bytes.size(), u'\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        text[i] = DecodeCodePageByte(static_cast<unsigned char>(bytes[i]));
    }
    return text;
}

// Eight units at a time, packed to bytes when all of them are ASCII, the last eight
// overlapping those before; a part with other characters goes one by one.
void EncodeCodePageUnitsInParts(const char16_t* units, std::size_t count, char* bytes) {
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i nonAscii = _mm_set1_epi16(static_cast<short>(0xFF80));
    const auto narrowed = [&](std::size_t at) {
        const __m128i part = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + at));
        if (_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(part, nonAscii), _mm_setzero_si128())) != 0xFFFF) {
            for (std::size_t k = at; k < at + 8; ++k) bytes[k] = static_cast<char>(EncodeCodePageChar(units[k]));
            return;
        }
        _mm_storel_epi64(reinterpret_cast<__m128i*>(bytes + at), _mm_packus_epi16(part, part));
    };
    if (count >= 8) {
        for (; i + 8 <= count; i += 8) narrowed(i);
        if (i < count) narrowed(count - 8);
        return;
    }
#endif
    for (; i < count; ++i) bytes[i] = static_cast<char>(EncodeCodePageChar(units[i]));
}

std::string EncodeCodePage(std::u16string_view text) {
    std::string bytes(text.size(), '\0');
    EncodeCodePageUnits(text.data(), text.size(), bytes.data());
    return bytes;
}

std::u16string DecodeUtf8(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        int extra = 0;
        char32_t cp = 0;
        if (lead < 0x80) {
            cp = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            extra = 1;
            cp = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2;
            cp = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3;
            cp = lead & 0x07;
        } else {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        bool valid = i + static_cast<std::size_t>(extra) < bytes.size();
        for (int k = 1; valid && k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) valid = false;
            cp = (cp << 6) | (next & 0x3F);
        }
        static constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
        if (!valid || cp < kMinimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        AppendUtf16(out, cp);
        i += extra + 1;
    }
    return out;
}

std::string EncodeUtf8(std::u16string_view text) {
    std::string out;
    AppendUtf8(out, text);
    return out;
}

void AppendUtf8(std::string& out, std::u16string_view text) {
    // LDF text is almost all ASCII: that part is narrowed in one pass, byte for unit.
    std::size_t ascii = 0;
    while (ascii < text.size() && text[ascii] < 0x80) ++ascii;
    const std::size_t start = out.size();
    out.resize(start + ascii);
    EncodeCodePageUnits(text.data(), ascii, out.data() + start);
    if (ascii == text.size()) return;
    out.reserve(out.size() + 3 * (text.size() - ascii));
    for (std::size_t i = ascii; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i])) {
            cp = '?';
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
}

}  // namespace tabrel
