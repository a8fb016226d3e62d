#pragma once

// Key events as character codes: the code a KeyPress handler receives.

#include <QString>

#include <cstdint>
#include <optional>

class QKeyEvent;

namespace quorvela::runtime {

// The code a key event types, or nothing for keys that type no character
// (arrows, Home, End, Delete, Tab, function keys): those keep their editing
// and navigation. Backspace is 8, Enter 13, Ctrl+letter 1 to 26, the keypad's
// decimal key always the comma. Characters beyond 0x7FFF come out negative.
[[nodiscard]] std::optional<std::int16_t> CharacterCode(const QKeyEvent& event);

// The code of one typed character.
[[nodiscard]] std::int16_t CharacterCode(QChar character) noexcept;

}  // namespace quorvela::runtime
