#pragma once
// Cuts the bytes of an LDF file into statements at ";" and "{" while it tracks the brace
// depth and the line, reads white space between words as one space, and hands every
// comment to the object line it belongs to.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "byte_search.h"
#include "load_context.h"

// One statement as the scanner cut it. `closeAt` is the position in `text` of the first '}'
// met while it was collected (npos for none) and `closeDepth` the depth just inside that
// brace.
struct ScannedStatement {
    std::string_view text;
    int depth = 0;
    bool opensBlock = false;  // a '{' ended it
    std::size_t closeAt = std::string_view::npos;
    int closeDepth = -1;
    SourcePlace place;
};

// Reads one statement into the model (the load driver).
void ProcessStatement(LoadContext& load, const ScannedStatement& statement);

class StatementScanner {
public:
    StatementScanner(LoadContext& load, std::string_view bytes);

    // False when a statement grows too long.
    bool Scan();
    // Whether the bytes held anything besides comments and white space.
    bool HasContent() const { return hasContent_; }
    // Where the statement being collected starts.
    SourcePlace StatementPlace() const { return statementPlace_; }

private:
    bool EndsStatementAsIs(std::size_t start, std::size_t end) const;
    std::size_t Collect(std::size_t from, std::size_t end);
    std::size_t CollectQuotedText(std::size_t from);
    void NoteStatementStart(std::size_t at);
    void Separate();
    std::size_t EndOfComment(std::size_t i);
    void ScanMark(std::size_t i, bool outsideComments);
    void ScanLineBreak(std::size_t i);
    void ScanSlash(std::size_t i, bool outsideComments);
    void CloseBlock();
    void EndStatement(bool opensBlock);
    void ProcessStatementText(std::string_view text, bool opensBlock, SourcePlace place);
    std::size_t Length() const { return collected_.size() - separators_; }

    // Comments.
    void CommentOpened(std::size_t at);
    void CommentClosed(std::size_t end);
    void AttachComments(const CommentAnchor& anchor, std::vector<corvString>& comments,
                        CommentPlace place);
    void KeepStatementComments();
    void InnerCommentsWait();
    void KeepCommentsLeftAtEnd();
    void KeepDocumentComments(std::u16string_view slot);

    LoadContext& load_;
    std::string_view bytes_;
    // The bytes that end a run of plain statement text.
    MarkFinder<'\t', '\n', '\r', '/', ';', '{', '}', '"'> marks_;
    std::string collected_;
    std::size_t separators_ = 0;  // spaces that stand for white space in `collected_`
    bool statementStarted_ = false;
    SourcePlace statementPlace_;
    bool hasContent_ = false;
    int depth_ = 0;
    std::size_t closeAt_ = std::string::npos;
    int closeDepth_ = -1;
    bool lineComment_ = false;
    bool blockComment_ = false;
    std::size_t blockOpenedAt_ = 0;  // where the '/' of the open block comment stands
    int line_ = 1;
    std::size_t lineStart_ = 0;

    // Comments waiting for the statement after them, and those met inside the statement
    // being collected.
    std::vector<corvString> leading_;
    std::vector<corvString> inner_;
    std::size_t commentStart_ = 0;
    int commentLine_ = 0;
    bool commentInner_ = false;
    bool firstStatement_ = true;
    // A comment that starts on `sameLine` goes to this object line: after a statement on
    // its line, or at the end of a block closed on it.
    CommentAnchor sameLineAnchor_;
    CommentPlace sameLinePlace_ = CommentPlace::kAfter;
    int sameLine_ = 0;
    // The object line of every open block, for the comments before its '}', and of the
    // block closed last.
    struct OpenBlock {
        LdfComments* comments;
        corvString slot;
    };
    std::vector<OpenBlock> openBlocks_;
    corvString closedBlockSlot_;
};
