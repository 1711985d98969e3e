// Drives the editor's window with random user actions, from a seed: clicks on tabs, rows
// and buttons, keys typed into the focused field, filters, undo and redo, saves and
// reopens, on real files and on a new document. After each action it checks what a user
// relies on; a failure names the seed and the action, so that the run can be replayed.
//
//   editor_random_actions [--seed N] [--actions N] [--quiet]

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTabBar>
#include <QTreeWidgetItemIterator>
#include <QUndoStack>
#include <QtTest>
#include <algorithm>
#include <clocale>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <utility>

#include "ncf_import_dialog.h"
#include "cluster_diff/cluster_diff.h"
#include "document_editor.h"
#include "editor_test_support.h"
#include "ldf_writer/ldf_writer.h"
#include "model/definition_file.h"
#include "support/grammar_check.h"

using namespace editor_test;

namespace {

// What a list tab shows: its list, the field with the selected object's name, its buttons.
struct ListTab {
    int tab;
    const char* list;
    const char* nameField;  // null where names are edited in the list
    const char* add;
    const char* remove;
};

const ListTab kListTabs[] = {
    {TfrmTabrel::kNodes, "lstSlaveNodes", nullptr, "cmdNodeAdd", "cmdNodesRemove"},
    {TfrmTabrel::kSignals, "lstSignals", "txtSignalDescription", "cmdAdd", "cmdRemove"},
    {TfrmTabrel::kFrames, "lstFrames", "txtFrameDescription", "cmdFramesAdd", "cmdFramesRemove"},
    {TfrmTabrel::kScheduleTables, "lstScheduleTables", "txtScheduleTableDescription", "cmdAddScheduleTable",
     "cmdRemoveScheduleTable"},
    {TfrmTabrel::kEncodings, "lstEncodings", "txtEncodingTypeDescription", "cmdEncodingsAdd", "cmdEncodingsRemove"},
};

// Buttons that only change what the tab shows or edit through the form, never open a dialog.
const char* const kFormButtons[] = {"cmdSignalAddRxNode",       "cmdSignalRxNodesRemove",      "cmdFrameSignalsAdd",
                                    "cmdFrameSignalsRemove",    "cmdScheduleTableFrameAdd",    "cmdScheduleTableFrameChange",
                                    "cmdScheduleTableFrameUp",  "cmdScheduleTableFrameDown",   "cmdScheduleTableFrameRemove",
                                    "cmdAddEncodingParts",      "cmdRemoveEncodingParts"};

// Fields that filter a list: typing there must not change the document.
bool IsFilter(const QWidget* field) { return field->objectName().startsWith("txtFilter"); }

// Every value of the document, also those a save leaves out.
std::string Everything(const TfrmTabrel& w) { return RenderLDF(*w.Document(), nullptr, LdfRendering::kEveryValue); }

// "line N: 'expected' / 'found'" of the first line that differs.
QString FirstDifference(const std::string& expected, const std::string& found) {
    const QStringList a = QString::fromStdString(expected).split('\n');
    const QStringList b = QString::fromStdString(found).split('\n');
    for (int line = 0; line < std::max(a.size(), b.size()); ++line) {
        if (a.value(line) != b.value(line)) {
            return QString("line %1: '%2' / '%3'").arg(line + 1).arg(a.value(line), b.value(line));
        }
    }
    return {};
}

// The part of a document that holds objects of a kind the comparison names.
DocumentParts PartOfKind(const std::string& kind) {
    static const std::map<std::string, DocumentPart> kParts = {
        {"header", DocumentPart::kBus},
        {"master", DocumentPart::kBus},
        {"node", DocumentPart::kNodes},
        {"diagnostic address", DocumentPart::kNodes},
        {"signal", DocumentPart::kSignals},
        {"frame", DocumentPart::kFrames},
        {"sporadic frame", DocumentPart::kFrames},
        {"event-triggered frame", DocumentPart::kFrames},
        {"diagnostic signal", DocumentPart::kDiagnostics},
        {"diagnostic frame", DocumentPart::kDiagnostics},
        {"signal group", DocumentPart::kSignalGroups},
        {"schedule table", DocumentPart::kScheduleTables},
        {"encoding type", DocumentPart::kEncodings},
        {"representation", DocumentPart::kEncodings},
        {"composite configuration", DocumentPart::kComposites},
    };
    const auto found = kParts.find(kind);
    return found == kParts.end() ? DocumentParts(DocumentPart::kAll) : DocumentParts(found->second);
}

// Whether the announced `change` covers the change of `object`: the object is of a part the
// change names, and is the object it names (when it names one). An edit of every part (a
// rename or removal with its references) may touch any object; a signal that changes its
// encoding moves between the representations.
bool Covers(const DocumentChange& change, const ObjectChange& object) {
    if (change.parts == DocumentParts(DocumentPart::kAll)) return true;
    if (!(change.parts & PartOfKind(object.kind))) return false;
    if (change.object.isEmpty()) return true;
    if (change.field == "Encoding" && std::string(object.kind) == "representation") return true;
    return change.object.toStdString() == object.name || change.object.toStdString() == object.newName;
}

QStringList SampleFiles() {
    QStringList files;
    for (const char* folder : {TABREL_EXAMPLES_DIR, TABREL_TEST_DATA_DIR, TABREL_CORPUS_DIR "/ldfparser"}) {
        for (const QFileInfo& file : QDir(folder).entryInfoList({"*.ldf"}, QDir::Files, QDir::Name)) {
            files << file.absoluteFilePath();
        }
    }
    return files;
}

QStringList NodeCapabilityFiles() {
    QStringList files;
    QDirIterator found(TABREL_CORPUS_DIR "/ncf", {"*.ncf"}, QDir::Files, QDirIterator::Subdirectories);
    while (found.hasNext()) files << found.next();
    files.sort();
    return files;
}

class RandomSession {
public:
    RandomSession(TfrmTabrel& window, quint32 seed, bool quiet)
        : w_(window), seed_(seed), random_(seed), quiet_(quiet), files_(SampleFiles()), ncfFiles_(NodeCapabilityFiles()) {
        // Questions get a random answer, warnings their OK; no dialog stays open.
        answerer_.setInterval(5);
        QObject::connect(&answerer_, &QTimer::timeout, [this] { AnswerModal(); });
        answerer_.start();
        QObject::connect(w_.Editor(), &DocumentEditor::Changed,
                         [this](const DocumentChange& change) { announced_.push_back(change); });
    }

