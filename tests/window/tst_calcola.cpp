// The calculate command driven through the window: the checks of the speed,
// the stroke count and the mode's input, the stroke time, the results of
// both modes, results that cannot be computed, and a nested run.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "modal_guard.h"
#include "runtime/form.h"
#include "window_fixture.h"

using quorvela::frmQuorvela;
using ComboBox = quorvela::runtime::NativeComboBox;
using TextBox = quorvela::runtime::NativeTextBox;
using quorvela::testing::FocusedControl;
using quorvela::testing::ModalGuard;
using quorvela::testing::StartWindow;
using quorvela::testing::TypeIntoCombo;

class CalcolaTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<frmQuorvela> form_;
    ModalGuard guard_;

    // Types over the whole text of the input box that holds the focus.
    static void typeIntoFocusedBox(TextBox* box, const QString& text) {
        QCOMPARE(FocusedControl(), box);
        box->selectAll();
        if (text.isEmpty()) {
            QTest::keyClick(box, Qt::Key_Backspace);
        } else {
            QTest::keyClicks(box, text);
        }
        QCOMPARE(box->text(), text);
    }

    // The volume mode: a click on its option, which moves the focus to the
    // litres-per-hour box.
    void chooseVolumeMode() {
        QTest::mouseClick(&form_->optScelta(0).Native(), Qt::LeftButton);
        QVERIFY(form_->optScelta(0).Native().isChecked());
        QCOMPARE(FocusedControl(), &form_->txtQuorvela.Native());
    }

    // The flow mode is the one the window opens in, the focus in the volume box.
    void chooseFlowMode() {
        if (!form_->optScelta(1).Native().isChecked()) {
            QTest::mouseClick(&form_->optScelta(1).Native(), Qt::LeftButton);
        }
        QVERIFY(form_->optScelta(1).Native().isChecked());
        QCOMPARE(FocusedControl(), &form_->txtPortata.Native());
    }

    // The mode's input box, chosen and focused.
    TextBox* chooseMode(bool volumeMode) {
        if (volumeMode) {
            chooseVolumeMode();
            return &form_->txtQuorvela.Native();
        }
        chooseFlowMode();
        return &form_->txtPortata.Native();
    }

    void calcola() { QTest::mouseClick(&form_->cmdCalcola.Native(), Qt::LeftButton); }

    [[nodiscard]] QString label() const { return form_->lblDescrizione(2).Native().text(); }

    // A first run in the flow mode with '50': '12 secondi', '15' and '0,25'.
    void calculateFlowFifty() {
        chooseFlowMode();
        typeIntoFocusedBox(&form_->txtPortata.Native(), QStringLiteral("50"));
        calcola();
        QCOMPARE(label(), QStringLiteral("12 secondi"));
        QCOMPARE(form_->txtQuorvela.Native().text(), QStringLiteral("15"));
        QCOMPARE(form_->txtLitriMinuto.Native().text(), QStringLiteral("0,25"));
    }

    // A first run in the volume mode with '15': '12 secondi', '50' and '0,25'.
    void calculateVolumeFifteen() {
        chooseVolumeMode();
        typeIntoFocusedBox(&form_->txtQuorvela.Native(), QStringLiteral("15"));
        calcola();
        QCOMPARE(label(), QStringLiteral("12 secondi"));
        QCOMPARE(form_->txtPortata.Native().text(), QStringLiteral("50"));
        QCOMPARE(form_->txtLitriMinuto.Native().text(), QStringLiteral("0,25"));
    }

    // Focuses an input box with a click on it.
    static void focusBox(TextBox* box) {
        QTest::mouseClick(box, Qt::LeftButton);
        QCOMPARE(FocusedControl(), box);
    }

    // Focuses a combo box with a click on its line edit.
    static void focusCombo(ComboBox* combo) {
        QTest::mouseClick(combo->lineEdit(), Qt::LeftButton);
        QCOMPARE(FocusedControl(), combo);
    }

