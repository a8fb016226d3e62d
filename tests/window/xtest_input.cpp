#include "xtest_input.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace quorvela::testing {
namespace {

Display* display(void* handle) {
    return static_cast<Display*>(handle);
}

}  // namespace

bool XTestInput::Open() {
    display_ = XOpenDisplay(nullptr);
    if (display_ == nullptr) {
        return false;
    }
    int event = 0;
    int error = 0;
    int major = 0;
    int minor = 0;
    return XTestQueryExtension(display(display_), &event, &error, &major, &minor) == True;
}

XTestInput::~XTestInput() {
    if (display_ != nullptr) {
        XCloseDisplay(display(display_));
    }
}

void XTestInput::Key(const std::string& name) {
    const KeyCode code = XKeysymToKeycode(display(display_), XStringToKeysym(name.c_str()));
    XTestFakeKeyEvent(display(display_), code, True, CurrentTime);
    XTestFakeKeyEvent(display(display_), code, False, CurrentTime);
}

void XTestInput::Click(int x, int y) {
    XTestFakeMotionEvent(display(display_), -1, x, y, CurrentTime);
    XTestFakeButtonEvent(display(display_), 1, True, CurrentTime);
    XTestFakeButtonEvent(display(display_), 1, False, CurrentTime);
}

void XTestInput::Sync() {
    XSync(display(display_), False);
}

}  // namespace quorvela::testing
