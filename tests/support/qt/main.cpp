// The tests' main on Qt: the program's application on the offscreen platform
// unless told otherwise, then every test. A suite sent to the xcb platform with no
// X display to reach is skipped (77, CTest's SKIP_RETURN_CODE for them).

#include <QString>
#include <QtGlobal>

#include <cstdio>

#include <gtest/gtest.h>

#include "runtime/form.h"
#include "window/identity.h"

namespace {

// The offscreen platform's notes on what it cannot do (raise a window, grab
// the keyboard), repeated on every list that opens, would crowd out a report.
// Qt calls a plain function: the handler it replaced is kept here.
// NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables)
QtMessageHandler defaultHandler = nullptr;
void QuietOffscreen(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (!message.startsWith(QStringLiteral("This plugin does not support"))) {
        defaultHandler(type, context, message);
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    if (qgetenv("QT_QPA_PLATFORM") == "xcb" && qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::puts("no X display (DISPLAY is not set): skipped; scripts/with-display.sh starts one");
        return 77;
    }
    defaultHandler = qInstallMessageHandler(QuietOffscreen);
    ::testing::InitGoogleTest(&argc, argv);
    // The program's own application and identity, as its main makes them.
    const quorvela::runtime::Application application(argc, argv, quorvela::QuorvelaIdentity);
    return RUN_ALL_TESTS();
}
