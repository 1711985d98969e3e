#pragma once
// What the editor keeps beyond one document: the files opened or saved last, the folder the
// file dialogs start in, and the recovery copy of unsaved edits, written a while after the
// last edit and offered at the next start.

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class QTimer;

class EditorSession : public QObject {
    Q_OBJECT
public:
    // `writeCopy` writes the document's unsaved edits to the path it is given.
    EditorSession(QObject* parent, std::function<void(const QString& path)> writeCopy);

    // The last files opened or saved, newest first (at most ten).
    static QStringList RecentFiles();
    // Puts `path` first among the recent files; its folder is where the dialogs start next.
    static void RememberFile(const QString& path);
    static void ForgetFile(const QString& path);
    static QString LastFolder();
    // The width the user gave the object list of the tab `panel`, in pixels.
    static int ListWidth(const QString& panel);
    static void RememberListWidth(const QString& panel, int width);

    // Where the recovery copy is kept (the user's cache folder unless set), and how long
    // after the last edit it is written.
    static void SetRecoveryFolder(const QString& folder);
    static void SetRecoveryDelay(int milliseconds);
    static QString RecoveryPath();
    static bool HasRecoveryCopy();
    // An edit was made: the copy is written once the edits pause.
    void EditsChanged();
    // The edits are saved or discarded: no copy is left.
    void RemoveRecoveryCopy();

private:
    void WriteRecoveryCopy();

    std::function<void(const QString& path)> writeCopy_;
    QTimer* recoveryTimer_;
};
