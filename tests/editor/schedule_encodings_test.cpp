// The Schedule Tables and Encodings tabs.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTabBar>
#include <QTreeWidget>

#include "editor_test_support.h"
#include "encodings_tab.h"
#include "ldf_writer/ldf_writer.h"
#include "model/definition_file.h"
#include "qt_text.h"

using namespace editor_test;

namespace {

using Item = corvdekLINScheduleTableItem;

void ChooseKind(QWidget* window, int kind) {
    auto* type = Find<QComboBox>(window, "lstScheduleFrameType");
    type->setCurrentIndex(kind);
    Q_EMIT type->activated(kind);
}

QString EntryRow(QWidget* window, int row) {
    const QTreeWidgetItem* item = Find<QTreeWidget>(window, "lviewScheduleTableFrames")->topLevelItem(row);
    return item->text(0) + "|" + item->text(1);
}

QString PartRow(QWidget* window, int row) {
    const QTreeWidgetItem* item = Find<QTreeWidget>(window, "lviewEncodingParts")->topLevelItem(row);
    return item->text(0) + "|" + item->text(1);
}

}  // namespace

class ScheduleEncodingsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void entriesOfEveryKind() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        Find<QTabBar>(&w, "tabsMain")->setCurrentIndex(TfrmTabrel::kScheduleTables);
        Find<QPushButton>(&w, "cmdAddScheduleTable")->click();
        QVERIFY(Find(&w, "pnlScheduleTableDetails")->isVisible());
        auto* delay = Find<QLineEdit>(&w, "txtScheduleTableFrameTime");
        auto* add = Find<QPushButton>(&w, "cmdScheduleTableFrameAdd");
        delay->setText("10");

        ChooseKind(&w, 0);
        QVERIFY(Find(&w, "lstScheduleTableFrames")->isVisible());
        QVERIFY(!Find(&w, "lstScheduleNode")->isVisible());
        Find<QComboBox>(&w, "lstScheduleTableFrames")->setCurrentText("Frame1");
        add->click();
        ChooseKind(&w, 1);
        QVERIFY(!Find(&w, "lstScheduleTableFrames")->isVisible());
        add->click();
        ChooseKind(&w, 2);
        add->click();
        ChooseKind(&w, 3);
        QVERIFY(Find(&w, "lstScheduleNode")->isVisible());
        Find<QComboBox>(&w, "lstScheduleNode")->setCurrentText("LSM");
        add->click();
        ChooseKind(&w, 4);
        add->click();
        ChooseKind(&w, 5);
        QVERIFY(Find(&w, "pnlScheduleAssignNAD")->isVisible());
        const char* const nad[] = {"txtScheduleOldNAD", "txtScheduleNewNAD", "txtScheduleSupplierID",
                                   "txtScheduleFunctionID"};
        for (int i = 0; i < 4; ++i) Find<QLineEdit>(&w, nad[i])->setText(QString::number(i + 1));
        add->click();
        ChooseKind(&w, 6);
        QVERIFY(Find(&w, "pnlScheduleFreeFormat")->isVisible());
        QVERIFY(!Find(&w, "pnlScheduleAssignNAD")->isVisible());
        Find<QLineEdit>(&w, "txtScheduleFree1")->setText("60");
        Find<QLineEdit>(&w, "txtScheduleFree2")->setText("61");
        auto refused = AnswerMessage(QMessageBox::Ok);
        add->click();  // two of eight bytes
        QCOMPARE(refused->text, QString("A FreeFormat entry needs all eight data bytes."));
        for (int i = 3; i <= 8; ++i) {
            Find<QLineEdit>(&w, QString("txtScheduleFree%1").arg(i).toLatin1().constData())->setText("0xFF");
        }
        add->click();

        QCOMPARE(EntryRow(&w, 0), QString("Frame1|10"));
        QCOMPARE(EntryRow(&w, 1), QString("MasterReq|10"));
        QCOMPARE(EntryRow(&w, 2), QString("SlaveResp|10"));
        QCOMPARE(EntryRow(&w, 3), QString("AssignFrameID  Node: LSM - Frame: Frame1|10"));
        QCOMPARE(EntryRow(&w, 4), QString("UnassignFrameID  Node: LSM - Frame: Frame1|10"));
        QCOMPARE(EntryRow(&w, 5), QString("AssignNAD  OldNAD: 1 - NewNAD: 2 - SupplierID: 3 - FunctionID: 4|10"));
        QCOMPARE(EntryRow(&w, 6), QString("FreeFormat: 60,61,0xFF,0xFF,0xFF,0xFF,0xFF,0xFF|10"));
        QCOMPARE(Find<QTreeWidget>(&w, "lviewScheduleTableFrames")->topLevelItemCount(), 7);
        const auto& items = w.Document()->scheduleTables.Get(0)->items;
        QCOMPARE(items.Get(2)->kind, 2);
        QCOMPARE(ToQString(items.Get(2)->frameName), QString("SlaveResp"));
        const Item& assign = *items.Get(5);
        QCOMPARE(ToQString(assign.nadInitial) + ToQString(assign.nadNew) + ToQString(assign.nadSupplierId) +
                     ToQString(assign.nadFunctionId),
                 QString("1234"));
        // The file keeps the grammar's order: initial NAD, supplier id, function id, new NAD.
        QVERIFY(QString::fromStdString(RenderLDF(*w.Document())).contains("AssignNAD { 1, 3, 4, 2 }"));

        auto* entries = Find<QTreeWidget>(&w, "lviewScheduleTableFrames");
        entries->setCurrentItem(entries->topLevelItem(1));
        auto answer = AnswerMessage(QMessageBox::Yes);
        Find<QPushButton>(&w, "cmdScheduleTableFrameRemove")->click();
        QCOMPARE(answer->text, QString("Are you sure you want to remove this schedule table frame?"));
        QCOMPARE(items.GetCount(), 6);
        Find<QPushButton>(&w, "cmdScheduleTableFrameClearAll")->click();
        QCOMPARE(items.GetCount(), 0);
    }

    void assignNadShowsEachValueAfterItsLabel() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        QVERIFY(w.Document()->LoadFromBytes(
            "Schedule_tables { T { AssignNAD { 0x7F, 0x4A4F, 0x4841, 0x21 } delay 10 ms; } }"));
        w.RefreshAllTabs();
        Find<QTabBar>(&w, "tabsMain")->setCurrentIndex(TfrmTabrel::kScheduleTables);
        SetCurrentRow(Find<QListView>(&w, "lstScheduleTables"), 0);
        QCOMPARE(EntryRow(&w, 0),
                 QString("AssignNAD  OldNAD: 0x7F - NewNAD: 0x21 - SupplierID: 0x4A4F - FunctionID: 0x4841|10"));
    }

    void tablesAreNamedAndSelected() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        Find<QTabBar>(&w, "tabsMain")->setCurrentIndex(TfrmTabrel::kScheduleTables);
        QVERIFY(!Find(&w, "lblTableCount")->isVisible());
        auto* add = Find<QPushButton>(&w, "cmdAddScheduleTable");
        for (int i = 0; i < 3; ++i) add->click();
        auto* list = Find<QListView>(&w, "lstScheduleTables");
        QCOMPARE(Rows(list).value(2), QString("NewScheduleTable3"));
        QCOMPARE(CurrentRow(list), 2);
        QCOMPARE(Find<QLabel>(&w, "lblTableCount")->text(), QString("Table Count 3"));
        QCOMPARE(Find<QTreeWidget>(&w, "lviewScheduleTableFrames")->topLevelItemCount(), 0);
        QTest::keyClicks(Find<QLineEdit>(&w, "txtScheduleTableDescription"), " A");
        QCOMPARE(Rows(list).value(2), QString("NewScheduleTable3_A"));
        SetCurrentRow(list, 0);
        for (int i = 0; i < 3; ++i) {
            AnswerMessage(QMessageBox::Yes);
            Find<QPushButton>(&w, "cmdRemoveScheduleTable")->click();
            QCOMPARE(CurrentRow(list), list->model()->rowCount() - 1);  // the last one is selected
        }
        QVERIFY(!Find(&w, "pnlScheduleTableDetails")->isVisible());
        QVERIFY(!Find(&w, "lblTableCount")->isVisible());
    }

    void encodingPartsShowTheirTexts() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        Find<QTabBar>(&w, "tabsMain")->setCurrentIndex(TfrmTabrel::kEncodings);
        Find<QPushButton>(&w, "cmdEncodingsAdd")->click();
        QCOMPARE(Rows(Find<QListView>(&w, "lstEncodings")).value(0), QString("NewSignalEncoding1"));
        Find<QPushButton>(&w, "cmdAddEncodingParts")->click();
        QCOMPARE(PartRow(&w, 0), QString("Logical Value| [0]"));
        QCOMPARE(Find<QLabel>(&w, "lblEncodingValue1")->text(), QString("Value"));
        QCOMPARE(Find<QLabel>(&w, "lblEncodingItemDescription")->text(), QString("Description"));
        QVERIFY(!Find(&w, "txtEncodingScaling")->isVisible());

        auto* type = Find<QComboBox>(&w, "lstEncodingItemType");
        type->setCurrentIndex(1);
        Q_EMIT type->activated(1);
        QCOMPARE(PartRow(&w, 0), QString("Physical Range| = 0 * Raw + 0 [0,0]"));
        QCOMPARE(Find<QLabel>(&w, "lblEncodingValue1")->text(), QString("Range Start"));
        QCOMPARE(Find<QLabel>(&w, "lblEncodingValue2")->text(), QString("Range Stop"));
        QCOMPARE(Find<QLabel>(&w, "lblEncodingItemDescription")->text(), QString("Units"));
        QVERIFY(Find(&w, "txtEncodingScaling")->isVisible());
        Find<QLineEdit>(&w, "txtEncodingScaling")->setText("0.5");
        Find<QLineEdit>(&w, "txtEncodingItemValue2")->setText("255");
        Find<QLineEdit>(&w, "txtEncodingItemDescription")->setText("km/h");
        QCOMPARE(PartRow(&w, 0), QString("Physical Range|km/h = 0.5 * Raw + 0 [0,255]"));
        const auto& part = *w.Document()->encodingTypes.Get(0)->items.Get(0);
        QCOMPARE(part.scale, 0.5);
        QCOMPARE(part.maxValue, 255);
    }

    void removingPartsKeepsTheRowIndex() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        QVERIFY(w.Document()->LoadFromBytes(
            "Signal_encoding_types { E { logical_value, 0, \"a\"; bcd_value; logical_value, 2, \"c\"; } }"));
        w.RefreshAllTabs();
        Find<QTabBar>(&w, "tabsMain")->setCurrentIndex(TfrmTabrel::kEncodings);
        SetCurrentRow(Find<QListView>(&w, "lstEncodings"), 0);
        Find<EncodingsTab>(&w, "pnlEncodings")->lstEncodingsClick();
        QCOMPARE(PartRow(&w, 1), QString("BCD|"));
        auto* parts = Find<QTreeWidget>(&w, "lviewEncodingParts");
        parts->setCurrentItem(parts->topLevelItem(1));
        auto answer = AnswerMessage(QMessageBox::Yes);
        Find<QPushButton>(&w, "cmdRemoveEncodingParts")->click();
        QCOMPARE(answer->text, QString("Are you sure you want to remove this encoding part?"));
        QCOMPARE(parts->indexOfTopLevelItem(parts->currentItem()), 1);
        QCOMPARE(PartRow(&w, 1), QString("Logical Value|c [2]"));
        AnswerMessage(QMessageBox::Yes);
        Find<QPushButton>(&w, "cmdRemoveEncodingParts")->click();
        QCOMPARE(parts->indexOfTopLevelItem(parts->currentItem()), 0);  // the first row

        AnswerMessage(QMessageBox::Yes);
        Find<QPushButton>(&w, "cmdEncodingsRemove")->click();
        QVERIFY(!Find(&w, "pnlEncodingTypeDetails")->isVisible());
    }

    void renamingATypeUpdatesTheSignalChoices() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        Find<QTabBar>(&w, "tabsMain")->setCurrentIndex(TfrmTabrel::kEncodings);
        Find<QPushButton>(&w, "cmdEncodingsAdd")->click();
        QTest::keyClicks(Find<QLineEdit>(&w, "txtEncodingTypeDescription"), " X");
        QCOMPARE(Find<QComboBox>(&w, "lstSignalRepresentation")->itemText(1), QString("NewSignalEncoding1_X"));
    }
};

int RunScheduleEncodingsTests(int argc, char** argv) {
    ScheduleEncodingsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "schedule_encodings_test.moc"
