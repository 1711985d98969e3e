#include "foundation/text_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

using namespace std::string_view_literals;

namespace {

// Lines of pieces pass several steps of growth; the text taken is exactly what was written,
// and the lines start again empty afterwards.
TEST(TextLines, LinesOfPiecesSurviveGrowthAndTake) {
    TextLines lines;
    EXPECT_EQ(lines.Take(), "");  // before any room was made
    std::string expected;
    for (int i = 0; i < 5000; ++i) {
        const std::u16string number(static_cast<std::size_t>(i % 40), u'0' + i % 10);
        lines.Append("\tSig_", number, ": ");
        lines.Append(u"8\u00B0"sv);
        lines.Line(";");
        expected += "\tSig_" + std::string(number.begin(), number.end()) + ": 8\xB0;\r\n";
        if (i % 1000 == 0) {
            lines.Blank();
            expected += "\r\n";
        }
    }
    EXPECT_EQ(lines.Take(), expected);
    lines.Line(u"\u4E2D"sv);
    EXPECT_EQ(lines.Take(), "?\r\n");
}

// A list of texts is one piece with its separator between each two.
TEST(TextLines, JoinedTextsHaveTheSeparatorBetweenEachTwo) {
    const std::vector<std::u16string_view> none, one{u"LSM"}, three{u"LSM", u"RSM", u"CEM"};
    const struct {
        const std::vector<std::u16string_view>& texts;
        std::string_view separator;
        const char* expected;
    } cases[] = {
        {none, ", ", "Slaves: ;\r\n"},
        {one, ", ", "Slaves: LSM;\r\n"},
        {three, ", ", "Slaves: LSM, RSM, CEM;\r\n"},
        {three, ",", "Slaves: LSM,RSM,CEM;\r\n"},
    };
    for (const auto& c : cases) {
        TextLines lines;
        lines.Line("Slaves: ", text_pieces::Joined{c.texts, c.separator}, ";");
        EXPECT_EQ(lines.Take(), c.expected);
    }
}

}  // namespace
