// The edit-account window.
#include "accounts/update_account.h"

#include "accounts/account_ops.h"
#include "store/db.h"
#include "store/dmod1.h"
#include "store/ledger.h"
#include "ui/dialogs.h"
#include "ui/guard.h"
#include "ui/window_style.h"
#include "ui_update_account.h"

#include <QKeyEvent>
#include <QSqlRecord>

Tupdatefrm::Tupdatefrm(QWidget* owner, const QSqlRecord& current)
    : QDialog(owner), form(std::make_unique<Ui::Tupdatefrm>()),
      id_(current.value(QStringLiteral("id")).toLongLong()),
      name_(current.value(QStringLiteral("账户名称")).toString()) {
    form->setupUi(this);
    ui::applyStandardStyle(this);
    form->edt1->setText(name_);
    form->dbmmo1->setPlainText(current.value(QStringLiteral("备注")).toString());
    connect(form->btn1, &QPushButton::clicked, this, ui::guarded([this] { btn1Click(); }));
    connect(form->btn2, &QPushButton::clicked, this, ui::guarded([this] { btn2Click(); }));
}

Tupdatefrm::~Tupdatefrm() = default;

// Esc is the "退出" button; the close box merely closes.
void Tupdatefrm::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        form->btn2->click();
        return;
    }
    QDialog::keyPressEvent(e);
}

void Tupdatefrm::restoreName() {
    form->edt1->setText(name_);
    form->edt1->setFocus();
}

void Tupdatefrm::btn1Click() {
    if (form->edt1->text().isEmpty()) {
        ui::warn(QStringLiteral("账户名称不能为空！"));
        return restoreName();
    }
    const QSqlDatabase db = store::dmod1->con1();
    const QString name = store::trimmedText(form->edt1->text());
    const QString note = store::trimmedText(form->dbmmo1->toPlainText());
    const bool renamed = name != store::trimmedText(name_);
    const auto refuseName = [this] {
        ui::warn(QStringLiteral("该账户名称已存在，请重新输入！"));
        restoreName();
    };
    if (renamed && accounts::accountNameTaken(db, name, id_)) return refuseName();

    const accounts::Outcome outcome =
        renamed ? accounts::renameAccount(db, id_, name, note) : accounts::setAccountNote(db, id_, note);
    if (outcome == accounts::Outcome::NameTaken) return refuseName();
    if (outcome != accounts::Outcome::Done) {
        store::requery(*store::dmod1);
        throw store::DbError(QStringLiteral("账户“%1”已不存在。").arg(name_));
    }
    store::requery(*store::dmod1);
    ui::inform(renamed ? QStringLiteral("账户信息更新成功！") : QStringLiteral(" 账户信息更新成功！"));
    accept();
}

void Tupdatefrm::btn2Click() {
    store::requery(*store::dmod1);
    reject();
}
