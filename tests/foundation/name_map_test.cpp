#include "foundation/name_map.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/corv_string.h"

namespace {

// Names are compared eight bytes at a time and then by the bytes left: a difference in any
// unit of any length counts.
TEST(SameName, FindsADifferenceAnywhere) {
    for (std::size_t length = 0; length <= 13; ++length) {
        const std::u16string name(length, u'a');
        EXPECT_TRUE(SameName(name, std::u16string(length, u'a')));
        EXPECT_FALSE(SameName(name, std::u16string(length + 1, u'a')));
        for (std::size_t at = 0; at < length; ++at) {
            std::u16string other = name;
            other[at] = u'\u0161';  // differs in the high byte only
            EXPECT_FALSE(SameName(name, other)) << length << " " << at;
        }
    }
    EXPECT_TRUE(SameName(std::u16string_view(), u""));
}

TEST(NameList, GrowsFromNothingAndKeepsTheFirstPosition) {
    std::vector<std::u16string> names;
    for (int i = 0; i < 1000; ++i) names.emplace_back(corvString(u"Sig_").AppendInt(i).View());
    NameList list;  // expects nothing, so its table grows several times
    for (int i = 0; i < 1000; ++i) EXPECT_EQ(list.Add(names[i]), i);
    EXPECT_EQ(list.Add(names[7]), 7);
    EXPECT_EQ(list.Count(), 1000);
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(list.Find(names[i]), i);
    EXPECT_FALSE(list.Contains(u"Sig_1000"));
    EXPECT_FALSE(list.Contains(u"sig_1"));  // names are case-sensitive
}

TEST(NameList, TheEmptyNameIsANameLikeAnyOther) {
    NameList list(4);
    EXPECT_FALSE(list.Contains(std::u16string_view()));
    list.Add(std::u16string_view());  // a view without data, as a trimmed blank gives
    EXPECT_TRUE(list.Contains(u""));
    EXPECT_FALSE(list.Contains(u" "));
}

struct NameOf {
    const std::vector<std::u16string>* names;
    std::u16string_view operator()(int position) const { return (*names)[static_cast<std::size_t>(position)]; }
};

// Lookups in the list's order take the guess; a guess that lands on a later object of a name
// still gives the first one, and lookups out of order or of names not in the list go through
// the table.
TEST(OrderedNamePositions, GuessesInOrderAndAlwaysGivesTheFirstOfAName) {
    const std::vector<std::u16string> names = {u"A", u"B", u"A", u"C", u""};
    const OrderedNamePositions<NameOf> positions(static_cast<int>(names.size()), NameOf{&names});
    EXPECT_EQ(positions.Find(u"A"), 0);
    EXPECT_EQ(positions.Find(u"B"), 1);
    EXPECT_EQ(positions.Find(u"A"), 0);  // guessed at position 2
    EXPECT_EQ(positions.Find(u"C"), 3);
    EXPECT_EQ(positions.Find(u"B"), 1);  // out of order
    EXPECT_EQ(positions.Find(u"D"), -1);
    EXPECT_EQ(positions.Find(u""), 4);
    EXPECT_EQ(positions.FirstOf(2), 0);
    EXPECT_EQ(positions.FirstOf(3), 3);
}

// A list is searched one by one while it is short and in a set once it is long: a name
// repeated from the short part is found after the switch, and Clear forgets both.
TEST(RepeatedNames, FindsRepeatsBeforeAndAfterTheListGrowsLong) {
    std::vector<std::u16string> names;
    for (int i = 0; i < 100; ++i) names.push_back(u"Sig_" + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)) +
                                                  std::u16string(static_cast<std::size_t>(i / 26), u'x'));
    RepeatedNames seen;
    for (const std::u16string& name : names) EXPECT_FALSE(seen.Seen(name)) << std::string(name.begin(), name.end());
    EXPECT_TRUE(seen.Seen(names[3]));
    EXPECT_TRUE(seen.Seen(names[90]));
    seen.Clear();
    EXPECT_FALSE(seen.Seen(names[3]));
    EXPECT_TRUE(seen.Seen(names[3]));
}

// Up to its 64th name a list stays in the small table, where names share slots: each
// repeat of 63 names is found there, past the names in the slots before it; after a Clear
// no name of the earlier list is left in it.
TEST(RepeatedNames, FindsEveryRepeatInTheTableAndForgetsThemOnClear) {
    std::vector<std::u16string> names;
    for (int i = 0; i < 63; ++i) names.push_back(u"LSM_Sig" + std::u16string(1, static_cast<char16_t>(u'0' + i % 10)) +
                                                 std::u16string(1, static_cast<char16_t>(u'a' + i / 10)));
    RepeatedNames seen;
    for (int round = 0; round < 2; ++round) {
        for (const std::u16string& name : names) EXPECT_FALSE(seen.Seen(name)) << round;
        for (const std::u16string& name : names) EXPECT_TRUE(seen.Seen(name)) << round;
        seen.Clear();
    }
}

}  // namespace
