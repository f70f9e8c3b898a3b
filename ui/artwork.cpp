// SVG artwork into pixmaps.
#include "ui/artwork.h"

#include <QPainter>
#include <QSvgRenderer>

namespace ui {

QPixmap svgPixmap(const QString& resource, QSize size, qreal devicePixelRatio) {
    QSvgRenderer svg(resource);
    if (!svg.isValid() || size.isEmpty()) return QPixmap();
    QPixmap pm(size * devicePixelRatio);
    pm.setDevicePixelRatio(devicePixelRatio);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    svg.render(&p, QRectF(QPointF(0, 0), QSizeF(size)));
    return pm;
}

} // namespace ui
