#pragma once

#include <QMargins>
#include <QWidget>

#include <optional>

namespace quorvela::runtime {

// The frame the window system will draw around `window` once it is shown:
// no margins where there is no frame, empty where it cannot be known before.
[[nodiscard]] std::optional<QMargins> FrameBeforeShow(QWidget& window);

}  // namespace quorvela::runtime