private Q_SLOTS:
    void init() {
        guard_.Reset();
        form_ = StartWindow();
        QVERIFY(form_);
        QCOMPARE(form_->cboGiri.Native().currentText(), QStringLiteral("1000"));
        QCOMPARE(form_->cboColpi.Native().currentText(), QStringLiteral("200"));
    }
    void cleanup() {
        form_.reset();
        QVERIFY2(guard_.Unexpected().isEmpty(), qPrintable(guard_.Unexpected().join(u'\n')));
    }

    // ------------------------------------------------------------ the checks

    void aSpeedThatIsNoNumberIsAskedForOnceAndTheFocusGoesToCboGiri_data() {
        QTest::addColumn<QString>("giri");
        QTest::addColumn<QString>("colpi");
        QTest::newRow("speed abc") << "abc"
                                   << "200";
        QTest::newRow("speed empty") << ""
                                     << "200";
        QTest::newRow("speed abc, strokes abc") << "abc"
                                                << "abc";
        QTest::newRow("speed empty, strokes empty") << ""
                                                    << "";
    }
    void aSpeedThatIsNoNumberIsAskedForOnceAndTheFocusGoesToCboGiri() {
        QFETCH(QString, giri);
        QFETCH(QString, colpi);
        calculateFlowFifty();
        TypeIntoCombo(&form_->cboGiri.Native(), giri);
        TypeIntoCombo(&form_->cboColpi.Native(), colpi);

        guard_.ExpectMessageBox();
        calcola();

        QCOMPARE(guard_.Seen().size(), 1);
        const quorvela::testing::SeenBox& box = guard_.Seen().first();
        QCOMPARE(box.title, QStringLiteral("Introdurre un valore"));
        QCOMPARE(box.text, QStringLiteral("Introduci un valore di 'giri' "));
        QCOMPARE(box.icon, QMessageBox::Warning);
        QCOMPARE(box.buttonCount, 1);
        QVERIFY(box.modal);
        // The window keeps the focus in cboGiri for when it is active again:
        // a desktop gives the activation back once the box is gone, the
        // offscreen platform leaves that to the test.
        QCOMPARE(form_->Native().focusWidget(), &form_->cboGiri.Native());
        form_->Native().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form_->Native()));
        QCOMPARE(FocusedControl(), &form_->cboGiri.Native());
        QCOMPARE(label(), QStringLiteral("12 secondi"));
        QCOMPARE(form_->txtPortata.Native().text(), QStringLiteral("50"));
        QCOMPARE(form_->txtQuorvela.Native().text(), QStringLiteral("15"));
        QCOMPARE(form_->txtLitriMinuto.Native().text(), QStringLiteral("0,25"));
        QCOMPARE(form_->cboGiri.Native().currentText(), giri);
        QCOMPARE(form_->cboColpi.Native().currentText(), colpi);
    }

    void aStrokeCountThatIsNoNumberSendsTheFocusToCboColpiWithoutAMessage_data() {
        QTest::addColumn<QString>("colpi");
        QTest::newRow("strokes abc") << "abc";
        QTest::newRow("strokes empty") << "";
    }
    void aStrokeCountThatIsNoNumberSendsTheFocusToCboColpiWithoutAMessage() {
        QFETCH(QString, colpi);
        calculateFlowFifty();
        TypeIntoCombo(&form_->cboColpi.Native(), colpi);
        focusCombo(&form_->cboGiri.Native());

        calcola();

        QVERIFY(guard_.Seen().isEmpty());
        QCOMPARE(FocusedControl(), &form_->cboColpi.Native());
        QCOMPARE(label(), QStringLiteral("12 secondi"));
        QCOMPARE(form_->txtPortata.Native().text(), QStringLiteral("50"));
        QCOMPARE(form_->txtQuorvela.Native().text(), QStringLiteral("15"));
        QCOMPARE(form_->txtLitriMinuto.Native().text(), QStringLiteral("0,25"));
    }

    void anEmptyInputWritesNothingAndTakesTheFocusToTheModesBox_data() {
        QTest::addColumn<bool>("volumeMode");
        QTest::newRow("volume mode, txtQuorvela empty") << true;
        QTest::newRow("flow mode, txtPortata empty") << false;
    }
    void anEmptyInputWritesNothingAndTakesTheFocusToTheModesBox() {
        QFETCH(bool, volumeMode);
        if (volumeMode) {
            calculateVolumeFifteen();
        } else {
            calculateFlowFifty();
        }
        TextBox* input = volumeMode ? &form_->txtQuorvela.Native() : &form_->txtPortata.Native();
        TextBox* result = volumeMode ? &form_->txtPortata.Native() : &form_->txtQuorvela.Native();
        const QString resultBefore = result->text();
        focusBox(input);
        typeIntoFocusedBox(input, QString());
        // A new speed that the run would show as '8 secondi'.
        focusCombo(&form_->cboGiri.Native());
        TypeIntoCombo(&form_->cboGiri.Native(), QStringLiteral("1500"));

        // Pending events run before the focus moves.
        bool clicking = false;
        bool pendingRanInTheRun = false;
        QWidget* focusWhenPendingRan = nullptr;
        QTimer::singleShot(0, &form_->Native(), [&] {
            pendingRanInTheRun = clicking;
            focusWhenPendingRan = FocusedControl();
        });
        clicking = true;
        calcola();
        clicking = false;

        QVERIFY(pendingRanInTheRun);
        QVERIFY(focusWhenPendingRan != input);
        QCOMPARE(FocusedControl(), input);
        QCOMPARE(label(), QStringLiteral("12 secondi"));
        QCOMPARE(input->text(), QString());
        QCOMPARE(result->text(), resultBefore);
        QCOMPARE(form_->txtLitriMinuto.Native().text(), QStringLiteral("0,25"));
        QVERIFY(guard_.Seen().isEmpty());
    }

    // ----------------------------------------------------------- the results

    void theVolumeModeTurnsLitresPerHourIntoCm3AndLitresPerMinute_data() {
        QTest::addColumn<QString>("litriOra");
        QTest::addColumn<QString>("portata");
        QTest::addColumn<QString>("litriMinuto");
        QTest::newRow("15") << "15"
                            << "50"
                            << "0,25";
        // The volume from 12.5, the per-minute figure from 12.
        QTest::newRow("12,5") << "12,5"
                              << "41,7"
                              << "0,2";
        // The per-minute figure from 14, rounded half to even.
        QTest::newRow("13,5") << "13,5"
                              << "45"
                              << "0,23";
        // Longer than the box's typing limit, shown whole.
        QTest::newRow("40000") << "40000"
                               << "133333,3"
                               << "666,67";
    }
    void theVolumeModeTurnsLitresPerHourIntoCm3AndLitresPerMinute() {
        QFETCH(QString, litriOra);
        QFETCH(QString, portata);
        QFETCH(QString, litriMinuto);
        chooseVolumeMode();
        typeIntoFocusedBox(&form_->txtQuorvela.Native(), litriOra);

        calcola();

        QCOMPARE(label(), QStringLiteral("12 secondi"));
        QCOMPARE(form_->txtQuorvela.Native().text(), litriOra);
        QCOMPARE(form_->txtPortata.Native().text(), portata);
        QCOMPARE(form_->txtLitriMinuto.Native().text(), litriMinuto);
        QVERIFY(guard_.Seen().isEmpty());
    }

    void theFlowModeTurnsCm3IntoLitresPerHourAndLitresPerMinute_data() {
        QTest::addColumn<QString>("portata");
        QTest::addColumn<QString>("litriOra");
        QTest::addColumn<QString>("litriMinuto");
        QTest::newRow("50") << "50"
                            << "15"
                            << "0,25";
        // The volume is read as a whole number, ties to even.
        QTest::newRow("50,5") << "50,5"
                              << "15"
                              << "0,25";
        QTest::newRow("51,5") << "51,5"
                              << "15,6"
                              << "0,26";
        QTest::newRow("40000") << "40000"
                               << "12000"
                               << "200";
    }
    void theFlowModeTurnsCm3IntoLitresPerHourAndLitresPerMinute() {
        QFETCH(QString, portata);
        QFETCH(QString, litriOra);
        QFETCH(QString, litriMinuto);
        chooseFlowMode();
        typeIntoFocusedBox(&form_->txtPortata.Native(), portata);

        calcola();

        QCOMPARE(label(), QStringLiteral("12 secondi"));
        QCOMPARE(form_->txtPortata.Native().text(), portata);
        QCOMPARE(form_->txtQuorvela.Native().text(), litriOra);
        QCOMPARE(form_->txtLitriMinuto.Native().text(), litriMinuto);
        QVERIFY(guard_.Seen().isEmpty());
    }

    void theStrokeTimeFollowsTheSpeedAndTheStrokeCount_data() {
        QTest::addColumn<QString>("giri");
        QTest::addColumn<QString>("colpi");
        QTest::addColumn<QString>("tempo");
        QTest::newRow("1500 rpm, 500 strokes") << "1500"
                                               << "500"
                                               << "20 secondi";
        QTest::newRow("2500 rpm, 1000 strokes") << "2500"
                                                << "1000"
                                                << "24 secondi";
        QTest::newRow("100 rpm, 1000 strokes") << "100"
                                               << "1000"
                                               << "600 secondi";
    }
    void theStrokeTimeFollowsTheSpeedAndTheStrokeCount() {
        QFETCH(QString, giri);
        QFETCH(QString, colpi);
        QFETCH(QString, tempo);
        chooseFlowMode();
        typeIntoFocusedBox(&form_->txtPortata.Native(), QStringLiteral("50"));
        TypeIntoCombo(&form_->cboGiri.Native(), giri);
        TypeIntoCombo(&form_->cboColpi.Native(), colpi);

        calcola();

        QCOMPARE(label(), tempo);
    }

    // --------------------------------------- results that cannot be computed

    void aVolumeResultThatCannotBeComputedEmptiesItsBox_data() {
        QTest::addColumn<QString>("giri");
        QTest::addColumn<QString>("colpi");
        QTest::addColumn<QString>("litriOra");
        QTest::addColumn<QString>("litriMinuto");
        // The per-minute figure needs neither speed nor strokes.
        QTest::newRow("strokes 0") << "1000"
                                   << "0"
                                   << "15"
                                   << "0,25";
        QTest::newRow("speed 0") << "0"
                                 << "200"
                                 << "15"
                                 << "0,25";
        // Not empty, yet no number: neither result can be computed.
        QTest::newRow("a lone comma") << "1000"
                                      << "200"
                                      << ","
                                      << "";
        QTest::newRow("a single blank") << "1000"
                                        << "200"
                                        << " "
                                        << "";
    }
    void aVolumeResultThatCannotBeComputedEmptiesItsBox() {
        QFETCH(QString, giri);
        QFETCH(QString, colpi);
        QFETCH(QString, litriOra);
        QFETCH(QString, litriMinuto);
        calculateVolumeFifteen();
        TypeIntoCombo(&form_->cboGiri.Native(), giri);
        TypeIntoCombo(&form_->cboColpi.Native(), colpi);
        if (litriOra == QLatin1String(" ")) {
            // The keystroke filter drops a typed blank.
            form_->txtQuorvela.Native().setText(litriOra);
        } else {
            focusBox(&form_->txtQuorvela.Native());
            typeIntoFocusedBox(&form_->txtQuorvela.Native(), litriOra);
        }

        calcola();

        QCOMPARE(label(), QStringLiteral("12 secondi"));
        QCOMPARE(form_->txtQuorvela.Native().text(), litriOra);
        QCOMPARE(form_->txtPortata.Native().text(), QString());
        QCOMPARE(form_->txtLitriMinuto.Native().text(), litriMinuto);
        QVERIFY(guard_.Seen().isEmpty());
    }

    void aFlowResultThatCannotBeComputedEmptiesBothBoxes_data() {
        QTest::addColumn<QString>("colpi");
        QTest::addColumn<QString>("portata");
        QTest::newRow("strokes 0") << "0"
                                   << "50";
        QTest::newRow("a lone comma") << "200"
                                      << ",";
        QTest::newRow("a single blank") << "200"
                                        << " ";
    }
    void aFlowResultThatCannotBeComputedEmptiesBothBoxes() {
        QFETCH(QString, colpi);
        QFETCH(QString, portata);
        calculateFlowFifty();
        TypeIntoCombo(&form_->cboColpi.Native(), colpi);
        if (portata == QLatin1String(" ")) {
            // The keystroke filter drops a typed blank.
            form_->txtPortata.Native().setText(portata);
        } else {
            focusBox(&form_->txtPortata.Native());
            typeIntoFocusedBox(&form_->txtPortata.Native(), portata);
        }

        calcola();

        QCOMPARE(label(), QStringLiteral("12 secondi"));
        QCOMPARE(form_->txtPortata.Native().text(), portata);
        QCOMPARE(form_->txtQuorvela.Native().text(), QString());
        QCOMPARE(form_->txtLitriMinuto.Native().text(), QString());
        QVERIFY(guard_.Seen().isEmpty());
    }

    void aSpeedOfZeroInTheFlowModeShowsATrueZero() {
        calculateFlowFifty();
        TypeIntoCombo(&form_->cboGiri.Native(), QStringLiteral("0"));

        calcola();

        QCOMPARE(label(), QStringLiteral("12 secondi"));
        QCOMPARE(form_->txtQuorvela.Native().text(), QStringLiteral("0"));
        QCOMPARE(form_->txtLitriMinuto.Native().text(), QStringLiteral("0"));
        QVERIFY(guard_.Seen().isEmpty());
    }

    void aComboTextBeyondSixteenBitsKeepsTheLabelButCountsInFull_data() {
        QTest::addColumn<bool>("volumeMode");
        QTest::addColumn<QString>("giri");
        QTest::addColumn<QString>("colpi");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("litriMinuto");
        QTest::newRow("speed 40000, flow 50") << false << "40000"
                                              << "200"
                                              << "50"
                                              << "600"
                                              << "10";
        QTest::newRow("speed 40000, volume 15") << true << "40000"
                                                << "200"
                                                << "15"
                                                << "1,2"
                                                << "0,25";
        QTest::newRow("strokes 40000, volume 15") << true << "1000"
                                                  << "40000"
                                                  << "15"
                                                  << "10000"
                                                  << "0,25";
        QTest::newRow("strokes 40000, flow 50") << false << "1000"
                                                << "40000"
                                                << "50"
                                                << "0,1"
                                                << "0";
    }
    void aComboTextBeyondSixteenBitsKeepsTheLabelButCountsInFull() {
        QFETCH(bool, volumeMode);
        QFETCH(QString, giri);
        QFETCH(QString, colpi);
        QFETCH(QString, input);
        QFETCH(QString, result);
        QFETCH(QString, litriMinuto);
        TextBox* box = chooseMode(volumeMode);
        typeIntoFocusedBox(box, input);
        TypeIntoCombo(&form_->cboGiri.Native(), giri);
        TypeIntoCombo(&form_->cboColpi.Native(), colpi);

        calcola();

        QCOMPARE(label(), QStringLiteral("12 secondi"));
        TextBox* resultBox =
            volumeMode ? &form_->txtPortata.Native() : &form_->txtQuorvela.Native();
        QCOMPARE(resultBox->text(), result);
        QCOMPARE(form_->txtLitriMinuto.Native().text(), litriMinuto);
        QVERIFY(guard_.Seen().isEmpty());
    }

    // -------------------------------------------------- typing versus a pick

    void typingAListItemIntoTheSpeedBoxCalculatesNothingByItself_data() {
        QTest::addColumn<bool>("pressEnter");
        QTest::newRow("the focus leaves the box") << false;
        QTest::newRow("Enter in the box") << true;
    }
    void typingAListItemIntoTheSpeedBoxCalculatesNothingByItself() {
        QFETCH(bool, pressEnter);
        calculateFlowFifty();
        focusCombo(&form_->cboGiri.Native());
        TypeIntoCombo(&form_->cboGiri.Native(), QStringLiteral("1500"));
        if (pressEnter) {
            QTest::keyClick(form_->cboGiri.Native().lineEdit(), Qt::Key_Return);
        }
        focusBox(&form_->txtPortata.Native());

        QCOMPARE(label(), QStringLiteral("12 secondi"));
        QCOMPARE(form_->txtQuorvela.Native().text(), QStringLiteral("15"));
        QCOMPARE(form_->txtLitriMinuto.Native().text(), QStringLiteral("0,25"));

        calcola();

        QCOMPARE(label(), QStringLiteral("8 secondi"));
        QCOMPARE(form_->txtQuorvela.Native().text(), QStringLiteral("22,5"));
        QVERIFY(guard_.Seen().isEmpty());
    }

    void aPickFromTheSpeedListCalculatesAtOnce() {
        calculateFlowFifty();
        focusCombo(&form_->cboGiri.Native());
        // The item after '1000'.
        QTest::keyClick(form_->cboGiri.Native().lineEdit(), Qt::Key_Down);

        QCOMPARE(form_->cboGiri.Native().currentText(), QStringLiteral("1500"));
        QCOMPARE(label(), QStringLiteral("8 secondi"));
        QCOMPARE(form_->txtQuorvela.Native().text(), QStringLiteral("22,5"));
        QVERIFY(guard_.Seen().isEmpty());
    }

    // ------------------------------------------------------------ nested run

    void aNestedRunStartedByPendingEventsIsHarmless() {
        chooseFlowMode();
        QCOMPARE(form_->txtPortata.Native().text(), QString());
        bool clicking = false;
        bool nestedRanInTheRun = false;
        QTimer::singleShot(0, &form_->Native(), [&] {
            nestedRanInTheRun = clicking;
            QTest::keyClicks(&form_->txtPortata.Native(), QStringLiteral("50"));
            calcola();
        });
        clicking = true;
        calcola();
        clicking = false;

        QVERIFY(nestedRanInTheRun);
        QCOMPARE(form_->txtPortata.Native().text(), QStringLiteral("50"));
        QCOMPARE(label(), QStringLiteral("12 secondi"));
        QCOMPARE(form_->txtQuorvela.Native().text(), QStringLiteral("15"));
        QCOMPARE(form_->txtLitriMinuto.Native().text(), QStringLiteral("0,25"));
        QCOMPARE(FocusedControl(), &form_->txtPortata.Native());
        QVERIFY(guard_.Seen().isEmpty());
    }
};

QUORVELA_GUI_TEST_MAIN(CalcolaTest)
#include "tst_calcola.moc"
