#pragma once

// What the window must show after the calculate command, a pick in either
// combo box or a change of mode, computed from the texts alone. Written apart
// from calc/ and from any toolkit: its own reading of number texts, its own
// rounding (ties judged on the exact binary value), its own figures, so that
// a fault in the program's arithmetic cannot hide in the tests' arithmetic.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvela::oracle {

// A number text as the window reads it: blanks around, a sign, digits with at
// most one decimal comma, an exponent.
[[nodiscard]] bool IsNumber(std::string_view text);

// A single as the window writes it: 7 significant digits, decimal comma, no
// trailing zeros, "0" for zero of either sign, exponent form "1,66665E+07".
[[nodiscard]] std::string Figure(float value);

// x rounded to `decimals` places, an exact tie to the even digit, kept as a
// single; nothing when the result lies beyond the single range.
[[nodiscard]] std::optional<float> Rounded(double x, int decimals);

// The three formulas on numbers; nothing when they raise a run-time error.
[[nodiscard]] std::optional<float> TempoColpi(std::int16_t giri, std::int16_t colpi);
[[nodiscard]] std::optional<float> PortataOraria(std::int32_t portata, std::int32_t giri,
                                                 std::int32_t colpi);
[[nodiscard]] std::optional<float> VolumeColpi(float litriOra, std::int32_t giri,
                                               std::int32_t colpi);

// The texts the calculation reads and writes, and the mode.
struct Window {
    bool volumeMode = false;  // "ottieni cm³"; the flow mode otherwise
    std::string giri;         // cboGiri
    std::string colpi;        // cboColpi
    std::string portata;      // txtPortata
    std::string quorvela;     // txtQuorvela
    std::string litriMinuto;  // txtLitriMinuto
    std::string tempo;        // the stroke-time label's caption
    std::string tempoTip;     // its tooltip
    std::string imageTip;     // the picture's tooltip

    bool operator==(const Window&) const = default;
};

// Where a run of the calculate command ended.
enum class Stop {
    SpeedWarning,  // the speed is no number: the warning, then the focus to cboGiri
    NoStrokes,     // the stroke count is no number: the focus to cboColpi
    EmptyInput,    // the mode's input is empty: the focus to it
    Calculated,    // the stroke time and the mode's results were written
};

struct Outcome {
    Window window;
    std::optional<Stop> calculation;  // nothing when the command did not run
};

// The calculate command (the button, Enter in an input box).
[[nodiscard]] Outcome Calculate(const Window& before);

enum class Combo { Giri, Colpi };

// A pick of `item` in a combo box: the stroke time, then the calculate
// command (for the stroke count only when the stroke time could be shown).
[[nodiscard]] Outcome Pick(const Window& before, Combo combo, const std::string& item);

// The focus entering the input box of the volume mode (txtQuorvela) or of
// the flow mode (txtPortata): the mode follows, emptying the mode's results.
[[nodiscard]] Window EnterInput(const Window& before, bool volumeMode);

}  // namespace quorvela::oracle
