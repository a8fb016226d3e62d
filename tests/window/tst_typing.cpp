// The keystroke filter of the two input boxes as the user types, Enter, and
// the typing limits.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "window_test.h"

namespace quorvela::test {
namespace {

using Typing = WindowTest;

// ------------------------------------------------------------------ typing

struct Typed {
    const char* name;
    bool volumeMode;
    const char* typed;
    const char* expected;
};

class TypedCharacters : public WindowTest, public ::testing::WithParamInterface<Typed> {};

TEST_P(TypedCharacters, PassTheFilterAsItDecides) {
    const Typed& row = GetParam();
    ChooseMode(row.volumeMode);
    window.Type(row.typed);
    EXPECT_EQ(window.Text(InputOf(row.volumeMode)), row.expected);
    ExpectEmphasis(row.volumeMode);
}
INSTANTIATE_TEST_SUITE_P(
    Typing, TypedCharacters,
    ::testing::Values(Typed{"FullStopIntoTxtQuorvela", true, "12.5", "12,5"},
                      Typed{"FullStopIntoTxtPortata", false, "12.5", "12,5"},
                      Typed{"CommasIntoTxtQuorvela", true, "1,2,3", "1,2,3"},
                      Typed{"FullStopsIntoTxtPortata", false, "1.2.3", "1,2,3"},
                      Typed{"AllDigits", false, "0123456", "0123456"},
                      Typed{"MinusSign", false, "-5", "5"}, Typed{"PlusSign", true, "+5", "5"},
                      Typed{"Blanks", false, " 5 0 ", "50"}, Typed{"Letters", true, "a1b2E", "12"},
                      Typed{"Exponent", false, "1e3", "13"},
                      Typed{"OtherPunctuation", true, "1;2:3/4", "1234"},
                      // Characters above 127, as a keyboard layout types them.
                      Typed{"EAcute", false, "5\u00E9", "5"},
                      Typed{"SuperscriptThree", false, "5\u00B3", "5"},
                      Typed{"EuroSign", false, "5\u20AC", "5"},
                      Typed{"ArabicIndicDigitOne", false, "5\u0661", "5"}),
    [](const auto& row) { return row.param.name; });

struct Strokes {
    const char* name;
    bool volumeMode;
    const char* start;
    std::vector<Stroke> strokes;
    const char* expected;
};

class StrokesAfterTyping : public WindowTest, public ::testing::WithParamInterface<Strokes> {
protected:
    void TypeAndPress() {
        const Strokes& row = GetParam();
        ChooseMode(row.volumeMode);
        window.Type(row.start);
        for (const Stroke& stroke : row.strokes) {
            window.Press(stroke);
        }
    }
};

class KeysThatTypeNoFigure : public StrokesAfterTyping {};

// Nothing comes in from the clipboard, and nothing goes out to it.
TEST_P(KeysThatTypeNoFigure, AreDiscarded) {
    window.SetClipboard("99");
    TypeAndPress();
    EXPECT_EQ(window.Text(InputOf(GetParam().volumeMode)), GetParam().expected);
    EXPECT_EQ(window.Clipboard(), "99");
}
INSTANTIATE_TEST_SUITE_P(
    Typing, KeysThatTypeNoFigure,
    ::testing::Values(Strokes{"CtrlC", false, "12", {CtrlPlus('c')}, "12"},
                      Strokes{"CtrlV", false, "12", {CtrlPlus('v')}, "12"},
                      Strokes{"CtrlX", true, "12", {CtrlPlus('x')}, "12"},
                      Strokes{"CtrlZ", true, "12", {CtrlPlus('z')}, "12"},
                      Strokes{"CtrlY", false, "12", {CtrlPlus('y')}, "12"},
                      Strokes{"CtrlBackspace", false, "12", {Press(Key::Backspace, Ctrl)}, "12"},
                      Strokes{"Escape", true, "12", {Press(Key::Escape)}, "12"},
                      Strokes{"Space", false, "12", {Press(Key::Space)}, "12"},
                      Strokes{"ShiftInsert", true, "12", {Press(Key::Insert, Shift)}, "12"},
                      Strokes{"AltDigit",
                              false,
                              "12",
                              {{.key = Key::Character, .character = '5', .modifiers = Alt}},
                              "12"}),
    [](const auto& row) { return row.param.name; });

class EditingKeys : public StrokesAfterTyping {};

TEST_P(EditingKeys, StillEdit) {
    TypeAndPress();
    EXPECT_EQ(window.Text(InputOf(GetParam().volumeMode)), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(
    Typing, EditingKeys,
    ::testing::Values(
        Strokes{"Backspace", false, "123", {Press(Key::Backspace)}, "12"},
        Strokes{"BackspaceOnASelection",
                true,
                "123",
                {Press(Key::Left, Shift), Press(Key::Left, Shift), Press(Key::Backspace)},
                "1"},
        Strokes{"HomeDelete", false, "123", {Press(Key::Home), Press(Key::Delete)}, "23"},
        Strokes{"LeftLeftDelete",
                true,
                "123",
                {Press(Key::Left), Press(Key::Left), Press(Key::Delete)},
                "13"},
        Strokes{"HomeRightNine",
                false,
                "123",
                {Press(Key::Home), Press(Key::Right), {.key = Key::Character, .character = '9'}},
                "1923"},
        Strokes{"EndLeftBackspace",
                true,
                "123",
                {Press(Key::End), Press(Key::Left), Press(Key::Backspace)},
                "13"},
        Strokes{"KeypadDecimal", false, "1", {Press(Key::KeypadDecimal)}, "1,"},
        // Ctrl+A selects the whole text: the next digit replaces it.
        Strokes{"CtrlAThenThree",
                false,
                "12",
                {CtrlPlus('a'), {.key = Key::Character, .character = '3'}},
                "3"}),
    [](const auto& row) { return row.param.name; });

TEST_F(Typing, CtrlInsertCopiesTheSelectionAndPutsNothingIn) {
    window.SetClipboard("99");
    window.Type("12,5");
    window.Press(CtrlPlus('a'));
    window.Press(Key::Insert, Ctrl);
    EXPECT_EQ(window.Clipboard(), "12,5");
    EXPECT_EQ(window.Text("txtPortata"), "12,5");
}

TEST_F(Typing, AReplacedFullStopReplacesTheSelection) {
    ChooseMode(true);
    window.Type("123");
    window.Press(Key::Left, Shift);
    window.Type(".");
    EXPECT_EQ(window.Text("txtQuorvela"), "12,");
}

// ------------------------------------------------------------------ Enter

struct Entered {
    const char* name;
    bool volumeMode;
    Key key;
    const char* typed;
    const char* result;
};

class EnterInAnInputBox : public WindowTest, public ::testing::WithParamInterface<Entered> {};

TEST_P(EnterInAnInputBox, CalculatesAndInsertsNothing) {
    const Entered& row = GetParam();
    ChooseMode(row.volumeMode);
    window.Type(row.typed);
    window.Press(row.key);
    EXPECT_EQ(window.Text(InputOf(row.volumeMode)), row.typed);
    EXPECT_EQ(window.Text(ResultOf(row.volumeMode)), row.result);
    EXPECT_EQ(window.Text("txtLitriMinuto"), "0,25");
    EXPECT_EQ(window.Focused(), InputOf(row.volumeMode));
    ExpectEmphasis(row.volumeMode);
}
INSTANTIATE_TEST_SUITE_P(
    Typing, EnterInAnInputBox,
    ::testing::Values(Entered{"FlowReturn", false, Key::Enter, "50", "15"},
                      Entered{"FlowKeypadEnter", false, Key::KeypadEnter, "50", "15"},
                      Entered{"VolumeReturn", true, Key::Enter, "15", "50"},
                      Entered{"VolumeKeypadEnter", true, Key::KeypadEnter, "15", "50"}),
    [](const auto& row) { return row.param.name; });

class EnterWithASpeedThatIsNoNumber : public WindowTest,
                                      public ::testing::WithParamInterface<Key> {};

// Each run asks for the speed once.
TEST_P(EnterWithASpeedThatIsNoNumber, RunsTheCalculationOnce) {
    window.TypeIntoCombo("cboGiri", "abc");
    window.Click("txtPortata");
    window.Type("50");
    ASSERT_TRUE(window.Boxes().empty());
    window.ExpectMessageBox();
    window.Press(GetParam());
    EXPECT_TRUE(window.RunUntil([&] { return !window.Boxes().empty(); }, std::chrono::seconds(5)));
    window.Pump();
    EXPECT_EQ(window.Boxes().size(), 1U);
    EXPECT_EQ(window.Text("txtPortata"), "50");
    EXPECT_EQ(window.Text("txtQuorvela"), "");
}
INSTANTIATE_TEST_SUITE_P(Typing, EnterWithASpeedThatIsNoNumber,
                         ::testing::Values(Key::Enter, Key::KeypadEnter), [](const auto& row) {
                             return row.param == Key::Enter ? "Return" : "KeypadEnter";
                         });

// ------------------------------------------------------------------ typing limits

struct Limited {
    const char* name;
    bool volumeMode;
    const char* start;
    int selectLeft;  // characters selected from the end; -1: Backspace first
    const char* typed;
    const char* expected;
};

class TheTypingLimit : public WindowTest, public ::testing::WithParamInterface<Limited> {};

TEST_P(TheTypingLimit, RefusesTheCharacterTooMany) {
    const Limited& row = GetParam();
    ChooseMode(row.volumeMode);
    window.Type(row.start);
    ASSERT_EQ(window.Text(InputOf(row.volumeMode)), row.start);
    if (row.selectLeft < 0) {
        window.Press(Key::Backspace);
    }
    for (int i = 0; i < row.selectLeft; ++i) {
        window.Press(Key::Left, Shift);
    }
    window.Type(row.typed);
    EXPECT_EQ(window.Text(InputOf(row.volumeMode)), row.expected);
}
INSTANTIATE_TEST_SUITE_P(
    Typing, TheTypingLimit,
    ::testing::Values(Limited{"TxtPortataEightTyped", false, "", 0, "12345678", "1234567"},
                      Limited{"TxtQuorvelaSixTyped", true, "", 0, "123456", "12345"},
                      Limited{"TxtPortataFullFullStop", false, "1234567", 0, ".", "1234567"},
                      Limited{"TxtQuorvelaFullComma", true, "12345", 0, ",", "12345"},
                      Limited{"TxtPortataFullOneSelected", false, "1234567", 1, "89", "1234568"},
                      Limited{"TxtQuorvelaFullTwoSelected", true, "12345", 2, "678", "12367"},
                      Limited{"TxtQuorvelaFullOneSelectedFullStop", true, "12345", 1, ".", "1234,"},
                      Limited{"TxtPortataFullAllSelected", false, "1234567", 7, "98765432",
                              "9876543"},
                      Limited{"TxtQuorvelaFullBackspaceThenNine", true, "12345", -1, "9", "12349"}),
    [](const auto& row) { return row.param.name; });

}  // namespace
}  // namespace quorvela::test
