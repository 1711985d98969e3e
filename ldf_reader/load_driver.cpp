// Turning an LDF file into the document: one pass over the bytes cuts them into
// statements at ";" and "{" while it drops comments, tabs and line breaks and tracks the
// brace depth; the section keywords and the three header statements are handled here,
// every other statement goes to the reader of the current section.

#include <algorithm>
#include <string>
#include <string_view>

#include "byte_search.h"
#include "foundation/corv_file.h"
#include "foundation/text_encoding.h"
#include "model/definition_file.h"
#include "section_readers.h"
#include "statement_text.h"

namespace {

struct SectionKeyword {
    std::string_view keyword;
    LdfSection section;
};

// Compared with the whole statement at depth 0, in this order.
constexpr SectionKeyword kSectionKeywords[] = {
    {"Nodes", kSectionNodes},
    {"Signals", kSectionSignals},
    {"Frames", kSectionFrames},
    {"Schedule_tables", kSectionScheduleTables},
    {"Signal_encoding_types", kSectionEncodingTypes},
    {"Signal_representation", kSectionRepresentation},
    {"Node_attributes", kSectionNodeAttributes},
    {"composite", kSectionComposite},
    {"Diagnostic_signals", kSectionDiagnosticSignals},
    {"Signal_groups", kSectionSignalGroups},
    {"dynamic_frames", kSectionDynamicFrames},
    {"Sporadic_frames", kSectionSporadicFrames},
    {"Event_triggered_frames", kSectionEventFrames},
    {"Diagnostic_frames", kSectionDiagnosticFrames},
    {"Diagnostic_addresses", kSectionDiagnosticAddresses},
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
                         const char* issueType) {
    const StatementFields fields(document.statement, "=");
    if (fields.Count() != 2) {
        document.ReportStatement(issueType, u"This line is incorrect: ", kLevelError);
        return;
    }
    target = Unquoted(fields.Item(1));
}

// LIN_speed is stated in kbit/s; a value in bit/s ('19200 bps') is converted to kbit/s.
void ReadSpeedStatement(corvdekLINDefinitionFile& document) {
    const StatementFields fields(document.statement, "=");
    if (fields.Count() != 2) {
        document.ReportStatement("The LIN Speed is specified incorrectly.",
                                 u"This line is incorrect: ", kLevelError);
        return;
    }
    corvString unit = Trimmed(fields.Item(1));
    unit.ToLower();
    const bool inBitsPerSecond = unit.View().ends_with(u"bps") && !unit.View().ends_with(u"kbps");
    document.speed = WithoutCharacters(fields.Item(1), "kbpsKBPS");
    if (inBitsPerSecond) document.speed.SetDouble(document.speed.ToDouble() / 1000.0);
}

// Handles a depth-0 statement that is a section keyword or a header statement.
bool ProcessTopLevelStatement(corvdekLINDefinitionFile& document) {
    const std::string_view statement = document.statement;
    for (const auto& [keyword, section] : kSectionKeywords) {
        if (statement == keyword) {
            document.section = section;
            if (section == kSectionNodeAttributes) {
                document.attributeNodeIndex = -1;
                document.attributeNodeName.Assign(u"");
            }
            return true;
        }
    }
    const std::string_view head = statement.substr(0, 8);
    // The text before "=" of a 'keyword = value' statement.
    const std::string_view name = TrimmedView(SplitAtFirst(statement, '=').head);
    if (head == "LIN_prot") {
        ReadHeaderStatement(document, document.protocolVersion,
                            "The LIN Protocol is specified incorrectly.");
    } else if (head == "LIN_lang") {
        ReadHeaderStatement(document, document.languageVersion,
                            "The LIN Language is specified incorrectly.");
    } else if (head == "LIN_spee") {
        ReadSpeedStatement(document);
    } else if (name == "Channel_name") {
        ReadHeaderStatement(document, document.channelName,
                            "The LIN Channel Name is specified incorrectly.");
    } else if (name == "LDF_file_revision") {
        ReadHeaderStatement(document, document.fileRevision,
                            "The LDF File Revision is specified incorrectly.");
    } else if (statement == "LIN_sig_byte_order_big_endian") {
        document.signalByteOrder = u"big_endian";
    } else if (statement == "LIN_sig_byte_order_little_endian") {
        document.signalByteOrder = u"little_endian";
    } else {
        // The opening statement carries nothing; the writer always writes it.
        return statement == "LIN_description_file";
    }
    return true;
}

// True when the statement was taken into the model or its problem reported.
bool DispatchToSectionReader(corvdekLINDefinitionFile& document, int depth) {
    switch (document.section) {
        case kSectionNodes: return depth == 1 && ReadNodesStatement(document);
        case kSectionSignals: return ReadSignalStatement(document);
        case kSectionFrames: return ReadFrameStatement(document, depth);
        case kSectionScheduleTables: return ReadScheduleTableStatement(document, depth);
        case kSectionEncodingTypes: return ReadEncodingTypeStatement(document, depth);
        case kSectionRepresentation: return ReadRepresentationStatement(document);
        case kSectionDiagnosticFrames: return ReadDiagnosticFrameStatement(document, depth);
        case kSectionEventFrames: return ReadEventFrameStatement(document);
        case kSectionSporadicFrames: return ReadSporadicFrameStatement(document);
        case kSectionDynamicFrames: return ReadDynamicFramesStatement(document);
        case kSectionSignalGroups: return ReadSignalGroupStatement(document, depth);
        case kSectionDiagnosticSignals: return ReadDiagnosticSignalStatement(document);
        case kSectionDiagnosticAddresses: return ReadDiagnosticAddressStatement(document);
        case kSectionNodeAttributes: return ReadNodeAttributesStatement(document, depth);
        case kSectionComposite: return ReadCompositeStatement(document, depth);
        // The section was reported once when it opened; its statements go with it.
        case kSectionUnknown: return depth > 0;
        default: return false;  // before the first section
    }
}

void ReportUnlessKept(corvdekLINDefinitionFile& document, bool kept, int issuesBefore) {
    if (kept || document.loadIssueTypes.Count() > issuesBefore) return;
    document.ReportStatement("LDF Statement not supported.",
                             u"This statement is not kept and will not be saved: ", kLevelWarning);
}

// The Node_attributes statements of nodes that were not known when they were read.
void ReadDeferredNodeAttributes(corvdekLINDefinitionFile& document) {
    document.attributeNodeName.Assign(u"");  // now a node that is still unknown is reported
    for (const auto& deferred : document.deferredAttributeStatements) {
        document.attributeNodeIndex = document.slaveLookup.Find(document.nodes, deferred.nodeName.View());
        document.statement = deferred.statement;
        const int issuesBefore = document.loadIssueTypes.Count();
        const bool kept = ReadNodeAttributesStatement(document, deferred.depth);
        ReportUnlessKept(document, kept, issuesBefore);
    }
}

// The text up to a zero byte, without the spaces around it: a statement as the model keeps
// it, and the parts of it before and after a '}'.
std::string_view KeptText(std::string_view text) { return TrimmedView(text.substr(0, text.find('\0'))); }

// Keeps the part of the statement that ended a block, when text stood before its '}';
// false when there is none.
bool SetBlockTail(corvdekLINDefinitionFile& document, std::string_view text, std::size_t closeAt,
                  int closeDepth) {
    document.blockTailDepth = -1;
    if (closeAt == std::string_view::npos) return false;
    document.blockTail = KeptText(text.substr(0, closeAt));
    if (document.blockTail.empty()) return false;
    document.afterBlock = KeptText(text.substr(closeAt));
    document.blockTailDepth = closeDepth;
    return true;
}

// Cuts the bytes into statements. Returns false when a statement grows too long.
class StatementScanner {
public:
    StatementScanner(corvdekLINDefinitionFile& document, std::string_view bytes)
        : document_(document), bytes_(bytes), marks_(bytes) {}

