#pragma once

// The controls the window code works with: standard Qt widgets with the
// properties, methods and events of the form runtime. Events are raised
// through Dispatch, so a handler's error never crosses Qt's event loop.

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>

#include "runtime/units.h"

namespace quorvela::runtime {

// Settings every control shares.
void SetFontBold(QWidget& widget, bool bold);
void SetForeColor(QWidget& widget, OleColor color);
// Moves the focus to `widget`; error 5 when it cannot take it (its window
// hidden, the control hidden or disabled, or never focusable).
void SetFocusOrRaise(QWidget& widget);
// Qt's standard menu for an editable text, its entries in Italian.
void TranslateEditMenu(QMenu& menu);

class TextBox : public QLineEdit {
public:
    using KeyPressHandler = std::function<void(std::int16_t& keyAscii)>;
    using Handler = std::function<void()>;

    explicit TextBox(QWidget* parent);

    [[nodiscard]] QString Text() const { return text(); }
    void SetText(const QString& value);
    // The selection starts at `start` and is empty; SetSelLength then extends it.
    void SetSelStart(int start);
    void SetSelLength(int length);
    void SetFocus() { SetFocusOrRaise(*this); }

    // The most characters the user may type; 0 for no limit. Text the program
    // writes is shown whole, whatever its length.
    void SetTypingLimit(int limit) { typingLimit_ = limit; }
    [[nodiscard]] int TypingLimit() const { return typingLimit_; }

    // A box with a keystroke handler takes text by typing alone: paste, drop,
    // middle-click and input-method text could otherwise bypass the handler.
    void OnKeyPress(KeyPressHandler handler);
    void OnGotFocus(Handler handler) { gotFocus_ = std::move(handler); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    [[nodiscard]] bool typingOnly() const { return static_cast<bool>(keyPress_); }
    // One typed character through the keystroke handler and the typing limit.
    void type(std::int16_t code);
    [[nodiscard]] bool fitsTypingLimit(int inserted) const;

    KeyPressHandler keyPress_;
    Handler gotFocus_;
    int typingLimit_ = 0;
    // The mouse press that gave the focus must not undo the selection the
    // focus handler made: that press (and its drag) is swallowed.
    bool swallowingPress_ = false;
};

class ComboBox : public QComboBox {
public:
    using Handler = std::function<void()>;

    explicit ComboBox(QWidget* parent);

    [[nodiscard]] QString Text() const { return currentText(); }
    void AddItem(const QString& item) { addItem(item); }
    // Selects the item, shows its text and raises Click before returning.
    void SetListIndex(int index);
    void SetFocus() { SetFocusOrRaise(*this); }

    // Raised by a pick from the list (mouse or keyboard) and by SetListIndex;
    // typing into the box raises nothing.
    void OnClick(Handler handler) { click_ = std::move(handler); }

private:
    void raiseClick();

    Handler click_;
};

class OptionButton : public QRadioButton {
public:
    using ClickHandler = std::function<void(std::int16_t& index)>;

    OptionButton(std::int16_t index, QWidget* parent);

    [[nodiscard]] bool Value() const { return isChecked(); }
    // Writing true clears the other options of the group and, when the
    // selection changes, raises Click before returning.
    void SetValue(bool value);
    void SetForeColor(OleColor color) { runtime::SetForeColor(*this, color); }
    void SetFontBold(bool bold) { runtime::SetFontBold(*this, bold); }
    [[nodiscard]] std::int16_t Index() const { return index_; }

    void OnClick(ClickHandler handler) { click_ = std::move(handler); }

private:
    std::int16_t index_;
    ClickHandler click_;
};

class Label : public QLabel {
public:
    explicit Label(QWidget* parent);

    void SetCaption(const QString& caption) { setText(caption); }
    void SetFontBold(bool bold) { runtime::SetFontBold(*this, bold); }
    void SetToolTipText(const QString& text) { setToolTip(text); }
};

// A picture shown at its own size.
class Image : public QLabel {
public:
    explicit Image(QWidget* parent);

    void SetToolTipText(const QString& text) { setToolTip(text); }
};

class CommandButton : public QPushButton {
public:
    using Handler = std::function<void()>;

    explicit CommandButton(QWidget* parent);

    void OnClick(Handler handler) { click_ = std::move(handler); }

private:
    Handler click_;
};

// A frame with no caption that holds the other controls.
class Frame : public QGroupBox {
public:
    explicit Frame(QWidget* parent);
};

// A rectangle drawn beneath the controls: border only, never taking mouse or focus.
class Shape : public QWidget {
public:
    Shape(QWidget* parent, OleColor borderColor);

    [[nodiscard]] OleColor BorderColor() const { return borderColor_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    OleColor borderColor_;
};

}  // namespace quorvela::runtime
