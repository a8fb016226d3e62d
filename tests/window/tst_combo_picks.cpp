// Picks in the two combo boxes: the stroke time at once, then a new
// calculation; typing into a box picks nothing.

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

class ComboPicksTest : public quorvela::testing::InputTest {
    Q_OBJECT

private Q_SLOTS:
    void init() { Start(); }
    void cleanup() { Finish(); }

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
        const QString description = QStringLiteral("a ") + giri + QStringLiteral(" giri, ") +
                                    colpi + QStringLiteral(" colpi si ottengono in ") + seconds +
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

QUORVELA_GUI_TEST_MAIN(ComboPicksTest)

#include "tst_combo_picks.moc"
