#include "window/formula_controls.h"

#include "window/frmQuorvela.h"
#include "window/utf8.h"

namespace quorvela {

std::string FormulaControls::GiriText() const { return Utf8(form_.cboGiri->Text()); }
std::string FormulaControls::ColpiText() const { return Utf8(form_.cboColpi->Text()); }
std::string FormulaControls::PortataText() const { return Utf8(form_.txtPortata->Text()); }
std::string FormulaControls::QuorvelaText() const {
    return Utf8(form_.txtQuorvela->Text());
}

void FormulaControls::SetStrokeTimeToolTip(const std::string& text) {
    form_.lblDescrizione(2).SetToolTipText(QString::fromStdString(text));
}

void FormulaControls::SetImageToolTip(const std::string& text) {
    form_.Image1->SetToolTipText(QString::fromStdString(text));
}

}  // namespace quorvela
