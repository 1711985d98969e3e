#include "encodings_tab.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "document_editor.h"
#include "model/definition_file.h"
#include "name_list_view.h"
#include "name_field.h"
#include "qt_text.h"
#include "widgets.h"

namespace {

using Part = corvdekLINSignalEncodingTypeItem;

QString Number(int value) { return QString::number(value); }

QString Number(double value) {
    corvString text;
    return ToQString(text.SetDouble(value));
}

std::pair<QString, QString> PartRow(const Part& part) {
    const QString text = ToQString(part.text);
    switch (part.kind) {
        case Part::kLogical: return {"Logical Value", text + " [" + Number(part.minValue) + "]"};
        case Part::kPhysical:
            return {"Physical Range", text + " = " + Number(part.scale) + " * Raw + " + Number(part.offset) +
                                          " [" + Number(part.minValue) + "," + Number(part.maxValue) + "]"};
        case Part::kBcd: return {"BCD", QString()};
        case Part::kAscii: return {"ASCII", QString()};
        default: return {"NewItem", "Select Type"};
    }
}

QLabel* Label(const char* name, const QString& caption) {
    auto* label = new QLabel(caption);
    label->setObjectName(name);
    return label;
}

}  // namespace

EncodingsTab::EncodingsTab(DocumentEditor* editor, QWidget* parent) : QWidget(parent), editor_(editor) {
    setObjectName("pnlEncodings");
    const ListColumn left = BuildListColumn({"cmdEncodingsAdd", "cmdEncodingsRemove", "lstEncodings"});
    lstEncodings_ = left.view;
    encodingList_ = std::make_unique<NameListView>(
        lstEncodings_, [this] { return document_ != nullptr ? document_->encodingTypes.GetCount() : 0; },
        [this](int position) { return &document_->encodingTypes.Get(position)->name; }, false);

    pnlEncodingTypeDetails_ = new QWidget;
    pnlEncodingTypeDetails_->setObjectName("pnlEncodingTypeDetails");
    txtEncodingTypeDescription_ = NameField("txtEncodingTypeDescription");
    QPushButton* addPart = Button("cmdAddEncodingParts", "Add");
    lviewEncodingParts_ = new QTreeWidget;
    lviewEncodingParts_->setObjectName("lviewEncodingParts");
    lviewEncodingParts_->setRootIsDecorated(false);
    lviewEncodingParts_->setHeaderLabels({"Type", "Details"});
    lviewEncodingParts_->setColumnWidth(0, 100);
    lviewEncodingParts_->setColumnWidth(1, 200);
    QPushButton* removePart = Button("cmdRemoveEncodingParts", "Remove");
    QPushButton* clearParts = Button("cmdClearEncodingParts", "Clear");
    lblEncodingSignalTypeItem_ = Label("lblEncodingSignalTypeItem", "Type");
    lstEncodingItemType_ = new QComboBox;
    lstEncodingItemType_->setObjectName("lstEncodingItemType");
    lstEncodingItemType_->addItems({"Logical Value", "Physical Value", "BCD Value", "ASCII Value"});
    lblEncodingItemDescription_ = Label("lblEncodingItemDescription", "Description");
    txtEncodingItemDescription_ = TextField("txtEncodingItemDescription");
    lblEncodingValue1_ = Label("lblEncodingValue1", "Value");
    txtEncodingItemValue1_ = IntegerField("txtEncodingItemValue1");
    lblEncodingValue2_ = Label("lblEncodingValue2", "Range Stop");
    txtEncodingItemValue2_ = IntegerField("txtEncodingItemValue2");
    lblEncodingScaling_ = Label("lblEncodingScaling", "Scaling");
    txtEncodingScaling_ = RealField("txtEncodingScaling");
    lblEncodingOffset_ = Label("lblEncodingOffset", "Offset");
    txtEncodingOffset_ = RealField("txtEncodingOffset");

    auto* partForm = new QGridLayout;
    const std::pair<QLabel*, QWidget*> rows[] = {
        {lblEncodingSignalTypeItem_, lstEncodingItemType_}, {lblEncodingItemDescription_, txtEncodingItemDescription_},
        {lblEncodingValue1_, txtEncodingItemValue1_},       {lblEncodingValue2_, txtEncodingItemValue2_},
        {lblEncodingScaling_, txtEncodingScaling_},         {lblEncodingOffset_, txtEncodingOffset_}};
    int row = 0;
    for (const auto& [label, field] : rows) {
        partForm->addWidget(label, row, 0);
        partForm->addWidget(field, row++, 1);
    }
    partForm->setRowStretch(row, 1);

    auto* grid = new QGridLayout(pnlEncodingTypeDetails_);
    grid->addWidget(new QLabel("Description"), 0, 0);
    grid->addWidget(txtEncodingTypeDescription_, 0, 1);
    grid->addWidget(new QLabel("Encoding Parts"), 1, 0);
    grid->addWidget(addPart, 1, 1, Qt::AlignLeft);
    grid->addWidget(lviewEncodingParts_, 2, 0, 1, 2);
    auto* partButtons = new QHBoxLayout;
    partButtons->addWidget(removePart);
    partButtons->addWidget(clearParts);
    partButtons->addStretch();
    grid->addLayout(partButtons, 3, 0, 1, 2);
    grid->addLayout(partForm, 2, 2);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(2, 1);
    shapeEncoding_ = HighlightFrame("shapeEncoding", pnlEncodingTypeDetails_);

    PlaceListAndDetails(this, left.column, pnlEncodingTypeDetails_);

    connect(left.add, &QPushButton::clicked, this, &EncodingsTab::cmdEncodingsAddClick);
    connect(left.remove, &QPushButton::clicked, this, &EncodingsTab::cmdEncodingsRemoveClick);
    connect(lstEncodings_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { lstEncodingsClick(); });
    connect(addPart, &QPushButton::clicked, this, &EncodingsTab::cmdAddEncodingPartsClick);
    connect(removePart, &QPushButton::clicked, this, &EncodingsTab::cmdRemoveEncodingPartsClick);
    connect(clearParts, &QPushButton::clicked, this, &EncodingsTab::cmdClearEncodingPartsClick);
    connect(lviewEncodingParts_, &QTreeWidget::currentItemChanged, this, [this] { lviewEncodingPartsClick(); });
    connect(txtEncodingTypeDescription_, &QLineEdit::textChanged, this, &EncodingsTab::NameTyped);

    // Each part edit is a step of the document's history.
    connect(lstEncodingItemType_, &QComboBox::activated, this, [this](int kind) {
        EditEncodingPart("Kind", false, [kind](Part& part) { part.kind = kind; });
        UpdatePartEditor();
    });
    auto onText = [this](QLineEdit* field, const char* name, auto apply) {
        connect(field, &QLineEdit::textChanged, this, [this, name, apply](const QString& text) {
            const corvString value = FromQString(text);
            EditEncodingPart(name, true, [&](Part& part) { apply(part, value); });
        });
    };
    onText(txtEncodingItemDescription_, "Text", [](Part& part, const corvString& value) { part.text = value; });
    onText(txtEncodingItemValue1_, "Min", [](Part& part, const corvString& value) { part.minValue = value.ToInt(); });
    onText(txtEncodingItemValue2_, "Max", [](Part& part, const corvString& value) { part.maxValue = value.ToInt(); });
    onText(txtEncodingScaling_, "Scale", [](Part& part, const corvString& value) { part.scale = value.ToDouble(); });
    onText(txtEncodingOffset_, "Offset", [](Part& part, const corvString& value) { part.offset = value.ToDouble(); });
    UpdatePartEditor();  // hidden until a part is shown
}

