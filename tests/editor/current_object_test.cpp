// Every edit lands on the object the details show, whatever moved the selection, and what
// the editor lets a user enter saves as LDF that loads without an issue.

#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTreeWidget>
#include <fstream>

#include "editor_test_support.h"
#include "model/definition_file.h"
#include "qt_text.h"

using namespace editor_test;

namespace {

const char* kBody =
    "LIN_protocol_version = \"2.1\"; LIN_language_version = \"2.1\"; LIN_speed = 19.2 kbps;"
    "Nodes { Master: BCM, 5 ms, 0.1 ms; Slaves: Left, Right; }"
    "Signals { Left_Pos: 8, 0, Left, BCM; Right_Pos: 8, 0, Right, BCM; Request: 8, 0, BCM, Left, Right; }"
    "Frames { BCM_Request: 0x10, BCM, 1 { Request, 0; } Left_State: 0x11, Left, 1 { Left_Pos, 0; }"
    "  Right_State: 0x12, Right, 1 { Right_Pos, 0; } }"
    "Signal_encoding_types { Speed { physical_value, 0, 255, 0.5, 0, \"km/h\"; } }"
    "Signal_representation { Speed: Request; }"
    "Node_attributes { Left { LIN_protocol = \"2.1\"; configured_NAD = 0x01; }"
    "  Right { LIN_protocol = \"2.1\"; configured_NAD = 0x02; } }"
    "Schedule_tables { Main { BCM_Request delay 10 ms; Left_State delay 10 ms; Right_State delay 10 ms; } }";

const char* kOtherBody =
    "LIN_protocol_version = \"2.1\"; LIN_language_version = \"2.1\"; LIN_speed = 19.2 kbps;"
    "Nodes { Master: M, 5 ms, 0.1 ms; Slaves: S; }"
    "Signals { Lamp: 1, 0, M, S; }"
    "Frames { F: 0x01, M, 1 { Lamp, 0; } }"
    "Signal_encoding_types { OnOff { logical_value, 0, \"off\"; logical_value, 1, \"on\"; } }"
    "Signal_representation { OnOff: Lamp; }";

}  // namespace

class CurrentObjectTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { body_ = SampleFile("body.ldf", kBody); }
    void cleanup() { std::filesystem::remove(body_.toStdString()); }

    void aFrameFilterShowsTheFrameItSelects() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        OpenFile(w, body_);
        ShowTab(w, TfrmTabrel::kFrames);
        ClickRow(Find<QListView>(&w, "lstFrames"), "BCM_Request");
        QTest::keyClicks(Find<QLineEdit>(&w, "txtFilterFrame"), "right");
        QCOMPARE(Find<QLineEdit>(&w, "txtFrameDescription")->text(), QString("Right_State"));
        Find<QComboBox>(&w, "lstFrameID")->setCurrentText("0x05");
        const auto saved = SaveAndReload(w);
        QCOMPARE(ToQString(Named(saved->frames, "BCM_Request").frameId), QString("0x10"));
        QCOMPARE(ToQString(Named(saved->frames, "Right_State").frameId), QString("0x05"));
    }

    void aSignalFilterAndTheKeyboardShowTheSignalTheySelect() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        OpenFile(w, body_);
        ShowTab(w, TfrmTabrel::kSignals);
        auto* list = Find<QListView>(&w, "lstSignals");
        ClickRow(list, "Request");
        QTest::keyClicks(Find<QLineEdit>(&w, "txtFilterSignal"), "*pos");
        QCOMPARE(Find<QLineEdit>(&w, "txtSignalDescription")->text(), QString("Left_Pos"));
        Find<QComboBox>(&w, "lstSignalSize")->setCurrentText("4");
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(Find<QLineEdit>(&w, "txtSignalDescription")->text(), QString("Right_Pos"));
        Find<QComboBox>(&w, "lstSignalSize")->setCurrentText("2");
        const auto saved = SaveAndReload(w);
        QCOMPARE(ToQString(Named(saved->signals, "Request").size), QString("8"));
        QCOMPARE(ToQString(Named(saved->signals, "Left_Pos").size), QString("4"));
        QCOMPARE(ToQString(Named(saved->signals, "Right_Pos").size), QString("2"));
    }

    void aRenamedSignalKeepsItsFrameAndEncoding() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        OpenFile(w, body_);
        ShowTab(w, TfrmTabrel::kSignals);
        ClickRow(Find<QListView>(&w, "lstSignals"), "Request");
        auto* name = Find<QLineEdit>(&w, "txtSignalDescription");
        name->selectAll();
        QTest::keyClick(name, Qt::Key_Delete);
        QTest::keyClicks(name, "Left_Pos2");  // passes through another signal's name
        const auto saved = SaveAndReload(w);
        QCOMPARE(ToQString(Named(saved->signals, "Left_Pos2").encoding), QString("Speed"));
        QCOMPARE(ToQString(Named(saved->frames, "BCM_Request").signalNames.Item(0)), QString("Left_Pos2"));
        QCOMPARE(ToQString(Named(saved->frames, "Left_State").signalNames.Item(0)), QString("Left_Pos"));
        saved->CheckSetup();
        QCOMPARE(saved->setupIssueTypes.Count(), 0);
    }

    void thePartEditorFollowsAnotherFile() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        OpenFile(w, body_);
        ShowTab(w, TfrmTabrel::kEncodings);
        auto* parts = Find<QTreeWidget>(&w, "lviewEncodingParts");
        parts->setCurrentItem(parts->topLevelItem(0));
        QCOMPARE(Find<QLineEdit>(&w, "txtEncodingItemDescription")->text(), QString("km/h"));

        const QString other = SampleFile("other.ldf", kOtherBody);
        OpenFile(w, other);
        auto* units = Find<QLineEdit>(&w, "txtEncodingItemDescription");
        QCOMPARE(units->text(), QString("off"));
        QCOMPARE(Find<QLineEdit>(&w, "txtEncodingItemValue1")->text(), QString("0"));
        QVERIFY(!Find(&w, "txtEncodingScaling")->isVisible());
        QTest::keyClicks(units, "X");
        const auto saved = SaveAndReload(w);
        const auto& onOff = Named(saved->encodingTypes, "OnOff");
        QCOMPARE(ToQString(onOff.items.Get(0)->text), QString("offX"));
        QCOMPARE(onOff.items.Get(0)->kind, int(corvdekLINSignalEncodingTypeItem::kLogical));
        std::filesystem::remove(other.toStdString());
    }

    void aNewFrameSavesWithItsLength() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        OpenFile(w, body_);
        ShowTab(w, TfrmTabrel::kFrames);
        Find<QPushButton>(&w, "cmdFramesAdd")->click();
        auto* length = Find<QComboBox>(&w, "lstFrameLength");
        QCOMPARE(length->currentText(), QString("1"));
        Find<QComboBox>(&w, "lstFrameID")->setCurrentText("0x20");
        QCOMPARE(length->currentText(), QString("1"));  // LIN 2.1: the identifier gives no length
        Find<QComboBox>(&w, "lstFrameSourceECU")->setCurrentText("Left");
        Find<QComboBox>(&w, "lstFrameSignals")->setCurrentText("Left_Pos");
        Find<QLineEdit>(&w, "txtFrameSignalOffset")->setText("56");
        Find<QPushButton>(&w, "cmdFrameSignalsAdd")->click();
        QCOMPARE(length->currentText(), QString("8"));  // grown to hold the signal
        length->setCurrentIndex(length->findText("6"));
        Q_EMIT length->textActivated("6");
        const auto saved = SaveAndReload(w);
        QCOMPARE(saved->loadIssueTypes.Count(), 0);
        QCOMPARE(ToQString(Named(saved->frames, "NewFrame4").length), QString("6"));
    }

    void aLengthLeftUnstatedStaysSo() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        QVERIFY(w.Document()->LoadFromBytes(
            "LIN_protocol_version = \"1.3\"; Nodes { Master: M, 5 ms, 0.1 ms; Slaves: S; }"
            "Signals { A: 8, 0, M, S; } Frames { F: 0x01, M { A, 0; } }"));
        w.RefreshAllTabs();
        ShowTab(w, TfrmTabrel::kFrames);
        QCOMPARE(Find<QComboBox>(&w, "lstFrameLength")->currentIndex(), -1);
        Find<QComboBox>(&w, "lstFrameID")->setCurrentText("0x30");
        QVERIFY(w.Document()->frames.Get(0)->length.IsEmpty());
    }

private:
    QString body_;
};

int RunCurrentObjectTests(int argc, char** argv) {
    CurrentObjectTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "current_object_test.moc"
