// Nothing lost, nothing half written: every writing operation meets a failing write, sync,
// truncate or delete at every point until it completes, and a process killed at every such point.
#include "accounts/account_ops.h"
#include "admin/ledger_files.h"
#include "store/db.h"
#include "support/fault_vfs.h"
#include "support/fixture.h"
#include "support/writing_ops.h"

#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QtTest>

Q_DECLARE_METATYPE(faultvfs::Mode)

namespace {

// Any operation here finishes in at most a few hundred calls (clearing a ledger is the longest);
// more means the loop would never end.
constexpr int kMaxCalls = 400;

// The file of the ledger an operation starts from, made once per row: every k then starts from a
// copy of it, so that a row costs the operation's own writes and syncs, not its preparation's
// (which, synced, take most of the time on a busy disk).
QByteArray preparedFile(const WritingOp& op) {
    LedgerFixture fx;
    store::exec(fx.db(), QStringLiteral("PRAGMA synchronous = OFF"));
    if (op.prepare) op.prepare(fx);
    fx.dm->close();
    QFile file(fx.dataFile());
    if (!file.open(QIODevice::ReadOnly)) qFatal("cannot read back the prepared ledger");
    return file.readAll();
}

// Puts the prepared ledger in place of the fixture's and opens it.
void startFrom(LedgerFixture& fx, const QByteArray& ledger) {
    fx.dm->close();
    QFile file(fx.dataFile());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(ledger) != ledger.size())
        qFatal("cannot write the prepared ledger");
    file.close();
    fx.dm->open(fx.dataFile());
}

// The ledger as the operation leaves it when nothing fails.
QString dumpAfter(const WritingOp& op, const QByteArray& prepared) {
    LedgerFixture fx;
    startFrom(fx, prepared);
    op.run(fx.db());
    return ledgerDump(fx.db());
}

// Every file of a program folder and its bytes.
QMap<QString, QByteArray> folderState(const QString& dir) {
    QMap<QString, QByteArray> out;
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        out.insert(QDir(dir).relativeFilePath(file.fileName()),
                   file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    }
    return out;
}

admin::FileOutcome runFileOperation(const QString& op, LedgerFixture& fx) {
    if (op == QLatin1String("backup"))
        return admin::backupLedger(*fx.dm, fx.programDir(), QStringLiteral("新"));
    if (op == QLatin1String("restore")) return admin::restoreLedger(*fx.dm, fx.programDir());
    return admin::initialiseLedger(*fx.dm, fx.programDir());
}

} // namespace

