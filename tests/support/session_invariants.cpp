// What must hold after every action of a session, whatever the user did:
// the figures the watch compared after each input event, no dialog but the
// speed warning, no error reaching the runtime, the emphasis of the mode.

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>

#include "session.h"

namespace quorvela::testing {

QStringList Session::Check() {
    QStringList failures = dialogFailures_;
    dialogFailures_.clear();
    failures.append(watchFailures_);
    watchFailures_.clear();
    if (terminations_ > 0) {
        failures.append(QStringLiteral("a run-time error reached the runtime"));
        terminations_ = 0;
    }
    if (QApplication::activeModalWidget() != nullptr) {
        failures.append(QStringLiteral("a modal dialog is still open"));
    }
    if (QApplication::activePopupWidget() != nullptr) {
        failures.append(QStringLiteral("a popup is still open"));
    }
    // A window left inactive would take no more keys, and the session would
    // go on quietly proving less than it should.
    if (QApplication::activeWindow() != w_.form || QApplication::focusWidget() == nullptr) {
        failures.append(QStringLiteral("the window is not active with a control focused"));
    }
    checkModeAndFocus(failures);
    return failures;
}

void Session::checkModeAndFocus(QStringList& failures) const {
    const bool volume = w_.volumeOption->isChecked();
    const bool flow = w_.flowOption->isChecked();
    if (volume == flow) {
        failures.append(QStringLiteral("%1 options are selected").arg(volume ? 2 : 0));
        return;
    }
    const QColor red(255, 0, 0);
    const QAbstractButton* chosen = volume ? w_.volumeOption : w_.flowOption;
    const QAbstractButton* other = volume ? w_.flowOption : w_.volumeOption;
    if (chosen->palette().color(QPalette::WindowText) != red || !chosen->font().bold()) {
        failures.append(QStringLiteral("the selected option is not red and bold"));
    }
    if (other->palette().color(QPalette::WindowText) !=
            QApplication::palette(other).color(QPalette::ButtonText) ||
        other->font().bold()) {
        failures.append(QStringLiteral("the other option is not plain"));
    }
    if (w_.portataCaption->font().bold() != volume || w_.quorvelaCaption->font().bold() != flow) {
        failures.append(QStringLiteral("the bold caption is not the one above the result"));
    }
    const QWidget* focus = QApplication::focusWidget();
    if (focus == w_.quorvela && !volume) {
        failures.append(QStringLiteral("the focus is in txtQuorvela outside the volume mode"));
    }
    if (focus == w_.portata && !flow) {
        failures.append(QStringLiteral("the focus is in txtPortata outside the flow mode"));
    }
}

}  // namespace quorvela::testing
