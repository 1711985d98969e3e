// The frame of the main window: start-up, File menu, tab switching, issue lists, the
// setup-check timer and the navigation from an issue to its control.

#include "tabrel_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QDialog>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QFileDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QPainter>
#include <QStyle>
#include <QToolTip>
#include <QTimer>
#include <QTreeView>
#include <QUndoStack>
#include <QUrl>
#include <QVBoxLayout>
#include <utility>

#include "artwork.h"
#include "codegen/generate_microchip.h"
#include "foundation/corv_arrays.h"
#include "foundation/corv_file.h"
#include "compare_panel.h"
#include "editor_session.h"
#include "encodings_tab.h"
#include "frames_tab.h"
#include "general_tab.h"
#include "issue_model.h"
#include "issue_navigator.h"
#include "nodes_tab.h"
#include "schedule_tables_tab.h"
#include "signals_tab.h"
#include "text_tabs.h"
#include "ldf_writer/ldf_writer.h"
#include "model/definition_file.h"
#include "name_lists.h"
#include "qt_text.h"
#include "widgets.h"

namespace {

constexpr int kTimerInterval = 3000;
const char* const kLdfFilter = "LDF Files (*.ldf)";
constexpr int kSavedMessageMs = 5000;
constexpr int kCheckAfterEditMs = 300;  // edits in a burst are checked once

// Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z: the Edit menu's undo and redo.
bool IsHistoryKey(const QKeyEvent& key) {
    const QKeyCombination combination = key.keyCombination();
    return combination == QKeyCombination(Qt::ControlModifier, Qt::Key_Z) ||
           combination == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z) ||
           combination == QKeyCombination(Qt::ControlModifier, Qt::Key_Y);
}

bool IsLdfFile(const QUrl& url) {
    return url.isLocalFile() && url.toLocalFile().endsWith(".ldf", Qt::CaseInsensitive);
}

// An issue list: a read-only table view of one row per issue over `model`, in the file's
// order until a column header is clicked (a third click gives that order back).
QTreeView* IssueList(const char* name, IssueModel* model) {
    auto* list = new QTreeView;
    list->setObjectName(name);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);  // tens of thousands of rows are never measured
    auto* sorted = new QSortFilterProxyModel(list);
    sorted->setSourceModel(model);
    sorted->setSortRole(Qt::UserRole);
    list->setModel(sorted);
    list->header()->setSortIndicatorClearable(true);
    list->header()->setSortIndicator(-1, Qt::AscendingOrder);
    list->setSortingEnabled(true);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

// The columns before the details take the width of their texts, within a quarter of the list.
void FitIssueColumns(QTreeView* list) {
    const int widest = std::max(80, list->viewport()->width() / 4);
    for (int column = 0; column < 2; ++column) {
        list->resizeColumnToContents(column);
        list->setColumnWidth(column, std::min(list->columnWidth(column), widest));
    }
}

// The status text, elided to the room it has; the whole text shows as its tooltip.
class StatusLabel : public QLabel {
public:
    using QLabel::QLabel;
    QSize minimumSizeHint() const override { return {0, QLabel::minimumSizeHint().height()}; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width());
        style()->drawItemText(&painter, contentsRect(), Qt::AlignLeft | Qt::AlignVCenter, palette(), isEnabled(), shown,
                              foregroundRole());
    }
    bool event(QEvent* event) override {
        if (event->type() == QEvent::ToolTip) {
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this);
            return true;
        }
        return QLabel::event(event);
    }
};

}  // namespace

