// The single-instance lock over QLockFile.
#include "platform/instance_lock.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

namespace platform {

namespace {
QString runtimeFolder() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty() || !QDir().mkpath(dir)) dir = QDir::tempPath();
    return dir;
}
} // namespace

LockFileInstanceLock::LockFileInstanceLock(const QString& name, const QString& folder)
    : fileName_(QDir(folder.isEmpty() ? runtimeFolder() : folder).filePath(name + QStringLiteral(".lock"))),
      file_(std::make_unique<QLockFile>(fileName_)) {
    // The lock is held for hours: only a vanished owner makes it stale, never its age.
    file_->setStaleLockTime(0);
}

LockFileInstanceLock::~LockFileInstanceLock() = default;

bool LockFileInstanceLock::tryAcquire() {
    if (held_) return true;
    if (file_->tryLock(0)) return held_ = true;
    if (file_->error() == QLockFile::LockFailedError) return false;
    // A folder we cannot write to says nothing about another copy; refusing would lock the user out.
    qWarning("cannot create the lock file %s", qPrintable(fileName_));
    return true;
}

} // namespace platform
