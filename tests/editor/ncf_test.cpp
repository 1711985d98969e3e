// Node capability files in the editor: File > Import Node Capability File... shows what the
// import would do before anything changes and makes it one step; the Nodes tab's
// Export NCF... writes the selected slave's file.

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QUndoStack>

#include "editor_test_support.h"
#include "model/definition_file.h"
#include "ncf/ncf_document.h"
#include "name_lists.h"
#include "ncf_import_dialog.h"
#include "qt_text.h"

using namespace editor_test;

namespace {

const QString kNcfFolder = QString(TABREL_CORPUS_DIR) + "/ncf/LIN";

// The internal lights cluster before its slaves' files came: its master only.
const char* const kMasterOnly =
    "LIN_description_file; LIN_protocol_version = \"2.2\"; LIN_language_version = \"2.2\"; LIN_speed = 19.2 kbps;\n"
    "Nodes { Master: CEM, 5 ms, 0.1 ms; }\n";

// A cluster whose frame LSM_Frm1 has another layout than LSM's file gives it.
const char* const kConflicting =
    "LIN_description_file; LIN_protocol_version = \"2.2\"; LIN_language_version = \"2.2\"; LIN_speed = 19.2 kbps;\n"
    "Nodes { Master: CEM, 5 ms, 0.1 ms; Slaves: Old; }\n"
    "Signals { Other: 8, 0, Old, CEM; }\n"
    "Frames { LSM_Frm1: 0x01, Old, 1 { Other, 0; } }\n";

// What the import dialog showed: each row as 'KIND: DETAILS', and whether Import could be
// clicked.
struct ImportShown {
    QStringList rows;
    bool importEnabled = false;
    bool shown = false;
};

// Reads the next import dialog, grabs it into `picture` when one is named, and answers it
// with a click on `button`.
std::shared_ptr<ImportShown> AnswerImport(const char* button, const QString& picture = {}) {
    auto seen = std::make_shared<ImportShown>();
    WhenModal<TfrmNcfImport>([seen, button, picture](TfrmNcfImport* dialog) {
        seen->shown = true;
        auto* rows = Find<QTreeWidget>(dialog, "lstNcfImport");
        for (int i = 0; i < rows->topLevelItemCount(); ++i) {
            seen->rows << rows->topLevelItem(i)->text(0) + ": " + rows->topLevelItem(i)->text(1);
        }
        seen->importEnabled = Find<QPushButton>(dialog, "cmdNcfImport")->isEnabled();
        if (!picture.isEmpty()) {
            QDir().mkpath(QFileInfo(picture).absolutePath());
            dialog->grab().save(picture);
        }
        auto* answer = Find<QPushButton>(dialog, button);
        if (answer->isEnabled()) {
            QTest::mouseClick(answer, Qt::LeftButton);
        } else {
            dialog->reject();
        }
    });
    return seen;
}

bool HasRowStarting(const QStringList& rows, const QString& start) {
    return std::any_of(rows.begin(), rows.end(), [&](const QString& row) { return row.startsWith(start); });
}

QStringList SlaveNames(TfrmTabrel& window) { return NameTexts(window.Document()->nodes); }

}  // namespace

class NcfTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The three files of the internal lights cluster, chosen at once in the real file
    // dialog, come in as one step: the dialog first shows the decisions and changes, Undo
    // takes the whole import back and Redo makes it again.
    void importOfSeveralFilesIsOneStep() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        OpenFile(w, SampleFile("master_only.ldf", kMasterOnly));
        WhenModal<QFileDialog>([](QFileDialog* dialog) {
            dialog->setDirectory(kNcfFolder);
            auto* name = Find<QLineEdit>(dialog, "fileNameEdit");
            QTest::qWait(100);  // the folder is read
            name->setFocus();
            QTest::keyClicks(name, "\"CEM.ncf\" \"LSM.ncf\" \"RSM.ncf\"");
            for (int tries = 0; tries < 5 && dialog->isVisible(); ++tries) {
                QTest::keyClick(name, Qt::Key_Return);
                if (dialog->isVisible()) QTest::qWait(50);
            }
            if (dialog->isVisible()) {
                qWarning("the file dialog did not take '%s'", qPrintable(name->text()));
                dialog->reject();  // the test fails, rather than waits for ever
            }
        });
        const auto seen = AnswerImport("cmdNcfImport", QString(TABREL_BINARY_DIR) + "/screenshots/dialog_Import_NCF.png");
        const int steps = w.Editor()->Stack()->count();
        w.mnuFileImportNcfClick();
        QVERIFY(seen->shown);
        QVERIFY(seen->importEnabled);
        QVERIFY2(HasRowStarting(seen->rows, "Decided: Node 'LSM': configured NAD"), qPrintable(seen->rows.join("\n")));
        QVERIFY2(HasRowStarting(seen->rows, "Change: "), qPrintable(seen->rows.join("\n")));
        QCOMPARE(SlaveNames(w), (QStringList{"LSM", "RSM"}));
        QCOMPARE(Find<QListWidget>(&w, "lstSlaveNodes")->count(), 2);  // the tabs show the import
        QCOMPARE(w.Editor()->Stack()->count(), steps + 1);
        QCOMPARE(w.Editor()->Stack()->undoText(), QString("Import Node Capability Files"));
        const int frames = w.Document()->frames.GetCount();
        QVERIFY(frames > 0);

        w.findChild<QAction*>("mnuEditUndo")->trigger();
        QCOMPARE(SlaveNames(w), QStringList());
        QCOMPARE(w.Document()->frames.GetCount(), 0);
        w.findChild<QAction*>("mnuEditRedo")->trigger();
        QCOMPARE(SlaveNames(w), (QStringList{"LSM", "RSM"}));
        QCOMPARE(w.Document()->frames.GetCount(), frames);
    }

    // Nothing changes before the user says Import: not when the dialog is cancelled, not when
    // the files conflict with the cluster (Import cannot be clicked then), not when a file
    // cannot be read (no dialog then, but why).
    void importChangesNothingUnlessAccepted() {
        const QString notNcf = SampleFile("not_an.ncf", "just some words\n");
        const struct {
            const char* name;
            const char* cluster;
            QStringList files;
            const char* button;
            bool dialog;
            bool importEnabled;
            const char* row;  // the start of a row the dialog shows
        } cases[] = {
            {"cancelled", kMasterOnly, {kNcfFolder + "/LSM.ncf"}, "cmdNcfImportCancel", true, true, "Decided: "},
            {"a conflict", kConflicting, {kNcfFolder + "/LSM.ncf"}, "cmdNcfImport", true, false,
             "Conflict: Frame 'LSM_Frm1' of node 'LSM'"},
            {"a file that is no NCF", kMasterOnly, {kNcfFolder + "/LSM.ncf", notNcf}, "cmdNcfImport", false, false, ""},
        };
        for (const auto& c : cases) {
            ShownWindow shown;
            TfrmTabrel& w = shown.window;
            OpenFile(w, SampleFile("import_base.ldf", c.cluster));
            const QStringList slaves = SlaveNames(w);
            AnswerFileDialog(w, c.files);
            const auto seen = c.dialog ? AnswerImport(c.button) : nullptr;
            const auto failure = c.dialog ? nullptr : AnswerMessage(QMessageBox::Ok);
            w.mnuFileImportNcfClick();
            if (c.dialog) {
                QVERIFY2(seen->shown, c.name);
                QVERIFY2(seen->importEnabled == c.importEnabled, c.name);
                QVERIFY2(HasRowStarting(seen->rows, c.row), qPrintable(QString(c.name) + ":\n" + seen->rows.join("\n")));
            } else {
                QVERIFY2(failure->shown && failure->text.contains(notNcf), c.name);
                QVERIFY2(failure->text.contains("not an NCF file"), qPrintable(failure->text));
            }
            QVERIFY2(SlaveNames(w) == slaves, c.name);
            QVERIFY2(!w.HasUnsavedChanges(), c.name);
        }
    }

    // Export NCF... writes the slave selected with a click, proposing its name; a file it
    // cannot write is reported.
    void exportWritesTheSelectedSlave() {
        const struct {
            const char* slave;  // clicked in the list
            const char* folder;  // a folder of the temporary one to write into; one that is missing fails
        } cases[] = {{"RSM", ""}, {"LSM", "missing_folder/"}};
        for (const auto& c : cases) {
            ShownWindow shown;
            TfrmTabrel& w = shown.window;
            OpenFile(w, QString(TABREL_CORPUS_DIR) + "/LIN/internal_lights.ldf");
            ShowTab(w, TfrmTabrel::kNodes);
            ClickRow(Find<QListWidget>(&w, "lstSlaveNodes"), c.slave);
            const QString path = TempPath(QString("%1export_%2.ncf").arg(c.folder, c.slave));
            auto proposed = std::make_shared<QString>();
            w.SetFileDialogRunner([path, proposed](QFileDialog& dialog) {
                *proposed = QFileInfo(dialog.selectedFiles().value(0)).fileName();
                return QStringList{path};
            });
            const bool fails = *c.folder != '\0';
            const auto failure = fails ? AnswerMessage(QMessageBox::Ok) : nullptr;
            QTest::mouseClick(Find<QPushButton>(&w, "cmdExportNcf"), Qt::LeftButton);
            QCOMPARE(*proposed, QString(c.slave) + ".ncf");
            if (fails) {
                QVERIFY2(failure->shown && failure->text.startsWith("Problem saving file\n" + path), c.slave);
                continue;
            }
            NcfDocument written;
            QVERIFY2(written.LoadFromFile(FromQString(path)), c.slave);
            QCOMPARE(ToQString(written.nodes.at(0).name), QString(c.slave));
            QVERIFY2(written.issues.empty(), c.slave);
            QVERIFY2(Find<QLabel>(&w, "lblResult")->text().startsWith("Exported with: "), c.slave);
            QFile::remove(path);
        }
    }
};

int RunNcfTests(int argc, char** argv) {
    NcfTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ncf_test.moc"
