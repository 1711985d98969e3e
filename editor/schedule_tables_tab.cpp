#include "schedule_tables_tab.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>

#include "ldf_writer/ldf_writer.h"
#include "lin_rules.h"
#include "name_field.h"
#include "document_editor.h"
#include "model/definition_file.h"
#include "name_list_view.h"
#include "schedule_timeline_view.h"
#include "qt_text.h"
#include "name_lists.h"
#include "widgets.h"

namespace {

using Item = corvdekLINScheduleTableItem;

QString EntryText(const Item& item) {
    switch (item.kind) {
        case Item::kFrame: return ToQString(item.frameName);
        case Item::kMasterReq: return "MasterReq";
        case Item::kSlaveResp: return "SlaveResp";
        case Item::kAssignFrameId:
        case Item::kUnassignFrameId:
            return (item.kind == Item::kAssignFrameId ? "AssignFrameID  Node: " : "UnassignFrameID  Node: ") +
                   ToQString(item.nodeName) + " - Frame: " + ToQString(item.frameName);
        case Item::kAssignNAD:
            if (!item.nodeName.IsEmpty()) return "AssignNAD  Node: " + ToQString(item.nodeName);
            return "AssignNAD  OldNAD: " + ToQString(item.nadInitial) + " - NewNAD: " + ToQString(item.nadNew) +
                   " - SupplierID: " + ToQString(item.nadSupplierId) + " - FunctionID: " +
                   ToQString(item.nadFunctionId);
        case Item::kFreeFormat: return "FreeFormat: " + ToQString(item.freeFormatData);
        case Item::kConditionalChangeNAD:
            return "ConditionalChangeNAD: " + ToQString(corvString(item.arguments.Joined(u", ")));
        case Item::kDataDump:
        case Item::kSaveConfiguration:
        case Item::kAssignFrameIdRange: {
            const char* command = item.kind == Item::kDataDump            ? "DataDump"
                                  : item.kind == Item::kSaveConfiguration ? "SaveConfiguration"
                                                                          : "AssignFrameIdRange";
            QString text = QString(command) + "  Node: " + ToQString(item.nodeName);
            if (item.arguments.Count() > 0) {
                text += " - " + ToQString(corvString(item.arguments.Joined(u", ")));
            }
            return text;
        }
        default: return QString();
    }
}

// What the argument fields of a command hold, in LIN's order; empty for none.
QStringList ArgumentCaptions(int kind) {
    switch (kind) {
        case Item::kConditionalChangeNAD: return {"NAD", "Id", "Byte", "Mask", "Invert", "New NAD"};
        case Item::kDataDump: return {"D1", "D2", "D3", "D4", "D5"};
        case Item::kAssignFrameIdRange: return {"Frame Index", "PID 1", "PID 2", "PID 3", "PID 4"};
        default: return {};
    }
}

QWidget* FieldRow(const char* name, const std::vector<std::pair<QString, QLineEdit*>>& fields) {
    auto* panel = new QWidget;
    panel->setObjectName(name);
    auto* layout = new QGridLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        layout->addWidget(new QLabel(fields[i].first), 0, static_cast<int>(i));
        layout->addWidget(fields[i].second, 1, static_cast<int>(i));
    }
    layout->setColumnStretch(static_cast<int>(fields.size()), 1);
    return panel;
}

}  // namespace

