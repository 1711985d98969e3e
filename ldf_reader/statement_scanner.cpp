#include "statement_scanner.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace {

// Nothing but spaces before the end of the text or a zero byte, where the text ends.
bool IsBlank(std::string_view text) {
    for (const char byte : text) {
        if (byte == '\0') return true;
        if (byte != ' ') return false;
    }
    return true;
}

// CR LF and a lone CR as LF.
std::u16string WithLineFeeds(std::u16string_view text) {
    std::u16string lines;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r') {
            lines.push_back(text[i]);
        } else if (i + 1 >= text.size() || text[i + 1] != u'\n') {
            lines.push_back(u'\n');
        }
    }
    return lines;
}

bool IsUnclosedBlockComment(std::u16string_view text) {
    return text.starts_with(u"/*") && (text.size() < 4 || !text.ends_with(u"*/"));
}

}  // namespace

StatementScanner::StatementScanner(LoadContext& load, std::string_view bytes)
    : load_(load), bytes_(bytes), marks_(bytes) {}

bool StatementScanner::Scan() {
    collected_.reserve(std::min(bytes_.size(), kMaxStatementLength + 1));
    std::size_t i = 0;
    while (i < bytes_.size()) {
        // The limit is checked before every collected run, also one that would be
        // dropped; a statement handed over where it stands is checked by its length.
        if (Length() > kMaxStatementLength) return false;
        const bool outsideComments = !lineComment_ && !blockComment_;
        const std::size_t end = outsideComments ? marks_.Next(i) : EndOfComment(i);
        if (end > i && outsideComments && EndsStatementAsIs(i, end)) {
            // Most statements stand on one line: handed over where they are, uncopied.
            const std::string_view text = bytes_.substr(i, end - i);
            const std::size_t first = text.find_first_not_of(' ');
            SourcePlace place{line_, 0};
            if (first != std::string_view::npos) {
                hasContent_ = true;
                place.column = static_cast<int>(i + first - lineStart_ + 1);
            }
            ProcessStatementText(text, bytes_[end] == '{', place);
            i = end + 1;
            continue;
        }
        if (end > i) {
            i = outsideComments ? i + Collect(i, end) : end;
            continue;
        }
        if (outsideComments && bytes_[i] == '"') {
            i += CollectQuotedText(i);
            continue;
        }
        ScanMark(i, outsideComments);
        ++i;
    }
    if (lineComment_ || blockComment_) CommentClosed(bytes_.size());
    // The end of a block with no ';' before its '}' (a composite node's list) is no
    // unterminated statement; whatever follows the last brace is.
    if (closeAt_ != std::string::npos) {
        collected_.resize(closeAt_);
        EndStatement(false);
    }
    KeepCommentsLeftAtEnd();
    return true;
}

// Whether the plain text from `start` to `end` is a whole statement: nothing was collected
// before it, a ';' or '{' follows it, and it is within the length limit.
bool StatementScanner::EndsStatementAsIs(std::size_t start, std::size_t end) const {
    return collected_.empty() && closeAt_ == std::string::npos && end < bytes_.size() &&
           (bytes_[end] == ';' || bytes_[end] == '{') && end - start <= kMaxStatementLength;
}

// Copies a run of statement text, but never past the limit; returns the bytes taken.
// Spaces before a statement's first word are not kept.
std::size_t StatementScanner::Collect(std::size_t from, std::size_t end) {
    const std::size_t room = kMaxStatementLength + 1 - Length();
    const std::size_t take = std::min(end - from, room);
    std::string_view text = bytes_.substr(from, take);
    if (!statementStarted_) {
        const std::size_t first = text.find_first_not_of(' ');
        if (first == std::string_view::npos) return take;
        NoteStatementStart(from + first);
        text.remove_prefix(first);
    }
    collected_.append(text);
    return take;
}

// A double-quoted text that closes on its line is copied whole: ';', braces and comment
// marks inside it are text. A quote left open protects nothing.
std::size_t StatementScanner::CollectQuotedText(std::size_t from) {
    const std::string_view text = bytes_.substr(from);
    const std::size_t closing = text.find_first_of("\"\n\r", 1);
    if (closing == std::string_view::npos || text[closing] != '"') return Collect(from, from + 1);
    return Collect(from, from + closing + 1);
}

void StatementScanner::NoteStatementStart(std::size_t at) {
    statementStarted_ = true;
    hasContent_ = true;
    statementPlace_ = {line_, static_cast<int>(at - lineStart_ + 1)};
}

// White space and comments between two words of a statement stand for one space.
void StatementScanner::Separate() {
    if (!statementStarted_ || collected_.back() == ' ') return;
    collected_.push_back(' ');
    ++separators_;
}

// Inside a comment only line ends and slashes can change anything.
std::size_t StatementScanner::EndOfComment(std::size_t i) {
    const auto isCommentMark = [](char byte) { return byte == '\n' || byte == '\r' || byte == '/'; };
    for (i = marks_.Next(i); i < bytes_.size() && !isCommentMark(bytes_[i]); i = marks_.Next(i + 1)) {
    }
    return i;
}

void StatementScanner::ScanMark(std::size_t i, bool outsideComments) {
    switch (bytes_[i]) {
        case '\t':
            if (outsideComments) Separate();
            break;
        case '\n':
        case '\r': ScanLineBreak(i); break;
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
                CloseBlock();
            }
            break;
        default: break;
    }
}

