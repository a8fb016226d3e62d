// The calculate command: checks the speed, the stroke count and the input of
// the selected mode, shows the stroke time, then the results of the mode.

#include <array>
#include <optional>

#include "calc/conversions.h"
#include "calc/formulas.h"
#include "runtime/error_modes.h"
#include "window/formula_controls.h"
#include "window/frmQuorvela.h"
#include "window/utf8.h"

namespace quorvela {
namespace {

std::string utf8(const QString& text) { return Utf8(text); }

QString shown(float value) { return QString::fromStdString(SingleToText(value)); }

// A result that could not be computed empties its box rather than showing
// '0' or the figure of an earlier run.
QString shown(const std::optional<float>& value) { return value ? shown(*value) : QString(); }

}  // namespace

void frmQuorvela::cmdCalcola_Click() {
    using runtime::Units;
    constexpr int Next = Units::NextUnit;
    constexpr int End = Units::EndRun;

    std::optional<float> portataOraria;  // litres per hour, flow mode
    std::optional<float> litriMinuto;    // litres per minute, both modes

    const std::array<Units::Unit, 28> units{
        // 1-4: the speed must be a number.
        [&] { return IsNumericText(utf8(cboGiri->Text())) ? 5 : 2; },
        [&] {
            runtime::MsgBox(QStringLiteral("Introduci un valore di 'giri' "), 48,
                            QStringLiteral("Introdurre un valore"));
            return Next;
        },
        [&] { cboGiri->SetFocus(); return Next; },
        [&] { return End; },
        // 5-7: so must the stroke count, without a message.
        [&] { return IsNumericText(utf8(cboColpi->Text())) ? 8 : 6; },
        [&] { cboColpi->SetFocus(); return Next; },
        [&] { return End; },
        // 8-12: volume mode needs the litres per hour.
        [&] { return optScelta(0).Value() ? 9 : 13; },
        [&] { return txtQuorvela->Text() == QString() ? 10 : 13; },
        [&] { runtime::DoEvents(); return Next; },
        [&] { txtQuorvela->SetFocus(); return Next; },
        [&] { return End; },
        // 13-17: flow mode needs the volume.
        [&] { return optScelta(1).Value() ? 14 : 18; },
        [&] { return txtPortata->Text() == QString() ? 15 : 18; },
        [&] { runtime::DoEvents(); return Next; },
        [&] { txtPortata->SetFocus(); return Next; },
        [&] { return End; },
        // 18: the stroke time.
        [&] { MostraTempoColpi(); return Next; },
        // 19-22: volume mode, cm³ from the litres per hour.
        [&] { return optScelta(0).Value() ? 20 : 23; },
        [&] {
            const std::string litri = utf8(txtQuorvela->Text());
            const std::string giriTesto = utf8(cboGiri->Text());
            const std::string colpiTesto = utf8(cboColpi->Text());
            txtPortata->SetText(QString());
            std::int32_t colpi = TextToInt32(colpiTesto);
            std::int32_t giri = TextToInt32(giriTesto);
            float litriOra = TextToSingle(litri);
            const float volume = VolumeColpi(*formule_, litriOra, giri, colpi);
            txtPortata->SetText(shown(volume));
            return Next;
        },
        [&] {
            // From the litres per hour rounded to a whole number.
            const double quoziente = Divide(TextToInt32(utf8(txtQuorvela->Text())), 60.0);
            litriMinuto = RoundDecimals(quoziente, 2);
            return Next;
        },
        [&] { txtLitriMinuto->SetText(shown(litriMinuto)); return Next; },
        // 23-28: flow mode, litres per hour from the volume.
        [&] { return optScelta(1).Value() ? 24 : End; },
        [&] {
            const std::string volumeTesto = utf8(txtPortata->Text());
            const std::string giriTesto = utf8(cboGiri->Text());
            const std::string colpiTesto = utf8(cboColpi->Text());
            std::int32_t colpi = TextToInt32(colpiTesto);
            std::int32_t giri = TextToInt32(giriTesto);
            std::int32_t portata = TextToInt32(volumeTesto);
            portataOraria = PortataOraria(*formule_, portata, giri, colpi);
            return Next;
        },
        [&] {
            if (portataOraria) {
                litriMinuto = RoundDecimals(ToSingle(Divide(*portataOraria, 60.0F)), 2);
            }
            return Next;
        },
        [&] { txtQuorvela->SetText(shown(portataOraria)); return Next; },
        [&] { txtLitriMinuto->SetText(shown(litriMinuto)); return Next; },
        [&] { return End; },
    };
    Units::Run(units);
}

}  // namespace quorvela
