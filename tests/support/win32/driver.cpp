// The driver on the Windows API, in the test's own process and thread: keys
// and mouse buttons are posted to the window under the point or with the
// focus, with the keyboard state set for the modifiers so that
// TranslateMessage and the dialog manager see them, and delivered by the
// runtime's own pumping. Looks read the controls through their messages.
// Message boxes, menus and what reaches the controls are seen through
// message hooks of the thread.

#include "driver.h"

#include "runtime/win32/native.h"  // windows.h first; the controls' window ids

#include <imm.h>
#include <ole2.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <deque>
#include <map>
#include <stdexcept>
#include <thread>

namespace quorvela::test {

using runtime::Narrow;
using runtime::Widen;
using runtime::WindowText;

namespace {

using Clock = std::chrono::steady_clock;

std::wstring ClassOf(HWND hwnd) {
    std::array<wchar_t, 64> name{};
    GetClassNameW(hwnd, name.data(), static_cast<int>(name.size()));
    return name.data();
}

bool IsClass(HWND hwnd, std::wstring_view cls) {
    return _wcsicmp(ClassOf(hwnd).c_str(), std::wstring(cls).c_str()) == 0;
}

// An enumeration's callback: a window procedure's calling convention, which
// a lambda cannot take on 32-bit Windows.
BOOL CALLBACK FindOpenMenu(HWND hwnd, LPARAM found) {
    if (IsClass(hwnd, L"#32768") && IsWindowVisible(hwnd) != FALSE) {
        // `found` points to the caller's window handle.
        *reinterpret_cast<HWND*>(found) = hwnd;
        return FALSE;
    }
    return TRUE;
}

// "optScelta(1)" -> {"optScelta", 1}; "txtPortata" -> {"txtPortata", NoIndex}.
std::pair<std::string_view, int> SplitName(std::string_view control) {
    const auto open = control.find('(');
    if (open == std::string_view::npos || control.back() != ')') {
        return {control, runtime::NoIndex};
    }
    return {control.substr(0, open),
            std::stoi(std::string(control.substr(open + 1, control.size() - open - 2)))};
}

Selection EditSelection(HWND edit) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {.start = static_cast<int>(start), .length = static_cast<int>(end - start)};
}

// Where the caret stands: at one end of the selection.
int EditCursor(HWND edit) {
    const Selection selection = EditSelection(edit);
    POINT caret{};
    if (selection.length == 0 || GetFocus() != edit || GetCaretPos(&caret) == FALSE) {
        return selection.start + selection.length;
    }
    const LRESULT start =
        SendMessageW(edit, EM_POSFROMCHAR, static_cast<WPARAM>(selection.start), 0);
    return static_cast<short>(LOWORD(start)) == caret.x ? selection.start
                                                        : selection.start + selection.length;
}

struct VirtualKey {
    UINT code = 0;
    bool extended = false;
};

VirtualKey VirtualKeyOf(Key key) {
    switch (key) {
        case Key::Enter:
            return {VK_RETURN, false};
        case Key::KeypadEnter:
            return {VK_RETURN, true};
        case Key::KeypadDecimal:
            return {VK_DECIMAL, false};
        case Key::Tab:
            return {VK_TAB, false};
        case Key::Escape:
            return {VK_ESCAPE, false};
        case Key::Space:
            return {VK_SPACE, false};
        case Key::Backspace:
            return {VK_BACK, false};
        case Key::Delete:
            return {VK_DELETE, true};
        case Key::Insert:
            return {VK_INSERT, true};
        case Key::Left:
            return {VK_LEFT, true};
        case Key::Right:
            return {VK_RIGHT, true};
        case Key::Up:
            return {VK_UP, true};
        case Key::Down:
            return {VK_DOWN, true};
        case Key::Home:
            return {VK_HOME, true};
        case Key::End:
            return {VK_END, true};
        case Key::PageDown:
            return {VK_NEXT, true};
        case Key::F4:
            return {VK_F4, false};
        case Key::Character:
        case Key::Paste:
            break;
    }
    return {};
}

// The modifiers held while posted keys are translated and delivered:
// TranslateMessage and the dialog manager read the thread's keyboard state.
class HeldModifiers {
public:
    explicit HeldModifiers(Modifiers modifiers) {
        GetKeyboardState(saved_.data());
        std::array<BYTE, 256> state = saved_;
        const auto hold = [&](std::initializer_list<int> keys, bool down) {
            for (const int key : keys) {
                state.at(static_cast<std::size_t>(key)) = down ? 0x80 : 0;
            }
        };
        hold({VK_SHIFT, VK_LSHIFT}, (modifiers & Shift) != 0);
        hold({VK_CONTROL, VK_LCONTROL}, (modifiers & Ctrl) != 0);
        hold({VK_MENU, VK_LMENU}, (modifiers & Alt) != 0);
        SetKeyboardState(state.data());
    }
    ~HeldModifiers() { SetKeyboardState(saved_.data()); }
    HeldModifiers(const HeldModifiers&) = delete;
    HeldModifiers& operator=(const HeldModifiers&) = delete;
    HeldModifiers(HeldModifiers&&) = delete;
    HeldModifiers& operator=(HeldModifiers&&) = delete;

private:
    std::array<BYTE, 256> saved_{};
};

// A key pressed and released as the keyboard driver posts it; Alt makes
// the system keys of the menu bar.
void PostKey(HWND target, VirtualKey key, Modifiers modifiers) {
    const bool system = (modifiers & Alt) != 0 && (modifiers & Ctrl) == 0;
    const auto scan = static_cast<LPARAM>(MapVirtualKeyW(key.code, MAPVK_VK_TO_VSC));
    LPARAM lParam = 1 | (scan << 16);
    if (key.extended) {
        lParam |= LPARAM{1} << 24;
    }
    if ((modifiers & Alt) != 0) {
        lParam |= LPARAM{1} << 29;
    }
    PostMessageW(target, system ? WM_SYSKEYDOWN : WM_KEYDOWN, key.code, lParam);
    PostMessageW(target, system ? WM_SYSKEYUP : WM_KEYUP, key.code,
                 lParam | static_cast<LPARAM>(0xC0000000U));
}

bool OpenClipboardPatiently() {
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (OpenClipboard(nullptr) != FALSE) {
            return true;
        }
        Sleep(10);
    }
    return false;
}

