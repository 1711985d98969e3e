#include "general_tab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "diagnostics_dialog.h"
#include "document_editor.h"
#include "model/definition_file.h"
#include "name_field.h"
#include "qt_text.h"
#include "widgets.h"

namespace {

// The texts LDF writes between quotes cannot hold one.
class NoQuoteValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& /*position*/) const override {
        input.remove(u'"');
        return Acceptable;
    }
};

QLineEdit* QuotedTextField(const char* name) {
    QLineEdit* field = TextField(name);
    field->setValidator(new NoQuoteValidator(field));
    return field;
}

// The byte order as the file states it, and as the list shows it.
const char* const kByteOrders[] = {"", "big_endian", "little_endian"};
const char* const kByteOrderCaptions[] = {"(not stated)", "big_endian", "little_endian"};

}  // namespace

GeneralTab::GeneralTab(DocumentEditor* editor, QWidget* parent)
    : QWidget(parent), editor_(editor), diagnostics_(std::make_unique<TfrmDiagnostics>(nullptr)) {
    setObjectName("pnlGeneral");
    lstLINVersion_ = EditableChoice("lstLINVersion", {"1.3", "2.0", "2.1", "2.2", "2.3", "J2602_1_1.0"});
    lstLangVersion_ = EditableChoice("lstLangVersion", {"1.3", "2.0", "2.1", "2.2", "2.3", "J2602_3_1.0"});
    for (QComboBox* version : {lstLINVersion_, lstLangVersion_}) version->setValidator(new NoQuoteValidator(version));
    lstLINSpeed_ = EditableChoice("lstLINSpeed", {"9.6", "10.41", "14.4", "19.2"});
    lblBitRate_ = new QLabel("Bit Time: ");
    lblBitRate_->setObjectName("lblBitRate");
    QStringList periods;
    for (int ms = 1; ms <= 10; ++ms) periods << QString::number(ms);
    lstPeriod_ = EditableChoice("lstPeriod", periods);
    lstJitter_ = EditableChoice("lstJitter", {"0.2", "0.5", "1", "2", "3", "4", "5"});
    for (QComboBox* number : {lstLINSpeed_, lstPeriod_, lstJitter_}) NumberValidator::Install(number, NumberValidator::kReal);
    txtMaxHeaderLength_ = IntegerField("txtMaxHeaderLength");
    txtResponseTolerance_ = RealField("txtResponseTolerance");
    txtChannelName_ = QuotedTextField("txtChannelName");
    txtFileRevision_ = QuotedTextField("txtFileRevision");
    for (QLineEdit* field : {txtMaxHeaderLength_, txtResponseTolerance_, txtChannelName_, txtFileRevision_}) {
        field->setMinimumWidth(160);  // as wide as the drop-down lists above
    }
    txtDynamicFrames_ = TextField("txtDynamicFrames");
    NumberValidator::Install(txtDynamicFrames_, NumberValidator::kIntegerList);
    lstSignalByteOrder_ = new QComboBox;
    lstSignalByteOrder_->setObjectName("lstSignalByteOrder");
    for (const char* caption : kByteOrderCaptions) lstSignalByteOrder_->addItem(caption);
    chkHasDiagnostics_ = new QCheckBox("Include Diagnostic Frames");
    chkHasDiagnostics_->setObjectName("chkHasDiagnostics");
    cmdDiagnostics_ = Button("cmdDiagnostics", "Edit Diagnostic Frames...");
    connect(chkHasDiagnostics_, &QCheckBox::toggled, cmdDiagnostics_, &QWidget::setEnabled);

    auto* speedRow = new QHBoxLayout;
    speedRow->addWidget(lstLINSpeed_);
    speedRow->addWidget(lblBitRate_);
    speedRow->addStretch();
    auto* form = new QFormLayout(this);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    form->addRow("LIN Version  ", lstLINVersion_);
    form->addRow("LIN Lang Version  ", lstLangVersion_);
    form->addRow("LIN Speed (kbps)", speedRow);
    form->addRow("Timebase (ms)", lstPeriod_);
    form->addRow("Jitter (ms)", lstJitter_);
    form->addRow("J2602 Max Header Length (bits)", txtMaxHeaderLength_);
    form->addRow("J2602 Response Tolerance (%)", txtResponseTolerance_);
    form->addRow("Channel Name", txtChannelName_);
    form->addRow("LDF File Revision", txtFileRevision_);
    form->addRow("Signal Byte Order", lstSignalByteOrder_);
    form->addRow("LIN 2.0 Dynamic Frame Ids (a, b, ...)", txtDynamicFrames_);
    auto* diagnosticsRow = new QHBoxLayout;
    diagnosticsRow->addWidget(chkHasDiagnostics_);
    diagnosticsRow->addWidget(cmdDiagnostics_);
    form->addRow("", diagnosticsRow);
    shapeGeneral_ = HighlightFrame("shapeGeneral", this);

    // A version, however it was typed.
    OnText(lstLINVersion_->lineEdit(), [this](const corvString& text) {
        document_->protocolVersion = text;
        document_->protocolVersion.Trim();
        document_->UpdateJ2602Flag();
    });
    OnText(lstLangVersion_->lineEdit(), [this](const corvString& text) {
        document_->languageVersion = text;
        document_->languageVersion.Trim();
        document_->UpdateJ2602Flag();
    });
    OnText(lstLINSpeed_->lineEdit(), [this](const corvString& text) {
        document_->speed = text;
        document_->speed.Trim();  // a number, however it was typed
        UpdateBitTimeLabel();
    });
    OnText(lstPeriod_->lineEdit(), [this](const corvString& text) { document_->masterTimebase = text; });
    OnText(lstJitter_->lineEdit(), [this](const corvString& text) { document_->masterJitter = text; });
    OnText(txtMaxHeaderLength_, [this](const corvString& text) { document_->masterMaxHeaderLength = text; });
    OnText(txtResponseTolerance_, [this](const corvString& text) { document_->masterResponseTolerance = text; });
    // A text the user empties is no longer stated; one the file stated empty stays until then.
    OnText(txtChannelName_, [this](const corvString& text) {
        document_->channelName = text;
        document_->channelNameGiven = !text.IsEmpty();
    });
    OnText(txtFileRevision_, [this](const corvString& text) {
        document_->fileRevision = text;
        document_->fileRevisionGiven = !text.IsEmpty();
    });
    OnText(
        txtDynamicFrames_,
        [this](const corvString& text) {
            document_->dynamicFrames.Clear();
            for (const QString& id : ToQString(text).split(',', Qt::SkipEmptyParts)) {
                if (!id.trimmed().isEmpty()) document_->dynamicFrames.Add(FromQString(id.trimmed()));
            }
        },
        true);
    connect(lstSignalByteOrder_, &QComboBox::activated, this, [this](int index) {
        editor_->Apply({"Edit Signal Byte Order", DocumentPart::kBus, QString(), "SignalByteOrder"},
                       [index](corvdekLINDefinitionFile& document) {
                           document.signalByteOrder = FromQString(kByteOrders[index]);
                       });
    });
    connect(chkHasDiagnostics_, &QCheckBox::clicked, this, [this](bool checked) {
        editor_->Apply({"Change Include Diagnostic Frames", DocumentPart::kDiagnostics, QString(), "Diagnostics"},
                       [checked](corvdekLINDefinitionFile& document) {
                           document.hasDiagnosticFrames = checked;
                           // The standard sections become the document's own, as a reload
                           // of the saved file would make them.
                           if (checked) document.AddStandardDiagnostics();
                       });
    });
    connect(cmdDiagnostics_, &QPushButton::clicked, this, [this] {
        diagnostics_->Fill(editor_);
        ShowModalOver(this, diagnostics_.get());
    });
}

