// Renders the account windows with sample data (the render command).
#include "ui/render.h"

void renderAccountsWindows(const ui::RenderContext& ctx) {
    (void)ctx;
}
