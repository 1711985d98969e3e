#include "signals_tab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "artwork.h"
#include "detail_form.h"
#include "document_editor.h"
#include "model/definition_file.h"
#include "qt_text.h"
#include "name_lists.h"
#include "name_list_view.h"
#include "name_field.h"
#include "widgets.h"

SignalsTab::SignalsTab(DocumentEditor* editor, QWidget* parent) : QWidget(parent), editor_(editor) {
    setObjectName("pnlSignals");
    const ListColumn left = BuildListColumn(
        {"cmdAdd", "cmdRemove", "lstSignals", "txtFilterSignal", "cmfFindSignal", "lblSignalCount"});
    txtFilterSignal_ = left.filter;
    lstSignals_ = left.view;
    signalList_ = std::make_unique<NameListView>(
        lstSignals_, [this] { return document_ != nullptr ? document_->signals.GetCount() : 0; },
        [this](int position) { return &document_->signals.Get(position)->name; });
    lblSignalCount_ = left.count;

    // Right side: the details of one signal.
    pnlSignalDetails_ = new QWidget;
    pnlSignalDetails_->setObjectName("pnlSignalDetails");
    txtSignalDescription_ = NameField("txtSignalDescription");
    // The encodings of the cluster, or none: a typed name would make a representation of an
    // encoding that does not exist.
    lstSignalRepresentation_ = EditableChoice("lstSignalRepresentation");
    lstSignalRepresentation_->setEditable(false);
    QStringList sizes;
    for (int bits = 1; bits <= 16; ++bits) sizes << QString::number(bits);
    sizes << "24" << "32" << "40" << "48" << "56" << "64";
    lstSignalSize_ = EditableChoice("lstSignalSize", sizes);
    NumberValidator::Install(lstSignalSize_, NumberValidator::kInteger);
    chkSignalByteArray_ = new QCheckBox("Byte Array");
    chkSignalByteArray_->setObjectName("chkSignalByteArray");
    auto* initialValues = new QHBoxLayout;
    for (int k = 0; k < 8; ++k) {
        const QString name = k == 0 ? "txtSignalInitalValue" : QString("txtSignalInitalValue%1").arg(k + 1);
        txtSignalInitalValue_[k] = IntegerField(name.toLatin1().constData());
        txtSignalInitalValue_[k]->setFixedWidth(48);
        initialValues->addWidget(txtSignalInitalValue_[k]);
    }
    initialValues->addStretch();
    lstSignalSourceNode_ = NameChoice("lstSignalSourceNode");
    lstSignalRxNodesAdd_ = NameChoice("lstSignalRxNodesAdd");
    lstSignalRxNodes_ = new QListWidget;
    lstSignalRxNodes_->setObjectName("lstSignalRxNodes");
    QPushButton* addRx = Button("cmdSignalAddRxNode", "Add");
    QPushButton* removeRx = Button("cmdSignalRxNodesRemove", "Remove");
    QPushButton* clearRx = Button("cmdSignalRxNodesClear", "Clear");

    auto* grid = new QGridLayout(pnlSignalDetails_);
    grid->addWidget(new QLabel("Description"), 0, 0);
    grid->addWidget(txtSignalDescription_, 0, 1, 1, 2);
    grid->addWidget(new QLabel("Encoding"), 1, 0);
    grid->addWidget(lstSignalRepresentation_, 1, 1, 1, 2);
    grid->addWidget(new QLabel("Signal Size (bits)"), 2, 0);
    grid->addWidget(lstSignalSize_, 2, 1);
    grid->addWidget(chkSignalByteArray_, 2, 2, Qt::AlignLeft);
    grid->addWidget(new QLabel("Initial Value(s)"), 3, 0);
    grid->addLayout(initialValues, 3, 1, 1, 3);
    grid->addWidget(new QLabel("Source Node"), 4, 0);
    grid->addWidget(lstSignalSourceNode_, 4, 1, 1, 2);
    grid->addWidget(new QLabel("Receiver Nodes"), 5, 0);
    grid->addWidget(lstSignalRxNodesAdd_, 5, 1, 1, 2);
    grid->addWidget(addRx, 5, 3);
    grid->addWidget(lstSignalRxNodes_, 6, 1, 3, 2);
    grid->addWidget(removeRx, 6, 3);
    grid->addWidget(clearRx, 7, 3);
    // The receiver list takes the room the window has.
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(8, 1);
    shapeSignal_ = HighlightFrame("shapeSignal", pnlSignalDetails_);

    PlaceListAndDetails(this, left.column, pnlSignalDetails_);

    connect(left.add, &QPushButton::clicked, this, &SignalsTab::cmdAddClick);
    connect(left.remove, &QPushButton::clicked, this, &SignalsTab::cmdRemoveClick);
    auto filter = [this] { ChangeSignalList([this] { signalList_->SetFilter(txtFilterSignal_->text()); }); };
    connect(txtFilterSignal_, &QLineEdit::textChanged, this, filter);
    connect(left.find, &QToolButton::clicked, this, filter);
    connect(lstSignals_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { lstSignalsClick(); });
    connect(addRx, &QPushButton::clicked, this, &SignalsTab::cmdSignalAddRxNodeClick);
    connect(removeRx, &QPushButton::clicked, this, &SignalsTab::cmdSignalRxNodesRemoveClick);
    connect(clearRx, &QPushButton::clicked, this, &SignalsTab::cmdSignalRxNodesClearClick);

    // Each edit of the details is a step of the document's history.
    connect(txtSignalDescription_, &QLineEdit::textChanged, this, &SignalsTab::NameTyped);
    form_ = new DetailForm(editor_, [this]() -> std::optional<FormSubject> {
        const corvdekLINSignal* signal = CurrentSignal();
        if (signal == nullptr) return std::nullopt;
        return FormSubject{ToQString(signal->name), signal};
    }, this);
    const auto bind = [this](QWidget* control, const char* key, const char* label,
                              std::function<QVariant(const corvdekLINSignal&)> read,
                              std::function<void(corvdekLINSignal&, const QVariant&)> write) {
        form_->Bind(control, {key, label, [this, read] { return read(*CurrentSignal()); },
                              [this, write](const QVariant& value) { write(*CurrentSignal(), value); },
                              DocumentPart::kSignals});
    };
    bind(lstSignalSize_, "SignalSize", "Edit Signal Size",
          [](const corvdekLINSignal& signal) { return ToQString(signal.size); },
          [](corvdekLINSignal& signal, const QVariant& value) { signal.size = FromQString(value.toString()); });
    bind(lstSignalSourceNode_, "SourceNode", "Edit Signal Source Node",
          [](const corvdekLINSignal& signal) { return ToQString(signal.publisher); },
          [](corvdekLINSignal& signal, const QVariant& value) { signal.publisher = FromQString(value.toString()).Trim(); });
    bind(chkSignalByteArray_, "ByteArray", "Change Byte Array",
          [](const corvdekLINSignal& signal) { return signal.isByteArray; },
          [](corvdekLINSignal& signal, const QVariant& value) { signal.isByteArray = value.toBool(); });
    connect(form_->Model(), &DetailFormModel::FieldEdited, this, [this](const QString& key) {
        if (key != "SourceNode") UpdateInitialValueFields();  // the size or the byte array
    });
    connect(lstSignalRepresentation_, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        corvdekLINSignal* signal = CurrentSignal();
        if (filling_ || signal == nullptr) return;
        // The signal moves between the representations too.
        editor_->Apply({"Edit Signal Encoding", DocumentPart::kSignals | DocumentPart::kEncodings,
                        ToQString(signal->name), "Encoding"},
                       [&](corvdekLINDefinitionFile& document) { document.SetSignalEncoding(*signal, FromQString(text)); });
    });
    for (QLineEdit* field : txtSignalInitalValue_) {
        connect(field, &QLineEdit::textChanged, this, [this] { StoreInitialValues(); });
    }
}

