#pragma once
// The main window: the one cluster document shown in eight tabs, the File menu, the two
// issue lists and the navigation from an issue to the control it names. The tabs are
// implemented in tab_*.cpp, one unit per tab.

#include <QList>
#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "foundation/corv_arrays.h"
#include "model/lin_entities.h"
#include "model/references.h"

class QCheckBox;
class QComboBox;
class QFileDialog;
class EncodingsTab;
class FrameListEditor;
class GeneralTab;
class NodesTab;
class ScheduleTablesTab;
class SignalsTab;
class QFrame;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QPushButton;
class QTabBar;
class QTabWidget;
class QTimer;
class QTreeWidget;
class SortedNameList;
class corvdekLINDefinitionFile;
class corvdekLINEventFrame;
class corvdekLINFrame;
class corvdekLINSporadicFrame;
class corvString;

class TfrmTabrel : public QMainWindow {
    Q_OBJECT
public:
    // The index of each tab of `tabsMain`.
    enum Tab { kGeneral, kNodes, kSignals, kFrames, kScheduleTables, kEncodings, kLdfFile, kAbout };

    TfrmTabrel();
    ~TfrmTabrel() override;

    corvdekLINDefinitionFile* Document() const { return document_.get(); }
    // Answers the next open or save dialog instead of showing it: returns the chosen path,
    // or an empty text for a cancelled dialog. Tests choose files this way.
    using FileDialogRunner = std::function<QString(QFileDialog& dialog)>;
    void SetFileDialogRunner(FileDialogRunner runner) { runFileDialog_ = std::move(runner); }
    // The document's text differs from the one it had after the last New, Open or Save As.
    bool HasUnsavedChanges() const;

    // Shared operations of the tabs.
    void RefreshAllTabs();
    void FillLoadIssues();
    void HighlightControl(QFrame* frame, QWidget* control);

    // Event handlers, also called directly (tests call the timer's).
    void tabsMainChange();
    void mnuFileNewClick();
    void mnuFileOpenClick();
    void mnuFileSaveAsClick();
    void mnuFileExitClick();
    void Timer1Timer();
    void lstLDFIssuesDblClick();

    // Frames tab.
    void RefreshFrameList();
    void lstFramesClick();
    void SelectFrameByName(const QString& name);
    void RefreshFrameSignalChoices();
    void ShowFrameTime();
    void cmdFramesAddClick();
    void cmdFramesRemoveClick();
    void cmdFrameSignalsAddClick();
    void cmdFrameSignalsRemoveClick();
    void cmdFrameSignalsClearClick();
    // The drop-down lists of the tabs that offer the master and the slaves follow them.
    void RefreshNodeChoices();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Construction of the window, one part each.
    void BuildMenu();
    QWidget* BuildHeaderStrip();
    QWidget* BuildIssuePages();
    void BuildFramesPanel(QWidget* panel);
    void BuildLdfPanel(QWidget* panel);
    void BuildAboutPanel(QWidget* panel);
    QWidget* AddPanel(const char* name, QWidget* container, QWidget* panel);

    void FormShow();
    // The list tabs show the details of their selection, or none without one.
    void ShowCurrentTabDetails();
    void ShowLdfText();
    // Asks whether to save unsaved edits; false when the command must stop.
    bool ConfirmDiscardChanges();
    // Saves through the save dialog; false when cancelled or failed.
    bool SaveDocumentAs();
    void RememberSavedText();
    std::string DocumentSnapshot() const;
    // Generates a driver header through the save dialog.
    void GenerateHeaderFile(bool isMaster, int slaveIndex);
    void SetTitles(const QString& caption, const QString& applicationTitle);
    bool AskYesNo(const QString& question, const QString& title = "Confirm Remove");
    void NavigateGeneral(const QString& field);
    // The drop-down lists of the other tabs that offer the master and the slaves.
    QList<QComboBox*> NodeChoiceLists() const;
    void NavigateNodes(const QString& field);
    void NavigateFrame(const QString& name, const QString& field);
    // The objects the list selections point at; null when there is none.
    corvdekLINFrame* CurrentFrame() const;  // an unconditional one
    corvdekLINSporadicFrame* CurrentSporadicFrame() const;
    corvdekLINEventFrame* CurrentEventFrame() const;
    corvString* CurrentFrameName() const;  // of any kind
    void ChangeFrameList(const std::function<void()>& change);
    // The kinds of frames of the Frames tab, in the order of `lstFrameType`.
    enum FrameKind { kUnconditionalFrame, kSporadicFrame, kEventTriggeredFrame };
    struct FrameAt {
        int kind;
        int index;  // in the kind's collection; -1 for none
    };
    FrameAt LocateFrame(int position) const;
    int FramePosition(FrameAt frame) const;
    FrameAt SelectedFrame() const;
    corvString* FrameNameAt(FrameAt frame) const;
    void RemoveFrame(FrameAt frame);
    void ChangeFrameType(int kind);
    bool FrameTypeChangeDrops(int kind) const;
    void ShowEventFrame(const corvdekLINEventFrame& event);
    int IdentifierRow(const corvString& id) const;
    corvString UnusedIdentifier() const;
    void FillFrameSignals();
    void FollowSuggestedLength(corvdekLINFrame& frame, const std::function<void()>& change);
    void ShowFrameLength(const corvdekLINFrame& frame);

