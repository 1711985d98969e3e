// White space separates words as the LDF grammar says: a tab, a line break or a run of them
// between two words reads like one space.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ldf_writer/ldf_writer.h"
#include "model/definition_file.h"
#include "support/model_equality.h"
#include "support/test_support.h"

namespace {

using test_support::LoadText;

// Every space between two words of a saved sample, replaced by each form of white space,
// loads to the same model: the written layout covers every statement the writer knows,
// schedule entries with their 'delay' among them.
TEST(WhiteSpace, EverySeparatorOfTheWrittenSamplesMayBeAnyWhiteSpace) {
    const char* const kForms[] = {"\t", "\n", "\r\n", "\t\r\n\t\n"};
    for (const char* sample : {"lin21_door.ldf", "lin13_lighting.ldf", "j2602_wiper.ldf", "lin22_climate.ldf"}) {
        corvdekLINDefinitionFile original;
        ASSERT_TRUE(original.LoadFromFile(test_support::Path(test_support::TestDataDir() / sample)));
        const std::string written = RenderLDF(original);
        corvdekLINDefinitionFile expected;
        ASSERT_TRUE(LoadText(expected, written));
        bool quoted = false;
        for (std::size_t i = 0; i < written.size(); ++i) {
            // Comments are no words.
            if (written.compare(i, 2, "//") == 0) i = written.find('\n', i);
            if (written.compare(i, 2, "/*") == 0) i = written.find("*/", i);
            if (written[i] == '"') quoted = !quoted;
            // A line break before a comment would move it to the next statement's line.
            if (written[i] != ' ' || quoted || written[i + 1] == '/') continue;
            for (const char* form : kForms) {
                const std::string variant = written.substr(0, i) + form + written.substr(i + 1);
                corvdekLINDefinitionFile document;
                ASSERT_TRUE(LoadText(document, variant));
                const std::vector<std::string> differences = ModelDifferences(expected, document);
                ASSERT_EQ(differences, std::vector<std::string>{})
                    << sample << ": the space at byte " << i << " as " << testing::PrintToString(form)
                    << " in:\n"
                    << written.substr(i > 60 ? i - 60 : 0, 120);
            }
        }
    }
}

// Two words a tab or a line break stands between stay two words: a name made of them is
// read with the space, not joined into another name.
TEST(WhiteSpace, WordsApartStayApart) {
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(LoadText(document, "LIN_description_file; Signals { Door\tLock: 1, 0, M; Seat\nPos: 2, 0, M; }"));
    ASSERT_EQ(document.signals.GetCount(), 2);
    EXPECT_EQ(test_support::Utf8(document.signals.Get(0)->name), "Door Lock");
    EXPECT_EQ(test_support::Utf8(document.signals.Get(1)->name), "Seat Pos");
}

}  // namespace
