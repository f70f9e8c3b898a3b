// The Borrowing and Lending list windows.
#include "loans/loan_list.h"

#include "loans/loan_edit.h"
#include "loans/loan_ui.h"
#include "loans/pay_back.h"
#include "store/dmod1.h"
#include "store/ledger.h"
#include "ui/dashboard.h"
#include "ui/dialogs.h"
#include "ui/footer_grid.h"
#include "ui/guard.h"
#include "ui/locale_text.h"
#include "ui/window_style.h"
#include "ui_loan_list.h"

#include <QAction>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QSqlQueryModel>
#include <QTableView>

using store::Money;

namespace loans {

namespace {

const QString noRow = QStringLiteral("没有可操作记录！");

} // namespace

const LoanListSide& borrowingList() {
    static const LoanListSide side{
        Kind::Borrowing,
        QStringLiteral("JRfrm"),
        QStringLiteral("借入款项管理"),
        QStringLiteral("dbgrdh"),
        QStringLiteral("还款(请先选择表中还款对象)"),
        QStringLiteral("共计#条借入款记录"),
        QStringLiteral("N4"),
        QStringLiteral("N5"),
        QStringLiteral("N6"),
        QString(),
        QStringLiteral("该借款项有还款记录且未完成还款，不能删除!"),
        true,
    };
    return side;
}

const LoanListSide& lendingList() {
    static const LoanListSide side{
        Kind::Lending,
        QStringLiteral("JCfrm"),
        QStringLiteral("借出款项管理"),
        QStringLiteral("dbgrdh1dbgrdh"),
        QStringLiteral("收款(请先选择表中还款对象)"),
        QStringLiteral("共计#借出款记录"),
        QStringLiteral("N7"),
        QStringLiteral("N4"),
        QStringLiteral("N5"),
        QStringLiteral("N6"),
        QStringLiteral("该记录有还款记录且未完成还款，不能删除!"),
        false,
    };
    return side;
}

LoanListWindow::LoanListWindow(QWidget* owner, const LoanListSide& side)
    : QDialog(owner), side_(side), form(std::make_unique<Ui::LoanListForm>()) {
    form->setupUi(this);
    setObjectName(side.name);
    setWindowTitle(side.caption);
    ui::applyStandardStyle(this);
    grp1 = form->grp1;
    btn1 = form->btn1;
    btn4 = form->btn4;
    btn2 = form->btn2;
    btn3 = form->btn3;
    btn3->setText(side.payBackText);
    for (QPushButton* b : {btn1, btn4, btn2, btn3})
        b->setMinimumWidth(b->sizeHint().width() + 16);

    const LoanTable& t = tableOf(side.kind);
    dbgrdh = form->dbgrdh;
    dbgrdh->setObjectName(side.gridName);
    using ui::FooterCell;
    dbgrdh->setColumns({
        {QStringLiteral("日期"), 80, QString::fromLatin1(ui::kDateColumn),
         FooterCell::staticText(QStringLiteral("合  计：")).align(Qt::AlignCenter)},
        {QStringLiteral("结算账户"), 80, QString(), {}},
        {t.amount, 70, QStringLiteral("0.00"), FooterCell::sum(QStringLiteral("￥0.00"))},
        {t.back, 70, QStringLiteral("0.00"), FooterCell::sum(QStringLiteral("￥0.00"))},
        {QStringLiteral("余额"), 70, QStringLiteral("0.00"), FooterCell::sum(QStringLiteral("￥0.00"))},
        {QStringLiteral("借款人"), 80, QString(), {}},
        {QStringLiteral("备注"), 180, QString(), FooterCell::count(side.countFormat).align(Qt::AlignCenter)},
    });
    QSqlQueryModel* model = side.kind == Kind::Borrowing ? store::dmod1->qryJR : store::dmod1->qryJC;
    // Every loan is listed, so the totals the triggers keep are the footer's.
    dbgrdh->setFooterQuery(footerStatement(side.kind));
    relist(*store::dmod1, side.kind);
    dbgrdh->setModel(model);

    pm1 = new QMenu(this);
    pm1->setObjectName(QStringLiteral("pm1"));
    const auto entry = [this](const QString& name, const QString& text) {
        QAction* a = pm1->addAction(text);
        a->setObjectName(name);
        return a;
    };
    QAction* N2 = entry(QStringLiteral("N2"), QStringLiteral("添加"));
    QAction* N3 = entry(QStringLiteral("N3"), QStringLiteral("修改"));
    QAction* del = entry(side.deleteName, QStringLiteral("删除"));
    pm1->addSeparator()->setObjectName(side.separatorName);
    QAction* pay = entry(side.payBackName, QStringLiteral("还款"));
    if (!side.trailingSeparator.isEmpty()) pm1->addSeparator()->setObjectName(side.trailingSeparator);
    QTableView* view = dbgrdh->view();
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view, &QWidget::customContextMenuRequested, this,
            ui::guarded([this, view](const QPoint& at) { pm1->popup(view->viewport()->mapToGlobal(at)); }));

