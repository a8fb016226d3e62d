// The form on the Windows API: its window and window procedure, the controls
// built from the layout table at the monitor's DPI, the event loop, event
// pumping, the message box and the screen.

#include "runtime/form.h"

#include "runtime/win32/native.h"  // windows.h, before the other Windows headers

#include <uxtheme.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "runtime/dispatch.h"
#include "runtime/message_box.h"

namespace quorvela::runtime {
namespace {

constexpr const wchar_t* FormClass = L"FormRuntimeWindow";
constexpr DWORD FormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// The form whose messages go through the dialog manager.
NativeForm*& CurrentForm() {
    // NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables): one form a process
    static NativeForm* form = nullptr;
    return form;
}

// Windows 10's per-monitor DPI functions, looked up so that the program still
// starts on Windows 7 and 8, where the system DPI serves.
template <class Function>
Function User32Function(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

UINT SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

UINT WindowDpi(HWND hwnd) {
    static const auto getDpiForWindow = User32Function<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    const UINT dpi = getDpiForWindow != nullptr ? getDpiForWindow(hwnd) : 0;
    return dpi != 0 ? dpi : SystemDpi();
}

RECT OuterRect(int clientWidth, int clientHeight, UINT dpi) {
    static const auto adjustForDpi =
        User32Function<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
    RECT rect{0, 0, clientWidth, clientHeight};
    if (adjustForDpi != nullptr) {
        adjustForDpi(&rect, FormStyle, FALSE, 0, dpi);
    } else {
        AdjustWindowRectEx(&rect, FormStyle, FALSE, 0);
    }
    return rect;
}

// Child windows are stacked in the order they are made, the first on top;
// the dialog manager tabs from top to bottom, and screen readers name a
// control by the caption just above it. So: each focusable control in tab
// order, its caption just before it; then the other captions and the
// picture; then the rectangles, and the frame beneath everything.
std::vector<const ControlLayout*> StackingOrder(const FormLayout& layout) {
    std::vector<const ControlLayout*> focusable;
    std::vector<const ControlLayout*> rest;
    for (const ControlLayout& control : layout.controls) {
        (TakesFocus(control.kind) ? focusable : rest).push_back(&control);
    }
    std::stable_sort(focusable.begin(), focusable.end(),
                     [](const auto* a, const auto* b) { return a->tabIndex < b->tabIndex; });
    const auto rank = [](ControlKind kind) {
        return kind == ControlKind::Frame ? 2 : kind == ControlKind::Shape ? 1 : 0;
    };
    std::stable_sort(rest.begin(), rest.end(),
                     [&](const auto* a, const auto* b) { return rank(a->kind) < rank(b->kind); });
    std::vector<const ControlLayout*> order;
    for (const ControlLayout* control : focusable) {
        const auto caption = std::find_if(rest.begin(), rest.end(), [&](const auto* label) {
            return label->kind == ControlKind::Label && label->labelFor == control->name;
        });
        if (caption != rest.end()) {
            order.push_back(*caption);
            rest.erase(caption);
        }
        order.push_back(control);
    }
    order.insert(order.end(), rest.begin(), rest.end());
    return order;
}

DWORD AlignmentStyle(const ControlLayout& layout) {
    const bool edit = layout.kind == ControlKind::TextBox;
    static_assert(ES_CENTER == SS_CENTER);
    if (layout.alignment == Alignment::Center) {
        return ES_CENTER;
    }
    return edit ? ES_LEFT : SS_LEFTNOWORDWRAP;
}

// The window class and style of each kind of control.
std::pair<const wchar_t*, DWORD> ClassAndStyle(const ControlLayout& layout, bool startsGroup) {
    const DWORD tabStop = layout.tabStop == TabStop::Yes ? WS_TABSTOP : 0;
    switch (layout.kind) {
        case ControlKind::TextBox:
            return {WC_EDITW, ES_AUTOHSCROLL | AlignmentStyle(layout) | tabStop | WS_GROUP};
        case ControlKind::ComboBox:
            return {WC_COMBOBOXW, CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | tabStop | WS_GROUP};
        case ControlKind::OptionButton:
            return {WC_BUTTONW, BS_AUTORADIOBUTTON | tabStop | (startsGroup ? WS_GROUP : 0)};
        case ControlKind::CommandButton:
            return {WC_BUTTONW, BS_PUSHBUTTON | tabStop | WS_GROUP};
        case ControlKind::Label:
            return {WC_STATICW, SS_NOPREFIX | SS_NOTIFY | AlignmentStyle(layout)};
        case ControlKind::Image:
            return {WC_STATICW, SS_OWNERDRAW | SS_NOTIFY};
        case ControlKind::Frame:
            return {WC_BUTTONW, BS_GROUPBOX};
        case ControlKind::Shape:
        default:
            return {WC_STATICW, SS_OWNERDRAW};
    }
}

// A control's id is its place in the layout table, so that a program driving
// the window from outside finds it by the same table.
INT_PTR ControlId(const NativeForm& form, const ControlLayout& layout) {
    return FirstControlId + (&layout - form.layout->controls.data());
}

std::unique_ptr<NativeControl> MakeNative(ControlKind kind) {
    switch (kind) {
        case ControlKind::TextBox:
            return std::make_unique<NativeTextBox>();
        case ControlKind::ComboBox:
            return std::make_unique<NativeComboBox>();
        case ControlKind::OptionButton:
            return std::make_unique<NativeOptionButton>();
        case ControlKind::Label:
            return std::make_unique<NativeLabel>();
        case ControlKind::Image:
            return std::make_unique<NativeImage>();
        case ControlKind::CommandButton:
            return std::make_unique<NativeCommandButton>();
        default:
            return std::make_unique<NativeControl>();
    }
}

void MakeControls(NativeForm& form) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    ControlKind previous = ControlKind::Frame;
    for (const ControlLayout* layout : StackingOrder(*form.layout)) {
        std::unique_ptr<NativeControl> control = MakeNative(layout->kind);
        control->form = &form;
        control->layout = layout;
        control->bold = layout->font.bold;
        control->foreColor = layout->foreColor;
        const bool startsGroup =
            layout->kind == ControlKind::OptionButton && previous != ControlKind::OptionButton;
        const auto [cls, style] = ClassAndStyle(*layout, startsGroup);
        // The picture's window text is its name for screen readers.
        const std::wstring text =
            Widen(layout->kind == ControlKind::Image ? layout->accessibleName : layout->text);
        const DWORD exStyle = layout->kind == ControlKind::TextBox ? WS_EX_CLIENTEDGE : 0;
        const RECT place = form.PlaceOf(*layout);
        control->hwnd = CreateWindowExW(
            exStyle, cls, text.c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, place.left,
            place.top, place.right - place.left, place.bottom - place.top, form.hwnd,
            reinterpret_cast<HMENU>(ControlId(form, *layout)), instance, nullptr);
        if (layout->kind == ControlKind::OptionButton) {
            // Themed buttons draw their text in the theme's colour, whatever
            // WM_CTLCOLORSTATIC says: the options are drawn unthemed, so that
            // the selected mode shows red.
            SetWindowTheme(control->hwnd, L"", L"");
        }
        if (auto* core = dynamic_cast<ControlCore*>(control.get())) {
            form.Adopt(*layout, *core);
        }
        if (auto* box = dynamic_cast<NativeTextBox*>(control.get())) {
            InstallTextBoxHooks(*box);
        } else if (auto* combo = dynamic_cast<NativeComboBox*>(control.get())) {
            InstallComboBoxHooks(*combo);
            if (layout->typingLimit > 0) {
                SendMessageW(control->hwnd, CB_LIMITTEXT, static_cast<WPARAM>(layout->typingLimit),
                             0);
            }
        }
        InstallAccessibleHooks(*control);
        if (TakesFocus(layout->kind)) {
            previous = layout->kind;
        }
        form.controls.push_back(std::move(control));
    }
    for (auto& control : form.controls) {
        if (!control->layout->toolTip.empty()) {
            SetToolTip(*control, Widen(control->layout->toolTip));
        }
    }
}

// The twips offset of a container's inside from the client area's corner,
// from the layout table (the frame's window is made after what it holds).
POINT ContainerOffset(const FormLayout& form, std::string_view container) {
    POINT offset{0, 0};
    while (!container.empty() && container != form.name) {
        const auto parent =
            std::find_if(form.controls.begin(), form.controls.end(),
                         [&](const ControlLayout& c) { return c.name == container; });
        if (parent == form.controls.end()) {
            break;
        }
        offset.x += parent->rect.left;
        offset.y += parent->rect.top;
        container = parent->container;
    }
    return offset;
}

void DrawShape(const NativeControl& control, const DRAWITEMSTRUCT& item) {
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    if (const auto* image = dynamic_cast<const NativeImage*>(&control)) {
        if (image->picture != nullptr) {
            DrawIconEx(item.hDC, 0, 0, image->picture, item.rcItem.right, item.rcItem.bottom, 0,
                       nullptr, DI_NORMAL);
        }
        return;
    }
    // A one-pixel border at every DPI, as the classic rectangle draws.
    HPEN pen = CreatePen(PS_SOLID, 1, ToColorRef(control.foreColor.value_or(0)));
    HGDIOBJ oldPen = SelectObject(item.hDC, pen);
    HGDIOBJ oldBrush = SelectObject(item.hDC, GetStockObject(NULL_BRUSH));
    Rectangle(item.hDC, item.rcItem.left, item.rcItem.top, item.rcItem.right, item.rcItem.bottom);
    SelectObject(item.hDC, oldBrush);
    SelectObject(item.hDC, oldPen);
    DeleteObject(pen);
}

LRESULT ControlColor(NativeForm& form, UINT message, HDC dc, HWND child) {
    const NativeControl* control = form.FromHwnd(child);
    const bool edit = message == WM_CTLCOLOREDIT;
    const int background = edit ? COLOR_WINDOW : COLOR_BTNFACE;
    if (control != nullptr && control->foreColor) {
        SetTextColor(dc, ToColorRef(*control->foreColor));
    } else {
        SetTextColor(dc, GetSysColor(edit ? COLOR_WINDOWTEXT : COLOR_BTNTEXT));
    }
    SetBkColor(dc, GetSysColor(background));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(background));
}

// Posted when an open list has closed on an item taken: the pick follows,
// unless the control has already reported it as a change of selection (some
// versions of the control do so after closing the list, some before).
constexpr UINT ListPickTaken = WM_APP + 1;

// Arrows on the closed box pick at each step. In the open list they only
// move through it: an item is picked when the list closes on it (Enter, a
// click); closed any other way, the box shows again what it showed before.
void ComboCommand(NativeComboBox& combo, WORD notification) {
    switch (notification) {
        case CBN_DROPDOWN:
            combo.listPick = false;
            combo.indexAtOpen = SendMessageW(combo.hwnd, CB_GETCURSEL, 0, 0);
            combo.textAtOpen = WindowText(combo.hwnd);
            break;
        case CBN_SELCHANGE:
            if (SendMessageW(combo.hwnd, CB_GETDROPPEDSTATE, 0, 0) == FALSE) {
                combo.listPick = false;
                combo.Picked(static_cast<int>(SendMessageW(combo.hwnd, CB_GETCURSEL, 0, 0)));
            }
            break;
        case CBN_CLOSEUP:
            if (combo.listPick && SendMessageW(combo.hwnd, CB_GETCURSEL, 0, 0) != CB_ERR) {
                PostMessageW(combo.form->hwnd, ListPickTaken, 0,
                             reinterpret_cast<LPARAM>(combo.hwnd));
            } else {
                combo.listPick = false;
                SendMessageW(combo.hwnd, CB_SETCURSEL, static_cast<WPARAM>(combo.indexAtOpen), 0);
                SetWindowTextW(combo.hwnd, combo.textAtOpen.c_str());
            }
            break;
        default:
            break;
    }
}

void Command(NativeForm& form, WORD notification, HWND child) {
    NativeControl* control = form.FromHwnd(child);
    if (control == nullptr) {
        return;  // IDOK and IDCANCEL from the dialog manager: Enter and Escape do nothing here
    }
    if (auto* button = dynamic_cast<NativeCommandButton*>(control)) {
        if (notification == BN_CLICKED) {
            button->RaiseClick();
        }
    } else if (auto* option = dynamic_cast<NativeOptionButton*>(control)) {
        // Also sent when the arrow keys move the focus onto an option.
        if (notification == BN_CLICKED) {
            option->Select();
        }
    } else if (auto* combo = dynamic_cast<NativeComboBox*>(control)) {
        ComboCommand(*combo, notification);
    }
}

LRESULT CALLBACK FormProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* form = reinterpret_cast<NativeForm*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (form == nullptr) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    switch (message) {
        case WM_COMMAND:
            Command(*form, HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case ListPickTaken:
            if (auto* combo =
                    dynamic_cast<NativeComboBox*>(form->FromHwnd(reinterpret_cast<HWND>(lParam)));
                combo != nullptr && combo->listPick) {
                combo->listPick = false;
                combo->Picked(static_cast<int>(SendMessageW(combo->hwnd, CB_GETCURSEL, 0, 0)));
            }
            return 0;
        case DM_GETDEFID: {
            // Enter clicks the command button that holds the focus.
            const NativeControl* focused = form->FromHwnd(GetFocus());
            if (focused != nullptr && focused->layout->kind == ControlKind::CommandButton) {
                return MAKELRESULT(GetDlgCtrlID(focused->hwnd), DC_HASDEFID);
            }
            return 0;
        }
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return ControlColor(*form, message, reinterpret_cast<HDC>(wParam),
                                reinterpret_cast<HWND>(lParam));
        case WM_GETFONT:
            // The window's own font: that of every control that names none.
            return reinterpret_cast<LRESULT>(
                form->Font(form->layout->font.points, form->layout->font.bold));
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (const NativeControl* control = form->FromHwnd(item.hwndItem)) {
                DrawShape(*control, item);
            }
            return TRUE;
        }
        case WM_ACTIVATE:
            // The focus comes back to the control that had it, without a
            // GotFocus: nothing moved inside the window.
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus != nullptr && IsChild(form->hwnd, focus) != FALSE) {
                    form->lastFocus = focus;
                }
                return 0;
            }
            if (form->lastFocus != nullptr && IsWindow(form->lastFocus) != FALSE &&
                IsIconic(hwnd) == FALSE) {
                SetFocus(form->lastFocus);
                return 0;
            }
            break;
        case WM_SETFOCUS:
            if (form->lastFocus != nullptr && IsWindow(form->lastFocus) != FALSE) {
                SetFocus(form->lastFocus);
            }
            return 0;
        case 0x02E0: {  // WM_DPICHANGED: moved to a monitor of another density
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            // The size follows from the layout at the new density; the place
            // is the one Windows suggests.
            form->Layout(HIWORD(wParam));
            SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void RegisterFormClass() {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
        InitCommonControlsEx(&controls);
        WNDCLASSEXW cls{};
        cls.cbSize = sizeof cls;
        cls.lpfnWndProc = FormProc;
        cls.hInstance = GetModuleHandleW(nullptr);
        cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        cls.lpszClassName = FormClass;
        return RegisterClassExW(&cls) != 0;
    }();
    (void)registered;
}

