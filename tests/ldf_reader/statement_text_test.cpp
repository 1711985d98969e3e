// Splitting a statement into its fields: quoted separators, lists longer than the fields
// kept inside the splitter, and fields asked for that the statement does not have.

#include "ldf_reader/statement_text.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

std::vector<std::string_view> FieldsOf(const StatementFields& fields) {
    std::vector<std::string_view> items;
    for (int i = 0; i < fields.Count(); ++i) items.push_back(fields.Item(i));
    return items;
}

TEST(StatementFields, SplitsAtTheSeparatorOutsideQuotes) {
    const StatementFields fields(R"(a, "b, c", d)", ",");
    EXPECT_EQ(FieldsOf(fields), (std::vector<std::string_view>{"a", R"( "b, c")", " d"}));
    const StatementFields atText("x to y to z", " to ");
    EXPECT_EQ(FieldsOf(atText), (std::vector<std::string_view>{"x", "y", "z"}));
}

TEST(StatementFields, KeepsEveryFieldOfALongList) {
    std::string text;
    std::vector<std::string> expected;
    for (int i = 0; i < 40; ++i) {
        expected.push_back("Node" + std::to_string(i));
        text += (i == 0 ? "" : ",") + expected.back();
    }
    const StatementFields fields(text, ",");
    ASSERT_EQ(fields.Count(), 40);
    for (int i = 0; i < 40; ++i) EXPECT_EQ(fields.Item(i), expected[static_cast<std::size_t>(i)]) << i;
}

// Past the last field, before the first, and past the fields kept inside the splitter.
TEST(StatementFields, AFieldTheStatementDoesNotHaveIsEmpty) {
    const StatementFields many("a,b,c,d,e,f,g,h,i,j,k,l,m,n", ",");
    const StatementFields two("first, second", ",");
    ASSERT_EQ(two.Count(), 2);
    for (int i : {-1, 2, 3, 11, 12, 13, 100}) EXPECT_TRUE(two.Item(i).empty()) << i;
    EXPECT_TRUE(many.Item(14).empty());
    EXPECT_EQ(many.Item(13), "n");
}

}  // namespace
