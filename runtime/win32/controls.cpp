// The controls on the Windows API: EDIT, COMBOBOX, BUTTON and STATIC windows
// with the properties, methods and events of the form runtime.

#include "runtime/controls.h"

#include "runtime/win32/native.h"  // windows.h, before the other Windows headers

#include <imm.h>

#include <array>
#include <optional>
#include <utility>

#include "calc/runtime_error.h"
#include "runtime/dispatch.h"
#include "runtime/form.h"

namespace quorvela::runtime {

// ---------------------------------------------------------------- helpers

std::wstring Widen(std::string_view utf8) {
    if (utf8.empty()) {
        return {};
    }
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), size);
    return wide;
}

std::string Narrow(std::wstring_view utf16) {
    if (utf16.empty()) {
        return {};
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), narrow.data(),
                        size, nullptr, nullptr);
    return narrow;
}

std::wstring WindowText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

COLORREF ToColorRef(OleColor color) {
    if ((color & 0x80000000U) != 0) {
        return GetSysColor(static_cast<int>(color & 0xFFU));
    }
    return static_cast<COLORREF>(color & 0x00FFFFFFU);
}

void ApplyFont(NativeControl& control) {
    NativeForm& form = *control.form;
    const double points =
        control.layout->font.points > 0 ? control.layout->font.points : form.layout->font.points;
    SendMessageW(control.hwnd, WM_SETFONT,
                 reinterpret_cast<WPARAM>(form.Font(points, control.bold)),
                 IsWindowVisible(form.hwnd));
}

void SetToolTip(NativeControl& control, std::wstring text) {
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = control.form->hwnd;
    tool.uId = reinterpret_cast<UINT_PTR>(control.hwnd);
    const bool had = !control.toolTip.empty();
    control.toolTip = std::move(text);
    tool.lpszText = control.toolTip.data();
    if (control.toolTip.empty()) {
        if (had) {
            SendMessageW(control.form->toolTips, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        }
        return;
    }
    SendMessageW(control.form->toolTips, had ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW, 0,
                 reinterpret_cast<LPARAM>(&tool));
}

// ---------------------------------------------------------------- TextBox

void NativeTextBox::WriteText(std::string_view text) {
    programWriting = true;
    SetWindowTextW(hwnd, Widen(text).c_str());
    programWriting = false;
}

Selection NativeTextBox::GetSelection() const {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end - start)};
}

void NativeTextBox::Select(Selection selection) {
    SendMessageW(hwnd, EM_SETSEL, static_cast<WPARAM>(selection.start),
                 selection.start + selection.length);
    SendMessageW(hwnd, EM_SCROLLCARET, 0, 0);
}

void NativeTextBox::Insert(std::u16string_view text) {
    const std::wstring wide(text.begin(), text.end());
    programWriting = true;
    SendMessageW(hwnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str()));
    programWriting = false;
}

// Called while the box's own WM_CHAR is handled.
void NativeTextBox::DeleteBack() {
    DefSubclassProc(hwnd, WM_CHAR, 8, 0);
}

void NativeTextBox::OfferEntriesBesidesTyping(bool offer) {
    ImmAssociateContextEx(hwnd, nullptr, offer ? IACE_DEFAULT : 0);
}

namespace {

constexpr UINT_PTR Hooks = 1;

std::u16string ClipboardText(HWND owner) {
    std::u16string text;
    if (OpenClipboard(owner) == FALSE) {
        return text;
    }
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            const std::wstring_view wide(chars);
            text.assign(wide.begin(), wide.end());
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

// A context menu at the mouse, or below the control from the keyboard: the
// entry chosen, if any. As with the system's own edit menus, the control
// takes the focus first.
std::optional<EditCommand> PopUp(HWND hwnd, const std::vector<MenuEntry>& entries, LPARAM where) {
    if (GetFocus() != hwnd) {
        SetFocus(hwnd);
    }
    POINT point{static_cast<short>(LOWORD(where)), static_cast<short>(HIWORD(where))};
    if (where == static_cast<LPARAM>(-1)) {
        RECT rect{};
        GetWindowRect(hwnd, &rect);
        point = {rect.left, rect.bottom};
    }
    HMENU menu = CreatePopupMenu();
    for (const MenuEntry& entry : entries) {
        if (entry.separatorBefore) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        }
        AppendMenuW(menu, MF_STRING | (entry.enabled ? 0U : MF_GRAYED),
                    static_cast<UINT_PTR>(entry.command) + 1,
                    Widen(MenuLabel(entry.command)).c_str());
    }
    const auto chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON,
                                       point.x, point.y, 0, hwnd, nullptr);
    DestroyMenu(menu);
    if (chosen == 0) {
        return std::nullopt;
    }
    return static_cast<EditCommand>(chosen - 1);
}

