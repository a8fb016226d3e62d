// The window's placement on a real X server under a window manager, whose
// frame the placement counts.

#include <QApplication>
#include <QPointer>
#include <QTest>

#include <cstdlib>

#include "runtime/form.h"
#include "window_fixture.h"
#include "x_server.h"

using quorvela::frmQuorvela;
using quorvela::testing::XServer;

namespace {

// The window's positions as the window system reports them, from the show on.
class MoveRecorder : public QObject {
public:
    explicit MoveRecorder(QWidget* window) : window_(window) { window->installEventFilter(this); }

    [[nodiscard]] const QList<QPoint>& Positions() const { return positions_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::Move) {
            positions_.append(window_->geometry().topLeft());
        }
        return false;
    }

private:
    QPointer<QWidget> window_;
    QList<QPoint> positions_;
};

}  // namespace

class PlacementTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theWindowIsPlacedOnceWithItsFrameCounted() {
        frmQuorvela form;
        QWidget& window = form.Native();
        quorvela::runtime::Start(form);
        const MoveRecorder moves(&window);
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY(window.frameGeometry() != window.geometry());
        QTest::qWait(300);  // any late move from the manager or the runtime
        const QRect frame = window.frameGeometry();
        const QRect screen = window.screen()->geometry();
        const int left = frame.left() - screen.left();
        const int right = screen.right() - frame.right();
        const int above = frame.top() - screen.top();
        const int below = screen.bottom() - frame.bottom();
        QVERIFY2(std::abs(left - right) <= 1,
                 qPrintable(QStringLiteral("%1 left, %2 right").arg(left).arg(right)));
        QVERIFY2(std::abs(2 * above - below) <= 2,
                 qPrintable(QStringLiteral("%1 above, %2 below").arg(above).arg(below)));
        // Qt reports the window once at its place inside the new frame, when
        // the manager reparents it; every place on the screen is the last one.
        const QPoint insideFrame = window.geometry().topLeft() - frame.topLeft();
        for (const QPoint& position : moves.Positions()) {
            if (position != insideFrame) {
                QCOMPARE(position, window.geometry().topLeft());
            }
        }
    }
};

QUORVELA_X_SERVER_TEST_MAIN(PlacementTest, XServer::Manager::Openbox)
#include "tst_placement.moc"
