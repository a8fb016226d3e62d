// Qt only: the program as a user starts it, where Qt meets the system:
// without a display, and with the options Qt would take from a command line
// the program does not have. A Windows program always has its desktop and
// takes no Qt options.

#include <QCoreApplication>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

namespace quorvela::test {
namespace {

QString Program() {
    return qEnvironmentVariable("QUORVELA_PROGRAM");
}

QProcessEnvironment WithDisplay(const QString& display) {
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
QString WindowNames() {
    QProcess xwininfo;
    xwininfo.start(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-tree")});
    xwininfo.waitForFinished(10000);
    return QString::fromUtf8(xwininfo.readAllStandardOutput());
}

struct NoDisplay {
    const char* name;
    const char* display;
};

class WithoutADisplay : public ::testing::TestWithParam<NoDisplay> {};

TEST_P(WithoutADisplay, TheProgramSaysSoInOneItalianLine) {
    ASSERT_FALSE(Program().isEmpty()) << "QUORVELA_PROGRAM names no program";
    QProcess process;
    process.setProcessEnvironment(WithDisplay(QString::fromLatin1(GetParam().display)));
    process.start(Program(), QStringList());
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_EQ(process.readAllStandardError().toStdString(),
              "Quorvela: nessuno schermo grafico disponibile (DISPLAY non impostato o non "
              "raggiungibile).\n");
}

INSTANTIATE_TEST_SUITE_P(Application, WithoutADisplay,
                         ::testing::Values(NoDisplay{"DISPLAY not set", ""},
                                           NoDisplay{"DISPLAY unreachable", ":64999"}),
                         [](const auto& row) {
                             return *row.param.display == '\0' ? "Unset" : "Unreachable";
                         });

TEST(Application, QtsOwnCommandLineOptionsHaveNoEffect) {
    const QString display = qEnvironmentVariable("DISPLAY");
    if (display.isEmpty()) {
        GTEST_SKIP() << "no X display (DISPLAY is not set); scripts/with-display.sh starts one";
    }
    QProcess process;
    process.setProcessEnvironment(WithDisplay(display));
    process.start(Program(), {QStringLiteral("-qwindowtitle"), QStringLiteral("Intruso")});
    ASSERT_TRUE(process.waitForStarted());
    EXPECT_TRUE(QTest::qWaitFor(
        [] { return WindowNames().contains(QStringLiteral("\"Quorvela -  07/2024")); }, 20000));
    EXPECT_FALSE(WindowNames().contains(QStringLiteral("\"Intruso\"")));
    process.terminate();
    EXPECT_TRUE(process.waitForFinished(10000));
}

}  // namespace
}  // namespace quorvela::test

// QProcess and the waits need an application; no display is asked for.
int main(int argc, char* argv[]) {
    const QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