// The focus entered from elsewhere in the window (or at the first show):
// reactivating the window moves nothing and raises nothing.
bool FocusCameFromWindow(const NativeControl& box, HWND previous) {
    const HWND form = box.form->hwnd;
    return box.form->firstFocus ||
           (previous != nullptr && (previous == form || IsChild(form, previous) != FALSE));
}

// The character a WM_CHAR or WM_IME_CHAR types: the keypad's decimal key
// types the decimal comma whatever the keyboard layout says; Ctrl+Backspace
// is character 127 on Windows (Wine gives 8).
std::int16_t TypedCode(NativeTextBox& box, UINT message, WPARAM wParam) {
    const bool typed = message == WM_CHAR;
    const bool decimal = std::exchange(box.keypadDecimal, false) && typed;
    if (decimal) {
        return ',';
    }
    if (wParam == 8 && typed && GetKeyState(VK_CONTROL) < 0) {
        return 127;
    }
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(wParam));
}

LRESULT CALLBACK TextBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR /*id*/,
                             DWORD_PTR data) {
    auto& box = *reinterpret_cast<NativeTextBox*>(data);
    switch (message) {
        case WM_GETDLGCODE: {
            LRESULT code = DefSubclassProc(hwnd, message, wParam, lParam);
            const auto* pending = reinterpret_cast<const MSG*>(lParam);
            // Enter and Escape reach the keystroke handler instead of the dialog manager.
            if (box.TypingOnly() && pending != nullptr && pending->message == WM_KEYDOWN &&
                (pending->wParam == VK_RETURN || pending->wParam == VK_ESCAPE)) {
                code |= DLGC_WANTMESSAGE;
            }
            return code;
        }
        case WM_KEYDOWN:
            if (wParam == VK_DECIMAL) {
                box.keypadDecimal = true;
            }
            // Shift+Insert pastes, Shift+Delete cuts, without a message of their own.
            if (GetKeyState(VK_SHIFT) < 0 && wParam == VK_INSERT) {
                box.PutIn(TextEntry::Paste, ClipboardText(hwnd));
                return 0;
            }
            if (GetKeyState(VK_SHIFT) < 0 && wParam == VK_DELETE && box.Refuses(TextEntry::Cut)) {
                return 0;
            }
            // Ctrl+A selects the whole text, on every version of the control;
            // its character (1) still reaches the keystroke handler.
            if (wParam == 'A' && GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0) {
                SendMessageW(hwnd, EM_SETSEL, 0, -1);
                return 0;
            }
            break;
        case WM_CHAR:
        case WM_IME_CHAR:
            if (box.TypingOnly()) {
                box.Type(TypedCode(box, message, wParam));
                return 0;
            }
            if (!box.Admits(static_cast<char16_t>(wParam))) {
                return 0;
            }
            break;
        case WM_PASTE:
            box.PutIn(TextEntry::Paste, ClipboardText(hwnd));
            return 0;
        case WM_CUT:
        case WM_UNDO:
        case EM_UNDO:
            if (box.Refuses(message == WM_CUT ? TextEntry::Cut : TextEntry::Undo)) {
                return 0;
            }
            break;
        case WM_SETTEXT:
        case EM_REPLACESEL:
            if (!box.programWriting && box.Refuses(TextEntry::OutsideWrite)) {
                return 0;  // WM_SETTEXT: FALSE, not set
            }
            break;
        case WM_CONTEXTMENU:
            if (const auto chosen = PopUp(hwnd, box.ContextMenu(), lParam)) {
                box.Perform(*chosen);
            }
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (GetFocus() != hwnd) {
                box.pressing = true;
                SetFocus(hwnd);
                box.pressing = false;
                if (box.Swallows(MouseStep::Press)) {
                    return 0;
                }
            } else if (box.Swallows(message == WM_LBUTTONDOWN ? MouseStep::OtherPress
                                                              : MouseStep::DoubleClick)) {
                return 0;
            }
            break;
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
            if (box.Swallows(message == WM_MOUSEMOVE ? MouseStep::Move : MouseStep::Release)) {
                return 0;
            }
            break;
        case WM_SETFOCUS: {
            const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
            box.FocusEntered(FocusCameFromWindow(box, reinterpret_cast<HWND>(wParam)),
                             box.pressing);
            return result;
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, TextBoxProc, Hooks);
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

// The edit menu of a combo box's text, in Italian on every system.
LRESULT CALLBACK ComboEditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                               UINT_PTR /*id*/, DWORD_PTR data) {
    auto& combo = *reinterpret_cast<NativeComboBox*>(data);
    // Enter in the open list takes the item it stands on, Escape takes none
    // (some versions of the control report both alike).
    if (message == WM_KEYDOWN && (wParam == VK_RETURN || wParam == VK_ESCAPE) &&
        SendMessageW(combo.hwnd, CB_GETDROPPEDSTATE, 0, 0) != FALSE) {
        combo.listPick = wParam == VK_RETURN;
    }
    if (message == WM_MOUSEWHEEL) {
        // The wheel turns the box's picks, as on the box's other parts.
        return SendMessageW(combo.hwnd, message, wParam, lParam);
    }
    if (message == WM_CONTEXTMENU) {
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        const EditState state{
            .hasText = GetWindowTextLengthW(hwnd) > 0,
            .hasSelection = end > start,
            .canUndo = SendMessageW(hwnd, EM_CANUNDO, 0, 0) != FALSE,
            .clipboardHasText = IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE};
        // The edit control's messages for the commands, in their order.
        static constexpr std::array<UINT, 6> Messages = {WM_UNDO,  WM_CUT,   WM_COPY,
                                                         WM_PASTE, WM_CLEAR, EM_SETSEL};
        if (const auto chosen = PopUp(hwnd, EditMenu(state), lParam)) {
            const UINT command = Messages.at(static_cast<std::size_t>(*chosen));
            SendMessageW(hwnd, command, 0, command == EM_SETSEL ? -1 : 0);
        }
        return 0;
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, ComboEditProc, Hooks);
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

// A click released on the open list takes the item under it.
LRESULT CALLBACK ComboListProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                               UINT_PTR /*id*/, DWORD_PTR data) {
    if (message == WM_LBUTTONUP) {
        RECT client{};
        GetClientRect(hwnd, &client);
        const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        auto& combo = *reinterpret_cast<NativeComboBox*>(data);
        combo.listPick = PtInRect(&client, point) != FALSE;
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, ComboListProc, Hooks);
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

// Screen readers know a combo box by its caption (the system's proxy would
// name it by its text), and every control by its tooltip as well.
LRESULT CALLBACK AccessibleProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                UINT_PTR /*id*/, DWORD_PTR data) {
    const auto& control = *reinterpret_cast<const NativeControl*>(data);
    if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
        std::wstring name;
        if (control.layout->kind == ControlKind::ComboBox) {
            for (const ControlLayout& caption : control.form->layout->controls) {
                if (caption.labelFor == control.layout->name) {
                    name = Widen(caption.text);
                }
            }
        }
        if (!name.empty() || !control.toolTip.empty()) {
            if (const LRESULT named = NamedAccessibleObject(hwnd, wParam, name, control.toolTip)) {
                return named;
            }
        }
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, AccessibleProc, Hooks);
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace

void InstallAccessibleHooks(NativeControl& control) {
    SetWindowSubclass(control.hwnd, AccessibleProc, Hooks, reinterpret_cast<DWORD_PTR>(&control));
}

void InstallComboBoxHooks(NativeComboBox& combo) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(combo.hwnd, &info) != FALSE && info.hwndItem != nullptr) {
        SetWindowSubclass(info.hwndItem, ComboEditProc, Hooks, reinterpret_cast<DWORD_PTR>(&combo));
        SetWindowSubclass(info.hwndList, ComboListProc, Hooks, reinterpret_cast<DWORD_PTR>(&combo));
    }
}

void InstallTextBoxHooks(NativeTextBox& box) {
    SetWindowSubclass(box.hwnd, TextBoxProc, Hooks, reinterpret_cast<DWORD_PTR>(&box));
}

// ---------------------------------------------------------------- ComboBox

void NativeComboBox::Append(std::string_view item) {
    SendMessageW(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
}

// The edit part shows a pick only after its notification: the text is set
// here, for the Click handler to read.
void NativeComboBox::ShowItem(int index) {
    SendMessageW(hwnd, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    if (index >= 0) {
        std::wstring item(static_cast<std::size_t>(SendMessageW(hwnd, CB_GETLBTEXTLEN, index, 0)),
                          L'\0');
        SendMessageW(hwnd, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(item.data()));
        SetWindowTextW(hwnd, item.c_str());
    }
}

}  // namespace quorvela::runtime
