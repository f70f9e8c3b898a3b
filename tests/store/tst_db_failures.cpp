// Database failures a user meets: another process's write lock (waited out for the busy timeout),
// a ledger that cannot be written, a full disk, a damaged file; what the general error report
// says about each; the write check made at start; the scramble without its encoder.
#include "accounts/account_ops.h"
#include "store/db.h"
#include "store/ledger.h"
#include "support/fault_vfs.h"
#include "support/fixture.h"
#include "ui/guard.h"

#include <QDir>
#include <QFile>
#include <QtTest>
#include <future>
#include <sqlite3.h>
#include <thread>

using store::Money;

namespace {

// Another process's connection that takes the write lock and holds it for a while, on its own
// thread (SQLite locks between connections the same way within one process).
class LockHolder {
public:
    LockHolder(const QString& file, int holdMs) {
        std::promise<void> locked;
        std::future<void> ready = locked.get_future();
        thread_ = std::thread([this, file, holdMs, &locked] {
            sqlite3* db = nullptr;
            sqlite3_open(file.toUtf8().constData(), &db);
            ok_ = sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK;
            locked.set_value();
            std::this_thread::sleep_for(std::chrono::milliseconds(holdMs));
            sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
            sqlite3_close(db);
        });
        ready.wait();
    }
    ~LockHolder() { thread_.join(); }
    bool locked() const { return ok_; }

private:
    std::thread thread_;
    bool ok_ = false;
};

QString reportOf(const store::DbError& e, LedgerFixture& fx) {
    fx.dialogs.shown.clear();
    ui::reportError(e);
    return fx.dialogs.shown.isEmpty() ? QString() : fx.dialogs.shown.last().text;
}

const QString kLocked = QStringLiteral("账本文件正被另一个程序使用，请等它用完或关闭它后再试。");
const QString kReadOnly = QStringLiteral("账本文件无法写入，请检查文件及其所在文件夹是否允许写入。");
const QString kFull = QStringLiteral("磁盘已满，账本无法写入，请腾出磁盘空间后再试。");
const QString kDamaged = QStringLiteral("账本文件已损坏，请在系统管理中用“还原数据库”从最近的备份恢复。");

} // namespace

