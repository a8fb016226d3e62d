// The driver on Qt: QTest's real key and mouse events on the offscreen
// platform, sent where the toolkit would send a user's: keys to the open
// popup or the focus widget, the mouse to the widget under the point.

#include "driver.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QObject>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QStyleHints>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "qt/xtest.h"
#include "runtime/qt/native.h"

namespace quorvela::test {
namespace {

QString q(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string utf8(const QString& text) {
    return text.toStdString();
}

std::string controlName(const runtime::ControlLayout& control) {
    std::string name(control.name);
    if (control.index != runtime::NoIndex) {
        name += "(" + std::to_string(control.index) + ")";
    }
    return name;
}

// A menu entry's label as the user reads it: no accelerator mark, no shortcut.
std::string menuLabel(const QAction& action) {
    return utf8(action.text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&')));
}

// The character code a key types, as the platform hands it to a keystroke
// handler: Backspace 8 (127 with Ctrl), Enter 13 (10 with Ctrl), Escape 27,
// Ctrl+letter 1 to 26, the keypad's decimal key the comma. Keys that type
// nothing (arrows, Home, Delete, Tab, Alt+key) have none.
std::optional<int> characterCode(const QKeyEvent& event) {
    const int key = event.key();
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    const bool control = modifiers.testFlag(Qt::ControlModifier);
    if (modifiers.testFlag(Qt::AltModifier) && !control) {
        return std::nullopt;
    }
    switch (key) {
        case Qt::Key_Backspace:
            return control ? 127 : 8;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return control ? 10 : 13;
        case Qt::Key_Escape:
            return 27;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Delete:
            return std::nullopt;
        default:
            break;
    }
    if (modifiers.testFlag(Qt::KeypadModifier) && (key == Qt::Key_Period || key == Qt::Key_Comma)) {
        return ',';
    }
    if (control && !modifiers.testFlag(Qt::AltModifier) && key >= Qt::Key_A && key <= Qt::Key_Z) {
        return key - Qt::Key_A + 1;
    }
    const QString text = event.text();
    if (text.isEmpty() || text.front() == QChar(0x7F)) {
        return std::nullopt;
    }
    return text.front().unicode();
}

Qt::KeyboardModifiers qtModifiers(Modifiers modifiers) {
    Qt::KeyboardModifiers result;
    result.setFlag(Qt::ShiftModifier, (modifiers & Shift) != 0);
    result.setFlag(Qt::ControlModifier, (modifiers & Ctrl) != 0);
    result.setFlag(Qt::AltModifier, (modifiers & Alt) != 0);
    return result;
}

// The key event the xcb platform makes of a stroke: its key, its text, its modifiers.
struct QtStroke {
    Qt::Key key = Qt::Key_unknown;
    QString text;
    Qt::KeyboardModifiers modifiers;
};

QtStroke qtStroke(const Stroke& stroke) {
    QtStroke result{.modifiers = qtModifiers(stroke.modifiers)};
    const bool ctrl = (stroke.modifiers & Ctrl) != 0;
    switch (stroke.key) {
        case Key::Character: {
            const char c = stroke.character;
            const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
            const char upper = letter && c >= 'a' ? static_cast<char>(c - 'a' + 'A') : c;
            result.key = static_cast<Qt::Key>(upper);
            // Ctrl with a letter types its control code.
            result.text =
                ctrl && letter ? QString(QChar(upper - 'A' + 1)) : QString(QLatin1Char(c));
            return result;
        }
        case Key::Enter:
            return {Qt::Key_Return, QStringLiteral("\r"), result.modifiers};
        case Key::KeypadEnter:
            return {Qt::Key_Enter, QStringLiteral("\r"), result.modifiers | Qt::KeypadModifier};
        case Key::KeypadDecimal:
            return {Qt::Key_Period, QStringLiteral("."), result.modifiers | Qt::KeypadModifier};
        case Key::Tab:
            if ((stroke.modifiers & Shift) != 0) {
                return {Qt::Key_Backtab, {}, result.modifiers};
            }
            return {Qt::Key_Tab, QStringLiteral("\t"), result.modifiers};
        case Key::Escape:
            return {Qt::Key_Escape, QStringLiteral("\x1b"), result.modifiers};
        case Key::Space:
            return {Qt::Key_Space, QStringLiteral(" "), result.modifiers};
        case Key::Backspace:
            return {Qt::Key_Backspace, QStringLiteral("\b"), result.modifiers};
        case Key::Delete:
            // X11 gives the Delete key the text U+007F.
            return {Qt::Key_Delete, QString(QChar(0x7F)), result.modifiers};
        case Key::Insert:
            return {Qt::Key_Insert, {}, result.modifiers};
        case Key::Left:
            return {Qt::Key_Left, {}, result.modifiers};
        case Key::Right:
            return {Qt::Key_Right, {}, result.modifiers};
        case Key::Up:
            return {Qt::Key_Up, {}, result.modifiers};
        case Key::Down:
            return {Qt::Key_Down, {}, result.modifiers};
        case Key::Home:
            return {Qt::Key_Home, {}, result.modifiers};
        case Key::End:
            return {Qt::Key_End, {}, result.modifiers};
        case Key::PageDown:
            return {Qt::Key_PageDown, {}, result.modifiers};
        case Key::F4:
            return {Qt::Key_F4, {}, result.modifiers};
        case Key::Paste:
            return {Qt::Key_Paste, {}, result.modifiers};
    }
    return result;
}

// The X key names XTest presses for a queued key.
const char* keysym(Key key) {
    switch (key) {
        case Key::Enter:
            return "Return";
        case Key::KeypadEnter:
            return "KP_Enter";
        case Key::Tab:
            return "Tab";
        case Key::Escape:
            return "Escape";
        case Key::Space:
            return "space";
        case Key::Backspace:
            return "BackSpace";
        case Key::Delete:
            return "Delete";
        default:
            throw std::invalid_argument("this key cannot be queued");
    }
}

runtime::OleColor oleColor(const QColor& color) {
    return static_cast<runtime::OleColor>(color.red()) |
           (static_cast<runtime::OleColor>(color.green()) << 8U) |
           (static_cast<runtime::OleColor>(color.blue()) << 16U);
}

BoxIcon boxIcon(QMessageBox::Icon icon) {
    switch (icon) {
        case QMessageBox::Critical:
            return BoxIcon::Critical;
        case QMessageBox::Question:
            return BoxIcon::Question;
        case QMessageBox::Warning:
            return BoxIcon::Exclamation;
        case QMessageBox::Information:
            return BoxIcon::Information;
        default:
            return BoxIcon::None;
    }
}

}  // namespace

// ------------------------------------------------------------------ Native

struct Driver::Native final : QObject {
    Native(runtime::Form& form, const runtime::FormLayout& layout, BoxLog& boxes);

    [[nodiscard]] QWidget* control(std::string_view name) const;
    [[nodiscard]] QLineEdit* edit(std::string_view name) const;
    [[nodiscard]] QComboBox* combo(std::string_view name) const;
    // The layout's name of a widget, or of the control it belongs to.
    [[nodiscard]] std::string nameOf(const QWidget* widget) const;
    // Where keys go: the open popup, else the focus widget, else the window.
    [[nodiscard]] QWidget* keyTarget() const;
    // The widget a mouse event at `at` of `name` reaches, and the point in it.
    [[nodiscard]] std::pair<QWidget*, QPoint> under(std::string_view name,
                                                    std::optional<Point> at) const;
    void pollBoxes();
    void settle();
    void note(const Reached& reached) const {
        if (sink) {
            sink(reached);
        }
    }

    bool eventFilter(QObject* watched, QEvent* event) override;

    runtime::NativeForm& form;
    std::vector<QPointer<QLineEdit>> textBoxes;
    QTimer boxTimer;
    BoxLog& boxes;
    std::function<void(const Reached&)> sink;
    // Boxes the focus left for another window or a menu: its return there is
    // no entering.
    std::vector<const QObject*> away;
    std::unique_ptr<QWidget> otherWindow;
    QElapsedTimer listOpened;
    xtest::Display display;
};

Driver::Native::Native(runtime::Form& runtimeForm, const runtime::FormLayout& layout, BoxLog& boxes)
    : form(runtimeForm.Native()), boxes(boxes) {
    // Qt times triple clicks, and the release that picks from a list just
    // opened, on the real clock, while a test's events come at once: with no
    // interval only the order of events decides, the same on an idle and on
    // a loaded machine. Double clicks are sent as such.
    QGuiApplication::styleHints()->setMouseDoubleClickInterval(0);
    boxTimer.setInterval(5);
    QObject::connect(&boxTimer, &QTimer::timeout, this, &Native::pollBoxes);
    boxTimer.start();

    for (const runtime::ControlLayout& entry : layout.controls) {
        QWidget* widget = control(controlName(entry));
        if (auto* box = qobject_cast<QLineEdit*>(widget); box != nullptr) {
            textBoxes.emplace_back(box);
            box->installEventFilter(this);
        } else if (auto* button = qobject_cast<QPushButton*>(widget); button != nullptr) {
            QObject::connect(button, &QAbstractButton::clicked, this, [this, button] {
                note({.kind = Reached::Kind::ButtonClicked, .control = nameOf(button)});
            });
        } else if (auto* option = qobject_cast<QAbstractButton*>(widget); option != nullptr) {
            // The option losing the selection says so before the handler of
            // the option gaining it runs.
            QObject::connect(option, &QAbstractButton::toggled, this, [this, option](bool checked) {
                if (!checked) {
                    note({.kind = Reached::Kind::OptionCleared, .control = nameOf(option)});
                }
            });
        } else if (auto* list = qobject_cast<QComboBox*>(widget); list != nullptr) {
            QObject::connect(list, &QComboBox::activated, this, [this, list](int index) {
                note({.kind = Reached::Kind::Picked,
                      .control = nameOf(list),
                      .text = utf8(list->itemText(index)),
                      .shown = utf8(list->currentText())});
            });
        }
    }
}

QWidget* Driver::Native::control(std::string_view name) const {
    const QString wanted = q(name);
    if (wanted == form.objectName()) {
        return &form;
    }
    auto* widget = form.findChild<QWidget*>(wanted);
    if (widget == nullptr) {
        throw std::invalid_argument("no control " + std::string(name));
    }
    return widget;
}

QLineEdit* Driver::Native::edit(std::string_view name) const {
    QWidget* widget = control(name);
    if (auto* list = qobject_cast<QComboBox*>(widget); list != nullptr) {
        return list->lineEdit();
    }
    auto* box = qobject_cast<QLineEdit*>(widget);
    if (box == nullptr) {
        throw std::invalid_argument(std::string(name) + " has no text field");
    }
    return box;
}

QComboBox* Driver::Native::combo(std::string_view name) const {
    auto* list = qobject_cast<QComboBox*>(control(name));
    if (list == nullptr) {
        throw std::invalid_argument(std::string(name) + " is no combo box");
    }
    return list;
}

std::string Driver::Native::nameOf(const QWidget* widget) const {
    for (; widget != nullptr; widget = widget->parentWidget()) {
        if (widget == &form) {
            return utf8(form.objectName());
        }
        if (!widget->objectName().isEmpty() && widget->window() == &form &&
            !widget->objectName().startsWith(QLatin1String("qt_"))) {
            return utf8(widget->objectName());
        }
    }
    return {};
}

QWidget* Driver::Native::keyTarget() const {
    if (QWidget* popup = QApplication::activePopupWidget(); popup != nullptr) {
        return popup->focusWidget() != nullptr ? popup->focusWidget() : popup;
    }
    if (QWidget* focus = QApplication::focusWidget(); focus != nullptr) {
        return focus;
    }
    return &form;
}

std::pair<QWidget*, QPoint> Driver::Native::under(std::string_view name,
                                                  std::optional<Point> at) const {
    QWidget* target = control(name);
    const QPoint local = at ? QPoint(at->x, at->y) : target->rect().center();
    const QPoint inWindow = target->mapTo(&form, local);
    // childAt passes over what lets the mouse through (the shapes).
    QWidget* hit = form.childAt(inWindow);
    if (hit == nullptr) {
        hit = &form;
    }
    return {hit, hit->mapFrom(&form, inWindow)};
}

void Driver::Native::pollBoxes() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible()) {
        return;
    }
    SeenBox box{.title = utf8(modal->windowTitle())};
    auto* messageBox = qobject_cast<QMessageBox*>(modal);
    if (messageBox != nullptr) {
        box.text = utf8(messageBox->text());
        box.icon = boxIcon(messageBox->icon());
        box.buttons = static_cast<int>(messageBox->buttons().size());
    }
    boxes.Opened(box);
    if (messageBox != nullptr && !messageBox->buttons().isEmpty()) {
        QTest::mouseClick(messageBox->buttons().constFirst(), Qt::LeftButton);
    }
    if (modal->isVisible()) {
        if (auto* dialog = qobject_cast<QDialog*>(modal); dialog != nullptr) {
            dialog->reject();
        } else {
            modal->close();
        }
    }
}

// What a desktop does between two inputs of a user, and the offscreen
// platform delivers through its event queue: a popup just opened takes the
// activation, and the window whose popup or box has closed gets it back.
// Waited for in passes of the event loop, not in time, so that a loaded
// machine does not change what the next input meets.
void Driver::Native::settle() {
    for (int pass = 0; pass < 20; ++pass) {
        QWidget* popup = QApplication::activePopupWidget();
        if (popup != nullptr ? QGuiApplication::focusWindow() == popup->windowHandle()
                             : otherWindow != nullptr || form.isActiveWindow()) {
            return;
        }
        if (popup == nullptr) {
            form.activateWindow();
        }
        QApplication::processEvents();
    }
}

bool Driver::Native::eventFilter(QObject* watched, QEvent* event) {
    if (!sink) {
        return false;
    }
    auto* box = static_cast<QLineEdit*>(watched);
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress) {
        const bool selected = box->hasSelectedText();
        note({.kind = Reached::Kind::Key,
              .control = nameOf(box),
              .code = characterCode(*static_cast<QKeyEvent*>(event)),
              .text = utf8(box->text()),
              .selection = {.start = selected ? box->selectionStart() : box->cursorPosition(),
                            .length = static_cast<int>(box->selectedText().size())},
              .cursor = box->cursorPosition()});
    } else if (type == QEvent::FocusOut || type == QEvent::FocusIn) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        const bool elsewhere =
            reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
        const auto found = std::find(away.begin(), away.end(), watched);
        const bool returning = found != away.end() && elsewhere;
        if (found != away.end()) {
            away.erase(found);
        }
        if (type == QEvent::FocusOut && elsewhere) {
            away.push_back(watched);
        } else if (type == QEvent::FocusIn && !returning) {
            note({.kind = Reached::Kind::FocusEntered, .control = nameOf(box)});
        }
    } else if (type == QEvent::MouseButtonDblClick) {
        note({.kind = Reached::Kind::DoubleClick, .control = nameOf(box)});
    }
    return false;
}

