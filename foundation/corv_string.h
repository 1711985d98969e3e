#pragma once
// corvString: the program's one text type. UTF-16 text with an integer tag that travels
// with it, number parsing and formatting, and the small edits the LDF reader, writer,
// checks and editor need.

#include <initializer_list>
#include <string>
#include <string_view>

#include "small_text.h"
#include "text_encoding.h"

class corvString {
    // First, so that `tag` can take the padding at the end of the storage.
    [[no_unique_address]] SmallText text_;

public:
    // Free integer carried along by copies and by assignment from another corvString.
    int tag = 0;

    corvString() = default;
    corvString(int capacity, int growBy);
    corvString(const char16_t* text);  // NOLINT: implicit, so literals pass as corvString
    explicit corvString(std::u16string_view text) : text_(text) {}
    corvString(const corvString& other) = default;
    corvString(corvString&& other) noexcept = default;
    corvString& operator=(const corvString& other) { return Assign(other); }
    corvString& operator=(corvString&& other) noexcept = default;
    ~corvString() = default;

    // Storage and assignment
    void SetCapacity(int n, bool keep);
    corvString& Assign(const char16_t* text);
    corvString& Assign(std::u16string_view text) {
        text_.assign(text);
        return *this;
    }
    corvString& Assign(const corvString& other) {
        text_ = other.text_;  // a no-op for itself
        tag = other.tag;
        return *this;
    }
    corvString& AssignAnsi(const char* text);      // byte by byte, bytes taken as signed
    corvString& AssignCodePage(const char* text);  // Windows-1252, stops at a zero byte
    // Inline, as the loader converts every field it keeps: Windows-1252 is Latin-1 but for
    // 0x80 to 0x9F, so every byte is widened as it is, and only a text with a zero byte or
    // with bytes from 0x80 on is mended afterwards.
    corvString& AssignCodePage(std::string_view bytes) {
        char16_t* units = text_.ResizeForOverwrite(bytes.size());
        const tabrel::WidenedBytes widened = tabrel::WidenBytes(bytes.data(), bytes.size(), units);
        if (widened.hadZero || widened.hadHighByte) MendCodePage(bytes);
        return *this;
    }
    corvString& Append(const char16_t* text);
    corvString& Append(const corvString& other);
    corvString& Append(std::u16string_view text);
    corvString& AppendAnsi(const char* text);
    corvString& AppendInt(int n);
    corvString& AppendDouble(double x);
    corvString& SetInt(int n);
    corvString& SetHex(unsigned n);
    corvString& SetDouble(double x);
    std::u16string ToWideString() const { return std::u16string(text_.view()); }
    std::string ToAnsiString() const;  // Windows-1252
    std::string ToUtf8() const;
    const char16_t* c_str() const { return text_.c_str(); }
    std::u16string_view View() const { return text_.view(); }

    // Queries
    int Length() const { return static_cast<int>(text_.size()); }
    bool IsEmpty() const { return text_.empty(); }
    static int Compare(const char16_t* a, const char16_t* b);
    bool Equals(const char16_t* text) const { return text != nullptr && View() == std::u16string_view(text); }
    bool Equals(const corvString& other) const { return text_ == other.text_; }
    bool EqualsAt(const char16_t* text, int position, bool caseSensitive) const;
    bool StartsWith(const char16_t* text, bool caseSensitive = true) const;
    int Find(int from, const char16_t* text) const;
    int Find(int from, const corvString& text) const { return Find(from, text.c_str()); }
    int FindLast(char16_t ch) const;
    bool HasWildcards() const;
    bool Matches(const corvString& pattern) const;

    // Conversions to numbers: never fail, text without a number gives 0, values that do
    // not fit saturate at the type's limits.
    int ToInt(bool hex = false) const;
    unsigned ToUInt(bool hex = false) const;
    unsigned ToUIntAutoHex();  // drops everything up to a "0x"/"0X" prefix from the text
    double ToDouble() const;

    // Edits
    corvString& Truncate(int n);
    corvString& RemoveLast();
    corvString& Right(int n);
    corvString& Mid(int start, int count);
    corvString& Trim();
    corvString& TrimQuotes();
    corvString& RemoveChar(char16_t ch);
    corvString& ReplaceChar(char16_t from, char16_t to);
    corvString& ToLower();
    corvString& ToUpper();
    corvString& MakeFilterPattern();

    // Number formatting
    corvString& FormatDouble(double x, bool exponent, int precision);
    corvString& FormatByTemplate(double x, const char16_t* numberTemplate);
    corvString& FormatWithPrefix(double x, const char16_t* numberTemplate, const char16_t* unit,
                                 bool longNames);

    bool operator==(const corvString& other) const { return text_ == other.text_; }

    friend corvString Concat(std::initializer_list<std::u16string_view> pieces);

private:
    corvString& TrimAll(char16_t ch);  // every leading and trailing `ch`
    // Cuts the text widened from `bytes` at their first zero byte and decodes their bytes
    // from 0x80 on.
    void MendCodePage(std::string_view bytes);
};

// The pieces one after the other, made with one allocation.
corvString Concat(std::initializer_list<std::u16string_view> pieces);
// Appends the pieces to `text`, with room made for all of them at once; a piece must not
// view into `text` itself, whose room may move.
void AppendPieces(std::u16string& text, std::initializer_list<std::u16string_view> pieces);

// `x` rounded to `decimals` places, halves away from zero. A figure such as 54 bit times at
// 19.2 kbit/s (2.8125 ms) is computed a rounding error beside its half and still counts as
// the half, so every text of one figure shows the same digits.
double RoundHalfAway(double x, int decimals);
