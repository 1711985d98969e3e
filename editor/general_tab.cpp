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

#include "detail_form.h"
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

    form_ = new DetailForm(editor_, [this]() -> std::optional<FormSubject> {
        if (document_ == nullptr) return std::nullopt;
        return FormSubject{QString(), document_};
    }, this);
    // The fields the file states as text, each written as it is typed unless `store` says.
    const auto text = [this](QWidget* control, const char* key, corvString corvdekLINDefinitionFile::*member,
                             std::function<void(const corvString&)> store = {}) {
        form_->Bind(control, {key, "Edit Bus Settings", [this, member] { return QVariant(ToQString(document_->*member)); },
                              [this, member, store](const QVariant& value) {
                                  const corvString typed = FromQString(value.toString());
                                  if (store) {
                                      store(typed);
                                  } else {
                                      document_->*member = typed;
                                  }
                              },
                              DocumentPart::kBus});
    };
    // A version, however it was typed.
    const auto version = [this](corvString corvdekLINDefinitionFile::*member) {
        return [this, member](const corvString& typed) {
            document_->*member = corvString(typed).Trim();
            document_->UpdateJ2602Flag();
        };
    };
    text(lstLINVersion_, "Protocol", &corvdekLINDefinitionFile::protocolVersion,
         version(&corvdekLINDefinitionFile::protocolVersion));
    text(lstLangVersion_, "Language", &corvdekLINDefinitionFile::languageVersion,
         version(&corvdekLINDefinitionFile::languageVersion));
    text(lstLINSpeed_, "LINBaudRate", &corvdekLINDefinitionFile::speed,
         [this](const corvString& typed) { document_->speed = corvString(typed).Trim(); });  // a number, however typed
    text(lstPeriod_, "LINTimeBase", &corvdekLINDefinitionFile::masterTimebase);
    text(lstJitter_, "LINJitter", &corvdekLINDefinitionFile::masterJitter);
    text(txtMaxHeaderLength_, "MaxHeaderLength", &corvdekLINDefinitionFile::masterMaxHeaderLength);
    text(txtResponseTolerance_, "ResponseTolerance", &corvdekLINDefinitionFile::masterResponseTolerance);
    // A text the user empties is no longer stated; one the file stated empty stays until then.
    text(txtChannelName_, "ChannelName", &corvdekLINDefinitionFile::channelName, [this](const corvString& typed) {
        document_->channelName = typed;
        document_->channelNameGiven = !typed.IsEmpty();
    });
    text(txtFileRevision_, "FileRevision", &corvdekLINDefinitionFile::fileRevision, [this](const corvString& typed) {
        document_->fileRevision = typed;
        document_->fileRevisionGiven = !typed.IsEmpty();
    });
    form_->Bind(txtDynamicFrames_,
                {"DynamicFrames", "Edit Bus Settings",
                 [this] {
                     QStringList ids = ToQStrings(document_->dynamicFrames);
                     for (QString& id : ids) id = id.trimmed();  // the file may space them
                     return QVariant(ids.join(", "));
                 },
                 [this](const QVariant& value) {
                     document_->dynamicFrames.Clear();
                     for (const QString& id : value.toString().split(',', Qt::SkipEmptyParts)) {
                         if (!id.trimmed().isEmpty()) document_->dynamicFrames.Add(FromQString(id.trimmed()));
                     }
                 },
                 DocumentPart::kBus | DocumentPart::kFrames});
    form_->Bind(lstSignalByteOrder_,
                {"SignalByteOrder", "Edit Signal Byte Order",
                 [this] {
                     for (int i = 0; i < 3; ++i) {
                         if (document_->signalByteOrder.Equals(FromQString(kByteOrders[i]))) return QVariant(i);
                     }
                     return QVariant(0);
                 },
                 [this](const QVariant& value) { document_->signalByteOrder = FromQString(kByteOrders[value.toInt()]); },
                 DocumentPart::kBus},
                "currentIndex");
    form_->Bind(chkHasDiagnostics_,
                {"Diagnostics", "Change Include Diagnostic Frames", [this] { return QVariant(document_->hasDiagnosticFrames); },
                 [this](const QVariant& value) {
                     document_->hasDiagnosticFrames = value.toBool();
                     // The standard sections become the document's own, as a reload of the
                     // saved file would make them.
                     if (document_->hasDiagnosticFrames) document_->AddStandardDiagnostics();
                 },
                 DocumentPart::kDiagnostics});
    connect(form_->Model(), &DetailFormModel::FieldEdited, this, [this](const QString& key) {
        if (key == "LINBaudRate") UpdateBitTimeLabel();
    });
    connect(cmdDiagnostics_, &QPushButton::clicked, this, [this] {
        diagnostics_->Fill(editor_);
        ShowModalOver(this, diagnostics_.get());
    });
}

GeneralTab::~GeneralTab() = default;

void GeneralTab::Show(corvdekLINDefinitionFile* document) {
    document_ = document;
    form_->Show();
    UpdateBitTimeLabel();
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