// ------------------------------------------------------------------ Driver

Driver::Driver(runtime::Form& form, const runtime::FormLayout& layout)
    : native_(std::make_unique<Native>(form, layout, boxes_)) {}

Driver::~Driver() {
    for (const QPointer<QLineEdit>& box : native_->textBoxes) {
        if (box != nullptr) {
            box->removeEventFilter(native_.get());
        }
    }
}

void Driver::Type(std::string_view utf8) {
    for (const QChar character : q(utf8)) {
        QWidget* target = native_->keyTarget();
        if (character.unicode() < 0x80) {
            QTest::keyClick(target, character.toLatin1());
        } else {
            // A character no key of the test's layout types, as a keyboard
            // layout or an input path of the platform delivers it.
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(character),
                                Qt::NoModifier);
        }
        native_->settle();
    }
}

void Driver::Press(Stroke stroke) {
    const QtStroke key = qtStroke(stroke);
    QTest::sendKeyEvent(QTest::Click, native_->keyTarget(), key.key, key.text, key.modifiers);
    native_->settle();
}

void Driver::Click(std::string_view control, std::optional<Point> at) {
    const auto [target, point] = native_->under(control, at);
    // While a popup is open the platform gives it every click, also one
    // outside it (which closes it).
    if (QWidget* popup = QApplication::activePopupWidget()) {
        QTest::mouseClick(popup, Qt::LeftButton, Qt::NoModifier,
                          popup->mapFromGlobal(target->mapToGlobal(point)));
    } else {
        QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, point);
    }
    native_->settle();
}

