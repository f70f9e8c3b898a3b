// Borrowing and Lending operations: each walk ends with the ledger's invariants checked, and every
// refusal leaves the ledger exactly as it was.
#include "loans/loan_ops.h"
#include "store/db.h"
#include "store/ledger.h"
#include "support/fixture.h"

#include <QRandomGenerator>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QtTest>

using loans::Kind;
using loans::Outcome;
using store::Money;

Q_DECLARE_METATYPE(loans::Kind)
Q_DECLARE_METATYPE(loans::Outcome)

namespace {

const QString X = QStringLiteral("现金");
const QString Y = QStringLiteral("银行卡");

Money fen(qint64 f) {
    return Money::fromFen(f);
}

loans::LoanFields fields(const QString& account, qint64 amount,
                         const QString& person = QStringLiteral("张三")) {
    return {QDate(2026, 5, 1), account, fen(amount), person, QStringLiteral("备注")};
}

qint64 balance(const LedgerFixture& fx, const QString& account) {
    return fx.accountMoney(account, QStringLiteral("余额")).fen();
}

qint64 loanColumn(const LedgerFixture& fx, Kind kind, qint64 id, const QString& column) {
    return store::scalar(
               fx.db(),
               QStringLiteral("SELECT %1 FROM %2 WHERE id = ?").arg(column, loans::tableOf(kind).table), {id})
        .toLongLong();
}

// Every account's running total of loans is what its loans amount to, as long as none was
// deleted: the add and correct movements of the account match the rows.
void verifyAccumulators(const LedgerFixture& fx) {
    for (Kind kind : {Kind::Borrowing, Kind::Lending}) {
        const loans::LoanTable& t = loans::tableOf(kind);
        QSqlQuery q = store::exec(
            fx.db(),
            QStringLiteral("SELECT 账户名称, %1, (SELECT COALESCE(SUM(%2), 0) FROM %3 WHERE 结算账户 = "
                           "账户名称) FROM 账户")
                .arg(t.accumulator, t.amount, t.table));
        while (q.next())
            QVERIFY2(q.value(1).toLongLong() == q.value(2).toLongLong(),
                     qPrintable(QStringLiteral("%1 %2").arg(q.value(0).toString(), t.accumulator)));
    }
}

// A snapshot of every figure the operations touch.
QString ledgerText(const LedgerFixture& fx) {
    QString out;
    for (const char* sql : {"SELECT * FROM 账户 ORDER BY id", "SELECT * FROM 借入 ORDER BY id",
                            "SELECT * FROM 借出 ORDER BY id"}) {
        QSqlQuery q = store::exec(fx.db(), QString::fromUtf8(sql));
        while (q.next()) {
            for (int i = 0; i < q.record().count(); ++i)
                out += q.value(i).toString() + QLatin1Char('|');
            out += QLatin1Char('\n');
        }
    }
    return out;
}

// X and Y with their opening amounts; a loan of amount on X with back already paid back through X;
// then an expense of spend off X. Returns the loan's id.
qint64 setUp(LedgerFixture& fx, Kind kind, qint64 xOpen, qint64 yOpen, qint64 amount, qint64 back,
             qint64 spend) {
    fx.insertAccount(X, fen(xOpen));
    fx.insertAccount(Y, fen(yOpen));
    qint64 id = 0;
    if (loans::addLoan(fx.db(), kind, fields(X, amount), &id) != Outcome::Done) qFatal("set-up loan refused");
    if (back && loans::payBack(fx.db(), kind, id, X, fen(back)) != Outcome::Done)
        qFatal("set-up pay-back refused");
    if (spend) fx.moveAccount(X, QStringLiteral("支出"), fen(spend));
    return id;
}

} // namespace

