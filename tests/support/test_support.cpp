#include "test_support.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

#include "foundation/text_encoding.h"

namespace test_support {

namespace fs = std::filesystem;

std::string Utf8(const corvString& text) { return text.ToUtf8(); }

std::vector<std::string> Utf8(const corvStringArray& array) {
    std::vector<std::string> texts;
    for (int i = 0; i < array.Count(); ++i) texts.push_back(Utf8(array.Item(i)));
    return texts;
}

std::vector<std::string> LoadIssues(const corvdekLINDefinitionFile& document) {
    std::vector<std::string> issues;
    for (int i = 0; i < document.loadIssueTypes.Count(); ++i) {
        issues.push_back(Utf8(document.loadIssueLevels.Item(i)) + "|" +
                         Utf8(document.loadIssueTypes.Item(i)) + "|" +
                         Utf8(document.loadIssueDetails.Item(i)));
    }
    return issues;
}

std::vector<std::string> SetupIssues(const corvdekLINDefinitionFile& document) {
    std::vector<std::string> issues;
    for (int i = 0; i < document.setupIssueLevels.Count(); ++i) {
        issues.push_back(Utf8(document.setupIssueLevels.Item(i)) + "|" +
                         Utf8(document.setupIssueTypes.Item(i)) + "|" +
                         Utf8(document.setupIssueSections.Item(i)) + "|" +
                         Utf8(document.setupIssueDetails.Item(i)));
    }
    return issues;
}

bool LoadText(corvdekLINDefinitionFile& document, std::string_view text) {
    const corvString wide(tabrel::DecodeUtf8(text));
    return document.LoadFromBytes(wide.ToAnsiString());
}

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::vector<fs::path> LdfFilesIn(const fs::path& folder) {
    std::vector<fs::path> files;
    if (!fs::is_directory(folder)) return files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file() && entry.path().extension() == ".ldf") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

fs::path TestDataDir() { return TABREL_TEST_DATA_DIR; }
fs::path ExamplesDir() { return TABREL_EXAMPLES_DIR; }
fs::path CorpusDir() { return TABREL_CORPUS_DIR; }

std::vector<fs::path> AllSampleFiles() {
    std::vector<fs::path> files = LdfFilesIn(TestDataDir());
    for (const auto& folder : {ExamplesDir(), CorpusDir()}) {
        const auto more = LdfFilesIn(folder);
        files.insert(files.end(), more.begin(), more.end());
    }
    return files;
}

std::string SampleTestName(const ::testing::TestParamInfo<fs::path>& info) {
    std::string name = std::to_string(info.index) + "_" + info.param.stem().string();
    for (char& ch : name) {
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    }
    return name;
}

corvString Path(const fs::path& path) { return corvString(tabrel::DecodeUtf8(path.string())); }

}  // namespace test_support
