// What an engineer does every day: Save to the current file, the modified marker, undo and
// redo of edits, opening from the command line, by a drop and from the recent files; the
// pictures of a frame's bytes and of a schedule table.

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QDropEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QListView>
#include <QMimeData>
#include <QPushButton>
#include <QTreeWidget>
#include <QComboBox>
#include <QStatusBar>
#include <QTabBar>
#include <QUndoStack>
#include <QUrl>
#include <filesystem>
#include <functional>

#include "document_editor.h"
#include "editor_session.h"
#include "editor_test_support.h"
#include "frame_layout_view.h"
#include "schedule_timeline_view.h"
#include "ldf_writer/ldf_writer.h"
#include "model/definition_file.h"

using namespace editor_test;

namespace {

const char* kBody =
    "LIN_protocol_version = \"2.1\"; LIN_language_version = \"2.1\"; LIN_speed = 19.2 kbps;"
    "Nodes { Master: BCM, 5 ms, 0.1 ms; Slaves: Left; }"
    "Signals { Lamp: 1, 0, BCM, Left; Pos: 8, 0, Left, BCM; }"
    "Frames { Cmd: 0x10, BCM, 1 { Lamp, 0; } State: 0x11, Left, 1 { Pos, 0; } }"
    "Schedule_tables { Main { Cmd delay 10 ms; State delay 10 ms; } }";

std::string Saved(const QString& path) {
    corvdekLINDefinitionFile document;
    if (!document.LoadFromFile(FromQString(path))) return "(does not load)";
    return RenderLDF(document);
}

void Trigger(TfrmTabrel& w, const char* action) { w.findChild<QAction*>(action)->trigger(); }

QString ActionText(TfrmTabrel& w, const char* action) { return w.findChild<QAction*>(action)->text(); }

// Types into a field as the keyboard does.
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
        QCOMPARE(ActionText(w, "mnuEditUndo"), QString("Undo Remove Signal"));

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

