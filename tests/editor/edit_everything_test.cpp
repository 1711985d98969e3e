// Editing what the file holds beyond the signals and unconditional frames: the header
// statements, slave names, sporadic and event-triggered frames, the diagnostic sections;
// and the name rule.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTreeWidget>

#include "composite_nodes_dialog.h"
#include "diagnostics_dialog.h"
#include "node_attributes_dialog.h"
#include "editor_test_support.h"

using namespace editor_test;

namespace {

const char* kDoors =
    "LIN_protocol_version = \"2.1\"; LIN_language_version = \"2.1\"; LIN_speed = 19.2 kbps;"
    "Nodes { Master: BCM, 5 ms, 0.1 ms; Slaves: Left, Right; }"
    "Signals { Left_Pos: 8, 0, Left, BCM; Right_Pos: 8, 0, Right, BCM; }"
    "Frames { Left_State: 0x11, Left, 1 { Left_Pos, 0; } Right_State: 0x12, Right, 1 { Right_Pos, 0; } }"
    "Event_triggered_frames { Doors: Collisions, 0x3A, Left_State, Right_State; }"
    "Schedule_tables { Normal { Left_State delay 10 ms; Doors delay 10 ms; } Collisions { Left_State delay 10 ms; } }";

QStringList Texts(const corvStringArray& names) {
    QStringList texts;
    for (int i = 0; i < names.Count(); ++i) texts << ToQString(names.Item(i));
    return texts;
}

void ChooseFrame(TfrmTabrel& w, const QString& name) {
    ShowTab(w, TfrmTabrel::kFrames);
    ClickRow(Find<QListView>(&w, "lstFrames"), name);
}

void AddToFrameList(TfrmTabrel& w, const char* kind, const QString& frame) {
    Find<QComboBox>(&w, QString("lst%1FrameChoice").arg(kind).toLatin1())->setCurrentText(frame);
    Find<QPushButton>(&w, QString("cmd%1FrameAdd").arg(kind).toLatin1())->click();
}

using Item = corvdekLINScheduleTableItem;

void Type(TfrmTabrel& w, const char* field, const QString& text) { Find<QLineEdit>(&w, field)->setText(text); }

void ComposeEntry(TfrmTabrel& w, int kind, const QString& node, const QStringList& arguments) {
    Choose(Find<QComboBox>(&w, "lstScheduleFrameType"), kind);
    Find<QComboBox>(&w, "lstScheduleNode")->setCurrentText(node);
    for (int i = 0; i < 6; ++i) Type(w, QString("txtScheduleArgument%1").arg(i + 1).toLatin1(), arguments.value(i));
}

QString EntryTexts(TfrmTabrel& w) {
    QStringList rows;
    auto* entries = Find<QTreeWidget>(&w, "lviewScheduleTableFrames");
    for (int row = 0; row < entries->topLevelItemCount(); ++row) {
        rows << entries->topLevelItem(row)->text(0) + "|" + entries->topLevelItem(row)->text(1);
    }
    return rows.join("; ");
}

// Types `text` into a cell the way a user does: open its editor, replace, press Enter.
void EditCell(QTableView* table, int row, int column, const QString& text) {
    const QModelIndex index = table->model()->index(row, column);
    table->setCurrentIndex(index);
    table->edit(index);
    QLineEdit* editor = nullptr;  // closed editors linger hidden until deleted
    for (QLineEdit* open : table->viewport()->findChildren<QLineEdit*>()) {
        if (!open->isHidden()) editor = open;
    }
    QVERIFY(editor != nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();  // the view commits the text in a queued call
}

}  // namespace

class EditEverythingTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { doors_ = SampleFile("doors.ldf", kDoors); }
    void cleanup() { QFile::remove(doors_); }

