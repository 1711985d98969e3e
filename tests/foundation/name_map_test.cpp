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

}  // namespace
