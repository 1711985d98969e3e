#include "text_tabs.h"

#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTimer>
#include <QVBoxLayout>

#include "artwork.h"
#include "ldf_highlighter.h"

LdfFileTab::LdfFileTab(QWidget* parent) : QWidget(parent) {
    setObjectName("pnlLDF");
    txtLDF_ = new QPlainTextEdit;
    txtLDF_->setObjectName("txtLDF");
    txtLDF_->setReadOnly(true);
    txtLDF_->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont font("Courier New", 10);
    font.setStyleHint(QFont::TypeWriter);
    if (!QFontInfo(font).fixedPitch()) {
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        font.setPointSize(10);
    }
    txtLDF_->setFont(font);
    txtLDF_->setTabStopDistance(4 * QFontMetricsF(font).horizontalAdvance(' '));
    txtLDF_->setStyleSheet("QPlainTextEdit { selection-color: white; selection-background-color: navy; }");
    new LdfHighlighter(txtLDF_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(txtLDF_);
}

namespace {

// Qt's text document takes a quarter of a second for a file of megabytes. The view gets a
// first part at once and the rest in parts between the window's other events.
constexpr qsizetype kFirstPart = 64 * 1024;
constexpr qsizetype kLaterPart = 256 * 1024;

// The position after the line end at or after `from`, or the end of `text`.
qsizetype AfterLineEnd(const QString& text, qsizetype from) {
    if (from >= text.size()) return text.size();
    const qsizetype end = text.indexOf(u'\n', from);
    return end < 0 ? text.size() : end + 1;
}

}  // namespace

// A text for a tab that is not shown waits until it is.
void LdfFileTab::ShowText(const QString& text) {
    pending_ = text;
    if (isVisible()) ShowPendingText();
}

void LdfFileTab::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    ShowPendingText();
}

void LdfFileTab::ShowPendingText() {
    if (!pending_) return;
    shown_ = std::move(*pending_);
    pending_.reset();
    ++generation_;  // parts of an earlier text that are still due are dropped
    appended_ = AfterLineEnd(shown_, kFirstPart);
    txtLDF_->setPlainText(shown_.left(appended_));
    ScheduleLaterPart();
}

void LdfFileTab::ScheduleLaterPart() {
    if (appended_ >= shown_.size()) {
        shown_.clear();
        return;
    }
    QTimer::singleShot(0, this, [this, generation = generation_] {
        if (generation != generation_) return;
        const qsizetype end = AfterLineEnd(shown_, appended_ + kLaterPart);
        QTextCursor cursor(txtLDF_->document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(shown_.mid(appended_, end - appended_));
        appended_ = end;
        ScheduleLaterPart();
    });
}

AboutTab::AboutTab(QWidget* parent) : QWidget(parent) {
    setObjectName("pnlRepresentations");
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
    auto* picture = new QLabel;
    picture->setPixmap(LogoPicture(96));
    auto* name = new QLabel("Tabrel");
    auto* maker = new QLabel("Kestova");
    for (QLabel* label : {name, maker}) {
        QFont font = label->font();
        font.setPointSize(label == name ? 36 : 20);
        font.setBold(label == name);
        label->setFont(font);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    for (QLabel* label : {picture, name, maker}) layout->addWidget(label, 0, Qt::AlignHCenter);
    layout->addStretch();
}
