// Renders the windows of the dashboard and statistics with sample data (the render command).
#include "reports/main_window.h"
#include "ui/render.h"

#include <QCoreApplication>
#include <QElapsedTimer>

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
}
