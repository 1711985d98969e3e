// The window's layout as a user meets it: controls that stay where they are while texts
// change, every tab usable in a small window, issue captions that count, a time chart that
// selects what is clicked, and list tabs that show their first object.

#include <QAbstractScrollArea>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <functional>
#include <map>

#include "editor_test_support.h"
#include "model/definition_file.h"
#include "model/lin_entities.h"
#include "schedule_timeline_view.h"

using namespace editor_test;

namespace {

const char* kClimate = TABREL_TEST_DATA_DIR "/lin22_climate.ldf";

// Where each named, visible control of `panel` is, in window coordinates.
std::map<QString, QRect> Places(QWidget* panel) {
    std::map<QString, QRect> places;
    for (QWidget* control : panel->findChildren<QWidget*>()) {
        if (control->objectName().isEmpty() || !control->isVisibleTo(panel->window())) continue;
        places[control->objectName()] = QRect(control->mapTo(panel->window(), QPoint()), control->size());
    }
    return places;
}

// The entry kind list of the schedule form, chosen as a user does.
void ChooseEntryKind(TfrmTabrel& w, int kind) { Choose(Find<QComboBox>(&w, "lstScheduleFrameType"), kind); }

// Whether `control` can be brought into sight: it lies in the window, or in a pane that
// scrolls and itself lies in the window.
bool Reachable(QWidget* control, const QRect& window) {
    for (QWidget* parent = control->parentWidget(); parent != nullptr; parent = parent->parentWidget()) {
        if (auto* pane = qobject_cast<QAbstractScrollArea*>(parent)) return Reachable(pane, window);
    }
    return window.contains(QRect(control->mapTo(control->window(), QPoint()), control->size()));
}

}  // namespace

class LayoutTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // No control of the schedule form moves when a text beside it or the entry kind changes.
    void controlsStayWhereTheyAre() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        w.resize(800, 600);  // where room is short, a longer text would push its neighbours
        OpenFile(w, kClimate);
        ShowTab(w, TfrmTabrel::kScheduleTables);
        QWidget* panel = Find(&w, "pnlScheduleTable");
        auto* entries = Find<QTreeWidget>(&w, "lviewScheduleTableFrames");
        const struct {
            const char* name;
            std::function<void()> change;
        } cases[] = {
            {"the bus load text",
             [&] {
                 QTest::mouseClick(entries->viewport(), Qt::LeftButton, {},
                                   entries->visualItemRect(entries->topLevelItem(0)).center());
                 auto* time = Find<QLineEdit>(&w, "txtScheduleTableFrameTime");
                 time->setText("123.456");
                 QTest::mouseClick(Find<QPushButton>(&w, "cmdScheduleTableFrameChange"), Qt::LeftButton);
             }},
            {"AssignNAD's fields", [&] { ChooseEntryKind(w, corvdekLINScheduleTableItem::kAssignNAD); }},
            {"FreeFormat's bytes", [&] { ChooseEntryKind(w, corvdekLINScheduleTableItem::kFreeFormat); }},
            {"DataDump's values", [&] { ChooseEntryKind(w, corvdekLINScheduleTableItem::kDataDump); }},
            {"back to a frame", [&] { ChooseEntryKind(w, corvdekLINScheduleTableItem::kFrame); }},
        };
        for (const auto& c : cases) {
            QTest::qWait(20);
            const std::map<QString, QRect> before = Places(panel);
            const QString load = Find<QLabel>(&w, "lblScheduleBusLoad")->text();
            c.change();
            QTest::qWait(20);
            for (const auto& [name, place] : Places(panel)) {
                const auto was = before.find(name);
                if (was == before.end() || name == "lblScheduleBusLoad") continue;
                QVERIFY2(was->second == place, qPrintable(QString("%1 moved with %2").arg(name, c.name)));
            }
            if (QString(c.name) == "the bus load text") {
                QVERIFY(Find<QLabel>(&w, "lblScheduleBusLoad")->text() != load);
            }
        }
    }

    // At 800x600 every tab is in sight and every control of each tab can be reached.
    void everyTabIsUsableAt800x600() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        w.resize(800, 600);
        OpenFile(w, kClimate);
        QTest::qWait(20);
        auto* tabs = Find<QTabBar>(&w, "tabsMain");
        for (int tab = 0; tab < tabs->count(); ++tab) {
            QVERIFY2(tabs->rect().contains(tabs->tabRect(tab)), qPrintable(tabs->tabText(tab)));
        }
        for (int tab = 0; tab < TfrmTabrel::kLdfFile; ++tab) {
            ShowTab(w, tab);
            QTest::qWait(20);
            const QRect window = w.rect();
            for (QWidget* control : w.centralWidget()->findChildren<QWidget*>()) {
                if (control->objectName().isEmpty() || !control->isVisibleTo(&w)) continue;
                QVERIFY2(Reachable(control, window),
                         qPrintable(QString("%1 on tab %2").arg(control->objectName(), tabs->tabText(tab))));
            }
        }
        QVERIFY(Reachable(Find(&w, "lblResult"), w.rect()));
    }

    // A tab's details scroll down in a small window, never sideways: the frame picture moves
    // below the signals where it has no room beside them, and back where it has.
    void noTabScrollsSideways() {
        const struct {
            QSize window;
            bool pictureBeside;
        } sizes[] = {{{800, 600}, false}, {{1366, 768}, true}, {{1920, 1080}, true}};
        for (const auto& size : sizes) {
            ShownWindow shown;
            TfrmTabrel& w = shown.window;
            w.resize(size.window);
            OpenFile(w, kClimate);
            for (int tab = 0; tab < TfrmTabrel::kLdfFile; ++tab) {
                ShowTab(w, tab);
                QTest::qWait(20);
                for (auto* pane : w.centralWidget()->findChildren<QScrollArea*>()) {
                    if (!pane->isVisibleTo(&w)) continue;
                    QVERIFY2(pane->horizontalScrollBar()->maximum() == 0,
                             qPrintable(QString("tab %1 at %2 px").arg(tab).arg(size.window.width())));
                }
            }
            ShowTab(w, TfrmTabrel::kFrames);
            QTest::qWait(20);
            const QRect signalList = Find(&w, "lviewFrameSignals")->geometry();
            const QRect picture = Find(&w, "pnlFramePicture")->geometry();
            QCOMPARE(picture.left() > signalList.right(), size.pictureBeside);
        }
    }

    // The captions of the issue pages count the errors and warnings each page holds.
    void issueCaptionsCarryTheCounts() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        const QString file = SampleFile("faulty.ldf",
                                        "LIN_protocol_version = \"2.1\"; LIN_language_version = \"2.1\"; "
                                        "LIN_speed = 19.2 kbps; Nodes { Master: M, 5 ms, 0.1 ms; Slaves: S; } "
                                        "Signals { A: 8, 0, M, S; B: 99, 0, M, S; } Bogus_section { } "
                                        "Frames { F: 0x10, M, 2 { A, 0; } }");
        OpenFile(w, file);
        w.Timer1Timer();
        const auto counts = [](const corvStringArray& levels) {
            int errors = 0;
            for (int i = 0; i < levels.Count(); ++i) errors += levels.Item(i).ToInt() != 0 ? 1 : 0;
            return std::pair{errors, levels.Count() - errors};
        };
        const corvdekLINDefinitionFile& document = *w.Document();
        const struct {
            int page;
            const char* caption;
            std::pair<int, int> issues;
        } pages[] = {{0, "File Load Issues", counts(document.loadIssueLevels)},
                     {1, "Current Setup Issues", counts(document.setupIssueLevels)}};
        auto* tabs = Find<QTabWidget>(&w, "pageErrors");
        for (const auto& page : pages) {
            QVERIFY(page.issues.first + page.issues.second > 0);
            const auto plural = [](int count, const char* word) {
                return QString("%1 %2%3").arg(count).arg(word).arg(count == 1 ? "" : "s");
            };
            QCOMPARE(tabs->tabText(page.page), QString("%1 (%2, %3)")
                                                   .arg(page.caption, plural(page.issues.first, "error"),
                                                        plural(page.issues.second, "warning")));
        }
    }

    // A click on a slot of the time chart selects its entry; selecting an entry marks its slot.
    void aClickOnATimeChartSlotSelectsItsEntry() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        w.resize(1366, 768);
        OpenFile(w, kClimate);
        ShowTab(w, TfrmTabrel::kScheduleTables);
        auto* chart = Find<ScheduleTimelineView>(&w, "imgScheduleTimeline");
        auto* entries = Find<QTreeWidget>(&w, "lviewScheduleTableFrames");
        QVERIFY(entries->topLevelItemCount() > 3);
        for (int entry : {2, 0, 3}) {
            QTest::mouseClick(chart, Qt::LeftButton, {}, chart->SlotRect(entry).center());
            QCOMPARE(entries->indexOfTopLevelItem(entries->currentItem()), entry);
            QVERIFY(entries->currentItem()->isSelected());
            QCOMPARE(chart->Selected(), entry);
            QCOMPARE(Find<QComboBox>(&w, "lstScheduleTableFrames")->currentText(), entries->currentItem()->text(0));
        }
        QTest::mouseClick(entries->viewport(), Qt::LeftButton, {},
                          entries->visualItemRect(entries->topLevelItem(1)).center());
        QCOMPARE(chart->Selected(), 1);
    }

    // Each list tab shows the details of its first object as soon as it is shown.
    void everyListTabShowsItsFirstObject() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        OpenFile(w, kClimate);
        const struct {
            int tab;
            const char* list;
            const char* name;
        } tabs[] = {{TfrmTabrel::kSignals, "lstSignals", "txtSignalDescription"},
                    {TfrmTabrel::kFrames, "lstFrames", "txtFrameDescription"},
                    {TfrmTabrel::kScheduleTables, "lstScheduleTables", "txtScheduleTableDescription"},
                    {TfrmTabrel::kEncodings, "lstEncodings", "txtEncodingTypeDescription"}};
        for (const auto& tab : tabs) {
            auto* bar = Find<QTabBar>(&w, "tabsMain");
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab.tab).center());
            auto* name = Find<QLineEdit>(&w, tab.name);
            QVERIFY2(name->isVisible(), tab.list);
            QCOMPARE(name->text(), Rows(Find<QListView>(&w, tab.list)).value(0));
        }
    }

    // Escape closes every dialog, also while a field the user types in has the focus.
    void escapeClosesEveryDialog() {
        const std::map<QString, const char*> fields = {{"Node Attributes", "txtFunctionID"},
                                                       {"Composite Nodes", "txtFrameDescription"},
                                                       {"Diagnostic Frames", "tblDiagnosticSignals"}};
        for (const DialogPath& dialog : kDialogs) {
            ShownWindow shown;
            TfrmTabrel& w = shown.window;
            OpenFile(w, kClimate);
            auto closed = std::make_shared<bool>(false);
            OpenDialog(w, dialog, [field = fields.at(dialog.title), closed](QDialog* open) {
                QWidget* typedIn = Find(open, field);
                typedIn->setFocus();
                QTest::keyClick(typedIn, Qt::Key_Escape);
                *closed = !open->isVisible();
                open->reject();
            });
            QVERIFY2(*closed, dialog.title);
        }
    }
};

int RunLayoutTests(int argc, char** argv) {
    LayoutTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "layout_test.moc"