std::string BstrToUtf8(BSTR text) {
    std::string result = text != nullptr ? Narrow(std::wstring_view(text, SysStringLen(text))) : "";
    SysFreeString(text);
    return result;
}

std::string MenuLabel(std::wstring text) {
    text = text.substr(0, text.find(L'\t'));
    std::erase(text, L'&');
    return Narrow(text);
}

BoxIcon IconOf(HICON icon) {
    if (icon == nullptr) {
        return BoxIcon::None;
    }
    const std::array<std::pair<LPCWSTR, BoxIcon>, 4> known{{
        {IDI_HAND, BoxIcon::Critical},
        {IDI_QUESTION, BoxIcon::Question},
        {IDI_EXCLAMATION, BoxIcon::Exclamation},
        {IDI_ASTERISK, BoxIcon::Information},
    }};
    for (const auto& [id, kind] : known) {
        if (LoadIconW(nullptr, id) == icon) {
            return kind;
        }
    }
    return BoxIcon::None;
}

}  // namespace

// ------------------------------------------------------------------ state

struct Driver::Native {
    Native(runtime::Form& form, const runtime::FormLayout& layout, BoxLog& boxes)
        : form(form), layout(layout), boxes(boxes) {}

    runtime::Form& form;
    const runtime::FormLayout& layout;

    BoxLog& boxes;

    std::function<void(const Reached&)> sink;
    // A key that reached a text box, held until its character is known.
    std::optional<Reached> pendingKey;
    HWND pendingKeyBox = nullptr;
    // Reports made while a pick's handler runs come after the pick's own.
    struct PickUnderWay {
        HWND combo;
        WORD endsOn;  // the notification whose answer ends it; 0: the input's end
        std::string item;
        std::size_t heldFrom;
    };
    std::vector<PickUnderWay> picks;
    std::vector<Reached> held;
    // The combo box whose open list closes on an item taken.
    HWND takenFrom = nullptr;

    // The context menu under way: what was read, what to take.
    std::vector<MenuEntry> menuEntries;
    std::string menuTake;
    bool menuSeen = false;

    HWND otherWindow = nullptr;
    std::array<HHOOK, 3> hooks{};
    // Tasks to queue behind the input of the next action, and those queued.
    std::vector<std::function<void()>> tasks;
    std::deque<std::function<void()>> posted;
    HWND taskWindow = nullptr;

    [[nodiscard]] HWND Form() const { return form.Native().hwnd; }

    [[nodiscard]] HWND Hwnd(std::string_view control) const {
        if (control == layout.name) {
            return Form();
        }
        // Under Wine every search among the child windows asks the window
        // server; a session looks at its controls thousands of times.
        if (found.first != Form()) {
            found = {Form(), {}};
        }
        if (const auto known = found.second.find(control); known != found.second.end()) {
            return known->second;
        }
        const auto [name, index] = SplitName(control);
        for (std::size_t i = 0; i < layout.controls.size(); ++i) {
            if (layout.controls[i].name == name && layout.controls[i].index == index) {
                if (HWND hwnd = GetDlgItem(Form(), runtime::FirstControlId + static_cast<int>(i))) {
                    found.second.emplace(std::string(control), hwnd);
                    return hwnd;
                }
            }
        }
        throw std::invalid_argument("no control " + std::string(control) + " in the window");
    }
    mutable std::pair<HWND, std::map<std::string, HWND, std::less<>>> found;

