// Backup, restore and initialisation of the ledger file.
#include "admin/ledger_files.h"

#include "admin/user_ops.h"
#include "store/db.h"
#include "store/dmod1.h"
#include "store/ledger_check.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSqlDriver>
#include <QTemporaryFile>
#include <fcntl.h>
#include <filesystem>
#include <sqlite3.h>
#include <unistd.h>

namespace admin {

namespace {

QString inBackupFolder(const QString& programDir, const char* name) {
    return QDir(programDir).filePath(QStringLiteral("backdatabase/") + QString::fromUtf8(name));
}

QByteArray fsName(const QString& path) {
    return QFile::encodeName(path);
}

// The engine handle behind a Qt connection: the online backup has no Qt SQL call.
sqlite3* handleOf(const QSqlDatabase& db) {
    if (!db.isOpen() || !db.driver()) return nullptr;
    const QVariant v = db.driver()->handle();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0) return nullptr;
    return *static_cast<sqlite3* const*>(v.constData());
}

// Flushes a file (or a folder, after a rename in it) to the disk.
bool syncPath(const QString& path) {
    const int fd = ::open(fsName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

bool renameOver(const QString& from, const QString& to) {
    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(fsName(from).toStdString()),
                            std::filesystem::path(fsName(to).toStdString()), ec);
    return !ec;
}

// A fresh, empty file beside target under a name of its own; removed again unless kept.
class Staging {
public:
    explicit Staging(const QString& target)
        : file_(QFileInfo(target).absoluteFilePath() + QStringLiteral(".XXXXXX.part")) {
        ok_ = file_.open();
        file_.close();
    }
    bool ok() const { return ok_; }
    QString path() const { return file_.fileName(); }
    // Moves the staged file over target (atomic on one file system) and makes the rename durable.
    bool moveOver(const QString& target) {
        if (!renameOver(path(), target)) return false;
        file_.setAutoRemove(false);
        syncPath(QFileInfo(target).absolutePath());
        return true;
    }

private:
    QTemporaryFile file_;
    bool ok_ = false;
};

// Copies the main database of src into the empty file at path through SQLite's online backup: one
// read transaction on the source, so the copy is the last committed state even while another
// connection is writing.
bool copyDatabase(sqlite3* src, const QString& path) {
    sqlite3* dst = nullptr;
    int rc = sqlite3_open_v2(fsName(path).constData(), &dst, SQLITE_OPEN_READWRITE, nullptr);
    // The copy is a private file that takes its real name only once whole and flushed (syncPath):
    // a journal and the engine's own syncs would only write and wait twice.
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(dst, "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF", nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_backup* backup = sqlite3_backup_init(dst, "main", src, "main");
        if (!backup) {
            rc = sqlite3_errcode(dst);
        } else {
            // A writer in the middle of its commit holds the file for a moment: wait up to 3 s.
            for (int tries = 0; tries < 150; ++tries) {
                rc = sqlite3_backup_step(backup, -1);
                if (rc != SQLITE_BUSY && rc != SQLITE_LOCKED) break;
                sqlite3_sleep(20);
            }
            const int finished = sqlite3_backup_finish(backup);
            if (rc == SQLITE_DONE) rc = finished;
        }
    }
    sqlite3_close(dst);
    return rc == SQLITE_OK;
}

// Writes a checked copy of src over target: staged beside it, copied, flushed, checked, renamed.
bool snapshotOver(sqlite3* src, const QString& target, store::Integrity integrity) {
    Staging staged(target);
    if (!staged.ok() || !copyDatabase(src, staged.path()) || !syncPath(staged.path())) return false;
    try {
        store::checkLedgerFile(staged.path(), integrity);
    } catch (const store::DbError&) {
        return false;
    }
    return staged.moveOver(target);
}

// A file the engine may still need beside the ledger: another process is in the middle of writing.
bool hasJournal(const QString& ledger) {
    return QFileInfo::exists(ledger + QStringLiteral("-journal")) ||
           QFileInfo::exists(ledger + QStringLiteral("-wal"));
}

// Copies a database file that nothing has open through the online backup (read-only on the source).
bool copyClosedDatabase(const QString& source, const QString& path) {
    sqlite3* from = nullptr;
    const bool ok =
        sqlite3_open_v2(fsName(source).constData(), &from, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK &&
        copyDatabase(from, path) && syncPath(path);
    sqlite3_close(from);
    return ok;
}

// Keeps the closed ledger under a second name, part, for the safety copy. A hard link costs nothing
// and is the very file that was the ledger; where the file system has no links, a copy is made
// instead.
bool prepareSafetyCopy(const QString& ledger, const QString& part) {
    QFile::remove(part);
    std::error_code ec;
    std::filesystem::create_hard_link(std::filesystem::path(fsName(ledger).toStdString()),
                                      std::filesystem::path(fsName(part).toStdString()), ec);
    if (!ec || copyClosedDatabase(ledger, part)) return true;
    QFile::remove(part);
    QFile::remove(part + QStringLiteral("-journal"));
    return false;
}

FileOutcome replaceLedger(store::Tdmod1& dm, const QString& programDir, const QString& source,
                          const QString& safetyCopy) {
    if (!QFileInfo::exists(source)) return FileOutcome::Missing;
    try {
        store::checkLedgerFile(source, store::Integrity::Verify);
    } catch (const store::DbError&) {
        return FileOutcome::Refused;
    }
    const QString ledger = dm.path();
    if (ledger.isEmpty() || !QDir(programDir).mkpath(QStringLiteral("backdatabase")))
        return FileOutcome::Failed;

    // The replacement is made whole beside the ledger before the ledger is touched.
    Staging staged(ledger);
    bool ready = staged.ok() && copyClosedDatabase(source, staged.path());
    if (ready) {
        try {
            store::checkLedgerFile(staged.path(), store::Integrity::Skip);
        } catch (const store::DbError&) {
            ready = false;
        }
    }
    if (!ready) return FileOutcome::Failed;

    const ListStatements lists = listStatements(dm);
    dm.close();
    // A journal beside the closed ledger means another process is writing to it: leave it be. The
    // safety copy takes its name only once the ledger's name has moved on to the replacement, so a
    // linked safety copy is never the live ledger, and a failure keeps the earlier safety copy.
    const QString part = safetyCopy + QStringLiteral(".part");
    bool replaced = false;
    if (!hasJournal(ledger) && prepareSafetyCopy(ledger, part)) {
        replaced = staged.moveOver(ledger);
        if (!replaced)
            QFile::remove(part);
        else if (renameOver(part, safetyCopy))
            syncPath(QFileInfo(safetyCopy).absolutePath());
    }
    // Whatever happened, the program goes on with the ledger in place.
    dm.open(ledger);
    reopenLists(dm, lists);
    return replaced ? FileOutcome::Done : FileOutcome::Failed;
}

} // namespace

QString backupPath(const QString& programDir) {
    return inBackupFolder(programDir, "backdate.ysn");
}
QString backupTimePath(const QString& programDir) {
    return inBackupFolder(programDir, "backdate.dat");
}
QString beforeRestorePath(const QString& programDir) {
    return inBackupFolder(programDir, "before-restore.ysn");
}
QString beforeInitialisePath(const QString& programDir) {
    return inBackupFolder(programDir, "before-initialise.ysn");
}

QString programDirOf(const store::Tdmod1& dm) {
    QDir dir = QFileInfo(dm.path()).absoluteDir();
    dir.cdUp();
    return dir.path();
}

std::optional<QString> lastBackupTime(const QString& programDir) {
    QFile file(backupTimePath(programDir));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return std::nullopt;
    QString line = QString::fromUtf8(file.readLine());
    while (line.endsWith(QLatin1Char('\n')) || line.endsWith(QLatin1Char('\r')))
        line.chop(1);
    return line;
}

FileOutcome backupLedger(store::Tdmod1& dm, const QString& programDir, const QString& timeText) {
    sqlite3* live = handleOf(dm.con1());
    if (!live || !QDir(programDir).mkpath(QStringLiteral("backdatabase"))) return FileOutcome::Failed;
    // The time is prepared first and lands only after the backup did: the two always agree.
    QSaveFile time(backupTimePath(programDir));
    if (!time.open(QIODevice::WriteOnly)) return FileOutcome::Failed;
    time.write((timeText + QLatin1Char('\n')).toUtf8());
    if (!snapshotOver(live, backupPath(programDir), store::Integrity::Verify)) {
        time.cancelWriting();
        return FileOutcome::Failed;
    }
    return time.commit() ? FileOutcome::Done : FileOutcome::Failed;
}

FileOutcome restoreLedger(store::Tdmod1& dm, const QString& programDir) {
    return replaceLedger(dm, programDir, backupPath(programDir), beforeRestorePath(programDir));
}

FileOutcome initialiseLedger(store::Tdmod1& dm, const QString& programDir) {
    return replaceLedger(dm, programDir, store::Tdmod1::templatePath(programDir),
                         beforeInitialisePath(programDir));
}

} // namespace admin