ScheduleTablesTab::ScheduleTablesTab(DocumentEditor* editor, QWidget* parent) : QWidget(parent), editor_(editor) {
    setObjectName("pnlScheduleTable");
    const ListColumn left = BuildListColumn({"cmdAddScheduleTable", "cmdRemoveScheduleTable",
                                             "lstScheduleTables", nullptr, nullptr, "lblTableCount"});
    lstScheduleTables_ = left.view;
    tableList_ = std::make_unique<NameListView>(
        lstScheduleTables_, [this] { return document_ != nullptr ? document_->scheduleTables.GetCount() : 0; },
        [this](int position) { return &document_->scheduleTables.Get(position)->name; }, false);
    lblTableCount_ = left.count;

    pnlScheduleTableDetails_ = new QWidget;
    pnlScheduleTableDetails_->setObjectName("pnlScheduleTableDetails");
    txtScheduleTableDescription_ = NameField("txtScheduleTableDescription");
    lstScheduleFrameType_ = new QComboBox;
    lstScheduleFrameType_->setObjectName("lstScheduleFrameType");
    // In the order of the entry kinds.
    lstScheduleFrameType_->addItems({"Frame", "MasterReq", "SlaveRsp", "AssignFrameId", "UnassignFrameId",
                                     "AssignNAD", "FreeFormat", "ConditionalChangeNAD", "DataDump",
                                     "SaveConfiguration", "AssignFrameIdRange"});
    txtScheduleTableFrameTime_ = RealField("txtScheduleTableFrameTime");
    QPushButton* addEntry = Button("cmdScheduleTableFrameAdd", "Add");
    QPushButton* changeEntry = Button("cmdScheduleTableFrameChange", "Change");
    lblScheduleNode_ = new QLabel("Source Node");
    lblScheduleNode_->setObjectName("lblScheduleNode");
    lstScheduleNode_ = NameChoice("lstScheduleNode");
    lstScheduleNode_->setMinimumWidth(200);
    lblScheduleTableFrames_ = new QLabel("Frames");
    lblScheduleTableFrames_->setObjectName("lblScheduleTableFrames");
    lstScheduleTableFrames_ = NameChoice("lstScheduleTableFrames");
    lstScheduleTableFrames_->setMinimumWidth(200);
    lviewScheduleTableFrames_ = new QTreeWidget;
    lviewScheduleTableFrames_->setObjectName("lviewScheduleTableFrames");
    lviewScheduleTableFrames_->setRootIsDecorated(false);
    lviewScheduleTableFrames_->setHeaderLabels({"Frame Name", "Delay (ms)"});
    lviewScheduleTableFrames_->setColumnWidth(0, 200);
    lviewScheduleTableFrames_->setColumnWidth(1, 100);
    QPushButton* removeEntry = Button("cmdScheduleTableFrameRemove", "Remove");
    QPushButton* clearEntries = Button("cmdScheduleTableFrameClearAll", "Clear");
    QPushButton* entryUp = Button("cmdScheduleTableFrameUp", "Up");
    QPushButton* entryDown = Button("cmdScheduleTableFrameDown", "Down");
    const char* const nadNames[] = {"txtScheduleOldNAD", "txtScheduleNewNAD", "txtScheduleSupplierID",
                                    "txtScheduleFunctionID"};
    const char* const nadCaptions[] = {"Old NAD", "New NAD", "Supplier ID", "Function ID"};
    std::vector<std::pair<QString, QLineEdit*>> nadFields;
    for (int i = 0; i < 4; ++i) {
        txtScheduleNad_[i] = IntegerField(nadNames[i]);
        nadFields.emplace_back(nadCaptions[i], txtScheduleNad_[i]);
    }
    pnlScheduleAssignNAD_ = FieldRow("pnlScheduleAssignNAD", nadFields);
    std::vector<std::pair<QString, QLineEdit*>> freeFields;
    for (int i = 0; i < 8; ++i) {
        txtScheduleFree_[i] = IntegerField(QString("txtScheduleFree%1").arg(i + 1).toLatin1().constData());
        txtScheduleFree_[i]->setFixedWidth(48);
        freeFields.emplace_back(QString::number(i + 1), txtScheduleFree_[i]);
    }
    pnlScheduleFreeFormat_ = FieldRow("pnlScheduleFreeFormat", freeFields);
    std::vector<std::pair<QString, QLineEdit*>> argumentFields;
    for (int i = 0; i < kScheduleArguments; ++i) {
        txtScheduleArgument_[i] = IntegerField(QString("txtScheduleArgument%1").arg(i + 1).toLatin1().constData());
        txtScheduleArgument_[i]->setFixedWidth(72);
        argumentFields.emplace_back(QString(), txtScheduleArgument_[i]);
    }
    pnlScheduleArguments_ = FieldRow("pnlScheduleArguments", argumentFields);
    auto* grid = new QGridLayout(pnlScheduleTableDetails_);
    grid->addWidget(new QLabel("Description"), 0, 0);
    grid->addWidget(txtScheduleTableDescription_, 0, 1, 1, 3);
    grid->addWidget(new QLabel("Type"), 1, 0);
    auto* entryRow = new QHBoxLayout;  // each control at its own width, in a fixed place
    entryRow->addWidget(lstScheduleFrameType_);
    entryRow->addWidget(new QLabel("Time"));
    entryRow->addWidget(txtScheduleTableFrameTime_);
    entryRow->addWidget(addEntry);
    entryRow->addWidget(changeEntry);
    entryRow->addStretch();
    grid->addLayout(entryRow, 1, 1, 1, 5);
    // The command panels lie under the type list, where the entry's inputs go, one at a
    // time in a space as high as the highest: choosing another kind moves no other control.
    commandPanels_ = new QStackedWidget;
    for (QWidget* panel : {new QWidget, pnlScheduleAssignNAD_, pnlScheduleFreeFormat_, pnlScheduleArguments_}) {
        commandPanels_->addWidget(panel);
    }
    grid->addWidget(commandPanels_, 2, 1, 1, 5);
    for (QWidget* shownByKind : {static_cast<QWidget*>(lblScheduleNode_), static_cast<QWidget*>(lstScheduleNode_),
                                 static_cast<QWidget*>(lblScheduleTableFrames_),
                                 static_cast<QWidget*>(lstScheduleTableFrames_)}) {
        QSizePolicy keepsItsPlace = shownByKind->sizePolicy();
        keepsItsPlace.setRetainSizeWhenHidden(true);
        shownByKind->setSizePolicy(keepsItsPlace);
    }
    grid->addWidget(lblScheduleNode_, 5, 0);
    grid->addWidget(lstScheduleNode_, 5, 1, Qt::AlignLeft);
    grid->addWidget(lblScheduleTableFrames_, 6, 0);
    grid->addWidget(lstScheduleTableFrames_, 6, 1, Qt::AlignLeft);
    grid->addWidget(lviewScheduleTableFrames_, 7, 1, 5, 3);
    grid->addWidget(removeEntry, 7, 4);
    grid->addWidget(clearEntries, 8, 4);
    grid->addWidget(entryUp, 9, 4);
    grid->addWidget(entryDown, 10, 4);
    lblScheduleBusLoad_ = new QLabel;
    lblScheduleBusLoad_->setObjectName("lblScheduleBusLoad");
    // Its text does not size the columns: the controls above keep their places as it changes.
    lblScheduleBusLoad_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    grid->addWidget(lblScheduleBusLoad_, 12, 1, 1, 6);
    timeline_ = new ScheduleTimelineView;
    grid->addWidget(timeline_, 13, 0, 1, 7);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(11, 1);
    shapeTable_ = HighlightFrame("shapeTable", pnlScheduleTableDetails_);

    PlaceListAndDetails(this, left.column, pnlScheduleTableDetails_);

    connect(left.add, &QPushButton::clicked, this, &ScheduleTablesTab::cmdAddScheduleTableClick);
    connect(left.remove, &QPushButton::clicked, this, &ScheduleTablesTab::cmdRemoveScheduleTableClick);
    connect(lstScheduleTables_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { lstScheduleTablesClick(); });
    connect(lstScheduleFrameType_, &QComboBox::activated, this, [this] { lstScheduleFrameTypeSelect(); });
    connect(addEntry, &QPushButton::clicked, this, &ScheduleTablesTab::cmdScheduleTableFrameAddClick);
    connect(removeEntry, &QPushButton::clicked, this, &ScheduleTablesTab::cmdScheduleTableFrameRemoveClick);
    connect(clearEntries, &QPushButton::clicked, this, &ScheduleTablesTab::cmdScheduleTableFrameClearAllClick);
    connect(changeEntry, &QPushButton::clicked, this, &ScheduleTablesTab::cmdScheduleTableFrameChangeClick);
    connect(entryUp, &QPushButton::clicked, this, [this] { MoveScheduleEntry(-1); });
    connect(entryDown, &QPushButton::clicked, this, [this] { MoveScheduleEntry(1); });
    // The form follows the selection, once it is made: a click makes the row current before
    // it selects it.
    connect(lviewScheduleTableFrames_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] {
                timeline_->SetSelected(SelectedScheduleEntry());
                ShowScheduleEntry();
            });
    connect(timeline_, &ScheduleTimelineView::SlotClicked, this, &ScheduleTablesTab::SelectEntry);
    connect(txtScheduleTableDescription_, &QLineEdit::textChanged, this, &ScheduleTablesTab::NameTyped);
    lstScheduleFrameTypeSelect();
}

