#include "composite_nodes_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "model/definition_file.h"
#include "qt_text.h"
#include "name_lists.h"
#include "widgets.h"

TfrmLINCompositeNodes::TfrmLINCompositeNodes(QWidget* parent) : QDialog(parent) {
    setObjectName("frmLINCompositeNodes");
    setWindowTitle("Composite Nodes");
    lstConfigurations_ = new QListWidget;
    lstConfigurations_->setObjectName("lstConfigurations");
    txtFrameDescription_ = NameField("txtFrameDescription");
    QPushButton* add = Button("cmdFramesAdd", "Add");
    QPushButton* remove = Button("cmdFramesRemove", "Remove");

    // The composite nodes inside a configuration are read and written with files but not
    // edited here; their controls are shown empty.
    auto* slaves = new QListWidget;
    auto* functional = new QListWidget;
    auto* signalChoice = NameChoice("lstFrameSignals");
    auto* offset = TextField("txtFrameSignalOffset");
    for (QWidget* idle : std::initializer_list<QWidget*>{slaves, functional, signalChoice, offset}) {
        idle->setEnabled(false);
    }

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel("Configuration"), 0, 0);
    grid->addWidget(lstConfigurations_, 1, 0, 4, 1);
    grid->addWidget(add, 1, 1);
    grid->addWidget(remove, 2, 1);
    grid->addWidget(new QLabel("Description"), 5, 0);
    grid->addWidget(txtFrameDescription_, 6, 0);
    grid->addWidget(new QLabel("Composite Nodes"), 0, 2);
    grid->addWidget(new QLabel("Slave Nodes (Composite)"), 1, 2);
    grid->addWidget(slaves, 2, 2, 2, 1);
    grid->addWidget(new QLabel("Functional Nodes"), 4, 2);
    grid->addWidget(functional, 5, 2, 2, 1);
    grid->addWidget(signalChoice, 7, 2);
    grid->addWidget(offset, 8, 2);
    int column = 2;
    for (const char* caption : {"Add", "Remove", "Clear"}) {
        auto* idle = new QPushButton(caption);
        idle->setEnabled(false);
        grid->addWidget(idle, 9 + column - 2, 3);
        ++column;
    }

    connect(lstConfigurations_, &QListWidget::itemClicked, this, [this] { ShowSelected(); });
    connect(txtFrameDescription_, &QLineEdit::textChanged, this, &TfrmLINCompositeNodes::Rename);
    connect(add, &QPushButton::clicked, this, &TfrmLINCompositeNodes::AddConfiguration);
    connect(remove, &QPushButton::clicked, this, &TfrmLINCompositeNodes::RemoveConfiguration);
}

void TfrmLINCompositeNodes::Fill(corvdekLINDefinitionFile* document) {
    document_ = document;
    RefillConfigurations();
}

void TfrmLINCompositeNodes::RefillConfigurations() {
    RefillKeepingRow(lstConfigurations_, NameTexts(document_->compositeConfigurations));
}

void TfrmLINCompositeNodes::ShowSelected() {
    const corvdekLINCompositeConfiguration* configuration =
        document_->compositeConfigurations.Get(lstConfigurations_->currentRow());
    if (configuration != nullptr) txtFrameDescription_->setText(ToQString(configuration->name));
}

void TfrmLINCompositeNodes::Rename(const QString& name) {
    corvdekLINCompositeConfiguration* configuration =
        document_->compositeConfigurations.Get(lstConfigurations_->currentRow());
    if (configuration == nullptr) return;
    configuration->name = FromQString(name).Trim();
    RefillConfigurations();
}

void TfrmLINCompositeNodes::SelectLast() {
    lstConfigurations_->setCurrentRow(lstConfigurations_->count() - 1);
    ShowSelected();
}

void TfrmLINCompositeNodes::AddConfiguration() {
    document_->compositeConfigurations.Add()->name = u"NewConfiguraton";
    RefillConfigurations();
    SelectLast();
}

void TfrmLINCompositeNodes::RemoveConfiguration() {
    const int selected = lstConfigurations_->currentRow();
    if (selected < 0) return;
    document_->compositeConfigurations.RemoveAt(selected);
    RefillConfigurations();
    SelectLast();
}