SignalsTab::~SignalsTab() = default;

corvdekLINSignal* SignalsTab::CurrentSignal() const {
    return document_ != nullptr ? document_->signals.Get(signalList_->SelectedPosition()) : nullptr;
}

void SignalsTab::EditSignal(const QString& label, const QString& field, bool typed,
                            const std::function<void(corvdekLINSignal&)>& edit) {
    corvdekLINSignal* signal = CurrentSignal();
    if (filling_ || signal == nullptr) return;
    editor_->Apply({label, DocumentPart::kSignals, ToQString(signal->name), field, typed ? signal : nullptr},
                   [&](corvdekLINDefinitionFile&) { edit(*signal); });
}

// The references follow the name through every keystroke, whatever names it passes.
void SignalsTab::NameTyped() {
    corvdekLINSignal* signal = CurrentSignal();
    if (filling_ || signal == nullptr) return;
    if (!signalRename_.TakeTypedName(*editor_, "Rename Signal", txtSignalDescription_, signal->name, signal)) return;
    const int position = signalList_->SelectedPosition();
    ChangeSignalList([&] { signalList_->NameChanged(position); });
}

void SignalsTab::RefreshSignalList() {
    ChangeSignalList([this] { signalList_->Reload(); });
}

void SignalsTab::ChangeSignalList(const std::function<void()>& change) {
    signalList_->Change(lblSignalCount_, "Signal Count %1", [this] { lstSignalsClick(); }, change);
}

