// The system management window.
#include "admin/system_window.h"
#include "ui_system_window.h"

#include "admin/ledger_files.h"
#include "admin/user_ops.h"
#include "app/login_window.h"
#include "reports/main_window.h"
#include "store/clock.h"
#include "store/db.h"
#include "store/dmod1.h"
#include "store/ledger.h"
#include "ui/dashboard.h"
#include "ui/dialogs.h"
#include "ui/guard.h"
#include "ui/locale_text.h"
#include "ui/window_style.h"

#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QTimer>

namespace {

const QString kBackupFailed = QStringLiteral("亲！~数据库备份失败了！");
const QString kRestoreFailed = QStringLiteral("亲！~数据库恢复失败了！");
const QString kInitialiseFailed = QStringLiteral("亲！~初始化失败了！");

// The busy cursor while a whole-file operation blocks the window.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

QString programDir() {
    return admin::programDirOf(*store::dmod1);
}

} // namespace

Tsysfrm::Tsysfrm(QWidget* owner) : QDialog(owner), form(std::make_unique<Ui::Tsysfrm>()) {
    form->setupUi(this);
    form->lamp->timer()->setObjectName(QStringLiteral("tmr1"));
    for (QLineEdit* e : {form->edt2, form->edt3, form->edt4})
        e->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));

    pm1 = new QMenu(this);
    pm1->setObjectName(QStringLiteral("pm1"));
    N1 = pm1->addAction(QStringLiteral("关闭窗口"));
    N1->setObjectName(QStringLiteral("N1"));
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            ui::guarded([this](const QPoint& at) { pm1->popup(mapToGlobal(at)); }));
    connect(N1, &QAction::triggered, this, ui::guarded([this] { close(); }));

    connect(form->btn1, &QPushButton::clicked, this, ui::guarded([this] { btn1Click(); }));
    connect(form->btn2, &QPushButton::clicked, this, ui::guarded([this] { btn2Click(); }));
    connect(form->btn4, &QPushButton::clicked, this, ui::guarded([this] { btn6Click(); }));
    connect(form->btn7, &QPushButton::clicked, this, ui::guarded([this] { btn7Click(); }));
    connect(form->btn5, &QPushButton::clicked, this, ui::guarded([this] { btn5Click(); }));
    connect(form->btn8, &QPushButton::clicked, this, ui::guarded([this] { btn8Click(); }));
    connect(form->chk1, &QCheckBox::clicked, this, ui::guarded([this] { chk1Click(); }));
    connect(form->chk2, &QCheckBox::clicked, this, ui::guarded([this] { chk2Click(); }));
    connect(form->chk3, &QCheckBox::clicked, this, ui::guarded([this] { chk3Click(); }));
    connect(form->chk4, &QCheckBox::clicked, this, ui::guarded([this] { chk4Click(); }));
    ui::guarded([this] { FormCreate(); })();
}

Tsysfrm::~Tsysfrm() = default;

QStringList Tsysfrm::memoLines() {
    const QString indent(5, QLatin1Char(' '));
    return {QString(),
            QStringLiteral("1、备份数据库：自动备份最新数据；"),
            QStringLiteral("2、还原数据库：恢复最近一次备份的数据库；"),
            QStringLiteral("3、清空数据库：自动清空所有记录（用户名密码不变）。"),
            QStringLiteral("4、初始化数据库："),
            indent + QStringLiteral("自动清空所有记录并压缩数据库，"),
            indent + QStringLiteral("初始化后系统用户名为：admin,密码：302514。"),
            QString(),
            QStringLiteral("*小建议：亲！清空或初始化数据库前请先备份，有备无患！")};
}

QString Tsysfrm::renamedCaption(const QString& user) {
    return QStringLiteral("云杉个人记账管理软件-V2.1版") + QString(14, QLatin1Char(' ')) +
           QStringLiteral("当前用户： ") + user;
}

QString Tsysfrm::initialisedCaption() {
    return QStringLiteral("云杉个人记账管理软件-V2.1版") + QString(12, QLatin1Char(' ')) +
           QStringLiteral("当前用户： admin");
}

void Tsysfrm::FormCreate() {
    ui::applyStandardStyle(this);
    form->mmo1->setPlainText(memoLines().join(QLatin1Char('\n')));
    const admin::User user = admin::readUser(store::dmod1->con1());
    storedPassword_ = user.storedPassword;
    form->lbl2->setText(user.name);
    if (const std::optional<QString> time = admin::lastBackupTime(programDir()))
        showBackupTime(*time);
    else
        form->lbl8->setText(QStringLiteral("亲！~您尚未备份数据库……"));
    form->chk4->setChecked(admin::welcomeSwitch(store::dmod1->con1()));
}

void Tsysfrm::showBackupTime(const QString& time) {
    form->lbl8->setText(QStringLiteral("亲！~最近一次备份的时间是：") + time);
}

void Tsysfrm::setMainCaption(const QString& caption) {
    if (zjzkfrm) zjzkfrm->setWindowTitle(caption);
}