    // The tooltip controls the form owns, searched for once a window.
    [[nodiscard]] const std::vector<HWND>& ToolTipWindows() const {
        if (tipsOf != Form()) {
            tipsOf = Form();
            tips.clear();
            for (HWND tip = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr);
                 tip != nullptr; tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr)) {
                if (GetWindow(tip, GW_OWNER) == Form()) {
                    tips.push_back(tip);
                }
            }
        }
        return tips;
    }
    mutable HWND tipsOf = nullptr;
    mutable std::vector<HWND> tips;

    // A combo box's edit field for the edit messages; any other window itself.
    [[nodiscard]] HWND EditOf(std::string_view control) const {
        HWND hwnd = Hwnd(control);
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        if (IsClass(hwnd, WC_COMBOBOXW) && GetComboBoxInfo(hwnd, &info) != FALSE &&
            info.hwndItem != nullptr) {
            return info.hwndItem;
        }
        return hwnd;
    }

    [[nodiscard]] const runtime::ControlLayout* LayoutOf(HWND hwnd) const {
        const int id = GetDlgCtrlID(hwnd) - runtime::FirstControlId;
        if (GetParent(hwnd) != Form() || id < 0 ||
            static_cast<std::size_t>(id) >= layout.controls.size()) {
            return nullptr;
        }
        return &layout.controls[static_cast<std::size_t>(id)];
    }

    // The layout's name of the control a window belongs to ("" for none).
    [[nodiscard]] std::string NameOf(HWND hwnd) const {
        for (; hwnd != nullptr && hwnd != Form(); hwnd = GetParent(hwnd)) {
            if (const runtime::ControlLayout* control = LayoutOf(hwnd)) {
                std::string name(control->name);
                if (control->index != runtime::NoIndex) {
                    name += "(" + std::to_string(control->index) + ")";
                }
                return name;
            }
        }
        return hwnd == Form() && hwnd != nullptr ? std::string(layout.name) : std::string();
    }

    [[nodiscard]] bool IsKind(HWND hwnd, runtime::ControlKind kind) const {
        const runtime::ControlLayout* control = LayoutOf(hwnd);
        return control != nullptr && control->kind == kind;
    }

    // The window under a point of the control (its centre when none is
    // given), in that window's client coordinates.
    [[nodiscard]] std::pair<HWND, POINT> Under(std::string_view control,
                                               std::optional<Point> at) const {
        HWND hwnd = Hwnd(control);
        RECT client{};
        GetClientRect(hwnd, &client);
        POINT point = at ? POINT{at->x, at->y} : POINT{client.right / 2, client.bottom / 2};
        ClientToScreen(hwnd, &point);
        HWND target = hwnd == Form() ? hwnd : GetParent(hwnd);
        for (;;) {
            POINT local = point;
            ScreenToClient(target, &local);
            HWND child = ChildWindowFromPointEx(target, local, CWP_SKIPINVISIBLE);
            if (child == nullptr || child == target) {
                return {target, local};
            }
            target = child;
        }
    }

    // The program's message loop: the dialog manager first, then the
    // translation of keys into characters. (Not the runtime's DoEvents: a
    // handler that lets events run must be the one that delivers them.)
    void Pump() {
        for (std::function<void()>& task : tasks) {
            posted.push_back(std::move(task));
            PostMessageW(taskWindow, WM_APP, 0, 0);
        }
        tasks.clear();
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
            if (message.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(message.wParam));
                break;
            }
            if (IsDialogMessageW(Form(), &message) == FALSE) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
        FlushKey();
        while (!picks.empty()) {
            EndPick();
        }
    }

    // ------------------------------------------------------------ observing

    void Emit(const Reached& reached) {
        if (!picks.empty()) {
            held.push_back(reached);
        } else if (sink) {
            sink(reached);
        }
    }
    void FlushKey() {
        if (pendingKey) {
            Reached key = std::move(*pendingKey);
            pendingKey.reset();
            Emit(key);
        }
    }
    void Report(const Reached& reached) {
        FlushKey();
        Emit(reached);
    }

    [[nodiscard]] Reached KeyReaching(HWND box) const {
        return {.kind = Reached::Kind::Key,
                .control = NameOf(box),
                .text = Narrow(WindowText(box)),
                .selection = EditSelection(box),
                .cursor = EditCursor(box)};
    }

    // The character a WM_CHAR types as Windows gives it: Ctrl+Backspace is
    // 127 there (Wine gives 8).
    [[nodiscard]] static int CharacterOf(const MSG& message) {
        if (message.message == WM_CHAR && message.wParam == 8 && GetKeyState(VK_CONTROL) < 0) {
            return 127;
        }
        return static_cast<int>(message.wParam);
    }

    // A message taken from the queue.
    void Taken(const MSG& message) {
        if (!sink) {
            return;
        }
        if (message.message == WM_KEYDOWN &&
            (message.wParam == VK_RETURN || message.wParam == VK_ESCAPE)) {
            HWND combo = GetParent(message.hwnd);
            if (IsKind(combo, runtime::ControlKind::ComboBox) &&
                SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != FALSE) {
                takenFrom = message.wParam == VK_RETURN ? combo : nullptr;
            }
        }
        // A click released on an open list takes the item under it.
        if (message.message == WM_LBUTTONUP && IsClass(message.hwnd, L"ComboLBox")) {
            RECT client{};
            GetClientRect(message.hwnd, &client);
            const POINT point{static_cast<short>(LOWORD(message.lParam)),
                              static_cast<short>(HIWORD(message.lParam))};
            for (const auto& control : layout.controls) {
                HWND combo =
                    GetDlgItem(Form(), runtime::FirstControlId +
                                           static_cast<int>(&control - layout.controls.data()));
                COMBOBOXINFO info{};
                info.cbSize = sizeof info;
                if (control.kind == runtime::ControlKind::ComboBox &&
                    GetComboBoxInfo(combo, &info) != FALSE && info.hwndList == message.hwnd) {
                    takenFrom = PtInRect(&client, point) != FALSE ? combo : nullptr;
                }
            }
        }
        if (!IsKind(message.hwnd, runtime::ControlKind::TextBox)) {
            return;
        }
        switch (message.message) {
            case WM_KEYDOWN:
            case WM_SYSKEYDOWN:
                FlushKey();
                pendingKey = KeyReaching(message.hwnd);
                pendingKeyBox = message.hwnd;
                break;
            case WM_CHAR:
            case WM_SYSCHAR:
            case WM_IME_CHAR:
                if (pendingKey && pendingKeyBox == message.hwnd) {
                    // Alt's characters go to the menu bar: they type nothing.
                    // Ctrl+Backspace is 127 on Windows, 8 from Wine.
                    if (message.message != WM_SYSCHAR) {
                        pendingKey->code = CharacterOf(message);
                    }
                    FlushKey();
                } else if (message.message != WM_SYSCHAR) {
                    // A character no key types, straight from the driver.
                    Reached key = KeyReaching(message.hwnd);
                    key.code = CharacterOf(message);
                    Report(key);
                }
                break;
            case WM_LBUTTONDBLCLK:
                Report({.kind = Reached::Kind::DoubleClick, .control = NameOf(message.hwnd)});
                break;
            default:
                break;
        }
    }

    // A message about to reach a window procedure.
    void Reaching(const CWPSTRUCT& call) {
        if (!sink) {
            return;
        }
        switch (call.message) {
            case WM_SETFOCUS: {
                // wParam is the window that loses the focus.
                auto* const previous = reinterpret_cast<HWND>(call.wParam);
                const bool fromWindow = previous != nullptr &&
                                        (previous == Form() || IsChild(Form(), previous) != FALSE);
                if (fromWindow && previous != call.hwnd &&
                    IsKind(call.hwnd, runtime::ControlKind::TextBox)) {
                    Report({.kind = Reached::Kind::FocusEntered, .control = NameOf(call.hwnd)});
                }
                break;
            }
            case BM_SETCHECK:
                if (call.wParam == BST_UNCHECKED &&
                    IsKind(call.hwnd, runtime::ControlKind::OptionButton) &&
                    SendMessageW(call.hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED) {
                    Report({.kind = Reached::Kind::OptionCleared, .control = NameOf(call.hwnd)});
                }
                break;
            case WM_COMMAND: {
                // lParam is the control that notifies.
                auto* const child = reinterpret_cast<HWND>(call.lParam);
                if (call.hwnd != Form() || child == nullptr) {
                    break;
                }
                if (HIWORD(call.wParam) == BN_CLICKED &&
                    IsKind(child, runtime::ControlKind::CommandButton)) {
                    Report({.kind = Reached::Kind::ButtonClicked, .control = NameOf(child)});
                } else if (IsKind(child, runtime::ControlKind::ComboBox)) {
                    ComboNotified(child, HIWORD(call.wParam));
                }
                break;
            }
            default:
                break;
        }
    }

    // An item is picked when the user moves to it on the closed box, or
    // when the open list closes on it taken (Enter or a click there). The
    // pick from the list is over once the control has reported the change
    // of selection that some versions send after closing, or else once the
    // input has been handled.
    void ComboNotified(HWND child, WORD notification) {
        WORD endsOn = notification;
        switch (notification) {
            case CBN_DROPDOWN:
                takenFrom = nullptr;
                return;
            case CBN_SELCHANGE:
                if (SendMessageW(child, CB_GETDROPPEDSTATE, 0, 0) != FALSE) {
                    return;
                }
                if (!picks.empty() && picks.back().combo == child && picks.back().endsOn == 0) {
                    picks.back().endsOn = CBN_SELCHANGE;
                    return;
                }
                break;
            case CBN_CLOSEUP:
                if (takenFrom != child) {
                    return;
                }
                takenFrom = nullptr;
                endsOn = 0;
                break;
            default:
                return;
        }
        FlushKey();
        const LRESULT index = SendMessageW(child, CB_GETCURSEL, 0, 0);
        std::wstring item;
        if (index != CB_ERR) {
            item.resize(static_cast<std::size_t>(
                SendMessageW(child, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0)));
            const auto into = reinterpret_cast<LPARAM>(item.data());
            SendMessageW(child, CB_GETLBTEXT, static_cast<WPARAM>(index), into);
        }
        picks.push_back({child, endsOn, Narrow(item), held.size()});
    }

    // A message a window procedure has answered.
    void Answered(const CWPRETSTRUCT& call) {
        if (call.message == WM_INITDIALOG && IsClass(call.hwnd, L"#32770")) {
            MessageBoxOpened(call.hwnd);
            return;
        }
        // A command's lParam is the control that notifies.
        auto* const from = reinterpret_cast<HWND>(call.lParam);
        if (call.message == WM_COMMAND && !picks.empty() && picks.back().endsOn != 0 &&
            HIWORD(call.wParam) == picks.back().endsOn && picks.back().combo == from) {
            EndPick();
        }
    }

    // The pick goes before what its handler made reach the controls.
    void EndPick() {
        const PickUnderWay pick = picks.back();
        picks.pop_back();
        held.insert(held.begin() + static_cast<std::ptrdiff_t>(pick.heldFrom),
                    Reached{.kind = Reached::Kind::Picked,
                            .control = NameOf(pick.combo),
                            .text = pick.item,
                            .shown = Narrow(WindowText(pick.combo))});
        if (picks.empty()) {
            std::vector<Reached> done;
            done.swap(held);
            for (const Reached& reached : done) {
                if (sink) {
                    sink(reached);
                }
            }
        }
    }

    // ------------------------------------------------------ message boxes

    // Read once the box has set itself up, answered with its first button
    // once its own message loop runs.
    void MessageBoxOpened(HWND box) {
        SeenBox seen{.title = Narrow(WindowText(box))};
        HWND first = nullptr;
        for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            const LONG style = GetWindowLongW(child, GWL_STYLE);
            if ((style & WS_VISIBLE) == 0) {
                continue;
            }
            if (IsClass(child, WC_BUTTONW)) {
                ++seen.buttons;
                if (first == nullptr) {
                    first = child;
                }
            } else if (IsClass(child, WC_STATICW)) {
                if ((style & SS_TYPEMASK) == SS_ICON) {
                    const LRESULT icon = SendMessageW(child, STM_GETICON, 0, 0);
                    // The answer is the icon's handle.
                    seen.icon = IconOf(reinterpret_cast<HICON>(icon));
                } else if (seen.text.empty()) {
                    seen.text = Narrow(WindowText(child));
                }
            }
        }
        boxes.Opened(seen);
        if (first != nullptr) {
            const auto from = reinterpret_cast<LPARAM>(first);
            PostMessageW(box, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(first), BN_CLICKED), from);
        } else {
            PostMessageW(box, WM_CLOSE, 0, 0);
        }
    }

    // -------------------------------------------------------------- menus

    // While a menu is open: read it, then take the entry or close it.
    void MenuTick() {
        if (menuSeen) {
            return;
        }
        HWND menuWindow = nullptr;
        const auto into = reinterpret_cast<LPARAM>(&menuWindow);
        EnumThreadWindows(GetCurrentThreadId(), FindOpenMenu, into);
        if (menuWindow == nullptr) {
            return;
        }
        // The answer is the menu's handle.
        auto* menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
        if (menu == nullptr) {
            return;
        }
        menuSeen = true;
        int presses = 0;  // Down presses that reach the entry to take
        int steps = 0;
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            std::array<wchar_t, 128> text{};
            MENUITEMINFOW item{};
            item.cbSize = sizeof item;
            item.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
            item.dwTypeData = text.data();
            item.cch = static_cast<UINT>(text.size() - 1);
            GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &item);
            if ((item.fType & MFT_SEPARATOR) != 0) {
                continue;
            }
            ++steps;
            menuEntries.push_back({.label = MenuLabel(text.data()),
                                   .enabled = (item.fState & (MFS_GRAYED | MFS_DISABLED)) == 0});
            if (presses == 0 && !menuTake.empty() && menuEntries.back().label == menuTake &&
                menuEntries.back().enabled) {
                presses = steps;
            }
        }
        if (presses == 0) {
            PostKey(menuWindow, {VK_ESCAPE, false}, NoModifier);
            return;
        }
        for (int i = 0; i < presses; ++i) {
            PostKey(menuWindow, {VK_DOWN, true}, NoModifier);
        }
        PostKey(menuWindow, {VK_RETURN, false}, NoModifier);
    }
};

