// The calculate command driven through the window: the checks of the speed,
// the stroke count and the mode's input, the stroke time, the results of
// both modes, results that cannot be computed, and a nested run.

#include <gtest/gtest.h>

#include <string>

#include "window_test.h"

namespace quorvela::test {
namespace {

class Calcola : public WindowTest {
protected:
    // A first run with '50' in the flow mode or '15' in the volume mode:
    // '12 secondi', and '15' or '50' with '0,25' per minute.
    void CalculateFirst(bool volumeMode) {
        ChooseMode(volumeMode);
        window.Type(volumeMode ? "15" : "50");
        window.Click("cmdCalcola");
        ASSERT_EQ(window.Text("lblDescrizione(2)"), "12 secondi");
        ASSERT_EQ(window.Text(ResultOf(volumeMode)), volumeMode ? "50" : "15");
        ASSERT_EQ(window.Text("txtLitriMinuto"), "0,25");
    }

    // Types over the whole text of the box, entered with a click.
    void Retype(std::string_view box, std::string_view text) {
        window.Click(box);
        ASSERT_EQ(window.Focused(), box);
        window.Press(CtrlPlus('a'));
        if (text.empty()) {
            window.Press(Key::Backspace);
        } else {
            window.Type(text);
        }
        ASSERT_EQ(window.Text(box), text);
    }

