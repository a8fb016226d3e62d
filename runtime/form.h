#pragma once

// The window the form runtime builds and shows, with the properties the
// window code reads and writes in twips.

#include <QSize>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <optional>
#include <vector>

#include "calc/runtime_error.h"

namespace quorvela::runtime {

// The primary screen's size, in twips as single-precision values.
class Screen {
public:
    [[nodiscard]] static float Width();
    [[nodiscard]] static float Height();
    // Tests stand in a screen of their own size (in pixels); nullopt restores the real one.
    static void SetSizeForTesting(std::optional<QSize> pixels);
};

class Form : public QWidget {
public:
    // A fixed window with the given client area in twips.
    Form(const QString& name, int clientWidthTwips, int clientHeightTwips);

    // Outer size, the frame included, in twips.
    [[nodiscard]] float Width() const;
    [[nodiscard]] float Height() const;
    void SetLeft(float twips);
    void SetTop(float twips);
    void SetCaption(const QString& caption) { setWindowTitle(caption); }

    // The Load event: raised once by Start, before the window is first shown.
    virtual void Form_Load() {}

    // The first control in tab order that can take the focus takes it.
    void FocusFirstControl() { focusNextChild(); }
};

// A control array addressed by a 0-based Index.
template <class Control>
class ControlArray {
public:
    void Add(Control* control) { items_.push_back(control); }
    Control& operator()(std::int16_t index) const {
        if (index < 0 || static_cast<std::size_t>(index) >= items_.size()) {
            Raise(ErrorNumber::InvalidProcedureCall);
        }
        return *items_[static_cast<std::size_t>(index)];
    }
    [[nodiscard]] std::size_t size() const noexcept { return items_.size(); }

private:
    std::vector<Control*> items_;
};

// Raises Load, then shows the window and gives the focus to the first
// control in tab order that can take it.
void Start(Form& form);
// Start, then the event loop until the window is closed.
int Run(Form& form);

// Lets pending events run, then returns.
void DoEvents();

// A modal message box; `style` as the classic button and icon flags (48: OK
// with the exclamation icon). Returns the button pressed (1: OK).
int MsgBox(const QString& prompt, int style, const QString& title);

}  // namespace quorvela::runtime
