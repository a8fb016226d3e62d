#include "window_test.h"

namespace quorvela::test {

namespace {
constexpr runtime::OleColor Red = 0x000000FFU;
}

void WindowTest::TearDown() {
    for (const std::string& box : window.Unexpected()) {
        ADD_FAILURE() << "unexpected message box: " << box;
    }
}

std::string_view WindowTest::InputOf(bool volumeMode) {
    return volumeMode ? "txtQuorvela" : "txtPortata";
}

std::string_view WindowTest::ResultOf(bool volumeMode) {
    return volumeMode ? "txtPortata" : "txtQuorvela";
}

void WindowTest::ChooseMode(bool volumeMode) {
    const std::string_view option = volumeMode ? "optScelta(0)" : "optScelta(1)";
    if (!window.Checked(option)) {
        window.Click(option);
    }
    ASSERT_TRUE(window.Checked(option));
    ASSERT_EQ(window.Focused(), InputOf(volumeMode));
}

void WindowTest::Calculate(bool volumeMode, std::string_view text) {
    ChooseMode(volumeMode);
    window.Press(CtrlPlus('a'));
    window.Type(text);
    window.Press(Key::Enter);
    ASSERT_EQ(window.Text(InputOf(volumeMode)), text);
}

void WindowTest::ExpectEmphasis(bool volumeMode) const {
    const std::string_view chosen = volumeMode ? "optScelta(0)" : "optScelta(1)";
    const std::string_view other = volumeMode ? "optScelta(1)" : "optScelta(0)";
    EXPECT_TRUE(window.Checked(chosen));
    EXPECT_FALSE(window.Checked(other));
    EXPECT_EQ(window.ForeColor(chosen), Red);
    EXPECT_TRUE(window.Bold(chosen));
    EXPECT_EQ(window.ForeColor(other), window.SystemColor(runtime::ColorButtonText));
    EXPECT_FALSE(window.Bold(other));
    EXPECT_EQ(window.Bold("lblDescrizione(3)"), volumeMode);
    EXPECT_EQ(window.Bold("lblDescrizione(4)"), !volumeMode);
}

void WindowTest::ExpectWholeTextSelected(std::string_view box) const {
    EXPECT_EQ(window.Focused(), box);
    const auto length = static_cast<int>(window.Text(box).size());
    EXPECT_EQ(window.SelectionOf(box), (Selection{.start = 0, .length = length}));
}

}  // namespace quorvela::test