corvdekLINSignalEncodingTypes* EncodingsTab::CurrentEncodingType() const {
    return document_ != nullptr ? document_->encodingTypes.Get(encodingList_->SelectedPosition()) : nullptr;
}

corvdekLINSignalEncodingTypeItem* EncodingsTab::CurrentEncodingPart() const {
    const corvdekLINSignalEncodingTypes* type = CurrentEncodingType();
    QTreeWidgetItem* row = lviewEncodingParts_->currentItem();
    if (type == nullptr || row == nullptr) return nullptr;
    return type->items.Get(lviewEncodingParts_->indexOfTopLevelItem(row));
}

void EncodingsTab::EditEncodingPart(const QString& field, bool typed, const std::function<void(Part&)>& change) {
    Part* part = CurrentEncodingPart();
    if (filling_ || part == nullptr) return;
    editor_->Apply({"Edit Encoding Part", DocumentPart::kEncodings, ToQString(CurrentEncodingType()->name), field,
                    typed ? part : nullptr},
                   [&](corvdekLINDefinitionFile&) { change(*part); });
    const auto [kind, details] = PartRow(*part);
    QTreeWidgetItem* row = lviewEncodingParts_->currentItem();
    row->setText(0, kind);
    row->setText(1, details);
}

EncodingsTab::~EncodingsTab() = default;

