#pragma once
// The section writers of the LDF writer, in the order of the layout.

#include <initializer_list>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "foundation/corv_arrays.h"
#include "foundation/text_lines.h"
#include "model/ldf_tokens.h"
#include "ldf_writer.h"
#include "model/comments.h"

// One object line's comments: the object's comments and the slot of the line. The slot is
// compared piece by piece, never built: most objects have no comments at all.
class CommentRef {
public:
    explicit CommentRef(const LdfComments& comments, std::u16string_view slot = {})
        : comments_(&comments), kind_(slot) {}
    // The slot of an entry of the object's block: "kind:name".
    static CommentRef Entry(const LdfComments& comments, std::u16string_view kind, std::u16string_view name) {
        CommentRef ref(comments, kind);
        ref.name_ = name;
        ref.entry_ = true;
        return ref;
    }

    bool IsEmpty() const { return comments_->IsEmpty(); }
    const LdfComments& Comments() const { return *comments_; }
    const std::vector<LdfComment>& Entries() const { return comments_->Entries(); }
    bool Matches(const LdfComment& comment) const;

private:
    const LdfComments* comments_;
    std::u16string_view kind_;
    std::u16string_view name_;
    bool entry_ = false;
};

// Whose value a note names: an object ("Signal 'A'") or a statement ("LIN_speed"). The
// text is made only for a note: most objects need none.
struct Owner {
    Owner(const char16_t* statement) : kind(statement) {}  // NOLINT: implicit, as a statement names itself
    Owner(std::u16string_view objectKind, const corvString& objectName)
        : kind(objectKind), name(objectName.View()), named(true) {}
    std::u16string Text() const;

    std::u16string_view kind;
    std::u16string_view name;
    bool named = false;
};

// The lines being written, and what could not be written as valid LDF at all.
class LdfOutput {
public:
    explicit LdfOutput(corvStringArray* leftOut, LdfRendering rendering = LdfRendering::kValidLdf)
        : leftOut_(leftOut), everyValue_(rendering == LdfRendering::kEveryValue) {}

    // Whether a value may stand where the grammar wants a token of its kind: when it is one,
    // or when every value is written as it is.
    bool IsName(std::u16string_view text) const { return everyValue_ || IsLdfName(text); }
    bool IsInteger(std::u16string_view text) const { return everyValue_ || IsLdfInteger(text); }
    bool IsReal(std::u16string_view text) const { return everyValue_ || IsLdfReal(text); }
    bool IsText(std::u16string_view text) const { return everyValue_ || IsLdfText(text); }
    bool KeepsEveryValue() const { return everyValue_; }

    // Pieces as TextLines takes them: the writer's ASCII literals and the model's texts.
    template <class... Pieces>
    void Line(const Pieces&... pieces) {
        Append(pieces...);
        EndLine();
    }
    // A line of a varying number of pieces: appended in turn, then ended.
    template <class... Pieces>
    void Append(const Pieces&... pieces) {
        if (!pendingHeads_.empty()) WritePendingHead();
        lines_.Append(pieces...);
    }
    void EndLine() { lines_.EndLine(); }
    void Blank() { lines_.Blank(); }

    // A statement of one line with its comments: those before it on lines of their own,
    // those after it (and those of the end of its block, when it had one) at its end.
    template <class... Pieces>
    void Line(const CommentRef& ref, const Pieces&... pieces) {
        StartLine(ref, pieces...);
        EndLine(ref, true);
    }
    // The head line of a block with its comments; CloseBlock writes the rest.
    template <class... Pieces>
    void OpenBlock(const CommentRef& ref, const Pieces&... pieces) {
        StartLine(ref, pieces...);
        EndLine(ref, false);
    }
    void CloseBlock(const CommentRef& ref, std::u16string_view closingLine);
    // The comments before a statement whose line is then appended piece by piece; they are
    // indented as the line's first piece is. Most objects have no comment, and their lines
    // are written straight away.
    template <class First, class... Pieces>
    void StartLine(const CommentRef& ref, const First& first, const Pieces&... pieces) {
        if (!ref.IsEmpty()) CommentsBefore(ref, text_pieces::LeadingBlanks(first));
        Append(first, pieces...);
    }
    // Ends the line with the comments after its statement, and with those of the end of
    // its block when the block is written on this one line.
    void EndLine(const CommentRef& ref, bool withBlockEnd) {
        if (!ref.IsEmpty()) AppendTrailingComments(ref, withBlockEnd);
        lines_.EndLine();
    }
    // The comments of one place of a line, each on lines of its own.
    void CommentLines(const CommentRef& ref, CommentPlace place, std::u16string_view indent);

