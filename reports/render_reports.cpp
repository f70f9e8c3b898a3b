// Renders the windows of the dashboard and statistics with sample data (the render command).
#include "reports/main_window.h"
#include "reports/statistics_window.h"
#include "store/dmod1.h"
#include "store/ledger.h"
#include "ui/render.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPushButton>

void renderReportsWindows(const ui::RenderContext& ctx) {
    Tzjzkfrm w;
    w.setWindowTitle(
        QStringLiteral("云杉个人记账管理软件-V2.1版%1当前用户： admin").arg(QString(20, QLatin1Char(' '))));
    w.loggedIn();
    // Let the deferred refresh run, as it does right after login.
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 100)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ui::saveWindowPng(w, ctx, QStringLiteral("main_window"));

    // The statistics of the month the dashboard shows: the grids, then each chart in turn.
    const QSqlDatabase db = ctx.dm.con1();
    const int year = w.shownYear();
    const int month = w.shownMonth();
    const reports::ShownMonth shown{
        year, month, store::monthTotal(db, QStringLiteral("收入金额"), QStringLiteral("收支表"), year, month),
        store::monthTotal(db, QStringLiteral("支出金额"), QStringLiteral("收支表"), year, month)};
    TYFLTJfrm YFLTJfrm(nullptr, shown);
    ui::saveWindowPng(YFLTJfrm, ctx, QStringLiteral("statistics_window"));
    const std::pair<const char*, const char*> charts[] = {
        {"btn1", "statistics_month_days"},    {"btn2", "statistics_month_income"},
        {"btn3", "statistics_month_expense"}, {"btn4", "statistics_year_months"},
        {"btn5", "statistics_year_income"},   {"btn6", "statistics_year_expense"}};
    for (auto [button, name] : charts) {
        YFLTJfrm.findChild<QPushButton*>(QString::fromLatin1(button))->click();
        ui::saveWindowPng(YFLTJfrm, ctx, QString::fromLatin1(name));
    }
}