namespace {

// NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables): hooks carry no context
Driver::Native* hooked = nullptr;

// A hook's lParam points to the message it sees.
LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == PM_REMOVE && hooked != nullptr) {
        hooked->Taken(*reinterpret_cast<const MSG*>(lParam));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK CallWndProcHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && hooked != nullptr) {
        hooked->Reaching(*reinterpret_cast<const CWPSTRUCT*>(lParam));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK CallWndProcRetHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && hooked != nullptr) {
        hooked->Answered(*reinterpret_cast<const CWPRETSTRUCT*>(lParam));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK TaskProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP && hooked != nullptr && !hooked->posted.empty()) {
        const std::function<void()> task = std::move(hooked->posted.front());
        hooked->posted.pop_front();
        task();
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void CALLBACK MenuTimer(HWND /*hwnd*/, UINT /*message*/, UINT_PTR /*id*/, DWORD /*time*/) {
    if (hooked != nullptr) {
        hooked->MenuTick();
    }
}

}  // namespace

// ------------------------------------------------------------------ driver

Driver::Driver(runtime::Form& form, const runtime::FormLayout& layout)
    : native_(std::make_unique<Native>(form, layout, boxes_)) {
    hooked = native_.get();
    const DWORD thread = GetCurrentThreadId();
    native_->hooks = {SetWindowsHookExW(WH_GETMESSAGE, GetMessageHook, nullptr, thread),
                      SetWindowsHookExW(WH_CALLWNDPROC, CallWndProcHook, nullptr, thread),
                      SetWindowsHookExW(WH_CALLWNDPROCRET, CallWndProcRetHook, nullptr, thread)};
    static const bool registered = [] {
        WNDCLASSW cls{};
        cls.lpfnWndProc = TaskProc;
        cls.hInstance = GetModuleHandleW(nullptr);
        cls.lpszClassName = L"QuorvelaTestTasks";
        return RegisterClassW(&cls) != 0;
    }();
    (void)registered;
    native_->taskWindow =
        CreateWindowExW(0, L"QuorvelaTestTasks", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                        GetModuleHandleW(nullptr), nullptr);
}

