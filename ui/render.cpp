// Rendering windows to PNG files.
#include "ui/render.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QWidget>

namespace ui {

void saveWindowPng(QWidget& window, const RenderContext& ctx, const QString& name) {
    window.show();
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    const QString path = QDir(ctx.outDir).filePath(name + QStringLiteral(".png"));
    if (!window.grab().save(path)) qWarning("cannot write %s", qPrintable(path));
}

} // namespace ui
