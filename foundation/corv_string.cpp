#include "corv_string.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale>
#include <optional>
#include <stdexcept>

#if defined(__GLIBC__)
#include <locale.h>
#endif

#include "text_encoding.h"

namespace {

// Unicode simple case mapping taken from the wide ctype facet of a UTF-8 locale, looked up
// once; the process's global locale is never touched. Plain ASCII mapping without one.
const std::ctype<wchar_t>* UnicodeCaseFacet() {
    static const std::optional<std::locale> utf8Locale = []() -> std::optional<std::locale> {
        for (const char* name : {"C.UTF-8", "C.utf8", "en_US.UTF-8", "en_US.utf8"}) {
            try {
                return std::locale(name);
            } catch (const std::runtime_error&) {
            }
        }
        return std::nullopt;
    }();
    static const std::ctype<wchar_t>* facet =
        utf8Locale ? &std::use_facet<std::ctype<wchar_t>>(*utf8Locale) : nullptr;
    return facet;
}

bool IsSurrogate(char16_t ch) { return ch >= 0xD800 && ch <= 0xDFFF; }

char16_t ToLowerChar(char16_t ch) {
    if (ch < 0x80) return (ch >= u'A' && ch <= u'Z') ? static_cast<char16_t>(ch + 32) : ch;
    const auto* facet = UnicodeCaseFacet();
    if (facet == nullptr || IsSurrogate(ch)) return ch;
    const wchar_t mapped = facet->tolower(static_cast<wchar_t>(ch));
    return mapped <= 0xFFFF ? static_cast<char16_t>(mapped) : ch;
}

char16_t ToUpperChar(char16_t ch) {
    if (ch < 0x80) return (ch >= u'a' && ch <= u'z') ? static_cast<char16_t>(ch - 32) : ch;
    const auto* facet = UnicodeCaseFacet();
    if (facet == nullptr || IsSurrogate(ch)) return ch;
    const wchar_t mapped = facet->toupper(static_cast<wchar_t>(ch));
    return mapped <= 0xFFFF ? static_cast<char16_t>(mapped) : ch;
}

bool IsCSpace(char16_t ch) { return ch == u' ' || (ch >= u'\t' && ch <= u'\r'); }

int DigitValue(char16_t ch, int base) {
    int value = 99;
    if (ch >= u'0' && ch <= u'9') value = ch - u'0';
    else if (ch >= u'a' && ch <= u'z') value = ch - u'a' + 10;
    else if (ch >= u'A' && ch <= u'Z') value = ch - u'A' + 10;
    return value < base ? value : -1;
}

// The strtol family's reading of an integer: white space, sign, optional "0x" in base 16,
// digits. The magnitude saturates at `limit`; `overflow` tells whether it did.
struct ParsedInteger {
    unsigned long long magnitude = 0;
    bool negative = false;
    bool overflow = false;
};

ParsedInteger ParseInteger(std::u16string_view text, int base, unsigned limit) {
    ParsedInteger result;
    std::size_t i = 0;
    while (i < text.size() && IsCSpace(text[i])) ++i;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        result.negative = text[i] == u'-';
        ++i;
    }
    if (base == 16 && i + 2 < text.size() && text[i] == u'0' &&
        (text[i + 1] == u'x' || text[i + 1] == u'X') && DigitValue(text[i + 2], 16) >= 0) {
        i += 2;
    }
    for (; i < text.size(); ++i) {
        const int digit = DigitValue(text[i], base);
        if (digit < 0) break;
        // The magnitude never exceeds `limit`, a 32-bit number, so this cannot wrap; it tells
        // an overflow without a division for every digit.
        const unsigned long long next = result.magnitude * base + digit;
        if (next > limit) {
            result.overflow = true;
            result.magnitude = limit;
        } else if (!result.overflow) {
            result.magnitude = next;
        }
    }
    return result;
}

// Formats with the C locale's rules whatever the process locale is (the editor's toolkit
// sets the user's locale, which could turn the decimal point into a comma).
std::u16string FormatNumber(double x, std::chars_format style, int precision) {
    std::array<char, 400> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), x, style, precision);
    return std::u16string(buffer.data(), result.ptr);
}

// The shortest text that reads back as exactly `x`.
std::u16string FormatShortest(double x) {
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), x);
    return std::u16string(buffer.data(), result.ptr);
}

