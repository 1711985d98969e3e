// Every load issue keeps the line and column where its statement starts.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/definition_file.h"
#include "support/test_support.h"

namespace {

using test_support::LoadText;
using test_support::Utf8;

// Faults on known lines: a statement on one line, one after comments, one over several
// lines, a byte array's values after its '{', a block read at the end of the load, and
// statements behind a tab and behind a CR LF.
constexpr const char* kFaultyFile =
    "LIN_description_file;\r\n"                  // 1
    "LIN_protocol_version \"2.1\";\r\n"          // 2: no '='
    "Node_attributes {\r\n"                      // 3
    "  Late {\r\n"                               // 4
    "    product_id = 0x1;\r\n"                  // 5: read after the Nodes section
    "  }\r\n"                                    // 6
    "}\r\n"                                      // 7
    "Nodes {\r\n"                                // 8
    "  /* the master */ Master: M;\r\n"          // 9: too few values
    "  Slaves: Late;\r\n"                        // 10
    "}\r\n"                                      // 11
    "Signals {\r\n"                              // 12
    "\tShort: 32,\r\n"                           // 13
    "    { 0, 0,\r\n"                            // 14: values start here
    "      0 }, M;\r\n"                          // 15
    "\tTooFew:\r\n"                              // 16: starts here ...
    "      8;\r\n"                               // 17
    "}\r\n"                                      // 18
    "Frames {\r\n"                               // 19
    "  F: 0x10, M, 1 { Unknown_entry_without_offset; }\r\n"  // 20
    "}\r\n";                                     // 21

TEST(LoadPlaces, EachIssueNamesTheLineAndColumnOfItsStatement) {
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(LoadText(document, kFaultyFile));
    struct Found {
        std::string type;
        int line;
        int column;
        bool operator==(const Found&) const = default;
    };
    std::vector<Found> found;
    ASSERT_EQ(document.loadIssuePlaces.size(), static_cast<std::size_t>(document.loadIssueTypes.Count()));
    for (int i = 0; i < document.loadIssueTypes.Count(); ++i) {
        const SourcePlace place = document.loadIssuePlaces[static_cast<std::size_t>(i)];
        found.push_back({Utf8(document.loadIssueTypes.Item(i)), place.line, place.column});
    }
    const std::vector<Found> expected = {
        {"The LIN Protocol is specified incorrectly.", 2, 1},
        {"The LIN Master is specified incorrectly.", 9, 20},
        {"The LIN Signal sizes doesn't match the byte array.", 14, 7},
        {"The LIN Signal is specified incorrectly.", 16, 2},
        {"LIN Frame Signal Entry problem.", 20, 19},
        {"LIN Node Attribute Product ID Invalid.", 5, 5},
    };
    EXPECT_EQ(found.size(), expected.size());
    for (std::size_t i = 0; i < expected.size() && i < found.size(); ++i) {
        EXPECT_EQ(found[i], expected[i]) << "issue " << i << ": " << found[i].type << " at " << found[i].line << ":"
                                         << found[i].column;
    }
    // The values alone do not say whose they are: the details name the signal.
    EXPECT_NE(Utf8(document.loadIssueDetails.Item(2)).find("(signal Short)"), std::string::npos);
}

TEST(LoadPlaces, FailuresWithoutAStatementHaveNoPlace) {
    corvdekLINDefinitionFile document;
    EXPECT_FALSE(document.LoadFromFile(corvString(u"/nonexistent/cluster.ldf")));
    ASSERT_EQ(document.loadIssuePlaces.size(), 1u);
    EXPECT_EQ(document.loadIssuePlaces[0].line, 0);

    const std::string tooLong = "LIN_description_file;\n\nSignals {\n  A: " + std::string(70000, 'x') + ";\n}";
    EXPECT_FALSE(LoadText(document, tooLong));
    ASSERT_EQ(document.loadIssuePlaces.size(), 1u);
    EXPECT_EQ(document.loadIssuePlaces[0].line, 4) << "the long statement starts on line 4";
}

}  // namespace
