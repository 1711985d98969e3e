#pragma once
// Loading documents and storing output for the commands.

#include <iosfwd>
#include <string>
#include <string_view>

class corvdekLINDefinitionFile;

// A command-line argument (UTF-8) as program text.
std::u16string DecodeArgument(std::string_view argument);

// Loads `path`; on failure tells why on `err` and returns false. Load issues go to `err`.
bool LoadForCommand(corvdekLINDefinitionFile& document, const std::string& path,
                    std::ostream& err);

// Writes `bytes` to standard output for "-", else saves them as the file `path`.
bool StoreOutput(const std::string& path, const std::string& bytes, std::ostream& out,
                 std::ostream& err);