    void headerStatementsAndJ2602FieldsAreSaved() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        OpenFile(w, doors_);
        QTest::keyClicks(Find<QLineEdit>(&w, "txtChannelName"), "Body \"LIN\" 1");
        QCOMPARE(Find<QLineEdit>(&w, "txtChannelName")->text(), QString("Body LIN 1"));  // no quote
        Find<QLineEdit>(&w, "txtFileRevision")->setText("R 2.4");
        Choose(Find<QComboBox>(&w, "lstSignalByteOrder"), 2);
        Find<QLineEdit>(&w, "txtMaxHeaderLength")->setText("48");
        Find<QLineEdit>(&w, "txtResponseTolerance")->setText("40");
        QTest::keyClicks(Find<QLineEdit>(&w, "txtDynamicFrames"), "58, 0x3B,;");  // no semicolon
        const auto saved = SaveAndReload(w);
        QCOMPARE(ToQString(saved->channelName), QString("Body LIN 1"));
        QCOMPARE(ToQString(saved->fileRevision), QString("R 2.4"));
        QCOMPARE(ToQString(saved->signalByteOrder), QString("little_endian"));
        QCOMPARE(ToQString(saved->masterMaxHeaderLength), QString("48"));
        QCOMPARE(ToQString(saved->masterResponseTolerance), QString("40"));
        QCOMPARE(ToQString(corvString(saved->dynamicFrames.Joined(u"|"))), QString("58|0x3B"));
        QCOMPARE(saved->loadIssueTypes.Count(), 0);

