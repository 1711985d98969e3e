// Grabs every tab and dialog of the window with a loaded sample into PNG files under the
// build folder, at three window sizes, for a person to look at.

#include <QAbstractButton>
#include <QDialog>
#include <QDir>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>

#include "editor_test_support.h"
#include "frames_tab.h"

using namespace editor_test;

class ScreenshotTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyTabAndDialogAtThreeSizes() {
        ShownWindow shown;
        TfrmTabrel& w = shown.window;
        AnswerFileDialog(w, QString(TABREL_TEST_DATA_DIR) + "/lin22_climate.ldf");
        w.mnuFileOpenClick();
        w.Timer1Timer();
        for (const QSize size : {QSize(800, 600), QSize(1366, 768), QSize(1920, 1080)}) {
            w.resize(size);
            const QDir folder(QString(TABREL_BINARY_DIR) + QString("/screenshots/%1x%2").arg(size.width()).arg(size.height()));
            QVERIFY(folder.mkpath("."));
            auto* tabs = Find<QTabBar>(&w, "tabsMain");
            Find<FramesTab>(&w, "pnlFrames")->SelectFrameByName("CCU_Cmd");  // an unconditional frame
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
            // The dialogs, each grabbed while it is open and then closed.
            for (const DialogPath& dialog : kDialogs) {
                const QString path = folder.filePath(QString("dialog_%1.png").arg(QString(dialog.title).replace(' ', '_')));
                OpenDialog(w, dialog, [path](QDialog* open) {
                    QTest::qWait(50);
                    open->grab().save(path);
                    open->reject();
                });
                QVERIFY2(QFile::exists(path), dialog.title);
            }
        }
    }
};

int RunScreenshotTests(int argc, char** argv) {
    ScreenshotTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "screenshot_test.moc"
