#pragma once

#include <exception>

namespace quorvela {

// The run-time error numbers the program can raise. The numbers are part of the
// program's behaviour: handlers decide by them what to skip and what to report.
enum class ErrorNumber : int {
    InvalidProcedureCall = 5,
    Overflow = 6,
    OutOfMemory = 7,
    DivisionByZero = 11,
    TypeMismatch = 13,
    InternalError = 51,
};

// A run-time error: a failed conversion, a failed piece of arithmetic or a
// control operation the window refused.
class RuntimeError : public std::exception {
public:
    explicit RuntimeError(ErrorNumber number) noexcept : number_(number) {}

    [[nodiscard]] ErrorNumber number() const noexcept { return number_; }
    [[nodiscard]] int code() const noexcept { return static_cast<int>(number_); }
    [[nodiscard]] const char* what() const noexcept override;

private:
    ErrorNumber number_;
};

[[noreturn]] void Raise(ErrorNumber number);

}  // namespace quorvela
