// Renders the login window with sample data (the render command).
#include "app/login_window.h"
#include "ui/render.h"

#include <QLineEdit>
#include <QTimer>

void renderAppWindows(const ui::RenderContext& ctx) {
    Tloginfrm login;
    login.tmr1->stop(); // the start check would hand over to the welcome window
    login.findChild<QLineEdit*>(QStringLiteral("edt1"))->setText(QStringLiteral("admin"));
    login.findChild<QLineEdit*>(QStringLiteral("edt2"))->setText(QStringLiteral("302514"));
    ui::saveWindowPng(login, ctx, QStringLiteral("loginfrm"));
    login.hide();
}