ScheduleTablesTab::~ScheduleTablesTab() = default;

// The references follow the name through every keystroke, whatever names it passes.
void ScheduleTablesTab::NameTyped() {
    corvdekLINScheduleTable* table = CurrentScheduleTable();
    if (filling_ || table == nullptr) return;
    if (tableRename_.TakeTypedName(*editor_, "Rename Schedule Table", txtScheduleTableDescription_, table->name,
                                   table)) {
        RefreshScheduleTableList();
    }
}

void ScheduleTablesTab::EditEntries(const QString& label,
                                    const std::function<void(corvdekLINScheduleTable&)>& edit) {
    corvdekLINScheduleTable* table = CurrentScheduleTable();
    if (table == nullptr) return;
    editor_->Apply({label, DocumentPart::kScheduleTables, ToQString(table->name), "Entries"},
                   [&](corvdekLINDefinitionFile&) { edit(*table); });
}

corvdekLINScheduleTable* ScheduleTablesTab::CurrentScheduleTable() const {
    return document_ != nullptr ? document_->scheduleTables.Get(tableList_->SelectedPosition()) : nullptr;
}

void ScheduleTablesTab::lstScheduleFrameTypeSelect() {
    const int kind = lstScheduleFrameType_->currentIndex();
    const bool frame = Item::KindNamesAFrame(kind);
    const bool node = Item::KindNamesANode(kind);
    const QStringList captions = ArgumentCaptions(kind);
    QWidget* panel = kind == Item::kAssignNAD   ? pnlScheduleAssignNAD_
                     : kind == Item::kFreeFormat ? pnlScheduleFreeFormat_
                     : !captions.isEmpty()       ? pnlScheduleArguments_
                                                 : commandPanels_->widget(0);
    commandPanels_->setCurrentWidget(panel);
    auto* arguments = static_cast<QGridLayout*>(pnlScheduleArguments_->layout());
    for (int i = 0; i < kScheduleArguments; ++i) {
        auto* caption = static_cast<QLabel*>(arguments->itemAtPosition(0, i)->widget());
        caption->setText(captions.value(i));
        caption->setVisible(i < captions.size());
        txtScheduleArgument_[i]->setVisible(i < captions.size());
    }
    lblScheduleTableFrames_->setVisible(frame);
    lstScheduleTableFrames_->setVisible(frame);
    lblScheduleNode_->setVisible(node);
    lstScheduleNode_->setVisible(node);
}