        QCOMPARE(w.findChild<QUndoStack*>()->undoLimit(), 200);
        AnswerMessage(QMessageBox::Discard);
        w.mnuFileNewClick();  // New clears the history
        QVERIFY(!w.findChild<QAction*>("mnuEditUndo")->isEnabled());
    }

    // Adding, removing (also with the Delete key), clearing, moving and a check box: each
    // is one step that undo and redo take back and bring again exactly.
    void everyKindOfEditIsUndoneAndRedone() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        OpenFile(w, body_);
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        const auto click = [&w](const char* control) {
            QTest::mouseClick(Find<QAbstractButton>(&w, control), Qt::LeftButton);
        };
        const struct {
            const char* label;
            int tab;
            std::function<void()> edit;
        } edits[] = {
            {"Undo Add Signal", TfrmTabrel::kSignals, [&] { click("cmdAdd"); }},
            {"Undo Change Include Diagnostic Frames", TfrmTabrel::kGeneral, [&] { click("chkHasDiagnostics"); }},
            {"Undo Clear Frame Signals", TfrmTabrel::kFrames,
             [&] {
                 ClickRow(Find<QListView>(&w, "lstFrames"), "Cmd");
                 click("cmdFrameSignalsClear");
             }},
            {"Undo Move Schedule Entry Up", TfrmTabrel::kScheduleTables,
             [&] {
                 ClickRow(Find<QListView>(&w, "lstScheduleTables"), "Main");
                 auto* entries = Find<QTreeWidget>(&w, "lviewScheduleTableFrames");
                 entries->setCurrentItem(entries->topLevelItem(1));
                 click("cmdScheduleTableFrameUp");
             }},
            {"Undo Remove Frame", TfrmTabrel::kFrames,
             [&] {
                 auto* frames = Find<QListView>(&w, "lstFrames");
                 ClickRow(frames, "State");
                 frames->setFocus();
                 AnswerMessage(QMessageBox::Yes);
                 QTest::keyClick(frames, Qt::Key_Delete);
             }},
        };
        // Every value, also those of a new signal that a save cannot write yet.
        const auto everything = [&w] { return RenderLDF(*w.Document(), nullptr, LdfRendering::kEveryValue); };
        for (const auto& edit : edits) {
            ShowTab(w, edit.tab);
            QCoreApplication::processEvents();
            const std::string before = everything();
            edit.edit();
            QTRY_COMPARE(ActionText(w, "mnuEditUndo"), QString(edit.label));
            const std::string after = everything();
            QVERIFY2(after != before, edit.label);
            Trigger(w, "mnuEditUndo");
            QCOMPARE(everything(), before);
            Trigger(w, "mnuEditRedo");
            QVERIFY2(everything() == after, edit.label);
        }
    }

    // The Tab key walks the list column, then the details, each by rows from the top.
    void theTabKeyFollowsWhatIsSeen() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        OpenFile(w, body_);
        ShowTab(w, TfrmTabrel::kFrames);
        ClickRow(Find<QListView>(&w, "lstFrames"), "Cmd");
        QCoreApplication::processEvents();
        QWidget* details = Find(&w, "txtFrameDescription")->parentWidget();
        QStringList order;
        QPoint previous(-1, -1);
        for (QWidget* at = Find(&w, "txtFrameDescription"); details->isAncestorOf(at); at = at->nextInFocusChain()) {
            // The text field of a drop-down list comes with the list.
            if (!(at->focusPolicy() & Qt::TabFocus) || !at->isVisible() || qobject_cast<QComboBox*>(at->parentWidget())) {
                continue;
            }
            const QPoint position = at->mapTo(details, QPoint(0, 0));
            QVERIFY2(position.y() >= previous.y() - 8, qPrintable(at->objectName()));
            previous = position;
            order << at->objectName();
        }
        QCOMPARE(order.mid(0, 3), (QStringList{"txtFrameDescription", "lstFrameType", "lstFrameID"}));
        // Every control of the details is on the way, also those after a drop-down list,
        // whose pop-up is a window of its own.
        QStringList controls;
        for (QWidget* control : details->findChildren<QWidget*>()) {
            if (control->window() != &w || !(control->focusPolicy() & Qt::TabFocus) || !control->isVisible() ||
                control->focusProxy() != nullptr || qobject_cast<QComboBox*>(control->parentWidget()) != nullptr) {
                continue;
            }
            controls << control->objectName();
        }
        QCOMPARE(QSet<QString>(order.begin(), order.end()), QSet<QString>(controls.begin(), controls.end()));
        QWidget* afterList = Find(&w, "lstFrames")->nextInFocusChain();
        while (!(afterList->focusPolicy() & Qt::TabFocus) || !afterList->isVisible()) afterList = afterList->nextInFocusChain();
        QCOMPARE(afterList->objectName(), QString("txtFrameDescription"));  // the list column comes first
    }

    // Steps of a very large cluster are fewer, so that the history stays within 512 MB.
    void aLargeClusterKeepsFewerSteps() {
        corvdekLINDefinitionFile document;
        DocumentEditor editor(nullptr, [] { return ViewPlace{}; });
        editor.Bind(&document, std::size_t{8} << 20);
        QCOMPARE(editor.Stack()->undoLimit(), 64);
        editor.Bind(&document, std::size_t{2} << 20);
        QCOMPARE(editor.Stack()->undoLimit(), 200);
    }

    // Keystrokes into one field of one object join one step; anything else starts a new one,
    // and every step announces the object and field it changed, also when undone.
    void typingJoinsOneStepOfOneFieldOfOneObject() {
        corvdekLINDefinitionFile document;
        document.signals.Add();
        const int first = 0;  // what the keystrokes go into, by address
        const int second = 0;
        const auto keystroke = [](const void* object, const char* field) {
            return DocumentChange{"Edit Signal", DocumentPart::kSignals, "S", field, object};
        };
        const DocumentChange click{"Change Byte Array", DocumentPart::kSignals, "S", "ByteArray"};
        const struct {
            const char* name;
            DocumentChange next;
            bool savedBetween;
            int steps;
        } cases[] = {
            {"same field, same object", keystroke(&first, "Size"), false, 1},
            {"another field", keystroke(&first, "InitValue"), false, 2},
            {"another object", keystroke(&second, "Size"), false, 2},
            {"not a keystroke", click, false, 2},
            {"saved in between", keystroke(&first, "Size"), true, 2},
        };
        const auto size = [](const char16_t* bits) {
            return [bits](corvdekLINDefinitionFile& edited) { edited.signals.Get(0)->size = bits; };
        };
        for (const auto& c : cases) {
            DocumentEditor editor(nullptr, [] { return ViewPlace{}; });
            editor.Bind(&document, 0);
            QList<DocumentChange> announced;
            connect(&editor, &DocumentEditor::Changed, [&](const DocumentChange& change) { announced << change; });
            editor.Apply(keystroke(&first, "Size"), size(u"1"));
            if (c.savedBetween) editor.MarkSaved();
            editor.Apply(c.next, size(u"12"));
            QVERIFY2(editor.Stack()->count() == c.steps, c.name);
            while (editor.Stack()->canUndo()) editor.Stack()->undo();
            QVERIFY2(document.signals.Get(0)->size.IsEmpty(), c.name);
            QVERIFY2(announced.size() == 2 + c.steps && announced.back().field == "Size", c.name);
        }
    }

    // The fields bound to the document through a form: showing an object is no edit, a
    // change is one step of the object shown, and undo shows the value before it again.
    void formFieldsEditTheShownObjectAndShowItsUndo() {
        using Read = std::function<QString(const corvdekLINDefinitionFile&)>;
        const auto signal = [](const char* name, auto member) -> Read {
            return [name, member](const corvdekLINDefinitionFile& d) { return member(Named(d.signals, name)); };
        };
        const auto frame = [](const char* name, auto member) -> Read {
            return [name, member](const corvdekLINDefinitionFile& d) { return member(Named(d.frames, name)); };
        };
        const struct {
            const char* control;
            int tab;
            const char* list;  // the list of the tab's objects, if it has one
            const char* object;
            const char* typed;  // replaces the text; none: the control is clicked or chosen
            Read value;
            QString edited;
        } cases[] = {
            {"txtChannelName", TfrmTabrel::kGeneral, nullptr, nullptr, "Body",
             [](const corvdekLINDefinitionFile& d) { return ToQString(d.channelName); }, "Body"},
            {"lstLINSpeed", TfrmTabrel::kGeneral, nullptr, nullptr, "20",
             [](const corvdekLINDefinitionFile& d) { return ToQString(d.speed); }, "20"},
            {"lstSignalByteOrder", TfrmTabrel::kGeneral, nullptr, nullptr, nullptr,
             [](const corvdekLINDefinitionFile& d) { return ToQString(d.signalByteOrder); }, "little_endian"},
            {"chkHasDiagnostics", TfrmTabrel::kGeneral, nullptr, nullptr, nullptr,
             [](const corvdekLINDefinitionFile& d) { return QString::number(d.hasDiagnosticFrames); }, "1"},
            {"lstSignalSize", TfrmTabrel::kSignals, "lstSignals", "Pos", "12",
             signal("Pos", [](const corvdekLINSignal& s) { return ToQString(s.size); }), "12"},
            {"lstSignalSourceNode", TfrmTabrel::kSignals, "lstSignals", "Pos", "BCM",
             signal("Pos", [](const corvdekLINSignal& s) { return ToQString(s.publisher); }), "BCM"},
            {"chkSignalByteArray", TfrmTabrel::kSignals, "lstSignals", "Pos", nullptr,
             signal("Pos", [](const corvdekLINSignal& s) { return QString::number(s.isByteArray); }), "1"},
            {"lstFrameID", TfrmTabrel::kFrames, "lstFrames", "State", "0x12",
             frame("State", [](const corvdekLINFrame& f) { return ToQString(f.frameId); }), "0x12"},
            {"lstFrameSourceECU", TfrmTabrel::kFrames, "lstFrames", "State", "BCM",
             frame("State", [](const corvdekLINFrame& f) { return ToQString(f.publisher); }), "BCM"},
        };
        for (const auto& c : cases) {
            ShownWindow shown;
            TfrmTabrel& w = shown.window;
            OpenFile(w, body_);
            ShowTab(w, c.tab);
            if (c.list != nullptr) {
                ClickRow(Find<QListView>(&w, c.list), c.tab == TfrmTabrel::kFrames ? "Cmd" : "Lamp");  // another first
                ClickRow(Find<QListView>(&w, c.list), c.object);
            }
            auto* stack = w.findChild<QUndoStack*>();
            QVERIFY2(stack->count() == 0, c.control);
            const QString before = c.value(*w.Document());
            const std::string others = RenderLDF(*w.Document());
            QWidget* control = Find(&w, c.control);
            if (auto* box = qobject_cast<QCheckBox*>(control)) {
                QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
            } else if (c.typed == nullptr) {
                Choose(qobject_cast<QComboBox*>(control), 2);
            } else {
                control->setFocus();
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(QApplication::focusWidget(), c.typed);
            }
            QCoreApplication::processEvents();
            QVERIFY2(c.value(*w.Document()) == c.edited, c.control);
            QVERIFY2(stack->count() == 1, c.control);
            Trigger(w, "mnuEditUndo");
            QVERIFY2(c.value(*w.Document()) == before, c.control);
            QVERIFY2(RenderLDF(*w.Document()) == others, c.control);
            const QByteArray shownValue = control->metaObject()->userProperty().read(control).toString().toUtf8();
            const QByteArray expected = c.typed != nullptr ? before.toUtf8() : shownValue;
            QVERIFY2(shownValue == expected, c.control);
        }
    }

    // Showing the fields again (after an undo of another field) leaves the text of the
    // field being typed in, and its cursor, as they are.
    void anUndoKeepsTheCursorOfTheFieldBeingTypedIn() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        OpenFile(w, body_);
        auto* revision = Find<QLineEdit>(&w, "txtFileRevision");
        revision->setFocus();
        QTest::keyClicks(revision, "ABCD");
        auto* channel = Find<QLineEdit>(&w, "txtChannelName");
        channel->setFocus();
        QTest::keyClicks(channel, "X");
        revision->setFocus();
        revision->setCursorPosition(2);
        w.findChild<QUndoStack*>()->undo();  // the channel name
        QCOMPARE(channel->text(), QString());
        QCOMPARE(revision->text(), QString("ABCD"));
        QCOMPARE(revision->cursorPosition(), 2);
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
        QCOMPARE(EditorSession::RecentFiles().value(0), body_);

        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(second_)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &drop);
        QCOMPARE(w.windowTitle(), QFileInfo(second_).completeBaseName() + "[*] - Kestova Tabrel");
        QCOMPARE(EditorSession::RecentFiles().mid(0, 2), (QStringList{second_, body_}));

        // A recent file that is gone is named and leaves the list.
        std::filesystem::remove(second_.toStdString());
        auto* recent = w.findChild<QMenu*>("mnuFileOpenRecent");
        Q_EMIT recent->aboutToShow();
        const auto gone = AnswerMessage(QMessageBox::Ok);
        recent->actions().front()->trigger();
        QVERIFY(gone->text.contains(second_));
        QCOMPARE(EditorSession::RecentFiles().value(0), body_);
    }

    void aRecoveryCopyIsOfferedAtTheNextStartAndGoesWithASave() {
        EditorSession::SetRecoveryDelay(10);
        {
            ShownWindow crashed;
            TfrmTabrel& w = crashed.window;
            OpenFile(w, body_);
            ShowTab(w, TfrmTabrel::kNodes);
            TypeKeys(w, "txtMasterName", "X");
            QTRY_VERIFY(QFileInfo::exists(EditorSession::RecoveryPath()));
            QVERIFY(Saved(EditorSession::RecoveryPath()).find("Master: BCMX,") != std::string::npos);
            // What a crash leaves: the copy stays although this window goes.
            std::filesystem::copy_file(EditorSession::RecoveryPath().toStdString(), (body_ + ".kept").toStdString());
        }
        std::filesystem::rename((body_ + ".kept").toStdString(), EditorSession::RecoveryPath().toStdString());
        const auto offer = AnswerMessage(QMessageBox::Yes);
        ShownWindow next;
        TfrmTabrel& w = next.window;
        QTRY_VERIFY(offer->shown);
        QCOMPARE(ToQString(w.Document()->master.name), QString("BCMX"));
        QVERIFY(w.isWindowModified());
        second_ = TempPath("restored.ldf");
        AnswerFileDialog(w, second_);
        Trigger(w, "mnuFileSave");  // a restored cluster has no file yet: Save As
        QVERIFY(!QFileInfo::exists(EditorSession::RecoveryPath()));
        EditorSession::SetRecoveryDelay(30000);
    }

    // A gap, a byte array over two bytes and two signals that share bits.
    void theFramePictureShowsEachSignalsBits() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        const QString file = SampleFile("layout.ldf",
                                        "LIN_protocol_version = \"2.1\"; LIN_language_version = \"2.1\"; LIN_speed = 19.2 kbps;"
                                        "Nodes { Master: M, 5 ms, 0.1 ms; Slaves: S; }"
                                        "Signals { A: 4, 0, M, S; Arr: 16, {0, 0}, M, S; B: 4, 0, M, S; }"
                                        "Frames { F: 0x12, M, 3 { A, 0; Arr, 8; B, 2; } }"
                                        "Schedule_tables { T { F delay 10 ms; F delay 2 ms; } }");
        OpenFile(w, file);
        ShowTab(w, TfrmTabrel::kFrames);
        ClickRow(Find<QListView>(&w, "lstFrames"), "F");
        auto* picture = Find<FrameLayoutView>(&w, "imgFrameLayout");
        QCOMPARE(picture->Rows(), 3);
        QVERIFY(picture->BitRect(0).left() > picture->BitRect(7).left());  // bit 0 at the right
        QCOMPARE(picture->BlockRects(0), QList<QRect>{picture->BitRect(0).united(picture->BitRect(3))});
        QCOMPARE(picture->BlockRects(1), (QList<QRect>{picture->BitRect(8).united(picture->BitRect(15)),
                                                       picture->BitRect(16).united(picture->BitRect(23))}));
        for (int bit : {2, 3}) QVERIFY(picture->IsRedBit(bit));  // A and B
        for (int bit : {0, 4, 6, 7, 23}) QVERIFY(!picture->IsRedBit(bit));  // 6 and 7 are free
        QCOMPARE(picture->ToolTipOf(1), QString("Arr\nOffset 8, 16 bits"));
        QTest::mouseClick(picture, Qt::LeftButton, {}, picture->BitRect(9).center());
        QCOMPARE(Find<QTreeWidget>(&w, "lviewFrameSignals")->currentIndex().row(), 1);

        auto* length = Find<QComboBox>(&w, "lstFrameLength");
        length->textActivated(QString("2"));  // what choosing "2" does
        QVERIFY(picture->IsRedBit(16));       // beyond the frame now
        QCOMPARE(picture->Rows(), 3);

        ShowTab(w, TfrmTabrel::kScheduleTables);
        ClickRow(Find<QListView>(&w, "lstScheduleTables"), "T");
        auto* timeline = Find<ScheduleTimelineView>(&w, "imgScheduleTimeline");
        QCOMPARE(timeline->CycleMs(), 12.0);
        QVERIFY(!timeline->IsRed(0));
        QVERIFY(timeline->IsRed(1));  // 2 ms cannot hold the 3-byte frame
        QVERIFY(timeline->SlotRect(1).left() > timeline->SlotRect(0).right());
        // Each slot is as wide as its delay, beyond the least width of 4 pixels.
        QVERIFY(qAbs((timeline->SlotRect(0).width() - 4) - 5 * (timeline->SlotRect(1).width() - 4)) <= 5);
        QVERIFY(timeline->FrameRect(0).width() < timeline->SlotRect(0).width());
        std::filesystem::remove(file.toStdString());
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
