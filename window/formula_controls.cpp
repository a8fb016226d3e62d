#include "window/formula_controls.h"

#include "window/frmQuorvela.h"

namespace quorvela {

std::string FormulaControls::GiriText() const { return form_.cboGiri->Text().toStdString(); }
std::string FormulaControls::ColpiText() const { return form_.cboColpi->Text().toStdString(); }
std::string FormulaControls::PortataText() const { return form_.txtPortata->Text().toStdString(); }
std::string FormulaControls::QuorvelaText() const {
    return form_.txtQuorvela->Text().toStdString();
}

void FormulaControls::SetStrokeTimeToolTip(const std::string& text) {
    form_.lblDescrizione(2).SetToolTipText(QString::fromStdString(text));
}

void FormulaControls::SetImageToolTip(const std::string& text) {
    form_.Image1->SetToolTipText(QString::fromStdString(text));
}

}  // namespace quorvela