class TstDbFailures : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { faultvfs::install(); }

    // The operation reads before it writes; a deferred transaction would fail at its first write
    // at once, while the lock is still held.
    void writeLockIsWaitedOut() {
        LedgerFixture fx;
        LockHolder other(fx.dataFile(), 800);
        QVERIFY(other.locked());
        QCOMPARE(accounts::addAccount(fx.db(), QStringLiteral("现金"), Money::fromFen(100), QString()),
                 accounts::Outcome::Done);
        QCOMPARE(fx.count(QStringLiteral("账户")), 1);
    }

    void lockHeldPastTheTimeoutIsReported() {
        LedgerFixture fx;
        LockHolder other(fx.dataFile(), 4000);
        QVERIFY(other.locked());
        QElapsedTimer waited;
        waited.start();
        try {
            (void)accounts::addAccount(fx.db(), QStringLiteral("现金"), Money::fromFen(100), QString());
            QFAIL("the write went through another process's lock");
        } catch (const store::DbError& e) {
            QVERIFY2(waited.elapsed() >= 2500, "the busy timeout was not waited out");
            QCOMPARE(reportOf(e, fx), kLocked + QStringLiteral("\n\n") + e.text());
            QVERIFY(e.text().contains(QLatin1String("locked")));
        }
        QCOMPARE(fx.count(QStringLiteral("账户")), 0);
    }

    // Each failure made for real; the report keeps the engine's text after the sentence.
    void reportNamesWhatTheUserCanDo_data() {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("sentence");
        QTest::newRow("read-only") << "read-only" << kReadOnly;
        QTest::newRow("disk full") << "disk full" << kFull;
        QTest::newRow("damaged") << "damaged" << kDamaged;
        QTest::newRow("other") << "other" << QString();
    }
    void reportNamesWhatTheUserCanDo() {
        QFETCH(QString, failure);
        QFETCH(QString, sentence);
        LedgerFixture fx;
        fx.insertAccount(QStringLiteral("现金"), Money::fromFen(100));
        QSqlDatabase db = fx.db();
        if (failure == QLatin1String("read-only")) {
            db = QSqlDatabase();
            fx.dm->close();
            db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("ro"));
            db.setDatabaseName(fx.dataFile());
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
            QVERIFY(db.open());
        } else if (failure == QLatin1String("damaged")) {
            // Garbage over the page that holds the account table.
            const qint64 page = store::scalar(db, QStringLiteral("PRAGMA page_size")).toLongLong();
            const qint64 root =
                store::scalar(db, QStringLiteral("SELECT rootpage FROM sqlite_master WHERE name = '账户'"))
                    .toLongLong();
            db = QSqlDatabase();
            fx.dm->close();
            QFile f(fx.dataFile());
            QVERIFY(f.open(QIODevice::ReadWrite));
            f.seek((root - 1) * page);
            f.write(QByteArray(page, '\x5a'));
            f.close();
            fx.dm->open(fx.dataFile());
            db = fx.dm->con1();
        } else if (failure == QLatin1String("disk full")) {
            faultvfs::arm(faultvfs::Mode::Full, 1);
        }
        QString shown;
        try {
            if (failure == QLatin1String("other"))
                store::exec(db, QStringLiteral("SELECT no_such_column FROM 账户"));
            else if (failure == QLatin1String("damaged"))
                store::exec(db, QStringLiteral("SELECT * FROM 账户 WHERE 备注 = 'x'")).next();
            QCOMPARE(accounts::setAccountNote(db, 1, QStringLiteral("x")), accounts::Outcome::Done);
            faultvfs::disarm();
            QFAIL("nothing failed");
        } catch (const store::DbError& e) {
            faultvfs::disarm();
            QVERIFY(!e.text().isEmpty());
            shown = reportOf(e, fx);
            QCOMPARE(shown, sentence.isEmpty() ? e.text() : sentence + QStringLiteral("\n\n") + e.text());
        }
        if (failure == QLatin1String("read-only")) {
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(QStringLiteral("ro"));
        }
    }

    // The check made at start changes nothing when it passes and nothing when it fails.
    void writeProbe() {
        LedgerFixture fx;
        QVERIFY(!store::writeProbe(fx.db()));
        QFile file(fx.dataFile());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        file.close();
        QVERIFY(!store::writeProbe(fx.db()));

        // A folder that refuses the journal (the tests run with rights that ignore file modes, so a
        // directory stands where SQLite would create it).
        QVERIFY(QDir().mkdir(fx.dataFile() + QStringLiteral("-journal")));
        const std::optional<store::DbError> e = store::writeProbe(fx.db());
        QVERIFY(e);
        QVERIFY(!e->text().isEmpty());
        QVERIFY(QDir().rmdir(fx.dataFile() + QStringLiteral("-journal")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), bytes);
        file.close();

        fx.dm->close();
        {
            QSqlDatabase ro = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("ro"));
            ro.setDatabaseName(fx.dataFile());
            ro.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
            QVERIFY(ro.open());
            const std::optional<store::DbError> r = store::writeProbe(ro);
            QVERIFY(r);
            QCOMPARE(store::failureAdvice(*r), kReadOnly);
        }
        QSqlDatabase::removeDatabase(QStringLiteral("ro"));
    }

    // The driver, not the engine, fails here: the report still has a text.
    void requeryOnAClosedLedgerSaysWhy() {
        LedgerFixture fx;
        fx.dm->close();
        try {
            store::requery(*fx.dm);
            QFAIL("the re-query ran without a connection");
        } catch (const store::DbError& e) {
            QVERIFY(!e.text().isEmpty());
        }
    }

    void scrambleWithoutItsEncoderFails() {
        QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                                 store::scramble(QStringLiteral("abc"), "no-such-encoding"));
    }
};

QTEST_MAIN(TstDbFailures)
#include "tst_db_failures.moc"
