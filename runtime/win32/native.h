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

namespace quorvela::runtime {

class NativeForm;

// Each control's window id is this plus its place in the layout table: a
// program that drives the window from outside finds controls by the table.
// Clear of IDOK and IDCANCEL, which the dialog manager sends for Enter and Escape.
inline constexpr int FirstControlId = 100;

// One control's window and what the runtime keeps beside it.
class NativeControl {
public:
    virtual ~NativeControl() = default;

    NativeForm* form = nullptr;
    const ControlLayout* layout = nullptr;
    HWND hwnd = nullptr;
    HICON picture = nullptr;
    bool bold = false;
    std::optional<OleColor> foreColor;  // the platform's default when empty
    std::wstring toolTip;
    // OptionButton: the selection as the program sees it.
    bool selected = false;
    // TextBox: a write of the program is under way (outside writers are refused).
    bool programWriting = false;
    // TextBox: the mouse press that gave the focus, swallowed until released.
    bool swallowingMouse = false;
    // TextBox: the character that follows is the keypad's decimal key.
    bool keypadDecimal = false;
    // ComboBox, while its list is open and until its pick is raised: whether
    // an item is taken (Enter or a click in the list); the pick and the text
    // the box had when the list opened.
    bool listPick = false;
    LRESULT indexAtOpen = CB_ERR;
    std::wstring textAtOpen;

    Handler gotFocus;
    Handler click;
    TextBox::KeyPressHandler keyPress;
    OptionButton::ClickHandler optionClick;

    [[nodiscard]] bool TypingOnly() const { return static_cast<bool>(keyPress); }
};

// The handles' types: one control window each, told apart by kind.
class NativeTextBox : public NativeControl {};
class NativeComboBox : public NativeControl {};
class NativeOptionButton : public NativeControl {};
class NativeLabel : public NativeControl {};
class NativeImage : public NativeControl {};
class NativeCommandButton : public NativeControl {};

class NativeForm {
public:
    const FormLayout* layout = nullptr;
    HWND hwnd = nullptr;
    HWND toolTips = nullptr;
    UINT dpi = 96;
    std::vector<std::unique_ptr<NativeControl>> controls;
    Handler load;
    // The control that held the focus when the window was last deactivated.
    HWND lastFocus = nullptr;
    // The first focus at show raises GotFocus although it comes from nowhere.
    bool firstFocus = false;

    [[nodiscard]] NativeControl* Find(std::string_view name, int index) const;
    // The control built from the layout entry of that name and index.
    template <class Native>
    Native& Control(std::string_view name, int index) const {
        auto* control = dynamic_cast<Native*>(Find(name, index));
        if (control == nullptr) {
            throw std::logic_error("no control " + std::string(name) + " in the layout");
        }
        return *control;
    }
    // The control a child window belongs to (a combo box's edit belongs to the combo box).
    [[nodiscard]] NativeControl* FromHwnd(HWND hwnd) const;
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

[[nodiscard]] std::wstring Widen(std::string_view utf8);
[[nodiscard]] std::string Narrow(std::wstring_view utf16);
[[nodiscard]] std::wstring WindowText(HWND hwnd);

// Twips to whole pixels at `dpi`, cut toward zero as the layout's pixel
// figures are (7575 twips: 505 px at 96 dpi, 757 px at 144 dpi).
[[nodiscard]] constexpr int TwipsToPixels(int twips, UINT dpi) {
    return twips * static_cast<int>(dpi) / 1440;
}
[[nodiscard]] COLORREF ToColorRef(OleColor color);

void ApplyFont(NativeControl& control);
void SetToolTip(NativeControl& control, std::wstring text);
void InstallTextBoxHooks(NativeControl& control);
void InstallComboBoxHooks(NativeControl& control);
// Screen readers' names and descriptions where the system's proxy has none of its own.
void InstallAccessibleHooks(NativeControl& control);
// The answer to WM_GETOBJECT for a control that screen readers must know by
// `name` (empty: as the system's own proxy calls it), described by
// `description` (empty: the proxy's).
[[nodiscard]] LRESULT NamedAccessibleObject(HWND hwnd, WPARAM flags, const std::wstring& name,
                                            const std::wstring& description);
// A user's or the program's selection of an option: clears the other options
// of its container and raises Click when the selection changes.
void SelectOption(NativeControl& option);

}  // namespace quorvela::runtime
