#include "text_tabs.h"

#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
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

// Qt's text document takes a quarter of a second for a file of megabytes, so a text for a
// tab that is not shown waits until it is.
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
    txtLDF_->setPlainText(*pending_);
    pending_.reset();
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