GeneralTab::~GeneralTab() = default;

template <typename Apply>
void GeneralTab::OnText(QLineEdit* field, Apply apply, bool framesToo) {
    connect(field, &QLineEdit::textChanged, this, [this, field, apply, framesToo](const QString& text) {
        if (filling_ || document_ == nullptr) return;
        const DocumentParts parts = framesToo ? DocumentPart::kBus | DocumentPart::kFrames : DocumentParts(DocumentPart::kBus);
        editor_->Apply({"Edit Bus Settings", parts, QString(), field->objectName(), field},
                       [&](corvdekLINDefinitionFile&) { apply(FromQString(text)); });
    });
}

void GeneralTab::Show(corvdekLINDefinitionFile* document) {
    document_ = document;
    FillingScope filling(filling_);
    lstLangVersion_->setCurrentText(ToQString(document->languageVersion));
    lstLINVersion_->setCurrentText(ToQString(document->protocolVersion));
    lstLINSpeed_->setCurrentText(ToQString(document->speed));
    UpdateBitTimeLabel();
    lstPeriod_->setCurrentText(ToQString(document->masterTimebase));
    lstJitter_->setCurrentText(ToQString(document->masterJitter));
    txtMaxHeaderLength_->setText(ToQString(document->masterMaxHeaderLength));
    txtResponseTolerance_->setText(ToQString(document->masterResponseTolerance));
    txtChannelName_->setText(ToQString(document->channelName));
    txtFileRevision_->setText(ToQString(document->fileRevision));
    int order = 0;
    for (int i = 0; i < 3; ++i) {
        if (document->signalByteOrder.Equals(FromQString(kByteOrders[i]))) order = i;
    }
    lstSignalByteOrder_->setCurrentIndex(order);
    QStringList dynamicFrames = ToQStrings(document->dynamicFrames);
    for (QString& id : dynamicFrames) id = id.trimmed();  // the file may space them
    txtDynamicFrames_->setText(dynamicFrames.join(", "));
    chkHasDiagnostics_->setChecked(document->hasDiagnosticFrames);
    cmdDiagnostics_->setEnabled(document->hasDiagnosticFrames);
}

void GeneralTab::UpdateBitTimeLabel() {
    corvString speed = document_->speed;  // as read from a file: showing it changes nothing
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

QWidget* GeneralTab::ControlFor(const QString& field) const {
    const std::pair<const char*, QWidget*> targets[] = {{"Protocol", lstLINVersion_},
                                                        {"Language", lstLangVersion_},
                                                        {"LINBaudRate", lstLINSpeed_},
                                                        {"LINTimeBase", lstPeriod_},
                                                        {"LINJitter", lstJitter_}};
    for (const auto& [name, control] : targets) {
        if (field == name) return control;
    }
    return nullptr;
}
