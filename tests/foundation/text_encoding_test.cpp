#include "foundation/text_encoding.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

TEST(CodePage, EveryByteConvertsToOneCharacterAndBack) {
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    const std::u16string text = tabrel::DecodeCodePage(all);
    ASSERT_EQ(text.size(), 256u);
    EXPECT_EQ(tabrel::EncodeCodePage(text), all);
    EXPECT_EQ(text[0x80], u'\u20AC');
    EXPECT_EQ(text[0x81], u'\u0081');
    EXPECT_EQ(text[0x9F], u'\u0178');
    EXPECT_EQ(text[0xB0], u'\u00B0');
}

TEST(CodePage, UnrepresentableCharactersBecomeQuestionMarks) {
    EXPECT_EQ(tabrel::EncodeCodePage(u"\u4E2D\u0100\u2122"), "??\x99");
}

// WidenBytes takes a text in parts of 16, 8 or 4 bytes and the rest one by one: at every
// length up to a few parts, with a zero or a high byte at every position, it must widen
// each byte, write nothing past the end, read nothing past it (the bytes are a heap block
// of their exact size, for the sanitizer) and report exactly what it met.
TEST(WidenBytes, EveryLengthAndPositionMatchesByteByByte) {
    for (std::size_t length = 0; length <= 40; ++length) {
        for (std::size_t at = 0; at <= length; ++at) {  // at == length: nothing planted
            for (const char planted : {'\0', '\x80', '\xFF'}) {
                SCOPED_TRACE(::testing::Message() << "length " << length << ", at " << at << ", byte "
                                                  << static_cast<int>(static_cast<unsigned char>(planted)));
                const auto bytes = std::make_unique<char[]>(length);
                std::u16string expected;
                for (std::size_t i = 0; i < length; ++i) {
                    bytes[i] = i == at ? planted : static_cast<char>('a' + i % 26);
                    expected.push_back(static_cast<unsigned char>(bytes[i]));
                }
                std::u16string units(length + 1, u'#');
                const tabrel::WidenedBytes result = tabrel::WidenBytes(bytes.get(), length, units.data());
                EXPECT_EQ(units, expected + u'#');
                EXPECT_EQ(result.hadZero, at < length && planted == '\0');
                EXPECT_EQ(result.hadHighByte, at < length && planted != '\0');
            }
        }
    }
}

// EncodeCodePageUnits takes a text of up to 16 units in two overlapping parts of eight or
// four, a longer one eight at a time, and the rest one by one: a character beyond ASCII at
// any position of any length must come out as the code page has it, and nothing may be
// written past the end.
TEST(EncodeCodePageUnits, EveryLengthAndPositionMatchesUnitByUnit) {
    for (std::size_t length = 0; length <= 40; ++length) {
        for (std::size_t at = 0; at <= length; ++at) {  // at == length: nothing planted
            for (const char16_t planted : {u'\u00E9', u'\u20AC', u'\u4E2D', u'\u0100'}) {
                SCOPED_TRACE(::testing::Message() << "length " << length << ", at " << at << ", unit "
                                                  << static_cast<int>(planted));
                std::u16string units;
                for (std::size_t i = 0; i < length; ++i) units.push_back(i == at ? planted : u'a' + i % 26);
                std::string bytes(length + 1, '#');
                tabrel::EncodeCodePageUnits(units.data(), length, bytes.data());
                std::string expected;
                for (const char16_t unit : units) expected += static_cast<char>(tabrel::EncodeCodePageChar(unit));
                EXPECT_EQ(bytes, expected + '#');
            }
        }
    }
}

// AppendUtf8 adds to what the text holds, whatever length its ASCII start has.
TEST(Utf8, AppendsAfterTheTextThere) {
    for (std::size_t ascii = 0; ascii <= 20; ++ascii) {
        std::string out = "row: ";
        const std::u16string text = std::u16string(ascii, u'a') + u"\u00B0C";
        tabrel::AppendUtf8(out, text);
        EXPECT_EQ(out, "row: " + std::string(ascii, 'a') + "\xC2\xB0" "C") << ascii;
    }
}

TEST(Utf8, RoundTripsAndRejectsMalformedBytes) {
    const std::u16string text = u"km/h \u00B0C \u20AC \U0001F600";
    EXPECT_EQ(tabrel::DecodeUtf8(tabrel::EncodeUtf8(text)), text);
    EXPECT_EQ(tabrel::DecodeUtf8("\xC3"), u"\uFFFD");
    EXPECT_EQ(tabrel::DecodeUtf8("\xC0\x80"), u"\uFFFD\uFFFD");
    EXPECT_EQ(tabrel::DecodeUtf8("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(tabrel::EncodeUtf8(u"\xD800x"), "?x");
}

}  // namespace