TfrmTabrel::TfrmTabrel() {
    setWindowTitle("Kestova Tabrel 0.1");
    setObjectName("frmTabrel");
    resize(1495, 771);
    setAcceptDrops(true);
    editor_ = new DocumentEditor(this, [this] { return CurrentPlace(); });
    connect(editor_, &DocumentEditor::Changed, this, &TfrmTabrel::FollowChange);
    connect(editor_, &DocumentEditor::Restored, this, &TfrmTabrel::ShowPlace);
    connect(editor_->Stack(), &QUndoStack::cleanChanged, this, [this](bool clean) { setWindowModified(!clean); });
    qApp->installEventFilter(this);  // Ctrl+Z in a text field is the document's undo too
    session_ = new EditorSession(this, [this](const QString& path) {
        // The writer replaces the copy only when the new one is complete.
        if (document_ && editor_->IsModified()) {
            WriteLDF(*document_, FromQString(path), nullptr, LdfRendering::kEveryValue);
        }
    });
    connect(editor_->Stack(), &QUndoStack::indexChanged, this, [this] {
        if (!editor_->IsModified()) {
            session_->RemoveRecoveryCopy();
        } else {
            session_->EditsChanged();
        }
    });
    BuildMenu();

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(BuildHeaderStrip());

    auto* splitter = new QSplitter(Qt::Vertical);
    auto* container = new QWidget;
    auto* containerLayout = new QVBoxLayout(container);
    containerLayout->setContentsMargins(0, 0, 0, 0);
    const char* const names[] = {"pnlGeneral",       "pnlNodes",     "pnlSignals",
                                 "pnlFrames",        "pnlScheduleTable", "pnlEncodings",
                                 "pnlLDF",           "pnlRepresentations"};
    general_ = new GeneralTab(editor_);
    nodes_ = new NodesTab(editor_);
    signals_ = new SignalsTab(editor_);
    frames_ = new FramesTab(editor_);
    scheduleTables_ = new ScheduleTablesTab(editor_);
    encodings_ = new EncodingsTab(editor_);
    ldfFile_ = new LdfFileTab;
    // In the order of the tab bar.
    QWidget* const tabPanels[] = {general_, nodes_, signals_, frames_, scheduleTables_, encodings_,
                                  ldfFile_, new AboutTab};
    for (int i = 0; i < 8; ++i) panels_[i] = AddPanel(names[i], container, tabPanels[i]);
    navigator_ = std::make_unique<IssueNavigator>(
        IssueNavigator::Tabs{tabsMain_, general_, nodes_, signals_, frames_, scheduleTables_, encodings_});
    comparePanel_ = new ComparePanel(this);
    addDockWidget(Qt::BottomDockWidgetArea, comparePanel_);  // the full width for both sides' values
    comparePanel_->hide();
    connect(comparePanel_, &ComparePanel::NavigateTo, this, [this](const QString& section) { navigator_->Navigate(section); });
    connect(nodes_, &NodesTab::HeaderRequested, this, &TfrmTabrel::GenerateHeaderFile);
    connect(nodes_, &NodesTab::NcfExportRequested, this, &TfrmTabrel::ExportNodeCapabilityFile);
    splitter->addWidget(container);
    splitter->addWidget(BuildIssuePages());
    splitter->setStretchFactor(0, 1);
    splitter->setSizes({620, 150});
    layout->addWidget(splitter, 1);
    setCentralWidget(central);

    Timer1_ = new QTimer(this);
    Timer1_->setObjectName("Timer1");
    Timer1_->setInterval(kTimerInterval);
    connect(Timer1_, &QTimer::timeout, this, &TfrmTabrel::Timer1Timer);
    checkSoon_ = new QTimer(this);
    checkSoon_->setSingleShot(true);
    checkSoon_->setInterval(kCheckAfterEditMs);
    connect(checkSoon_, &QTimer::timeout, this, &TfrmTabrel::Timer1Timer);

    dlgOpen_ = new QFileDialog(this, "Open");
    dlgOpen_->setObjectName("dlgOpen");
    dlgSave_ = new QFileDialog(this, "Save As");
    dlgSave_->setObjectName("dlgSave");
    dlgSave_->setAcceptMode(QFileDialog::AcceptSave);
    for (QFileDialog* dialog : {dlgOpen_, dlgSave_}) {
        dialog->setOption(QFileDialog::DontUseNativeDialog);
        dialog->setNameFilter(kLdfFilter);
        dialog->setDefaultSuffix("ldf");
    }
    dlgOpen_->setFileMode(QFileDialog::ExistingFile);

}

