// Renders the welcome window with sample data (the render command).
#include "admin/welcome_window.h"
#include "ui/render.h"

void renderAdminWindows(const ui::RenderContext& ctx) {
    Twelcomefrm welcome(nullptr);
    ui::saveWindowPng(welcome, ctx, QStringLiteral("welcomefrm"));
    welcome.hide();
}
