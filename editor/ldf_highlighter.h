#pragma once
// Colours LDF text: keywords, comments, numbers, quoted text and delimiters.

#include <QRegularExpression>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>

class LdfHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    explicit LdfHighlighter(QTextDocument* document);

protected:
    void highlightBlock(const QString& text) override;

private:
    void Apply(const QString& text, const QRegularExpression& pattern,
               const QTextCharFormat& format);

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
