// A small, consistent sample ledger for the render command and for window tests that want
// something to show: accounts, a classification, entries around today, a Borrowing and a Lending.
#pragma once

#include <QDate>
#include <QSqlDatabase>

namespace store {

// Fills an empty ledger; every account's balance and every loan's balance keep their invariants.
void fillSampleLedger(const QSqlDatabase& db, QDate today);

} // namespace store
