// The recording windows.
#include "entries/entry_record_window.h"

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
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using entries::EntryTwin;
using store::Money;

TEntryRecordWindow::TEntryRecordWindow(const EntryTwin& twin, std::function<void()> relistOwner,
                                       QWidget* owner)
    : QDialog(owner), twin_(twin), relistOwner_(std::move(relistOwner)) {
    setObjectName(twin_.recordName);
    buildForm();
    ui::applyStandardStyle(this);
    ui::attachCalculator(edt1);
    FormCreate();
    lst1->setFocus();
}

TEntryRecordWindow::~TEntryRecordWindow() = default;

void TEntryRecordWindow::buildForm() {
    setWindowTitle(twin_.recordCaption);
    const auto named = [](auto* w, const QString& name) {
        w->setObjectName(name);
        return w;
    };
    const auto label = [&](const QString& text, const char* name) {
        return named(new QLabel(text, this), QString::fromLatin1(name));
    };
    note = named(new QLabel(twin_.note, this), twin_.recordNoteName);
    note->setStyleSheet(QStringLiteral("color:#808080;"));
    lbl2 = label(twin_.categoryLabel, "lbl2");
    lbl3 = label(twin_.subcategoryLabel, "lbl3");
    lst1 = named(new QListWidget(this), QStringLiteral("lst1"));
    lst2 = named(new QListWidget(this), QStringLiteral("lst2"));
    for (QListWidget* l : {lst1, lst2})
        l->setMinimumSize(170, 150);
    QLabel* lbl1 = label(QStringLiteral("日    期："), "lbl1");
    dtp1 = named(new QDateEdit(this), QStringLiteral("dtp1"));
    dtp1->setCalendarPopup(true);
    dtp1->setDisplayFormat(ui::shortDateFormat());
    QLabel* lbl4 = label(twin_.amountLabel, "lbl4");
    edt1 = named(new QLineEdit(this), QStringLiteral("edt1"));
    QLabel* lbl5 = label(QStringLiteral("结算账户："), "lbl5");
    cbb3 = named(new QComboBox(this), QStringLiteral("cbb3"));
    QLabel* lbl6 = label(QStringLiteral("备注信息："), "lbl6");
    edt2 = named(new QLineEdit(this), QStringLiteral("edt2"));
    btn1 = named(new QPushButton(QStringLiteral("确定"), this), QStringLiteral("btn1"));
    btn2 = named(new QPushButton(QStringLiteral("取消"), this), QStringLiteral("btn2"));
    btn1->setDefault(true);

    auto* lists = new QGridLayout;
    lists->addWidget(lbl2, 0, 0);
    lists->addWidget(lbl3, 0, 1);
    lists->addWidget(lst1, 1, 0);
    lists->addWidget(lst2, 1, 1);
    auto* fields = new QGridLayout;
    fields->setVerticalSpacing(8);
    int row = 0;
    const auto field = [&](QLabel* l, QWidget* w) {
        l->setBuddy(w);
        fields->addWidget(l, row, 0);
        fields->addWidget(w, row++, 1);
    };
    field(lbl1, dtp1);
    field(lbl4, edt1);
    field(lbl5, cbb3);
    if (twin_.showsBalance) {
        lbl7 = named(new QLabel(this), QStringLiteral("lbl7"));
        lbl7->setStyleSheet(QStringLiteral("color:#c00000;font-weight:bold;"));
        fields->addWidget(label(QStringLiteral("结算账户余额："), "lbl8"), row, 0);
        fields->addWidget(lbl7, row++, 1);
    }
    field(lbl6, edt2);
    fields->setColumnMinimumWidth(1, 200);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btn1);
    buttons->addWidget(btn2);

    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(14, 12, 14, 12);
    main->setSpacing(10);
    main->addWidget(note);
    main->addLayout(lists);
    main->addLayout(fields);
    main->addLayout(buttons);

    connect(lst1, &QListWidget::currentRowChanged, this, ui::guarded([this] { lst1Click(); }));
    if (twin_.showsBalance)
        connect(cbb3, &QComboBox::currentIndexChanged, this, ui::guarded([this] { cbb3Change(); }));
    connect(btn1, &QPushButton::clicked, this, ui::guarded([this] { btn1Click(); }));
    connect(btn2, &QPushButton::clicked, this, ui::guarded([this] { reject(); }));
}

