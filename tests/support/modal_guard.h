#pragma once

// Watches for modal dialogs while a test drives the window. A dialog the
// test expects is read and closed by its handler; any other one fails the
// test (and is closed, so that the test cannot hang on it).

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>

namespace quorvela::testing {

struct SeenBox {
    QString objectName;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttonCount = 0;
    bool modal = false;
};

class ModalGuard : public QObject {
public:
    ModalGuard();

    // The next modal dialog is expected: it is recorded and closed with OK.
    void ExpectMessageBox();
    // Called whenever a box is seen, after it is recorded, before it closes.
    void OnBox(std::function<void(const SeenBox&)> callback) { onBox_ = std::move(callback); }

    [[nodiscard]] const QList<SeenBox>& Seen() const { return seen_; }
    [[nodiscard]] const QStringList& Unexpected() const { return unexpected_; }
    void Reset();

private:
    void poll();

    QTimer timer_;
    int expected_ = 0;
    QList<SeenBox> seen_;
    QStringList unexpected_;
    std::function<void(const SeenBox&)> onBox_;
};

}  // namespace quorvela::testing
