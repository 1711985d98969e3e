// Number conversions exactly at the edges: where one hex digit becomes two, and where a
// value stops fitting and saturates.

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "foundation/corv_string.h"

namespace {

std::u16string Hex(unsigned n) {
    return std::u16string(corvString().SetHex(n).View());
}

TEST(NumberEdges, SetHexPadsOnlyASingleDigit) {
    EXPECT_EQ(Hex(15), u"0F");
    EXPECT_EQ(Hex(16), u"10");
    EXPECT_EQ(Hex(0xFFFFFFFFu), u"FFFFFFFF");
}

TEST(NumberEdges, SignedValuesSaturateJustPastTheLimits) {
    EXPECT_EQ(corvString(u"2147483647").ToInt(), INT_MAX);
    EXPECT_EQ(corvString(u"2147483648").ToInt(), INT_MAX);
    EXPECT_EQ(corvString(u"-2147483647").ToInt(), -INT_MAX);
    EXPECT_EQ(corvString(u"-2147483648").ToInt(), INT_MIN);
    EXPECT_EQ(corvString(u"-2147483649").ToInt(), INT_MIN);
    EXPECT_EQ(corvString(u"7FFFFFFF").ToInt(true), INT_MAX);
    EXPECT_EQ(corvString(u"80000000").ToInt(true), INT_MAX);
    EXPECT_EQ(corvString(u"-80000000").ToInt(true), INT_MIN);
}

TEST(NumberEdges, UnsignedValuesSaturateJustPastTheLimit) {
    EXPECT_EQ(corvString(u"4294967294").ToUInt(), UINT_MAX - 1);
    EXPECT_EQ(corvString(u"4294967295").ToUInt(), UINT_MAX);
    EXPECT_EQ(corvString(u"4294967296").ToUInt(), UINT_MAX);
    EXPECT_EQ(corvString(u"FFFFFFFF").ToUInt(true), UINT_MAX);
    EXPECT_EQ(corvString(u"100000000").ToUInt(true), UINT_MAX);
    corvString largest(u"0xFFFFFFFF");
    EXPECT_EQ(largest.ToUIntAutoHex(), UINT_MAX);
    corvString tooLarge(u"0x100000000");
    EXPECT_EQ(tooLarge.ToUIntAutoHex(), UINT_MAX);
    corvString decimal(u"4294967296");
    EXPECT_EQ(decimal.ToUIntAutoHex(), UINT_MAX);
}

}  // namespace
