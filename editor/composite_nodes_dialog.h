#pragma once
// Adds, removes and renames the composite configurations of the document, and edits the
// composite nodes of each with the slave nodes they stand for.

#include <QDialog>
#include <functional>

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

    // Takes the document and refills the configuration list; the description keeps its text.
    void Fill(corvdekLINDefinitionFile* document);

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

    corvdekLINDefinitionFile* document_ = nullptr;
    QListWidget* lstConfigurations_ = nullptr;
    QLineEdit* txtFrameDescription_ = nullptr;
    QListWidget* lstCompositeNodes_ = nullptr;
    QListWidget* lstFunctionalNodes_ = nullptr;
    QComboBox* lstNodeChoice_ = nullptr;
};
