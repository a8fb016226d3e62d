// The handles' methods and the rules of the list pick and the option groups,
// over the primitives each backend gives (runtime/native.h).

#include "runtime/controls.h"

#include <algorithm>

#include "calc/runtime_error.h"
#include "runtime/dispatch.h"
#include "runtime/form.h"
#include "runtime/native.h"
#include "runtime/text_box.h"

namespace quorvela::runtime {

void FocusOrRaise(ControlCore& control) {
    if (!control.CanTakeFocus()) {
        Raise(ErrorNumber::InvalidProcedureCall);
    }
    control.TakeFocus();
}

void CommandButtonCore::RaiseClick() const {
    if (click_) {
        Dispatch(click_);
    }
}

void ComboBoxCore::RaiseClick() const {
    if (click_) {
        Dispatch(click_);
    }
}

void ComboBoxCore::Picked(int index) {
    if (index >= 0) {
        ShowItem(index);
    }
    RaiseClick();
}

void OptionButtonCore::Join(OptionGroup& group, std::int16_t index) {
    group.Join(*this);
    group_ = &group;
    index_ = index;
    updateTabStops();
}

void OptionButtonCore::Select() {
    if (selected_) {
        ShowChecked(true);
        return;
    }
    selected_ = true;
    for (OptionButtonCore* other : group_->Members()) {
        if (other != this && other->selected_) {
            other->selected_ = false;
            other->ShowChecked(false);
        }
    }
    ShowChecked(true);
    updateTabStops();
    if (click_) {
        std::int16_t index = index_;
        Dispatch([&] { click_(index); });
    }
}

void OptionButtonCore::Clear() {
    if (selected_) {
        selected_ = false;
        ShowChecked(false);
        updateTabStops();
    }
}

void OptionButtonCore::updateTabStops() const {
    const auto& members = group_->Members();
    const bool any = std::any_of(members.begin(), members.end(),
                                 [](const OptionButtonCore* option) { return option->selected_; });
    for (OptionButtonCore* option : members) {
        option->ShowTabStop(any ? option->selected_ : option == members.front());
    }
}

// ---------------------------------------------------------------- the handles

TextBox::TextBox(Form& form, std::string_view name, int index)
    : core_(&form.Core().Find<TextBoxCore>(name, index)) {}
ComboBox::ComboBox(Form& form, std::string_view name, int index)
    : core_(&form.Core().Find<ComboBoxCore>(name, index)) {}
OptionButton::OptionButton(Form& form, std::string_view name, int index)
    : core_(&form.Core().Find<OptionButtonCore>(name, index)) {}
Label::Label(Form& form, std::string_view name, int index)
    : core_(&form.Core().Find<LabelCore>(name, index)) {}
Image::Image(Form& form, std::string_view name, int index)
    : core_(&form.Core().Find<ImageCore>(name, index)) {}
CommandButton::CommandButton(Form& form, std::string_view name, int index)
    : core_(&form.Core().Find<CommandButtonCore>(name, index)) {}

std::string TextBox::Text() const {
    return core_->Text();
}

void TextBox::SetText(std::string_view text) {
    core_->WriteText(text);
    // A figure longer than the box shows its first digits, not its end.
    core_->Select({0, 0});
}

void TextBox::SetSelStart(int start) {
    core_->Select({std::clamp(start, 0, core_->Length()), 0});
}

void TextBox::SetSelLength(int length) {
    const int start = core_->GetSelection().start;
    core_->Select({start, std::clamp(length, 0, core_->Length() - start)});
}

void TextBox::SetFocus() {
    FocusOrRaise(*core_);
}
void TextBox::OnKeyPress(KeyPressHandler handler) {
    core_->SetKeyPress(std::move(handler));
}
void TextBox::OnGotFocus(Handler handler) {
    core_->SetGotFocus(std::move(handler));
}

std::string ComboBox::Text() const {
    return core_->Text();
}
void ComboBox::AddItem(std::string_view item) {
    core_->Append(item);
}

void ComboBox::SetListIndex(int index) {
    if (index < -1 || index >= core_->Count()) {
        Raise(ErrorNumber::InvalidProcedureCall);
    }
    core_->ShowItem(index);
    core_->RaiseClick();
}

void ComboBox::SetFocus() {
    FocusOrRaise(*core_);
}
void ComboBox::OnClick(Handler handler) {
    core_->SetClick(std::move(handler));
}

bool OptionButton::Value() const {
    return core_->Selected();
}
void OptionButton::SetValue(bool value) {
    if (value) {
        core_->Select();
    } else {
        core_->Clear();
    }
}
void OptionButton::SetForeColor(OleColor color) {
    core_->ShowForeColor(color);
}
void OptionButton::SetFontBold(bool bold) {
    core_->ShowBold(bold);
}
void OptionButton::OnClick(ClickHandler handler) {
    core_->SetClick(std::move(handler));
}

void Label::SetCaption(std::string_view caption) {
    core_->ShowCaption(caption);
}
void Label::SetFontBold(bool bold) {
    core_->ShowBold(bold);
}
void Label::SetToolTipText(std::string_view text) {
    core_->ShowToolTip(text);
}

void Image::SetToolTipText(std::string_view text) {
    core_->ShowToolTip(text);
}

void CommandButton::OnClick(Handler handler) {
    core_->SetClick(std::move(handler));
}

}  // namespace quorvela::runtime
