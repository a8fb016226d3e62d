#include "modal_guard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>

namespace quorvela::testing {

ModalGuard::ModalGuard() {
    timer_.setInterval(5);
    connect(&timer_, &QTimer::timeout, this, &ModalGuard::poll);
    timer_.start();
}

void ModalGuard::ExpectMessageBox() {
    ++expected_;
}

void ModalGuard::Reset() {
    expected_ = 0;
    seen_.clear();
    unexpected_.clear();
}

void ModalGuard::poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible()) {
        return;
    }
    SeenBox box;
    box.objectName = modal->objectName();
    box.title = modal->windowTitle();
    box.modal = modal->isModal();
    auto* messageBox = qobject_cast<QMessageBox*>(modal);
    if (messageBox != nullptr) {
        box.text = messageBox->text();
        box.icon = messageBox->icon();
        box.buttonCount = static_cast<int>(messageBox->buttons().size());
    }
    seen_.append(box);
    if (expected_ > 0) {
        --expected_;
    } else {
        unexpected_.append(box.title + QStringLiteral(": ") + box.text);
    }
    if (onBox_) {
        onBox_(box);
    }
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        dialog->accept();
    } else {
        modal->close();
    }
}

}  // namespace quorvela::testing
