#pragma once

// The boundary between the toolkit's event loop and the window's handlers.
// Every handler the runtime raises runs inside Dispatch: no C++ exception
// ever crosses the event loop or a window procedure. An error that leaves a
// handler is reported in the runtime's own message box and ends the program.

#include <functional>
#include <string>

namespace quorvela::runtime {

void Dispatch(const std::function<void()>& handler) noexcept;

// The runtime's report of an error number: "Errore di run-time '6':", a blank
// line, and the Italian description ("Overflow", ...).
[[nodiscard]] std::string RuntimeErrorText(int number);

// What follows the error box: by default the process ends at once with the
// error number as its exit status. Tests replace it to observe the report.
using TerminateHandler = std::function<void(int exitStatus)>;
void SetTerminateHandler(TerminateHandler handler);

// Shows the runtime's error box and returns when it is closed; each backend
// has its own.
void ShowRuntimeError(const std::string& text) noexcept;

// Delivers the events pending in the toolkit's queue; each backend has its
// own. DoEvents calls it, one pump at a time.
void PumpEvents();

}  // namespace quorvela::runtime
