// The Schedule Tables tab: the tables in file order and the entries of the selected one,
// which are composed in a small form and appended.

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>

#include "model/definition_file.h"
#include "qt_text.h"
#include "name_lists.h"
#include "tabrel_window.h"
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

void TfrmTabrel::BuildScheduleTablesPanel(QWidget* panel) {
    const ListColumn left = BuildListColumn({"cmdAddScheduleTable", "cmdRemoveScheduleTable",
                                             "lstScheduleTables", nullptr, nullptr, "lblTableCount"},
                                            200);
    lstScheduleTables_ = left.list;
    lblTableCount_ = left.count;

    pnlScheduleTableDetails_ = new QWidget;
    pnlScheduleTableDetails_->setObjectName("pnlScheduleTableDetails");
    txtScheduleTableDescription_ = NameField("txtScheduleTableDescription");
    lstScheduleFrameType_ = new QComboBox;
    lstScheduleFrameType_->setObjectName("lstScheduleFrameType");
    lstScheduleFrameType_->addItems(
        {"Frame", "MasterReq", "SlaveRsp", "AssignFrameId", "UnassignFrameId", "AssignNAD", "FreeFormat"});
    txtScheduleTableFrameTime_ = TextField("txtScheduleTableFrameTime");
    QPushButton* addEntry = Button("cmdScheduleTableFrameAdd", "Add");
    lblScheduleNode_ = new QLabel("Source Node");
    lblScheduleNode_->setObjectName("lblScheduleNode");
    lstScheduleNode_ = NameChoice("lstScheduleNode");
    lblScheduleTableFrames_ = new QLabel("Frames");
    lblScheduleTableFrames_->setObjectName("lblScheduleTableFrames");
    lstScheduleTableFrames_ = NameChoice("lstScheduleTableFrames");
    lviewScheduleTableFrames_ = new QTreeWidget;
    lviewScheduleTableFrames_->setObjectName("lviewScheduleTableFrames");
    lviewScheduleTableFrames_->setRootIsDecorated(false);
    lviewScheduleTableFrames_->setHeaderLabels({"Frame Name", "Delay (ms)"});
    lviewScheduleTableFrames_->setColumnWidth(0, 200);
    lviewScheduleTableFrames_->setColumnWidth(1, 100);
    QPushButton* removeEntry = Button("cmdScheduleTableFrameRemove", "Remove");
    QPushButton* clearEntries = Button("cmdScheduleTableFrameClearAll", "Clear");
    const char* const nadNames[] = {"txtScheduleOldNAD", "txtScheduleNewNAD", "txtScheduleSupplierID",
                                    "txtScheduleFunctionID"};
    const char* const nadCaptions[] = {"Old NAD", "New NAD", "Supplier ID", "Function ID"};
    std::vector<std::pair<QString, QLineEdit*>> nadFields;
    for (int i = 0; i < 4; ++i) {
        txtScheduleNad_[i] = TextField(nadNames[i]);
        nadFields.emplace_back(nadCaptions[i], txtScheduleNad_[i]);
    }
    pnlScheduleAssignNAD_ = FieldRow("pnlScheduleAssignNAD", nadFields);
    std::vector<std::pair<QString, QLineEdit*>> freeFields;
    for (int i = 0; i < 8; ++i) {
        txtScheduleFree_[i] = TextField(QString("txtScheduleFree%1").arg(i + 1).toLatin1().constData());
        txtScheduleFree_[i]->setFixedWidth(48);
        freeFields.emplace_back(QString::number(i + 1), txtScheduleFree_[i]);
    }
    pnlScheduleFreeFormat_ = FieldRow("pnlScheduleFreeFormat", freeFields);

    auto* grid = new QGridLayout(pnlScheduleTableDetails_);
    grid->addWidget(new QLabel("Description"), 0, 0);
    grid->addWidget(txtScheduleTableDescription_, 0, 1, 1, 3);
    grid->addWidget(new QLabel("Type"), 1, 0);
    grid->addWidget(lstScheduleFrameType_, 1, 1);
    grid->addWidget(new QLabel("Time"), 1, 2);
    grid->addWidget(txtScheduleTableFrameTime_, 1, 3);
    grid->addWidget(addEntry, 1, 4);
    // The NAD and free-format panels lie under the type list, where the entry's inputs go.
    grid->addWidget(pnlScheduleAssignNAD_, 2, 1, 1, 4);
    grid->addWidget(pnlScheduleFreeFormat_, 3, 1, 1, 4);
    grid->addWidget(lblScheduleNode_, 4, 0);
    grid->addWidget(lstScheduleNode_, 4, 1);
    grid->addWidget(lblScheduleTableFrames_, 5, 0);
    grid->addWidget(lstScheduleTableFrames_, 5, 1);
    grid->addWidget(lviewScheduleTableFrames_, 6, 1, 3, 3);
    grid->addWidget(removeEntry, 6, 4);
    grid->addWidget(clearEntries, 7, 4);
    grid->setColumnStretch(5, 1);
    grid->setRowStretch(8, 1);
    shapeTable_ = HighlightFrame("shapeTable", pnlScheduleTableDetails_);

    PlaceListAndDetails(panel, left.column, pnlScheduleTableDetails_);

    connect(left.add, &QPushButton::clicked, this, &TfrmTabrel::cmdAddScheduleTableClick);
    connect(left.remove, &QPushButton::clicked, this, &TfrmTabrel::cmdRemoveScheduleTableClick);
    connect(lstScheduleTables_, &QListWidget::currentRowChanged, this, [this] { lstScheduleTablesClick(); });
    connect(lstScheduleFrameType_, &QComboBox::activated, this, [this] { lstScheduleFrameTypeSelect(); });
    connect(addEntry, &QPushButton::clicked, this, &TfrmTabrel::cmdScheduleTableFrameAddClick);
    connect(removeEntry, &QPushButton::clicked, this, &TfrmTabrel::cmdScheduleTableFrameRemoveClick);
    connect(clearEntries, &QPushButton::clicked, this, &TfrmTabrel::cmdScheduleTableFrameClearAllClick);
    connect(txtScheduleTableDescription_, &QLineEdit::textChanged, this, [this](const QString& text) {
        corvdekLINScheduleTable* table = CurrentScheduleTable();
        if (filling_ || table == nullptr) return;
        table->name = FromQString(text).Trim();
        if (tableRename_) tableRename_->Follow(*document_, table->name);
        RefreshScheduleTableList();
    });
    lstScheduleFrameTypeSelect();
}

