// The correction windows.
#include "entries/entry_correct_window.h"

#include "accounts/account_ops.h"
#include "store/clock.h"
#include "store/db.h"
#include "store/dmod1.h"
#include "store/ledger.h"
#include "ui/amount_check.h"
#include "ui/calculator_hook.h"
#include "ui/dashboard.h"
#include "ui/guard.h"
#include "ui/locale_text.h"
#include "ui/window_style.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using entries::EntryTwin;
using store::Money;

TEntryCorrectionWindow::TEntryCorrectionWindow(const EntryTwin& twin, const QSqlRecord& row, QWidget* owner)
    : QDialog(owner), twin_(twin), row_(row) {
    setObjectName(twin_.correctName);
    buildForm();
    ui::applyStandardStyle(this);
    ui::attachCalculator(edt1);
    FormCreate();
    cbb2->setFocus();
}

TEntryCorrectionWindow::~TEntryCorrectionWindow() = default;

void TEntryCorrectionWindow::buildForm() {
    setWindowTitle(twin_.correctCaption);
    const auto named = [](auto* w, const QString& name) {
        w->setObjectName(name);
        return w;
    };
    const auto label = [&](const QString& text, const char* name) {
        return named(new QLabel(text, this), QString::fromLatin1(name));
    };
    note = label(twin_.note, "lbl9");
    note->setStyleSheet(QStringLiteral("color:#808080;"));
    cbb2 = named(new QComboBox(this), QStringLiteral("cbb2"));
    cbb3 = named(new QComboBox(this), QStringLiteral("cbb3"));
    dtp1 = named(new QDateEdit(this), QStringLiteral("dtp1"));
    dtp1->setCalendarPopup(true);
    dtp1->setDisplayFormat(ui::shortDateFormat());
    edt1 = named(new QLineEdit(this), QStringLiteral("edt1"));
    cbb1 = named(new QComboBox(this), QStringLiteral("cbb1"));
    remark = named(new QLineEdit(this), twin_.correctRemarkName);
    btn1 = named(new QPushButton(QStringLiteral("确定"), this), QStringLiteral("btn1"));
    btn2 = named(new QPushButton(QStringLiteral("取消"), this), QStringLiteral("btn2"));
    btn1->setDefault(true);

    auto* fields = new QGridLayout;
    fields->setVerticalSpacing(8);
    int row = 0;
    const auto field = [&](const QString& text, const char* name, QWidget* w) {
        QLabel* l = label(text, name);
        l->setBuddy(w);
        fields->addWidget(l, row, 0);
        fields->addWidget(w, row++, 1);
    };
    field(twin_.categoryLabel, "lbl2", cbb2);
    field(twin_.subcategoryLabel, "lbl3", cbb3);
    field(QStringLiteral("日    期："), "lbl1", dtp1);
    field(twin_.amountLabel, "lbl4", edt1);
    field(QStringLiteral("结算账户："), "lbl5", cbb1);
    if (twin_.showsBalance) {
        lbl7 = named(new QLabel(this), QStringLiteral("lbl7"));
        lbl7->setStyleSheet(QStringLiteral("color:#c00000;font-weight:bold;"));
        fields->addWidget(label(QStringLiteral("结算账户余额："), "lbl8"), row, 0);
        fields->addWidget(lbl7, row++, 1);
    }
    field(QStringLiteral("备注信息："), "lbl6", remark);
    fields->setColumnMinimumWidth(1, 240);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btn1);
    buttons->addWidget(btn2);

    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(14, 12, 14, 12);
    main->setSpacing(10);
    main->addWidget(note);
    main->addLayout(fields);
    main->addLayout(buttons);

    connect(cbb2, &QComboBox::currentIndexChanged, this, ui::guarded([this] { cbb2Change(); }));
    if (twin_.showsBalance)
        connect(cbb1, &QComboBox::currentIndexChanged, this, ui::guarded([this] { cbb1Change(); }));
    connect(btn1, &QPushButton::clicked, this, ui::guarded([this] { btn1Click(); }));
    connect(btn2, &QPushButton::clicked, this, ui::guarded([this] { reject(); }));
}

