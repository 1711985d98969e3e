// Inputs of the fuzzer: those it once found misbehaving (tests/data/fuzz) and a few hundred
// of those it keeps for their coverage (tests/data/fuzz/corpus). Each loads or is refused,
// saving it settles on one text instead of changing with every save, and what is saved
// follows the LDF grammar, whatever the input held.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "ldf_writer/ldf_writer.h"
#include "model/definition_file.h"
#include "support/grammar_check.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> FuzzInputs() {
    std::vector<fs::path> inputs;
    for (const auto& entry : fs::recursive_directory_iterator(test_support::TestDataDir() / "fuzz")) {
        if (entry.is_regular_file()) inputs.push_back(entry.path());
    }
    return inputs;
}

std::string SaveAndReload(const std::string& text) {
    corvdekLINDefinitionFile document;
    EXPECT_TRUE(document.LoadFromBytes(text));
    return RenderLDF(document);
}

TEST(FuzzRegressions, SavingSettlesAfterTheFirstSave) {
    const std::vector<fs::path> inputs = FuzzInputs();
    EXPECT_GT(inputs.size(), 300u);
    for (const fs::path& input : inputs) {
        SCOPED_TRACE(input.string());
        corvdekLINDefinitionFile document;
        if (!document.LoadFromBytes(test_support::ReadBytes(input))) continue;  // no LDF at all
        const std::string once = SaveAndReload(RenderLDF(document));
        EXPECT_EQ(SaveAndReload(once), once);
    }
}

TEST(FuzzRegressions, WhatIsSavedFollowsTheGrammar) {
    std::map<std::string, std::string> texts;
    for (const fs::path& input : FuzzInputs()) {
        corvdekLINDefinitionFile document;
        if (document.LoadFromBytes(test_support::ReadBytes(input))) {
            texts["fuzz_" + input.filename().replace_extension().replace_extension().string()] = RenderLDF(document);
        }
    }
    const test_support::GrammarCheck check(texts);
    if (!check.SkipReason().empty()) GTEST_SKIP() << check.SkipReason();
    for (const auto& [name, text] : texts) EXPECT_EQ(check.Failure(name), "") << name;
}

}  // namespace
