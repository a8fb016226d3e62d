#include "runtime/qt/native.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QStringEncoder>

#include <algorithm>
#include <array>
#include <memory>

#include "calc/runtime_error.h"
#include "runtime/dispatch.h"
#include "runtime/form.h"
#include "runtime/qt/keycodes.h"
#include "runtime/qt/pictures.h"

namespace quorvela::runtime {

QString ToQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// Encoded straight into the string: QString::toStdString goes through a
// QByteArray, an allocation and a copy more on every read of a control.
std::string ToUtf8(QStringView text) {
    QStringEncoder encoder(QStringEncoder::Utf8);
    std::string bytes(static_cast<std::size_t>(encoder.requiredSpace(text.size())), '\0');
    char* const end = encoder.appendToBuffer(bytes.data(), text);
    bytes.resize(static_cast<std::size_t>(end - bytes.data()));
    return bytes;
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

// ---------------------------------------------------------------- TextBox

Selection NativeTextBox::GetSelection() const {
    if (hasSelectedText()) {
        return {static_cast<int>(selectionStart()), static_cast<int>(selectedText().size())};
    }
    return {cursorPosition(), 0};
}

void NativeTextBox::Select(Selection selection) {
    if (selection.length == 0) {
        setCursorPosition(selection.start);
    } else {
        setSelection(selection.start, selection.length);
    }
}

void NativeTextBox::keyPressEvent(QKeyEvent* event) {
    const auto code = CharacterCode(*event);
    // Alt with a character key is the window's menu or mnemonic key: it types
    // nothing and reaches no keystroke handler (Ctrl+Alt is AltGr, which types).
    if (code && event->modifiers().testFlag(Qt::AltModifier) &&
        !event->modifiers().testFlag(Qt::ControlModifier)) {
        event->ignore();
        return;
    }
    // Ctrl+V types its code (22) in a box that types through its handler.
    if (event->matches(QKeySequence::Paste) && (!code || !TypingOnly())) {
        event->accept();
        PutIn(TextEntry::Paste, ToU16(QGuiApplication::clipboard()->text()));
        return;
    }
    if (!code) {
        // The keyboard's other clipboard and history commands: copying out
        // stays possible.
        const bool history =
            event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo);
        if ((event->matches(QKeySequence::Cut) && Refuses(TextEntry::Cut)) ||
            (history && Refuses(TextEntry::Undo))) {
            event->accept();
            return;
        }
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (!TypingOnly()) {
        if (!Admits(static_cast<char16_t>(*code), static_cast<int>(event->text().size()))) {
            event->accept();
            return;
        }
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    // Ctrl+A selects the whole text, then goes to the handler as code 1.
    if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
    }
    const QString text = event->text();
    if (text.size() > 1 && text.front().unicode() >= 32) {
        // Some input paths deliver several characters in one event.
        for (const QChar character : text) {
            Type(CharacterCode(character));
        }
        return;
    }
    Type(*code);
}

void NativeTextBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    const bool returning = focusAway_ && (event->reason() == Qt::ActiveWindowFocusReason ||
                                          event->reason() == Qt::PopupFocusReason);
    focusAway_ = false;
    FocusEntered(!returning, event->reason() == Qt::MouseFocusReason);
}

void NativeTextBox::focusOutEvent(QFocusEvent* event) {
    focusAway_ =
        event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason;
    QLineEdit::focusOutEvent(event);
}

// The mouse steps and drags the rules turn away never reach the line edit.
bool NativeTextBox::event(QEvent* event) {
    const auto button = [event] { return static_cast<const QMouseEvent*>(event)->button(); };
    bool turnedAway = false;
    switch (event->type()) {
        case QEvent::MouseButtonPress:
            turnedAway =
                Swallows(button() == Qt::LeftButton ? MouseStep::Press : MouseStep::OtherPress) ||
                (button() == Qt::MiddleButton && Refuses(TextEntry::Paste));
            break;
        case QEvent::MouseMove:
            turnedAway = Swallows(MouseStep::Move);
            break;
        case QEvent::MouseButtonRelease:
            if (button() == Qt::MiddleButton) {
                pasteSelection(static_cast<const QMouseEvent*>(event)->position().toPoint());
                turnedAway = true;
            } else {
                turnedAway = Swallows(MouseStep::Release);
            }
            break;
        case QEvent::MouseButtonDblClick:
            static_cast<void>(Swallows(MouseStep::DoubleClick));
            break;
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
            if (Refuses(TextEntry::Drop)) {
                event->ignore();
                return true;
            }
            break;
        default:
            break;
    }
    if (turnedAway) {
        event->accept();
        return true;
    }
    return QLineEdit::event(event);
}

// The X11 selection's paste (a middle click), through the rules.
void NativeTextBox::pasteSelection(QPoint where) {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (!Refuses(TextEntry::Paste) && clipboard->supportsSelection() && rect().contains(where)) {
        deselect();
        PutIn(TextEntry::Paste, ToU16(clipboard->text(QClipboard::Selection)));
    }
}

void NativeTextBox::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    for (const MenuEntry& entry : ContextMenu()) {
        QAction* action = menu.addAction(ToQString(MenuLabel(entry.command)));
        action->setEnabled(entry.enabled);
        action->setData(static_cast<int>(entry.command));
    }
    if (const QAction* chosen = menu.exec(event->globalPos())) {
        Perform(static_cast<EditCommand>(chosen->data().toInt()));
    }
    event->accept();
}