void TEntryCorrectionWindow::FormCreate() {
    const QSqlDatabase db = store::dmod1->con1();
    const entries::KindColumns& c = entries::columnsOf(twin_.kind);
    id_ = row_.value(QStringLiteral("id")).toLongLong();
    oldAccount_ = row_.value(QStringLiteral("结算账户")).toString();
    oldAmount_ = store::moneyOf(row_.value(c.amount));
    const QDate date = QDate::fromString(row_.value(QStringLiteral("日期")).toString(), Qt::ISODate);
    dtp1->setDate(date.isValid() ? date : store::clock().today());

    // Each list starts with the entry's own value, then offers every choice (where the old value
    // stands a second time).
    const QString oldCategory = row_.value(c.category).toString();
    {
        const QSignalBlocker quiet(cbb2);
        cbb2->addItem(oldCategory);
        cbb2->addItems(entries::categories(db, twin_.kind));
        cbb2->setCurrentIndex(0);
    }
    {
        const QSignalBlocker quiet(cbb1);
        cbb1->addItem(oldAccount_);
        cbb1->addItems(accounts::accountNames(db));
        cbb1->setCurrentIndex(0);
    }
    cbb3->addItem(row_.value(c.subcategory).toString());
    cbb3->addItems(entries::subcategories(db, twin_.kind, oldCategory));
    cbb3->setCurrentIndex(0);
    edt1->setText(oldAmount_.generalText());
    remark->setText(row_.value(QStringLiteral("备注")).toString());
    lookUpBalance(oldAccount_);
}

void TEntryCorrectionWindow::lookUpBalance(const QString& account) {
    const std::optional<Money> b = store::balanceLookup(store::dmod1->con1(), account);
    balance_ = b.value_or(Money());
    if (lbl7) lbl7->setText(b ? b->generalText() : QString());
}

void TEntryCorrectionWindow::cbb2Change() {
    if (cbb2->currentIndex() < 0) return;
    cbb3->clear();
    cbb3->addItems(entries::subcategories(store::dmod1->con1(), twin_.kind, cbb2->currentText()));
    cbb3->setCurrentIndex(cbb3->count() > 0 ? 0 : -1);
}

void TEntryCorrectionWindow::cbb1Change() {
    lookUpBalance(cbb1->currentText());
}

void TEntryCorrectionWindow::btn1Click() {
    const QString oldText = oldAmount_.generalText();
    if (cbb3->currentIndex() < 0 || cbb3->currentText().isEmpty())
        return ui::warn(twin_.correctNoSubcategory);
    // An amount that rounds to 0.00 would leave an empty entry behind: refused like a zero.
    const std::optional<Money> amount = ui::amountCheck(edt1->text());
    if (!amount || *amount <= Money()) {
        ui::warn(twin_.amountRefusal);
        edt1->setText(oldText);
        edt1->setFocus();
        return;
    }
    const QString account = cbb1->currentText();
    const bool moved = account != oldAccount_;
    const auto refuse = [&] {
        ui::dialogs().message(ui::ownTitle(), moved ? twin_.movedRefusal : twin_.keptRefusal,
                              twin_.balanceRefusalIcon);
        if (!moved || twin_.movedRefusalRestoresAmount) edt1->setText(oldText);
        if (!moved && twin_.keptRefusalFocusesAmount) edt1->setFocus();
    };
    // What the account the window measures would give up: the expense window's balance is the
    // chosen account's, the income window's the old account's.
    const int sign = entries::columnsOf(twin_.kind).sign;
    const Money given = !moved               ? Money::fromFen(sign * (oldAmount_ - *amount).fen())
                        : twin_.showsBalance ? *amount
                                             : oldAmount_;
    if (balance_ - given < Money()) return refuse();

    entries::EntryValues v;
    v.date = dtp1->date();
    v.category = cbb2->currentText();
    v.subcategory = cbb3->currentText();
    v.amount = *amount;
    v.account = account;
    v.remark = remark->text();
    switch (entries::correctEntry(store::dmod1->con1(), twin_.kind, id_, v)) {
    case entries::Outcome::Done:
        break;
    case entries::Outcome::Overdraw:
        // The figures moved since the window read them.
        return refuse();
    case entries::Outcome::NoSuchEntry:
        ui::warn(QStringLiteral("没有可操作记录！"));
        return reject();
    case entries::Outcome::NoSuchAccount:
        store::requery(*store::dmod1);
        throw store::DbError(QStringLiteral("账户“%1”已不存在。").arg(account));
    case entries::Outcome::NotPositive:
    case entries::Outcome::BeyondLimit:
        return ui::warn(twin_.amountRefusal);
    }
    if (twin_.requeryBeforeRefresh) {
        store::requery(*store::dmod1);
        ui::triggerDashboardRefresh();
    } else {
        ui::triggerDashboardRefresh();
        store::requery(*store::dmod1);
    }
    ui::inform(twin_.correctedText);
    accept();
}
