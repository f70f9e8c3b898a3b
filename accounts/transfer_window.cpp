// The transfer window.
#include "accounts/transfer_window.h"

#include "accounts/account_ops.h"
#include "store/db.h"
#include "store/dmod1.h"
#include "store/ledger.h"
#include "ui/amount_check.h"
#include "ui/calculator_hook.h"
#include "ui/dialogs.h"
#include "ui/guard.h"
#include "ui/window_style.h"
#include "ui_transfer_window.h"

#include <QMenu>

TZKfrm::TZKfrm(QWidget* owner) : QDialog(owner), form(std::make_unique<Ui::TZKfrm>()) {
    form->setupUi(this);
    ui::applyStandardStyle(this);
    ui::attachCalculator(form->edt1);

    pm2 = new QMenu(this);
    pm2->setObjectName(QStringLiteral("pm2"));
    N1 = pm2->addAction(QStringLiteral("关闭窗口"));
    N1->setObjectName(QStringLiteral("N1"));
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            ui::guarded([this](const QPoint& at) { pm2->popup(mapToGlobal(at)); }));
    connect(N1, &QAction::triggered, this, ui::guarded([this] { N1Click(); }));

    connect(form->cbb1, &QComboBox::currentIndexChanged, this, ui::guarded([this] { cbb1Change(); }));
    connect(form->btn1, &QPushButton::clicked, this, ui::guarded([this] { btn1Click(); }));
    connect(form->btn2, &QPushButton::clicked, this, ui::guarded([this] { btn2Click(); }));
    FormCreate();
    form->cbb1->setFocus();
}

TZKfrm::~TZKfrm() = default;

void TZKfrm::FormCreate() {
    const QStringList names = accounts::accountNames(store::dmod1->con1());
    form->cbb1->clear();
    form->cbb2->clear();
    form->cbb1->addItems(names);
    form->cbb2->addItems(names);
    form->cbb1->setCurrentIndex(names.isEmpty() ? -1 : 0);
    form->cbb2->setCurrentIndex(names.size() > 1 ? 1 : -1);
    cbb1Change();
}

void TZKfrm::cbb1Change() {
    const std::optional<store::Money> balance =
        store::balanceLookup(store::dmod1->con1(), form->cbb1->currentText());
    form->lbl5->setText(balance ? balance->generalText() : QString());
}

void TZKfrm::btn1Click() {
    const QSqlDatabase db = store::dmod1->con1();
    const QString source = form->cbb1->currentText();
    const QString target = form->cbb2->currentText();
    const QString amountText = form->edt1->text();
    // An account that is gone covers nothing.
    const store::Money balance = store::balanceLookup(db, source).value_or(store::Money());

    const auto refuseAmount = [this](const QString& text) {
        ui::warn(text);
        form->edt1->clear();
        form->edt1->setFocus();
    };
    const QString notPositive = QStringLiteral("金额不能为空，且必须为正的数字!");
    const QString overdraw = QStringLiteral("转出账户余额不足！");
    if (source == target) return ui::warn(QStringLiteral("不能同一账户间转账！"));
    const std::optional<store::Money> amount = ui::amountCheck(amountText);
    if (!amount || *amount <= store::Money()) return refuseAmount(notPositive);
    if (*amount > balance) return refuseAmount(overdraw);

    switch (accounts::transfer(db, source, target, *amount)) {
    case accounts::Outcome::Done:
        break;
    case accounts::Outcome::Overdraw:
        return refuseAmount(overdraw);
    case accounts::Outcome::NoSuchAccount:
        store::requery(*store::dmod1);
        throw store::DbError(QStringLiteral("账户“%1”已不存在。").arg(target));
    default:
        return refuseAmount(notPositive);
    }
    store::requery(*store::dmod1);
    ui::inform(QStringLiteral("\n账户转账成功！\n"));
    accept();
}

void TZKfrm::btn2Click() {
    reject();
}

void TZKfrm::N1Click() {
    close();
}