void NativeTextBox::inputMethodEvent(QInputMethodEvent* event) {
    if (TypingOnly()) {
        event->accept();
        PutIn(TextEntry::Composition, ToU16(event->commitString()));
        return;
    }
    if (event->commitString().isEmpty()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent cut(event->preeditString(), event->attributes());
    const std::u16string fitted = Fitted(ToU16(event->commitString()));
    cut.setCommitString(QString::fromUtf16(fitted.data(), static_cast<qsizetype>(fitted.size())),
                        event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&cut);
    event->setAccepted(cut.isAccepted());
}

void NativeTextBox::dropEvent(QDropEvent* event) {
    // Text moved within the box does not lengthen it; text from elsewhere is
    // inserted at the drop point, in place of no selection.
    const bool movedWithin = event->source() == this && event->dropAction() == Qt::MoveAction;
    if (movedWithin || !event->mimeData()->hasText()) {
        QLineEdit::dropEvent(event);
        return;
    }
    deselect();
    QMimeData cut;
    const std::u16string fitted = Fitted(ToU16(event->mimeData()->text()));
    cut.setText(QString::fromUtf16(fitted.data(), static_cast<qsizetype>(fitted.size())));
    QDropEvent fitting(event->position(), event->possibleActions(), &cut, event->buttons(),
                       event->modifiers());
    fitting.setDropAction(event->dropAction());
    QLineEdit::dropEvent(&fitting);
    event->setDropAction(fitting.dropAction());
    event->setAccepted(fitting.isAccepted());
}

// ---------------------------------------------------------------- ComboBox

NativeComboBox::NativeComboBox(QWidget* parent) : QtControl(parent) {
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
    connect(this, &QComboBox::activated, this, [this](int index) { Picked(index); });
}

// ---------------------------------------------------------------- OptionButton

NativeOptionButton::NativeOptionButton(QWidget* parent) : QtControl(parent) {
    // The user's choice; the others of the group are cleared by Qt already.
    connect(this, &QAbstractButton::toggled, this, [this](bool checked) {
        if (checked) {
            Select();
        }
    });
}

void NativeOptionButton::ShowChecked(bool checked) {
    // Qt keeps one option of a group checked: clearing the last takes
    // the group's exclusivity off for a moment.
    setAutoExclusive(checked);
    setChecked(checked);
    setAutoExclusive(true);
}

// ---------------------------------------------------------------- the rest

NativeImage::NativeImage(QWidget* parent) : QtControl(parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setScaledContents(false);
}

void NativeImage::SetPicture(const QString& svg, QSize logical) {
    svg_ = svg;
    logical_ = logical;
    render();
}

void NativeImage::render() {
    if (!svg_.isEmpty() &&
        (pixmap().isNull() || pixmap().devicePixelRatio() != devicePixelRatioF())) {
        setPixmap(RenderPicture(svg_, logical_, devicePixelRatioF()));
    }
}

bool NativeImage::event(QEvent* event) {
    if (event->type() == QEvent::Show || event->type() == QEvent::ScreenChangeInternal) {
        render();
    }
    return QLabel::event(event);
}

NativeCommandButton::NativeCommandButton(QWidget* parent) : QtControl(parent) {
    // Enter on the focused button clicks it, as Space does.
    setAutoDefault(true);
    connect(this, &QAbstractButton::clicked, this, [this] { RaiseClick(); });
}

NativeFrame::NativeFrame(QWidget* parent) : QtControl(parent) {
    setFocusPolicy(Qt::NoFocus);
}

NativeShape::NativeShape(QWidget* parent, OleColor borderColor)
    : QWidget(parent), borderColor_(borderColor) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void NativeShape::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setPen(ToQColor(borderColor_, this));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace quorvela::runtime