// The decimal digits of `n`, written as UTF-16 from the end of `units` backwards:
// collection keys are made this way for every object a file adds.
std::u16string_view FormatInt(int n, std::array<char16_t, 12>& units) {
    unsigned magnitude = n < 0 ? 0U - static_cast<unsigned>(n) : static_cast<unsigned>(n);
    std::size_t first = units.size();
    do {
        units[--first] = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (n < 0) units[--first] = u'-';
    return {units.data() + first, units.size() - first};
}

double ParseDoubleC(const std::string& narrow) {
#if defined(__GLIBC__)
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return strtod_l(narrow.c_str(), nullptr, cLocale);
#else
    return std::strtod(narrow.c_str(), nullptr);
#endif
}

struct SiPrefix {
    double bound;
    const char16_t* longName;
    const char16_t* symbol;
    double scale;
};

// |x| >= 1: the first row whose bound exceeds |x|.
constexpr SiPrefix kLargePrefixes[] = {
    {1e3, u"", u"", 1.0},           {1e6, u"kilo", u"k", 1e-3},  {1e9, u"mega", u"M", 1e-6},
    {1e12, u"giga", u"G", 1e-9},    {1e15, u"tera", u"T", 1e-12}, {1e18, u"peta", u"P", 1e-15},
    {HUGE_VAL, u"exa", u"E", 1e-18}};
// |x| < 1: the first row whose bound |x| reaches.
constexpr SiPrefix kSmallPrefixes[] = {
    {1e-3, u"milli", u"m", 1e3},  {1e-6, u"micro", u"\u00B5", 1e6}, {1e-9, u"nano", u"n", 1e9},
    {1e-12, u"pico", u"p", 1e12}, {1e-15, u"femto", u"f", 1e15},    {0.0, u"atto", u"a", 1e18}};

const SiPrefix& PickPrefix(double magnitude) {
    if (magnitude >= 1.0) {
        for (const auto& row : kLargePrefixes) {
            if (magnitude < row.bound) return row;
        }
        return kLargePrefixes[std::size(kLargePrefixes) - 1];
    }
    for (const auto& row : kSmallPrefixes) {
        if (magnitude >= row.bound) return row;
    }
    return kSmallPrefixes[std::size(kSmallPrefixes) - 1];
}

}  // namespace

// A name, a number or a unit keeps its text inside the object, and the tag takes the
// padding after the text.
static_assert(sizeof(corvString) == sizeof(SmallText));

// Growth is geometric; the step is accepted for callers that state one.
corvString::corvString(int capacity, [[maybe_unused]] int growBy) {
    text_.reserve(capacity > 0 ? static_cast<std::size_t>(capacity) : 1);
}

corvString::corvString(const char16_t* text) { Assign(text); }

void corvString::SetCapacity(int n, bool keep) {
    const std::size_t slots = n > 0 ? static_cast<std::size_t>(n) : 0;
    if (!keep || slots == 0) {
        text_.clear();
    } else if (text_.size() >= slots) {
        text_.resize(slots - 1);  // room for the terminator, as the capacity counts it
    }
    text_.reserve(slots);
}

corvString& corvString::Assign(const char16_t* text) {
    if (text == nullptr) {
        text_.clear();
    } else {
        text_.assign(std::u16string_view(text));
    }
    return *this;
}

corvString& corvString::AssignAnsi(const char* text) {
    if (text == nullptr) return *this;
    text_.clear();
    return AppendAnsi(text);
}

corvString& corvString::AssignCodePage(const char* text) {
    if (text == nullptr) return *this;
    return AssignCodePage(std::string_view(text));
}

void corvString::MendCodePage(std::string_view bytes) {
    bytes = bytes.substr(0, bytes.find('\0'));
    text_.resize(bytes.size());
    char16_t* units = text_.data();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        units[i] = tabrel::DecodeCodePageByte(static_cast<unsigned char>(bytes[i]));
    }
}

corvString& corvString::Append(const char16_t* text) {
    if (text != nullptr) text_.append(std::u16string_view(text));
    return *this;
}

corvString& corvString::Append(const corvString& other) {
    text_.append(other.View());
    return *this;
}

corvString& corvString::Append(std::u16string_view text) {
    text_.append(text);
    return *this;
}

corvString& corvString::AppendAnsi(const char* text) {
    if (text == nullptr) return *this;
    for (const char* p = text; *p != '\0'; ++p) {
        // Each byte widened as a signed value: only 7-bit text converts faithfully.
        text_.push_back(static_cast<char16_t>(static_cast<signed char>(*p)));
    }
    return *this;
}

corvString& corvString::AppendInt(int n) {
    std::array<char16_t, 12> units;
    text_.append(FormatInt(n, units));
    return *this;
}

corvString& corvString::AppendDouble(double x) {
    text_.append(FormatShortest(x));
    return *this;
}

corvString& corvString::SetInt(int n) {
    std::array<char16_t, 12> units;
    text_.assign(FormatInt(n, units));
    return *this;
}

corvString& corvString::SetHex(unsigned n) {
    std::array<char, 16> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), n, 16);
    std::u16string digits(n < 16 ? u"0" : u"");
    digits.append(buffer.data(), result.ptr);
    for (auto& ch : digits) ch = ToUpperChar(ch);
    text_.assign(digits);
    return *this;
}

