#pragma once

// Keys and clicks sent through the X server with XTest, as a user's input
// arrives: queued by the server until the program reads it. Kept apart from
// the tests because the X headers define names Qt uses.

#include <string>

namespace quorvela::testing {

class XTestInput {
public:
    // Connects to the display the program uses; false without XTest.
    bool Open();
    ~XTestInput();
    XTestInput() = default;
    XTestInput(const XTestInput&) = delete;
    XTestInput& operator=(const XTestInput&) = delete;
    XTestInput(XTestInput&&) = delete;
    XTestInput& operator=(XTestInput&&) = delete;

    // Press and release of the key with that X name ("Return", "5").
    void Key(const std::string& name);
    // Press and release of the left button at a point of the screen.
    void Click(int x, int y);
    // Until the server has taken everything sent.
    void Sync();

private:
    void* display_ = nullptr;
};

}  // namespace quorvela::testing
