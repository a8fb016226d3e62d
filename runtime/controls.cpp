#include "runtime/controls.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <array>
#include <memory>

#include "calc/runtime_error.h"
#include "runtime/dispatch.h"
#include "runtime/keycodes.h"

namespace quorvela::runtime {

void SetFontBold(QWidget& widget, bool bold) {
    QFont font = widget.font();
    font.setBold(bold);
    widget.setFont(font);
}

void SetForeColor(QWidget& widget, OleColor color) {
    const QColor qcolor = ToQColor(color, &widget);
    QPalette palette = widget.palette();
    for (const auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
        palette.setColor(QPalette::Active, role, qcolor);
        palette.setColor(QPalette::Inactive, role, qcolor);
    }
    widget.setPalette(palette);
}

void SetFocusOrRaise(QWidget& widget) {
    if (!widget.window()->isVisible() || !widget.isVisible() || !widget.isEnabled() ||
        widget.focusPolicy() == Qt::NoFocus) {
        Raise(ErrorNumber::InvalidProcedureCall);
    }
    widget.setFocus(Qt::OtherFocusReason);
}

// ---------------------------------------------------------------- TextBox

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {}

void TextBox::SetText(const QString& value) { setText(value); }

void TextBox::SetSelStart(int start) {
    setCursorPosition(std::clamp(start, 0, static_cast<int>(text().size())));
}

void TextBox::SetSelLength(int length) {
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    const int available = static_cast<int>(text().size()) - start;
    setSelection(start, std::clamp(length, 0, available));
}

void TextBox::OnKeyPress(KeyPressHandler handler) {
    keyPress_ = std::move(handler);
    const bool typing = static_cast<bool>(keyPress_);
    setAttribute(Qt::WA_InputMethodEnabled, !typing);
    setAcceptDrops(!typing);
}

bool TextBox::fitsTypingLimit(int inserted) const {
    if (typingLimit_ <= 0) {
        return true;
    }
    const auto remaining = text().size() - selectedText().size();
    return remaining + inserted <= typingLimit_;
}

void TextBox::type(std::int16_t code) {
    std::int16_t keyAscii = code;
    Dispatch([&] { keyPress_(keyAscii); });
    if (keyAscii == 0) {
        return;
    }
    if (keyAscii == 8) {
        backspace();
        return;
    }
    if (keyAscii < 32 || keyAscii == 127) {
        return;  // control codes insert nothing
    }
    if (fitsTypingLimit(1)) {
        insert(QString(QChar(static_cast<char16_t>(keyAscii))));
    }
}

void TextBox::keyPressEvent(QKeyEvent* event) {
    const auto code = CharacterCode(*event);
    if (!code) {
        // Keyboard clipboard and history commands would move text in or out
        // without the keystroke handler seeing it.
        if (typingOnly() &&
            (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut) ||
             event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Undo) ||
             event->matches(QKeySequence::Redo))) {
            event->accept();
            return;
        }
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (!typingOnly()) {
        const bool inserts = *code >= 32 && *code != 127;
        if (inserts && !fitsTypingLimit(static_cast<int>(event->text().size()))) {
            event->accept();
            return;
        }
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    const QString text = event->text();
    if (text.size() > 1 && text.front().unicode() >= 32) {
        // Some input paths deliver several characters in one event.
        for (const QChar character : text) {
            type(CharacterCode(character));
        }
        return;
    }
    type(*code);
}

void TextBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (gotFocus_) {
        swallowingPress_ = event->reason() == Qt::MouseFocusReason;
        Dispatch(gotFocus_);
    }
}

