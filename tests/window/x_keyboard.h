#pragma once

// Key presses through the X server (the XTest extension), as a keyboard or
// an automation tool makes them: they wait in the window system's queue until
// the program reads its events. Kept apart from Qt, whose names Xlib's macros
// would clash with.

#include <memory>

namespace quorvela::testing {

class XKeyboard {
public:
    // On the display that DISPLAY names.
    XKeyboard();
    ~XKeyboard();
    XKeyboard(const XKeyboard&) = delete;
    XKeyboard& operator=(const XKeyboard&) = delete;
    XKeyboard(XKeyboard&&) = delete;
    XKeyboard& operator=(XKeyboard&&) = delete;

    [[nodiscard]] bool IsOpen() const;
    // `key` by its X name: "Return", "5".
    void Press(const char* key, int times = 1);
    // Returns once the server has taken every key.
    void Sync();

private:
    struct Connection;
    std::unique_ptr<Connection> connection_;
};

}  // namespace quorvela::testing
