#pragma once
// Loading documents and storing output for the commands.

#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

class corvdekLINDefinitionFile;
class corvString;

// A command's document. The program sets `outliveCommands` when it ends right after its
// command: the documents are then left to the end of the process instead of being taken
// apart object by object (7 % of the instructions of a check of the stress cluster).
struct RetireDocument {
    static inline bool outliveCommands = false;
    void operator()(corvdekLINDefinitionFile* document) const;
};
using CommandDocument = std::unique_ptr<corvdekLINDefinitionFile, RetireDocument>;
CommandDocument NewCommandDocument();

// A command-line argument (UTF-8) as program text.
std::u16string DecodeArgument(std::string_view argument);

// Why `path` could not be loaded, from its document's `lastLoadError`: "FILE: not an LDF
// file" (or NCF file), or "FILE: cannot load: ...".
void ReportLoadFailure(const std::string& path, const corvString& lastLoadError, std::ostream& err);

// Loads `path`; on failure tells why on `err` and returns false. Load issues go to `err` as
// 'FILE:LINE: warning: type: details'. With `bytes`, the file is read once into them, for a
// second model of the same text (a pipe cannot be read twice).
bool LoadForCommand(corvdekLINDefinitionFile& document, const std::string& path,
                    std::ostream& err, std::string* bytes = nullptr);

// Writes `bytes` to standard output for "-", else saves them as the file `path`.
bool StoreOutput(const std::string& path, const std::string& bytes, std::ostream& out,
                 std::ostream& err);