TfrmTabrel::~TfrmTabrel() {
    // The history outlives this class's part of the window: its stack, cleared as it goes,
    // must not call back into it.
    disconnect(editor_->Stack(), nullptr, this, nullptr);
    disconnect(editor_, nullptr, this, nullptr);
    // The tabs go while the document they show still exists: a cell editor still open
    // hands its text over as it closes.
    delete takeCentralWidget();
}

void TfrmTabrel::BuildMenu() {
    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("mnuFile");
    auto item = [&](const char* name, const QString& caption, QKeySequence keys, void (TfrmTabrel::*handler)()) {
        QAction* action = file->addAction(caption, this, handler);
        action->setObjectName(name);
        action->setShortcut(keys);
    };
    item("mnuFileNew", "New", QKeySequence("Ctrl+N"), &TfrmTabrel::mnuFileNewClick);
    item("mnuFileOpen", "Open...", QKeySequence("Ctrl+O"), &TfrmTabrel::mnuFileOpenClick);
    mnuFileOpenRecent_ = file->addMenu("Open Recent");
    mnuFileOpenRecent_->setObjectName("mnuFileOpenRecent");
    connect(mnuFileOpenRecent_, &QMenu::aboutToShow, this, &TfrmTabrel::FillRecentMenu);
    item("mnuFileCompareWith", "Compare With...", QKeySequence(), &TfrmTabrel::mnuFileCompareWithClick);
    item("mnuFileImportNcf", "Import Node Capability File...", QKeySequence(), &TfrmTabrel::mnuFileImportNcfClick);
    file->addSeparator();
    item("mnuFileSave", "Save", QKeySequence("Ctrl+S"), &TfrmTabrel::mnuFileSaveClick);
    item("mnuFileSaveAs", "Save As....", QKeySequence("Ctrl+Shift+S"), &TfrmTabrel::mnuFileSaveAsClick);
    file->addSeparator();
    item("mnuFileExit", "E&xit", QKeySequence("Ctrl+Q"), &TfrmTabrel::mnuFileExitClick);

    QMenu* edit = menuBar()->addMenu("&Edit");
    edit->setObjectName("mnuEdit");
    QUndoStack* stack = editor_->Stack();
    const auto historyAction = [this, stack](const char* name, const QString& verb, void (QUndoStack::*step)(),
                                             void (QUndoStack::*enabled)(bool), void (QUndoStack::*text)(const QString&)) {
        auto* action = new QAction(verb, this);
        action->setObjectName(name);
        action->setEnabled(false);
        connect(action, &QAction::triggered, stack, step);
        connect(stack, enabled, action, &QAction::setEnabled);
        connect(stack, text, action, [action, verb](const QString& label) {
            action->setText(label.isEmpty() ? verb : verb + " " + label);
        });
        return action;
    };
    QAction* undo = historyAction("mnuEditUndo", "Undo", &QUndoStack::undo, &QUndoStack::canUndoChanged,
                                  &QUndoStack::undoTextChanged);
    undo->setShortcut(QKeySequence("Ctrl+Z"));
    QAction* redo = historyAction("mnuEditRedo", "Redo", &QUndoStack::redo, &QUndoStack::canRedoChanged,
                                  &QUndoStack::redoTextChanged);
    redo->setShortcuts({QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")});
    edit->addAction(undo);
    edit->addAction(redo);
}

QWidget* TfrmTabrel::BuildHeaderStrip() {
    auto* strip = new QWidget;
    strip->setObjectName("pnlHeader");
    strip->setAutoFillBackground(true);
    QPalette palette = strip->palette();
    palette.setColor(QPalette::Window, Qt::white);
    strip->setPalette(palette);
    strip->setFixedHeight(41);
    auto* layout = new QHBoxLayout(strip);
    layout->setContentsMargins(6, 2, 6, 2);

    auto* logo = new QLabel;
    logo->setObjectName("imgLogo");
    logo->setPixmap(LogoPicture(24));
    auto* design = new QLabel("Design");
    design->setObjectName("lblDesign");
    QFont big = design->font();
    big.setPointSize(14);
    design->setFont(big);
    design->setStyleSheet("color: grey;");

    tabsMain_ = new QTabBar;
    tabsMain_->setObjectName("tabsMain");
    tabsMain_->setIconSize(QSize(16, 16));
    const struct {
        const char* caption;
        TabPicture picture;
    } tabs[] = {{"General", TabPicture::kGeneral},       {"Nodes", TabPicture::kNodes},
                {"Signals", TabPicture::kSignals},       {"Frames", TabPicture::kFrames},
                {"Schedule Tables", TabPicture::kScheduleTables},
                {"Encodings", TabPicture::kEncodings},   {"LDF File", TabPicture::kLdfFile},
                {"About", TabPicture::kAbout}};
    for (const auto& tab : tabs) tabsMain_->addTab(TabIcon(tab.picture), tab.caption);
    connect(tabsMain_, &QTabBar::currentChanged, this, [this] { tabsMainChange(); });

    lblDesign_ = design;
    lblResult_ = new StatusLabel("-");
    lblResult_->setObjectName("lblResult");
    statusBar()->addWidget(lblResult_, 1);  // the tab strip keeps the header's width

    layout->addWidget(logo);
    layout->addWidget(design);
    layout->addWidget(tabsMain_, 1);
    return strip;
}

QWidget* TfrmTabrel::BuildIssuePages() {
    pageErrors_ = new QTabWidget;
    pageErrors_->setObjectName("pageErrors");
    pageErrors_->setMinimumHeight(86);
    loadIssues_ = new IssueModel({"Type", "Line", "Details"}, this);
    setupIssues_ = new IssueModel({"Type", "Section", "Details"}, this);
    lstLDFLoadIssues_ = IssueList("lstLDFLoadIssues", loadIssues_);
    lstLDFIssues_ = IssueList("lstLDFIssues", setupIssues_);
    connect(lstLDFIssues_, &QTreeView::doubleClicked, this, [this] { lstLDFIssuesDblClick(); });
    pageErrors_->addTab(lstLDFLoadIssues_, "File Load Issues");
    pageErrors_->addTab(lstLDFIssues_, "Current Setup Issues");
    pageErrors_->setCurrentWidget(lstLDFIssues_);
    return pageErrors_;
}

QWidget* TfrmTabrel::AddPanel(const char* name, QWidget* container, QWidget* panel) {
    panel->setObjectName(name);
    container->layout()->addWidget(panel);
    panel->hide();
    return panel;
}

// A narrow window gives the caption's room to the tabs, and then their icons' room to their
// captions, so that every tab stays in sight.
void TfrmTabrel::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    constexpr int kLogoAndMargins = 60;
    tabsMain_->setIconSize(QSize(16, 16));
    const int room = width() - kLogoAndMargins - tabsMain_->sizeHint().width();
    lblDesign_->setVisible(room > lblDesign_->sizeHint().width());
    if (room < 0) tabsMain_->setIconSize(QSize(0, 0));
    FitIssueColumns(lstLDFLoadIssues_);
    FitIssueColumns(lstLDFIssues_);
}

void TfrmTabrel::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TfrmTabrel::FormShow() {
    tabsMainChange();
    ReplaceDocument(std::make_unique<corvdekLINDefinitionFile>(), 0);
    QTimer::singleShot(0, this, &TfrmTabrel::OfferRecoveryCopy);
}

void TfrmTabrel::OfferRecoveryCopy() {
    if (!EditorSession::HasRecoveryCopy()) return;
    QMessageBox box(QMessageBox::Question, "Tabrel",
                    "Tabrel ended with unsaved edits. Restore them?", QMessageBox::Yes | QMessageBox::No, this);
    box.setObjectName("msgRestoreRecovery");
    if (box.exec() != QMessageBox::Yes) {
        session_->RemoveRecoveryCopy();
        return;
    }
    auto restored = std::make_unique<corvdekLINDefinitionFile>();
    std::string bytes;
    if (!ReadWholeFile(FromQString(EditorSession::RecoveryPath()), bytes) || !restored->LoadFromBytes(bytes)) return;
    ShowUntitledCaption();
    ShowLoadedDocument(std::move(restored), bytes.size());
    editor_->Stack()->resetClean();  // the restored edits are not saved anywhere
    setWindowModified(true);
}

void TfrmTabrel::RefreshAllTabs() {
    general_->Show(document_.get());
    nodes_->Show(document_.get());
    frames_->Show(document_.get());
    signals_->Show(document_.get());
    scheduleTables_->Show(document_.get());
    encodings_->Show(document_.get());
    RefreshNodeChoices();
    signals_->RefreshEncodingChoices();
    ShowCurrentTabDetails();
    comparePanel_->Refresh(*document_);
    Timer1_->start();
}

void TfrmTabrel::tabsMainChange() {
    for (QWidget* panel : panels_) panel->hide();
    const int tab = tabsMain_->currentIndex();
    if (tab == kLdfFile) ShowLdfText();
    if (tab >= 0 && tab < 8) panels_[tab]->show();
    ShowCurrentTabDetails();
    // Once the shown panel has its layout, Tab walks it in the order it is seen in.
    if (tab >= 0 && tab < 8) QTimer::singleShot(0, panels_[tab], [panel = panels_[tab]] { OrderTabsAsSeen(panel); });
}

void TfrmTabrel::ShowCurrentTabDetails() {
    if (!document_) return;
    switch (tabsMain_->currentIndex()) {
        case kSignals: signals_->lstSignalsClick(); break;
        case kFrames: frames_->lstFramesClick(); break;
        case kScheduleTables: scheduleTables_->lstScheduleTablesClick(); break;
        case kEncodings: encodings_->lstEncodingsClick(); break;
        default: break;
    }
}

void TfrmTabrel::ShowLdfText() {
    // The writer's own rendering: exactly what Save As stores, without a temporary file.
    ldfFile_->ShowText(DecodedLdfText(RenderLDF(*document_)));
}

void TfrmTabrel::SetTitles(const QString& caption, const QString& applicationTitle) {
    setWindowTitle(caption);
    QApplication::setApplicationName(applicationTitle);
}

QStringList TfrmTabrel::ChoosePaths(QFileDialog* dialog, const QString& suffix, const QString& proposed) {
    PrepareFileDialog(dialog, suffix, proposed);
    if (runFileDialog_) return std::exchange(runFileDialog_, nullptr)(*dialog);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    // The name field's completion list would outlive the dialog and take the next click.
    if (auto* name = dialog->findChild<QLineEdit*>("fileNameEdit"); name != nullptr && name->completer() != nullptr) {
        name->completer()->popup()->hide();
    }
    return accepted ? dialog->selectedFiles() : QStringList();
}

QString TfrmTabrel::ChoosePath(QFileDialog* dialog, const QString& suffix, const QString& proposed) {
    const QStringList chosen = ChoosePaths(dialog, suffix, proposed);
    return chosen.isEmpty() ? QString() : chosen.first();
}

// A dialog starts in the current file's folder (else the last one a file was chosen in); a
// save dialog proposes `proposed`, else the current file's name with `suffix`. Open proposes
// none, so that a typed name is not added to the last one.
void TfrmTabrel::PrepareFileDialog(QFileDialog* dialog, const QString& suffix, const QString& proposed) {
    const QFileInfo current(currentPath_);
    const QString folder = currentPath_.isEmpty() ? EditorSession::LastFolder() : current.absolutePath();
    if (!folder.isEmpty()) dialog->setDirectory(folder);
    const bool saves = dialog->acceptMode() == QFileDialog::AcceptSave;
    if (saves && !proposed.isEmpty()) {
        dialog->selectFile(proposed);
    } else if (saves && !currentPath_.isEmpty()) {
        dialog->selectFile(current.completeBaseName() + "." + suffix);
    } else if (auto* name = dialog->findChild<QLineEdit*>("fileNameEdit")) {
        name->clear();
    }
}

bool TfrmTabrel::HasUnsavedChanges() const { return editor_->IsModified(); }

bool TfrmTabrel::ConfirmDiscardChanges() {
    if (!HasUnsavedChanges()) return true;
    QMessageBox box(QMessageBox::Question, "Tabrel", "Save changes to the current cluster?",
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.setObjectName("msgSaveChanges");
    switch (box.exec()) {
        case QMessageBox::Save: return SaveDocument();
        case QMessageBox::Discard: session_->RemoveRecoveryCopy(); return true;
        default: return false;
    }
}

void TfrmTabrel::mnuFileNewClick() {
    if (!ConfirmDiscardChanges()) return;
    lblResult_->setText("-");  // what it said was of the previous document
    ShowUntitledCaption();
    ReplaceDocument(std::make_unique<corvdekLINDefinitionFile>(), 0);
    ldfFile_->ShowText(QString());
}

void TfrmTabrel::mnuFileOpenClick() {
    if (!ConfirmDiscardChanges()) return;
    const QString chosen = ChoosePath(dlgOpen_, "ldf");
    if (!chosen.isEmpty()) OpenPath(chosen);
}

void TfrmTabrel::mnuFileCompareWithClick() {
    const QString chosen = ChoosePath(dlgOpen_, "ldf");
    if (chosen.isEmpty()) return;
    QString why;
    if (!comparePanel_->CompareWith(chosen, why)) {
        ShowError(this, "msgCompareFailed", "Problem loading " + chosen + "\n" + why);
        return;
    }
    comparePanel_->show();
    comparePanel_->Refresh(*document_);
}

bool TfrmTabrel::OpenPath(const QString& chosen) {
    const corvString path = FromQString(chosen);
    // The file is read into a document of its own: one that fails to load leaves the
    // current document, the caption and every tab as they were.
    auto loaded = std::make_unique<corvdekLINDefinitionFile>();
    // One read serves the text view and the loader; a file that cannot be read is left to
    // the loader, which reports it.
    std::string bytes;
    const bool read = ReadWholeFile(path, bytes);
    if (!(read ? loaded->LoadFromBytes(bytes) : loaded->LoadFromFile(path))) {
        lblResult_->setText("Problem loading LDF");
        ShowError(this, "msgOpenFailed", "Problem loading " + chosen + "\n" + ToQString(loaded->lastLoadError));
        return false;
    }
    ShowFileCaption(chosen);
    if (read) ldfFile_->ShowText(DecodedLdfText(bytes));
    ShowLoadedDocument(std::move(loaded), bytes.size());
    EditorSession::RememberFile(chosen);
    return true;
}

void TfrmTabrel::ShowLoadedDocument(std::unique_ptr<corvdekLINDefinitionFile> loaded, std::size_t sizeBytes) {
    // Clearing a filter refills its list: from the document the tab still shows.
    signals_->ClearFilter();
    frames_->ClearFilter();
    ReplaceDocument(std::move(loaded), sizeBytes);
    lblResult_->setText("-");
    FillLoadIssues();
}

void TfrmTabrel::ReplaceDocument(std::unique_ptr<corvdekLINDefinitionFile> document, std::size_t sizeBytes) {
    // The old document lives until every tab shows the new one: a tab refilled early may
    // make another one show its details.
    const std::unique_ptr<corvdekLINDefinitionFile> old = std::exchange(document_, std::move(document));
    editor_->Bind(document_.get(), sizeBytes);
    RefreshAllTabs();
}

void TfrmTabrel::ShowUntitledCaption() {
    currentPath_.clear();
    SetTitles("Kestova Tabrel[*]", "Kestova Tabrel");
}

void TfrmTabrel::ShowFileCaption(const QString& path) {
    currentPath_ = path;
    const QString name = ToQString(corvParseFileString(FromQString(path)).name);
    SetTitles(name + "[*] - Kestova Tabrel", name);
}

bool TfrmTabrel::SaveDocumentAs() {
    dlgSave_->setNameFilter(kLdfFilter);
    dlgSave_->setDefaultSuffix("ldf");
    const QString chosen = ChoosePath(dlgSave_, "ldf");
    return !chosen.isEmpty() && SaveTo(chosen);
}

bool TfrmTabrel::SaveDocument() { return currentPath_.isEmpty() ? SaveDocumentAs() : SaveTo(currentPath_); }

bool TfrmTabrel::SaveTo(const QString& path) {
    corvStringArray leftOut;
    if (!WriteLDF(*document_, FromQString(path), &leftOut)) {
        ShowError(this, "msgSaveFailed", "Problem saving file\n" + path + "\n" + ToQString(document_->lastLoadError));
        return false;
    }
    // What could not be written as valid LDF was left out; the status says what.
    const QStringList notes = ToQStrings(leftOut);
    lblResult_->setText(notes.isEmpty() ? "-" : "Saved without: " + notes.join(" "));
    ShowFileCaption(path);
    statusBar()->showMessage("Saved " + path, kSavedMessageMs);
    editor_->MarkSaved();
    session_->RemoveRecoveryCopy();
    EditorSession::RememberFile(path);
    return true;
}

void TfrmTabrel::mnuFileSaveClick() { SaveDocument(); }

void TfrmTabrel::mnuFileSaveAsClick() { SaveDocumentAs(); }

void TfrmTabrel::FillRecentMenu() {
    mnuFileOpenRecent_->clear();
    for (const QString& path : EditorSession::RecentFiles()) {
        mnuFileOpenRecent_->addAction(path, this, [this, path] {
            if (!QFileInfo::exists(path)) {
                EditorSession::ForgetFile(path);
                ShowWarning(this, "msgRecentMissing", "The file " + path + " no longer exists.");
                return;
            }
            if (ConfirmDiscardChanges()) OpenPath(path);
        });
    }
}

void TfrmTabrel::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && IsLdfFile(urls.front())) event->acceptProposedAction();
}