void Driver::DoubleClick(std::string_view control, std::optional<Point> at) {
    const auto [target, point] = native_->under(control, at);
    QTest::mouseDClick(target, Qt::LeftButton, Qt::NoModifier, point);
    native_->settle();
}

void Driver::MiddleClick(std::string_view control) {
    const auto [target, point] = native_->under(control, {});
    QTest::mouseClick(target, Qt::MiddleButton, Qt::NoModifier, point);
    native_->settle();
}

void Driver::Drag(std::string_view control, Point from, Point to) {
    const auto [target, start] = native_->under(control, from);
    const QPoint end = start + QPoint(to.x - from.x, to.y - from.y);
    QTest::mousePress(target, Qt::LeftButton, Qt::NoModifier, start);
    QTest::mouseMove(target, end);
    QTest::mouseRelease(target, Qt::LeftButton, Qt::NoModifier, end);
    native_->settle();
}

void Driver::Wheel(std::string_view control, bool up) {
    const auto [target, point] = native_->under(control, {});
    const QPoint delta(0, up ? 120 : -120);
    const QPoint global = target->mapToGlobal(point);
    // Qt passes a wheel turn it sends itself to the widget only; the
    // platform's goes up to the parents until one takes it.
    for (QWidget* widget = target; widget != nullptr;
         widget = widget->isWindow() ? nullptr : widget->parentWidget()) {
        QWheelEvent event(widget->mapFromGlobal(global), global, {}, delta, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(widget, &event);
        if (event.isAccepted()) {
            break;
        }
    }
    native_->settle();
}

std::vector<MenuEntry> Driver::ContextMenu(std::string_view control, std::string_view take) {
    std::vector<MenuEntry> entries;
    bool seen = false;
    QTimer reader;
    reader.setInterval(5);
    QElapsedTimer shown;
    const QString wanted = q(take);
    QObject::connect(&reader, &QTimer::timeout, native_.get(), [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr) {
            return;
        }
        // The platform activates a popup through its event queue. Closed
        // before that arrives, the menu would take the activation with it
        // once hidden, and leave the window without focus: a user cannot
        // close a menu before it shows, so neither does the test.
        if (!shown.isValid()) {
            shown.start();
        }
        if (QGuiApplication::focusWindow() != menu->windowHandle() && !shown.hasExpired(1000)) {
            return;
        }
        QAction* chosen = nullptr;
        for (QAction* action : menu->actions()) {
            if (action->isSeparator()) {
                continue;
            }
            entries.push_back({.label = menuLabel(*action), .enabled = action->isEnabled()});
            if (!wanted.isEmpty() && q(entries.back().label) == wanted) {
                chosen = action;
            }
        }
        seen = true;
        reader.stop();
        if (chosen != nullptr && chosen->isEnabled()) {
            QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier,
                              menu->actionGeometry(chosen).center());
        }
        if (menu->isVisible()) {
            menu->close();
        }
    });
    reader.start();
    // The right button as a user presses it: the press gives the control
    // the focus, then the platform asks for the menu (on the press, as X11
    // does), then the button is released.
    const auto [target, point] = native_->under(control, {});
    QTest::mousePress(target, Qt::RightButton, Qt::NoModifier, point);
    QContextMenuEvent event(QContextMenuEvent::Mouse, point, target->mapToGlobal(point));
    QApplication::sendEvent(target, &event);
    // A menu shown with popup() rather than exec() is still open here;
    // with none open, the control has no menu: no entries.
    if (!seen && qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr) {
        static_cast<void>(QTest::qWaitFor([&] { return seen; }, 2000));
    }
    QTest::mouseRelease(target, Qt::RightButton, Qt::NoModifier, point);
    native_->settle();
    return entries;
}

