// The controls on the Windows API: EDIT, COMBOBOX, BUTTON and STATIC windows
// with the properties, methods and events of the form runtime.

#include "runtime/controls.h"

#include "runtime/win32/native.h"  // windows.h, before the other Windows headers

#include <imm.h>

#include <algorithm>
#include <cmath>
#include <limits>

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

namespace {

// Tab lands on the selected option of a group (or on the first while none
// is): the dialog manager stops on every option that is a tab stop.
void UpdateOptionTabStops(const NativeForm& form, std::string_view container) {
    std::vector<NativeControl*> group;
    for (const auto& control : form.controls) {
        if (control->layout->kind == ControlKind::OptionButton &&
            control->layout->container == container) {
            group.push_back(control.get());
        }
    }
    const bool any = std::any_of(group.begin(), group.end(), [](auto* o) { return o->selected; });
    for (std::size_t i = 0; i < group.size(); ++i) {
        const bool stop = any ? group[i]->selected : i == 0;
        const LONG style = GetWindowLongW(group[i]->hwnd, GWL_STYLE);
        SetWindowLongW(group[i]->hwnd, GWL_STYLE, stop ? style | WS_TABSTOP : style & ~WS_TABSTOP);
    }
}

void Deselect(NativeControl& option) {
    option.selected = false;
    SendMessageW(option.hwnd, BM_SETCHECK, BST_UNCHECKED, 0);
}

void RaiseIfVisibleFails(const NativeControl& control) {
    if (!IsWindowVisible(control.hwnd) || !IsWindowEnabled(control.hwnd)) {
        Raise(ErrorNumber::InvalidProcedureCall);
    }
}

void FocusOrRaise(const NativeControl& control) {
    RaiseIfVisibleFails(control);
    SetFocus(control.hwnd);
}

}  // namespace

void SelectOption(NativeControl& option) {
    if (option.selected) {
        SendMessageW(option.hwnd, BM_SETCHECK, BST_CHECKED, 0);
        return;
    }
    for (const auto& other : option.form->controls) {
        if (other.get() != &option && other->layout->kind == ControlKind::OptionButton &&
            other->layout->container == option.layout->container && other->selected) {
            Deselect(*other);
        }
    }
    option.selected = true;
    SendMessageW(option.hwnd, BM_SETCHECK, BST_CHECKED, 0);
    UpdateOptionTabStops(*option.form, option.layout->container);
    if (option.optionClick) {
        auto index = static_cast<std::int16_t>(option.layout->index);
        Dispatch([&] { option.optionClick(index); });
    }
}

// ---------------------------------------------------------------- TextBox

