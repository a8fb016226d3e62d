// Mode selection, focus, keystrokes and combo-box picks.

#include "calc/conversions.h"
#include "calc/formulas.h"
#include "runtime/error_modes.h"
#include "window/formula_controls.h"
#include "window/frmQuorvela.h"
#include "window/utf8.h"

namespace quorvela {
namespace {

constexpr runtime::OleColor Red = 0x000000FFU;

}  // namespace

void frmQuorvela::MostraTempoColpi() {
    const std::string giriTesto = Utf8(cboGiri->Text());
    const std::string colpiTesto = Utf8(cboColpi->Text());
    runtime::Label& etichetta = lblDescrizione(2);
    std::int16_t colpi = TextToInt16(colpiTesto);
    std::int16_t giri = TextToInt16(giriTesto);
    const float secondi = TempoColpi(*formule_, giri, colpi);
    etichetta.SetCaption(QString::fromStdString(SingleToText(secondi)) +
                         QStringLiteral(" secondi"));
}

void frmQuorvela::optScelta_Click(std::int16_t& Index) {
    using runtime::ColorButtonText;
    if (Index == 0) {
        runtime::SkipErrors({
            [&] { optScelta(0).SetForeColor(Red); },
            [&] { optScelta(0).SetFontBold(true); },
            [&] { optScelta(1).SetForeColor(ColorButtonText); },
            [&] { optScelta(1).SetFontBold(false); },
            [&] { lblDescrizione(3).SetFontBold(true); },
            [&] { lblDescrizione(4).SetFontBold(false); },
            [&] { txtPortata->SetText(QString()); },
            [&] { txtQuorvela->SetFocus(); },
        });
    } else if (Index == 1) {
        runtime::SkipErrors({
            [&] { optScelta(1).SetForeColor(Red); },
            [&] { optScelta(1).SetFontBold(true); },
            [&] { optScelta(0).SetForeColor(ColorButtonText); },
            [&] { optScelta(0).SetFontBold(false); },
            [&] { lblDescrizione(3).SetFontBold(false); },
            [&] { lblDescrizione(4).SetFontBold(true); },
            [&] { txtQuorvela->SetText(QString()); },
            [&] { txtLitriMinuto->SetText(QString()); },
            [&] { txtPortata->SetFocus(); },
        });
    }
}

void frmQuorvela::txtQuorvela_GotFocus() {
    txtQuorvela->SetSelStart(0);
    txtQuorvela->SetSelLength(static_cast<int>(txtQuorvela->Text().size()));
    optScelta(0).SetValue(true);
}

void frmQuorvela::txtPortata_GotFocus() {
    txtPortata->SetSelStart(0);
    txtPortata->SetSelLength(static_cast<int>(txtPortata->Text().size()));
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

void frmQuorvela::txtQuorvela_KeyPress(std::int16_t& KeyAscii) { FiltraTasto(KeyAscii); }

void frmQuorvela::txtPortata_KeyPress(std::int16_t& KeyAscii) { FiltraTasto(KeyAscii); }

void frmQuorvela::cboGiri_Click() {
    runtime::SkipOnError([&] { MostraTempoColpi(); });
    cmdCalcola_Click();
}

void frmQuorvela::cboColpi_Click() {
    runtime::LeaveOnError([&] {
        MostraTempoColpi();
        cmdCalcola_Click();
    });
}

}  // namespace quorvela
