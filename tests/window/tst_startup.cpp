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
        quorvela::runtime::SetScreenSizeForTesting(QSize());
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
        quorvela::runtime::SetScreenSizeForTesting(screen);
        frmQuorvela form;
        form.Form_Load();
        QCOMPARE(form.Native().pos(), position);
        if (position.x() > 0) {
            const int left = form.Native().x();
            const int right = screen.width() - form.Native().width() - form.Native().x();
            const int above = form.Native().y();
            const int below = screen.height() - form.Native().height() - form.Native().y();
            QVERIFY(std::abs(left - right) <= 1);
            QVERIFY(std::abs(2 * above - below) <= 3);
        }
    }

    void loadRunsThePickAndModeHandlersBeforeEachWriteReturns() {
        frmQuorvela form;
        form.txtPortata.Native().setText(QStringLiteral("99"));
        form.Form_Load();
        // The stroke pick set the stroke time, the mode selection its emphasis,
        // and the focus moves they tried were refused while hidden.
        QCOMPARE(form.lblDescrizione(2).Native().text(), QStringLiteral("12 secondi"));
        const QString tip = QStringLiteral("a 1000 giri, 200 colpi si ottengono in 12 secondi");
        QCOMPARE(form.lblDescrizione(2).Native().toolTip(), tip);
        QCOMPARE(form.Image1.Native().toolTip(), tip);
        QVERIFY(form.optScelta(0).Native().isChecked());
        QVERIFY(form.optScelta(0).Native().font().bold());
        QCOMPARE(form.optScelta(0).Native().palette().color(QPalette::WindowText),
                 QColor(255, 0, 0));
        QVERIFY(form.lblDescrizione(3).Native().font().bold());
        QVERIFY(!form.lblDescrizione(4).Native().font().bold());
        QCOMPARE(form.txtPortata.Native().text(), QString());
        QCOMPARE(form.Native().windowTitle(),
                 QString::fromStdString(std::string(frmQuorvela::Layout().caption)));
        QVERIFY(guard_.Seen().isEmpty());
    }

    void theFirstShowMeetsTheUserInTheFlowMode() {
        const auto form = quorvela::testing::StartWindow();
        QVERIFY(form);
        QVERIFY(form->optScelta(1).Native().isChecked());
        QVERIFY(!form->optScelta(0).Native().isChecked());
        QVERIFY(form->optScelta(1).Native().font().bold());
        QVERIFY(!form->optScelta(0).Native().font().bold());
        QCOMPARE(form->optScelta(0).Native().palette().color(QPalette::WindowText),
                 QApplication::palette(&form->optScelta(0).Native()).color(QPalette::ButtonText));
        QVERIFY(form->lblDescrizione(4).Native().font().bold());
        QVERIFY(!form->lblDescrizione(3).Native().font().bold());
        QCOMPARE(quorvela::testing::FocusedControl(), &form->txtPortata.Native());
        QCOMPARE(form->lblDescrizione(2).Native().text(), QStringLiteral("12 secondi"));
        for (const auto* box : {&form->txtPortata.Native(), &form->txtQuorvela.Native(),
                                &form->txtLitriMinuto.Native()}) {
            QCOMPARE(box->text(), QString());
        }
        QVERIFY(guard_.Seen().isEmpty());
    }
};

QUORVELA_GUI_TEST_MAIN(StartupTest)
#include "tst_startup.moc"
