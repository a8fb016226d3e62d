#include "session.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QStyleHints>
#include <QTest>
#include <QWheelEvent>

#include <array>
#include <tuple>
#include <utility>

#include "runtime/dispatch.h"
#include "window_fixture.h"

namespace quorvela::testing {

std::uint32_t ByteChoices::Below(std::uint32_t bound) {
    std::uint32_t value = 0;
    // As many bytes as the bound needs, so that every choice is reachable.
    for (std::uint32_t reach = 1; reach < bound; reach *= 256U) {
        const std::uint8_t byte = next_ < bytes_.size() ? bytes_[next_] : 0;
        ++next_;
        value = value * 256U + byte;
        if (reach > (0xFFFFFFFFU / 256U)) {
            break;
        }
    }
    return value % bound;
}

namespace {

struct Key {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* text;  // what the keyboard layout types, UTF-8; null: Qt's own
    const char* name;
};

// Every kind of keystroke a user can send to a control.
const auto Keys = std::to_array<Key>({
    {Qt::Key_0, Qt::NoModifier, "0", "0"},
    {Qt::Key_1, Qt::NoModifier, "1", "1"},
    {Qt::Key_2, Qt::NoModifier, "2", "2"},
    {Qt::Key_5, Qt::NoModifier, "5", "5"},
    {Qt::Key_7, Qt::NoModifier, "7", "7"},
    {Qt::Key_9, Qt::NoModifier, "9", "9"},
    {Qt::Key_4, Qt::KeypadModifier, "4", "keypad 4"},
    {Qt::Key_Period, Qt::NoModifier, ".", "."},
    {Qt::Key_Period, Qt::KeypadModifier, ".", "keypad ."},
    {Qt::Key_Comma, Qt::NoModifier, ",", ","},
    {Qt::Key_Minus, Qt::NoModifier, "-", "-"},
    {Qt::Key_Plus, Qt::NoModifier, "+", "+"},
    {Qt::Key_Space, Qt::NoModifier, " ", "blank"},
    {Qt::Key_A, Qt::NoModifier, "a", "a"},
    {Qt::Key_E, Qt::ShiftModifier, "E", "E"},
    {Qt::Key_X, Qt::NoModifier, "x", "x"},
    {Qt::Key_Egrave, Qt::NoModifier, "è", "è"},
    {Qt::Key_Agrave, Qt::NoModifier, "à", "à"},
    {Qt::Key_Ugrave, Qt::NoModifier, "ù", "ù"},
    {Qt::Key_unknown, Qt::NoModifier, "€", "€"},
    {Qt::Key_unknown, Qt::NoModifier, "\xc2\xb3", "³"},
    {Qt::Key_C, Qt::ControlModifier, nullptr, "Ctrl+C"},
    {Qt::Key_V, Qt::ControlModifier, nullptr, "Ctrl+V"},
    {Qt::Key_X, Qt::ControlModifier, nullptr, "Ctrl+X"},
    {Qt::Key_A, Qt::ControlModifier, nullptr, "Ctrl+A"},
    {Qt::Key_Z, Qt::ControlModifier, nullptr, "Ctrl+Z"},
    {Qt::Key_V, Qt::ControlModifier, "\x16", "Ctrl+V with its code"},
    {Qt::Key_H, Qt::ControlModifier, "\x08", "Ctrl+H"},
    {Qt::Key_M, Qt::ControlModifier, "\x0d", "Ctrl+M"},
    {Qt::Key_Insert, Qt::ShiftModifier, nullptr, "Shift+Insert"},
    {Qt::Key_Return, Qt::NoModifier, nullptr, "Enter"},
    {Qt::Key_Return, Qt::ControlModifier, nullptr, "Ctrl+Enter"},
    {Qt::Key_Enter, Qt::KeypadModifier, nullptr, "keypad Enter"},
    {Qt::Key_Backspace, Qt::NoModifier, nullptr, "Backspace"},
    {Qt::Key_Backspace, Qt::ControlModifier, nullptr, "Ctrl+Backspace"},
    {Qt::Key_Delete, Qt::NoModifier, nullptr, "Delete"},
    {Qt::Key_Left, Qt::NoModifier, nullptr, "Left"},
    {Qt::Key_Right, Qt::NoModifier, nullptr, "Right"},
    {Qt::Key_Left, Qt::ShiftModifier, nullptr, "Shift+Left"},
    {Qt::Key_Up, Qt::NoModifier, nullptr, "Up"},
    {Qt::Key_Down, Qt::NoModifier, nullptr, "Down"},
    {Qt::Key_Home, Qt::NoModifier, nullptr, "Home"},
    {Qt::Key_End, Qt::ShiftModifier, nullptr, "Shift+End"},
    {Qt::Key_End, Qt::NoModifier, nullptr, "End"},
    {Qt::Key_Escape, Qt::NoModifier, nullptr, "Escape"},
    {Qt::Key_F4, Qt::NoModifier, nullptr, "F4"},
    {Qt::Key_Down, Qt::AltModifier, nullptr, "Alt+Down"},
    {Qt::Key_PageDown, Qt::NoModifier, nullptr, "PageDown"},
});

// What users type into the combo boxes, the awkward included.
const auto ComboTexts = std::to_array<const char*>({
    "1000",  "2500",   "100",    "200",        "1500",       "0",
    "-500",  "-1000",  "7",      "99999",      "40000",      "32767",
    "32768", "-32768", "-32769", "2147483647", "2147483648", "1E+05",
    "2,5E3", "1e400",  "1E-400", "12,5",       "1.5",        "0,4",
    " ",     "",       " 1000 ", "abc",        "1,2,3",      ",",
    "-",     "+200",   "1 000",  "1500x",      "\xc3\xa8",   "0000000000000000000001",
});

QString describe(const QWidget* widget) {
    if (widget == nullptr) {
        return QStringLiteral("nothing");
    }
    QString name = widget->objectName();
    if (name.isEmpty() && widget->parentWidget() != nullptr) {
        name = widget->parentWidget()->objectName();
    }
    return name.isEmpty() ? QString::fromLatin1(widget->metaObject()->className()) : name;
}

// Keys go where a user's keys go: to the open list, else the focused control.
QWidget* keyTarget(QWidget* fallback) {
    if (QWidget* popup = QApplication::activePopupWidget()) {
        return popup->focusWidget() != nullptr ? popup->focusWidget() : popup;
    }
    QWidget* focus = QApplication::focusWidget();
    return focus != nullptr ? focus : fallback;
}

// The widget a real mouse event at `local` inside `control` reaches (shapes
// let the mouse through), and the point in that widget.
std::pair<QWidget*, QPoint> reached(QWidget& window, const QWidget* control, QPoint local) {
    const QPoint inWindow = control->mapTo(&window, local);
    QWidget* target = window.childAt(inWindow);
    if (target == nullptr) {
        target = &window;
    }
    return {target, target->mapFrom(&window, inWindow)};
}

QPoint anyPoint(Choices& choices, const QWidget* control) {
    return {static_cast<int>(choices.Below(static_cast<std::uint32_t>(control->width()))),
            static_cast<int>(choices.Below(static_cast<std::uint32_t>(control->height())))};
}

}  // namespace

Session::Session(frmQuorvela& form) : w_(Widgets(form)), controls_(Controls(form)), watch_(w_) {
    // Qt times triple clicks and the release that picks from a list just
    // opened on the real clock, while the events come at once: with no
    // interval, only the order of events decides, and a seed replays the
    // same on an idle and on a loaded machine. Double clicks are sent as such.
    QGuiApplication::styleHints()->setMouseDoubleClickInterval(0);
    runtime::SetTerminateHandler([this](int) { ++terminations_; });
    closer_.setInterval(0);
    QObject::connect(&closer_, &QTimer::timeout, &closer_, [this] { closeDialogs(); });
    closer_.start();
}

Session::~Session() {
    runtime::SetTerminateHandler({});
}

void Session::input(const std::function<void()>& event) {
    watch_.Begin();
    event();
    watchFailures_.append(watch_.End());
}

void Session::send(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers,
                   const char* text) {
    input([&] {
        if (text == nullptr) {
            QTest::keyClick(target, key, modifiers);
        } else {
            QTest::sendKeyEvent(QTest::Click, target, key, QString::fromUtf8(text), modifiers);
        }
    });
}

void Session::typeText(const QString& text) {
    for (const QChar character : text) {
        QWidget* target = keyTarget(w_.form);
        input([&] {
            if (character.unicode() < 0x80 && character.isPrint()) {
                QTest::keyClick(target, character.toLatin1());
            } else {
                QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(character),
                                    Qt::NoModifier);
            }
        });
    }
}

