#include "calc/formulas.h"

#include "calc/conversions.h"

namespace quorvela {
namespace {

// Stroke batches per minute, held as a single.
float ratio(double giri, double colpi) {
    return ToSingle(Divide(giri, colpi));
}

}  // namespace

float TempoColpi(std::int16_t giri, std::int16_t colpi) {
    const float rapporto = ratio(giri, colpi);
    const float tempo = ToSingle(Divide(60.0F, rapporto));
    return RoundDecimals(tempo, 1);
}

float PortataOraria(std::int32_t portata, std::int32_t giri, std::int32_t colpi) {
    const float rapporto = ratio(giri, colpi);
    // The constants are double here, single in the other two formulas.
    const double litri = Divide(Multiply(Multiply(rapporto, portata), 60.0), 1000.0);
    return RoundDecimals(ToSingle(litri), 1);
}

float VolumeColpi(float litriOra, std::int32_t giri, std::int32_t colpi) {
    const float rapporto = ratio(giri, colpi);
    const double volume = Divide(Divide(Multiply(litriOra, 1000.0F), 60.0F), rapporto);
    return RoundDecimals(ToSingle(volume), 1);
}

}  // namespace quorvela
