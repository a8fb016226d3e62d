#pragma once

// Layout units and colour values of the window code.

#include <cstdint>

namespace quorvela::runtime {

// 1440 twips to the inch, 15 to a pixel at 96 dots per inch; a backend
// scales the pixels to the screen's density.
inline constexpr int TwipsPerPixel = 15;

[[nodiscard]] constexpr int TwipsToPixels(int twips) noexcept {
    return twips / TwipsPerPixel;
}
[[nodiscard]] constexpr int PixelsToTwips(int pixels) noexcept {
    return pixels * TwipsPerPixel;
}

// Colours are 0x00BBGGRR; with the top bit set the low byte names a system
// colour (0x80000012: button text).
using OleColor = std::uint32_t;
inline constexpr OleColor SystemColorFlag = 0x80000000U;
inline constexpr OleColor ColorButtonText = 0x80000012U;

}  // namespace quorvela::runtime
