// Qt only: an X11 window manager's frame. On the tests' X display, under
// openbox, the window is placed once, centred across the screen and at a
// third of the free height with the manager's frame counted. Windows draws
// its frames itself; the layout suite checks the Windows window's place.

#include <QApplication>
#include <QDeadlineTimer>
#include <QPointer>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "runtime/form.h"
#include "runtime/qt/native.h"
#include "window/frmQuorvela.h"

namespace quorvela::test {
namespace {

// The display's window manager for the test: openbox, started here and ended
// with the object, unless a manager is at work there already.
class WindowManager {
public:
    WindowManager() {
        if (managed()) {
            return;
        }
        openbox_ = std::make_unique<QProcess>();
        openbox_->setStandardOutputFile(QProcess::nullDevice());
        openbox_->setStandardErrorFile(QProcess::nullDevice());
        openbox_->start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
        if (!openbox_->waitForStarted(10000)) {
            error_ = "openbox could not be started (scripts/setup.sh installs it)";
            return;
        }
        // At work once it has announced itself, the last step before it
        // takes requests.
        const QDeadlineTimer deadline(20000);
        while (!managed()) {
            if (deadline.hasExpired() || openbox_->state() != QProcess::Running) {
                error_ = "openbox did not take over the display";
                return;
            }
            QThread::msleep(50);
        }
    }
    ~WindowManager() {
        if (openbox_ != nullptr && openbox_->state() != QProcess::NotRunning) {
            openbox_->terminate();
            if (!openbox_->waitForFinished(5000)) {
                openbox_->kill();
                openbox_->waitForFinished(5000);
            }
        }
    }
    WindowManager(const WindowManager&) = delete;
    WindowManager& operator=(const WindowManager&) = delete;
    WindowManager(WindowManager&&) = delete;
    WindowManager& operator=(WindowManager&&) = delete;

    [[nodiscard]] const std::string& Error() const { return error_; }

private:
    // A manager announces itself by a window of its own named on the root
    // window; the name outlives a manager that has ended, its window does not.
    static bool managed() {
        const QString check =
            xprop({QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")});
        const auto id = check.section(QLatin1Char('#'), 1).trimmed();
        return !id.isEmpty() && xprop({QStringLiteral("-id"), id, QStringLiteral("_NET_WM_NAME")})
                                    .contains(QLatin1Char('='));
    }
    static QString xprop(const QStringList& arguments) {
        QProcess probe;
        probe.start(QStringLiteral("xprop"), arguments);
        probe.waitForFinished(5000);
        return probe.exitCode() == 0 ? QString::fromUtf8(probe.readAllStandardOutput()) : QString();
    }

    std::unique_ptr<QProcess> openbox_;
    std::string error_;
};

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

TEST(Placement, TheWindowIsPlacedOnceWithItsFrameCounted) {
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
    const WindowManager manager;
    ASSERT_EQ(manager.Error(), "");
    frmQuorvela form;
    QWidget& window = form.Native();
    runtime::Start(form);
    const MoveRecorder moves(&window);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.frameGeometry() != window.geometry(); }));
    QTest::qWait(300);  // any late move from the manager or the runtime
    const QRect frame = window.frameGeometry();
    const QRect screen = window.screen()->geometry();
    const int left = frame.left() - screen.left();
    const int right = screen.right() - frame.right();
    const int above = frame.top() - screen.top();
    const int below = screen.bottom() - frame.bottom();
    EXPECT_LE(std::abs(left - right), 1) << left << " left, " << right << " right";
    EXPECT_LE(std::abs(2 * above - below), 2) << above << " above, " << below << " below";
    // Qt reports the window once at its place inside the new frame, when
    // the manager reparents it; every place on the screen is the last one.
    const QPoint insideFrame = window.geometry().topLeft() - frame.topLeft();
    for (const QPoint& position : moves.Positions()) {
        if (position != insideFrame) {
            EXPECT_EQ(position, window.geometry().topLeft());
        }
    }
}

}  // namespace
}  // namespace quorvela::test
