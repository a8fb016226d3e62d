#pragma once

// The window the form runtime builds from a layout and shows, with the
// properties the window code reads and writes in twips, and the services
// around it: the screen, the message box, event pumping.

#include <memory>
#include <string_view>

#include "runtime/controls.h"
#include "runtime/layout.h"

namespace quorvela::runtime {

class NativeForm;
class FormCore;

class Form {
public:
    // Builds the window and its controls, hidden.
    explicit Form(const FormLayout& layout);
    ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    Form(Form&&) = delete;
    Form& operator=(Form&&) = delete;

    // Outer size, the frame included, in twips.
    [[nodiscard]] float Width() const;
    [[nodiscard]] float Height() const;
    void SetLeft(float twips);
    void SetTop(float twips);
    void SetCaption(std::string_view caption);

    // Raised once by Start, before the window is first shown.
    void OnLoad(Handler handler);

    [[nodiscard]] NativeForm& Native() const { return *native_; }
    [[nodiscard]] FormCore& Core() const { return *core_; }

private:
    std::unique_ptr<NativeForm> native_;
    FormCore* core_;
};

// The primary screen's size, in twips as single-precision values.
struct Screen {
    [[nodiscard]] static float Width();
    [[nodiscard]] static float Height();
};

// Raises Load, then shows the window and gives the focus to the first
// control in tab order that can take it: Load, then Show.
void Start(Form& form);
void Load(Form& form);
void Show(Form& form);

// Tests stand the window on a screen of their own size, in pixels; 0 by 0
// restores the real one.
void SetScreenSizeForTesting(int width, int height);

// Lets pending events run, then returns. Entered again by an event it
// delivers, it returns at once and the outer call delivers the rest, each
// event once and in order: a burst of queued Enter keys, each running a
// command that lets events run, would otherwise nest until the stack is gone.
void DoEvents();

// A modal message box; `style` as the classic button and icon flags (48: OK
// with the exclamation icon). Returns the button pressed (1: OK).
int MsgBox(std::string_view prompt, int style, std::string_view title);

// How the program names itself to the desktop.
struct Identity {
    std::string_view name;
    std::string_view version;
    std::string_view organizationDomain;
    std::string_view applicationId;
    std::string_view description;
};

// The toolkit's application: one a process, before any window. It takes no
// command line.
class Application {
public:
    Application(int argc, char** argv, const Identity& identity);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;
    Application(Application&&) = delete;
    Application& operator=(Application&&) = delete;

    // Start, then the event loop until the window is closed; the exit status.
    int Run(Form& form);

private:
    struct Native;
    std::unique_ptr<Native> native_;
};

}  // namespace quorvela::runtime
