#pragma once

// What every backend's control gives the form runtime, and what the runtime
// keeps beside it. The handles' methods and the rules of the list pick and
// the option groups are written once over these primitives, in plain C++; a
// backend implements the primitives and turns its native events into calls
// of the rules.

#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/controls.h"
#include "runtime/layout.h"
#include "runtime/units.h"

namespace quorvela::runtime {

// The primitives every control on the form has.
class ControlCore {
public:
    ControlCore() = default;
    virtual ~ControlCore() = default;
    ControlCore(const ControlCore&) = delete;
    ControlCore& operator=(const ControlCore&) = delete;
    ControlCore(ControlCore&&) = delete;
    ControlCore& operator=(ControlCore&&) = delete;

    // Whether the control can take the focus now: its window and itself
    // shown, itself enabled and focusable.
    [[nodiscard]] virtual bool CanTakeFocus() const = 0;
    virtual void TakeFocus() = 0;
    virtual void ShowBold(bool bold) = 0;
    virtual void ShowForeColor(OleColor color) = 0;
    virtual void ShowToolTip(std::string_view text) = 0;  // empty: none
};

// Moves the focus to the control; error 5 when it cannot take it.
void FocusOrRaise(ControlCore& control);

class LabelCore : public ControlCore {
public:
    virtual void ShowCaption(std::string_view caption) = 0;
};

class ImageCore : public ControlCore {};

class CommandButtonCore : public ControlCore {
public:
    void SetClick(Handler handler) { click_ = std::move(handler); }
    void RaiseClick() const;

private:
    Handler click_;
};

class ComboBoxCore : public ControlCore {
public:
    [[nodiscard]] virtual std::string Text() const = 0;
    [[nodiscard]] virtual int Count() const = 0;
    virtual void Append(std::string_view item) = 0;
    // Makes the item current and shows its text; -1: none, and no text.
    virtual void ShowItem(int index) = 0;

    void SetClick(Handler handler) { click_ = std::move(handler); }
    void RaiseClick() const;
    // The user took an item from the list: it shows, then Click.
    void Picked(int index);

private:
    Handler click_;
};

class OptionButtonCore;

// The options of one container: one of them at most is selected.
class OptionGroup {
public:
    void Join(OptionButtonCore& option) { members_.push_back(&option); }
    [[nodiscard]] const std::vector<OptionButtonCore*>& Members() const { return members_; }

private:
    std::vector<OptionButtonCore*> members_;
};

class OptionButtonCore : public ControlCore {
public:
    virtual void ShowChecked(bool checked) = 0;
    // Whether Tab stops on the option.
    virtual void ShowTabStop(bool stop) = 0;

    // The option belongs to `group` and passes `index` to its Click handler.
    void Join(OptionGroup& group, std::int16_t index);
    [[nodiscard]] bool Selected() const { return selected_; }
    void SetClick(OptionButton::ClickHandler handler) { click_ = std::move(handler); }
    // The user's or the program's choice: the other options of the group
    // are cleared and, when the selection changes, Click is raised.
    void Select();
    void Clear();

private:
    // Tab enters the group on its selected option (the arrows move within
    // it), on the first while none is selected.
    void updateTabStops() const;

    OptionGroup* group_ = nullptr;
    std::int16_t index_ = 0;
    bool selected_ = false;
    OptionButton::ClickHandler click_;
};

struct PixelSize {
    int width = 0;
    int height = 0;
};

struct PixelPoint {
    int x = 0;
    int y = 0;
};

// What every backend's window gives the form runtime, and what the runtime
// keeps beside it: the controls built from the layout, found by name, the
// option groups they form and the Load handler. The form's properties in
// twips and Start are written once over these primitives.
class FormCore {
public:
    FormCore() = default;
    virtual ~FormCore() = default;
    FormCore(const FormCore&) = delete;
    FormCore& operator=(const FormCore&) = delete;
    FormCore(FormCore&&) = delete;
    FormCore& operator=(FormCore&&) = delete;

    // Primitives, in the window's pixels.
    [[nodiscard]] virtual int PixelsPerInch() const = 0;
    // The size with the window system's frame.
    [[nodiscard]] virtual PixelSize OuterSize() = 0;
    // Where the frame's top-left corner stands on the screen.
    [[nodiscard]] virtual PixelPoint FramePosition() = 0;
    virtual void MoveFrameTo(PixelPoint topLeft) = 0;
    virtual void ShowCaption(std::string_view caption) = 0;
    // Shows and activates the window; the first control in tab order that
    // can take the focus takes it, raising its GotFocus.
    virtual void Show() = 0;

    // The backend built `control` from that layout entry: it is found by the
    // entry's name and index, and takes what the layout says of its rules
    // (the typing limit, the option group).
    void Adopt(const ControlLayout& layout, ControlCore& control);
    // The control built from the layout entry of that name and index.
    template <class Control>
    [[nodiscard]] Control& Find(std::string_view name, int index) const {
        const auto found = controls_.find({name, index});
        auto* control = found == controls_.end() ? nullptr : dynamic_cast<Control*>(found->second);
        if (control == nullptr) {
            throw std::logic_error("no control " + std::string(name) + " in the layout");
        }
        return *control;
    }

    void SetLoad(Handler handler) { load_ = std::move(handler); }
    void RaiseLoad() const;

private:
    std::map<std::pair<std::string_view, int>, ControlCore*> controls_;
    std::map<std::string_view, OptionGroup> optionGroups_;
    Handler load_;
};

// The primary screen, from the backend: its size in pixels at its density.
[[nodiscard]] PixelSize ScreenPixels();
[[nodiscard]] int ScreenPixelsPerInch();

}  // namespace quorvela::runtime
