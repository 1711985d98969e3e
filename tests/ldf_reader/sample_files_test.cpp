// Every sample file loads, and the model holds the nodes, signals and frames the file
// declares. The expected counts were read off the files themselves.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "model/definition_file.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;
using test_support::LoadIssues;

struct Declared {
    int slaves;
    int signals;
    int frames;
    int loadIssues;
};

void ExpectLoadsAsDeclared(const fs::path& file, const Declared& declared) {
    SCOPED_TRACE(file.string());
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(document.LoadFromFile(test_support::Path(file)));
    EXPECT_EQ(document.nodes.GetCount(), declared.slaves);
    EXPECT_EQ(document.signals.GetCount(), declared.signals);
    EXPECT_EQ(document.frames.GetCount(), declared.frames);
    EXPECT_EQ(static_cast<int>(LoadIssues(document).size()), declared.loadIssues);
}

TEST(SampleFiles, OurSamplesLoadWithoutIssues) {
    const std::map<std::string, Declared> samples = {
        {"j2602_wiper.ldf", {2, 5, 3, 0}},      {"lin13_lighting.ldf", {2, 7, 3, 0}},
        {"lin20_seat.ldf", {2, 7, 4, 0}},       {"lin21_door.ldf", {3, 9, 4, 0}},
        {"lin22_climate.ldf", {4, 9, 4, 0}},
    };
    for (const auto& [name, declared] : samples) {
        ExpectLoadsAsDeclared(test_support::TestDataDir() / name, declared);
    }
    EXPECT_EQ(test_support::LdfFilesIn(test_support::TestDataDir()).size(), samples.size());
}

TEST(SampleFiles, ExamplesLoadWithoutIssues) {
    ExpectLoadsAsDeclared(test_support::ExamplesDir() / "interior_lights.ldf", {2, 7, 3, 0});
    ExpectLoadsAsDeclared(test_support::ExamplesDir() / "seat_heating_j2602.ldf", {2, 6, 3, 0});
}

// Files written by other tools. They use the whole LIN language, which loads without a
// load issue; the one issue left is a misspelt section keyword ("Signal_representations").
TEST(SampleFiles, FilesOfOtherToolsLoadWithWhatTheyDeclare) {
    const fs::path corpus = test_support::CorpusDir();
    if (!fs::is_directory(corpus)) GTEST_SKIP() << "no LDF corpus at " << corpus;
    const std::map<std::string, Declared> files = {
        {"LIN/internal_lights.ldf", {2, 6, 5, 0}},
        {"ldfparser/examples/lin22.ldf", {2, 6, 5, 0}},
        {"ldfparser/iso17987.ldf", {2, 10, 8, 0}},
        {"ldfparser/j2602_1.ldf", {1, 2, 2, 0}},
        {"ldfparser/j2602_1_no_values.ldf", {1, 2, 2, 0}},
        {"ldfparser/ldf_with_sporadic_frames.ldf", {1, 3, 1, 0}},
        {"ldfparser/lin13.ldf", {2, 49, 7, 0}},
        {"ldfparser/lin20.ldf", {1, 2, 2, 0}},
        {"ldfparser/lin21.ldf", {2, 6, 5, 0}},
        {"ldfparser/lin22.ldf", {2, 6, 5, 0}},
        {"ldfparser/lin_diagnostics.ldf", {2, 6, 5, 0}},
        {"ldfparser/lin_encoders.ldf", {1, 2, 1, 0}},
        {"ldfparser/lin_schedules.ldf", {2, 6, 6, 0}},
        {"ldfparser/no_signal_subscribers.ldf", {0, 1, 1, 0}},
        {"lin_ldf_parser/dummy_ldf_for_tests.ldf", {7, 218, 16, 0}},
        {"lin_ldf_parser/empty.ldf", {0, 0, 0, 0}},
        {"lin_tools/example_13.ldf", {2, 49, 7, 1}},
        {"lin_tools/example_22.ldf", {2, 6, 5, 0}},
        {"lin_tools/test_prettify.ldf", {2, 6, 5, 0}},
        {"lin_tools/test_validate.ldf", {2, 6, 5, 0}},
    };
    for (const fs::path& file : test_support::LdfFilesIn(corpus)) {
        const std::string relative = fs::relative(file, corpus).generic_string();
        const auto declared = files.find(relative);
        if (declared == files.end()) {
            ADD_FAILURE() << "no declared counts for " << relative;
            continue;
        }
        ExpectLoadsAsDeclared(file, declared->second);
    }
}

}  // namespace