corvdekLINScheduleTable* TfrmTabrel::CurrentScheduleTable() const {
    return document_ ? document_->scheduleTables.Get(lstScheduleTables_->currentRow()) : nullptr;
}

void TfrmTabrel::lstScheduleFrameTypeSelect() {
    const int kind = lstScheduleFrameType_->currentIndex();
    const bool frame = kind == Item::kFrame || kind == Item::kAssignFrameId || kind == Item::kUnassignFrameId;
    const bool node = kind == Item::kAssignFrameId || kind == Item::kUnassignFrameId;
    pnlScheduleAssignNAD_->setVisible(kind == Item::kAssignNAD);
    pnlScheduleFreeFormat_->setVisible(kind == Item::kFreeFormat);
    lblScheduleTableFrames_->setVisible(frame);
    lstScheduleTableFrames_->setVisible(frame);
    lblScheduleNode_->setVisible(node);
    lstScheduleNode_->setVisible(node);
}

void TfrmTabrel::lstScheduleTablesClick() {
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
    tableRename_.emplace(NamedKind::kScheduleTable, table->name);
    lstScheduleTableFrames_->setCurrentText(QString());
    txtScheduleTableFrameTime_->clear();
    FillScheduleEntries();
}

void TfrmTabrel::FillScheduleEntries() {
    const corvdekLINScheduleTable* table = CurrentScheduleTable();
    if (table == nullptr) return;
    lviewScheduleTableFrames_->clear();
    QList<QTreeWidgetItem*> rows;
    for (int i = 0; i < table->items.GetCount(); ++i) {
        const Item& item = *table->items.Get(i);
        rows.append(new QTreeWidgetItem({EntryText(item), ToQString(item.delay)}));
    }
    lviewScheduleTableFrames_->addTopLevelItems(rows);
}

