// What users met when they tried the window: Enter on the button, Ctrl+Enter,
// long results, the focus coming back, paste and drop against the limits.

#include <gtest/gtest.h>

#include <string>

#include "window_test.h"

namespace quorvela::test {
namespace {

using UserFaults = WindowTest;

class EnterOnTheFocusedCalcolaButton : public WindowTest,
                                       public ::testing::WithParamInterface<Key> {};

TEST_P(EnterOnTheFocusedCalcolaButton, Calculates) {
    window.Type("50");
    // Backwards from txtPortata: cboColpi, cboGiri, then the button.
    for (int i = 0; i < 3; ++i) {
        window.Press(Key::Tab, Shift);
    }
    ASSERT_EQ(window.Focused(), "cmdCalcola");
    window.Press(GetParam());
    EXPECT_EQ(window.Text("txtQuorvela"), "15");
    EXPECT_EQ(window.Text("txtLitriMinuto"), "0,25");
}
INSTANTIATE_TEST_SUITE_P(UserFaults, EnterOnTheFocusedCalcolaButton,
                         ::testing::Values(Key::Enter, Key::KeypadEnter), [](const auto& row) {
                             return row.param == Key::Enter ? "Return" : "KeypadEnter";
                         });

class CtrlEnterInAnInputBox : public WindowTest, public ::testing::WithParamInterface<Key> {};

TEST_P(CtrlEnterInAnInputBox, NeitherCalculatesNorInserts) {
    window.Type("50");
    window.Press(GetParam(), Ctrl);
    EXPECT_EQ(window.Text("txtPortata"), "50");
    EXPECT_EQ(window.Text("txtQuorvela"), "");
}
INSTANTIATE_TEST_SUITE_P(UserFaults, CtrlEnterInAnInputBox,
                         ::testing::Values(Key::Enter, Key::KeypadEnter), [](const auto& row) {
                             return row.param == Key::Enter ? "Return" : "KeypadEnter";
                         });

struct Long {
    const char* name;
    const char* giri;
    const char* colpi;
    const char* litriOra;
    const char* volume;
};

class AResultLongerThanItsBox : public WindowTest, public ::testing::WithParamInterface<Long> {};

TEST_P(AResultLongerThanItsBox, ShowsItsBeginning) {
    const Long& row = GetParam();
    window.TypeIntoCombo("cboGiri", row.giri);
    window.TypeIntoCombo("cboColpi", row.colpi);
    window.Click("txtQuorvela");
    window.Type(row.litriOra);
    window.Press(Key::Enter);
    EXPECT_EQ(window.Text("txtPortata"), row.volume);
    EXPECT_EQ(window.Cursor("txtPortata"), 0);
}
INSTANTIATE_TEST_SUITE_P(
    UserFaults, AResultLongerThanItsBox,
    ::testing::Values(Long{"ExponentForm", "100", "1000", "99999", "1,66665E+07"},
                      Long{"EightCharacters", "1000", "200", "40000", "133333,3"}),
    [](const auto& row) { return row.param.name; });

class TheFocusComingBackToTheWindow : public WindowTest,
                                      public ::testing::WithParamInterface<bool> {};

TEST_P(TheFocusComingBackToTheWindow, KeepsTheFigureBeingEdited) {
    window.Type("12");
    ASSERT_EQ(window.SelectionOf("txtPortata").length, 0);
    if (GetParam()) {
        EXPECT_FALSE(window.ContextMenu("txtPortata").empty());
    } else {
        window.ActivateAnotherWindow();
        window.Activate();
    }
    EXPECT_EQ(window.Focused(), "txtPortata");
    EXPECT_EQ(window.SelectionOf("txtPortata").length, 0);
    window.Type("3");
    EXPECT_EQ(window.Text("txtPortata"), "123");
}
INSTANTIATE_TEST_SUITE_P(UserFaults, TheFocusComingBackToTheWindow, ::testing::Bool(),
                         [](const auto& row) {
                             return row.param ? "AContextMenuClosed" : "TheWindowActivatedAgain";
                         });

struct Put {
    const char* name;
    Stroke stroke;
    bool wholeTextSelected;
    const char* clipboard;
    const char* expected;  // after '1' was typed
};

class APasteIntoTxtLitriMinuto : public WindowTest, public ::testing::WithParamInterface<Put> {};

// The first line, cut to the room the typing limit leaves beside what the
// paste does not replace.
TEST_P(APasteIntoTxtLitriMinuto, TakesTheFirstLineCutToItsLimit) {
    const Put& row = GetParam();
    window.Click("txtLitriMinuto");
    ASSERT_EQ(window.Focused(), "txtLitriMinuto");
    window.Type("1");
    if (row.wholeTextSelected) {
        window.Press(CtrlPlus('a'));
    }
    window.SetClipboard(row.clipboard);
    window.Press(row.stroke);
    EXPECT_EQ(window.Text("txtLitriMinuto"), row.expected);
}
INSTANTIATE_TEST_SUITE_P(
    UserFaults, APasteIntoTxtLitriMinuto,
    ::testing::Values(Put{"CtrlV", CtrlPlus('v'), false, "1234567890", "11234"},
                      Put{"ShiftInsert", Press(Key::Insert, Shift), false, "1234567890", "11234"},
                      Put{"OverTheWholeText", CtrlPlus('v'), true, "1234567890", "12345"},
                      Put{"OfSeveralLines", CtrlPlus('v'), false, "23\r\n45", "123"}),
    [](const auto& row) { return row.param.name; });

// Qt takes the drop, cut to the limit; a Windows edit control takes no drops.
TEST_F(UserFaults, ADropOnTxtLitriMinutoIsCutToItsLimitWhereThePlatformTakesIt) {
    window.Click("txtLitriMinuto");
    window.Type("1");
#ifdef _WIN32
    EXPECT_FALSE(window.Drop("txtLitriMinuto", "1234567890"));
    EXPECT_EQ(window.Text("txtLitriMinuto"), "1");
#else
    EXPECT_TRUE(window.Drop("txtLitriMinuto", "1234567890"));
    EXPECT_EQ(window.Text("txtLitriMinuto"), "11234");
#endif
}

class AComboBox : public WindowTest, public ::testing::WithParamInterface<bool> {};

// Thousands of leading zeros would still read as 1000 rpm.
TEST_P(AComboBox, TakesNoMoreThanSixteenCharacters) {
    const std::string speed = std::string(40, '0') + "1000";
    if (GetParam()) {
        window.SetClipboard(speed);
        window.Click("cboGiri");
        window.Press(CtrlPlus('a'));
        window.Press(CtrlPlus('v'));
    } else {
        window.TypeIntoCombo("cboGiri", speed);
    }
    EXPECT_EQ(window.Text("cboGiri"), std::string(16, '0'));
}
INSTANTIATE_TEST_SUITE_P(UserFaults, AComboBox, ::testing::Bool(),
                         [](const auto& row) { return row.param ? "Pasted" : "Typed"; });

}  // namespace
}  // namespace quorvela::test
