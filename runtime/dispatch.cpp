#include "runtime/dispatch.h"

#include <cstdio>
#include <cstdlib>
#include <new>
#include <utility>

#include "calc/runtime_error.h"
#include "runtime/form.h"

namespace quorvela::runtime {
namespace {

TerminateHandler& terminateHandler() {
    static TerminateHandler handler;
    return handler;
}

const char* description(int number) noexcept {
    switch (number) {
        case 5:
            return "Chiamata di routine o argomento non validi";
        case 6:
            return "Overflow";
        case 7:
            return "Memoria esaurita";
        case 11:
            return "Divisione per zero";
        case 13:
            return "Tipo non corrispondente";
        default:
            return "Errore interno";
    }
}

void endProgram(int exitStatus) {
    if (terminateHandler()) {
        terminateHandler()(exitStatus);
        return;
    }
    std::fflush(nullptr);
    // Like the error box of any runtime: the program stops where it stands,
    // without running the rest of the handlers that enclose the failing one.
    std::_Exit(exitStatus);
}

void reportFatal(int number) noexcept {
    try {
        ShowRuntimeError(RuntimeErrorText(number));
    } catch (...) {
        std::fputs("Errore di run-time\n", stderr);
    }
    endProgram(number);
}

}  // namespace

std::string RuntimeErrorText(int number) {
    return "Errore di run-time '" + std::to_string(number) + "':\n\n" + description(number);
}

void SetTerminateHandler(TerminateHandler handler) {
    terminateHandler() = std::move(handler);
}

void Dispatch(const std::function<void()>& handler) noexcept {
    try {
        handler();
    } catch (const RuntimeError& error) {
        reportFatal(error.code());
    } catch (const std::bad_alloc&) {
        reportFatal(static_cast<int>(ErrorNumber::OutOfMemory));
    } catch (...) {
        reportFatal(static_cast<int>(ErrorNumber::InternalError));
    }
}

void DoEvents() {
    static bool pumping = false;
    if (pumping) {
        return;
    }
    // No handler's error leaves the pump: Dispatch takes it.
    pumping = true;
    PumpEvents();
    pumping = false;
}

}  // namespace quorvela::runtime
