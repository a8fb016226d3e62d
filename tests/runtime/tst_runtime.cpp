// The form runtime's contract, what the window code relies on, for both
// backends: the error modes, the error box that ends the program, the
// writes that raise events before they return, the refused focus, the
// character codes keys reach KeyPress with, and what the controls show of
// the program's writes: texts, colours, places. A form of the tests' own
// layout, with the tests' handlers, seen and driven through the driver.

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "calc/runtime_error.h"
#include "driver.h"
#include "error_of.h"
#include "row_name.h"
#include "runtime/controls.h"
#include "runtime/dispatch.h"
#include "runtime/error_modes.h"
#include "runtime/form.h"
#include "runtime/layout.h"

namespace quorvela::test {
namespace {

using namespace std::chrono_literals;
using runtime::ControlKind;
using runtime::ControlLayout;
using runtime::FormLayout;

constexpr std::array<ControlLayout, 3> TestControls{{
    {.kind = ControlKind::TextBox,
     .name = "box",
     .rect = {600, 2760, 1215, 465},
     .tabIndex = 0,
     .typingLimit = 5},
    {.kind = ControlKind::ComboBox, .name = "combo", .rect = {600, 1020, 1215, 465}, .tabIndex = 1},
    {.kind = ControlKind::OptionButton,
     .name = "option",
     .rect = {2520, 1020, 1455, 285},
     .text = "opzione",
     .tabIndex = 2},
}};

constexpr FormLayout TestLayout{.name = "test",
                                .clientWidth = 7575,
                                .clientHeight = 5100,
                                .fontFace = "Calibri",
                                .font = {.points = 12},
                                .icon = "quorvela",
                                .controls = TestControls};

// A form of the tests' layout, hidden until shown, with the driver on it.
struct TestForm {
    runtime::Form form{TestLayout};
    runtime::TextBox box{form, "box"};
    runtime::ComboBox combo{form, "combo"};
    runtime::OptionButton option{form, "option"};
    Driver window{form, TestLayout};

