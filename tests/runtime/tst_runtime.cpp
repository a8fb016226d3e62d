// The form runtime's contract, on the program's layout with handlers of the
// tests' own: the events it raises and when, what reaches a keystroke
// handler, what the controls show, the message boxes, the error boundary.
// Driven through real input (driver.h) on both runtimes.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "driver.h"
#include "quorvela/version.h"
#include "runtime/controls.h"
#include "runtime/dispatch.h"
#include "runtime/error_modes.h"
#include "runtime/form.h"
#include "window/frmQuorvela.h"

#ifdef _WIN32
#include "runtime/win32/native.h"  // windows.h: the Windows-only rows
#endif

namespace quorvela::test {
namespace {

using namespace runtime;

constexpr OleColor Red = 0x000000FFU;

using Events = std::vector<std::string>;

// The program's window with no handlers of its own: the tests attach theirs
// and note every event they raise.
class Contract : public ::testing::Test {
protected:
    Contract() {
        for (const char* item : {"100", "1000"}) {
            cboGiri.AddItem(item);
        }
        for (TextBox* box : {&txtPortata, &txtQuorvela}) {
            box->OnKeyPress([this](std::int16_t& code) {
                events.push_back("KeyPress " + std::to_string(code));
                code = filter(code);
            });
        }
        txtPortata.OnGotFocus([this] { events.emplace_back("GotFocus txtPortata"); });
        txtQuorvela.OnGotFocus([this] { events.emplace_back("GotFocus txtQuorvela"); });
        for (std::int16_t i = 0; i < 2; ++i) {
            optScelta(i).OnClick([this](std::int16_t& Index) {
                events.push_back("Click optScelta(" + std::to_string(Index) + ")");
            });
        }
        cboGiri.OnClick([this] { events.push_back("Click cboGiri " + cboGiri.Text()); });
        cmdCalcola.OnClick([this] { events.emplace_back("Click cmdCalcola"); });
    }

    void TearDown() override {
        for (const std::string& box : window.Unexpected()) {
            ADD_FAILURE() << "unexpected message box: " << box;
        }
    }

    // Shown as the program is shown; the events of the show forgotten.
    void Show() {
        Start(form);
        ASSERT_TRUE(window.RunUntil([this] { return window.Active(); }, std::chrono::seconds(5)));
        events.clear();
    }

    // The window's filter: digits, backspace and the comma; a full stop
    // becomes a comma.
    std::function<std::int16_t(std::int16_t)> filter = [](std::int16_t code) -> std::int16_t {
        if (code == '.') {
            return ',';
        }
        return (code >= '0' && code <= '9') || code == 8 || code == ',' ? code : std::int16_t{0};
    };