void Driver::OpenList(std::string_view combo) {
    QComboBox* box = native_->combo(combo);
    QStyleOptionComboBox option;
    option.initFrom(box);
    option.editable = true;
    option.frame = true;
    option.subControls = QStyle::SC_All;
    const QRect arrow =
        box->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, box);
    const QPoint centre = arrow.center();
    Click(combo, Point{.x = centre.x(), .y = centre.y()});
    native_->listOpened.start();
    static_cast<void>(QTest::qWaitFor([box] { return box->view()->isVisible(); }, 1000));
}

bool Driver::ListOpen(std::string_view combo) const {
    return native_->combo(combo)->view()->isVisible();
}

void Driver::ClickListItem(std::string_view combo, std::string_view item) {
    QComboBox* box = native_->combo(combo);
    const int row = box->findText(q(item));
    if (row < 0) {
        throw std::invalid_argument(std::string(item) + " is no item of " + std::string(combo));
    }
    QAbstractItemView* view = box->view();
    const QModelIndex index = box->model()->index(row, box->modelColumn());
    view->scrollTo(index);
    // The mouse moves from the arrow to the item, then clicks it, through the
    // popup's own window as the platform delivers it.
    QWidget* popup = view->window();
    QWindow* handle = popup->windowHandle();
    const QPoint point = view->viewport()->mapTo(popup, view->visualRect(index).center());
    QTest::mouseMove(handle, point);
    // The list takes no release within a double click of the click that
    // opened it (that would be the opening click's own), a time its own
    // timer keeps. With no interval (see the constructor) one pass of the
    // event loop lets that timer run out.
    if (native_->listOpened.isValid() && QApplication::doubleClickInterval() > 0) {
        const qint64 due = QApplication::doubleClickInterval() + 100;
        QTest::qWait(static_cast<int>(std::max<qint64>(0, due - native_->listOpened.elapsed())));
    }
    QApplication::processEvents();
    QTest::mouseClick(handle, Qt::LeftButton, Qt::NoModifier, point);
    static_cast<void>(QTest::qWaitFor([view] { return !view->isVisible(); }, 1000));
    native_->settle();
}

