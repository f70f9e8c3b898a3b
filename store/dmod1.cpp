// Opening and checking the ledger file; the shared list models.
#include "store/dmod1.h"

#include "store/db.h"
#include "store/ledger_check.h"

#include <QDir>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlQueryModel>

namespace store {

namespace {
int instances = 0;
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
    checkLedgerPath(path);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName_);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=3000"));
    }
    QSqlDatabase db = con1();
    try {
        if (!db.open())
            throw DbError(QStringLiteral("数据文件 %1 不是本程序的账本：%2")
                              .arg(QDir::toNativeSeparators(path), errorText(db.lastError())));
        checkLedgerSchema(db, path, Integrity::Skip);
        exec(db, QStringLiteral("PRAGMA foreign_keys = ON"));
    } catch (const DbError&) {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName_);
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
