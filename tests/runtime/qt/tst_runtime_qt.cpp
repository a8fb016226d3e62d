// Qt-only: what the Qt backend makes of key events and colours that the
// driver's real input cannot produce, or can only check against the backend
// itself. X11 and Wayland hand some keys over differently from QTest: an
// Italian keyboard's keypad decimal key arrives as a comma, Ctrl+letter may
// come without its control code as text, Delete with the text U+007F; and
// the colour of button text is the palette's, which the driver on Qt can
// only read through the backend's own mapping.

#include <QApplication>
#include <QKeyEvent>
#include <QPalette>

#include <gtest/gtest.h>

#include "row_name.h"
#include "runtime/qt/keycodes.h"
#include "runtime/qt/native.h"
#include "runtime/units.h"

namespace quorvela::test {
namespace {

struct KeyEventRow {
    const char* name;
    int key;
    Qt::KeyboardModifiers modifiers;
    const char* text;
    int code;  // -1: no KeyPress
};

class KeyEvents : public ::testing::TestWithParam<KeyEventRow> {};

TEST_P(KeyEvents, BecomeTheCharacterCodeOfTheKey) {
    const KeyEventRow& row = GetParam();
    const QKeyEvent event(QEvent::KeyPress, row.key, row.modifiers, QString::fromUtf8(row.text));
    const auto code = runtime::CharacterCode(event);
    EXPECT_EQ(code ? static_cast<int>(*code) : -1, row.code);
}

INSTANTIATE_TEST_SUITE_P(RuntimeQt, KeyEvents,
                         ::testing::Values(KeyEventRow{"keypad decimal as a comma", Qt::Key_Comma,
                                                       Qt::KeypadModifier, ",", 44},
                                           KeyEventRow{"ctrl c without its code", Qt::Key_C,
                                                       Qt::ControlModifier, "", 3},
                                           KeyEventRow{"delete with its X11 text", Qt::Key_Delete,
                                                       Qt::NoModifier, "\x7f", -1}),
                         ByRowName{});

TEST(RuntimeQt, ButtonTextIsThePalettesButtonText) {
    EXPECT_EQ(runtime::ToQColor(runtime::ColorButtonText, nullptr),
              QApplication::palette().color(QPalette::ButtonText));
}

}  // namespace
}  // namespace quorvela::test
