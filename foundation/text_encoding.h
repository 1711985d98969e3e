#pragma once
// Conversions between UTF-16 text and the byte encodings the program meets:
// the 8-bit code page of LDF files (Windows-1252) and UTF-8 (file names, console).

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// Widens `count` bytes to as many UTF-16 units, one for one, many at a time. Tells whether
// a byte was zero or from 0x80 on, which the caller may have to mend.
struct WidenedBytes {
    bool hadZero;
    bool hadHighByte;
};
inline WidenedBytes WidenBytes(const char* bytes, std::size_t count, char16_t* units) {
    std::size_t i = 0;
#if defined(__SSE2__)
    // 16 bytes at a time, and a shorter text in two overlapping loads of 8 or of 4 bytes.
    const __m128i zero = _mm_setzero_si128();
    int zeroMask = 0;
    int highMask = 0;
    const auto widen = [&](__m128i chunk, int validBytes, char16_t* to) {
        const int valid = (1 << validBytes) - 1;
        zeroMask |= _mm_movemask_epi8(_mm_cmpeq_epi8(chunk, zero)) & valid;
        highMask |= _mm_movemask_epi8(chunk) & valid;
        if (validBytes == 16) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to), _mm_unpacklo_epi8(chunk, zero));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 8), _mm_unpackhi_epi8(chunk, zero));
        } else if (validBytes == 8) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to), _mm_unpacklo_epi8(chunk, zero));
        } else {
            _mm_storel_epi64(reinterpret_cast<__m128i*>(to), _mm_unpacklo_epi8(chunk, zero));
        }
    };
    const auto load4 = [](const char* from) {
        std::int32_t word;
        std::memcpy(&word, from, sizeof word);
        return _mm_cvtsi32_si128(word);
    };
    if (count >= 16) {
        for (; i + 16 <= count; i += 16) {
            widen(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i)), 16, units + i);
        }
        if (i < count) {
            const std::size_t last = count - 16;
            widen(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + last)), 16, units + last);
        }
        i = count;
    } else if (count >= 8) {
        widen(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(bytes)), 8, units);
        widen(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(bytes + count - 8)), 8, units + count - 8);
        i = count;
    } else if (count >= 4) {
        widen(load4(bytes), 4, units);
        widen(load4(bytes + count - 4), 4, units + count - 4);
        i = count;
    }
    WidenedBytes result{zeroMask != 0, highMask != 0};
#else
    WidenedBytes result{false, false};
#endif
    for (; i < count; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        units[i] = byte;
        result.hadZero = result.hadZero || byte == 0;
        result.hadHighByte = result.hadHighByte || byte >= 0x80;
    }
    return result;
}

// Narrows `count` UTF-16 units to Windows-1252 bytes, one for one, many at a time ('?' for
// a character the code page cannot hold).
inline void EncodeCodePageUnits(const char16_t* units, std::size_t count, char* bytes) {
    std::size_t i = 0;
#if defined(__SSE2__)
    // Eight units at a time, packed to bytes when all of them are ASCII; a shorter text in
    // two overlapping parts of eight or four. A part with other characters goes one by one.
    const __m128i nonAscii = _mm_set1_epi16(static_cast<short>(0xFF80));
    const __m128i zero = _mm_setzero_si128();
    const auto narrowed = [&](std::size_t at, bool four) {
        const __m128i part = four ? _mm_loadl_epi64(reinterpret_cast<const __m128i*>(units + at))
                                  : _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + at));
        if (_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(part, nonAscii), zero)) != 0xFFFF) {
            for (std::size_t k = at; k < at + (four ? 4 : 8); ++k) bytes[k] = static_cast<char>(EncodeCodePageChar(units[k]));
            return;
        }
        const __m128i packed = _mm_packus_epi16(part, zero);
        if (four) {
            const auto word = static_cast<std::uint32_t>(_mm_cvtsi128_si32(packed));
            std::memcpy(bytes + at, &word, sizeof word);
        } else {
            _mm_storel_epi64(reinterpret_cast<__m128i*>(bytes + at), packed);
        }
    };
    if (count >= 8) {
        for (; i + 8 <= count; i += 8) narrowed(i, false);
        if (i < count) narrowed(count - 8, false);
        return;
    }
    if (count >= 4) {
        narrowed(0, true);
        narrowed(count - 4, true);
        return;
    }
#endif
    for (; i < count; ++i) bytes[i] = static_cast<char>(EncodeCodePageChar(units[i]));
}

std::u16string DecodeCodePage(std::string_view bytes);
std::string EncodeCodePage(std::u16string_view text);

// UTF-8 <-> UTF-16. Malformed input becomes U+FFFD; lone surrogates become '?'.
std::u16string DecodeUtf8(std::string_view bytes);
std::string EncodeUtf8(std::u16string_view text);
void AppendUtf8(std::string& out, std::u16string_view text);

}  // namespace tabrel
