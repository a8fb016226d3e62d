#include "runtime/qt/keycodes.h"

#include <QKeyEvent>

namespace quorvela::runtime {

std::int16_t CharacterCode(QChar character) noexcept {
    return static_cast<std::int16_t>(character.unicode());
}

std::optional<std::int16_t> CharacterCode(const QKeyEvent& event) {
    const auto key = event.key();
    const auto modifiers = event.modifiers();
    const bool control = modifiers.testFlag(Qt::ControlModifier);
    const bool alt = modifiers.testFlag(Qt::AltModifier);

    switch (key) {
        case Qt::Key_Backspace:
            return static_cast<std::int16_t>(control ? 127 : 8);
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return std::int16_t{13};
        case Qt::Key_Escape:
            return std::int16_t{27};
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Delete:
            return std::nullopt;
        default:
            break;
    }
    if (modifiers.testFlag(Qt::KeypadModifier) && (key == Qt::Key_Period || key == Qt::Key_Comma)) {
        return std::int16_t{','};
    }
    // Ctrl+letter types the control codes 1 to 26 (Ctrl with Alt is AltGr,
    // which types the character of the layout).
    if (control && !alt && key >= Qt::Key_A && key <= Qt::Key_Z) {
        return static_cast<std::int16_t>(key - Qt::Key_A + 1);
    }
    const QString text = event.text();
    if (text.isEmpty()) {
        return std::nullopt;
    }
    // X11 gives the Delete key the text U+007F; it deletes, it types nothing.
    if (text.front() == QChar(0x7F)) {
        return std::nullopt;
    }
    return CharacterCode(text.front());
}

}  // namespace quorvela::runtime
