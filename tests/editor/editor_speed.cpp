// How fast the editor answers on the largest cluster LIN allows (4,096 signals, 64 frames):
// a keystroke in a filter or name field, a click in a list, a setup check tick; and how fast
// it opens the stress cluster. Measured with QBENCHMARK; nothing here fails on time.

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QTabBar>
#include <QtTest>
#include <clocale>
#include <fstream>

#include "cluster_generator.h"
#include "editor_test_support.h"
#include "model/definition_file.h"

using namespace editor_test;

class EditorSpeed : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        shown_ = std::make_unique<ShownWindow>();
        TfrmTabrel& w = shown_->window;
        QVERIFY(w.Document()->LoadFromBytes(GenerateClusterLdf(kLargestLinCluster)));
        w.RefreshAllTabs();
        QCOMPARE(w.Document()->signals.GetCount(), 4096);
    }
    void cleanupTestCase() {
        shown_.reset();
        stress_.reset();
        QFile::remove(stressPath_);
    }

    void signalFilterKeystroke() {
        ShowTab(shown_->window, TfrmTabrel::kSignals);
        auto* filter = Find<QLineEdit>(&shown_->window, "txtFilterSignal");
        QBENCHMARK {
            QTest::keyClick(filter, Qt::Key_1);
            QTest::keyClick(filter, Qt::Key_Backspace);
            Repaint(shown_->window);
        }
    }

    void signalNameKeystroke() {
        ShowTab(shown_->window, TfrmTabrel::kSignals);
        auto* name = Find<QLineEdit>(&shown_->window, "txtSignalDescription");
        QBENCHMARK {
            QTest::keyClick(name, Qt::Key_X);
            QTest::keyClick(name, Qt::Key_Backspace);
            Repaint(shown_->window);
        }
    }

    void signalListClick() {
        ShowTab(shown_->window, TfrmTabrel::kSignals);
        auto* list = Find<QListView>(&shown_->window, "lstSignals");
        int row = 0;
        QBENCHMARK {
            SetCurrentRow(list, row = (row + 97) % list->model()->rowCount());  // shows the signal
            Repaint(shown_->window);
        }
    }

    void frameFilterKeystroke() {
        ShowTab(shown_->window, TfrmTabrel::kFrames);
        auto* filter = Find<QLineEdit>(&shown_->window, "txtFilterFrame");
        QBENCHMARK {
            QTest::keyClick(filter, Qt::Key_1);
            QTest::keyClick(filter, Qt::Key_Backspace);
            Repaint(shown_->window);
        }
    }

    void frameNameKeystroke() {
        ShowTab(shown_->window, TfrmTabrel::kFrames);
        auto* name = Find<QLineEdit>(&shown_->window, "txtFrameDescription");
        QBENCHMARK {
            QTest::keyClick(name, Qt::Key_X);
            QTest::keyClick(name, Qt::Key_Backspace);
            Repaint(shown_->window);
        }
    }

    void frameListClick() {
        ShowTab(shown_->window, TfrmTabrel::kFrames);
        auto* list = Find<QListView>(&shown_->window, "lstFrames");
        int row = 0;
        QBENCHMARK {
            SetCurrentRow(list, row = (row + 7) % list->model()->rowCount());
            Repaint(shown_->window);
        }
    }

    // The 3000 ms setup check on the largest cluster, its issues unchanged since the last tick.
    void setupCheckTick() {
        shown_->window.Timer1Timer();
        QBENCHMARK {
            shown_->window.Timer1Timer();
            Repaint(shown_->window);
        }
    }

    // Undo and redo of a rename: each exchanges every part of the document with its copy.
    void undoAndRedo() {
        TfrmTabrel& w = shown_->window;
        ShowTab(w, TfrmTabrel::kSignals);
        auto* name = Find<QLineEdit>(&w, "txtSignalDescription");
        name->setFocus();
        QTest::keyClick(name, Qt::Key_X);
        QApplication::processEvents();
        auto* undo = w.findChild<QAction*>("mnuEditUndo");
        auto* redo = w.findChild<QAction*>("mnuEditRedo");
        QVERIFY(undo->isEnabled());
        QBENCHMARK {
            undo->trigger();
            Repaint(w);
            redo->trigger();
            Repaint(w);
        }
    }

    // File > Open of the 40,000-signal stress cluster with the General tab or the LDF File
    // tab in front.
    void stressClusterOpen_data() {
        QTest::addColumn<int>("tab");
        QTest::newRow("General") << int(TfrmTabrel::kGeneral);
        QTest::newRow("LDF File") << int(TfrmTabrel::kLdfFile);
    }
    void stressClusterOpen() {
        QFETCH(int, tab);
        stressPath_ = TempPath("stress.ldf");  // the function runs again for more iterations
        std::ofstream(stressPath_.toStdString(), std::ios::binary) << GenerateClusterLdf(kStressCluster);
        stress_ = std::make_unique<ShownWindow>();
        ShowTab(stress_->window, tab);
        QBENCHMARK {
            OpenFile(stress_->window, stressPath_);
            Repaint(stress_->window);
        }
        QCOMPARE(stress_->window.Document()->signals.GetCount(), 40000);
    }

    // A setup check tick on the stress cluster, its issues unchanged.
    void stressClusterTick() {
        stress_->window.Timer1Timer();
        QBENCHMARK { stress_->window.Timer1Timer(); }
    }

    // A setup check tick on the stress cluster whose issues changed (the master's name is
    // blanked and restored in turns), painted.
    void stressClusterTickWithNewIssues() {
        TfrmTabrel& w = stress_->window;
        corvString& master = w.Document()->master.name;
        const corvString name = master;
        bool blank = false;
        QBENCHMARK {
            master = (blank = !blank) ? corvString() : name;
            w.Timer1Timer();
            Repaint(w);
        }
        master = name;
    }

    // A keystroke and its Backspace in a signal's name or the signal filter of the stress
    // cluster, painted.
    void stressClusterSignalKeystroke_data() {
        QTest::addColumn<QString>("field");
        QTest::newRow("name") << "txtSignalDescription";
        QTest::newRow("filter") << "txtFilterSignal";
    }
    void stressClusterSignalKeystroke() {
        QFETCH(QString, field);
        TfrmTabrel& w = stress_->window;
        ShowTab(w, TfrmTabrel::kSignals);
        auto* edit = Find<QLineEdit>(&w, field.toLatin1().constData());
        QBENCHMARK {
            QTest::keyClick(edit, Qt::Key_X);
            QTest::keyClick(edit, Qt::Key_Backspace);
            Repaint(w);
        }
    }

private:
    // What the user sees of an answer: pending events handled and the window painted.
    static void Repaint(TfrmTabrel& window) {
        QApplication::processEvents();
        window.repaint();
    }

    std::unique_ptr<ShownWindow> shown_;
    std::unique_ptr<ShownWindow> stress_;
    QString stressPath_;
};

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    const IsolatedUserFolders folders;
    EditorSpeed speed;
    return QTest::qExec(&speed, argc, argv);
}

#include "editor_speed.moc"
