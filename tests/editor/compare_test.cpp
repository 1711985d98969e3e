// File > Compare With...: the differences from another revision as a tree that follows the
// edits, and a double-click that leads to the object.

#include <QAction>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTreeWidget>

#include "editor_test_support.h"

using namespace editor_test;

namespace {

const char* kThis =
    "LIN_protocol_version = \"2.1\"; LIN_language_version = \"2.1\"; LIN_speed = 19.2 kbps;\n"
    "Nodes { Master: BCM, 5 ms, 0.1 ms; Slaves: Left; }\n"
    "Signals { Sig_B: 8, 0, BCM, Left; Pos: 8, 0, Left, BCM; New_Sig: 1, 0, BCM, Left; }\n"
    "Frames { Cmd: 0x10, BCM, 2 { Sig_B, 0; New_Sig, 8; } State: 0x11, Left, 1 { Pos, 0; } }\n"
    "Schedule_tables { Main { Cmd delay 10 ms; State delay 10 ms; } Diag { State delay 5 ms; } }\n"
    "Signal_encoding_types { First { logical_value, 0, \"a\"; } Second { logical_value, 1, \"b\"; } }\n";

// The other revision: Sig_B started at 3, New_Sig was not there, Old_Sig was, State came later.
const char* kOther =
    "LIN_protocol_version = \"2.1\"; LIN_language_version = \"2.1\"; LIN_speed = 19.2 kbps;\n"
    "Nodes { Master: BCM, 5 ms, 0.1 ms; Slaves: Left; }\n"
    "Signals { Sig_B: 8, 3, BCM, Left; Pos: 8, 0, Left, BCM; Old_Sig: 2, 0, Left, BCM; }\n"
    "Frames { Cmd: 0x10, BCM, 2 { Sig_B, 0; } State: 0x11, Left, 1 { Pos, 0; } }\n"
    "Schedule_tables { Main { Cmd delay 10 ms; State delay 20 ms; } Diag { State delay 6 ms; } }\n"
    "Signal_encoding_types { First { logical_value, 0, \"a\"; } Second { logical_value, 1, \"c\"; } }\n";

// The rows of the tree, depth first, indented by level: "signal", "  ~ Sig_B", "    initial value|3|0".
QStringList TreeRows(QTreeWidget* tree) {
    QStringList rows;
    std::function<void(QTreeWidgetItem*, int)> walk = [&](QTreeWidgetItem* item, int depth) {
        QString row = QString(2 * depth, ' ') + item->text(0);
        if (!item->text(1).isEmpty()) row += "|" + item->text(1) + "|" + item->text(2);
        rows << row;
        for (int i = 0; i < item->childCount(); ++i) walk(item->child(i), depth + 1);
    };
    for (int i = 0; i < tree->topLevelItemCount(); ++i) walk(tree->topLevelItem(i), 0);
    return rows;
}

QTreeWidgetItem* RowNamed(QTreeWidget* tree, const QString& text) {
    const QList<QTreeWidgetItem*> found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

void CompareWith(TfrmTabrel& w, const QString& path) {
    AnswerFileDialog(w, path);
    Find<QAction>(&w, "mnuFileCompareWith")->trigger();
}

// Opens this revision and compares it with the other one.
void OpenAndCompare(TfrmTabrel& w) {
    QVERIFY(w.OpenPath(SampleFile("this.ldf", kThis)));
    CompareWith(w, SampleFile("other.ldf", kOther));
}

}  // namespace

class CompareTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aShowsTheDifferencesAsATree() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        OpenAndCompare(w);
        QVERIFY(Find<QDockWidget>(&w, "dockCompare")->isVisible());
        const QStringList expected = {"signal",
                                      "  ~ Sig_B",
                                      "    initial value|3|0",
                                      "  - Old_Sig",
                                      "  + New_Sig",
                                      "frame",
                                      "  ~ Cmd",
                                      "    signal New_Sig|(none)|8",
                                      "schedule table",
                                      "  ~ Main",
                                      "    entry 2|State delay 20 ms|State delay 10 ms",
                                      "  ~ Diag",
                                      "    entry 1|State delay 6 ms|State delay 5 ms",
                                      "encoding type",
                                      "  ~ Second",
                                      "    part 1|logical_value 1 \"c\"|logical_value 1 \"b\""};
        QCOMPARE(TreeRows(Find<QTreeWidget>(&w, "lstCompare")), expected);
        QCOMPARE(Find<QLabel>(&w, "lblCompareFile")->text(), QString("7 difference(s) from %1").arg(QFileInfo(TempPath("other.ldf")).fileName()));
        const QDir folder(QString(TABREL_BINARY_DIR) + "/screenshots");
        QVERIFY(folder.exists() || QDir().mkpath(folder.path()));
        QVERIFY(w.grab().save(folder.filePath("9_Compare.png")));
    }

    // Typing the other file's initial value into Sig_B takes its difference away at once.
    void bFollowsTheEdits() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        OpenAndCompare(w);
        auto* tree = Find<QTreeWidget>(&w, "lstCompare");
        Find<QTabBar>(&w, "tabsMain")->setCurrentIndex(TfrmTabrel::kSignals);
        ClickRow(Find<QListView>(&w, "lstSignals"), "Sig_B");
        auto* value = Find<QLineEdit>(&w, "txtSignalInitalValue");
        QTest::mouseClick(value, Qt::LeftButton);
        QTest::keyClick(value, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(value, '3');
        QTRY_VERIFY(RowNamed(tree, "~ Sig_B") == nullptr);
        QVERIFY(RowNamed(tree, "+ New_Sig") != nullptr);
        w.Document()->signals.Get(0);  // the document still holds the edit
        QCOMPARE(ToQString(w.Document()->signals.Get(0)->initValue), QString("3"));
    }

    // A double-click on an object or a schedule entry shows it in its tab; one that only the
    // other file has leads nowhere.
    void cDoubleClickLeadsToTheObject() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        OpenAndCompare(w);
        auto* tree = Find<QTreeWidget>(&w, "lstCompare");
        auto* tabs = Find<QTabBar>(&w, "tabsMain");
        // The details shown are the object's too: the list alone once moved to an encoding or a
        // table while the details kept showing the one before.
        const struct {
            const char* row;
            int tab;
            const char* list;
            const char* nameField;
            QString selected;
        } cases[] = {
            {"+ New_Sig", TfrmTabrel::kSignals, "lstSignals", "txtSignalDescription", "New_Sig"},
            {"~ Cmd", TfrmTabrel::kFrames, "lstFrames", "txtFrameDescription", "Cmd"},
            {"initial value", TfrmTabrel::kSignals, "lstSignals", "txtSignalDescription", "Sig_B"},
            {"~ Second", TfrmTabrel::kEncodings, "lstEncodings", "txtEncodingTypeDescription", "Second"},
            {"~ Diag", TfrmTabrel::kScheduleTables, "lstScheduleTables", "txtScheduleTableDescription", "Diag"},
        };
        for (const auto& c : cases) {
            QTreeWidgetItem* item = RowNamed(tree, c.row);
            QVERIFY2(item != nullptr, c.row);
            DoubleClickItem(tree, item);
            QCOMPARE(tabs->currentIndex(), c.tab);
            QCOMPARE(CurrentText(Find<QListView>(&w, c.list)), c.selected);
            QCOMPARE(Find<QLineEdit>(&w, c.nameField)->text(), c.selected);
        }
        tabs->setCurrentIndex(TfrmTabrel::kGeneral);
        DoubleClickItem(tree, RowNamed(tree, "- Old_Sig"));
        QCOMPARE(tabs->currentIndex(), int(TfrmTabrel::kGeneral));
    }

    void dAFileThatDoesNotLoadIsRefused() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        QVERIFY(w.OpenPath(SampleFile("this.ldf", kThis)));
        const auto answer = AnswerMessage(QMessageBox::Ok);
        CompareWith(w, SampleFile("picture.png", "\x89PNG\r\n\x1A\n not a cluster"));
        QVERIFY(answer->shown);
        QVERIFY(answer->text.startsWith("Problem loading"));
        QVERIFY(!Find<QDockWidget>(&w, "dockCompare")->isVisible());
    }
};

int RunCompareTests(int argc, char** argv) {
    CompareTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "compare_test.moc"
