#pragma once

// How a handler reacts to a run-time error. Three modes exist:
//  - statement-level skipping: a failing statement is abandoned, whatever it
//    held is released (its locals go out of scope) and the next one runs;
//  - leave at once: the handler ends quietly at the first error;
//  - none: the error goes to the caller, and from an event handler to the
//    runtime's boundary (see Dispatch), which reports it and ends the program.

#include <functional>
#include <initializer_list>
#include <span>

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

// Statements run in order, each skipped on its own error.
void SkipErrors(std::initializer_list<std::function<void()>> statements);

// The body runs until its first error, which ends it quietly.
template <class Body>
void LeaveOnError(Body&& body) {
    try {
        std::forward<Body>(body)();
    } catch (const RuntimeError&) {
        // Leaving quietly is this handler's chosen answer to any run-time error.
        return;
    }
}

// A procedure written as numbered units under statement-level skipping. Each
// unit returns the number of the unit to run next, NextUnit, or EndRun. A unit
// that raises is abandoned and the run continues with the following unit, so
// an error while a test is evaluated enters the block that the test guards.
struct Units {
    static constexpr int NextUnit = -1;
    static constexpr int EndRun = 0;
    using Unit = std::function<int()>;

    // Units are numbered from 1 in the order given.
    static void Run(std::span<const Unit> units);
};

}  // namespace quorvela::runtime