Driver::~Driver() {
    for (HHOOK hook : native_->hooks) {
        if (hook != nullptr) {
            UnhookWindowsHookEx(hook);
        }
    }
    if (native_->otherWindow != nullptr) {
        DestroyWindow(native_->otherWindow);
    }
    DestroyWindow(native_->taskWindow);
    if (hooked == native_.get()) {
        hooked = nullptr;
    }
}

void Driver::Type(std::string_view utf8) {
    for (const wchar_t character : Widen(utf8)) {
        const SHORT scan = VkKeyScanW(character);
        // Characters no key types (or only with Ctrl or Alt) come as characters.
        if (scan == -1 || (HIBYTE(scan) & ~1) != 0) {
            HWND target = GetFocus();
            PostMessageW(target, WM_CHAR, character, 1);
            native_->Pump();
            continue;
        }
        const HeldModifiers held((HIBYTE(scan) & 1) != 0 ? Shift : NoModifier);
        PostKey(GetFocus(), {LOBYTE(scan), false}, (HIBYTE(scan) & 1) != 0 ? Shift : NoModifier);
        native_->Pump();
    }
}

void Driver::Press(Stroke stroke) {
    HWND target = GetFocus() != nullptr ? GetFocus() : native_->Form();
    if (stroke.key == Key::Paste) {
        // A keyboard's Paste key arrives as an application command.
        PostMessageW(target, WM_APPCOMMAND, reinterpret_cast<WPARAM>(target),
                     MAKELPARAM(0, APPCOMMAND_PASTE | FAPPCOMMAND_KEY));
        native_->Pump();
        return;
    }
    VirtualKey key = VirtualKeyOf(stroke.key);
    Modifiers modifiers = stroke.modifiers;
    if (stroke.key == Key::Character) {
        const char c = stroke.character;
        if ((modifiers & (Ctrl | Alt)) != 0 && std::isalpha(static_cast<unsigned char>(c)) != 0) {
            key = {static_cast<UINT>(std::toupper(static_cast<unsigned char>(c))), false};
        } else {
            const SHORT scan = VkKeyScanW(static_cast<wchar_t>(static_cast<unsigned char>(c)));
            if (scan == -1) {
                throw std::invalid_argument(std::string("no key types '") + c + "'");
            }
            key = {LOBYTE(scan), false};
            if ((HIBYTE(scan) & 1) != 0) {
                modifiers |= Shift;
            }
        }
    }
    const HeldModifiers held(modifiers);
    PostKey(target, key, modifiers);
    native_->Pump();
}

namespace {

void PostMouse(HWND target, UINT message, WPARAM buttons, POINT at) {
    PostMessageW(target, message, buttons, MAKELPARAM(at.x, at.y));
}

}  // namespace

