#include "x_server.h"

#include <QDeadlineTimer>
#include <QThread>

namespace quorvela::testing {

XServer::XServer(Manager manager, QSize screen) {
    if (startServer(screen) && manager == Manager::Openbox && !startManager()) {
        display_.clear();
    }
}

XServer::~XServer() {
    for (auto* process : {manager_.get(), server_.get()}) {
        if (process != nullptr && process->state() != QProcess::NotRunning) {
            process->terminate();
            if (!process->waitForFinished(5000)) {
                process->kill();
                process->waitForFinished(5000);
            }
        }
    }
}

bool XServer::startServer(QSize screen) {
    server_ = std::make_unique<QProcess>();
    server_->setProcessChannelMode(QProcess::SeparateChannels);
    server_->setStandardErrorFile(QProcess::nullDevice());
    // The server picks a free display number itself and writes it to the
    // descriptor given, here its standard output.
    server_->start(
        QStringLiteral("Xvfb"),
        {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
         QStringLiteral("0"), QStringLiteral("%1x%2x24").arg(screen.width()).arg(screen.height()),
         QStringLiteral("-nolisten"), QStringLiteral("tcp"), QStringLiteral("-noreset")});
    if (!server_->waitForStarted(10000)) {
        error_ = QStringLiteral("Xvfb could not be started (scripts/setup.sh installs it)");
        return false;
    }
    QByteArray number;
    const QDeadlineTimer deadline(20000);
    while (!number.contains('\n') && !deadline.hasExpired() &&
           server_->state() == QProcess::Running) {
        server_->waitForReadyRead(100);
        number += server_->readAllStandardOutput();
    }
    if (!number.contains('\n')) {
        error_ = QStringLiteral("Xvfb gave no display number");
        return false;
    }
    display_ = QStringLiteral(":") + QString::fromLatin1(number.trimmed());
    return true;
}

bool XServer::startManager() {
    manager_ = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display_);
    manager_->setProcessEnvironment(environment);
    manager_->setStandardOutputFile(QProcess::nullDevice());
    manager_->setStandardErrorFile(QProcess::nullDevice());
    manager_->start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
    if (!manager_->waitForStarted(10000)) {
        error_ = QStringLiteral("openbox could not be started (scripts/setup.sh installs it)");
        return false;
    }
    // The manager is at work once it has set up its desktops, the last step
    // before it takes requests.
    const QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired() && manager_->state() == QProcess::Running) {
        QProcess probe;
        probe.setProcessEnvironment(environment);
        probe.start(QStringLiteral("xprop"),
                    {QStringLiteral("-root"), QStringLiteral("_NET_NUMBER_OF_DESKTOPS")});
        probe.waitForFinished(5000);
        if (probe.readAllStandardOutput().contains("=")) {
            return true;
        }
        QThread::msleep(50);
    }
    error_ = QStringLiteral("openbox did not take over the display");
    return false;
}

}  // namespace quorvela::testing
