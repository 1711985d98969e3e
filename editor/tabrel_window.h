#pragma once
// The main window: the one cluster document shown in eight tabs, the File menu, the two
// issue lists and the navigation from an issue to the control it names. The tabs are
// implemented in tab_*.cpp, one unit per tab.

#include <QList>
#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>

class QCheckBox;
class QComboBox;
class QFileDialog;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTabBar;
class QTabWidget;
class QTimer;
class QTreeWidget;
class TfrmLINCompositeNodes;
class TfrmNodeAttributes;
class corvdekLINDefinitionFile;

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
    TfrmNodeAttributes* NodeAttributesDialog() const { return nodeAttributes_; }
    TfrmLINCompositeNodes* CompositeNodesDialog() const { return compositeNodes_; }

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

    // General tab.
    void UpdateBitTimeLabel();
    // Nodes tab.
    void RefreshSlaveList();
    void RefreshNodeChoices();
    void cmdNodeAddClick();
    void cmdNodesRemoveClick();
    void cmdNodesClearClick();
    void cmdNodeAttributesClick();
    void cmdCompositeNodesClick();
    void cmdGenerateMasterClick();
    void cmdGenerateCodeSlaveClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Construction of the window, one part each.
    void BuildMenu();
    QWidget* BuildHeaderStrip();
    QWidget* BuildIssuePages();
    void BuildGeneralPanel(QWidget* panel);
    void BuildNodesPanel(QWidget* panel);
    void BuildLdfPanel(QWidget* panel);
    void BuildAboutPanel(QWidget* panel);
    QWidget* AddPanel(const char* name, QWidget* container);

    void FormShow();
    void ShowLdfText();
    // Asks whether to save unsaved edits; false when the command must stop.
    bool ConfirmDiscardChanges();
    // Saves through the save dialog; false when cancelled or failed.
    bool SaveDocumentAs();
    void RememberSavedText();
    // Generates a driver header through the save dialog.
    void GenerateHeaderFile(bool isMaster, int slaveIndex);
    void SetTitles(const QString& caption, const QString& applicationTitle);
    bool AskYesNo(const QString& question);
    void NavigateGeneral(const QString& field);
    // The drop-down lists of the other tabs that offer the master and the slaves.
    QList<QComboBox*> NodeChoiceLists() const;
    void NavigateNodes(const QString& field);

    QString ChoosePath(QFileDialog* dialog);

    std::unique_ptr<corvdekLINDefinitionFile> document_;
    FileDialogRunner runFileDialog_;
    bool filling_ = false;
    int highlightTicks_ = 0;
    bool shown_ = false;
    // The LDF text right after the last New, successful Open or successful Save As; the
    // document has unsaved edits when its text differs.
    std::string savedText_;

    TfrmNodeAttributes* nodeAttributes_ = nullptr;
    TfrmLINCompositeNodes* compositeNodes_ = nullptr;
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
    QFrame* shapeGeneral_ = nullptr;
    QFrame* shapeNode_ = nullptr;
    QPlainTextEdit* txtLDF_ = nullptr;

    // General tab
    QComboBox* lstLINVersion_ = nullptr;
    QComboBox* lstLangVersion_ = nullptr;
    QComboBox* lstLINSpeed_ = nullptr;
    QLabel* lblBitRate_ = nullptr;
    QComboBox* lstPeriod_ = nullptr;
    QComboBox* lstJitter_ = nullptr;
    QCheckBox* chkHasDiagnostics_ = nullptr;

    // Nodes tab
    QLineEdit* txtMasterName_ = nullptr;
    QLineEdit* txtAddNode_ = nullptr;
    QListWidget* lstSlaveNodes_ = nullptr;
    QPushButton* cmdGenerateMaster_ = nullptr;
    QPushButton* cmdGenerateCodeSlave_ = nullptr;
};
