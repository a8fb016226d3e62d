// The window as the user first sees it: places, sizes, fonts, colours,
// texts, tab order and the placement on the screen.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>

#include "input_test.h"
#include "runtime/form.h"

using quorvela::testing::FocusedControl;

class LayoutTest : public quorvela::testing::InputTest {
    Q_OBJECT

private Q_SLOTS:
    void init() { Start(); }
    void cleanup() { Finish(); }

    void theClientAreaIsFixedAt505By340() {
        QCOMPARE(form_->Native().size(), QSize(505, 340));
        QCOMPARE(form_->Native().minimumSize(), form_->Native().maximumSize());
        QVERIFY(!form_->Native().windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    }

    void everyControlStandsWhereTheLayoutPutsIt_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("pixels");  // in the client area
        QTest::newRow("Frame1") << "Frame1" << QRect(16, 8, 473, 313);
        // top group
        QTest::newRow("cboGiri") << "cboGiri" << QRect(56, 76, 81, 31);
        QTest::newRow("cboColpi") << "cboColpi" << QRect(184, 76, 81, 31);
        QTest::newRow("lblDescrizione(0)") << "lblDescrizione(0)" << QRect(54, 52, 61, 23);
        QTest::newRow("lblDescrizione(1)") << "lblDescrizione(1)" << QRect(184, 52, 65, 23);
        QTest::newRow("Image1") << "Image1" << QRect(304, 48, 55, 64);
        QTest::newRow("lblDescrizione(2)") << "lblDescrizione(2)" << QRect(360, 80, 97, 21);
        // bottom group
        QTest::newRow("lblDescrizione(3)") << "lblDescrizione(3)" << QRect(56, 168, 97, 23);
        QTest::newRow("lblDescrizione(4)") << "lblDescrizione(4)" << QRect(184, 168, 81, 23);
        QTest::newRow("lblDescrizione(5)") << "lblDescrizione(5)" << QRect(304, 168, 81, 23);
        QTest::newRow("txtPortata") << "txtPortata" << QRect(56, 192, 81, 31);
        QTest::newRow("txtQuorvela") << "txtQuorvela" << QRect(184, 192, 81, 31);
        QTest::newRow("txtLitriMinuto") << "txtLitriMinuto" << QRect(304, 192, 81, 31);
        QTest::newRow("optScelta(0)") << "optScelta(0)" << QRect(56, 240, 97, 19);
        QTest::newRow("optScelta(1)") << "optScelta(1)" << QRect(56, 264, 129, 19);
        QTest::newRow("cmdCalcola") << "cmdCalcola" << QRect(304, 240, 121, 35);
        // rectangles
        QTest::newRow("Shape1") << "Shape1" << QRect(40, 40, 425, 89);
        QTest::newRow("Shape2") << "Shape2" << QRect(40, 152, 425, 145);
    }
    void everyControlStandsWhereTheLayoutPutsIt() {
        QFETCH(QString, name);
        QFETCH(QRect, pixels);
        QWidget* widget = control(name);
        QVERIFY2(widget != nullptr, qPrintable(name));
        QCOMPARE(QRect(widget->mapTo(&form_->Native(), QPoint(0, 0)), widget->size()), pixels);
        if (name != QLatin1String("Frame1")) {
            QCOMPARE(widget->parentWidget(), control(QStringLiteral("Frame1")));
        }
    }