void TfrmTabrel::cmdScheduleTableFrameAddClick() {
    corvdekLINScheduleTable* table = CurrentScheduleTable();
    if (table == nullptr) return;
    if (lstScheduleFrameType_->currentIndex() == Item::kFreeFormat &&
        std::any_of(std::begin(txtScheduleFree_), std::end(txtScheduleFree_),
                    [](const QLineEdit* field) { return field->text().trimmed().isEmpty(); })) {
        // A free-format entry carries exactly eight data bytes.
        QMessageBox box(QMessageBox::Warning, "Tabrel", "A FreeFormat entry needs all eight data bytes.",
                        QMessageBox::Ok, this);
        box.setObjectName("msgFreeFormatBytes");
        box.exec();
        return;
    }
    Item* item = table->items.Add();
    item->kind = lstScheduleFrameType_->currentIndex();
    switch (item->kind) {
        case Item::kFrame: item->frameName = FromQString(lstScheduleTableFrames_->currentText()); break;
        case Item::kMasterReq: item->frameName = u"MasterReq"; break;
        case Item::kSlaveResp: item->frameName = u"SlaveResp"; break;
        case Item::kAssignFrameId:
        case Item::kUnassignFrameId:
            item->nodeName = FromQString(lstScheduleNode_->currentText());
            item->frameName = FromQString(lstScheduleTableFrames_->currentText());
            break;
        case Item::kAssignNAD: {
            // In the order of the fields: Old NAD, New NAD, Supplier ID, Function ID.
            corvString* values[] = {&item->nadInitial, &item->nadNew, &item->nadSupplierId, &item->nadFunctionId};
            for (int i = 0; i < 4; ++i) *values[i] = FromQString(txtScheduleNad_[i]->text().trimmed());
            break;
        }
        case Item::kFreeFormat: {
            QStringList bytes;
            for (QLineEdit* field : txtScheduleFree_) bytes << field->text().trimmed();
            item->freeFormatData = FromQString(bytes.join(','));
            break;
        }
        default: break;
    }
    item->delay = FromQString(txtScheduleTableFrameTime_->text());
    FillScheduleEntries();
}

void TfrmTabrel::cmdScheduleTableFrameRemoveClick() {
    corvdekLINScheduleTable* table = CurrentScheduleTable();
    QTreeWidgetItem* row = lviewScheduleTableFrames_->currentItem();
    if (table == nullptr || row == nullptr || !row->isSelected()) return;
    if (!AskYesNo("Are you sure you want to remove this schedule table frame?")) return;
    const int index = lviewScheduleTableFrames_->indexOfTopLevelItem(row);
    if (index < table->items.GetCount()) {
        table->items.RemoveAt(index);
        FillScheduleEntries();
    }
}

void TfrmTabrel::cmdScheduleTableFrameClearAllClick() {
    corvdekLINScheduleTable* table = CurrentScheduleTable();
    if (table == nullptr) return;
    table->items.Clear();
    FillScheduleEntries();
}

void TfrmTabrel::RefreshScheduleTableList() {
    RefillKeepingRow(lstScheduleTables_, NameTexts(document_->scheduleTables));
    lblTableCount_->setText(QString("Table Count %1").arg(document_->scheduleTables.GetCount()));
    lblTableCount_->show();
}

void TfrmTabrel::cmdAddScheduleTableClick() {
    corvdekLINScheduleTable* table = document_->scheduleTables.Add();
    table->name.Assign(u"NewScheduleTable").AppendInt(document_->scheduleTables.GetCount());
    RefreshScheduleTableList();
    lstScheduleTables_->setCurrentRow(lstScheduleTables_->count() - 1);
    lstScheduleTablesClick();
}

void TfrmTabrel::cmdRemoveScheduleTableClick() {
    const int selected = lstScheduleTables_->currentRow();
    if (selected < 0) return;
    if (!AskYesNo("Are you sure you want to remove this schedule table?")) return;
    document_->scheduleTables.RemoveAt(selected);
    RefreshScheduleTableList();
    lstScheduleTables_->setCurrentRow(lstScheduleTables_->count() - 1);
    lstScheduleTablesClick();
}

void TfrmTabrel::RefreshScheduleFrameChoices() {
    const QString text = lstScheduleTableFrames_->currentText();
    lstScheduleTableFrames_->clear();
    lstScheduleTableFrames_->addItems(NameTexts(document_->frames) + NameTexts(document_->sporadicFrames) +
                                      NameTexts(document_->eventFrames));
    lstScheduleTableFrames_->setCurrentText(text);
}
