#pragma once
// Helpers for driving the editor in tests: finding controls by name and answering the
// modal dialogs and message boxes that the window opens.

#include <QApplication>
#include <QDeadlineTimer>
#include <QAbstractButton>
#include <QFileDialog>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <QtTest>
#include <unistd.h>

#include <QComboBox>
#include <QListWidget>
#include <QTabBar>
#include <QTreeWidget>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>

#include "model/definition_file.h"
#include "qt_text.h"
#include "editor_session.h"
#include "tabrel_window.h"

namespace editor_test {

// Runs `answer` on the next modal window of type T once it is shown; gives up after a minute
// so that a dialog that never comes cannot answer a later test; one shown after the wait
// would wait for its answer for ever, so the wait is long.
template <typename T>
void WhenModal(std::function<void(T*)> answer) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    auto deadline = std::make_shared<QDeadlineTimer>(60000);
    QObject::connect(timer, &QTimer::timeout, [timer, answer, deadline] {
        auto* modal = qobject_cast<T*>(QApplication::activeModalWidget());
        if (deadline->hasExpired()) {
            timer->stop();
            timer->deleteLater();
            return;
        }
        if (modal == nullptr || !modal->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        answer(modal);
    });
    timer->start();
}

// Answers the next message box with `button`, remembering its title and text.
struct MessageAnswer {
    QString title;
    QString text;
    bool shown = false;
};

inline std::shared_ptr<MessageAnswer> AnswerMessage(QMessageBox::StandardButton button) {
    auto seen = std::make_shared<MessageAnswer>();
    WhenModal<QMessageBox>([seen, button](QMessageBox* box) {
        seen->title = box->windowTitle();
        seen->text = box->text();
        seen->shown = true;
        if (QAbstractButton* answer = box->button(button)) {
            answer->click();
        } else {
            qWarning("the message box \"%s\" has not the button asked for", qPrintable(box->text()));
            box->reject();
        }
    });
    return seen;
}

// Chooses `paths` in the window's next file dialog (cancels it when there are none) and
// keeps the dialog's filters.
inline std::shared_ptr<QStringList> AnswerFileDialog(TfrmTabrel& window, const QStringList& paths) {
    auto filters = std::make_shared<QStringList>();
    window.SetFileDialogRunner([paths, filters](QFileDialog& dialog) {
        *filters = dialog.nameFilters();
        return paths;
    });
    return filters;
}

inline std::shared_ptr<QStringList> AnswerFileDialog(TfrmTabrel& window, const QString& path) {
    return AnswerFileDialog(window, path.isEmpty() ? QStringList() : QStringList{path});
}

// A path in the temporary folder of this test process.
inline QString TempPath(const QString& name) {
    const std::string file = "tabrel_editor_" + std::to_string(::getpid()) + "_" + name.toStdString();
    return QString::fromStdString((std::filesystem::temp_directory_path() / file).string());
}

// Opens `path` through File > Open.
inline void OpenFile(TfrmTabrel& window, const QString& path) {
    AnswerFileDialog(window, path);
    window.mnuFileOpenClick();
}

template <typename T = QWidget>
T* Find(QWidget* window, const char* name) {
    T* widget = window->findChild<T*>(name);
    if (widget == nullptr) qFatal("no control named %s", name);
    return widget;
}

// Writes `text` into a temporary file and returns its path.
inline QString SampleFile(const QString& name, const char* text) {
    const QString path = TempPath(name);
    std::ofstream(path.toStdString()) << text;
    return path;
}

inline void ShowTab(TfrmTabrel& window, int tab) { Find<QTabBar>(&window, "tabsMain")->setCurrentIndex(tab); }

inline void ClickRow(QAbstractItemView* list, const QString& text) {
    const QModelIndexList found =
        list->model()->match(list->model()->index(0, 0), Qt::DisplayRole, text, 1, Qt::MatchExactly);
    QVERIFY(!found.isEmpty());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(found.first()).center());
}

