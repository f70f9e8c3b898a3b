// Rendering windows to PNG files, for looking at them without a screen.
#pragma once

#include <QString>

class QWidget;

namespace store {
class Tdmod1;
}

namespace ui {

// What every window renderer gets: the folder to write into and the data module, opened on a
// sample ledger in a temporary program folder.
struct RenderContext {
    QString outDir;
    store::Tdmod1& dm;
};

// Shows the window (offscreen or on screen), lets it lay itself out and paint, grabs it, and writes
// <outDir>/<name>.png. The window is left shown; the caller closes or destroys it.
void saveWindowPng(QWidget& window, const RenderContext& ctx, const QString& name);

} // namespace ui

// The renderers of each subsystem; each writes the PNGs of its own windows.
void renderAppWindows(const ui::RenderContext& ctx);
void renderAdminWindows(const ui::RenderContext& ctx);
void renderReportsWindows(const ui::RenderContext& ctx);
void renderAccountsWindows(const ui::RenderContext& ctx);
void renderEntriesWindows(const ui::RenderContext& ctx);
void renderLoansWindows(const ui::RenderContext& ctx);
