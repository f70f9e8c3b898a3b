// The loan windows driven as a user would: typed text, clicks and keys, then the boxes shown, the
// fields, the focus and the ledger. Each kind of window is walked once, on one side; the twin runs
// the same code with the other side's descriptor.
#include "loans/loan_edit.h"
#include "loans/loan_list.h"
#include "loans/loan_ops.h"
#include "loans/pay_back.h"
#include "reports/main_window.h"
#include "store/db.h"
#include "store/ledger.h"
#include "support/fixture.h"
#include "ui/amount_check.h"
#include "ui/dashboard.h"
#include "ui/footer_grid.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSqlQueryModel>
#include <QTableView>
#include <QtTest>

using loans::Kind;
using store::Money;

namespace {

const QString X = QStringLiteral("现金");
const QString Y = QStringLiteral("银行卡");

struct RefreshCounter {
    int n = 0;
    RefreshCounter() {
        ui::setDashboardRefresh([this] { ++n; });
    }
    ~RefreshCounter() { ui::setDashboardRefresh({}); }
};

template <typename T = QWidget> T* child(QWidget& w, const QString& name) {
    T* c = w.findChild<T*>(name);
    if (!c) qFatal("no child %s", qPrintable(name));
    return c;
}
QLineEdit* edit(QWidget& w, const char* name) {
    return child<QLineEdit>(w, QString::fromLatin1(name));
}
QString focusName(QWidget& w) {
    return w.focusWidget() ? w.focusWidget()->objectName() : QString();
}
bool showActive(QWidget& w) {
    w.show();
    return QTest::qWaitForWindowActive(&w);
}
void type(QLineEdit* e, const QString& text) {
    e->clear();
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, e, Qt::Key_unknown, QString(c), Qt::NoModifier);
}
void click(QWidget& w, const char* button) {
    QTest::mouseClick(child<QPushButton>(w, QString::fromLatin1(button)), Qt::LeftButton);
}

qint64 addLoan(const LedgerFixture& fx, Kind kind, const QString& account, qint64 fen,
               const QString& person = QStringLiteral("张三")) {
    qint64 id = 0;
    if (loans::addLoan(fx.db(), kind, {QDate(2026, 5, 1), account, Money::fromFen(fen), person, QString()},
                       &id) != loans::Outcome::Done)
        qFatal("set-up loan refused");
    return id;
}

// The list's row of a loan, as a list window hands it to the windows it opens.
QSqlRecord listRow(const LedgerFixture& fx, Kind kind, qint64 id) {
    loans::relist(*fx.dm, kind);
    QSqlQueryModel* m = kind == Kind::Borrowing ? fx.dm->qryJR : fx.dm->qryJC;
    for (int r = 0; r < m->rowCount(); ++r)
        if (m->record(r).value(QStringLiteral("id")).toLongLong() == id) return m->record(r);
    return {};
}

qint64 loanFen(const LedgerFixture& fx, Kind kind, qint64 id, const QString& column) {
    return store::scalar(
               fx.db(),
               QStringLiteral("SELECT %1 FROM %2 WHERE id = ?").arg(column, loans::tableOf(kind).table), {id})
        .toLongLong();
}

qint64 balance(const LedgerFixture& fx, const QString& account) {
    return fx.accountMoney(account, QStringLiteral("余额")).fen();
}

} // namespace

