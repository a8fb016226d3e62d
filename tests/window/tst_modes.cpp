// The two modes and the focus: the window as it opens, the options, and
// entering the input boxes by key and by mouse.

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

class ModesTest : public quorvela::testing::InputTest {
    Q_OBJECT

private Q_SLOTS:
    void init() { Start(); }
    void cleanup() { Finish(); }

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
        const QString description =
            QStringLiteral("a 1000 giri, 200 colpi si ottengono in 12 secondi");
        QCOMPARE(form_->lblDescrizione(2).Native().toolTip(), description);
        QCOMPARE(form_->Image1.Native().toolTip(), description);
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
        QCOMPARE(form_->txtLitriMinuto.Native().text(),
                 calculated ? QStringLiteral("0,25") : QString());
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
};

QUORVELA_GUI_TEST_MAIN(ModesTest)

#include "tst_modes.moc"
