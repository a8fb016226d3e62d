#include "calc/runtime_error.h"

namespace quorvela {

const char* RuntimeError::what() const noexcept {
    switch (number_) {
        case ErrorNumber::InvalidProcedureCall:
            return "invalid procedure call";
        case ErrorNumber::Overflow:
            return "overflow";
        case ErrorNumber::OutOfMemory:
            return "out of memory";
        case ErrorNumber::DivisionByZero:
            return "division by zero";
        case ErrorNumber::TypeMismatch:
            return "type mismatch";
        case ErrorNumber::InternalError:
            return "internal error";
    }
    return "run-time error";
}

void Raise(ErrorNumber number) {
    throw RuntimeError(number);
}

}  // namespace quorvela
