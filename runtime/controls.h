#pragma once

// The controls the window code works with, by the form runtime's names. Each
// is a handle on a control that the backend built from the layout; texts are
// UTF-8. Events are raised through Dispatch, so a handler's error never
// crosses the toolkit's event loop.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/runtime_error.h"
#include "runtime/layout.h"
#include "runtime/units.h"

namespace quorvela::runtime {

class Form;

// The backend's controls, each holding its kind's core (runtime/native.h),
// over which the handles' methods are written once.
class NativeTextBox;
class NativeComboBox;
class NativeOptionButton;
class NativeLabel;
class NativeImage;
class NativeCommandButton;
class TextBoxCore;
class ComboBoxCore;
class OptionButtonCore;
class LabelCore;
class ImageCore;
class CommandButtonCore;

using Handler = std::function<void()>;

class TextBox {
public:
    using KeyPressHandler = std::function<void(std::int16_t& KeyAscii)>;

    TextBox(Form& form, std::string_view name, int index = NoIndex);

    [[nodiscard]] std::string Text() const;
    void SetText(std::string_view text);
    // The selection starts at `start` and is empty; SetSelLength then extends it.
    void SetSelStart(int start);
    void SetSelLength(int length);
    // Error 5 when the box cannot take the focus (its window hidden).
    void SetFocus();

    // A box with a keystroke handler takes text by typing alone: paste, drop
    // and input-method text go through the handler too, or not at all.
    void OnKeyPress(KeyPressHandler handler);
    void OnGotFocus(Handler handler);

    // The backend's control, for the backend's own tests and benchmarks.
    template <class Backend = NativeTextBox>
    [[nodiscard]] Backend& Native() const {
        return static_cast<Backend&>(*core_);
    }

private:
    TextBoxCore* core_;
};

class ComboBox {
public:
    ComboBox(Form& form, std::string_view name, int index = NoIndex);

    [[nodiscard]] std::string Text() const;
    void AddItem(std::string_view item);
    // Selects the item, shows its text and raises Click before returning.
    void SetListIndex(int index);
    void SetFocus();

    // Raised by a pick from the list and by SetListIndex; typing raises nothing.
    void OnClick(Handler handler);

    // The backend's control, for the backend's own tests and benchmarks.
    template <class Backend = NativeComboBox>
    [[nodiscard]] Backend& Native() const {
        return static_cast<Backend&>(*core_);
    }

private:
    ComboBoxCore* core_;
};

class OptionButton {
public:
    using ClickHandler = std::function<void(std::int16_t& Index)>;

    OptionButton(Form& form, std::string_view name, int index = NoIndex);

    [[nodiscard]] bool Value() const;
    // Writing true clears the other options of the group and, when the
    // selection changes, raises Click before returning.
    void SetValue(bool value);
    void SetForeColor(OleColor color);
    void SetFontBold(bool bold);

    void OnClick(ClickHandler handler);

    // The backend's control, for the backend's own tests and benchmarks.
    template <class Backend = NativeOptionButton>
    [[nodiscard]] Backend& Native() const {
        return static_cast<Backend&>(*core_);
    }

private:
    OptionButtonCore* core_;
};

class Label {
public:
    Label(Form& form, std::string_view name, int index = NoIndex);

    void SetCaption(std::string_view caption);
    void SetFontBold(bool bold);
    void SetToolTipText(std::string_view text);

    // The backend's control, for the backend's own tests and benchmarks.
    template <class Backend = NativeLabel>
    [[nodiscard]] Backend& Native() const {
        return static_cast<Backend&>(*core_);
    }

private:
    LabelCore* core_;
};

// A picture shown at its own size.
class Image {
public:
    Image(Form& form, std::string_view name, int index = NoIndex);

    void SetToolTipText(std::string_view text);

    // The backend's control, for the backend's own tests and benchmarks.
    template <class Backend = NativeImage>
    [[nodiscard]] Backend& Native() const {
        return static_cast<Backend&>(*core_);
    }

private:
    ImageCore* core_;
};

class CommandButton {
public:
    CommandButton(Form& form, std::string_view name, int index = NoIndex);

    void OnClick(Handler handler);

    // The backend's control, for the backend's own tests and benchmarks.
    template <class Backend = NativeCommandButton>
    [[nodiscard]] Backend& Native() const {
        return static_cast<Backend&>(*core_);
    }

private:
    CommandButtonCore* core_;
};

// The items of a control array, addressed by their 0-based Index.
template <class Control>
class ControlArray {
public:
    ControlArray(Form& form, std::string_view name, int count) {
        items_.reserve(static_cast<std::size_t>(count));
        for (int index = 0; index < count; ++index) {
            items_.emplace_back(form, name, index);
        }
    }

    // Error 5 for an index the array does not hold.
    Control& operator()(std::int16_t index) {
        if (index < 0 || static_cast<std::size_t>(index) >= items_.size()) {
            Raise(ErrorNumber::InvalidProcedureCall);
        }
        return items_[static_cast<std::size_t>(index)];
    }

private:
    std::vector<Control> items_;
};

}  // namespace quorvela::runtime
