// Faults users met at the keyboard and the mouse: renames that pass through a name in use,
// removals that left references behind, empty names, encodings typed by hand, and the
// length and time a new frame is given.

#include <QApplication>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTreeView>
#include <QTreeWidget>
#include <algorithm>
#include <functional>
#include <initializer_list>
#include <utility>
#include <memory>

#include "artwork.h"
#include "editor_test_support.h"
#include "ldf_writer/ldf_writer.h"
#include "model/definition_file.h"

using namespace editor_test;

namespace {

const char* kCluster =
    "LIN_protocol_version = \"2.1\"; LIN_language_version = \"2.1\"; LIN_speed = 19.2 kbps;\n"
    "Nodes { Master: BCM, 5 ms, 0.1 ms; Slaves: Left; }\n"
    "Signals { Sig_B: 8, 0, BCM, Left; Sig_C: 8, 0, BCM, Left; Pos: 8, 0, Left, BCM; }\n"
    "Frames { Cmd: 0x10, BCM, 2 { Sig_B, 0; Sig_C, 8; } State: 0x11, Left, 1 { Pos, 0; } }\n"
    "Node_attributes { Left { LIN_protocol = \"2.1\"; configured_NAD = 0x21; response_error = Pos;\n"
    "  configurable_frames { Cmd; State; } } }\n"
    "Schedule_tables { Main { Cmd delay 10 ms; AssignNAD { Left } delay 10 ms; State delay 10 ms; } }\n"
    "Signal_encoding_types { Enc1 { logical_value, 0, \"off\"; } Enc2 { logical_value, 1, \"on\"; } }\n"
    "Signal_representation { Enc1: Sig_B; }\n";

// Opens `text` as the user opens a file named on the command line.
void Open(TfrmTabrel& w, const char* text) { QVERIFY(w.OpenPath(SampleFile("faults.ldf", text))); }

// Clicks the tab `tab` of the main tab bar.
void ClickTab(TfrmTabrel& w, int tab) {
    auto* bar = Find<QTabBar>(&w, "tabsMain");
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
}

// Opens the test cluster and clicks `row` of the list `list` on tab `tab`.
void OpenAndSelect(TfrmTabrel& w, int tab, const char* list, const char* row) {
    Open(w, kCluster);
    ClickTab(w, tab);
    ClickRow(Find<QListView>(&w, list), row);
}

// Clicks into `field`, selects its text and types `text` as a user does: the window sees
// each key before the next.
void Retype(TfrmTabrel& w, const char* field, const QString& text) {
    auto* edit = Find<QLineEdit>(&w, field);
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty()) QTest::keyClick(edit, Qt::Key_Backspace);
    for (const QChar key : text) {
        QTest::keyClick(edit, key.toLatin1());
        QTest::qWait(0);
    }
}

// Whether `text` holds every piece of `present` and none of `absent`.
bool HasPieces(const std::string& text, std::initializer_list<const char*> present,
               std::initializer_list<const char*> absent = {}) {
    const auto has = [&text](const char* piece) { return text.find(piece) != std::string::npos; };
    return !text.empty() && std::all_of(present.begin(), present.end(), has) && std::none_of(absent.begin(), absent.end(), has);
}

void ClickButton(TfrmTabrel& w, const char* button) { QTest::mouseClick(Find<QPushButton>(&w, button), Qt::LeftButton); }

std::string Text(TfrmTabrel& w) { return RenderLDF(*w.Document()); }

// The written document, or nothing when it does not load again without an issue.
std::string ValidText(TfrmTabrel& w) {
    const std::string text = Text(w);
    corvdekLINDefinitionFile reloaded;
    if (reloaded.LoadFromBytes(text) && reloaded.loadIssueTypes.Count() == 0) return text;
    qWarning("%s", text.c_str());
    return {};
}

}  // namespace

class UserFaultsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Renaming Sig_B through "Sig_C" (the other signal's name) and on to "Sig_C2" keeps
    // Sig_B's place in the frame under each name it passes, and Sig_C's own entry.
    void aRenameThroughANameInUseKeepsItsReferences() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        OpenAndSelect(w, TfrmTabrel::kSignals, "lstSignals", "Sig_B");
        Retype(w, "txtSignalDescription", "Sig_C");
        ClickTab(w, TfrmTabrel::kFrames);
        ClickTab(w, TfrmTabrel::kSignals);
        Retype(w, "txtSignalDescription", "Sig_C2");
        const std::string text = ValidText(w);
        QVERIFY2(HasPieces(text, {"Sig_C2, 0;", "Sig_C, 8;", "Enc1: Sig_C2;"}, {"Sig_,"}), text.c_str());
    }

    // An entry chosen with the keyboard, then another clicked: the form shows the clicked
    // one, Change changes it alone, and the entry list stays where it was.
    void theScheduleEntryFormFollowsTheClickedRow() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        OpenAndSelect(w, TfrmTabrel::kScheduleTables, "lstScheduleTables", "Main");
        auto* entries = Find<QTreeWidget>(&w, "lviewScheduleTableFrames");
        const auto clickEntry = [entries](int row) {
            QTest::mouseClick(entries->viewport(), Qt::LeftButton, {},
                              entries->visualItemRect(entries->topLevelItem(row)).center());
        };
        clickEntry(0);
        const QPoint listPlace = entries->mapTo(&w, QPoint());
        QTest::keyClick(entries, Qt::Key_Down);  // the AssignNAD entry
        QVERIFY(Find(&w, "pnlScheduleAssignNAD")->isVisible());
        QCOMPARE(entries->mapTo(&w, QPoint()), listPlace);
        clickEntry(2);
        QCOMPARE(Find<QComboBox>(&w, "lstScheduleTableFrames")->currentText(), QString("State"));
        Retype(w, "txtScheduleTableFrameTime", "20");
        ClickButton(w, "cmdScheduleTableFrameChange");
        const std::string text = ValidText(w);
        QVERIFY2(HasPieces(text, {"State delay 20 ms;", "AssignNAD { Left } delay 10 ms;"}), text.c_str());
    }

    // A word typed key by key is one step. Ctrl+Z and Ctrl+Y in a text field take back and
    // bring back the document's steps, one after the other, wherever the focus lands.
    void typingBurstsAndHistoryKeys() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        OpenAndSelect(w, TfrmTabrel::kSignals, "lstSignals", "Pos");
        Retype(w, "txtSignalDescription", "Door");
        Retype(w, "txtSignalInitalValue", "7");
        const std::string edited = Text(w);
        const auto press = [](Qt::Key key) {
            for (int step = 0; step < 2; ++step) {
                QTest::keyClick(QApplication::focusWidget(), key, Qt::ControlModifier);
                QTest::qWait(0);
            }
        };
        press(Qt::Key_Z);
        QVERIFY2(HasPieces(Text(w), {"Pos: 8, 0, Left, BCM;"}), Text(w).c_str());
        QVERIFY(!w.findChild<QAction*>("mnuEditUndo")->isEnabled());
        press(Qt::Key_Y);
        QCOMPARE(Text(w), edited);
    }

    // The file dialogs start in the current file's folder; Save As and the header propose its
    // name, Open proposes none. A file opened through the real dialog records the typing
    // that follows it.
    void fileDialogsStartAtTheCurrentFile() {
        QTemporaryDir folder;
        const QString path = folder.filePath("body.ldf");
        QFile::copy(SampleFile("dialog.ldf", kCluster), path);
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        auto seen = std::make_shared<QStringList>();
        // Looks at the next file dialog and answers it by typing the name of `typed` in its
        // folder and Return. (A whole path typed key by key at times left the dialog open:
        // it reads every folder the text passes and completes the text as they come.)
        const auto answer = [seen](const QString& typed) {
            WhenModal<QFileDialog>([seen, typed](QFileDialog* dialog) {
                auto* name = Find<QLineEdit>(dialog, "fileNameEdit");
                *seen = {QDir(dialog->directory()).absolutePath(), name->text()};
                if (typed.isEmpty()) {
                    dialog->reject();
                    return;
                }
                dialog->setDirectory(QFileInfo(typed).absolutePath());
                name->setFocus();
                QTest::keyClicks(name, QFileInfo(typed).fileName());
                // A completion list that opens while the folder is read takes a Return, as
                // it does a user's, who then presses Return again.
                for (int tries = 0; tries < 5 && dialog->isVisible(); ++tries) {
                    QTest::keyClick(name, Qt::Key_Return);
                    if (dialog->isVisible()) QTest::qWait(50);
                }
            });
        };
        answer(path);
        w.mnuFileOpenClick();
        QCOMPARE(ToQString(w.Document()->master.name), QString("BCM"));
        const QString shownFolder = QDir(folder.path()).absolutePath();
        const struct {
            std::function<void()> command;
            QStringList expected;
        } cases[] = {
            {[&w] { w.mnuFileOpenClick(); }, {shownFolder, ""}},
            {[&w] { w.mnuFileSaveAsClick(); }, {shownFolder, "body.ldf"}},
        };
        for (const auto& each : cases) {
            answer(QString());
            each.command();
            QCOMPARE(*seen, each.expected);
        }
        ClickTab(w, TfrmTabrel::kSignals);
        ClickRow(Find<QListView>(&w, "lstSignals"), "Pos");
        Retype(w, "txtSignalDescription", "Door");
        QVERIFY(w.isWindowModified());
        QVERIFY(w.findChild<QAction*>("mnuEditUndo")->isEnabled());
    }

    // The status line says what holds for the document shown: a failed open or what a save
    // left out is not said of the next document.
    void statusMessagesEndWithTheirDocument() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        auto* status = Find<QLabel>(&w, "lblResult");
        const auto failed = AnswerMessage(QMessageBox::Ok);
        QVERIFY(!w.OpenPath(SampleFile("notes.ldf", "Shopping list: milk, bread.\n")));
        QCOMPARE(status->text(), QString("Problem loading LDF"));
        Open(w, kCluster);
        QCOMPARE(status->text(), QString("-"));
        w.Document()->speed = corvString();  // a save leaves LIN_speed out
        const QString saved = TempPath("status.ldf");
        AnswerFileDialog(w, saved);
        w.mnuFileSaveAsClick();
        QVERIFY(status->text().startsWith("Saved without: "));
        Open(w, kCluster);
        QCOMPARE(status->text(), QString("-"));
        QFile::remove(saved);
    }

    // An error of the setup check shows the error icon, a warning the warning icon.
    void issueIconsFollowTheLevel() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        std::string text = kCluster;
        text.replace(text.find("configured_NAD = 0x21"), 21, "configured_NAD = 0x00");  // an error
        text.replace(text.find("Pos: 8, 0, Left, BCM"), 20, "Pos: 8, 0, Nobody, BCM");  // a warning
        Open(w, text.c_str());
        w.Timer1Timer();
        const corvStringArray& levels = w.Document()->setupIssueLevels;  // "1" an error, "0" a warning
        QVERIFY(levels.Contains(corvString(u"1")) && levels.Contains(corvString(u"0")));
        const QAbstractItemModel* issues = Find<QTreeView>(&w, "lstLDFIssues")->model();
        for (int row = 0; row < levels.Count(); ++row) {
            const QIcon expected = levels.Item(row).Equals(corvString(u"1")) ? ErrorIcon() : WarningIcon();
            const QIcon shownIcon = issues->index(row, 0).data(Qt::DecorationRole).value<QIcon>();
            QCOMPARE(shownIcon.pixmap(16).toImage(), expected.pixmap(16).toImage());
        }
    }

    // Opening a file while a list is filtered shows the new file's objects (the filter was
    // once cleared against the document just closed).
    void openingWhileAListIsFilteredShowsTheNewFile() {
        for (const auto& [tab, filter] : {std::pair{int(TfrmTabrel::kFrames), "txtFilterFrame"},
                                          std::pair{int(TfrmTabrel::kSignals), "txtFilterSignal"}}) {
            ShownWindow shown;
            TfrmTabrel& w = shown.window;
            Open(w, kCluster);
            ClickTab(w, tab);
            QTest::keyClicks(Find<QLineEdit>(&w, filter), "S");
            Open(w, kCluster);
            QCOMPARE(Find<QLineEdit>(&w, filter)->text(), QString());
        }
    }

    // Removing an object that others name asks a question that names them, and yes removes
    // their entries with it: the saved file names nothing that is gone.
    void removingAnObjectNamesAndRemovesItsReferences() {
        const struct {
            int tab;
            const char* list;
            const char* row;
            const char* remove;
            QStringList holders;
            const char* gone;
        } cases[] = {
            {TfrmTabrel::kSignals, "lstSignals", "Pos", "cmdRemove", {"Frame State", "Node Left"}, "Pos"},
            {TfrmTabrel::kFrames, "lstFrames", "Cmd", "cmdFramesRemove", {"Schedule table Main", "Node Left"}, "Cmd"},
            {TfrmTabrel::kEncodings, "lstEncodings", "Enc1", "cmdEncodingsRemove", {"Signal Sig_B"}, "Enc1"},
        };
        for (const auto& each : cases) {
            ShownWindow shown;
            TfrmTabrel& w = shown.window;
            OpenAndSelect(w, each.tab, each.list, each.row);
            const auto question = AnswerMessage(QMessageBox::Yes);
            ClickButton(w, each.remove);
            QTRY_VERIFY(question->shown);
            for (const QString& holder : each.holders) QVERIFY2(question->text.contains(holder), qPrintable(question->text));
            const std::string text = ValidText(w);
            QVERIFY2(HasPieces(text, {}, {each.gone}), text.c_str());
        }
    }

    // Emptying a name leaves the object its last name; leaving the field shows it again.
    void anEmptyNameIsRefused() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        OpenAndSelect(w, TfrmTabrel::kSignals, "lstSignals", "Pos");
        Retype(w, "txtSignalDescription", "");
        auto* name = Find<QLineEdit>(&w, "txtSignalDescription");
        QVERIFY(name->property("nameRefused").toBool());
        QVERIFY(!name->toolTip().isEmpty());
        QVERIFY(HasPieces(ValidText(w), {"Pos: 8"}));
        QTest::mouseClick(Find<QWidget>(&w, "lstSignalSize"), Qt::LeftButton);
        QCOMPARE(name->text(), QString("Pos"));
        QVERIFY(!name->property("nameRefused").toBool());
    }

    // The encoding is chosen from the cluster's encodings, or none; it takes no typed name.
    void theEncodingIsChosenNotTyped() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        OpenAndSelect(w, TfrmTabrel::kSignals, "lstSignals", "Sig_C");
        auto* encoding = Find<QComboBox>(&w, "lstSignalRepresentation");
        QVERIFY(!encoding->isEditable());
        QCOMPARE(Rows(encoding->view()), (QStringList{"", "Enc1", "Enc2"}));
        QTest::mouseClick(encoding, Qt::LeftButton);
        QTest::keyClicks(encoding, "NoSuchEnc");
        QVERIFY(HasPieces(Text(w), {}, {"NoSuchEnc"}));
    }

    // A new frame's length is the bytes its signals need (a partly used byte counts); only
    // a LIN 1.3 cluster takes the length its identifier gives. The time shown is that of the
    // length.
    void aNewFrameGetsTheLengthOfItsVersion() {
        const struct {
            const char* version;
            int bits;
            const char* length;
            const char* time;
        } cases[] = {
            {"2.1", 8, "1", "2.813 ms"},   // 54 bit times at 19.2 kbit/s
            {"2.1", 9, "2", "3.333 ms"},   // 64 bit times
            {"1.3", 8, "2", "3.333 ms"},   // identifier 0x10: two bytes
        };
        for (const auto& each : cases) {
            ShownWindow shown;
            TfrmTabrel& w = shown.window;
            const QByteArray text = QString("LIN_protocol_version = \"%1\"; LIN_language_version = \"%1\";"
                                            "LIN_speed = 19.2 kbps; Nodes { Master: BCM, 5 ms, 0.1 ms; Slaves: Left; }"
                                            "Signals { S: %2, 0, BCM, Left; }")
                                        .arg(each.version)
                                        .arg(each.bits)
                                        .toLatin1();
            Open(w, text.constData());
            ClickTab(w, TfrmTabrel::kFrames);
            ClickButton(w, "cmdFramesAdd");
            auto* id = Find<QComboBox>(&w, "lstFrameID");
            Choose(id, id->findText("0x10"));
            Choose(Find<QComboBox>(&w, "lstFrameSignals"), 0);
            ClickButton(w, "cmdFrameSignalsAdd");
            QCOMPARE(Find<QComboBox>(&w, "lstFrameLength")->currentText(), QString(each.length));
            QCOMPARE(Find<QLabel>(&w, "lblFrameTime")->text(), QString(each.time));
            QCOMPARE(ToQString(w.Document()->frames.Get(0)->length), QString(each.length));
        }
    }
};

int RunUserFaultsTests(int argc, char** argv) {
    UserFaultsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "user_faults_test.moc"
