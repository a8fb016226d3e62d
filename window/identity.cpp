#include "window/identity.h"

#include <QApplication>
#include <QString>
#include <QVariant>

#include "quorvela/version.h"

namespace quorvela {

void SetApplicationIdentity(QApplication& app) {
    QApplication::setApplicationName(QString::fromUtf8(version::ApplicationName));
    QApplication::setApplicationVersion(QString::fromUtf8(version::Version));
    QApplication::setOrganizationDomain(QString::fromUtf8(version::OrganizationDomain));
    QGuiApplication::setDesktopFileName(QString::fromUtf8(version::ApplicationId));
    app.setProperty("description", QString::fromUtf8(version::Description));
}

}  // namespace quorvela
