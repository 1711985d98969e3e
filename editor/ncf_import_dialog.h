#pragma once
// Shows what importing node capability files would do to the cluster before anything
// changes: every conflict, each file's issues, every decision and every change. Without a
// conflict "Import" makes the import; with one only "Cancel" is left, as the conflicts are
// never resolved for the user.

#include <QDialog>
#include <QStringList>

class QLabel;
class QPushButton;
class QTreeWidget;

class TfrmNcfImport : public QDialog {
    Q_OBJECT
public:
    // What the import would bring, one text per row.
    struct Outcome {
        QStringList conflicts;
        QStringList issues;  // of the files, as 'FILE:LINE: TYPE: DETAILS'
        QStringList decisions;
        QStringList changes;
    };

    explicit TfrmNcfImport(QWidget* parent);

    void Fill(const Outcome& outcome);

private:
    QLabel* lblNcfImport_ = nullptr;
    QTreeWidget* lstNcfImport_ = nullptr;
    QPushButton* cmdNcfImport_ = nullptr;
    QPushButton* cmdNcfImportCancel_ = nullptr;
};
