// The Windows form runtime through real window messages: keys and clicks
// posted to the controls and delivered by the runtime's own pumping (with
// the dialog manager), on the program's layout but with the tests' handlers.

#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include "runtime/win32/native.h"  // windows.h first

#include <doctest/doctest.h>

#include <string>
#include <thread>
#include <vector>

#include "runtime/dispatch.h"
#include "runtime/form.h"
#include "window/frmQuorvela.h"

namespace {

using namespace quorvela::runtime;
using quorvela::frmQuorvela;
using quorvela::RuntimeError;

HWND Hwnd(const TextBox& box) {
    return box.Native().hwnd;
}
HWND Hwnd(const ComboBox& box) {
    return box.Native().hwnd;
}
HWND Hwnd(const OptionButton& option) {
    return option.Native().hwnd;
}
HWND Hwnd(const CommandButton& button) {
    return button.Native().hwnd;
}
HWND ComboEdit(const ComboBox& box) {
    return GetWindow(Hwnd(box), GW_CHILD);
}

// A key pressed and released, as the keyboard driver posts it.
void PostKey(HWND target, WORD key) {
    const auto scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(target, WM_KEYDOWN, key, scan | 1);
    PostMessageW(target, WM_KEYUP, key, scan | 1 | static_cast<LPARAM>(0xC0000000U));
}

// Keys held down for what follows (TranslateMessage and the dialog manager read them).
class HeldKeys {
public:
    explicit HeldKeys(std::initializer_list<BYTE> keys) {
        GetKeyboardState(saved_);
        BYTE state[256];
        GetKeyboardState(state);
        for (const BYTE key : keys)
            state[key] = 0x80;
        SetKeyboardState(state);
    }
    ~HeldKeys() { SetKeyboardState(saved_); }
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

private:
    BYTE saved_[256];
};

void Type(HWND target, std::wstring_view text) {
    for (const wchar_t c : text)
        PostMessageW(target, WM_CHAR, c, 1);
    DoEvents();
}

std::wstring TextOf(HWND hwnd) {
    return WindowText(hwnd);
}

void SetClipboard(const std::wstring& text) {
    REQUIRE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::copy_n(text.c_str(), text.size() + 1, static_cast<wchar_t*>(GlobalLock(memory)));
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

// The program's window with no handlers of its own: the tests attach theirs.
struct Window {
    Form form{frmQuorvela::Layout()};
    TextBox txtPortata{form, "txtPortata"};
    TextBox txtQuorvela{form, "txtQuorvela"};
    TextBox txtLitriMinuto{form, "txtLitriMinuto"};
    ComboBox cboGiri{form, "cboGiri"};
    ComboBox cboColpi{form, "cboColpi"};
    ControlArray<OptionButton> optScelta{form, "optScelta", 2};
    CommandButton cmdCalcola{form, "cmdCalcola"};
    std::vector<std::string> events;

    Window() {
        for (const char* item : {"100", "1000"})
            cboGiri.AddItem(item);
        // The input filter of the window code: digits, backspace and the
        // comma; a full stop becomes a comma.
        for (TextBox* box : {&txtPortata, &txtQuorvela}) {
            box->OnKeyPress([this](std::int16_t& code) {
                events.push_back("KeyPress " + std::to_string(code));
                if (code == '.')
                    code = ',';
                if (!((code >= '0' && code <= '9') || code == 8 || code == ','))
                    code = 0;
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

    void Show() {
        Start(form);
        DoEvents();
        events.clear();
    }
};

}  // namespace

TEST_CASE("a typed character reaches the keystroke handler, which replaces or discards it") {
    struct Case {
        std::wstring typed;
        std::wstring shown;
    };
    const Case cases[] = {
        {L"50", L"50"}, {L"12.5", L"12,5"}, {L"1a-b2", L"12"}, {L"123\b", L"12"}, {L"7 e", L"7"},
    };
    for (const Case& c : cases) {
        Window window;
        window.Show();
        Type(Hwnd(window.txtPortata), c.typed);
        CHECK(TextOf(Hwnd(window.txtPortata)) == c.shown);
    }
}

TEST_CASE("Enter reaches the keystroke handler as 13, and as 10 with Ctrl held") {
    Window window;
    window.Show();
    PostKey(Hwnd(window.txtPortata), VK_RETURN);
    DoEvents();
    {
        const HeldKeys ctrl{VK_CONTROL};
        PostKey(Hwnd(window.txtPortata), VK_RETURN);
        DoEvents();
    }
    CHECK(window.events == std::vector<std::string>{"KeyPress 13", "KeyPress 10"});
}

TEST_CASE(
    "typing stops at the box's limit; text the program writes is shown whole, from its start") {
    Window window;
    window.Show();
    Type(Hwnd(window.txtPortata), L"123456789");
    CHECK(TextOf(Hwnd(window.txtPortata)) == L"1234567");
    window.txtQuorvela.SetText("6665,2E+07");
    CHECK(window.txtQuorvela.Text() == "6665,2E+07");
    // The first character stands inside the box, not scrolled off to the left.
    const LRESULT first = SendMessageW(Hwnd(window.txtQuorvela), EM_POSFROMCHAR, 0, 0);
    INFO("first character at x = ", static_cast<short>(LOWORD(first)));
    CHECK(static_cast<short>(LOWORD(first)) >= 0);
}

TEST_CASE("nothing but typing puts text into a box with a keystroke handler") {
    Window window;
    window.Show();
    HWND box = Hwnd(window.txtPortata);
    SetClipboard(L"12abc");
    SendMessageW(box, WM_PASTE, 0, 0);
    Type(box, L"\x16");  // Ctrl+V
    {
        const HeldKeys shift{VK_SHIFT};
        PostKey(box, VK_INSERT);
        DoEvents();
    }
    SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"9x9"));
    SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"9x9"));
    CHECK(TextOf(box).empty());
    // A box without a keystroke handler takes a paste, cut to its limit.
    SetClipboard(L"1234567890");
    SendMessageW(Hwnd(window.txtLitriMinuto), WM_PASTE, 0, 0);
    CHECK(TextOf(Hwnd(window.txtLitriMinuto)) == L"12345");
}

TEST_CASE("writing true to an option clears the other and raises Click before the write returns") {
    Window window;
    window.optScelta(0).SetValue(true);
    window.events.emplace_back("returned");
    window.optScelta(1).SetValue(true);
    window.optScelta(1).SetValue(true);  // no change: no Click
    CHECK(window.events ==
          std::vector<std::string>{"Click optScelta(0)", "returned", "Click optScelta(1)"});
    CHECK_FALSE(window.optScelta(0).Value());
    CHECK(SendMessageW(Hwnd(window.optScelta(0)), BM_GETCHECK, 0, 0) == BST_UNCHECKED);
    CHECK(SendMessageW(Hwnd(window.optScelta(1)), BM_GETCHECK, 0, 0) == BST_CHECKED);
}

TEST_CASE("a click on an option selects it and raises Click once") {
    Window window;
    window.Show();
    HWND option = Hwnd(window.optScelta(0));
    PostMessageW(option, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(option, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    DoEvents();
    CHECK(window.events == std::vector<std::string>{"Click optScelta(0)"});
    CHECK(window.optScelta(0).Value());
}

TEST_CASE(
    "a ListIndex write and a pick from the list raise Click with the pick shown; typing raises "
    "nothing") {
    Window window;
    window.cboGiri.SetListIndex(1);
    window.events.emplace_back("returned");
    CHECK_THROWS_AS(window.cboGiri.SetListIndex(2), RuntimeError);
    CHECK(window.events == std::vector<std::string>{"Click cboGiri 1000", "returned"});
    window.Show();
    window.cboGiri.SetFocus();
    PostKey(ComboEdit(window.cboGiri), VK_UP);
    DoEvents();
    Type(ComboEdit(window.cboGiri), L"25");
    CHECK(window.events == std::vector<std::string>{"Click cboGiri 100"});
    CHECK(window.cboGiri.Text().ends_with("25"));
}

TEST_CASE("SetFocus while the window is hidden raises error 5") {
    Window window;
    CHECK_THROWS_AS(window.txtQuorvela.SetFocus(), RuntimeError);
    CHECK_THROWS_AS(window.cboColpi.SetFocus(), RuntimeError);
    CHECK(window.events.empty());
}

TEST_CASE("showing the window gives the first control in tab order the focus, raising GotFocus") {
    Window window;
    Start(window.form);
    CHECK(window.events == std::vector<std::string>{"GotFocus txtPortata"});
    CHECK(GetFocus() == Hwnd(window.txtPortata));
}

TEST_CASE("SetFocus moves the focus and raises GotFocus before it returns") {
    Window window;
    window.Show();
    window.txtQuorvela.SetFocus();
    window.events.emplace_back("returned");
    window.txtQuorvela.SetFocus();  // already there: nothing moves
    CHECK(window.events == std::vector<std::string>{"GotFocus txtQuorvela", "returned"});
    CHECK(GetFocus() == Hwnd(window.txtQuorvela));
}

TEST_CASE("reactivating the window gives the focus back without GotFocus") {
    Window window;
    window.Show();
    window.txtQuorvela.SetFocus();
    window.events.clear();
    HWND other = CreateWindowExW(0, L"STATIC", L"altra", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                 100, 100, nullptr, nullptr, nullptr, nullptr);
    SetActiveWindow(other);
    DoEvents();
    SetActiveWindow(window.form.Native().hwnd);
    DoEvents();
    DestroyWindow(other);
    CHECK(GetFocus() == Hwnd(window.txtQuorvela));
    CHECK(window.events.empty());
}

TEST_CASE("SelStart 0 and SelLength of the text's length select the whole text") {
    Window window;
    window.txtPortata.SetText("12,5");
    window.txtPortata.SetSelStart(0);
    window.txtPortata.SetSelLength(4);
    DWORD start = 1;
    DWORD end = 0;
    SendMessageW(Hwnd(window.txtPortata), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    CHECK(start == 0);
    CHECK(end == 4);
}

TEST_CASE("Tab visits the controls in tab order, past the per-minute box, and wraps") {
    Window window;
    window.optScelta(1).SetValue(true);
    window.Show();
    const std::vector<HWND> order{Hwnd(window.txtQuorvela),   Hwnd(window.optScelta(1)),
                                  Hwnd(window.cmdCalcola),    ComboEdit(window.cboGiri),
                                  ComboEdit(window.cboColpi), Hwnd(window.txtPortata)};
    std::vector<HWND> visited;
    for (std::size_t i = 0; i < order.size(); ++i) {
        PostKey(GetFocus(), VK_TAB);
        DoEvents();
        visited.push_back(GetFocus());
    }
    CHECK(visited == order);
    const HeldKeys shift{VK_SHIFT};
    PostKey(GetFocus(), VK_TAB);
    DoEvents();
    CHECK(GetFocus() == ComboEdit(window.cboColpi));
}

TEST_CASE("Enter on the focused command button clicks it") {
    Window window;
    window.Show();
    SetFocus(Hwnd(window.cmdCalcola));
    PostKey(Hwnd(window.cmdCalcola), VK_RETURN);
    DoEvents();
    CHECK(window.events == std::vector<std::string>{"Click cmdCalcola"});
}

TEST_CASE("a burst of queued Enter keys is handled without nesting deeper and deeper") {
    Window window;
    window.Show();
    int handled = 0;
    int depth = 0;
    int deepest = 0;
    window.txtPortata.OnKeyPress([&](std::int16_t& code) {
        ++handled;
        deepest = std::max(deepest, ++depth);
        DoEvents();  // as the calculate command does
        --depth;
        code = 0;
    });
    for (int i = 0; i < 3000; ++i)
        PostKey(Hwnd(window.txtPortata), VK_RETURN);
    DoEvents();
    CHECK(handled == 3000);
    CHECK(deepest == 1);
}

// What a message box showed, read from another thread while it was open;
// then it is closed with OK.
struct ShownBox {
    std::wstring title;
    std::wstring prompt;
    int buttons = 0;
    LRESULT icon = 0;
};

template <class Action>
ShownBox ReadMessageBox(Action&& action) {
    ShownBox shown;
    std::thread closer([&] {
        HWND box = nullptr;
        for (int i = 0; i < 500 && box == nullptr; ++i) {
            Sleep(20);
            box = FindWindowW(L"#32770", nullptr);
        }
        if (box == nullptr)
            return;
        shown.title = WindowText(box);
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            wchar_t cls[32] = {};
            GetClassNameW(child, cls, 32);
            const LONG style = GetWindowLongW(child, GWL_STYLE);
            if (std::wstring(cls) == L"Button")
                ++shown.buttons;
            if (std::wstring(cls) == L"Static" && (style & SS_TYPEMASK) == SS_ICON) {
                shown.icon = SendMessageW(child, STM_GETICON, 0, 0);
            } else if (std::wstring(cls) == L"Static" && !WindowText(child).empty()) {
                shown.prompt = WindowText(child);
            }
        }
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    action();
    closer.join();
    return shown;
}

TEST_CASE("the message box shows the prompt and the title with one OK button, and waits") {
    Window window;
    window.Show();
    int answer = 0;
    const ShownBox shown =
        ReadMessageBox([&] { answer = MsgBox("Introduci un valore di 'giri' ", 48, "Quorvela"); });
    CHECK(answer == IDOK);
    CHECK(shown.title == L"Quorvela");
    CHECK(shown.prompt == L"Introduci un valore di 'giri' ");
    CHECK(shown.buttons == 1);
    CHECK(shown.icon == reinterpret_cast<LRESULT>(LoadIconW(nullptr, IDI_EXCLAMATION)));
}

TEST_CASE("an error that leaves a handler shows the runtime's error box, then ends the program") {
    Window window;
    window.Show();
    int exitStatus = 0;
    SetTerminateHandler([&](int status) { exitStatus = status; });
    window.cmdCalcola.OnClick([] { quorvela::Raise(quorvela::ErrorNumber::Overflow); });
    const ShownBox shown = ReadMessageBox([&] {
        PostMessageW(Hwnd(window.cmdCalcola), BM_CLICK, 0, 0);
        DoEvents();
    });
    SetTerminateHandler(nullptr);
    CHECK(shown.prompt == L"Errore di run-time '6':\n\nOverflow");
    CHECK(shown.icon == reinterpret_cast<LRESULT>(LoadIconW(nullptr, IDI_ERROR)));
    CHECK(exitStatus == 6);
}

TEST_CASE("the layout takes its pixels from the twips at 96 and at 144 dpi") {
    struct Case {
        UINT dpi;
        SIZE client;
        RECT portata;  // left, top, right, bottom in the client area
        LONG fontHeight;
    };
    const Case cases[] = {
        {96, {505, 340}, {56, 192, 56 + 81, 192 + 31}, -19},
        {144, {757, 510}, {84, 288, 84 + 121, 288 + 46}, -29},
    };
    for (const Case& c : cases) {
        Window window;
        HWND form = window.form.Native().hwnd;
        RECT suggested{};
        GetWindowRect(form, &suggested);
        SendMessageW(form, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(c.dpi, c.dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        RECT client{};
        GetClientRect(form, &client);
        CHECK(client.right == c.client.cx);
        CHECK(client.bottom == c.client.cy);
        RECT box{};
        GetWindowRect(Hwnd(window.txtPortata), &box);
        MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&box), 2);
        CHECK(box.left == c.portata.left);
        CHECK(box.top == c.portata.top);
        CHECK(box.right == c.portata.right);
        CHECK(box.bottom == c.portata.bottom);
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Hwnd(window.txtPortata), WM_GETFONT, 0, 0)),
                   sizeof font, &font);
        CHECK(font.lfHeight == c.fontHeight);
        CHECK(font.lfWeight == FW_BOLD);
    }
}

TEST_CASE("each control's tooltip carries the text the layout or the program gave it") {
    Window window;
    Label tempo{window.form, "lblDescrizione", 2};
    Image picture{window.form, "Image1"};
    tempo.SetToolTipText("a 1000 giri, 200 colpi si ottengono in 12 secondi");
    picture.SetToolTipText("a 1000 giri, 200 colpi si ottengono in 12 secondi");
    struct Case {
        HWND control;
        std::wstring tip;
    };
    const Case cases[] = {
        {Hwnd(window.txtPortata), L"Valore di portata"},
        {Hwnd(window.txtQuorvela), L"Inserire un valore di litri/h"},
        {tempo.Native().hwnd, L"a 1000 giri, 200 colpi si ottengono in 12 secondi"},
        {picture.Native().hwnd, L"a 1000 giri, 200 colpi si ottengono in 12 secondi"},
    };
    for (const Case& c : cases) {
        wchar_t text[128] = {};
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = window.form.Native().hwnd;
        tool.uId = reinterpret_cast<UINT_PTR>(c.control);
        tool.lpszText = text;
        SendMessageW(window.form.Native().toolTips, TTM_GETTEXTW, 128,
                     reinterpret_cast<LPARAM>(&tool));
        CHECK(std::wstring(text) == c.tip);
    }
}

TEST_CASE("texts take the colours of the layout and of the program") {
    Window window;
    window.optScelta(1).SetForeColor(0x000000FF);
    window.optScelta(0).SetForeColor(ColorButtonText);
    struct Case {
        HWND control;
        UINT message;
        COLORREF color;
    };
    const Case cases[] = {
        {Hwnd(window.txtPortata), WM_CTLCOLOREDIT, RGB(255, 0, 255)},
        {Hwnd(window.txtQuorvela), WM_CTLCOLOREDIT, RGB(0, 0, 255)},
        {Hwnd(window.txtLitriMinuto), WM_CTLCOLOREDIT, RGB(0, 0, 255)},
        {Hwnd(window.optScelta(1)), WM_CTLCOLORSTATIC, RGB(255, 0, 0)},
        {Hwnd(window.optScelta(0)), WM_CTLCOLORSTATIC, GetSysColor(COLOR_BTNTEXT)},
    };
    HDC dc = CreateCompatibleDC(nullptr);
    for (const Case& c : cases) {
        SetTextColor(dc, RGB(1, 2, 3));
        SendMessageW(window.form.Native().hwnd, c.message, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(c.control));
        CHECK(GetTextColor(dc) == c.color);
    }
    DeleteDC(dc);
}

namespace {

// The entries of the context menu that `control` opens, read while it is open.
std::vector<std::wstring> ContextMenuOf(HWND control) {
    std::vector<std::wstring> entries;
    std::thread reader([&] {
        HWND menu = nullptr;
        for (int i = 0; i < 500 && menu == nullptr; ++i) {
            Sleep(20);
            menu = FindWindowW(L"#32768", nullptr);
        }
        if (menu == nullptr)
            return;
        auto* items = reinterpret_cast<HMENU>(SendMessageW(menu, MN_GETHMENU, 0, 0));
        for (int i = 0; i < GetMenuItemCount(items); ++i) {
            wchar_t text[64] = {};
            if (GetMenuStringW(items, static_cast<UINT>(i), text, 64, MF_BYPOSITION) > 0) {
                entries.emplace_back(text);
            }
        }
        PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    SendMessageW(control, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control), -1);
    reader.join();
    return entries;
}

}  // namespace

TEST_CASE("the edit menus speak Italian; the boxes' offers nothing that puts text in") {
    Window window;
    window.Show();
    CHECK(ContextMenuOf(Hwnd(window.txtPortata)) ==
          std::vector<std::wstring>{L"Copia", L"Seleziona tutto"});
    CHECK(ContextMenuOf(ComboEdit(window.cboGiri)) ==
          std::vector<std::wstring>{L"Annulla", L"Taglia", L"Copia", L"Incolla", L"Elimina",
                                    L"Seleziona tutto"});
}
