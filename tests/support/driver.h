#pragma once

// One way for a test to act on a started window and to look at it, by the
// names of the layout's controls: "txtPortata", "cboGiri", "optScelta(1)",
// "lblDescrizione(2)", and "frmQuorvela" (the layout's name) for the window
// itself. Two implementations, one per runtime: real events on Qt's
// offscreen platform (QTest), and real window messages through the window's
// own queue on Windows (under Wine in the test command). A test written
// against this header runs unchanged on both.
//
// Every action is real input to the toolkit: nothing here calls a handler
// of the window. Every look reads the toolkit's own controls, not the form
// runtime's idea of them.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/form.h"
#include "runtime/layout.h"
#include "runtime/units.h"
#include "window/frmQuorvela.h"

namespace quorvela::test {

// ------------------------------------------------------------------ input

// Keys that type no character of their own, and Character for those that do.
enum class Key : std::uint8_t {
    Character,  // the key that types Stroke::character ('5', '.', 'a', ...)
    Enter,
    KeypadEnter,
    KeypadDecimal,  // the keypad's decimal key, whatever the layout prints on it
    Tab,
    Escape,
    Space,
    Backspace,
    Delete,
    Insert,
    Left,
    Right,
    Up,
    Down,
    Home,
    End,
    PageDown,
    F4,
    Paste,  // a keyboard's own Paste key, where the platform has one
};

enum Modifier : std::uint8_t { NoModifier = 0, Shift = 1, Ctrl = 2, Alt = 4 };
using Modifiers = std::uint8_t;

// One key pressed and released with the modifiers held.
struct Stroke {
    Key key = Key::Character;
    char character = 0;  // for Key::Character: an ASCII letter, digit or sign
    Modifiers modifiers = NoModifier;
};

[[nodiscard]] constexpr Stroke Press(Key key, Modifiers modifiers = NoModifier) {
    return {.key = key, .modifiers = modifiers};
}
[[nodiscard]] constexpr Stroke CtrlPlus(char letter) {
    return {.key = Key::Character, .character = letter, .modifiers = Ctrl};
}

// A point inside a control, in its own pixels from its top-left corner.
struct Point {
    int x = 0;
    int y = 0;
};

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

struct Selection {
    int start = 0;
    int length = 0;
    bool operator==(const Selection&) const = default;
};

// ------------------------------------------------------------ what is seen

enum class BoxIcon : std::uint8_t { None, Critical, Question, Exclamation, Information };

// A modal message box, read while it was open.
struct SeenBox {
    std::string title;
    std::string text;
    BoxIcon icon = BoxIcon::None;
    int buttons = 0;
};

// The message boxes the window opened, and which of them a test announced.
class BoxLog {
public:
    void Expect() { ++expected_; }
    // A box opened and was read: kept, set against the announced ones and
    // handed to the callback, before it is answered.
    void Opened(const SeenBox& box) {
        boxes_.push_back(box);
        if (expected_ > 0) {
            --expected_;
        } else {
            unexpected_.push_back(box.title + ": " + box.text);
        }
        if (onBox_) {
            onBox_(box);
        }
    }
    [[nodiscard]] const std::vector<SeenBox>& Boxes() const { return boxes_; }
    [[nodiscard]] const std::vector<std::string>& Unexpected() const { return unexpected_; }
    void OnBox(std::function<void(const SeenBox&)> callback) { onBox_ = std::move(callback); }

private:
    std::vector<SeenBox> boxes_;
    std::vector<std::string> unexpected_;
    int expected_ = 0;
    std::function<void(const SeenBox&)> onBox_;
};

struct MenuEntry {
    std::string label;  // without accelerator marks or shortcut text
    bool enabled = false;
    bool operator==(const MenuEntry&) const = default;
};

// What a screen reader is told about a control.
struct Accessible {
    std::string name;
    std::string value;
    std::string description;
};

enum class Alignment : std::uint8_t { Left, Center };

// What reached the window's controls while one input was delivered, in the
// order the toolkit reported it. The sessions' figure watch plays these
// through its model of the window.
struct Reached {
    enum class Kind : std::uint8_t {
        Key,            // a key reached a text box
        FocusEntered,   // the focus entered a text box from elsewhere in the window
        DoubleClick,    // a double click in a text box
        OptionCleared,  // an option button lost the selection
        ButtonClicked,  // a command button was clicked
        Picked,         // an item was picked from a combo box's list
    };
    Kind kind = Kind::Key;
    std::string control;
    std::optional<int> code;  // Key: the character code it types, if it types one
    std::string text;         // Key: the box's text before; Picked: the item
    Selection selection;      // Key: the selection before (length 0: none)
    int cursor = 0;           // Key: the cursor before
    std::string shown;        // Picked: the combo box's text once picked
};

// ------------------------------------------------------------------ driver

// Drives one form by the names of its layout. The form must outlive it.
class Driver {
public:
    Driver(runtime::Form& form, const runtime::FormLayout& layout);
    ~Driver();
    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;
    Driver(Driver&&) = delete;
    Driver& operator=(Driver&&) = delete;

    // Keys go where a user's keys go: to the open list, else to the control
    // that holds the focus.
    void Type(std::string_view utf8);
    void Press(Stroke stroke);
    void Press(Key key, Modifiers modifiers = NoModifier) { Press(test::Press(key, modifiers)); }

