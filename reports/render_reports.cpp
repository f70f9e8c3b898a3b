// Renders the main window windows with sample data (the render command).
#include "ui/render.h"

void renderReportsWindows(const ui::RenderContext& ctx) {
    (void)ctx;
}