    Form form{frmQuorvela::Layout()};
    TextBox txtPortata{form, "txtPortata"};
    TextBox txtQuorvela{form, "txtQuorvela"};
    TextBox txtLitriMinuto{form, "txtLitriMinuto"};
    ComboBox cboGiri{form, "cboGiri"};
    ComboBox cboColpi{form, "cboColpi"};
    ControlArray<OptionButton> optScelta{form, "optScelta", 2};
    ControlArray<Label> lblDescrizione{form, "lblDescrizione", 6};
    Image Image1{form, "Image1"};
    CommandButton cmdCalcola{form, "cmdCalcola"};
    Driver window{form, frmQuorvela::Layout()};
    Events events;
};

// ------------------------------------------------------------ error modes

TEST(ErrorModes, SkipAbandonsOneStatementAndLeaveEndsTheHandler) {
    std::vector<std::string> trace;
    SkipOnError([&] {
        trace.emplace_back("a");
        Raise(ErrorNumber::TypeMismatch);
        trace.emplace_back("x");
    });
    SkipOnError([&] { trace.emplace_back("b"); });
    LeaveOnError([&] {
        trace.emplace_back("c");
        Raise(ErrorNumber::DivisionByZero);
        trace.emplace_back("y");
    });
    EXPECT_EQ(trace, (std::vector<std::string>{"a", "b", "c"}));
}

struct Fatal {
    ErrorNumber number;
    const char* description;
};

class AnErrorLeavingAHandler : public Contract, public ::testing::WithParamInterface<Fatal> {};

TEST_P(AnErrorLeavingAHandler, ShowsTheRuntimesBoxThenEndsTheProgramWithItsNumber) {
    const auto [number, description] = GetParam();
    Show();
    int status = 0;
    SetTerminateHandler([&](int exitStatus) { status = exitStatus; });
    cmdCalcola.OnClick([number = number] { Raise(number); });
    window.ExpectMessageBox();
    window.Click("cmdCalcola");
    SetTerminateHandler(nullptr);
    ASSERT_EQ(window.Boxes().size(), 1U);
    const SeenBox& box = window.Boxes().front();
    EXPECT_EQ(box.text, "Errore di run-time '" + std::to_string(static_cast<int>(number)) +
                            "':\n\n" + description);
    EXPECT_EQ(box.title, version::ApplicationName);  // from the identity given to Application
    EXPECT_EQ(box.icon, BoxIcon::Critical);
    EXPECT_EQ(box.buttons, 1);
    EXPECT_EQ(status, static_cast<int>(number));
}
INSTANTIATE_TEST_SUITE_P(
    Contract, AnErrorLeavingAHandler,
    ::testing::Values(Fatal{ErrorNumber::InvalidProcedureCall,
                            "Chiamata di routine o argomento non validi"},
                      Fatal{ErrorNumber::Overflow, "Overflow"},
                      Fatal{ErrorNumber::DivisionByZero, "Divisione per zero"},
                      Fatal{ErrorNumber::TypeMismatch, "Tipo non corrispondente"}),
    [](const auto& row) { return std::to_string(static_cast<int>(row.param.number)); });

TEST_F(Contract, TheMessageBoxShowsPromptTitleOneOkButtonAndTheExclamationAndWaits) {
    Show();
    window.ExpectMessageBox();
    EXPECT_EQ(MsgBox("Introduci un valore di 'giri' ", 48, "Quorvela"), 1);
    ASSERT_EQ(window.Boxes().size(), 1U);
    const SeenBox& box = window.Boxes().front();
    EXPECT_EQ(box.title, "Quorvela");
    EXPECT_EQ(box.text, "Introduci un valore di 'giri' ");
    EXPECT_EQ(box.buttons, 1);
    EXPECT_EQ(box.icon, BoxIcon::Exclamation);
}

// ------------------------------------------------------------- keystrokes

struct Keystroke {
    const char* name;
    Stroke stroke;
    int code;  // -1: no KeyPress
};

class AKeystroke : public Contract, public ::testing::WithParamInterface<Keystroke> {};

TEST_P(AKeystroke, ReachesTheKeystrokeHandlerAsItsCharacterCode) {
    const Keystroke& row = GetParam();
    Show();
    window.Press(row.stroke);
    const Events expected =
        row.code < 0 ? Events{} : Events{"KeyPress " + std::to_string(row.code)};
    EXPECT_EQ(events, expected);
}
INSTANTIATE_TEST_SUITE_P(
    Contract, AKeystroke,
    ::testing::Values(
        Keystroke{"Digit", {.character = '5'}, 53}, Keystroke{"FullStop", {.character = '.'}, 46},
        Keystroke{"Letter", {.character = 'a'}, 97}, Keystroke{"Blank", Press(Key::Space), 32},
        Keystroke{"Backspace", Press(Key::Backspace), 8}, Keystroke{"Enter", Press(Key::Enter), 13},
        Keystroke{"KeypadEnter", Press(Key::KeypadEnter), 13},
        Keystroke{"CtrlEnter", Press(Key::Enter, Ctrl), 10},
        Keystroke{"Escape", Press(Key::Escape), 27},
        Keystroke{"KeypadDecimal", Press(Key::KeypadDecimal), 44},
        Keystroke{"CtrlA", CtrlPlus('a'), 1}, Keystroke{"CtrlC", CtrlPlus('c'), 3},
        Keystroke{"CtrlV", CtrlPlus('v'), 22}, Keystroke{"CtrlX", CtrlPlus('x'), 24},
        Keystroke{"CtrlZ", CtrlPlus('z'), 26},
        Keystroke{"AltDigit", {.character = '5', .modifiers = Alt}, -1},
        Keystroke{"LeftArrow", Press(Key::Left), -1}, Keystroke{"Delete", Press(Key::Delete), -1},
        Keystroke{"Home", Press(Key::Home), -1}),
    [](const auto& row) { return row.param.name; });

TEST_F(Contract, ACharacterNoKeyTypesReachesTheHandlerWithItsCode) {
    Show();
    window.Type("è");
    EXPECT_EQ(events, (Events{"KeyPress 232"}));
}

struct Typing {
    const char* name;
    const char* typed;
    const char* shown;
};

class TypedCharacters : public Contract, public ::testing::WithParamInterface<Typing> {};

TEST_P(TypedCharacters, AreInsertedAsTheHandlerLeavesThemUpToTheTypingLimit) {
    const Typing& row = GetParam();
    Show();
    window.Type(row.typed);
    EXPECT_EQ(window.Text("txtPortata"), row.shown);
}
INSTANTIATE_TEST_SUITE_P(Contract, TypedCharacters,
                         ::testing::Values(Typing{"Digits", "50", "50"},
                                           Typing{"FullStopReplaced", "12.5", "12,5"},
                                           Typing{"OthersDiscarded", "1a-b2 e", "12"},
                                           Typing{"StopsAtTheLimit", "123456789", "1234567"}),
                         [](const auto& row) { return row.param.name; });

TEST_F(Contract, BackspacePassesAndDeletesTheCharacterBeforeTheCursor) {
    Show();
    window.Type("123");
    window.Press(Key::Backspace);
    EXPECT_EQ(window.Text("txtPortata"), "12");
    EXPECT_EQ(events.back(), "KeyPress 8");
}

TEST_F(Contract, CtrlASelectsTheWholeTextSoTheNextDigitReplacesIt) {
    Show();
    window.Type("123");
    window.Press(CtrlPlus('a'));
    EXPECT_EQ(window.SelectionOf("txtPortata"), (Selection{.start = 0, .length = 3}));
    window.Type("9");
    EXPECT_EQ(window.Text("txtPortata"), "9");
}

struct Bypass {
    const char* name;
    std::function<void(Driver&)> act;
};

class NothingButTyping : public Contract, public ::testing::WithParamInterface<Bypass> {};

// A box with a keystroke handler: no paste, no outside writer gets past it.
TEST_P(NothingButTyping, PutsTextIntoABoxWithAKeystrokeHandler) {
    Show();
    window.Type("7");
    window.SetClipboard("12abc");
    GetParam().act(window);
    EXPECT_EQ(window.Text("txtPortata"), "7");
}
INSTANTIATE_TEST_SUITE_P(
    Contract, NothingButTyping,
    ::testing::Values(Bypass{"CtrlV", [](Driver& d) { d.Press(CtrlPlus('v')); }},
                      Bypass{"ShiftInsert", [](Driver& d) { d.Press(Key::Insert, Shift); }},
                      Bypass{"WriteFromOutside",
                             [](Driver& d) { d.WriteFromOutside("txtPortata", "9x9"); }}),
    [](const auto& row) { return row.param.name; });

// txtLitriMinuto has no keystroke handler: a paste is cut to what the
// typing limit leaves, and only its first line is taken.
TEST_F(Contract, APasteIntoABoxWithoutAHandlerTakesItsFirstLineCutToTheLimit) {
    Show();
    window.Click("txtLitriMinuto");
    window.Type("1");
    window.SetClipboard("1234567890\n42");
    window.Press(CtrlPlus('v'));
    EXPECT_EQ(window.Text("txtLitriMinuto"), "11234");
}

TEST_F(Contract, NoOutsideWriterPutsTextIntoABoxTheProgramWrites) {
    txtLitriMinuto.SetText("0,25");
    Show();
    window.WriteFromOutside("txtLitriMinuto", "99");
    EXPECT_EQ(window.Text("txtLitriMinuto"), "0,25");
    EXPECT_EQ(txtLitriMinuto.Text(), "0,25");
}

// The program writes past the limit; only typing is bound by it.
TEST_F(Contract, TextTheProgramWritesIsShownWholeBeyondTheTypingLimit) {
    txtQuorvela.SetText("6665,2E+07");
    EXPECT_EQ(txtQuorvela.Text(), "6665,2E+07");
    EXPECT_EQ(window.Text("txtQuorvela"), "6665,2E+07");
}

TEST_F(Contract, SelStartAndSelLengthOfTheTextsLengthSelectTheWholeText) {
    txtPortata.SetText("12,5");
    txtPortata.SetSelStart(0);
    txtPortata.SetSelLength(4);
    EXPECT_EQ(window.SelectionOf("txtPortata"), (Selection{.start = 0, .length = 4}));
}

// ------------------------------------------------- options and combo boxes

TEST_F(Contract, WritingTrueToAnOptionClearsTheOtherAndRaisesClickBeforeTheWriteReturns) {
    optScelta(0).SetValue(true);
    events.emplace_back("returned");
    optScelta(1).SetValue(true);
    optScelta(1).SetValue(true);  // no change: no Click
    EXPECT_EQ(events, (Events{"Click optScelta(0)", "returned", "Click optScelta(1)"}));
    EXPECT_FALSE(optScelta(0).Value());
    EXPECT_FALSE(window.Checked("optScelta(0)"));
    EXPECT_TRUE(window.Checked("optScelta(1)"));
}

TEST_F(Contract, AClickOnAnOptionSelectsItAndRaisesClickOnce) {
    Show();
    window.Click("optScelta(0)");
    EXPECT_EQ(events, (Events{"Click optScelta(0)"}));
    EXPECT_TRUE(optScelta(0).Value());
    EXPECT_TRUE(window.Checked("optScelta(0)"));
}

TEST_F(Contract, AListIndexWriteRaisesClickWithThePickShownBeforeItReturns) {
    cboGiri.SetListIndex(1);
    events.emplace_back("returned");
    EXPECT_THROW(cboGiri.SetListIndex(2), RuntimeError);
    EXPECT_EQ(events, (Events{"Click cboGiri 1000", "returned"}));
}

struct Pick {
    const char* name;
    std::function<void(Driver&)> act;
    Events raised;
    const char* shown;
};

class APick : public Contract, public ::testing::WithParamInterface<Pick> {};

TEST_P(APick, RaisesClickOnlyWhenAnItemIsTaken) {
    const Pick& row = GetParam();
    cboGiri.SetListIndex(1);
    Show();
    row.act(window);
    EXPECT_EQ(events, row.raised);
    EXPECT_EQ(window.Text("cboGiri"), row.shown);
    EXPECT_FALSE(window.ListOpen("cboGiri"));
}
INSTANTIATE_TEST_SUITE_P(
    Contract, APick,
    ::testing::Values(Pick{"ClickInTheList",
                           [](Driver& d) { d.PickFromList("cboGiri", "100"); },
                           {"Click cboGiri 100"},
                           "100"},
                      Pick{"ArrowOnTheClosedBox",
                           [](Driver& d) { d.PickByKeyboard("cboGiri", "100"); },
                           {"Click cboGiri 100"},
                           "100"},
                      Pick{"ArrowsInTheOpenListThenEnter",
                           [](Driver& d) {
                               d.OpenList("cboGiri");
                               d.Press(Key::Up);
                               d.Press(Key::Down);
                               d.Press(Key::Up);
                               d.Press(Key::Enter);
                           },
                           {"Click cboGiri 100"},
                           "100"},
                      Pick{"ArrowInTheOpenListThenEscape",
                           [](Driver& d) {
                               d.OpenList("cboGiri");
                               d.Press(Key::Up);
                               d.Press(Key::Escape);
                           },
                           {},
                           "1000"},
                      Pick{"TypedTextThenArrowInTheOpenListThenEscape",
                           [](Driver& d) {
                               d.TypeIntoCombo("cboGiri", "25");
                               d.OpenList("cboGiri");
                               d.Press(Key::Down);
                               d.Press(Key::Escape);
                           },
                           {},
                           "25"},
                      Pick{"Typing", [](Driver& d) { d.TypeIntoCombo("cboGiri", "25"); }, {}, "25"},
                      // Closing the list with its arrow takes nothing.
                      Pick{"ListClosedWithItsArrow",
                           [](Driver& d) {
                               d.OpenList("cboGiri");
                               d.OpenList("cboGiri");
                           },
                           {},
                           "1000"},
                      Pick{"WheelOnTheClosedBox",
                           [](Driver& d) { d.Wheel("cboGiri", true); },
                           {"Click cboGiri 100"},
                           "100"}),
    [](const auto& row) { return row.param.name; });

// ------------------------------------------------------------------ focus

TEST_F(Contract, SetFocusWhileTheWindowIsHiddenRaisesFive) {
    for (const auto& setFocus : std::vector<std::function<void()>>{
             [this] { txtQuorvela.SetFocus(); }, [this] { cboColpi.SetFocus(); }}) {
        try {
            setFocus();
            ADD_FAILURE() << "the focus moved into a hidden window";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.code(), 5);
        }
    }
    EXPECT_TRUE(events.empty());
}

TEST_F(Contract, ShowingTheWindowFocusesTheFirstControlInTabOrderRaisingGotFocus) {
    Start(form);
    EXPECT_EQ(events, (Events{"GotFocus txtPortata"}));
    EXPECT_EQ(window.Focused(), "txtPortata");
}

TEST_F(Contract, SetFocusMovesTheFocusAndRaisesGotFocusBeforeItReturns) {
    Show();
    txtQuorvela.SetFocus();
    events.emplace_back("returned");
    txtQuorvela.SetFocus();  // already there: nothing moves
    EXPECT_EQ(events, (Events{"GotFocus txtQuorvela", "returned"}));
    EXPECT_EQ(window.Focused(), "txtQuorvela");
}

TEST_F(Contract, ReactivatingTheWindowGivesTheFocusBackWithoutGotFocus) {
    Show();
    txtQuorvela.SetFocus();
    events.clear();
    window.ActivateAnotherWindow();
    EXPECT_FALSE(window.Active());
    window.Activate();
    EXPECT_TRUE(window.Active());
    EXPECT_EQ(window.Focused(), "txtQuorvela");
    EXPECT_TRUE(events.empty());
}

// Into the option group, Tab lands on the selected option.
TEST_F(Contract, TabVisitsTheControlsInTabOrderPastThePerMinuteBoxAndWraps) {
    optScelta(1).SetValue(true);
    Show();
    const std::vector<std::string> order{"txtQuorvela", "optScelta(1)", "cmdCalcola",
                                         "cboGiri",     "cboColpi",     "txtPortata"};
    std::vector<std::string> visited;
    for (std::size_t i = 0; i < order.size(); ++i) {
        window.Press(Key::Tab);
        visited.push_back(window.Focused());
    }
    EXPECT_EQ(visited, order);
    window.Press(Key::Tab, Shift);
    EXPECT_EQ(window.Focused(), "cboColpi");
}

TEST_F(Contract, EnterOnTheFocusedCommandButtonClicksIt) {
    Show();
    cmdCalcola.OnClick([this] { events.push_back("Click cmdCalcola " + window.Focused()); });
    window.Press(Key::Tab, Shift);
    window.Press(Key::Tab, Shift);
    window.Press(Key::Tab, Shift);
    ASSERT_EQ(window.Focused(), "cmdCalcola");
    events.clear();
    window.Press(Key::Enter);
    EXPECT_EQ(events, (Events{"Click cmdCalcola cmdCalcola"}));
}

// Each Enter runs a handler that lets events run, as the calculate command
// does: they are handled one after another, not nested ever deeper. (Qt
// queues input only on a display server: tst_queued_input.)
#ifdef _WIN32
TEST_F(Contract, QueuedEnterKeysAreHandledInTurnWithoutNesting) {
    Show();
    constexpr int Count = 300;
    int handled = 0;
    int depth = 0;
    int deepest = 0;
    filter = [&](std::int16_t) -> std::int16_t {
        ++handled;
        deepest = std::max(deepest, ++depth);
        DoEvents();
        --depth;
        return 0;
    };
    window.QueueKeys(Key::Enter, Count);
    EXPECT_TRUE(window.RunUntil([&] { return handled == Count; }, std::chrono::seconds(60)));
    EXPECT_EQ(handled, Count);
    // The handler's own run of events delivers the next key, whose run returns at once.
    EXPECT_LE(deepest, 2);
}
#endif

// ------------------------------------------------------------- the looks

TEST_F(Contract, EachControlCarriesTheTooltipOfTheLayoutOrOfTheProgram) {
    const std::string description = "a 1000 giri, 200 colpi si ottengono in 12 secondi";
    lblDescrizione(2).SetToolTipText(description);
    Image1.SetToolTipText(description);
    EXPECT_EQ(window.ToolTip("txtPortata"), "Valore di portata");
    EXPECT_EQ(window.ToolTip("txtQuorvela"), "Inserire un valore di litri/h");
    EXPECT_EQ(window.ToolTip("lblDescrizione(2)"), description);
    EXPECT_EQ(window.ToolTip("Image1"), description);
    EXPECT_EQ(window.ToolTip("txtLitriMinuto"), "");
}

TEST_F(Contract, TextsTakeTheColoursOfTheLayoutAndOfTheProgram) {
    optScelta(1).SetForeColor(Red);
    optScelta(0).SetForeColor(ColorButtonText);
    EXPECT_EQ(window.ForeColor("txtPortata"), 0x00FF00FFU);
    EXPECT_EQ(window.ForeColor("txtQuorvela"), 0x00FF0000U);
    EXPECT_EQ(window.ForeColor("txtLitriMinuto"), 0x00FF0000U);
    EXPECT_EQ(window.ForeColor("optScelta(1)"), Red);
    EXPECT_EQ(window.ForeColor("optScelta(0)"), window.SystemColor(ColorButtonText));
}

TEST_F(Contract, FontBoldWritesShowAtOnce) {
    optScelta(0).SetFontBold(true);
    lblDescrizione(3).SetFontBold(true);
    EXPECT_TRUE(window.Bold("optScelta(0)"));
    EXPECT_TRUE(window.Bold("lblDescrizione(3)"));
    optScelta(0).SetFontBold(false);
    EXPECT_FALSE(window.Bold("optScelta(0)"));
    EXPECT_DOUBLE_EQ(window.FontPoints("optScelta(0)"), 11.25);
}

// Each input by the caption above it, whatever it holds.
TEST_F(Contract, AScreenReaderNamesEachInputByItsCaption) {
    cboGiri.SetListIndex(1);
    txtPortata.SetText("50");
    for (const auto& [control, caption] :
         std::vector<std::pair<const char*, const char*>>{{"cboGiri", "Giri"},
                                                          {"cboColpi", "Colpi"},
                                                          {"txtPortata", "Portata cm³"},
                                                          {"txtQuorvela", "litri/ora"},
                                                          {"txtLitriMinuto", "litri/min"}}) {
        EXPECT_EQ(window.AccessibleOf(control).name, caption) << control;
    }
}

// The layout's twips, 15 to a pixel at 96 dpi, combo boxes included.
TEST_F(Contract, ControlsStandInTheLayoutsPixels) {
    EXPECT_EQ(window.Geometry("txtPortata"), (Rect{56, 192, 81, 31}));
    EXPECT_EQ(window.Geometry("cboGiri"), (Rect{56, 76, 81, 31}));
    EXPECT_EQ(window.Geometry("cboColpi"), (Rect{184, 76, 81, 31}));
    EXPECT_EQ(window.Geometry("cmdCalcola"), (Rect{304, 240, 121, 35}));
}

#ifdef _WIN32
// ------------------------------------------------- Windows: 144 dpi

// Windows moves a per-monitor aware window to a denser monitor with
// WM_DPICHANGED; the window lays itself out again from the twips.
struct Density {
    UINT dpi;
    SIZE client;
    Rect portata;
    Rect giri;
    LONG fontHeight;
};

class AtADensity : public Contract, public ::testing::WithParamInterface<Density> {};

TEST_P(AtADensity, TheLayoutTakesItsPixelsFromTheTwips) {
    const Density& row = GetParam();
    HWND hwnd = form.Native().hwnd;
    RECT suggested{};
    GetWindowRect(hwnd, &suggested);
    SendMessageW(hwnd, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(row.dpi, row.dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    RECT client{};
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, row.client.cx);
    EXPECT_EQ(client.bottom, row.client.cy);
    EXPECT_EQ(window.Geometry("txtPortata"), row.portata);
    EXPECT_EQ(window.Geometry("cboGiri"), row.giri);
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(txtPortata.Native().hwnd, WM_GETFONT, 0, 0)),
               sizeof font, &font);
    EXPECT_EQ(font.lfHeight, row.fontHeight);
    EXPECT_TRUE(window.Bold("txtPortata"));
}
INSTANTIATE_TEST_SUITE_P(
    Contract, AtADensity,
    ::testing::Values(Density{96, {505, 340}, {56, 192, 81, 31}, {56, 76, 81, 31}, -19},
                      Density{144, {757, 510}, {84, 288, 121, 46}, {84, 114, 121, 46}, -29}),
    [](const auto& row) { return std::to_string(row.param.dpi) + "Dpi"; });

// A figure longer than its box shows its beginning, not its end.
TEST_F(Contract, ALongFigureShowsItsFirstCharacterInsideTheBox) {
    txtQuorvela.SetText("6665,2E+07");
    const LRESULT first = SendMessageW(txtQuorvela.Native().hwnd, EM_POSFROMCHAR, 0, 0);
    EXPECT_GE(static_cast<short>(LOWORD(first)), 0);
}
#endif

}  // namespace
}  // namespace quorvela::test