void Driver::PickFromList(std::string_view combo, std::string_view item) {
    OpenList(combo);
    ClickListItem(combo, item);
}

void Driver::PickByKeyboard(std::string_view combo, std::string_view item) {
    QComboBox* box = native_->combo(combo);
    const int target = box->findText(q(item));
    if (target < 0) {
        throw std::invalid_argument(std::string(item) + " is no item of " + std::string(combo));
    }
    Click(combo);
    if (box->currentIndex() == target) {
        // Step off and back, so that the item is picked all the same.
        const bool up = target > 0;
        Press(up ? Key::Up : Key::Down);
        Press(up ? Key::Down : Key::Up);
    }
    for (int step = 0; step < box->count() && box->currentIndex() != target; ++step) {
        Press(box->currentIndex() < target ? Key::Down : Key::Up);
    }
}

void Driver::TypeIntoCombo(std::string_view combo, std::string_view text) {
    Click(combo);
    Press(CtrlPlus('a'));
    if (text.empty()) {
        Press(Key::Backspace);
    } else {
        Type(text);
    }
}

void Driver::SetClipboard(std::string_view text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(q(text));
    if (clipboard->supportsSelection()) {
        clipboard->setText(q(text), QClipboard::Selection);
    }
}

std::string Driver::Clipboard() const {
    return utf8(QGuiApplication::clipboard()->text());
}

