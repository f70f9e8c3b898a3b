// Opening and checking the ledger file; the shared list models.
#include "store/dmod1.h"

#include "store/db.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QStringList>

namespace store {

namespace {
int instances = 0;

const QStringList& ledgerTables() {
    static const QStringList tables = {
        QStringLiteral("账户"),     QStringLiteral("收支表"),   QStringLiteral("收入项目"),
        QStringLiteral("收入名称"), QStringLiteral("支出项目"), QStringLiteral("支出名称"),
        QStringLiteral("借入"),     QStringLiteral("借出"),     QStringLiteral("用户"),
        QStringLiteral("flag"),     QStringLiteral("dlcount")};
    return tables;
}
} // namespace

Tdmod1::Tdmod1(QObject* parent)
    : QObject(parent), connectionName_(QStringLiteral("con1-%1").arg(++instances)) {
    setObjectName(QStringLiteral("dmod1"));
    qry1 = new QSqlQueryModel(this);
    qrysr = new QSqlQueryModel(this);
    qryzc = new QSqlQueryModel(this);
    qryJR = new QSqlQueryModel(this);
    qryJC = new QSqlQueryModel(this);
    qry1->setObjectName(QStringLiteral("qry1"));
    qrysr->setObjectName(QStringLiteral("qrysr"));
    qryzc->setObjectName(QStringLiteral("qryzc"));
    qryJR->setObjectName(QStringLiteral("qryJR"));
    qryJC->setObjectName(QStringLiteral("qryJC"));
    if (!dmod1) dmod1 = this;
}

Tdmod1::~Tdmod1() {
    close();
    if (dmod1 == this) dmod1 = nullptr;
}

QString Tdmod1::dataFilePath(const QString& programDir) {
    return QDir(programDir).filePath(QStringLiteral("data/bridge.ysn"));
}

QString Tdmod1::templatePath(const QString& programDir) {
    return QDir(programDir).filePath(QStringLiteral("backdatabase/systemdata.ysn"));
}

void Tdmod1::open(const QString& path) {
    close();
    const QString shown = QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile()) throw DbError(QStringLiteral("数据文件 %1 不存在。").arg(shown));
    if (!info.isReadable()) throw DbError(QStringLiteral("数据文件 %1 无法读取。").arg(shown));

    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName_);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=3000"));
    }
    QSqlDatabase db = con1();
    const auto refuse = [&](const QString& why) {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName_);
        throw DbError(QStringLiteral("数据文件 %1 不是本程序的账本：%2").arg(shown, why));
    };
    if (!db.open()) refuse(errorText(db.lastError()));
    try {
        const int version = scalar(db, QStringLiteral("PRAGMA user_version")).toInt();
        if (version != kSchemaVersion)
            refuse(QStringLiteral("版本为 %1，本程序需要版本 %2。").arg(version).arg(kSchemaVersion));
        QSqlQuery q = exec(db, QStringLiteral("SELECT name FROM sqlite_master WHERE type='table'"));
        QStringList present;
        while (q.next())
            present << q.value(0).toString();
        for (const QString& t : ledgerTables())
            if (!present.contains(t)) refuse(QStringLiteral("缺少数据表“%1”。").arg(t));
        exec(db, QStringLiteral("PRAGMA foreign_keys = ON"));
    } catch (const DbError& e) {
        if (db.isOpen()) refuse(e.text());
        throw;
    }
    path_ = path;
}

void Tdmod1::close() {
    // An empty query rather than clear(): clear() re-creates the model's query on the driver it came
    // from, which is gone once the connection is removed, so a later close or reopen would crash.
    for (QSqlQueryModel* m : {qry1, qrysr, qryzc, qryJR, qryJC})
        if (m) m->setQuery(QSqlQuery());
    if (QSqlDatabase::contains(connectionName_)) {
        {
            QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(connectionName_);
    }
    path_.clear();
}

bool Tdmod1::isOpen() const {
    return QSqlDatabase::contains(connectionName_) && QSqlDatabase::database(connectionName_, false).isOpen();
}

QSqlDatabase Tdmod1::con1() const {
    return QSqlDatabase::database(connectionName_, false);
}

} // namespace store
