// The main window: dashboard figures, month navigation, clock, account grid, commands, hot key.
#include "reports/main_window.h"

#include "accounts/account_commands.h"
#include "entries/classification_window.h"
#include "admin/admin_commands.h"
#include "loans/loan_list.h"
#include "entries/entry_browser.h"
#include "platform/hotkey.h"
#include "reports/statistics_window.h"
#include "store/clock.h"
#include "store/dmod1.h"
#include "store/ledger.h"
#include "ui/artwork.h"
#include "ui/dashboard.h"
#include "ui/dialogs.h"
#include "ui/guard.h"
#include "ui/locale_text.h"
#include "ui/window_style.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QIcon>
#include <QRandomGenerator>
#include <QTimer>
#include <QToolButton>

using ui::FooterCell;
using ui::GridColumn;

namespace {
const QColor kMaroon(0x80, 0x00, 0x00);
const QColor kSumRed(0xd0, 0x10, 0x10);
const QColor kDarkGrey(0x50, 0x50, 0x50);

// Writes a figure; a long one is drawn smaller rather than cut off, since a clipped digit would
// show a wrong amount.
void showFigure(QLabel* l, const QString& text) {
    if (!l->property("designSize").isValid()) l->setProperty("designSize", l->font().pointSize());
    QFont f = l->font();
    f.setPointSize(l->property("designSize").toInt());
    while (f.pointSize() > 7 && QFontMetrics(f).horizontalAdvance(text) > l->width() - 4)
        f.setPointSize(f.pointSize() - 1);
    l->setFont(f);
    l->setText(text);
}
} // namespace