    // Shown as the program shows its window, the box focused first.
    void Show() {
        runtime::Start(form);
        ASSERT_TRUE(window.RunUntil([this] { return window.Active(); }, 10s));
        ASSERT_EQ(window.Focused(), "box");
    }
};

TEST(ErrorModes, SkippingAbandonsTheStatementLeavingEndsTheHandler) {
    std::vector<std::string> trace;
    runtime::SkipOnError([&] {
        trace.emplace_back("a");
        Raise(ErrorNumber::TypeMismatch);
        trace.emplace_back("x");
    });
    runtime::SkipOnError([&] { trace.emplace_back("b"); });
    runtime::LeaveOnError([&] {
        trace.emplace_back("c");
        Raise(ErrorNumber::DivisionByZero);
        trace.emplace_back("y");
    });
    EXPECT_EQ(trace, (std::vector<std::string>{"a", "b", "c"}));
}

struct ErrorRow {
    const char* name;
    int number;
    const char* description;
};

class AnErrorLeavingAHandler : public ::testing::TestWithParam<ErrorRow> {};

TEST_P(AnErrorLeavingAHandler, ShowsTheRuntimesBoxThenEndsTheProgram) {
    const ErrorRow& row = GetParam();
    TestForm test;
    test.window.ExpectMessageBox();
    int status = 0;
    runtime::SetTerminateHandler([&](int exitStatus) { status = exitStatus; });
    runtime::Dispatch([&] { Raise(static_cast<ErrorNumber>(row.number)); });
    runtime::SetTerminateHandler(nullptr);
    ASSERT_EQ(test.window.Boxes().size(), 1U);
    const SeenBox& box = test.window.Boxes().front();
    EXPECT_EQ(box.text,
              "Errore di run-time '" + std::to_string(row.number) + "':\n\n" + row.description);
    EXPECT_EQ(box.icon, BoxIcon::Critical);
    EXPECT_EQ(box.buttons, 1);
    EXPECT_EQ(status, row.number);
    EXPECT_TRUE(test.window.Unexpected().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Runtime, AnErrorLeavingAHandler,
    ::testing::Values(ErrorRow{"5", 5, "Chiamata di routine o argomento non validi"},
                      ErrorRow{"6", 6, "Overflow"}, ErrorRow{"11", 11, "Divisione per zero"},
                      ErrorRow{"13", 13, "Tipo non corrispondente"}),
    ByRowName{});

TEST(Runtime, SetFocusWhileTheWindowIsHiddenRaisesFive) {
    TestForm test;
    EXPECT_EQ(ErrorOf([&] { test.box.SetFocus(); }), 5);
    EXPECT_EQ(ErrorOf([&] { test.combo.SetFocus(); }), 5);
}

TEST(Runtime, AListIndexWriteRaisesClickWithTheItemShownBeforeItReturns) {
    TestForm test;
    test.combo.AddItem("100");
    test.combo.AddItem("200");
    std::vector<std::string> events;
    test.combo.OnClick([&] { events.push_back("Click " + test.combo.Text()); });
    test.combo.SetListIndex(1);
    events.emplace_back("returned");
    EXPECT_EQ(events, (std::vector<std::string>{"Click 200", "returned"}));
    EXPECT_EQ(test.window.Text("combo"), "200");
    EXPECT_EQ(ErrorOf([&] { test.combo.SetListIndex(2); }), 5);
}

TEST(Runtime, TextTheProgramWritesIsShownWholeBeyondTheTypingLimit) {
    TestForm test;
    test.Show();
    test.box.SetText("133333,3");
    EXPECT_EQ(test.box.Text(), "133333,3");
    EXPECT_EQ(test.window.Text("box"), "133333,3");
    // The user still types no further than the limit.
    test.box.SetText("");
    test.window.Type("1234567");
    EXPECT_EQ(test.window.Text("box"), "12345");
}

struct ColourRow {
    const char* name;
    runtime::OleColor value;
};

class ForeColour : public ::testing::TestWithParam<ColourRow> {};

// Red in the lowest byte; the top bit names a system colour by its index.
TEST_P(ForeColour, IsShownAsTheProgramWroteIt) {
    const runtime::OleColor value = GetParam().value;
    TestForm test;
    test.option.SetForeColor(value);
    const runtime::OleColor expected =
        (value & runtime::SystemColorFlag) != 0 ? test.window.SystemColor(value) : value;
    EXPECT_EQ(test.window.ForeColor("option"), expected);
}

INSTANTIATE_TEST_SUITE_P(Runtime, ForeColour,
                         ::testing::Values(ColourRow{"red", 0x000000FFU},
                                           ColourRow{"blue", 0x00FF0000U},
                                           ColourRow{"magenta", 0x00FF00FFU},
                                           ColourRow{"grey", 0x00808080U},
                                           ColourRow{"button text", runtime::ColorButtonText}),
                         ByRowName{});

TEST(Runtime, ControlsArePlacedInTwipsFifteenToAPixel) {
    TestForm test;
    test.Show();
    const Rect client = test.window.Geometry("test");
    EXPECT_EQ(client.width, 505);
    EXPECT_EQ(client.height, 340);
    EXPECT_EQ(test.window.Geometry("combo"),
              (Rect{.left = 40, .top = 68, .width = 81, .height = 31}));
    EXPECT_EQ(test.window.Geometry("box"),
              (Rect{.left = 40, .top = 184, .width = 81, .height = 31}));
}

struct KeyRow {
    const char* name;
    Stroke stroke;
    const char* typed;  // instead of the stroke: a character typed as text
    int code;           // -1: no KeyPress
};

class AKey : public ::testing::TestWithParam<KeyRow> {};

// What the handler receives, and that a code it leaves inserts that code.
TEST_P(AKey, ReachesKeyPressAsItsCharacterCode) {
    const KeyRow& row = GetParam();
    TestForm test;
    std::vector<int> codes;
    test.box.OnKeyPress([&](std::int16_t& code) {
        codes.push_back(code);
        code = 0;
    });
    test.Show();
    if (row.typed != nullptr) {
        test.window.Type(row.typed);
    } else {
        test.window.Press(row.stroke);
    }
    EXPECT_EQ(codes, row.code < 0 ? std::vector<int>{} : std::vector<int>{row.code});
    EXPECT_EQ(test.window.Text("box"), "");
}

INSTANTIATE_TEST_SUITE_P(
    Runtime, AKey,
    ::testing::Values(
        KeyRow{"digit", {.key = Key::Character, .character = '5'}, nullptr, 53},
        KeyRow{"full stop", {.key = Key::Character, .character = '.'}, nullptr, 46},
        KeyRow{"keypad decimal", Press(Key::KeypadDecimal), nullptr, 44},
        KeyRow{"backspace", Press(Key::Backspace), nullptr, 8},
        KeyRow{"enter", Press(Key::Enter), nullptr, 13},
        KeyRow{"keypad enter", Press(Key::KeypadEnter), nullptr, 13},
        KeyRow{"ctrl enter", Press(Key::Enter, Ctrl), nullptr, 10},
        KeyRow{"escape", Press(Key::Escape), nullptr, 27},
        KeyRow{"ctrl a", CtrlPlus('a'), nullptr, 1}, KeyRow{"ctrl c", CtrlPlus('c'), nullptr, 3},
        KeyRow{"ctrl v", CtrlPlus('v'), nullptr, 22},
        KeyRow{"alt a", {.key = Key::Character, .character = 'a', .modifiers = Alt}, nullptr, -1},
        KeyRow{"delete", Press(Key::Delete), nullptr, -1},
        KeyRow{"left arrow", Press(Key::Left), nullptr, -1},
        KeyRow{"tab", Press(Key::Tab), nullptr, -1},
        KeyRow{"accented letter", {}, "\xc3\xa8", 0xE8}),
    ByRowName{});

TEST(Runtime, ACodeTheHandlerLeavesIsInsertedInsteadOfTheTypedOne) {
    TestForm test;
    test.box.OnKeyPress([](std::int16_t& code) {
        if (code == '.') {
            code = ',';
        }
    });
    test.Show();
    test.window.Type("1.5");
    EXPECT_EQ(test.window.Text("box"), "1,5");
}

}  // namespace
}  // namespace quorvela::test
