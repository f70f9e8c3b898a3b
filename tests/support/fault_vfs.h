// A SQLite VFS for tests that wraps the default one and fails, or kills the process at, the k-th
// write, sync, truncate or delete of any file SQLite writes (the ledger, its journal, temporary
// files). Deletes count because removing the journal is what commits a transaction.
//
// Why this reaches the program's own connections: Debian builds Qt's SQLite plugin (libqsqlite.so)
// against the system's shared libsqlite3.so.0 instead of a copy bundled into the plugin, and the
// tests link that same library. The process therefore holds one SQLite, and a VFS registered as
// the default here is the one every connection Qt opens afterwards uses. A Qt built with its own
// SQLite would never see it; the tests notice that, since an operation then counts no writes.
#pragma once

namespace faultvfs {

enum class Mode {
    Off,     // pass every call through
    IoError, // the k-th call fails with SQLITE_IOERR (its write, sync, truncate or delete variant)
    Full,    // the k-th call fails with SQLITE_FULL
    Kill,    // the process sends itself SIGKILL just before the k-th call
};

// Registers the wrapper as the default VFS (once; later calls do nothing). Connections opened
// before it keep the VFS they were opened with.
void install();

// Counts writes, syncs, truncates and deletes from 0 again and acts on the k-th (from 1).
void arm(Mode mode, int k);
// Back to passing everything through.
void disarm();
// Calls counted since the last arm().
int calls();
// Whether the k-th call has come since the last arm().
bool fired();

} // namespace faultvfs