class TstLoanOps : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void addMovesTheSettlementAccount() {
        LedgerFixture fx;
        fx.insertAccount(X, fen(5000));
        qint64 b = 0, l = 0;
        QCOMPARE(loans::addLoan(fx.db(), Kind::Borrowing, fields(X, 314, QStringLiteral(" 李四 ")), &b),
                 Outcome::Done);
        QCOMPARE(loans::addLoan(fx.db(), Kind::Lending, fields(X, 1000), &l), Outcome::Done);
        QCOMPARE(balance(fx, X), 5000 + 314 - 1000);
        QCOMPARE(fx.accountMoney(X, QStringLiteral("借入")).fen(), 314);
        QCOMPARE(fx.accountMoney(X, QStringLiteral("借出")).fen(), 1000);
        QCOMPARE(loanColumn(fx, Kind::Borrowing, b, QStringLiteral("余额")), 314);
        QCOMPARE(loanColumn(fx, Kind::Borrowing, b, QStringLiteral("偿还金额")), 0);
        QCOMPARE(store::scalar(fx.db(), QStringLiteral("SELECT 借款人 || 日期 FROM 借入")).toString(),
                 QStringLiteral(" 李四 2026-05-01"));
        QCOMPARE(loans::outstandingTotal(fx.db(), Kind::Borrowing).fen(), 314);
        QCOMPARE(loans::outstandingTotal(fx.db(), Kind::Lending).fen(), 1000);
        QVERIFY_LEDGER(fx);
        verifyAccumulators(fx);
    }

    void addRefusals_data() {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("account");
        QTest::addColumn<qint64>("amount");
        QTest::addColumn<Outcome>("outcome");
        QTest::newRow("lending the whole balance") << Kind::Lending << X << qint64(5000) << Outcome::Done;
        QTest::newRow("lending above the balance") << Kind::Lending << X << qint64(5001) << Outcome::Overdraw;
        QTest::newRow("borrowing above the balance") << Kind::Borrowing << X << qint64(9000) << Outcome::Done;
        QTest::newRow("below zero") << Kind::Borrowing << X << qint64(-1) << Outcome::BadAmount;
        QTest::newRow("above the limit")
            << Kind::Borrowing << X << Money::limit().fen() + 1 << Outcome::BadAmount;
        QTest::newRow("no such account") << Kind::Lending << "无" << qint64(1) << Outcome::NoSuchAccount;
    }
    void addRefusals() {
        QFETCH(Kind, kind);
        QFETCH(QString, account);
        QFETCH(qint64, amount);
        QFETCH(Outcome, outcome);
        LedgerFixture fx;
        fx.insertAccount(X, fen(5000));
        const QString before = ledgerText(fx);
        QCOMPARE(loans::addLoan(fx.db(), kind, fields(account, amount)), outcome);
        if (outcome != Outcome::Done) QCOMPARE(ledgerText(fx), before);
        QVERIFY_LEDGER(fx);
    }

    // Correcting a loan of 100.00 on X, in every direction the windows allow or refuse.
    void correct_data() {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<qint64>("xOpen");
        QTest::addColumn<qint64>("yOpen");
        QTest::addColumn<qint64>("back");
        QTest::addColumn<qint64>("spend");
        QTest::addColumn<QString>("target");
        QTest::addColumn<qint64>("newAmount");
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<qint64>("xAfter");
        QTest::addColumn<qint64>("yAfter");
        QTest::addColumn<qint64>("loanAfter");
        const auto B = Kind::Borrowing;
        const auto L = Kind::Lending;
        const auto done = Outcome::Done;
        // Borrowing of 100 with 30 repaid out of X: X holds 70.
        QTest::newRow("borrowing below repaid") << B << 0ll << 0ll << 3000ll << 0ll << X << 2500ll
                                                << Outcome::BelowReturned << 7000ll << 0ll << 7000ll;
        QTest::newRow("borrowing equal to repaid")
            << B << 0ll << 0ll << 3000ll << 0ll << X << 3000ll << done << 0ll << 0ll << 0ll;
        QTest::newRow("borrowing raised")
            << B << 0ll << 0ll << 3000ll << 0ll << X << 12000ll << done << 9000ll << 0ll << 9000ll;
        QTest::newRow("borrowing lowered, money spent") << B << 0ll << 0ll << 0ll << 5000ll << X << 4000ll
                                                        << Outcome::Overdraw << 5000ll << 0ll << 10000ll;
        QTest::newRow("borrowing lowered, money there")
            << B << 0ll << 0ll << 0ll << 4000ll << X << 4000ll << done << 0ll << 0ll << 4000ll;
        QTest::newRow("borrowing moved, money spent") << B << 0ll << 0ll << 0ll << 2000ll << Y << 5000ll
                                                      << Outcome::Overdraw << 8000ll << 0ll << 10000ll;
        QTest::newRow("borrowing moved")
            << B << 0ll << 0ll << 0ll << 0ll << Y << 5000ll << done << 0ll << 5000ll << 5000ll;
        // Lending of 100 out of X, 30 collected back into X.
        QTest::newRow("lending below collected") << L << 10000ll << 0ll << 3000ll << 0ll << X << 2500ll
                                                 << Outcome::BelowReturned << 3000ll << 0ll << 7000ll;
        QTest::newRow("lending equal to collected")
            << L << 10000ll << 0ll << 3000ll << 0ll << X << 3000ll << done << 10000ll << 0ll << 0ll;
        QTest::newRow("lending raised, account short") << L << 11999ll << 0ll << 0ll << 0ll << X << 12000ll
                                                       << Outcome::Overdraw << 1999ll << 0ll << 10000ll;
        QTest::newRow("lending raised")
            << L << 12000ll << 0ll << 0ll << 0ll << X << 12000ll << done << 0ll << 0ll << 12000ll;
        QTest::newRow("lending lowered from an empty account")
            << L << 10000ll << 0ll << 0ll << 0ll << X << 4000ll << done << 6000ll << 0ll << 4000ll;
        QTest::newRow("lending moved, new account short")
            << L << 10000ll << 7000ll << 0ll << 0ll << Y << 8000ll << Outcome::Overdraw << 0ll << 7000ll
            << 10000ll;
        QTest::newRow("lending moved")
            << L << 10000ll << 7000ll << 0ll << 0ll << Y << 7000ll << done << 10000ll << 0ll << 7000ll;
        QTest::newRow("to no account") << L << 10000ll << 0ll << 0ll << 0ll << "无" << 100ll
                                       << Outcome::NoSuchAccount << 0ll << 0ll << 10000ll;
    }
    void correct() {
        QFETCH(Kind, kind);
        QFETCH(qint64, xOpen);
        QFETCH(qint64, yOpen);
        QFETCH(qint64, back);
        QFETCH(qint64, spend);
        QFETCH(QString, target);
        QFETCH(qint64, newAmount);
        QFETCH(Outcome, outcome);
        QFETCH(qint64, xAfter);
        QFETCH(qint64, yAfter);
        QFETCH(qint64, loanAfter);
        LedgerFixture fx;
        const qint64 id = setUp(fx, kind, xOpen, yOpen, 10000, back, spend);
        const QString before = ledgerText(fx);
        loans::LoanFields f = fields(target, newAmount, QStringLiteral("王五"));
        f.date = QDate(2026, 4, 2);
        QCOMPARE(loans::correctLoan(fx.db(), kind, id, f), outcome);
        QCOMPARE(balance(fx, X), xAfter);
        QCOMPARE(balance(fx, Y), yAfter);
        QCOMPARE(loanColumn(fx, kind, id, QStringLiteral("余额")), loanAfter);
        if (outcome != Outcome::Done) {
            QCOMPARE(ledgerText(fx), before);
        } else {
            QCOMPARE(loanColumn(fx, kind, id, loans::tableOf(kind).amount), newAmount);
            QCOMPARE(store::scalar(fx.db(), QStringLiteral("SELECT 日期 || 借款人 || 结算账户 FROM %1")
                                                .arg(loans::tableOf(kind).table))
                         .toString(),
                     QStringLiteral("2026-04-02王五") + target);
        }
        QVERIFY_LEDGER(fx);
        verifyAccumulators(fx);
    }

    void correctMissingLoan() {
        LedgerFixture fx;
        fx.insertAccount(X, fen(100));
        QCOMPARE(loans::correctLoan(fx.db(), Kind::Borrowing, 7, fields(X, 100)), Outcome::NoSuchLoan);
        QCOMPARE(loans::deleteLoan(fx.db(), Kind::Lending, 7), Outcome::NoSuchLoan);
        QCOMPARE(loans::repay(fx.db(), 7, X, fen(1)), Outcome::NoSuchLoan);
    }

    void remove_data() {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<qint64>("back");
        QTest::addColumn<qint64>("spend");
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<qint64>("xAfter");
        QTest::addColumn<qint64>("accumulatorAfter");
        // X opens with 100 for a Lending of 100 to come out of, and with nothing for a Borrowing.
        QTest::newRow("borrowing partly repaid")
            << Kind::Borrowing << 3000ll << 0ll << Outcome::PartlyReturned << 7000ll << 10000ll;
        QTest::newRow("borrowing fully repaid")
            << Kind::Borrowing << 10000ll << 0ll << Outcome::Done << 0ll << 10000ll;
        QTest::newRow("borrowing unpaid, money there")
            << Kind::Borrowing << 0ll << 0ll << Outcome::Done << 0ll << 0ll;
        QTest::newRow("borrowing unpaid, money spent")
            << Kind::Borrowing << 0ll << 1ll << Outcome::Overdraw << 9999ll << 10000ll;
        QTest::newRow("lending partly collected")
            << Kind::Lending << 3000ll << 0ll << Outcome::PartlyReturned << 3000ll << 10000ll;
        QTest::newRow("lending fully collected")
            << Kind::Lending << 10000ll << 0ll << Outcome::Done << 10000ll << 10000ll;
        QTest::newRow("lending uncollected")
            << Kind::Lending << 0ll << 0ll << Outcome::Done << 10000ll << 0ll;
    }
    void remove() {
        QFETCH(Kind, kind);
        QFETCH(qint64, back);
        QFETCH(qint64, spend);
        QFETCH(Outcome, outcome);
        QFETCH(qint64, xAfter);
        QFETCH(qint64, accumulatorAfter);
        LedgerFixture fx;
        const qint64 id = setUp(fx, kind, kind == Kind::Lending ? 10000 : 0, 0, 10000, back, spend);
        const QString before = ledgerText(fx);
        QCOMPARE(loans::deleteLoan(fx.db(), kind, id), outcome);
        QCOMPARE(balance(fx, X), xAfter);
        QCOMPARE(fx.accountMoney(X, loans::tableOf(kind).accumulator).fen(), accumulatorAfter);
        QCOMPARE(fx.count(loans::tableOf(kind).table), outcome == Outcome::Done ? 0 : 1);
        if (outcome != Outcome::Done) QCOMPARE(ledgerText(fx), before);
        QVERIFY_LEDGER(fx);
    }

    // A loan of 100 on X (which opened with 100) with 20 already paid back through X; paying through
    // X or Y (Y holds 50).
    void payBack_data() {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("account");
        QTest::addColumn<qint64>("amount");
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<qint64>("xAfter");
        QTest::addColumn<qint64>("yAfter");
        QTest::addColumn<qint64>("loanAfter");
        const auto B = Kind::Borrowing;
        const auto L = Kind::Lending;
        QTest::newRow("repay the outstanding amount")
            << B << X << 8000ll << Outcome::Done << 10000ll << 5000ll << 0ll;
        QTest::newRow("repay above it")
            << B << X << 8001ll << Outcome::AboveOutstanding << 18000ll << 5000ll << 8000ll;
        QTest::newRow("repay nothing") << B << X << 0ll << Outcome::BadAmount << 18000ll << 5000ll << 8000ll;
        QTest::newRow("repay from another account")
            << B << Y << 5000ll << Outcome::Done << 18000ll << 0ll << 3000ll;
        QTest::newRow("repay above the paying balance")
            << B << Y << 5001ll << Outcome::Overdraw << 18000ll << 5000ll << 8000ll;
        QTest::newRow("repay from no account")
            << B << "无" << 1ll << Outcome::NoSuchAccount << 18000ll << 5000ll << 8000ll;
        QTest::newRow("collect the outstanding amount into another account")
            << L << Y << 8000ll << Outcome::Done << 2000ll << 13000ll << 0ll;
        QTest::newRow("collect above it")
            << L << X << 8001ll << Outcome::AboveOutstanding << 2000ll << 5000ll << 8000ll;
        QTest::newRow("collect nothing") << L << X << 0ll << Outcome::BadAmount << 2000ll << 5000ll << 8000ll;
    }
    void payBack() {
        QFETCH(Kind, kind);
        QFETCH(QString, account);
        QFETCH(qint64, amount);
        QFETCH(Outcome, outcome);
        QFETCH(qint64, xAfter);
        QFETCH(qint64, yAfter);
        QFETCH(qint64, loanAfter);
        LedgerFixture fx;
        const qint64 id = setUp(fx, kind, 10000, 5000, 10000, 2000, 0);
        const QString before = ledgerText(fx);
        QCOMPARE(loans::payBack(fx.db(), kind, id, account, fen(amount)), outcome);
        QCOMPARE(balance(fx, X), xAfter);
        QCOMPARE(balance(fx, Y), yAfter);
        QCOMPARE(loanColumn(fx, kind, id, QStringLiteral("余额")), loanAfter);
        if (outcome != Outcome::Done) QCOMPARE(ledgerText(fx), before);
        // The settlement account's loan total is not what paying back moves.
        QCOMPARE(fx.accountMoney(X, loans::tableOf(kind).accumulator).fen(), 10000);
        QVERIFY_LEDGER(fx);
    }

    // Newest date first; within one date the row recorded last comes first.
    void listOrder() {
        LedgerFixture fx;
        fx.insertAccount(X, fen(0));
        for (const auto& [day, person] : {std::pair{3, "甲"}, std::pair{5, "乙"}, std::pair{3, "丙"}}) {
            loans::LoanFields f = fields(X, 100, QString::fromUtf8(person));
            f.date = QDate(2026, 5, day);
            QCOMPARE(loans::addLoan(fx.db(), Kind::Borrowing, f), Outcome::Done);
        }
        loans::relist(*fx.dm, Kind::Borrowing);
        QStringList order;
        for (int r = 0; r < fx.dm->qryJR->rowCount(); ++r)
            order << fx.dm->qryJR->record(r).value(QStringLiteral("借款人")).toString();
        QCOMPARE(order, QStringList({"乙", "丙", "甲"}));
    }

    // Any sequence of calls, whatever they are refused or allowed, keeps every invariant.
    void randomSequenceKeepsTheLedger() {
        LedgerFixture fx;
        fx.insertAccount(X, fen(50000));
        fx.insertAccount(Y, fen(0));
        QRandomGenerator r(20260515);
        const QString names[] = {X, Y};
        for (int step = 0; step < 400; ++step) {
            const Kind kind = r.bounded(2) ? Kind::Borrowing : Kind::Lending;
            const QString account = names[r.bounded(2)];
            const qint64 amount = r.bounded(30000);
            const qint64 id = r.bounded(1, 12);
            switch (r.bounded(4)) {
            case 0:
                (void)loans::addLoan(fx.db(), kind, fields(account, amount));
                break;
            case 1:
                (void)loans::correctLoan(fx.db(), kind, id, fields(account, amount));
                break;
            case 2:
                (void)loans::payBack(fx.db(), kind, id, account, fen(amount / 3));
                break;
            default:
                if (r.bounded(3) == 0) (void)loans::deleteLoan(fx.db(), kind, id);
            }
            QVERIFY_LEDGER(fx);
            // Nothing is paid back beyond a loan, and no account gives money it does not hold.
            QCOMPARE(
                store::scalar(fx.db(), QStringLiteral("SELECT (SELECT COUNT(*) FROM 借入 WHERE 余额 < 0) + "
                                                      "(SELECT COUNT(*) FROM 借出 WHERE 余额 < 0) + "
                                                      "(SELECT COUNT(*) FROM 账户 WHERE 余额 < 0)"))
                    .toInt(),
                0);
        }
    }
};

QTEST_GUILESS_MAIN(TstLoanOps)
#include "tst_loan_ops.moc"
