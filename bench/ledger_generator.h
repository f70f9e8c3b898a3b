// Large generated ledgers for the benchmarks: accounts, a classification, entries spread over many
// years, Borrowings and Lendings with partial repayments, transfers; every invariant holds.
#pragma once

#include <QDate>
#include <QSqlDatabase>

namespace bench {

struct LedgerShape {
    int accounts = 12;
    qint64 entries = 1'000'000;
    int years = 15;    // entries are spread evenly over this many years up to lastDay
    int loans = 5'000; // Borrowings, and as many Lendings
    QDate lastDay = QDate(2026, 5, 15);
};

// Fills an empty ledger (a fresh copy of the template) in one transaction of bulk statements.
void generateLedger(const QSqlDatabase& db, const LedgerShape& shape);

} // namespace bench