// A user's double-click on `item` of `tree`: a click, then the press that makes it a double
// one, on the item's own column (a row is wider than a narrow tree shows).
inline void DoubleClickItem(QTreeWidget* tree, QTreeWidgetItem* item) {
    tree->scrollToItem(item);
    const QPoint at(tree->columnViewportPosition(0) + tree->columnWidth(0) / 2, tree->visualItemRect(item).center().y());
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
}

// Saves through Save As and loads the saved file again.
inline std::unique_ptr<corvdekLINDefinitionFile> SaveAndReload(TfrmTabrel& window) {
    const QString path = TempPath("saved.ldf");
    AnswerFileDialog(window, path);
    window.mnuFileSaveAsClick();
    auto reloaded = std::make_unique<corvdekLINDefinitionFile>();
    if (!reloaded->LoadFromFile(FromQString(path))) qFatal("the saved file does not load");
    std::filesystem::remove(path.toStdString());
    return reloaded;
}

template <typename Collection>
const auto& Named(const Collection& collection, const char* name) {
    for (int i = 0; i < collection.GetCount(); ++i) {
        if (ToQString(collection.Get(i)->name) == name) return *collection.Get(i);
    }
    qFatal("nothing named %s", name);
}

// The texts of a list's rows, of a list widget or a view over a model.
inline QStringList Rows(const QAbstractItemView* list) {
    QStringList rows;
    const QAbstractItemModel* model = list->model();
    for (int row = 0; row < model->rowCount(); ++row) rows << model->index(row, 0).data().toString();
    return rows;
}

// The text of a cell of a table view, such as an issue list.
inline QString CellText(const QAbstractItemView* view, int row, int column) {
    return view->model()->index(row, column).data().toString();
}

inline void SetCurrentRow(QAbstractItemView* list, int row) { list->setCurrentIndex(list->model()->index(row, 0)); }
inline int CurrentRow(const QAbstractItemView* list) { return list->currentIndex().row(); }
inline QString CurrentText(const QAbstractItemView* list) { return list->currentIndex().data().toString(); }

// Chooses row `index` of a drop-down list as a user would.
inline void Choose(QComboBox* box, int index) {
    box->setCurrentIndex(index);
    Q_EMIT box->activated(index);
    Q_EMIT box->textActivated(box->itemText(index));
}

// The dialogs of the window, and the tab and button a user opens each one with.
struct DialogPath {
    int tab;
    const char* button;
    const char* title;
};
inline constexpr DialogPath kDialogs[] = {{TfrmTabrel::kNodes, "cmdNodeAttributes", "Node Attributes"},
                                          {TfrmTabrel::kNodes, "cmdCompositeNodes", "Composite Nodes"},
                                          {TfrmTabrel::kGeneral, "cmdDiagnostics", "Diagnostic Frames"}};

// Opens `dialog` as a user does (for the first slave; diagnostic frames switched on where
// their button needs it) and runs `answer` on it once it is shown; `answer` closes it.
inline void OpenDialog(TfrmTabrel& window, const DialogPath& dialog, std::function<void(QDialog*)> answer) {
    ShowTab(window, dialog.tab);
    Find<QListWidget>(&window, "lstSlaveNodes")->setCurrentRow(0);
    WhenModal<QDialog>(std::move(answer));
    auto* button = Find<QAbstractButton>(&window, dialog.button);
    if (!button->isEnabled()) Find<QAbstractButton>(&window, "chkHasDiagnostics")->click();
    button->click();
}

// Settings and the recovery copy go to a folder of this run, never to the user's.
class IsolatedUserFolders {
public:
    IsolatedUserFolders() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder_.path() + "/config");
        EditorSession::SetRecoveryFolder(folder_.path() + "/cache");
    }

private:
    QTemporaryDir folder_;
};

// A shown main window with its document, torn down without questions.
inline std::string FileBytes(const QString& path) {
    std::ifstream file(path.toStdString(), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class ShownWindow {
public:
    ShownWindow() {
        QApplication::setApplicationName("Tabrel");
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
    ~ShownWindow() {
        // Discard edits: the unsaved-changes question is tested on its own.
        if (window.HasUnsavedChanges()) AnswerMessage(QMessageBox::Discard);
        window.close();
    }
    // Constructed after the application name is reset.
    TfrmTabrel window;
};

}  // namespace editor_test
