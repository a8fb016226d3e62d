#pragma once

// What the tests of the user's keys and clicks share: the started window and
// the ways a user drives it (keys to the focused control, the mode chosen by
// its option, picks by keyboard and mouse).

#include <QObject>
#include <QString>

#include <memory>

#include "modal_guard.h"
#include "window_fixture.h"

namespace quorvela::testing {

using ComboBox = runtime::NativeComboBox;
using TextBox = runtime::NativeTextBox;

// One keystroke of a data row: the key and its modifiers.
struct Stroke {
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

// The base of a test class: its init() calls Start(), its cleanup() Finish().
class InputTest : public QObject {
protected:
    // Starts the window; the clipboard empty and no dialog seen.
    void Start();
    // Closes the window; fails the test on any dialog it did not expect.
    void Finish();

    [[nodiscard]] QString label() const;
    // A control's widget by its name ("frmQuorvela" the window itself).
    [[nodiscard]] QWidget* control(const QString& name) const;
    [[nodiscard]] TextBox* box(bool volumeMode) const;

    // Keys go where the user's keys go: to the widget that holds the focus.
    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    static void type(const QString& text);
    // A key event carrying `text`, as a keyboard layout or platform makes it.
    static void sendKey(QWidget* target, Qt::Key key, const QString& text,
                        Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    // The mode chosen with a click on its option; the focus lands in its box.
    TextBox* chooseMode(bool volumeMode);
    // Types `text` into the mode's input box (focused, whole text selected)
    // and presses Enter: both result boxes filled.
    void calculate(bool volumeMode, const QString& text);
    void verifyEmphasis(bool volumeMode) const;
    static void verifyWholeTextSelected(const TextBox* input);

    // A pick of the item `text` with the arrow keys on the closed box, or
    // with a click in the open list.
    static void pickByKeyboard(ComboBox* combo, const QString& text);
    static void pickByMouse(ComboBox* combo, const QString& text);
    static void pick(ComboBox* combo, const QString& text, bool byMouse);

    static void addStrokeColumns();

    std::unique_ptr<frmQuorvela> form_;
    ModalGuard guard_;
};

}  // namespace quorvela::testing

Q_DECLARE_METATYPE(quorvela::testing::Stroke)
