#include "foundation/text_encoding.h"

#include <gtest/gtest.h>

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

TEST(Utf8, RoundTripsAndRejectsMalformedBytes) {
    const std::u16string text = u"km/h \u00B0C \u20AC \U0001F600";
    EXPECT_EQ(tabrel::DecodeUtf8(tabrel::EncodeUtf8(text)), text);
    EXPECT_EQ(tabrel::DecodeUtf8("\xC3"), u"\uFFFD");
    EXPECT_EQ(tabrel::DecodeUtf8("\xC0\x80"), u"\uFFFD\uFFFD");
    EXPECT_EQ(tabrel::DecodeUtf8("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(tabrel::EncodeUtf8(u"\xD800x"), "?x");
}

}  // namespace
