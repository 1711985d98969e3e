#include "grammar_check.h"

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <regex>

#include "test_support.h"

namespace test_support {

namespace fs = std::filesystem;

namespace {

std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (const char ch : text) quoted += ch == '\'' ? std::string("'\\''") : std::string(1, ch);
    return quoted + "'";
}

// Up to two lines of `text` up to line `number` (counted from 1), each with its number.
std::string LinesUpTo(const std::string& text, int number) {
    std::string lines;
    std::size_t start = 0;
    for (int line = 1; line <= number && start <= text.size(); ++line) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        if (line >= number - 1) {
            std::string content = text.substr(start, end - start);
            if (content.ends_with('\r')) content.pop_back();
            lines += "    " + std::to_string(line) + ": " + content + "\n";
        }
        start = end + 1;
    }
    return lines;
}

}  // namespace

GrammarCheck::GrammarCheck(const std::map<std::string, std::string>& textsByName, Language language)
    : extension_(language == Language::kLdf ? "ldf" : "ncf"), texts_(textsByName) {
    const fs::path python = "/usr/bin/python3";
    const fs::path checker = CorpusDir().parent_path() / "tools" / (extension_ + "_grammar_check.py");
    if (!fs::exists(python) || !fs::exists(checker)) {
        skipReason_ = "needs " + python.string() + " and the grammar checker " + checker.string();
        return;
    }
    folder_ = fs::path(::testing::TempDir()) / ("tabrel_written_" + extension_ + "_" + std::to_string(std::random_device{}()));
    fs::create_directories(folder_);
    std::string command = ShellQuoted(python.string()) + " " + ShellQuoted(checker.string());
    for (const auto& [name, text] : texts_) {
        const fs::path copy = folder_ / (name + "." + extension_);
        std::ofstream(copy, std::ios::binary) << text;
        command += " " + ShellQuoted(copy.string());
    }
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        skipReason_ = "could not start the grammar checker";
        return;
    }
    char buffer[4096];
    while (const std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) output_.append(buffer, got);
    const int status = pclose(pipe);
    exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (exitCode_ == 2 && output_.find("python3-lark is missing") != std::string::npos) {
        skipReason_ = "the grammar checker needs python3-lark for /usr/bin/python3";
    }
}

GrammarCheck::~GrammarCheck() {
    if (!folder_.empty()) fs::remove_all(folder_);
}

// The checker's line about `copy`: "ok FILE" or "FAIL FILE: line L, column C: ...".
std::string GrammarCheck::VerdictFor(const fs::path& copy) const {
    std::size_t start = 0;
    while (start < output_.size()) {
        const std::size_t end = std::min(output_.find('\n', start), output_.size());
        const std::string line = output_.substr(start, end - start);
        if (line == "ok " + copy.string() || line.starts_with("FAIL " + copy.string() + ":")) return line;
        start = end + 1;
    }
    return "";
}

std::string GrammarCheck::Failure(const std::string& name) const {
    const std::string verdict = VerdictFor(folder_ / (name + "." + extension_));
    if (verdict.empty()) {
        return "the grammar checker (exit code " + std::to_string(exitCode_) + ") said nothing about " + name +
               "; its output:\n" + output_;
    }
    if (verdict.starts_with("ok ")) return "";
    std::string context;
    std::smatch where;
    if (std::regex_search(verdict, where, std::regex("line (\\d+), column"))) {
        context = "Written text up to there:\n" + LinesUpTo(texts_.at(name), std::stoi(where[1]));
    }
    return "The written file does not follow the " + (extension_ == "ldf" ? std::string("LDF") : std::string("NCF")) + " grammar:\n" + verdict + "\n" + context;
}

}  // namespace test_support
