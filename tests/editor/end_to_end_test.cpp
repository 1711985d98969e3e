// A whole cluster built through the editor's controls only, saved with Save As and read
// back by tabrel-cli, which finds no load issue and exactly the objects that were made.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QAbstractButton>
#include <QPushButton>
#include <QTabBar>
#include <QTreeWidget>

#include "editor_test_support.h"
#include "signals_tab.h"
#include "node_attributes_dialog.h"

using namespace editor_test;

namespace {

void Type(QWidget* window, const char* field, const QString& text) {
    auto* edit = window->findChild<QLineEdit*>(field);
    if (edit != nullptr) {
        edit->clear();
        QTest::keyClicks(edit, text);
        return;
    }
    Find<QComboBox>(window, field)->setCurrentText(text);
}

void Click(QWidget* window, const char* button) { Find<QAbstractButton>(window, button)->click(); }

void ChooseKind(QWidget* window, int kind) {
    auto* type = Find<QComboBox>(window, "lstScheduleFrameType");
    type->setCurrentIndex(kind);
    Q_EMIT type->activated(kind);
}

QJsonDocument Cli(const QStringList& arguments, QByteArray* errors = nullptr) {
    QProcess cli;
    cli.start(TABREL_CLI_PATH, arguments);
    cli.waitForFinished(30000);
    if (errors != nullptr) *errors = cli.readAllStandardError();
    return QJsonDocument::fromJson(cli.readAllStandardOutput());
}

QStringList Names(const QJsonArray& objects, const char* key = "name") {
    QStringList names;
    for (const auto& object : objects) names << object.toObject()[key].toString();
    return names;
}

}  // namespace

class EndToEndTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void clusterBuiltThroughTheControlsLoadsBack() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        auto* tabs = Find<QTabBar>(&w, "tabsMain");

        // General
        Type(&w, "lstLINVersion", "2.1");
        Type(&w, "lstLangVersion", "2.1");
        Type(&w, "lstLINSpeed", "19.2");
        Type(&w, "lstPeriod", "5");
        Type(&w, "lstJitter", "0.5");
        Type(&w, "txtChannelName", "Body");
        Type(&w, "txtFileRevision", "1.0");
        Choose(Find<QComboBox>(&w, "lstSignalByteOrder"), 2);
        Click(&w, "chkHasDiagnostics");  // the schedule table sends MasterReq

        // Nodes and the attributes of one slave
        tabs->setCurrentIndex(TfrmTabrel::kNodes);
        Type(&w, "txtMasterName", "BCM");
        for (const char* slave : {"DoorLeft", "DoorRight"}) {
            Type(&w, "txtAddNode", slave);
            Click(&w, "cmdNodeAdd");
        }
        Find<QListWidget>(&w, "lstSlaveNodes")->setCurrentRow(0);
        WhenModal<TfrmNodeAttributes>([](TfrmNodeAttributes* dialog) {
            Find<QComboBox>(dialog, "lstNodeLINProtocol")->setCurrentText("2.1");
            Find<QComboBox>(dialog, "lstNodeLINConfiguredNAD")->setCurrentText("0x21");
            Find<QComboBox>(dialog, "txtSupplierID")->setCurrentIndex(3);
            Find<QLineEdit>(dialog, "txtFunctionID")->setText("0x0001");
            Find<QLineEdit>(dialog, "txtVariant")->setText("1");
            Find<QLineEdit>(dialog, "txtP2MinMs")->setText("50");
            Find<QLineEdit>(dialog, "txtSTMinMs")->setText("0");
            Find<QLineEdit>(dialog, "txtInitialNAD")->setText("0x10");
            Find<QLineEdit>(dialog, "txtNAsTimeout")->setText("1000");
            Find<QLineEdit>(dialog, "txtNCrTimeout")->setText("1000");
            Find<QComboBox>(dialog, "lstConfigurableFrameNames")->setCurrentText("LightCmd");
            Find<QLineEdit>(dialog, "txtConfigurableFrameID")->setText("0x0001");
            Find<QPushButton>(dialog, "cmdScheduleTableFrameAdd")->click();
            Find<QPushButton>(dialog, "cmdOk")->click();
        });
        Click(&w, "cmdNodeAttributes");
        Find<QListWidget>(&w, "lstSlaveNodes")->setCurrentRow(1);
        WhenModal<TfrmNodeAttributes>([](TfrmNodeAttributes* dialog) {
            Find<QComboBox>(dialog, "lstNodeLINProtocol")->setCurrentText("2.1");
            Find<QComboBox>(dialog, "lstNodeLINConfiguredNAD")->setCurrentText("0x22");
            Find<QPushButton>(dialog, "cmdOk")->click();
        });
        Click(&w, "cmdNodeAttributes");

        // Encodings
        tabs->setCurrentIndex(TfrmTabrel::kEncodings);
        Click(&w, "cmdEncodingsAdd");
        Type(&w, "txtEncodingTypeDescription", "OnOff");
        Click(&w, "cmdAddEncodingParts");
        Type(&w, "txtEncodingItemDescription", "off");
        Click(&w, "cmdAddEncodingParts");
        Type(&w, "txtEncodingItemDescription", "on");
        Type(&w, "txtEncodingItemValue1", "1");

        // Signals
        tabs->setCurrentIndex(TfrmTabrel::kSignals);
        const struct {
            const char* name;
            const char* size;
            const char* publisher;
            const char* receiver;
        } signalList[] = {{"LightRequest", "2", "BCM", "DoorLeft"}, {"LeftSwitch", "8", "DoorLeft", "BCM"}};
        for (const auto& signal : signalList) {
            Click(&w, "cmdAdd");
            Type(&w, "txtSignalDescription", signal.name);
            Type(&w, "lstSignalSize", signal.size);
            Type(&w, "txtSignalInitalValue", "0");
            Type(&w, "lstSignalSourceNode", signal.publisher);
            Type(&w, "lstSignalRxNodesAdd", signal.receiver);
            Click(&w, "cmdSignalAddRxNode");
        }
        Find<SignalsTab>(&w, "pnlSignals")->SelectSignalByName("LightRequest");
        Type(&w, "lstSignalRepresentation", "OnOff");

        // Frames
        tabs->setCurrentIndex(TfrmTabrel::kFrames);
        const struct {
            const char* name;
            const char* id;
            const char* publisher;
            const char* signal;
            const char* offset;  // the event-triggered frame needs LeftState's first byte
        } frameList[] = {{"LightCmd", "0x01", "BCM", "LightRequest", "0"},
                         {"LeftState", "0x02", "DoorLeft", "LeftSwitch", "8"}};
        for (const auto& frame : frameList) {
            Click(&w, "cmdFramesAdd");
            Type(&w, "txtFrameDescription", frame.name);
            Type(&w, "lstFrameID", frame.id);
            Type(&w, "lstFrameSourceECU", frame.publisher);
            Type(&w, "lstFrameSignals", frame.signal);
            Type(&w, "txtFrameSignalOffset", frame.offset);
            Click(&w, "cmdFrameSignalsAdd");
        }

        // An event-triggered frame standing for LeftState
        Click(&w, "cmdFramesAdd");
        Type(&w, "txtFrameDescription", "DoorEvents");
        Choose(Find<QComboBox>(&w, "lstFrameType"), 2);
        Choose(Find<QComboBox>(&w, "lstEventFrameID"), 0x10);
        Type(&w, "lstEventCollisionTable", "Normal");
        Type(&w, "lstEventFrameChoice", "LeftState");
        Click(&w, "cmdEventFrameAdd");

        // Schedule table
        tabs->setCurrentIndex(TfrmTabrel::kScheduleTables);
        Click(&w, "cmdAddScheduleTable");
        Type(&w, "txtScheduleTableDescription", "Normal");
        Type(&w, "txtScheduleTableFrameTime", "10");
        for (const char* frame : {"LightCmd", "LeftState"}) {
            ChooseKind(&w, 0);
            Type(&w, "lstScheduleTableFrames", frame);
            Click(&w, "cmdScheduleTableFrameAdd");
        }
        ChooseKind(&w, 1);
        Click(&w, "cmdScheduleTableFrameAdd");
        ChooseKind(&w, 9);  // SaveConfiguration
        Type(&w, "lstScheduleNode", "DoorLeft");
        Click(&w, "cmdScheduleTableFrameAdd");
        ChooseKind(&w, 10);  // AssignFrameIdRange
        Type(&w, "txtScheduleArgument1", "0");
        Click(&w, "cmdScheduleTableFrameAdd");
        ChooseKind(&w, 0);
        Type(&w, "lstScheduleTableFrames", "DoorEvents");
        Click(&w, "cmdScheduleTableFrameAdd");
        auto* entryList = Find<QTreeWidget>(&w, "lviewScheduleTableFrames");
        entryList->setCurrentItem(entryList->topLevelItem(5));
        Click(&w, "cmdScheduleTableFrameUp");  // the event frame right after the frames
        Click(&w, "cmdScheduleTableFrameUp");
        Click(&w, "cmdScheduleTableFrameUp");

        // Save As, then let the command-line tool read it back.
        const QString target = QDir::temp().filePath("tabrel_end_to_end.ldf");
        QFile::remove(target);
        AnswerFileDialog(w, target);
        w.findChild<QAction*>("mnuFileSaveAs")->trigger();
        QVERIFY(QFile::exists(target));

        const QJsonObject checked = Cli({"check", "--format", "json", target}).array().at(0).toObject();
        QCOMPARE(checked["loaded"].toBool(), true);
        QCOMPARE(checked["loadIssues"].toArray().size(), 0);
        QCOMPARE(checked["setupIssues"].toArray().size(), 0);

        QByteArray errors;
        const QJsonObject cluster = Cli({"export", target}, &errors).object();
        QCOMPARE(errors, QByteArray());
        QCOMPARE(cluster["protocolVersion"].toString(), QString("2.1"));
        QCOMPARE(cluster["speed"].toString(), QString("19.2"));
        QCOMPARE(cluster["master"].toObject()["name"].toString(), QString("BCM"));
        QCOMPARE(cluster["master"].toObject()["timeBase"].toString(), QString("5"));
        QCOMPARE(cluster["master"].toObject()["jitter"].toString(), QString("0.5"));
        const QJsonArray slaves = cluster["slaves"].toArray();
        QCOMPARE(Names(slaves), (QStringList{"DoorLeft", "DoorRight"}));
        const QJsonObject attributes = slaves[0].toObject()["attributes"].toObject();
        QCOMPARE(attributes["supplierId"].toString(), QString("0x001E"));
        QCOMPARE(attributes["configuredNAD"].toString(), QString("0x21"));
        QCOMPARE(attributes["configurableFrames"].toArray().size(), 1);
        QCOMPARE(slaves[1].toObject()["attributes"].toObject()["configuredNAD"].toString(), QString("0x22"));

        QCOMPARE(attributes["initialNAD"].toString(), QString("0x10"));
        QCOMPARE(attributes["nAsTimeout"].toString(), QString("1000"));
        QCOMPARE(cluster["channelName"].toString(), QString("Body"));
        QCOMPARE(cluster["fileRevision"].toString(), QString("1.0"));
        QCOMPARE(cluster["signalByteOrder"].toString(), QString("little_endian"));
        const QJsonArray eventFrames = cluster["eventTriggeredFrames"].toArray();
        QCOMPARE(Names(eventFrames), QStringList{"DoorEvents"});
        QCOMPARE(eventFrames[0].toObject()["items"].toArray(), (QJsonArray{"Normal", "0x10", "LeftState"}));
        const QJsonArray signalArray = cluster["signals"].toArray();
        QCOMPARE(Names(signalArray), (QStringList{"LightRequest", "LeftSwitch"}));
        QCOMPARE(signalArray[0].toObject()["encoding"].toString(), QString("OnOff"));
        QCOMPARE(signalArray[1].toObject()["subscribers"].toArray().at(0).toString(), QString("BCM"));
        const QJsonArray frames = cluster["frames"].toArray();
        QCOMPARE(Names(frames), (QStringList{"LightCmd", "LeftState"}));
        QCOMPARE(frames[1].toObject()["id"].toString(), QString("0x02"));
        QCOMPARE(frames[1].toObject()["signals"].toArray().at(0).toObject()["signal"].toString(),
                 QString("LeftSwitch"));
        const QJsonArray tables = cluster["scheduleTables"].toArray();
        QCOMPARE(Names(tables), QStringList{"Normal"});
        const QJsonArray entries = tables[0].toObject()["entries"].toArray();
        QStringList kinds;
        for (const auto& entry : entries) kinds << entry.toObject()["kind"].toString();
        QCOMPARE(kinds, (QStringList{"frame", "frame", "frame", "MasterReq", "SaveConfiguration",
                                     "AssignFrameIdRange"}));
        QCOMPARE(entries[1].toObject()["frame"].toString(), QString("LeftState"));
        QCOMPARE(entries[2].toObject()["frame"].toString(), QString("DoorEvents"));
        QCOMPARE(entries[5].toObject()["arguments"].toArray().at(0).toString(), QString("0"));
        const QJsonArray types = cluster["encodingTypes"].toArray();
        QCOMPARE(Names(types), QStringList{"OnOff"});
        QCOMPARE(types[0].toObject()["parts"].toArray().at(1).toObject()["text"].toString(), QString("on"));
        QCOMPARE(cluster["representations"].toArray().size(), 1);
        QCOMPARE(cluster["sporadicFrames"].toArray().size(), 0);

        // What the tool reads it writes back unchanged.
        const QString rewritten = QDir::temp().filePath("tabrel_end_to_end_rewritten.ldf");
        Cli({"write", target, rewritten});
        QCOMPARE(Cli({"export", rewritten}).object(), cluster);
        QFile::remove(rewritten);
        QFile::remove(target);
    }
};

int RunEndToEndTests(int argc, char** argv) {
    EndToEndTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "end_to_end_test.moc"
