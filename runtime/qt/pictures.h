#pragma once

// Pictures drawn from their vector sources for the screen's pixel ratio, so
// that they stay as sharp as the text beside them at any scale.

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace quorvela::runtime {

// `logical` pixels drawn with `devicePixelRatio` device pixels to each.
[[nodiscard]] QPixmap RenderPicture(const QString& svg, QSize logical, qreal devicePixelRatio);

// An icon of 16, 32 and 64 pixels, drawn when asked for at the size asked
// (any screen's ratio); `smallSvg` is drawn for 16 pixels and below.
[[nodiscard]] QIcon SvgIcon(const QString& svg, const QString& smallSvg);

}  // namespace quorvela::runtime
