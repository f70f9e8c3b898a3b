// Our SVG artwork drawn into pixmaps at a given size, crisp on high-density screens too.
#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

namespace ui {

// Renders an SVG resource (e.g. ":/start/welcome.svg") at the given size in device-independent
// pixels; an empty pixmap when the resource is missing or not a valid SVG.
QPixmap svgPixmap(const QString& resource, QSize size, qreal devicePixelRatio = 1.0);

} // namespace ui
