// Whether a file or an open connection holds a ledger of this program: the one check behind opening
// the ledger and behind every whole-file operation (backup, restore, initialise).
#pragma once

#include <QSqlDatabase>
#include <QString>

namespace store {

enum class Integrity {
    Skip, // version, tables and columns only: cheap, for opening the ledger
    // Also SQLite's quick check, which reads every page: the b-trees, their records and the free
    // list. (The full integrity check also matches every index with its table; on a ledger of a
    // million entries that costs several seconds more than the whole copy.)
    Verify
};

// The file-level part: the file exists, can be read and is not empty. Throws DbError naming the
// file. (SQLite takes an empty file for an empty database of version 0, which would hide what is
// really wrong.)
void checkLedgerPath(const QString& path);

// The database-level part on an open connection: our schema version, every table of the schema
// with exactly its columns (names and declared types, in order), and SQLite's quick check when
// asked. Throws DbError naming shownPath and saying what is wrong.
void checkLedgerSchema(const QSqlDatabase& db, const QString& shownPath, Integrity integrity);

// Both parts over a short-lived read-only connection of its own: nothing is written to the file.
void checkLedgerFile(const QString& path, Integrity integrity);

} // namespace store