    bool Scan() {
        collected_.reserve(std::min(bytes_.size(), kMaxStatementLength + 1));
        std::size_t i = 0;
        while (i < bytes_.size()) {
            // The limit is checked before every collected run, also one that would be
            // dropped; a statement handed over where it stands is checked by its length.
            if (collected_.size() > kMaxStatementLength) return false;
            const bool outsideComments = !lineComment_ && !blockComment_;
            const std::size_t end = outsideComments ? marks_.Next(i) : EndOfComment(i);
            if (end > i && outsideComments && EndsStatementAsIs(i, end)) {
                // Most statements stand on one line: handed over where they are, uncopied.
                ProcessStatement(bytes_.substr(i, end - i), bytes_[end] == '{');
                i = end + 1;
                continue;
            }
            if (end > i) {
                i = outsideComments ? i + Collect(bytes_.substr(i, end - i)) : end;
                continue;
            }
            if (outsideComments && bytes_[i] == '"') {
                i += CollectQuotedText(bytes_.substr(i));
                continue;
            }
            ScanMark(i, outsideComments);
            ++i;
        }
        // The end of a block with no ';' before its '}' (a composite node's list) is no
        // unterminated statement; whatever follows the last brace is.
        if (closeAt_ != std::string::npos) {
            collected_.resize(closeAt_);
            EndStatement(false);
        }
        return true;
    }

private:
    static bool IsCommentMark(char byte) { return byte == '\n' || byte == '\r' || byte == '/'; }