bool Driver::Drop(std::string_view control, std::string_view text) {
    QWidget* target = native_->control(control);
    // Delivered whether or not the control takes drops: its own handlers
    // must refuse what the platform would not deliver.
    QMimeData mime;
    mime.setText(q(text));
    const QPoint point(target->width() - 2, target->height() / 2);
    QDragEnterEvent enter(point, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDragMoveEvent move(point, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QDropEvent drop(QPointF(point), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return target->acceptDrops() && drop.isAccepted();
}

void Driver::Compose(std::string_view control, std::string_view text) {
    QInputMethodEvent event;
    event.setCommitString(q(text));
    QApplication::sendEvent(native_->control(control), &event);
}

void Driver::WriteFromOutside(std::string_view control, std::string_view text) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(native_->control(control));
    if (face == nullptr) {
        return;
    }
    face->setText(QAccessible::Value, q(text));
    if (QAccessibleEditableTextInterface* editable = face->editableTextInterface();
        editable != nullptr) {
        editable->insertText(0, q(text));
    }
}

void Driver::ActivateAnotherWindow() {
    native_->otherWindow = std::make_unique<QWidget>();
    native_->otherWindow->show();
    native_->otherWindow->activateWindow();
    static_cast<void>(QTest::qWaitForWindowActive(native_->otherWindow.get()));
}

void Driver::Activate() {
    native_->form.activateWindow();
    static_cast<void>(QTest::qWaitForWindowActive(&native_->form));
    native_->otherWindow.reset();
}

void Driver::QueueKeys(Key key, int count) {
    const char* name = keysym(key);
    xtest::Display& display = native_->display;
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !display.Open()) {
        throw std::runtime_error("queued input needs the xcb platform and XTest (xvfb-run)");
    }
    for (int i = 0; i < count; ++i) {
        display.Key(name);
    }
    display.Sync();
}

void Driver::QueueClicks(std::string_view control, int count) {
    xtest::Display& display = native_->display;
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !display.Open()) {
        throw std::runtime_error("queued input needs the xcb platform and XTest (xvfb-run)");
    }
    const QWidget* target = native_->control(control);
    const QPoint at = target->mapToGlobal(target->rect().center());
    for (int i = 0; i < count; ++i) {
        display.Click(at.x(), at.y());
    }
    display.Sync();
}

