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

// Whether every unit is a letter, a digit or '_', eight at a time.
inline bool AreNameUnits(std::u16string_view text) {
    std::size_t i = 0;
#if defined(__SSE2__)
    for (; i + 8 <= text.size(); i += 8) {
        const __m128i part = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
        const auto between = [part](short low, short high) {
            // Signed compares: a unit of 0x8000 or more is negative and in no range.
            return _mm_and_si128(_mm_cmpgt_epi16(part, _mm_set1_epi16(static_cast<short>(low - 1))),
                                 _mm_cmplt_epi16(part, _mm_set1_epi16(static_cast<short>(high + 1))));
        };
        const __m128i name = _mm_or_si128(_mm_or_si128(between('0', '9'), between('A', 'Z')),
                                          _mm_or_si128(between('a', 'z'), _mm_cmpeq_epi16(part, _mm_set1_epi16('_'))));
        if (_mm_movemask_epi8(name) != 0xFFFF) return false;
    }
#endif
    for (; i < text.size(); ++i) {
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
