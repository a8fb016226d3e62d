// The built program as a user starts it: without a display, and with the
// options Qt would take from a command line the program does not have.

#include <QProcess>
#include <QTest>

#include "x_server.h"

using quorvela::testing::XServer;

namespace {

QString program() {
    return qEnvironmentVariable("QUORVELA_PROGRAM");
}

QProcessEnvironment environmentWithDisplay(const QString& display) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    if (display.isEmpty()) {
        environment.remove(QStringLiteral("DISPLAY"));
    } else {
        environment.insert(QStringLiteral("DISPLAY"), display);
    }
    return environment;
}

// The names of all windows on the display, as xwininfo lists them.
QString windowNames(const QString& display) {
    QProcess xwininfo;
    xwininfo.setProcessEnvironment(environmentWithDisplay(display));
    xwininfo.start(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-tree")});
    xwininfo.waitForFinished(10000);
    return QString::fromUtf8(xwininfo.readAllStandardOutput());
}

}  // namespace

class ApplicationTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY2(!program().isEmpty(), "QUORVELA_PROGRAM names no program"); }

    void withoutADisplayTheProgramSaysSoInOneItalianLine_data() {
        QTest::addColumn<QString>("display");
        QTest::newRow("DISPLAY not set") << QString();
        QTest::newRow("DISPLAY unreachable") << QStringLiteral(":64999");
    }
    void withoutADisplayTheProgramSaysSoInOneItalianLine() {
        QFETCH(QString, display);
        QProcess process;
        process.setProcessEnvironment(environmentWithDisplay(display));
        process.start(program(), QStringList());
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 1);
        QCOMPARE(QString::fromUtf8(process.readAllStandardError()),
                 QStringLiteral("Quorvela: nessuno schermo grafico disponibile (DISPLAY non "
                                "impostato o non raggiungibile).\n"));
    }

    void qtsOwnCommandLineOptionsHaveNoEffect() {
        const XServer server(XServer::Manager::None);
        QVERIFY2(!server.Display().isEmpty(), qPrintable(server.Error()));
        QProcess process;
        process.setProcessEnvironment(environmentWithDisplay(server.Display()));
        process.start(program(), {QStringLiteral("-qwindowtitle"), QStringLiteral("Intruso")});
        QVERIFY(process.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(
            windowNames(server.Display()).contains(QStringLiteral("\"Quorvela -  07/2024")), 20000);
        QVERIFY(!windowNames(server.Display()).contains(QStringLiteral("\"Intruso\"")));
        process.terminate();
        QVERIFY(process.waitForFinished(10000));
    }
};

QTEST_GUILESS_MAIN(ApplicationTest)
#include "tst_application.moc"
