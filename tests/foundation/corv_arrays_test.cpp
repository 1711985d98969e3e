#include "foundation/corv_arrays.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::u16string> Fields(const corvStringArray& array) {
    std::vector<std::u16string> fields;
    for (int i = 0; i < array.Count(); ++i) fields.emplace_back(array.Item(i).View());
    return fields;
}

std::vector<std::u16string> SplitOf(const char16_t* text, const char16_t* separator) {
    corvStringArray array;
    array.Split(corvString(text), separator);
    return Fields(array);
}

using Texts = std::vector<std::u16string>;

TEST(Split, KeepsEmptyFieldsAndTrimsNothing) {
    EXPECT_EQ(SplitOf(u"a=b", u"="), (Texts{u"a", u"b"}));
    EXPECT_EQ(SplitOf(u"a==b", u"="), (Texts{u"a", u"", u"b"}));
    EXPECT_EQ(SplitOf(u"=a", u"="), (Texts{u"", u"a"}));
    EXPECT_EQ(SplitOf(u"a=", u"="), (Texts{u"a", u""}));
    EXPECT_EQ(SplitOf(u"abc", u"="), (Texts{u"abc"}));
    EXPECT_EQ(SplitOf(u"", u"="), (Texts{u""}));
    EXPECT_EQ(SplitOf(u" x , y ", u","), (Texts{u" x ", u" y "}));
}

TEST(Split, MultiCharacterSeparatorsDoNotOverlap) {
    EXPECT_EQ(SplitOf(u"10 ms", u"ms"), (Texts{u"10 ", u""}));
    EXPECT_EQ(SplitOf(u"Frame1 delay 10 ms", u"delay"), (Texts{u"Frame1 ", u" 10 ms"}));
    EXPECT_EQ(SplitOf(u"aaa", u"aa"), (Texts{u"", u"a"}));
    EXPECT_EQ(SplitOf(u"delayFrame delay 10 ms", u"delay"), (Texts{u"", u"Frame ", u" 10 ms"}));
    EXPECT_EQ(SplitOf(u"Delay", u"delay"), (Texts{u"Delay"}));
}

TEST(Split, ReplacesPreviousContentsAndClearsSorted) {
    corvStringArray array;
    array.Add(corvString(u"2"));
    array.Add(corvString(u"1"));
    array.SortByNumber();
    EXPECT_TRUE(array.sorted);
    array.Split(corvString(u"x,y"), u",");
    EXPECT_FALSE(array.sorted);
    EXPECT_EQ(Fields(array), (Texts{u"x", u"y"}));
}

TEST(SortByNumber, OrdersByValueAndCarriesTags) {
    corvStringArray array;
    for (const char16_t* text : {u"10", u"9", u"100", u" 2", u"abc"}) {
        corvString s(text);
        s.tag = array.Count();
        array.Add(s);
    }
    array.SortByNumber();
    EXPECT_EQ(Fields(array), (Texts{u"abc", u" 2", u"9", u"10", u"100"}));
    EXPECT_EQ(array.Item(0).tag, 4);
    EXPECT_EQ(array.Item(1).tag, 3);
    EXPECT_EQ(array.Item(4).tag, 2);
}

TEST(SortByNumber, EqualValuesKeepTheirOrderInLongLists) {
    corvStringArray array;
    for (int i = 0; i < 100; ++i) {
        corvString s;
        s.SetInt((i * 7) % 5);
        s.tag = i;
        array.Add(s);
    }
    array.SortByNumber();
    for (int i = 1; i < array.Count(); ++i) {
        const corvString& a = array.Item(i - 1);
        const corvString& b = array.Item(i);
        ASSERT_LE(a.ToInt(), b.ToInt());
        if (a.ToInt() == b.ToInt()) {
            EXPECT_LT(a.tag, b.tag) << "at position " << i;
        }
    }
}

TEST(StringArray, RemoveAtAndBadPositions) {
    corvStringArray array;
    array.Split(corvString(u"a,b,c"), u",");
    array.RemoveAt(2);
    EXPECT_EQ(Fields(array), (Texts{u"a", u"b"}));
    array.RemoveAt(0);
    EXPECT_EQ(Fields(array), (Texts{u"b"}));
    array.RemoveAt(5);
    array.RemoveAt(-1);
    EXPECT_EQ(Fields(array), (Texts{u"b"}));
}

TEST(StringArray, SetAllocatedKeepsOrDropsStrings) {
    corvStringArray array;
    array.Split(corvString(u"a,b,c"), u",");
    array.SetAllocated(2, true);
    EXPECT_EQ(Fields(array), (Texts{u"a", u"b"}));
    array.SetAllocated(8, false);
    EXPECT_EQ(array.Count(), 0);
}

TEST(StringArray, AddAnsiWidensBytesOrUsesTheCodePage) {
    corvStringArray array;
    EXPECT_EQ(std::u16string(array.AddAnsi("LIN Frame Invalid.").View()), u"LIN Frame Invalid.");
    array.useCodePage = true;
    EXPECT_EQ(std::u16string(array.AddAnsi("\x80").View()), u"\u20AC");
    corvStringArray copy;
    copy.Assign(array);
    EXPECT_EQ(copy.Count(), 2);
}

TEST(DynamicArray, SetSizeKeepsThePrefix) {
    corvDynamicArrayTemplate<unsigned char> bytes;
    bytes.SetSize(3, false);
    for (int i = 0; i < 3; ++i) bytes[i] = static_cast<unsigned char>(i + 1);
    bytes.SetSize(5, true);
    EXPECT_EQ(bytes.Size(), 5);
    EXPECT_EQ(bytes[2], 3);
    EXPECT_EQ(bytes[4], 0);
    bytes.SetSize(2, true);
    EXPECT_EQ(bytes[1], 2);
    bytes.SetSize(0, true);
    EXPECT_EQ(bytes.Size(), 0);
}

}  // namespace
