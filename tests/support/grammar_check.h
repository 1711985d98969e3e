#pragma once
// The grammar checkers shared with the project (../shared/tools/ldf_grammar_check.py and
// ncf_grammar_check.py), run once over many written texts: starting Python and building its
// parser costs far more than checking a file.

#include <filesystem>
#include <map>
#include <string>

namespace test_support {

enum class Language { kLdf, kNcf };

class GrammarCheck {
public:
    // Checks each text, stored under its name (letters, digits and '_' only).
    explicit GrammarCheck(const std::map<std::string, std::string>& textsByName, Language language = Language::kLdf);
    ~GrammarCheck();
    GrammarCheck(const GrammarCheck&) = delete;
    GrammarCheck& operator=(const GrammarCheck&) = delete;

    // Why the checker could not run; empty when it ran.
    const std::string& SkipReason() const { return skipReason_; }
    // Empty when the text follows the grammar; otherwise the checker's verdict and the
    // written lines up to the place it names.
    std::string Failure(const std::string& name) const;

private:
    std::string VerdictFor(const std::filesystem::path& copy) const;

    std::string extension_;
    std::filesystem::path folder_;
    std::map<std::string, std::string> texts_;
    std::string output_;
    int exitCode_ = -1;
    std::string skipReason_;
};

}  // namespace test_support