void TfrmTabrel::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() != 1 || !IsLdfFile(urls.front())) return;
    event->acceptProposedAction();
    if (ConfirmDiscardChanges()) OpenPath(urls.front().toLocalFile());
}

// Undo and redo act on the document's history wherever the focus is: a text field's own
// undo would change the field without a step of the history.
bool TfrmTabrel::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type == QEvent::ShortcutOverride || type == QEvent::KeyPress) && IsHistoryKey(*static_cast<QKeyEvent*>(event))) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget != nullptr && widget->window() == this) {
            event->ignore();  // the Edit menu's shortcut takes it
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

ViewPlace TfrmTabrel::CurrentPlace() const { return {tabsMain_->currentIndex(), SelectedName()}; }

// The name of the object the current tab shows.
QString TfrmTabrel::SelectedName() const {
    switch (tabsMain_->currentIndex()) {
        case kNodes: return nodes_->SelectedName();
        case kSignals: return signals_->SelectedName();
        case kFrames: return frames_->SelectedName();
        case kScheduleTables: return scheduleTables_->SelectedName();
        case kEncodings: return encodings_->SelectedName();
        default: return QString();
    }
}

void TfrmTabrel::ShowPlace(const ViewPlace& place) {
    RefreshAllTabs();
    tabsMain_->setCurrentIndex(place.tab);
    const QString& name = place.selected;
    switch (place.tab) {
        case kNodes: nodes_->SelectSlaveByName(name); break;
        case kSignals: signals_->SelectSignalByName(name); break;
        case kFrames: frames_->SelectFrameByName(name); break;
        case kScheduleTables: scheduleTables_->SelectTableByName(name); break;
        case kEncodings: encodings_->SelectEncodingByName(name); break;
        default: break;
    }
    tabsMainChange();
}

// The lists that offer names follow an edit that may change names of their kind (refilling a
// list of thousands of names on every keystroke would be felt).
void TfrmTabrel::FollowChange(const DocumentChange& change) {
    const DocumentParts kind = change.ChangesNames() ? change.KindOfObject() : DocumentParts();
    if (kind & DocumentPart::kNodes) RefreshNodeChoices();
    if (kind & DocumentPart::kEncodings) signals_->RefreshEncodingChoices();
    if (kind & DocumentPart::kSignals) frames_->RefreshFrameSignalChoices();
    if (kind & DocumentPart::kFrames) scheduleTables_->RefreshScheduleFrameChoices();
    if (comparePanel_->isVisible()) comparePanel_->Refresh(*document_);
    checkSoon_->start();
}

void TfrmTabrel::mnuFileExitClick() { close(); }

void TfrmTabrel::closeEvent(QCloseEvent* event) {
    if (!ConfirmDiscardChanges()) {
        event->ignore();
        return;
    }
    Timer1_->stop();
    qApp->removeEventFilter(this);
    document_.reset();
    event->accept();
}

void TfrmTabrel::FillLoadIssues() {
    const corvdekLINDefinitionFile& document = *document_;
    pageErrors_->setCurrentWidget(document.loadIssueTypes.Count() > 0 ? lstLDFLoadIssues_
                                                                      : lstLDFIssues_);
    // The line where each issue's statement starts; empty where no statement is concerned.
    corvStringArray lines;
    for (const SourcePlace& place : document.loadIssuePlaces) {
        corvString& line = lines.AddEmpty();
        if (place.line > 0) line.SetInt(place.line);
    }
    loadIssues_->SetIssues(document.loadIssueLevels, {&document.loadIssueTypes, &lines, &document.loadIssueDetails});
    pageErrors_->setTabText(0, loadIssues_->CaptionWithCounts("File Load Issues"));
    FitIssueColumns(lstLDFLoadIssues_);
}

void TfrmTabrel::Timer1Timer() {
    if (!document_ || !isVisible()) return;
    document_->CheckSetup();
    const corvdekLINDefinitionFile& document = *document_;
    // Unchanged issues keep the list and its selection.
    if (setupIssues_->SetIssues(document.setupIssueLevels,
                                {&document.setupIssueTypes, &document.setupIssueSections, &document.setupIssueDetails})) {
        pageErrors_->setTabText(1, setupIssues_->CaptionWithCounts("Current Setup Issues"));
        FitIssueColumns(lstLDFIssues_);
    }
    navigator_->CheckRan(this);
}

void TfrmTabrel::lstLDFIssuesDblClick() {
    const QModelIndex row = lstLDFIssues_->currentIndex();
    if (!row.isValid() || !lstLDFIssues_->selectionModel()->isSelected(row)) return;
    navigator_->Navigate(row.siblingAtColumn(1).data().toString());
    tabsMainChange();
}



QList<QComboBox*> TfrmTabrel::NodeChoiceLists() const {
    return {signals_->SourceNodeChoice(), signals_->ReceiverNodeChoice(), frames_->SourceNodeChoice(),
            scheduleTables_->NodeChoice()};
}

void TfrmTabrel::RefreshNodeChoices() {
    QStringList names{ToQString(document_->master.name)};
    for (int i = 0; i < document_->nodes.GetCount(); ++i) {
        names << ToQString(document_->nodes.Get(i)->name);
    }
    for (QComboBox* choice : NodeChoiceLists()) RefillChoices(choice, names);  // nothing goes into the model
}

void TfrmTabrel::GenerateHeaderFile(bool isMaster, int slaveIndex) {
    dlgSave_->setNameFilter("C Header Files (*.h)");
    dlgSave_->setDefaultSuffix("h");
    const QString chosen = ChoosePath(dlgSave_, "h");
    if (chosen.isEmpty()) return;
    const corvString path = FromQString(chosen);
    if (!corvdekLINGenerateMicrochip::GenerateHeader(path, *document_, isMaster, slaveIndex)) {
        ShowError(this, "msgHeaderFailed", "Problem creating header file");
    }
}
