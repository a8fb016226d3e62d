#include "window_fixture.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include "runtime/form.h"

namespace quorvela::testing {

std::unique_ptr<frmQuorvela> StartWindow() {
    auto form = std::make_unique<frmQuorvela>();
    runtime::Start(*form);
    if (!QTest::qWaitForWindowExposed(&form->Native())) {
        qWarning("the window was not exposed");
        return nullptr;
    }
    QApplication::processEvents();
    return form;
}

QWidget* FocusedControl() {
    QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr) {
        return nullptr;
    }
    if (auto* combo = qobject_cast<QComboBox*>(focus->parentWidget());
        combo != nullptr && combo->lineEdit() == focus) {
        return combo;
    }
    return focus;
}

void TypeText(QWidget* target, const QString& text) {
    for (const QChar character : text) {
        QTest::keyClick(target, character.toLatin1());
    }
}

void TypeIntoCombo(runtime::NativeComboBox* combo, const QString& text) {
    QLineEdit* edit = combo->lineEdit();
    edit->selectAll();
    if (text.isEmpty()) {
        QTest::keyClick(edit, Qt::Key_Backspace);
    } else {
        QTest::keyClicks(edit, text);
    }
    QCOMPARE(combo->currentText(), text);
}

QPoint Centre(const QWidget* widget) {
    return widget->rect().center();
}

QStringList ContextMenuEntries(QWidget* target,
                               const std::function<QString(const QAction&)>& describe) {
    QStringList entries;
    bool seen = false;
    QTimer closer;
    closer.setInterval(5);
    QElapsedTimer shown;
    QObject::connect(&closer, &QTimer::timeout, [&] {
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
        for (const QAction* action : menu->actions()) {
            if (!action->isSeparator()) {
                entries << describe(*action);
            }
        }
        seen = true;
        closer.stop();
        menu->close();
    });
    closer.start();
    const QPoint point = target->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, point, target->mapToGlobal(point));
    QApplication::sendEvent(target, &event);
    // A menu shown with popup() rather than exec() is still open here.
    if (!QTest::qWaitFor([&] { return seen; }, 1000)) {
        qWarning("no context menu opened");
    }
    return entries;
}

}  // namespace quorvela::testing
