// Renders the account windows with sample data (the render command).
#include "accounts/add_account.h"
#include "accounts/transfer_window.h"
#include "accounts/update_account.h"
#include "store/dmod1.h"
#include "store/ledger.h"
#include "ui/render.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSqlQueryModel>
#include <QSqlRecord>

void renderAccountsWindows(const ui::RenderContext& ctx) {
    {
        Taddfrm addfrm;
        addfrm.findChild<QLineEdit*>(QStringLiteral("edt1"))->setText(QStringLiteral("零钱通"));
        addfrm.findChild<QLineEdit*>(QStringLiteral("edt2"))->setText(QStringLiteral("200"));
        addfrm.findChild<QPlainTextEdit*>(QStringLiteral("mmo1"))->setPlainText(QStringLiteral("微信零钱"));
        ui::saveWindowPng(addfrm, ctx, QStringLiteral("add_account"));
    }
    {
        store::requery(ctx.dm);
        Tupdatefrm updatefrm(nullptr, ctx.dm.qry1->record(0));
        ui::saveWindowPng(updatefrm, ctx, QStringLiteral("update_account"));
    }
    {
        TZKfrm ZKfrm;
        ZKfrm.findChild<QLineEdit*>(QStringLiteral("edt1"))->setText(QStringLiteral("500"));
        ui::saveWindowPng(ZKfrm, ctx, QStringLiteral("transfer_window"));
    }
}
