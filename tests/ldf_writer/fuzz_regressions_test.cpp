// Inputs the fuzzer once found misbehaving: each loads, and saving it settles on one text
// instead of changing with every save.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "ldf_writer/ldf_writer.h"
#include "model/definition_file.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;

std::string SaveAndReload(const std::string& text) {
    corvdekLINDefinitionFile document;
    EXPECT_TRUE(document.LoadFromBytes(text));
    return RenderLDF(document);
}

TEST(FuzzRegressions, SavingSettlesAfterTheFirstSave) {
    const fs::path folder = test_support::TestDataDir() / "fuzz";
    int inputs = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        SCOPED_TRACE(entry.path().string());
        const std::string once = SaveAndReload(SaveAndReload(test_support::ReadBytes(entry.path())));
        EXPECT_EQ(SaveAndReload(once), once);
        ++inputs;
    }
    EXPECT_GT(inputs, 0);
}

}  // namespace
