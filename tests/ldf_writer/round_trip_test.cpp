// Saving a loaded file and loading it again keeps the cluster, and saving is idempotent.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "ldf_writer/ldf_writer.h"
#include "model/definition_file.h"
#include "support/model_equality.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;

class RoundTrip : public ::testing::TestWithParam<fs::path> {};

TEST_P(RoundTrip, WriteThenLoadKeepsTheModelAndWritingAgainGivesTheSameBytes) {
    corvdekLINDefinitionFile original;
    ASSERT_TRUE(original.LoadFromFile(test_support::Path(GetParam())));
    const std::string written = RenderLDF(original);

    corvdekLINDefinitionFile reloaded;
    ASSERT_TRUE(reloaded.LoadFromBytes(written));
    EXPECT_EQ(ModelDifferences(original, reloaded), std::vector<std::string>{});
    EXPECT_EQ(RenderLDF(reloaded), written);
}

INSTANTIATE_TEST_SUITE_P(SampleFiles, RoundTrip,
                         ::testing::ValuesIn(test_support::AllSampleFiles()),
                         test_support::SampleTestName);

}  // namespace
