// The ledger check, backup, restore, initialisation and clearing, on real files in a temporary
// program folder.
#include "admin/ledger_files.h"
#include "admin/user_ops.h"
#include "store/db.h"
#include "store/ledger.h"
#include "store/ledger_check.h"
#include "support/fixture.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QSqlRecord>
#include <QtTest>

using store::Money;

namespace {

const QStringList allTables = {"账户", "收支表", "收入项目", "收入名称", "支出项目", "支出名称",
                               "借入", "借出",   "用户",     "flag",     "dlcount"};

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every row of every table, as text: two ledgers with the same dump hold the same data.
QStringList dump(const QSqlDatabase& db) {
    QStringList out;
    for (const QString& t : allTables) {
        QSqlQuery q = store::exec(db, QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(t));
        while (q.next()) {
            QStringList row{t};
            for (int i = 0; i < q.record().count(); ++i)
                row << q.value(i).toString();
            out << row.join(QLatin1Char('|'));
        }
    }
    return out;
}

// The dump of a ledger file, through a data module of its own.
QStringList dumpFile(const QString& path) {
    store::Tdmod1 dm;
    dm.open(path);
    return dump(dm.con1());
}

void fillLedger(LedgerFixture& fx) {
    fx.insertAccount(QStringLiteral("现金"), Money::fromFen(10000));
    fx.insertAccount(QStringLiteral("O'银行"), Money::fromFen(500));
    fx.bookEntry(QStringLiteral("2026-05-01"), true, 2500);
    fx.bookEntry(QStringLiteral("2026-05-02"), false, 1200, QStringLiteral("O'银行"));
    store::exec(fx.db(), QStringLiteral("INSERT INTO 借入 (日期, 结算账户, 借入金额, 余额, 借款人) VALUES "
                                        "('2026-04-01', '现金', 3000, 3000, '老王')"));
    fx.moveAccount(QStringLiteral("现金"), QStringLiteral("借入"), Money::fromFen(3000));
}

// Enough entries for a file of many pages, so that damage can hit rows without hitting the schema.
void bookMany(LedgerFixture& fx) {
    fx.insertAccount(QStringLiteral("现金"), Money::fromFen(100000));
    store::Transaction t(fx.db());
    for (int i = 0; i < 400; ++i)
        fx.bookEntry(QStringLiteral("2026-05-01"), i % 2 == 0, 100 + i);
    t.commit();
}

// Leftovers of a staged copy: nothing of the kind may stay behind.
QStringList partFiles(const QString& programDir) {
    QStringList out;
    for (const char* folder : {"data", "backdatabase"})
        for (const QString& f :
             QDir(programDir + QLatin1Char('/') + QLatin1String(folder)).entryList(QDir::Files))
            if (f.endsWith(QStringLiteral(".part")) || f.endsWith(QStringLiteral("-journal"))) out << f;
    return out;
}

// Turns a copy of a good ledger at path into one of the unsound kinds.
void spoil(const QString& path, const QString& kind) {
    if (kind == QStringLiteral("empty") || kind == QStringLiteral("text")) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        if (kind == QStringLiteral("text")) f.write("just some words, not a ledger\n");
        return;
    }
    if (kind == QStringLiteral("damaged")) {
        // The last pages hold the newest rows and index entries; the schema on page 1 stays readable.
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadWrite));
        const qint64 size = f.size();
        QVERIFY(size > 16 * 4096);
        f.seek(size - 6 * 4096);
        f.write(QByteArray(4 * 4096, '\x55'));
        return;
    }
    store::Tdmod1 dm;
    dm.open(path);
    const QSqlDatabase db = dm.con1();
    if (kind == QStringLiteral("version")) store::exec(db, QStringLiteral("PRAGMA user_version = 7"));
    if (kind == QStringLiteral("extra column"))
        store::exec(db, QStringLiteral("ALTER TABLE 账户 ADD COLUMN 币种 TEXT"));
    if (kind == QStringLiteral("other columns")) {
        // Every table name right, one table's columns not ours.
        store::exec(db, QStringLiteral("PRAGMA foreign_keys = OFF"));
        store::exec(db, QStringLiteral("DROP TABLE 借出"));
        store::exec(db, QStringLiteral("CREATE TABLE 借出 (id INTEGER PRIMARY KEY, 金额 REAL)"));
    }
}

} // namespace

class TstLedgerFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // One check refuses every kind of file that is not a sound ledger, saying what is wrong and
    // changing nothing; opening the ledger uses the same check without the integrity pass.
    void checkRefusesUnsoundFiles_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("opens"); // whether opening (which skips the integrity pass) accepts it
        QTest::addColumn<QString>("why");
        QTest::newRow("empty file") << "empty" << false << "文件是空的";
        QTest::newRow("not a database") << "text" << false << "不是本程序的账本";
        QTest::newRow("other version") << "version" << false << "版本为 7";
        QTest::newRow("extra column")
            << "extra column" << false << "数据表“账户”的列与本程序的不一致：多出列“币种”";
        QTest::newRow("other columns") << "other columns" << false << "数据表“借出”的列与本程序的不一致";
        QTest::newRow("damaged pages") << "damaged" << true << "不是本程序的账本";
    }
    void checkRefusesUnsoundFiles() {
        QFETCH(QString, kind);
        QFETCH(bool, opens);
        QFETCH(QString, why);
        LedgerFixture fx;
        bookMany(fx);
        const QString path = fx.programDir() + QStringLiteral("/other.ysn");
        QVERIFY(admin::backupLedger(*fx.dm, fx.programDir(), QStringLiteral("t")) ==
                admin::FileOutcome::Done);
        QVERIFY(QFile::copy(admin::backupPath(fx.programDir()), path));
        spoil(path, kind);
        const QByteArray before = fileBytes(path);

        try {
            store::checkLedgerFile(path, store::Integrity::Verify);
            QFAIL("an unsound file passed the check");
        } catch (const store::DbError& e) {
            QVERIFY2(e.text().contains(QStringLiteral("other.ysn")), qPrintable(e.text()));
            QVERIFY2(e.text().contains(why), qPrintable(e.text()));
        }
        store::Tdmod1 dm;
        try {
            dm.open(path);
            QVERIFY2(opens, "opened an unsound file");
        } catch (const store::DbError& e) {
            QVERIFY2(!opens, qPrintable(e.text()));
            QVERIFY2(e.text().contains(why), qPrintable(e.text()));
            QVERIFY(!dm.isOpen());
        }
        dm.close();
        QCOMPARE(fileBytes(path), before);
    }

    void backupTwiceKeepsTheSecond() {
        LedgerFixture fx;
        fx.insertAccount(QStringLiteral("现金"), Money::fromFen(100));
        const QString dir = fx.programDir();
        QVERIFY(!admin::lastBackupTime(dir));
        QVERIFY(admin::backupLedger(*fx.dm, dir, QStringLiteral("2026/5/15 / 10:30:00")) ==
                admin::FileOutcome::Done);
        fx.insertAccount(QStringLiteral("银行"), Money::fromFen(200));
        QVERIFY(admin::backupLedger(*fx.dm, dir, QStringLiteral("2026/5/16 / 08:00:01")) ==
                admin::FileOutcome::Done);

        QCOMPARE(admin::lastBackupTime(dir), std::optional<QString>(QStringLiteral("2026/5/16 / 08:00:01")));
        QCOMPARE(fileBytes(admin::backupTimePath(dir)), QByteArray("2026/5/16 / 08:00:01\n"));
        QCOMPARE(dumpFile(admin::backupPath(dir)), dump(fx.db()));
        QVERIFY(fx.dm->isOpen());
        QCOMPARE(partFiles(dir), QStringList());
    }

    // Another program holds an open write transaction: the backup takes the last committed state
    // and is a sound ledger.
    void backupWhileAnotherConnectionWrites() {
        LedgerFixture fx;
        fillLedger(fx);
        const QStringList committed = dump(fx.db());
        {
            QSqlDatabase other =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("writer"));
            other.setDatabaseName(fx.dataFile());
            QVERIFY(other.open());
            store::exec(other, QStringLiteral("BEGIN IMMEDIATE"));
            store::exec(
                other, QStringLiteral("INSERT INTO 账户 (账户名称, 起始金额, 余额) VALUES ('未提交', 1, 1)"));
            store::exec(other, QStringLiteral("DELETE FROM 收支表"));

            QVERIFY(admin::backupLedger(*fx.dm, fx.programDir(), QStringLiteral("t")) ==
                    admin::FileOutcome::Done);
            store::checkLedgerFile(admin::backupPath(fx.programDir()), store::Integrity::Verify);
            QCOMPARE(dumpFile(admin::backupPath(fx.programDir())), committed);

            store::exec(other, QStringLiteral("ROLLBACK"));
            other.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("writer"));
    }

    // A restore brings back exactly what was backed up, keeps what it replaced as a safety copy and
    // leaves the backup time alone; the shared lists run their statements again on the new file.
    void restoreBringsBackTheBackup() {
        LedgerFixture fx;
        fillLedger(fx);
        const QString dir = fx.programDir();
        QVERIFY(admin::backupLedger(*fx.dm, dir, QStringLiteral("2026/5/15 / 10:30:00")) ==
                admin::FileOutcome::Done);
        const QStringList backedUp = dump(fx.db());

        fx.insertAccount(QStringLiteral("后来的"), Money::fromFen(1));
        store::exec(fx.db(), QStringLiteral("DELETE FROM 收支表 WHERE 收支类别 = '收入'"));
        const QStringList later = dump(fx.db());
        fx.dm->qrysr->setQuery(store::exec(fx.db(), QStringLiteral("SELECT * FROM 收支表 WHERE 收支类别 = ?"),
                                           {QStringLiteral("收入")}));
        QCOMPARE(fx.dm->qrysr->rowCount(), 0);

        QCOMPARE(admin::restoreLedger(*fx.dm, dir), admin::FileOutcome::Done);
        QVERIFY(fx.dm->isOpen());
        QCOMPARE(dump(fx.db()), backedUp);
        QCOMPARE(dumpFile(admin::beforeRestorePath(dir)), later);
        QCOMPARE(admin::lastBackupTime(dir), std::optional<QString>(QStringLiteral("2026/5/15 / 10:30:00")));
        QCOMPARE(fx.dm->qry1->rowCount(), 2);
        QCOMPARE(fx.dm->qrysr->rowCount(), 1);
        QCOMPARE(fx.dm->qryzc->rowCount(), 0); // never filled: stays empty
        QVERIFY_LEDGER(fx);
        QCOMPARE(partFiles(dir), QStringList());
        // The safety copy is a file of its own: the restored ledger's next write leaves it alone.
        fx.insertAccount(QStringLiteral("恢复后"), Money());
        QCOMPARE(dumpFile(admin::beforeRestorePath(dir)), later);
        // The foreign keys hold on the reopened connection too.
        QVERIFY_THROWS_EXCEPTION(store::DbError,
                                 store::exec(fx.db(), QStringLiteral("DELETE FROM 收入名称")));
    }

    void restoreRefusesAnUnsoundBackup_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("outcome");
        QTest::newRow("no backup") << "missing" << int(admin::FileOutcome::Missing);
        QTest::newRow("empty") << "empty" << int(admin::FileOutcome::Refused);
        QTest::newRow("not a database") << "text" << int(admin::FileOutcome::Refused);
        QTest::newRow("other version") << "version" << int(admin::FileOutcome::Refused);
        QTest::newRow("other columns") << "other columns" << int(admin::FileOutcome::Refused);
        QTest::newRow("damaged pages") << "damaged" << int(admin::FileOutcome::Refused);
    }
    void restoreRefusesAnUnsoundBackup() {
        QFETCH(QString, kind);
        QFETCH(int, outcome);
        LedgerFixture fx;
        bookMany(fx);
        const QString dir = fx.programDir();
        if (kind != QStringLiteral("missing")) {
            QVERIFY(admin::backupLedger(*fx.dm, dir, QStringLiteral("t")) == admin::FileOutcome::Done);
            spoil(admin::backupPath(dir), kind);
        }
        fx.insertAccount(QStringLiteral("现金2"), Money::fromFen(1));
        store::requery(*fx.dm);
        const QByteArray ledger = fileBytes(fx.dataFile());

        QCOMPARE(int(admin::restoreLedger(*fx.dm, dir)), outcome);
        QCOMPARE(fileBytes(fx.dataFile()), ledger);
        QVERIFY(fx.dm->isOpen());
        QVERIFY(!QFile::exists(admin::beforeRestorePath(dir)));
        QCOMPARE(fx.dm->qry1->rowCount(), 2);
    }

    // Another program in the middle of a write keeps its ledger: the restore replaces nothing.
    void restoreWhileAnotherConnectionWrites() {
        LedgerFixture fx;
        fillLedger(fx);
        const QString dir = fx.programDir();
        QVERIFY(admin::backupLedger(*fx.dm, dir, QStringLiteral("t")) == admin::FileOutcome::Done);
        {
            QSqlDatabase other =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("writer"));
            other.setDatabaseName(fx.dataFile());
            QVERIFY(other.open());
            store::exec(other, QStringLiteral("BEGIN IMMEDIATE"));
            store::exec(
                other, QStringLiteral("INSERT INTO 账户 (账户名称, 起始金额, 余额) VALUES ('写入中', 1, 1)"));
            QCOMPARE(admin::restoreLedger(*fx.dm, dir), admin::FileOutcome::Failed);
            QVERIFY(fx.dm->isOpen());
            store::exec(other, QStringLiteral("COMMIT"));
            other.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("writer"));
        QVERIFY(fx.account(QStringLiteral("写入中")).count() > 0);
        store::checkLedgerFile(fx.dataFile(), store::Integrity::Verify);
        QCOMPARE(partFiles(dir), QStringList());
    }

    // Initialisation: the template's content, the old ledger kept as a safety copy, the backup and
    // its time untouched; without a template nothing changes.
    void initialiseFromTheTemplate() {
        LedgerFixture fx;
        fillLedger(fx);
        admin::renameUser(fx.db(), QStringLiteral("张三"));
        const QString dir = fx.programDir();
        QVERIFY(admin::backupLedger(*fx.dm, dir, QStringLiteral("t")) == admin::FileOutcome::Done);
        const QByteArray backup = fileBytes(admin::backupPath(dir));
        const QStringList before = dump(fx.db());
        const QByteArray pristine = fileBytes(store::Tdmod1::templatePath(dir));

        QCOMPARE(admin::initialiseLedger(*fx.dm, dir), admin::FileOutcome::Done);
        QCOMPARE(dump(fx.db()), dumpFile(QStringLiteral(YUNSHAN_TEMPLATE)));
        QCOMPARE(admin::readUser(fx.db()).name, QStringLiteral("admin"));
        QCOMPARE(admin::readUser(fx.db()).storedPassword, store::scramble(QStringLiteral("302514")));
        QCOMPARE(dumpFile(admin::beforeInitialisePath(dir)), before);
        QCOMPARE(fileBytes(store::Tdmod1::templatePath(dir)), pristine);
        QCOMPARE(fileBytes(admin::backupPath(dir)), backup);
        QCOMPARE(fx.dm->qry1->rowCount(), 0);

        QVERIFY(QFile::remove(store::Tdmod1::templatePath(dir)));
        fx.insertAccount(QStringLiteral("新"), Money());
        const QByteArray ledger = fileBytes(fx.dataFile());
        QCOMPARE(admin::initialiseLedger(*fx.dm, dir), admin::FileOutcome::Missing);
        QCOMPARE(fileBytes(fx.dataFile()), ledger);
        QVERIFY(fx.dm->isOpen());
    }

    void clearKeepsUserSwitchAndCount() {
        LedgerFixture fx;
        fillLedger(fx);
        store::exec(
            fx.db(),
            QStringLiteral(
                "INSERT INTO 借出 (日期, 结算账户, 借出金额, 余额) VALUES ('2026-04-02', '现金', 5, 5)"));
        admin::renameUser(fx.db(), QStringLiteral("O'Neil 张"));
        admin::setPassword(fx.db(), QStringLiteral("abc"));
        admin::setWelcomeSwitch(fx.db(), false);
        store::exec(fx.db(), QStringLiteral("UPDATE dlcount SET dlcount = 7, startdd = '2025-01-02'"));
        const auto kept = [&] {
            QStringList out;
            for (const char* t : {"用户", "flag", "dlcount"})
                for (const QString& row : dump(fx.db()))
                    if (row.startsWith(QString::fromUtf8(t) + QLatin1Char('|'))) out << row;
            return out;
        };
        const QStringList before = kept();

        admin::clearLedger(fx.db());
        for (const char* t :
             {"账户", "收支表", "收入项目", "收入名称", "支出项目", "支出名称", "借入", "借出"})
            QCOMPARE(fx.count(QString::fromUtf8(t)), 0);
        QCOMPARE(kept(), before);
        QCOMPARE(admin::readUser(fx.db()).name, QStringLiteral("O'Neil 张"));
        QVERIFY(!admin::welcomeSwitch(fx.db()));
    }
};

QTEST_MAIN(TstLedgerFiles)
#include "tst_ledger_files.moc"
