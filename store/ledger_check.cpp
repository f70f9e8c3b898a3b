// The ledger check: file state, schema version, tables and columns against the schema file compiled
// into the program, and SQLite's quick check.
#include "store/ledger_check.h"

#include "store/db.h"
#include "store/dmod1.h"

#include <QAtomicInt>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QMap>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <algorithm>
#include <sqlite3.h>

namespace store {

namespace {

struct Column {
    QString name;
    QString type;
    bool operator==(const Column&) const = default;
};
using Tables = QMap<QString, QList<Column>>;

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

[[noreturn]] void foreign(const QString& path, const QString& why) {
    throw DbError(QStringLiteral("数据文件 %1 不是本程序的账本：%2").arg(shown(path), why));
}

// The tables and columns the schema file creates, read by running it on an in-memory database:
// the file the template is built from is the one definition of what a ledger looks like.
Tables buildReference() {
    QFile file(QStringLiteral(":/store/schema.sql"));
    if (!file.open(QIODevice::ReadOnly)) qFatal("the ledger schema is missing from the program");
    const QByteArray sql = file.readAll();
    sqlite3* mem = nullptr;
    char* err = nullptr;
    if (sqlite3_open(":memory:", &mem) != SQLITE_OK ||
        sqlite3_exec(mem, sql.constData(), nullptr, nullptr, &err) != SQLITE_OK)
        qFatal("the ledger schema does not run: %s", err ? err : sqlite3_errmsg(mem));
    Tables tables;
    sqlite3_stmt* list = nullptr;
    sqlite3_prepare_v2(mem, "SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite%'",
                       -1, &list, nullptr);
    while (sqlite3_step(list) == SQLITE_ROW)
        tables.insert(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(list, 0))), {});
    sqlite3_finalize(list);
    for (auto it = tables.begin(); it != tables.end(); ++it) {
        sqlite3_stmt* info = nullptr;
        sqlite3_prepare_v2(mem, "SELECT name, type FROM pragma_table_info(?)", -1, &info, nullptr);
        const QByteArray name = it.key().toUtf8();
        sqlite3_bind_text(info, 1, name.constData(), int(name.size()), SQLITE_TRANSIENT);
        while (sqlite3_step(info) == SQLITE_ROW)
            it->append({QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(info, 0))),
                        QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(info, 1)))});
        sqlite3_finalize(info);
    }
    sqlite3_close(mem);
    return tables;
}

const Tables& reference() {
    static const Tables tables = buildReference();
    return tables;
}

// The first difference between a table's columns and the schema's, in words.
QString columnDifference(const QList<Column>& want, const QList<Column>& have) {
    for (const Column& c : want) {
        const auto found =
            std::find_if(have.begin(), have.end(), [&](const Column& h) { return h.name == c.name; });
        if (found == have.end()) return QStringLiteral("缺少列“%1”").arg(c.name);
        if (found->type.compare(c.type, Qt::CaseInsensitive) != 0)
            return QStringLiteral("列“%1”的类型为 %2，应为 %3").arg(c.name, found->type, c.type);
    }
    for (const Column& h : have)
        if (std::none_of(want.begin(), want.end(), [&](const Column& c) { return c.name == h.name; }))
            return QStringLiteral("多出列“%1”").arg(h.name);
    return QStringLiteral("列的次序不同");
}

// Why an open database is not a ledger of ours; empty when it is one. A statement the engine
// refuses (a file that is not a database at all) answers in the engine's own words.
QString schemaProblem(const QSqlDatabase& db, Integrity integrity) {
    try {
        const int version = scalar(db, QStringLiteral("PRAGMA user_version")).toInt();
        if (version != kSchemaVersion)
            return QStringLiteral("版本为 %1，本程序需要版本 %2。").arg(version).arg(kSchemaVersion);
        const Tables& want = reference();
        for (auto it = want.begin(); it != want.end(); ++it) {
            QSqlQuery q = exec(db, QStringLiteral("SELECT name, type FROM pragma_table_info(?)"), {it.key()});
            QList<Column> have;
            while (q.next())
                have.append({q.value(0).toString(), q.value(1).toString()});
            if (have.isEmpty()) return QStringLiteral("缺少数据表“%1”。").arg(it.key());
            if (have != *it)
                return QStringLiteral("数据表“%1”的列与本程序的不一致：%2。")
                    .arg(it.key(), columnDifference(*it, have));
        }
        if (integrity == Integrity::Verify) {
            QSqlQuery q = exec(db, QStringLiteral("PRAGMA quick_check"));
            QStringList problems;
            while (q.next())
                problems << q.value(0).toString();
            if (problems != QStringList{QStringLiteral("ok")})
                return QStringLiteral("文件已损坏（%1）。")
                    .arg(problems.mid(0, 3).join(QStringLiteral("；")));
        }
    } catch (const DbError& e) {
        return e.text();
    }
    return {};
}

} // namespace

void checkLedgerPath(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        throw DbError(QStringLiteral("数据文件 %1 不存在。").arg(shown(path)));
    if (!info.isReadable()) throw DbError(QStringLiteral("数据文件 %1 无法读取。").arg(shown(path)));
    if (info.size() == 0) foreign(path, QStringLiteral("文件是空的（0 字节）。"));
}

void checkLedgerSchema(const QSqlDatabase& db, const QString& shownPath, Integrity integrity) {
    const QString why = schemaProblem(db, integrity);
    if (!why.isEmpty()) foreign(shownPath, why);
}

void checkLedgerFile(const QString& path, Integrity integrity) {
    checkLedgerPath(path);
    static QAtomicInt serial;
    const QString name = QStringLiteral("ledger-check-%1").arg(serial.fetchAndAddRelaxed(1));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=3000"));
        try {
            if (!db.open()) foreign(path, errorText(db.lastError()));
            checkLedgerSchema(db, path, integrity);
        } catch (...) {
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(name);
            throw;
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

} // namespace store
