// Runs the editor's test classes in one process on Qt's offscreen platform.

#include <QApplication>
#include <QtTest>
#include <clocale>

#include "editor_test_support.h"

int RunMainWindowTests(int argc, char** argv);
int RunGeneralNodesTests(int argc, char** argv);
int RunSignalsFramesTests(int argc, char** argv);
int RunScheduleEncodingsTests(int argc, char** argv);
int RunCurrentObjectTests(int argc, char** argv);
int RunEditEverythingTests(int argc, char** argv);
int RunEndToEndTests(int argc, char** argv);
int RunScreenshotTests(int argc, char** argv);
int RunDailyUseTests(int argc, char** argv);
int RunUserFaultsTests(int argc, char** argv);
int RunCompareTests(int argc, char** argv);
int RunLayoutTests(int argc, char** argv);
int RunNcfTests(int argc, char** argv);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName("Tabrel");
    const editor_test::IsolatedUserFolders folders;
    int failures = 0;
    failures += RunMainWindowTests(argc, argv);
    failures += RunGeneralNodesTests(argc, argv);
    failures += RunSignalsFramesTests(argc, argv);
    failures += RunScheduleEncodingsTests(argc, argv);
    failures += RunCurrentObjectTests(argc, argv);
    failures += RunEditEverythingTests(argc, argv);
    failures += RunEndToEndTests(argc, argv);
    failures += RunDailyUseTests(argc, argv);
    failures += RunUserFaultsTests(argc, argv);
    failures += RunCompareTests(argc, argv);
    failures += RunLayoutTests(argc, argv);
    failures += RunNcfTests(argc, argv);
    failures += RunScreenshotTests(argc, argv);
    return failures == 0 ? 0 : 1;
}
