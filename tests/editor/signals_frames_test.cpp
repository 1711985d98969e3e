// The Signals and Frames tabs.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>
#include <QTreeView>
#include <QTreeWidget>
#include <functional>

#include "editor_test_support.h"
#include "frame_layout_view.h"
#include "frame_values_view.h"
#include "frames_tab.h"
#include "signals_tab.h"
#include "ldf_writer/ldf_writer.h"
#include "model/definition_file.h"
#include "qt_text.h"

using namespace editor_test;

namespace {

void LoadInto(TfrmTabrel& window, const char* text) {
    QVERIFY(window.Document()->LoadFromBytes(text));
    window.RefreshAllTabs();
}


QLineEdit* InitialValue(QWidget* window, int k) {
    return Find<QLineEdit>(window, k == 1 ? "txtSignalInitalValue"
                                          : QString("txtSignalInitalValue%1").arg(k).toLatin1().constData());
}

int VisibleInitialValues(QWidget* window) {
    int visible = 0;
    for (int k = 1; k <= 8; ++k) visible += !InitialValue(window, k)->isHidden();
    return visible;
}

const char* kCluster =
    "LIN_speed = 19.2 kbps;"
    "Nodes { Master: CEM, 5 ms, 0.1 ms; Slaves: LSM, RSM; }"
    "Signals { DoorLeft: 8, 0, LSM, CEM; doorRight: 8, 0, RSM, CEM; Speed: 16, 0, CEM, LSM;"
    "  Serial: 16, {1, 2}, LSM, CEM; Motor.Speed: 4, 0, CEM, RSM; }"
    "Frames { Zeta: 0x10, CEM, 2 { Speed, 0; } Alpha: 0x11, LSM, 1 { DoorLeft, 0; } }"
    "Signal_encoding_types { Enc1 { logical_value, 0, \"off\"; } Enc2 { logical_value, 1, \"on\"; } }"
    "Signal_representation { Enc1: Speed, DoorLeft; }";

}  // namespace

class SignalsFramesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The Values view of a frame decodes its bytes and encodes what is typed, starting from the
    // initial values, and never changes the cluster. Worked by hand: Lamp (2 bits at 0, "on"
    // = 1) and the idle bits 2 to 7 give 0xFD; Level 10 at 0.5 % a step is 5 %.
    void theValuesViewIsAScratchPad() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        w.resize(1366, 768);
        OpenFile(w, SampleFile("values.ldf",
                               "LIN_protocol_version = \"2.1\"; LIN_language_version = \"2.1\"; LIN_speed = 19.2 kbps;"
                               "Nodes { Master: M, 5 ms, 0.1 ms; Slaves: S; }"
                               "Signals { Lamp: 2, 1, M, S; Level: 8, 10, M, S; }"
                               "Frames { Status: 0x10, M, 2 { Lamp, 0; Level, 8; } }"
                               "Signal_encoding_types { OnOff { logical_value, 0, \"off\"; logical_value, 1, \"on\"; }"
                               "  Percent { physical_value, 0, 200, 0.5, 0, \"%\"; } }"
                               "Signal_representation { OnOff: Lamp; Percent: Level; }"));
        ShowTab(w, TfrmTabrel::kFrames);
        const std::string cluster = RenderLDF(*w.Document());
        auto* bytes = Find<QLineEdit>(&w, "txtFrameBytes");
        auto* table = Find<QTableWidget>(&w, "tblFrameValues");
        auto* picture = Find<FrameLayoutView>(&w, "imgFrameLayout");
        auto* problem = Find<QLabel>(&w, "lblFrameValueProblem");
        const auto row = [&](int signal) {
            QStringList cells;
            for (int column = 1; column < 5; ++column) cells << table->item(signal, column)->text();
            return cells.join('|');
        };
        // A cell is edited as a user does: a double click, the text, Return.
        const auto typeInto = [&](int signal, int column, const QString& text) {
            QTableWidgetItem* cell = table->item(signal, column);
            table->scrollToItem(cell);
            const QPoint centre = table->visualItemRect(cell).center();
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, centre);
            QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, centre);
            QWidget* editor = QApplication::focusWidget();
            if (auto* choice = qobject_cast<QComboBox*>(editor)) {
                choice->setCurrentIndex(choice->findText(text));
            } else {
                QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(editor, text);
            }
            QTest::keyClick(editor, Qt::Key_Return);
            QTest::qWait(0);  // the view takes the text over once the event loop runs
        };
        const struct {
            const char* step;
            std::function<void()> action;
            const char* bytes;
            const char* lamp;
            const char* level;
            const char* problem;
        } steps[] = {
            {"the initial values", [] {}, "FD 0A", "0x1|||on", "0xA|5|%|", ""},
            {"a physical value", [&] { typeInto(1, FrameValuesView::kValue, "50 %"); }, "FD 64", "0x1|||on",
             "0x64|50|%|", ""},
            {"a logical text from the list", [&] { typeInto(0, FrameValuesView::kText, "off"); }, "FC 64",
             "0x0|||off", "0x64|50|%|", ""},
            {"typed bytes", [&] {
                 QTest::mouseClick(bytes, Qt::LeftButton);
                 QTest::keyClick(bytes, Qt::Key_A, Qt::ControlModifier);
                 QTest::keyClicks(bytes, "01 C8");
             }, "01 C8", "0x1|||on", "0xC8|100|%|", ""},
            {"a raw value keeps the idle bits as typed", [&] { typeInto(1, FrameValuesView::kRaw, "2"); }, "01 02",
             "0x1|||on", "0x2|1|%|", ""},
            {"a value beyond the encoding", [&] { typeInto(1, FrameValuesView::kValue, "150"); }, "01 02",
             "0x1|||on", "0x2|1|%|", "Level"},
            {"too few bytes", [&] {
                 QTest::keyClick(bytes, Qt::Key_A, Qt::ControlModifier);
                 QTest::keyClicks(bytes, "01");
             }, "01", "0x1|||on", "0x2|1|%|", "2 data bytes"},
        };
        for (const auto& step : steps) {
            step.action();
            QCOMPARE(bytes->text(), QString(step.bytes));
            QVERIFY2(row(0) == step.lamp, qPrintable(QString(step.step) + ": " + row(0)));
            QVERIFY2(row(1) == step.level, qPrintable(QString(step.step) + ": " + row(1)));
            QVERIFY2(problem->text().contains(step.problem) && problem->text().isEmpty() == (*step.problem == 0),
                     qPrintable(QString(step.step) + ": " + problem->text()));
            QCOMPARE(RenderLDF(*w.Document()), cluster);  // the cluster stays as it is
            QVERIFY(!w.HasUnsavedChanges());
        }
        // The picture shows the bits of the bytes last read: 01 02.
        for (const auto& [bit, value] : {std::pair{0, 1}, {1, 0}, {7, 0}, {8, 0}, {9, 1}}) {
            QCOMPARE(picture->BitValue(bit), value);
        }
    }

    void signalListIsSortedAndFiltered() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        LoadInto(w, kCluster);
        auto* list = Find<QListView>(&w, "lstSignals");
        auto* filter = Find<QLineEdit>(&w, "txtFilterSignal");
        auto* count = Find<QLabel>(&w, "lblSignalCount");
        QCOMPARE(Rows(list), (QStringList{"DoorLeft", "doorRight", "Motor.Speed", "Serial", "Speed"}));
        QCOMPARE(count->text(), QString("Signal Count 5"));
        filter->setText("door");
        QCOMPARE(Rows(list), (QStringList{"DoorLeft", "doorRight"}));
        filter->setText("d*");
        QCOMPARE(Rows(list), (QStringList{"DoorLeft", "doorRight"}));
        filter->setText("motor?speed");  // a question mark never matches a full stop
        QVERIFY(Rows(list).isEmpty());
        QCOMPARE(count->text(), QString("Signal Count 0"));
        filter->setText("*speed");
        QCOMPARE(Rows(list), (QStringList{"Motor.Speed", "Speed"}));
    }

    void selectionFollowsTheSignalThroughRenamesAndFilters() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        LoadInto(w, kCluster);
        ShowTab(w, TfrmTabrel::kSignals);
        auto* list = Find<QListView>(&w, "lstSignals");
        SetCurrentRow(list, 4);  // Speed, third in the collection
        Find<SignalsTab>(&w, "pnlSignals")->lstSignalsClick();
        auto* name = Find<QLineEdit>(&w, "txtSignalDescription");
        QCOMPARE(name->text(), QString("Speed"));
        name->setText("AAA_Speed");
        QCOMPARE(CurrentText(list), QString("AAA_Speed"));
        QCOMPARE(CurrentRow(list), 0);  // re-sorted, still the same signal
        QCOMPARE(ToQString(w.Document()->signals.Get(2)->name), QString("AAA_Speed"));

        // Filtered out: the first listed item is selected and shown.
        Find<QLineEdit>(&w, "txtFilterSignal")->setText("door");
        QCOMPARE(CurrentText(list), QString("DoorLeft"));
        QCOMPARE(name->text(), QString("DoorLeft"));
        Find<QLineEdit>(&w, "txtFilterSignal")->setText("nothing*");
        QVERIFY(!Find(&w, "pnlSignalDetails")->isVisible());
    }

    void newSignalsAreNumberedByTheCount() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        auto* add = Find<QPushButton>(&w, "cmdAdd");
        Find<QLineEdit>(&w, "txtFilterSignal")->setText("nothing");
        for (int i = 0; i < 4; ++i) add->click();
        QVERIFY(Find<QLineEdit>(&w, "txtFilterSignal")->text().isEmpty());
        auto* list = Find<QListView>(&w, "lstSignals");
        QCOMPARE(Rows(list), (QStringList{"NewSignal1", "NewSignal2", "NewSignal3", "NewSignal4"}));
        QCOMPARE(CurrentText(list), QString("NewSignal4"));
        SetCurrentRow(list, 1);
        auto answer = AnswerMessage(QMessageBox::Yes);
        Find<QPushButton>(&w, "cmdRemove")->click();
        QCOMPARE(answer->text, QString("Are you sure you want to remove this signal?"));
        add->click();
        QCOMPARE(Rows(list), (QStringList{"NewSignal1", "NewSignal3", "NewSignal4", "NewSignal4"}));
    }

    void byteArrayFieldsFollowTheSize() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        LoadInto(w, kCluster);
        ShowTab(w, TfrmTabrel::kSignals);
        SelectAndShow(w, "Serial");
        QCOMPARE(VisibleInitialValues(&w), 2);
        QCOMPARE(InitialValue(&w, 2)->text(), QString("2"));
        InitialValue(&w, 2)->clear();
        const corvdekLINSignal& serial = *w.Document()->signals.Get(3);
        QCOMPARE(serial.initValues.Count(), 2);
        QCOMPARE(ToQString(serial.initValues.Item(1)), QString("0"));
        Find<QComboBox>(&w, "lstSignalSize")->setCurrentText("64");
        QCOMPARE(VisibleInitialValues(&w), 8);
        Find<QComboBox>(&w, "lstSignalSize")->setCurrentText("8");
        QCOMPARE(VisibleInitialValues(&w), 1);
        Find<QComboBox>(&w, "lstSignalSize")->setCurrentText("16");
        QTest::mouseClick(Find<QCheckBox>(&w, "chkSignalByteArray"), Qt::LeftButton);
        QVERIFY(!serial.isByteArray);
        QCOMPARE(VisibleInitialValues(&w), 1);
        InitialValue(&w, 1)->setText(" 5 ");
        QCOMPARE(ToQString(serial.initValue), QString(" 5 "));  // scalar values as typed
    }

    void receiverNodesAreEdited() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        LoadInto(w, kCluster);
        ShowTab(w, TfrmTabrel::kSignals);
        SelectAndShow(w, "Speed");
        const corvdekLINSignal& speed = *w.Document()->signals.Get(2);
        auto* choice = Find<QComboBox>(&w, "lstSignalRxNodesAdd");
        QCOMPARE(choice->count(), 3);  // the master and the two slaves
        choice->setCurrentText("RSM");
        Find<QPushButton>(&w, "cmdSignalAddRxNode")->click();
        QVERIFY(choice->currentText().isEmpty());
        choice->setCurrentText("  ");
        Find<QPushButton>(&w, "cmdSignalAddRxNode")->click();
        QCOMPARE(Names(speed.subscribers), (QStringList{"LSM", "RSM"}));
        auto* receivers = Find<QListWidget>(&w, "lstSignalRxNodes");
        receivers->setCurrentRow(0);
        auto answer = AnswerMessage(QMessageBox::Yes);
        Find<QPushButton>(&w, "cmdSignalRxNodesRemove")->click();
        QCOMPARE(answer->text, QString("Are you sure you want to remove this node?"));
        QCOMPARE(Names(speed.subscribers), (QStringList{"RSM"}));
        Find<QPushButton>(&w, "cmdSignalRxNodesClear")->click();
        QCOMPARE(speed.subscribers.Count(), 0);
        Find<QComboBox>(&w, "lstSignalSourceNode")->setCurrentText("RSM");
        QCOMPARE(ToQString(speed.publisher), QString("RSM"));
    }

    void chosenEncodingSurvivesSaveAndReload() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        LoadInto(w, kCluster);
        ShowTab(w, TfrmTabrel::kSignals);
        SelectAndShow(w, "Speed");
        auto* encoding = Find<QComboBox>(&w, "lstSignalRepresentation");
        QCOMPARE(encoding->currentText(), QString("Enc1"));
        encoding->setCurrentIndex(2);  // Enc2, after none
        SelectAndShow(w, "doorRight");
        encoding->setCurrentText("Enc1");

        corvdekLINDefinitionFile reloaded;
        QVERIFY(reloaded.LoadFromBytes(RenderLDF(*w.Document())));
        QCOMPARE(ToQString(reloaded.signals.Get(2)->encoding), QString("Enc2"));
        QCOMPARE(ToQString(reloaded.signals.Get(1)->encoding), QString("Enc1"));
        QCOMPARE(ToQString(reloaded.signals.Get(0)->encoding), QString("Enc1"));
        QVERIFY(reloaded.signals.Get(3)->encoding.IsEmpty());
    }

    void frameTimeTexts() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        LoadInto(w, "LIN_speed = 19.2 kbps; Signals { A: 5, 0, M; B: 8, 0, M; C: 16, 0, M; }"
                    "Frames { F1: 1, M {} F2: 2, M { A, 8; } F3: 3, M { B, 8; } F4: 4, M { C, 48; } }");
        ShowTab(w, TfrmTabrel::kFrames);
        auto* time = Find<QLabel>(&w, "lblFrameTime");
        const std::pair<const char*, const char*> cases[] = {
            {"F1", "2.292 ms"}, {"F2", "3.333 ms"}, {"F3", "3.333 ms"}, {"F4", "6.458 ms"}};
        for (const auto& [frame, text] : cases) {
            Find<FramesTab>(&w, "pnlFrames")->SelectFrameByName(frame);
            QCOMPARE(time->text(), QString(text));
        }
        Find<QComboBox>(&w, "lstLINSpeed")->setCurrentText("9.6");
        Find<FramesTab>(&w, "pnlFrames")->SelectFrameByName("F4");
        QCOMPARE(time->text(), QString("12.917 ms"));
    }

    void frameSignalsAreSortedByOffset() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        LoadInto(w, "LIN_speed = 19.2 kbps; Signals { A: 8, 0, M; B: 8, 0, M; C: 8, 0, M; }"
                    "Frames { F: 1, M {} }");
        ShowTab(w, TfrmTabrel::kFrames);
        Find<FramesTab>(&w, "pnlFrames")->SelectFrameByName("F");
        auto* signalChoice = Find<QComboBox>(&w, "lstFrameSignals");
        auto* offset = Find<QLineEdit>(&w, "txtFrameSignalOffset");
        for (const auto& [name, bits] : {std::pair{"C", "16"}, {"A", "0"}, {"B", "8"}}) {
            signalChoice->setCurrentText(name);
            offset->setText(bits);
            Find<QPushButton>(&w, "cmdFrameSignalsAdd")->click();
        }
        auto* view = Find<QTreeWidget>(&w, "lviewFrameSignals");
        QCOMPARE(view->topLevelItemCount(), 3);
        QCOMPARE(view->topLevelItem(0)->text(0) + view->topLevelItem(1)->text(0) + view->topLevelItem(2)->text(0),
                 QString("ABC"));
        QCOMPARE(ToQString(w.Document()->frames.Get(0)->signalOffsets.Item(2)), QString("16"));
        auto* time = Find<QLabel>(&w, "lblFrameTime");
        QCOMPARE(time->text(), QString("3.854 ms"));  // three bytes: 74 bit times
        view->setCurrentItem(view->topLevelItem(2));
        auto answer = AnswerMessage(QMessageBox::Yes);
        Find<QPushButton>(&w, "cmdFrameSignalsRemove")->click();
        QCOMPARE(answer->text, QString("Are you sure you want to remove this frame signal?"));
        QCOMPARE(view->topLevelItemCount(), 2);
        QCOMPARE(time->text(), QString("3.854 ms"));  // not recomputed until shown again
        signalChoice->setCurrentText(QString());
        Find<QPushButton>(&w, "cmdFrameSignalsAdd")->click();  // an empty name has no signal
        QVERIFY(time->text().isEmpty());
    }

    void framesAreAddedRemovedAndEdited() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        Find<QPushButton>(&w, "cmdFramesAdd")->click();
        Find<QPushButton>(&w, "cmdFramesAdd")->click();
        QCOMPARE(Rows(Find<QListView>(&w, "lstFrames")), (QStringList{"NewFrame1", "NewFrame2"}));
        QCOMPARE(Find<QLabel>(&w, "lblFrameCount")->text(), QString("Frame Count 2"));
        Find<QComboBox>(&w, "lstFrameID")->setCurrentText("42");
        Find<QComboBox>(&w, "lstFrameSourceECU")->setCurrentText("CEM");
        const corvdekLINFrame& frame = *w.Document()->frames.Get(1);
        QCOMPARE(ToQString(frame.frameId), QString("42"));
        QCOMPARE(ToQString(frame.publisher), QString("CEM"));
        QCOMPARE(Find<QComboBox>(&w, "lstFrameID")->count(), 64);
        QCOMPARE(Find<QComboBox>(&w, "lstFrameID")->itemText(63), QString("0x3F"));
        auto answer = AnswerMessage(QMessageBox::Yes);
        Find<QPushButton>(&w, "cmdFramesRemove")->click();
        QCOMPARE(answer->text, QString("Are you sure you want to remove this frame?"));
        QCOMPARE(w.Document()->frames.GetCount(), 1);
    }

    void navigationSelectsTheSignalAndTheFrame() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        LoadInto(w, "LIN_protocol_version = \"2.1\"; LIN_language_version = \"2.1\"; LIN_speed = 19.2 kbps;"
                    "Nodes { Master: CEM, 5 ms, 0.1 ms; Slaves: LSM; }"
                    "Signals { Good: 8, 0, CEM, LSM; Bad: 8, 0, CEM, LSM; }"
                    "Frames { F: 1, Ghost, 1 { Good, 0; } }"
                    "Signal_representation { Missing: Bad; }");
        w.Timer1Timer();
        auto* issues = Find<QTreeView>(&w, "lstLDFIssues");
        QVERIFY(issues->model()->rowCount() > 2);  // the LIN rules' rows come last
        SetCurrentRow(issues, 0);  // F - source node missing
        w.lstLDFIssuesDblClick();
        QCOMPARE(Find<QTabBar>(&w, "tabsMain")->currentIndex(), int(TfrmTabrel::kFrames));
        QCOMPARE(Find<QLineEdit>(&w, "txtFrameDescription")->text(), QString("F"));
        QVERIFY(Find<QFrame>(&w, "shapeFrameConditional")->isVisible());
        SetCurrentRow(issues, 1);  // Bad - signal encoding missing
        w.lstLDFIssuesDblClick();
        QCOMPARE(Find<QTabBar>(&w, "tabsMain")->currentIndex(), int(TfrmTabrel::kSignals));
        QCOMPARE(Find<QLineEdit>(&w, "txtSignalDescription")->text(), QString("Bad"));
        auto* frame = Find<QFrame>(&w, "shapeSignal");
        QVERIFY(frame->isVisible());
        auto* encoding = Find(&w, "lstSignalRepresentation");
        QCOMPARE(frame->geometry().topLeft(), encoding->mapTo(frame->parentWidget(), QPoint(-2, -2)));
    }

    // The rows of the LIN rules lead to their object on every tab, and the bus load of the
    // selected schedule table is shown.
    void navigationFollowsTheLinRules() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        LoadInto(w, "LIN_protocol_version = \"2.1\"; LIN_language_version = \"2.1\"; LIN_speed = 19.2 kbps;"
                    "Nodes { Master: M, 5 ms, 0.1 ms; Slaves: A, B; }"
                    "Signals { S1: 8, 300, A, M; S2: 4, 0, B, M; }"
                    "Frames { FA: 0x01, A, 2 { S1, 8; } FB: 0x01, B, 1 { S2, 0; } }"
                    "Event_triggered_frames { E: 0x3A, FA; }"
                    "Node_attributes { A { LIN_protocol = \"2.1\"; configured_NAD = 0x80; }"
                    "  B { LIN_protocol = \"2.1\"; configured_NAD = 0x02; } }"
                    "Schedule_tables { T { FA delay 10 ms; FB delay 7 ms; E delay 10 ms; } }"
                    "Signal_encoding_types { Enc { physical_value, 10, 0, 1, 0; } }"
                    "Signal_representation { Enc: S2; }");
        w.Timer1Timer();
        auto* issues = Find<QTreeView>(&w, "lstLDFIssues");
        const auto openRow = [&](const QString& section) {
            for (int row = 0; row < issues->model()->rowCount(); ++row) {
                if (issues->model()->index(row, 1).data().toString() != section) continue;
                SetCurrentRow(issues, row);
                w.lstLDFIssuesDblClick();
                return true;
            }
            return false;
        };
        const struct {
            const char* section;
            int tab;
            const char* nameField;  // shows the object's name
            const char* name;
            const char* highlight;
        } targets[] = {{"Nodes-A-Attributes", TfrmTabrel::kNodes, nullptr, "A", "shapeNode"},
                       {"Signals-S1-InitValue", TfrmTabrel::kSignals, "txtSignalDescription", "S1", "shapeSignal"},
                       {"Frames-FB-FrameId", TfrmTabrel::kFrames, "txtFrameDescription", "FB", "shapeFrameConditional"},
                       {"Frames-E-CollisionTable", TfrmTabrel::kFrames, "txtFrameDescription", "E",
                        "shapeFrameConditional"},
                       {"ScheduleTables-T-Entry2", TfrmTabrel::kScheduleTables, "txtScheduleTableDescription", "T",
                        "shapeTable"},
                       {"Encodings-Enc-Values", TfrmTabrel::kEncodings, "txtEncodingTypeDescription", "Enc",
                        "shapeEncoding"}};
        for (const auto& target : targets) {
            QVERIFY2(openRow(target.section), target.section);
            QCOMPARE(Find<QTabBar>(&w, "tabsMain")->currentIndex(), target.tab);
            if (target.nameField != nullptr) {
                QCOMPARE(Find<QLineEdit>(&w, target.nameField)->text(), QString(target.name));
            } else {
                QCOMPARE(Find<QListWidget>(&w, "lstSlaveNodes")->currentItem()->text(), QString(target.name));
            }
            QVERIFY2(Find<QFrame>(&w, target.highlight)->isVisible(), target.section);
        }
        openRow("ScheduleTables-T-Entry2");
        QCOMPARE(Find<QTreeWidget>(&w, "lviewScheduleTableFrames")->currentIndex().row(), 1);
        // Frames of 2, 1 and 2 bytes (the event-triggered frame carries FA) take (64 + 54 + 64)
        // bit times of 1/19.2 ms: 9.48 ms of 27 ms; the 7 ms slot fits its frame.
        QCOMPARE(Find<QLabel>(&w, "lblScheduleBusLoad")->text(), QString("Bus Load: 35.108 % of the 27 ms cycle"));
    }

private:
    static QStringList Names(const corvStringArray& list) {
        QStringList names;
        for (int i = 0; i < list.Count(); ++i) names << ToQString(list.Item(i));
        return names;
    }
    static void SelectAndShow(TfrmTabrel& w, const char* name) {
        Find<SignalsTab>(&w, "pnlSignals")->SelectSignalByName(name);
    }
};

int RunSignalsFramesTests(int argc, char** argv) {
    SignalsFramesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "signals_frames_test.moc"