void Driver::Click(std::string_view control, std::optional<Point> at) {
    const auto [target, point] = native_->Under(control, at);
    PostMouse(target, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMouse(target, WM_LBUTTONUP, 0, point);
    native_->Pump();
}

void Driver::DoubleClick(std::string_view control, std::optional<Point> at) {
    const auto [target, point] = native_->Under(control, at);
    PostMouse(target, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMouse(target, WM_LBUTTONUP, 0, point);
    PostMouse(target, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    PostMouse(target, WM_LBUTTONUP, 0, point);
    native_->Pump();
}

void Driver::MiddleClick(std::string_view control) {
    const auto [target, point] = native_->Under(control, {});
    PostMouse(target, WM_MBUTTONDOWN, MK_MBUTTON, point);
    PostMouse(target, WM_MBUTTONUP, 0, point);
    native_->Pump();
}

void Driver::Drag(std::string_view control, Point from, Point to) {
    const auto [target, start] = native_->Under(control, from);
    POINT end{to.x - from.x + start.x, to.y - from.y + start.y};
    PostMouse(target, WM_LBUTTONDOWN, MK_LBUTTON, start);
    PostMouse(target, WM_MOUSEMOVE, MK_LBUTTON, end);
    PostMouse(target, WM_LBUTTONUP, 0, end);
    native_->Pump();
}

void Driver::Wheel(std::string_view control, bool up) {
    auto [target, point] = native_->Under(control, {});
    ClientToScreen(target, &point);
    const auto delta = static_cast<short>(up ? WHEEL_DELTA : -WHEEL_DELTA);
    PostMessageW(target, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(point.x, point.y));
    native_->Pump();
}

std::vector<MenuEntry> Driver::ContextMenu(std::string_view control, std::string_view take) {
    native_->menuEntries.clear();
    native_->menuTake = take;
    native_->menuSeen = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, MenuTimer);
    const auto [target, point] = native_->Under(control, {});
    PostMouse(target, WM_RBUTTONDOWN, MK_RBUTTON, point);
    PostMouse(target, WM_RBUTTONUP, 0, point);
    native_->Pump();
    KillTimer(nullptr, timer);
    return native_->menuEntries;
}

namespace {

COMBOBOXINFO ComboInfo(HWND combo) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(combo, &info);
    return info;
}

}  // namespace

void Driver::OpenList(std::string_view combo) {
    HWND hwnd = native_->Hwnd(combo);
    const COMBOBOXINFO info = ComboInfo(hwnd);
    const POINT arrow{(info.rcButton.left + info.rcButton.right) / 2,
                      (info.rcButton.top + info.rcButton.bottom) / 2};
    PostMouse(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, arrow);
    PostMouse(hwnd, WM_LBUTTONUP, 0, arrow);
    native_->Pump();
}

bool Driver::ListOpen(std::string_view combo) const {
    return SendMessageW(native_->Hwnd(combo), CB_GETDROPPEDSTATE, 0, 0) != FALSE;
}

void Driver::ClickListItem(std::string_view combo, std::string_view item) {
    HWND hwnd = native_->Hwnd(combo);
    if (!ListOpen(combo)) {
        throw std::logic_error(std::string(combo) + ": the list is not open");
    }
    HWND list = ComboInfo(hwnd).hwndList;
    const std::wstring wanted = Widen(item);
    const auto text = reinterpret_cast<LPARAM>(wanted.c_str());
    const LRESULT index = SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), text);
    if (index == LB_ERR) {
        throw std::invalid_argument(std::string(combo) + " lists no " + std::string(item));
    }
    RECT rect{};
    const auto into = reinterpret_cast<LPARAM>(&rect);
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), into);
    const POINT middle{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    PostMouse(list, WM_MOUSEMOVE, 0, middle);
    PostMouse(list, WM_LBUTTONDOWN, MK_LBUTTON, middle);
    PostMouse(list, WM_LBUTTONUP, 0, middle);
    native_->Pump();
}

void Driver::PickFromList(std::string_view combo, std::string_view item) {
    OpenList(combo);
    ClickListItem(combo, item);
}

void Driver::PickByKeyboard(std::string_view combo, std::string_view item) {
    HWND hwnd = native_->Hwnd(combo);
    const std::wstring wanted = Widen(item);
    const auto text = reinterpret_cast<LPARAM>(wanted.c_str());
    const auto target = SendMessageW(hwnd, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), text);
    if (target == CB_ERR) {
        throw std::invalid_argument(std::string(item) + " is no item of " + std::string(combo));
    }
    Click(combo);
    const auto current = [&] { return SendMessageW(hwnd, CB_GETCURSEL, 0, 0); };
    if (current() == target) {
        // Step off and back, so that the item is picked all the same.
        const bool up = target > 0;
        Press(up ? Key::Up : Key::Down);
        Press(up ? Key::Down : Key::Up);
    }
    const auto count = SendMessageW(hwnd, CB_GETCOUNT, 0, 0);
    for (LRESULT step = 0; step < count && current() != target; ++step) {
        Press(current() != CB_ERR && current() > target ? Key::Up : Key::Down);
    }
}

// The whole text selected from the keyboard (not every version of the edit
// control takes Ctrl+A), then typed over or deleted.
void Driver::TypeIntoCombo(std::string_view combo, std::string_view text) {
    Click(combo);
    Press(Key::Home);
    Press(Key::End, Shift);
    if (text.empty()) {
        Press(Key::Backspace);
    } else {
        Type(text);
    }
}

void Driver::SetClipboard(std::string_view text) {
    const std::wstring wide = Widen(text);
    ASSERT_TRUE(OpenClipboardPatiently());
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
    std::copy_n(wide.c_str(), wide.size() + 1, static_cast<wchar_t*>(GlobalLock(memory)));
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

std::string Driver::Clipboard() const {
    if (!OpenClipboardPatiently()) {
        ADD_FAILURE() << "the clipboard stays busy";
        return {};
    }
    std::wstring text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return Narrow(text);
}

bool Driver::Drop(std::string_view control, std::string_view /*text*/) {
    // OLE drops go to the window that registered a drop target; a standard
    // edit control registers none.
    for (HWND hwnd = native_->Under(control, {}).first; hwnd != nullptr; hwnd = GetParent(hwnd)) {
        if (GetPropW(hwnd, L"OleDropTargetInterface") != nullptr) {
            ADD_FAILURE() << control << " takes drops: the driver cannot drop on it yet";
            return true;
        }
    }
    return false;
}

void Driver::Compose(std::string_view control, std::string_view text) {
    HWND hwnd = native_->EditOf(control);
    // An input method composes only for a window with an input context.
    HIMC context = ImmGetContext(hwnd);
    if (context == nullptr) {
        return;
    }
    ImmReleaseContext(hwnd, context);
    for (const wchar_t character : Widen(text)) {
        PostMessageW(hwnd, WM_IME_CHAR, character, 1);
    }
    native_->Pump();
}

void Driver::WriteFromOutside(std::string_view control, std::string_view text) {
    HWND hwnd = native_->EditOf(control);
    const std::wstring wide = Widen(text);
    std::atomic<bool> done = false;
    // Another program's writes arrive while the window's thread waits for
    // messages: WM_SETTEXT, and where that is refused, EM_REPLACESEL over
    // the whole text.
    std::thread writer([&] {
        const auto written = reinterpret_cast<LPARAM>(wide.c_str());
        SendMessageW(hwnd, WM_SETTEXT, 0, written);
        if (WindowText(hwnd) != wide) {
            SendMessageW(hwnd, EM_SETSEL, 0, -1);
            SendMessageW(hwnd, EM_REPLACESEL, TRUE, written);
        }
        done = true;
    });
    while (!done) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        native_->Pump();
    }
    writer.join();
}

