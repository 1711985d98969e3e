// The Nodes tab: the master's name, the slave nodes, and the doors to the node attributes
// and composite nodes dialogs. The two "Generate Code..." buttons stay hidden.

#include <QComboBox>
#include <QFileDialog>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>

#include "codegen/generate_microchip.h"
#include "composite_nodes_dialog.h"
#include "model/definition_file.h"
#include "name_field.h"
#include "node_attributes_dialog.h"
#include "qt_text.h"
#include "name_lists.h"
#include "tabrel_window.h"
#include "widgets.h"

void TfrmTabrel::BuildNodesPanel(QWidget* panel) {
    txtMasterName_ = NameField("txtMasterName");
    txtAddNode_ = NameField("txtAddNode");
    lstSlaveNodes_ = new QListWidget;
    lstSlaveNodes_->setObjectName("lstSlaveNodes");
    // A slave is renamed in place (double click or F2).
    lstSlaveNodes_->setItemDelegate(new NameItemDelegate(lstSlaveNodes_));
    lstSlaveNodes_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    cmdGenerateMaster_ = Button("cmdGenerateMaster", "Generate Code...");
    cmdGenerateCodeSlave_ = Button("cmdGenerateCodeSlave", "Generate Code...");
    QPushButton* add = Button("cmdNodeAdd", "Add");
    QPushButton* remove = Button("cmdNodesRemove", "Remove");
    QPushButton* clear = Button("cmdNodesClear", "Clear");
    QPushButton* attributes = Button("cmdNodeAttributes", "Attributes...");
    QPushButton* composite = Button("cmdCompositeNodes", "Composite Nodes...");

    auto* grid = new QGridLayout(panel);
    grid->addWidget(new QLabel("Master Node"), 0, 0);
    grid->addWidget(txtMasterName_, 0, 1);
    grid->addWidget(cmdGenerateMaster_, 0, 2);
    grid->addWidget(new QLabel("Slave Nodes"), 1, 0);
    grid->addWidget(txtAddNode_, 1, 1);
    grid->addWidget(add, 1, 2);
    grid->addWidget(lstSlaveNodes_, 2, 1, 5, 1);
    grid->addWidget(remove, 2, 2);
    grid->addWidget(clear, 3, 2);
    grid->addWidget(attributes, 4, 2);
    grid->addWidget(cmdGenerateCodeSlave_, 5, 2);
    grid->addWidget(composite, 6, 2);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(7, 1);
    // Created hidden; nothing in the window shows them.
    cmdGenerateMaster_->hide();
    cmdGenerateCodeSlave_->hide();
    shapeNode_ = HighlightFrame("shapeNode", panel);

    connect(txtMasterName_, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (filling_ || !document_) return;
        document_->master.name = FromQString(text).Trim();
        if (masterRename_) masterRename_->Follow(*document_, document_->master.name);
        RefreshNodeChoices();
    });
    connect(lstSlaveNodes_, &QListWidget::itemChanged, this, &TfrmTabrel::RenameSlave);
    connect(add, &QPushButton::clicked, this, &TfrmTabrel::cmdNodeAddClick);
    connect(remove, &QPushButton::clicked, this, &TfrmTabrel::cmdNodesRemoveClick);
    connect(clear, &QPushButton::clicked, this, &TfrmTabrel::cmdNodesClearClick);
    connect(attributes, &QPushButton::clicked, this, &TfrmTabrel::cmdNodeAttributesClick);
    connect(composite, &QPushButton::clicked, this, &TfrmTabrel::cmdCompositeNodesClick);
    connect(cmdGenerateMaster_, &QPushButton::clicked, this, &TfrmTabrel::cmdGenerateMasterClick);
    connect(cmdGenerateCodeSlave_, &QPushButton::clicked, this,
            &TfrmTabrel::cmdGenerateCodeSlaveClick);
}

