#pragma once

// The program's one window: speed and stroke count above, the volume, the
// litres per hour and per minute below, the two modes and the calculate
// command.

#include <cstdint>
#include <string>

#include "runtime/controls.h"
#include "runtime/form.h"
#include "runtime/layout.h"

namespace quorvela {

class frmQuorvela : public runtime::Form {
public:
    frmQuorvela();

    // The window and its controls, as data.
    [[nodiscard]] static const runtime::FormLayout& Layout();

    void Form_Load();
    void cmdCalcola_Click();
    void optScelta_Click(std::int16_t& Index);
    void txtQuorvela_GotFocus();
    void txtPortata_GotFocus();
    void txtQuorvela_KeyPress(std::int16_t& KeyAscii);
    void txtPortata_KeyPress(std::int16_t& KeyAscii);
    void cboGiri_Click();
    void cboColpi_Click();

    // The controls the code reaches, by their names.
    runtime::ComboBox cboGiri{*this, "cboGiri"};
    runtime::ComboBox cboColpi{*this, "cboColpi"};
    runtime::Image Image1{*this, "Image1"};
    runtime::TextBox txtPortata{*this, "txtPortata"};
    runtime::TextBox txtQuorvela{*this, "txtQuorvela"};
    runtime::TextBox txtLitriMinuto{*this, "txtLitriMinuto"};
    runtime::CommandButton cmdCalcola{*this, "cmdCalcola"};
    runtime::ControlArray<runtime::OptionButton> optScelta{*this, "optScelta", 2};
    runtime::ControlArray<runtime::Label> lblDescrizione{*this, "lblDescrizione", 6};

private:
    // Shows in the stroke-time label how long the strokes take at the speed,
    // with the description on its tooltip and on Image1's.
    void MostraTempoColpi();
    // "a 1000 giri, 200 colpi si ottengono in 12 secondi", from the combo
    // texts as they stand, the speed read first.
    [[nodiscard]] std::string DescrizioneTempo(float secondi) const;
    // The keystroke filter of the two input boxes.
    void FiltraTasto(std::int16_t& KeyAscii);
};

}  // namespace quorvela
