// Program entry: one copy at a time, then the start-up of the program folder's ledger.
#include "app/startup.h"
#include "platform/instance_lock.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    platform::LockFileInstanceLock lock;
    if (!app::claimSingleInstance(lock)) return 0;
    return app::run(application, QCoreApplication::applicationDirPath());
}
