#pragma once

// MsgBox's style as the classic flags: the low bits name the buttons, the
// next the icon. Answers are the classic numbers of the button pressed.

#include <cstdint>
#include <span>

namespace quorvela::runtime {

enum class MsgBoxButtons : std::uint8_t {
    Ok = 0,
    OkCancel = 1,
    AbortRetryIgnore = 2,
    YesNoCancel = 3,
    YesNo = 4,
    RetryCancel = 5
};
enum class MsgBoxIcon : std::uint8_t {
    None = 0,
    Critical = 16,
    Question = 32,
    Exclamation = 48,
    Information = 64
};
enum class MsgBoxAnswer : std::uint8_t { Ok = 1, Cancel, Abort, Retry, Ignore, Yes, No };

struct MsgBoxStyle {
    MsgBoxButtons buttons = MsgBoxButtons::Ok;
    MsgBoxIcon icon = MsgBoxIcon::None;

    // The buttons in the order they stand, left to right.
    [[nodiscard]] std::span<const MsgBoxAnswer> Answers() const;
};

// Flags the box does not know show OK alone, or no icon.
[[nodiscard]] MsgBoxStyle DecodeMsgBoxStyle(int style);

}  // namespace quorvela::runtime
