// Statement running and transactions over a QSqlDatabase.
#include "store/db.h"

#include <QSqlError>

namespace store {

namespace {
// SQLite's primary result codes that a user can act on (sqlite3.h is not needed for a handful of
// numbers).
enum : int {
    kPerm = 3,
    kBusy = 5,
    kLocked = 6,
    kReadOnly = 8,
    kCorrupt = 11,
    kFull = 13,
    kCantOpen = 14,
    kNotADb = 26,
};
} // namespace

QString errorText(const QSqlError& e) {
    QString t = e.databaseText();
    if (t.isEmpty()) t = e.text();
    if (t.isEmpty()) t = e.driverText();
    return t;
}

DbError::DbError(const QString& text, int code)
    : std::runtime_error(text.toStdString()), text_(text), code_(code) {}

// Qt's SQLite driver gives the engine's result code as the native code; without extended result
// codes switched on it is the primary one, masked here all the same.
DbError::DbError(const QSqlError& error)
    : DbError(errorText(error), error.nativeErrorCode().toInt() & 0xff) {}

bool lockedByAnother(const DbError& e) {
    return e.code() == kBusy || e.code() == kLocked;
}

QString failureAdvice(const DbError& e) {
    int code = e.code();
    if (code == 0) { // errors raised outside a statement carry only the text
        const QString t = e.text();
        if (t.contains(QLatin1String("database is locked")))
            code = kBusy;
        else if (t.contains(QLatin1String("readonly database")))
            code = kReadOnly;
        else if (t.contains(QLatin1String("disk is full")))
            code = kFull;
        else if (t.contains(QLatin1String("malformed")) || t.contains(QLatin1String("not a database")))
            code = kCorrupt;
    }
    switch (code) {
    case kBusy:
    case kLocked:
        return QStringLiteral("账本文件正被另一个程序使用，请等它用完或关闭它后再试。");
    case kReadOnly:
    case kPerm:
    case kCantOpen:
        return QStringLiteral("账本文件无法写入，请检查文件及其所在文件夹是否允许写入。");
    case kFull:
        return QStringLiteral("磁盘已满，账本无法写入，请腾出磁盘空间后再试。");
    case kCorrupt:
    case kNotADb:
        return QStringLiteral("账本文件已损坏，请在系统管理中用“还原数据库”从最近的备份恢复。");
    default:
        return {};
    }
}

QSqlQuery exec(const QSqlDatabase& db, const QString& sql, std::initializer_list<QVariant> params) {
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(sql)) throw DbError(q.lastError());
    for (const QVariant& p : params) {
        // A null QString would be bound as NULL; text the program writes is never NULL.
        if (p.typeId() == QMetaType::QString && p.toString().isNull())
            q.addBindValue(QString(QLatin1String("")));
        else
            q.addBindValue(p);
    }
    if (!q.exec()) throw DbError(q.lastError());
    return q;
}

QVariant scalar(const QSqlDatabase& db, const QString& sql, std::initializer_list<QVariant> params) {
    QSqlQuery q = exec(db, sql, params);
    if (!q.next()) {
        if (q.lastError().isValid()) throw DbError(q.lastError());
        return {};
    }
    return q.value(0);
}

// The three statements run as plain statements rather than through QSqlDatabase::transaction():
// the driver has no IMMEDIATE form, and its commit() replaces the engine's result code with a
// text of its own, which would hide why a commit failed.
Transaction::Transaction(const QSqlDatabase& db) : db_(db) {
    exec(db_, QStringLiteral("BEGIN IMMEDIATE"));
}

Transaction::~Transaction() {
    if (!done_) rollback();
}

void Transaction::rollback() noexcept {
    done_ = true;
    try {
        exec(db_, QStringLiteral("ROLLBACK"));
    } catch (const DbError&) {
        // SQLite has already rolled back on its own after some failures (a full disk, an I/O
        // error during commit): there is nothing left to undo.
    }
}

void Transaction::commit() {
    try {
        exec(db_, QStringLiteral("COMMIT"));
    } catch (const DbError&) {
        rollback();
        throw;
    }
    done_ = true;
}

} // namespace store