namespace {

constexpr UINT_PTR TextBoxHooks = 1;
constexpr UINT MenuCopy = 1;
constexpr UINT MenuSelectAll = 2;

// How many characters the box takes in place of its selection (none below
// zero when the program has written it past its limit).
int TypingRoom(const NativeControl& box) {
    const int limit = box.layout->typingLimit;
    if (limit <= 0) {
        return std::numeric_limits<int>::max();
    }
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(box.hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    const int remaining = GetWindowTextLengthW(box.hwnd) - static_cast<int>(end - start);
    return std::max(0, limit - remaining);
}

bool FitsTypingLimit(const NativeControl& box, int inserted) {
    return inserted <= TypingRoom(box);
}

// One typed character through the keystroke handler and the typing limit.
void Type(NativeControl& box, std::int16_t code) {
    std::int16_t keyAscii = code;
    Dispatch([&] { box.keyPress(keyAscii); });
    if (keyAscii == 0) {
        return;
    }
    if (keyAscii == 8) {
        DefSubclassProc(box.hwnd, WM_CHAR, 8, 0);
        return;
    }
    if (keyAscii < 32 || keyAscii == 127) {
        return;  // control codes insert nothing
    }
    if (FitsTypingLimit(box, 1)) {
        DefSubclassProc(box.hwnd, WM_CHAR,
                        static_cast<WPARAM>(static_cast<std::uint16_t>(keyAscii)), 0);
    }
}

// A box without a keystroke handler takes a paste cut to what fits.
void PasteWithinLimit(NativeControl& box) {
    if (!OpenClipboard(box.hwnd)) {
        return;
    }
    std::wstring text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    text = text.substr(0, text.find_first_of(L"\r\n"));
    text.resize(std::min(text.size(), static_cast<std::size_t>(TypingRoom(box))));
    box.programWriting = true;
    SendMessageW(box.hwnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    box.programWriting = false;
}

// Copying a figure out stays possible; nothing can be pasted in (a box
// without a keystroke handler still takes Ctrl+V, cut to its limit). As with
// the system's own edit menu, the box takes the focus first.
void ShowCopyMenu(NativeControl& box, LPARAM where) {
    if (GetFocus() != box.hwnd) {
        SetFocus(box.hwnd);
    }
    POINT point{static_cast<short>(LOWORD(where)), static_cast<short>(HIWORD(where))};
    if (where == static_cast<LPARAM>(-1)) {  // from the keyboard
        RECT rect{};
        GetWindowRect(box.hwnd, &rect);
        point = {rect.left, rect.bottom};
    }
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(box.hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING | (end > start ? 0 : MF_GRAYED), MenuCopy, L"Copia");
    AppendMenuW(menu, MF_STRING | (GetWindowTextLengthW(box.hwnd) > 0 ? 0 : MF_GRAYED),
                MenuSelectAll, L"Seleziona tutto");
    const UINT chosen =
        static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON,
                                         point.x, point.y, 0, box.hwnd, nullptr));
    DestroyMenu(menu);
    if (chosen == MenuCopy) {
        SendMessageW(box.hwnd, WM_COPY, 0, 0);
    } else if (chosen == MenuSelectAll) {
        SendMessageW(box.hwnd, EM_SETSEL, 0, -1);
    }
}

// The focus entered from elsewhere in the window (or at the first show):
// reactivating the window moves nothing and raises nothing.
bool FocusCameFromWindow(const NativeControl& box, HWND previous) {
    const HWND form = box.form->hwnd;
    return box.form->firstFocus ||
           (previous != nullptr && (previous == form || IsChild(form, previous)));
}

LRESULT CALLBACK TextBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                             DWORD_PTR data) {
    auto& box = *reinterpret_cast<NativeControl*>(data);
    const bool typingOnly = box.TypingOnly();
    switch (message) {
        case WM_GETDLGCODE: {
            LRESULT code = DefSubclassProc(hwnd, message, wParam, lParam);
            const auto* pending = reinterpret_cast<const MSG*>(lParam);
            // Enter and Escape reach the keystroke handler instead of the dialog manager.
            if (typingOnly && pending != nullptr && pending->message == WM_KEYDOWN &&
                (pending->wParam == VK_RETURN || pending->wParam == VK_ESCAPE)) {
                code |= DLGC_WANTMESSAGE;
            }
            return code;
        }
        case WM_KEYDOWN:
            if (wParam == VK_DECIMAL) {
                box.keypadDecimal = true;
            }
            // Shift+Insert pastes, Shift+Delete cuts, without a message of
            // their own: a box without a keystroke handler pastes within its limit.
            if (GetKeyState(VK_SHIFT) < 0 && (wParam == VK_INSERT || wParam == VK_DELETE)) {
                if (!typingOnly && wParam == VK_INSERT) {
                    PasteWithinLimit(box);
                }
                if (typingOnly || wParam == VK_INSERT) {
                    return 0;
                }
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
            if (typingOnly) {
                // The keypad's decimal key types the decimal comma whatever
                // the keyboard layout says.
                // Ctrl+Backspace is character 127 on Windows (Wine gives 8).
                const bool ctrlBackspace =
                    wParam == 8 && message == WM_CHAR && GetKeyState(VK_CONTROL) < 0;
                const auto code =
                    box.keypadDecimal && message == WM_CHAR ? std::int16_t{','}
                    : ctrlBackspace                         ? std::int16_t{127}
                                    : static_cast<std::int16_t>(static_cast<std::uint16_t>(wParam));
                box.keypadDecimal = false;
                Type(box, code);
                return 0;
            }
            if (wParam >= 32 && wParam != 127 && !FitsTypingLimit(box, 1)) {
                return 0;
            }
            break;
        case WM_PASTE:
            if (typingOnly) {
                return 0;
            }
            PasteWithinLimit(box);
            return 0;
        case WM_CUT:
        case WM_UNDO:
        case EM_UNDO:
            if (typingOnly) {
                return 0;
            }
            break;
        case WM_SETTEXT:
        case EM_REPLACESEL:
            // No outside writer (another program, an accessibility client)
            // puts text into a box: the program's figures are its own.
            if (!box.programWriting) {
                return message == WM_SETTEXT ? FALSE : 0;
            }
            break;
        case WM_CONTEXTMENU:
            // The same Italian menu on every system, whatever its language.
            ShowCopyMenu(box, lParam);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            // The press that gives the focus must not undo the selection the
            // focus handler made: it is swallowed, with its drag.
            if (GetFocus() != hwnd && box.gotFocus) {
                box.swallowingMouse = true;
                SetFocus(hwnd);
                return 0;
            }
            box.swallowingMouse = false;
            break;
        case WM_MOUSEMOVE:
            if (box.swallowingMouse) {
                return 0;
            }
            break;
        case WM_LBUTTONUP:
            if (box.swallowingMouse) {
                box.swallowingMouse = false;
                return 0;
            }
            break;
        case WM_SETFOCUS: {
            const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
            if (box.gotFocus && FocusCameFromWindow(box, reinterpret_cast<HWND>(wParam))) {
                Dispatch(box.gotFocus);
            }
            return result;
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, TextBoxProc, TextBoxHooks);
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

// The edit menu of a combo box's text, in Italian on every system.
LRESULT CALLBACK ComboEditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR data) {
    auto& combo = *reinterpret_cast<NativeControl*>(data);
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
        POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (lParam == static_cast<LPARAM>(-1)) {
            RECT rect{};
            GetWindowRect(hwnd, &rect);
            point = {rect.left, rect.bottom};
        }
        SetFocus(hwnd);
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        const UINT selected = end > start ? 0 : MF_GRAYED;
        const UINT canPaste = IsClipboardFormatAvailable(CF_UNICODETEXT) ? 0 : MF_GRAYED;
        struct Entry {
            const wchar_t* text;
            UINT message;
            UINT flags;
        };
        const Entry entries[] = {
            {L"Annulla", WM_UNDO, SendMessageW(hwnd, EM_CANUNDO, 0, 0) ? 0U : MF_GRAYED},
            {L"Taglia", WM_CUT, selected},
            {L"Copia", WM_COPY, selected},
            {L"Incolla", WM_PASTE, canPaste},
            {L"Elimina", WM_CLEAR, selected},
            {L"Seleziona tutto", EM_SETSEL, GetWindowTextLengthW(hwnd) > 0 ? 0U : MF_GRAYED},
        };
        HMENU menu = CreatePopupMenu();
        for (const Entry& entry : entries) {
            if (entry.message == EM_SETSEL) {
                AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            }
            AppendMenuW(menu, MF_STRING | entry.flags, entry.message, entry.text);
        }
        const auto chosen =
            static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON,
                                             point.x, point.y, 0, hwnd, nullptr));
        DestroyMenu(menu);
        if (chosen == EM_SETSEL) {
            SendMessageW(hwnd, EM_SETSEL, 0, -1);
        } else if (chosen != 0) {
            SendMessageW(hwnd, chosen, 0, 0);
        }
        return 0;
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, ComboEditProc, TextBoxHooks);
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

