// Bytes turned into a short session on the real window, on the offscreen
// platform: each byte chooses the next action or one of its details, and
// every invariant of the randomized sessions is checked after every action.

#include <QApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>

#include "session.h"
#include "window_fixture.h"

namespace {

constexpr int MostActions = 48;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Every input runs in the same application, which lives as long as the
    // process: destroyed among the static objects at exit, it would outlive
    // parts of Qt it still needs.
    static auto* app = new QApplication(*argc, *argv);
    (void)app;
    QApplication::setApplicationName(QStringLiteral("Quorvela"));
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type >= QtCriticalMsg) {
            std::fprintf(stderr, "%s\n", qPrintable(message));
        }
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto form = quorvela::testing::StartWindow();
    if (form == nullptr) {
        std::fputs("the window did not start\n", stderr);
        std::abort();
    }
    quorvela::testing::Session session(*form);
    quorvela::testing::ByteChoices choices(std::span(data, size));
    for (int action = 1; action <= MostActions && !choices.Exhausted(); ++action) {
        session.Act(choices);
        const QStringList failures = session.Check();
        if (!failures.isEmpty()) {
            std::fprintf(stderr, "action %d:\n  %s\nlast actions:\n  %s\n", action,
                         qPrintable(failures.join(QStringLiteral("\n  "))),
                         qPrintable(session.Recent().join(QStringLiteral("\n  "))));
            std::abort();
        }
    }
    return 0;
}
