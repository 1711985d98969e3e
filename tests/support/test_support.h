#pragma once
// Helpers shared by the tests: loading LDF text, reading issue lists as plain strings,
// finding sample files.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/corv_arrays.h"
#include "foundation/corv_string.h"
#include "model/definition_file.h"

namespace test_support {

std::string Utf8(const corvString& text);
std::vector<std::string> Utf8(const corvStringArray& array);

// One load issue as "level|type|details".
std::vector<std::string> LoadIssues(const corvdekLINDefinitionFile& document);
// One setup issue as "level|type|section|details".
std::vector<std::string> SetupIssues(const corvdekLINDefinitionFile& document);

// Loads LDF text (given as UTF-8 source text, stored as Windows-1252 bytes where possible).
bool LoadText(corvdekLINDefinitionFile& document, std::string_view text);

std::string ReadBytes(const std::filesystem::path& path);

// The .ldf files of a folder, sorted; empty when the folder does not exist.
std::vector<std::filesystem::path> LdfFilesIn(const std::filesystem::path& folder);
std::filesystem::path TestDataDir();
std::filesystem::path ExamplesDir();
std::filesystem::path CorpusDir();
// Our samples and examples, plus the corpus of other tools' files when it is present.
std::vector<std::filesystem::path> AllSampleFiles();
// The name of a test over one sample file: its index and stem, with letters and digits only.
std::string SampleTestName(const ::testing::TestParamInfo<std::filesystem::path>& info);

corvString Path(const std::filesystem::path& path);

}  // namespace test_support
