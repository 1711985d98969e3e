// A load and a save keep every comment of a file, at the line of the object it belongs to;
// a removed object takes its comments along, a renamed one keeps them.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "ldf_writer/ldf_writer.h"
#include "model/definition_file.h"
#include "support/model_equality.h"
#include "support/test_support.h"

namespace {

using test_support::LoadText;

constexpr std::string_view kHead =
    "LIN_description_file;\nLIN_protocol_version = \"2.1\";\nLIN_language_version = \"2.1\";\n"
    "LIN_speed = 19.2 kbps;\nNodes { Master: M, 5 ms, 0.1 ms; Slaves: S1; }\n";

std::string Saved(const corvdekLINDefinitionFile& document) {
    std::string text = RenderLDF(document);
    std::string lines;  // LF line ends, for readable expectations
    for (const char ch : text) {
        if (ch != '\r') lines.push_back(ch);
    }
    return lines;
}

// Where each comment of a construct is written: the fragments stand in the saved text in
// this order, each as whole lines.
TEST(Comments, StayAtTheLineOfTheirObject) {
    const struct {
        const char* construct;
        std::string source;
        std::vector<std::string> written;
    } cases[] = {
        {"file head", "// Project: Door\n/* Version 3\n   by A. Writer */\n" + std::string(kHead),
         {"// Generated with Kestova LIN Tabrel\n// Project: Door\n/* Version 3\n   by A. Writer */\n",
          "\nLIN_description_file ;\n"}},
        {"own header line is not doubled", "// Generated with Kestova LIN Tabrel\n" + std::string(kHead),
         {"// Generated with Kestova LIN Tabrel\n\nLIN_description_file ;\n"}},
        {"header statement", std::string(kHead) + "// kept\nChannel_name = \"DB\"; // same line\n",
         {"// kept\nChannel_name = \"DB\"; // same line\n"}},
        {"section keyword and its end",
         std::string(kHead) + "// the signals\nSignals { // opened\n  A: 1, 0, M;\n  // last one\n} // closed\n",
         {"// the signals\nSignals { // opened\n", "\tA: 1, 0, M;\n", "\t// last one\n\t// closed\n}\n"}},
        {"signal before and after", std::string(kHead) + "Signals {\n // speed\n A: 1, 0, M; // km/h\n}\n",
         {"\t// speed\n\tA: 1, 0, M; // km/h\n"}},
        {"inside a statement", std::string(kHead) + "Signals { A: 1, /* start */ 0,\n // publisher\n M; }\n",
         {"\tA: 1, 0, M; /* start */ // publisher\n"}},
        {"byte array values", std::string(kHead) + "Signals { B: 16, { 1, // first\n 2 }, M; }\n",
         {"\tB: 16, { 1, 2} , M; // first\n"}},
        {"frame, its signal and its end",
         std::string(kHead) +
             "Signals { A: 1, 0, M; }\nFrames {\n // door\n F: 0x10, M, 1 { // head\n  // bit 0\n  A, 0; // a\n"
             "  // no more\n }\n}\n",
         {"\t// door\n\tF: 0x10, M, 1 { // head\n", "\t\t// bit 0\n\t\tA, 0; // a\n", "\t// no more\n}\n"}},
        {"node attribute and configurable frame",
         std::string(kHead) +
             "Node_attributes { S1 { // slave\n  // nad\n  configured_NAD = 0x01; // one\n"
             "  configurable_frames { // list\n   // first frame\n   F1; } } }\n",
         {"\tS1 {  // slave\n", "\t\t// nad\n\t\tconfigured_NAD = 0x01; // one\n",
          "\t\tconfigurable_frames { // list\n", "\t\t\t// first frame\n\t\t\tF1;\n"}},
        {"schedule table and entry",
         std::string(kHead) + "Schedule_tables { // tables\n T { // normal\n  // first\n  F delay 10 ms; // slow\n } }\n",
         {"Schedule_tables { // tables\n", "\tT {  // normal\n", "\t\t// first\n\t\tF delay 10 ms; // slow\n"}},
        {"encoding type and part",
         std::string(kHead) + "Signal_encoding_types { E { // enc\n  // off\n  logical_value, 0, \"off\"; // zero\n } }\n",
         {"\tE {  // enc\n", "\t\t// off\n\t\tlogical_value, 0 ,\"off\"; // zero\n"}},
        {"representation", std::string(kHead) + "Signals { A: 1, 0, M; }\nSignal_encoding_types { E { bcd_value; } }\n"
                                                "Signal_representation { // reps\n // A uses E\n E: A; // one\n}\n",
         {"Signal_representation { // reps\n\t// A uses E\n\tE: A; // one\n}\n"}},
        {"composite configuration",
         std::string(kHead) + "composite { // comp\n configuration C1 { // cfg\n  // node\n  CN1 { S1; } // cn\n } }\n",
         {"composite { // comp\n", "\tconfiguration C1 { // cfg\n", "\t\t// node\n\t\tCN1 {\n\t\t\tS1;\n\t\t\t// cn\n\t\t}\n"}},
        {"dynamic frames", std::string(kHead) + "dynamic_frames { // ids\n 1, 2; // two\n // spare\n}\n",
         {"dynamic_frames { // ids\n\t1, 2; // two\n\t// spare\n}\n"}},
        {"attributes read before their node",
         "LIN_description_file;\nNode_attributes {\n Late { // late node\n  // nad\n  configured_NAD = 1; // one\n }\n}\n"
         "Nodes { Master: M, 5 ms, 0 ms; Slaves: Late; }\n",
         {"\tLate {  // late node\n\t\t// nad\n\t\tconfigured_NAD = 1; // one\n"}},
        {"end of the file", std::string(kHead) + "// the end\n/* really */\n",
         {"// the end\n/* really */\n"}},
        {"open block comment is closed", std::string(kHead) + "/* never closed\n",
         {"/* never closed\n */\n"}},
    };
    for (const auto& c : cases) {
        corvdekLINDefinitionFile document;
        ASSERT_TRUE(LoadText(document, c.source)) << c.construct;
        const std::string saved = Saved(document);
        std::size_t from = 0;
        for (const std::string& fragment : c.written) {
            const std::size_t at = saved.find(fragment, from);
            EXPECT_NE(at, std::string::npos) << c.construct << ": missing or out of order:\n"
                                             << fragment << "\nin:\n"
                                             << saved;
            if (at != std::string::npos) from = at + fragment.size();
        }
        corvdekLINDefinitionFile reloaded;
        ASSERT_TRUE(LoadText(reloaded, RenderLDF(document))) << c.construct;
        EXPECT_EQ(ModelDifferences(document, reloaded), std::vector<std::string>{}) << c.construct;
    }
}

// Text after a '//' comment belongs to it: the comments at the end of a line are written
// block comments first, so that none swallows another and no comment line becomes LDF.
TEST(Comments, ALineCommentEndsTheLineItIsWrittenOn) {
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(LoadText(document, std::string(kHead) + "Signals { A: 1, // first\n /* second\n lines */ 0, M; }\n"));
    const std::string saved = Saved(document);
    EXPECT_NE(saved.find("\tA: 1, 0, M; /* second\n lines */ // first\n"), std::string::npos) << saved;
    corvdekLINDefinitionFile reloaded;
    ASSERT_TRUE(LoadText(reloaded, RenderLDF(document)));
    ASSERT_EQ(reloaded.signals.GetCount(), 1);
    EXPECT_EQ(test_support::Utf8(reloaded.signals.Get(0)->publisher), "M");
    EXPECT_EQ(reloaded.signals.Get(0)->comments.Entries().size(), 2u);
}

// A comment whose object line the editor took away goes with the object; one whose line
// cannot be written any more (its entry was renamed) is written at the end, never dropped.
TEST(Comments, FollowTheirObjectThroughEdits) {
    const std::string source = std::string(kHead) +
                               "Signals {\n // first signal\n A: 1, 0, M;\n // second signal\n B: 1, 0, M;\n}\n"
                               "Frames { F: 0x10, M, 1 {\n // entry A\n A, 0; } }\n";
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(LoadText(document, source));

    document.signals.RemoveAt(0);
    document.signals.Get(0)->name = u"Renamed";
    document.frames.Get(0)->signalNames.Item(0) = u"Other";
    const std::string saved = Saved(document);

    EXPECT_EQ(saved.find("// first signal"), std::string::npos) << saved;
    EXPECT_NE(saved.find("\t// second signal\n\tRenamed: 1, 0, M;"), std::string::npos) << saved;
    const std::size_t entryComment = saved.find("// entry A");
    ASSERT_NE(entryComment, std::string::npos) << saved;
    EXPECT_GT(entryComment, saved.find("\t\tOther, 0;")) << "written at the end:\n" << saved;
}

}  // namespace

