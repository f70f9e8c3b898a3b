// The login window.
#include "app/login_window.h"
#include "ui_login_window.h"

#include "app/startup.h"
#include "reports/main_window.h"
#include "store/clock.h"
#include "store/db.h"
#include "store/dmod1.h"
#include "store/ledger.h"
#include "ui/dialogs.h"
#include "ui/guard.h"
#include "ui/window_style.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QSqlQuery>
#include <QTimer>

Tloginfrm::Tloginfrm(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::Tloginfrm>()),
      programDir_(QCoreApplication::applicationDirPath()) {
    ui->setupUi(this);
    tmr1 = new QTimer(this);
    tmr1->setObjectName(QStringLiteral("tmr1"));
    tmr1->setSingleShot(true);
    tmr1->setInterval(1);
    ui->lamp->timer()->setObjectName(QStringLiteral("tmr2"));
    connect(tmr1, &QTimer::timeout, this, ui::guarded([this] { tmr1Timer(); }));
    connect(ui->btn1, &QPushButton::clicked, this, ui::guarded([this] { btn1Click(); }));
    connect(ui->btn2, &QPushButton::clicked, this, ui::guarded([this] { btn2Click(); }));
    if (!loginfrm) loginfrm = this;
    FormCreate();
}

Tloginfrm::~Tloginfrm() {
    if (loginfrm == this) loginfrm = nullptr;
}

void Tloginfrm::setMainWindow(Tzjzkfrm* w) {
    main_ = w;
}

ui::CapsLockLamp* Tloginfrm::lamp() const {
    return ui->lamp;
}

QString Tloginfrm::mainCaption(const QString& user) {
    return QStringLiteral("云杉个人记账管理软件-V2.1版") + QString(20, QLatin1Char(' ')) +
           QStringLiteral("当前用户： ") + user;
}

void Tloginfrm::FormCreate() {
    ui::applyStandardStyle(this);
    // The password edit shows "*" for every character, whatever the style's own mask is.
    ui->edt2->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    ui->edt1->setFocus();
    tmr1->start();
}

void Tloginfrm::tmr1Timer() {
    tmr1->stop();
    if (!QFileInfo::exists(store::Tdmod1::dataFilePath(programDir_))) {
        ui::warn(app::dataFileMissingText());
        close();
        return;
    }
    if (!store::dmod1) return;
    const bool welcome =
        store::scalar(store::dmod1->con1(), QStringLiteral("select flag from flag")).toBool();
    if (welcome && welcome_) {
        hide();
        welcome_->show();
    }
}

void Tloginfrm::btn1Click() {
    if (ui->edt1->text().isEmpty()) {
        ui::warn(QStringLiteral("\"用户名\"不能为空！"));
        ui->edt1->setFocus();
        return;
    }
    if (ui->edt2->text().isEmpty()) {
        ui::warn(QStringLiteral("\"密码\"不能为空！"));
        ui->edt2->setFocus();
        return;
    }
    const QString name = store::trimmedText(ui->edt1->text());
    const QString password = store::trimmedText(ui->edt2->text());

    const QSqlDatabase db = store::dmod1->con1();
    QSqlQuery user = store::exec(db, QStringLiteral("select 用户名, 密码 from 用户 order by rowid limit 1"));
    const bool found = user.next();
    const QString storedName = found ? user.value(0).toString() : QString();
    const QString storedPassword = found ? user.value(1).toString() : QString();
    if (!found || name != storedName || store::scramble(password) != storedPassword) {
        ui::warn(QStringLiteral("\"用户名\"或\"密码\"错误！"));
        return;
    }

    // The count and the first-login date land together before any window changes: a failing
    // statement leaves the login window up and the ledger as it was.
    const qint64 now = store::countLogin(db, store::clock().today());

    if (main_) main_->setWindowTitle(mainCaption(storedName));
    hide();
    if (now % 100 == 0)
        ui::dialogs().message(ui::appTitle(),
                              QStringLiteral("您已经登录了：%1次，你真的很棒！~云杉为您继续加油！").arg(now),
                              ui::Icon::None);
    if (main_) main_->loggedIn();
}

void Tloginfrm::btn2Click() {
    close();
}

void Tloginfrm::reject() {
    close();
}

void Tloginfrm::closeEvent(QCloseEvent* e) {
    e->accept();
    QCoreApplication::quit();
}
