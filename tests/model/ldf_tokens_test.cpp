// The tokens of the LDF grammar that a written value must be.

#include <gtest/gtest.h>

#include <string>

#include "model/ldf_tokens.h"

namespace {

TEST(LdfTokens, NamesIntegersRealsAndTexts) {
    const struct {
        const char16_t* text;
        bool name, integer, real, quotable;
    } cases[] = {
        {u"Wiper_Speed", true, false, false, true}, {u"1BitDig", true, false, false, true},
        {u" A ", true, false, false, true},         {u"Door Lock", false, false, false, true},
        {u"Gr\u00F6\u00DFe", false, false, false, true}, {u"", false, false, false, true},
        {u"ms", false, false, false, true},          {u"delay", false, false, false, true},
        {u"delays", true, false, false, true},       {u"configuration", false, false, false, true},
        {u"42", true, true, true, true},             {u"-8", false, true, true, true},
        {u"0x3C", true, true, false, true},          {u"0x", true, false, false, true},
        {u"19.2", false, false, true, true},         {u".5", false, false, true, true},
        {u"5.", false, false, true, true},           {u"1e-07", false, false, true, true},
        {u"1e", true, false, false, true},           {u"0.01 s", false, false, false, true},
        {u"say \"hi\"", false, false, false, false},
    };
    for (const auto& c : cases) {
        const std::u16string text(c.text);
        const std::string shown(text.begin(), text.end());
        EXPECT_EQ(IsLdfName(text), c.name) << shown;
        EXPECT_EQ(IsLdfInteger(text), c.integer) << shown;
        EXPECT_EQ(IsLdfReal(text), c.real) << shown;
        EXPECT_EQ(IsLdfText(text), c.quotable) << shown;
    }
}

// A name is checked as two overlapping parts of eight or four units, or eight at a time: a
// unit that is no letter, digit or '_' fails it at every position of every length, also
// next to the ranges' ends and beyond ASCII.
TEST(LdfTokens, ANonNameUnitAnywhereInAnyLengthIsNoName) {
    const char16_t outside[] = {u'/', u':', u'@', u'[', u'`', u'{', u'-', u'\u00E9', u'\u0130', u'\u8041', u'\uFF3F'};
    for (std::size_t length = 1; length <= 40; ++length) {
        std::u16string name;
        for (std::size_t i = 0; i < length; ++i) name.push_back(u"aZ0_z9A"[i % 7]);
        EXPECT_TRUE(IsLdfName(name)) << length;
        for (std::size_t at = 0; at < length; ++at) {
            for (const char16_t unit : outside) {
                std::u16string text = name;
                text[at] = unit;
                EXPECT_FALSE(IsLdfName(text)) << "length " << length << ", at " << at << ", unit " << int(unit);
            }
        }
    }
}

}  // namespace
