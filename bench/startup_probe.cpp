// The program's start-up, as app/main.cpp does it, ending after the window's
// first paint instead of running until the window is closed.

#include <QApplication>

#include "bench/first_paint.h"
#include "window/frmQuorvela.h"
#include "window/version.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(quorvela::version::ApplicationName));
    QApplication::setApplicationVersion(QString::fromUtf8(quorvela::version::Version));
    QApplication::setOrganizationDomain(QString::fromUtf8(quorvela::version::OrganizationDomain));
    QGuiApplication::setDesktopFileName(QString::fromUtf8(quorvela::version::ApplicationId));
    app.setProperty("description", QString::fromUtf8(quorvela::version::Description));

    quorvela::frmQuorvela form;
    const quorvela::bench::QuitAfterFirstPaint quit(form);
    quorvela::runtime::Start(form);
    return QApplication::exec();
}