void Session::clickAt(const QWidget* control, QPoint local) {
    QWidget* target = nullptr;
    QPoint point;
    std::tie(target, point) = reached(*w_.form, control, local);
    input([&] { QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, point); });
}

// Menus and dialogs are closed as a user closes them: an entry taken or the
// menu dismissed, the speed warning with its OK. Any other dialog, the
// runtime's error box among them, is a failure.
void Session::closeDialogs() {
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
        // Every entry the window's menus offer, in Italian.
        static const QStringList Italian{
            QStringLiteral("Annulla"),        QStringLiteral("Rifai"),   QStringLiteral("Taglia"),
            QStringLiteral("Copia"),          QStringLiteral("Incolla"), QStringLiteral("Elimina"),
            QStringLiteral("Seleziona tutto")};
        QList<QAction*> entries;
        for (QAction* action : menu->actions()) {
            const QString label =
                action->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
            if (!action->isSeparator() && !Italian.contains(label)) {
                dialogFailures_.append(QStringLiteral("a menu offers '%1'").arg(label));
            }
            if (!action->isSeparator() && action->isEnabled()) {
                entries.append(action);
            }
        }
        // Past the entries: the menu is closed without a choice.
        if (menuChoice_ < entries.size()) {
            menuTaken_ = entries.at(menuChoice_)->text().section(QLatin1Char('\t'), 0, 0);
            menu->close();
            entries.at(menuChoice_)->trigger();
        } else {
            menuTaken_ = QStringLiteral("closed");
            menu->close();
        }
        return;
    }
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible()) {
        return;
    }
    auto* box = qobject_cast<QMessageBox*>(modal);
    const bool speedWarning = box != nullptr && box->objectName() == QStringLiteral("msgBox") &&
                              box->windowTitle() == QStringLiteral("Introdurre un valore") &&
                              box->text() == QStringLiteral("Introduci un valore di 'giri' ");
    if (speedWarning) {
        ++speedWarnings_;
        watch_.SpeedWarningShown();
    } else {
        dialogFailures_.append(
            QStringLiteral("unexpected dialog '%1': %2")
                .arg(modal->objectName(), box != nullptr ? box->text() : modal->windowTitle()));
    }
    if (box != nullptr && box->button(QMessageBox::Ok) != nullptr) {
        box->button(QMessageBox::Ok)->click();
    } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        dialog->reject();
    } else {
        modal->close();
    }
}