    // The mouse, at the control's centre unless a point is given.
    void Click(std::string_view control, std::optional<Point> at = {});
    void DoubleClick(std::string_view control, std::optional<Point> at = {});
    void MiddleClick(std::string_view control);
    // Pressed at `from`, moved to `to` and released there.
    void Drag(std::string_view control, Point from, Point to);
    void Wheel(std::string_view control, bool up);

    // A right-click opens the control's context menu; its entries are read
    // while it is open, then the entry labelled `take` is taken, or the menu
    // is closed without a choice: when `take` is empty or names no entry the
    // menu offers enabled (a user cannot take what is not there). A control
    // with no menu gives no entries, at once.
    std::vector<MenuEntry> ContextMenu(std::string_view control, std::string_view take = {});

    // Combo boxes. The list opened with a click on the arrow; an item picked
    // from it with a click; an item reached with the arrow keys on the
    // closed box, its edit field clicked first; a text typed over the whole
    // text of its edit field (which picks nothing).
    void OpenList(std::string_view combo);
    [[nodiscard]] bool ListOpen(std::string_view combo) const;
    void ClickListItem(std::string_view combo, std::string_view item);
    void PickFromList(std::string_view combo, std::string_view item);
    void PickByKeyboard(std::string_view combo, std::string_view item);
    void TypeIntoCombo(std::string_view combo, std::string_view text);

    void SetClipboard(std::string_view text);
    [[nodiscard]] std::string Clipboard() const;

    // Text dragged from another program and dropped on the control. False
    // when the control takes no drops at all (nothing was dropped).
    bool Drop(std::string_view control, std::string_view text);
    // Text committed by an input method, as composed text arrives.
    void Compose(std::string_view control, std::string_view text);
    // Another program writes the control's text: through the accessibility
    // interfaces on Qt, with WM_SETTEXT and EM_REPLACESEL from another thread
    // on Windows.
    void WriteFromOutside(std::string_view control, std::string_view text);

    // Another window takes the activation; then this one gets it back.
    void ActivateAnotherWindow();
    void Activate();

    // Input queued in the platform's own input queue (the X server's, the
    // system's) before the first is handled, then let run until `done`
    // holds; whether it held within `patience`.
    void QueueKeys(Key key, int count);
    void QueueClicks(std::string_view control, int count);
    bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds patience);
    // Lets pending events run once.
    void Pump();
    // Queues `task` behind the events already pending: it runs when the
    // platform next delivers them, inside a handler that lets events run too.
    void Post(std::function<void()> task);

    // ------------------------------------------------------------ looking

    // A box's or a combo box's text, a caption, the window's title.
    [[nodiscard]] std::string Text(std::string_view control) const;
    [[nodiscard]] Selection SelectionOf(std::string_view control) const;
    [[nodiscard]] int Cursor(std::string_view control) const;
    [[nodiscard]] std::string ToolTip(std::string_view control) const;
    // The text colour shown, as 0x00BBGGRR; system colours resolved.
    [[nodiscard]] runtime::OleColor ForeColor(std::string_view control) const;
    [[nodiscard]] runtime::OleColor SystemColor(runtime::OleColor system) const;
    [[nodiscard]] bool Bold(std::string_view control) const;
    [[nodiscard]] double FontPoints(std::string_view control) const;
    [[nodiscard]] std::string FontFamily(std::string_view control) const;
    [[nodiscard]] Alignment AlignmentOf(std::string_view control) const;
    [[nodiscard]] bool Checked(std::string_view option) const;
    [[nodiscard]] std::vector<std::string> Items(std::string_view combo) const;
    // The control that holds the focus ("" for none); a combo box for its edit field.
    [[nodiscard]] std::string Focused() const;
    [[nodiscard]] bool Active() const;
    // In the window's client area, in the screen's device pixels.
    [[nodiscard]] Rect Geometry(std::string_view control) const;
    // The window's outer rectangle, its frame included, on the screen, in pixels.
    [[nodiscard]] Rect Placement() const;
    [[nodiscard]] Accessible AccessibleOf(std::string_view control) const;

    // ------------------------------------------------------ message boxes

    // Every modal box that opens is read and answered with its first button.
    // A box not announced here is unexpected: the test's fixture fails on it.
    void ExpectMessageBox() { boxes_.Expect(); }
    [[nodiscard]] const std::vector<SeenBox>& Boxes() const { return boxes_.Boxes(); }
    [[nodiscard]] const std::vector<std::string>& Unexpected() const { return boxes_.Unexpected(); }
    // Called for every box, after it is read, before it is answered.
    void OnBox(std::function<void(const SeenBox&)> callback) { boxes_.OnBox(std::move(callback)); }

    // ---------------------------------------------------------- observing

    // Called for everything that reaches the controls, while set.
    void Observe(std::function<void(const Reached&)> sink);

    struct Native;  // each implementation's own state

private:
    BoxLog boxes_;  // before native_, which writes to it
    std::unique_ptr<Native> native_;
};

// The program's window, built and started as the program starts it: Load,
// the show, the first control in tab order focused. Closed with the object.
class StartedWindow {
public:
    StartedWindow();
    ~StartedWindow();
    StartedWindow(const StartedWindow&) = delete;
    StartedWindow& operator=(const StartedWindow&) = delete;
    StartedWindow(StartedWindow&&) = delete;
    StartedWindow& operator=(StartedWindow&&) = delete;

    [[nodiscard]] frmQuorvela& Form() { return *form_; }
    [[nodiscard]] Driver& Drive() { return *driver_; }

private:
    std::unique_ptr<frmQuorvela> form_;
    std::unique_ptr<Driver> driver_;
};

}  // namespace quorvela::test
