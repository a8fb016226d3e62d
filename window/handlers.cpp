// Mode selection, focus, keystrokes and combo-box picks.

#include "calc/conversions.h"
#include "calc/formulas.h"
#include "runtime/error_modes.h"
#include "window/frmQuorvela.h"

namespace quorvela {
namespace {

using runtime::SkipOnError;

constexpr runtime::OleColor Red = 0x000000FFU;

}  // namespace

std::string frmQuorvela::DescrizioneTempo(float secondi) const {
    const std::string giri = cboGiri.Text();
    const std::string colpi = cboColpi.Text();
    return "a " + giri + " giri, " + colpi + " colpi si ottengono in " + SingleToText(secondi) +
           " secondi";
}

void frmQuorvela::MostraTempoColpi() {
    const std::string giriTesto = cboGiri.Text();
    const std::string colpiTesto = cboColpi.Text();
    runtime::Label& etichetta = lblDescrizione(2);
    const std::int16_t colpi = TextToInt16(colpiTesto);
    const std::int16_t giri = TextToInt16(giriTesto);
    const float secondi = TempoColpi(giri, colpi);
    // Each tooltip reads the combo texts afresh, the label's first.
    etichetta.SetToolTipText(DescrizioneTempo(secondi));
    Image1.SetToolTipText(DescrizioneTempo(secondi));
    etichetta.SetCaption(SingleToText(secondi) + " secondi");
}

void frmQuorvela::optScelta_Click(std::int16_t& Index) {
    using runtime::ColorButtonText;
    // Each step on its own: a refused focus move (the window still hidden)
    // leaves the emphasis and the emptied box in place.
    if (Index == 0) {
        SkipOnError([&] { optScelta(0).SetForeColor(Red); });
        SkipOnError([&] { optScelta(0).SetFontBold(true); });
        SkipOnError([&] { optScelta(1).SetForeColor(ColorButtonText); });
        SkipOnError([&] { optScelta(1).SetFontBold(false); });
        SkipOnError([&] { lblDescrizione(3).SetFontBold(true); });
        SkipOnError([&] { lblDescrizione(4).SetFontBold(false); });
        SkipOnError([&] { txtPortata.SetText(""); });
        SkipOnError([&] { txtQuorvela.SetFocus(); });
    } else if (Index == 1) {
        SkipOnError([&] { optScelta(1).SetForeColor(Red); });
        SkipOnError([&] { optScelta(1).SetFontBold(true); });
        SkipOnError([&] { optScelta(0).SetForeColor(ColorButtonText); });
        SkipOnError([&] { optScelta(0).SetFontBold(false); });
        SkipOnError([&] { lblDescrizione(3).SetFontBold(false); });
        SkipOnError([&] { lblDescrizione(4).SetFontBold(true); });
        SkipOnError([&] { txtQuorvela.SetText(""); });
        SkipOnError([&] { txtLitriMinuto.SetText(""); });
        SkipOnError([&] { txtPortata.SetFocus(); });
    }
}

void frmQuorvela::txtQuorvela_GotFocus() {
    txtQuorvela.SetSelStart(0);
    txtQuorvela.SetSelLength(static_cast<int>(txtQuorvela.Text().size()));
    optScelta(0).SetValue(true);
}

void frmQuorvela::txtPortata_GotFocus() {
    txtPortata.SetSelStart(0);
    txtPortata.SetSelLength(static_cast<int>(txtPortata.Text().size()));
    optScelta(1).SetValue(true);
}

void frmQuorvela::FiltraTasto(std::int16_t& KeyAscii) {
    if (KeyAscii >= '0' && KeyAscii <= '9') {
        return;
    }
    if (KeyAscii == '.') {
        KeyAscii = ',';
    } else if (KeyAscii == 8 || KeyAscii == ',') {
        return;
    } else if (KeyAscii == 13) {
        cmdCalcola_Click();
        KeyAscii = 0;
    } else {
        KeyAscii = 0;
    }
}

void frmQuorvela::txtQuorvela_KeyPress(std::int16_t& KeyAscii) {
    FiltraTasto(KeyAscii);
}

void frmQuorvela::txtPortata_KeyPress(std::int16_t& KeyAscii) {
    FiltraTasto(KeyAscii);
}

void frmQuorvela::cboGiri_Click() {
    SkipOnError([&] { MostraTempoColpi(); });
    cmdCalcola_Click();
}

void frmQuorvela::cboColpi_Click() {
    runtime::LeaveOnError([&] {
        MostraTempoColpi();
        cmdCalcola_Click();
    });
}

}  // namespace quorvela
