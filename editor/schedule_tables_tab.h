#pragma once
// The Schedule Tables tab: the tables in file order and the entries of the selected one.
// An entry is composed in a small form and appended, or the selected entry is shown in the
// form and changed from it; entries move up and down.

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "model/lin_entities.h"
#include "followed_rename.h"

class DocumentEditor;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListView;
class NameListView;
class QStackedWidget;
class QTreeWidget;
class ScheduleTimelineView;
class corvdekLINDefinitionFile;
class corvdekLINScheduleTable;

class ScheduleTablesTab : public QWidget {
    Q_OBJECT
public:
    explicit ScheduleTablesTab(DocumentEditor* editor, QWidget* parent = nullptr);
    ~ScheduleTablesTab() override;

    // Shows the tables of `document`, none selected; every later edit goes into it.
    void Show(corvdekLINDefinitionFile* document);
    // The drop-down list of nodes for the commands, which the window fills with the nodes.
    QComboBox* NodeChoice() const { return lstScheduleNode_; }
    // For the issue navigation: the table and one of its entries (counted from 0), and the
    // control of a field ("Name", "Entries", "Load").
    void SelectTableByName(const QString& name);
    // The name of the object the details show, or none.
    QString SelectedName() const;
    void SelectEntry(int row);
    QWidget* ControlFor(const QString& field) const;
    QFrame* Highlight() const { return shapeTable_; }
    // Shows the bus load and the time line of the selected table anew.
    void UpdateBusLoad();

    void RefreshScheduleTableList();
    void lstScheduleTablesClick();
    void lstScheduleFrameTypeSelect();
    // Refills the entry list, selecting `selectRow` when there is one.
    void FillScheduleEntries(int selectRow = -1);
    // The frames of every kind that an entry can name.
    void RefreshScheduleFrameChoices();
    void cmdAddScheduleTableClick();
    void cmdRemoveScheduleTableClick();
    void cmdScheduleTableFrameAddClick();
    void cmdScheduleTableFrameChangeClick();
    void cmdScheduleTableFrameRemoveClick();
    void cmdScheduleTableFrameClearAllClick();

private:
    corvdekLINScheduleTable* CurrentScheduleTable() const;
    // The entry the form describes, or none when it lacks a value its command needs (the
    // user is told).
    std::optional<corvdekLINScheduleTableItem> ScheduleEntryFromForm();
    int SelectedScheduleEntry() const;
    void ShowScheduleEntry();
    void MoveScheduleEntry(int step);
    // Edits the shown table's entries as one step named `label`.
    void EditEntries(const QString& label, const std::function<void(corvdekLINScheduleTable&)>& edit);
    void NameTyped();

    DocumentEditor* editor_;
    corvdekLINDefinitionFile* document_ = nullptr;
    bool filling_ = false;
    // The rename of the shown table, which its references follow.
    FollowedRename tableRename_;
    corvString shownTableKey_;  // of the table the details show

    QListView* lstScheduleTables_ = nullptr;
    std::unique_ptr<NameListView> tableList_;
    QLabel* lblTableCount_ = nullptr;
    QWidget* pnlScheduleTableDetails_ = nullptr;
    QLineEdit* txtScheduleTableDescription_ = nullptr;
    QComboBox* lstScheduleFrameType_ = nullptr;
    QLineEdit* txtScheduleTableFrameTime_ = nullptr;
    QLabel* lblScheduleNode_ = nullptr;
    QComboBox* lstScheduleNode_ = nullptr;
    QLabel* lblScheduleTableFrames_ = nullptr;
    QComboBox* lstScheduleTableFrames_ = nullptr;
    QTreeWidget* lviewScheduleTableFrames_ = nullptr;
    QLabel* lblScheduleBusLoad_ = nullptr;
    ScheduleTimelineView* timeline_ = nullptr;
    QStackedWidget* commandPanels_ = nullptr;
    QWidget* pnlScheduleAssignNAD_ = nullptr;
    QLineEdit* txtScheduleNad_[4] = {};  // old NAD, new NAD, supplier ID, function ID
    QWidget* pnlScheduleFreeFormat_ = nullptr;
    QLineEdit* txtScheduleFree_[8] = {};
    static constexpr int kScheduleArguments = 6;
    QWidget* pnlScheduleArguments_ = nullptr;
    QLineEdit* txtScheduleArgument_[kScheduleArguments] = {};
    QFrame* shapeTable_ = nullptr;
};
