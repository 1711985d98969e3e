#pragma once
// Adds, removes and renames the composite configurations of the document.

#include <QDialog>

class QLineEdit;
class QListWidget;
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
    void Rename(const QString& name);
    void AddConfiguration();
    void RemoveConfiguration();
    void SelectLast();

    corvdekLINDefinitionFile* document_ = nullptr;
    QListWidget* lstConfigurations_ = nullptr;
    QLineEdit* txtFrameDescription_ = nullptr;
};