bool Driver::RunUntil(const std::function<bool()>& done, std::chrono::milliseconds patience) {
    return QTest::qWaitFor(done, static_cast<int>(patience.count()));
}

void Driver::Pump() {
    QApplication::processEvents();
}

void Driver::Post(std::function<void()> task) {
    QTimer::singleShot(0, &native_->form, std::move(task));
}

// ------------------------------------------------------------------ looking

std::string Driver::Text(std::string_view control) const {
    QWidget* widget = native_->control(control);
    if (widget == &native_->form) {
        return utf8(widget->windowTitle());
    }
    if (auto* box = qobject_cast<QLineEdit*>(widget); box != nullptr) {
        return utf8(box->text());
    }
    if (auto* list = qobject_cast<QComboBox*>(widget); list != nullptr) {
        return utf8(list->currentText());
    }
    if (auto* label = qobject_cast<QLabel*>(widget); label != nullptr) {
        return utf8(label->text());
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget); button != nullptr) {
        return utf8(button->text());
    }
    return {};
}

Selection Driver::SelectionOf(std::string_view control) const {
    const QLineEdit* box = native_->edit(control);
    if (!box->hasSelectedText()) {
        return {.start = box->cursorPosition(), .length = 0};
    }
    return {.start = box->selectionStart(), .length = static_cast<int>(box->selectedText().size())};
}

int Driver::Cursor(std::string_view control) const {
    return native_->edit(control)->cursorPosition();
}

std::string Driver::ToolTip(std::string_view control) const {
    return utf8(native_->control(control)->toolTip());
}

runtime::OleColor Driver::ForeColor(std::string_view control) const {
    const QWidget* widget = native_->control(control);
    const bool holdsText = qobject_cast<const QLineEdit*>(widget) != nullptr ||
                           qobject_cast<const QComboBox*>(widget) != nullptr;
    return oleColor(widget->palette().color(QPalette::Active,
                                            holdsText ? QPalette::Text : QPalette::WindowText));
}