class TstReliability : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { faultvfs::install(); }
    void cleanup() { faultvfs::disarm(); }

    void failingWrite_data() {
        QTest::addColumn<QString>("op");
        QTest::addColumn<faultvfs::Mode>("mode");
        for (const WritingOp& op : writingOps()) {
            QTest::addRow("%s I/O error", qPrintable(op.name)) << op.name << faultvfs::Mode::IoError;
            QTest::addRow("%s disk full", qPrintable(op.name)) << op.name << faultvfs::Mode::Full;
        }
    }
    // For every k until the operation completes: the k-th write, sync, truncate or delete fails. The
    // operation throws DbError, the ledger holds exactly what it held before and keeps its
    // invariants, and the same connection then runs the operation to its end.
    void failingWrite() {
        QFETCH(QString, op);
        QFETCH(faultvfs::Mode, mode);
        const WritingOp& w = *findWritingOp(op);
        const QByteArray prepared = preparedFile(w);
        const QString after = dumpAfter(w, prepared);
        for (int k = 1;; ++k) {
            QVERIFY2(k < kMaxCalls, "the operation never completes");
            LedgerFixture fx;
            startFrom(fx, prepared);
            const QString before = ledgerDump(fx.db());
            faultvfs::arm(mode, k);
            QString error;
            try {
                w.run(fx.db());
            } catch (const store::DbError& e) {
                error = e.text();
            }
            faultvfs::disarm();
            if (!faultvfs::fired()) {
                // Without this the loop would pass on a SQLite that never saw our VFS.
                QVERIFY2(k > 1, "the operation wrote nothing through the test VFS");
                QVERIFY(error.isEmpty());
                QCOMPARE(ledgerDump(fx.db()), after);
                return;
            }
            const QByteArray where = QByteArrayLiteral("at call ") + QByteArray::number(k);
            QVERIFY2(!error.isEmpty(), where + " the operation reported success");
            QVERIFY2(ledgerDump(fx.db()) == before, where + " the ledger changed");
            QVERIFY_LEDGER(fx);
            w.run(fx.db());
            QVERIFY2(ledgerDump(fx.db()) == after, where + " the connection did not recover");
        }
    }

    void failingFileOperation_data() {
        QTest::addColumn<QString>("op");
        QTest::addColumn<faultvfs::Mode>("mode");
        for (const char* op : {"backup", "restore", "initialise"}) {
            QTest::addRow("%s I/O error", op) << QString::fromUtf8(op) << faultvfs::Mode::IoError;
            QTest::addRow("%s disk full", op) << QString::fromUtf8(op) << faultvfs::Mode::Full;
        }
    }
    // Backup, restore and initialisation replace whole files rather than run a transaction. For every
    // k until one completes, a failing write, sync, truncate or delete makes it report Failed and
    // leaves every file of the program folder as it was (the earlier backup and its time, the
    // ledger, no safety copy, no staged file), and the connection still writes.
    void failingFileOperation() {
        QFETCH(QString, op);
        QFETCH(faultvfs::Mode, mode);
        for (int k = 1;; ++k) {
            QVERIFY2(k < kMaxCalls, "the operation never completes");
            LedgerFixture fx;
            fx.insertAccount(QStringLiteral("现金"), store::Money::fromFen(50000));
            QCOMPARE(admin::backupLedger(*fx.dm, fx.programDir(), QStringLiteral("旧")),
                     admin::FileOutcome::Done);
            fx.insertAccount(QStringLiteral("银行卡"), store::Money::fromFen(120000));
            const QMap<QString, QByteArray> before = folderState(fx.programDir());

            faultvfs::arm(mode, k);
            const admin::FileOutcome outcome = runFileOperation(op, fx);
            faultvfs::disarm();
            if (!faultvfs::fired()) {
                QVERIFY2(k > 1, "the operation wrote nothing through the test VFS");
                QCOMPARE(outcome, admin::FileOutcome::Done);
                const int accounts = op == QLatin1String("backup")    ? 2
                                     : op == QLatin1String("restore") ? 1
                                                                      : 0;
                QCOMPARE(fx.count(QStringLiteral("账户")), accounts);
                return;
            }
            const QByteArray where = QByteArrayLiteral("at call ") + QByteArray::number(k);
            QVERIFY2(outcome == admin::FileOutcome::Failed, where + " the operation did not fail");
            const QMap<QString, QByteArray> now = folderState(fx.programDir());
            QVERIFY2(now.keys() == before.keys(),
                     where + " files came or went: " + now.keys().join(QLatin1Char(' ')).toUtf8());
            QVERIFY2(now == before, where + " a file changed");
            QVERIFY(fx.dm->isOpen());
            QCOMPARE(accounts::addAccount(fx.db(), QStringLiteral("支付宝"), store::Money(), QString()),
                     accounts::Outcome::Done);
        }
    }

    void killedProcess_data() {
        QTest::addColumn<QString>("op");
        for (const WritingOp& op : writingOps())
            QTest::newRow(qPrintable(op.name)) << op.name;
    }
    // A child process runs the operation and dies by SIGKILL at its k-th write, sync, truncate or delete,
    // for every k until it completes. The file it leaves passes the integrity check and the
    // invariants and holds the operation whole or not at all.
    void killedProcess() {
        QFETCH(QString, op);
        const WritingOp& w = *findWritingOp(op);
        const QByteArray prepared = preparedFile(w);
        const QString after = dumpAfter(w, prepared);
        for (int k = 1;; ++k) {
            QVERIFY2(k < kMaxCalls, "the operation never completes");
            LedgerFixture fx;
            startFrom(fx, prepared);
            const QString before = ledgerDump(fx.db());
            fx.dm->close();

            QProcess child;
            child.start(QStringLiteral(CRASH_CHILD), {fx.dataFile(), op, QString::number(k)});
            QVERIFY(child.waitForFinished(30000));
            const QByteArray where = QByteArrayLiteral("killed at call ") + QByteArray::number(k);
            const bool completed = child.readAllStandardOutput().contains("completed");
            if (!completed && child.exitStatus() == QProcess::NormalExit)
                QFAIL(child.readAllStandardError().constData());

            fx.dm->open(fx.dataFile());
            QCOMPARE(store::scalar(fx.db(), QStringLiteral("PRAGMA integrity_check")).toString(),
                     QStringLiteral("ok"));
            QVERIFY_LEDGER(fx);
            const QString now = ledgerDump(fx.db());
            if (completed) {
                QVERIFY2(k > 1, "the operation wrote nothing through the test VFS");
                QCOMPARE(now, after);
                return;
            }
            QVERIFY2(now == before || now == after, where + " left the operation half written");
        }
    }
};

QTEST_MAIN(TstReliability)
#include "tst_reliability.moc"