void ScheduleTablesTab::lstScheduleTablesClick() {
    const corvdekLINScheduleTable* table = CurrentScheduleTable();
    if (table == nullptr) {
        pnlScheduleTableDetails_->hide();
        lblTableCount_->hide();
        return;
    }
    lstScheduleFrameTypeSelect();
    pnlScheduleTableDetails_->show();
    FillingScope filling(filling_);
    txtScheduleTableDescription_->setText(ToQString(table->name));
    tableRename_.Show(*document_, NamedKind::kScheduleTable, table, table->name);
    lstScheduleTableFrames_->setCurrentText(QString());
    txtScheduleTableFrameTime_->clear();
    // Shown again (the tab came back to front): the selected entry stays selected.
    const int keep = table->key.Equals(shownTableKey_) ? SelectedScheduleEntry() : -1;
    shownTableKey_ = table->key;
    FillScheduleEntries(keep);
    if (keep >= 0) ShowScheduleEntry();
}

void ScheduleTablesTab::FillScheduleEntries(int selectRow) {
    const corvdekLINScheduleTable* table = CurrentScheduleTable();
    if (table == nullptr) return;
    const QSignalBlocker quiet(lviewScheduleTableFrames_);  // the form keeps what it shows
    lviewScheduleTableFrames_->clear();
    QList<QTreeWidgetItem*> rows;
    for (int i = 0; i < table->items.GetCount(); ++i) {
        const Item& item = *table->items.Get(i);
        rows.append(new QTreeWidgetItem({EntryText(item), ToQString(item.delay)}));
    }
    lviewScheduleTableFrames_->addTopLevelItems(rows);
    if (selectRow >= 0 && selectRow < rows.size()) lviewScheduleTableFrames_->setCurrentItem(rows[selectRow]);
    UpdateBusLoad();
}

