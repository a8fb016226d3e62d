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

NativeTextBox::NativeTextBox(QWidget* parent) : QLineEdit(parent) {}

void NativeTextBox::SetKeyPress(TextBox::KeyPressHandler handler) {
    keyPress_ = std::move(handler);
    const bool typing = static_cast<bool>(keyPress_);
    setAttribute(Qt::WA_InputMethodEnabled, !typing);
    setAcceptDrops(!typing);
}

bool NativeTextBox::fitsTypingLimit(int inserted) const {
    if (typingLimit_ <= 0) {
        return true;
    }
    const auto remaining = text().size() - selectedText().size();
    return remaining + inserted <= typingLimit_;
}

namespace {

// A single-line box takes the first line of text put in.
QString firstLine(const QString& text) {
    const auto* const end = std::find_if(text.begin(), text.end(), [](QChar character) {
        return character == QLatin1Char('\n') || character == QLatin1Char('\r');
    });
    return text.left(end - text.begin());
}

}  // namespace

QString NativeTextBox::fitted(const QString& text) const {
    QString line = firstLine(text);
    if (typingLimit_ <= 0) {
        return line;
    }
    const auto kept = this->text().size() - selectedText().size();
    return line.left(std::max<qsizetype>(0, typingLimit_ - kept));
}

void NativeTextBox::type(std::int16_t code) {
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

void NativeTextBox::keyPressEvent(QKeyEvent* event) {
    const auto code = CharacterCode(*event);
    // Alt with a character key is the window's menu or mnemonic key: it types
    // nothing and reaches no keystroke handler (Ctrl+Alt is AltGr, which types).
    if (code && event->modifiers().testFlag(Qt::AltModifier) &&
        !event->modifiers().testFlag(Qt::ControlModifier)) {
        event->ignore();
        return;
    }
    if (!typingOnly() && event->matches(QKeySequence::Paste)) {
        event->accept();
        insert(fitted(QGuiApplication::clipboard()->text()));
        return;
    }
    if (!code) {
        // Copying out stays possible (Ctrl+Insert); the keyboard's clipboard
        // and history commands would move text in or out without the
        // keystroke handler seeing it.
        if (typingOnly() && event->matches(QKeySequence::Copy)) {
            event->accept();
            copy();
            return;
        }
        if (typingOnly() &&
            (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut) ||
             event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo))) {
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
    // Ctrl+A selects the whole text, then goes to the handler as code 1.
    if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
    }
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

void NativeTextBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    const bool returning = focusAway_ && (event->reason() == Qt::ActiveWindowFocusReason ||
                                          event->reason() == Qt::PopupFocusReason);
    focusAway_ = false;
    if (gotFocus_ && !returning) {
        swallowingPress_ = event->reason() == Qt::MouseFocusReason;
        Dispatch(gotFocus_);
    }
}

void NativeTextBox::focusOutEvent(QFocusEvent* event) {
    focusAway_ =
        event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason;
    QLineEdit::focusOutEvent(event);
}