runtime::OleColor Driver::SystemColor(runtime::OleColor system) const {
    return oleColor(runtime::ToQColor(system, nullptr));
}

bool Driver::Bold(std::string_view control) const {
    return native_->control(control)->font().bold();
}

double Driver::FontPoints(std::string_view control) const {
    return native_->control(control)->font().pointSizeF();
}

std::string Driver::FontFamily(std::string_view control) const {
    return utf8(native_->control(control)->font().family());
}

Alignment Driver::AlignmentOf(std::string_view control) const {
    const QWidget* widget = native_->control(control);
    Qt::Alignment alignment = Qt::AlignLeft;
    if (const auto* label = qobject_cast<const QLabel*>(widget); label != nullptr) {
        alignment = label->alignment();
    } else if (const auto* box = qobject_cast<const QLineEdit*>(widget); box != nullptr) {
        alignment = box->alignment();
    }
    return (alignment & Qt::AlignHorizontal_Mask) == Qt::AlignHCenter ? Alignment::Center
                                                                      : Alignment::Left;
}

bool Driver::Checked(std::string_view option) const {
    const auto* button = qobject_cast<const QAbstractButton*>(native_->control(option));
    return button != nullptr && button->isChecked();
}

std::vector<std::string> Driver::Items(std::string_view combo) const {
    const QComboBox* box = native_->combo(combo);
    std::vector<std::string> items;
    items.reserve(static_cast<std::size_t>(box->count()));
    for (int i = 0; i < box->count(); ++i) {
        items.push_back(utf8(box->itemText(i)));
    }
    return items;
}

std::string Driver::Focused() const {
    const QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr || focus->window() != &native_->form) {
        return {};
    }
    return native_->nameOf(focus);
}

bool Driver::Active() const {
    return native_->form.isActiveWindow();
}

Rect Driver::Geometry(std::string_view control) const {
    const QWidget* widget = native_->control(control);
    const QPoint topLeft =
        widget == &native_->form ? QPoint() : widget->mapTo(&native_->form, QPoint());
    const double ratio = native_->form.devicePixelRatioF();
    const auto device = [ratio](int pixels) {
        return static_cast<int>(std::lround(pixels * ratio));
    };
    return {.left = device(topLeft.x()),
            .top = device(topLeft.y()),
            .width = device(widget->width()),
            .height = device(widget->height())};
}

Rect Driver::Placement() const {
    const runtime::PixelPoint corner = native_->form.FramePosition();
    const runtime::PixelSize size = native_->form.OuterSize();
    return {.left = corner.x, .top = corner.y, .width = size.width, .height = size.height};
}

Accessible Driver::AccessibleOf(std::string_view control) const {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(native_->control(control));
    if (face == nullptr) {
        return {};
    }
    // An AT-SPI screen reader names a control by the caption that labels it
    // where there is one: Qt names an editable combo box by its value and
    // gives its caption as the label.
    QString name = face->text(QAccessible::Name);
    if (const auto labels = face->relations(QAccessible::Label); !labels.isEmpty()) {
        name = labels.constFirst().first->text(QAccessible::Name);
    }
    return {.name = utf8(name),
            .value = utf8(face->text(QAccessible::Value)),
            .description = utf8(face->text(QAccessible::Description))};
}

// ------------------------------------------------------ message boxes

void Driver::Observe(std::function<void(const Reached&)> sink) {
    native_->sink = std::move(sink);
}

// ------------------------------------------------------------------ StartedWindow

StartedWindow::StartedWindow()
    : form_(std::make_unique<frmQuorvela>()),
      driver_(std::make_unique<Driver>(*form_, frmQuorvela::Layout())) {
    QGuiApplication::clipboard()->clear();
    runtime::Start(*form_);
    if (!QTest::qWaitForWindowExposed(&form_->Native())) {
        throw std::runtime_error("the window was not shown");
    }
    QApplication::processEvents();
}

StartedWindow::~StartedWindow() = default;

}  // namespace quorvela::test