// A click released on the open list takes the item under it.
LRESULT CALLBACK ComboListProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR data) {
    if (message == WM_LBUTTONUP) {
        RECT client{};
        GetClientRect(hwnd, &client);
        const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        auto& combo = *reinterpret_cast<NativeControl*>(data);
        combo.listPick = PtInRect(&client, point) != FALSE;
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, ComboListProc, TextBoxHooks);
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

// Screen readers know a combo box by its caption (the system's proxy would
// name it by its text), and every control by its tooltip as well.
LRESULT CALLBACK AccessibleProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR data) {
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
        RemoveWindowSubclass(hwnd, AccessibleProc, TextBoxHooks);
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace

void InstallAccessibleHooks(NativeControl& control) {
    SetWindowSubclass(control.hwnd, AccessibleProc, TextBoxHooks,
                      reinterpret_cast<DWORD_PTR>(&control));
}

void InstallComboBoxHooks(NativeControl& control) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(control.hwnd, &info) && info.hwndItem != nullptr) {
        SetWindowSubclass(info.hwndItem, ComboEditProc, TextBoxHooks,
                          reinterpret_cast<DWORD_PTR>(&control));
        SetWindowSubclass(info.hwndList, ComboListProc, TextBoxHooks,
                          reinterpret_cast<DWORD_PTR>(&control));
    }
}

void InstallTextBoxHooks(NativeControl& control) {
    SetWindowSubclass(control.hwnd, TextBoxProc, TextBoxHooks,
                      reinterpret_cast<DWORD_PTR>(&control));
}