// A desktop gives the activation back to the window once a box has closed;
// the offscreen platform leaves that to its user.
void Session::reactivate() {
    if (QApplication::activeWindow() == w_.form) {
        return;
    }
    input([this] {
        w_.form->activateWindow();
#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
        QApplication::setActiveWindow(w_.form);
#endif
        // Passes of the event loop, not a time: a stall of the machine must
        // not change what the session does next. A window still inactive
        // fails the action's check.
        for (int pass = 0; pass < 20 && QApplication::activeWindow() != w_.form; ++pass) {
            QApplication::processEvents();
        }
    });
}

QString Session::Act(Choices& choices) {
    QString what;
    // Weighted towards what leads to a calculation.
    struct Weighted {
        std::uint32_t weight;
        QString (Session::*action)(Choices&);
    };
    static constexpr std::array<Weighted, 12> Actions{{
        {4, &Session::pressKey},
        {2, &Session::tab},
        {2, &Session::click},
        {1, &Session::typeIntoCombo},
        {2, &Session::pickFromList},
        {1, &Session::pickWithArrows},
        {3, &Session::enterValue},
        {1, &Session::clickCalcola},
        {1, &Session::otherMouse},
        {1, &Session::contextMenu},
        {1, &Session::wheel},
        {1, &Session::clickOption},
    }};
    static constexpr std::uint32_t Total = [] {
        std::uint32_t total = 0;
        for (const Weighted& entry : Actions) {
            total += entry.weight;
        }
        return total;
    }();
    std::uint32_t draw = choices.Below(Total);
    for (const Weighted& entry : Actions) {
        if (draw < entry.weight) {
            what = (this->*entry.action)(choices);
            break;
        }
        draw -= entry.weight;
    }
    what += finishPopup(choices);
    reactivate();
    recent_.push_back(what);
    if (recent_.size() > 40) {
        recent_.pop_front();
    }
    return what;
}

QStringList Session::Recent() const {
    return {recent_.begin(), recent_.end()};
}

QString Session::pressKey(Choices& choices) {
    const Key& key = Keys.at(choices.Below(Keys.size()));
    QWidget* target = keyTarget(w_.form);
    send(target, key.key, key.modifiers, key.text);
    return QStringLiteral("key %1 into %2").arg(QString::fromUtf8(key.name), describe(target));
}

