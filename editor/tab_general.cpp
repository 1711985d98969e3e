// The General tab: protocol and language versions, bus speed with its bit time, the
// master's time base and jitter, and whether diagnostic frames are included.

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>

#include "model/definition_file.h"
#include "qt_text.h"
#include "tabrel_window.h"
#include "widgets.h"

void TfrmTabrel::BuildGeneralPanel(QWidget* panel) {
    lstLINVersion_ = EditableChoice("lstLINVersion", {"1.3", "2.0", "2.1", "2.2", "2.3", "J2602_1_1.0"});
    lstLangVersion_ = EditableChoice("lstLangVersion", {"1.3", "2.0", "2.1", "2.2", "2.3", "J2602_3_1.0"});
    lstLINSpeed_ = EditableChoice("lstLINSpeed", {"9.6", "10.41", "14.4", "19.2"});
    lblBitRate_ = new QLabel("Bit Time: ");
    lblBitRate_->setObjectName("lblBitRate");
    QStringList periods;
    for (int ms = 1; ms <= 10; ++ms) periods << QString::number(ms);
    lstPeriod_ = EditableChoice("lstPeriod", periods);
    lstJitter_ = EditableChoice("lstJitter", {"0.2", "0.5", "1", "2", "3", "4", "5"});
    chkHasDiagnostics_ = new QCheckBox("Include Diagnostic Frames");
    chkHasDiagnostics_->setObjectName("chkHasDiagnostics");

    auto* speedRow = new QHBoxLayout;
    speedRow->addWidget(lstLINSpeed_);
    speedRow->addWidget(lblBitRate_);
    speedRow->addStretch();
    auto* form = new QFormLayout(panel);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    form->addRow("LIN Version  ", lstLINVersion_);
    form->addRow("LIN Lang Version  ", lstLangVersion_);
    form->addRow("LIN Speed (kbps)", speedRow);
    form->addRow("Timebase (ms)", lstPeriod_);
    form->addRow("Jitter (ms)", lstJitter_);
    form->addRow("", chkHasDiagnostics_);
    shapeGeneral_ = HighlightFrame("shapeGeneral", panel);

    // Every change, typed or chosen, goes into the document at once.
    auto onText = [this](QComboBox* box, auto apply) {
        connect(box, &QComboBox::currentTextChanged, this, [this, apply](const QString& text) {
            if (!filling_ && document_) apply(FromQString(text));
        });
    };
    onText(lstLINVersion_, [this](const corvString& text) {
        document_->protocolVersion = text;
        document_->UpdateJ2602Flag();
    });
    onText(lstLangVersion_, [this](const corvString& text) {
        document_->languageVersion = text;
        document_->UpdateJ2602Flag();
    });
    onText(lstLINSpeed_, [this](const corvString& text) {
        document_->speed = text;
        UpdateBitTimeLabel();
    });
    onText(lstPeriod_, [this](const corvString& text) { document_->masterTimebase = text; });
    onText(lstJitter_, [this](const corvString& text) { document_->masterJitter = text; });
    connect(chkHasDiagnostics_, &QCheckBox::clicked, this, [this](bool checked) {
        if (document_) document_->hasDiagnosticFrames = checked;
    });
}

void TfrmTabrel::UpdateBitTimeLabel() {
    corvString& speed = document_->speed;
    speed.Trim();
    const double bitsPerSecond = speed.ToDouble() * 1000.0;
    QString caption = "Bit Time: ";
    if (!speed.IsEmpty() && bitsPerSecond != 0.0) {
        corvString bitTime;
        bitTime.FormatWithPrefix(1.0 / bitsPerSecond, u"0.000", u"s", false);
        caption += ToQString(bitTime);
    }
    lblBitRate_->setText(caption);
}
