#pragma once
// The differences between the document and another revision of the cluster, as a tree of
// kind, object and field with the value of each side. It follows the document as it is
// edited; a double-click on an object leads to it in the tabs.

#include <QDockWidget>
#include <memory>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;
class corvdekLINDefinitionFile;

class ComparePanel : public QDockWidget {
    Q_OBJECT
public:
    explicit ComparePanel(QWidget* parent);
    ~ComparePanel() override;

    // Compares from now on with the cluster of `path`; false, with `why`, when it cannot be
    // loaded (the comparison so far stays).
    bool CompareWith(const QString& path, QString& why);
    bool IsComparing() const { return other_ != nullptr; }
    // Compares `document` anew with the other revision, while the panel is open.
    void Refresh(const corvdekLINDefinitionFile& document);

Q_SIGNALS:
    // An object of the document was double-clicked: the setup issue section that leads to it
    // ("Signals-Speed-", "ScheduleTables-Main-Entry3").
    void NavigateTo(const QString& section);

private:
    void ItemDoubleClicked(QTreeWidgetItem* item);

    std::unique_ptr<corvdekLINDefinitionFile> other_;
    QString otherPath_;
    QLabel* lblCompareFile_;
    QTreeWidget* lstCompare_;
};