void Driver::ActivateAnotherWindow() {
    if (native_->otherWindow == nullptr) {
        native_->otherWindow =
            CreateWindowExW(0, WC_STATICW, L"altra", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                            100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    SetForegroundWindow(native_->otherWindow);
    SetActiveWindow(native_->otherWindow);
    RunUntil([this] { return GetActiveWindow() == native_->otherWindow; }, std::chrono::seconds(5));
}

void Driver::Activate() {
    SetForegroundWindow(native_->Form());
    SetActiveWindow(native_->Form());
    RunUntil([this] { return Active(); }, std::chrono::seconds(5));
    if (native_->otherWindow != nullptr) {
        DestroyWindow(native_->otherWindow);
        native_->otherWindow = nullptr;
        native_->Pump();
    }
}

namespace {

INPUT KeyInput(VirtualKey key, bool up) {
    const KEYBDINPUT keyboard{
        .wVk = static_cast<WORD>(key.code),
        .wScan = static_cast<WORD>(MapVirtualKeyW(key.code, MAPVK_VK_TO_VSC)),
        .dwFlags = (up ? KEYEVENTF_KEYUP : 0U) | (key.extended ? KEYEVENTF_EXTENDEDKEY : 0U)};
    return {INPUT_KEYBOARD, {.ki = keyboard}};
}

INPUT MouseInput(DWORD flags, POINT screen) {
    const MOUSEINPUT mouse{.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1),
                           .dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1),
                           .dwFlags = flags | MOUSEEVENTF_ABSOLUTE};
    return {INPUT_MOUSE, {.mi = mouse}};
}

}  // namespace

void Driver::QueueKeys(Key key, int count) {
    const VirtualKey virtualKey = VirtualKeyOf(key);
    std::vector<INPUT> inputs;
    inputs.reserve(static_cast<std::size_t>(count) * 2);
    for (int i = 0; i < count; ++i) {
        inputs.push_back(KeyInput(virtualKey, false));
        inputs.push_back(KeyInput(virtualKey, true));
    }
    const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    EXPECT_EQ(sent, inputs.size());
}

void Driver::QueueClicks(std::string_view control, int count) {
    HWND hwnd = native_->Hwnd(control);
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    const POINT middle{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    // The pointer there first: under Wine the display server has its say in
    // where the pointer stands, and a press would land where it last was.
    INPUT move = MouseInput(MOUSEEVENTF_MOVE, middle);
    SendInput(1, &move, sizeof(INPUT));
    RunUntil(
        [&] {
            POINT at{};
            return GetCursorPos(&at) != FALSE && at.x == middle.x && at.y == middle.y;
        },
        std::chrono::seconds(5));
    std::vector<INPUT> inputs;
    for (int i = 0; i < count; ++i) {
        inputs.push_back(MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTDOWN, middle));
        inputs.push_back(MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTUP, middle));
    }
    const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    EXPECT_EQ(sent, inputs.size());
}

bool Driver::RunUntil(const std::function<bool()>& done, std::chrono::milliseconds patience) {
    const auto deadline = Clock::now() + patience;
    for (;;) {
        native_->Pump();
        if (done()) {
            return true;
        }
        if (Clock::now() > deadline) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void Driver::Pump() {
    native_->Pump();
}

void Driver::Post(std::function<void()> task) {
    native_->tasks.push_back(std::move(task));
}

// ------------------------------------------------------------------ looking

std::string Driver::Text(std::string_view control) const {
    return Narrow(WindowText(native_->Hwnd(control)));
}

Selection Driver::SelectionOf(std::string_view control) const {
    return EditSelection(native_->EditOf(control));
}

int Driver::Cursor(std::string_view control) const {
    return EditCursor(native_->EditOf(control));
}

std::string Driver::ToolTip(std::string_view control) const {
    HWND hwnd = native_->Hwnd(control);
    // A tool that is a window has the window's handle for its id.
    const auto hwndId = reinterpret_cast<UINT_PTR>(hwnd);
    std::string found;
    // The form's tooltip controls, and among their tools the one of this control.
    for (HWND tips : native_->ToolTipWindows()) {
        const auto count = static_cast<int>(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            TOOLINFOW tool{};
            tool.cbSize = sizeof tool;
            const auto into = reinterpret_cast<LPARAM>(&tool);
            if (SendMessageW(tips, TTM_ENUMTOOLSW, static_cast<WPARAM>(i), into) == FALSE) {
                continue;
            }
            const bool ours =
                (tool.uFlags & TTF_IDISHWND) != 0 ? tool.uId == hwndId : tool.hwnd == hwnd;
            if (!ours) {
                continue;
            }
            std::array<wchar_t, 1100> text{};
            tool.lpszText = text.data();
            SendMessageW(tips, TTM_GETTEXTW, text.size(), into);
            found = Narrow(text.data());
        }
    }
    return found;
}

runtime::OleColor Driver::ForeColor(std::string_view control) const {
    HWND hwnd = native_->EditOf(control);
    UINT message = WM_CTLCOLORSTATIC;
    if (IsClass(hwnd, WC_EDITW)) {
        message = WM_CTLCOLOREDIT;
    } else if (IsClass(hwnd, WC_BUTTONW) &&
               (GetWindowLongW(hwnd, GWL_STYLE) & BS_TYPEMASK) <= BS_DEFPUSHBUTTON) {
        message = WM_CTLCOLORBTN;
    }
    // Asked as the control asks before it paints.
    HDC dc = CreateCompatibleDC(nullptr);
    SetTextColor(dc, RGB(1, 2, 3));
    const auto context = reinterpret_cast<WPARAM>(dc);
    const auto from = reinterpret_cast<LPARAM>(hwnd);
    SendMessageW(GetParent(hwnd), message, context, from);
    const COLORREF color = GetTextColor(dc);
    DeleteDC(dc);
    return static_cast<runtime::OleColor>(color);
}

runtime::OleColor Driver::SystemColor(runtime::OleColor system) const {
    if ((system & runtime::SystemColorFlag) == 0) {
        return system;
    }
    return static_cast<runtime::OleColor>(GetSysColor(static_cast<int>(system & 0xFFU)));
}

namespace {

LOGFONTW FontOf(HWND hwnd) {
    // The answer is the font's handle.
    auto* font = reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0));
    LOGFONTW logical{};
    GetObjectW(font != nullptr ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT),
               sizeof logical, &logical);
    return logical;
}