    pm2 = new QMenu(this);
    pm2->setObjectName(QStringLiteral("pm2"));
    QAction* N1 = pm2->addAction(QStringLiteral("关闭窗口"));
    N1->setObjectName(QStringLiteral("N1"));
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            ui::guarded([this](const QPoint& at) { pm2->popup(mapToGlobal(at)); }));
    connect(N1, &QAction::triggered, this, ui::guarded([this] { close(); }));

    connect(btn1, &QPushButton::clicked, this, ui::guarded([this] { btn1Click(); }));
    connect(btn4, &QPushButton::clicked, this, ui::guarded([this] { btn4Click(); }));
    connect(btn2, &QPushButton::clicked, this, ui::guarded([this] { btn2Click(); }));
    connect(btn3, &QPushButton::clicked, this, ui::guarded([this] { btn3Click(); }));
    connect(N2, &QAction::triggered, btn1, &QPushButton::click);
    connect(N3, &QAction::triggered, btn4, &QPushButton::click);
    connect(del, &QAction::triggered, btn2, &QPushButton::click);
    connect(pay, &QAction::triggered, btn3, &QPushButton::click);
    connect(view, &QAbstractItemView::doubleClicked, btn4, &QPushButton::click);
}

LoanListWindow::~LoanListWindow() = default;

void LoanListWindow::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) return e->accept();
    QDialog::keyPressEvent(e);
}

void LoanListWindow::btn1Click() {
    if (side_.kind == Kind::Borrowing) {
        TaddJRfrm w(this);
        ui::dialogs().runModal(w);
    } else {
        TaddJCfrm w(this);
        ui::dialogs().runModal(w);
    }
}

void LoanListWindow::btn4Click() {
    const QSqlRecord row = dbgrdh->currentRecord();
    if (!hasRow(row)) return ui::warn(noRow);
    if (side_.kind == Kind::Borrowing) {
        TupdateJRfrm w(this, row);
        ui::dialogs().runModal(w);
    } else {
        Tupdatejcfrm w(this, row);
        ui::dialogs().runModal(w);
    }
}

void LoanListWindow::btn3Click() {
    const QSqlRecord row = dbgrdh->currentRecord();
    if (!hasRow(row)) return ui::warn(noRow);
    if (side_.kind == Kind::Borrowing) {
        TJRHKfrm w(this, row);
        ui::dialogs().runModal(w);
    } else {
        TJCSKfrm w(this, row);
        ui::dialogs().runModal(w);
    }
}

void LoanListWindow::btn2Click() {
    const LoanTable& t = tableOf(side_.kind);
    const QSqlRecord row = dbgrdh->currentRecord();
    const QString account = row.value(QStringLiteral("结算账户")).toString();
    const QString used = QStringLiteral("该笔资金已经被使用，结算账户余额不足！");
    // An account that is gone holds nothing.
    const Money balance = side_.deleteChecksBalance
                              ? store::balanceLookup(store::dmod1->con1(), account).value_or(Money())
                              : Money();
    if (!hasRow(row)) return ui::warn(noRow);
    const Money outstanding = rowMoney(row, QStringLiteral("余额"));
    if (!rowMoney(row, t.back).isZero() && !outstanding.isZero()) return ui::warn(side_.partlyReturned);
    if (side_.deleteChecksBalance && balance < rowMoney(row, t.amount) && !outstanding.isZero())
        return ui::warn(used);
    if (!ui::dialogs().confirm(QStringLiteral("删除借入款记录"),
                               QStringLiteral("你确定要删除该条借入款记录？"), ui::Icon::Question))
        return;
    // The row may have moved on since the list read it: the operation judges the stored figures.
    const Outcome outcome =
        deleteLoan(store::dmod1->con1(), side_.kind, row.value(QStringLiteral("id")).toLongLong());
    if (outcome == Outcome::PartlyReturned) ui::warn(side_.partlyReturned);
    if (outcome == Outcome::Overdraw) ui::warn(used);
    refreshAfterChange(side_.kind);
}

void borrowingsCommand(QWidget* owner) {
    TJRfrm w(owner);
    ui::dialogs().runModal(w);
}

void lendingsCommand(QWidget* owner) {
    TJCfrm w(owner);
    ui::dialogs().runModal(w);
}

} // namespace loans
