// The entry operations on a small ledger: balances judged on the stored figures, every write whole
// or not at all, the ledger invariants after each call.
#include "entries/entry_list_model.h"
#include "entries/entry_ops.h"
#include "store/db.h"
#include "store/ledger.h"
#include "support/fixture.h"

#include <QSqlQuery>
#include <QtTest>

using entries::Kind;
using entries::Outcome;
using store::Money;

Q_DECLARE_METATYPE(entries::Kind)
Q_DECLARE_METATYPE(entries::Outcome)

namespace {

const QString A = QStringLiteral("现金");
const QString B = QStringLiteral("银行");

Money fen(qint64 f) {
    return Money::fromFen(f);
}

qint64 lastId(const LedgerFixture& fx) {
    return store::scalar(fx.db(), QStringLiteral("SELECT MAX(id) FROM 收支表")).toLongLong();
}

// The values an entry booked by the fixture holds, with another amount and account.
entries::EntryValues bookedValues(Kind kind, qint64 amount, const QString& account) {
    const bool income = kind == Kind::Income;
    return {QDate(2026, 5, 1),
            income ? QStringLiteral("工资") : QStringLiteral("饮食"),
            income ? QStringLiteral("月薪") : QStringLiteral("午餐"),
            fen(amount),
            account,
            QString()};
}

QSqlRecord entryRow(const LedgerFixture& fx, qint64 id) {
    QSqlQuery q = store::exec(fx.db(), QStringLiteral("SELECT * FROM 收支表 WHERE id = ?"), {id});
    return q.next() ? q.record() : QSqlRecord();
}

} // namespace