    void fontsAndWeightsAreTheLayouts_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qreal>("points");
        QTest::addColumn<bool>("bold");
        QTest::newRow("window") << "frmQuorvela" << 12.0 << false;
        QTest::newRow("Giri") << "lblDescrizione(0)" << 14.25 << false;
        QTest::newRow("Colpi") << "lblDescrizione(1)" << 14.25 << false;
        QTest::newRow("stroke time") << "lblDescrizione(2)" << 12.0 << false;
        QTest::newRow("Portata cm³") << "lblDescrizione(3)" << 14.25 << false;
        QTest::newRow("litri/min") << "lblDescrizione(5)" << 14.25 << false;
        QTest::newRow("cboGiri") << "cboGiri" << 14.25 << false;
        QTest::newRow("cboColpi") << "cboColpi" << 14.25 << false;
        QTest::newRow("txtPortata") << "txtPortata" << 14.25 << true;
        QTest::newRow("txtQuorvela") << "txtQuorvela" << 14.25 << true;
        QTest::newRow("txtLitriMinuto") << "txtLitriMinuto" << 14.25 << true;
        QTest::newRow("cmdCalcola") << "cmdCalcola" << 14.25 << false;
        QTest::newRow("option, volume") << "optScelta(0)" << 11.25 << false;
    }
    void fontsAndWeightsAreTheLayouts() {
        QFETCH(QString, name);
        QFETCH(qreal, points);
        QFETCH(bool, bold);
        const QFont font = control(name)->font();
        QCOMPARE(font.family(), QStringLiteral("Calibri"));
        QCOMPARE(font.pointSizeF(), points);
        QCOMPARE(font.bold(), bold);
        QVERIFY(!font.italic() && !font.underline() && !font.strikeOut());
    }

    void textsAlignmentsAndTooltipsAreTheLayouts_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("horizontal");
        QTest::addColumn<QString>("toolTip");
        const int centre = Qt::AlignHCenter;
        const int left = Qt::AlignLeft;
        QTest::newRow("Giri") << "lblDescrizione(0)"
                              << "Giri" << centre << "";
        QTest::newRow("Colpi") << "lblDescrizione(1)"
                               << "Colpi" << centre << "";
        QTest::newRow("Portata") << "lblDescrizione(3)"
                                 << "Portata cm³" << left << "";
        QTest::newRow("litri/ora") << "lblDescrizione(4)"
                                   << "litri/ora" << centre << "";
        QTest::newRow("litri/min") << "lblDescrizione(5)"
                                   << "litri/min" << centre << "";
        QTest::newRow("txtPortata") << "txtPortata"
                                    << "" << centre << "Valore di portata";
        QTest::newRow("txtQuorvela") << "txtQuorvela"
                                     << "" << centre << "Inserire un valore di litri/h";
        QTest::newRow("txtLitriMinuto") << "txtLitriMinuto"
                                        << "" << centre << "";
    }
    void textsAlignmentsAndTooltipsAreTheLayouts() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(int, horizontal);
        QFETCH(QString, toolTip);
        QWidget* widget = control(name);
        Qt::Alignment alignment;
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            QCOMPARE(label->text(), text);
            alignment = label->alignment();
        } else {
            auto* box = qobject_cast<QLineEdit*>(widget);
            QCOMPARE(box->text(), text);
            alignment = box->alignment();
        }
        QCOMPARE(static_cast<int>(alignment & Qt::AlignHorizontal_Mask), horizontal);
        QCOMPARE(widget->toolTip(), toolTip);
    }

    void captionsOfTheOptionsAndTheButton() {
        QCOMPARE(form_->optScelta(0).Native().text(), QStringLiteral("ottieni cm³"));
        QCOMPARE(form_->optScelta(1).Native().text(), QStringLiteral("ottieni litri/ora"));
        QCOMPARE(form_->cmdCalcola.Native().text(), QStringLiteral("calcola"));
        QVERIFY(
            form_->Native().windowTitle().startsWith(QStringLiteral("Quorvela -  07/2024  -  ")));
        QVERIFY(form_->Native().windowTitle().endsWith(QStringLiteral("@example.org")));
    }

    void textColoursOfTheBoxes_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("txtPortata magenta") << "txtPortata" << QColor(255, 0, 255);
        QTest::newRow("txtQuorvela blue") << "txtQuorvela" << QColor(0, 0, 255);
        QTest::newRow("txtLitriMinuto blue") << "txtLitriMinuto" << QColor(0, 0, 255);
    }
    void textColoursOfTheBoxes() {
        QFETCH(QString, name);
        QFETCH(QColor, colour);
        QCOMPARE(control(name)->palette().color(QPalette::Text), colour);
    }

    void theComboListsHoldTheFixedItems() {
        QStringList giri;
        for (int i = 0; i < form_->cboGiri.Native().count(); ++i) {
            giri << form_->cboGiri.Native().itemText(i);
        }
        QCOMPARE(giri, QStringList({"100", "200", "500", "1000", "1500", "2000", "2500"}));
        QStringList colpi;
        for (int i = 0; i < form_->cboColpi.Native().count(); ++i) {
            colpi << form_->cboColpi.Native().itemText(i);
        }
        QCOMPARE(colpi, QStringList({"200", "500", "1000"}));
        QCOMPARE(form_->cboGiri.Native().currentText(), QStringLiteral("1000"));
        QCOMPARE(form_->cboColpi.Native().currentText(), QStringLiteral("200"));
    }

    void imageShowsItsPictureAtItsOwnSize() {
        const QPixmap picture = form_->Image1.Native().pixmap();
        QVERIFY(!picture.isNull());
        QCOMPARE(picture.size(), QSize(55, 64));
        QVERIFY(!form_->Native().windowIcon().isNull());
        QVERIFY(form_->Native().windowIcon().availableSizes().contains(QSize(32, 32)));
    }

    void theRectanglesNeverTakeMouseOrFocus() {
        for (QWidget* shape :
             {control(QStringLiteral("Shape1")), control(QStringLiteral("Shape2"))}) {
            QVERIFY(shape->testAttribute(Qt::WA_TransparentForMouseEvents));
            QCOMPARE(shape->focusPolicy(), Qt::NoFocus);
        }
        // A click inside Shape2 on the volume box reaches the box.
        QTest::mouseClick(&form_->txtQuorvela.Native(), Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(FocusedControl(), &form_->txtQuorvela.Native());
    }

    void tabFromTxtPortataReachesTxtQuorvela() {
        QCOMPARE(FocusedControl(), &form_->txtPortata.Native());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(FocusedControl(), &form_->txtQuorvela.Native());
    }

    void tabWalksTheTabOrderAndWrapsFromCboColpi() {
        QCOMPARE(FocusedControl(), &form_->txtPortata.Native());
        // txtLitriMinuto is out of the Tab sequence; of the options only the
        // selected one takes the focus.
        const QList<QWidget*> expected{&form_->txtQuorvela.Native(), &form_->optScelta(0).Native(),
                                       &form_->cmdCalcola.Native(),  &form_->cboGiri.Native(),
                                       &form_->cboColpi.Native(),    &form_->txtPortata.Native()};
        for (QWidget* next : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(FocusedControl(), next);
        }
    }

    void aClickStillReachesTxtLitriMinuto() {
        QTest::mouseClick(&form_->txtLitriMinuto.Native(), Qt::LeftButton);
        QCOMPARE(FocusedControl(), &form_->txtLitriMinuto.Native());
    }
};

QUORVELA_GUI_TEST_MAIN(LayoutTest)
#include "tst_layout.moc"