namespace {

// The comments of LDF text, found without the loader: '//' to the end of the line and
// '/*' to the next '*/', outside double-quoted texts that close on their line.
std::vector<std::string> CommentsOf(std::string_view text) {
    std::vector<std::string> comments;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '"') {
            const std::size_t closing = text.find_first_of("\"\n", i + 1);
            i = closing != std::string_view::npos && text[closing] == '"' ? closing + 1 : i + 1;
        } else if (text.substr(i, 2) == "//") {
            const std::size_t end = std::min(text.find_first_of("\r\n", i), text.size());
            comments.emplace_back(text.substr(i, end - i));
            i = end;
        } else if (text.substr(i, 2) == "/*") {
            const std::size_t close = text.find("*/", i + 2);
            const std::size_t end = close == std::string_view::npos ? text.size() : close + 2;
            comments.emplace_back(text.substr(i, end - i));
            i = end;
        } else {
            ++i;
        }
    }
    return comments;
}

std::string WithLineFeeds(std::string text) {
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') continue;
            result.push_back('\n');
        } else {
            result.push_back(text[i]);
        }
    }
    return result;
}

}  // namespace

TEST(Comments, EverySampleKeepsAllItsCommentsThroughASave) {
    for (const auto& path : test_support::AllSampleFiles()) {
        corvdekLINDefinitionFile document;
        ASSERT_TRUE(document.LoadFromFile(test_support::Path(path))) << path;
        const std::string saved = WithLineFeeds(RenderLDF(document));
        for (const std::string& comment : CommentsOf(test_support::ReadBytes(path))) {
            EXPECT_NE(saved.find(WithLineFeeds(comment)), std::string::npos)
                << path.filename() << " lost the comment " << comment;
        }
    }
}
