#pragma once

// How a handler reacts to a run-time error. Three modes exist:
//  - statement-level skipping: a failing statement is abandoned, whatever it
//    held is released (its locals go out of scope) and the next one runs;
//  - leave at once: the handler ends quietly at the first error;
//  - none: the error goes to the caller, and from an event handler to the
//    runtime's boundary (see Dispatch), which reports it and ends the program.

#include <utility>

#include "calc/runtime_error.h"

namespace quorvela::runtime {

// One statement under statement-level skipping. Returns whether it completed.
template <class Statement>
bool SkipOnError(Statement&& statement) {
    try {
        std::forward<Statement>(statement)();
        return true;
    } catch (const RuntimeError&) {
        return false;
    }
}

// The body runs until its first error, which ends it quietly.
template <class Body>
void LeaveOnError(Body&& body) {
    SkipOnError(std::forward<Body>(body));
}

}  // namespace quorvela::runtime
