// Turning an LDF file into the document: the scanner cuts the bytes into statements; the
// section keywords and the header statements are handled here, every other statement goes
// to the reader of the current section.

#include <algorithm>
#include <string>
#include <string_view>

#include "foundation/corv_file.h"
#include "foundation/text_encoding.h"
#include "load_context.h"
#include "section_readers.h"
#include "statement_scanner.h"
#include "statement_text.h"

namespace {

struct SectionKeyword {
    std::string_view keyword;
    LdfSection section;
    std::u16string_view slot;  // the keyword, as its comments' slot
};

// Compared with the whole statement at depth 0, in this order.
constexpr SectionKeyword kSectionKeywords[] = {
    {"Nodes", kSectionNodes, u"Nodes"},
    {"Signals", kSectionSignals, u"Signals"},
    {"Frames", kSectionFrames, u"Frames"},
    {"Schedule_tables", kSectionScheduleTables, u"Schedule_tables"},
    {"Signal_encoding_types", kSectionEncodingTypes, u"Signal_encoding_types"},
    {"Signal_representation", kSectionRepresentation, u"Signal_representation"},
    {"Node_attributes", kSectionNodeAttributes, u"Node_attributes"},
    {"composite", kSectionComposite, u"composite"},
    {"Diagnostic_signals", kSectionDiagnosticSignals, u"Diagnostic_signals"},
    {"Signal_groups", kSectionSignalGroups, u"Signal_groups"},
    {"dynamic_frames", kSectionDynamicFrames, u"dynamic_frames"},
    {"Sporadic_frames", kSectionSporadicFrames, u"Sporadic_frames"},
    {"Event_triggered_frames", kSectionEventFrames, u"Event_triggered_frames"},
    {"Diagnostic_frames", kSectionDiagnosticFrames, u"Diagnostic_frames"},
    {"Diagnostic_addresses", kSectionDiagnosticAddresses, u"Diagnostic_addresses"},
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
void ReadHeaderStatement(LoadContext& load, corvString& target, const char* issueType,
                         bool* given = nullptr) {
    const StatementFields fields(load.statement, "=");
    if (fields.Count() != 2) {
        load.ReportStatement(issueType, u"This line is incorrect: ", kLevelError);
        return;
    }
    target = Unquoted(fields.Item(1));
    if (given != nullptr) *given = true;
}

// LIN_speed is stated in kbit/s; a value in bit/s ('19200 bps') is converted to kbit/s.
void ReadSpeedStatement(LoadContext& load) {
    corvdekLINDefinitionFile& document = load.document;
    const StatementFields fields(load.statement, "=");
    if (fields.Count() != 2) {
        load.ReportStatement("The LIN Speed is specified incorrectly.", u"This line is incorrect: ",
                             kLevelError);
        return;
    }
    corvString unit = Trimmed(fields.Item(1));
    unit.ToLower();
    const bool inBitsPerSecond = unit.View().ends_with(u"bps") && !unit.View().ends_with(u"kbps");
    document.speed = WithoutCharacters(fields.Item(1), "kbpsKBPS");
    if (inBitsPerSecond) document.speed.SetDouble(document.speed.ToDouble() / 1000.0);
}

// The header statement of a depth-0 statement, by the slot its comments are kept under;
// empty for none.
std::u16string_view ReadHeaderStatement(LoadContext& load) {
    corvdekLINDefinitionFile& document = load.document;
    const std::string_view statement = load.statement;
    const std::string_view head = statement.substr(0, 8);
    // The text before "=" of a 'keyword = value' statement.
    const std::string_view name = TrimmedView(SplitAtFirst(statement, '=').head);
    if (head == "LIN_prot") {
        ReadHeaderStatement(load, document.protocolVersion, "The LIN Protocol is specified incorrectly.");
        return u"LIN_protocol_version";
    }
    if (head == "LIN_lang") {
        ReadHeaderStatement(load, document.languageVersion, "The LIN Language is specified incorrectly.");
        return u"LIN_language_version";
    }
    if (head == "LIN_spee") {
        ReadSpeedStatement(load);
        return u"LIN_speed";
    }
    if (name == "Channel_name") {
        ReadHeaderStatement(load, document.channelName, "The LIN Channel Name is specified incorrectly.",
                            &document.channelNameGiven);
        return u"Channel_name";
    }
    if (name == "LDF_file_revision") {
        ReadHeaderStatement(load, document.fileRevision, "The LDF File Revision is specified incorrectly.",
                            &document.fileRevisionGiven);
        return u"LDF_file_revision";
    }
    if (statement == "LIN_sig_byte_order_big_endian" || statement == "LIN_sig_byte_order_little_endian") {
        document.signalByteOrder.AssignCodePage(statement.substr(statement.rfind("order_") + 6));
        return u"LIN_sig_byte_order";
    }
    // The opening statement carries nothing; the writer always writes it.
    if (statement == "LIN_description_file") return u"LIN_description_file";
    return {};
}

// Handles a depth-0 statement that is a section keyword or a header statement.
bool ProcessTopLevelStatement(LoadContext& load) {
    for (const auto& [keyword, section, slot] : kSectionKeywords) {
        if (load.statement == keyword) {
            load.section = section;
            if (section == kSectionNodeAttributes) {
                load.attributeNodeIndex = -1;
                load.attributeNodeName.Assign(u"");
            }
            load.knowsLdf = true;
            load.AnchorAt(load.document.comments, slot);
            return true;
        }
    }
    const std::u16string_view slot = ReadHeaderStatement(load);
    if (slot.empty()) return false;
    load.knowsLdf = true;
    load.AnchorAt(load.document.comments, slot);
    return true;
}

// True when the statement was taken into the model or its problem reported.
bool DispatchToSectionReader(LoadContext& load, int depth) {
    switch (load.section) {
        case kSectionNodes: return depth == 1 && ReadNodesStatement(load);
        case kSectionSignals: return ReadSignalStatement(load);
        case kSectionFrames: return ReadFrameStatement(load, depth);
        case kSectionScheduleTables: return ReadScheduleTableStatement(load, depth);
        case kSectionEncodingTypes: return ReadEncodingTypeStatement(load, depth);
        case kSectionRepresentation: return ReadRepresentationStatement(load);
        case kSectionDiagnosticFrames: return ReadDiagnosticFrameStatement(load, depth);
        case kSectionEventFrames: return ReadEventFrameStatement(load);
        case kSectionSporadicFrames: return ReadSporadicFrameStatement(load);
        case kSectionDynamicFrames: return ReadDynamicFramesStatement(load);
        case kSectionSignalGroups: return ReadSignalGroupStatement(load, depth);
        case kSectionDiagnosticSignals: return ReadDiagnosticSignalStatement(load);
        case kSectionDiagnosticAddresses: return ReadDiagnosticAddressStatement(load);
        case kSectionNodeAttributes: return ReadNodeAttributesStatement(load, depth);
        case kSectionComposite: return ReadCompositeStatement(load, depth);
        // The section was reported once when it opened; its statements go with it.
        case kSectionUnknown: return depth > 0;
        default: return false;  // before the first section
    }
}

void ReportUnlessKept(LoadContext& load, bool kept, int issuesBefore) {
    if (kept || load.document.loadIssueTypes.Count() > issuesBefore) return;
    load.ReportStatement("LDF Statement not supported.",
                         u"This statement is not kept and will not be saved: ", kLevelWarning);
}

// Moves comments that waited with a statement to the object line it became, or to the end
// of the file when it became none.
void MoveComments(const LdfComments& from, LoadContext& load) {
    const CommentAnchor& anchor = load.anchor;
    for (const LdfComment& comment : from.Entries()) {
        if (anchor.comments != nullptr) {
            anchor.Add(comment.place, comment.text);
        } else {
            load.document.comments.Add(u"end", CommentPlace::kBefore, comment.text);
        }
    }
}

// The Node_attributes statements of nodes that were not known when they were read. A
// block's opening statement only brings its comments to the node.
void ReadDeferredNodeAttributes(LoadContext& load) {
    load.attributeNodeName.Assign(u"");  // now a node that is still unknown is reported
    for (const auto& deferred : load.deferredAttributeStatements) {
        load.attributeNodeIndex = load.slaveLookup.Find(load.document.nodes, deferred.nodeName.View());
        load.statement = deferred.statement;
        load.place = deferred.place;
        load.anchor.comments = nullptr;
        corvdekLINNode* node = load.document.nodes.Get(load.attributeNodeIndex);
        if (deferred.depth == 1) {
            if (node != nullptr) load.AnchorAt(node->comments);
        } else {
            const int issuesBefore = load.document.loadIssueTypes.Count();
            const bool kept = ReadNodeAttributesStatement(load, deferred.depth);
            ReportUnlessKept(load, kept, issuesBefore);
        }
        MoveComments(deferred.comments, load);
    }
    load.statement = {};
}

// The text up to a zero byte, without the spaces around it: a statement as the model keeps
// it, and the parts of it before and after a '}'.
std::string_view KeptText(std::string_view text) { return TrimmedView(text.substr(0, text.find('\0'))); }

// Keeps the part of the statement that ended a block, when text stood before its '}';
// false when there is none.
bool SetBlockTail(LoadContext& load, const ScannedStatement& scanned) {
    load.blockTailDepth = -1;
    if (scanned.closeAt == std::string_view::npos) return false;
    load.blockTail = KeptText(scanned.text.substr(0, scanned.closeAt));
    if (load.blockTail.empty()) return false;
    load.afterBlock = KeptText(scanned.text.substr(scanned.closeAt));
    load.blockTailDepth = scanned.closeDepth;
    return true;
}

void StartLoad(corvdekLINDefinitionFile& document) {
    document.Reset();
    document.loadIssueTypes.Clear();
    document.loadIssueDetails.Clear();
    document.loadIssueLevels.Clear();
    document.loadIssuePlaces.clear();
}

// A file with text of which not one statement is LDF (a picture, a document of another
// kind) is refused rather than opened as an empty cluster with a list of nonsense.
void RefuseAsNoLdf(corvdekLINDefinitionFile& document) {
    StartLoad(document);
    document.lastLoadError.Assign(kNotAnLdfFile);
}

}  // namespace

corvString CommentAnchor::Slot() const {
    corvString slot(kind);
    if (entry) {
        slot.Append(u":");
        slot.Append(name);
    }
    return slot;
}

void LoadContext::ReportStatement(const char* type, const char16_t* leadIn, const char* level) {
    corvString details(leadIn);
    details.Append(Converted(statement));
    AddLoadIssue(type, details, level);
}

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
    LoadContext load(*this);
    std::string converted;
    StatementScanner scanner(load, WithoutByteOrderMark(bytes, converted));
    if (!scanner.Scan()) {
        lastLoadError = u"A line in the LDF file exceeded 65000 characters";
        AddLoadIssue("LIN File line too long.", corvString(u"A line in the LDF file exceeded 65000 characters"),
                     kLevelWarning, scanner.StatementPlace());
        return false;
    }
    if (scanner.HasContent() && !load.knowsLdf) {
        RefuseAsNoLdf(*this);
        return false;
    }
    ReadDeferredNodeAttributes(load);
    ResolveSignalEncodings();
    UpdateJ2602Flag();
    return true;
}

void ProcessStatement(LoadContext& load, const ScannedStatement& scanned) {
    load.statement = KeptText(scanned.text);
    if (load.statement.empty()) return;
    load.place = scanned.place;
    const bool hasTail = SetBlockTail(load, scanned);
    if (hasTail && scanned.closeDepth == 3 && load.section == kSectionComposite) {
        // A composite node's list may close without ';': the list, then the next statement.
        ReadCompositeNodeList(load, load.blockTail);
        load.statement = load.afterBlock;
        load.blockTailDepth = -1;
        if (load.statement.empty()) return;
    }
    if (scanned.depth == 0 && ProcessTopLevelStatement(load)) return;
    if (scanned.depth == 0 && scanned.opensBlock) {
        // A section this program does not know (a misspelt keyword, a tool's own section):
        // reported once, and its statements go with it rather than to the section before.
        load.section = kSectionUnknown;
        load.ReportStatement("LDF Section not supported.",
                             u"This section is not known and will not be saved: ", kLevelWarning);
        return;
    }
    const int issuesBefore = load.document.loadIssueTypes.Count();
    const bool kept = DispatchToSectionReader(load, scanned.depth);
    ReportUnlessKept(load, kept, issuesBefore);
}
