#include "runtime/text_box.h"

#include <algorithm>
#include <limits>

#include "runtime/dispatch.h"

namespace quorvela::runtime {
namespace {

bool Inserts(std::int16_t code) {
    return code >= 32 && code != 127;
}

}  // namespace

void TextBoxCore::SetKeyPress(TextBox::KeyPressHandler handler) {
    keyPress_ = std::move(handler);
    OfferEntriesBesidesTyping(!TypingOnly());
}

int TextBoxCore::Room() const {
    if (typingLimit_ <= 0) {
        return std::numeric_limits<int>::max();
    }
    return std::max(0, typingLimit_ - (Length() - GetSelection().length));
}

bool TextBoxCore::Admits(char16_t character, int count) const {
    return character < 32 || character == 127 || count <= Room();
}

void TextBoxCore::Type(std::int16_t code) {
    std::int16_t keyAscii = code;
    if (keyPress_) {
        Dispatch([&] { keyPress_(keyAscii); });
    }
    if (keyAscii == 8) {
        DeleteBack();
    } else if (Inserts(keyAscii) && Room() > 0) {
        const std::u16string character(1, static_cast<char16_t>(keyAscii));
        Insert(character);
    }
}

bool TextBoxCore::Refuses(TextEntry way) const {
    switch (way) {
        case TextEntry::OutsideWrite:
            return true;  // the program's figures are its own
        case TextEntry::Composition:
            return false;  // typed through the handler where there is one
        default:
            return TypingOnly();
    }
}

std::u16string TextBoxCore::Fitted(std::u16string_view text) const {
    const auto line = text.substr(0, text.find_first_of(u"\r\n"));
    return std::u16string(line.substr(0, static_cast<std::size_t>(Room())));
}

void TextBoxCore::PutIn(TextEntry way, std::u16string_view text) {
    if (Refuses(way)) {
        return;
    }
    if (way == TextEntry::Composition && TypingOnly()) {
        for (const char16_t character : text) {
            Type(static_cast<std::int16_t>(character));
        }
        return;
    }
    Insert(Fitted(text));
}

void TextBoxCore::FocusEntered(bool fromWithin, bool byPress) {
    if (!gotFocus_ || !fromWithin) {
        return;
    }
    swallowing_ = byPress;
    Dispatch(gotFocus_);
}

bool TextBoxCore::Swallows(MouseStep step) {
    const bool swallowing = swallowing_;
    if (step != MouseStep::Press && step != MouseStep::Move) {
        swallowing_ = false;
    }
    return swallowing && step != MouseStep::DoubleClick && step != MouseStep::OtherPress;
}

std::vector<MenuEntry> TextBoxCore::ContextMenu() const {
    return CopyMenu({.hasText = Length() > 0, .hasSelection = GetSelection().length > 0});
}

void TextBoxCore::Perform(EditCommand command) {
    if (command == EditCommand::Copy) {
        CopyOut();
    } else if (command == EditCommand::SelectAll) {
        Select({0, Length()});
    }
}

}  // namespace quorvela::runtime
