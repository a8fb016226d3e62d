#pragma once

#include "calc/formulas.h"

namespace quorvela {

class frmQuorvela;

// The controls of the window as the flow formulas see them.
class FormulaControls final : public FormulaWindow {
public:
    explicit FormulaControls(frmQuorvela& form) : form_(form) {}

    [[nodiscard]] std::string GiriText() const override;
    [[nodiscard]] std::string ColpiText() const override;
    [[nodiscard]] std::string PortataText() const override;
    [[nodiscard]] std::string QuorvelaText() const override;
    void SetStrokeTimeToolTip(const std::string& text) override;
    void SetImageToolTip(const std::string& text) override;

private:
    frmQuorvela& form_;
};

}  // namespace quorvela
