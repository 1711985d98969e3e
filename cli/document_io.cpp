#include "document_io.h"

#include <ostream>

#include "foundation/corv_file.h"
#include "foundation/text_encoding.h"
#include "model/definition_file.h"
#include "ncf/ncf_document.h"

std::u16string DecodeArgument(std::string_view argument) { return tabrel::DecodeUtf8(argument); }

void RetireDocument::operator()(corvdekLINDefinitionFile* document) const {
    if (!outliveCommands) delete document;
}

CommandDocument NewCommandDocument() { return CommandDocument(new corvdekLINDefinitionFile); }

void ReportLoadFailure(const std::string& path, const corvString& lastLoadError, std::ostream& err) {
    if (lastLoadError.View() == kNotAnLdfFile || lastLoadError.View() == kNotAnNcfFile) {
        err << path << ": " << lastLoadError.ToUtf8() << "\n";
    } else {
        err << path << ": cannot load: " << lastLoadError.ToUtf8() << "\n";
    }
}

bool LoadForCommand(corvdekLINDefinitionFile& document, const std::string& path,
                    std::ostream& err, std::string* bytes) {
    const corvString file(DecodeArgument(path));
    // A file that cannot be read is left to the loader, which says why.
    const bool loaded = bytes != nullptr && ReadWholeFile(file, *bytes) ? document.LoadFromBytes(*bytes)
                                                                         : document.LoadFromFile(file);
    for (int i = 0; i < document.loadIssueTypes.Count(); ++i) {
        const int line = document.loadIssuePlaces[static_cast<std::size_t>(i)].line;
        err << path;
        if (line > 0) err << ":" << line;
        err << ": " << (document.loadIssueLevels.Item(i).ToInt() != 0 ? "error" : "warning") << ": "
            << document.loadIssueTypes.Item(i).ToUtf8() << ": " << document.loadIssueDetails.Item(i).ToUtf8()
            << "\n";
    }
    if (!loaded) ReportLoadFailure(path, document.lastLoadError, err);
    return loaded;
}

bool StoreOutput(const std::string& path, const std::string& bytes, std::ostream& out,
                 std::ostream& err) {
    if (path == "-") {
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (out) return true;
        err << "cannot write to standard output\n";
        return false;
    }
    switch (SaveFileSafely(corvString(DecodeArgument(path)), bytes)) {
        case SafeSaveResult::kSaved: return true;
        case SafeSaveResult::kCannotCreate: err << path << ": cannot create the file\n"; break;
        case SafeSaveResult::kCannotWrite: err << path << ": cannot write the file\n"; break;
        case SafeSaveResult::kNotAFile:
            err << path << ": is no regular file, pipe or character device; nothing was written\n";
            break;
    }
    return false;
}
