#include "nodes_tab.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "composite_nodes_dialog.h"
#include "document_editor.h"
#include "model/definition_file.h"
#include "name_field.h"
#include "node_attributes_dialog.h"
#include "qt_text.h"
#include "name_lists.h"
#include "widgets.h"

NodesTab::NodesTab(DocumentEditor* editor, QWidget* parent)
    : QWidget(parent),
      editor_(editor),
      nodeAttributes_(std::make_unique<TfrmNodeAttributes>(nullptr)),
      compositeNodes_(std::make_unique<TfrmLINCompositeNodes>(nullptr)) {
    setObjectName("pnlNodes");
    txtMasterName_ = NameField("txtMasterName");
    txtAddNode_ = NameField("txtAddNode");
    lstSlaveNodes_ = new QListWidget;
    lstSlaveNodes_->setObjectName("lstSlaveNodes");
    // A slave is renamed in place (double click or F2).
    lstSlaveNodes_->setItemDelegate(new RuleItemDelegate(RuleItemDelegate::kName, lstSlaveNodes_));
    lstSlaveNodes_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    cmdGenerateMaster_ = Button("cmdGenerateMaster", "Generate Code...");
    cmdGenerateCodeSlave_ = Button("cmdGenerateCodeSlave", "Generate Code...");
    QPushButton* add = Button("cmdNodeAdd", "Add");
    QPushButton* remove = Button("cmdNodesRemove", "Remove");
    RemoveOnDelete(lstSlaveNodes_, remove);
    QPushButton* clear = Button("cmdNodesClear", "Clear");
    cmdNodeAttributes_ = Button("cmdNodeAttributes", "Attributes...");
    QPushButton* composite = Button("cmdCompositeNodes", "Composite Nodes...");
    QPushButton* exportNcf = Button("cmdExportNcf", "Export NCF...");

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel("Master Node"), 0, 0);
    grid->addWidget(txtMasterName_, 0, 1);
    grid->addWidget(cmdGenerateMaster_, 0, 2);
    grid->addWidget(new QLabel("Slave Nodes"), 1, 0);
    grid->addWidget(txtAddNode_, 1, 1);
    grid->addWidget(add, 1, 2);
    grid->addWidget(lstSlaveNodes_, 2, 1, 7, 1);
    grid->addWidget(remove, 2, 2);
    grid->addWidget(clear, 3, 2);
    grid->addWidget(cmdNodeAttributes_, 4, 2);
    grid->addWidget(cmdGenerateCodeSlave_, 5, 2);
    grid->addWidget(composite, 6, 2);
    grid->addWidget(exportNcf, 7, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(8, 1);  // below the buttons, which stay at the top
    // Created hidden; nothing in the window shows them.
    cmdGenerateMaster_->hide();
    cmdGenerateCodeSlave_->hide();
    shapeNode_ = HighlightFrame("shapeNode", this);

    connect(txtMasterName_, &QLineEdit::textChanged, this, &NodesTab::MasterNameTyped);
    connect(lstSlaveNodes_, &QListWidget::itemChanged, this, &NodesTab::RenameSlave);
    connect(add, &QPushButton::clicked, this, &NodesTab::cmdNodeAddClick);
    connect(remove, &QPushButton::clicked, this, &NodesTab::cmdNodesRemoveClick);
    connect(clear, &QPushButton::clicked, this, &NodesTab::cmdNodesClearClick);
    connect(cmdNodeAttributes_, &QPushButton::clicked, this, &NodesTab::cmdNodeAttributesClick);
    connect(composite, &QPushButton::clicked, this, &NodesTab::cmdCompositeNodesClick);
    connect(exportNcf, &QPushButton::clicked, this, &NodesTab::cmdExportNcfClick);
    connect(cmdGenerateMaster_, &QPushButton::clicked, this, &NodesTab::cmdGenerateMasterClick);
    connect(cmdGenerateCodeSlave_, &QPushButton::clicked, this,
            &NodesTab::cmdGenerateCodeSlaveClick);
}

NodesTab::~NodesTab() = default;

// The references follow the name through every keystroke, whatever names it passes.
void NodesTab::MasterNameTyped() {
    if (filling_ || document_ == nullptr) return;
    editor_->TryApply({"Rename Master", DocumentPart::kAll, ToQString(document_->master.name), "Name",
                       &document_->master, DocumentPart::kNodes},
                      [this](corvdekLINDefinitionFile& document) {
                          if (!TakeName(txtMasterName_, document.master.name)) return false;
                          if (masterRename_) masterRename_->Follow(document, document.master.name);
                          return true;
                      });
}

