// Renders the windows of income and expense with sample data (the render command).
#include "entries/classification_window.h"
#include "ui/render.h"

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

} // namespace

void renderEntriesWindows(const ui::RenderContext& ctx) {
    renderClassificationWindows(ctx);
}
