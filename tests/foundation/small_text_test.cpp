#include "foundation/small_text.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "foundation/corv_string.h"

namespace {

const std::u16string kShort = u"Slave_123";                   // fits inside the object
const std::u16string kLong = u"Front_Left_Window_Position";  // needs the heap

// Text and terminator agree, whichever storage holds it.
void ExpectText(const SmallText& text, std::u16string_view expected) {
    EXPECT_EQ(text.view(), expected);
    EXPECT_EQ(text.c_str()[expected.size()], u'\0');
}

TEST(SmallText, KeepsTextAcrossTheInlineLimit) {
    SmallText text;
    ExpectText(text, u"");
    text.assign(std::u16string(15, u'x'));  // the longest text kept inside
    EXPECT_EQ(text.capacity(), SmallText::kLocalCapacity);
    text.push_back(u'y');
    ExpectText(text, std::u16string(15, u'x') + u"y");
    EXPECT_GT(text.capacity(), SmallText::kLocalCapacity);
    text.assign(kShort);  // a heap buffer, once there, is reused
    ExpectText(text, kShort);

    SmallText grown;
    for (int i = 0; i < 10000; ++i) grown.push_back(static_cast<char16_t>(u'a' + i % 26));
    EXPECT_EQ(grown.size(), 10000u);
    EXPECT_EQ(grown.view().substr(26, 3), u"abc");
    grown.resize(3);
    ExpectText(grown, u"abc");
    grown.resize(5);
    EXPECT_EQ(grown.view(), std::u16string_view(u"abc\0\0", 5));
}

TEST(SmallText, AssignsAndAppendsPartsOfItself) {
    for (const std::u16string& start : {kShort, kLong}) {
        SmallText text(start);
        text.assign(text.view().substr(2, 4));
        ExpectText(text, start.substr(2, 4));

        SmallText doubled(start);
        doubled.append(doubled.view());  // grows while reading its own text
        ExpectText(doubled, start + start);

        SmallText erased(start);
        erased.erase(1, 3);
        ExpectText(erased, start.substr(0, 1) + start.substr(4));
        erased.erase(2);
        ExpectText(erased, erased.view().substr(0, 2));
    }
}

TEST(SmallText, CopiesAndMovesEitherStorage) {
    for (const std::u16string& start : {kShort, kLong}) {
        SmallText original(start);
        SmallText copy(original);
        ExpectText(copy, start);
        SmallText moved(std::move(original));
        ExpectText(moved, start);
        ExpectText(original, u"");  // NOLINT(bugprone-use-after-move): moved-from is empty

        SmallText target(kLong);  // a moved short text lands in the target's own buffer
        target = std::move(moved);
        ExpectText(target, start);
        target = copy;
        ExpectText(target, start);
        target = std::move(target);
        ExpectText(target, start);
    }
}

TEST(SmallText, CorvStringKeepsItsTagBesideTheText) {
    static_assert(sizeof(corvString) == sizeof(SmallText));
    corvString name(kLong);
    name.tag = 7;
    name.Append(u"_Status");
    name.Mid(6, 4);
    EXPECT_EQ(name.View(), u"Left");
    EXPECT_EQ(name.tag, 7);
}

}  // namespace
