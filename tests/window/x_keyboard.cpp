#include "x_keyboard.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace quorvela::testing {

struct XKeyboard::Connection {
    Display* display = XOpenDisplay(nullptr);
    ~Connection() {
        if (display != nullptr) {
            XCloseDisplay(display);
        }
    }
};

XKeyboard::XKeyboard() : connection_(std::make_unique<Connection>()) {}
XKeyboard::~XKeyboard() = default;

bool XKeyboard::IsOpen() const { return connection_->display != nullptr; }

void XKeyboard::Press(const char* key, int times) {
    Display* display = connection_->display;
    const KeyCode code = XKeysymToKeycode(display, XStringToKeysym(key));
    for (int i = 0; i < times; ++i) {
        XTestFakeKeyEvent(display, code, True, CurrentTime);
        XTestFakeKeyEvent(display, code, False, CurrentTime);
    }
}

void XKeyboard::Sync() { XSync(connection_->display, False); }

}  // namespace quorvela::testing