    void ExpectNoBox() const { EXPECT_TRUE(window.Boxes().empty()); }
};

// ------------------------------------------------------------------ the checks

struct Combos {
    const char* name;
    const char* giri;
    const char* colpi;
};

class ASpeedThatIsNoNumber : public Calcola, public ::testing::WithParamInterface<Combos> {};

TEST_P(ASpeedThatIsNoNumber, IsAskedForOnceAndTheFocusGoesToCboGiri) {
    const Combos& row = GetParam();
    CalculateFirst(false);
    window.TypeIntoCombo("cboGiri", row.giri);
    window.TypeIntoCombo("cboColpi", row.colpi);

    window.ExpectMessageBox();
    window.Click("cmdCalcola");

    ASSERT_EQ(window.Boxes().size(), 1U);
    const SeenBox& box = window.Boxes().front();
    EXPECT_EQ(box.title, "Introdurre un valore");
    EXPECT_EQ(box.text, "Introduci un valore di 'giri' ");
    EXPECT_EQ(box.icon, BoxIcon::Exclamation);
    EXPECT_EQ(box.buttons, 1);
    // A desktop gives the activation back once the box is gone.
    window.Activate();
    EXPECT_EQ(window.Focused(), "cboGiri");
    EXPECT_EQ(window.Text("lblDescrizione(2)"), "12 secondi");
    EXPECT_EQ(window.Text("txtPortata"), "50");
    EXPECT_EQ(window.Text("txtQuorvela"), "15");
    EXPECT_EQ(window.Text("txtLitriMinuto"), "0,25");
    EXPECT_EQ(window.Text("cboGiri"), row.giri);
    EXPECT_EQ(window.Text("cboColpi"), row.colpi);
}
INSTANTIATE_TEST_SUITE_P(Calcola, ASpeedThatIsNoNumber,
                         ::testing::Values(Combos{"SpeedAbc", "abc", "200"},
                                           Combos{"SpeedEmpty", "", "200"},
                                           Combos{"SpeedAndStrokesAbc", "abc", "abc"},
                                           Combos{"SpeedAndStrokesEmpty", "", ""}),
                         [](const auto& row) { return row.param.name; });

class AStrokeCountThatIsNoNumber : public Calcola,
                                   public ::testing::WithParamInterface<const char*> {};

TEST_P(AStrokeCountThatIsNoNumber, SendsTheFocusToCboColpiWithoutAMessage) {
    CalculateFirst(false);
    window.TypeIntoCombo("cboColpi", GetParam());
    window.Click("cboGiri");

    window.Click("cmdCalcola");

    ExpectNoBox();
    EXPECT_EQ(window.Focused(), "cboColpi");
    EXPECT_EQ(window.Text("lblDescrizione(2)"), "12 secondi");
    EXPECT_EQ(window.Text("txtPortata"), "50");
    EXPECT_EQ(window.Text("txtQuorvela"), "15");
    EXPECT_EQ(window.Text("txtLitriMinuto"), "0,25");
}
INSTANTIATE_TEST_SUITE_P(Calcola, AStrokeCountThatIsNoNumber, ::testing::Values("abc", ""),
                         [](const auto& row) {
                             return *row.param == '\0' ? "StrokesEmpty" : "StrokesAbc";
                         });

class AnEmptyInput : public Calcola, public ::testing::WithParamInterface<bool> {};

TEST_P(AnEmptyInput, WritesNothingAndTakesTheFocusToTheModesBoxOncePendingEventsRan) {
    const bool volumeMode = GetParam();
    const std::string_view input = InputOf(volumeMode);
    CalculateFirst(volumeMode);
    const std::string result = window.Text(ResultOf(volumeMode));
    Retype(input, "");
    // A new speed that the run would show as '8 secondi'.
    window.TypeIntoCombo("cboGiri", "1500");

    bool clicking = false;
    bool pendingRanInTheRun = false;
    std::string focusWhenPendingRan;
    window.Post([&] {
        pendingRanInTheRun = clicking;
        focusWhenPendingRan = window.Focused();
    });
    clicking = true;
    window.Click("cmdCalcola");
    clicking = false;

    EXPECT_TRUE(pendingRanInTheRun);
    EXPECT_NE(focusWhenPendingRan, input);
    EXPECT_EQ(window.Focused(), input);
    EXPECT_EQ(window.Text("lblDescrizione(2)"), "12 secondi");
    EXPECT_EQ(window.Text(input), "");
    EXPECT_EQ(window.Text(ResultOf(volumeMode)), result);
    EXPECT_EQ(window.Text("txtLitriMinuto"), "0,25");
    ExpectNoBox();
}
INSTANTIATE_TEST_SUITE_P(Calcola, AnEmptyInput, ::testing::Values(true, false),
                         [](const auto& row) {
                             return row.param ? "TxtQuorvelaInTheVolumeMode"
                                              : "TxtPortataInTheFlowMode";
                         });

// ------------------------------------------------------------------ the results

struct Result {
    const char* name;
    const char* input;
    const char* result;
    const char* litriMinuto;
};

class TheVolumeMode : public Calcola, public ::testing::WithParamInterface<Result> {};

TEST_P(TheVolumeMode, TurnsLitresPerHourIntoCm3AndLitresPerMinute) {
    const Result& row = GetParam();
    ChooseMode(true);
    window.Type(row.input);

    window.Click("cmdCalcola");

    EXPECT_EQ(window.Text("lblDescrizione(2)"), "12 secondi");
    EXPECT_EQ(window.Text("txtQuorvela"), row.input);
    EXPECT_EQ(window.Text("txtPortata"), row.result);
    EXPECT_EQ(window.Text("txtLitriMinuto"), row.litriMinuto);
    ExpectNoBox();
}
INSTANTIATE_TEST_SUITE_P(Calcola, TheVolumeMode,
                         ::testing::Values(Result{"Fifteen", "15", "50", "0,25"},
                                           // The volume from 12.5, the per-minute figure from 12.
                                           Result{"TwelveAndAHalf", "12,5", "41,7", "0,2"},
                                           // The per-minute figure from 14, rounded half to even.
                                           Result{"ThirteenAndAHalf", "13,5", "45", "0,23"},
                                           // Longer than the box's typing limit, shown whole.
                                           Result{"FortyThousand", "40000", "133333,3", "666,67"}),
                         [](const auto& row) { return row.param.name; });

class TheFlowMode : public Calcola, public ::testing::WithParamInterface<Result> {};

TEST_P(TheFlowMode, TurnsCm3IntoLitresPerHourAndLitresPerMinute) {
    const Result& row = GetParam();
    ChooseMode(false);
    window.Type(row.input);

    window.Click("cmdCalcola");

    EXPECT_EQ(window.Text("lblDescrizione(2)"), "12 secondi");
    EXPECT_EQ(window.Text("txtPortata"), row.input);
    EXPECT_EQ(window.Text("txtQuorvela"), row.result);
    EXPECT_EQ(window.Text("txtLitriMinuto"), row.litriMinuto);
    ExpectNoBox();
}
INSTANTIATE_TEST_SUITE_P(Calcola, TheFlowMode,
                         ::testing::Values(Result{"Fifty", "50", "15", "0,25"},
                                           // The volume is read as a whole number, ties to even.
                                           Result{"FiftyAndAHalf", "50,5", "15", "0,25"},
                                           Result{"FiftyOneAndAHalf", "51,5", "15,6", "0,26"},
                                           Result{"FortyThousand", "40000", "12000", "200"}),
                         [](const auto& row) { return row.param.name; });

// Typed, not picked: the run itself reads the combo boxes.
TEST_F(Calcola, TheStrokeTimeFollowsTheTypedSpeedAndStrokeCount) {
    ChooseMode(false);
    window.Type("50");
    window.TypeIntoCombo("cboGiri", "100");
    window.TypeIntoCombo("cboColpi", "1000");

    window.Click("cmdCalcola");

    EXPECT_EQ(window.Text("lblDescrizione(2)"), "600 secondi");
}

// ------------------------------------------------------------------ results that cannot be
// computed

struct Impossible {
    const char* name;
    const char* giri;
    const char* colpi;
    const char* input;
    const char* litriMinuto;
};

class AVolumeResultThatCannotBeComputed : public Calcola,
                                          public ::testing::WithParamInterface<Impossible> {};

TEST_P(AVolumeResultThatCannotBeComputed, EmptiesItsBox) {
    const Impossible& row = GetParam();
    CalculateFirst(true);
    window.TypeIntoCombo("cboGiri", row.giri);
    window.TypeIntoCombo("cboColpi", row.colpi);
    if (std::string_view(row.input) == " ") {
        // No user input gets a blank past the keystroke filter: the program's own write.
        started_.Form().txtQuorvela.SetText(row.input);
    } else {
        Retype("txtQuorvela", row.input);
    }

    window.Click("cmdCalcola");

    EXPECT_EQ(window.Text("lblDescrizione(2)"), "12 secondi");
    EXPECT_EQ(window.Text("txtQuorvela"), row.input);
    EXPECT_EQ(window.Text("txtPortata"), "");
    EXPECT_EQ(window.Text("txtLitriMinuto"), row.litriMinuto);
    ExpectNoBox();
}
INSTANTIATE_TEST_SUITE_P(Calcola, AVolumeResultThatCannotBeComputed,
                         // The per-minute figure needs neither speed nor strokes; not empty, yet
                         // no number, the input gives neither result.
                         ::testing::Values(Impossible{"StrokesZero", "1000", "0", "15", "0,25"},
                                           Impossible{"SpeedZero", "0", "200", "15", "0,25"},
                                           Impossible{"ALoneComma", "1000", "200", ",", ""},
                                           Impossible{"ASingleBlank", "1000", "200", " ", ""}),
                         [](const auto& row) { return row.param.name; });

class AFlowResultThatCannotBeComputed : public Calcola,
                                        public ::testing::WithParamInterface<Impossible> {};

TEST_P(AFlowResultThatCannotBeComputed, EmptiesBothBoxes) {
    const Impossible& row = GetParam();
    CalculateFirst(false);
    window.TypeIntoCombo("cboColpi", row.colpi);
    if (std::string_view(row.input) == " ") {
        // No user input gets a blank past the keystroke filter: the program's own write.
        started_.Form().txtPortata.SetText(row.input);
    } else {
        Retype("txtPortata", row.input);
    }

    window.Click("cmdCalcola");

    EXPECT_EQ(window.Text("lblDescrizione(2)"), "12 secondi");
    EXPECT_EQ(window.Text("txtPortata"), row.input);
    EXPECT_EQ(window.Text("txtQuorvela"), "");
    EXPECT_EQ(window.Text("txtLitriMinuto"), "");
    ExpectNoBox();
}
INSTANTIATE_TEST_SUITE_P(Calcola, AFlowResultThatCannotBeComputed,
                         ::testing::Values(Impossible{"StrokesZero", "1000", "0", "50", ""},
                                           Impossible{"ALoneComma", "1000", "200", ",", ""},
                                           Impossible{"ASingleBlank", "1000", "200", " ", ""}),
                         [](const auto& row) { return row.param.name; });

TEST_F(Calcola, ASpeedOfZeroInTheFlowModeShowsATrueZero) {
    CalculateFirst(false);
    window.TypeIntoCombo("cboGiri", "0");

    window.Click("cmdCalcola");

    EXPECT_EQ(window.Text("lblDescrizione(2)"), "12 secondi");
    EXPECT_EQ(window.Text("txtQuorvela"), "0");
    EXPECT_EQ(window.Text("txtLitriMinuto"), "0");
    ExpectNoBox();
}

struct Beyond {
    const char* name;
    bool volumeMode;
    const char* giri;
    const char* colpi;
    const char* input;
    const char* result;
    const char* litriMinuto;
};

class AComboTextBeyondSixteenBits : public Calcola, public ::testing::WithParamInterface<Beyond> {};

TEST_P(AComboTextBeyondSixteenBits, KeepsTheLabelButCountsInFull) {
    const Beyond& row = GetParam();
    ChooseMode(row.volumeMode);
    window.Type(row.input);
    window.TypeIntoCombo("cboGiri", row.giri);
    window.TypeIntoCombo("cboColpi", row.colpi);

    window.Click("cmdCalcola");

    EXPECT_EQ(window.Text("lblDescrizione(2)"), "12 secondi");
    EXPECT_EQ(window.Text(ResultOf(row.volumeMode)), row.result);
    EXPECT_EQ(window.Text("txtLitriMinuto"), row.litriMinuto);
    ExpectNoBox();
}
INSTANTIATE_TEST_SUITE_P(
    Calcola, AComboTextBeyondSixteenBits,
    ::testing::Values(Beyond{"SpeedFlow", false, "40000", "200", "50", "600", "10"},
                      Beyond{"SpeedVolume", true, "40000", "200", "15", "1,2", "0,25"},
                      Beyond{"StrokesVolume", true, "1000", "40000", "15", "10000", "0,25"},
                      Beyond{"StrokesFlow", false, "1000", "40000", "50", "0,1", "0"}),
    [](const auto& row) { return row.param.name; });

// ------------------------------------------------------------------ typing versus a pick

class TypingAListItemIntoTheSpeedBox : public Calcola,
                                       public ::testing::WithParamInterface<bool> {};

TEST_P(TypingAListItemIntoTheSpeedBox, CalculatesNothingByItself) {
    CalculateFirst(false);
    window.TypeIntoCombo("cboGiri", "1500");
    if (GetParam()) {
        window.Press(Key::Enter);
    }
    window.Click("txtPortata");

    EXPECT_EQ(window.Text("lblDescrizione(2)"), "12 secondi");
    EXPECT_EQ(window.Text("txtQuorvela"), "15");
    EXPECT_EQ(window.Text("txtLitriMinuto"), "0,25");

    window.Click("cmdCalcola");

    EXPECT_EQ(window.Text("lblDescrizione(2)"), "8 secondi");
    EXPECT_EQ(window.Text("txtQuorvela"), "22,5");
    ExpectNoBox();
}
INSTANTIATE_TEST_SUITE_P(Calcola, TypingAListItemIntoTheSpeedBox, ::testing::Values(false, true),
                         [](const auto& row) {
                             return row.param ? "EnterInTheBox" : "TheFocusLeavesTheBox";
                         });

TEST_F(Calcola, AnArrowOnTheClosedSpeedBoxPicksAndCalculatesAtOnce) {
    CalculateFirst(false);
    window.Click("cboGiri");
    // The item after '1000'.
    window.Press(Key::Down);

    EXPECT_EQ(window.Text("cboGiri"), "1500");
    EXPECT_EQ(window.Text("lblDescrizione(2)"), "8 secondi");
    EXPECT_EQ(window.Text("txtQuorvela"), "22,5");
    ExpectNoBox();
}

// ------------------------------------------------------------------ nested run

TEST_F(Calcola, ANestedRunStartedByPendingEventsIsHarmless) {
    ChooseMode(false);
    ASSERT_EQ(window.Text("txtPortata"), "");
    bool clicking = false;
    bool nestedRanInTheRun = false;
    window.Post([&] {
        nestedRanInTheRun = clicking;
        window.Click("txtPortata");
        window.Type("50");
        window.Click("cmdCalcola");
    });
    clicking = true;
    window.Click("cmdCalcola");
    clicking = false;

    EXPECT_TRUE(nestedRanInTheRun);
    EXPECT_EQ(window.Text("txtPortata"), "50");
    EXPECT_EQ(window.Text("lblDescrizione(2)"), "12 secondi");
    EXPECT_EQ(window.Text("txtQuorvela"), "15");
    EXPECT_EQ(window.Text("txtLitriMinuto"), "0,25");
    EXPECT_EQ(window.Focused(), "txtPortata");
    ExpectNoBox();
}

}  // namespace
}  // namespace quorvela::test