class TstEntryOps : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Income of 100 on an account now holding 30 (70 spent since); expense of 50 on an account
    // now holding 20. B holds what the row says.
    void balanceRules_data() {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("op");
        QTest::addColumn<qint64>("amount");
        QTest::addColumn<bool>("moveToB");
        QTest::addColumn<qint64>("balanceB");
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<qint64>("afterA");
        QTest::addColumn<qint64>("afterB");

        const auto I = Kind::Income;
        const auto E = Kind::Expense;
        QTest::newRow("income lowered to what is left")
            << I << "correct" << 7000ll << false << 0ll << Outcome::Done << 0ll << 0ll;
        QTest::newRow("income lowered one cent too far")
            << I << "correct" << 6999ll << false << 0ll << Outcome::Overdraw << 3000ll << 0ll;
        QTest::newRow("income raised")
            << I << "correct" << 15000ll << false << 0ll << Outcome::Done << 8000ll << 0ll;
        QTest::newRow("income moved away")
            << I << "correct" << 10000ll << true << 0ll << Outcome::Overdraw << 3000ll << 0ll;
        QTest::newRow("income deleted")
            << I << "delete" << 0ll << false << 0ll << Outcome::Overdraw << 3000ll << 0ll;
        QTest::newRow("expense raised to the balance")
            << E << "correct" << 7000ll << false << 0ll << Outcome::Done << 0ll << 0ll;
        QTest::newRow("expense raised one cent too far")
            << E << "correct" << 7001ll << false << 0ll << Outcome::Overdraw << 2000ll << 0ll;
        QTest::newRow("expense lowered")
            << E << "correct" << 1000ll << false << 0ll << Outcome::Done << 6000ll << 0ll;
        QTest::newRow("expense moved beyond the target")
            << E << "correct" << 5000ll << true << 4999ll << Outcome::Overdraw << 2000ll << 4999ll;
        QTest::newRow("expense moved within the target")
            << E << "correct" << 4999ll << true << 4999ll << Outcome::Done << 7000ll << 0ll;
        QTest::newRow("expense deleted")
            << E << "delete" << 0ll << false << 0ll << Outcome::Done << 7000ll << 0ll;
    }
    void balanceRules() {
        QFETCH(Kind, kind);
        QFETCH(QString, op);
        QFETCH(qint64, amount);
        QFETCH(bool, moveToB);
        QFETCH(qint64, balanceB);
        QFETCH(Outcome, outcome);
        QFETCH(qint64, afterA);
        QFETCH(qint64, afterB);

        LedgerFixture fx;
        const bool income = kind == Kind::Income;
        fx.insertAccount(A, fen(income ? 0 : 7000));
        fx.insertAccount(B, fen(balanceB));
        fx.bookEntry(QStringLiteral("2026-05-01"), income, income ? 10000 : 5000, A);
        if (income) fx.moveAccount(A, QStringLiteral("支出"), fen(7000));
        const qint64 id = lastId(fx);
        const QSqlRecord before = entryRow(fx, id);

        const Outcome got =
            op == QStringLiteral("delete")
                ? entries::deleteEntry(fx.db(), kind, id)
                : entries::correctEntry(fx.db(), kind, id, bookedValues(kind, amount, moveToB ? B : A));
        QCOMPARE(got, outcome);
        QCOMPARE(fx.accountMoney(A, QStringLiteral("余额")), fen(afterA));
        QCOMPARE(fx.accountMoney(B, QStringLiteral("余额")), fen(afterB));
        QVERIFY_LEDGER(fx);
        if (outcome != Outcome::Done)
            QCOMPARE(entryRow(fx, id), before);
        else if (op == QStringLiteral("delete"))
            QVERIFY(entryRow(fx, id).isEmpty());
    }

    // Date, Category, Subcategory and remark move nothing: every figure of the account stays.
    void correctingOnlyTheDescriptionKeepsTheFigures_data() {
        QTest::addColumn<Kind>("kind");
        QTest::newRow("income") << Kind::Income;
        QTest::newRow("expense") << Kind::Expense;
    }
    void correctingOnlyTheDescriptionKeepsTheFigures() {
        QFETCH(Kind, kind);
        LedgerFixture fx;
        const bool income = kind == Kind::Income;
        fx.insertAccount(A, fen(1000));
        fx.bookEntry(QStringLiteral("2026-05-01"), income, 1000, A);
        // Everything spent: a correction that moved the account even for a moment would be refused.
        fx.moveAccount(A, QStringLiteral("支出"), fx.accountMoney(A, QStringLiteral("余额")));
        const entries::KindColumns& c = entries::columnsOf(kind);
        store::exec(fx.db(), QStringLiteral("INSERT INTO %1 VALUES ('其他')").arg(c.category));
        store::exec(fx.db(), QStringLiteral("INSERT INTO %1 VALUES ('其他', '杂项')").arg(c.subcategory));
        const QSqlRecord account = fx.account(A);
        const qint64 id = lastId(fx);

        const entries::EntryValues v{
            QDate(2026, 4, 2),       QStringLiteral("其他"), QStringLiteral("杂项"), fen(1000), A,
            QStringLiteral(" 改过 ")};
        QCOMPARE(entries::correctEntry(fx.db(), kind, id, v), Outcome::Done);
        QCOMPARE(fx.account(A), account);
        const QSqlRecord row = entryRow(fx, id);
        QCOMPARE(row.value(QStringLiteral("日期")).toString(), QStringLiteral("2026-04-02"));
        QCOMPARE(row.value(c.category).toString(), QStringLiteral("其他"));
        QCOMPARE(row.value(c.subcategory).toString(), QStringLiteral("杂项"));
        QCOMPARE(row.value(QStringLiteral("备注")).toString(), QStringLiteral(" 改过 "));
    }

    void recording_data() {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<qint64>("amount");
        QTest::addColumn<QString>("account");
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<qint64>("balance");
        QTest::newRow("income") << Kind::Income << 1235ll << A << Outcome::Done << 3235ll;
        QTest::newRow("income of 0.00") << Kind::Income << 0ll << A << Outcome::NotPositive << 2000ll;
        QTest::newRow("expense of the whole balance") << Kind::Expense << 2000ll << A << Outcome::Done << 0ll;
        QTest::newRow("expense one cent above")
            << Kind::Expense << 2001ll << A << Outcome::Overdraw << 2000ll;
        QTest::newRow("expense of 0.00") << Kind::Expense << 0ll << A << Outcome::NotPositive << 2000ll;
        QTest::newRow("income beyond the limit")
            << Kind::Income << Money::limit().fen() + 1 << A << Outcome::BeyondLimit << 2000ll;
        QTest::newRow("no such account")
            << Kind::Income << 100ll << QStringLiteral("无") << Outcome::NoSuchAccount << 2000ll;
    }
    void recording() {
        QFETCH(Kind, kind);
        QFETCH(qint64, amount);
        QFETCH(QString, account);
        QFETCH(Outcome, outcome);
        QFETCH(qint64, balance);
        LedgerFixture fx;
        fx.insertAccount(A, fen(2000));
        // Makes the classification the values name.
        fx.bookEntry(QStringLiteral("2026-01-01"), kind == Kind::Income, 0, A);
        const int before = fx.count(QStringLiteral("收支表"));

        qint64 id = 0;
        entries::EntryValues v = bookedValues(kind, amount, account);
        v.remark = QStringLiteral(" 留空格 ");
        QCOMPARE(entries::recordEntry(fx.db(), kind, v, &id), outcome);
        QCOMPARE(fx.accountMoney(A, QStringLiteral("余额")), fen(balance));
        QVERIFY_LEDGER(fx);
        QCOMPARE(fx.count(QStringLiteral("收支表")), before + (outcome == Outcome::Done ? 1 : 0));
        if (outcome != Outcome::Done) return;
        const QSqlRecord row = entryRow(fx, id);
        const entries::KindColumns& c = entries::columnsOf(kind);
        QCOMPARE(row.value(c.amount).toLongLong(), amount);
        QCOMPARE(row.value(QStringLiteral("收支类别")).toString(), c.kind);
        QCOMPARE(row.value(QStringLiteral("备注")).toString(), QStringLiteral(" 留空格 "));
        QCOMPARE(row.value(QStringLiteral("日期")).toString(), QStringLiteral("2026-05-01"));
        // The other kind's columns stay unset.
        QVERIFY(row.value(entries::columnsOf(kind == Kind::Income ? Kind::Expense : Kind::Income).amount)
                    .isNull());
    }

    // A stale caller: the entry is gone, or it is of the other kind.
    void missingEntries() {
        LedgerFixture fx;
        fx.insertAccount(A, fen(5000));
        fx.bookEntry(QStringLiteral("2026-05-01"), false, 1000, A);
        const qint64 id = lastId(fx);
        QCOMPARE(entries::deleteEntry(fx.db(), Kind::Income, id), Outcome::NoSuchEntry);
        QCOMPARE(entries::correctEntry(fx.db(), Kind::Income, id, bookedValues(Kind::Income, 100, A)),
                 Outcome::NoSuchEntry);
        QCOMPARE(entries::deleteEntry(fx.db(), Kind::Expense, id), Outcome::Done);
        QCOMPARE(entries::deleteEntry(fx.db(), Kind::Expense, id), Outcome::NoSuchEntry);
        QCOMPARE(fx.accountMoney(A, QStringLiteral("余额")), fen(5000));
        QVERIFY_LEDGER(fx);
    }

    // The correction has already given the old amount back when the entry's rewrite fails (a
    // Subcategory that does not exist): nothing of it may stay.
    void failedCorrectionChangesNothing() {
        LedgerFixture fx;
        fx.insertAccount(A, fen(5000));
        fx.bookEntry(QStringLiteral("2026-05-01"), false, 1000, A);
        const qint64 id = lastId(fx);
        const QSqlRecord a = fx.account(A), entry = entryRow(fx, id);
        entries::EntryValues v = bookedValues(Kind::Expense, 2000, A);
        v.subcategory = QStringLiteral("不存在");
        QVERIFY_THROWS_EXCEPTION(store::DbError, (void)entries::correctEntry(fx.db(), Kind::Expense, id, v));
        QCOMPARE(fx.account(A), a);
        QCOMPARE(entryRow(fx, id), entry);
        QVERIFY_LEDGER(fx);
    }

    // Keys come in chunks and rows in pages: across chunk and page edges, and among many entries of
    // one date, the list holds exactly the rows of the listing order.
    void longListingsReadOnDemand() {
        LedgerFixture fx;
        fx.insertAccount(A, fen(0));
        fx.bookEntry(QStringLiteral("2026-05-01"), false, 1, A);
        store::Transaction t(fx.db());
        store::exec(fx.db(),
                    QStringLiteral(
                        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 5000) "
                        "INSERT INTO 收支表 (日期, 收支类别, 支出项目, 支出名称, 支出金额, 结算账户) "
                        "SELECT date('2026-05-01', '+' || (i * 7 % 5) || ' days'), '支出', '饮食', '午餐', "
                        "i, ? FROM n"),
                    {A});
        t.commit();
        QList<qint64> expected;
        QSqlQuery q = store::exec(
            fx.db(), QStringLiteral("SELECT id FROM 收支表 WHERE 日期 BETWEEN '2026-05-02' AND '2026-05-04' "
                                    "ORDER BY 日期 DESC, id DESC"));
        while (q.next())
            expected << q.value(0).toLongLong();

        entries::EntryListModel m;
        entries::ListFilter f;
        f.from = QDate(2026, 5, 2);
        f.to = QDate(2026, 5, 4);
        m.list(fx.db(), Kind::Expense, f);
        QCOMPARE(m.rowCount(), expected.size());
        const int id = m.record().indexOf(QStringLiteral("id"));
        const int amount = m.record().indexOf(QStringLiteral("支出金额"));
        const int date = m.record().indexOf(QStringLiteral("日期"));
        for (int r = 0; r < m.rowCount(); ++r) {
            QCOMPARE(m.data(m.index(r, id)).toLongLong(), expected[r]);
            // The rows were inserted with ids 2.. for i = 1.., so the amount tells the row apart.
            QCOMPARE(m.data(m.index(r, amount)).toLongLong(), expected[r] - 1);
        }
        QCOMPARE(m.data(m.index(0, date)).toString(), QStringLiteral("2026-05-04"));
        m.clear();
        QCOMPARE(m.rowCount(), 0);
        QVERIFY(!m.data(m.index(0, id)).isValid());
    }
};

QTEST_GUILESS_MAIN(TstEntryOps)
#include "tst_entry_ops.moc"
