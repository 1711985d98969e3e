// Tabrel: the desktop editor for LIN description files.

#include <QApplication>
#include <QMessageBox>
#include <clocale>
#include <exception>

#include "artwork.h"
#include "foundation/heap_policy.h"
#include "tabrel_window.h"

namespace {

// An error that escapes an event handler is shown, and the editor goes on.
class TabrelApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& error) {
            QMessageBox::critical(nullptr, "Tabrel", error.what());
        } catch (...) {
            QMessageBox::critical(nullptr, "Tabrel", QString());
        }
        return false;
    }
};

}  // namespace

int main(int argc, char** argv) {
    tabrel::KeepFreedMemoryInTheHeap();
    TabrelApplication application(argc, argv);
    // Numbers in files are read and written the C way whatever the user's locale is.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName("Tabrel");
    QApplication::setWindowIcon(QIcon(LogoPicture(64)));
    TfrmTabrel window;
    window.show();
    // 'tabrel FILE.ldf', as the file manager starts it for a double-clicked file.
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) window.OpenPath(arguments.at(1));
    return application.exec();
}
