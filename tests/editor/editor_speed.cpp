// How fast the editor answers on the largest cluster LIN allows (4,096 signals, 64 frames):
// a keystroke in a filter or name field, and a click in a list. Measured with QBENCHMARK;
// nothing here fails on time.

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTabBar>
#include <QtTest>
#include <clocale>

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
    void cleanupTestCase() { shown_.reset(); }

    void signalFilterKeystroke() {
        ShowTab(TfrmTabrel::kSignals);
        auto* filter = Find<QLineEdit>(&shown_->window, "txtFilterSignal");
        QBENCHMARK {
            QTest::keyClick(filter, Qt::Key_1);
            QTest::keyClick(filter, Qt::Key_Backspace);
        }
    }

    void signalNameKeystroke() {
        ShowTab(TfrmTabrel::kSignals);
        auto* name = Find<QLineEdit>(&shown_->window, "txtSignalDescription");
        QBENCHMARK {
            QTest::keyClick(name, Qt::Key_X);
            QTest::keyClick(name, Qt::Key_Backspace);
        }
    }

    void signalListClick() {
        ShowTab(TfrmTabrel::kSignals);
        auto* list = Find<QListWidget>(&shown_->window, "lstSignals");
        int row = 0;
        QBENCHMARK {
            list->setCurrentRow(row = (row + 97) % list->count());
            shown_->window.lstSignalsClick();
        }
    }

    void frameFilterKeystroke() {
        ShowTab(TfrmTabrel::kFrames);
        auto* filter = Find<QLineEdit>(&shown_->window, "txtFilterFrame");
        QBENCHMARK {
            QTest::keyClick(filter, Qt::Key_1);
            QTest::keyClick(filter, Qt::Key_Backspace);
        }
    }

    void frameNameKeystroke() {
        ShowTab(TfrmTabrel::kFrames);
        auto* name = Find<QLineEdit>(&shown_->window, "txtFrameDescription");
        QBENCHMARK {
            QTest::keyClick(name, Qt::Key_X);
            QTest::keyClick(name, Qt::Key_Backspace);
        }
    }

    void frameListClick() {
        ShowTab(TfrmTabrel::kFrames);
        auto* list = Find<QListWidget>(&shown_->window, "lstFrames");
        int row = 0;
        QBENCHMARK {
            list->setCurrentRow(row = (row + 7) % list->count());
            shown_->window.lstFramesClick();
        }
    }

private:
    void ShowTab(int tab) { Find<QTabBar>(&shown_->window, "tabsMain")->setCurrentIndex(tab); }

    std::unique_ptr<ShownWindow> shown_;
};

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    EditorSpeed speed;
    return QTest::qExec(&speed, argc, argv);
}

#include "editor_speed.moc"