void ScheduleTablesTab::UpdateBusLoad() {
    const corvdekLINScheduleTable* table = CurrentScheduleTable();
    if (table == nullptr) return;
    const ScheduleTiming timing = ScheduleTableTiming(*document_, tableList_->SelectedPosition());
    QList<ScheduleTimelineView::Slot> shown;
    for (int i = 0; i < static_cast<int>(timing.slots.size()); ++i) {
        const ScheduleSlot& slot = timing.slots[static_cast<std::size_t>(i)];
        shown.append({EntryText(*table->items.Get(i)), slot.delayMs, slot.frameMs, slot.fits});
    }
    timeline_->ShowSlots(shown);
    timeline_->SetSelected(SelectedScheduleEntry());
    const ScheduleLoad& load = timing.load;
    if (!load.known) {
        lblScheduleBusLoad_->setText("Bus Load: unknown (the table needs delays and the cluster a speed)");
        return;
    }
    lblScheduleBusLoad_->setText(QString("Bus Load: %1 % of the %2 ms cycle%3")
                                     .arg(RoundHalfAway(load.Percent(), 3), 0, 'f', 3)
                                     .arg(RoundHalfAway(load.cycleMs, 3), 0, 'g', 9)
                                     .arg(load.slotOverflows ? ", a slot is shorter than its frame" : ""));
}

void ScheduleTablesTab::SelectTableByName(const QString& name) {
    tableList_->SelectName(name);
    lstScheduleTablesClick();  // the list selects quietly: the details follow here
}

void ScheduleTablesTab::SelectEntry(int row) {
    if (QTreeWidgetItem* entry = lviewScheduleTableFrames_->topLevelItem(row)) lviewScheduleTableFrames_->setCurrentItem(entry);
}

QWidget* ScheduleTablesTab::ControlFor(const QString& field) const {
    if (field == "Name") return txtScheduleTableDescription_;
    if (field == "Entries") return lviewScheduleTableFrames_;
    if (field == "Load") return lblScheduleBusLoad_;
    return nullptr;
}

