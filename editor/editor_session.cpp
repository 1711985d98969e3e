#include "editor_session.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <utility>

namespace {

constexpr int kRecentFiles = 10;
constexpr int kListWidth = 200;
QString recoveryFolder;  // empty for the user's cache folder
int recoveryDelayMs = 30000;

QSettings Settings() { return QSettings("Kestova", "Tabrel"); }

}  // namespace

int EditorSession::ListWidth(const QString& panel) {
    return Settings().value("listWidth/" + panel, kListWidth).toInt();
}

void EditorSession::RememberListWidth(const QString& panel, int width) {
    Settings().setValue("listWidth/" + panel, width);
}

EditorSession::EditorSession(QObject* parent, std::function<void(const QString& path)> writeCopy)
    : QObject(parent), writeCopy_(std::move(writeCopy)), recoveryTimer_(new QTimer(this)) {
    recoveryTimer_->setSingleShot(true);
    connect(recoveryTimer_, &QTimer::timeout, this, &EditorSession::WriteRecoveryCopy);
}

QStringList EditorSession::RecentFiles() { return Settings().value("recentFiles").toStringList(); }

void EditorSession::RememberFile(const QString& path) {
    const QFileInfo file(path);
    QStringList files = RecentFiles();
    files.removeAll(file.absoluteFilePath());
    files.prepend(file.absoluteFilePath());
    Settings().setValue("recentFiles", files.mid(0, kRecentFiles));
    Settings().setValue("lastFolder", file.absolutePath());
}

void EditorSession::ForgetFile(const QString& path) {
    QStringList files = RecentFiles();
    files.removeAll(path);
    Settings().setValue("recentFiles", files);
}

QString EditorSession::LastFolder() { return Settings().value("lastFolder").toString(); }

void EditorSession::SetRecoveryFolder(const QString& folder) { recoveryFolder = folder; }

void EditorSession::SetRecoveryDelay(int milliseconds) { recoveryDelayMs = milliseconds; }

QString EditorSession::RecoveryPath() {
    const QString folder = recoveryFolder.isEmpty()
                               ? QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + "/tabrel"
                               : recoveryFolder;
    return folder + "/recovery.ldf";
}

bool EditorSession::HasRecoveryCopy() { return QFileInfo::exists(RecoveryPath()); }

void EditorSession::EditsChanged() { recoveryTimer_->start(recoveryDelayMs); }

void EditorSession::RemoveRecoveryCopy() {
    recoveryTimer_->stop();
    QFile::remove(RecoveryPath());
}

void EditorSession::WriteRecoveryCopy() {
    QDir().mkpath(QFileInfo(RecoveryPath()).path());
    writeCopy_(RecoveryPath());
}