void Tsysfrm::btn1Click() {
    const QString name = store::trimmedText(form->edt1->text());
    if (name.isEmpty()) {
        ui::warn(QStringLiteral("用户名不能为空"));
        form->edt1->setFocus();
        return;
    }
    admin::renameUser(store::dmod1->con1(), name);
    setMainCaption(renamedCaption(name));
    form->lbl2->setText(name);
    ui::inform(QStringLiteral("恭喜，用户名更新成功！记住了，登录的时候要输入这个新的名称"));
    form->edt1->clear();
}

void Tsysfrm::btn2Click() {
    if (store::scramble(store::trimmedText(form->edt2->text())) != storedPassword_) {
        ui::warn(QStringLiteral("亲！~原始密码输入错误,请重新输入"));
        form->edt2->clear();
        form->edt2->setFocus();
        return;
    }
    if (form->edt3->text().isEmpty()) {
        ui::warn(QStringLiteral("亲！~密码不能设置为空！"));
        form->edt3->setFocus();
        return;
    }
    if (form->edt4->text().isEmpty()) {
        ui::warn(QStringLiteral("亲！~确认密码不能设置为空！"));
        form->edt4->setFocus();
        return;
    }
    if (form->edt3->text() != form->edt4->text()) {
        ui::warn(QStringLiteral("新密码和确认密码不一致，请重新输入！"));
        form->edt3->setFocus();
        return;
    }
    admin::setPassword(store::dmod1->con1(), store::trimmedText(form->edt3->text()));
    ui::inform(QStringLiteral("亲！~密码更新成功，请牢记新的密码！"));
    form->edt2->clear();
    form->edt3->clear();
    form->edt4->clear();
}

void Tsysfrm::btn5Click() {
    if (!ui::dialogs().confirm(QStringLiteral("清空数据库"),
                               QStringLiteral("警告：数据记录将被清除！\n\n你确定要清空数据库？"),
                               ui::Icon::Warning))
        return;
    store::Tdmod1& dm = *store::dmod1;
    const admin::ListStatements lists = admin::listStatements(dm);
    admin::clearLedger(dm.con1());
    admin::reopenLists(dm, lists);
    ui::triggerDashboardRefresh();
    ui::inform(QStringLiteral("亲！~数据库清空完成！"));
}

void Tsysfrm::btn6Click() {
    const QDateTime now = store::clock().now();
    const QString time = ui::shortDateText(now.date()) + QStringLiteral(" / ") + ui::longTimeText(now.time());
    admin::FileOutcome outcome;
    {
        BusyCursor busy;
        outcome = admin::backupLedger(*store::dmod1, programDir(), time);
    }
    if (outcome != admin::FileOutcome::Done) return ui::inform(kBackupFailed);
    ui::inform(QStringLiteral("亲！~数据库备份成功！"));
    showBackupTime(time);
}

void Tsysfrm::btn7Click() {
    if (!QFileInfo::exists(admin::backupPath(programDir())))
        return ui::inform(QStringLiteral("亲！~你之前没有过备份数据库，不能恢复！"));
    if (!ui::dialogs().confirm(
            QStringLiteral("恢复数据库"),
            QStringLiteral("警告：近期的数据将被清除！\n\n你确定要恢复到最近一次备份时的数据？"),
            ui::Icon::Warning))
        return;
    admin::FileOutcome outcome;
    {
        BusyCursor busy;
        outcome = admin::restoreLedger(*store::dmod1, programDir());
    }
    // The ledger in place changed or not, the figures are read again from it.
    ui::triggerDashboardRefresh();
    if (outcome != admin::FileOutcome::Done) return ui::inform(kRestoreFailed);
    ui::inform(QStringLiteral("恭喜！~数据库恢复成功！"));
}

void Tsysfrm::btn8Click() {
    if (!ui::dialogs().confirm(QStringLiteral("系统初始化"),
                               QStringLiteral("警告：初始化将会清除所有数据！！\n\n你确定要执行初始化操作？"),
                               ui::Icon::Warning))
        return;
    admin::FileOutcome outcome;
    {
        BusyCursor busy;
        outcome = admin::initialiseLedger(*store::dmod1, programDir());
    }
    ui::triggerDashboardRefresh();
    if (outcome != admin::FileOutcome::Done) return ui::inform(kInitialiseFailed);
    setMainCaption(initialisedCaption());
    form->lbl2->setText(QStringLiteral("admin"));
    ui::inform(QStringLiteral("亲！~初始化成功！用户名：admin,密码：302514,软件即将关闭，请重新启动！"));
    // Closing the login window ends the program; without one (a test, the render command) this
    // window simply closes.
    close();
    if (loginfrm) loginfrm->close();
}

void Tsysfrm::chk1Click() {
    const QLineEdit::EchoMode mode = form->chk1->isChecked() ? QLineEdit::Normal : QLineEdit::Password;
    for (QLineEdit* e : {form->edt2, form->edt3, form->edt4})
        e->setEchoMode(mode);
}

void Tsysfrm::chk2Click() {
    form->grp4->setEnabled(form->chk2->isChecked());
}

void Tsysfrm::chk3Click() {
    form->grp2->setEnabled(form->chk3->isChecked());
}

void Tsysfrm::chk4Click() {
    const bool ticked = form->chk4->isChecked();
    try {
        admin::setWelcomeSwitch(store::dmod1->con1(), ticked);
    } catch (const store::DbError&) {
        // The box keeps showing what is stored.
        form->chk4->setChecked(!ticked);
        throw;
    }
}