    // Inside a comment only line ends and slashes can change anything.
    std::size_t EndOfComment(std::size_t i) {
        for (i = marks_.Next(i); i < bytes_.size() && !IsCommentMark(bytes_[i]); i = marks_.Next(i + 1)) {
        }
        return i;
    }

    // Whether the plain text from `start` to `end` is a whole statement: nothing was
    // collected before it, a ';' or '{' follows it, and it is within the length limit.
    bool EndsStatementAsIs(std::size_t start, std::size_t end) const {
        return collected_.empty() && closeAt_ == std::string::npos && end < bytes_.size() &&
               (bytes_[end] == ';' || bytes_[end] == '{') && end - start <= kMaxStatementLength;
    }

    // Copies a run of statement text, but never past the limit; returns the bytes taken.
    std::size_t Collect(std::string_view text) {
        const std::size_t room = kMaxStatementLength + 1 - collected_.size();
        const std::size_t take = std::min(text.size(), room);
        collected_.append(text.substr(0, take));
        return take;
    }

    // A double-quoted text that closes on its line is copied whole: ';', braces and comment
    // marks inside it are text. A quote left open protects nothing.
    std::size_t CollectQuotedText(std::string_view text) {
        const std::size_t closing = text.find_first_of("\"\n\r", 1);
        if (closing == std::string_view::npos || text[closing] != '"') return Collect(text.substr(0, 1));
        return Collect(text.substr(0, closing + 1));
    }

    void ScanMark(std::size_t i, bool outsideComments) {
        switch (bytes_[i]) {
            case '\t': break;
            case '\n':
            case '\r': lineComment_ = false; break;
            case '/': ScanSlash(i, outsideComments); break;
            case ';':
                if (outsideComments) EndStatement(false);
                break;
            case '{':
                if (outsideComments) EndStatement(true);
                break;
            case '}':
                // Only lowers the depth: the text collected so far begins the next statement.
                // Where the first brace stood is kept for the readers of lists in braces.
                if (outsideComments) {
                    if (closeAt_ == std::string::npos) {
                        closeAt_ = collected_.size();
                        closeDepth_ = depth_;
                    }
                    --depth_;
                }
                break;
            default: break;
        }
    }

    void ScanSlash(std::size_t i, bool outsideComments) {
        const bool afterStar = i > 0 && bytes_[i - 1] == '*';
        if (blockComment_) {
            // Only a star after the opening one closes the comment ('/*/' does not), and the
            // closing slash starts nothing: '/* a *//* b */' holds two comments.
            if (afterStar && i != blockOpenedAt_ + 2) blockComment_ = false;
            return;
        }
        const bool hasNext = i + 1 < bytes_.size();
        const bool opensBlock = hasNext && bytes_[i + 1] == '*' && !lineComment_;
        const bool opensLine = hasNext && bytes_[i + 1] == '/';
        if (opensBlock) {
            blockComment_ = true;
            blockOpenedAt_ = i;
        }
        if (opensLine) lineComment_ = true;
        if (afterStar) blockComment_ = false;  // a stray '*/*' leaves no comment open
        // A slash that is no part of a comment mark is text (a unit such as km/h).
        if (outsideComments && !opensBlock && !opensLine) collected_.push_back('/');
    }

