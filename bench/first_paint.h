#pragma once

// Ends the event loop once the window has been painted for the first time.
// The start-up probe and the baseline share this code, so that a start-up
// measured from outside ends at the same point in both programs.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

namespace quorvela::bench {

class QuitAfterFirstPaint final : public QObject {
public:
    // Install before the window is first shown, or its first paint is missed.
    explicit QuitAfterFirstPaint(QWidget& window) {
        window.installEventFilter(this);
        // A window that is never painted must not hang a measurement.
        QTimer::singleShot(10000, this, [] { QCoreApplication::exit(1); });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !painted_) {
            painted_ = true;
            // Quit once the paint in progress has reached the backing store.
            QTimer::singleShot(0, this, [] { QCoreApplication::quit(); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool painted_ = false;
};

}  // namespace quorvela::bench
