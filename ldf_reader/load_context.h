#pragma once
// The state of one load, which the scanner owns and hands to the section readers: the
// statement being read and where it stands in the file, the current section, the node
// whose attributes are read, and the comments that wait for the statement they belong to.
// The document receives only the cluster, its load issues and its comments.

#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "model/comments.h"
#include "model/definition_file.h"
#include "model/name_index.h"

// The section a statement belongs to while a file is loaded.
enum LdfSection {
    kSectionNodes = 0,
    kSectionSignals = 1,
    kSectionFrames = 2,
    kSectionScheduleTables = 3,
    kSectionEncodingTypes = 4,
    kSectionRepresentation = 5,
    kSectionDiagnosticFrames = 6,
    kSectionEventFrames = 7,
    kSectionSporadicFrames = 8,
    kSectionDynamicFrames = 9,
    kSectionSignalGroups = 10,
    kSectionDiagnosticSignals = 11,
    kSectionNodeAttributes = 12,
    kSectionComposite = 13,
    kSectionDiagnosticAddresses = 14,
    kSectionNone = 15,
    kSectionUnknown = 16  // a block this program does not know; reported once
};

// Where a comment goes: an object's comments and the slot of one of its lines, a kind
// alone ("Master", "" for the object's own statement) or a kind and a name ("signal",
// "Wiper_Speed"). The slot's text is made only when a comment comes, as most statements have
// none; the views point to static texts or into the object, and hold until the next
// statement is read.
struct CommentAnchor {
    LdfComments* comments = nullptr;
    std::u16string_view kind;
    std::u16string_view name;
    bool entry = false;

    corvString Slot() const;
    void Add(CommentPlace place, const corvString& text) const { comments->Add(Slot().View(), place, text); }
};

class LoadContext {
public:
    explicit LoadContext(corvdekLINDefinitionFile& loadedDocument) : document(loadedDocument) {}
    LoadContext(const LoadContext&) = delete;
    LoadContext& operator=(const LoadContext&) = delete;

    corvdekLINDefinitionFile& document;

    // The statement being read, as the file's 8-bit text without the spaces around it.
    // When a '}' stood inside the statement, `blockTail` is the text before it (trimmed:
    // the end of the block it closed, such as a byte array's values or a command's
    // arguments), `afterBlock` the text after it, and `blockTailDepth` the depth inside
    // that block. The views point into the text being scanned and hold while it is read.
    std::string_view statement;
    std::string_view blockTail;
    std::string_view afterBlock;
    int blockTailDepth = -1;  // -1: no '}' with text before it
    SourcePlace place;        // where the statement starts
    int section = kSectionNone;
    bool knowsLdf = false;  // a header statement or a section keyword was read

    // The node whose Node_attributes block is being read, -1 for none. A block that names a
    // node not known yet keeps its statements, and their comments, for the end of the load,
    // as the Nodes section may come later. A deque: anchors point at the kept comments.
    int attributeNodeIndex = -1;
    corvString attributeNodeName;
    struct DeferredAttributeStatement {
        corvString nodeName;
        std::string statement;
        int depth;
        SourcePlace place;
        LdfComments comments;
    };
    std::deque<DeferredAttributeStatement> deferredAttributeStatements;
    SlaveNameLookup slaveLookup;

    // Set by a reader to the object line the statement became; its comments go there.
    CommentAnchor anchor;

    // A load issue at the statement's place.
    void AddLoadIssue(const char* type, const corvString& details, const char* level) {
        document.AddLoadIssue(type, details, level, place);
    }
    // A load issue whose details are a lead-in followed by the statement.
    void ReportStatement(const char* type, const char16_t* leadIn, const char* level);
    // Comments of the statement go to this object line (`slot` a static text) ...
    void AnchorAt(LdfComments& comments, std::u16string_view slot = {}) { anchor = {&comments, slot, {}, false}; }
    // ... or to this entry of the object's block, slot "kind:name".
    void AnchorAtEntry(LdfComments& comments, std::u16string_view kind, std::u16string_view name) {
        anchor = {&comments, kind, name, true};
    }
};
