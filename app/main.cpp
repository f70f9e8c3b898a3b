// Program entry: a display to run on, one copy at a time, then the start-up on the folder that
// holds the ledger.
#include "app/startup.h"
#include "platform/display.h"
#include "platform/instance_lock.h"
#include "platform/program_folder.h"

#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <cstdlib>

namespace {
// Qt's answer to a display it cannot open, or one that goes away while the application is being
// set up, is a fatal error: abort(), SIGABRT and a core dump. For this program that is an
// ordinary failure to start, so it ends with the message and exit status 1.
QtMessageHandler qtHandler = nullptr;
void startHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtFatalMsg) {
        if (qtHandler) qtHandler(type, context, message);
        return;
    }
    std::fprintf(stderr, "%s\n", qPrintable(message));
    std::_Exit(1);
}
} // namespace

int main(int argc, char** argv) {
    // A display that is still starting (a session coming up, a fresh Xvfb) gets a moment.
    if (!platform::displayReachable(argc, argv, 3000)) {
        const char* display = std::getenv("DISPLAY");
        std::fprintf(stderr, "云杉：无法连接图形显示 %s，程序无法启动。\n",
                     display ? display : "（未设置 DISPLAY）");
        return 1;
    }
    qtHandler = qInstallMessageHandler(startHandler);
    QApplication application(argc, argv);
    qInstallMessageHandler(qtHandler);

    // Pinned, not taken from the file name: the user's data folder is named after the application,
    // and the desktop entry gives the task bar its name and icon.
    QApplication::setApplicationName(QStringLiteral("yunshan"));
    QApplication::setDesktopFileName(QStringLiteral(YUNSHAN_APP_ID));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icon/yunshan.svg")));
    platform::LockFileInstanceLock lock;
    if (!app::claimSingleInstance(lock)) return 0;
    return app::run(application, platform::programFolder(QStringLiteral(YUNSHAN_INSTALLED_DATA)));
}