    // A block whose head line is written with its first line: the LIN grammar allows most
    // blocks no empty body, so one without a line is left out whole. Blocks nest.
    void OpenSection(const CommentRef& ref, std::u16string_view head) {
        pendingHeads_.push_back({std::u16string(head), ref});
    }
    // False when nothing was written inside, and so the block was left out.
    bool CloseSection(const CommentRef& ref, std::u16string_view tail = u"}");
    // Notes a value that is left out, with the reason.
    void LeftOut(std::initializer_list<std::u16string_view> pieces);
    // Notes that `what` of `owner` ("Signal 'A'", "the publisher") holds a value that is no
    // valid token where the grammar wants it, and what is left out for it.
    void LeftOutValue(const Owner& owner, std::u16string_view what, std::u16string_view value,
                      std::u16string_view consequence);
    // The comments of written objects that no written line took (their line is no longer
    // written) go to the end, so that a save loses none but those of objects left out.
    void WriteUnplacedComments();
    std::string Take() { return lines_.Take(); }

private:
    struct PendingHead {
        std::u16string head;
        CommentRef comments;
    };

    void WritePendingHead();
    void WriteComment(const LdfComment& comment);
    void CommentsBefore(const CommentRef& ref, std::u16string_view indent);
    void AppendTrailingComments(const CommentRef& ref, bool withBlockEnd);

    TextLines lines_;
    corvStringArray* leftOut_;
    bool everyValue_;
    std::vector<PendingHead> pendingHeads_;
    std::unordered_set<const LdfComment*> written_;
    std::vector<const LdfComments*> visited_;  // the comments of the objects written
};

// The entries of a list of names that can be written; each other one is named as left out
// of `what` of `owner`.
std::vector<std::u16string_view> WritableNames(const corvStringArray& names, const Owner& owner,
                                               std::u16string_view what, LdfOutput& out);

// 'signal, offset;' lines of a frame, a diagnostic frame or a signal group; an entry that is
// no name and offset is named and left out.
void WriteSignalLayout(const corvStringArray& names, const corvStringArray& offsets, const LdfComments& comments,
                       const Owner& owner, std::u16string_view indent, LdfOutput& out);

// 'logical_value, ...;' and the other values of an encoding, each on a line of its own after
// `indent`; one that cannot be written validly is named as left out of `typeName`.
class corvdekLINSignalEncodingTypeItem;
void WriteEncodingPart(std::u16string_view typeName, const corvdekLINSignalEncodingTypeItem& part,
                       std::u16string_view indent, LdfOutput& out);

class corvdekLINDefinitionFile;
void WriteHeaderStatements(const corvdekLINDefinitionFile& document, LdfOutput& out);
void WriteNodesSection(const corvdekLINDefinitionFile& document, LdfOutput& out);
void WriteSignalsSection(const corvdekLINDefinitionFile& document, LdfOutput& out);
void WriteFramesSection(const corvdekLINDefinitionFile& document, LdfOutput& out);
void WriteCompositeSection(const corvdekLINDefinitionFile& document, LdfOutput& out);
void WriteDiagnosticSignalsSection(const corvdekLINDefinitionFile& document, LdfOutput& out);
void WriteSignalGroupsSection(const corvdekLINDefinitionFile& document, LdfOutput& out);
void WriteDynamicFramesSection(const corvdekLINDefinitionFile& document, LdfOutput& out);
void WriteSporadicFramesSection(const corvdekLINDefinitionFile& document, LdfOutput& out);
void WriteEventFramesSection(const corvdekLINDefinitionFile& document, LdfOutput& out);
void WriteDiagnosticFramesSection(const corvdekLINDefinitionFile& document, LdfOutput& out);
void WriteDiagnosticAddressesSection(const corvdekLINDefinitionFile& document, LdfOutput& out);
void WriteNodeAttributesSection(const corvdekLINDefinitionFile& document, LdfOutput& out);
void WriteScheduleTablesSection(const corvdekLINDefinitionFile& document, LdfOutput& out);
void WriteEncodingTypesSection(const corvdekLINDefinitionFile& document, LdfOutput& out);
void WriteRepresentationSection(const corvdekLINDefinitionFile& document, LdfOutput& out);
