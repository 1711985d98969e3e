#pragma once
// The Nodes tab: the master's name, the slave nodes (renamed in place), and the doors to
// the node attributes and composite nodes dialogs, and the export of a slave's node
// capability file. The two "Generate Code..." buttons stay
// hidden; the window writes the header they ask for.

#include <QWidget>
#include <memory>
#include <optional>

#include "model/references.h"

class QDialog;
class QFrame;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class TfrmLINCompositeNodes;
class TfrmNodeAttributes;
class corvdekLINDefinitionFile;

class DocumentEditor;

class NodesTab : public QWidget {
    Q_OBJECT
public:
    explicit NodesTab(DocumentEditor* editor, QWidget* parent = nullptr);
    ~NodesTab() override;

    // Shows the nodes of `document`; every later edit goes into it.
    void Show(corvdekLINDefinitionFile* document);
    // The control that a setup issue's field name ("Master", "Slaves") points at, or null.
    QWidget* ControlFor(const QString& field) const;
    // Selects the first slave of that name, for the issue navigation.
    void SelectSlaveByName(const QString& name);
    // The name of the object the details show, or none.
    QString SelectedName() const;
    QFrame* Highlight() const { return shapeNode_; }

    void RefreshSlaveList();
    void RenameSlave(QListWidgetItem* item);
    void cmdNodeAddClick();
    void cmdNodesRemoveClick();
    void cmdNodesClearClick();
    void cmdNodeAttributesClick();
    void cmdCompositeNodesClick();
    void cmdGenerateMasterClick();
    void cmdGenerateCodeSlaveClick();
    void cmdExportNcfClick();

Q_SIGNALS:
    // A driver header for the master, or for the slave at `slaveIndex`.
    void HeaderRequested(bool isMaster, int slaveIndex);
    // The node capability file of the slave at `slaveIndex`.
    void NcfExportRequested(int slaveIndex);

private:
    void MasterNameTyped();

    DocumentEditor* editor_;
    corvdekLINDefinitionFile* document_ = nullptr;
    bool filling_ = false;
    // The rename of the master, which its references follow.
    std::optional<ReferenceRename> masterRename_;
    // Windows of their own, not children of this one: their controls share names with
    // controls of the tabs.
    std::unique_ptr<TfrmNodeAttributes> nodeAttributes_;
    std::unique_ptr<TfrmLINCompositeNodes> compositeNodes_;

    QLineEdit* txtMasterName_ = nullptr;
    QLineEdit* txtAddNode_ = nullptr;
    QListWidget* lstSlaveNodes_ = nullptr;
    QPushButton* cmdNodeAttributes_ = nullptr;
    QPushButton* cmdGenerateMaster_ = nullptr;
    QPushButton* cmdGenerateCodeSlave_ = nullptr;
    QFrame* shapeNode_ = nullptr;
};
