// What an engineer does every day: Save to the current file, the modified marker, undo and
// redo of edits, opening from the command line, by a drop and from the recent files.

#include <QAction>
#include <QDropEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QListView>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QUrl>
#include <filesystem>

#include "editor_test_support.h"
#include "ldf_writer/ldf_writer.h"
#include "model/definition_file.h"

using namespace editor_test;

namespace {

const char* kBody =
    "LIN_protocol_version = \"2.1\"; LIN_language_version = \"2.1\"; LIN_speed = 19.2 kbps;"
    "Nodes { Master: BCM, 5 ms, 0.1 ms; Slaves: Left; }"
    "Signals { Lamp: 1, 0, BCM, Left; Pos: 8, 0, Left, BCM; }"
    "Frames { Cmd: 0x10, BCM, 1 { Lamp, 0; } State: 0x11, Left, 1 { Pos, 0; } }";

std::string Saved(const QString& path) {
    corvdekLINDefinitionFile document;
    if (!document.LoadFromFile(FromQString(path))) return "(does not load)";
    return RenderLDF(document);
}

void Trigger(TfrmTabrel& w, const char* action) { w.findChild<QAction*>(action)->trigger(); }

QString ActionText(TfrmTabrel& w, const char* action) { return w.findChild<QAction*>(action)->text(); }

// Types into a field as the keyboard does, so that the edit is observed like a user's.
void TypeKeys(TfrmTabrel& w, const char* field, const QString& text) {
    auto* edit = Find<QLineEdit>(&w, field);
    edit->setFocus();
    QTest::keyClicks(edit, text);
    QCoreApplication::processEvents();
}

void ClickButton(TfrmTabrel& w, const char* button) {
    QTest::mouseClick(Find<QPushButton>(&w, button), Qt::LeftButton);
    QCoreApplication::processEvents();
}

}  // namespace

class DailyUseTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { body_ = SampleFile("body.ldf", kBody); }
    void cleanup() {
        std::filesystem::remove(body_.toStdString());
        std::filesystem::remove(second_.toStdString());
    }

    void saveWritesTheCurrentFileAndTheMarkerFollowsTheEdits() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        OpenFile(w, body_);
        const auto caption = [](const QString& path) { return QFileInfo(path).completeBaseName() + "[*] - Kestova Tabrel"; };
        QCOMPARE(w.windowTitle(), caption(body_));
        QVERIFY(!w.isWindowModified());
        ShowTab(w, TfrmTabrel::kNodes);
        TypeKeys(w, "txtMasterName", "2");
        QVERIFY(w.isWindowModified());
        Trigger(w, "mnuFileSave");  // the opened file
        QVERIFY(!w.isWindowModified());
        QCOMPARE(w.statusBar()->currentMessage(), "Saved " + body_);
        QCOMPARE(Saved(body_).find("Master: BCM2,") != std::string::npos, true);

        second_ = TempPath("second.ldf");
        AnswerFileDialog(w, second_);
        Trigger(w, "mnuFileSaveAs");
        QCOMPARE(w.windowTitle(), caption(second_));
        TypeKeys(w, "txtMasterName", "3");
        Trigger(w, "mnuFileSave");  // now the file saved as
        QVERIFY(Saved(second_).find("Master: BCM23,") != std::string::npos);
        QVERIFY(Saved(body_).find("Master: BCM2,") != std::string::npos);

        // Undo back to the saved state takes the marker away again.
        TypeKeys(w, "txtMasterName", "4");
        QVERIFY(w.isWindowModified());
        Trigger(w, "mnuEditUndo");
        QVERIFY(!w.isWindowModified());
        QCOMPARE(ToQString(w.Document()->master.name), QString("BCM23"));
        QCOMPARE(w.findChild<QAction*>("mnuFileSave")->shortcut(), QKeySequence("Ctrl+S"));
    }

    void undoAndRedoRestoreTheDocumentAndWhatWasShown() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        OpenFile(w, body_);
        const std::string opened = RenderLDF(*w.Document());
        ShowTab(w, TfrmTabrel::kSignals);
        ClickRow(Find<QListView>(&w, "lstSignals"), "Lamp");
        TypeKeys(w, "txtSignalDescription", "Main");  // one burst of typing, one step
        QCOMPARE(ActionText(w, "mnuEditUndo"), QString("Undo Rename Signal"));
        const std::string renamed = RenderLDF(*w.Document());
        QVERIFY(renamed.find("LampMain, 0;") != std::string::npos);  // the frame follows

        ClickRow(Find<QListView>(&w, "lstSignals"), "Pos");
        AnswerMessage(QMessageBox::Yes);
        ClickButton(w, "cmdRemove");
        QCOMPARE(w.Document()->signals.GetCount(), 1);
        // Observed once the question's event loop has ended.
        QTRY_COMPARE(ActionText(w, "mnuEditUndo"), QString("Undo Remove Signal"));

        ShowTab(w, TfrmTabrel::kGeneral);
        Trigger(w, "mnuEditUndo");  // the removal
        QCOMPARE(RenderLDF(*w.Document()), renamed);
        QCOMPARE(Find<QTabBar>(&w, "tabsMain")->currentIndex(), int(TfrmTabrel::kSignals));
        QCOMPARE(Find<QLineEdit>(&w, "txtSignalDescription")->text(), QString("Pos"));
        Trigger(w, "mnuEditUndo");  // the rename
        QCOMPARE(RenderLDF(*w.Document()), opened);
        QCOMPARE(Find<QLineEdit>(&w, "txtSignalDescription")->text(), QString("Lamp"));
        QVERIFY(!w.isWindowModified());
        Trigger(w, "mnuEditRedo");
        Trigger(w, "mnuEditRedo");
        QCOMPARE(w.Document()->signals.GetCount(), 1);
        QCOMPARE(ToQString(w.Document()->signals.Get(0)->name), QString("LampMain"));

        AnswerMessage(QMessageBox::Discard);
        w.mnuFileNewClick();  // New clears the history
        QVERIFY(!w.findChild<QAction*>("mnuEditUndo")->isEnabled());
    }

    void filesOpenFromTheCommandLineADropAndTheRecentList() {
        {
            ShownWindow shown;
            TfrmTabrel& w = shown.window;
            QVERIFY(w.OpenPath(body_));  // what 'tabrel FILE' does
            QCOMPARE(w.Document()->frames.GetCount(), 2);
        }
        second_ = TempPath("dropped.ldf");
        std::filesystem::copy_file(body_.toStdString(), second_.toStdString());
        ShownWindow shown;  // a second start sees the first one's recent files
        TfrmTabrel& w = shown.window;
        QCOMPARE(TfrmTabrel::RecentFiles().value(0), body_);

        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(second_)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &drop);
        QCOMPARE(w.windowTitle(), QFileInfo(second_).completeBaseName() + "[*] - Kestova Tabrel");
        QCOMPARE(TfrmTabrel::RecentFiles().mid(0, 2), (QStringList{second_, body_}));
    }

private:
    QString body_;
    QString second_;
};

int RunDailyUseTests(int argc, char** argv) {
    DailyUseTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "daily_use_test.moc"