Tzjzkfrm::Tzjzkfrm(QWidget* parent) : QMainWindow(parent) {
    setupUi(this);
    setObjectName(QStringLiteral("zjzkfrm"));
    zjzkfrm = this;
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(981, 643 + mm1->sizeHint().height());
    setArtwork();

    const std::pair<QToolButton*, QAction*> toolbar[] = {
        {btn2, act1}, {btn3, act2}, {btn4, act3},  {btn5, act4},   {btn6, act5},  {btn8, act7},
        {btn9, act8}, {btn17, N9},  {btn10, act9}, {btn11, act10}, {btn12, act11}};
    for (auto [button, action] : toolbar) {
        button->setDefaultAction(action);
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setIconSize(QSize(36, 36));
        button->setAutoRaise(true);
    }
    // Each command stays disabled until the window it opens is part of the program.
    // Classification.
    connect(act7, &QAction::triggered, this,
            ui::guarded([this] { entries::incomeClassificationCommand(this); }));
    connect(act8, &QAction::triggered, this,
            ui::guarded([this] { entries::expenseClassificationCommand(this); }));
    // Income and expense.
    connect(act1, &QAction::triggered, this, ui::guarded([this] {
                Tsrfrm srfrm(this);
                ui::dialogs().runModal(srfrm);
            }));
    connect(act2, &QAction::triggered, this, ui::guarded([this] {
                Tzcfrm zcfrm(this);
                ui::dialogs().runModal(zcfrm);
            }));
    // Loans.
    connect(act3, &QAction::triggered, this, ui::guarded([this] { loans::borrowingsCommand(this); }));
    connect(act4, &QAction::triggered, this, ui::guarded([this] { loans::lendingsCommand(this); }));
    // Statistics.
    const auto statistics = ui::guarded([this] {
        reports::statisticsCommand(this, {year_, month_, monthIncome_, monthExpense_});
    });
    connect(N9, &QAction::triggered, this, statistics);
    connect(button2, &QPushButton::clicked, this, statistics);
    // Administration.
    connect(act9, &QAction::triggered, this, ui::guarded([this] { admin::systemCommand(this); }));
    connect(act10, &QAction::triggered, this, ui::guarded([this] { admin::aboutCommand(this); }));
    // End of the disabled commands.
    connect(act11, &QAction::triggered, this, ui::guarded([this] { close(); }));
    connect(act5, &QAction::triggered, this, ui::guarded([this] { accounts::transferCommand(this); }));
    connect(btn14, &QPushButton::clicked, this, ui::guarded([this] { accounts::addAccountCommand(this); }));
    connect(btn16, &QPushButton::clicked, this,
            ui::guarded([this] { accounts::editAccountCommand(this, currentAccountRow()); }));
    connect(btn15, &QPushButton::clicked, this,
            ui::guarded([this] { accounts::deleteAccountCommand(currentAccountRow()); }));

    connect(btn1, &QPushButton::clicked, this, ui::guarded([this] { btn1Click(); }));
    connect(btn7, &QPushButton::clicked, this, ui::guarded([this] { btn7Click(); }));
    connect(btn13, &QPushButton::clicked, this, ui::guarded([this] { btn13Click(); }));
    // The figure is what a screen reader reads; the heading drawn beside it tells what it is.
    const std::pair<QLabel*, const char*> figures[] = {{lbl3, "持有资金"}, {lbl4, "待收款"},
                                                       {lbl5, "待还款"},   {lbl6, "净资产"},
                                                       {lbl7, "月份收入"}, {lbl8, "月份支出"}};
    for (auto [label, name] : figures)
        label->setAccessibleDescription(QString::fromUtf8(name));
    lbl4->installEventFilter(this);
    lbl5->installEventFilter(this);

    DBGrideh1->setColumns({
        {QStringLiteral("账户名称"), 90, QString(),
         FooterCell::staticText(QStringLiteral("合   计："))
             .align(Qt::AlignCenter)
             .colors(Qt::white, kMaroon)
             .boldFont()},
        {QStringLiteral("起始金额"), 80, QStringLiteral("#.##"),
         FooterCell::sum(QStringLiteral("￥0.00")).colors(Qt::white, kDarkGrey)},
        {QStringLiteral("收入"), 80, QStringLiteral("#.##"),
         FooterCell::sum(QStringLiteral("￥0.00")).colors(kSumRed)},
        {QStringLiteral("支出"), 80, QStringLiteral("#.##"),
         FooterCell::sum(QStringLiteral("￥0.00")).colors(kSumRed)},
        {QStringLiteral("借入"), 60, QStringLiteral("#.##"),
         FooterCell::sum(QStringLiteral("￥0.00")).colors(kSumRed)},
        {QStringLiteral("付还款"), 60, QStringLiteral("#.##"),
         FooterCell::sum(QStringLiteral("￥0.00")).colors(kSumRed)},
        {QStringLiteral("借出"), 60, QStringLiteral("#.##"),
         FooterCell::sum(QStringLiteral("￥0.00")).colors(kSumRed)},
        {QStringLiteral("收借款"), 60, QStringLiteral("#.##"),
         FooterCell::sum(QStringLiteral("￥0.00")).colors(kSumRed)},
        {QStringLiteral("转入"), 70, QStringLiteral("#.##"),
         FooterCell::sum(QStringLiteral("￥0.00")).colors(kSumRed)},
        {QStringLiteral("转出"), 70, QStringLiteral("#.##"),
         FooterCell::sum(QStringLiteral("￥0.00")).colors(kSumRed)},
        {QStringLiteral("余额"), 80, QStringLiteral("0.00"),
         FooterCell::sum(QStringLiteral("￥0.00")).colors(kSumRed)},
        {QStringLiteral("备注"), 128, QString(),
         FooterCell::count(QStringLiteral("共计#个资金账户"))
             .align(Qt::AlignCenter)
             .colors(kMaroon)
             .boldFont()},
    });
    bindGrid();

    const QDate today = store::clock().today();
    year_ = today.year();
    month_ = today.month();
    lbl1->setText(QString::number(year_));
    lbl13->setText(QString::number(month_));

    tmr1 = new QTimer(this);
    tmr1->setObjectName(QStringLiteral("tmr1"));
    tmr1->setInterval(1000);
    connect(tmr1, &QTimer::timeout, this, ui::guarded([this] { tmr1Timer(); }));
    tmr1->start();
    tmr1Timer();

    tmr2 = new QTimer(this);
    tmr2->setObjectName(QStringLiteral("tmr2"));
    tmr2->setInterval(10);
    tmr2->setSingleShot(true);
    connect(tmr2, &QTimer::timeout, this, ui::guarded([this] { tmr2Timer(); }));
    tmr2->start();
    // A trigger while one is pending changes nothing: a burst of changes pays for one refresh.
    ui::setDashboardRefresh([this] {
        if (!tmr2->isActive()) tmr2->start();
    });

    hotKey_ = platform::makeHotKey();
    connect(hotKey_.get(), &platform::HotKey::pressed, this, ui::guarded([this] { hotKeyPressed(); }));
}

