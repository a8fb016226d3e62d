#pragma once

// The three flow formulas. They read the combo and input texts and write the
// stroke-time tooltips through FormulaWindow, in a fixed order, so that an
// error part-way leaves the earlier writes in place.

#include <cstdint>
#include <string>

namespace quorvela {

// What the formulas see of the window. Texts are UTF-8.
class FormulaWindow {
public:
    virtual ~FormulaWindow() = default;

    [[nodiscard]] virtual std::string GiriText() const = 0;      // cboGiri
    [[nodiscard]] virtual std::string ColpiText() const = 0;     // cboColpi
    [[nodiscard]] virtual std::string PortataText() const = 0;   // txtPortata
    [[nodiscard]] virtual std::string QuorvelaText() const = 0;  // txtQuorvela
    virtual void SetStrokeTimeToolTip(const std::string& text) = 0;  // lblDescrizione(2)
    virtual void SetImageToolTip(const std::string& text) = 0;       // Image1

protected:
    FormulaWindow() = default;
    FormulaWindow(const FormulaWindow&) = default;
    FormulaWindow& operator=(const FormulaWindow&) = default;
    FormulaWindow(FormulaWindow&&) = default;
    FormulaWindow& operator=(FormulaWindow&&) = default;
};

// Seconds the strokes take, rounded to one decimal; sets both tooltips to
// "a <giri> giri, <colpi> colpi si ottengono in <seconds> secondi".
float TempoColpi(FormulaWindow& window, std::int16_t& giri, std::int16_t& colpi);

// Litres per hour, rounded to one decimal. The volume argument is replaced by
// the text of txtPortata, rounded to whole cm³ (half to even).
float PortataOraria(FormulaWindow& window, std::int32_t& portata, std::int32_t& giri,
                    std::int32_t& colpi);

// cm³ over the strokes, rounded to one decimal. The litres-per-hour argument
// is replaced by the text of txtQuorvela, decimals included.
float VolumeColpi(FormulaWindow& window, float& litriOra, std::int32_t& giri,
                  std::int32_t& colpi);

}  // namespace quorvela
