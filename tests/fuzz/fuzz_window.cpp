// Bytes turned into a short session on the real window, on Qt's offscreen
// platform: each byte chooses the next action or one of its details, and
// every invariant of the randomized sessions is checked after every action.

#include <QApplication>

#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <span>
#include <string>
#include <vector>

#include "driver.h"
#include "session.h"

namespace {

constexpr int MostActions = 48;

void Print(const char* heading, const std::vector<std::string>& lines) {
    std::cerr << heading << '\n';
    for (const std::string& line : lines) {
        std::cerr << "  " << line << '\n';
    }
}

}  // namespace

// libFuzzer's signature: it may change the command line, this target does not.
// NOLINTNEXTLINE(readability-non-const-parameter)
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Every input runs in the same application, which lives as long as the
    // process: destroyed among the static objects at exit, it would outlive
    // parts of Qt it still needs.
    static const auto* const application = new QApplication(*argc, *argv);
    (void)application;
    QApplication::setApplicationName(QStringLiteral("Quorvela"));
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type >= QtCriticalMsg) {
            std::cerr << message.toStdString() << std::endl;
        }
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    quorvela::test::StartedWindow started;
    quorvela::test::Session session(started.Drive());
    quorvela::test::ByteChoices choices(std::span(data, size));
    for (int action = 1; action <= MostActions && !choices.Exhausted(); ++action) {
        session.Act(choices);
        const std::vector<std::string> failures = session.Check();
        if (!failures.empty()) {
            std::cerr << "action " << action << ":\n";
            Print("failures:", failures);
            Print("last actions:", session.Recent());
            std::abort();
        }
    }
    return 0;
}