std::optional<Item> ScheduleTablesTab::ScheduleEntryFromForm() {
    if (lstScheduleFrameType_->currentIndex() == Item::kFreeFormat &&
        std::any_of(std::begin(txtScheduleFree_), std::end(txtScheduleFree_),
                    [](const QLineEdit* field) { return field->text().trimmed().isEmpty(); })) {
        // A free-format entry carries exactly eight data bytes.
        ShowWarning(this, "msgFreeFormatBytes", "A FreeFormat entry needs all eight data bytes.");
        return std::nullopt;
    }
    Item item;
    item.kind = lstScheduleFrameType_->currentIndex();
    const corvString node = FromQString(lstScheduleNode_->currentText()).Trim();
    if (Item::KindNamesANode(item.kind)) item.nodeName = node;
    if (Item::KindNamesAFrame(item.kind)) item.frameName = FromQString(lstScheduleTableFrames_->currentText()).Trim();
    if (item.kind == Item::kMasterReq) item.frameName = u"MasterReq";
    if (item.kind == Item::kSlaveResp) item.frameName = u"SlaveResp";
    if (item.kind == Item::kAssignNAD) {
        // In the order of the fields: Old NAD, New NAD, Supplier ID, Function ID. With
        // them the entry has LIN 2.0's form, without them LIN 2.1's 'AssignNAD { node }'.
        corvString* values[] = {&item.nadInitial, &item.nadNew, &item.nadSupplierId, &item.nadFunctionId};
        for (int i = 0; i < 4; ++i) *values[i] = FromQString(txtScheduleNad_[i]->text().trimmed());
        if (!item.nadInitial.IsEmpty() || !item.nadNew.IsEmpty() || !item.nadSupplierId.IsEmpty() ||
            !item.nadFunctionId.IsEmpty()) {
            item.nodeName = corvString();
        }
    }
    if (item.kind == Item::kFreeFormat) {
        QStringList bytes;
        for (QLineEdit* field : txtScheduleFree_) bytes << field->text().trimmed();
        item.freeFormatData = FromQString(bytes.join(','));
    }
    // The argument fields up to the last one filled in.
    const int argumentCount = static_cast<int>(ArgumentCaptions(item.kind).size());
    int given = 0;
    for (int i = 0; i < argumentCount; ++i) {
        if (!txtScheduleArgument_[i]->text().trimmed().isEmpty()) given = i + 1;
    }
    for (int i = 0; i < given; ++i) item.arguments.Add(FromQString(txtScheduleArgument_[i]->text().trimmed()));
    item.delay = FromQString(txtScheduleTableFrameTime_->text()).Trim();
    if (!ScheduleEntryIsComplete(item)) {
        ShowWarning(this, "msgScheduleEntryIncomplete",
                    "The entry needs its delay and every value its command takes (AssignFrameIdRange: "
                    "the frame index, or the frame index and four PIDs).");
        return std::nullopt;
    }
    return item;
}

void ScheduleTablesTab::cmdScheduleTableFrameAddClick() {
    corvdekLINScheduleTable* table = CurrentScheduleTable();
    if (table == nullptr) return;
    if (const std::optional<Item> item = ScheduleEntryFromForm()) {
        EditEntries("Add Schedule Entry", [&](corvdekLINScheduleTable& edited) { *edited.items.Add() = *item; });
        FillScheduleEntries();
    }
}

int ScheduleTablesTab::SelectedScheduleEntry() const {
    QTreeWidgetItem* row = lviewScheduleTableFrames_->currentItem();
    return row == nullptr || !row->isSelected() ? -1 : lviewScheduleTableFrames_->indexOfTopLevelItem(row);
}

void ScheduleTablesTab::cmdScheduleTableFrameChangeClick() {
    corvdekLINScheduleTable* table = CurrentScheduleTable();
    const int index = SelectedScheduleEntry();
    if (table == nullptr || index < 0 || index >= table->items.GetCount()) return;
    if (const std::optional<Item> item = ScheduleEntryFromForm()) {
        EditEntries("Change Schedule Entry", [&](corvdekLINScheduleTable& edited) {
            *edited.items.Get(index) = *item;
        });
        FillScheduleEntries(index);
    }
}

// Shows the selected entry in the form, ready to be changed or added again.
void ScheduleTablesTab::ShowScheduleEntry() {
    const corvdekLINScheduleTable* table = CurrentScheduleTable();
    const int index = SelectedScheduleEntry();
    const Item* item = table == nullptr ? nullptr : table->items.Get(index);
    if (item == nullptr) return;
    lstScheduleFrameType_->setCurrentIndex(item->kind);
    lstScheduleFrameTypeSelect();
    txtScheduleTableFrameTime_->setText(ToQString(item->delay));
    if (Item::KindNamesANode(item->kind)) lstScheduleNode_->setCurrentText(ToQString(item->nodeName));
    if (Item::KindNamesAFrame(item->kind)) lstScheduleTableFrames_->setCurrentText(ToQString(item->frameName));
    const corvString* nad[] = {&item->nadInitial, &item->nadNew, &item->nadSupplierId, &item->nadFunctionId};
    for (int i = 0; i < 4; ++i) txtScheduleNad_[i]->setText(ToQString(*nad[i]));
    corvStringArray bytes;
    bytes.Split(item->freeFormatData.View(), u",");
    for (int i = 0; i < 8; ++i) txtScheduleFree_[i]->setText(i < bytes.Count() ? ToQString(bytes.Item(i).Trim()) : QString());
    for (int i = 0; i < kScheduleArguments; ++i) {
        txtScheduleArgument_[i]->setText(i < item->arguments.Count() ? ToQString(item->arguments.Item(i)) : QString());
    }
}

