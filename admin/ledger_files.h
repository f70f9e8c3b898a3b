// Whole-file operations on the ledger: backup into the one backup slot, restore from it, and
// re-initialisation from the pristine template. The live file is never copied byte for byte and
// never written in place: a snapshot through SQLite's online backup goes to a temporary file, is
// checked, and is renamed over its target; a ledger about to be replaced is first kept as a safety
// copy in backdatabase/.
#pragma once

#include <QString>
#include <optional>

namespace store {
class Tdmod1;
}

namespace admin {

// The files of a program folder.
QString backupPath(const QString& programDir);           // backdatabase/backdate.ysn
QString backupTimePath(const QString& programDir);       // backdatabase/backdate.dat
QString beforeRestorePath(const QString& programDir);    // backdatabase/before-restore.ysn
QString beforeInitialisePath(const QString& programDir); // backdatabase/before-initialise.ysn

// The program folder of an open ledger (the folder above data/).
QString programDirOf(const store::Tdmod1& dm);

// The first line of the backup time file, or nothing when there is none.
std::optional<QString> lastBackupTime(const QString& programDir);

enum class FileOutcome {
    Done,
    Missing, // restore: no backup; initialise: no template
    Refused, // the backup or the template is not a sound ledger of this program; nothing changed
    Failed,  // a file could not be written or renamed; what was in place is still there
};

// Takes a consistent snapshot of the open ledger (the connection stays open) into the backup slot
// and records timeText as the only line of the backup time file. On failure the earlier backup and
// its time stay as they were.
FileOutcome backupLedger(store::Tdmod1& dm, const QString& programDir, const QString& timeText);

// Replaces the ledger with the backup, after keeping the current ledger as before-restore.ysn. The
// data module is closed for the replacement and always opened again on the ledger then in place;
// the shared lists run their statements again. The backup time file is not touched.
FileOutcome restoreLedger(store::Tdmod1& dm, const QString& programDir);

// The same from the pristine template, keeping the current ledger as before-initialise.ysn.
FileOutcome initialiseLedger(store::Tdmod1& dm, const QString& programDir);

} // namespace admin
