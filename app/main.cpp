#include <QApplication>

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
    return quorvela::runtime::Run(form);
}