void ScheduleTablesTab::MoveScheduleEntry(int step) {
    corvdekLINScheduleTable* table = CurrentScheduleTable();
    const int index = SelectedScheduleEntry();
    const int target = index + step;
    if (table == nullptr || index < 0 || target < 0 || target >= table->items.GetCount()) return;
    EditEntries(step < 0 ? "Move Schedule Entry Up" : "Move Schedule Entry Down",
                [&](corvdekLINScheduleTable& edited) { std::swap(*edited.items.Get(index), *edited.items.Get(target)); });
    FillScheduleEntries(target);
}

void ScheduleTablesTab::cmdScheduleTableFrameRemoveClick() {
    corvdekLINScheduleTable* table = CurrentScheduleTable();
    const int index = SelectedScheduleEntry();
    if (table == nullptr || index < 0) return;
    if (!AskYesNo(this, "Are you sure you want to remove this schedule table frame?")) return;
    if (index < table->items.GetCount()) {
        EditEntries("Remove Schedule Entry", [&](corvdekLINScheduleTable& edited) { edited.items.RemoveAt(index); });
        FillScheduleEntries();
    }
}

void ScheduleTablesTab::cmdScheduleTableFrameClearAllClick() {
    corvdekLINScheduleTable* table = CurrentScheduleTable();
    if (table == nullptr) return;
    EditEntries("Clear Schedule Entries", [](corvdekLINScheduleTable& edited) { edited.items.Clear(); });
    FillScheduleEntries();
}

void ScheduleTablesTab::RefreshScheduleTableList() {
    tableList_->Reload();
    lblTableCount_->setText(QString("Table Count %1").arg(document_->scheduleTables.GetCount()));
    lblTableCount_->show();
}

void ScheduleTablesTab::cmdAddScheduleTableClick() {
    corvString name;
    name.Assign(u"NewScheduleTable").AppendInt(document_->scheduleTables.GetCount() + 1);
    editor_->Apply({"Add Schedule Table", DocumentPart::kScheduleTables, ToQString(name)},
                   [&](corvdekLINDefinitionFile& document) { document.scheduleTables.Add()->name = name; });
    RefreshScheduleTableList();
    tableList_->SelectPosition(document_->scheduleTables.GetCount() - 1);
    lstScheduleTablesClick();
}

void ScheduleTablesTab::cmdRemoveScheduleTableClick() {
    const int selected = tableList_->SelectedPosition();
    if (selected < 0) return;
    const corvString name = document_->scheduleTables.Get(selected)->name;
    if (!RemoveWithReferences(
            this, *editor_, "Remove Schedule Table", "Are you sure you want to remove this schedule table?",
            NamedKind::kScheduleTable, name,
            [selected](corvdekLINDefinitionFile& document) { document.scheduleTables.RemoveAt(selected); })) {
        return;
    }
    RefreshScheduleTableList();
    tableList_->SelectPosition(document_->scheduleTables.GetCount() - 1);
    lstScheduleTablesClick();
}

void ScheduleTablesTab::RefreshScheduleFrameChoices() {
    RefillChoices(lstScheduleTableFrames_, FrameNamesOfEveryKind(*document_));
}

void ScheduleTablesTab::Show(corvdekLINDefinitionFile* document) {
    document_ = document;
    tableRename_.Forget();
    tableList_->ClearSelection();
    shownTableKey_ = corvString();
    pnlScheduleTableDetails_->hide();
    lblTableCount_->hide();
    RefreshScheduleTableList();  // the first table is shown
    RefreshScheduleFrameChoices();
}

QString ScheduleTablesTab::SelectedName() const {
    const corvdekLINScheduleTable* table = CurrentScheduleTable();
    return table == nullptr ? QString() : ToQString(table->name);
}