void NodesTab::RefreshSlaveList() {
    RefillKeepingRow(lstSlaveNodes_, NameTexts(document_->nodes));
    MakeRowsEditable(lstSlaveNodes_);
}

void NodesTab::RenameSlave(QListWidgetItem* item) {
    corvdekLINNode* node = document_->nodes.Get(lstSlaveNodes_->row(item));
    if (node == nullptr) return;
    const corvString name = FromQString(item->text()).Trim();
    if (!name.IsEmpty() && !name.Equals(node->name)) {
        editor_->Apply({"Rename Node", DocumentPart::kAll, ToQString(node->name), "Name", nullptr, DocumentPart::kNodes},
                       [&](corvdekLINDefinitionFile& document) {
                           ReferenceRename rename(document, NamedKind::kNode, node->name);
                           node->name = name;
                           rename.Follow(document, name);
                       });
    }
    RefreshSlaveList();  // an emptied name shows the node's name again
}

void NodesTab::cmdNodeAddClick() {
    const corvString name = FromQString(txtAddNode_->text()).Trim();
    if (name.IsEmpty()) return;
    editor_->Apply({"Add Node", DocumentPart::kNodes, ToQString(name)},
                   [&](corvdekLINDefinitionFile& document) { document.nodes.Add()->name = name; });
    RefreshSlaveList();
    txtAddNode_->clear();
}

void NodesTab::cmdNodesRemoveClick() {
    const int selected = lstSlaveNodes_->currentRow();
    if (selected < 0 || !lstSlaveNodes_->currentItem()->isSelected()) return;
    const corvString name = document_->nodes.Get(selected)->name;
    if (RemoveWithReferences(this, *editor_, "Remove Node", "Are you sure you want to remove this slave node?",
                             NamedKind::kNode, name,
                             [selected](corvdekLINDefinitionFile& document) { document.nodes.RemoveAt(selected); })) {
        RefreshSlaveList();
    }
}

void NodesTab::cmdNodesClearClick() {
    editor_->Apply({"Clear Nodes", DocumentPart::kNodes}, [](corvdekLINDefinitionFile& document) { document.nodes.Clear(); });
    RefreshSlaveList();
}

void NodesTab::cmdNodeAttributesClick() {
    const int selected = lstSlaveNodes_->currentRow();
    if (selected < 0) return;
    nodeAttributes_->Fill(editor_, selected);
    ShowModalOver(this, nodeAttributes_.get());
    RefreshSlaveList();
}

void NodesTab::cmdCompositeNodesClick() {
    compositeNodes_->Fill(editor_);
    ShowModalOver(this, compositeNodes_.get());
}

void NodesTab::cmdGenerateMasterClick() { Q_EMIT HeaderRequested(true, 0); }

void NodesTab::cmdGenerateCodeSlaveClick() {
    const int selected = lstSlaveNodes_->currentRow();
    if (selected >= 0) Q_EMIT HeaderRequested(false, selected);
}

void NodesTab::cmdExportNcfClick() {
    const QListWidgetItem* slave = lstSlaveNodes_->currentItem();
    if (slave != nullptr && slave->isSelected()) Q_EMIT NcfExportRequested(lstSlaveNodes_->row(slave));
}

void NodesTab::Show(corvdekLINDefinitionFile* document) {
    document_ = document;
    {
        FillingScope filling(filling_);
        txtMasterName_->setText(ToQString(document->master.name));
        masterRename_.emplace(*document, NamedKind::kNode, document->master.name);
    }
    RefreshSlaveList();
}

QWidget* NodesTab::ControlFor(const QString& field) const {
    if (field == "Master") return txtMasterName_;
    if (field == "Slaves" || field == "Name") return lstSlaveNodes_;
    if (field == "Attributes") return cmdNodeAttributes_;
    return nullptr;
}

void NodesTab::SelectSlaveByName(const QString& name) {
    const QList<QListWidgetItem*> found = lstSlaveNodes_->findItems(name, Qt::MatchExactly);
    if (!found.isEmpty()) lstSlaveNodes_->setCurrentItem(found.front());
}

QString NodesTab::SelectedName() const {
    const QListWidgetItem* slave = lstSlaveNodes_->currentItem();
    return slave == nullptr ? QString() : slave->text();
}