// A line break ends a line comment and otherwise separates words. CR LF, LF and a lone CR
// each end one line.
void StatementScanner::ScanLineBreak(std::size_t i) {
    if (lineComment_) {
        CommentClosed(i);
        lineComment_ = false;
    } else if (!blockComment_) {
        Separate();
    }
    if (bytes_[i] == '\n' || i + 1 >= bytes_.size() || bytes_[i + 1] != '\n') {
        ++line_;
        lineStart_ = i + 1;
    }
}

void StatementScanner::ScanSlash(std::size_t i, bool outsideComments) {
    const bool afterStar = i > 0 && bytes_[i - 1] == '*';
    if (blockComment_) {
        // Only a star after the opening one closes the comment ('/*/' does not), and the
        // closing slash starts nothing: '/* a *//* b */' holds two comments.
        if (afterStar && i != blockOpenedAt_ + 2) {
            blockComment_ = false;
            CommentClosed(i + 1);
        }
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
    if (outsideComments && (lineComment_ || blockComment_)) CommentOpened(i);
    // A slash that is no part of a comment mark is text (a unit such as km/h).
    if (outsideComments && !opensBlock && !opensLine) {
        if (!statementStarted_) NoteStatementStart(i);
        collected_.push_back('/');
    }
}

// The comments before a '}' belong to the end of the block it closes.
void StatementScanner::CloseBlock() {
    if (openBlocks_.empty()) return;
    closedBlockSlot_ = std::move(openBlocks_.back().slot);
    sameLineAnchor_ = {openBlocks_.back().comments, closedBlockSlot_.View(), {}, false};
    openBlocks_.pop_back();
    sameLinePlace_ = CommentPlace::kEnd;
    sameLine_ = line_;
    if (sameLineAnchor_.comments != nullptr) AttachComments(sameLineAnchor_, leading_, CommentPlace::kEnd);
}

void StatementScanner::EndStatement(bool opensBlock) {
    ProcessStatementText(collected_, opensBlock, statementStarted_ ? statementPlace_ : SourcePlace{line_, 0});
    collected_.clear();
    separators_ = 0;
    statementStarted_ = false;
    closeAt_ = std::string::npos;
}

// A statement ends at a ';', or at a '{' that opens a block inside which the next ones stand.
void StatementScanner::ProcessStatementText(std::string_view text, bool opensBlock, SourcePlace place) {
    const bool blank = IsBlank(text);
    if (!blank && firstStatement_) {
        KeepDocumentComments(u"file");  // the comments before the first statement head the file
        firstStatement_ = false;
    }
    load_.anchor.comments = nullptr;
    ProcessStatement(load_, {text, depth_, opensBlock, closeAt_, closeDepth_, place});
    if (!blank) KeepStatementComments();
    if (opensBlock) {
        const CommentAnchor& anchor = load_.anchor;
        openBlocks_.push_back({anchor.comments, anchor.comments != nullptr ? anchor.Slot() : corvString()});
        ++depth_;
    }
}

void StatementScanner::CommentOpened(std::size_t at) {
    commentStart_ = at;
    commentLine_ = line_;
    commentInner_ = statementStarted_;
    Separate();
}

// Keeps the comment that ends before `end`: inside a statement it goes with it; after a
// statement or a '}' on the same line, to their object line; otherwise it waits for the
// statement after it.
void StatementScanner::CommentClosed(std::size_t end) {
    corvString comment;
    comment.AssignCodePage(bytes_.substr(commentStart_, end - commentStart_));
    // The lines of a block comment are kept ended by LF alone: the writer ends each its way.
    if (comment.View().find(u'\r') != std::u16string_view::npos) comment.Assign(WithLineFeeds(comment.View()));
    // Written back as it stands, an open comment would swallow what follows it.
    if (IsUnclosedBlockComment(comment.View())) comment.Append(u" */");
    if (commentInner_) {
        inner_.push_back(std::move(comment));
    } else if (sameLineAnchor_.comments != nullptr && commentLine_ == sameLine_) {
        // A comment that starts where this one ends goes to the same line too.
        sameLineAnchor_.Add(sameLinePlace_, comment);
        sameLine_ = line_;
    } else {
        leading_.push_back(std::move(comment));
    }
}

void StatementScanner::AttachComments(const CommentAnchor& anchor, std::vector<corvString>& comments,
                                      CommentPlace place) {
    for (const corvString& comment : comments) anchor.Add(place, comment);
    comments.clear();
}

// A statement the readers took gets the comments before it and inside it; those of a
// statement they could not place wait for the next one.
void StatementScanner::KeepStatementComments() {
    const CommentAnchor& anchor = load_.anchor;
    if (anchor.comments == nullptr) {
        InnerCommentsWait();
        sameLineAnchor_.comments = nullptr;
        return;
    }
    AttachComments(anchor, leading_, CommentPlace::kBefore);
    AttachComments(anchor, inner_, CommentPlace::kAfter);
    sameLineAnchor_ = anchor;
    sameLinePlace_ = CommentPlace::kAfter;
    sameLine_ = line_;
}

// The comments inside a statement that took none wait with those before the next one.
void StatementScanner::InnerCommentsWait() {
    std::move(inner_.begin(), inner_.end(), std::back_inserter(leading_));
    inner_.clear();
}

// Comments that no statement followed: before the first one they head the file, after the
// last one they end it.
void StatementScanner::KeepCommentsLeftAtEnd() {
    InnerCommentsWait();
    KeepDocumentComments(firstStatement_ ? u"file" : u"end");
}

void StatementScanner::KeepDocumentComments(std::u16string_view slot) {
    for (const corvString& comment : leading_) {
        if (comment.View() == kWriterSignature) continue;
        load_.document.comments.Add(slot, CommentPlace::kBefore, comment);
    }
    leading_.clear();
}
