// What must hold after every action of a session, whatever the user did:
// the figures the watch compared after each input event, no box but the
// speed warning, no error reaching the runtime, no list left open, the
// window active, the emphasis of the mode.

#include <string_view>
#include <utility>

#include "session.h"

namespace quorvela::test {

std::vector<std::string> Session::Check() {
    std::vector<std::string> failures = std::exchange(failures_, {});
    if (terminations_ > 0) {
        failures.emplace_back("a run-time error reached the runtime");
        terminations_ = 0;
    }
    for (const std::string_view combo : ComboBoxes) {
        if (window_.ListOpen(combo)) {
            failures.push_back("the list of " + std::string(combo) + " is still open");
        }
    }
    // A window left inactive would take no more keys, and the session would
    // go on quietly proving less than it should.
    if (!window_.Active()) {
        failures.emplace_back("the window is not active");
    } else if (window_.Focused().empty()) {
        failures.emplace_back("no control of the window has the focus");
    }
    checkModeAndFocus(failures);
    return failures;
}

void Session::checkModeAndFocus(std::vector<std::string>& failures) const {
    const bool volume = window_.Checked("optScelta(0)");
    const bool flow = window_.Checked("optScelta(1)");
    if (volume == flow) {
        failures.push_back(std::to_string(volume ? 2 : 0) + " options are selected");
        return;
    }
    constexpr runtime::OleColor Red = 0x000000FFU;
    const std::string_view chosen = volume ? "optScelta(0)" : "optScelta(1)";
    const std::string_view other = volume ? "optScelta(1)" : "optScelta(0)";
    if (window_.ForeColor(chosen) != Red || !window_.Bold(chosen)) {
        failures.emplace_back("the selected option is not red and bold");
    }
    if (window_.ForeColor(other) != window_.SystemColor(runtime::ColorButtonText) ||
        window_.Bold(other)) {
        failures.emplace_back("the other option is not plain");
    }
    if (window_.Bold("lblDescrizione(3)") != volume || window_.Bold("lblDescrizione(4)") != flow) {
        failures.emplace_back("the bold caption is not the one above the result");
    }
    const std::string focus = window_.Focused();
    if (focus == "txtQuorvela" && !volume) {
        failures.emplace_back("the focus is in txtQuorvela outside the volume mode");
    }
    if (focus == "txtPortata" && !flow) {
        failures.emplace_back("the focus is in txtPortata outside the flow mode");
    }
}

}  // namespace quorvela::test
