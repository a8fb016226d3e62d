#pragma once

// Layout units and colour values of the window code.

#include <cmath>
#include <cstdint>

namespace quorvela::runtime {

// 1440 twips to the inch, 15 to a pixel at 96 dots per inch. The layout's twips to whole pixels,
// cut toward zero as its pixel figures are (7575 twips: 505 px at 96 dpi, 757 px at 144 dpi).
[[nodiscard]] constexpr int TwipsToPixels(int twips, int pixelsPerInch = 96) noexcept {
    return twips * pixelsPerInch / 1440;
}

// The window code's positions and sizes are single-precision twips; on
// screens of any density they go to whole pixels by rounding.
[[nodiscard]] inline float PixelsToTwips(int pixels, int pixelsPerInch) noexcept {
    return static_cast<float>(pixels) * 1440.0F / static_cast<float>(pixelsPerInch);
}
[[nodiscard]] inline int TwipsToWholePixels(float twips, int pixelsPerInch) noexcept {
    return static_cast<int>(std::lround(static_cast<double>(twips) * pixelsPerInch / 1440.0));
}

// Colours are 0x00BBGGRR; with the top bit set the low byte names a system
// colour (0x80000012: button text).
using OleColor = std::uint32_t;
inline constexpr OleColor SystemColorFlag = 0x80000000U;
inline constexpr OleColor ColorButtonText = 0x80000012U;

}  // namespace quorvela::runtime
