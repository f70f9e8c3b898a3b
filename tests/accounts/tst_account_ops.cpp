// Fund account operations: add, rename, note, delete and transfer, each one transaction that
// re-checks its own preconditions.
#include "accounts/account_ops.h"
#include "store/db.h"
#include "store/ledger.h"
#include "support/fixture.h"

#include <QSqlQuery>
#include <QtTest>

using accounts::Outcome;
using store::Money;

Q_DECLARE_METATYPE(accounts::Outcome)

namespace {

Money yuan(const char* text) {
    return store::parseAmount(QString::fromUtf8(text)).value;
}

qint64 idOf(const LedgerFixture& fx, const QString& name) {
    return fx.account(name).value(QStringLiteral("id")).toLongLong();
}

// Moves one accumulator of an account the way recording and correcting do: the column and 余额
// together, with the column's sign in the balance formula.
// An expense entry, a Borrowing and a Lending booked to an account, with its accumulators moved.
void bookRecords(const LedgerFixture& fx, const QString& account) {
    store::exec(fx.db(), QStringLiteral("INSERT OR IGNORE INTO 支出项目 VALUES ('饮食')"));
    store::exec(fx.db(), QStringLiteral("INSERT OR IGNORE INTO 支出名称 VALUES ('饮食', '午餐')"));
    store::exec(fx.db(),
                QStringLiteral("INSERT INTO 收支表 (日期, 收支类别, 支出项目, 支出名称, 支出金额, 结算账户) "
                               "VALUES ('2026-05-15', '支出', '饮食', '午餐', 1250, ?)"),
                {account});
    fx.moveAccount(account, QStringLiteral("支出"), Money::fromFen(1250));
    store::exec(fx.db(),
                QStringLiteral(
                    "INSERT INTO 借入 (日期, 结算账户, 借入金额, 余额) VALUES ('2026-05-01', ?, 500, 500)"),
                {account});
    fx.moveAccount(account, QStringLiteral("借入"), Money::fromFen(500));
    store::exec(fx.db(),
                QStringLiteral(
                    "INSERT INTO 借出 (日期, 结算账户, 借出金额, 余额) VALUES ('2026-05-02', ?, 300, 300)"),
                {account});
    fx.moveAccount(account, QStringLiteral("借出"), Money::fromFen(300));
}

// Deletes every record as its own window would: the record goes, and the account it names (by
// 结算账户) gets its accumulators moved back.
void deleteRecords(const LedgerFixture& fx) {
    for (const auto& [table, column, amount] :
         {std::tuple{"收支表", "支出", "支出金额"}, std::tuple{"借入", "借入", "借入金额"},
          std::tuple{"借出", "借出", "借出金额"}}) {
        QSqlQuery q = store::exec(fx.db(), QStringLiteral("SELECT 结算账户, %1 FROM %2")
                                               .arg(QString::fromUtf8(amount), QString::fromUtf8(table)));
        while (q.next())
            fx.moveAccount(q.value(0).toString(), QString::fromUtf8(column), -store::moneyOf(q.value(1)));
        store::exec(fx.db(), QStringLiteral("DELETE FROM %1").arg(QString::fromUtf8(table)));
    }
}

int recordsNaming(const LedgerFixture& fx, const QString& account) {
    int n = 0;
    for (const char* table : {"收支表", "借入", "借出"})
        n += store::scalar(
                 fx.db(),
                 QStringLiteral("SELECT COUNT(*) FROM %1 WHERE 结算账户 = ?").arg(QString::fromUtf8(table)),
                 {account})
                 .toInt();
    return n;
}

} // namespace

