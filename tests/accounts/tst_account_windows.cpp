// The account windows and the main window's account commands, driven as a user would: typed text,
// clicks and keys, then the boxes shown, the fields, the focus and the ledger.
#include "accounts/account_commands.h"
#include "accounts/add_account.h"
#include "accounts/transfer_window.h"
#include "accounts/update_account.h"
#include "store/db.h"
#include "store/ledger.h"
#include "support/fixture.h"
#include "ui/amount_check.h"
#include "ui/dashboard.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlQueryModel>
#include <QtTest>

using store::Money;

namespace {

const QString ownTitle = QStringLiteral("云杉");
const QString amountRefusal = QStringLiteral("\"起始金额\"必须是不小于0的数字");
const QString transferRefusal = QStringLiteral("金额不能为空，且必须为正的数字!");

// Counts dashboard refresh triggers while it lives.
struct RefreshCounter {
    int n = 0;
    RefreshCounter() {
        ui::setDashboardRefresh([this] { ++n; });
    }
    ~RefreshCounter() { ui::setDashboardRefresh({}); }
};

QLineEdit* edit(QWidget& w, const char* name) {
    return w.findChild<QLineEdit*>(QString::fromLatin1(name));
}
QPlainTextEdit* memo(QWidget& w, const char* name) {
    return w.findChild<QPlainTextEdit*>(QString::fromLatin1(name));
}
QPushButton* button(QWidget& w, const char* name) {
    return w.findChild<QPushButton*>(QString::fromLatin1(name));
}
QComboBox* combo(QWidget& w, const char* name) {
    return w.findChild<QComboBox*>(QString::fromLatin1(name));
}
QString focusName(QWidget& w) {
    return w.focusWidget() ? w.focusWidget()->objectName() : QString();
}

// Types text as a user would, one key per character; text holding line breaks arrives as a paste
// would.
void type(QLineEdit* e, const QString& text) {
    e->clear();
    if (std::any_of(text.begin(), text.end(), [](QChar c) { return c.category() == QChar::Other_Control; }))
        return e->insert(text);
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, e, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

bool showActive(QWidget& w) {
    w.show();
    return QTest::qWaitForWindowActive(&w);
}

// The row of an account in the account list as it was last read.
QSqlRecord listedRow(const LedgerFixture& fx, const QString& name) {
    for (int r = 0; r < fx.dm->qry1->rowCount(); ++r)
        if (fx.dm->qry1->record(r).value(QStringLiteral("账户名称")).toString() == name)
            return fx.dm->qry1->record(r);
    return {};
}

// The account list's row of an account, freshly read, as the main window's grid holds it.
QSqlRecord gridRow(const LedgerFixture& fx, const QString& name) {
    store::requery(*fx.dm);
    return listedRow(fx, name);
}

} // namespace

class TstAccountWindows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void keyboardOrder_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("add") << "add" << QStringList{"edt1", "edt2", "mmo1", "btn1", "btn2", "edt1"};
        QTest::newRow("edit") << "edit" << QStringList{"edt1", "dbmmo1", "btn1", "btn2", "edt1"};
        QTest::newRow("transfer") << "transfer"
                                  << QStringList{"cbb1", "cbb2", "edt1", "btn2", "btn1", "cbb1"};
    }
    void keyboardOrder() {
        QFETCH(QString, window);
        QFETCH(QStringList, order);
        LedgerFixture fx;
        fx.insertAccount(QStringLiteral("现金"), Money::fromFen(100), QStringLiteral("备注"));
        fx.insertAccount(QStringLiteral("银行"), Money());
        std::unique_ptr<QDialog> w;
        if (window == QStringLiteral("add"))
            w = std::make_unique<Taddfrm>();
        else if (window == QStringLiteral("edit"))
            w = std::make_unique<Tupdatefrm>(nullptr, gridRow(fx, QStringLiteral("现金")));
        else
            w = std::make_unique<TZKfrm>();
        QVERIFY(showActive(*w));
        QStringList seen{focusName(*w)};
        for (int i = 1; i < order.size(); ++i) {
            QTest::keyClick(w->focusWidget(), Qt::Key_Tab);
            seen << focusName(*w);
        }
        QCOMPARE(seen, order);
    }

    // Each refusal shows its text, empties or keeps the field, puts the focus where it belongs and
    // writes nothing; the checks come in their fixed order.
    void addRefusals_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("nameAfter");
        QTest::addColumn<QString>("amountAfter");
        QTest::addColumn<QString>("focus");
        const QString empty = QStringLiteral("账户名称不能为空！");
        QTest::newRow("empty name") << ""
                                    << "100" << QStringList{empty} << ""
                                    << "100"
                                    << "edt1";
        QTest::newRow("empty name and amount") << ""
                                               << "" << QStringList{empty} << ""
                                               << ""
                                               << "edt1";
        QTest::newRow("empty amount") << "钱包"
                                      << "" << QStringList{"初始金额不能为空！"} << "钱包"
                                      << ""
                                      << "edt2";
        QTest::newRow("name taken, padded, before a bad amount")
            << " 现金 "
            << "abc" << QStringList{"该账户名称已经存在"} << ""
            << "abc"
            << "edt1";
        QTest::newRow("name taken, with line breaks") << "\n现金\n"
                                                      << "1" << QStringList{"该账户名称已经存在"} << ""
                                                      << "1"
                                                      << "edt1";
        for (const char* bad : {"-1", "abc", "   ", "-0.001", "12,5"})
            QTest::newRow(bad) << "钱包" << bad << QStringList{amountRefusal} << "钱包"
                               << ""
                               << "edt2";
        QTest::newRow("above the limit")
            << "钱包"
            << "10000000000000" << QStringList{ui::amountLimitMessage(), amountRefusal} << "钱包"
            << ""
            << "edt2";
    }
    void addRefusals() {
        QFETCH(QString, name);
        QFETCH(QString, amount);
        QFETCH(QStringList, texts);
        QFETCH(QString, nameAfter);
        QFETCH(QString, amountAfter);
        QFETCH(QString, focus);
        LedgerFixture fx;
        RefreshCounter refreshes;
        fx.insertAccount(QStringLiteral("现金"), Money::fromFen(100));
        Taddfrm w;
        QVERIFY(showActive(w));
        type(edit(w, "edt1"), name);
        type(edit(w, "edt2"), amount);
        QTest::mouseClick(button(w, "btn1"), Qt::LeftButton);

        QCOMPARE(fx.dialogs.texts(), texts);
        const Shown& last = fx.dialogs.shown.last();
        QCOMPARE(last.title, ownTitle);
        QCOMPARE(last.icon, ui::Icon::Warning);
        QCOMPARE(edit(w, "edt1")->text(), nameAfter);
        QCOMPARE(edit(w, "edt2")->text(), amountAfter);
        QCOMPARE(focusName(w), focus);
        QVERIFY(w.isVisible());
        QCOMPARE(fx.count(QStringLiteral("账户")), 1);
        QCOMPARE(refreshes.n, 0);
    }

    void addSucceeds_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("note");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<qint64>("fen");
        QTest::addColumn<QString>("storedNote");
        QTest::newRow("trimmed, rounded") << "  工行卡  "
                                          << "12.345"
                                          << " 工资卡\n\n"
                                          << "工行卡" << qint64(1235) << "工资卡";
        QTest::newRow("zero") << "钱包"
                              << "0"
                              << ""
                              << "钱包" << qint64(0) << "";
        QTest::newRow("exponent") << "钱包"
                                  << "1e3"
                                  << ""
                                  << "钱包" << qint64(100000) << "";
        QTest::newRow("limit") << "钱包"
                               << "9999999999999.99"
                               << ""
                               << "钱包" << Money::limit().fen() << "";
        QTest::newRow("quotes") << "O'Brien \"卡\""
                                << "1"
                                << "it's"
                                << "O'Brien \"卡\"" << qint64(100) << "it's";
        QTest::newRow("line breaks") << "\r\n钱包\t\n"
                                     << "1"
                                     << "第一行\n第二行"
                                     << "钱包" << qint64(100) << "第一行\n第二行";
        QTest::newRow("blanks only") << "   "
                                     << "1"
                                     << ""
                                     << "" << qint64(100) << "";
        const QString longName = QString(300, QChar(u'长'));
        QTest::newRow("long name") << longName << "1"
                                   << "" << longName << qint64(100) << "";
    }
    void addSucceeds() {
        QFETCH(QString, name);
        QFETCH(QString, amount);
        QFETCH(QString, note);
        QFETCH(QString, stored);
        QFETCH(qint64, fen);
        QFETCH(QString, storedNote);
        LedgerFixture fx;
        RefreshCounter refreshes;
        fx.insertAccount(QStringLiteral("现金"), Money::fromFen(100));
        Taddfrm w;
        QVERIFY(showActive(w));
        type(edit(w, "edt1"), name);
        memo(w, "mmo1")->setPlainText(note);
        type(edit(w, "edt2"), amount);
        QTest::keyClick(edit(w, "edt2"), Qt::Key_Return);

        QCOMPARE(fx.dialogs.texts(), QStringList{QStringLiteral("  恭喜，新账户添加成功！")});
        QCOMPARE(fx.dialogs.shown.last().title, ownTitle);
        QCOMPARE(fx.dialogs.shown.last().icon, ui::Icon::None);
        QVERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Accepted));
        const QSqlRecord r = fx.account(stored);
        QCOMPARE(r.value(QStringLiteral("起始金额")).toLongLong(), fen);
        QCOMPARE(r.value(QStringLiteral("余额")).toLongLong(), fen);
        QCOMPARE(r.value(QStringLiteral("备注")).toString(), storedNote);
        QVERIFY_LEDGER(fx);
        // The grid shows the new account first and the dashboard follows.
        QCOMPARE(fx.dm->qry1->record(0).value(QStringLiteral("账户名称")).toString(), stored);
        QCOMPARE(refreshes.n, 1);
    }

    void addCancelled_data() {
        QTest::addColumn<bool>("escape");
        QTest::newRow("取消") << false;
        QTest::newRow("Esc") << true;
    }
    void addCancelled() {
        QFETCH(bool, escape);
        LedgerFixture fx;
        Taddfrm w;
        QVERIFY(showActive(w));
        type(edit(w, "edt1"), QStringLiteral("钱包"));
        type(edit(w, "edt2"), QStringLiteral("5"));
        if (escape)
            QTest::keyClick(edit(w, "edt2"), Qt::Key_Escape);
        else
            QTest::mouseClick(button(w, "btn2"), Qt::LeftButton);
        QVERIFY(!w.isVisible());
        QVERIFY(fx.dialogs.shown.isEmpty());
        QCOMPARE(fx.count(QStringLiteral("账户")), 0);
    }

    void editAccount_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("note");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("storedNote");
        QTest::addColumn<bool>("closed");
        const QString noteOnly = QStringLiteral(" 账户信息更新成功！");
        const QString renamed = QStringLiteral("账户信息更新成功！");
        QTest::newRow("note only") << "cash"
                                   << "新备注" << noteOnly << "cash"
                                   << "新备注" << true;
        QTest::newRow("same name, padded") << "  cash\n"
                                           << " 新备注 " << noteOnly << "cash"
                                           << "新备注" << true;
        QTest::newRow("rename") << " 钱包 "
                                << "新备注\n"
                                << renamed << "钱包"
                                << "新备注" << true;
        QTest::newRow("case only") << "Cash"
                                   << "旧备注" << renamed << "Cash"
                                   << "旧备注" << true;
        QTest::newRow("another's name") << "银行"
                                        << "新备注"
                                        << "该账户名称已存在，请重新输入！"
                                        << "cash"
                                        << "旧备注" << false;
        QTest::newRow("another's name, padded") << " 银行 "
                                                << ""
                                                << "该账户名称已存在，请重新输入！"
                                                << "cash"
                                                << "旧备注" << false;
        QTest::newRow("empty name") << ""
                                    << "新备注"
                                    << "账户名称不能为空！"
                                    << "cash"
                                    << "旧备注" << false;
    }
    void editAccount() {
        QFETCH(QString, name);
        QFETCH(QString, note);
        QFETCH(QString, text);
        QFETCH(QString, stored);
        QFETCH(QString, storedNote);
        QFETCH(bool, closed);
        LedgerFixture fx;
        RefreshCounter refreshes;
        fx.insertAccount(QStringLiteral("cash"), Money::fromFen(100), QStringLiteral("旧备注"));
        fx.insertAccount(QStringLiteral("银行"), Money());
        store::exec(fx.db(), QStringLiteral("INSERT INTO 借入 (日期, 结算账户, 借入金额, 余额) VALUES "
                                            "('2026-05-01', 'cash', 500, 500)"));
        fx.moveAccount(QStringLiteral("cash"), QStringLiteral("借入"), Money::fromFen(500));

        Tupdatefrm w(nullptr, gridRow(fx, QStringLiteral("cash")));
        QVERIFY(showActive(w));
        QCOMPARE(edit(w, "edt1")->text(), QStringLiteral("cash"));
        QCOMPARE(memo(w, "dbmmo1")->toPlainText(), QStringLiteral("旧备注"));
        type(edit(w, "edt1"), name);
        memo(w, "dbmmo1")->setPlainText(note);
        QTest::mouseClick(button(w, "btn1"), Qt::LeftButton);

        QCOMPARE(fx.dialogs.texts(), QStringList{text});
        QCOMPARE(fx.dialogs.shown.last().title, ownTitle);
        QCOMPARE(fx.dialogs.shown.last().icon, closed ? ui::Icon::None : ui::Icon::Warning);
        QCOMPARE(!w.isVisible(), closed);
        const QSqlRecord r = fx.account(stored);
        QVERIFY2(!r.isEmpty(), qPrintable(stored));
        QCOMPARE(r.value(QStringLiteral("备注")).toString(), storedNote);
        QCOMPARE(store::scalar(fx.db(), QStringLiteral("SELECT 结算账户 FROM 借入")).toString(), stored);
        QCOMPARE(fx.count(QStringLiteral("账户")), 2);
        if (!closed) {
            QCOMPARE(edit(w, "edt1")->text(), QStringLiteral("cash"));
            QCOMPARE(focusName(w), QStringLiteral("edt1"));
        } else {
            QVERIFY(!gridRow(fx, stored).isEmpty());
        }
        // A rename or a note changes no figure.
        QCOMPARE(refreshes.n, 0);
    }

    void editLeftWithoutSaving_data() {
        QTest::addColumn<bool>("escape");
        QTest::newRow("退出") << false;
        QTest::newRow("Esc") << true;
    }
    void editLeftWithoutSaving() {
        QFETCH(bool, escape);
        LedgerFixture fx;
        fx.insertAccount(QStringLiteral("现金"), Money(), QStringLiteral("旧备注"));
        Tupdatefrm w(nullptr, gridRow(fx, QStringLiteral("现金")));
        QVERIFY(showActive(w));
        type(edit(w, "edt1"), QStringLiteral("钱包"));
        memo(w, "dbmmo1")->setPlainText(QStringLiteral("新备注"));
        if (escape)
            QTest::keyClick(edit(w, "edt1"), Qt::Key_Escape);
        else
            QTest::mouseClick(button(w, "btn2"), Qt::LeftButton);
        QVERIFY(!w.isVisible());
        QVERIFY(fx.dialogs.shown.isEmpty());
        QCOMPARE(fx.account(QStringLiteral("现金")).value(QStringLiteral("备注")).toString(),
                 QStringLiteral("旧备注"));
    }

    // The main window's grid hands over an empty row when there are no accounts.
    void commandsWithoutAccounts_data() {
        QTest::addColumn<bool>("fromGrid");
        QTest::newRow("no record") << false;
        QTest::newRow("grid without rows") << true;
    }
    void commandsWithoutAccounts() {
        QFETCH(bool, fromGrid);
        LedgerFixture fx;
        store::requery(*fx.dm);
        const QSqlRecord none = fromGrid ? fx.dm->qry1->record(0) : QSqlRecord();
        accounts::editAccountCommand(nullptr, none);
        accounts::deleteAccountCommand(none);
        accounts::transferCommand(nullptr);
        accounts::addAccountCommand(nullptr);
        const QList<Shown>& s = fx.dialogs.shown;
        QCOMPARE(s.size(), 4);
        QCOMPARE(s[0].text, QStringLiteral("\n没有可操作记录！\n"));
        QCOMPARE(s[0].icon, ui::Icon::Warning);
        QCOMPARE(s[1].text, QStringLiteral("没有可操作记录!"));
        QCOMPARE(s[1].icon, ui::Icon::None);
        QCOMPARE(s[2].text, QStringLiteral("\n至少需要两个资金账户才能转账!请先添加资金账户。\n"));
        QCOMPARE(s[2].icon, ui::Icon::Warning);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(s[i].title, ownTitle);
        QCOMPARE(s[3].kind, Shown::Modal);
        QCOMPARE(s[3].title, QStringLiteral("添加账户信息"));
    }

    // "账户存取" needs two accounts; the window offers the oldest as source and the next as target.
    void transferCommandOpens() {
        LedgerFixture fx;
        fx.insertAccount(QStringLiteral("现金"), Money::fromFen(5000));
        accounts::transferCommand(nullptr);
        QCOMPARE(fx.dialogs.texts(),
                 QStringList{QStringLiteral("\n至少需要两个资金账户才能转账!请先添加资金账户。\n")});
        fx.dialogs.clear();
        fx.insertAccount(QStringLiteral("银行"), Money());
        fx.insertAccount(QStringLiteral("支付宝"), Money::fromFen(1250));
        QStringList seen;
        fx.dialogs.onModal = [&](QDialog& w) {
            seen << combo(w, "cbb1")->currentText() << combo(w, "cbb2")->currentText()
                 << w.findChild<QLabel*>(QStringLiteral("lbl5"))->text();
            return int(QDialog::Rejected);
        };
        accounts::transferCommand(nullptr);
        QCOMPARE(fx.dialogs.shown.size(), 1);
        QCOMPARE(fx.dialogs.shown[0].title, QStringLiteral("资金账户间转款"));
        QCOMPARE(seen, QStringList({"现金", "银行", "50"}));
    }

    void transferWindowLists() {
        LedgerFixture fx;
        fx.insertAccount(QStringLiteral("现金"), Money::fromFen(5000));
        fx.insertAccount(QStringLiteral("O'银行"), Money());
        fx.insertAccount(QStringLiteral("支付宝"), Money::fromFen(1250));
        TZKfrm w;
        QVERIFY(showActive(w));
        QCOMPARE(focusName(w), QStringLiteral("cbb1"));
        for (const char* name : {"cbb1", "cbb2"}) {
            QStringList items;
            for (int i = 0; i < combo(w, name)->count(); ++i)
                items << combo(w, name)->itemText(i);
            QCOMPARE(items, QStringList({"现金", "O'银行", "支付宝"}));
        }
        QLabel* lbl5 = w.findChild<QLabel*>(QStringLiteral("lbl5"));
        combo(w, "cbb1")->setCurrentIndex(2);
        QCOMPARE(lbl5->text(), QStringLiteral("12.5"));
        combo(w, "cbb1")->setCurrentIndex(1);
        QCOMPARE(lbl5->text(), QStringLiteral("0"));
        combo(w, "cbb2")->setCurrentIndex(0);
        QCOMPARE(lbl5->text(), QStringLiteral("0"));

        // The window's context menu closes it.
        QAction* n1 = w.findChild<QAction*>(QStringLiteral("N1"));
        QVERIFY(n1);
        QCOMPARE(n1->text(), QStringLiteral("关闭窗口"));
        QVERIFY(w.findChild<QMenu*>(QStringLiteral("pm2"))->actions().contains(n1));
        n1->trigger();
        QVERIFY(!w.isVisible());
        QVERIFY(fx.dialogs.shown.isEmpty());
    }

    void transferRefusals_data() {
        QTest::addColumn<int>("target");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("amountAfter");
        QTest::newRow("same account, bad amount")
            << 0 << "abc" << QStringList{"不能同一账户间转账！"} << "abc";
        QTest::newRow("same account, empty amount") << 0 << "" << QStringList{"不能同一账户间转账！"} << "";
        for (const char* bad : {"", "0", "0.001", "-5", "abc", "1e"})
            QTest::newRow(qPrintable(QStringLiteral("amount '%1'").arg(QString::fromUtf8(bad))))
                << 1 << bad << QStringList{transferRefusal} << "";
        QTest::newRow("one fen more than the balance")
            << 1 << "50.01" << QStringList{"转出账户余额不足！"} << "";
        QTest::newRow("rounds up past the balance")
            << 1 << "50.005" << QStringList{"转出账户余额不足！"} << "";
        QTest::newRow("above the limit")
            << 1 << "10000000000000" << QStringList{ui::amountLimitMessage(), transferRefusal} << "";
    }
    void transferRefusals() {
        QFETCH(int, target);
        QFETCH(QString, amount);
        QFETCH(QStringList, texts);
        QFETCH(QString, amountAfter);
        LedgerFixture fx;
        fx.insertAccount(QStringLiteral("现金"), Money::fromFen(5000));
        fx.insertAccount(QStringLiteral("银行"), Money::fromFen(700));
        store::requery(*fx.dm);
        TZKfrm w;
        QVERIFY(showActive(w));
        combo(w, "cbb2")->setCurrentIndex(target);
        type(edit(w, "edt1"), amount);
        QTest::mouseClick(button(w, "btn1"), Qt::LeftButton);

        QCOMPARE(fx.dialogs.texts(), texts);
        QCOMPARE(fx.dialogs.shown.last().title, ownTitle);
        QCOMPARE(fx.dialogs.shown.last().icon, ui::Icon::Warning);
        QCOMPARE(edit(w, "edt1")->text(), amountAfter);
        if (target != 0) QCOMPARE(focusName(w), QStringLiteral("edt1"));
        QVERIFY(w.isVisible());
        QCOMPARE(fx.accountMoney(QStringLiteral("现金"), QStringLiteral("余额")).fen(), qint64(5000));
        QCOMPARE(fx.accountMoney(QStringLiteral("现金"), QStringLiteral("转出")).fen(), qint64(0));
        QCOMPARE(fx.accountMoney(QStringLiteral("银行"), QStringLiteral("转入")).fen(), qint64(0));
    }

    void transferSucceeds_data() {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<qint64>("fen");
        QTest::newRow("whole balance") << "50" << qint64(5000);
        QTest::newRow("rounded half up") << "12.345" << qint64(1235);
        QTest::newRow("exponent, blanks") << " 1e1 " << qint64(1000);
    }
    void transferSucceeds() {
        QFETCH(QString, amount);
        QFETCH(qint64, fen);
        LedgerFixture fx;
        RefreshCounter refreshes;
        fx.insertAccount(QStringLiteral("现金"), Money::fromFen(5000));
        fx.insertAccount(QStringLiteral("银行"), Money::fromFen(700));
        TZKfrm w;
        QVERIFY(showActive(w));
        type(edit(w, "edt1"), amount);
        QTest::keyClick(edit(w, "edt1"), Qt::Key_Return);

        QCOMPARE(fx.dialogs.texts(), QStringList{QStringLiteral("\n账户转账成功！\n")});
        QCOMPARE(fx.dialogs.shown.last().title, ownTitle);
        QCOMPARE(fx.dialogs.shown.last().icon, ui::Icon::None);
        QVERIFY(!w.isVisible());
        QCOMPARE(fx.accountMoney(QStringLiteral("现金"), QStringLiteral("转出")).fen(), fen);
        QCOMPARE(fx.accountMoney(QStringLiteral("银行"), QStringLiteral("转入")).fen(), fen);
        QVERIFY_LEDGER(fx);
        // The grid shows the new figures at once; the dashboard has nothing to follow.
        QCOMPARE(store::moneyOf(listedRow(fx, QStringLiteral("现金")).value(QStringLiteral("余额"))).fen(),
                 5000 - fen);
        QCOMPARE(refreshes.n, 0);
    }

    void deleteCommand_data() {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QList<qint64>>("moves");
        QTest::addColumn<bool>("guarded");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<bool>("deleted");
        QTest::newRow("untouched") << "" << QList<qint64>{} << false << true << true;
        QTest::newRow("untouched, cancelled") << "" << QList<qint64>{} << false << false << false;
        QTest::newRow("received a transfer") << "转入" << QList<qint64>{1} << true << true << false;
        QTest::newRow("entries recorded and deleted again")
            << "支出" << QList<qint64>{10, 20, -10, -20} << false << true << true;
        QTest::newRow("borrowing repaid") << "付还款" << QList<qint64>{500} << true << true << false;
    }
    void deleteCommand() {
        QFETCH(QString, column);
        QFETCH(QList<qint64>, moves);
        QFETCH(bool, guarded);
        QFETCH(bool, ok);
        QFETCH(bool, deleted);
        LedgerFixture fx;
        RefreshCounter refreshes;
        fx.insertAccount(QStringLiteral("现金"), Money::fromFen(5000));
        fx.insertAccount(QStringLiteral("银行"), Money());
        for (qint64 fen : moves)
            fx.moveAccount(QStringLiteral("银行"), column, Money::fromFen(fen));
        fx.dialogs.answers = {ok};
        accounts::deleteAccountCommand(gridRow(fx, QStringLiteral("银行")));

        QCOMPARE(fx.dialogs.shown.size(), 1);
        const Shown& s = fx.dialogs.shown[0];
        if (guarded) {
            QCOMPARE(s.kind, Shown::Message);
            QCOMPARE(s.title, ownTitle);
            QCOMPARE(s.text, QStringLiteral("\n对不起，该账户下有收支记录不能删除!\n"));
            QCOMPARE(s.icon, ui::Icon::Warning);
        } else {
            QCOMPARE(s.kind, Shown::Confirm);
            QCOMPARE(s.title, QStringLiteral("删除记录"));
            QCOMPARE(s.text, QStringLiteral("你确定要删除该资金账户？"));
            QCOMPARE(s.icon, ui::Icon::Question);
        }
        QCOMPARE(fx.account(QStringLiteral("银行")).isEmpty(), deleted);
        QCOMPARE(refreshes.n, deleted ? 1 : 0);
        if (deleted) QCOMPARE(fx.dm->qry1->rowCount(), 1);
    }

    // The grid's row may be older than the stored figures: the deletion judges what is stored.
    void deleteJudgesStoredFigures() {
        LedgerFixture fx;
        RefreshCounter refreshes;
        fx.insertAccount(QStringLiteral("银行"), Money());
        const QSqlRecord stale = gridRow(fx, QStringLiteral("银行"));
        fx.moveAccount(QStringLiteral("银行"), QStringLiteral("收入"), Money::fromFen(1));
        accounts::deleteAccountCommand(stale);
        QCOMPARE(fx.dialogs.texts(),
                 QStringList({"你确定要删除该资金账户？", "\n对不起，该账户下有收支记录不能删除!\n"}));
        QVERIFY(!fx.account(QStringLiteral("银行")).isEmpty());
        QCOMPARE(refreshes.n, 0);
    }

    // A new user's first steps, through the commands the main window offers.
    void firstSteps() {
        LedgerFixture fx;
        RefreshCounter refreshes;
        const auto add = [&](const QString& name, const QString& amount) {
            fx.dialogs.onModal = [&](QDialog& w) {
                w.show();
                type(edit(w, "edt1"), name);
                type(edit(w, "edt2"), amount);
                QTest::mouseClick(button(w, "btn1"), Qt::LeftButton);
                return w.result();
            };
            accounts::addAccountCommand(nullptr);
        };
        add(QStringLiteral("现金"), QStringLiteral("100"));
        add(QStringLiteral("银行卡"), QStringLiteral("0"));
        add(QStringLiteral("支付宝"), QStringLiteral("20.5"));

        fx.dialogs.onModal = [&](QDialog& w) {
            w.show();
            type(edit(w, "edt1"), QStringLiteral("工行卡"));
            QTest::mouseClick(button(w, "btn1"), Qt::LeftButton);
            return w.result();
        };
        accounts::editAccountCommand(nullptr, gridRow(fx, QStringLiteral("银行卡")));

        fx.dialogs.onModal = [&](QDialog& w) {
            w.show();
            combo(w, "cbb2")->setCurrentText(QStringLiteral("工行卡"));
            type(edit(w, "edt1"), QStringLiteral("30"));
            QTest::mouseClick(button(w, "btn1"), Qt::LeftButton);
            return w.result();
        };
        accounts::transferCommand(nullptr);

        accounts::deleteAccountCommand(gridRow(fx, QStringLiteral("支付宝")));
        accounts::deleteAccountCommand(gridRow(fx, QStringLiteral("工行卡")));

        QCOMPARE(fx.dialogs.texts(),
                 QStringList({"添加账户信息", "  恭喜，新账户添加成功！", "添加账户信息",
                              "  恭喜，新账户添加成功！", "添加账户信息", "  恭喜，新账户添加成功！",
                              "修改账户信息", "账户信息更新成功！", "资金账户间转款", "\n账户转账成功！\n",
                              "你确定要删除该资金账户？", "\n对不起，该账户下有收支记录不能删除!\n"}));
        QCOMPARE(refreshes.n, 4);
        QCOMPARE(fx.dm->qry1->rowCount(), 2);
        QCOMPARE(fx.dm->qry1->record(0).value(QStringLiteral("账户名称")).toString(),
                 QStringLiteral("工行卡"));
        QCOMPARE(fx.accountMoney(QStringLiteral("工行卡"), QStringLiteral("余额")).fen(), qint64(3000));
        QCOMPARE(fx.accountMoney(QStringLiteral("现金"), QStringLiteral("余额")).fen(), qint64(7000));
        QVERIFY_LEDGER(fx);
    }
};

QTEST_MAIN(TstAccountWindows)
#include "tst_account_windows.moc"
