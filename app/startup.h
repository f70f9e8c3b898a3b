// Program start: the single-instance refusal, the data-file check and the windows that live for
// the whole run.
#pragma once

#include <QString>

class QApplication;

namespace platform {
class InstanceLock;
}

namespace app {

// The refusal of a second copy.
QString secondCopyText();
// The message of a missing data file.
QString dataFileMissingText();

// The message of a data file that cannot be written.
QString dataFileReadOnlyText(const QString& path);

// Takes the single-instance lock. When another copy holds it, shows the refusal in a plain box
// titled with the program file's name and gives false: this copy must end at once.
bool claimSingleInstance(platform::InstanceLock& lock);

// Runs the program on the ledger of a program folder: checks and opens the data file, creates the
// login window, the main window, the data module and the welcome window, and runs the event loop.
// Gives the process's exit code.
int run(QApplication& application, const QString& programDir);

} // namespace app
