#include "ldf_highlighter.h"

#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>

namespace {

// Matched ignoring case: written files use the mixed-case keywords of the format.
const QStringList kKeywords = {
    "assignframeid", "assignnad", "boolean", "composite", "configurable_frames", "configured_nad",
    "delay", "diagnostic_frames", "diagnostic_signals", "event_triggered_frames", "frames",
    "freeformat", "lin_description_file", "lin_language_version", "lin_protocol",
    "lin_protocol_version", "lin_speed", "logical_value", "master", "masterreq", "ms",
    "node_attributes", "nodes", "p2_min", "physical_value", "product_id", "response_error",
    "response_tolerance", "schedule_tables", "signal_encoding_types", "signal_representation",
    "signals", "slaveresp", "slaves", "sporadic_frames", "st_min", "unassignframeid"};

}  // namespace

LdfHighlighter::LdfHighlighter(QPlainTextEdit* view)
    : QObject(view),
      view_(view),
      keywords_("\\b(" + kKeywords.join('|') + ")\\b", QRegularExpression::CaseInsensitiveOption),
      numbers_("\\b(0[xX][0-9A-Fa-f]+|[0-9]+(\\.[0-9]+)?)\\b"),
      quoted_("\"[^\"]*\"|'[^']*'"),
      delimiters_("[ ,;:.()\\[\\]=\\-*/^%&<>|!~]") {
    keywordFormat_.setForeground(Qt::blue);
    numberFormat_.setForeground(Qt::blue);
    numberFormat_.setFontWeight(QFont::Bold);
    quotedFormat_.setForeground(Qt::blue);
    delimiterFormat_.setForeground(Qt::gray);
    commentFormat_.setForeground(Qt::darkGreen);

    // New text starts uncoloured; what is shown is coloured before it is painted.
    connect(view->document(), &QTextDocument::contentsChange, this, [this] {
        if (colouring_) return;
        nextBlock_ = 0;
        insideComment_ = false;
    });
    connect(view, &QPlainTextEdit::updateRequest, this, &LdfHighlighter::ColourShownLines);
}

void LdfHighlighter::ColourShownLines() {
    if (colouring_ || !view_->isVisible()) return;
    const QScopedValueRollback<bool> colouring(colouring_, true);
    QTextDocument* document = view_->document();
    const int lastShown = view_->cursorForPosition(QPoint(0, view_->viewport()->height())).blockNumber();
    for (QTextBlock block = document->findBlockByNumber(nextBlock_); block.isValid() && nextBlock_ <= lastShown;
         block = block.next(), ++nextBlock_) {
        block.layout()->setFormats(Formats(block.text(), insideComment_));
        document->markContentsDirty(block.position(), block.length());
    }
}

void LdfHighlighter::Apply(const QString& text, const QRegularExpression& pattern, const QTextCharFormat& format,
                           QList<QTextLayout::FormatRange>& formats) const {
    for (auto match = pattern.globalMatch(text); match.hasNext();) {
        const auto found = match.next();
        formats.append({static_cast<int>(found.capturedStart()), static_cast<int>(found.capturedLength()), format});
    }
}

QList<QTextLayout::FormatRange> LdfHighlighter::Formats(const QString& text, bool& insideComment) const {
    // Later ranges are drawn over earlier ones.
    QList<QTextLayout::FormatRange> formats;
    Apply(text, delimiters_, delimiterFormat_, formats);
    Apply(text, numbers_, numberFormat_, formats);
    Apply(text, keywords_, keywordFormat_, formats);
    Apply(text, quoted_, quotedFormat_, formats);

    // Comments last, over everything else; a block comment may span lines.
    auto comment = [&](qsizetype start, qsizetype length) {
        formats.append({static_cast<int>(start), static_cast<int>(length), commentFormat_});
    };
    qsizetype start = insideComment ? 0 : -1;
    qsizetype from = 0;
    insideComment = false;
    while (true) {
        if (start < 0) {
            const qsizetype block = text.indexOf("/*", from);
            const qsizetype line = text.indexOf("//", from);
            if (line >= 0 && (block < 0 || line < block)) {
                comment(line, text.size() - line);
                return formats;
            }
            if (block < 0) return formats;
            start = block;
            from = block + 2;
        }
        const qsizetype end = text.indexOf("*/", from);
        if (end < 0) {
            comment(start, text.size() - start);
            insideComment = true;
            return formats;
        }
        comment(start, end + 2 - start);
        from = end + 2;
        start = -1;
    }
}
