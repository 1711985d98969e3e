// Whole numbers of an LDF file: up to eight digits, decimal or hexadecimal.

#include <gtest/gtest.h>

#include <optional>

#include "model/ldf_numbers.h"

namespace {

TEST(WholeNumbers, EightDigitsAreReadNineAreNot) {
    const struct {
        const char16_t* text;
        std::optional<unsigned> value;
    } cases[] = {
        {u"12345678", 12345678u},        {u"99999999", 99999999u},       {u"0x12345678", 0x12345678u},
        {u"0xFFFFFFFF", 0xFFFFFFFFu},    {u" 0x3C ", 0x3Cu},             {u"123456789", std::nullopt},
        {u"0x123456789", std::nullopt},  {u"0x", std::nullopt},          {u"12a", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(WholeNumber(corvString(c.text)), c.value) << corvString(c.text).ToUtf8();
}

}  // namespace
