#pragma once
// Edits the Node_attributes of one slave node; every change is a step of the document's
// history at once.

#include <QDialog>
#include <functional>

#include "foundation/corv_string.h"

class DetailForm;
class DocumentEditor;
class QComboBox;
class QLineEdit;
class QTreeWidget;
class corvdekLINDefinitionFile;
class corvdekLINNode;

class TfrmNodeAttributes : public QDialog {
    Q_OBJECT
public:
    explicit TfrmNodeAttributes(QWidget* parent);

    // Shows the slave at `nodeIndex` of the document's nodes (the opener checks the index).
    void Fill(DocumentEditor* editor, int nodeIndex);

    static const QStringList& SupplierList();

private:
    corvdekLINNode* Node() const;
    void RefillConfigurableFrames();
    void AddConfigurableFrame();
    void RemoveConfigurableFrame();
    void ClearConfigurableFrames();
    void MoveConfigurableFrame(int step);
    void BindFields();
    // Edits the node's configurable frames as one step.
    void EditNode(const QString& field, const std::function<void(corvdekLINNode&)>& edit);

    DocumentEditor* editor_ = nullptr;
    corvdekLINDefinitionFile* document_ = nullptr;
    int nodeIndex_ = -1;
    DetailForm* form_ = nullptr;  // every field but the configurable frames

    QComboBox* lstNodeLINProtocol_ = nullptr;
    QComboBox* lstNodeLINConfiguredNAD_ = nullptr;
    QComboBox* txtSupplierID_ = nullptr;
    QLineEdit* txtFunctionID_ = nullptr;
    QLineEdit* txtVariant_ = nullptr;
    QLineEdit* txtP2MinMs_ = nullptr;
    QLineEdit* txtSTMinMs_ = nullptr;
    QLineEdit* txtResponseTolerance_ = nullptr;
    QLineEdit* txtInitialNAD_ = nullptr;
    QComboBox* lstResponseError_ = nullptr;
    QLineEdit* txtFaultStateSignals_ = nullptr;  // comma-separated
    QLineEdit* txtNAsTimeout_ = nullptr;
    QLineEdit* txtNCrTimeout_ = nullptr;
    QLineEdit* txtWakeupTime_ = nullptr;
    QLineEdit* txtPoweronTime_ = nullptr;
    QComboBox* lstConfigurableFrameNames_ = nullptr;
    QLineEdit* txtConfigurableFrameID_ = nullptr;
    QTreeWidget* lviewConfigurableFrames_ = nullptr;
};
