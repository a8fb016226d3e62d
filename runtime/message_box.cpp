#include "runtime/message_box.h"

#include <array>
#include <vector>

namespace quorvela::runtime {

std::span<const MsgBoxAnswer> MsgBoxStyle::Answers() const {
    using enum MsgBoxAnswer;
    static const std::array<std::vector<MsgBoxAnswer>, 6> ByButtons = {{
        {Ok},
        {Ok, Cancel},
        {Abort, Retry, Ignore},
        {Yes, No, Cancel},
        {Yes, No},
        {Retry, Cancel},
    }};
    return ByButtons.at(static_cast<std::size_t>(buttons));
}

MsgBoxStyle DecodeMsgBoxStyle(int style) {
    MsgBoxStyle decoded;
    const int buttons = style & 0x0F;
    if (buttons <= static_cast<int>(MsgBoxButtons::RetryCancel)) {
        decoded.buttons = static_cast<MsgBoxButtons>(buttons);
    }
    const int icon = style & 0x70;
    if (icon <= static_cast<int>(MsgBoxIcon::Information)) {
        decoded.icon = static_cast<MsgBoxIcon>(icon);
    }
    return decoded;
}

}  // namespace quorvela::runtime