    void EndStatement(bool opensBlock) {
        ProcessStatement(collected_, opensBlock);
        collected_.clear();
        closeAt_ = std::string::npos;
    }

    // A statement ends at a ';', or at a '{' that opens a block inside which the next ones stand.
    void ProcessStatement(std::string_view text, bool opensBlock) {
        document_.ProcessStatement(text, depth_, opensBlock, closeAt_, closeDepth_);
        if (opensBlock) ++depth_;
    }

    corvdekLINDefinitionFile& document_;
    std::string_view bytes_;
    // The bytes that end a run of plain statement text.
    MarkFinder<'\t', '\n', '\r', '/', ';', '{', '}', '"'> marks_;
    std::string collected_;
    int depth_ = 0;
    std::size_t closeAt_ = std::string::npos;
    int closeDepth_ = -1;
    bool lineComment_ = false;
    bool blockComment_ = false;
    std::size_t blockOpenedAt_ = 0;  // where the '/' of the open block comment stands
};

// The statement being read is a view into the bytes of the load, which end with it.
void ForgetStatementText(corvdekLINDefinitionFile& document) {
    document.statement = {};
    document.blockTail = {};
    document.afterBlock = {};
}

void StartLoad(corvdekLINDefinitionFile& document) {
    document.Reset();
    document.loadIssueTypes.Clear();
    document.loadIssueDetails.Clear();
    document.loadIssueLevels.Clear();
    document.section = kSectionNone;
    document.attributeNodeName.Assign(u"");
    document.deferredAttributeStatements.clear();
    document.slaveLookup.Clear();
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
    StatementScanner scanner(*this, WithoutByteOrderMark(bytes, converted));
    const bool scanned = scanner.Scan();
    ForgetStatementText(*this);
    if (!scanned) {
        lastLoadError = u"A line in the LDF file exceeded 65000 characters";
        AddLoadIssue("LIN File line too long.",
                     corvString(u"A line in the LDF file exceeded 65000 characters"),
                     kLevelWarning);
        return false;
    }
    ReadDeferredNodeAttributes(*this);
    ForgetStatementText(*this);
    ResolveSignalEncodings();
    UpdateJ2602Flag();
    return true;
}

void corvdekLINDefinitionFile::ProcessStatement(std::string_view text, int depth,
                                                bool opensBlock, std::size_t closeAt,
                                                int closeDepth) {
    statement = KeptText(text);
    if (statement.empty()) return;
    // Asked of the result, not of `blockTailDepth` just written: the compiler reads that
    // together with `section` beside it as one 8-byte word, and a read wider than a write
    // just made waits until the write has left the processor's store buffer.
    const bool hasTail = SetBlockTail(*this, text, closeAt, closeDepth);
    if (hasTail && closeDepth == 3 && section == kSectionComposite) {
        // A composite node's list may close without ';': the list, then the next statement.
        ReadCompositeNodeList(*this, blockTail);
        statement = afterBlock;
        blockTailDepth = -1;
        if (statement.empty()) return;
    }
    if (depth == 0 && ProcessTopLevelStatement(*this)) return;
    if (depth == 0 && opensBlock) {
        // A section this program does not know (a misspelt keyword, a tool's own section):
        // reported once, and its statements go with it rather than to the section before.
        section = kSectionUnknown;
        ReportStatement("LDF Section not supported.",
                        u"This section is not known and will not be saved: ", kLevelWarning);
        return;
    }
    const int issuesBefore = loadIssueTypes.Count();
    const bool kept = DispatchToSectionReader(*this, depth);
    ReportUnlessKept(*this, kept, issuesBefore);
}
