#include "window_fixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

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

WindowWidgets Widgets(frmQuorvela& form) {
    return {.form = &form.Native(),
            .portata = &form.txtPortata.Native(),
            .quorvela = &form.txtQuorvela.Native(),
            .litriMinuto = &form.txtLitriMinuto.Native(),
            .giri = &form.cboGiri.Native(),
            .colpi = &form.cboColpi.Native(),
            .calcola = &form.cmdCalcola.Native(),
            .volumeOption = &form.optScelta(0).Native(),
            .flowOption = &form.optScelta(1).Native(),
            .tempo = &form.lblDescrizione(2).Native(),
            .image = &form.Image1.Native(),
            .portataCaption = &form.lblDescrizione(3).Native(),
            .quorvelaCaption = &form.lblDescrizione(4).Native()};
}

std::vector<QWidget*> Controls(frmQuorvela& form) {
    QWidget& window = form.Native();
    return {window.findChild<QWidget*>(QStringLiteral("Frame1")),
            window.findChild<QWidget*>(QStringLiteral("Shape1")),
            window.findChild<QWidget*>(QStringLiteral("Shape2")),
            &form.cboGiri.Native(),
            &form.cboColpi.Native(),
            &form.Image1.Native(),
            &form.txtPortata.Native(),
            &form.txtQuorvela.Native(),
            &form.txtLitriMinuto.Native(),
            &form.cmdCalcola.Native(),
            &form.optScelta(0).Native(),
            &form.optScelta(1).Native(),
            &form.lblDescrizione(0).Native(),
            &form.lblDescrizione(1).Native(),
            &form.lblDescrizione(2).Native(),
            &form.lblDescrizione(3).Native(),
            &form.lblDescrizione(4).Native(),
            &form.lblDescrizione(5).Native()};
}

QPoint Centre(const QWidget* widget) {
    return widget->rect().center();
}

}  // namespace quorvela::testing
