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
void EncodeCodePageUnitsInParts(const char16_t* units, std::size_t count, char* bytes);
inline void EncodeCodePageUnits(const char16_t* units, std::size_t count, char* bytes) {
#if defined(__SSE2__)
    // Most texts written are short ASCII names and numbers: up to 16 units are packed in two
    // overlapping parts of eight, or of four, without a call.
    const __m128i nonAscii = _mm_set1_epi16(static_cast<short>(0xFF80));
    const auto ascii = [&](__m128i part) {
        return _mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(part, nonAscii), _mm_setzero_si128())) == 0xFFFF;
    };
    if (count >= 8 && count <= 16) {
        const __m128i head = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units));
        const __m128i tail = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + count - 8));
        if (ascii(_mm_or_si128(head, tail))) {
            _mm_storel_epi64(reinterpret_cast<__m128i*>(bytes), _mm_packus_epi16(head, head));
            _mm_storel_epi64(reinterpret_cast<__m128i*>(bytes + count - 8), _mm_packus_epi16(tail, tail));
            return;
        }
    } else if (count >= 4 && count < 8) {
        const __m128i head = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(units));
        const __m128i tail = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(units + count - 4));
        if (ascii(_mm_or_si128(head, tail))) {
            const auto headBytes = static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(head, head)));
            const auto tailBytes = static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(tail, tail)));
            std::memcpy(bytes, &headBytes, sizeof headBytes);
            std::memcpy(bytes + count - 4, &tailBytes, sizeof tailBytes);
            return;
        }
    } else if (count < 4) {
        for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<char>(EncodeCodePageChar(units[i]));
        return;
    }
#endif
    EncodeCodePageUnitsInParts(units, count, bytes);
}

std::u16string DecodeCodePage(std::string_view bytes);
std::string EncodeCodePage(std::u16string_view text);

// UTF-8 <-> UTF-16. Malformed input becomes U+FFFD; lone surrogates become '?'.
std::u16string DecodeUtf8(std::string_view bytes);
std::string EncodeUtf8(std::u16string_view text);
void AppendUtf8(std::string& out, std::u16string_view text);

}  // namespace tabrel
