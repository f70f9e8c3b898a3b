// Program entry: one copy at a time, then the start-up on the folder that holds the ledger.
#include "app/startup.h"
#include "platform/instance_lock.h"
#include "platform/program_folder.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    // Pinned, not taken from the file name: the user's data folder is named after the application,
    // and the desktop entry gives the task bar its name and icon.
    QApplication::setApplicationName(QStringLiteral("yunshan"));
    QApplication::setDesktopFileName(QStringLiteral(YUNSHAN_APP_ID));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icon/yunshan.svg")));
    platform::LockFileInstanceLock lock;
    if (!app::claimSingleInstance(lock)) return 0;
    return app::run(application, platform::programFolder(QStringLiteral(YUNSHAN_INSTALLED_DATA)));
}
