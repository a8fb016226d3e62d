// Start-up: the placement on the screen and what Load leaves behind before
// the window is first shown.

#include <QApplication>
#include <QTest>

#include "modal_guard.h"
#include "runtime/form.h"
#include "window_fixture.h"

using quorvela::frmQuorvela;
using quorvela::runtime::Screen;
using quorvela::testing::ModalGuard;

class StartupTest : public QObject {
    Q_OBJECT

private:
    ModalGuard guard_;

private Q_SLOTS:
    void init() { guard_.Reset(); }
    void cleanup() {
        Screen::SetSizeForTesting(std::nullopt);
        QVERIFY2(guard_.Unexpected().isEmpty(), qPrintable(guard_.Unexpected().join(u'\n')));
    }

    void placement_data() {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QPoint>("position");
        // The free width split equally, a third of the free height above.
        QTest::newRow("large screen") << QSize(1920, 1080) << QPoint(708, 247);
        QTest::newRow("exactly the window") << QSize(505, 340) << QPoint(0, 0);
        // A window larger than the screen is not pulled back onto it.
        QTest::newRow("small screen") << QSize(400, 300) << QPoint(-53, -13);
    }
    void placement() {
        QFETCH(QSize, screen);
        QFETCH(QPoint, position);
        Screen::SetSizeForTesting(screen);
        frmQuorvela form;
        form.Form_Load();
        QCOMPARE(form.pos(), position);
        if (position.x() > 0) {
            const int left = form.x();
            const int right = screen.width() - form.width() - form.x();
            const int above = form.y();
            const int below = screen.height() - form.height() - form.y();
            QVERIFY(std::abs(left - right) <= 1);
            QVERIFY(std::abs(2 * above - below) <= 3);
        }
    }

    void loadRunsThePickAndModeHandlersBeforeEachWriteReturns() {
        frmQuorvela form;
        form.txtPortata->setText(QStringLiteral("99"));
        form.Form_Load();
        // The stroke pick set the stroke time, the mode selection its emphasis,
        // and the focus moves they tried were refused while hidden.
        QCOMPARE(form.lblDescrizione(2).text(), QStringLiteral("12 secondi"));
        const QString tip = QStringLiteral("a 1000 giri, 200 colpi si ottengono in 12 secondi");
        QCOMPARE(form.lblDescrizione(2).toolTip(), tip);
        QCOMPARE(form.Image1->toolTip(), tip);
        QVERIFY(form.optScelta(0).isChecked());
        QVERIFY(form.optScelta(0).font().bold());
        QCOMPARE(form.optScelta(0).palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QVERIFY(form.lblDescrizione(3).font().bold());
        QVERIFY(!form.lblDescrizione(4).font().bold());
        QCOMPARE(form.txtPortata->text(), QString());
        QCOMPARE(form.windowTitle(), frmQuorvela::CaptionText());
        QVERIFY(guard_.Seen().isEmpty());
    }

    void theFirstShowMeetsTheUserInTheFlowMode() {
        const auto form = quorvela::testing::StartWindow();
        QVERIFY(form);
        QVERIFY(form->optScelta(1).isChecked());
        QVERIFY(!form->optScelta(0).isChecked());
        QVERIFY(form->optScelta(1).font().bold());
        QVERIFY(!form->optScelta(0).font().bold());
        QCOMPARE(form->optScelta(0).palette().color(QPalette::WindowText),
                 QApplication::palette(&form->optScelta(0)).color(QPalette::ButtonText));
        QVERIFY(form->lblDescrizione(4).font().bold());
        QVERIFY(!form->lblDescrizione(3).font().bold());
        QCOMPARE(quorvela::testing::FocusedControl(), form->txtPortata);
        QCOMPARE(form->lblDescrizione(2).text(), QStringLiteral("12 secondi"));
        for (const auto* box : {form->txtPortata, form->txtQuorvela, form->txtLitriMinuto}) {
            QCOMPARE(box->text(), QString());
        }
        QVERIFY(guard_.Seen().isEmpty());
    }
};

QUORVELA_GUI_TEST_MAIN(StartupTest)
#include "tst_startup.moc"