QString Session::tab(Choices& choices) {
    QWidget* target = keyTarget(w_.form);
    const bool back = choices.OneIn(3);
    if (back) {
        send(target, Qt::Key_Backtab, Qt::ShiftModifier);
    } else {
        send(target, Qt::Key_Tab);
    }
    return QStringLiteral("%1 from %2 to %3")
        .arg(back ? QStringLiteral("Shift+Tab") : QStringLiteral("Tab"), describe(target),
             describe(QApplication::focusWidget()));
}

QWidget* Session::anyControl(Choices& choices) const {
    return controls_.at(choices.Below(static_cast<std::uint32_t>(controls_.size())));
}

QString Session::click(Choices& choices) {
    QWidget* control = anyControl(choices);
    const QPoint local = anyPoint(choices, control);
    clickAt(control, local);
    return QStringLiteral("click %1 at (%2, %3)")
        .arg(describe(control))
        .arg(local.x())
        .arg(local.y());
}

QString Session::otherMouse(Choices& choices) {
    QWidget* control = anyControl(choices);
    QWidget* target = nullptr;
    QPoint point;
    std::tie(target, point) = reached(*w_.form, control, anyPoint(choices, control));
    if (choices.OneIn(2)) {
        input([&] { QTest::mouseDClick(target, Qt::LeftButton, Qt::NoModifier, point); });
        return QStringLiteral("double-click %1").arg(describe(control));
    }
    // Pressed here, dragged to the left edge and released there.
    const QPoint edge(0, point.y());
    input([&] { QTest::mousePress(target, Qt::LeftButton, Qt::NoModifier, point); });
    input([&] {
        QMouseEvent move(QEvent::MouseMove, QPointF(edge), target->mapToGlobal(QPointF(edge)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &move);
    });
    input([&] { QTest::mouseRelease(target, Qt::LeftButton, Qt::NoModifier, edge); });
    return QStringLiteral("drag across %1").arg(describe(control));
}

// The menu opens in its own event loop; closeDialogs picks from it.
QString Session::contextMenu(Choices& choices) {
    QWidget* control = anyControl(choices);
    QWidget* target = nullptr;
    QPoint point;
    std::tie(target, point) = reached(*w_.form, control, anyPoint(choices, control));
    menuChoice_ = static_cast<int>(choices.Below(3));
    input([&] {
        QContextMenuEvent event(QContextMenuEvent::Mouse, point, target->mapToGlobal(point));
        QApplication::sendEvent(target, &event);
    });
    QString what = QStringLiteral("context menu on %1").arg(describe(target));
    if (!menuTaken_.isEmpty()) {
        what += QStringLiteral(": ") + menuTaken_;
        menuTaken_.clear();
    }
    return what;
}

QString Session::wheel(Choices& choices) {
    QWidget* control = anyControl(choices);
    QWidget* target = nullptr;
    QPoint point;
    std::tie(target, point) = reached(*w_.form, control, anyPoint(choices, control));
    const bool up = choices.OneIn(2);
    input([&] {
        QWheelEvent event(QPointF(point), target->mapToGlobal(QPointF(point)), QPoint(),
                          QPoint(0, up ? 120 : -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &event);
    });
    return QStringLiteral("wheel %1 over %2")
        .arg(up ? QStringLiteral("up") : QStringLiteral("down"), describe(target));
}

QString Session::typeIntoCombo(Choices& choices) {
    QComboBox* combo = choices.OneIn(2) ? w_.giri : w_.colpi;
    QString text;
    if (choices.OneIn(4)) {
        // A number of any length, perhaps signed, perhaps with a comma.
        const std::uint32_t length = 1 + choices.Below(12);
        if (choices.OneIn(4)) {
            text += QLatin1Char('-');
        }
        for (std::uint32_t i = 0; i < length; ++i) {
            text += choices.OneIn(8) ? QLatin1Char(',')
                                     : QLatin1Char(static_cast<char>('0' + choices.Below(10)));
        }
    } else {
        text = QString::fromUtf8(ComboTexts.at(choices.Below(ComboTexts.size())));
    }
    input([&] { QTest::mouseClick(combo->lineEdit(), Qt::LeftButton); });
    send(keyTarget(w_.form), Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty()) {
        send(keyTarget(w_.form), Qt::Key_Backspace);
    }
    typeText(text);
    QString then;
    switch (choices.Below(4)) {
        case 0:
            send(keyTarget(w_.form), Qt::Key_Return);
            then = QStringLiteral(", Enter");
            break;
        case 1:
            send(keyTarget(w_.form), Qt::Key_Tab);
            then = QStringLiteral(", Tab");
            break;
        default:
            break;
    }
    return QStringLiteral("type '%1' into %2%3").arg(text, describe(combo), then);
}

// A click on the arrow opens the list; finishPopup picks from it.
QString Session::pickFromList(Choices& choices) {
    QComboBox* combo = choices.OneIn(2) ? w_.giri : w_.colpi;
    clickAt(combo, QPoint(combo->width() - 4, combo->height() / 2));
    return QStringLiteral("open the list of %1").arg(describe(combo));
}

QString Session::pickWithArrows(Choices& choices) {
    QComboBox* combo = choices.OneIn(2) ? w_.giri : w_.colpi;
    input([&] { QTest::mouseClick(combo->lineEdit(), Qt::LeftButton); });
    const std::uint32_t steps = 1 + choices.Below(3);
    const bool up = choices.OneIn(2);
    for (std::uint32_t i = 0; i < steps; ++i) {
        send(keyTarget(w_.form), up ? Qt::Key_Up : Qt::Key_Down);
    }
    return QStringLiteral("%1 x %2 in %3")
        .arg(up ? QStringLiteral("Up") : QStringLiteral("Down"))
        .arg(steps)
        .arg(describe(combo));
}

QString Session::enterValue(Choices& choices) {
    QLineEdit* box = choices.OneIn(2) ? w_.portata : w_.quorvela;
    input([&] { QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, box->rect().center()); });
    static const QString Characters = QStringLiteral("0123456789012345,.");
    QString text;
    const std::uint32_t length = 1 + choices.Below(7);
    for (std::uint32_t i = 0; i < length; ++i) {
        text += Characters.at(static_cast<qsizetype>(choices.Below(Characters.size())));
    }
    typeText(text);
    QString then;
    if (!choices.OneIn(4)) {
        const bool keypad = choices.OneIn(4);
        send(keyTarget(w_.form), keypad ? Qt::Key_Enter : Qt::Key_Return,
             keypad ? Qt::KeypadModifier : Qt::NoModifier);
        then = QStringLiteral(", Enter");
    }
    return QStringLiteral("click %1, type '%2'%3").arg(describe(box), text, then);
}

QString Session::clickCalcola(Choices& /*choices*/) {
    input([&] { QTest::mouseClick(w_.calcola, Qt::LeftButton); });
    return QStringLiteral("click calcola");
}

QString Session::clickOption(Choices& choices) {
    const auto index = static_cast<std::int16_t>(choices.Below(2));
    QAbstractButton* option = index == 0 ? w_.volumeOption : w_.flowOption;
    input([&] { QTest::mouseClick(option, Qt::LeftButton); });
    return QStringLiteral("click optScelta(%1)").arg(index);
}

// A list left open by the action is closed as a user closes it: a pick with
// the mouse or the keys, Escape, or a click elsewhere.
QString Session::finishPopup(Choices& choices) {
    if (QApplication::activePopupWidget() == nullptr) {
        return {};
    }
    QComboBox* combo = nullptr;
    for (QComboBox* candidate : {w_.giri, w_.colpi}) {
        if (candidate->view()->isVisible()) {
            combo = candidate;
        }
    }
    QString what;
    if (combo == nullptr) {
        QApplication::activePopupWidget()->close();
        what = QStringLiteral("; close a popup");
    } else {
        QAbstractItemView* view = combo->view();
        const auto row =
            static_cast<int>(choices.Below(static_cast<std::uint32_t>(combo->count())));
        switch (choices.Below(4)) {
            case 0:
            case 1: {
                const QModelIndex index = combo->model()->index(row, combo->modelColumn());
                view->scrollTo(index);
                input([&] {
                    // The list ignores a release until the double-click
                    // interval (none here) has passed since it opened.
                    QApplication::processEvents();
                    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                                      view->visualRect(index).center());
                });
                what = QStringLiteral("; click '%1' in the list").arg(combo->itemText(row));
                break;
            }
            case 2: {
                for (int i = 0; i <= row; ++i) {
                    send(keyTarget(view), Qt::Key_Down);
                }
                send(keyTarget(view), Qt::Key_Return);
                what = QStringLiteral("; Down x %1, Enter in the list").arg(row + 1);
                break;
            }
            default:
                send(keyTarget(view), Qt::Key_Escape);
                what = QStringLiteral("; Escape in the list");
                break;
        }
        for (int i = 0; i < 50 && view->isVisible(); ++i) {
            QApplication::processEvents();
        }
        if (view->isVisible()) {
            combo->hidePopup();
            what += QStringLiteral(" (the list stayed open)");
        }
    }
    return what;
}

}  // namespace quorvela::testing
