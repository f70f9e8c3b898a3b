// The ledger fixture: a temporary program folder holding a fresh copy of the built template,
// the data module opened on it, scripted dialogs and a fixed clock.
#pragma once

#include "store/clock.h"
#include "store/dmod1.h"
#include "store/money.h"
#include "support/scripted_dialogs.h"

#include <QSqlDatabase>
#include <QSqlRecord>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

class LedgerFixture {
public:
    // "Today" is fixed at the given moment (by default 15 May 2026, 10:30).
    explicit LedgerFixture(const QDateTime& now = QDateTime(QDate(2026, 5, 15), QTime(10, 30)));
    ~LedgerFixture();
    LedgerFixture(const LedgerFixture&) = delete;
    LedgerFixture& operator=(const LedgerFixture&) = delete;

    QString programDir() const { return dir_.path(); }
    QString dataFile() const { return store::Tdmod1::dataFilePath(programDir()); }
    QSqlDatabase db() const { return dm->con1(); }

    // Adds an account row directly, with its opening amount as its balance.
    void insertAccount(const QString& name, store::Money opening, const QString& note = QString());
    // Moves one of an account's eight running totals by amount, and its balance with it by the sign
    // the total has in the balance (支出, 付还款, 借出 and 转出 lower it).
    void moveAccount(const QString& account, const QString& column, store::Money amount) const;
    // Books an entry as recording does: an income under 工资/月薪 or an expense under 饮食/午餐
    // (the classification is made when missing), with the account's figures moved along; an account
    // that does not exist is not moved.
    void bookEntry(const QString& date, bool income, qint64 fen,
                   const QString& account = QStringLiteral("现金"));
    // The row of an account, by name (an empty record when there is none).
    QSqlRecord account(const QString& name) const;
    store::Money accountMoney(const QString& name, const QString& column) const;
    // Number of rows in a table.
    int count(const QString& table) const;

    // Every way the ledger breaks its invariants: an account whose 余额 is not its opening amount
    // moved by its eight accumulators, a loan whose 余额 is not its amount less what came back.
    QStringList ledgerViolations() const;

    std::unique_ptr<store::Tdmod1> dm;
    ScriptedDialogs dialogs;
    store::FixedClock clock;

private:
    QTemporaryDir dir_;
};

// Fails the current test with the violations when the ledger's invariants do not hold.
#define QVERIFY_LEDGER(fx)                                                                                   \
    do {                                                                                                     \
        const QStringList violations_ = (fx).ledgerViolations();                                             \
        QVERIFY2(violations_.isEmpty(), qPrintable(violations_.join(QLatin1Char('\n'))));                    \
    } while (false)
