#pragma once
// Helpers for driving the editor in tests: finding controls by name and answering the
// modal dialogs and message boxes that the window opens.

#include <QApplication>
#include <QDeadlineTimer>
#include <QAbstractButton>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <QtTest>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "tabrel_window.h"

namespace editor_test {

// Runs `answer` on the next modal window of type T once it is shown; gives up after ten
// seconds so that a dialog that never comes cannot answer a later test.
template <typename T>
void WhenModal(std::function<void(T*)> answer) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    auto deadline = std::make_shared<QDeadlineTimer>(10000);
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
        box->button(button)->click();
    });
    return seen;
}

// Chooses `path` in the window's next file dialog (cancels it when `path` is empty) and
// keeps the dialog's filters.
inline std::shared_ptr<QStringList> AnswerFileDialog(TfrmTabrel& window, const QString& path) {
    auto filters = std::make_shared<QStringList>();
    window.SetFileDialogRunner([path, filters](QFileDialog& dialog) {
        *filters = dialog.nameFilters();
        return path;
    });
    return filters;
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

// A shown main window with its document, torn down without questions.
class ShownWindow {
public:
    ShownWindow() {
        QApplication::setApplicationName("Tabrel");
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
    ~ShownWindow() {
        // Discard edits: the unsaved-changes question is tested on its own.
        if (window.HasUnsavedChanges()) AnswerMessage(QMessageBox::No);
        window.close();
    }
    // Constructed after the application name is reset.
    TfrmTabrel window;
};

}  // namespace editor_test