// ---------------------------------------------------------------- handles

TextBox::TextBox(Form& form, std::string_view name, int index)
    : native_(&form.Native().Control<NativeTextBox>(name, index)) {}

std::string TextBox::Text() const {
    return Narrow(WindowText(native_->hwnd));
}

void TextBox::SetText(std::string_view text) {
    native_->programWriting = true;
    SetWindowTextW(native_->hwnd, Widen(text).c_str());
    native_->programWriting = false;
    // A figure longer than the box shows its beginning.
    SendMessageW(native_->hwnd, EM_SETSEL, 0, 0);
    SendMessageW(native_->hwnd, EM_SCROLLCARET, 0, 0);
}

void TextBox::SetSelStart(int start) {
    const int position = std::clamp(start, 0, GetWindowTextLengthW(native_->hwnd));
    SendMessageW(native_->hwnd, EM_SETSEL, position, position);
}

void TextBox::SetSelLength(int length) {
    DWORD start = 0;
    SendMessageW(native_->hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    const int available = GetWindowTextLengthW(native_->hwnd) - static_cast<int>(start);
    SendMessageW(native_->hwnd, EM_SETSEL, start, start + std::clamp(length, 0, available));
}

void TextBox::SetFocus() {
    FocusOrRaise(*native_);
}

void TextBox::OnGotFocus(Handler handler) {
    native_->gotFocus = std::move(handler);
}

void TextBox::OnKeyPress(KeyPressHandler handler) {
    native_->keyPress = std::move(handler);
    // Composed text (input methods) would bypass the keystroke handler.
    ImmAssociateContextEx(native_->hwnd, nullptr, native_->keyPress ? 0 : IACE_DEFAULT);
}

ComboBox::ComboBox(Form& form, std::string_view name, int index)
    : native_(&form.Native().Control<NativeComboBox>(name, index)) {}

std::string ComboBox::Text() const {
    return Narrow(WindowText(native_->hwnd));
}

void ComboBox::AddItem(std::string_view item) {
    SendMessageW(native_->hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
}

void ComboBox::SetListIndex(int index) {
    const auto count = static_cast<int>(SendMessageW(native_->hwnd, CB_GETCOUNT, 0, 0));
    if (index < -1 || index >= count) {
        Raise(ErrorNumber::InvalidProcedureCall);
    }
    SendMessageW(native_->hwnd, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    if (native_->click) {
        Dispatch(native_->click);
    }
}

void ComboBox::SetFocus() {
    FocusOrRaise(*native_);
}

void ComboBox::OnClick(Handler handler) {
    native_->click = std::move(handler);
}

OptionButton::OptionButton(Form& form, std::string_view name, int index)
    : native_(&form.Native().Control<NativeOptionButton>(name, index)) {}

bool OptionButton::Value() const {
    return native_->selected;
}

void OptionButton::SetValue(bool value) {
    if (value) {
        SelectOption(*native_);
    } else if (native_->selected) {
        Deselect(*native_);
        UpdateOptionTabStops(*native_->form, native_->layout->container);
    }
}

void OptionButton::SetForeColor(OleColor color) {
    native_->foreColor = color;
    InvalidateRect(native_->hwnd, nullptr, TRUE);
}

void OptionButton::SetFontBold(bool bold) {
    native_->bold = bold;
    ApplyFont(*native_);
}

void OptionButton::OnClick(ClickHandler handler) {
    native_->optionClick = std::move(handler);
}

Label::Label(Form& form, std::string_view name, int index)
    : native_(&form.Native().Control<NativeLabel>(name, index)) {}

void Label::SetCaption(std::string_view caption) {
    SetWindowTextW(native_->hwnd, Widen(caption).c_str());
}

void Label::SetFontBold(bool bold) {
    native_->bold = bold;
    ApplyFont(*native_);
}

void Label::SetToolTipText(std::string_view text) {
    SetToolTip(*native_, Widen(text));
}

Image::Image(Form& form, std::string_view name, int index)
    : native_(&form.Native().Control<NativeImage>(name, index)) {}

void Image::SetToolTipText(std::string_view text) {
    SetToolTip(*native_, Widen(text));
}

CommandButton::CommandButton(Form& form, std::string_view name, int index)
    : native_(&form.Native().Control<NativeCommandButton>(name, index)) {}

void CommandButton::OnClick(Handler handler) {
    native_->click = std::move(handler);
}

}  // namespace quorvela::runtime