corvString& corvString::SetDouble(double x) {
    text_.assign(FormatShortest(x));
    return *this;
}

std::string corvString::ToAnsiString() const { return tabrel::EncodeCodePage(View()); }

std::string corvString::ToUtf8() const { return tabrel::EncodeUtf8(View()); }

int corvString::Compare(const char16_t* a, const char16_t* b) {
    if (a == nullptr || b == nullptr) {
        if (a == b) return 0;
        return a == nullptr ? -1 : 1;
    }
    const int order = std::u16string_view(a).compare(std::u16string_view(b));
    return (order > 0) - (order < 0);
}

bool corvString::EqualsAt(const char16_t* text, int position, bool caseSensitive) const {
    if (text == nullptr || position < 0) return false;
    const std::u16string_view wanted(text);
    if (static_cast<std::size_t>(position) + wanted.size() > text_.size()) return false;
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        char16_t have = View()[position + i];
        char16_t want = wanted[i];
        if (!caseSensitive) {
            have = ToLowerChar(have);
            want = ToLowerChar(want);
        }
        if (have != want) return false;
    }
    return true;
}

bool corvString::StartsWith(const char16_t* text, bool caseSensitive) const {
    return EqualsAt(text, 0, caseSensitive);
}

int corvString::Find(int from, const char16_t* text) const {
    if (text == nullptr || from >= Length()) return -1;
    const std::size_t found = View().find(text, from < 0 ? 0 : static_cast<std::size_t>(from));
    return found == std::u16string::npos ? -1 : static_cast<int>(found);
}

int corvString::FindLast(char16_t ch) const {
    const std::size_t found = View().rfind(ch);
    return found == std::u16string::npos ? -1 : static_cast<int>(found);
}

bool corvString::HasWildcards() const {
    return View().find_first_of(u"*?") != std::u16string_view::npos;
}

