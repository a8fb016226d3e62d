#include "runtime/qt/pictures.h"

#include <QIconEngine>
#include <QPainter>
#include <QSvgRenderer>

#include <utility>

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

namespace {

// Draws the icon only when the platform asks for a size, at that size: a
// platform that shows no icon (the offscreen one) costs nothing at start-up.
class SvgIconEngine final : public QIconEngine {
public:
    SvgIconEngine(QString svg, QString smallSvg)
        : svg_(std::move(svg)), smallSvg_(std::move(smallSvg)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode /*mode*/,
               QIcon::State /*state*/) override {
        QSvgRenderer(source(rect.size())).render(painter, rect);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode /*mode*/, QIcon::State /*state*/) override {
        return RenderPicture(source(size), size, 1.0);
    }
    QList<QSize> availableSizes(QIcon::Mode /*mode*/, QIcon::State /*state*/) override {
        return {{SmallSize, SmallSize}, {32, 32}, {64, 64}};
    }
    [[nodiscard]] QIconEngine* clone() const override { return new SvgIconEngine(*this); }
    [[nodiscard]] QString key() const override { return QStringLiteral("FormRuntimeSvgIcon"); }

private:
    static constexpr int SmallSize = 16;

    [[nodiscard]] const QString& source(QSize size) const {
        return size.width() <= SmallSize ? smallSvg_ : svg_;
    }
    QString svg_;
    QString smallSvg_;
};

}  // namespace

QIcon SvgIcon(const QString& svg, const QString& smallSvg) {
    return QIcon(new SvgIconEngine(svg, smallSvg));
}

}  // namespace quorvela::runtime
