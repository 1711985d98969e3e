#pragma once
// Adds, removes and renames the composite configurations of the document, and edits the
// composite nodes of each with the slave nodes they stand for.

#include <QDialog>
#include <functional>

class DocumentEditor;
class QComboBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class corvStringArray;
class corvdekLINCompositeConfiguration;
class corvdekLINCompositeNode;
class corvdekLINDefinitionFile;

class TfrmLINCompositeNodes : public QDialog {
    Q_OBJECT
public:
    explicit TfrmLINCompositeNodes(QWidget* parent);

    // Takes the edited document and refills the configuration list; the description keeps
    // its text.
    void Fill(DocumentEditor* editor);

private:
    void RefillConfigurations();
    void ShowSelected();
    void Rename();
    void AddConfiguration();
    void RemoveConfiguration();
    void SelectLast();
    corvdekLINCompositeConfiguration* Configuration() const;
    corvdekLINCompositeNode* CompositeNode() const;
    void ShowCompositeNodes();
    void ShowFunctionalNodes();
    void AddCompositeNode();
    void RenameCompositeNode(QListWidgetItem* item);
    void EditFunctionalNodes(const std::function<void(corvStringArray&)>& change);
    // Edits the configurations as one step; `typedIn`: the field of a keystroke.
    void EditConfigurations(const QString& field, const QObject* typedIn,
                            const std::function<void(corvdekLINDefinitionFile&)>& edit);

    DocumentEditor* editor_ = nullptr;
    corvdekLINDefinitionFile* document_ = nullptr;
    QListWidget* lstConfigurations_ = nullptr;
    QLineEdit* txtFrameDescription_ = nullptr;
    QListWidget* lstCompositeNodes_ = nullptr;
    QListWidget* lstFunctionalNodes_ = nullptr;
    QComboBox* lstNodeChoice_ = nullptr;
};
