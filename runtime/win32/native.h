#pragma once

// The Windows API objects behind the form runtime's handles: one window per
// form, one child window per control, all texts UTF-16 at the API. Internal
// to runtime/win32.

// windows.h first: the other Windows headers build on it.
#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/controls.h"
#include "runtime/form.h"
#include "runtime/layout.h"
#include "runtime/native.h"
#include "runtime/text_box.h"

namespace quorvela::runtime {

class NativeForm;

// Each control's window id is this plus its place in the layout table: a
// program that drives the window from outside finds controls by the table.
// Clear of IDOK and IDCANCEL, which the dialog manager sends for Enter and Escape.
inline constexpr int FirstControlId = 100;

// One control's window and what the runtime keeps beside it, whatever its kind.
class NativeControl {
public:
    NativeControl() = default;
    virtual ~NativeControl() = default;
    NativeControl(const NativeControl&) = delete;
    NativeControl& operator=(const NativeControl&) = delete;
    NativeControl(NativeControl&&) = delete;
    NativeControl& operator=(NativeControl&&) = delete;

    NativeForm* form = nullptr;
    const ControlLayout* layout = nullptr;
    HWND hwnd = nullptr;
    bool bold = false;
    std::optional<OleColor> foreColor;  // the platform's default when empty
    std::wstring toolTip;
};

[[nodiscard]] std::wstring Widen(std::string_view utf8);
[[nodiscard]] std::string Narrow(std::wstring_view utf16);
[[nodiscard]] std::wstring WindowText(HWND hwnd);
void ApplyFont(NativeControl& control);
void SetToolTip(NativeControl& control, std::wstring text);

// A control window as the runtime's control of one kind: the primitives
// every control has, on any window.
template <class Core>
class Win32Control : public NativeControl, public Core {
public:
    [[nodiscard]] bool CanTakeFocus() const override {
        return IsWindowVisible(hwnd) != FALSE && IsWindowEnabled(hwnd) != FALSE;
    }
    void TakeFocus() override { ::SetFocus(hwnd); }
    void ShowBold(bool value) override {
        bold = value;
        ApplyFont(*this);
    }
    void ShowForeColor(OleColor color) override {
        foreColor = color;
        InvalidateRect(hwnd, nullptr, TRUE);
    }
    void ShowToolTip(std::string_view text) override { SetToolTip(*this, Widen(text)); }
};

class NativeTextBox : public Win32Control<TextBoxCore> {
public:
    [[nodiscard]] std::string Text() const override { return Narrow(WindowText(hwnd)); }
    void WriteText(std::string_view text) override;
    [[nodiscard]] int Length() const override { return GetWindowTextLengthW(hwnd); }
    [[nodiscard]] Selection GetSelection() const override;
    void Select(Selection selection) override;
    void Insert(std::u16string_view text) override;
    void DeleteBack() override;
    void CopyOut() override { SendMessageW(hwnd, WM_COPY, 0, 0); }
    void OfferEntriesBesidesTyping(bool offer) override;

    // A write of the program is under way (outside writers are refused).
    bool programWriting = false;
    // A mouse press is giving the box the focus.
    bool pressing = false;
    // The character that follows is the keypad's decimal key.
    bool keypadDecimal = false;
};

class NativeComboBox : public Win32Control<ComboBoxCore> {
public:
    [[nodiscard]] std::string Text() const override { return Narrow(WindowText(hwnd)); }
    [[nodiscard]] int Count() const override {
        return static_cast<int>(SendMessageW(hwnd, CB_GETCOUNT, 0, 0));
    }
    void Append(std::string_view item) override;
    void ShowItem(int index) override;

    // While the list is open and until its pick is raised: whether an item
    // is taken (Enter or a click in the list); the pick and the text the box
    // had when the list opened.
    bool listPick = false;
    LRESULT indexAtOpen = CB_ERR;
    std::wstring textAtOpen;
};

class NativeOptionButton : public Win32Control<OptionButtonCore> {
public:
    void ShowChecked(bool checked) override {
        SendMessageW(hwnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    // The dialog manager stops on every option that is a tab stop.
    void ShowTabStop(bool stop) override {
        const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
        SetWindowLongW(hwnd, GWL_STYLE, stop ? style | WS_TABSTOP : style & ~WS_TABSTOP);
    }
};

class NativeLabel : public Win32Control<LabelCore> {
public:
    void ShowCaption(std::string_view caption) override {
        SetWindowTextW(hwnd, Widen(caption).c_str());
    }
};

class NativeImage : public Win32Control<ImageCore> {
public:
    HICON picture = nullptr;
};

class NativeCommandButton : public Win32Control<CommandButtonCore> {};

class NativeForm : public FormCore {
public:
    const FormLayout* layout = nullptr;
    HWND hwnd = nullptr;
    HWND toolTips = nullptr;
    UINT dpi = 96;
    std::vector<std::unique_ptr<NativeControl>> controls;
    // The control that held the focus when the window was last deactivated.
    HWND lastFocus = nullptr;
    // The first focus at show raises GotFocus although it comes from nowhere.
    bool firstFocus = false;

    [[nodiscard]] int PixelsPerInch() const override { return static_cast<int>(dpi); }
    [[nodiscard]] PixelSize OuterSize() override;
    [[nodiscard]] PixelPoint FramePosition() override;
    void MoveFrameTo(PixelPoint topLeft) override;
    void ShowCaption(std::string_view caption) override {
        SetWindowTextW(hwnd, Widen(caption).c_str());
    }
    void Show() override;

    // The control a child window belongs to (a combo box's edit belongs to the combo box).
    [[nodiscard]] NativeControl* FromHwnd(HWND child) const;
    // Places every control and gives it its font for `newDpi`. The controls
    // are made in place: they move only when the density changes.
    void Layout(UINT newDpi);
    // The layout's face at `points` (and bold or not), at the form's density:
    // made once, shared by every control that uses it, kept until the form goes.
    [[nodiscard]] HFONT Font(double points, bool bold);
    // Where a control's window goes, in client pixels at the form's density.
    [[nodiscard]] RECT PlaceOf(const ControlLayout& control) const;

    std::map<std::pair<LONG, LONG>, HFONT> fonts;  // by height and weight
};

[[nodiscard]] COLORREF ToColorRef(OleColor color);

void InstallTextBoxHooks(NativeTextBox& box);
void InstallComboBoxHooks(NativeComboBox& combo);
// Screen readers' names and descriptions where the system's proxy has none of its own.
void InstallAccessibleHooks(NativeControl& control);
// The answer to WM_GETOBJECT for a control that screen readers must know by
// `name` (empty: as the system's own proxy calls it), described by
// `description` (empty: the proxy's).
[[nodiscard]] LRESULT NamedAccessibleObject(HWND hwnd, WPARAM flags, const std::wstring& name,
                                            const std::wstring& description);

}  // namespace quorvela::runtime
