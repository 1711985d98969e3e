// Turning an LDF file into the document: one pass over the bytes cuts them into
// statements at ";" and "{" while it drops comments, tabs and line breaks and tracks the
// brace depth; the section keywords and the three header statements are handled here,
// every other statement goes to the reader of the current section.

#include <algorithm>
#include <string>
#include <string_view>

#include "foundation/corv_arrays.h"
#include "foundation/corv_file.h"
#include "foundation/text_encoding.h"
#include "model/definition_file.h"
#include "section_readers.h"
#include "statement_text.h"

namespace {

constexpr std::size_t kMaxStatementLength = 65000;

struct SectionKeyword {
    const char16_t* keyword;
    LdfSection section;
};

// Compared with the whole statement at depth 0, in this order.
constexpr SectionKeyword kSectionKeywords[] = {
    {u"Nodes", kSectionNodes},
    {u"Signals", kSectionSignals},
    {u"Frames", kSectionFrames},
    {u"Schedule_tables", kSectionScheduleTables},
    {u"Signal_encoding_types", kSectionEncodingTypes},
    {u"Signal_representation", kSectionRepresentation},
    {u"Node_attributes", kSectionNodeAttributes},
    {u"composite", kSectionComposite},
    {u"Diagnostic_signals", kSectionDiagnosticSignals},
    {u"Signal_groups", kSectionSignalGroups},
    {u"dynamic_frames", kSectionDynamicFrames},
    {u"Sporadic_frames", kSectionSporadicFrames},
    {u"Event_triggered_frames", kSectionEventFrames},
    {u"Diagnostic_frames", kSectionDiagnosticFrames},
};

// A file saved as UTF-16 (recognised by its byte-order mark) is converted to the 8-bit
// code page, and a UTF-8 byte-order mark is dropped, so that both load like 8-bit text.
std::string_view WithoutByteOrderMark(std::string_view bytes, std::string& converted) {
    const bool littleEndian = bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE';
    const bool bigEndian = bytes.size() >= 2 && bytes[0] == '\xFE' && bytes[1] == '\xFF';
    if (littleEndian || bigEndian) {
        std::u16string text;
        text.reserve(bytes.size() / 2);
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
            const auto first = static_cast<unsigned char>(bytes[i]);
            const auto second = static_cast<unsigned char>(bytes[i + 1]);
            text.push_back(static_cast<char16_t>(littleEndian ? first | (second << 8)
                                                              : (first << 8) | second));
        }
        converted = tabrel::EncodeCodePage(text);
        return converted;
    }
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return bytes.substr(3);
    return bytes;
}

// Applies a header statement to its field when it splits into exactly two fields at "=".
void ReadHeaderStatement(corvdekLINDefinitionFile& document, corvString& target,
                         bool isSpeed, const char* issueType) {
    const StatementFields fields(document.statement.View(), u"=");
    if (fields.Count() != 2) {
        document.ReportStatement(issueType, u"This line is incorrect: ", kLevelError);
        return;
    }
    if (isSpeed) {
        target = WithoutCharacters(fields.Item(1), u"kbpsKBPS");
    } else {
        target = Trimmed(fields.Item(1));
        target.TrimQuotes();
    }
}

// Handles a depth-0 statement that is a section keyword or a header statement.
bool ProcessTopLevelStatement(corvdekLINDefinitionFile& document) {
    for (const auto& [keyword, section] : kSectionKeywords) {
        if (document.statement.Equals(keyword)) {
            document.section = section;
            if (section == kSectionNodeAttributes) document.attributeNodeIndex = -1;
            return true;
        }
    }
    corvString head(document.statement);
    head.Truncate(8);
    if (head.Equals(u"LIN_prot")) {
        ReadHeaderStatement(document, document.protocolVersion, false,
                            "The LIN Protocol is specified incorrectly.");
    } else if (head.Equals(u"LIN_lang")) {
        ReadHeaderStatement(document, document.languageVersion, false,
                            "The LIN Language is specified incorrectly.");
    } else if (head.Equals(u"LIN_spee")) {
        ReadHeaderStatement(document, document.speed, true,
                            "The LIN Speed is specified incorrectly.");
    } else {
        return false;
    }
    return true;
}

void DispatchToSectionReader(corvdekLINDefinitionFile& document, int depth) {
    switch (document.section) {
        case kSectionNodes:
            if (depth == 1) ReadNodesStatement(document);
            break;
        case kSectionSignals: ReadSignalStatement(document); break;
        case kSectionFrames: ReadFrameStatement(document, depth); break;
        case kSectionScheduleTables: ReadScheduleTableStatement(document, depth); break;
        case kSectionEncodingTypes: ReadEncodingTypeStatement(document, depth); break;
        case kSectionRepresentation: ReadRepresentationStatement(document); break;
        case kSectionDiagnosticFrames: ReadDiagnosticFrameStatement(document, depth); break;
        case kSectionEventFrames: ReadEventFrameStatement(document); break;
        case kSectionSporadicFrames: ReadSporadicFrameStatement(document); break;
        case kSectionDynamicFrames: ReadDynamicFramesStatement(document); break;
        case kSectionDiagnosticSignals: document.hasDiagnosticFrames = true; break;
        case kSectionNodeAttributes: ReadNodeAttributesStatement(document, depth); break;
        case kSectionComposite: ReadCompositeStatement(document, depth); break;
        default: break;  // before the first section, and Signal_groups: ignored
    }
}