void TextBox::mousePressEvent(QMouseEvent* event) {
    if (swallowingPress_ && event->button() == Qt::LeftButton) {
        event->accept();
        return;
    }
    swallowingPress_ = false;
    if (typingOnly() && event->button() == Qt::MiddleButton) {
        event->accept();  // middle-click paste
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void TextBox::mouseMoveEvent(QMouseEvent* event) {
    if (swallowingPress_) {
        event->accept();
        return;
    }
    QLineEdit::mouseMoveEvent(event);
}

void TextBox::mouseReleaseEvent(QMouseEvent* event) {
    if (swallowingPress_) {
        swallowingPress_ = false;
        event->accept();
        return;
    }
    if (typingOnly() && event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void TextBox::mouseDoubleClickEvent(QMouseEvent* event) {
    swallowingPress_ = false;
    QLineEdit::mouseDoubleClickEvent(event);
}

void TextBox::contextMenuEvent(QContextMenuEvent* event) {
    // Copying a figure out stays possible; nothing can be pasted in.
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("textBoxMenu"));
    QAction* copyAction = menu.addAction(QStringLiteral("Copia"), this, &QLineEdit::copy);
    copyAction->setObjectName(QStringLiteral("edit-copy"));
    copyAction->setEnabled(hasSelectedText() && echoMode() == QLineEdit::Normal);
    QAction* selectAllAction =
        menu.addAction(QStringLiteral("Seleziona tutto"), this, &QLineEdit::selectAll);
    selectAllAction->setObjectName(QStringLiteral("select-all"));
    selectAllAction->setEnabled(!text().isEmpty());
    menu.exec(event->globalPos());
    event->accept();
}

void TextBox::inputMethodEvent(QInputMethodEvent* event) {
    if (!typingOnly()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    // Composed text is typed character by character, through the handler.
    const QString committed = event->commitString();
    event->accept();
    for (const QChar character : committed) {
        type(CharacterCode(character));
    }
}

void TextBox::dragEnterEvent(QDragEnterEvent* event) {
    if (typingOnly()) {
        event->ignore();
        return;
    }
    QLineEdit::dragEnterEvent(event);
}

void TextBox::dragMoveEvent(QDragMoveEvent* event) {
    if (typingOnly()) {
        event->ignore();
        return;
    }
    QLineEdit::dragMoveEvent(event);
}

void TextBox::dropEvent(QDropEvent* event) {
    if (typingOnly()) {
        event->ignore();
        return;
    }
    QLineEdit::dropEvent(event);
}

// ---------------------------------------------------------------- ComboBox

void TranslateEditMenu(QMenu& menu) {
    struct Entry {
        const char* english;
        const char* italian;
        const char* name;
    };
    static constexpr std::array<Entry, 7> Entries{{
        {"&Undo", "Annulla", "edit-undo"},
        {"&Redo", "Ripeti", "edit-redo"},
        {"Cu&t", "Taglia", "edit-cut"},
        {"&Copy", "Copia", "edit-copy"},
        {"&Paste", "Incolla", "edit-paste"},
        {"Delete", "Elimina", "edit-delete"},
        {"Select All", "Seleziona tutto", "select-all"},
    }};
    for (QAction* action : menu.actions()) {
        const QString text = action->text();
        const qsizetype tab = text.indexOf(QLatin1Char('\t'));
        const QString label = text.left(tab < 0 ? text.size() : tab);
        for (const Entry& entry : Entries) {
            if (label == QLatin1String(entry.english)) {
                // The shortcut Qt shows after the tab stays as it is.
                action->setText(QLatin1String(entry.italian) + (tab < 0 ? QString() : text.mid(tab)));
                action->setObjectName(QLatin1String(entry.name));
            }
        }
    }
}

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setCompleter(nullptr);
    setInsertPolicy(QComboBox::NoInsert);
    // With duplicates allowed, Enter on a typed text that matches an item
    // does not pick that item: only a real pick raises Click.
    setDuplicatesEnabled(true);
    // Qt picks the item whose text was typed when the editing ends (Enter or
    // the focus leaving) and reports it as activated; typing must raise
    // nothing, so the combo box no longer listens to the end of editing.
    disconnect(lineEdit(), &QLineEdit::editingFinished, this, nullptr);
    // Qt's own menu for the typed text speaks English: the same entries, in
    // Italian.
    lineEdit()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(lineEdit(), &QWidget::customContextMenuRequested, this, [this](const QPoint& point) {
        const std::unique_ptr<QMenu> menu(lineEdit()->createStandardContextMenu());
        menu->setObjectName(QStringLiteral("comboBoxMenu"));
        TranslateEditMenu(*menu);
        menu->exec(lineEdit()->mapToGlobal(point));
    });
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (index >= 0) {
            setEditText(itemText(index));
        }
        raiseClick();
    });
}

void ComboBox::SetListIndex(int index) {
    if (index < -1 || index >= count()) {
        Raise(ErrorNumber::InvalidProcedureCall);
    }
    setCurrentIndex(index);
    setEditText(index >= 0 ? itemText(index) : QString());
    raiseClick();
}

void ComboBox::raiseClick() {
    if (click_) {
        Dispatch(click_);
    }
}

// ---------------------------------------------------------------- OptionButton

OptionButton::OptionButton(std::int16_t index, QWidget* parent)
    : QRadioButton(parent), index_(index) {
    // Click follows a change of the selection, whether the user or the
    // program made it; a click on the option already selected changes nothing.
    connect(this, &QAbstractButton::toggled, this, [this](bool checked) {
        if (checked && click_) {
            std::int16_t index = index_;
            Dispatch([&] { click_(index); });
        }
    });
}

void OptionButton::SetValue(bool value) {
    if (value) {
        setChecked(true);
        return;
    }
    if (isChecked()) {
        setAutoExclusive(false);
        setChecked(false);
        setAutoExclusive(true);
    }
}

// ---------------------------------------------------------------- the rest

Label::Label(QWidget* parent) : QLabel(parent) { setTextFormat(Qt::PlainText); }

Image::Image(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setScaledContents(false);
}

CommandButton::CommandButton(QWidget* parent) : QPushButton(parent) {
    setAutoDefault(false);
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (click_) {
            Dispatch(click_);
        }
    });
}

Frame::Frame(QWidget* parent) : QGroupBox(parent) { setFocusPolicy(Qt::NoFocus); }

Shape::Shape(QWidget* parent, OleColor borderColor) : QWidget(parent), borderColor_(borderColor) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void Shape::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setPen(ToQColor(borderColor_, this));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace quorvela::runtime
