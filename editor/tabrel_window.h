#pragma once
// The main window: the one cluster document shown in eight tabs, the File menu, the two
// issue lists, the setup check timer and the navigation from an issue to the control it
// names. Each list tab is a class of its own; the window composes them, and the views
// follow the document editor's changes.

#include <QList>
#include <QStringList>
#include <QMainWindow>
#include <functional>
#include <memory>

#include "document_editor.h"

class ComparePanel;
class EditorSession;
class EncodingsTab;
class IssueNavigator;
class FramesTab;
class GeneralTab;
class LdfFileTab;
class NodesTab;
class QComboBox;
class QDragEnterEvent;
class QDropEvent;
class QMenu;
class QFileDialog;
class QFrame;
class QLabel;
class QTabBar;
class QTabWidget;
class QTimer;
class IssueModel;
class QTreeView;
class ScheduleTablesTab;
class SignalsTab;
class corvdekLINDefinitionFile;

class TfrmTabrel : public QMainWindow {
    Q_OBJECT
public:
    // The index of each tab of `tabsMain`.
    enum Tab { kGeneral, kNodes, kSignals, kFrames, kScheduleTables, kEncodings, kLdfFile, kAbout };

    TfrmTabrel();
    ~TfrmTabrel() override;

    corvdekLINDefinitionFile* Document() const { return document_.get(); }
    // Answers the next file dialog instead of showing it: returns the chosen paths, none for a
    // cancelled dialog. Tests choose files this way.
    using FileDialogRunner = std::function<QStringList(QFileDialog& dialog)>;
    void SetFileDialogRunner(FileDialogRunner runner) { runFileDialog_ = std::move(runner); }
    // Edits were made since the last New, Open or Save.
    bool HasUnsavedChanges() const;
    DocumentEditor* Editor() const { return editor_; }

    // Shows the document in every tab, as after a load.
    void RefreshAllTabs();
    void FillLoadIssues();

    // Event handlers, also called directly (tests call the timer's).
    void tabsMainChange();
    void mnuFileNewClick();
    void mnuFileOpenClick();
    // Chooses another revision of the cluster and shows how the document differs from it.
    void mnuFileCompareWithClick();
    // Adds the nodes of node capability files to the cluster, or updates them, as one step,
    // after a dialog has shown what that would do.
    void mnuFileImportNcfClick();
    // Opens `path` as File > Open does after its dialog (the command line, a drop, the
    // recent files); false when it failed to load.
    bool OpenPath(const QString& path);
    void mnuFileSaveClick();
    void mnuFileSaveAsClick();
    void mnuFileExitClick();
    void Timer1Timer();
    void lstLDFIssuesDblClick();
    // The drop-down lists of the tabs that offer the master and the slaves follow them.
    void RefreshNodeChoices();


protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Construction of the window, one part each.
    void BuildMenu();
    QWidget* BuildHeaderStrip();
    QWidget* BuildIssuePages();
    QWidget* AddPanel(const char* name, QWidget* container, QWidget* panel);

    void FormShow();
    // The list tabs show the details of their selection, or none without one.
    void ShowCurrentTabDetails();
    void ShowLdfText();
    // Asks whether to save unsaved edits; false when the command must stop.
    bool ConfirmDiscardChanges();
    // Saves through the save dialog; false when cancelled or failed.
    bool SaveDocumentAs();
    // Saves to the current file, or through the save dialog without one.
    bool SaveDocument();
    bool SaveTo(const QString& path);
    void ShowFileCaption(const QString& path);
    void ShowUntitledCaption();
    // Shows a document loaded from a file of `sizeBytes` (Open, a recovery copy) with a
    // fresh history.
    void ShowLoadedDocument(std::unique_ptr<corvdekLINDefinitionFile> loaded, std::size_t sizeBytes);
    // Shows `document` in every tab in place of the current one, with a fresh history.
    void ReplaceDocument(std::unique_ptr<corvdekLINDefinitionFile> document, std::size_t sizeBytes);
    void FillRecentMenu();
    // What the tab shows now, and showing it again after an undo or redo.
    ViewPlace CurrentPlace() const;
    QString SelectedName() const;
    void ShowPlace(const ViewPlace& place);
    // The views that show what `change` changed follow it.
    void FollowChange(const DocumentChange& change);
    // Offers the recovery copy a previous run left (the session keeps it).
    void OfferRecoveryCopy();
    // Generates a driver header through the save dialog.
    void GenerateHeaderFile(bool isMaster, int slaveIndex);
    // The dialog that chooses the node capability files to import, made on first use.
    QFileDialog* ImportNcfDialog();
    // Writes the node capability file of the slave at `slaveIndex` through the save dialog.
    void ExportNodeCapabilityFile(int slaveIndex);
    void SetTitles(const QString& caption, const QString& applicationTitle);
    // The drop-down lists of the other tabs that offer the master and the slaves.
    QList<QComboBox*> NodeChoiceLists() const;

    // The paths chosen in `dialog`, none when cancelled. A save dialog proposes `proposed`,
    // else the current file's name with `suffix`.
    QStringList ChoosePaths(QFileDialog* dialog, const QString& suffix, const QString& proposed = {});
    // The one path chosen, empty when cancelled.
    QString ChoosePath(QFileDialog* dialog, const QString& suffix, const QString& proposed = {});
    void PrepareFileDialog(QFileDialog* dialog, const QString& suffix, const QString& proposed);


    std::unique_ptr<corvdekLINDefinitionFile> document_;
    FileDialogRunner runFileDialog_;
    bool shown_ = false;

    QString currentPath_;  // the file Save writes: the one last opened or saved
    DocumentEditor* editor_ = nullptr;
    QTimer* checkSoon_ = nullptr;  // the setup check shortly after an edit
    QMenu* mnuFileOpenRecent_ = nullptr;
    EditorSession* session_ = nullptr;
    std::unique_ptr<IssueNavigator> navigator_;
    ComparePanel* comparePanel_ = nullptr;

    QFileDialog* dlgOpen_ = nullptr;
    QFileDialog* dlgSave_ = nullptr;
    QFileDialog* dlgImportNcf_ = nullptr;
    QTimer* Timer1_ = nullptr;

    // Frame
    QTabBar* tabsMain_ = nullptr;
    QLabel* lblResult_ = nullptr;
    QLabel* lblDesign_ = nullptr;
    QTabWidget* pageErrors_ = nullptr;
    IssueModel* loadIssues_ = nullptr;
    IssueModel* setupIssues_ = nullptr;
    QTreeView* lstLDFLoadIssues_ = nullptr;
    QTreeView* lstLDFIssues_ = nullptr;
    QWidget* panels_[8] = {};
    GeneralTab* general_ = nullptr;
    NodesTab* nodes_ = nullptr;
    SignalsTab* signals_ = nullptr;
    FramesTab* frames_ = nullptr;
    ScheduleTablesTab* scheduleTables_ = nullptr;
    EncodingsTab* encodings_ = nullptr;
    LdfFileTab* ldfFile_ = nullptr;
};
