#pragma once

// A text box's rules, written once: what a typed character does after the
// keystroke handler, the room the typing limit leaves, which other ways of
// putting text in a box takes, when GotFocus runs and which mouse press is
// swallowed. A backend implements the primitives (read the text and the
// selection, replace the selection, delete back, copy out) and calls the
// rules from its native events. Lengths and positions count UTF-16 units, as
// both toolkits do.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/controls.h"
#include "runtime/edit_menu.h"
#include "runtime/native.h"

namespace quorvela::runtime {

struct Selection {
    int start = 0;
    int length = 0;
};

// Ways of putting text into a box, or of taking it out, other than typing.
enum class TextEntry : std::uint8_t {
    Paste,        // the clipboard, by keyboard, menu or middle click
    Cut,          // text moved out
    Undo,         // the editing history, both ways
    Drop,         // dragged in
    Composition,  // composed by an input method
    OutsideWrite  // another process or an accessibility client
};

// Steps of the left mouse button, and a press of another.
enum class MouseStep : std::uint8_t { Press, Move, Release, DoubleClick, OtherPress };

class TextBoxCore : public ControlCore {
public:
    // Primitives.
    [[nodiscard]] virtual std::string Text() const = 0;
    // The program's write: the whole text, whatever its length.
    virtual void WriteText(std::string_view text) = 0;
    [[nodiscard]] virtual int Length() const = 0;
    [[nodiscard]] virtual Selection GetSelection() const = 0;
    // Selects, and scrolls the caret into view.
    virtual void Select(Selection selection) = 0;
    // Replaces the selection, as the user's edit.
    virtual void Insert(std::u16string_view text) = 0;
    virtual void DeleteBack() = 0;
    virtual void CopyOut() = 0;
    // Whether the native box offers what would bypass typing (input
    // methods, drops).
    virtual void OfferEntriesBesidesTyping(bool offer) = 0;

    // The most characters the user may put in; 0 for no limit. The program's
    // writes are shown whole.
    void SetTypingLimit(int limit) { typingLimit_ = limit; }
    [[nodiscard]] int TypingLimit() const { return typingLimit_; }
    void SetKeyPress(TextBox::KeyPressHandler handler);
    void SetGotFocus(Handler handler) { gotFocus_ = std::move(handler); }
    // A box with a keystroke handler takes text by typing alone.
    [[nodiscard]] bool TypingOnly() const { return static_cast<bool>(keyPress_); }

    // How many characters fit in place of the selection (none when the
    // program has written the box past its limit).
    [[nodiscard]] int Room() const;
    // Whether a character typed in a box without keystroke handler goes in:
    // control codes do their editing, characters go in only where they fit.
    [[nodiscard]] bool Admits(char16_t character, int count = 1) const;
    // One typed character through the keystroke handler: discarded (0),
    // deleting back (8), doing nothing (other control codes), or inserted
    // where it fits.
    void Type(std::int16_t code);
    [[nodiscard]] bool Refuses(TextEntry way) const;
    // What of `text` a box takes at once: its first line, cut to the room.
    [[nodiscard]] std::u16string Fitted(std::u16string_view text) const;
    // Text put in other than by typing: refused, typed character by
    // character through the handler (composition), or inserted as fitted.
    void PutIn(TextEntry way, std::u16string_view text);

    // The focus entered the box: from another control or at the window's
    // first show (`fromWithin`; not back from another window or a popup),
    // given by a mouse press or not.
    void FocusEntered(bool fromWithin, bool byPress);
    // Whether the box ignores that mouse step: the press that gave the
    // focus must not undo the selection GotFocus made, so it is swallowed
    // with its drag and release; a double click ends it.
    [[nodiscard]] bool Swallows(MouseStep step);

    [[nodiscard]] std::vector<MenuEntry> ContextMenu() const;
    void Perform(EditCommand command);

private:
    TextBox::KeyPressHandler keyPress_;
    Handler gotFocus_;
    int typingLimit_ = 0;
    bool swallowing_ = false;
};

}  // namespace quorvela::runtime
