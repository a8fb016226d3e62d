#include "qt/xtest.h"

#ifdef QUORVELA_WITH_XTEST
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#endif

namespace quorvela::test::xtest {

#ifdef QUORVELA_WITH_XTEST

namespace {
::Display* x(void* handle) {
    return static_cast<::Display*>(handle);
}
}  // namespace

bool Display::Open() {
    if (display_ == nullptr) {
        display_ = XOpenDisplay(nullptr);
        int event = 0;
        int error = 0;
        int major = 0;
        int minor = 0;
        extension_ = display_ != nullptr &&
                     XTestQueryExtension(x(display_), &event, &error, &major, &minor) == True;
    }
    return extension_;
}

Display::~Display() {
    if (display_ != nullptr) {
        XCloseDisplay(x(display_));
    }
}

void Display::Key(const char* name) {
    const KeyCode code = XKeysymToKeycode(x(display_), XStringToKeysym(name));
    XTestFakeKeyEvent(x(display_), code, True, CurrentTime);
    XTestFakeKeyEvent(x(display_), code, False, CurrentTime);
}

void Display::Click(int left, int top) {
    XTestFakeMotionEvent(x(display_), -1, left, top, CurrentTime);
    XTestFakeButtonEvent(x(display_), 1, True, CurrentTime);
    XTestFakeButtonEvent(x(display_), 1, False, CurrentTime);
}

void Display::Sync() {
    XSync(x(display_), False);
}

#else  // built without XTest: nothing can be queued

bool Display::Open() {
    return false;
}
Display::~Display() = default;
void Display::Key(const char* /*name*/) {}
void Display::Click(int /*left*/, int /*top*/) {}
void Display::Sync() {}

#endif

}  // namespace quorvela::test::xtest
