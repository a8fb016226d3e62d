// The two modes and the focus: the window as it opens, the options, and
// entering the input boxes by key and by mouse.

#include <gtest/gtest.h>

#include "window_test.h"

namespace quorvela::test {
namespace {

using Modes = WindowTest;

// ------------------------------------------------------------------ start-up

TEST_F(Modes, TheWindowOpensInTheFlowModeWithItsEmphasis) {
    ExpectEmphasis(false);
}

TEST_F(Modes, TheWindowOpensWithTheThreeBoxesEmptyAndTheFocusInTxtPortata) {
    for (const char* box : {"txtPortata", "txtQuorvela", "txtLitriMinuto"}) {
        EXPECT_EQ(window.Text(box), "") << box;
    }
    EXPECT_TRUE(window.Active());
    EXPECT_EQ(window.Focused(), "txtPortata");
}

TEST_F(Modes, TheWindowOpensWithTheDefaultPicksAndTheirStrokeTime) {
    EXPECT_EQ(window.Text("cboGiri"), "1000");
    EXPECT_EQ(window.Text("cboColpi"), "200");
    EXPECT_EQ(window.Text("lblDescrizione(2)"), "12 secondi");
    const std::string description = "a 1000 giri, 200 colpi si ottengono in 12 secondi";
    EXPECT_EQ(window.ToolTip("lblDescrizione(2)"), description);
    EXPECT_EQ(window.ToolTip("Image1"), description);
}

// --------------------------------------------------------------------- modes

TEST_F(Modes, AClickOnTheVolumeOptionEmptiesTheVolumeAndKeepsTheLitres) {
    Calculate(false, "50");
    ASSERT_EQ(window.Text("txtQuorvela"), "15");
    window.Click("optScelta(0)");
    ExpectEmphasis(true);
    EXPECT_EQ(window.Text("txtPortata"), "");
    EXPECT_EQ(window.Text("txtQuorvela"), "15");
    EXPECT_EQ(window.Text("txtLitriMinuto"), "0,25");
    ExpectWholeTextSelected("txtQuorvela");
}

TEST_F(Modes, AClickOnTheFlowOptionEmptiesBothLitresAndKeepsTheVolume) {
    Calculate(true, "15");
    ASSERT_EQ(window.Text("txtPortata"), "50");
    window.Click("optScelta(1)");
    ExpectEmphasis(false);
    EXPECT_EQ(window.Text("txtPortata"), "50");
    EXPECT_EQ(window.Text("txtQuorvela"), "");
    EXPECT_EQ(window.Text("txtLitriMinuto"), "");
    ExpectWholeTextSelected("txtPortata");
}

class TabFromTxtPortata : public WindowTest, public ::testing::WithParamInterface<bool> {};

// The volume is emptied whether it was just typed or already calculated.
TEST_P(TabFromTxtPortata, SwitchesToTheVolumeModeAndEmptiesTheVolume) {
    const bool calculated = GetParam();
    if (calculated) {
        Calculate(false, "50");
    } else {
        window.Type("50");
    }
    ASSERT_EQ(window.Text("txtPortata"), "50");
    window.Press(Key::Tab);
    EXPECT_EQ(window.Focused(), "txtQuorvela");
    ExpectEmphasis(true);
    EXPECT_EQ(window.Text("txtPortata"), "");
    EXPECT_EQ(window.Text("txtQuorvela"), calculated ? "15" : "");
    EXPECT_EQ(window.Text("txtLitriMinuto"), calculated ? "0,25" : "");
    ExpectWholeTextSelected("txtQuorvela");
}
INSTANTIATE_TEST_SUITE_P(Modes, TabFromTxtPortata, ::testing::Values(false, true),
                         [](const auto& row) {
                             return row.param ? "AfterACalculation" : "WithTheVolumeJustTyped";
                         });

TEST_F(Modes, ShiftTabFromTxtQuorvelaSwitchesToTheFlowModeAndEmptiesBothLitres) {
    Calculate(true, "15");
    window.Press(Key::Tab, Shift);
    EXPECT_EQ(window.Focused(), "txtPortata");
    ExpectEmphasis(false);
    EXPECT_EQ(window.Text("txtPortata"), "50");
    EXPECT_EQ(window.Text("txtQuorvela"), "");
    EXPECT_EQ(window.Text("txtLitriMinuto"), "");
    ExpectWholeTextSelected("txtPortata");
}

class AMouseClickIntoTheOtherBox : public WindowTest, public ::testing::WithParamInterface<bool> {};

TEST_P(AMouseClickIntoTheOtherBox, SwitchesTheMode) {
    const bool toVolumeMode = GetParam();
    Calculate(!toVolumeMode, toVolumeMode ? "50" : "15");
    const std::string volume = window.Text("txtPortata");
    const std::string litres = window.Text("txtQuorvela");
    window.Click(InputOf(toVolumeMode));
    ExpectEmphasis(toVolumeMode);
    if (toVolumeMode) {
        EXPECT_EQ(window.Text("txtPortata"), "");
        EXPECT_EQ(window.Text("txtQuorvela"), litres);
        EXPECT_EQ(window.Text("txtLitriMinuto"), "0,25");
    } else {
        EXPECT_EQ(window.Text("txtPortata"), volume);
        EXPECT_EQ(window.Text("txtQuorvela"), "");
        EXPECT_EQ(window.Text("txtLitriMinuto"), "");
    }
    ExpectWholeTextSelected(InputOf(toVolumeMode));
}
INSTANTIATE_TEST_SUITE_P(Modes, AMouseClickIntoTheOtherBox, ::testing::Values(true, false),
                         [](const auto& row) {
                             return row.param ? "IntoTxtQuorvela" : "IntoTxtPortata";
                         });

struct Entering {
    const char* name;
    bool volumeMode;
    bool byMouse;
};

class EnteringTheBoxOfTheModeInForce : public WindowTest,
                                       public ::testing::WithParamInterface<Entering> {};

TEST_P(EnteringTheBoxOfTheModeInForce, EmptiesNothing) {
    const auto [name, volumeMode, byMouse] = GetParam();
    Calculate(volumeMode, volumeMode ? "15" : "50");
    const std::string volume = window.Text("txtPortata");
    const std::string litres = window.Text("txtQuorvela");
    const std::string perMinute = window.Text("txtLitriMinuto");
    const std::string_view input = InputOf(volumeMode);
    if (byMouse) {
        window.Click("cmdCalcola");
        window.Click(input);
    } else if (volumeMode) {
        // Back from txtLitriMinuto, which follows txtQuorvela in the tab order.
        window.Click("txtLitriMinuto");
        ASSERT_EQ(window.Focused(), "txtLitriMinuto");
        window.Press(Key::Tab, Shift);
    } else {
        // On from cboColpi, the last in the tab order.
        window.Click("cboColpi");
        ASSERT_EQ(window.Focused(), "cboColpi");
        window.Press(Key::Tab);
    }
    ExpectEmphasis(volumeMode);
    EXPECT_EQ(window.Text("txtPortata"), volume);
    EXPECT_EQ(window.Text("txtQuorvela"), litres);
    EXPECT_EQ(window.Text("txtLitriMinuto"), perMinute);
    ExpectWholeTextSelected(input);
}
INSTANTIATE_TEST_SUITE_P(Modes, EnteringTheBoxOfTheModeInForce,
                         ::testing::Values(Entering{"FlowModeMouseIntoTxtPortata", false, true},
                                           Entering{"FlowModeTabIntoTxtPortata", false, false},
                                           Entering{"VolumeModeMouseIntoTxtQuorvela", true, true},
                                           Entering{"VolumeModeTabIntoTxtQuorvela", true, false}),
                         [](const auto& row) { return row.param.name; });

class TheNextDigit : public WindowTest, public ::testing::WithParamInterface<Entering> {};

TEST_P(TheNextDigit, ReplacesTheTextSelectedOnEntering) {
    const auto [name, volumeMode, byMouse] = GetParam();
    const std::string_view input = InputOf(volumeMode);
    // A text of the box's own, calculated in the other mode.
    Calculate(!volumeMode, "15");
    const std::string text = window.Text(input);
    ASSERT_NE(text, "");
    if (byMouse) {
        window.Click(input);
    } else {
        window.Press(Key::Tab, volumeMode ? NoModifier : Shift);
    }
    ExpectEmphasis(volumeMode);
    EXPECT_EQ(window.Text(input), text);
    ExpectWholeTextSelected(input);
    window.Type("9");
    EXPECT_EQ(window.Text(input), "9");
}
INSTANTIATE_TEST_SUITE_P(Modes, TheNextDigit,
                         ::testing::Values(Entering{"TxtPortataByMouse", false, true},
                                           Entering{"TxtPortataByShiftTab", false, false},
                                           Entering{"TxtQuorvelaByMouse", true, true},
                                           Entering{"TxtQuorvelaByTab", true, false}),
                         [](const auto& row) { return row.param.name; });

class AClickOnTheOptionAlreadySelected : public WindowTest,
                                         public ::testing::WithParamInterface<bool> {};

TEST_P(AClickOnTheOptionAlreadySelected, ChangesNothing) {
    const bool volumeMode = GetParam();
    Calculate(volumeMode, volumeMode ? "15" : "50");
    const std::string volume = window.Text("txtPortata");
    const std::string litres = window.Text("txtQuorvela");
    const std::string perMinute = window.Text("txtLitriMinuto");
    window.Click(volumeMode ? "optScelta(0)" : "optScelta(1)");
    ExpectEmphasis(volumeMode);
    EXPECT_EQ(window.Text("txtPortata"), volume);
    EXPECT_EQ(window.Text("txtQuorvela"), litres);
    EXPECT_EQ(window.Text("txtLitriMinuto"), perMinute);
}
INSTANTIATE_TEST_SUITE_P(Modes, AClickOnTheOptionAlreadySelected, ::testing::Values(true, false),
                         [](const auto& row) {
                             return row.param ? "TheVolumeOption" : "TheFlowOption";
                         });

}  // namespace
}  // namespace quorvela::test