class TstLoanWindows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void keyboardOrder_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("order");
        const QStringList fieldsFirst{"edt1", "edt2", "edt3", "cbb1", "dtp1", "btn1", "btn2"};
        QTest::newRow("add borrowing") << "addJR" << fieldsFirst;
        QTest::newRow("add lending") << "addJC" << fieldsFirst;
        QTest::newRow("correct borrowing")
            << "updateJR" << QStringList{"dtp1", "cbb1", "edt1", "edt2", "edt3", "btn1", "btn2"};
        QTest::newRow("correct lending") << "updateJC" << fieldsFirst;
        QTest::newRow("repayment") << "JRHK" << QStringList{"edt1", "cbb1", "btn1", "btn2"};
        QTest::newRow("collection") << "JCSK" << QStringList{"edt1", "cbb1", "btn1", "btn2"};
    }
    void keyboardOrder() {
        QFETCH(QString, window);
        QFETCH(QStringList, order);
        LedgerFixture fx;
        fx.insertAccount(X, Money::fromFen(10000));
        const QSqlRecord jr = listRow(fx, Kind::Borrowing, addLoan(fx, Kind::Borrowing, X, 100));
        const QSqlRecord jc = listRow(fx, Kind::Lending, addLoan(fx, Kind::Lending, X, 100));
        std::unique_ptr<QDialog> w;
        if (window == "addJR") w = std::make_unique<TaddJRfrm>();
        if (window == "addJC") w = std::make_unique<TaddJCfrm>();
        if (window == "updateJR") w = std::make_unique<TupdateJRfrm>(nullptr, jr);
        if (window == "updateJC") w = std::make_unique<Tupdatejcfrm>(nullptr, jc);
        if (window == "JRHK") w = std::make_unique<TJRHKfrm>(nullptr, jr);
        if (window == "JCSK") w = std::make_unique<TJCSKfrm>(nullptr, jc);
        QVERIFY(showActive(*w));
        QStringList seen{focusName(*w)};
        for (int i = 1; i < order.size(); ++i) {
            QTest::keyClick(w->focusWidget(), Qt::Key_Tab);
            seen << focusName(*w);
        }
        QCOMPARE(seen, order);
    }

    // The add window's checks in their order: each refusal shows its text, empties or keeps the
    // field, puts the focus where it belongs and writes nothing.
    void addRefusals_data() {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("person");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("amountAfter");
        QTest::addColumn<QString>("focus");
        const QString borrowAmount = QStringLiteral("\"借入金额\"不能为空，且必须为正的数字");
        const QString lendAmount = QStringLiteral("\"借出金额\"不能为空，且必须为正的数字！");
        for (const char* bad : {"0", "-5", "abc", ""})
            QTest::newRow(qPrintable(QStringLiteral("borrowing %1").arg(bad)))
                << Kind::Borrowing << bad << "某人" << QStringList{borrowAmount} << ""
                << "edt1";
        QTest::newRow("borrowing above the limit")
            << Kind::Borrowing << "1e14"
            << "某人" << QStringList{ui::amountLimitMessage(), borrowAmount} << ""
            << "edt1";
        QTest::newRow("borrowing without lender") << Kind::Borrowing << "5"
                                                  << "" << QStringList{"\"借款人\"不能为空"} << "5"
                                                  << "edt2";
        QTest::newRow("lending: the amount before the borrower") << Kind::Lending << "x"
                                                                 << "" << QStringList{lendAmount} << ""
                                                                 << "edt1";
        QTest::newRow("lending above the balance") << Kind::Lending << "50.01"
                                                   << "" << QStringList{"转出账户余额不足！"} << ""
                                                   << "edt1";
        QTest::newRow("lending without borrower") << Kind::Lending << "50"
                                                  << "" << QStringList{"\"借款人\"不能为空！"} << "50"
                                                  << "edt2";
    }
    void addRefusals() {
        QFETCH(Kind, kind);
        QFETCH(QString, amount);
        QFETCH(QString, person);
        QFETCH(QStringList, texts);
        QFETCH(QString, amountAfter);
        QFETCH(QString, focus);
        LedgerFixture fx;
        RefreshCounter refreshes;
        fx.insertAccount(X, Money::fromFen(5000));
        std::unique_ptr<QDialog> w;
        if (kind == Kind::Borrowing)
            w = std::make_unique<TaddJRfrm>();
        else
            w = std::make_unique<TaddJCfrm>();
        QVERIFY(showActive(*w));
        type(edit(*w, "edt1"), amount);
        type(edit(*w, "edt2"), person);
        click(*w, "btn1");
        QCOMPARE(fx.dialogs.texts(), texts);
        QCOMPARE(fx.dialogs.shown.last().icon, ui::Icon::Warning);
        QCOMPARE(fx.dialogs.shown.last().title, QStringLiteral("云杉"));
        QCOMPARE(edit(*w, "edt1")->text(), amountAfter);
        QCOMPARE(focusName(*w), focus);
        QVERIFY(w->isVisible());
        QCOMPARE(fx.count(loans::tableOf(kind).table), 0);
        QCOMPARE(balance(fx, X), 5000);
        QCOMPARE(refreshes.n, 0);
    }

    void addWithoutAccounts() {
        LedgerFixture fx;
        TaddJCfrm w;
        QVERIFY(showActive(w));
        QCOMPARE(child<QComboBox>(w, "cbb1")->count(), 0);
        QCOMPARE(child<QLabel>(w, "lbl7")->text(), QString());
        type(edit(w, "edt1"), QStringLiteral("abc"));
        click(w, "btn1");
        QCOMPARE(fx.dialogs.texts(), QStringList{"还没有建立资金账户，请先去添加！"});
        QCOMPARE(edit(w, "edt1")->text(), QStringLiteral("abc"));
    }

    // 3.14159 is stored as 3.14; the lender is stored as typed on the borrowing side, trimmed on
    // the lending side.
    void addSucceeds() {
        LedgerFixture fx;
        RefreshCounter refreshes;
        fx.insertAccount(X, Money::fromFen(5000));
        fx.insertAccount(Y, Money::fromFen(0));
        for (Kind kind : {Kind::Borrowing, Kind::Lending}) {
            std::unique_ptr<QDialog> w;
            if (kind == Kind::Borrowing)
                w = std::make_unique<TaddJRfrm>();
            else
                w = std::make_unique<TaddJCfrm>();
            QVERIFY(showActive(*w));
            QCOMPARE(child<QDateEdit>(*w, "dtp1")->date(), QDate(2026, 5, 15));
            type(edit(*w, "edt1"), QStringLiteral("3.14159"));
            type(edit(*w, "edt2"), QStringLiteral("  "));
            type(edit(*w, "edt3"), QStringLiteral(" 备注 "));
            click(*w, "btn1");
            QCOMPARE(w->result(), int(QDialog::Accepted));
        }
        QCOMPARE(fx.dialogs.texts(), QStringList({" 借入记录添加成功！", "借出记录添加成功!"}));
        QCOMPARE(fx.dialogs.shown.last().icon, ui::Icon::None);
        QCOMPARE(store::scalar(
                     fx.db(), QStringLiteral("SELECT 借入金额 || '/' || 余额 || '/' || 借款人 || '/' || 备注 "
                                             "|| '/' || 日期 FROM 借入"))
                     .toString(),
                 QStringLiteral("314/314/  / 备注 /2026-05-15"));
        QCOMPARE(store::scalar(fx.db(),
                               QStringLiteral("SELECT 借出金额 || '/' || 借款人 || '/' || 备注 FROM 借出"))
                     .toString(),
                 QStringLiteral("314//备注"));
        QCOMPARE(balance(fx, X), 5000);
        QCOMPARE(fx.dm->qryJC->rowCount(), 1);
        QCOMPARE(refreshes.n, 2);
        QVERIFY_LEDGER(fx);
    }

    // A Borrowing of 100.00 on X with 30.00 repaid: the correct window's refusals, each with its
    // text, icon, the amount restored or kept and the focus.
    void correctRefusals_data() {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("account");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<qint64>("spend");
        QTest::addColumn<QString>("text");
        QTest::addColumn<ui::Icon>("icon");
        QTest::addColumn<QString>("amountAfter");
        QTest::addColumn<QString>("focus");
        const auto W = ui::Icon::Warning;
        const auto B = Kind::Borrowing;
        const auto L = Kind::Lending;
        QTest::newRow("not positive")
            << B << X << "0" << 0ll << "\"借入金额\"不能为空且必须为正的数字！" << W << "100.00"
            << "edt1";
        QTest::newRow("below repaid")
            << B << X << "25" << 0ll << "借入金额不能小于已偿还金额！" << W << "100.00"
            << "edt1";
        QTest::newRow("below repaid as typed")
            << B << X << "29.995" << 0ll << "借入金额不能小于已偿还金额！" << W << "100.00"
            << "edt1";
        // X holds 100 − 30 = 70; spending 20 leaves 50, short of the 60 the decrease takes back.
        QTest::newRow("same account, money spent")
            << B << X << "40" << 2000ll << "该笔借入款已经被使用，结算账户余额不足!" << ui::Icon::None
            << "100.00"
            << "edt1";
        QTest::newRow("moved, money spent")
            << B << Y << "40" << 1ll << "原账户该笔借入款已经被使用，结算账户余额不足！" << ui::Icon::None
            << "40"
            << "btn1";
        // A Lending of 100 out of X (opened with 100), 30 collected: X holds 30.
        QTest::newRow("lending raised above the balance")
            << L << X << "130.01" << 0ll << "该结算账户余额不足！" << W << "100.00"
            << "btn1";
        QTest::newRow("lending below collected")
            << L << X << "25" << 0ll << "借出金额不能小于已收还款金额！" << W << "100.00"
            << "edt1";
    }
    void correctRefusals() {
        QFETCH(Kind, kind);
        QFETCH(QString, account);
        QFETCH(QString, amount);
        QFETCH(qint64, spend);
        QFETCH(QString, text);
        QFETCH(ui::Icon, icon);
        QFETCH(QString, amountAfter);
        QFETCH(QString, focus);
        LedgerFixture fx;
        fx.insertAccount(X, Money::fromFen(kind == Kind::Lending ? 10000 : 0));
        fx.insertAccount(Y, Money::fromFen(100000));
        const qint64 id = addLoan(fx, kind, X, 10000);
        QCOMPARE(loans::payBack(fx.db(), kind, id, X, Money::fromFen(3000)), loans::Outcome::Done);
        if (spend) fx.moveAccount(X, QStringLiteral("支出"), Money::fromFen(spend));
        std::unique_ptr<QDialog> w;
        if (kind == Kind::Borrowing)
            w = std::make_unique<TupdateJRfrm>(nullptr, listRow(fx, kind, id));
        else
            w = std::make_unique<Tupdatejcfrm>(nullptr, listRow(fx, kind, id));
        QVERIFY(showActive(*w));
        QCOMPARE(edit(*w, "edt1")->text(), QStringLiteral("100.00"));
        child<QComboBox>(*w, "cbb1")->setCurrentText(account);
        type(edit(*w, "edt1"), amount);
        child<QPushButton>(*w, "btn1")->setFocus();
        click(*w, "btn1");
        QCOMPARE(fx.dialogs.texts(), QStringList{text});
        QCOMPARE(fx.dialogs.shown.last().icon, icon);
        QCOMPARE(edit(*w, "edt1")->text(), amountAfter);
        QCOMPARE(focusName(*w), focus);
        QCOMPARE(loanFen(fx, kind, id, loans::tableOf(kind).amount), 10000);
        QVERIFY_LEDGER(fx);
    }

    // The row's own account is listed twice; either entry is the same account. Blanks alone as the
    // lender are stored empty.
    void correctSucceeds() {
        LedgerFixture fx;
        RefreshCounter refreshes;
        fx.insertAccount(X, Money::fromFen(0));
        const qint64 id = addLoan(fx, Kind::Borrowing, X, 10000);
        QCOMPARE(loans::repay(fx.db(), id, X, Money::fromFen(3000)), loans::Outcome::Done);
        TupdateJRfrm w(nullptr, listRow(fx, Kind::Borrowing, id));
        QVERIFY(showActive(w));
        auto* cbb1 = child<QComboBox>(w, "cbb1");
        QCOMPARE(cbb1->count(), 2);
        QCOMPARE(cbb1->itemText(1), X);
        cbb1->setCurrentIndex(1);
        child<QDateEdit>(w, "dtp1")->setDate(QDate(2026, 3, 8));
        type(edit(w, "edt1"), QStringLiteral("120"));
        type(edit(w, "edt2"), QStringLiteral("   "));
        click(w, "btn1");
        QCOMPARE(fx.dialogs.texts(), QStringList{"\n借入记录更新成功！\n"});
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(loanFen(fx, Kind::Borrowing, id, QStringLiteral("余额")), 9000);
        QCOMPARE(store::scalar(fx.db(), QStringLiteral("SELECT 借款人 || 日期 FROM 借入")).toString(),
                 QStringLiteral("2026-03-08"));
        QCOMPARE(fx.accountMoney(X, QStringLiteral("借入")).fen(), 12000);
        QCOMPARE(refreshes.n, 1);
        QVERIFY_LEDGER(fx);
    }

    // Repayment of a Borrowing with 100.00 outstanding, X holding 50.00 after the loan.
    void payBackRefusals_data() {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("text");
        const QString repayAmount = QStringLiteral("\"本次还款金额\"不能为空，且必须为正的数字!");
        const QString above =
            QStringLiteral("您超出了需要还款的额度，请重新输入！\n\n  如果有利息产生请纳入支出款项！");
        QTest::newRow("repay 0.001, stored as nothing") << Kind::Borrowing << "0.001" << repayAmount;
        QTest::newRow("repay nothing") << Kind::Borrowing << "" << repayAmount;
        QTest::newRow("repay 100.004, above as typed") << Kind::Borrowing << "100.004" << above;
        QTest::newRow("repay above the balance") << Kind::Borrowing << "60"
                                                 << "该结算账户余额不足！";
        QTest::newRow("collect 0.001") << Kind::Lending << "0.001"
                                       << "\"本次收款金额\"不能为空，且必须为正的数字!";
        QTest::newRow("collect 100.01")
            << Kind::Lending << "100.01"
            << "您超出了需要收款的额度，请重新输入！\n\n  如果有利息产生请纳入收入款项！";
    }
    void payBackRefusals() {
        QFETCH(Kind, kind);
        QFETCH(QString, amount);
        QFETCH(QString, text);
        LedgerFixture fx;
        fx.insertAccount(X, Money::fromFen(kind == Kind::Lending ? 10000 : 0));
        const qint64 id = addLoan(fx, kind, X, 10000);
        if (kind == Kind::Borrowing) fx.moveAccount(X, QStringLiteral("支出"), Money::fromFen(5000));
        std::unique_ptr<QDialog> w;
        if (kind == Kind::Borrowing)
            w = std::make_unique<TJRHKfrm>(nullptr, listRow(fx, kind, id));
        else
            w = std::make_unique<TJCSKfrm>(nullptr, listRow(fx, kind, id));
        QVERIFY(showActive(*w));
        type(edit(*w, "edt1"), amount);
        click(*w, "btn1");
        QCOMPARE(fx.dialogs.texts(), QStringList{text});
        QCOMPARE(fx.dialogs.shown.last().icon, ui::Icon::Warning);
        QCOMPARE(edit(*w, "edt1")->text(), QString());
        QCOMPARE(focusName(*w), QStringLiteral("edt1"));
        QCOMPARE(loanFen(fx, kind, id, QStringLiteral("余额")), 10000);
        // Cancel after a refusal closes without a statement.
        click(*w, "btn2");
        QCOMPARE(w->result(), int(QDialog::Rejected));
        QCOMPARE(loanFen(fx, kind, id, QStringLiteral("余额")), 10000);
        QVERIFY_LEDGER(fx);
    }

    // Paying the whole balance of another account settles the Borrowing; collecting 100.004 books
    // 100.00.
    void payBackSucceeds() {
        LedgerFixture fx;
        RefreshCounter refreshes;
        fx.insertAccount(X, Money::fromFen(0));
        fx.insertAccount(Y, Money::fromFen(10000));
        const qint64 jr = addLoan(fx, Kind::Borrowing, X, 10000, QStringLiteral("老王"));
        const qint64 jc = addLoan(fx, Kind::Lending, Y, 10000, QStringLiteral("小李"));
        {
            TJRHKfrm w(nullptr, listRow(fx, Kind::Borrowing, jr));
            QVERIFY(showActive(w));
            QCOMPARE(child<QLabel>(w, "lbl2")->text(), QStringLiteral("老王还款"));
            QCOMPARE(child<QLabel>(w, "dbtxt2")->text(), QStringLiteral("100.00"));
            child<QComboBox>(w, "cbb1")->setCurrentText(Y);
            QCOMPARE(child<QLabel>(w, "lbl6")->text(), QStringLiteral("0"));
            fx.moveAccount(Y, QStringLiteral("收入"), Money::fromFen(10000));
            child<QComboBox>(w, "cbb1")->setCurrentText(X);
            child<QComboBox>(w, "cbb1")->setCurrentText(Y);
            QCOMPARE(child<QLabel>(w, "lbl6")->text(), QStringLiteral("100"));
            type(edit(w, "edt1"), QStringLiteral("100"));
            click(w, "btn1");
            QCOMPARE(w.result(), int(QDialog::Accepted));
        }
        {
            TJCSKfrm w(nullptr, listRow(fx, Kind::Lending, jc));
            QVERIFY(showActive(w));
            QCOMPARE(child<QLabel>(w, "lbl5")->text(), QStringLiteral("小李收款。"));
            type(edit(w, "edt1"), QStringLiteral("100.004"));
            click(w, "btn1");
            QCOMPARE(w.result(), int(QDialog::Accepted));
        }
        QCOMPARE(fx.dialogs.texts(), QStringList({"本次还款成功！", "本次收款成功！"}));
        QCOMPARE(loanFen(fx, Kind::Borrowing, jr, QStringLiteral("余额")), 0);
        QCOMPARE(loanFen(fx, Kind::Borrowing, jr, QStringLiteral("偿还金额")), 10000);
        QCOMPARE(loanFen(fx, Kind::Lending, jc, QStringLiteral("收回金额")), 10000);
        // The collection went into the first account offered, X; the repayment left X alone.
        QCOMPARE(balance(fx, X), 20000);
        QCOMPARE(balance(fx, Y), 0);
        QCOMPARE(refreshes.n, 2);
        QVERIFY_LEDGER(fx);
    }

    // An empty list refuses correct, pay back and delete alike; Esc does not close it.
    void emptyListRefuses() {
        LedgerFixture fx;
        TJCfrm w;
        for (const char* b : {"btn4", "btn3", "btn2"})
            click(w, b);
        QCOMPARE(fx.dialogs.texts(), QStringList(3, QStringLiteral("没有可操作记录！")));
        QVERIFY(std::all_of(fx.dialogs.shown.begin(), fx.dialogs.shown.end(),
                            [](const Shown& s) { return s.icon == ui::Icon::Warning; }));
        QCOMPARE(w.grid()->footerText(QStringLiteral("备注")), QStringLiteral("共计借出款记录"));
        // No cancel button: Esc leaves the list open.
        QVERIFY(showActive(w));
        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(w.isVisible());
    }

    // Deleting from the list through its menu: the refusals before the question, the question,
    // and what leaves the account.
    void deleteFromTheList() {
        LedgerFixture fx;
        RefreshCounter refreshes;
        fx.insertAccount(X, Money::fromFen(0));
        const qint64 unpaid = addLoan(fx, Kind::Borrowing, X, 10000);
        const qint64 partly = addLoan(fx, Kind::Borrowing, X, 5000);
        QCOMPARE(loans::repay(fx.db(), partly, X, Money::fromFen(1000)), loans::Outcome::Done);
        fx.moveAccount(X, QStringLiteral("支出"), Money::fromFen(4001)); // X: 15000 − 1000 − 4001
        TJRfrm w;
        QCOMPARE(w.grid()->footerText(QStringLiteral("余额")), QStringLiteral("￥140.00"));
        QCOMPARE(w.grid()->footerText(QStringLiteral("备注")), QStringLiteral("共计2条借入款记录"));
        QAction* del = child<QMenu>(w, "pm1")->findChild<QAction*>(QStringLiteral("N4"));
        QVERIFY(del);
        QCOMPARE(del->text(), QStringLiteral("删除"));
        // The newest first: the partly repaid one.
        QCOMPARE(w.grid()->currentRecord().value(QStringLiteral("id")).toLongLong(), partly);
        del->trigger();
        QTableView* view = w.grid()->view();
        view->setCurrentIndex(view->model()->index(1, 1));
        del->trigger();
        QCOMPARE(fx.dialogs.texts(), QStringList({"该借款项有还款记录且未完成还款，不能删除!",
                                                  "该笔资金已经被使用，结算账户余额不足！"}));
        fx.moveAccount(X, QStringLiteral("收入"), Money::fromFen(1));
        fx.dialogs.clear();
        fx.dialogs.answers = {false, true};
        del->trigger();
        QCOMPARE(fx.count(QStringLiteral("借入")), 2);
        QCOMPARE(fx.dialogs.shown.first().title, QStringLiteral("删除借入款记录"));
        QCOMPARE(fx.dialogs.shown.first().text, QStringLiteral("你确定要删除该条借入款记录？"));
        QCOMPARE(fx.dialogs.shown.first().icon, ui::Icon::Question);
        view->setCurrentIndex(view->model()->index(1, 1));
        del->trigger();
        QCOMPARE(fx.count(QStringLiteral("借入")), 1);
        QCOMPARE(loanFen(fx, Kind::Borrowing, unpaid, QStringLiteral("id")), 0);
        QCOMPARE(balance(fx, X), 0);
        QCOMPARE(w.grid()->footerText(QStringLiteral("备注")), QStringLiteral("共计1条借入款记录"));
        QCOMPARE(refreshes.n, 1);
        QVERIFY_LEDGER(fx);
    }

    // The grid's menu entry 还款 opens the collection window on the lending side; the list is
    // re-read after it.
    void menuOpensThePayBackWindow() {
        LedgerFixture fx;
        fx.insertAccount(X, Money::fromFen(10000));
        addLoan(fx, Kind::Lending, X, 10000);
        TJCfrm w;
        fx.dialogs.onModal = [](QDialog& d) {
            edit(d, "edt1")->setText(QStringLiteral("40"));
            child<QPushButton>(d, "btn1")->click();
            return d.result();
        };
        child<QMenu>(w, "pm1")->findChild<QAction*>(QStringLiteral("N5"))->trigger();
        QCOMPARE(fx.dialogs.shown.first().title, QStringLiteral("收款"));
        QCOMPARE(w.grid()->footerText(QStringLiteral("收回金额")), QStringLiteral("￥40.00"));
    }

    // 借入管理 and 借出管理, and the double-clicks on 待还款 and 待收款, open the lists.
    void mainWindowOpensTheLists() {
        LedgerFixture fx;
        Tzjzkfrm w;
        w.act3->trigger();
        w.act4->trigger();
        QTest::mouseDClick(w.lbl5, Qt::LeftButton);
        QTest::mouseDClick(w.lbl4, Qt::LeftButton);
        QStringList titles;
        for (const Shown& s : fx.dialogs.shown)
            titles << s.title;
        QCOMPARE(titles, QStringList({"借入款项管理", "借出款项管理", "借入款项管理", "借出款项管理"}));
    }
};

QTEST_MAIN(TstLoanWindows)
#include "tst_loan_windows.moc"