Tzjzkfrm::~Tzjzkfrm() {
    ui::setDashboardRefresh({});
    hotKey_->release();
    if (zjzkfrm == this) zjzkfrm = nullptr;
}

void Tzjzkfrm::loggedIn() {
    loggedIn_ = true;
    visible_ = true;
    // The key is taken only now: before login it could only show the window past the login gate.
    hotKey_->grab();
    bindGrid();
    ui::triggerDashboardRefresh();
    ui::centreOnScreen(this);
    show();
}

QSqlRecord Tzjzkfrm::currentAccountRow() const {
    return DBGrideh1->currentRecord();
}

void Tzjzkfrm::bindGrid() {
    if (store::dmod1 && DBGrideh1->model() != store::dmod1->qry1) DBGrideh1->setModel(store::dmod1->qry1);
}

void Tzjzkfrm::tmr1Timer() {
    const QDateTime now = store::clock().now();
    const QString date = ui::shortDateText(now.date());
    const QString weekday = ui::weekdayText(now.date());
    const QString time = ui::longTimeText(now.time());
    lbl10->setText(date);
    lbl12->setText(date);
    lbl9->setText(weekday);
    lbl14->setText(weekday);
    lbl11->setText(time);
    lbl15->setText(time);
    QRandomGenerator* r = QRandomGenerator::global();
    QPalette pal = button2->palette();
    const QColor c(r->bounded(255), r->bounded(255), r->bounded(255));
    pal.setColor(QPalette::Active, QPalette::ButtonText, c);
    pal.setColor(QPalette::Inactive, QPalette::ButtonText, c);
    button2->setPalette(pal);
}

void Tzjzkfrm::tmr2Timer() {
    tmr2->stop();
    store::Tdmod1* dm = store::dmod1;
    if (!dm || !dm->isOpen()) return;
    bindGrid();
    const QSqlDatabase db = dm->con1();
    const store::Money held = store::columnTotal(db, QStringLiteral("余额"), QStringLiteral("账户"));
    const store::Money receivable = store::columnTotal(db, QStringLiteral("余额"), QStringLiteral("借出"));
    const store::Money payable = store::columnTotal(db, QStringLiteral("余额"), QStringLiteral("借入"));
    showFigure(lbl3, held.text());
    showFigure(lbl4, receivable.text());
    showFigure(lbl5, payable.text());
    // From the totals in fen, which are exactly the figures shown: the four boxes add up on screen
    // however large they grow (reading a label back stops at the amount limit).
    showFigure(lbl6, (held + receivable - payable).text());
    // The month box keeps naming the month it shows: its figures are that month's.
    monthFigures();
    store::requery(*dm);
}

void Tzjzkfrm::monthFigures() {
    // Figures of another month must never be handed on as this one's.
    monthIncome_.reset();
    monthExpense_.reset();
    store::Tdmod1* dm = store::dmod1;
    if (!dm || !dm->isOpen()) return;
    const QSqlDatabase db = dm->con1();
    monthIncome_ = store::monthTotal(db, QStringLiteral("收入金额"), QStringLiteral("收支表"), year_, month_);
    showFigure(lbl7, monthIncome_->text());
    monthExpense_ =
        store::monthTotal(db, QStringLiteral("支出金额"), QStringLiteral("收支表"), year_, month_);
    showFigure(lbl8, monthExpense_->text());
}

void Tzjzkfrm::showMonth() {
    lbl1->setText(QString::number(year_));
    lbl13->setText(QString::number(month_));
    monthFigures();
}

void Tzjzkfrm::btn1Click() {
    if (month_ == 1) {
        month_ = 12;
        --year_;
    } else {
        --month_;
    }
    showMonth();
}

void Tzjzkfrm::btn7Click() {
    const QDate today = store::clock().today();
    if (year_ == today.year() && month_ == today.month()) {
        ui::warn(QStringLiteral("下个月的收支尚未产生哦！"));
        return;
    }
    if (month_ == 12) {
        month_ = 1;
        ++year_;
    } else {
        ++month_;
    }
    showMonth();
}

