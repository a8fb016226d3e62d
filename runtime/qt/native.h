#pragma once

// The Qt widgets behind the form runtime's controls. Only the Qt backend and
// the Qt tests see this header.

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "runtime/controls.h"
#include "runtime/form.h"
#include "runtime/layout.h"

namespace quorvela::runtime {

[[nodiscard]] QString ToQString(std::string_view utf8);
[[nodiscard]] std::string ToUtf8(QStringView text);

// The colour a value shows on `widget`, system colours taken from the style's
// palette for that kind of widget.
[[nodiscard]] QColor ToQColor(OleColor value, const QWidget* widget);
void SetForeColor(QWidget& widget, OleColor color);
void SetFontBold(QWidget& widget, bool bold);
// Moves the focus to `widget`; error 5 when it cannot take it (its window
// hidden, the control hidden or disabled, or never focusable).
void SetFocusOrRaise(QWidget& widget);

class NativeTextBox : public QLineEdit {
public:
    explicit NativeTextBox(QWidget* parent);

    // The most characters the user may type or paste; 0 for no limit. Text
    // the program writes is shown whole, whatever its length.
    void SetTypingLimit(int limit) { typingLimit_ = limit; }
    [[nodiscard]] int TypingLimit() const { return typingLimit_; }

    void SetKeyPress(TextBox::KeyPressHandler handler);
    void SetGotFocus(Handler handler) { gotFocus_ = std::move(handler); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
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
    // What the typing limit leaves of `text`'s first line when it replaces
    // the selection.
    [[nodiscard]] QString fitted(const QString& text) const;

    TextBox::KeyPressHandler keyPress_;
    Handler gotFocus_;
    int typingLimit_ = 0;
    // The focus left for another window or a menu, not for another control:
    // its return moves nothing and raises no GotFocus.
    bool focusAway_ = false;
    // The mouse press that gave the focus must not undo the selection the
    // focus handler made: that press (and its drag) is swallowed.
    bool swallowingPress_ = false;
};

class NativeComboBox : public QComboBox {
public:
    explicit NativeComboBox(QWidget* parent);

    void SetClick(Handler handler) { click_ = std::move(handler); }
    void RaiseClick();

private:
    Handler click_;
};

class NativeOptionButton : public QRadioButton {
public:
    NativeOptionButton(std::int16_t index, QWidget* parent);

    void SetClick(OptionButton::ClickHandler handler) { click_ = std::move(handler); }
    void TabToSelected();

private:
    std::int16_t index_;
    OptionButton::ClickHandler click_;
};

class NativeLabel : public QLabel {
public:
    explicit NativeLabel(QWidget* parent);
};

class NativeImage : public QLabel {
public:
    explicit NativeImage(QWidget* parent);

    // The drawing at that resource path, at `logical` pixels, drawn anew for
    // the pixel ratio of each screen the window stands on.
    void SetPicture(const QString& svg, QSize logical);

protected:
    bool event(QEvent* event) override;

private:
    void render();

    QString svg_;
    QSize logical_;
};

class NativeCommandButton : public QPushButton {
public:
    explicit NativeCommandButton(QWidget* parent);

    void SetClick(Handler handler) { click_ = std::move(handler); }

private:
    Handler click_;
};

// A frame with no caption that holds other controls.
class NativeFrame : public QGroupBox {
public:
    explicit NativeFrame(QWidget* parent);
};

// A rectangle drawn beneath the controls: border only, never taking mouse or focus.
class NativeShape : public QWidget {
public:
    NativeShape(QWidget* parent, OleColor borderColor);

    [[nodiscard]] OleColor BorderColor() const { return borderColor_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    OleColor borderColor_;
};

class NativeForm : public QWidget {
public:
    explicit NativeForm(const FormLayout& layout);

    // The control built from the layout entry of that name and index.
    template <class Native>
    [[nodiscard]] Native& Control(std::string_view name, int index) const {
        const auto found = controls_.find({std::string(name), index});
        auto* control = found == controls_.end() ? nullptr : dynamic_cast<Native*>(found->second);
        if (control == nullptr) {
            throw std::logic_error("no control " + std::string(name) + " in the layout");
        }
        return *control;
    }

    // The size with the window manager's frame, known before the first show
    // where the manager tells it.
    [[nodiscard]] QSize OuterSize();
    // The top-left corner of the frame.
    [[nodiscard]] QPoint FramePosition();
    void MoveFrameTo(QPoint topLeft);

    void SetLoad(Handler handler) { load_ = std::move(handler); }
    void RaiseLoad();
    // The first control in tab order that can take the focus takes it.
    void FocusFirstControl() { focusNextChild(); }

private:
    void build(const FormLayout& layout);
    // The frame's margins; asked of the window system once, before the show.
    [[nodiscard]] QMargins frame();
    // Qt counts a window created and not yet shown as having no frame.
    [[nodiscard]] bool framelessToQt() const {
        return testAttribute(Qt::WA_WState_Created) && !isVisible();
    }

    std::map<std::pair<std::string, int>, QWidget*> controls_;
    Handler load_;
    std::optional<QMargins> frameBeforeShow_;
};

}  // namespace quorvela::runtime
