// The window as the user drives it between calculations: the two modes, the
// focus, the keystroke filter of the input boxes and the picks in the combo
// boxes, all through real key and mouse events.

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QTimer>

#include "modal_guard.h"
#include "runtime/controls.h"
#include "runtime/form.h"
#include "window_fixture.h"

using quorvela::frmQuorvela;
using ComboBox = quorvela::runtime::NativeComboBox;
using TextBox = quorvela::runtime::NativeTextBox;
using quorvela::testing::FocusedControl;
using quorvela::testing::ModalGuard;
using quorvela::testing::StartWindow;
using quorvela::testing::TypeIntoCombo;

namespace {

// One keystroke of a data row: the key and its modifiers.
struct Stroke {
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

}  // namespace

Q_DECLARE_METATYPE(Stroke)

class KeysFocusTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<frmQuorvela> form_;
    ModalGuard guard_;

    [[nodiscard]] QString label() const { return form_->lblDescrizione(2).Native().text(); }

    TextBox* box(bool volumeMode) const {
        return volumeMode ? &form_->txtQuorvela.Native() : &form_->txtPortata.Native();
    }

    // Keys go where the user's keys go: to the widget that holds the focus.
    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget();
        QVERIFY(target != nullptr);
        QTest::keyClick(target, key, modifiers);
    }
    static void type(const QString& text) {
        QWidget* target = QApplication::focusWidget();
        QVERIFY(target != nullptr);
        QTest::keyClicks(target, text);
    }
    // A key event carrying `text`, as a keyboard layout or platform makes it.
    static void sendKey(QWidget* target, Qt::Key key, const QString& text,
                        Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent pressEvent(QEvent::KeyPress, key, modifiers, text);
        QApplication::sendEvent(target, &pressEvent);
        QKeyEvent releaseEvent(QEvent::KeyRelease, key, modifiers, text);
        QApplication::sendEvent(target, &releaseEvent);
    }

    // The mode chosen with a click on its option; the focus lands in its box.
    TextBox* chooseMode(bool volumeMode) {
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

    // Types `text` into the mode's input box (focused, whole text selected)
    // and presses Enter: both result boxes filled.
    void calculate(bool volumeMode, const QString& text) {
        TextBox* input = chooseMode(volumeMode);
        QCOMPARE(FocusedControl(), input);
        input->selectAll();
        type(text);
        press(Qt::Key_Return);
        QCOMPARE(input->text(), text);
    }

    void verifyEmphasis(bool volumeMode) const {
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

    static void verifyWholeTextSelected(const TextBox* input) {
        QCOMPARE(FocusedControl(), input);
        if (input->text().isEmpty()) {
            QVERIFY(!input->hasSelectedText());
        } else {
            QCOMPARE(input->selectedText(), input->text());
        }
    }


    // A pick of the item `text` with the arrow keys on the closed box.
    static void pickByKeyboard(ComboBox* combo, const QString& text) {
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

    // A pick of the item `text` with a click in the open list.
    static void pickByMouse(ComboBox* combo, const QString& text) {
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

    void pick(ComboBox* combo, const QString& text, bool byMouse) {
        if (byMouse) {
            pickByMouse(combo, text);
        } else {
            pickByKeyboard(combo, text);
        }
    }

    static void addStrokeColumns() {
        QTest::addColumn<bool>("volumeMode");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QList<Stroke>>("strokes");
        QTest::addColumn<QString>("expected");
    }

private Q_SLOTS:
    void init() {
        guard_.Reset();
        QGuiApplication::clipboard()->clear();
        form_ = StartWindow();
        QVERIFY(form_);
    }
    void cleanup() {
        form_.reset();
        QVERIFY2(guard_.Unexpected().isEmpty(), qPrintable(guard_.Unexpected().join(u'\n')));
    }

    // ------------------------------------------------------------ start-up

    void theWindowOpensInTheFlowModeWithItsEmphasis() {
        QVERIFY(form_->optScelta(1).Native().isChecked());
        verifyEmphasis(false);
    }

    void theWindowOpensWithTheThreeBoxesEmpty_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("txtPortata") << "txtPortata";
        QTest::newRow("txtQuorvela") << "txtQuorvela";
        QTest::newRow("txtLitriMinuto") << "txtLitriMinuto";
    }
    void theWindowOpensWithTheThreeBoxesEmpty() {
        QFETCH(QString, name);
        auto* edit = form_->Native().findChild<QLineEdit*>(name);
        QVERIFY(edit != nullptr);
        QCOMPARE(edit->text(), QString());
    }

    void theWindowOpensWithTheFocusInTxtPortata() {
        QVERIFY(form_->Native().isActiveWindow());
        QCOMPARE(FocusedControl(), &form_->txtPortata.Native());
    }

    void theWindowOpensWithTheDefaultPicksAndTheirStrokeTime() {
        QCOMPARE(form_->cboGiri.Native().currentText(), QStringLiteral("1000"));
        QCOMPARE(form_->cboColpi.Native().currentText(), QStringLiteral("200"));
        QCOMPARE(label(), QStringLiteral("12 secondi"));
        const QString description = QStringLiteral("a 1000 giri, 200 colpi si ottengono in 12 secondi");
        QCOMPARE(form_->lblDescrizione(2).Native().toolTip(), description);
        QCOMPARE(form_->Image1.Native().toolTip(), description);
    }

    // ------------------------------------------------------------ typing

    void typedCharactersPassTheFilterAsItDecides_data() {
        QTest::addColumn<bool>("volumeMode");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("12.5 into txtQuorvela") << true << "12.5" << "12,5";
        QTest::newRow("12.5 into txtPortata") << false << "12.5" << "12,5";
        QTest::newRow("1,2,3 into txtQuorvela") << true << "1,2,3" << "1,2,3";
        QTest::newRow("1.2.3 into txtPortata") << false << "1.2.3" << "1,2,3";
        QTest::newRow("all digits") << false << "0123456" << "0123456";
        QTest::newRow("minus sign") << false << "-5" << "5";
        QTest::newRow("plus sign") << true << "+5" << "5";
        QTest::newRow("blanks") << false << " 5 0 " << "50";
        QTest::newRow("letters") << true << "a1b2E" << "12";
        QTest::newRow("exponent") << false << "1e3" << "13";
        QTest::newRow("other punctuation") << true << "1;2:3/4" << "1234";
    }
    void typedCharactersPassTheFilterAsItDecides() {
        QFETCH(bool, volumeMode);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        TextBox* input = chooseMode(volumeMode);
        QCOMPARE(FocusedControl(), input);
        type(typed);
        QCOMPARE(input->text(), expected);
        verifyEmphasis(volumeMode);
    }

    void keysThatTypeNoFigureAreDiscarded_data() {
        addStrokeColumns();
        const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
        QTest::newRow("Ctrl+C") << false << "12" << QList<Stroke>{{Qt::Key_C, ctrl}} << "12";
        QTest::newRow("Ctrl+V") << false << "12" << QList<Stroke>{{Qt::Key_V, ctrl}} << "12";
        QTest::newRow("Ctrl+X") << true << "12" << QList<Stroke>{{Qt::Key_X, ctrl}} << "12";
        QTest::newRow("Ctrl+A, then 3")
            << false << "12" << QList<Stroke>{{Qt::Key_A, ctrl}, {Qt::Key_3, {}}} << "123";
        QTest::newRow("Ctrl+Z") << true << "12" << QList<Stroke>{{Qt::Key_Z, ctrl}} << "12";
        QTest::newRow("Ctrl+Y") << false << "12" << QList<Stroke>{{Qt::Key_Y, ctrl}} << "12";
        QTest::newRow("Ctrl+Backspace (127)")
            << false << "12" << QList<Stroke>{{Qt::Key_Backspace, ctrl}} << "12";
        QTest::newRow("Escape") << true << "12" << QList<Stroke>{{Qt::Key_Escape, {}}} << "12";
        QTest::newRow("Space") << false << "12" << QList<Stroke>{{Qt::Key_Space, {}}} << "12";
        QTest::newRow("Shift+Insert")
            << true << "12" << QList<Stroke>{{Qt::Key_Insert, Qt::ShiftModifier}} << "12";
    }
    void keysThatTypeNoFigureAreDiscarded() {
        QFETCH(bool, volumeMode);
        QFETCH(QString, start);
        QFETCH(QList<Stroke>, strokes);
        QFETCH(QString, expected);
        QGuiApplication::clipboard()->setText(QStringLiteral("99"));
        TextBox* input = chooseMode(volumeMode);
        type(start);
        for (const Stroke& stroke : strokes) {
            press(stroke.key, stroke.modifiers);
        }
        QCOMPARE(input->text(), expected);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("99"));
    }

    void aCharacterAbove127IsDiscarded_data() {
        QTest::addColumn<QString>("character");
        QTest::newRow("e acute") << QStringLiteral("\u00E9");
        QTest::newRow("superscript three") << QStringLiteral("\u00B3");
        QTest::newRow("euro sign") << QStringLiteral("\u20AC");
        QTest::newRow("Arabic-Indic digit one") << QStringLiteral("\u0661");
    }
    void aCharacterAbove127IsDiscarded() {
        QFETCH(QString, character);
        TextBox* input = chooseMode(false);
        type(QStringLiteral("5"));
        sendKey(input, Qt::Key_unknown, character);
        QCOMPARE(input->text(), QStringLiteral("5"));
    }

    void editingKeysStillEdit_data() {
        addStrokeColumns();
        QTest::newRow("Backspace") << false << "123" << QList<Stroke>{{Qt::Key_Backspace, {}}}
                                   << "12";
        QTest::newRow("Backspace on a selection")
            << true << "123"
            << QList<Stroke>{{Qt::Key_Left, Qt::ShiftModifier},
                             {Qt::Key_Left, Qt::ShiftModifier},
                             {Qt::Key_Backspace, {}}}
            << "1";
        QTest::newRow("Home, Delete")
            << false << "123" << QList<Stroke>{{Qt::Key_Home, {}}, {Qt::Key_Delete, {}}} << "23";
        QTest::newRow("Left, Left, Delete")
            << true << "123"
            << QList<Stroke>{{Qt::Key_Left, {}}, {Qt::Key_Left, {}}, {Qt::Key_Delete, {}}}
            << "13";
        QTest::newRow("Home, Right, 9")
            << false << "123" << QList<Stroke>{{Qt::Key_Home, {}}, {Qt::Key_Right, {}}, {Qt::Key_9, {}}}
            << "1923";
        QTest::newRow("End, Left, Backspace")
            << true << "123"
            << QList<Stroke>{{Qt::Key_End, {}}, {Qt::Key_Left, {}}, {Qt::Key_Backspace, {}}}
            << "13";
        QTest::newRow("keypad decimal as full stop")
            << false << "1" << QList<Stroke>{{Qt::Key_Period, Qt::KeypadModifier}} << "1,";
        QTest::newRow("keypad decimal as comma")
            << true << "1" << QList<Stroke>{{Qt::Key_Comma, Qt::KeypadModifier}} << "1,";
    }
    void editingKeysStillEdit() {
        QFETCH(bool, volumeMode);
        QFETCH(QString, start);
        QFETCH(QList<Stroke>, strokes);
        QFETCH(QString, expected);
        TextBox* input = chooseMode(volumeMode);
        type(start);
        for (const Stroke& stroke : strokes) {
            press(stroke.key, stroke.modifiers);
        }
        QCOMPARE(input->text(), expected);
    }

    void theDeleteKeyWithTheTextOfX11StillDeletes() {
        TextBox* input = chooseMode(false);
        type(QStringLiteral("123"));
        press(Qt::Key_Home);
        sendKey(input, Qt::Key_Delete, QString(QChar(0x7F)));
        QCOMPARE(input->text(), QStringLiteral("23"));
    }

    void aReplacedFullStopReplacesTheSelection() {
        TextBox* input = chooseMode(true);
        type(QStringLiteral("123"));
        press(Qt::Key_Left, Qt::ShiftModifier);
        type(QStringLiteral("."));
        QCOMPARE(input->text(), QStringLiteral("12,"));
    }

    void enterCalculatesAndInsertsNothing_data() {
        QTest::addColumn<bool>("volumeMode");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("result");
        QTest::newRow("flow, Return") << false << int(Qt::Key_Return) << int(Qt::NoModifier)
                                      << "50" << "15";
        QTest::newRow("flow, keypad Enter") << false << int(Qt::Key_Enter)
                                            << int(Qt::KeypadModifier) << "50" << "15";
        QTest::newRow("volume, Return") << true << int(Qt::Key_Return) << int(Qt::NoModifier)
                                        << "15" << "50";
        QTest::newRow("volume, keypad Enter") << true << int(Qt::Key_Enter)
                                              << int(Qt::KeypadModifier) << "15" << "50";
    }
    void enterCalculatesAndInsertsNothing() {
        QFETCH(bool, volumeMode);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, typed);
        QFETCH(QString, result);
        TextBox* input = chooseMode(volumeMode);
        type(typed);
        press(static_cast<Qt::Key>(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(input->text(), typed);
        QCOMPARE(box(!volumeMode)->text(), result);
        QCOMPARE(form_->txtLitriMinuto.Native().text(), QStringLiteral("0,25"));
        QCOMPARE(FocusedControl(), input);
        verifyEmphasis(volumeMode);
    }

    void enterRunsTheCalculationOnce_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    }
    void enterRunsTheCalculationOnce() {
        // A speed that is no number: each run asks for it once.
        QFETCH(int, key);
        QFETCH(int, modifiers);
        TypeIntoCombo(&form_->cboGiri.Native(), QStringLiteral("abc"));
        TextBox* input = chooseMode(false);
        type(QStringLiteral("50"));
        QVERIFY(guard_.Seen().isEmpty());
        guard_.ExpectMessageBox();
        QTest::keyClick(input, static_cast<Qt::Key>(key), Qt::KeyboardModifiers(modifiers));
        QTRY_COMPARE(guard_.Seen().size(), qsizetype{1});
        QApplication::processEvents();
        QCOMPARE(guard_.Seen().size(), qsizetype{1});
        QCOMPARE(input->text(), QStringLiteral("50"));
        QCOMPARE(form_->txtQuorvela.Native().text(), QString());
    }

    // ------------------------------------------------------------ typing limits

    void theTypingLimitRefusesTheCharacterTooMany_data() {
        QTest::addColumn<bool>("volumeMode");
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("selectLeft");  // characters selected from the end
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("txtPortata, 8 typed") << false << "" << 0 << "12345678" << "1234567";
        QTest::newRow("txtQuorvela, 6 typed") << true << "" << 0 << "123456" << "12345";
        QTest::newRow("txtPortata full, full stop") << false << "1234567" << 0 << "." << "1234567";
        QTest::newRow("txtQuorvela full, comma") << true << "12345" << 0 << "," << "12345";
        QTest::newRow("txtPortata full, one selected")
            << false << "1234567" << 1 << "89" << "1234568";
        QTest::newRow("txtQuorvela full, two selected")
            << true << "12345" << 2 << "678" << "12367";
        QTest::newRow("txtQuorvela full, one selected, full stop")
            << true << "12345" << 1 << "." << "1234,";
        QTest::newRow("txtPortata full, all selected")
            << false << "1234567" << 7 << "98765432" << "9876543";
        QTest::newRow("txtQuorvela full, Backspace then 9")
            << true << "12345" << -1 << "9" << "12349";
    }
    void theTypingLimitRefusesTheCharacterTooMany() {
        QFETCH(bool, volumeMode);
        QFETCH(QString, start);
        QFETCH(int, selectLeft);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        TextBox* input = chooseMode(volumeMode);
        type(start);
        QCOMPARE(input->text(), start);
        if (selectLeft < 0) {
            press(Qt::Key_Backspace);
        }
        for (int i = 0; i < selectLeft; ++i) {
            press(Qt::Key_Left, Qt::ShiftModifier);
        }
        type(typed);
        QCOMPARE(input->text(), expected);
    }

    // ------------------------------------------------------------ no way around the filter

    void pasteFromTheClipboardIsRefused_data() {
        QTest::addColumn<bool>("volumeMode");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("txtPortata, Shift+Insert") << false << int(Qt::Key_Insert)
                                                  << int(Qt::ShiftModifier);
        QTest::newRow("txtQuorvela, Shift+Insert") << true << int(Qt::Key_Insert)
                                                   << int(Qt::ShiftModifier);
        QTest::newRow("txtPortata, Ctrl+V") << false << int(Qt::Key_V) << int(Qt::ControlModifier);
        QTest::newRow("txtQuorvela, Ctrl+V") << true << int(Qt::Key_V) << int(Qt::ControlModifier);
        QTest::newRow("txtPortata, Paste key") << false << int(Qt::Key_Paste) << int(Qt::NoModifier);
    }
    void pasteFromTheClipboardIsRefused() {
        QFETCH(bool, volumeMode);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QGuiApplication::clipboard()->setText(QStringLiteral("-1e5 abc"));
        TextBox* input = chooseMode(volumeMode);
        type(QStringLiteral("7"));
        if (key == Qt::Key_Paste) {
            // No character belongs to this key, so QTest cannot press it.
            sendKey(input, Qt::Key_Paste, QString());
        } else {
            QTest::keyClick(input, static_cast<Qt::Key>(key), Qt::KeyboardModifiers(modifiers));
        }
        QCOMPARE(input->text(), QStringLiteral("7"));
    }

    void aMiddleClickPastesNothing() {
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText(QStringLiteral("abc"));
        if (clipboard->supportsSelection()) {
            clipboard->setText(QStringLiteral("abc"), QClipboard::Selection);
        }
        TextBox* input = chooseMode(false);
        type(QStringLiteral("7"));
        QTest::mouseClick(input, Qt::MiddleButton, Qt::NoModifier, input->rect().center());
        QCOMPARE(input->text(), QStringLiteral("7"));
    }

    void aDropIsRefused_data() {
        QTest::addColumn<bool>("volumeMode");
        QTest::newRow("txtPortata") << false;
        QTest::newRow("txtQuorvela") << true;
    }
    void aDropIsRefused() {
        QFETCH(bool, volumeMode);
        TextBox* input = chooseMode(volumeMode);
        type(QStringLiteral("7"));
        QVERIFY(!input->acceptDrops());
        QMimeData mime;
        mime.setText(QStringLiteral("-1e5 abc"));
        const QPointF point = input->rect().center();
        QDragEnterEvent enter(point.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(input, &enter);
        QVERIFY(!enter.isAccepted());
        QDropEvent drop(point, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(input, &drop);
        QCOMPARE(input->text(), QStringLiteral("7"));
    }

    void aDropThatReachesTheBoxAnywayInsertsNothing() {
        // Even were drops switched on again, the box's own handler refuses them.
        TextBox* input = chooseMode(false);
        type(QStringLiteral("7"));
        input->setAcceptDrops(true);
        QMimeData mime;
        mime.setText(QStringLiteral("-1e5 abc"));
        const QPointF point = input->rect().center();
        QDragEnterEvent enter(point.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(input, &enter);
        QVERIFY(!enter.isAccepted());
        QDropEvent drop(point, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(input, &drop);
        QCOMPARE(input->text(), QStringLiteral("7"));
    }

    void theContextMenuOffersCopyButNoPaste_data() {
        QTest::addColumn<bool>("volumeMode");
        QTest::newRow("txtPortata") << false;
        QTest::newRow("txtQuorvela") << true;
    }
    void theContextMenuOffersCopyButNoPaste() {
        QFETCH(bool, volumeMode);
        TextBox* input = chooseMode(volumeMode);
        type(QStringLiteral("7"));
        input->selectAll();
        QStringList actions;
        QTimer closer;
        closer.setInterval(5);
        connect(&closer, &QTimer::timeout, this, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (menu == nullptr) {
                return;
            }
            for (const QAction* action : menu->actions()) {
                if (!action->isSeparator()) {
                    actions << action->objectName() + (action->isEnabled() ? "+" : "-");
                }
            }
            closer.stop();
            menu->close();
        });
        closer.start();
        const QPoint point = input->rect().center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, point, input->mapToGlobal(point));
        QApplication::sendEvent(input, &event);
        QCOMPARE(actions, (QStringList{QStringLiteral("edit-copy+"), QStringLiteral("select-all+")}));
        QCOMPARE(input->text(), QStringLiteral("7"));
    }

    void theComboBoxMenuSpeaksItalian_data() {
        QTest::addColumn<bool>("speed");
        QTest::newRow("cboGiri") << true;
        QTest::newRow("cboColpi") << false;
    }
    void theComboBoxMenuSpeaksItalian() {
        QFETCH(bool, speed);
        ComboBox* combo = speed ? &form_->cboGiri.Native() : &form_->cboColpi.Native();
        QLineEdit* edit = combo->lineEdit();
        QTest::mouseClick(edit, Qt::LeftButton);
        edit->selectAll();
        QStringList labels;
        QTimer closer;
        closer.setInterval(5);
        connect(&closer, &QTimer::timeout, this, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (menu == nullptr) {
                return;
            }
            for (const QAction* action : menu->actions()) {
                if (!action->isSeparator()) {
                    labels << action->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
                }
            }
            closer.stop();
            menu->close();
        });
        closer.start();
        const QPoint point = edit->rect().center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, point, edit->mapToGlobal(point));
        QApplication::sendEvent(edit, &event);
        QTRY_COMPARE(labels, (QStringList{QStringLiteral("Annulla"), QStringLiteral("Rifai"),
                                      QStringLiteral("Taglia"), QStringLiteral("Copia"),
                                      QStringLiteral("Incolla"), QStringLiteral("Elimina"),
                                      QStringLiteral("Seleziona tutto")}));
    }

    void inputMethodTextGoesThroughTheFilter() {
        TextBox* input = chooseMode(true);
        QVERIFY(!input->testAttribute(Qt::WA_InputMethodEnabled));
        QInputMethodEvent event;
        event.setCommitString(QStringLiteral("a1.5-x99999"));
        QApplication::sendEvent(input, &event);
        QCOMPARE(input->text(), QStringLiteral("1,599"));
    }

    // ------------------------------------------------------------ modes

    void aClickOnTheVolumeOptionEmptiesTheVolumeAndKeepsTheLitres() {
        calculate(false, QStringLiteral("50"));
        QCOMPARE(form_->txtQuorvela.Native().text(), QStringLiteral("15"));
        QTest::mouseClick(&form_->optScelta(0).Native(), Qt::LeftButton);
        verifyEmphasis(true);
        QCOMPARE(form_->txtPortata.Native().text(), QString());
        QCOMPARE(form_->txtQuorvela.Native().text(), QStringLiteral("15"));
        QCOMPARE(form_->txtLitriMinuto.Native().text(), QStringLiteral("0,25"));
        verifyWholeTextSelected(&form_->txtQuorvela.Native());
    }

    void aClickOnTheFlowOptionEmptiesBothLitresAndKeepsTheVolume() {
        calculate(true, QStringLiteral("15"));
        QCOMPARE(form_->txtPortata.Native().text(), QStringLiteral("50"));
        QTest::mouseClick(&form_->optScelta(1).Native(), Qt::LeftButton);
        verifyEmphasis(false);
        QCOMPARE(form_->txtPortata.Native().text(), QStringLiteral("50"));
        QCOMPARE(form_->txtQuorvela.Native().text(), QString());
        QCOMPARE(form_->txtLitriMinuto.Native().text(), QString());
        verifyWholeTextSelected(&form_->txtPortata.Native());
    }

    void tabFromTxtPortataSwitchesToTheVolumeModeAndEmptiesTheVolume_data() {
        QTest::addColumn<bool>("calculated");
        QTest::newRow("volume just typed") << false;
        QTest::newRow("after a calculation") << true;
    }
    void tabFromTxtPortataSwitchesToTheVolumeModeAndEmptiesTheVolume() {
        QFETCH(bool, calculated);
        if (calculated) {
            calculate(false, QStringLiteral("50"));
        } else {
            type(QStringLiteral("50"));
        }
        QCOMPARE(form_->txtPortata.Native().text(), QStringLiteral("50"));
        press(Qt::Key_Tab);
        QCOMPARE(FocusedControl(), &form_->txtQuorvela.Native());
        verifyEmphasis(true);
        QCOMPARE(form_->txtPortata.Native().text(), QString());
        QCOMPARE(form_->txtQuorvela.Native().text(), calculated ? QStringLiteral("15") : QString());
        QCOMPARE(form_->txtLitriMinuto.Native().text(), calculated ? QStringLiteral("0,25") : QString());
        verifyWholeTextSelected(&form_->txtQuorvela.Native());
    }

    void shiftTabFromTxtQuorvelaSwitchesToTheFlowModeAndEmptiesBothLitres() {
        calculate(true, QStringLiteral("15"));
        press(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(FocusedControl(), &form_->txtPortata.Native());
        verifyEmphasis(false);
        QCOMPARE(form_->txtPortata.Native().text(), QStringLiteral("50"));
        QCOMPARE(form_->txtQuorvela.Native().text(), QString());
        QCOMPARE(form_->txtLitriMinuto.Native().text(), QString());
        verifyWholeTextSelected(&form_->txtPortata.Native());
    }

    void aMouseClickIntoTheOtherBoxSwitchesTheMode_data() {
        QTest::addColumn<bool>("toVolumeMode");
        QTest::newRow("into txtQuorvela") << true;
        QTest::newRow("into txtPortata") << false;
    }
    void aMouseClickIntoTheOtherBoxSwitchesTheMode() {
        QFETCH(bool, toVolumeMode);
        calculate(!toVolumeMode, toVolumeMode ? QStringLiteral("50") : QStringLiteral("15"));
        const QString volume = form_->txtPortata.Native().text();
        const QString litres = form_->txtQuorvela.Native().text();
        TextBox* target = box(toVolumeMode);
        QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, target->rect().center());
        verifyEmphasis(toVolumeMode);
        if (toVolumeMode) {
            QCOMPARE(form_->txtPortata.Native().text(), QString());
            QCOMPARE(form_->txtQuorvela.Native().text(), litres);
            QCOMPARE(form_->txtLitriMinuto.Native().text(), QStringLiteral("0,25"));
        } else {
            QCOMPARE(form_->txtPortata.Native().text(), volume);
            QCOMPARE(form_->txtQuorvela.Native().text(), QString());
            QCOMPARE(form_->txtLitriMinuto.Native().text(), QString());
        }
        verifyWholeTextSelected(target);
    }

    void enteringTheBoxOfTheModeInForceEmptiesNothing_data() {
        QTest::addColumn<bool>("volumeMode");
        QTest::addColumn<bool>("byMouse");
        QTest::newRow("flow mode, mouse into txtPortata") << false << true;
        QTest::newRow("flow mode, Tab into txtPortata") << false << false;
        QTest::newRow("volume mode, mouse into txtQuorvela") << true << true;
        QTest::newRow("volume mode, Tab into txtQuorvela") << true << false;
    }
    void enteringTheBoxOfTheModeInForceEmptiesNothing() {
        QFETCH(bool, volumeMode);
        QFETCH(bool, byMouse);
        calculate(volumeMode, volumeMode ? QStringLiteral("15") : QStringLiteral("50"));
        const QString volume = form_->txtPortata.Native().text();
        const QString litres = form_->txtQuorvela.Native().text();
        const QString perMinute = form_->txtLitriMinuto.Native().text();
        TextBox* input = box(volumeMode);
        if (byMouse) {
            QTest::mouseClick(&form_->cmdCalcola.Native(), Qt::LeftButton);
            QTest::mouseClick(input, Qt::LeftButton, Qt::NoModifier, input->rect().center());
        } else if (volumeMode) {
            // Back from txtLitriMinuto, which follows txtQuorvela.
            form_->txtLitriMinuto.Native().setFocus(Qt::OtherFocusReason);
            QCOMPARE(FocusedControl(), &form_->txtLitriMinuto.Native());
            press(Qt::Key_Backtab, Qt::ShiftModifier);
        } else {
            // On from cboColpi, the last in the tab order.
            QTest::mouseClick(form_->cboColpi.Native().lineEdit(), Qt::LeftButton);
            QCOMPARE(FocusedControl(), &form_->cboColpi.Native());
            press(Qt::Key_Tab);
        }
        verifyEmphasis(volumeMode);
        QCOMPARE(form_->txtPortata.Native().text(), volume);
        QCOMPARE(form_->txtQuorvela.Native().text(), litres);
        QCOMPARE(form_->txtLitriMinuto.Native().text(), perMinute);
        verifyWholeTextSelected(input);
    }

    void theNextDigitReplacesTheTextSelectedOnEntering_data() {
        QTest::addColumn<bool>("volumeMode");
        QTest::addColumn<bool>("byMouse");
        QTest::newRow("txtPortata by mouse") << false << true;
        QTest::newRow("txtPortata by Tab") << false << false;
        QTest::newRow("txtQuorvela by mouse") << true << true;
        QTest::newRow("txtQuorvela by Tab") << true << false;
    }
    void theNextDigitReplacesTheTextSelectedOnEntering() {
        QFETCH(bool, volumeMode);
        QFETCH(bool, byMouse);
        TextBox* input = box(volumeMode);
        // A text of its own in the box, written as the calculation writes it.
        chooseMode(!volumeMode);
        input->setText(QStringLiteral("1234"));
        if (byMouse) {
            QTest::mouseClick(input, Qt::LeftButton, Qt::NoModifier, input->rect().center());
        } else {
            press(volumeMode ? Qt::Key_Tab : Qt::Key_Backtab,
                  volumeMode ? Qt::NoModifier : Qt::ShiftModifier);
        }
        verifyEmphasis(volumeMode);
        QCOMPARE(input->text(), QStringLiteral("1234"));
        verifyWholeTextSelected(input);
        type(QStringLiteral("9"));
        QCOMPARE(input->text(), QStringLiteral("9"));
    }

    void aClickOnTheOptionAlreadySelectedChangesNothing_data() {
        QTest::addColumn<bool>("volumeMode");
        QTest::newRow("volume option") << true;
        QTest::newRow("flow option") << false;
    }
    void aClickOnTheOptionAlreadySelectedChangesNothing() {
        QFETCH(bool, volumeMode);
        calculate(volumeMode, volumeMode ? QStringLiteral("15") : QStringLiteral("50"));
        const QString volume = form_->txtPortata.Native().text();
        const QString litres = form_->txtQuorvela.Native().text();
        const QString perMinute = form_->txtLitriMinuto.Native().text();
        QTest::mouseClick(&form_->optScelta(volumeMode ? 0 : 1).Native(), Qt::LeftButton);
        verifyEmphasis(volumeMode);
        QCOMPARE(form_->txtPortata.Native().text(), volume);
        QCOMPARE(form_->txtQuorvela.Native().text(), litres);
        QCOMPARE(form_->txtLitriMinuto.Native().text(), perMinute);
    }

    // ------------------------------------------------------------ combo boxes

    void aPickShowsTheStrokeTimeAndRecalculates_data() {
        QTest::addColumn<bool>("byMouse");
        QTest::addColumn<QString>("giri");
        QTest::addColumn<QString>("colpi");
        QTest::addColumn<QString>("seconds");
        const struct {
            const char* giri;
            const char* colpi;
            const char* seconds;
        } pairs[] = {{"1000", "200", "12"},
                     {"1500", "500", "20"},
                     {"2500", "1000", "24"},
                     {"100", "1000", "600"},
                     {"2500", "200", "4,8"}};
        for (const bool byMouse : {false, true}) {
            for (const auto& pair : pairs) {
                QTest::addRow("%s/%s by %s", pair.giri, pair.colpi, byMouse ? "mouse" : "keyboard")
                    << byMouse << QString::fromLatin1(pair.giri) << QString::fromLatin1(pair.colpi)
                    << QString::fromLatin1(pair.seconds);
            }
        }
    }
    void aPickShowsTheStrokeTimeAndRecalculates() {
        QFETCH(bool, byMouse);
        QFETCH(QString, giri);
        QFETCH(QString, colpi);
        QFETCH(QString, seconds);
        // Strokes first, then the speed, each pick recalculating the flow.
        calculate(false, QStringLiteral("50"));
        form_->txtQuorvela.Native().clear();
        pick(&form_->cboColpi.Native(), colpi, byMouse);
        QVERIFY(!form_->txtQuorvela.Native().text().isEmpty());
        form_->txtQuorvela.Native().clear();
        pick(&form_->cboGiri.Native(), giri, byMouse);
        QVERIFY(!form_->txtQuorvela.Native().text().isEmpty());
        QCOMPARE(label(), seconds + QStringLiteral(" secondi"));
        const QString description = QStringLiteral("a ") + giri + QStringLiteral(" giri, ") + colpi +
                                    QStringLiteral(" colpi si ottengono in ") + seconds +
                                    QStringLiteral(" secondi");
        QCOMPARE(form_->lblDescrizione(2).Native().toolTip(), description);
        QCOMPARE(form_->Image1.Native().toolTip(), description);
        verifyEmphasis(false);
    }

    void typingIntoAComboBoxRaisesNoPick_data() {
        QTest::addColumn<bool>("speed");
        QTest::addColumn<QString>("typed");
        QTest::newRow("cboGiri, 1500") << true << "1500";
        QTest::newRow("cboGiri, 25") << true << "25";
        QTest::newRow("cboColpi, 500") << false << "500";
        QTest::newRow("cboColpi, abc") << false << "abc";
    }
    void typingIntoAComboBoxRaisesNoPick() {
        QFETCH(bool, speed);
        QFETCH(QString, typed);
        calculate(false, QStringLiteral("50"));
        form_->txtQuorvela.Native().clear();
        ComboBox* combo = speed ? &form_->cboGiri.Native() : &form_->cboColpi.Native();
        QTest::mouseClick(combo->lineEdit(), Qt::LeftButton);
        QCOMPARE(FocusedControl(), combo);
        combo->lineEdit()->selectAll();
        type(typed);
        QCOMPARE(combo->currentText(), typed);
        QCOMPARE(label(), QStringLiteral("12 secondi"));
        QCOMPARE(form_->txtQuorvela.Native().text(), QString());
        QCOMPARE(FocusedControl(), combo);
    }

    void aStrokePickWithABadSpeedKeepsTheLabelAndDoesNotCalculate_data() {
        QTest::addColumn<QString>("giri");
        QTest::addColumn<bool>("byMouse");
        QTest::newRow("speed abc, keyboard") << "abc" << false;
        QTest::newRow("speed abc, mouse") << "abc" << true;
        QTest::newRow("speed 0, keyboard") << "0" << false;
        QTest::newRow("speed 0, mouse") << "0" << true;
        QTest::newRow("speed empty, mouse") << "" << true;
    }
    void aStrokePickWithABadSpeedKeepsTheLabelAndDoesNotCalculate() {
        QFETCH(QString, giri);
        QFETCH(bool, byMouse);
        // A volume typed, not yet calculated: a run would write the litres
        // (a true zero for speed 0) or ask for the speed.
        type(QStringLiteral("50"));
        TypeIntoCombo(&form_->cboGiri.Native(), giri);
        pick(&form_->cboColpi.Native(), QStringLiteral("500"), byMouse);
        QCOMPARE(label(), QStringLiteral("12 secondi"));
        QCOMPARE(form_->lblDescrizione(2).Native().toolTip(),
                 QStringLiteral("a 1000 giri, 200 colpi si ottengono in 12 secondi"));
        QCOMPARE(form_->txtQuorvela.Native().text(), QString());
        QCOMPARE(form_->txtLitriMinuto.Native().text(), QString());
        QVERIFY(guard_.Seen().isEmpty());
    }

    void aSpeedPickWithBadStrokesKeepsTheLabelAndStillCalculates_data() {
        QTest::addColumn<QString>("colpi");
        QTest::addColumn<bool>("byMouse");
        QTest::newRow("strokes abc, keyboard") << "abc" << false;
        QTest::newRow("strokes abc, mouse") << "abc" << true;
        QTest::newRow("strokes empty, mouse") << "" << true;
    }
    void aSpeedPickWithBadStrokesKeepsTheLabelAndStillCalculates() {
        QFETCH(QString, colpi);
        QFETCH(bool, byMouse);
        // The calculation finds the stroke count no number and takes the
        // focus to cboColpi.
        type(QStringLiteral("50"));
        TypeIntoCombo(&form_->cboColpi.Native(), colpi);
        form_->txtPortata.Native().setFocus(Qt::OtherFocusReason);
        pick(&form_->cboGiri.Native(), QStringLiteral("1500"), byMouse);
        QCOMPARE(label(), QStringLiteral("12 secondi"));
        QCOMPARE(FocusedControl(), &form_->cboColpi.Native());
        QVERIFY(guard_.Seen().isEmpty());
    }

    void aSpeedPickWithZeroStrokesKeepsTheLabelAndStillCalculates_data() {
        QTest::addColumn<bool>("byMouse");
        QTest::newRow("keyboard") << false;
        QTest::newRow("mouse") << true;
    }
    void aSpeedPickWithZeroStrokesKeepsTheLabelAndStillCalculates() {
        // The run empties the results it cannot compute.
        QFETCH(bool, byMouse);
        calculate(false, QStringLiteral("50"));
        QCOMPARE(form_->txtQuorvela.Native().text(), QStringLiteral("15"));
        TypeIntoCombo(&form_->cboColpi.Native(), QStringLiteral("0"));
        pick(&form_->cboGiri.Native(), QStringLiteral("1500"), byMouse);
        QCOMPARE(label(), QStringLiteral("12 secondi"));
        QCOMPARE(form_->txtPortata.Native().text(), QStringLiteral("50"));
        QCOMPARE(form_->txtQuorvela.Native().text(), QString());
        QCOMPARE(form_->txtLitriMinuto.Native().text(), QString());
        QVERIFY(guard_.Seen().isEmpty());
    }
};

QUORVELA_GUI_TEST_MAIN(KeysFocusTest)

#include "tst_keys_focus.moc"
