#include <QApplication>
#include <QPalette>
#include <QWidget>

#include "runtime/qt/native.h"

namespace quorvela::runtime {

namespace {

// The palette role a system colour index stands for.
QPalette::ColorRole systemColorRole(unsigned index) noexcept {
    // The indices of the classic system colour table.
    switch (index) {
        case 1:   // desktop
        case 4:   // menu
        case 15:  // button face
        case 22:  // 3-D light
            return QPalette::Button;
        case 5:  // window
            return QPalette::Base;
        case 6:   // window frame
        case 16:  // button shadow
            return QPalette::Dark;
        case 7:  // menu text
        case 8:  // window text
            return QPalette::Text;
        case 9:   // caption text
        case 18:  // button text
            return QPalette::ButtonText;
        case 13:  // highlight
            return QPalette::Highlight;
        case 14:  // highlight text
            return QPalette::HighlightedText;
        case 17:  // grey text
            return QPalette::PlaceholderText;
        case 20:  // 3-D highlight
            return QPalette::Light;
        case 21:  // 3-D dark shadow
            return QPalette::Shadow;
        case 23:  // tooltip text
            return QPalette::ToolTipText;
        case 24:  // tooltip background
            return QPalette::ToolTipBase;
        default:
            return QPalette::WindowText;
    }
}

}  // namespace

QColor ToQColor(OleColor value, const QWidget* widget) {
    if ((value & SystemColorFlag) != 0U) {
        const QPalette palette =
            widget != nullptr ? QApplication::palette(widget) : QApplication::palette();
        return palette.color(QPalette::Active, systemColorRole(value & 0xFFU));
    }
    return {static_cast<int>(value & 0xFFU), static_cast<int>((value >> 8U) & 0xFFU),
            static_cast<int>((value >> 16U) & 0xFFU)};
}

}  // namespace quorvela::runtime