void SignalsTab::lstSignalsClick() {
    const corvdekLINSignal* signal = CurrentSignal();
    if (signal == nullptr) {
        pnlSignalDetails_->hide();
        return;
    }
    FillingScope filling(filling_);
    pnlSignalDetails_->show();
    txtSignalDescription_->setText(ToQString(signal->name));
    signalRename_.Show(*document_, NamedKind::kSignal, signal, signal->name);
    form_->Show();
    if (signal->isByteArray) {
        // Fields beyond the stored values keep their text.
        for (int k = 0; k < signal->initValues.Count() && k < 8; ++k) {
            txtSignalInitalValue_[k]->setText(ToQString(signal->initValues.Item(k)));
        }
    } else {
        txtSignalInitalValue_[0]->setText(ToQString(signal->initValue));
    }
    lstSignalRxNodes_->clear();
    for (int i = 0; i < signal->subscribers.Count(); ++i) {
        lstSignalRxNodes_->addItem(ToQString(signal->subscribers.Item(i)));
    }
    UpdateInitialValueFields();
    ShowEncoding(ToQString(signal->encoding));
}

void SignalsTab::ShowEncoding(const QString& encoding) {
    // A loaded file may represent the signal by an encoding it lacks: shown as it is.
    if (lstSignalRepresentation_->findText(encoding) < 0) lstSignalRepresentation_->addItem(encoding);
    lstSignalRepresentation_->setCurrentText(encoding);
}

void SignalsTab::UpdateInitialValueFields() {
    const corvdekLINSignal* signal = CurrentSignal();
    if (signal == nullptr) return;
    for (int k = 1; k < 8; ++k) txtSignalInitalValue_[k]->hide();
    if (!signal->isByteArray) return;
    // One field per started byte, up to eight.
    const int bits = signal->size.ToInt();
    for (int k = 1; k < 8; ++k) txtSignalInitalValue_[k]->setVisible(bits > 8 * k);
}

void SignalsTab::StoreInitialValues() {
    EditSignal("Edit Signal Initial Value", "InitValue", true, [this](corvdekLINSignal& signal) {
        if (!signal.isByteArray) {
            signal.initValue = FromQString(txtSignalInitalValue_[0]->text());
            return;
        }
        signal.initValues.Clear();
        for (int k = 0; k < 8; ++k) {
            if (k > 0 && txtSignalInitalValue_[k]->isHidden()) continue;
            corvString value = FromQString(txtSignalInitalValue_[k]->text()).Trim();
            signal.initValues.Add(value.IsEmpty() ? corvString(u"0") : value);
        }
    });
}

