#include "runtime/form.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>

#include <cmath>

#include "runtime/dispatch.h"
#include "runtime/units.h"

namespace quorvela::runtime {
namespace {

std::optional<QSize>& screenOverride() {
    static std::optional<QSize> size;
    return size;
}

QSize screenPixels() {
    if (screenOverride()) {
        return *screenOverride();
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->geometry().size() : QSize();
}

int twipsToWholePixels(float twips) {
    return static_cast<int>(std::lround(twips / static_cast<float>(TwipsPerPixel)));
}

}  // namespace

float Screen::Width() { return static_cast<float>(PixelsToTwips(screenPixels().width())); }
float Screen::Height() { return static_cast<float>(PixelsToTwips(screenPixels().height())); }
void Screen::SetSizeForTesting(std::optional<QSize> pixels) { screenOverride() = pixels; }

Form::Form(const QString& name, int clientWidthTwips, int clientHeightTwips) {
    setObjectName(name);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(TwipsToPixels(clientWidthTwips), TwipsToPixels(clientHeightTwips));
}

float Form::Width() const { return static_cast<float>(PixelsToTwips(frameGeometry().width())); }
float Form::Height() const { return static_cast<float>(PixelsToTwips(frameGeometry().height())); }
void Form::SetLeft(float twips) { move(twipsToWholePixels(twips), pos().y()); }
void Form::SetTop(float twips) { move(pos().x(), twipsToWholePixels(twips)); }

void Start(Form& form) {
    Dispatch([&form] { form.Form_Load(); });
    form.show();
    form.raise();
    form.activateWindow();
    // Window managers (and the offscreen platform) may activate the window
    // later or not at all: the first control in tab order takes the focus
    // now, so its focus handler runs on every platform.
    if (QApplication::focusWidget() == nullptr || QApplication::focusWidget()->window() != &form) {
#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
        QApplication::setActiveWindow(&form);
#endif
        if (form.focusWidget() == nullptr) {
            form.FocusFirstControl();
        }
    }
}

int Run(Form& form) {
    Start(form);
    return QApplication::exec();
}

void DoEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

int MsgBox(const QString& prompt, int style, const QString& title) {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (style & 0x70) {
        case 16:
            icon = QMessageBox::Critical;
            break;
        case 32:
            icon = QMessageBox::Question;
            break;
        case 48:
            icon = QMessageBox::Warning;
            break;
        case 64:
            icon = QMessageBox::Information;
            break;
        default:
            break;
    }
    QMessageBox box(icon, title, prompt, QMessageBox::Ok, QApplication::activeWindow());
    box.setObjectName(QStringLiteral("msgBox"));
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    return 1;
}

}  // namespace quorvela::runtime