        // Shown again from a loaded file; "(not stated)" writes no statement.
        OpenFile(w, doors_);
        QCOMPARE(Find<QLineEdit>(&w, "txtChannelName")->text(), QString());
        QCOMPARE(Find<QComboBox>(&w, "lstSignalByteOrder")->currentText(), QString("(not stated)"));
    }

    void spacesInsideNamesBecomeUnderscoresAlsoWhenPasted() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        OpenFile(w, doors_);
        ShowTab(w, TfrmTabrel::kSignals);
        auto* name = Find<QLineEdit>(&w, "txtSignalDescription");
        name->selectAll();
        name->insert(" Left Door\tPos ");  // as a paste does
        QCOMPARE(name->text(), QString(" Left_Door_Pos "));
        ShowTab(w, TfrmTabrel::kFrames);  // its signal choices follow the rename
        QVERIFY(Find<QComboBox>(&w, "lstFrameSignals")->findText("Left_Door_Pos") >= 0);
        QCOMPARE(Find<QComboBox>(&w, "lstFrameSignals")->findText("Left_Pos"), -1);
        WhenModal<TfrmLINCompositeNodes>([](TfrmLINCompositeNodes* dialog) {
            Find<QPushButton>(dialog, "cmdFramesAdd")->click();
            auto* configuration = Find<QLineEdit>(dialog, "txtFrameDescription");
            configuration->selectAll();
            configuration->insert("Cfg A");
            dialog->close();
        });
        ShowTab(w, TfrmTabrel::kNodes);
        Find<QPushButton>(&w, "cmdCompositeNodes")->click();
        QCOMPARE(ToQString(w.Document()->compositeConfigurations.Get(0)->name), QString("Cfg_A"));
        const auto saved = SaveAndReload(w);
        QCOMPARE(ToQString(Named(saved->signals, "Left_Door_Pos").publisher), QString("Left"));  // trimmed
        QCOMPARE(Texts(Named(saved->frames, "Left_State").signalNames), QStringList{"Left_Door_Pos"});
    }

    void numberFieldsTakeOnlyNumbers() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        OpenFile(w, doors_);
        ShowTab(w, TfrmTabrel::kFrames);
        auto* id = Find<QComboBox>(&w, "lstFrameID")->lineEdit();
        id->clear();
        QTest::keyClicks(id, "0xg1Z2");  // the letters beyond hexadecimal are refused
        QCOMPARE(id->text(), QString("0x12"));
        auto* offset = Find<QLineEdit>(&w, "txtFrameSignalOffset");
        offset->insert("8 bits");  // a paste that is no number is refused whole
        QCOMPARE(offset->text(), QString());
        offset->insert("16");
        QCOMPARE(offset->text(), QString("16"));
        ShowTab(w, TfrmTabrel::kScheduleTables);
        auto* delay = Find<QLineEdit>(&w, "txtScheduleTableFrameTime");
        QTest::keyClicks(delay, "12.5ms");
        QCOMPARE(delay->text(), QString("12.5"));
        ShowTab(w, TfrmTabrel::kGeneral);
        auto* timeBase = Find<QComboBox>(&w, "lstPeriod")->lineEdit();
        timeBase->clear();
        QTest::keyClicks(timeBase, "7 ms");
        QCOMPARE(ToQString(w.Document()->masterTimebase), QString("7"));
    }

    void renamingASlaveRenamesItsReferences() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        OpenFile(w, doors_);
        ShowTab(w, TfrmTabrel::kNodes);
        auto* slaves = Find<QListWidget>(&w, "lstSlaveNodes");
        QVERIFY(slaves->item(0)->flags() & Qt::ItemIsEditable);
        slaves->item(0)->setText(" Door_Left ");
        QCOMPARE(Rows(slaves), (QStringList{"Door_Left", "Right"}));
        slaves->item(1)->setText("");  // an emptied name keeps the node's
        QCOMPARE(Rows(slaves), (QStringList{"Door_Left", "Right"}));
        const auto saved = SaveAndReload(w);
        QCOMPARE(ToQString(saved->nodes.Get(0)->name), QString("Door_Left"));
        QCOMPARE(ToQString(Named(saved->signals, "Left_Pos").publisher), QString("Door_Left"));
        QCOMPARE(ToQString(Named(saved->frames, "Left_State").publisher), QString("Door_Left"));
    }

    void anEventTriggeredFrameIsEditedAndSaved() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        OpenFile(w, doors_);
        auto* frames = Find<QListView>(&w, "lstFrames");
        QCOMPARE(Rows(frames), (QStringList{"Doors", "Left_State", "Right_State"}));
        ChooseFrame(w, "Doors");
        QVERIFY(Find<QWidget>(&w, "pnlEventTriggered")->isVisible());
        QVERIFY(!Find<QWidget>(&w, "pnlUnconditional")->isVisible());
        QCOMPARE(Find<QComboBox>(&w, "lstFrameType")->currentText(), QString("Event Triggered"));
        QCOMPARE(Find<QComboBox>(&w, "lstEventFrameID")->currentText(), QString("0x3A"));
        QCOMPARE(Find<QComboBox>(&w, "lstEventCollisionTable")->currentText(), QString("Collisions"));
        auto* list = Find<QListWidget>(&w, "lstEventFrames");
        QCOMPARE(Rows(list), (QStringList{"Left_State", "Right_State"}));

        Choose(Find<QComboBox>(&w, "lstEventFrameID"), 0x3B);
        Find<QComboBox>(&w, "lstEventCollisionTable")->setCurrentText("");
        list->setCurrentRow(1);
        Find<QPushButton>(&w, "cmdEventFrameUp")->click();
        QCOMPARE(Rows(list), (QStringList{"Right_State", "Left_State"}));
        Find<QPushButton>(&w, "cmdEventFrameRemove")->click();  // the moved row stays selected
        QCOMPARE(Rows(list), (QStringList{"Left_State"}));
        Find<QLineEdit>(&w, "txtFrameDescription")->setText("Door_Events");  // the schedule follows
        const auto saved = SaveAndReload(w);
        const corvdekLINEventFrame& event = Named(saved->eventFrames, "Door_Events");
        QCOMPARE(Texts(event.frameList), (QStringList{"0x3B", "Left_State"}));
        QCOMPARE(ToQString(saved->scheduleTables.Get(0)->items.Get(1)->frameName), QString("Door_Events"));
        QCOMPARE(saved->loadIssueTypes.Count(), 0);
    }

    void theFrameTypeTurnsAFrameIntoAnotherKind() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        OpenFile(w, doors_);
        ShowTab(w, TfrmTabrel::kFrames);
        Find<QPushButton>(&w, "cmdFramesAdd")->click();  // NewFrame3, nothing to drop
        auto* type = Find<QComboBox>(&w, "lstFrameType");
        Choose(type, 1);
        QVERIFY(Find<QWidget>(&w, "pnlSporadic")->isVisible());
        QCOMPARE(Find<QLineEdit>(&w, "txtFrameDescription")->text(), QString("NewFrame3"));
        AddToFrameList(w, "Sporadic", "Right_State");
        AddToFrameList(w, "Sporadic", "Left_State");
        AddToFrameList(w, "Sporadic", " ");  // no name: nothing added
        QCOMPARE(Rows(Find<QListWidget>(&w, "lstSporadicFrames")), (QStringList{"Right_State", "Left_State"}));
        QCOMPARE(Texts(w.Document()->sporadicFrames.Get(0)->frameList), (QStringList{"Right_State", "Left_State"}));

        // A sporadic frame becomes event-triggered with its frames and a free identifier.
        Choose(type, 2);
        const corvdekLINEventFrame& event = Named(w.Document()->eventFrames, "NewFrame3");
        QCOMPARE(Texts(event.frameList), (QStringList{"0x00", "Right_State", "Left_State"}));
        QCOMPARE(w.Document()->sporadicFrames.GetCount(), 0);

        // Dropping its frames needs a yes; a no keeps the frame as it was.
        auto declined = AnswerMessage(QMessageBox::No);
        Choose(type, 0);
        QCOMPARE(declined->title, QString("Confirm Change"));
        QCOMPARE(type->currentIndex(), 2);
        QCOMPARE(w.Document()->eventFrames.GetCount(), 2);
        AnswerMessage(QMessageBox::Yes);
        Choose(type, 0);
        QCOMPARE(ToQString(Named(w.Document()->frames, "NewFrame3").frameId), QString("0x00"));
        QVERIFY(Find<QWidget>(&w, "pnlUnconditional")->isVisible());

        // Removing works for every kind.
        ChooseFrame(w, "Doors");
        AnswerMessage(QMessageBox::Yes);
        Find<QPushButton>(&w, "cmdFramesRemove")->click();
        QCOMPARE(w.Document()->eventFrames.GetCount(), 0);
        QCOMPARE(Rows(Find<QListView>(&w, "lstFrames")), (QStringList{"Left_State", "NewFrame3", "Right_State"}));
    }

    void scheduleEntriesAreChangedMovedAndTakeEveryCommand() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        OpenFile(w, doors_);
        ShowTab(w, TfrmTabrel::kScheduleTables);
        SetCurrentRow(Find<QListView>(&w, "lstScheduleTables"), 0);
        auto* entries = Find<QTreeWidget>(&w, "lviewScheduleTableFrames");
        entries->setCurrentItem(entries->topLevelItem(1));  // the form shows the entry
        QCOMPARE(Find<QComboBox>(&w, "lstScheduleTableFrames")->currentText(), QString("Doors"));
        QCOMPARE(Find<QLineEdit>(&w, "txtScheduleTableFrameTime")->text(), QString("10"));
        Type(w, "txtScheduleTableFrameTime", "20");
        Find<QPushButton>(&w, "cmdScheduleTableFrameChange")->click();
        Find<QPushButton>(&w, "cmdScheduleTableFrameUp")->click();
        Find<QPushButton>(&w, "cmdScheduleTableFrameUp")->click();  // already first
        QCOMPARE(EntryTexts(w), QString("Doors|20; Left_State|10"));

        auto* add = Find<QPushButton>(&w, "cmdScheduleTableFrameAdd");
        ComposeEntry(w, Item::kConditionalChangeNAD, "", {"0x7F", "1", "3", "0x01", "0xFF", "0x11"});
        QVERIFY(Find<QWidget>(&w, "txtScheduleArgument6")->isVisible());
        add->click();
        ComposeEntry(w, Item::kDataDump, "Left", {"1", "2", "3", "4", "5"});
        QVERIFY(!Find<QWidget>(&w, "txtScheduleArgument6")->isVisible());
        add->click();
        ComposeEntry(w, Item::kSaveConfiguration, "Left", {});
        QVERIFY(!Find<QWidget>(&w, "pnlScheduleArguments")->isVisible());
        add->click();
        ComposeEntry(w, Item::kAssignFrameIdRange, "Right", {"0", "0x11", "0x12"});
        auto refused = AnswerMessage(QMessageBox::Ok);
        add->click();  // the PIDs come all four or not at all
        QCOMPARE(refused->shown, true);
        ComposeEntry(w, Item::kAssignFrameIdRange, "Right", {"0"});
        add->click();
        ComposeEntry(w, Item::kAssignNAD, "Right", {});  // LIN 2.1: the node instead of the values
        add->click();
        Type(w, "txtScheduleTableFrameTime", "");
        refused = AnswerMessage(QMessageBox::Ok);
        add->click();
        QCOMPARE(refused->shown, true);
        QCOMPARE(entries->topLevelItemCount(), 7);
        entries->setCurrentItem(entries->topLevelItem(6));
        Find<QPushButton>(&w, "cmdScheduleTableFrameDown")->click();  // already last
        QCOMPARE(entries->currentItem(), entries->topLevelItem(6));

        const auto saved = SaveAndReload(w);
        QCOMPARE(saved->loadIssueTypes.Count(), 0);
        const auto& items = saved->scheduleTables.Get(0)->items;
        QCOMPARE(items.GetCount(), 7);
        QCOMPARE(ToQString(items.Get(0)->frameName) + ToQString(items.Get(0)->delay), QString("Doors20"));
        const int kinds[] = {Item::kFrame, Item::kFrame, Item::kConditionalChangeNAD, Item::kDataDump,
                             Item::kSaveConfiguration, Item::kAssignFrameIdRange, Item::kAssignNAD};
        for (int i = 0; i < 7; ++i) QCOMPARE(items.Get(i)->kind, kinds[i]);
        QCOMPARE(Texts(items.Get(2)->arguments), (QStringList{"0x7F", "1", "3", "0x01", "0xFF", "0x11"}));
        QCOMPARE(Texts(items.Get(3)->arguments), (QStringList{"1", "2", "3", "4", "5"}));
        QCOMPARE(ToQString(items.Get(4)->nodeName), QString("Left"));
        QCOMPARE(Texts(items.Get(5)->arguments), QStringList{"0"});
        QCOMPARE(ToQString(items.Get(6)->nodeName), QString("Right"));
    }

    void everyNodeAttributeIsEditedAndSaved() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        OpenFile(w, doors_);
        ShowTab(w, TfrmTabrel::kNodes);
        Find<QListWidget>(&w, "lstSlaveNodes")->setCurrentRow(0);
        WhenModal<TfrmNodeAttributes>([](TfrmNodeAttributes* dialog) {
            auto type = [dialog](const char* field, const char* text) { Find<QLineEdit>(dialog, field)->setText(text); };
            Find<QComboBox>(dialog, "lstNodeLINProtocol")->setCurrentText("2.1");
            Find<QComboBox>(dialog, "lstNodeLINConfiguredNAD")->setCurrentText("0x21");
            type("txtInitialNAD", "0x7E");
            Find<QComboBox>(dialog, "txtSupplierID")->setCurrentText("0x001E");
            type("txtFunctionID", "0x0001");
            Find<QComboBox>(dialog, "lstResponseError")->setCurrentText("Left_Pos");
            type("txtFaultStateSignals", " Left_Pos, ,Right_Pos ");
            type("txtP2MinMs", "50");
            type("txtSTMinMs", "0");
            type("txtNAsTimeout", "1000");
            type("txtNCrTimeout", "1000");
            type("txtWakeupTime", "100");
            type("txtPoweronTime", "150");
            // LIN 2.1 lists frames by name alone; their order is the one to keep.
            for (const char* frame : {"Right_State", "Left_State", " "}) {
                Find<QComboBox>(dialog, "lstConfigurableFrameNames")->setCurrentText(frame);
                Find<QPushButton>(dialog, "cmdScheduleTableFrameAdd")->click();
            }
            auto* frames = Find<QTreeWidget>(dialog, "lviewConfigurableFrames");
            QCOMPARE(frames->topLevelItemCount(), 2);
            frames->setCurrentItem(frames->topLevelItem(1));
            Find<QPushButton>(dialog, "cmdConfigurableFrameUp")->click();
            QCOMPARE(frames->topLevelItem(0)->text(0), QString("Left_State"));
            Find<QPushButton>(dialog, "cmdOk")->click();
        });
        Find<QPushButton>(&w, "cmdNodeAttributes")->click();
        const auto saved = SaveAndReload(w);
        QCOMPARE(saved->loadIssueTypes.Count(), 0);
        const corvdekLINNode& node = *saved->nodes.Get(0);
        const QStringList values = {ToQString(node.protocol),   ToQString(node.configuredNAD), ToQString(node.initialNAD),
                                    ToQString(node.supplierId), ToQString(node.functionId),    ToQString(node.responseError),
                                    ToQString(node.p2Min),      ToQString(node.stMin),         ToQString(node.nAsTimeout),
                                    ToQString(node.nCrTimeout), ToQString(node.wakeupTime),    ToQString(node.poweronTime)};
        QCOMPARE(values, (QStringList{"2.1", "0x21", "0x7E", "0x001E", "0x0001", "Left_Pos", "50", "0", "1000", "1000",
                                      "100", "150"}));
        QCOMPARE(Texts(node.faultStateSignals), (QStringList{"Left_Pos", "Right_Pos"}));
        QCOMPARE(Texts(node.configurableFrameNames), (QStringList{"Left_State", "Right_State"}));
        QCOMPARE(Texts(node.configurableFrameIds), (QStringList{"", ""}));
    }

    void compositeNodesAreEditedAndSaved() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        OpenFile(w, doors_);
        ShowTab(w, TfrmTabrel::kNodes);
        WhenModal<TfrmLINCompositeNodes>([](TfrmLINCompositeNodes* dialog) {
            Find<QPushButton>(dialog, "cmdFramesAdd")->click();
            Find<QLineEdit>(dialog, "txtFrameDescription")->setText("Pair");
            Find<QPushButton>(dialog, "cmdCompositeNodeAdd")->click();
            auto* composites = Find<QListWidget>(dialog, "lstCompositeNodes");
            composites->item(0)->setText("Doors");
            QCOMPARE(Rows(composites), QStringList{"Doors"});
            for (const char* slave : {"Left", "Right", " "}) {
                Find<QComboBox>(dialog, "lstFrameSignals")->setCurrentText(slave);
                Find<QPushButton>(dialog, "cmdFunctionalNodeAdd")->click();
            }
            auto* nodes = Find<QListWidget>(dialog, "lstFunctionalNodes");
            QCOMPARE(Rows(nodes), (QStringList{"Left", "Right"}));
            // A second composite starts empty; going back shows the first one's nodes.
            Find<QPushButton>(dialog, "cmdCompositeNodeAdd")->click();
            QVERIFY(Rows(nodes).isEmpty());
            Find<QPushButton>(dialog, "cmdCompositeNodeRemove")->click();
            composites->setCurrentRow(0);
            QCOMPARE(Rows(nodes), (QStringList{"Left", "Right"}));
            dialog->close();
        });
        Find<QPushButton>(&w, "cmdCompositeNodes")->click();
        const auto saved = SaveAndReload(w);
        const corvdekLINCompositeConfiguration& pair = Named(saved->compositeConfigurations, "Pair");
        QCOMPARE(pair.compositeNodes.GetCount(), 1);
        QCOMPARE(ToQString(pair.compositeNodes.Get(0)->name), QString("Doors"));
        QCOMPARE(Texts(pair.compositeNodes.Get(0)->nodeNames), (QStringList{"Left", "Right"}));
    }

    void bcdAndAsciiEncodingPartsAreChosen() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        OpenFile(w, doors_);
        ShowTab(w, TfrmTabrel::kEncodings);
        Find<QPushButton>(&w, "cmdEncodingsAdd")->click();
        for (int kind : {2, 3}) {
            Find<QPushButton>(&w, "cmdAddEncodingParts")->click();
            Choose(Find<QComboBox>(&w, "lstEncodingItemType"), kind);
            QVERIFY(!Find<QWidget>(&w, "txtEncodingItemValue1")->isVisible());  // nothing to fill in
        }
        const auto saved = SaveAndReload(w);
        const auto& parts = saved->encodingTypes.Get(0)->items;
        QCOMPARE(parts.GetCount(), 2);
        QCOMPARE(parts.Get(0)->kind, int(corvdekLINSignalEncodingTypeItem::kBcd));
        QCOMPARE(parts.Get(1)->kind, int(corvdekLINSignalEncodingTypeItem::kAscii));
    }

    // The doors cluster reads no diagnostic sections: the standard ones are edited.
    void diagnosticSignalsAndFramesAreEditedAndSaved() {
        TfrmTabrel w;
        OpenFile(w, doors_);
        auto* button = Find<QPushButton>(&w, "cmdDiagnostics");
        QVERIFY(!button->isEnabled());
        Find<QCheckBox>(&w, "chkHasDiagnostics")->click();
        WhenModal<TfrmDiagnostics>([](TfrmDiagnostics* dialog) {
            auto* signalTable = Find<QTableView>(dialog, "tblDiagnosticSignals");
            QCOMPARE(signalTable->model()->rowCount(), 16);
            EditCell(signalTable, 0, 0, "Diag Request0");  // renamed in its frame too
            EditCell(signalTable, 1, 1, "8x");             // no letters in a size
            EditCell(signalTable, 1, 2, "0xFF");
            EditCell(signalTable, 2, 2, "1, 2");  // one value for a scalar signal
            EditCell(signalTable, 3, 0, "");      // a name is never emptied
            auto* frames = Find<QTableView>(dialog, "tblDiagnosticFrames");
            auto* frameSignals = Find<QTableView>(dialog, "tblDiagnosticFrameSignals");
            QCOMPARE(frameSignals->model()->index(0, 0).data().toString(), QString("Diag_Request0"));
            EditCell(frames, 1, 1, "0x3D");  // selects SlaveResp: its signals are shown
            QCOMPARE(frameSignals->model()->index(7, 0).data().toString(), QString("SlaveRespB7"));
            EditCell(frameSignals, 7, 1, "57");
            Find<QPushButton>(dialog, "cmdOk")->click();
        });
        button->click();
        const auto saved = SaveAndReload(w);
        const auto signal = [&saved](int row) -> const corvdekLINSignal& { return *saved->diagnosticSignals.Get(row); };
        QCOMPARE(saved->diagnosticSignals.GetCount(), 16);
        QCOMPARE(ToQString(signal(0).name), QString("Diag_Request0"));
        QCOMPARE(ToQString(signal(1).size), QString("8"));
        QCOMPARE(ToQString(signal(1).initValue), QString("0xFF"));
        QCOMPARE(ToQString(signal(2).initValue), QString("0"));
        QCOMPARE(ToQString(signal(3).name), QString("MasterReqB3"));
        const auto& request = Named(saved->diagnosticFrames, "MasterReq");
        QCOMPARE(ToQString(request.signalNames.Item(0)), QString("Diag_Request0"));
        const auto& response = Named(saved->diagnosticFrames, "SlaveResp");
        QCOMPARE(ToQString(response.frameId), QString("0x3D"));
        QCOMPARE(ToQString(response.signalOffsets.Item(7)), QString("57"));
        QCOMPARE(saved->loadIssueTypes.Count(), 0);
    }

private:
    QString doors_;
};

int RunEditEverythingTests(int argc, char** argv) {
    EditEverythingTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "edit_everything_test.moc"
