#pragma once

// The boundary between Qt's event loop and the window's handlers. Every
// handler the runtime raises runs inside Dispatch: no C++ exception ever
// crosses the event loop. An error that leaves a handler is reported in the
// runtime's own message box and ends the program.

#include <functional>

namespace quorvela::runtime {

void Dispatch(const std::function<void()>& handler) noexcept;

// The runtime's Italian text for an error number ("Overflow", ...).
[[nodiscard]] const char* ErrorDescription(int number) noexcept;

// What follows the error box: by default the process ends at once with the
// error number as its exit status. Tests replace it to observe the report.
using TerminateHandler = std::function<void(int exitStatus)>;
void SetTerminateHandler(TerminateHandler handler);

}  // namespace quorvela::runtime
