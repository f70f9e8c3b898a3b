// Renders the windows of Borrowings and Lendings with sample data (the render command).
#include "loans/loan_edit.h"
#include "loans/loan_list.h"
#include "loans/pay_back.h"
#include "store/dmod1.h"
#include "ui/footer_grid.h"
#include "ui/render.h"

#include <QLineEdit>

void renderLoansWindows(const ui::RenderContext& ctx) {
    const auto typed = [](QWidget& w, const char* edit, const char* text) {
        w.findChild<QLineEdit*>(QString::fromLatin1(edit))->setText(QString::fromUtf8(text));
    };
    {
        TJRfrm JRfrm;
        ui::saveWindowPng(JRfrm, ctx, QStringLiteral("borrowing_list"));
        const QSqlRecord row = JRfrm.grid()->currentRecord();
        {
            TaddJRfrm addJRfrm;
            typed(addJRfrm, "edt1", "2000");
            typed(addJRfrm, "edt2", "王叔叔");
            typed(addJRfrm, "edt3", "买电脑");
            ui::saveWindowPng(addJRfrm, ctx, QStringLiteral("borrowing_add"));
        }
        {
            TupdateJRfrm updateJRfrm(nullptr, row);
            ui::saveWindowPng(updateJRfrm, ctx, QStringLiteral("borrowing_correct"));
        }
        {
            TJRHKfrm JRHKfrm(nullptr, row);
            typed(JRHKfrm, "edt1", "100");
            ui::saveWindowPng(JRHKfrm, ctx, QStringLiteral("repayment"));
        }
    }
    {
        TJCfrm JCfrm;
        ui::saveWindowPng(JCfrm, ctx, QStringLiteral("lending_list"));
        const QSqlRecord row = JCfrm.grid()->currentRecord();
        {
            TaddJCfrm addJCfrm;
            typed(addJCfrm, "edt1", "300");
            typed(addJCfrm, "edt2", "小李");
            ui::saveWindowPng(addJCfrm, ctx, QStringLiteral("lending_add"));
        }
        {
            Tupdatejcfrm updatejcfrm(nullptr, row);
            ui::saveWindowPng(updatejcfrm, ctx, QStringLiteral("lending_correct"));
        }
        {
            TJCSKfrm JCSKfrm(nullptr, row);
            typed(JCSKfrm, "edt1", "50");
            ui::saveWindowPng(JCSKfrm, ctx, QStringLiteral("collection"));
        }
    }
}