    QString ChoosePath(QFileDialog* dialog);

    // The setup issues the list shows, so that a tick rebuilds it only when they change.
    struct IssueRows {
        corvStringArray levels, types, sections, details;
        bool operator==(const IssueRows&) const = default;
    };
    void HideHighlightsAfterTwoTicks();

    std::unique_ptr<corvdekLINDefinitionFile> document_;
    IssueRows shownIssues_;
    FileDialogRunner runFileDialog_;
    bool filling_ = false;
    bool frameSignalChoicesStale_ = false;  // the Frames tab's signal list awaits a refill
    int highlightTicks_ = 0;
    bool shown_ = false;
    // The LDF text right after the last New, successful Open or successful Save As; the
    // document has unsaved edits when its text differs.
    std::string savedText_;
    // The renames of the objects the tabs show, which their references follow.
    std::optional<ReferenceRename> frameRename_;

    QFileDialog* dlgOpen_ = nullptr;
    QFileDialog* dlgSave_ = nullptr;
    QTimer* Timer1_ = nullptr;

    // Frame
    QTabBar* tabsMain_ = nullptr;
    QLabel* lblResult_ = nullptr;
    QTabWidget* pageErrors_ = nullptr;
    QTreeWidget* lstLDFLoadIssues_ = nullptr;
    QTreeWidget* lstLDFIssues_ = nullptr;
    QWidget* panels_[8] = {};
    GeneralTab* general_ = nullptr;
    NodesTab* nodes_ = nullptr;
    SignalsTab* signals_ = nullptr;
    ScheduleTablesTab* scheduleTables_ = nullptr;
    EncodingsTab* encodings_ = nullptr;
    QPlainTextEdit* txtLDF_ = nullptr;

    // Frames tab
    QLineEdit* txtFilterFrame_ = nullptr;
    QListView* lstFrames_ = nullptr;
    std::unique_ptr<SortedNameList> frameList_;
    QLabel* lblFrameCount_ = nullptr;
    QWidget* pnlFrameDetails_ = nullptr;
    QLineEdit* txtFrameDescription_ = nullptr;
    QComboBox* lstFrameType_ = nullptr;
    QWidget* pnlUnconditional_ = nullptr;
    QWidget* pnlSporadic_ = nullptr;
    QWidget* pnlEventTriggered_ = nullptr;
    FrameListEditor* sporadicFrames_ = nullptr;
    FrameListEditor* eventFrames_ = nullptr;
    QComboBox* lstEventFrameID_ = nullptr;
    QComboBox* lstEventCollisionTable_ = nullptr;
    QComboBox* lstFrameID_ = nullptr;
    QComboBox* lstFrameLength_ = nullptr;
    QComboBox* lstFrameSourceECU_ = nullptr;
    QComboBox* lstFrameSignals_ = nullptr;
    QLineEdit* txtFrameSignalOffset_ = nullptr;
    QTreeWidget* lviewFrameSignals_ = nullptr;
    QLabel* lblFrameTime_ = nullptr;
    QFrame* shapeFrameConditional_ = nullptr;

};