bool corvString::Matches(const corvString& pattern) const {
    corvString text(*this);
    corvString wild(pattern);
    text.ToLower();
    wild.ToLower();
    const std::u16string_view t = text.View();
    const std::u16string_view p = wild.View();
    std::size_t ti = 0, pi = 0;
    std::size_t starPattern = std::u16string_view::npos, starText = 0;
    while (ti < t.size()) {
        if (pi < p.size() && p[pi] == u'*') {
            if (pi + 1 == p.size()) return true;  // a final star matches the rest at once
            starPattern = pi++;
            starText = ti;
        } else if (pi < p.size() && (p[pi] == t[ti] || (p[pi] == u'?' && t[ti] != u'.'))) {
            ++pi;
            ++ti;
        } else if (starPattern != std::u16string_view::npos) {
            pi = starPattern + 1;
            ti = ++starText;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == u'*') ++pi;
    return pi == p.size();
}

int corvString::ToInt(bool hex) const {
    const ParsedInteger parsed =
        ParseInteger(View(), hex ? 16 : 10, static_cast<unsigned>(INT_MAX) + 1);
    if (parsed.negative) {
        return parsed.magnitude > static_cast<unsigned long long>(INT_MAX)
                   ? INT_MIN
                   : -static_cast<int>(parsed.magnitude);
    }
    return parsed.magnitude > static_cast<unsigned long long>(INT_MAX)
               ? INT_MAX
               : static_cast<int>(parsed.magnitude);
}

unsigned corvString::ToUInt(bool hex) const {
    const ParsedInteger parsed = ParseInteger(View(), hex ? 16 : 10, UINT_MAX);
    if (parsed.overflow) return UINT_MAX;
    const auto value = static_cast<unsigned>(parsed.magnitude);
    return parsed.negative ? 0u - value : value;  // strtoul negates in unsigned arithmetic
}

unsigned corvString::ToUIntAutoHex() {
    int prefix = Find(0, u"0x");
    if (prefix < 0) prefix = Find(0, u"0X");
    if (prefix < 0) return ToUInt(false);
    text_.erase(0, static_cast<std::size_t>(prefix) + 2);
    return ToUInt(true);
}

double corvString::ToDouble() const {
    std::string narrow;
    narrow.reserve(text_.size());
    for (char16_t ch : text_) {
        narrow.push_back(ch > 0 && ch < 0x80 ? static_cast<char>(ch) : '\x7f');
    }
    return ParseDoubleC(narrow);
}

corvString& corvString::Truncate(int n) {
    if (n < 0) n = 0;
    if (n < Length()) text_.resize(static_cast<std::size_t>(n));
    return *this;
}

corvString& corvString::RemoveLast() {
    if (!text_.empty()) text_.pop_back();
    return *this;
}

corvString& corvString::Right(int n) {
    if (n >= 0 && n <= Length()) text_.erase(0, text_.size() - static_cast<std::size_t>(n));
    return *this;
}

corvString& corvString::Mid(int start, int count) {
    if (start < 0 || start >= Length()) return *this;
    text_.assign(View().substr(static_cast<std::size_t>(start), count < 0 ? 0 : static_cast<std::size_t>(count)));
    return *this;
}

corvString& corvString::Trim() { return TrimAll(u' '); }

corvString& corvString::TrimQuotes() { return TrimAll(u'"'); }

corvString& corvString::TrimAll(char16_t ch) {
    const std::u16string_view text = View();
    const std::size_t last = text.find_last_not_of(ch);
    if (last == std::u16string_view::npos) {
        text_.clear();
        return *this;
    }
    const std::size_t first = text.find_first_not_of(ch);
    text_.assign(text.substr(first, last + 1 - first));
    return *this;
}

corvString& corvString::RemoveChar(char16_t ch) {
    text_.resize(static_cast<std::size_t>(std::remove(text_.begin(), text_.end(), ch) - text_.begin()));
    return *this;
}

corvString& corvString::ReplaceChar(char16_t from, char16_t to) {
    for (auto& ch : text_) {
        if (ch == from) ch = to;
    }
    return *this;
}

corvString& corvString::ToLower() {
    for (auto& ch : text_) ch = ToLowerChar(ch);
    return *this;
}

corvString& corvString::ToUpper() {
    for (auto& ch : text_) ch = ToUpperChar(ch);
    return *this;
}

corvString& corvString::MakeFilterPattern() {
    Trim();
    ToLower();
    if (!IsEmpty() && !HasWildcards()) text_.assign(u"*" + ToWideString() + u"*");
    return *this;
}

double RoundHalfAway(double x, int decimals) {
    const double scale = std::pow(10.0, decimals);
    const double scaled = x * scale;
    if (!std::isfinite(scaled)) return x;
    constexpr double kComputedHalf = 1e-7;  // far above a double's error at these magnitudes
    return std::round(scaled + std::copysign(kComputedHalf, scaled)) / scale;
}

corvString& corvString::FormatDouble(double x, bool exponent, int precision) {
    if (precision < 0) {
        text_.assign(FormatNumber(x, std::chars_format::general, 16));
        return Truncate(29);
    }
    if (!exponent && precision <= 15) x = RoundHalfAway(x, precision);
    text_.assign(FormatNumber(x, exponent ? std::chars_format::scientific : std::chars_format::fixed,
                              precision));
    return Truncate(254);
}

corvString& corvString::FormatByTemplate(double x, const char16_t* numberTemplate) {
    const corvString pattern(numberTemplate);
    int precision = -1;
    const int dot = pattern.Find(0, u".");
    if (dot >= 0) {
        precision = 0;
        for (int i = dot + 1; i < pattern.Length() && pattern.View()[i] == u'0'; ++i) ++precision;
    } else if (pattern.StartsWith(u"0")) {
        precision = 0;
    }
    const bool exponent = pattern.Find(0, u"E+00") >= 0 || pattern.Find(0, u"e+00") >= 0;
    return FormatDouble(x, exponent, precision);
}

corvString& corvString::FormatWithPrefix(double x, const char16_t* numberTemplate,
                                         const char16_t* unit, bool longNames) {
    if (x == 0.0) {
        FormatByTemplate(0.0, numberTemplate);
        text_.append(u" ");
        return Append(unit);
    }
    const double magnitude = std::fabs(x);
    const SiPrefix& prefix = PickPrefix(magnitude);
    const double scaled = x < 0 ? -(magnitude * prefix.scale) : magnitude * prefix.scale;
    FormatByTemplate(scaled, numberTemplate);
    text_.append(u" ");
    Append(longNames ? prefix.longName : prefix.symbol);
    return Append(unit);
}

namespace {

std::size_t LengthOf(std::initializer_list<std::u16string_view> pieces) {
    std::size_t length = 0;
    for (std::u16string_view piece : pieces) length += piece.size();
    return length;
}

void CopyPieces(std::initializer_list<std::u16string_view> pieces, char16_t* to) {
    for (std::u16string_view piece : pieces) to = std::copy(piece.begin(), piece.end(), to);
}

}  // namespace

corvString Concat(std::initializer_list<std::u16string_view> pieces) {
    corvString text;
    CopyPieces(pieces, text.text_.ResizeForOverwrite(LengthOf(pieces)));
    return text;
}

void AppendPieces(std::u16string& text, std::initializer_list<std::u16string_view> pieces) {
    const std::size_t at = text.size();
    const std::size_t length = at + LengthOf(pieces);
    if (length > text.capacity()) text.reserve(std::max(length, 2 * text.capacity()));
    text.resize(length);
    CopyPieces(pieces, text.data() + at);
}
