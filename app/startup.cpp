// Program start.
#include "app/startup.h"

#include "admin/welcome_window.h"
#include "app/login_window.h"
#include "platform/instance_lock.h"
#include "platform/services.h"
#include "reports/main_window.h"
#include "store/db.h"
#include "store/dmod1.h"
#include "store/ledger.h"
#include "ui/dialogs.h"
#include "ui/window_style.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

namespace app {

QString secondCopyText() {
    return QStringLiteral("“云杉”的另一个副本已经在运行中");
}

QString dataFileMissingText() {
    return QStringLiteral("数据库连接失败！请检查data文件夹下bridge.ysn文件是否存在，或文件名是否正确!");
}

QString dataFileReadOnlyText(const QString& path) {
    return QStringLiteral("数据文件 %1 无法写入，请检查文件及其所在文件夹是否允许写入。")
        .arg(QDir::toNativeSeparators(path));
}

bool claimSingleInstance(platform::InstanceLock& lock) {
    if (lock.tryAcquire()) return true;
    // The application title is not set yet: the box carries the program file's name.
    const QString program = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    ui::dialogs().message(program, secondCopyText(), ui::Icon::None);
    return false;
}

int run(QApplication& application, const QString& programDir) {
    application.setFont(ui::programFont(10));
    platform::installPlatformServices();

    const QString dataFile = store::Tdmod1::dataFilePath(programDir);
    if (!QFileInfo::exists(dataFile)) {
        ui::warn(dataFileMissingText());
        return 1;
    }
    // The data module opens first so that no window can read the ledger before it is open; a file
    // that is not our ledger ends the run here, untouched.
    store::Tdmod1 dm;
    try {
        dm.open(dataFile);
    } catch (const store::DbError& e) {
        ui::warn(e.text());
        return 1;
    }
    // Without this the program would start normally and fail at the first login.
    if (const std::optional<store::DbError> e = store::writeProbe(dm.con1())) {
        ui::warn(dataFileReadOnlyText(dataFile) + QStringLiteral("\n\n") + e->text());
        return 1;
    }

    Tloginfrm login;
    login.setProgramDir(programDir);
    Tzjzkfrm main;
    Twelcomefrm welcome(&login);
    login.setMainWindow(&main);
    login.setWelcomeWindow(&welcome);
    login.show();
    return application.exec();
}

} // namespace app
