#include "foundation/text_lines.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Lines of pieces pass several steps of growth; the text taken is exactly what was written,
// and the lines start again empty afterwards.
TEST(TextLines, LinesOfPiecesSurviveGrowthAndTake) {
    TextLines lines;
    EXPECT_EQ(lines.Take(), "");  // before any room was made
    std::string expected;
    for (int i = 0; i < 5000; ++i) {
        const std::u16string number(static_cast<std::size_t>(i % 40), u'0' + i % 10);
        lines.Append({u"\tSig_", number, u": "});
        lines.Append(u"8\u00B0");
        lines.Line({u";"});
        expected += "\tSig_" + std::string(number.begin(), number.end()) + ": 8\xB0;\r\n";
        if (i % 1000 == 0) {
            lines.Blank();
            expected += "\r\n";
        }
    }
    EXPECT_EQ(lines.Take(), expected);
    lines.Line({u"\u4E2D"});
    EXPECT_EQ(lines.Take(), "?\r\n");
}

}  // namespace
