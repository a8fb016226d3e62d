#pragma once

// The base of the window suites: a started window per test, driven through
// the Driver, and the steps many tests share. A message box the test did not
// announce fails it.

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "driver.h"

namespace quorvela::test {

class WindowTest : public ::testing::Test {
protected:
    void TearDown() override;

    // The mode chosen with a click on its option, as a user chooses it: the
    // focus lands in the mode's input box.
    void ChooseMode(bool volumeMode);
    // The mode's input box: txtQuorvela for the volume mode, txtPortata for the flow mode.
    [[nodiscard]] static std::string_view InputOf(bool volumeMode);
    [[nodiscard]] static std::string_view ResultOf(bool volumeMode);
    // Types `text` over the whole text of the mode's input and presses Enter.
    void Calculate(bool volumeMode, std::string_view text);

    // The chosen mode red and bold, the other plain, the caption above the
    // mode's result bold.
    void ExpectEmphasis(bool volumeMode) const;
    // The focus in `box` with its whole text selected.
    void ExpectWholeTextSelected(std::string_view box) const;

    StartedWindow started_;
    Driver& window = started_.Drive();
};

}  // namespace quorvela::test
