#include "runtime/qt/pictures.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>

#include <set>

namespace quorvela::runtime {

QPixmap RenderPicture(const QString& svg, QSize logical, qreal devicePixelRatio) {
    QSvgRenderer renderer(svg);
    QPixmap pixmap((QSizeF(logical) * devicePixelRatio).toSize());
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

QIcon RenderIcon(const QString& svg, const QString& smallSvg) {
    // Each screen's ratio, and 1 and 2 for what the desktop itself shows.
    std::set<qreal> ratios{1.0, 2.0};
    for (const QScreen* screen : QGuiApplication::screens()) {
        ratios.insert(screen->devicePixelRatio());
    }
    QIcon icon;
    for (const int size : {16, 32, 64}) {
        for (const qreal ratio : ratios) {
            icon.addPixmap(RenderPicture(size == 16 ? smallSvg : svg, QSize(size, size), ratio));
        }
    }
    return icon;
}

}  // namespace quorvela::runtime
