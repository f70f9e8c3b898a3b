// The welcome window.
#include "admin/welcome_window.h"
#include "ui_welcome_window.h"

#include "store/db.h"
#include "store/dmod1.h"
#include "ui/artwork.h"
#include "ui/guard.h"
#include "ui/window_style.h"

#include <QCloseEvent>

Twelcomefrm::Twelcomefrm(QWidget* loginWindow, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), ui(std::make_unique<Ui::Twelcomefrm>()),
      login_(loginWindow) {
    ui->setupUi(this);
    setFixedSize(448, 545);
    ui->img1->setPixmap(ui::svgPixmap(QStringLiteral(":/start/welcome.svg"), size(), devicePixelRatioF()));
    ui->img1->setAccessibleName(QStringLiteral("云杉"));
    connect(ui->chk1, &QCheckBox::clicked, this, ui::guarded([this] { chk1Click(); }));
    connect(ui->btn1, &QPushButton::clicked, this, ui::guarded([this] { btn1Click(); }));
    if (!welcomefrm) welcomefrm = this;
    ui::guarded([this] { FormCreate(); })();
}

Twelcomefrm::~Twelcomefrm() {
    if (welcomefrm == this) welcomefrm = nullptr;
}

QString Twelcomefrm::hintText() {
    return QStringLiteral("系统初始用户名：admin 密码：302514，登录后可到\"系统设置\"修改。");
}

void Twelcomefrm::FormCreate() {
    // Shown before the first show as well: a centred borderless window has no frame to allow for.
    ui::centreOnScreen(this);
    if (!store::dmod1) return;
    if (store::scalar(store::dmod1->con1(), QStringLiteral("select flag from flag")).toBool())
        ui->lbl1->setText(hintText());
}

void Twelcomefrm::chk1Click() {
    // Each click writes what the box now means: ticked = do not show the welcome again.
    const bool ticked = ui->chk1->isChecked();
    try {
        store::Transaction t(store::dmod1->con1());
        store::exec(store::dmod1->con1(), QStringLiteral("update flag set flag=?"), {ticked ? 0 : 1});
        t.commit();
    } catch (const store::DbError&) {
        // The box keeps showing what is stored.
        ui->chk1->setChecked(!ticked);
        throw;
    }
}

void Twelcomefrm::btn1Click() {
    if (login_) login_->show();
    close();
}

void Twelcomefrm::FormClose() {
    if (login_) login_->show();
}

void Twelcomefrm::reject() {
    close();
}

void Twelcomefrm::closeEvent(QCloseEvent* e) {
    ui::guarded([this] { FormClose(); })();
    e->accept();
}
