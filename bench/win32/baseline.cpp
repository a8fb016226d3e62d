// The window's 18 controls as a plain Win32 program would make them: the same
// classes, fonts, places, texts, colours, tooltips, icon and picture as the
// program shows after its start-up, with no form runtime, no handlers and no
// Load. It shows the window and ends after the first paint: the reference for
// the Windows start-up cost.

// windows.h first: the other Windows headers build on it.
#include <windows.h>

#include <commctrl.h>
#include <uxtheme.h>

#include <array>
#include <tuple>

#include "bench/win32/first_paint.h"

namespace {

UINT dpi = 96;

int Px(int twips) {
    return MulDiv(twips, static_cast<int>(dpi), 1440);
}

HFONT Calibri(double points, bool bold) {
    LOGFONTW font{};
    font.lfHeight = -static_cast<LONG>(points * dpi / 72.0 + 0.5);
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = ANSI_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    lstrcpyW(font.lfFaceName, L"Calibri");
    return CreateFontIndirectW(&font);
}

HWND window = nullptr;
HWND tooltip = nullptr;
std::array<HWND, 2> blueText{};
HWND magentaBox = nullptr;
HWND redOption = nullptr;

// A control in client coordinates: the frame's offset (240, 120) added.
HWND Control(const wchar_t* cls, const wchar_t* text, DWORD style, int left, int top, int width,
             int height, HFONT font, bool inFrame = true) {
    const int x = inFrame ? left + 240 : left;
    const int y = inFrame ? top + 120 : top;
    HWND control =
        CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, Px(x), Px(y),
                        Px(width), Px(height), window, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (font != nullptr)
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

void Tip(HWND control, const wchar_t* text) {
    TOOLINFOW info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = window;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = const_cast<wchar_t*>(text);
    SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            const auto control = reinterpret_cast<HWND>(lParam);
            const auto dc = reinterpret_cast<HDC>(wParam);
            const bool edit = message == WM_CTLCOLOREDIT;
            if (control == magentaBox)
                SetTextColor(dc, RGB(255, 0, 255));
            if (control == blueText[0] || control == blueText[1])
                SetTextColor(dc, RGB(0, 0, 255));
            if (control == redOption)
                SetTextColor(dc, RGB(255, 0, 0));
            SetBkColor(dc, GetSysColor(edit ? COLOR_WINDOW : COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(edit ? COLOR_WINDOW : COLOR_BTNFACE));
        }
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            HGDIOBJ pen = SelectObject(item->hDC, CreatePen(PS_SOLID, 1, RGB(128, 128, 128)));
            HGDIOBJ brush = SelectObject(item->hDC, GetStockObject(NULL_BRUSH));
            Rectangle(item->hDC, item->rcItem.left, item->rcItem.top, item->rcItem.right,
                      item->rcItem.bottom);
            DeleteObject(SelectObject(item->hDC, pen));
            SelectObject(item->hDC, brush);
            return TRUE;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    HDC screen = GetDC(nullptr);
    dpi = static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);

    WNDCLASSEXW cls{};
    cls.cbSize = sizeof cls;
    cls.lpfnWndProc = WindowProc;
    cls.hInstance = instance;
    cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    cls.lpszClassName = L"QuorvelaBaseline";
    cls.hIcon =
        static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
    RegisterClassExW(&cls);

    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    RECT frame{0, 0, Px(7575), Px(5100)};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    window = CreateWindowExW(0, cls.lpszClassName, L"Quorvela -  07/2024  -  quorvela@example.org",
                             style, CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                             frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0,
                              0, 0, 0, window, nullptr, instance, nullptr);

    HFONT big = Calibri(14.25, false);
    HFONT bold = Calibri(14.25, true);
    HFONT small = Calibri(11.25, false);
    HFONT smallBold = Calibri(11.25, true);
    HFONT normal = Calibri(12, false);
    const DWORD edit = WS_BORDER | WS_TABSTOP | ES_CENTER | ES_AUTOHSCROLL;
    const DWORD label = SS_NOPREFIX;

    magentaBox = Control(WC_EDITW, L"", edit, 600, 2760, 1215, 465, bold);
    blueText[0] = Control(WC_EDITW, L"", edit, 2520, 2760, 1215, 465, bold);
    blueText[1] = Control(WC_EDITW, L"", edit, 4320, 2760, 1215, 465, bold);
    HWND volume = Control(WC_BUTTONW, L"ottieni cm\u00B3", BS_AUTORADIOBUTTON | WS_GROUP, 600, 3480,
                          1455, 285, small);
    redOption = Control(WC_BUTTONW, L"ottieni litri/ora", BS_AUTORADIOBUTTON | WS_TABSTOP, 600,
                        3840, 1935, 285, smallBold);
    SetWindowTheme(volume, L"", L"");
    SetWindowTheme(redOption, L"", L"");
    SendMessageW(redOption, BM_SETCHECK, BST_CHECKED, 0);
    Control(WC_BUTTONW, L"calcola", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, 4320, 3480, 1815, 525,
            big);
    for (const auto& [left, items, pick] :
         {std::tuple{600,
                     std::array<const wchar_t*, 7>{L"100", L"200", L"500", L"1000", L"1500",
                                                   L"2000", L"2500"},
                     3},
          std::tuple{2520, std::array<const wchar_t*, 7>{L"200", L"500", L"1000"}, 0}}) {
        HWND combo = Control(WC_COMBOBOXW, L"", CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, left, 1020,
                             1215, 3000, big);
        for (const wchar_t* item : items) {
            if (item != nullptr)
                SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        }
        SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), Px(465) - 6);
        SendMessageW(combo, CB_SETCURSEL, pick, 0);
    }
    Control(WC_STATICW, L"Giri", label | SS_CENTER, 570, 660, 915, 345, big);
    Control(WC_STATICW, L"Colpi", label | SS_CENTER, 2520, 660, 975, 345, big);
    HWND tempo = Control(WC_STATICW, L"12 secondi", label | SS_CENTER | SS_NOTIFY, 5160, 1080, 1455,
                         315, normal);
    Control(WC_STATICW, L"Portata cm\u00B3", label | SS_LEFT, 600, 2400, 1455, 345, big);
    Control(WC_STATICW, L"litri/ora", label | SS_CENTER, 2520, 2400, 1215, 345, bold);
    Control(WC_STATICW, L"litri/min", label | SS_CENTER, 4320, 2400, 1215, 345, big);
    HWND picture = Control(WC_STATICW, nullptr, SS_ICON | SS_REALSIZECONTROL | SS_NOTIFY, 4320, 600,
                           825, 960, nullptr);
    SendMessageW(picture, STM_SETICON,
                 reinterpret_cast<WPARAM>(
                     LoadImageW(instance, MAKEINTRESOURCEW(2), IMAGE_ICON, Px(825), Px(960), 0)),
                 0);
    Control(WC_STATICW, nullptr, SS_OWNERDRAW, 360, 480, 6375, 1335, nullptr);
    Control(WC_STATICW, nullptr, SS_OWNERDRAW, 360, 2160, 6375, 2175, nullptr);
    Control(WC_BUTTONW, L"", BS_GROUPBOX, 240, 120, 7095, 4695, normal, false);

    Tip(magentaBox, L"Valore di portata");
    Tip(blueText[0], L"Inserire un valore di litri/h");
    Tip(tempo, L"a 1000 giri, 200 colpi si ottengono in 12 secondi");
    Tip(picture, L"a 1000 giri, 200 colpi si ottengono in 12 secondi");

    ShowWindow(window, SW_SHOWNORMAL);
    SetFocus(magentaBox);
    quorvela::bench::PumpUntilPainted();
    DestroyWindow(window);
    return 0;
}