    // Runs `count` actions; false at the first failure.
    bool Run(int count) {
        Reopen();
        for (action_ = 0; action_ < count; ++action_) {
            if (!Step()) return false;
        }
        return CheckUndoAndRedoOfAll() && CheckSavedGrammar();
    }

private:
    bool Step() {
        const std::string before = Everything(w_);
        announced_.clear();
        const int kind = static_cast<int>(random_.bounded(100));
        bool mayEdit = true;
        bool replaces = false;  // another document is shown
        if (kind < 12) {
            ClickTab(static_cast<int>(random_.bounded(6)));
            mayEdit = false;
        } else if (kind < 30) {
            ClickRow();
            mayEdit = false;
        } else if (kind < 55) {
            mayEdit = TypeIntoField();
        } else if (kind < 62) {
            ClickListButton(true);
        } else if (kind < 67) {
            ClickListButton(false);
        } else if (kind < 75) {
            ClickFormButton();
        } else if (kind < 83) {
            Trigger(random_.bounded(2) == 0 ? "mnuEditUndo" : "mnuEditRedo");
        } else if (kind < 88) {
            HistoryKey();
        } else if (kind < 93) {
            if (!SaveAndReload()) return false;
        } else if (kind < 95) {
            Reopen();
            replaces = true;
        } else if (kind < 97) {
            if (!CheckUndoAndRedoOfAll()) return false;
        } else if (kind < 98) {
            CompareWithASample();
            mayEdit = false;
        } else if (kind < 99) {
            DoubleClickACompareRow();
            mayEdit = false;
        } else if (random_.bounded(2) == 0) {
            ImportNodeCapabilityFiles();
        } else {
            Settle();
        }
        Settle();
        if (!mayEdit && Everything(w_) != before) {
            return Fail("the document changed though nothing was edited: " + FirstDifference(before, Everything(w_)));
        }
        if (!replaces && !CheckOnlyAnnouncedObjectsChanged(before)) return false;
        return CheckDetails();
    }

    // Lets the window see the action. After a question or a dialog it looks again only a
    // moment later, as a user's next input comes.
    void Settle() {
        for (int i = 0; i < 3; ++i) QTest::qWait(0);
        if (std::exchange(answered_, false)) QTest::qWait(150);
    }

    void Log(const QString& what) {
        log_ << what;
        if (log_.size() > 12) log_.removeFirst();
        if (!quiet_) std::printf("%d: %s\n", action_, qPrintable(what));
    }

