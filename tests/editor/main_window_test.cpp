// The main window: start-up, File commands with their captions, issue lists, the timer,
// navigation from an issue, the LDF File tab, and the question about unsaved edits.

#include <QCheckBox>
#include <QFileInfo>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeView>
#include <sys/resource.h>
#include <csignal>
#include <filesystem>
#include <fstream>

#include "editor_test_support.h"
#include "ldf_writer/ldf_writer.h"
#include "model/definition_file.h"
#include "qt_text.h"

using namespace editor_test;
namespace fs = std::filesystem;

namespace {

const QString kSamples = TABREL_TEST_DATA_DIR;

int SetupRowWithSection(QTreeView* list, const QString& section) {
    for (int row = 0; row < list->model()->rowCount(); ++row) {
        if (CellText(list, row, 1) == section) return row;
    }
    return -1;
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startUpState() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        QCOMPARE(QApplication::applicationName(), QString("Tabrel"));
        QCOMPARE(Find<QLabel>(&w, "lblResult")->text(), QString("-"));
        QCOMPARE(Find<QTabBar>(&w, "tabsMain")->currentIndex(), 0);
        QCOMPARE(Find<QTabBar>(&w, "tabsMain")->count(), 8);
        QVERIFY(Find(&w, "pnlGeneral")->isVisible());
        QVERIFY(!Find(&w, "pnlNodes")->isVisible());
        auto* pages = Find<QTabWidget>(&w, "pageErrors");
        QCOMPARE(pages->tabText(pages->currentIndex()), QString("Current Setup Issues"));
        QCOMPARE(Find<QTreeView>(&w, "lstLDFIssues")->model()->rowCount(), 0);
        QCOMPARE(Find<QTreeView>(&w, "lstLDFIssues")->model()->headerData(2, Qt::Horizontal).toString(),
                 QString("Details"));
        auto* timer = w.findChild<QTimer*>("Timer1");
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 3000);
        QVERIFY(!Find(&w, "cmdGenerateMaster")->isVisible());
        QVERIFY(!Find(&w, "cmdGenerateCodeSlave")->isVisible());
        QCOMPARE(Find<QLabel>(&w, "lblBitRate")->text(), QString("Bit Time: "));
        QVERIFY(w.Document() != nullptr);
        QVERIFY(!w.HasUnsavedChanges());
    }

    void newAndOpenSetCaptions() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        ShowTab(w, TfrmTabrel::kLdfFile);  // it shows the file as read
        OpenFile(w, kSamples + "/lin21_door.ldf");
        QCOMPARE(w.windowTitle(), QString("lin21_door[*] - Kestova Tabrel"));
        QCOMPARE(QApplication::applicationName(), QString("lin21_door"));
        QCOMPARE(Find<QLineEdit>(&w, "txtMasterName")->text(), QString("DCM"));
        QCOMPARE(Find<QListWidget>(&w, "lstSlaveNodes")->count(), 3);
        QVERIFY(Find<QPlainTextEdit>(&w, "txtLDF")->toPlainText().startsWith("// Door cluster"));
        w.mnuFileNewClick();
        QCOMPARE(w.windowTitle(), QString("Kestova Tabrel[*]"));
        QCOMPARE(QApplication::applicationName(), QString("Kestova Tabrel"));
        QCOMPARE(Find<QListWidget>(&w, "lstSlaveNodes")->count(), 0);
        QVERIFY(Find<QPlainTextEdit>(&w, "txtLDF")->toPlainText().isEmpty());
    }

    void loadIssuesComeToTheFront() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        const QString withIssues = TempPath("issues.ldf");
        std::ofstream(withIssues.toStdString()) << "// a cluster\nNodes {\n  Master: M, 5 ms; }";
        OpenFile(w, withIssues);
        auto* pages = Find<QTabWidget>(&w, "pageErrors");
        QCOMPARE(pages->currentWidget()->objectName(), QString("lstLDFLoadIssues"));
        auto* loadIssues = Find<QTreeView>(&w, "lstLDFLoadIssues");
        QCOMPARE(loadIssues->model()->rowCount(), 1);
        QCOMPARE(CellText(loadIssues, 0, 0), QString("The LIN Master is specified incorrectly."));
        QCOMPARE(loadIssues->model()->headerData(1, Qt::Horizontal).toString(), QString("Line"));
        QCOMPARE(CellText(loadIssues, 0, 1), QString("3"));
        QVERIFY(!loadIssues->model()->index(0, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
        OpenFile(w, kSamples + "/lin20_seat.ldf");
        QCOMPARE(pages->currentWidget()->objectName(), QString("lstLDFIssues"));
        fs::remove(withIssues.toStdString());
    }

    // A file that cannot be loaded (a statement too long, a picture that is no LDF) leaves
    // the open document, its caption and its file as they were: a save goes to that file.
    void failedOpenKeepsTheDocumentAndSavesIt() {
        const QString tooLong = TempPath("long.ldf");
        std::ofstream(tooLong.toStdString()) << "Nodes { Slaves: " << std::string(70000, 'N') << "; }";
        const QString picture = TempPath("picture.png");
        const std::string pictureBytes("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\0\x10", 20);
        std::ofstream(picture.toStdString(), std::ios::binary) << pictureBytes;
        const struct {
            QString path;
            const char* why;
        } cases[] = {{tooLong, "65000"}, {picture, "not an LDF file"}};
        for (const auto& c : cases) {
            ShownWindow shown;
            TfrmTabrel& w = shown.window;
            const QString current = TempPath("current.ldf");
            fs::copy_file((kSamples + "/lin21_door.ldf").toStdString(), current.toStdString(),
                          fs::copy_options::overwrite_existing);
            OpenFile(w, current);
            const QString caption = w.windowTitle();
            const std::string before = RenderLDF(*w.Document());
            auto failure = AnswerMessage(QMessageBox::Ok);
            OpenFile(w, c.path);
            QVERIFY(failure->shown);
            QVERIFY2(failure->text.contains(c.path), qPrintable(failure->text));
            QVERIFY2(failure->text.contains(c.why), qPrintable(failure->text));
            QCOMPARE(Find<QLabel>(&w, "lblResult")->text(), QString("Problem loading LDF"));
            QCOMPARE(w.windowTitle(), caption);
            QCOMPARE(Find<QListWidget>(&w, "lstSlaveNodes")->count(), 3);
            QVERIFY(!w.HasUnsavedChanges());

            w.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&w));
            QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
            QCOMPARE(FileBytes(picture), pictureBytes);
            corvdekLINDefinitionFile reloaded;
            QVERIFY(reloaded.LoadFromFile(FromQString(current)));
            QCOMPARE(RenderLDF(reloaded), before);
            fs::remove(current.toStdString());
        }
        fs::remove(tooLong.toStdString());
        fs::remove(picture.toStdString());
    }

    void cancelledOpenChangesNothing() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        AnswerFileDialog(w, QString());
        w.mnuFileOpenClick();
        QCOMPARE(w.windowTitle(), QString("Kestova Tabrel 0.1"));
    }

    void timerTickFillsSetupIssues() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        w.Timer1Timer();
        auto* issues = Find<QTreeView>(&w, "lstLDFIssues");
        QCOMPARE(issues->model()->rowCount(), 7);  // an empty document breaks every general rule
        QCOMPARE(CellText(issues, 0, 0), QString("Unknown LIN Protocol version"));
        QCOMPARE(CellText(issues, 0, 1), QString("General-Protocol"));
        QCOMPARE(CellText(issues, 6, 2), QString("There must be at least one slave node."));

        // A tick with the same issues keeps the list and the row the user selected.
        SetCurrentRow(issues, 3);
        w.Timer1Timer();
        QCOMPARE(CurrentRow(issues), 3);
        Find<QLineEdit>(&w, "txtMasterName")->setText("M");
        w.Timer1Timer();
        QCOMPARE(issues->model()->rowCount(), 6);
    }

    void navigationFramesTheControlForTwoTicks() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        w.Timer1Timer();
        auto* issues = Find<QTreeView>(&w, "lstLDFIssues");
        auto* frame = Find<QFrame>(&w, "shapeNode");

        const int master = SetupRowWithSection(issues, "Nodes-Master");
        QVERIFY(master >= 0);
        SetCurrentRow(issues, master);
        w.lstLDFIssuesDblClick();
        QCOMPARE(Find<QTabBar>(&w, "tabsMain")->currentIndex(), int(TfrmTabrel::kNodes));
        QVERIFY(Find(&w, "pnlNodes")->isVisible());
        QVERIFY(frame->isVisible());
        auto* field = Find(&w, "txtMasterName");
        QCOMPARE(frame->geometry(), QRect(field->mapTo(frame->parentWidget(), QPoint(-2, -2)),
                                          field->size() + QSize(4, 4)));
        w.Timer1Timer();
        QVERIFY(frame->isVisible());
        w.Timer1Timer();
        QVERIFY(!frame->isVisible());

        SetCurrentRow(issues, SetupRowWithSection(issues, "General-LINBaudRate"));
        w.lstLDFIssuesDblClick();
        QCOMPARE(Find<QTabBar>(&w, "tabsMain")->currentIndex(), int(TfrmTabrel::kGeneral));
        QVERIFY(Find<QFrame>(&w, "shapeGeneral")->isVisible());

        issues->clearSelection();
        issues->setCurrentIndex(QModelIndex());
        Find<QTabBar>(&w, "tabsMain")->setCurrentIndex(TfrmTabrel::kAbout);
        w.lstLDFIssuesDblClick();  // no selected row: nothing happens
        QCOMPARE(Find<QTabBar>(&w, "tabsMain")->currentIndex(), int(TfrmTabrel::kAbout));
    }

    void ldfTabShowsTheWritersTextWithoutATemporaryFile() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        OpenFile(w, kSamples + "/lin22_climate.ldf");
        const fs::path programFolder = fs::path(QCoreApplication::applicationDirPath().toStdString());
        Find<QTabBar>(&w, "tabsMain")->setCurrentIndex(TfrmTabrel::kLdfFile);
        QVERIFY(Find(&w, "pnlLDF")->isVisible());
        const QString expected = DecodedLdfText(RenderLDF(*w.Document()));
        QCOMPARE(Find<QPlainTextEdit>(&w, "txtLDF")->toPlainText(), expected);
        QVERIFY(!fs::exists(programFolder / "temp.ldf"));
        Find<QLineEdit>(&w, "txtMasterName")->setText("Changed");
        Find<QTabBar>(&w, "tabsMain")->setCurrentIndex(TfrmTabrel::kAbout);
        Find<QTabBar>(&w, "tabsMain")->setCurrentIndex(TfrmTabrel::kLdfFile);
        QVERIFY(Find<QPlainTextEdit>(&w, "txtLDF")->toPlainText().contains("  Master: Changed, 10 ms"));
    }

    void aLargeTextArrivesInPartsAndANewTextDropsTheRest() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        ShowTab(w, TfrmTabrel::kLdfFile);
        std::string large = "// large\nNodes { Master: M, 5 ms, 0.1 ms; Slaves: S; }\nSignals {\n";
        for (int i = 0; i < 20000; ++i) large += "  Signal" + std::to_string(i) + ": 8, 0, M, S;\n";
        large += "}\n";
        const QString path = TempPath("large.ldf");
        std::ofstream(path.toStdString()) << large;
        auto* text = Find<QPlainTextEdit>(&w, "txtLDF");
        OpenFile(w, path);
        const QString all = QString::fromStdString(large);
        QVERIFY(text->toPlainText().size() < all.size());  // the first part at once
        QVERIFY(all.startsWith(text->toPlainText()));
        QTRY_COMPARE(text->toPlainText(), all);

        OpenFile(w, path);
        OpenFile(w, kSamples + "/lin21_door.ldf");  // before the parts of the first are due
        QTest::qWait(200);
        QVERIFY(text->toPlainText().startsWith("// Door cluster"));
        QVERIFY(!text->toPlainText().contains("Signal19999"));
        fs::remove(path.toStdString());
    }

    void ldfTextIsColouredWhereItIsShown() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        OpenFile(w, kSamples + "/lin22_climate.ldf");
        Find<QTabBar>(&w, "tabsMain")->setCurrentIndex(TfrmTabrel::kLdfFile);
        auto* text = Find<QPlainTextEdit>(&w, "txtLDF");
        QApplication::processEvents();
        auto formatsOf = [text](int line) { return text->document()->findBlockByNumber(line).layout()->formats(); };
        const auto first = formatsOf(0);  // "// Generated with ...": a comment over all
        QVERIFY(!first.isEmpty());
        QCOMPARE(first.last().start, 0);
        QCOMPARE(first.last().length, text->document()->firstBlock().length() - 1);
        QCOMPARE(first.last().format.foreground().color(), QColor(Qt::darkGreen));
        int last = text->document()->blockCount() - 1;
        while (!text->document()->findBlockByNumber(last).text().contains(';')) --last;
        QVERIFY(formatsOf(last).isEmpty());  // below the view: not yet
        text->verticalScrollBar()->setValue(text->verticalScrollBar()->maximum());
        QApplication::processEvents();
        QVERIFY(!formatsOf(last).isEmpty());
    }

    void saveAsStoresTheDocument() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        OpenFile(w, kSamples + "/lin13_lighting.ldf");
        Find<QLineEdit>(&w, "txtMasterName")->setText("BodyCM");
        QVERIFY(w.HasUnsavedChanges());
        const QString target = TempPath("saved.ldf");
        const auto filters = AnswerFileDialog(w, target);
        w.mnuFileSaveAsClick();
        QCOMPARE(*filters, QStringList{"LDF Files (*.ldf)"});
        QVERIFY(!w.HasUnsavedChanges());
        corvdekLINDefinitionFile reloaded;
        QVERIFY(reloaded.LoadFromFile(FromQString(target)));
        QCOMPARE(ToQString(reloaded.master.name), QString("BodyCM"));
        fs::remove(target.toStdString());
    }

    void saveNamesWhatItLeavesOut() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        Find<QLineEdit>(&w, "txtMasterName")->setText("CEM");  // no time base, no jitter
        const QString target = TempPath("partial.ldf");
        AnswerFileDialog(w, target);
        w.mnuFileSaveAsClick();
        const QString status = Find<QLabel>(&w, "lblResult")->text();
        QVERIFY(status.startsWith("Saved without: "));
        QVERIFY(status.contains("LIN_speed: the cluster has no speed."));
        QVERIFY(status.contains("Master 'CEM'"));
        fs::remove(target.toStdString());
    }

    void failedSaveIsReportedAndKeepsTheOldFile() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        w.Editor()->Apply({"Add Signal", DocumentPart::kSignals}, [](corvdekLINDefinitionFile& document) {
            for (int i = 0; i < 300; ++i) {
                corvdekLINSignal& signal = *document.signals.Add();
                signal.name = u"SignalWithALongName";
                signal.size = u"8";
                signal.initValue = u"0";
                signal.publisher = u"M";
            }
        });
        const QString target = TempPath("old.ldf");
        std::ofstream(target.toStdString()) << "old contents";

        rlimit saved{};
        ::getrlimit(RLIMIT_FSIZE, &saved);
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 1024;
        ::setrlimit(RLIMIT_FSIZE, &small);
        AnswerFileDialog(w, target);
        const auto message = AnswerMessage(QMessageBox::Ok);
        w.mnuFileSaveAsClick();
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);

        QVERIFY(message->shown);
        QCOMPARE(message->title, QString("Tabrel"));
        QCOMPARE(message->text, "Problem saving file\n" + target + "\nProblem writing file.");
        std::ifstream in(target.toStdString());
        std::string contents((std::istreambuf_iterator<char>(in)), {});
        QCOMPARE(QString::fromStdString(contents), QString("old contents"));
        QVERIFY(w.HasUnsavedChanges());
        fs::remove(target.toStdString());
    }

    void unsavedEditsAreAskedAbout() {
        // Cancel keeps the window and the edits.
        {
            ShownWindow shown;
            TfrmTabrel& w = shown.window;
            Find<QLineEdit>(&w, "txtMasterName")->setText("Edited");
            auto answer = AnswerMessage(QMessageBox::Cancel);
            w.mnuFileNewClick();
            QVERIFY(answer->shown);
            QCOMPARE(answer->title, QString("Tabrel"));
            QCOMPARE(answer->text, QString("Save changes to the current cluster?"));
            QCOMPARE(ToQString(w.Document()->master.name), QString("Edited"));
            AnswerMessage(QMessageBox::Cancel);
            QVERIFY(!w.close());
            QVERIFY(w.isVisible());
            // Discard goes on without saving.
            AnswerMessage(QMessageBox::Discard);
            w.mnuFileNewClick();
            QVERIFY(w.Document()->master.name.IsEmpty());
        }
        // Save saves first (through Save As for a new cluster); a cancelled save cancels
        // the command.
        {
            ShownWindow shown;
            TfrmTabrel& w = shown.window;
            Find<QLineEdit>(&w, "txtMasterName")->setText("Edited");
            AnswerMessage(QMessageBox::Save);
            AnswerFileDialog(w, QString());
            w.mnuFileNewClick();
            QCOMPARE(ToQString(w.Document()->master.name), QString("Edited"));

            // A master is saved with its time base and jitter.
            Find<QComboBox>(&w, "lstPeriod")->setCurrentText("5");
            Find<QComboBox>(&w, "lstJitter")->setCurrentText("0.5");
            const QString target = TempPath("yes.ldf");
            AnswerMessage(QMessageBox::Save);
            AnswerFileDialog(w, target);
            QVERIFY(w.close());
            corvdekLINDefinitionFile saved;
            QVERIFY(saved.LoadFromFile(FromQString(target)));
            QCOMPARE(ToQString(saved.master.name), QString("Edited"));
            fs::remove(target.toStdString());
        }
        // Without edits nothing is asked.
        {
            ShownWindow shown;
            QVERIFY(shown.window.close());
        }
    }
};


int RunMainWindowTests(int argc, char** argv) {
    MainWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "main_window_test.moc"
