#include "calc/formulas.h"

#include "calc/conversions.h"

namespace quorvela {
namespace {

// Stroke batches per minute, held as a single.
float ratio(double giri, double colpi) { return ToSingle(Divide(giri, colpi)); }

std::string description(const FormulaWindow& window, float seconds) {
    // Two statements: inside one expression the order of the reads would be
    // unspecified, and the window sees giri read before colpi.
    const std::string giri = window.GiriText();
    const std::string colpi = window.ColpiText();
    return "a " + giri + " giri, " + colpi + " colpi si ottengono in " + SingleToText(seconds) +
           " secondi";
}

}  // namespace

float TempoColpi(FormulaWindow& window, std::int16_t& giri, std::int16_t& colpi) {
    const float rapporto = ratio(giri, colpi);
    const float tempo = ToSingle(Divide(60.0F, rapporto));
    const float secondi = RoundDecimals(tempo, 1);
    window.SetStrokeTimeToolTip(description(window, secondi));
    window.SetImageToolTip(description(window, secondi));
    return secondi;
}

float PortataOraria(FormulaWindow& window, std::int32_t& portata, std::int32_t& giri,
                    std::int32_t& colpi) {
    const float rapporto = ratio(giri, colpi);
    // The volume is read again from its box, in whole cm³.
    portata = TextToInt32(window.PortataText());
    const double litri = Divide(Multiply(Multiply(rapporto, portata), 60.0), 1000.0);
    return RoundDecimals(ToSingle(litri), 1);
}

float VolumeColpi(FormulaWindow& window, float& litriOra, std::int32_t& giri,
                  std::int32_t& colpi) {
    const float rapporto = ratio(giri, colpi);
    litriOra = TextToSingle(window.QuorvelaText());
    const double volume =
        Divide(Divide(Multiply(litriOra, 1000.0F), 60.0F), rapporto);
    return RoundDecimals(ToSingle(volume), 1);
}

}  // namespace quorvela