void EncodingsTab::EditParts(const QString& label, const std::function<void(corvdekLINSignalEncodingTypes&)>& edit) {
    corvdekLINSignalEncodingTypes* type = CurrentEncodingType();
    if (type == nullptr) return;
    editor_->Apply({label, DocumentPart::kEncodings, ToQString(type->name), "Parts"},
                   [&](corvdekLINDefinitionFile&) { edit(*type); });
}

// The references follow the name through every keystroke, whatever names it passes.
void EncodingsTab::NameTyped() {
    corvdekLINSignalEncodingTypes* type = CurrentEncodingType();
    if (filling_ || type == nullptr) return;
    if (encodingRename_.TakeTypedName(*editor_, "Rename Encoding", txtEncodingTypeDescription_, type->name, type)) {
        RefreshEncodingTypeList();
    }
}

void EncodingsTab::Show(corvdekLINDefinitionFile* document) {
    document_ = document;
    encodingRename_.Forget();
    encodingList_->ClearSelection();
    pnlEncodingTypeDetails_->hide();
    RefreshEncodingTypeList();
}

void EncodingsTab::RefreshEncodingTypeList() { encodingList_->Reload(); }

void EncodingsTab::lstEncodingsClick() {
    const corvdekLINSignalEncodingTypes* type = CurrentEncodingType();
    if (type == nullptr) {
        pnlEncodingTypeDetails_->hide();
        return;
    }
    pnlEncodingTypeDetails_->show();
    {
        FillingScope filling(filling_);
        txtEncodingTypeDescription_->setText(ToQString(type->name));
        encodingRename_.Show(*document_, NamedKind::kEncodingType, type, type->name);
    }
    lviewEncodingParts_->clear();  // another type: its first part is shown
    FillEncodingParts();
    lviewEncodingPartsClick();
}

void EncodingsTab::FillEncodingParts() {
    const corvdekLINSignalEncodingTypes* type = CurrentEncodingType();
    if (type == nullptr) return;
    const QSignalBlocker quiet(lviewEncodingParts_);
    QTreeWidgetItem* selected = lviewEncodingParts_->currentItem();
    const int remembered = selected == nullptr ? -1 : lviewEncodingParts_->indexOfTopLevelItem(selected);
    lviewEncodingParts_->clear();
    QList<QTreeWidgetItem*> rows;
    for (int i = 0; i < type->items.GetCount(); ++i) {
        const auto [kind, details] = PartRow(*type->items.Get(i));
        rows.append(new QTreeWidgetItem({kind, details}));
    }
    lviewEncodingParts_->addTopLevelItems(rows);
    const int count = lviewEncodingParts_->topLevelItemCount();
    if (count > 0) {
        lviewEncodingParts_->setCurrentItem(
            lviewEncodingParts_->topLevelItem(remembered >= 0 && remembered < count ? remembered : 0));
    }
}

void EncodingsTab::lviewEncodingPartsClick() {
    const Part* part = CurrentEncodingPart();
    if (part == nullptr) {
        UpdatePartEditor();
        return;
    }
    {
        FillingScope filling(filling_);
        lstEncodingItemType_->setCurrentIndex(part->kind);
        if (part->kind == Part::kLogical || part->kind == Part::kPhysical) {
            txtEncodingItemDescription_->setText(ToQString(part->text));
            txtEncodingItemValue1_->setText(Number(part->minValue));
        }
        if (part->kind == Part::kPhysical) {
            txtEncodingItemValue2_->setText(Number(part->maxValue));
            txtEncodingScaling_->setText(Number(part->scale));
            txtEncodingOffset_->setText(Number(part->offset));
        }
    }
    UpdatePartEditor();
}

