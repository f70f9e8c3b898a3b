// Renders the administration windows with sample data (the render command): the welcome window,
// system management after a backup, and the about window at several login counts.
#include "admin/about_window.h"
#include "admin/ledger_files.h"
#include "admin/system_window.h"
#include "admin/welcome_window.h"
#include "store/db.h"
#include "store/dmod1.h"
#include "ui/render.h"

#include <QCheckBox>

void renderAdminWindows(const ui::RenderContext& ctx) {
    {
        Twelcomefrm welcome(nullptr);
        ui::saveWindowPng(welcome, ctx, QStringLiteral("welcomefrm"));
        welcome.hide();
    }
    {
        admin::backupLedger(ctx.dm, admin::programDirOf(ctx.dm), QStringLiteral("2026/5/15 / 09:41:26"));
        Tsysfrm sysfrm;
        sysfrm.findChild<QCheckBox*>(QStringLiteral("chk3"))->click();
        ui::saveWindowPng(sysfrm, ctx, QStringLiteral("sysfrm"));
    }
    const QSqlDatabase db = ctx.dm.con1();
    const QVariant count = store::scalar(db, QStringLiteral("select dlcount from dlcount"));
    const QVariant since = store::scalar(db, QStringLiteral("select startdd from dlcount"));
    store::exec(db, QStringLiteral("update dlcount set startdd=?"), {QStringLiteral("2025-03-08")});
    for (int n : {1, 20, 150, 201}) {
        store::exec(db, QStringLiteral("update dlcount set dlcount=?"), {n});
        Taboutfrm aboutfrm;
        ui::saveWindowPng(aboutfrm, ctx, QStringLiteral("aboutfrm-%1").arg(n));
    }
    store::exec(db, QStringLiteral("update dlcount set dlcount=?, startdd=?"), {count, since});
}
