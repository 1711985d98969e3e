#pragma once
// Colours the LDF text of a text view: keywords, comments, numbers, quoted text and
// delimiters. Only the lines up to the last one shown are coloured, in order (a block
// comment may span lines), so showing a file of megabytes colours one screenful.

#include <QList>
#include <QObject>
#include <QRegularExpression>
#include <QTextCharFormat>
#include <QTextLayout>

class QPlainTextEdit;

class LdfHighlighter : public QObject {
    Q_OBJECT
public:
    explicit LdfHighlighter(QPlainTextEdit* view);

    // The number of lines coloured so far.
    int ColouredLines() const { return nextBlock_; }

private:
    void ColourShownLines();
    // The colours of one line; `insideComment` goes in as the state before it and comes
    // out as the state after it.
    QList<QTextLayout::FormatRange> Formats(const QString& text, bool& insideComment) const;
    void Apply(const QString& text, const QRegularExpression& pattern, const QTextCharFormat& format,
               QList<QTextLayout::FormatRange>& formats) const;

    QPlainTextEdit* view_;
    int nextBlock_ = 0;
    bool insideComment_ = false;  // at the start of line `nextBlock_`
    bool colouring_ = false;

    QRegularExpression keywords_;
    QRegularExpression numbers_;
    QRegularExpression quoted_;
    QRegularExpression delimiters_;
    QTextCharFormat keywordFormat_;
    QTextCharFormat numberFormat_;
    QTextCharFormat quotedFormat_;
    QTextCharFormat delimiterFormat_;
    QTextCharFormat commentFormat_;
};
