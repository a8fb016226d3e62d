// The form's properties in twips, the screen, Load and Start, written once
// over the window each backend gives (runtime/native.h).

#include "runtime/form.h"

#include "runtime/dispatch.h"
#include "runtime/native.h"
#include "runtime/text_box.h"

namespace quorvela::runtime {

void FormCore::Adopt(const ControlLayout& layout, ControlCore& control) {
    controls_[{layout.name, layout.index}] = &control;
    if (auto* box = dynamic_cast<TextBoxCore*>(&control)) {
        box->SetTypingLimit(layout.typingLimit);
    } else if (auto* option = dynamic_cast<OptionButtonCore*>(&control)) {
        option->Join(optionGroups_[layout.container], static_cast<std::int16_t>(layout.index));
    }
}

void FormCore::RaiseLoad() const {
    if (load_) {
        Dispatch(load_);
    }
}

float Form::Width() const {
    return PixelsToTwips(core_->OuterSize().width, core_->PixelsPerInch());
}
float Form::Height() const {
    return PixelsToTwips(core_->OuterSize().height, core_->PixelsPerInch());
}
void Form::SetLeft(float twips) {
    core_->MoveFrameTo(
        {TwipsToWholePixels(twips, core_->PixelsPerInch()), core_->FramePosition().y});
}
void Form::SetTop(float twips) {
    core_->MoveFrameTo(
        {core_->FramePosition().x, TwipsToWholePixels(twips, core_->PixelsPerInch())});
}
void Form::SetCaption(std::string_view caption) {
    core_->ShowCaption(caption);
}
void Form::OnLoad(Handler handler) {
    core_->SetLoad(std::move(handler));
}

namespace {

PixelSize& screenForTesting() {
    static PixelSize size;
    return size;
}

PixelSize screenSize() {
    const PixelSize testing = screenForTesting();
    return testing.width > 0 && testing.height > 0 ? testing : ScreenPixels();
}

}  // namespace

void SetScreenSizeForTesting(int width, int height) {
    screenForTesting() = {width, height};
}

float Screen::Width() {
    return PixelsToTwips(screenSize().width, ScreenPixelsPerInch());
}
float Screen::Height() {
    return PixelsToTwips(screenSize().height, ScreenPixelsPerInch());
}

void Start(Form& form) {
    Load(form);
    Show(form);
}
void Load(Form& form) {
    form.Core().RaiseLoad();
}
void Show(Form& form) {
    form.Core().Show();
}

}  // namespace quorvela::runtime
