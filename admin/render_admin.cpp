// Renders the welcome windows with sample data (the render command).
#include "ui/render.h"

void renderAdminWindows(const ui::RenderContext& ctx) {
    (void)ctx;
}