    bool Fail(const QString& what) {
        std::printf("FAIL seed %u, action %d: %s\nlast actions:\n  %s\n", seed_, action_, qPrintable(what),
                    qPrintable(log_.join("\n  ")));
        return false;
    }

    QWidget* Panel() const {
        static const char* const kPanels[] = {"pnlGeneral", "pnlNodes", "pnlSignals", "pnlFrames", "pnlScheduleTable",
                                              "pnlEncodings"};
        const int tab = Find<QTabBar>(&w_, "tabsMain")->currentIndex();
        return tab >= 0 && tab < 6 ? Find(&w_, kPanels[tab]) : nullptr;
    }

    const ListTab* CurrentListTab() const {
        const int tab = Find<QTabBar>(&w_, "tabsMain")->currentIndex();
        for (const ListTab& each : kListTabs) {
            if (each.tab == tab) return &each;
        }
        return nullptr;
    }

    void ClickTab(int tab) {
        Log(QString("tab %1").arg(tab));
        auto* bar = Find<QTabBar>(&w_, "tabsMain");
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
    }

    void ClickRow() {
        const ListTab* tab = CurrentListTab();
        if (tab == nullptr) return;
        auto* list = Find<QAbstractItemView>(&w_, tab->list);
        const int rows = list->model()->rowCount();
        if (rows == 0) return;
        const int row = static_cast<int>(random_.bounded(rows));
        const QModelIndex index = list->model()->index(row, 0);
        list->scrollTo(index);
        Log(QString("click row %1 (%2) of %3").arg(row).arg(index.data().toString(), tab->list));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
    }

    // Compares the document with a sample file from now on: every later edit compares anew.
    void CompareWithASample() {
        if (files_.empty()) return;
        const QString file = files_[static_cast<int>(random_.bounded(static_cast<int>(files_.size())))];
        Log("compare with " + file);
        AnswerFileDialog(w_, file);
        w_.findChild<QAction*>("mnuFileCompareWith")->trigger();
    }

    // Imports one to three node capability files, answering the import dialog at random.
    void ImportNodeCapabilityFiles() {
        if (ncfFiles_.isEmpty()) return;
        QStringList chosen;
        for (int count = 1 + static_cast<int>(random_.bounded(3)); count > 0; --count) {
            chosen << ncfFiles_[static_cast<int>(random_.bounded(static_cast<int>(ncfFiles_.size())))];
        }
        answerYes_ = random_.bounded(3) != 0;
        Log("import " + chosen.join(", ") + (answerYes_ ? "" : " (cancelled)"));
        AnswerFileDialog(w_, chosen);
        w_.findChild<QAction*>("mnuFileImportNcf")->trigger();
    }

    // Double-clicks a row of the comparison, which leads to its object and edits nothing.
    void DoubleClickACompareRow() {
        auto* tree = Find<QTreeWidget>(&w_, "lstCompare");
        QList<QTreeWidgetItem*> rows;
        for (QTreeWidgetItemIterator it(tree); *it != nullptr; ++it) rows << *it;
        if (!tree->isVisible() || rows.isEmpty()) return;
        QTreeWidgetItem* row = rows[static_cast<int>(random_.bounded(static_cast<int>(rows.size())))];
        Log("double-click compare row " + row->text(0));
        DoubleClickItem(tree, row);
    }

    QString RandomText() {
        static const char kKeys[] = "abcXYZ_019x. ";
        QString text;
        const int length = static_cast<int>(random_.bounded(7));
        for (int i = 0; i < length; ++i) text += QChar(kKeys[random_.bounded(static_cast<int>(sizeof kKeys - 1))]);
        return text;
    }

    // Types into a field of the shown panel; false when it was a filter (no edit).
    bool TypeIntoField() {
        QWidget* panel = Panel();
        if (panel == nullptr) return true;
        QList<QLineEdit*> fields;
        for (QLineEdit* field : panel->findChildren<QLineEdit*>()) {
            if (field->isVisible() && field->isEnabled() && !field->isReadOnly()) fields << field;
        }
        if (fields.isEmpty()) return true;
        QLineEdit* field = fields[static_cast<int>(random_.bounded(fields.size()))];
        const QString text = RandomText();
        const bool replace = random_.bounded(2) == 0;
        QString name = field->objectName();
        if (name.isEmpty() && field->parentWidget() != nullptr) name = field->parentWidget()->objectName();
        Log(QString("type '%1' into %2%3").arg(text, name, replace ? " (replacing)" : ""));
        QTest::mouseClick(field, Qt::LeftButton);
        // Keys go where the keyboard sends them: to the focused widget (a drop-down list for
        // the text field inside it).
        const auto press = [field](int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
            QWidget* focused = QApplication::focusWidget();
            QTest::keyClick(focused != nullptr ? focused : field, static_cast<Qt::Key>(key), modifiers);
        };
        press(replace ? Qt::Key_A : Qt::Key_End, replace ? Qt::ControlModifier : Qt::NoModifier);
        if (replace) press(Qt::Key_Backspace);
        for (const QChar key : text) {
            press(key.toUpper().unicode(), key.isUpper() ? Qt::ShiftModifier : Qt::NoModifier);
            if (random_.bounded(3) == 0) QTest::qWait(0);
        }
        if (random_.bounded(3) == 0) press(Qt::Key_Return);
        return !IsFilter(field);
    }

