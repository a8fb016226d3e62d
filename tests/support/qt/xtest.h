#pragma once

// Keys and clicks sent through the X server with XTest, as a user's input
// arrives: queued by the server until the program reads it. Apart from the
// driver because the X headers define names Qt uses.

namespace quorvela::test::xtest {

class Display {
public:
    Display() = default;
    ~Display();
    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;
    Display(Display&&) = delete;
    Display& operator=(Display&&) = delete;

    // Connects to the display the program uses, once; false without XTest.
    bool Open();
    // Press and release of the key with that X name ("Return", "5").
    void Key(const char* name);
    // Press and release of the left button at a point of the screen.
    void Click(int left, int top);
    // Until the server has taken everything sent.
    void Sync();

private:
    void* display_ = nullptr;
    bool extension_ = false;
};

}  // namespace quorvela::test::xtest
