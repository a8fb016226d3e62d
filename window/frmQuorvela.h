#pragma once

// The program's one window: speed and stroke count above, the volume, the
// litres per hour and per minute below, the two modes and the calculate
// command.

#include <QString>

#include <cstdint>
#include <memory>

#include "runtime/controls.h"
#include "runtime/form.h"

namespace quorvela {

class FormulaControls;

class frmQuorvela : public runtime::Form {
public:
    frmQuorvela();
    ~frmQuorvela() override;
    frmQuorvela(const frmQuorvela&) = delete;
    frmQuorvela& operator=(const frmQuorvela&) = delete;
    frmQuorvela(frmQuorvela&&) = delete;
    frmQuorvela& operator=(frmQuorvela&&) = delete;

    // The caption the window carries from creation on.
    [[nodiscard]] static QString CaptionText();

    void Form_Load() override;
    void cmdCalcola_Click();
    void optScelta_Click(std::int16_t& Index);
    void txtQuorvela_GotFocus();
    void txtPortata_GotFocus();
    void txtQuorvela_KeyPress(std::int16_t& KeyAscii);
    void txtPortata_KeyPress(std::int16_t& KeyAscii);
    void cboGiri_Click();
    void cboColpi_Click();

    // Controls, by their names; Qt owns them through the widget tree.
    runtime::Frame* Frame1 = nullptr;
    runtime::Shape* Shape1 = nullptr;
    runtime::Shape* Shape2 = nullptr;
    runtime::ComboBox* cboGiri = nullptr;
    runtime::ComboBox* cboColpi = nullptr;
    runtime::Image* Image1 = nullptr;
    runtime::TextBox* txtPortata = nullptr;
    runtime::TextBox* txtQuorvela = nullptr;
    runtime::TextBox* txtLitriMinuto = nullptr;
    runtime::CommandButton* cmdCalcola = nullptr;
    runtime::ControlArray<runtime::OptionButton> optScelta;
    runtime::ControlArray<runtime::Label> lblDescrizione;

private:
    void createControls();
    void connectHandlers();
    // Shows in the stroke-time label how long the strokes take at the speed.
    void MostraTempoColpi();
    // The keystroke filter of the two input boxes.
    void FiltraTasto(std::int16_t& KeyAscii);

    std::unique_ptr<FormulaControls> formule_;
};

}  // namespace quorvela