// Cuts the bytes into statements. Returns false when a statement grows too long.
class StatementScanner {
public:
    explicit StatementScanner(corvdekLINDefinitionFile& document) : document_(document) {}

    bool Scan(std::string_view bytes) {
        collected_.reserve(std::min(bytes.size(), kMaxStatementLength + 1));
        std::size_t i = 0;
        while (i < bytes.size()) {
            // The limit is checked before every byte, also one that would be dropped.
            if (collected_.size() > kMaxStatementLength) return false;
            const bool outsideComments = !lineComment_ && !blockComment_;
            const std::size_t end = outsideComments ? EndOfText(bytes, i) : EndOfComment(bytes, i);
            if (end > i) {
                // Copy a run of plain text at once, but never past the limit.
                if (outsideComments) {
                    const std::size_t room = kMaxStatementLength + 1 - collected_.size();
                    const std::size_t take = std::min(end - i, room);
                    collected_.append(bytes.substr(i, take));
                    i += take;
                } else {
                    i = end;
                }
                continue;
            }
            ScanMark(bytes, i, outsideComments);
            ++i;
        }
        return true;
    }

private:
    static bool IsMark(char byte) {
        switch (byte) {
            case '\t': case '\n': case '\r': case '/': case ';': case '{': case '}': return true;
            default: return false;
        }
    }

    // The first byte from `i` on that is no plain statement text.
    static std::size_t EndOfText(std::string_view bytes, std::size_t i) {
        while (i < bytes.size() && !IsMark(bytes[i])) ++i;
        return i;
    }

    // Inside a comment only line ends and slashes can change anything.
    static std::size_t EndOfComment(std::string_view bytes, std::size_t i) {
        while (i < bytes.size() && bytes[i] != '\n' && bytes[i] != '\r' && bytes[i] != '/') ++i;
        return i;
    }

    void ScanMark(std::string_view bytes, std::size_t i, bool outsideComments) {
        switch (bytes[i]) {
            case '\t': break;
            case '\n':
            case '\r': lineComment_ = false; break;
            case '/': ScanSlash(bytes, i, outsideComments); break;
            case ';':
                if (outsideComments) EndStatement(false);
                break;
            case '{':
                if (outsideComments) {
                    EndStatement(true);
                    ++depth_;
                }
                break;
            case '}':
                // Only lowers the depth: the text collected so far begins the next statement.
                if (outsideComments) --depth_;
                break;
            default: break;
        }
    }

    void ScanSlash(std::string_view bytes, std::size_t i, bool outsideComments) {
        const bool hasNext = i + 1 < bytes.size();
        const bool opensComment =
            hasNext && ((bytes[i + 1] == '*' && !lineComment_) || bytes[i + 1] == '/');
        const bool closesComment = blockComment_ && i > 0 && bytes[i - 1] == '*';
        if (hasNext && bytes[i + 1] == '*' && !lineComment_) blockComment_ = true;
        if (hasNext && bytes[i + 1] == '/') lineComment_ = true;
        if (i > 0 && bytes[i - 1] == '*') blockComment_ = false;
        // A slash that is no part of a comment mark is text (a unit such as km/h).
        if (outsideComments && !opensComment && !closesComment) collected_.push_back('/');
    }

    void EndStatement(bool opensBlock) {
        document_.ProcessStatement(collected_, depth_, opensBlock);
        collected_.clear();
    }

    corvdekLINDefinitionFile& document_;
    std::string collected_;
    int depth_ = 0;
    bool lineComment_ = false;
    bool blockComment_ = false;
};

void StartLoad(corvdekLINDefinitionFile& document) {
    document.Reset();
    document.loadIssueTypes.Clear();
    document.loadIssueDetails.Clear();
    document.loadIssueLevels.Clear();
    document.section = kSectionNone;
    document.slaveLookup.Clear();
    document.statement.SetCapacity(65536, false);
}

}  // namespace

bool corvdekLINDefinitionFile::LoadFromFile(const corvString& path) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) {
        StartLoad(*this);
        corvString details(u"Problem opening LDF file: ");
        details.Append(path);
        AddLoadIssue("Problem opening LDF file.", details, kLevelWarning);
        lastLoadError = u"Problem opening file.";
        return false;
    }
    return LoadFromBytes(bytes);
}

bool corvdekLINDefinitionFile::LoadFromBytes(std::string_view bytes) {
    StartLoad(*this);

    std::string converted;
    StatementScanner scanner(*this);
    if (!scanner.Scan(WithoutByteOrderMark(bytes, converted))) {
        lastLoadError = u"A line in the LDF file exceeded 65000 characters";
        AddLoadIssue("LIN File line too long.",
                     corvString(u"A line in the LDF file exceeded 65000 characters"),
                     kLevelWarning);
        return false;
    }
    ResolveSignalEncodings();
    UpdateJ2602Flag();
    return true;
}

void corvdekLINDefinitionFile::ProcessStatement(std::string_view text, int depth,
                                                bool opensBlock) {
    statement.AssignCodePage(text);
    statement.Trim();
    if (statement.IsEmpty()) return;
    if (depth == 0 && ProcessTopLevelStatement(*this)) return;
    if (depth == 0 && opensBlock) {
        // A section this program does not know (Diagnostic_addresses of LIN 1.3, a
        // misspelt keyword): its statements are ignored rather than handed to the reader
        // of the section before it.
        section = kSectionNone;
        return;
    }
    DispatchToSectionReader(*this, depth);
}