UINT DpiOf(HWND hwnd) {
    // The density the run moved the window to (Wine still answers with the
    // system's).
    if (const char* told = std::getenv("QUORVELA_TEST_DPI"); told != nullptr) {
        return static_cast<UINT>(std::atoi(told));
    }
    using GetDpiForWindow = UINT(WINAPI*)(HWND);
    static const auto getDpi = reinterpret_cast<GetDpiForWindow>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    const UINT dpi = getDpi != nullptr ? getDpi(hwnd) : 0;
    return dpi != 0 ? dpi : 96;
}

}  // namespace

bool Driver::Bold(std::string_view control) const {
    return FontOf(native_->Hwnd(control)).lfWeight >= FW_BOLD;
}

double Driver::FontPoints(std::string_view control) const {
    HWND hwnd = native_->Hwnd(control);
    return -FontOf(hwnd).lfHeight * 72.0 / DpiOf(hwnd);
}

std::string Driver::FontFamily(std::string_view control) const {
    const LOGFONTW font = FontOf(native_->Hwnd(control));
    return Narrow(std::data(font.lfFaceName));
}

Alignment Driver::AlignmentOf(std::string_view control) const {
    HWND hwnd = native_->Hwnd(control);
    const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    if (IsClass(hwnd, WC_EDITW)) {
        return (style & ES_CENTER) != 0 ? Alignment::Center : Alignment::Left;
    }
    if (IsClass(hwnd, WC_STATICW)) {
        return (style & SS_TYPEMASK) == SS_CENTER ? Alignment::Center : Alignment::Left;
    }
    if (IsClass(hwnd, WC_BUTTONW)) {
        const LONG type = style & BS_TYPEMASK;
        const bool push = type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
        return push || (style & BS_CENTER) == BS_CENTER ? Alignment::Center : Alignment::Left;
    }
    return Alignment::Left;
}

bool Driver::Checked(std::string_view option) const {
    return SendMessageW(native_->Hwnd(option), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::vector<std::string> Driver::Items(std::string_view combo) const {
    HWND hwnd = native_->Hwnd(combo);
    std::vector<std::string> items;
    const auto count = static_cast<int>(SendMessageW(hwnd, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::wstring item(static_cast<std::size_t>(
                              SendMessageW(hwnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0)),
                          L'\0');
        const auto into = reinterpret_cast<LPARAM>(item.data());
        SendMessageW(hwnd, CB_GETLBTEXT, static_cast<WPARAM>(i), into);
        items.push_back(Narrow(item));
    }
    return items;
}

std::string Driver::Focused() const {
    return native_->NameOf(GetFocus());
}

bool Driver::Active() const {
    return GetActiveWindow() == native_->Form() && GetForegroundWindow() == native_->Form();
}

Rect Driver::Geometry(std::string_view control) const {
    HWND hwnd = native_->Hwnd(control);
    RECT rect{};
    if (hwnd == native_->Form()) {
        GetClientRect(hwnd, &rect);
    } else {
        GetWindowRect(hwnd, &rect);
        std::array<POINT, 2> corners{{{rect.left, rect.top}, {rect.right, rect.bottom}}};
        MapWindowPoints(nullptr, native_->Form(), corners.data(),
                        static_cast<UINT>(corners.size()));
        rect = {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
    }
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

Rect Driver::Placement() const {
    RECT rect{};
    GetWindowRect(native_->Form(), &rect);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

Accessible Driver::AccessibleOf(std::string_view control) const {
    HWND hwnd = native_->Hwnd(control);
    void* object = nullptr;
    const HRESULT found = AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT),
                                                     __uuidof(IAccessible), &object);
    auto* accessible = static_cast<IAccessible*>(object);
    if (FAILED(found) || accessible == nullptr) {
        ADD_FAILURE() << control << " has no accessible object (" << std::hex << found << ")";
        return {};
    }
    // The object itself, not one of its children: a 32-bit integer.
    const VARIANT self{{{VT_I4, 0, 0, 0, {.lVal = CHILDID_SELF}}}};
    Accessible seen;
    BSTR text = nullptr;
    if (accessible->get_accName(self, &text) == S_OK) {
        seen.name = BstrToUtf8(text);
    }
    text = nullptr;
    if (accessible->get_accValue(self, &text) == S_OK) {
        seen.value = BstrToUtf8(text);
    }
    text = nullptr;
    if (accessible->get_accDescription(self, &text) == S_OK) {
        seen.description = BstrToUtf8(text);
    }
    accessible->Release();
    return seen;
}

// ------------------------------------------------------------ message boxes

void Driver::Observe(std::function<void(const Reached&)> sink) {
    native_->FlushKey();
    native_->sink = std::move(sink);
}

// ------------------------------------------------------------ the window

StartedWindow::StartedWindow() : form_(std::make_unique<frmQuorvela>()) {
    driver_ = std::make_unique<Driver>(*form_, frmQuorvela::Layout());
    runtime::Start(*form_);
    driver_->RunUntil([this] { return driver_->Active(); }, std::chrono::seconds(5));
    // A run at another density: the window is moved to such a monitor, as
    // Windows tells a per-monitor aware window.
    if (const char* dpi = std::getenv("QUORVELA_TEST_DPI"); dpi != nullptr) {
        const auto density = static_cast<WORD>(std::atoi(dpi));
        HWND hwnd = form_->Native().hwnd;
        RECT suggested{};
        GetWindowRect(hwnd, &suggested);
        suggested.right = suggested.left + (suggested.right - suggested.left) * density / 96;
        suggested.bottom = suggested.top + (suggested.bottom - suggested.top) * density / 96;
        const auto into = reinterpret_cast<LPARAM>(&suggested);
        SendMessageW(hwnd, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(density, density), into);
        driver_->Pump();
    }
}

StartedWindow::~StartedWindow() {
    driver_.reset();
    form_.reset();
    runtime::DoEvents();
}

}  // namespace quorvela::test