void TEntryRecordWindow::FormCreate() {
    const QSqlDatabase db = store::dmod1->con1();
    dtp1->setDate(store::clock().today());
    {
        const QSignalBlocker quiet(lst1);
        lst1->addItems(entries::categories(db, twin_.kind));
        if (lst1->count() > 0) lst1->setCurrentRow(0);
    }
    {
        const QSignalBlocker quiet(cbb3);
        cbb3->addItems(accounts::accountNames(db));
        cbb3->setCurrentIndex(cbb3->count() > 0 ? 0 : -1);
    }
    if (twin_.showsBalance) cbb3Change();
    if (lst1->currentRow() >= 0) lst1Click();
}

void TEntryRecordWindow::lst1Click() {
    lst2->clear();
    if (!lst1->currentItem()) return;
    lst2->addItems(entries::subcategories(store::dmod1->con1(), twin_.kind, lst1->currentItem()->text()));
    if (lst2->count() > 0) lst2->setCurrentRow(0);
}

void TEntryRecordWindow::showBalance() {
    // A missing account (no accounts at all) shows nothing and covers nothing.
    const std::optional<Money> b = store::balanceLookup(store::dmod1->con1(), cbb3->currentText());
    balance_ = b.value_or(Money());
    lbl7->setText(b ? b->generalText() : QString());
}

void TEntryRecordWindow::cbb3Change() {
    showBalance();
}

void TEntryRecordWindow::btn1Click() {
    const auto refuseAmount = [this](const QString& text) {
        ui::warn(text);
        edt1->clear();
        edt1->setFocus();
    };
    if (cbb3->currentText().isEmpty()) return ui::warn(QStringLiteral("还没有建立资金账户，请先去添加！"));
    if (!lst2->currentItem()) return ui::warn(twin_.recordNoSubcategory);
    // An amount that rounds to 0.00 would be stored as an empty entry: refused like a zero.
    const std::optional<Money> amount = ui::amountCheck(edt1->text());
    if (!amount || *amount <= Money()) return refuseAmount(twin_.amountRefusal);
    const QString overdraw = QStringLiteral("结算账户余额不足！");
    if (twin_.showsBalance && *amount > balance_) return refuseAmount(overdraw);

    entries::EntryValues v;
    v.date = dtp1->date();
    v.category = lst1->currentItem()->text();
    v.subcategory = lst2->currentItem()->text();
    v.amount = *amount;
    v.account = cbb3->currentText();
    v.remark = twin_.trimsRecordedRemark ? store::trimmedText(edt2->text()) : edt2->text();
    switch (entries::recordEntry(store::dmod1->con1(), twin_.kind, v)) {
    case entries::Outcome::Done:
        break;
    case entries::Outcome::Overdraw:
        // The balance moved since it was shown.
        if (twin_.showsBalance) showBalance();
        return refuseAmount(overdraw);
    case entries::Outcome::NoSuchAccount:
        store::requery(*store::dmod1);
        throw store::DbError(QStringLiteral("账户“%1”已不存在。").arg(v.account));
    default:
        return refuseAmount(twin_.amountRefusal);
    }
    if (relistOwner_) relistOwner_();
    ui::triggerDashboardRefresh();
    store::requery(*store::dmod1);
    if (!ui::dialogs().question(twin_.recordedTitle, twin_.recordedQuestion, ui::Icon::Question))
        return accept();
    if (twin_.showsBalance) showBalance();
    edt1->clear();
    edt2->clear();
}
