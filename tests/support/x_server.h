#pragma once

// A private X server for the tests that need real window-system input or a
// real window manager: Xvfb on a free display number, optionally with a
// window manager, both ended with the object.

#include <QApplication>
#include <QProcess>
#include <QSize>
#include <QString>
#include <QTest>

#include <cstdio>
#include <memory>

namespace quorvela::testing {

class XServer {
public:
    enum class Manager { None, Openbox };

    explicit XServer(Manager manager, QSize screen = QSize(1280, 1024));
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;
    XServer(XServer&&) = delete;
    XServer& operator=(XServer&&) = delete;

    // ":N", or empty when the server (or its manager) could not be started;
    // Error() then says why.
    [[nodiscard]] const QString& Display() const { return display_; }
    [[nodiscard]] const QString& Error() const { return error_; }

private:
    bool startServer(QSize screen);
    bool startManager();

    std::unique_ptr<QProcess> server_;
    std::unique_ptr<QProcess> manager_;
    QString display_;
    QString error_;
};

// Every test's main that runs on its own X server through the xcb platform.
#define QUORVELA_X_SERVER_TEST_MAIN(TestClass, manager)               \
    int main(int argc, char* argv[]) {                                \
        const quorvela::testing::XServer server(manager);             \
        if (server.Display().isEmpty()) {                             \
            std::fprintf(stderr, "%s\n", qPrintable(server.Error())); \
            return 1;                                                 \
        }                                                             \
        qputenv("DISPLAY", server.Display().toLocal8Bit());           \
        qputenv("QT_QPA_PLATFORM", "xcb");                            \
        qunsetenv("WAYLAND_DISPLAY");                                 \
        QApplication app(argc, argv);                                 \
        QApplication::setApplicationName(QStringLiteral("Quorvela")); \
        TestClass test;                                               \
        return QTest::qExec(&test, argc, argv);                       \
    }

}  // namespace quorvela::testing
