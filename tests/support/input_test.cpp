#include "input_test.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

namespace quorvela::testing {

void InputTest::Start() {
    guard_.Reset();
    QGuiApplication::clipboard()->clear();
    form_ = StartWindow();
    QVERIFY(form_);
}

void InputTest::Finish() {
    form_.reset();
    QVERIFY2(guard_.Unexpected().isEmpty(), qPrintable(guard_.Unexpected().join(u'\n')));
}

QWidget* InputTest::control(const QString& name) const {
    return name == QLatin1String("frmQuorvela") ? &form_->Native()
                                                : form_->Native().findChild<QWidget*>(name);
}

QString InputTest::label() const {
    return form_->lblDescrizione(2).Native().text();
}

TextBox* InputTest::box(bool volumeMode) const {
    return volumeMode ? &form_->txtQuorvela.Native() : &form_->txtPortata.Native();
}

void InputTest::press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QWidget* target = QApplication::focusWidget();
    QVERIFY(target != nullptr);
    QTest::keyClick(target, key, modifiers);
}

void InputTest::type(const QString& text) {
    QWidget* target = QApplication::focusWidget();
    QVERIFY(target != nullptr);
    QTest::keyClicks(target, text);
}

void InputTest::sendKey(QWidget* target, Qt::Key key, const QString& text,
                        Qt::KeyboardModifiers modifiers) {
    QKeyEvent pressEvent(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &pressEvent);
    QKeyEvent releaseEvent(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(target, &releaseEvent);
}

TextBox* InputTest::chooseMode(bool volumeMode) {
    auto& option = form_->optScelta(volumeMode ? 0 : 1).Native();
    if (!option.isChecked()) {
        QTest::mouseClick(&option, Qt::LeftButton);
    }
    TextBox* input = box(volumeMode);
    if (!option.isChecked() || FocusedControl() != input) {
        qWarning("the mode was not chosen");
    }
    return input;
}

void InputTest::calculate(bool volumeMode, const QString& text) {
    TextBox* input = chooseMode(volumeMode);
    QCOMPARE(FocusedControl(), input);
    input->selectAll();
    type(text);
    press(Qt::Key_Return);
    QCOMPARE(input->text(), text);
}

void InputTest::verifyEmphasis(bool volumeMode) const {
    const QColor red(255, 0, 0);
    auto& chosen = form_->optScelta(volumeMode ? 0 : 1).Native();
    auto& other = form_->optScelta(volumeMode ? 1 : 0).Native();
    QVERIFY(chosen.isChecked());
    QVERIFY(!other.isChecked());
    QCOMPARE(chosen.palette().color(QPalette::WindowText), red);
    QVERIFY(chosen.font().bold());
    QCOMPARE(other.palette().color(QPalette::WindowText),
             QApplication::palette(&other).color(QPalette::ButtonText));
    QVERIFY(!other.font().bold());
    QCOMPARE(form_->lblDescrizione(3).Native().font().bold(), volumeMode);
    QCOMPARE(form_->lblDescrizione(4).Native().font().bold(), !volumeMode);
}

void InputTest::verifyWholeTextSelected(const TextBox* input) {
    QCOMPARE(FocusedControl(), input);
    if (input->text().isEmpty()) {
        QVERIFY(!input->hasSelectedText());
    } else {
        QCOMPARE(input->selectedText(), input->text());
    }
}

void InputTest::pickByKeyboard(ComboBox* combo, const QString& text) {
    const int target = combo->findText(text);
    QVERIFY(target >= 0);
    QTest::mouseClick(combo->lineEdit(), Qt::LeftButton);
    QCOMPARE(FocusedControl(), combo);
    QVERIFY(!combo->view()->isVisible());
    if (combo->currentIndex() == target) {
        // Step off and back, so that the item is picked all the same.
        const bool up = target > 0;
        QTest::keyClick(combo->lineEdit(), up ? Qt::Key_Up : Qt::Key_Down);
        QTest::keyClick(combo->lineEdit(), up ? Qt::Key_Down : Qt::Key_Up);
    }
    while (combo->currentIndex() < target) {
        QTest::keyClick(combo->lineEdit(), Qt::Key_Down);
    }
    while (combo->currentIndex() > target) {
        QTest::keyClick(combo->lineEdit(), Qt::Key_Up);
    }
    QCOMPARE(combo->currentText(), text);
}

void InputTest::pickByMouse(ComboBox* combo, const QString& text) {
    const int target = combo->findText(text);
    QVERIFY(target >= 0);
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    QTRY_VERIFY(view->isVisible());
    const QModelIndex index = combo->model()->index(target, combo->modelColumn());
    view->scrollTo(index);
    const QPoint point = view->visualRect(index).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, point);
    QTRY_VERIFY(!view->isVisible());
    QCOMPARE(combo->currentText(), text);
}

void InputTest::pick(ComboBox* combo, const QString& text, bool byMouse) {
    if (byMouse) {
        pickByMouse(combo, text);
    } else {
        pickByKeyboard(combo, text);
    }
}

void InputTest::addStrokeColumns() {
    QTest::addColumn<bool>("volumeMode");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QList<Stroke>>("strokes");
    QTest::addColumn<QString>("expected");
}

}  // namespace quorvela::testing