// Messages for the form go through the dialog manager: Tab, Shift+Tab, the
// arrow keys in the option group, Enter on the command button.
void Deliver(MSG& message) {
    if (CurrentForm() != nullptr && IsDialogMessageW(CurrentForm()->hwnd, &message) != FALSE) {
        return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

}  // namespace

NativeControl* NativeForm::FromHwnd(HWND child) const {
    for (HWND window = child; window != nullptr && window != hwnd; window = GetParent(window)) {
        for (const auto& control : controls) {
            if (control->hwnd == window) {
                return control.get();
            }
        }
    }
    return nullptr;
}

HFONT NativeForm::Font(double points, bool bold) {
    LOGFONTW font{};
    font.lfHeight = -static_cast<LONG>(std::lround(points * dpi / 72.0));
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    HFONT& made = fonts[{font.lfHeight, font.lfWeight}];
    if (made == nullptr) {
        font.lfCharSet = ANSI_CHARSET;
        font.lfQuality = CLEARTYPE_QUALITY;
        const std::wstring face = Widen(layout->fontFace);
        face.copy(static_cast<wchar_t*>(font.lfFaceName), LF_FACESIZE - 1);
        made = CreateFontIndirectW(&font);
    }
    return made;
}

RECT NativeForm::PlaceOf(const ControlLayout& control) const {
    const POINT offset = ContainerOffset(*layout, control.container);
    const int left = TwipsToPixels(offset.x + control.rect.left, PixelsPerInch());
    const int top = TwipsToPixels(offset.y + control.rect.top, PixelsPerInch());
    const int width = TwipsToPixels(control.rect.width, PixelsPerInch());
    const int height = TwipsToPixels(control.rect.height, PixelsPerInch());
    // A drop-down combo box's window includes its list.
    const int listHeight = control.kind == ControlKind::ComboBox ? height * 8 : 0;
    return {left, top, left + width, top + height + listHeight};
}

void NativeForm::Layout(UINT newDpi) {
    const bool moved = newDpi != dpi;
    dpi = newDpi;
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    if (layout->icon.iconId != 0) {
        const int iconSize = GetSystemMetrics(SM_CXICON) * static_cast<int>(dpi) / 96;
        const auto load = [&](int size) {
            return LoadImageW(instance, MAKEINTRESOURCEW(layout->icon.iconId), IMAGE_ICON, size,
                              size, 0);
        };
        DestroyIcon(reinterpret_cast<HICON>(
            SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(load(iconSize)))));
        DestroyIcon(reinterpret_cast<HICON>(SendMessageW(
            hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(load(iconSize / 2)))));
    }

    for (auto& control : controls) {
        const ControlLayout& layout = *control->layout;
        const int width = TwipsToPixels(layout.rect.width, PixelsPerInch());
        const int height = TwipsToPixels(layout.rect.height, PixelsPerInch());
        if (moved) {
            const RECT place = PlaceOf(layout);
            SetWindowPos(control->hwnd, nullptr, place.left, place.top, place.right - place.left,
                         place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        ApplyFont(*control);
        if (layout.kind == ControlKind::ComboBox) {
            // The box stands the layout's height: what it adds around its
            // selection field is measured, as it differs between systems.
            const auto setField = [&](int field) {
                SendMessageW(control->hwnd, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
            };
            setField(height);
            RECT box{};
            GetWindowRect(control->hwnd, &box);
            setField(2 * height - (box.bottom - box.top));
        }
        if (auto* image = dynamic_cast<NativeImage*>(control.get());
            image != nullptr && layout.picture.iconId != 0) {
            if (image->picture != nullptr) {
                DestroyIcon(image->picture);
            }
            image->picture = static_cast<HICON>(LoadImageW(
                instance, MAKEINTRESOURCEW(layout.picture.iconId), IMAGE_ICON, width, height, 0));
        }
    }
    // The client area takes the layout's size exactly: the frame is measured
    // on the window as it stands, after a first guess from the system.
    const int clientWidth = TwipsToPixels(layout->clientWidth, PixelsPerInch());
    const int clientHeight = TwipsToPixels(layout->clientHeight, PixelsPerInch());
    const RECT outer = OuterRect(clientWidth, clientHeight, dpi);
    SetWindowPos(hwnd, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT window{};
    RECT client{};
    GetWindowRect(hwnd, &window);
    GetClientRect(hwnd, &client);
    if (client.right != clientWidth || client.bottom != clientHeight) {
        SetWindowPos(hwnd, nullptr, 0, 0, window.right - window.left + clientWidth - client.right,
                     window.bottom - window.top + clientHeight - client.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SendMessageW(toolTips, TTM_SETMAXTIPWIDTH, 0,
                 TwipsToPixels(layout->clientWidth, PixelsPerInch()));
    InvalidateRect(hwnd, nullptr, TRUE);
}

// ---------------------------------------------------------------- Screen

PixelSize ScreenPixels() {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

int ScreenPixelsPerInch() {
    return static_cast<int>(SystemDpi());
}

namespace {

// The program's name from its identity, given to Application.
std::wstring& ApplicationName() {
    static std::wstring name;
    return name;
}

// The title of the runtime's own boxes: the program's name; Windows' own
// ("Error") before there is an Application.
const wchar_t* BoxTitle() {
    return ApplicationName().empty() ? nullptr : ApplicationName().c_str();
}

}  // namespace

// ---------------------------------------------------------------- Form

Form::Form(const FormLayout& layout)
    : native_(std::make_unique<NativeForm>()), core_(native_.get()) {
    RegisterFormClass();
    NativeForm& form = *native_;
    form.layout = &layout;
    const std::wstring caption = Widen(layout.caption);
    form.hwnd =
        CreateWindowExW(0, FormClass, caption.c_str(), FormStyle, CW_USEDEFAULT, CW_USEDEFAULT, 0,
                        0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (form.hwnd == nullptr) {
        // Without its window the program would wait for messages that never
        // come: the user is told, and the exit status is 1.
        const std::wstring text =
            L"Impossibile creare la finestra (errore " + std::to_wstring(GetLastError()) + L").";
        MessageBoxW(nullptr, text.c_str(), BoxTitle(), MB_OK | MB_ICONERROR);
        ExitProcess(1);
    }
    SetWindowLongPtrW(form.hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&form));
    form.toolTips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                    WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0, 0, form.hwnd,
                                    nullptr, GetModuleHandleW(nullptr), nullptr);
    form.dpi = WindowDpi(form.hwnd);
    MakeControls(form);
    form.Layout(form.dpi);
    CurrentForm() = &form;
}

Form::~Form() {
    NativeForm& form = *native_;
    if (CurrentForm() == &form) {
        CurrentForm() = nullptr;
    }
    if (IsWindow(form.hwnd) != FALSE) {
        SetWindowLongPtrW(form.hwnd, GWLP_USERDATA, 0);
        DestroyWindow(form.hwnd);
    }
    for (auto& control : form.controls) {
        if (const auto* image = dynamic_cast<const NativeImage*>(control.get());
            image != nullptr && image->picture != nullptr) {
            DestroyIcon(image->picture);
        }
    }
    for (const auto& [key, font] : form.fonts) {
        DeleteObject(font);
    }
}

PixelSize NativeForm::OuterSize() {
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

PixelPoint NativeForm::FramePosition() {
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    return {rect.left, rect.top};
}

void NativeForm::MoveFrameTo(PixelPoint topLeft) {
    SetWindowPos(hwnd, nullptr, topLeft.x, topLeft.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---------------------------------------------------------------- services

void NativeForm::Show() {
    ShowWindow(hwnd, SW_SHOWNORMAL);
    SetForegroundWindow(hwnd);
    // The first control in tab order takes the focus, raising its GotFocus.
    for (HWND child = GetWindow(hwnd, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        if ((style & WS_TABSTOP) != 0 && IsWindowVisible(child) != FALSE &&
            IsWindowEnabled(child) != FALSE) {
            firstFocus = true;
            if (GetFocus() == child) {
                if (auto* box = dynamic_cast<NativeTextBox*>(FromHwnd(child))) {
                    box->FocusEntered(true, false);
                }
            } else {
                SetFocus(child);
            }
            firstFocus = false;
            break;
        }
    }
    UpdateWindow(hwnd);
}

void PumpEvents() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        Deliver(message);
    }
}

namespace {

// A box belongs to the window while it shows, so that it stays in front of it.
HWND BoxOwner() {
    NativeForm* form = CurrentForm();
    return form != nullptr && IsWindowVisible(form->hwnd) != FALSE ? form->hwnd : nullptr;
}

}  // namespace

int MsgBox(std::string_view prompt, int style, std::string_view title) {
    const MsgBoxStyle decoded = DecodeMsgBoxStyle(style);
    return MessageBoxW(
        BoxOwner(), Widen(prompt).c_str(), Widen(title).c_str(),
        static_cast<UINT>(decoded.buttons) | static_cast<UINT>(decoded.icon) | MB_SETFOREGROUND);
}

void ShowRuntimeError(const std::string& text) noexcept {
    MessageBoxW(BoxOwner(), Widen(text).c_str(), BoxTitle(),
                MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

// ---------------------------------------------------------------- Application

struct Application::Native {};

Application::Application(int /*argc*/, char** /*argv*/, const Identity& identity)
    : native_(std::make_unique<Native>()) {
    ApplicationName() = Widen(identity.name);
    RegisterFormClass();
}

Application::~Application() = default;

// Not static: the loop runs for the application object alone.
// NOLINTNEXTLINE(readability-convert-member-functions-to-static)
int Application::Run(Form& form) {
    Start(form);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        Deliver(message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace quorvela::runtime