    // Clicks a button of the shown panel (dialogs have buttons of the same names).
    void ClickButton(const char* name) {
        QWidget* panel = Panel();
        auto* button = panel != nullptr ? panel->findChild<QPushButton*>(name) : nullptr;
        if (button == nullptr || !button->isVisible() || !button->isEnabled()) return;
        Log(QString("click %1").arg(name));
        QTest::mouseClick(button, Qt::LeftButton);
    }

    void ClickListButton(bool add) {
        const ListTab* tab = CurrentListTab();
        if (tab == nullptr) return;
        if (add && tab->tab == TfrmTabrel::kNodes) {
            auto* name = Find<QLineEdit>(&w_, "txtAddNode");
            QTest::mouseClick(name, Qt::LeftButton);
            QTest::keyClicks(name, "Node" + QString::number(random_.bounded(100)));
        }
        answerYes_ = random_.bounded(3) != 0;
        ClickButton(add ? tab->add : tab->remove);
    }

    void ClickFormButton() {
        answerYes_ = random_.bounded(2) == 0;
        ClickButton(kFormButtons[random_.bounded(static_cast<int>(std::size(kFormButtons)))]);
    }

    void Trigger(const char* action) {
        Log(action);
        w_.findChild<QAction*>(action)->trigger();
    }

    void HistoryKey() {
        QWidget* focus = QApplication::focusWidget();
        if (focus == nullptr) return;
        const bool undo = random_.bounded(2) == 0;
        Log(QString("%1 in %2").arg(undo ? "Ctrl+Z" : "Ctrl+Y", focus->objectName()));
        QTest::keyClick(focus, undo ? Qt::Key_Z : Qt::Key_Y, Qt::ControlModifier);
    }

