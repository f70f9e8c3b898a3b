// The single-instance lock: one copy of the program at a time, held for the life of the process.
#pragma once

#include <QString>
#include <memory>

class QLockFile;

namespace platform {

class InstanceLock {
public:
    virtual ~InstanceLock() = default;
    // True when this process now holds the lock (or already held it); false while another copy runs.
    virtual bool tryAcquire() = 0;
};

// A lock file named after the lock in the user's runtime folder. A file left by a copy that
// crashed is recognised as stale (its process is gone) and taken over.
class LockFileInstanceLock : public InstanceLock {
public:
    // An empty folder means the runtime folder (QStandardPaths::RuntimeLocation, else the temp folder).
    explicit LockFileInstanceLock(const QString& name = QStringLiteral("TheStandard"),
                                  const QString& folder = QString());
    ~LockFileInstanceLock() override;

    bool tryAcquire() override;
    QString fileName() const { return fileName_; }

private:
    QString fileName_;
    std::unique_ptr<QLockFile> file_;
    bool held_ = false;
};

// Never refuses: for tests and for embedding windows without the program around them.
class NullInstanceLock : public InstanceLock {
public:
    bool tryAcquire() override { return true; }
};

} // namespace platform
