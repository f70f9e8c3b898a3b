// Every writing operation of the core library, as the reliability tests drive it: the ledger it
// starts from and the call that runs it. A subsystem joins the fault-injection and crash tests by
// adding its operations to the table in writing_ops.cpp, one row each.
#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <functional>

class LedgerFixture;

struct WritingOp {
    // Short and unique: the crash test hands it to a child process.
    QString name;
    // Brings a fresh ledger to the state the operation starts from (through the fixture's helpers
    // or other operations). May be empty.
    std::function<void(LedgerFixture&)> prepare;
    // Runs the operation once, on a ledger that prepare() made. Throws store::DbError when the
    // database fails, and std::logic_error when the operation refuses: a row must describe an
    // operation that succeeds.
    std::function<void(const QSqlDatabase&)> run;
};

const QList<WritingOp>& writingOps();
const WritingOp* findWritingOp(const QString& name);

// Every row of every table (sqlite_sequence included), table by table in name order and row by
// row in rowid order: two ledgers with the same dump hold the same data.
QString ledgerDump(const QSqlDatabase& db);
