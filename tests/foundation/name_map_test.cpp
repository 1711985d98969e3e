#include "foundation/name_map.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/corv_string.h"

namespace {

TEST(FlatNameMap, GrowsFromNothingAndKeepsTheFirstValue) {
    std::vector<std::u16string> names;
    for (int i = 0; i < 1000; ++i) names.emplace_back(corvString(u"Sig_").AppendInt(i).View());
    FlatNameMap<int> map;  // expects nothing, so it grows several times
    for (int i = 0; i < 1000; ++i) EXPECT_EQ(map.TryEmplace(names[i], i), i);
    EXPECT_EQ(map.TryEmplace(names[7], 99), 7);
    for (int i = 0; i < 1000; ++i) {
        ASSERT_NE(map.Find(names[i]), nullptr) << i;
        EXPECT_EQ(*map.Find(names[i]), i);
    }
    EXPECT_FALSE(map.Contains(u"Sig_1000"));
    EXPECT_FALSE(map.Contains(u"sig_1"));  // names are case-sensitive
}

TEST(FlatNameMap, TheEmptyNameIsANameLikeAnyOther) {
    FlatNameMap<bool> set(4);
    EXPECT_FALSE(set.Contains(std::u16string_view()));
    set.TryEmplace(std::u16string_view(), true);  // a view without data, as a trimmed blank gives
    EXPECT_TRUE(set.Contains(u""));
    EXPECT_FALSE(set.Contains(u" "));
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

}  // namespace