    void AnswerModal() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible()) return;
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            for (const auto button : {answerYes_ ? QMessageBox::Yes : QMessageBox::No, QMessageBox::Discard,
                                      QMessageBox::Ok}) {
                if (QAbstractButton* answer = box->button(button)) {
                    log_ << "answer " + box->text().left(40) + ": " + answer->text();
                    answered_ = true;
                    answer->click();
                    return;
                }
            }
        }
        if (auto* import = qobject_cast<TfrmNcfImport*>(modal)) {
            auto* accept = import->findChild<QPushButton*>("cmdNcfImport");
            if (answerYes_ && accept->isEnabled()) {
                log_ << "answer import: Import";
                answered_ = true;
                accept->click();
                return;
            }
        }
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            answered_ = true;
            dialog->reject();
        }
    }

    // Saves as a new file: it loads again without an issue into the same model.
    bool SaveAndReload() {
        const QString path = TempPath(QString("random_%1.ldf").arg(seed_));
        Log("save as");
        AnswerFileDialog(w_, path);
        w_.mnuFileSaveAsClick();
        Settle();
        corvdekLINDefinitionFile reloaded;
        const std::string saved = FileBytes(path);
        std::filesystem::remove(path.toStdString());
        if (!reloaded.LoadFromBytes(saved)) return Fail("the saved file does not load");
        if (RenderLDF(reloaded) != RenderLDF(*w_.Document())) {
            return Fail("the saved file loads into another model: " +
                        FirstDifference(RenderLDF(*w_.Document()), RenderLDF(reloaded)));
        }
        saved_["save_" + std::to_string(action_)] = saved;
        return true;
    }

    // Opens a sample file, or starts a new document.
    void Reopen() {
        const int choice = static_cast<int>(random_.bounded(files_.size() + 1));
        if (choice == files_.size()) {
            Log("new");
            w_.mnuFileNewClick();
        } else {
            Log("open " + files_[choice]);
            w_.OpenPath(files_[choice]);
        }
        Settle();
        opened_ = Everything(w_);
    }

    // Undo of every step gives the opened document back, redo of as many the last one.
    bool CheckUndoAndRedoOfAll() {
        auto* stack = w_.findChild<QUndoStack*>();
        const bool complete = stack->count() < stack->undoLimit();
        const std::string last = Everything(w_);
        const int done = stack->index();
        Log("undo all, redo all");
        for (int guard = 0; stack->canUndo() && guard < 1000; ++guard) Trigger("mnuEditUndo");
        Settle();
        if (complete && Everything(w_) != opened_) {
            return Fail("undo of every step does not give the opened document: " + FirstDifference(opened_, Everything(w_)));
        }
        // Steps undone before stay undone: redo brings back as many as were done.
        for (int step = 0; step < done && stack->canRedo(); ++step) Trigger("mnuEditRedo");
        Settle();
        if (Everything(w_) != last) {
            return Fail("redo of every step does not give the last document: " + FirstDifference(last, Everything(w_)));
        }
        return true;
    }

    // Every object that changed was announced as changed by an edit, an undo or a redo.
    bool CheckOnlyAnnouncedObjectsChanged(const std::string& before) {
        const std::string after = Everything(w_);
        if (after == before) return true;
        corvdekLINDefinitionFile was;
        corvdekLINDefinitionFile is;
        was.LoadFromBytes(before);
        is.LoadFromBytes(after);
        for (const ObjectChange& object : CompareClusters(was, is)) {
            const bool covered = std::any_of(announced_.begin(), announced_.end(),
                                             [&](const DocumentChange& change) { return Covers(change, object); });
            if (!covered) {
                QStringList edits;
                for (const DocumentChange& change : announced_) edits << change.label + " " + change.object;
                return Fail(QString::fromStdString("an object changed that no edit named: " + ChangeLine(object)) +
                            " (edits: " + edits.join(", ") + ")");
            }
        }
        return true;
    }

    // The details shown are those of the selected row.
    bool CheckDetails() {
        const ListTab* tab = CurrentListTab();
        if (tab == nullptr || tab->nameField == nullptr) return true;
        auto* list = Find<QAbstractItemView>(&w_, tab->list);
        auto* name = Find<QLineEdit>(&w_, tab->nameField);
        const QModelIndex current = list->currentIndex();
        if (!name->isVisible() || !current.isValid() || !list->selectionModel()->isSelected(current)) return true;
        if (name->property("nameRefused").toBool()) return true;  // the field shows the refusal
        if (name->text().trimmed() != current.data().toString()) {
            return Fail(QString("%1 shows '%2', the selected row is '%3'")
                            .arg(tab->nameField, name->text(), current.data().toString()));
        }
        return true;
    }

    bool CheckSavedGrammar() {
        if (saved_.empty()) return true;
        const test_support::GrammarCheck check(saved_);
        if (!check.SkipReason().empty()) {
            std::printf("grammar not checked: %s\n", check.SkipReason().c_str());
            return true;
        }
        for (const auto& [name, text] : saved_) {
            if (const std::string failure = check.Failure(name); !failure.empty()) {
                return Fail(QString::fromStdString("a saved file breaks the grammar (" + name + "): " + failure));
            }
        }
        return true;
    }

    TfrmTabrel& w_;
    quint32 seed_;
    QRandomGenerator random_;
    bool quiet_;
    QStringList files_;
    QStringList ncfFiles_;
    QTimer answerer_;
    bool answerYes_ = true;
    bool answered_ = false;  // a question was answered since the last look
    int action_ = 0;
    std::string opened_;
    QStringList log_;
    std::map<std::string, std::string> saved_;
    std::vector<DocumentChange> announced_;  // by the action under way
};

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName("Tabrel");
    const IsolatedUserFolders folders;
    quint32 seed = QRandomGenerator::global()->generate() % 1000000;
    int actions = 300;
    bool quiet = false;
    const QStringList arguments = QApplication::arguments();
    for (int i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == "--seed" && i + 1 < arguments.size()) seed = arguments[++i].toUInt();
        if (arguments[i] == "--actions" && i + 1 < arguments.size()) actions = arguments[++i].toInt();
        if (arguments[i] == "--quiet") quiet = true;
    }
    std::printf("seed %u, %d actions\n", seed, actions);
    std::fflush(stdout);
    bool passed = false;
    {
        ShownWindow shown;
        RandomSession session(shown.window, seed, quiet);
        passed = session.Run(actions);
    }
    std::printf("%s\n", passed ? "passed" : "failed");
    return passed ? 0 : 1;
}
