#include "foundation/corv_string.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>

namespace {

std::u16string Text(const corvString& s) { return std::u16string(s.View()); }

TEST(CorvStringNumbers, ToIntReadsLeadingDecimalAndStops) {
    EXPECT_EQ(corvString(u"  42abc").ToInt(), 42);
    EXPECT_EQ(corvString(u"abc").ToInt(), 0);
    EXPECT_EQ(corvString(u"").ToInt(), 0);
    EXPECT_EQ(corvString(u"\t-17 ").ToInt(), -17);
    EXPECT_EQ(corvString(u"+8").ToInt(), 8);
    EXPECT_EQ(corvString(u"1f").ToInt(true), 31);
    EXPECT_EQ(corvString(u"0x1f").ToInt(true), 31);
    EXPECT_EQ(corvString(u"0x1f").ToInt(), 0);
}

TEST(CorvStringNumbers, OversizedNumbersSaturateInsteadOfOverflowing) {
    EXPECT_EQ(corvString(u"99999999999999999999").ToInt(), INT_MAX);
    EXPECT_EQ(corvString(u"-99999999999999999999").ToInt(), INT_MIN);
    EXPECT_EQ(corvString(u"2147483647").ToInt(), INT_MAX);
    EXPECT_EQ(corvString(u"-2147483648").ToInt(), INT_MIN);
    EXPECT_EQ(corvString(u"2147483648").ToInt(), INT_MAX);
    EXPECT_EQ(corvString(u"99999999999999999999").ToUInt(), UINT_MAX);
    EXPECT_EQ(corvString(u"4294967295").ToUInt(), UINT_MAX);
    EXPECT_EQ(corvString(u"-1").ToUInt(), UINT_MAX);  // strtoul negates in unsigned
    EXPECT_EQ(corvString(u"FFFFFFFFFFFF").ToUInt(true), UINT_MAX);
    corvString hex(u"0xFFFFFFFFFFFFFFFFFFFF");
    EXPECT_EQ(hex.ToUIntAutoHex(), UINT_MAX);
}

TEST(CorvStringNumbers, ToUIntAutoHexDropsThePrefixFromTheText) {
    corvString id(u"id 0x3C");
    EXPECT_EQ(id.ToUIntAutoHex(), 60u);
    EXPECT_EQ(Text(id), u"3C");
    corvString upper(u"0X1f");
    EXPECT_EQ(upper.ToUIntAutoHex(), 31u);
    corvString decimal(u"60");
    EXPECT_EQ(decimal.ToUIntAutoHex(), 60u);
    EXPECT_EQ(Text(decimal), u"60");
}

TEST(CorvStringNumbers, ToDoubleUsesCSyntaxFromTheStart) {
    EXPECT_DOUBLE_EQ(corvString(u"19.2 kbps").ToDouble(), 19.2);
    EXPECT_DOUBLE_EQ(corvString(u"  -0.5e1").ToDouble(), -5.0);
    EXPECT_DOUBLE_EQ(corvString(u"abc").ToDouble(), 0.0);
    EXPECT_DOUBLE_EQ(corvString(u"").ToDouble(), 0.0);
    EXPECT_DOUBLE_EQ(corvString(u"0x10").ToDouble(), 16.0);
    EXPECT_TRUE(std::isinf(corvString(u"1e999").ToDouble()));
    EXPECT_DOUBLE_EQ(corvString(u"7\u00B0").ToDouble(), 7.0);
}

TEST(CorvStringFormat, IntegersHexAndDoubles) {
    corvString s;
    EXPECT_EQ(Text(s.SetHex(5)), u"05");
    EXPECT_EQ(Text(s.SetHex(16)), u"10");
    EXPECT_EQ(Text(s.SetHex(0)), u"00");
    EXPECT_EQ(Text(s.SetHex(10)), u"0A");
    EXPECT_EQ(Text(s.SetHex(255)), u"FF");
    EXPECT_EQ(Text(s.SetInt(-42)), u"-42");
    EXPECT_EQ(Text(s.SetInt(0)), u"0");
    EXPECT_EQ(Text(s.SetInt(INT_MAX)), u"2147483647");
    EXPECT_EQ(Text(s.SetInt(INT_MIN)), u"-2147483648");
    EXPECT_EQ(Text(s.SetDouble(7.0)), u"7");
    EXPECT_EQ(Text(s.SetDouble(0.1)), u"0.1");
    EXPECT_EQ(Text(s.SetDouble(0.0625)), u"0.0625");
    EXPECT_EQ(Text(s.SetDouble(1e-7)), u"1e-07");
    EXPECT_EQ(Text(s.SetDouble(1.0 / 3.0)), u"0.3333333333333333");
    s.Assign(u"x=");
    EXPECT_EQ(Text(s.AppendInt(3).AppendDouble(2.5)), u"x=32.5");
}

TEST(CorvStringFormat, ByTemplate) {
    corvString s;
    EXPECT_EQ(Text(s.FormatByTemplate(2.5, u"0.000")), u"2.500");
    EXPECT_EQ(Text(s.FormatByTemplate(2.4, u"0")), u"2");
    EXPECT_EQ(Text(s.FormatByTemplate(2.5, u"")), u"2.5");
    EXPECT_EQ(Text(s.FormatByTemplate(2.5, u"#")), u"2.5");
    EXPECT_EQ(Text(s.FormatByTemplate(2.5, u"0.")), u"3");  // zero decimals, halves away from zero
    EXPECT_EQ(Text(s.FormatByTemplate(-2.5, u"0.")), u"-3");
    // 54 bit times at 19.2 kbit/s: computed a hair beside 2.8125 ms, shown as its half.
    EXPECT_EQ(Text(s.FormatByTemplate(54.0 * (1.0 / 19200.0) * 1000.0, u"0.000")), u"2.813");
    EXPECT_EQ(Text(s.FormatByTemplate(1234.5, u"0.00E+00")), u"1.23e+03");
    EXPECT_EQ(Text(s.FormatDouble(1.23456, false, 2)), u"1.23");
}

TEST(CorvStringFormat, WithSiPrefix) {
    corvString s;
    EXPECT_EQ(Text(s.FormatWithPrefix(1.0 / 19200.0, u"0.000", u"s", false)), u"52.083 \u00B5s");
    EXPECT_EQ(Text(s.FormatWithPrefix(2000.0, u"0.0", u"Hz", true)), u"2.0 kiloHz");
    EXPECT_EQ(Text(s.FormatWithPrefix(0.0, u"0.000", u"s", false)), u"0.000 s");
    EXPECT_EQ(Text(s.FormatWithPrefix(-0.0025, u"0.0", u"A", true)), u"-2.5 milliA");
    EXPECT_EQ(Text(s.FormatWithPrefix(5e12, u"0.0", u"V", false)), u"5.0 TV");
    EXPECT_EQ(Text(s.FormatWithPrefix(12.5, u"0.0", u"V", false)), u"12.5 V");
    EXPECT_EQ(Text(s.FormatWithPrefix(3e20, u"0", u"m", false)), u"300 Em");
    EXPECT_EQ(Text(s.FormatWithPrefix(2e-17, u"0", u"m", true)), u"20 attom");
    EXPECT_EQ(Text(s.FormatWithPrefix(64.0 / 19200.0, u"0.000", u"s", false)), u"3.333 ms");
}

TEST(CorvStringEdits, TrimSubstringsAndCharacters) {
    EXPECT_EQ(Text(corvString(u"  a b  ").Trim()), u"a b");
    EXPECT_EQ(Text(corvString(u"\ta \t").Trim()), u"\ta \t");
    EXPECT_EQ(Text(corvString(u"   ").Trim()), u"");
    EXPECT_EQ(Text(corvString(u"\"\"name\"\"").TrimQuotes()), u"name");
    EXPECT_EQ(Text(corvString(u"\"\"\"").TrimQuotes()), u"");
    EXPECT_EQ(Text(corvString(u"abcdef").Mid(4, 10)), u"ef");
    EXPECT_EQ(Text(corvString(u"abc").Mid(3, 1)), u"abc");
    EXPECT_EQ(Text(corvString(u"abc").Mid(-1, 1)), u"abc");
    EXPECT_EQ(Text(corvString(u"abcdef").Mid(1, 2)), u"bc");
    EXPECT_EQ(Text(corvString(u"abcdef").Right(2)), u"ef");
    EXPECT_EQ(Text(corvString(u"abc").Right(4)), u"abc");
    EXPECT_EQ(Text(corvString(u"abc").Right(-1)), u"abc");
    EXPECT_EQ(Text(corvString(u"abc").Right(0)), u"");
    EXPECT_EQ(Text(corvString(u"abc").Truncate(-3)), u"");
    EXPECT_EQ(Text(corvString(u"abc").Truncate(5)), u"abc");
    EXPECT_EQ(Text(corvString(u"").RemoveLast()), u"");
    EXPECT_EQ(Text(corvString(u"5 ms").RemoveChar(u'm').RemoveChar(u's')), u"5 ");
    EXPECT_EQ(Text(corvString(u"a b c").ReplaceChar(u' ', u'_')), u"a_b_c");
}

TEST(CorvStringEdits, CaseMappingCoversLatin1AndBeyond) {
    EXPECT_EQ(Text(corvString(u"Motor \u00C4\u00D6 \u0160").ToLower()), u"motor \u00E4\u00F6 \u0161");
    EXPECT_EQ(Text(corvString(u"abc\u00E9").ToUpper()), u"ABC\u00C9");
}

TEST(CorvStringSearch, FindAndCompare) {
    const corvString s(u"Frame1 delay 10 ms");
    EXPECT_EQ(s.Find(0, u"delay"), 7);
    EXPECT_EQ(s.Find(8, u"delay"), -1);
    EXPECT_EQ(s.Find(18, u"ms"), -1);
    EXPECT_EQ(s.FindLast(u'm'), 16);
    EXPECT_EQ(s.FindLast(u'z'), -1);
    EXPECT_TRUE(s.StartsWith(u"frame", false));
    EXPECT_FALSE(s.StartsWith(u"frame"));
    EXPECT_TRUE(s.EqualsAt(u"DELAY", 7, false));
    EXPECT_FALSE(s.EqualsAt(u"ms!", 16, true));
    EXPECT_EQ(corvString::Compare(nullptr, u""), -1);
    EXPECT_EQ(corvString::Compare(nullptr, nullptr), 0);
    EXPECT_EQ(corvString::Compare(u"b", u"a"), 1);
    EXPECT_TRUE(corvString(u"Nodes").Equals(u"Nodes"));
    EXPECT_FALSE(corvString(u"Nodes").Equals(u"nodes"));
}

TEST(CorvStringWildcards, MatchesIgnoresCaseAndQuestionMarkSkipsDots) {
    EXPECT_TRUE(corvString(u"Motor.Speed").Matches(u"*speed*"));
    EXPECT_FALSE(corvString(u"Motor.Speed").Matches(u"motor?speed"));
    EXPECT_TRUE(corvString(u"").Matches(u"*"));
    EXPECT_FALSE(corvString(u"").Matches(u"?"));
    EXPECT_TRUE(corvString(u"abc").Matches(u"a*c"));
    EXPECT_TRUE(corvString(u"abc").Matches(u"A?C"));
    EXPECT_FALSE(corvString(u"abcd").Matches(u"a*c"));
    EXPECT_TRUE(corvString(u"aXbXc").Matches(u"a*b*c"));
    EXPECT_TRUE(corvString(u"mississippi").Matches(u"*sip*"));
    EXPECT_FALSE(corvString(u"abc").Matches(u""));
}

TEST(CorvStringWildcards, MakeFilterPattern) {
    EXPECT_EQ(Text(corvString(u"  Door ").MakeFilterPattern()), u"*door*");
    EXPECT_EQ(Text(corvString(u"d*").MakeFilterPattern()), u"d*");
    EXPECT_EQ(Text(corvString(u"   ").MakeFilterPattern()), u"");
}

TEST(CorvStringConversions, CodePageAnsiAndTags) {
    corvString s;
    s.AssignCodePage(std::string_view("\x80 \xB0", 3));
    EXPECT_EQ(Text(s), u"\u20AC \u00B0");
    s.AssignCodePage(std::string_view("ab\0cd", 5));
    EXPECT_EQ(Text(s), u"ab");  // conversion stops at a zero byte
    s.AssignCodePage(static_cast<const char*>(nullptr));
    EXPECT_EQ(Text(s), u"ab");  // null leaves it unchanged
    s.AssignAnsi("\xE9");
    EXPECT_EQ(Text(s), std::u16string(1, static_cast<char16_t>(0xFFE9)));
    EXPECT_EQ(corvString(u"\u20AC\u4E2D").ToAnsiString(), "\x80?");

    corvString tagged(u"x");
    tagged.tag = 7;
    corvString copy(tagged);
    EXPECT_EQ(copy.tag, 7);
    corvString assigned;
    assigned = tagged;
    EXPECT_EQ(assigned.tag, 7);
    assigned.Assign(u"y");
    EXPECT_EQ(assigned.tag, 7);  // wide text leaves the tag alone
}

// Concat sizes the text once from its pieces: empty pieces, a text that stays inside the
// object and one that needs the heap all come out whole.
TEST(CorvStringConcat, JoinsEveryPiece) {
    EXPECT_EQ(Text(Concat({})), u"");
    EXPECT_EQ(Text(Concat({u"", u"Frm_1", u"", u" - ", u"x"})), u"Frm_1 - x");
    const std::u16string longName(100, u'N');
    EXPECT_EQ(Text(Concat({u"Frames-", longName, u"-FrameId"})), u"Frames-" + longName + u"-FrameId");
}

}  // namespace
