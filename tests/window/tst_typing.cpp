// The keystroke filter of the two input boxes as the user types, Enter, and
// the typing limits.

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

#include "input_test.h"

using quorvela::testing::ComboBox;
using quorvela::testing::FocusedControl;
using quorvela::testing::Stroke;
using quorvela::testing::TextBox;
using quorvela::testing::TypeIntoCombo;

class TypingTest : public quorvela::testing::InputTest {
    Q_OBJECT

private Q_SLOTS:
    void init() { Start(); }
    void cleanup() { Finish(); }

    // ------------------------------------------------------------ typing

    void typedCharactersPassTheFilterAsItDecides_data() {
        QTest::addColumn<bool>("volumeMode");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("12.5 into txtQuorvela") << true << "12.5"
                                               << "12,5";
        QTest::newRow("12.5 into txtPortata") << false << "12.5"
                                              << "12,5";
        QTest::newRow("1,2,3 into txtQuorvela") << true << "1,2,3"
                                                << "1,2,3";
        QTest::newRow("1.2.3 into txtPortata") << false << "1.2.3"
                                               << "1,2,3";
        QTest::newRow("all digits") << false << "0123456"
                                    << "0123456";
        QTest::newRow("minus sign") << false << "-5"
                                    << "5";
        QTest::newRow("plus sign") << true << "+5"
                                   << "5";
        QTest::newRow("blanks") << false << " 5 0 "
                                << "50";
        QTest::newRow("letters") << true << "a1b2E"
                                 << "12";
        QTest::newRow("exponent") << false << "1e3"
                                  << "13";
        QTest::newRow("other punctuation") << true << "1;2:3/4"
                                           << "1234";
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
        QTest::newRow("Backspace")
            << false << "123" << QList<Stroke>{{Qt::Key_Backspace, {}}} << "12";
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
            << QList<Stroke>{{Qt::Key_Left, {}}, {Qt::Key_Left, {}}, {Qt::Key_Delete, {}}} << "13";
        QTest::newRow("Home, Right, 9")
            << false << "123"
            << QList<Stroke>{{Qt::Key_Home, {}}, {Qt::Key_Right, {}}, {Qt::Key_9, {}}} << "1923";
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
        QTest::newRow("flow, Return") << false << int(Qt::Key_Return) << int(Qt::NoModifier) << "50"
                                      << "15";
        QTest::newRow("flow, keypad Enter")
            << false << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "50"
            << "15";
        QTest::newRow("volume, Return")
            << true << int(Qt::Key_Return) << int(Qt::NoModifier) << "15"
            << "50";
        QTest::newRow("volume, keypad Enter")
            << true << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "15"
            << "50";
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
        QTest::newRow("txtPortata, 8 typed") << false << "" << 0 << "12345678"
                                             << "1234567";
        QTest::newRow("txtQuorvela, 6 typed") << true << "" << 0 << "123456"
                                              << "12345";
        QTest::newRow("txtPortata full, full stop") << false << "1234567" << 0 << "."
                                                    << "1234567";
        QTest::newRow("txtQuorvela full, comma") << true << "12345" << 0 << ","
                                                 << "12345";
        QTest::newRow("txtPortata full, one selected") << false << "1234567" << 1 << "89"
                                                       << "1234568";
        QTest::newRow("txtQuorvela full, two selected") << true << "12345" << 2 << "678"
                                                        << "12367";
        QTest::newRow("txtQuorvela full, one selected, full stop") << true << "12345" << 1 << "."
                                                                   << "1234,";
        QTest::newRow("txtPortata full, all selected") << false << "1234567" << 7 << "98765432"
                                                       << "9876543";
        QTest::newRow("txtQuorvela full, Backspace then 9") << true << "12345" << -1 << "9"
                                                            << "12349";
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
};

QUORVELA_GUI_TEST_MAIN(TypingTest)

#include "tst_typing.moc"
