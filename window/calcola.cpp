// The calculate command: checks the speed, the stroke count and the input of
// the selected mode, shows the stroke time, then the results of the mode.

#include <optional>
#include <string>

#include "calc/conversions.h"
#include "calc/formulas.h"
#include "runtime/error_modes.h"
#include "window/frmQuorvela.h"

namespace quorvela {
namespace {

using runtime::SkipOnError;

// A figure that could not be computed empties its box rather than showing
// '0' or the figure of an earlier run.
std::string shown(const std::optional<float>& value) {
    return value ? SingleToText(*value) : std::string();
}

}  // namespace

void frmQuorvela::cmdCalcola_Click() {
    // Every statement that can raise is skipped on its own error and the run
    // goes on with the next. The tests cannot raise (reading a text or an
    // option never fails and IsNumericText answers rather than raises), so
    // they are plain conditions. A typed input that is no number is ordinary,
    // not exceptional: a statement converting it asks IsNumericText first and
    // ends there, as the conversion's error would end it, without the cost of
    // raising one.
    std::optional<float> volume;         // cm³, volume mode
    std::optional<float> portataOraria;  // litres per hour, flow mode
    std::optional<float> litriMinuto;    // litres per minute, both modes

    if (!IsNumericText(cboGiri.Text())) {
        SkipOnError(
            [] { runtime::MsgBox("Introduci un valore di 'giri' ", 48, "Introdurre un valore"); });
        SkipOnError([&] { cboGiri.SetFocus(); });
        return;
    }
    if (!IsNumericText(cboColpi.Text())) {
        // No message for the stroke count.
        SkipOnError([&] { cboColpi.SetFocus(); });
        return;
    }
    if (optScelta(0).Value() && txtQuorvela.Text().empty()) {
        SkipOnError([] { runtime::DoEvents(); });
        SkipOnError([&] { txtQuorvela.SetFocus(); });
        return;
    }
    if (optScelta(1).Value() && txtPortata.Text().empty()) {
        SkipOnError([] { runtime::DoEvents(); });
        SkipOnError([&] { txtPortata.SetFocus(); });
        return;
    }

    SkipOnError([&] { MostraTempoColpi(); });

    if (optScelta(0).Value()) {
        // cm³ from the litres per hour, decimals included.
        SkipOnError([&] {
            const std::string litriTesto = txtQuorvela.Text();
            const std::string giriTesto = cboGiri.Text();
            const std::string colpiTesto = cboColpi.Text();
            const std::int32_t colpi = TextToInt32(colpiTesto);
            const std::int32_t giri = TextToInt32(giriTesto);
            if (!IsNumericText(litriTesto)) {
                return;
            }
            const float litriOra = TextToSingle(litriTesto);
            volume = VolumeColpi(litriOra, giri, colpi);
        });
        // Written once the figure is known, not emptied first: each change of
        // a box's text costs a new layout of it.
        SkipOnError([&] { txtPortata.SetText(shown(volume)); });
        // The litres per minute from the litres per hour rounded to a whole number.
        SkipOnError([&] {
            const std::string litriTesto = txtQuorvela.Text();
            if (!IsNumericText(litriTesto)) {
                return;
            }
            const double quoziente = Divide(TextToInt32(litriTesto), 60.0);
            litriMinuto = RoundDecimals(quoziente, 2);
        });
        SkipOnError([&] { txtLitriMinuto.SetText(shown(litriMinuto)); });
    }

    if (optScelta(1).Value()) {
        // Litres per hour from the volume in whole cm³.
        SkipOnError([&] {
            const std::string volumeTesto = txtPortata.Text();
            const std::string giriTesto = cboGiri.Text();
            const std::string colpiTesto = cboColpi.Text();
            const std::int32_t colpi = TextToInt32(colpiTesto);
            const std::int32_t giri = TextToInt32(giriTesto);
            if (!IsNumericText(volumeTesto)) {
                return;
            }
            const std::int32_t portata = TextToInt32(volumeTesto);
            portataOraria = PortataOraria(portata, giri, colpi);
        });
        SkipOnError([&] {
            if (portataOraria) {
                litriMinuto = RoundDecimals(ToSingle(Divide(*portataOraria, 60.0F)), 2);
            }
        });
        SkipOnError([&] { txtQuorvela.SetText(shown(portataOraria)); });
        SkipOnError([&] { txtLitriMinuto.SetText(shown(litriMinuto)); });
    }
}

}  // namespace quorvela