void Tzjzkfrm::btn13Click() {
    const QDate today = store::clock().today();
    year_ = today.year();
    month_ = today.month();
    showMonth();
}

void Tzjzkfrm::hotKeyPressed() {
    if (!loggedIn_) return;
    if (visible_) {
        visible_ = false;
        hide();
        return;
    }
    visible_ = true;
    if (isMinimized()) {
        setWindowState(windowState() & ~Qt::WindowMinimized);
        show();
    } else {
        show();
        raise();
        activateWindow();
    }
}

void Tzjzkfrm::closeEvent(QCloseEvent* event) {
    hotKey_->release();
    event->accept();
    // The main window is the program: closing it ends the run, whatever other window is open.
    QCoreApplication::quit();
}

bool Tzjzkfrm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        QAction* a = watched == lbl4 ? act4 : watched == lbl5 ? act3 : nullptr;
        if (a && a->isEnabled()) {
            a->trigger();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void Tzjzkfrm::setArtwork() {
    const std::pair<QAction*, const char*> glyphs[] = {
        {act1, "income"},   {act2, "expense"},      {act3, "borrow"},        {act4, "lend"},
        {act5, "transfer"}, {act7, "income-class"}, {act8, "expense-class"}, {N9, "chart"},
        {act9, "settings"}, {act10, "about"},       {act11, "exit"}};
    for (auto [action, name] : glyphs) {
        action->setIcon(QIcon(QStringLiteral(":/main/glyph-%1.svg").arg(QLatin1String(name))));
        action->setIconVisibleInMenu(false);
    }
    // A menu bar shows a command that has a picture as the picture alone: the entries that act at
    // once get a plain twin in the menu bar that follows the command's state.
    for (QAction* command : {N9, act9, act11}) {
        auto* entry = new QAction(command->text(), mm1);
        entry->setObjectName(QStringLiteral("mm1_") + command->objectName());
        entry->setEnabled(command->isEnabled());
        connect(command, &QAction::changed, entry,
                [entry, command] { entry->setEnabled(command->isEnabled()); });
        connect(entry, &QAction::triggered, command, &QAction::trigger);
        mm1->insertAction(command, entry);
        mm1->removeAction(command);
    }
    img1->setPixmap(ui::svgPixmap(QStringLiteral(":/main/logo.svg"), img1->size(), devicePixelRatioF()));
    img3->setPixmap(ui::svgPixmap(QStringLiteral(":/main/dashboard.svg"), img3->size(), devicePixelRatioF()));
    img4->setPixmap(ui::svgPixmap(QStringLiteral(":/main/clock.svg"), img4->size(), devicePixelRatioF()));
    pnl5->setStyleSheet(QStringLiteral("#pnl5{background:#f7faf6;border-bottom:1px solid #c9dccf;}"));
    pnl1->setStyleSheet(QStringLiteral("#pnl1{background:qlineargradient(x1:0,y1:0,x2:0,y2:1,stop:0 #f7faf6,"
                                       "stop:1 #e2ede4);border-bottom:1px solid #c9dccf;}"));
    pnl3->setStyleSheet(QStringLiteral("#lbl1,#lbl20,#lbl13,#lbl21{color:#ffffff;}"
                                       "#lbl16,#lbl17,#lbl18,#lbl19{color:#2c4a3b;}"
                                       "#lbl3,#lbl7,#lbl22{color:#1f6a4a;} #lbl4{color:#2b5f94;}"
                                       "#lbl5,#lbl8,#lbl23{color:#b0482a;} #lbl6{color:#6b5212;}"));
    pnl2->setStyleSheet(
        QStringLiteral("#lbl10,#lbl9,#lbl11{color:#0b2419;} #lbl12,#lbl14,#lbl15{color:#ffffff;}"));
    pnl4->setStyleSheet(QStringLiteral("#pnl4{background:#f4f7f3;border-top:1px solid #c9dccf;}"));
    img2->setAttribute(Qt::WA_StyledBackground);
    img2->setStyleSheet(QStringLiteral("#img2{border-image:url(:/main/heading.svg);color:#ffffff;}"));
}