class TstAccountOps : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Names with quotes are ordinary text; the new row carries its opening amount as its balance.
    void addStoresTheAccount() {
        LedgerFixture fx;
        const QString name = QStringLiteral("O'Brien \"卡\"");
        QCOMPARE(accounts::addAccount(fx.db(), name, yuan("12.345"), QStringLiteral("两行\n备注")),
                 Outcome::Done);
        const QSqlRecord r = fx.account(name);
        QCOMPARE(r.value(QStringLiteral("账户名称")).toString(), name);
        QCOMPARE(r.value(QStringLiteral("起始金额")).toLongLong(), 1235);
        QCOMPARE(r.value(QStringLiteral("余额")).toLongLong(), 1235);
        QCOMPARE(r.value(QStringLiteral("备注")).toString(), QStringLiteral("两行\n备注"));
        QVERIFY_LEDGER(fx);
        QVERIFY(accounts::accountNameTaken(fx.db(), name));
        QVERIFY(!accounts::accountNameTaken(fx.db(), name, idOf(fx, name)));
        QCOMPARE(accounts::addAccount(fx.db(), QStringLiteral("零"), Money(), QString()), Outcome::Done);
        QCOMPARE(accounts::accountNames(fx.db()), QStringList({name, QStringLiteral("零")}));
    }

    void addRefusals_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qint64>("fen");
        QTest::addColumn<Outcome>("outcome");
        QTest::newRow("name taken") << "现金" << qint64(100) << Outcome::NameTaken;
        QTest::newRow("below zero") << "新" << qint64(-1) << Outcome::BadAmount;
        QTest::newRow("above the limit") << "新" << Money::limit().fen() + 1 << Outcome::BadAmount;
    }
    void addRefusals() {
        QFETCH(QString, name);
        QFETCH(qint64, fen);
        QFETCH(Outcome, outcome);
        LedgerFixture fx;
        fx.insertAccount(QStringLiteral("现金"), Money::fromFen(5000));
        QCOMPARE(accounts::addAccount(fx.db(), name, Money::fromFen(fen), QString()), outcome);
        QCOMPARE(fx.count(QStringLiteral("账户")), 1);
        QCOMPARE(fx.accountMoney(QStringLiteral("现金"), QStringLiteral("起始金额")).fen(), qint64(5000));
    }

    // A renamed account keeps its records: corrections and deletions that address it by name after
    // the rename still move it, and it can be deleted once they are gone.
    void renameCarriesIntoRecords() {
        LedgerFixture fx;
        fx.insertAccount(QStringLiteral("现金"), Money::fromFen(10000), QStringLiteral("旧备注"));
        fx.insertAccount(QStringLiteral("银行"), Money::fromFen(10000));
        bookRecords(fx, QStringLiteral("现金"));
        bookRecords(fx, QStringLiteral("银行"));

        QCOMPARE(accounts::renameAccount(fx.db(), idOf(fx, QStringLiteral("现金")), QStringLiteral("钱包"),
                                         QStringLiteral("新备注")),
                 Outcome::Done);
        QVERIFY(fx.account(QStringLiteral("现金")).isEmpty());
        QCOMPARE(fx.account(QStringLiteral("钱包")).value(QStringLiteral("备注")).toString(),
                 QStringLiteral("新备注"));
        QCOMPARE(recordsNaming(fx, QStringLiteral("现金")), 0);
        QCOMPARE(recordsNaming(fx, QStringLiteral("钱包")), 3);
        QCOMPARE(recordsNaming(fx, QStringLiteral("银行")), 3);

        deleteRecords(fx);
        QVERIFY_LEDGER(fx);
        QCOMPARE(fx.accountMoney(QStringLiteral("钱包"), QStringLiteral("余额")).fen(), qint64(10000));
        QCOMPARE(accounts::deleteAccount(fx.db(), idOf(fx, QStringLiteral("钱包"))), Outcome::Done);
        QCOMPARE(accounts::deleteAccount(fx.db(), idOf(fx, QStringLiteral("银行"))), Outcome::Done);
    }

    void renameRefusalsAndNote() {
        LedgerFixture fx;
        fx.insertAccount(QStringLiteral("cash"), Money::fromFen(100), QStringLiteral("备注"));
        fx.insertAccount(QStringLiteral("银行"), Money::fromFen(200));
        bookRecords(fx, QStringLiteral("cash"));
        const qint64 id = idOf(fx, QStringLiteral("cash"));

        QCOMPARE(accounts::renameAccount(fx.db(), id, QStringLiteral("银行"), QStringLiteral("改了")),
                 Outcome::NameTaken);
        QCOMPARE(fx.account(QStringLiteral("cash")).value(QStringLiteral("备注")).toString(),
                 QStringLiteral("备注"));
        QCOMPARE(recordsNaming(fx, QStringLiteral("cash")), 3);
        QCOMPARE(accounts::renameAccount(fx.db(), 999, QStringLiteral("新"), QString()),
                 Outcome::NoSuchAccount);
        QCOMPARE(accounts::setAccountNote(fx.db(), 999, QString()), Outcome::NoSuchAccount);

        // Names compare exactly: a change of case is a rename, not a clash.
        QCOMPARE(accounts::renameAccount(fx.db(), id, QStringLiteral("Cash"), QStringLiteral("备注")),
                 Outcome::Done);
        QCOMPARE(recordsNaming(fx, QStringLiteral("Cash")), 3);
        QCOMPARE(accounts::renameAccount(fx.db(), id, QStringLiteral("Cash"), QStringLiteral("备注")),
                 Outcome::Done);

        QCOMPARE(accounts::setAccountNote(fx.db(), id, QStringLiteral("只改备注")), Outcome::Done);
        const QSqlRecord r = fx.account(QStringLiteral("Cash"));
        QCOMPARE(r.value(QStringLiteral("备注")).toString(), QStringLiteral("只改备注"));
        QCOMPARE(r.value(QStringLiteral("id")).toLongLong(), id);
        QVERIFY_LEDGER(fx);
    }

    // Amounts that add up to zero in fen leave an accumulator exactly 0, so the account can go;
    // anything still counted keeps it.
    void deleteGuardedByAccumulators_data() {
        QTest::addColumn<QString>("column");
        for (const char* c : {"收入", "支出", "借入", "付还款", "借出", "收借款", "转入", "转出"})
            QTest::newRow(c) << QString::fromUtf8(c);
    }
    void deleteGuardedByAccumulators() {
        QFETCH(QString, column);
        LedgerFixture fx;
        fx.insertAccount(QStringLiteral("现金"), Money::fromFen(100000));
        const qint64 id = idOf(fx, QStringLiteral("现金"));
        for (const char* a : {"0.10", "0.20", "0.30", "0.10"})
            fx.moveAccount(QStringLiteral("现金"), column, yuan(a));
        for (const char* a : {"0.10", "0.20"})
            fx.moveAccount(QStringLiteral("现金"), column, -yuan(a));
        QCOMPARE(accounts::deleteAccount(fx.db(), id), Outcome::NotEmpty);
        QCOMPARE(fx.count(QStringLiteral("账户")), 1);
        fx.moveAccount(QStringLiteral("现金"), column, -yuan("0.30"));
        QCOMPARE(accounts::deleteAccount(fx.db(), id), Outcome::NotEmpty);
        fx.moveAccount(QStringLiteral("现金"), column, -yuan("0.10"));
        QVERIFY_LEDGER(fx);
        QCOMPARE(accounts::deleteAccount(fx.db(), id), Outcome::Done);
        QCOMPARE(fx.count(QStringLiteral("账户")), 0);
        QCOMPARE(accounts::deleteAccount(fx.db(), id), Outcome::NoSuchAccount);
    }

    void transferLimits_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("target");
        QTest::addColumn<qint64>("fen");
        QTest::addColumn<Outcome>("outcome");
        QTest::newRow("whole balance") << "现金"
                                       << "银行" << qint64(5000) << Outcome::Done;
        QTest::newRow("one fen") << "现金"
                                 << "银行" << qint64(1) << Outcome::Done;
        QTest::newRow("one fen more than the balance") << "现金"
                                                       << "银行" << qint64(5001) << Outcome::Overdraw;
        QTest::newRow("zero") << "现金"
                              << "银行" << qint64(0) << Outcome::NotPositive;
        QTest::newRow("negative") << "现金"
                                  << "银行" << qint64(-500) << Outcome::NotPositive;
        QTest::newRow("same account, bad amount") << "现金"
                                                  << "现金" << qint64(-500) << Outcome::SameAccount;
        QTest::newRow("same account") << "现金"
                                      << "现金" << qint64(100) << Outcome::SameAccount;
        QTest::newRow("unknown target") << "现金"
                                        << "别处" << qint64(100) << Outcome::NoSuchAccount;
        QTest::newRow("unknown source") << "别处"
                                        << "现金" << qint64(100) << Outcome::NoSuchAccount;
        QTest::newRow("overdrawn source") << "信用卡"
                                          << "现金" << qint64(1) << Outcome::Overdraw;
    }
    void transferLimits() {
        QFETCH(QString, source);
        QFETCH(QString, target);
        QFETCH(qint64, fen);
        QFETCH(Outcome, outcome);
        LedgerFixture fx;
        fx.insertAccount(QStringLiteral("现金"), Money::fromFen(5000));
        fx.insertAccount(QStringLiteral("银行"), Money::fromFen(700));
        fx.insertAccount(QStringLiteral("信用卡"), Money::fromFen(0));
        fx.moveAccount(QStringLiteral("信用卡"), QStringLiteral("支出"), Money::fromFen(2000));

        QCOMPARE(accounts::transfer(fx.db(), source, target, Money::fromFen(fen)), outcome);
        const qint64 moved = outcome == Outcome::Done ? fen : 0;
        QCOMPARE(fx.accountMoney(QStringLiteral("现金"), QStringLiteral("转出")).fen(), moved);
        QCOMPARE(fx.accountMoney(QStringLiteral("现金"), QStringLiteral("余额")).fen(), 5000 - moved);
        QCOMPARE(fx.accountMoney(QStringLiteral("银行"), QStringLiteral("转入")).fen(), moved);
        QCOMPARE(fx.accountMoney(QStringLiteral("银行"), QStringLiteral("余额")).fen(), 700 + moved);
        QCOMPARE(store::columnTotal(fx.db(), QStringLiteral("余额"), QStringLiteral("账户")).fen(),
                 qint64(3700));
        QVERIFY_LEDGER(fx);
    }

    // A statement failing in the middle of an operation takes its earlier statements with it.
    void failingStatementLeavesNothing_data() {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<bool>("rename");
        QTest::newRow("rename, carrying into lendings") << "BEFORE UPDATE ON 借出" << true;
        QTest::newRow("transfer, crediting the target") << "BEFORE UPDATE OF 转入 ON 账户" << false;
    }
    void failingStatementLeavesNothing() {
        QFETCH(QString, trigger);
        QFETCH(bool, rename);
        LedgerFixture fx;
        fx.insertAccount(QStringLiteral("现金"), Money::fromFen(5000));
        fx.insertAccount(QStringLiteral("银行"), Money::fromFen(0));
        bookRecords(fx, QStringLiteral("现金"));
        store::exec(fx.db(),
                    QStringLiteral("CREATE TEMP TRIGGER 故障 %1 BEGIN SELECT RAISE(ABORT, '磁盘故障'); END")
                        .arg(trigger));
        const QStringList before = [&] {
            QStringList rows;
            QSqlQuery q = store::exec(fx.db(), QStringLiteral("SELECT * FROM 账户 ORDER BY id"));
            while (q.next())
                for (int i = 0; i < q.record().count(); ++i)
                    rows << q.value(i).toString();
            return rows;
        }();

        try {
            const Outcome o = rename ? accounts::renameAccount(fx.db(), idOf(fx, QStringLiteral("现金")),
                                                               QStringLiteral("钱包"), QStringLiteral("新"))
                                     : accounts::transfer(fx.db(), QStringLiteral("现金"),
                                                          QStringLiteral("银行"), Money::fromFen(100));
            QFAIL(qPrintable(QStringLiteral("no error, outcome %1").arg(int(o))));
        } catch (const store::DbError& e) {
            QVERIFY2(e.text().contains(QStringLiteral("磁盘故障")), qPrintable(e.text()));
        }
        QStringList after;
        QSqlQuery q = store::exec(fx.db(), QStringLiteral("SELECT * FROM 账户 ORDER BY id"));
        while (q.next())
            for (int i = 0; i < q.record().count(); ++i)
                after << q.value(i).toString();
        QCOMPARE(after, before);
        QCOMPARE(recordsNaming(fx, QStringLiteral("现金")), 3);
    }

    // A day of work: the balances always follow the accumulators, and transfers never change the
    // money held.
    void ledgerHoldsAfterASequence() {
        LedgerFixture fx;
        const QSqlDatabase db = fx.db();
        QCOMPARE(accounts::addAccount(db, QStringLiteral("现金"), yuan("100"), QString()), Outcome::Done);
        QCOMPARE(accounts::addAccount(db, QStringLiteral("银行"), yuan("0"), QString()), Outcome::Done);
        QCOMPARE(accounts::addAccount(db, QStringLiteral("支付宝"), yuan("12.345"), QString()),
                 Outcome::Done);
        QCOMPARE(accounts::transfer(db, QStringLiteral("现金"), QStringLiteral("银行"), yuan("30.10")),
                 Outcome::Done);
        QCOMPARE(accounts::transfer(db, QStringLiteral("银行"), QStringLiteral("支付宝"), yuan("0.20")),
                 Outcome::Done);
        QCOMPARE(accounts::renameAccount(db, idOf(fx, QStringLiteral("银行")), QStringLiteral("O'工行"),
                                         QString()),
                 Outcome::Done);
        QCOMPARE(accounts::transfer(db, QStringLiteral("支付宝"), QStringLiteral("O'工行"), yuan("12.55")),
                 Outcome::Done);
        QCOMPARE(accounts::transfer(db, QStringLiteral("现金"), QStringLiteral("支付宝"), yuan("69.90")),
                 Outcome::Done);
        QCOMPARE(accounts::transfer(db, QStringLiteral("现金"), QStringLiteral("支付宝"), yuan("0.01")),
                 Outcome::Overdraw);
        bookRecords(fx, QStringLiteral("O'工行"));
        QCOMPARE(accounts::setAccountNote(db, idOf(fx, QStringLiteral("支付宝")), QStringLiteral("备注")),
                 Outcome::Done);

        QVERIFY_LEDGER(fx);
        QCOMPARE(fx.accountMoney(QStringLiteral("现金"), QStringLiteral("余额")).fen(), qint64(0));
        QCOMPARE(fx.accountMoney(QStringLiteral("O'工行"), QStringLiteral("转入")).fen(),
                 qint64(3010 + 1255));
        QCOMPARE(fx.accountMoney(QStringLiteral("O'工行"), QStringLiteral("转出")).fen(), qint64(20));
        QCOMPARE(fx.accountMoney(QStringLiteral("支付宝"), QStringLiteral("余额")).fen(),
                 qint64(1235 + 20 - 1255 + 6990));
        QCOMPARE(store::columnTotal(db, QStringLiteral("余额"), QStringLiteral("账户")).fen(),
                 qint64(10000 + 1235 - 1250 + 500 - 300));
        QCOMPARE(accounts::deleteAccount(db, idOf(fx, QStringLiteral("现金"))), Outcome::NotEmpty);
    }
};

QTEST_MAIN(TstAccountOps)
#include "tst_account_ops.moc"
