#include "window_fixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "runtime/form.h"

namespace quorvela::testing {

std::unique_ptr<frmQuorvela> StartWindow() {
    auto form = std::make_unique<frmQuorvela>();
    runtime::Start(*form);
    if (!QTest::qWaitForWindowExposed(form.get())) {
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

void TypeIntoCombo(runtime::ComboBox* combo, const QString& text) {
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
    return {.form = &form,
            .portata = form.txtPortata,
            .quorvela = form.txtQuorvela,
            .litriMinuto = form.txtLitriMinuto,
            .giri = form.cboGiri,
            .colpi = form.cboColpi,
            .calcola = form.cmdCalcola,
            .volumeOption = &form.optScelta(0),
            .flowOption = &form.optScelta(1),
            .tempo = &form.lblDescrizione(2),
            .image = form.Image1,
            .portataCaption = &form.lblDescrizione(3),
            .quorvelaCaption = &form.lblDescrizione(4)};
}

std::vector<QWidget*> Controls(frmQuorvela& form) {
    return {form.Frame1,
            form.Shape1,
            form.Shape2,
            form.cboGiri,
            form.cboColpi,
            form.Image1,
            form.txtPortata,
            form.txtQuorvela,
            form.txtLitriMinuto,
            form.cmdCalcola,
            &form.optScelta(0),
            &form.optScelta(1),
            &form.lblDescrizione(0),
            &form.lblDescrizione(1),
            &form.lblDescrizione(2),
            &form.lblDescrizione(3),
            &form.lblDescrizione(4),
            &form.lblDescrizione(5)};
}

QPoint Centre(const QWidget* widget) {
    return widget->rect().center();
}

}  // namespace quorvela::testing
