#include "ldf_highlighter.h"

#include <QStringList>

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

enum BlockState { kOutsideComment = 0, kInsideBlockComment = 1 };

}  // namespace

LdfHighlighter::LdfHighlighter(QTextDocument* document)
    : QSyntaxHighlighter(document),
      keywords_("\\b(" + kKeywords.join('|') + ")\\b",
                QRegularExpression::CaseInsensitiveOption),
      numbers_("\\b(0[xX][0-9A-Fa-f]+|[0-9]+(\\.[0-9]+)?)\\b"),
      quoted_("\"[^\"]*\"|'[^']*'"),
      delimiters_("[ ,;:.()\\[\\]=\\-*/^%&<>|!~]") {
    keywordFormat_.setForeground(Qt::blue);
    numberFormat_.setForeground(Qt::blue);
    numberFormat_.setFontWeight(QFont::Bold);
    quotedFormat_.setForeground(Qt::blue);
    delimiterFormat_.setForeground(Qt::gray);
    commentFormat_.setForeground(Qt::darkGreen);
}

void LdfHighlighter::Apply(const QString& text, const QRegularExpression& pattern,
                           const QTextCharFormat& format) {
    for (auto match = pattern.globalMatch(text); match.hasNext();) {
        const auto found = match.next();
        setFormat(static_cast<int>(found.capturedStart()), static_cast<int>(found.capturedLength()),
                  format);
    }
}

void LdfHighlighter::highlightBlock(const QString& text) {
    Apply(text, delimiters_, delimiterFormat_);
    Apply(text, numbers_, numberFormat_);
    Apply(text, keywords_, keywordFormat_);
    Apply(text, quoted_, quotedFormat_);

    // Comments last, over everything else; a block comment may span lines.
    setCurrentBlockState(kOutsideComment);
    qsizetype start = previousBlockState() == kInsideBlockComment ? 0 : -1;
    qsizetype from = 0;
    while (true) {
        if (start < 0) {
            const qsizetype block = text.indexOf("/*", from);
            const qsizetype line = text.indexOf("//", from);
            if (line >= 0 && (block < 0 || line < block)) {
                setFormat(static_cast<int>(line), static_cast<int>(text.size() - line), commentFormat_);
                return;
            }
            if (block < 0) return;
            start = block;
            from = block + 2;
        }
        const qsizetype end = text.indexOf("*/", from);
        if (end < 0) {
            setFormat(static_cast<int>(start), static_cast<int>(text.size() - start), commentFormat_);
            setCurrentBlockState(kInsideBlockComment);
            return;
        }
        setFormat(static_cast<int>(start), static_cast<int>(end + 2 - start), commentFormat_);
        from = end + 2;
        start = -1;
    }
}