// The receivers as the list shows them after `label`'s change of it.
void SignalsTab::StoreSubscribers(const QString& label) {
    EditSignal(label, "RxNodes", false, [this](corvdekLINSignal& signal) {
        signal.subscribers.Clear();
        for (int i = 0; i < lstSignalRxNodes_->count(); ++i) {
            signal.subscribers.Add(FromQString(lstSignalRxNodes_->item(i)->text()));
        }
    });
}

void SignalsTab::cmdSignalAddRxNodeClick() {
    const QString node = lstSignalRxNodesAdd_->currentText().trimmed();  // a name, as a file holds it
    if (node.isEmpty()) return;
    lstSignalRxNodes_->addItem(node);
    StoreSubscribers("Add Receiver Node");
    lstSignalRxNodesAdd_->setCurrentText(QString());
}

void SignalsTab::cmdSignalRxNodesRemoveClick() {
    QListWidgetItem* item = lstSignalRxNodes_->currentItem();
    if (item == nullptr || !item->isSelected()) return;
    if (!AskYesNo(this, "Are you sure you want to remove this node?")) return;
    delete item;
    StoreSubscribers("Remove Receiver Node");
}

void SignalsTab::cmdSignalRxNodesClearClick() {
    lstSignalRxNodes_->clear();
    StoreSubscribers("Clear Receiver Nodes");
}

void SignalsTab::cmdAddClick() {
    txtFilterSignal_->clear();
    corvString name;
    name.Assign(u"NewSignal").AppendInt(document_->signals.GetCount() + 1);
    editor_->Apply({"Add Signal", DocumentPart::kSignals, ToQString(name)},
                   [&](corvdekLINDefinitionFile& document) { document.signals.Add()->name = name; });
    RefreshSignalList();
    signalList_->SelectPosition(document_->signals.GetCount() - 1);
    lstSignalsClick();
}

void SignalsTab::cmdRemoveClick() {
    const int position = signalList_->SelectedPosition();
    if (position < 0) return;
    const corvString name = document_->signals.Get(position)->name;
    if (!RemoveWithReferences(this, *editor_, "Remove Signal", "Are you sure you want to remove this signal?",
                              NamedKind::kSignal, name,
                              [position](corvdekLINDefinitionFile& document) { document.signals.RemoveAt(position); })) {
        return;
    }
    RefreshSignalList();
    lstSignalsClick();
}

void SignalsTab::SelectSignalByName(const QString& name) {
    signalList_->SelectName(name);
    lstSignalsClick();
}

void SignalsTab::RefreshEncodingChoices() {
    RefillChoices(lstSignalRepresentation_, QStringList{QString()} + NameTexts(document_->encodingTypes));
}

QWidget* SignalsTab::ControlFor(const QString& field) const {
    const std::pair<const char*, QWidget*> targets[] = {{"SignalSize", lstSignalSize_},
                                                        {"Encoding", lstSignalRepresentation_},
                                                        {"SourceNode", lstSignalSourceNode_},
                                                        {"RxNodes", lstSignalRxNodes_},
                                                        {"Name", txtSignalDescription_},
                                                        {"InitValue", txtSignalInitalValue_[0]}};
    for (const auto& [key, control] : targets) {
        if (field == key) return control;
    }
    return nullptr;
}

void SignalsTab::Show(corvdekLINDefinitionFile* document) {
    document_ = document;
    signalRename_.Forget();
    signalList_->ClearSelection();
    pnlSignalDetails_->hide();
    lblSignalCount_->hide();
    RefreshSignalList();
}

void SignalsTab::ClearFilter() { txtFilterSignal_->clear(); }

QString SignalsTab::SelectedName() const {
    const corvdekLINSignal* signal = CurrentSignal();
    return signal == nullptr ? QString() : ToQString(signal->name);
}
