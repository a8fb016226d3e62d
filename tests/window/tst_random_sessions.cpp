// Randomized sessions on the real window: thousands of keystrokes, clicks,
// picks and typed texts from fixed seeds, the window held to the model's
// exact figures after every input event. A failure prints the command that
// replays it and the actions that led to it; a seed gives the same session
// on any machine, however loaded.
//
// A longer run on demand:
//   QUORVELA_SESSION_SEED=123 QUORVELA_SESSION_ACTIONS=200000 tst_random_sessions
// QUORVELA_SESSION_TRACE=file writes every action to the file.

#include <QFile>
#include <QTest>

#include "modal_guard.h"
#include "session.h"
#include "window_fixture.h"

using quorvela::testing::SeededChoices;
using quorvela::testing::Session;
using quorvela::testing::StartWindow;

namespace {

// The offscreen platform's notes on what it cannot do, repeated on every
// list that opens, would crowd out the report.
QtMessageHandler defaultHandler = nullptr;
void quietOffscreen(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QStringLiteral("This plugin does not support"))) {
        return;
    }
    defaultHandler(type, context, message);
}

}  // namespace

class RandomSessionsTest : public QObject {
    Q_OBJECT

public:
    RandomSessionsTest() {
        // A long run on demand outlasts QtTest's five-minute watchdog, whose
        // abort would look like a crash: a bound that grows with the run.
        const int actions = qEnvironmentVariableIntValue("QUORVELA_SESSION_ACTIONS");
        if (actions > 0 && !qEnvironmentVariableIsSet("QTEST_FUNCTION_TIMEOUT")) {
            const qint64 bound = 300000 + 20 * static_cast<qint64>(actions);  // ms
            qputenv("QTEST_FUNCTION_TIMEOUT", QByteArray::number(bound));
        }
    }

private Q_SLOTS:
    void initTestCase() { defaultHandler = qInstallMessageHandler(quietOffscreen); }
    void cleanupTestCase() { qInstallMessageHandler(defaultHandler); }

    void everyInvariantHoldsAfterEveryAction_data() {
        QTest::addColumn<quint64>("seed");
        QTest::addColumn<int>("actions");
        const QByteArray seed = qgetenv("QUORVELA_SESSION_SEED");
        const QByteArray actions = qgetenv("QUORVELA_SESSION_ACTIONS");
        if (!seed.isEmpty() || !actions.isEmpty()) {
            const quint64 chosen = seed.isEmpty() ? 1 : seed.toULongLong();
            const int count = actions.isEmpty() ? 5000 : actions.toInt();
            QTest::addRow("seed %llu", chosen) << chosen << count;
            return;
        }
        // 20,000 actions in all.
        for (const quint64 fixed : {1ULL, 2ULL, 20261207ULL, 0x5eedULL}) {
            QTest::addRow("seed %llu", fixed) << fixed << 5000;
        }
    }

    void everyInvariantHoldsAfterEveryAction() {
        QFETCH(quint64, seed);
        QFETCH(int, actions);
        const auto form = StartWindow();
        QVERIFY(form != nullptr);
        Session session(*form);
        SeededChoices choices(seed);
        // Every action, one a line, for comparing two runs of a seed.
        QFile trace(qEnvironmentVariable("QUORVELA_SESSION_TRACE"));
        if (!trace.fileName().isEmpty()) {
            QVERIFY(trace.open(QIODevice::WriteOnly | QIODevice::Text));
        }
        for (int action = 1; action <= actions; ++action) {
            const QString what = session.Act(choices);
            if (trace.isOpen()) {
                trace.write(what.toUtf8() + '\n');
            }
            const QStringList failures = session.Check();
            if (!failures.isEmpty()) {
                const QString report =
                    QStringLiteral(
                        "seed %1, action %2:\n  %3\nlast actions:\n  %4\nreplay: "
                        "QUORVELA_SESSION_SEED=%1 QUORVELA_SESSION_ACTIONS=%2 %5")
                        .arg(seed)
                        .arg(action)
                        .arg(failures.join(QStringLiteral("\n  ")),
                             session.Recent().join(QStringLiteral("\n  ")),
                             QCoreApplication::applicationFilePath());
                QFAIL(qPrintable(report));
            }
        }
        qInfo("seed %llu: %d actions, %d calculations, %d speed warnings", seed, actions,
              session.Calculations(), session.SpeedWarnings());
        // A session that never calculates proves little.
        QVERIFY(session.Calculations() > actions / 50);
    }
};

QUORVELA_GUI_TEST_MAIN(RandomSessionsTest)
#include "tst_random_sessions.moc"
