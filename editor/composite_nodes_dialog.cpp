#include "composite_nodes_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "document_editor.h"
#include "model/definition_file.h"
#include "name_field.h"
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

    // The composite nodes of the selected configuration, and the slaves the selected
    // composite node stands for.
    lstCompositeNodes_ = new QListWidget;
    lstCompositeNodes_->setObjectName("lstCompositeNodes");
    lstCompositeNodes_->setItemDelegate(new RuleItemDelegate(RuleItemDelegate::kName, lstCompositeNodes_));
    lstCompositeNodes_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    QPushButton* addComposite = Button("cmdCompositeNodeAdd", "Add");
    QPushButton* removeComposite = Button("cmdCompositeNodeRemove", "Remove");
    lstFunctionalNodes_ = new QListWidget;
    lstFunctionalNodes_->setObjectName("lstFunctionalNodes");
    lstNodeChoice_ = NameChoice("lstFrameSignals");
    QPushButton* addNode = Button("cmdFunctionalNodeAdd", "Add");
    QPushButton* removeNode = Button("cmdFunctionalNodeRemove", "Remove");
    QPushButton* clearNodes = Button("cmdFunctionalNodesClear", "Clear");
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close);
    close->setObjectName("cmdClose");

    // Three columns, each a list with its buttons below it: the configurations with their
    // description, their composite nodes, and the slaves the selected one stands for.
    const auto column = [](const QString& caption, QWidget* list, std::initializer_list<QWidget*> below) {
        auto* layout = new QVBoxLayout;
        layout->addWidget(new QLabel(caption));
        layout->addWidget(list, 1);
        auto* buttons = new QHBoxLayout;
        for (QWidget* control : below) buttons->addWidget(control);
        buttons->addStretch();
        layout->addLayout(buttons);
        return layout;
    };
    QVBoxLayout* configurations = column("Configuration", lstConfigurations_, {add, remove});
    auto* description = new QFormLayout;
    description->addRow("Description", txtFrameDescription_);
    configurations->addLayout(description);
    QVBoxLayout* functional = column("Functional Nodes", lstFunctionalNodes_, {addNode, removeNode, clearNodes});
    functional->insertWidget(2, lstNodeChoice_);
    auto* columns = new QHBoxLayout;
    columns->addLayout(configurations);
    columns->addLayout(column("Composite Nodes (Slave Nodes)", lstCompositeNodes_, {addComposite, removeComposite}));
    columns->addLayout(functional);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addWidget(close);
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);

    connect(lstConfigurations_, &QListWidget::currentRowChanged, this, [this] { ShowSelected(); });
    connect(txtFrameDescription_, &QLineEdit::textChanged, this, &TfrmLINCompositeNodes::Rename);
    connect(add, &QPushButton::clicked, this, &TfrmLINCompositeNodes::AddConfiguration);
    connect(remove, &QPushButton::clicked, this, &TfrmLINCompositeNodes::RemoveConfiguration);
    connect(lstCompositeNodes_, &QListWidget::currentRowChanged, this, [this] { ShowFunctionalNodes(); });
    connect(lstCompositeNodes_, &QListWidget::itemChanged, this, &TfrmLINCompositeNodes::RenameCompositeNode);
    connect(addComposite, &QPushButton::clicked, this, &TfrmLINCompositeNodes::AddCompositeNode);
    connect(removeComposite, &QPushButton::clicked, this, [this] {
        if (corvdekLINCompositeConfiguration* configuration = Configuration()) {
            const int row = lstCompositeNodes_->currentRow();
            if (row >= 0) {
                EditConfigurations("CompositeNodes", nullptr,
                                   [&](corvdekLINDefinitionFile&) { configuration->compositeNodes.RemoveAt(row); });
            }
            ShowCompositeNodes();
        }
    });
    connect(addNode, &QPushButton::clicked, this, [this] {
        const corvString node = FromQString(lstNodeChoice_->currentText()).Trim();
        if (node.IsEmpty()) return;
        EditFunctionalNodes([&](corvStringArray& nodes) { nodes.Add(node); });
    });
    connect(removeNode, &QPushButton::clicked, this, [this] {
        const int row = lstFunctionalNodes_->currentRow();
        if (row >= 0) EditFunctionalNodes([row](corvStringArray& nodes) { nodes.RemoveAt(row); });
    });
    connect(clearNodes, &QPushButton::clicked, this,
            [this] { EditFunctionalNodes([](corvStringArray& nodes) { nodes.Clear(); }); });
}

void TfrmLINCompositeNodes::EditConfigurations(const QString& field, const QObject* typedIn,
                                               const std::function<void(corvdekLINDefinitionFile&)>& edit) {
    editor_->Apply({"Edit Composite Nodes", DocumentPart::kComposites, QString(), field, typedIn}, edit);
}

