// Input through the X server's queue, as a desktop delivers it: keys and
// clicks sent with XTest to an Xvfb display pile up while a handler runs,
// and event pumping in the calculate command really delivers them, nested
// one pump deep at most.
// Needs the xcb platform (ctest runs it under xvfb-run).

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include "figure_watch.h"
#include "modal_guard.h"
#include "window_fixture.h"
#include "xtest_input.h"

using quorvela::frmQuorvela;
using quorvela::testing::FigureWatch;
using quorvela::testing::ModalGuard;
using quorvela::testing::StartWindow;
using quorvela::testing::WindowWidgets;
using quorvela::testing::XTestInput;

namespace {

// Counts what reaches the window: Enter presses and releases of the button.
class Delivered final : public QObject {
public:
    Delivered(const QWidget* box, const QWidget* button) : box_(box), button_(button) {
        qApp->installEventFilter(this);
    }
    ~Delivered() override { qApp->removeEventFilter(this); }
    Delivered(const Delivered&) = delete;
    Delivered& operator=(const Delivered&) = delete;
    Delivered(Delivered&&) = delete;
    Delivered& operator=(Delivered&&) = delete;

    int enters = 0;
    int clicks = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == box_ && event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return) {
            ++enters;
        } else if (watched == button_ && event->type() == QEvent::MouseButtonRelease) {
            ++clicks;
        }
        return false;
    }

private:
    const QWidget* box_;
    const QWidget* button_;
};

}  // namespace

class QueuedInputTest : public QObject {
    Q_OBJECT

private:
    XTestInput input_;
    ModalGuard guard_;

    // Presses and releases the left button over the middle of `widget`.
    void click(const QWidget* widget) {
        const QPoint at = widget->mapToGlobal(widget->rect().center());
        input_.Click(at.x(), at.y());
    }

private Q_SLOTS:
    void initTestCase() {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) {
            QSKIP("needs the xcb platform on an X display (ctest runs it under xvfb-run)");
        }
        QVERIFY2(input_.Open(), "no X display with the XTest extension");
    }

    void queuedEntersAndClicksIntoAnEmptyInputLeaveEveryFigureRight_data() {
        QTest::addColumn<int>("count");
        QTest::newRow("50 of each") << 50;
        QTest::newRow("5,000 of each") << 5000;
    }
    void queuedEntersAndClicksIntoAnEmptyInputLeaveEveryFigureRight() {
        QFETCH(int, count);
        // Each Enter's run pumps events and would run the next Enter inside
        // itself: thousands of them nested until the stack overflowed.
        guard_.Reset();
        const auto form = StartWindow();
        QVERIFY(form != nullptr);
        const WindowWidgets widgets = quorvela::testing::Widgets(*form);
        QVERIFY(QTest::qWaitForWindowActive(widgets.form));
        QCOMPARE(QApplication::focusWidget(), widgets.portata);
        QVERIFY(widgets.portata->text().isEmpty());

        FigureWatch watch(widgets);
        Delivered delivered(widgets.portata, widgets.calcola);
        watch.Begin();
        // All of them queued before the first is handled.
        for (int i = 0; i < count; ++i) {
            input_.Key("Return");
        }
        for (int i = 0; i < count; ++i) {
            click(widgets.calcola);
        }
        input_.Sync();
        // A bound for a hung program, not a measure of speed.
        QTRY_VERIFY_WITH_TIMEOUT(delivered.enters == count && delivered.clicks == count, 120000);
        QTRY_COMPARE(QApplication::focusWidget(), widgets.portata);
        QStringList failures = watch.End();
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(u'\n')));

        // Still answering: '50' and Enter give the figures of 50 cm³.
        watch.Begin();
        input_.Key("5");
        input_.Key("0");
        input_.Key("Return");
        input_.Sync();
        QTRY_COMPARE(delivered.enters, count + 1);
        failures = watch.End();
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(u'\n')));
        QCOMPARE(widgets.quorvela->text(), QStringLiteral("15"));
        QCOMPARE(watch.Calculations(), 1);
        QVERIFY(guard_.Seen().isEmpty());
        QVERIFY2(guard_.Unexpected().isEmpty(), qPrintable(guard_.Unexpected().join(u'\n')));
    }
};

QUORVELA_GUI_TEST_MAIN(QueuedInputTest)
#include "tst_queued_input.moc"
