// The General and Nodes tabs, and the node attributes and composite nodes dialogs.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

#include "composite_nodes_dialog.h"
#include "editor_test_support.h"
#include "model/definition_file.h"
#include "node_attributes_dialog.h"
#include "nodes_tab.h"
#include "qt_text.h"

using namespace editor_test;

namespace {

QStringList Slaves(QWidget* window) {
    QStringList names;
    auto* list = Find<QListWidget>(window, "lstSlaveNodes");
    for (int i = 0; i < list->count(); ++i) names << list->item(i)->text();
    return names;
}

void AddSlave(QWidget* window, const QString& name) {
    Find<QLineEdit>(window, "txtAddNode")->setText(name);
    Find<QPushButton>(window, "cmdNodeAdd")->click();
}

}  // namespace

class GeneralNodesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void generalFieldsWriteTheDocument() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        corvdekLINDefinitionFile& document = *w.Document();
        Find<QComboBox>(&w, "lstLINVersion")->setCurrentText("J2602_1_1.0");
        QVERIFY(document.isJ2602);
        Find<QComboBox>(&w, "lstLangVersion")->setCurrentText("2.0");
        QVERIFY(document.isJ2602);  // re-derived from the unchanged protocol version
        Find<QComboBox>(&w, "lstLINVersion")->setCurrentIndex(2);
        QCOMPARE(ToQString(document.protocolVersion), QString("2.1"));
        QVERIFY(!document.isJ2602);
        QCOMPARE(ToQString(document.languageVersion), QString("2.0"));
        Find<QComboBox>(&w, "lstPeriod")->setCurrentText("5");
        Find<QComboBox>(&w, "lstJitter")->setCurrentText("0.5");
        QCOMPARE(ToQString(document.masterTimebase), QString("5"));
        QCOMPARE(ToQString(document.masterJitter), QString("0.5"));
        QTest::mouseClick(Find<QCheckBox>(&w, "chkHasDiagnostics"), Qt::LeftButton);
        QVERIFY(document.hasDiagnosticFrames);
    }

    void bitTimeTexts() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        auto* speed = Find<QComboBox>(&w, "lstLINSpeed");
        auto* label = Find<QLabel>(&w, "lblBitRate");
        const std::pair<const char*, const char*> cases[] = {
            {"9.6", "104.167"}, {"10.41", "96.061"}, {"14.4", "69.444"}, {"19.2", "52.083"}};
        for (const auto& [text, time] : cases) {
            speed->setCurrentText(text);
            QCOMPARE(label->text(), QString("Bit Time: ") + time + QString::fromUtf8(" \u00B5s"));
        }
        speed->setCurrentText(" 19.2 ");
        QCOMPARE(label->text(), QString::fromUtf8("Bit Time: 52.083 \u00B5s"));
        QCOMPARE(ToQString(w.Document()->speed), QString("19.2"));  // a typed speed is a number
        for (const char* none : {"0", "abc", ""}) {
            speed->setCurrentText(none);
            QCOMPARE(label->text(), QString("Bit Time: "));
        }
    }

    void namesTurnSpacesIntoUnderscores() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        auto* master = Find<QLineEdit>(&w, "txtMasterName");
        QTest::keyClicks(master, "Body Controller");
        QCOMPARE(master->text(), QString("Body_Controller"));
        QCOMPARE(ToQString(w.Document()->master.name), QString("Body_Controller"));
        QTest::keyClicks(Find<QLineEdit>(&w, "txtAddNode"), "Door Left");
        QCOMPARE(Find<QLineEdit>(&w, "txtAddNode")->text(), QString("Door_Left"));
    }

    void addRemoveAndClearSlaves() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        AddSlave(&w, "   ");
        QVERIFY(Slaves(&w).isEmpty());
        for (const char* name : {" A ", "B", "C", "B"}) AddSlave(&w, name);
        QCOMPARE(Slaves(&w), (QStringList{"A", "B", "C", "B"}));
        QVERIFY(Find<QLineEdit>(&w, "txtAddNode")->text().isEmpty());
        auto* list = Find<QListWidget>(&w, "lstSlaveNodes");
        QCOMPARE(list->currentRow(), 0);

        list->setCurrentRow(1);
        auto declined = AnswerMessage(QMessageBox::No);
        Find<QPushButton>(&w, "cmdNodesRemove")->click();
        QCOMPARE(declined->title, QString("Confirm Remove"));
        QCOMPARE(declined->text, QString("Are you sure you want to remove this slave node?"));
        QCOMPARE(Slaves(&w).size(), 4);

        AnswerMessage(QMessageBox::Yes);
        Find<QPushButton>(&w, "cmdNodesRemove")->click();
        QCOMPARE(Slaves(&w), (QStringList{"A", "C", "B"}));
        QCOMPARE(list->currentRow(), 1);  // the same index: now the next slave
        list->setCurrentRow(2);
        AnswerMessage(QMessageBox::Yes);
        Find<QPushButton>(&w, "cmdNodesRemove")->click();
        QCOMPARE(list->currentRow(), 0);  // the last one went: the first is selected

        Find<QPushButton>(&w, "cmdNodesClear")->click();
        QVERIFY(Slaves(&w).isEmpty());
        QCOMPARE(w.Document()->nodes.GetCount(), 0);
        Find<QPushButton>(&w, "cmdNodeAttributes")->click();  // no slave selected: nothing
    }

    void nodeAttributesDialogEditsTheNode() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        AddSlave(&w, "LSM");
        AddSlave(&w, "RSM");
        Find<QListWidget>(&w, "lstSlaveNodes")->setCurrentRow(1);
        WhenModal<TfrmNodeAttributes>([](TfrmNodeAttributes* dialog) {
            QCOMPARE(dialog->windowTitle(), QString("Node Attributes for: RSM"));
            QCOMPARE(Find<QComboBox>(dialog, "txtSupplierID")->count(), 47);
            Find<QComboBox>(dialog, "lstNodeLINProtocol")->setCurrentText("2.0");
            Find<QComboBox>(dialog, "lstNodeLINConfiguredNAD")->setCurrentText("0x21");
            Find<QComboBox>(dialog, "txtSupplierID")->setCurrentIndex(3);  // Vector Informatik
            Find<QLineEdit>(dialog, "txtFunctionID")->setText("0x0001");
            Find<QLineEdit>(dialog, "txtVariant")->setText("2");
            Find<QLineEdit>(dialog, "txtP2MinMs")->setText("50ms");
            Find<QLineEdit>(dialog, "txtSTMinMs")->setText("0");
            Find<QLineEdit>(dialog, "txtResponseTolerance")->setText("38");
            Find<QComboBox>(dialog, "lstConfigurableFrameNames")->setCurrentText("Frame1");
            Find<QLineEdit>(dialog, "txtConfigurableFrameID")->setText("0x10");
            Find<QPushButton>(dialog, "cmdScheduleTableFrameAdd")->click();
            Find<QPushButton>(dialog, "cmdScheduleTableFrameAdd")->click();
            auto* frames = Find<QTreeWidget>(dialog, "lviewConfigurableFrames");
            QCOMPARE(frames->topLevelItemCount(), 2);
            Find<QPushButton>(dialog, "cmdScheduleTableFrameRemove")->click();  // nothing selected
            QCOMPARE(frames->topLevelItemCount(), 2);
            frames->setCurrentItem(frames->topLevelItem(0));
            Find<QPushButton>(dialog, "cmdScheduleTableFrameRemove")->click();
            QCOMPARE(frames->topLevelItemCount(), 1);
            Find<QPushButton>(dialog, "cmdOk")->click();
        });
        Find<QPushButton>(&w, "cmdNodeAttributes")->click();
        const corvdekLINNode& node = *w.Document()->nodes.Get(1);
        QCOMPARE(ToQString(node.protocol), QString("2.0"));
        QCOMPARE(ToQString(node.configuredNAD), QString("0x21"));
        QCOMPARE(ToQString(node.supplierId), QString("0x001E"));
        QCOMPARE(ToQString(node.functionId), QString("0x0001"));
        QCOMPARE(ToQString(node.variant), QString("2"));
        QCOMPARE(ToQString(node.p2Min), QString("50ms"));
        QCOMPARE(ToQString(node.responseTolerance), QString("38"));
        QCOMPARE(node.configurableFrameNames.Count(), 1);
        QCOMPARE(ToQString(node.configurableFrameIds.Item(0)), QString("0x10"));
        QVERIFY(!w.Document()->nodes.Get(0)->HasAttributes());

        // Typed supplier ids are stored trimmed and whole.
        WhenModal<TfrmNodeAttributes>([](TfrmNodeAttributes* dialog) {
            QCOMPARE(Find<QLineEdit>(dialog, "txtP2MinMs")->text(), QString("50ms"));
            Find<QComboBox>(dialog, "txtSupplierID")->setCurrentText("  0x1E ");
            Find<QPushButton>(dialog, "cmdScheduleTableFrameClearAll")->click();
            dialog->close();  // the close box keeps every change too
        });
        Find<QPushButton>(&w, "cmdNodeAttributes")->click();
        QCOMPARE(ToQString(node.supplierId), QString("0x1E"));
        QCOMPARE(node.configurableFrameNames.Count(), 0);
    }

    void compositeNodesDialogEditsConfigurations() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        corvdekLINDefinitionFile& document = *w.Document();
        WhenModal<TfrmLINCompositeNodes>([](TfrmLINCompositeNodes* dialog) {
            auto* list = Find<QListWidget>(dialog, "lstConfigurations");
            auto* description = Find<QLineEdit>(dialog, "txtFrameDescription");
            QCOMPARE(list->count(), 0);
            description->setText("typed without a configuration");
            Find<QPushButton>(dialog, "cmdFramesAdd")->click();
            Find<QPushButton>(dialog, "cmdFramesAdd")->click();
            QCOMPARE(list->count(), 2);
            QCOMPARE(list->currentRow(), 1);
            QCOMPARE(description->text(), QString("NewConfiguraton"));
            Find<QPushButton>(dialog, "cmdFramesAdd")->click();
            list->setCurrentRow(0);
            description->setText("Dual");
            QCOMPARE(list->item(0)->text(), QString("Dual"));
            list->setCurrentRow(1);
            Find<QPushButton>(dialog, "cmdFramesRemove")->click();
            QCOMPARE(list->currentRow(), 1);  // the last remaining one, not the neighbour
            dialog->close();
        });
        Find<QPushButton>(&w, "cmdCompositeNodes")->click();
        QCOMPARE(document.compositeConfigurations.GetCount(), 2);
        QCOMPARE(ToQString(document.compositeConfigurations.Get(0)->name), QString("Dual"));
        QCOMPARE(ToQString(document.compositeConfigurations.Get(1)->name), QString("NewConfiguraton"));
    }

    void generateCodeButtonsWriteAHeader() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        AddSlave(&w, "LSM");
        const QString target = QDir::temp().filePath("tabrel_editor_header.h");
        const auto filters = AnswerFileDialog(w, target);
        Find<NodesTab>(&w, "pnlNodes")->cmdGenerateCodeSlaveClick();
        QCOMPARE(*filters, QStringList{"C Header Files (*.h)"});
        QVERIFY(QFile::exists(target));
        QFile::remove(target);
        // Save As offers LDF files again afterwards.
        const auto saveFilters = AnswerFileDialog(w, QString());
        w.mnuFileSaveAsClick();
        QCOMPARE(*saveFilters, QStringList{"LDF Files (*.ldf)"});
    }
};


int RunGeneralNodesTests(int argc, char** argv) {
    GeneralNodesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "general_nodes_test.moc"