void TfrmLINCompositeNodes::Fill(DocumentEditor* editor) {
    editor_ = editor;
    document_ = editor->Document();
    corvdekLINDefinitionFile* document = document_;
    RefillConfigurations();
    RefillChoices(lstNodeChoice_, NameTexts(document->nodes));
    lstNodeChoice_->setCurrentText(QString());
    ShowCompositeNodes();
}

corvdekLINCompositeConfiguration* TfrmLINCompositeNodes::Configuration() const {
    return document_ == nullptr ? nullptr : document_->compositeConfigurations.Get(lstConfigurations_->currentRow());
}

corvdekLINCompositeNode* TfrmLINCompositeNodes::CompositeNode() const {
    corvdekLINCompositeConfiguration* configuration = Configuration();
    return configuration == nullptr ? nullptr : configuration->compositeNodes.Get(lstCompositeNodes_->currentRow());
}

void TfrmLINCompositeNodes::ShowCompositeNodes() {
    const corvdekLINCompositeConfiguration* configuration = Configuration();
    RefillKeepingRow(lstCompositeNodes_,
                     configuration == nullptr ? QStringList() : NameTexts(configuration->compositeNodes));
    MakeRowsEditable(lstCompositeNodes_);
    ShowFunctionalNodes();
}

void TfrmLINCompositeNodes::ShowFunctionalNodes() {
    lstFunctionalNodes_->clear();
    if (const corvdekLINCompositeNode* composite = CompositeNode()) {
        lstFunctionalNodes_->addItems(ToQStrings(composite->nodeNames));
    }
}

void TfrmLINCompositeNodes::AddCompositeNode() {
    corvdekLINCompositeConfiguration* configuration = Configuration();
    if (configuration == nullptr) return;
    EditConfigurations("CompositeNodes", nullptr, [&](corvdekLINDefinitionFile&) {
        configuration->compositeNodes.Add()->name.Assign(u"NewComposite").AppendInt(
            configuration->compositeNodes.GetCount());
    });
    ShowCompositeNodes();
    lstCompositeNodes_->setCurrentRow(lstCompositeNodes_->count() - 1);
}

void TfrmLINCompositeNodes::RenameCompositeNode(QListWidgetItem* item) {
    corvdekLINCompositeNode* composite = CompositeNode();
    const corvString name = FromQString(item->text()).Trim();
    if (composite != nullptr && !name.IsEmpty() && !name.Equals(composite->name)) {
        EditConfigurations("CompositeNodes", nullptr, [&](corvdekLINDefinitionFile&) { composite->name = name; });
    }
    ShowCompositeNodes();  // an emptied name shows the node's name again
}

void TfrmLINCompositeNodes::EditFunctionalNodes(const std::function<void(corvStringArray&)>& change) {
    corvdekLINCompositeNode* composite = CompositeNode();
    if (composite == nullptr) return;
    EditConfigurations("FunctionalNodes", nullptr, [&](corvdekLINDefinitionFile&) { change(composite->nodeNames); });
    ShowFunctionalNodes();
}

void TfrmLINCompositeNodes::RefillConfigurations() {
    RefillKeepingRow(lstConfigurations_, NameTexts(document_->compositeConfigurations));
}

void TfrmLINCompositeNodes::ShowSelected() {
    const corvdekLINCompositeConfiguration* configuration = Configuration();
    if (configuration != nullptr) txtFrameDescription_->setText(ToQString(configuration->name));
    ShowCompositeNodes();
}

void TfrmLINCompositeNodes::Rename() {
    corvdekLINCompositeConfiguration* configuration = Configuration();
    // Showing a configuration puts its own name into the field: no edit.
    if (configuration == nullptr || txtFrameDescription_->text() == ToQString(configuration->name)) return;
    const bool renamed = editor_->TryApply(
        {"Edit Composite Nodes", DocumentPart::kComposites, ToQString(configuration->name), "Name", configuration},
        [&](corvdekLINDefinitionFile&) { return TakeName(txtFrameDescription_, configuration->name); });
    if (renamed) RefillConfigurations();
}

void TfrmLINCompositeNodes::SelectLast() {
    lstConfigurations_->setCurrentRow(lstConfigurations_->count() - 1);
    ShowSelected();
}

void TfrmLINCompositeNodes::AddConfiguration() {
    EditConfigurations("Configurations", nullptr, [](corvdekLINDefinitionFile& document) {
        document.compositeConfigurations.Add()->name = u"NewConfiguraton";
    });
    RefillConfigurations();
    SelectLast();
}

void TfrmLINCompositeNodes::RemoveConfiguration() {
    const int selected = lstConfigurations_->currentRow();
    if (selected < 0) return;
    EditConfigurations("Configurations", nullptr, [selected](corvdekLINDefinitionFile& document) {
        document.compositeConfigurations.RemoveAt(selected);
    });
    RefillConfigurations();
    SelectLast();
}
