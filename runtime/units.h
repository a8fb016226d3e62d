#pragma once

// Layout units and colour values of the window code.

#include <QColor>
#include <QPalette>
#include <QRect>

#include <cstdint>

class QWidget;

namespace quorvela::runtime {

// 1440 twips to the inch, 96 logical pixels to the inch. Qt's high-DPI
// scaling maps logical pixels to the device.
inline constexpr int TwipsPerPixel = 15;

[[nodiscard]] constexpr int TwipsToPixels(int twips) noexcept { return twips / TwipsPerPixel; }
[[nodiscard]] constexpr int PixelsToTwips(int pixels) noexcept { return pixels * TwipsPerPixel; }
[[nodiscard]] constexpr QRect TwipsRect(int left, int top, int width, int height) noexcept {
    return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

// Colours are 0x00BBGGRR; with the top bit set the low byte names a system
// colour (0x80000012: button text).
using OleColor = std::uint32_t;
inline constexpr OleColor SystemColorFlag = 0x80000000U;
inline constexpr OleColor ColorButtonText = 0x80000012U;

// The palette role a system colour index stands for.
[[nodiscard]] QPalette::ColorRole SystemColorRole(unsigned index) noexcept;

// The colour a value shows on `widget`, system colours taken from the style's
// palette for that kind of widget.
[[nodiscard]] QColor ToQColor(OleColor value, const QWidget* widget);

}  // namespace quorvela::runtime
