#pragma once

// What every backend's control gives the form runtime, and what the runtime
// keeps beside it. The handles' methods and the rules of the list pick and
// the option groups are written once over these primitives, in plain C++; a
// backend implements the primitives and turns its native events into calls
// of the rules.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/controls.h"
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

}  // namespace quorvela::runtime
