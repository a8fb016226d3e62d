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
#include <optional>
#include <string>
#include <string_view>

#include "runtime/controls.h"
#include "runtime/form.h"
#include "runtime/layout.h"
#include "runtime/native.h"
#include "runtime/text_box.h"

namespace quorvela::runtime {

[[nodiscard]] QString ToQString(std::string_view utf8);
[[nodiscard]] std::string ToUtf8(QStringView text);

// The colour a value shows on `widget`, system colours taken from the style's
// palette for that kind of widget.
[[nodiscard]] QColor ToQColor(OleColor value, const QWidget* widget);
void SetForeColor(QWidget& widget, OleColor color);

[[nodiscard]] inline std::u16string_view ToU16(QStringView text) {
    return {text.utf16(), static_cast<std::size_t>(text.size())};
}

// A Qt widget as the runtime's control of one kind: the primitives every
// control has, on any widget.
template <class Widget, class Core>
class QtControl : public Widget, public Core {
public:
    using Widget::Widget;

    [[nodiscard]] bool CanTakeFocus() const override {
        return this->window()->isVisible() && this->isVisible() && this->isEnabled() &&
               this->focusPolicy() != Qt::NoFocus;
    }
    void TakeFocus() override { this->setFocus(Qt::OtherFocusReason); }
    void ShowBold(bool bold) override {
        QFont font = this->font();
        font.setBold(bold);
        this->setFont(font);
    }
    void ShowForeColor(OleColor color) override { SetForeColor(*this, color); }
    void ShowToolTip(std::string_view text) override { this->setToolTip(ToQString(text)); }
};

class NativeTextBox : public QtControl<QLineEdit, TextBoxCore> {
public:
    explicit NativeTextBox(QWidget* parent) : QtControl(parent) {}

    [[nodiscard]] std::string Text() const override { return ToUtf8(text()); }
    void WriteText(std::string_view text) override { setText(ToQString(text)); }
    [[nodiscard]] int Length() const override { return static_cast<int>(text().size()); }
    [[nodiscard]] Selection GetSelection() const override;
    void Select(Selection selection) override;
    void Insert(std::u16string_view text) override {
        insert(QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
    }
    void DeleteBack() override { backspace(); }
    void CopyOut() override { copy(); }
    void OfferEntriesBesidesTyping(bool offer) override {
        setAttribute(Qt::WA_InputMethodEnabled, offer);
        setAcceptDrops(offer);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool event(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void pasteSelection(QPoint where);

    // The focus left for another window or a menu, not for another control.
    bool focusAway_ = false;
};

class NativeComboBox : public QtControl<QComboBox, ComboBoxCore> {
public:
    explicit NativeComboBox(QWidget* parent);

    [[nodiscard]] std::string Text() const override { return ToUtf8(currentText()); }
    [[nodiscard]] int Count() const override { return count(); }
    void Append(std::string_view item) override { addItem(ToQString(item)); }
    void ShowItem(int index) override {
        setCurrentIndex(index);
        setEditText(index >= 0 ? itemText(index) : QString());
    }
};

class NativeOptionButton : public QtControl<QRadioButton, OptionButtonCore> {
public:
    explicit NativeOptionButton(QWidget* parent);

    void ShowChecked(bool checked) override;
    void ShowTabStop(bool stop) override {
        if (focusPolicy() != Qt::NoFocus) {
            setFocusPolicy(stop ? Qt::StrongFocus : Qt::ClickFocus);
        }
    }
};

class NativeLabel : public QtControl<QLabel, LabelCore> {
public:
    explicit NativeLabel(QWidget* parent) : QtControl(parent) { setTextFormat(Qt::PlainText); }

    void ShowCaption(std::string_view caption) override { setText(ToQString(caption)); }
};

class NativeImage : public QtControl<QLabel, ImageCore> {
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

class NativeCommandButton : public QtControl<QPushButton, CommandButtonCore> {
public:
    explicit NativeCommandButton(QWidget* parent);
};

// A frame with no caption that holds other controls.
class NativeFrame : public QtControl<QGroupBox, ControlCore> {
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

class NativeForm : public QWidget, public FormCore {
public:
    explicit NativeForm(const FormLayout& layout);

    // Qt's pixels are logical: 96 to the inch whatever the screen's density.
    [[nodiscard]] int PixelsPerInch() const override { return 96; }
    // Known before the first show where the window manager tells its frame.
    [[nodiscard]] PixelSize OuterSize() override;
    [[nodiscard]] PixelPoint FramePosition() override;
    void MoveFrameTo(PixelPoint topLeft) override;
    void ShowCaption(std::string_view caption) override { setWindowTitle(ToQString(caption)); }
    void Show() override;

private:
    void build(const FormLayout& layout);
    [[nodiscard]] QWidget& widget(std::string_view name, int index) const {
        return dynamic_cast<QWidget&>(Find<ControlCore>(name, index));
    }
    // The frame's margins; asked of the window system once, before the show.
    [[nodiscard]] QMargins frame();
    // Qt counts a window created and not yet shown as having no frame.
    [[nodiscard]] bool framelessToQt() const {
        return testAttribute(Qt::WA_WState_Created) && !isVisible();
    }

    std::optional<QMargins> frameBeforeShow_;
};

}  // namespace quorvela::runtime