void EncodingsTab::UpdatePartEditor() {
    const Part* part = CurrentEncodingPart();
    const int kind = part == nullptr ? -1 : part->kind;
    const bool logical = kind == Part::kLogical;
    const bool physical = kind == Part::kPhysical;
    lblEncodingSignalTypeItem_->setVisible(part != nullptr);
    lstEncodingItemType_->setVisible(part != nullptr);
    for (QWidget* widget : std::initializer_list<QWidget*>{lblEncodingItemDescription_, txtEncodingItemDescription_,
                                                           lblEncodingValue1_, txtEncodingItemValue1_}) {
        widget->setVisible(logical || physical);
    }
    for (QWidget* widget : std::initializer_list<QWidget*>{lblEncodingValue2_, txtEncodingItemValue2_, lblEncodingScaling_,
                                                           txtEncodingScaling_, lblEncodingOffset_, txtEncodingOffset_}) {
        widget->setVisible(physical);
    }
    lblEncodingValue1_->setText(physical ? "Range Start" : "Value");
    lblEncodingItemDescription_->setText(physical ? "Units" : "Description");
}

void EncodingsTab::cmdEncodingsAddClick() {
    corvString name;
    name.Assign(u"NewSignalEncoding").AppendInt(document_->encodingTypes.GetCount() + 1);
    editor_->Apply({"Add Encoding", DocumentPart::kEncodings, ToQString(name)},
                   [&](corvdekLINDefinitionFile& document) { document.encodingTypes.Add()->name = name; });
    RefreshEncodingTypeList();
    encodingList_->SelectPosition(document_->encodingTypes.GetCount() - 1);
    lstEncodingsClick();
}

void EncodingsTab::cmdEncodingsRemoveClick() {
    const int selected = encodingList_->SelectedPosition();
    if (selected < 0) return;
    const corvString name = document_->encodingTypes.Get(selected)->name;
    if (!RemoveWithReferences(
            this, *editor_, "Remove Encoding", "Are you sure you want to remove this encoding?", NamedKind::kEncodingType,
            name, [selected](corvdekLINDefinitionFile& document) { document.encodingTypes.RemoveAt(selected); })) {
        return;
    }
    RefreshEncodingTypeList();
    encodingList_->SelectPosition(document_->encodingTypes.GetCount() - 1);
    lstEncodingsClick();
}

void EncodingsTab::cmdAddEncodingPartsClick() {
    corvdekLINSignalEncodingTypes* type = CurrentEncodingType();
    if (type == nullptr) return;
    EditParts("Add Encoding Part", [](corvdekLINSignalEncodingTypes& edited) { edited.items.Add(); });
    FillEncodingParts();
    const int count = lviewEncodingParts_->topLevelItemCount();
    if (count > 0) lviewEncodingParts_->setCurrentItem(lviewEncodingParts_->topLevelItem(count - 1));
    lviewEncodingPartsClick();
}

void EncodingsTab::cmdRemoveEncodingPartsClick() {
    corvdekLINSignalEncodingTypes* type = CurrentEncodingType();
    if (type == nullptr) return;
    QTreeWidgetItem* row = lviewEncodingParts_->currentItem();
    if (row != nullptr && row->isSelected()) {
        if (!AskYesNo(this, "Are you sure you want to remove this encoding part?")) return;
        const int index = lviewEncodingParts_->indexOfTopLevelItem(row);
        EditParts("Remove Encoding Part", [index](corvdekLINSignalEncodingTypes& edited) { edited.items.RemoveAt(index); });
        FillEncodingParts();
    }
    lviewEncodingPartsClick();
}

void EncodingsTab::cmdClearEncodingPartsClick() {
    corvdekLINSignalEncodingTypes* type = CurrentEncodingType();
    if (type == nullptr) return;
    EditParts("Clear Encoding Parts", [](corvdekLINSignalEncodingTypes& edited) { edited.items.Clear(); });
    FillEncodingParts();
    UpdatePartEditor();
}

void EncodingsTab::SelectEncodingByName(const QString& name) {
    encodingList_->SelectName(name);
    lstEncodingsClick();  // the list selects quietly: the details follow here
}

QWidget* EncodingsTab::ControlFor(const QString& field) const {
    if (field == "Name") return txtEncodingTypeDescription_;
    if (field == "Values") return lviewEncodingParts_;
    return nullptr;
}

QString EncodingsTab::SelectedName() const {
    const corvdekLINSignalEncodingTypes* type = CurrentEncodingType();
    return type == nullptr ? QString() : ToQString(type->name);
}
