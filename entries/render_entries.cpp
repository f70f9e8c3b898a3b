// Renders the windows of income and expense with sample data (the render command).
#include "entries/classification_window.h"
#include "entries/entry_browser.h"
#include "entries/entry_correct_window.h"
#include "entries/entry_record_window.h"
#include "ui/footer_grid.h"
#include "ui/render.h"

#include <QLineEdit>
#include <QListWidget>

namespace {

void renderClassificationWindows(const ui::RenderContext& ctx) {
    {
        TSRCLASSfrm SRCLASSfrm;
        ui::saveWindowPng(SRCLASSfrm, ctx, QStringLiteral("income_classification"));
    }
    {
        // The second Category, to show a list with its selection further down.
        Tzcclassfrm zcclassfrm;
        auto* lst1 = zcclassfrm.findChild<QListWidget*>(QStringLiteral("lst1"));
        lst1->setCurrentRow(1);
        ui::saveWindowPng(zcclassfrm, ctx, QStringLiteral("expense_classification"));
    }
}

void renderEntryWindows(const ui::RenderContext& ctx) {
    {
        Tsrfrm srfrm;
        ui::saveWindowPng(srfrm, ctx, QStringLiteral("income_browser"));
        Tupdatesrfrm updatesrfrm(srfrm.grid()->currentRecord());
        ui::saveWindowPng(updatesrfrm, ctx, QStringLiteral("income_correction"));
    }
    {
        Tzcfrm zcfrm;
        ui::saveWindowPng(zcfrm, ctx, QStringLiteral("expense_browser"));
        Tupdatezcfrm updatezcfrm(zcfrm.grid()->currentRecord());
        ui::saveWindowPng(updatezcfrm, ctx, QStringLiteral("expense_correction"));
    }
    {
        Taddsrfrm addsrfrm;
        addsrfrm.findChild<QLineEdit*>(QStringLiteral("edt1"))->setText(QStringLiteral("8500"));
        addsrfrm.findChild<QLineEdit*>(QStringLiteral("edt2"))->setText(QStringLiteral("六月工资"));
        ui::saveWindowPng(addsrfrm, ctx, QStringLiteral("income_recording"));
    }
    {
        Taddzcfrm addzcfrm;
        addzcfrm.findChild<QLineEdit*>(QStringLiteral("edt1"))->setText(QStringLiteral("28.5"));
        ui::saveWindowPng(addzcfrm, ctx, QStringLiteral("expense_recording"));
    }
}

} // namespace

void renderEntriesWindows(const ui::RenderContext& ctx) {
    renderClassificationWindows(ctx);
    renderEntryWindows(ctx);
}
