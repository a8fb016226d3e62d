// Picks in the two combo boxes: the stroke time at once, then a new
// calculation; typing into a box picks nothing.

#include <gtest/gtest.h>

#include <string>

#include "window_test.h"

namespace quorvela::test {
namespace {

class ComboPicks : public WindowTest {
protected:
    void Pick(std::string_view combo, std::string_view item, bool byMouse) {
        if (byMouse) {
            window.PickFromList(combo, item);
        } else {
            window.PickByKeyboard(combo, item);
        }
        ASSERT_EQ(window.Text(combo), item);
    }
};

struct Pair {
    const char* name;
    bool byMouse;
    const char* giri;
    const char* colpi;
    const char* seconds;
    const char* litresOf100AtTheStrokes;  // 100 cm³ at 1000 rpm and the strokes picked
    const char* litresOf50;               // 50 cm³ at both picks
};

class APick : public ComboPicks, public ::testing::WithParamInterface<Pair> {};

// Strokes first, then the speed, each pick calculating a volume typed since.
TEST_P(APick, ShowsTheStrokeTimeAndRecalculates) {
    const Pair& row = GetParam();
    Calculate(false, "50");
    window.Press(CtrlPlus('a'));
    window.Type("100");
    Pick("cboColpi", row.colpi, row.byMouse);
    EXPECT_EQ(window.Text("txtQuorvela"), row.litresOf100AtTheStrokes);
    window.Click("txtPortata");
    window.Type("50");
    Pick("cboGiri", row.giri, row.byMouse);
    EXPECT_EQ(window.Text("txtQuorvela"), row.litresOf50);
    EXPECT_EQ(window.Text("lblDescrizione(2)"), std::string(row.seconds) + " secondi");
    const std::string description = std::string("a ") + row.giri + " giri, " + row.colpi +
                                    " colpi si ottengono in " + row.seconds + " secondi";
    EXPECT_EQ(window.ToolTip("lblDescrizione(2)"), description);
    EXPECT_EQ(window.ToolTip("Image1"), description);
    ExpectEmphasis(false);
}
INSTANTIATE_TEST_SUITE_P(
    ComboPicks, APick,
    ::testing::Values(
        Pair{"The1000And200AlreadyShownByKeyboard", false, "1000", "200", "12", "30", "15"},
        Pair{"The1000And200AlreadyShownByMouse", true, "1000", "200", "12", "30", "15"},
        Pair{"The1500And500ByKeyboard", false, "1500", "500", "20", "12", "9"},
        Pair{"The2500And1000ByMouse", true, "2500", "1000", "24", "6", "7,5"},
        Pair{"The100And1000ByKeyboard", false, "100", "1000", "600", "6", "0,3"},
        Pair{"The2500And200ByMouse", true, "2500", "200", "4,8", "30", "37,5"}),
    [](const auto& row) { return row.param.name; });

struct Typed {
    const char* name;
    const char* combo;
    const char* typed;
};

class TypingIntoAComboBox : public ComboPicks, public ::testing::WithParamInterface<Typed> {};

TEST_P(TypingIntoAComboBox, RaisesNoPick) {
    const Typed& row = GetParam();
    Calculate(false, "50");
    window.TypeIntoCombo(row.combo, row.typed);
    EXPECT_EQ(window.Text(row.combo), row.typed);
    EXPECT_EQ(window.Text("lblDescrizione(2)"), "12 secondi");
    EXPECT_EQ(window.Text("txtQuorvela"), "15");
    EXPECT_EQ(window.Focused(), row.combo);
}
INSTANTIATE_TEST_SUITE_P(ComboPicks, TypingIntoAComboBox,
                         ::testing::Values(Typed{"AnItemIntoCboGiri", "cboGiri", "1500"},
                                           Typed{"ANumberIntoCboGiri", "cboGiri", "25"},
                                           Typed{"AnItemIntoCboColpi", "cboColpi", "500"},
                                           Typed{"LettersIntoCboColpi", "cboColpi", "abc"}),
                         [](const auto& row) { return row.param.name; });

struct Bad {
    const char* name;
    const char* text;
    bool byMouse;
};

class AStrokePickWithABadSpeed : public ComboPicks, public ::testing::WithParamInterface<Bad> {};

// A volume typed, not yet calculated: a run would write the litres (a true
// zero for speed 0) or ask for the speed.
TEST_P(AStrokePickWithABadSpeed, KeepsTheLabelAndDoesNotCalculate) {
    const Bad& row = GetParam();
    window.Type("50");
    window.TypeIntoCombo("cboGiri", row.text);
    Pick("cboColpi", "500", row.byMouse);
    EXPECT_EQ(window.Text("lblDescrizione(2)"), "12 secondi");
    EXPECT_EQ(window.ToolTip("lblDescrizione(2)"),
              "a 1000 giri, 200 colpi si ottengono in 12 secondi");
    EXPECT_EQ(window.Text("txtQuorvela"), "");
    EXPECT_EQ(window.Text("txtLitriMinuto"), "");
    EXPECT_TRUE(window.Boxes().empty());
}
INSTANTIATE_TEST_SUITE_P(ComboPicks, AStrokePickWithABadSpeed,
                         ::testing::Values(Bad{"SpeedAbcByKeyboard", "abc", false},
                                           Bad{"SpeedAbcByMouse", "abc", true},
                                           Bad{"SpeedZeroByKeyboard", "0", false},
                                           Bad{"SpeedZeroByMouse", "0", true},
                                           Bad{"SpeedEmptyByMouse", "", true}),
                         [](const auto& row) { return row.param.name; });

class ASpeedPickWithBadStrokes : public ComboPicks, public ::testing::WithParamInterface<Bad> {};

// The calculation finds the stroke count no number and takes the focus to cboColpi.
TEST_P(ASpeedPickWithBadStrokes, KeepsTheLabelAndStillCalculates) {
    const Bad& row = GetParam();
    window.Type("50");
    window.TypeIntoCombo("cboColpi", row.text);
    window.Click("txtPortata");
    Pick("cboGiri", "1500", row.byMouse);
    EXPECT_EQ(window.Text("lblDescrizione(2)"), "12 secondi");
    EXPECT_EQ(window.Focused(), "cboColpi");
    EXPECT_TRUE(window.Boxes().empty());
}
INSTANTIATE_TEST_SUITE_P(ComboPicks, ASpeedPickWithBadStrokes,
                         ::testing::Values(Bad{"StrokesAbcByKeyboard", "abc", false},
                                           Bad{"StrokesAbcByMouse", "abc", true},
                                           Bad{"StrokesEmptyByMouse", "", true}),
                         [](const auto& row) { return row.param.name; });

class ASpeedPickWithZeroStrokes : public ComboPicks, public ::testing::WithParamInterface<bool> {};

// The run empties the results it cannot compute.
TEST_P(ASpeedPickWithZeroStrokes, KeepsTheLabelAndStillCalculates) {
    Calculate(false, "50");
    ASSERT_EQ(window.Text("txtQuorvela"), "15");
    window.TypeIntoCombo("cboColpi", "0");
    Pick("cboGiri", "1500", GetParam());
    EXPECT_EQ(window.Text("lblDescrizione(2)"), "12 secondi");
    EXPECT_EQ(window.Text("txtPortata"), "50");
    EXPECT_EQ(window.Text("txtQuorvela"), "");
    EXPECT_EQ(window.Text("txtLitriMinuto"), "");
    EXPECT_TRUE(window.Boxes().empty());
}
INSTANTIATE_TEST_SUITE_P(ComboPicks, ASpeedPickWithZeroStrokes, ::testing::Values(false, true),
                         [](const auto& row) { return row.param ? "ByMouse" : "ByKeyboard"; });

// Arrowing through the open list moves the highlight only: the item is
// picked when Enter takes it.
TEST_F(ComboPicks, ArrowsInTheOpenListPickNothingUntilEnter) {
    Calculate(false, "50");
    window.OpenList("cboGiri");
    ASSERT_TRUE(window.ListOpen("cboGiri"));
    window.Press(Key::Down);
    window.Press(Key::Down);
    EXPECT_EQ(window.Text("lblDescrizione(2)"), "12 secondi");
    EXPECT_EQ(window.Text("txtQuorvela"), "15");
    window.Press(Key::Enter);
    EXPECT_FALSE(window.ListOpen("cboGiri"));
    EXPECT_EQ(window.Text("cboGiri"), "2000");
    EXPECT_EQ(window.Text("lblDescrizione(2)"), "6 secondi");
    EXPECT_EQ(window.Text("txtQuorvela"), "30");
}

}  // namespace
}  // namespace quorvela::test
