#pragma once

// The three flow formulas, as functions of numbers. All start from the same
// ratio, speed over strokes: the batches of strokes a minute, held as a
// single. The callers read the window's texts and write its results.

#include <cstdint>

namespace quorvela {

// Seconds the strokes take at the speed, rounded to one decimal.
[[nodiscard]] float TempoColpi(std::int16_t giri, std::int16_t colpi);

// Litres per hour from the volume collected over the strokes, in whole cm³;
// rounded to one decimal.
[[nodiscard]] float PortataOraria(std::int32_t portata, std::int32_t giri, std::int32_t colpi);

// cm³ to collect over the strokes for the litres per hour; rounded to one
// decimal.
[[nodiscard]] float VolumeColpi(float litriOra, std::int32_t giri, std::int32_t colpi);

}  // namespace quorvela