void TfrmTabrel::RefreshSlaveList() {
    RefillKeepingRow(lstSlaveNodes_, NameTexts(document_->nodes));
    MakeRowsEditable(lstSlaveNodes_);
}

void TfrmTabrel::RenameSlave(QListWidgetItem* item) {
    corvdekLINNode* node = document_->nodes.Get(lstSlaveNodes_->row(item));
    if (node == nullptr) return;
    const corvString name = FromQString(item->text()).Trim();
    if (!name.IsEmpty() && !name.Equals(node->name)) {
        ReferenceRename rename(NamedKind::kNode, node->name);
        node->name = name;
        rename.Follow(*document_, name);
        RefreshNodeChoices();
    }
    RefreshSlaveList();  // an emptied name shows the node's name again
}

void TfrmTabrel::RefreshNodeChoices() {
    FillingScope filling(filling_);  // the lists' texts stay; nothing goes into the model
    QStringList names{ToQString(document_->master.name)};
    for (int i = 0; i < document_->nodes.GetCount(); ++i) {
        names << ToQString(document_->nodes.Get(i)->name);
    }
    for (QComboBox* choice : NodeChoiceLists()) {
        const QString text = choice->currentText();
        choice->clear();
        choice->addItems(names);
        choice->setCurrentText(text);
    }
}

void TfrmTabrel::cmdNodeAddClick() {
    const corvString name = FromQString(txtAddNode_->text()).Trim();
    if (name.IsEmpty()) return;
    document_->nodes.Add()->name = name;
    RefreshSlaveList();
    RefreshNodeChoices();
    txtAddNode_->clear();
}

void TfrmTabrel::cmdNodesRemoveClick() {
    const int selected = lstSlaveNodes_->currentRow();
    if (selected < 0 || !lstSlaveNodes_->currentItem()->isSelected()) return;
    if (!AskYesNo("Are you sure you want to remove this slave node?")) return;
    document_->nodes.RemoveAt(selected);
    RefreshSlaveList();
    RefreshNodeChoices();
}

void TfrmTabrel::cmdNodesClearClick() {
    document_->nodes.Clear();
    RefreshSlaveList();
    RefreshNodeChoices();
}

void TfrmTabrel::cmdNodeAttributesClick() {
    const int selected = lstSlaveNodes_->currentRow();
    if (selected < 0) return;
    nodeAttributes_->Fill(document_.get(), selected);
    ShowModalOverThis(nodeAttributes_.get());
    RefreshSlaveList();
    RefreshNodeChoices();
}

void TfrmTabrel::cmdCompositeNodesClick() {
    compositeNodes_->Fill(document_.get());
    ShowModalOverThis(compositeNodes_.get());
}

void TfrmTabrel::ShowModalOverThis(QDialog* dialog) {
    dialog->adjustSize();
    dialog->move(frameGeometry().center() - dialog->rect().center());
    dialog->exec();
}

void TfrmTabrel::cmdGenerateMasterClick() { GenerateHeaderFile(true, 0); }

void TfrmTabrel::cmdGenerateCodeSlaveClick() {
    const int selected = lstSlaveNodes_->currentRow();
    if (selected >= 0) GenerateHeaderFile(false, selected);
}

void TfrmTabrel::GenerateHeaderFile(bool isMaster, int slaveIndex) {
    dlgSave_->setNameFilter("C Header Files (*.h)");
    dlgSave_->setDefaultSuffix("h");
    const QString chosen = ChoosePath(dlgSave_);
    if (chosen.isEmpty()) return;
    const corvString path = FromQString(chosen);
    if (!corvdekLINGenerateMicrochip::GenerateHeader(path, *document_, isMaster, slaveIndex)) {
        QMessageBox box(QMessageBox::Critical, "Tabrel", "Problem creating header file",
                        QMessageBox::Ok, this);
        box.setObjectName("msgHeaderFailed");
        box.exec();
    }
}
