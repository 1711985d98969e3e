// Grabs every tab of the window with a loaded sample into PNG files under the build folder,
// for a person to look at.

#include <QDir>
#include <QListView>
#include <QTabBar>

#include "editor_test_support.h"
#include "frames_tab.h"

using namespace editor_test;

class ScreenshotTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyTabOfALoadedSample() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        w.resize(1280, 760);
        AnswerFileDialog(w, QString(TABREL_TEST_DATA_DIR) + "/lin22_climate.ldf");
        w.mnuFileOpenClick();
        w.Timer1Timer();
        const QDir folder(QString(TABREL_BINARY_DIR) + "/screenshots");
        QVERIFY(folder.mkpath("."));
        auto* tabs = Find<QTabBar>(&w, "tabsMain");
        // Show the first schedule table and encoding, as a click would.
        SetCurrentRow(Find<QListView>(&w, "lstScheduleTables"), 0);
        SetCurrentRow(Find<QListView>(&w, "lstEncodings"), 0);
        for (int tab = 0; tab < tabs->count(); ++tab) {
            tabs->setCurrentIndex(tab);
            QTest::qWait(50);  // let the layouts settle before the picture
            const QString name = QString("%1_%2.png").arg(tab).arg(tabs->tabText(tab).replace(' ', '_'));
            QVERIFY(w.grab().save(folder.filePath(name)));
        }
        // The other kinds of frames.
        tabs->setCurrentIndex(TfrmTabrel::kFrames);
        for (const char* frame : {"ClimateSporadic", "FlapEvent"}) {
            Find<FramesTab>(&w, "pnlFrames")->SelectFrameByName(frame);
            QTest::qWait(50);
            QVERIFY(w.grab().save(folder.filePath(QString("3_Frames_%1.png").arg(frame))));
        }
    }
};

int RunScreenshotTests(int argc, char** argv) {
    ScreenshotTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "screenshot_test.moc"
