#pragma once
// The tokens of the LDF grammar as a written file must hold them: a value that is no such
// token cannot be written where the grammar wants one. Spaces around a value do not count.
// Inline: the writer asks for every name and number of a cluster.

#include <cstddef>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace ldf_tokens_detail {

inline bool IsBlank(char16_t unit) { return unit == u' ' || unit == u'\t'; }
inline bool IsDigit(char16_t unit) { return unit >= u'0' && unit <= u'9'; }

inline std::u16string_view Trimmed(std::u16string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

inline bool IsNameUnit(char16_t unit) {
    return IsDigit(unit) || (unit >= u'A' && unit <= u'Z') || (unit >= u'a' && unit <= u'z') || unit == u'_';
}

#if defined(__SSE2__)
// A mask of the units of `part` that are a letter, a digit or '_', two bits per unit. A
// range is one signed compare after a shift of its start to the lowest value; a letter is
// lowered by setting bit 5, which takes no other unit into a..z.
inline int NameUnitMask(__m128i part) {
    const auto in = [](__m128i units, short first, short count) {
        const __m128i shifted = _mm_sub_epi16(units, _mm_set1_epi16(static_cast<short>(first - 0x8000)));
        return _mm_cmplt_epi16(shifted, _mm_set1_epi16(static_cast<short>(count - 0x8000)));
    };
    const __m128i letter = in(_mm_or_si128(part, _mm_set1_epi16(0x20)), 'a', 26);
    const __m128i digit = in(part, '0', 10);
    return _mm_movemask_epi8(_mm_or_si128(_mm_or_si128(letter, digit), _mm_cmpeq_epi16(part, _mm_set1_epi16('_'))));
}
#endif

// Whether every unit is a letter, a digit or '_'. Most names are up to 16 units long: they
// are checked as two overlapping parts of eight, or of four, longer ones eight at a time.
inline bool AreNameUnits(std::u16string_view text) {
    const std::size_t size = text.size();
    std::size_t i = 0;
#if defined(__SSE2__)
    const auto eight = [&text](std::size_t at) {
        return NameUnitMask(_mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + at))) == 0xFFFF;
    };
    if (size >= 8) {
        for (; i + 8 < size; i += 8) {
            if (!eight(i)) return false;
        }
        return eight(size - 8);
    }
    if (size >= 4) {
        const auto four = [&text](std::size_t at) {
            return (NameUnitMask(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(text.data() + at))) & 0xFF) == 0xFF;
        };
        return four(0) && four(size - 4);
    }
#endif
    for (; i < size; ++i) {
        if (!IsNameUnit(text[i])) return false;
    }
    return true;
}

}  // namespace ldf_tokens_detail

// The words the grammar reads after a name; as names they would end it.
inline bool IsLdfKeyword(std::u16string_view text) {
    switch (text.size()) {
        case 2: return text == u"ms";
        case 4: return text == u"kbps" || text == u"bits";
        case 5: return text == u"delay";
        case 13: return text == u"configuration";
        default: return false;
    }
}

// A name: letters, digits and '_', and none of the words the grammar reserves after names.
inline bool IsLdfName(std::u16string_view text) {
    text = ldf_tokens_detail::Trimmed(text);
    return !text.empty() && ldf_tokens_detail::AreNameUnits(text) && !IsLdfKeyword(text);
}

// A decimal integer with an optional '-', or a hexadecimal one after "0x".
bool IsLdfIntegerText(std::u16string_view text);
inline bool IsLdfInteger(std::u16string_view text) {
    // Most integers of a cluster are a few plain digits: those without a call.
    if (!text.empty() && text.size() <= 4) {
        bool digits = true;
        for (const char16_t unit : text) digits = digits && ldf_tokens_detail::IsDigit(unit);
        if (digits) return true;
    }
    return IsLdfIntegerText(text);
}
// A decimal number with an optional '-', fraction and exponent.
bool IsLdfReal(std::u16string_view text);
// A text that can stand between double quotes.
bool IsLdfText(std::u16string_view text);