void NativeTextBox::mousePressEvent(QMouseEvent* event) {
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

void NativeTextBox::mouseMoveEvent(QMouseEvent* event) {
    if (swallowingPress_) {
        event->accept();
        return;
    }
    QLineEdit::mouseMoveEvent(event);
}

void NativeTextBox::mouseReleaseEvent(QMouseEvent* event) {
    if (swallowingPress_) {
        swallowingPress_ = false;
        event->accept();
        return;
    }
    if (event->button() == Qt::MiddleButton && (typingOnly() || typingLimit_ > 0)) {
        event->accept();
        const QClipboard* clipboard = QGuiApplication::clipboard();
        if (!typingOnly() && clipboard->supportsSelection() && rect().contains(event->pos())) {
            deselect();
            insert(fitted(clipboard->text(QClipboard::Selection)));
        }
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void NativeTextBox::mouseDoubleClickEvent(QMouseEvent* event) {
    swallowingPress_ = false;
    QLineEdit::mouseDoubleClickEvent(event);
}

void NativeTextBox::contextMenuEvent(QContextMenuEvent* event) {
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

void NativeTextBox::inputMethodEvent(QInputMethodEvent* event) {
    if (!typingOnly()) {
        if (typingLimit_ > 0 && !event->commitString().isEmpty()) {
            QInputMethodEvent cut(event->preeditString(), event->attributes());
            cut.setCommitString(fitted(event->commitString()), event->replacementStart(),
                                event->replacementLength());
            QLineEdit::inputMethodEvent(&cut);
            event->setAccepted(cut.isAccepted());
            return;
        }
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

void NativeTextBox::dragEnterEvent(QDragEnterEvent* event) {
    if (typingOnly()) {
        event->ignore();
        return;
    }
    QLineEdit::dragEnterEvent(event);
}

void NativeTextBox::dragMoveEvent(QDragMoveEvent* event) {
    if (typingOnly()) {
        event->ignore();
        return;
    }
    QLineEdit::dragMoveEvent(event);
}

void NativeTextBox::dropEvent(QDropEvent* event) {
    if (typingOnly()) {
        event->ignore();
        return;
    }
    // Text moved within the box does not lengthen it; text from elsewhere is
    // inserted at the drop point, and cut to what the limit leaves.
    const bool movedWithin = event->source() == this && event->dropAction() == Qt::MoveAction;
    if (typingLimit_ <= 0 || movedWithin || !event->mimeData()->hasText()) {
        QLineEdit::dropEvent(event);
        return;
    }
    const auto room = std::max<qsizetype>(0, typingLimit_ - text().size());
    QMimeData cut;
    cut.setText(firstLine(event->mimeData()->text()).left(room));
    QDropEvent fitting(event->position(), event->possibleActions(), &cut, event->buttons(),
                       event->modifiers());
    fitting.setDropAction(event->dropAction());
    QLineEdit::dropEvent(&fitting);
    event->setDropAction(fitting.dropAction());
    event->setAccepted(fitting.isAccepted());
}

// ---------------------------------------------------------------- ComboBox

NativeComboBox::NativeComboBox(QWidget* parent) : QComboBox(parent) {
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
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (index >= 0) {
            setEditText(itemText(index));
        }
        RaiseClick();
    });
}

void NativeComboBox::RaiseClick() {
    if (click_) {
        Dispatch(click_);
    }
}

// ---------------------------------------------------------------- OptionButton

NativeOptionButton::NativeOptionButton(std::int16_t index, QWidget* parent)
    : QRadioButton(parent), index_(index) {
    // Click follows a change of the selection, whether the user or the
    // program made it; a click on the option already selected changes nothing.
    connect(this, &QAbstractButton::toggled, this, [this](bool checked) {
        TabToSelected();
        if (checked && click_) {
            std::int16_t index = index_;
            Dispatch([&] { click_(index); });
        }
    });
}

// Tab enters an option group on its selected option (the arrows move within
// it), as on Windows; with none selected, every option is a tab stop.
void NativeOptionButton::TabToSelected() {
    const auto group =
        parentWidget()->findChildren<NativeOptionButton*>(QString(), Qt::FindDirectChildrenOnly);
    const bool anySelected =
        std::any_of(group.begin(), group.end(), [](auto* option) { return option->isChecked(); });
    for (NativeOptionButton* option : group) {
        if (option->focusPolicy() != Qt::NoFocus) {
            option->setFocusPolicy(!anySelected || option->isChecked() ? Qt::StrongFocus
                                                                       : Qt::ClickFocus);
        }
    }
}

// ---------------------------------------------------------------- the rest

NativeLabel::NativeLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
}

NativeImage::NativeImage(QWidget* parent) : QLabel(parent) {
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

NativeCommandButton::NativeCommandButton(QWidget* parent) : QPushButton(parent) {
    // Enter on the focused button clicks it, as Space does.
    setAutoDefault(true);
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (click_) {
            Dispatch(click_);
        }
    });
}

NativeFrame::NativeFrame(QWidget* parent) : QGroupBox(parent) {
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

// ---------------------------------------------------------------- the handles

TextBox::TextBox(Form& form, std::string_view name, int index)
    : native_(&form.Native().Control<NativeTextBox>(name, index)) {}

std::string TextBox::Text() const {
    return ToUtf8(native_->text());
}
void TextBox::SetText(std::string_view text) {
    native_->setText(ToQString(text));
    // A figure longer than the box shows its first digits, not its end.
    native_->setCursorPosition(0);
}

void TextBox::SetSelStart(int start) {
    native_->setCursorPosition(std::clamp(start, 0, static_cast<int>(native_->text().size())));
}

void TextBox::SetSelLength(int length) {
    const int start =
        native_->hasSelectedText() ? native_->selectionStart() : native_->cursorPosition();
    const int available = static_cast<int>(native_->text().size()) - start;
    native_->setSelection(start, std::clamp(length, 0, available));
}

void TextBox::SetFocus() {
    SetFocusOrRaise(*native_);
}
void TextBox::OnKeyPress(KeyPressHandler handler) {
    native_->SetKeyPress(std::move(handler));
}
void TextBox::OnGotFocus(Handler handler) {
    native_->SetGotFocus(std::move(handler));
}

ComboBox::ComboBox(Form& form, std::string_view name, int index)
    : native_(&form.Native().Control<NativeComboBox>(name, index)) {}

std::string ComboBox::Text() const {
    return ToUtf8(native_->currentText());
}
void ComboBox::AddItem(std::string_view item) {
    native_->addItem(ToQString(item));
}

void ComboBox::SetListIndex(int index) {
    if (index < -1 || index >= native_->count()) {
        Raise(ErrorNumber::InvalidProcedureCall);
    }
    native_->setCurrentIndex(index);
    native_->setEditText(index >= 0 ? native_->itemText(index) : QString());
    native_->RaiseClick();
}

void ComboBox::SetFocus() {
    SetFocusOrRaise(*native_);
}
void ComboBox::OnClick(Handler handler) {
    native_->SetClick(std::move(handler));
}

OptionButton::OptionButton(Form& form, std::string_view name, int index)
    : native_(&form.Native().Control<NativeOptionButton>(name, index)) {}

bool OptionButton::Value() const {
    return native_->isChecked();
}

void OptionButton::SetValue(bool value) {
    if (value) {
        native_->setChecked(true);
        return;
    }
    if (native_->isChecked()) {
        native_->setAutoExclusive(false);
        native_->setChecked(false);
        native_->setAutoExclusive(true);
        native_->TabToSelected();
    }
}

void OptionButton::SetForeColor(OleColor color) {
    runtime::SetForeColor(*native_, color);
}
void OptionButton::SetFontBold(bool bold) {
    runtime::SetFontBold(*native_, bold);
}
void OptionButton::OnClick(ClickHandler handler) {
    native_->SetClick(std::move(handler));
}

Label::Label(Form& form, std::string_view name, int index)
    : native_(&form.Native().Control<NativeLabel>(name, index)) {}

void Label::SetCaption(std::string_view caption) {
    native_->setText(ToQString(caption));
}
void Label::SetFontBold(bool bold) {
    runtime::SetFontBold(*native_, bold);
}
void Label::SetToolTipText(std::string_view text) {
    native_->setToolTip(ToQString(text));
}

Image::Image(Form& form, std::string_view name, int index)
    : native_(&form.Native().Control<NativeImage>(name, index)) {}

void Image::SetToolTipText(std::string_view text) {
    native_->setToolTip(ToQString(text));
}

CommandButton::CommandButton(Form& form, std::string_view name, int index)
    : native_(&form.Native().Control<NativeCommandButton>(name, index)) {}

void CommandButton::OnClick(Handler handler) {
    native_->SetClick(std::move(handler));
}

}  // namespace quorvela::runtime
