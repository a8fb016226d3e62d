// Any bytes through the conversions, the checked arithmetic and the three
// formulas, each held to a reference that is not the code under test: the
// number form as a regular expression, the C library's readers and "%.7G",
// exact rounding of the double's binary value, IEEE arithmetic, the tests'
// own model of the formulas. No crash, no undefined behaviour.

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iomanip>
#include <iostream>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "calc/conversions.h"
#include "calc/formulas.h"
#include "calc/runtime_error.h"
#include "oracle.h"

namespace {

using quorvela::ErrorNumber;
using quorvela::RuntimeError;

constexpr int Overflow = static_cast<int>(ErrorNumber::Overflow);
constexpr int DivisionByZero = static_cast<int>(ErrorNumber::DivisionByZero);
constexpr int TypeMismatch = static_cast<int>(ErrorNumber::TypeMismatch);

// The regular expression recurses once a character: longer texts are left
// to the other checks.
constexpr std::size_t LongestFormChecked = 256;

[[noreturn]] void fail(const char* what, std::string_view text) {
    std::cerr << what << ": '" << text << "'" << std::endl;
    std::abort();
}

[[noreturn]] void fail(const char* what, double value) {
    std::cerr << what << ": " << std::setprecision(17) << value << " (" << std::hexfloat << value
              << ")" << std::endl;
    std::abort();
}

// The value the C library reads from a number text, with the comma written
// as its full stop (this process keeps the "C" locale).
template <class Number>
Number libraryValue(std::string_view text) {
    std::string number;
    for (const char c : text) {
        if (c != ' ') {
            number.push_back(c == ',' ? '.' : c);
        }
    }
    char* end = nullptr;
    Number value{};
    if constexpr (std::is_same_v<Number, float>) {
        value = std::strtof(number.c_str(), &end);
    } else {
        value = std::strtod(number.c_str(), &end);
    }
    if (end - number.c_str() != static_cast<std::ptrdiff_t>(number.size())) {
        fail("a number text the C library does not read whole", text);
    }
    return value;
}

// The code a call raises, or 0.
template <class Call>
int errorOf(Call call) {
    try {
        (void)call();
        return 0;
    } catch (const RuntimeError& error) {
        return error.code();
    }
}

template <class Integer, class Conversion>
void checkInteger(std::string_view text, bool numeric, Conversion conversion) {
    Integer value{};
    const int error = errorOf([&] { return value = conversion(text); });
    if (!numeric) {
        if (error != TypeMismatch) {
            fail("an integer read from a text that is no number", text);
        }
        return;
    }
    const double rounded = std::nearbyint(libraryValue<double>(text));
    const bool inRange = rounded >= std::numeric_limits<Integer>::min() &&
                         rounded <= std::numeric_limits<Integer>::max();
    if (inRange && (error != 0 || value != rounded)) {
        fail("an integer in range not read to its rounded value", text);
    }
    if (!inRange && error != Overflow) {
        fail("an integer out of range without an overflow", text);
    }
}

void checkSingle(std::string_view text, bool numeric) {
    float value = 0;
    const int error = errorOf([&] { return value = quorvela::TextToSingle(text); });
    if (!numeric) {
        if (error != TypeMismatch) {
            fail("a single read from a text that is no number", text);
        }
        return;
    }
    const auto expected = libraryValue<float>(text);
    if (std::isinf(expected)) {
        if (error != Overflow) {
            fail("a single beyond the range without an overflow", text);
        }
    } else if (error != 0 || value != expected) {
        fail("a single not read to the C library's value", text);
    }
}

// The text as "%.7G" writes the single, with the decimal comma.
void checkWritten(float value) {
    if (quorvela::SingleToText(value) != quorvela::oracle::Figure(value)) {
        fail("SingleToText differs from %.7G", value);
    }
}

// Rounding to n decimals against the exact binary value: ties go to the even
// digit only when the value held is a tie.
void checkRounded(double x) {
    if (!std::isfinite(x)) {
        if (errorOf([&] { return quorvela::RoundDecimals(x, 1); }) != Overflow) {
            fail("RoundDecimals of no finite number without an overflow", x);
        }
        return;
    }
    if (std::fabs(x) >= 0x1p40) {
        return;  // whole numbers at this size, and beyond the model's exact range
    }
    for (int decimals = 0; decimals <= 2; ++decimals) {
        float value = 0;
        const int error = errorOf([&] { return value = quorvela::RoundDecimals(x, decimals); });
        const std::optional<float> expected = quorvela::oracle::Rounded(x, decimals);
        if (expected ? (error != 0 || value != *expected) : error != Overflow) {
            fail("RoundDecimals differs from exact rounding", x);
        }
    }
}

// The checked arithmetic against IEEE arithmetic: no infinity or NaN comes
// out, a division by zero raises 11 (0 / 0 raises 6), anything else not
// finite raises 6.
void checkArithmetic(double a, double b) {
    double value = 0;
    int error = errorOf([&] { return value = quorvela::Divide(a, b); });
    int expected =
        b == 0.0 ? (a == 0.0 ? Overflow : DivisionByZero) : (std::isfinite(a / b) ? 0 : Overflow);
    if (error != expected || (error == 0 && value != a / b)) {
        fail("Divide differs from IEEE division", b);
    }
    error = errorOf([&] { return value = quorvela::Multiply(a, b); });
    expected = std::isfinite(a * b) ? 0 : Overflow;
    if (error != expected || (error == 0 && value != a * b)) {
        fail("Multiply differs from IEEE multiplication", b);
    }
    float single = 0;
    error = errorOf([&] { return single = quorvela::ToSingle(a); });
    const bool fits = std::fabs(a) <= static_cast<double>(std::numeric_limits<float>::max());
    // Zero of either sign, underflow included, is held as plain zero.
    const float narrowed = static_cast<float>(a) == 0.0F ? 0.0F : static_cast<float>(a);
    if (fits ? (error != 0 || single != narrowed || std::signbit(single) != std::signbit(narrowed))
             : error != Overflow) {
        fail("ToSingle differs from narrowing", a);
    }
}

// The formulas against the model: the same single, or both raising.
template <class Formula, class Model>
void checkFormula(const char* name, Formula formula, Model model) {
    float value = 0;
    const int error = errorOf([&] { return value = formula(); });
    const std::optional<float> expected = model();
    if (expected ? (error != 0 || value != *expected) : error == 0) {
        std::cerr << name << " gives " << std::setprecision(9) << value << " (error " << error
                  << "), the model " << (expected ? std::to_string(*expected) : "an error")
                  << std::endl;
        std::abort();
    }
}

template <class Number>
Number numberAt(std::span<const std::uint8_t> bytes, std::size_t offset) {
    Number value{};
    if (offset + sizeof value <= bytes.size()) {
        std::memcpy(&value, bytes.subspan(offset).data(), sizeof value);
    }
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span bytes(data, size);
    // libFuzzer's bytes read as a text.
    // NOLINTNEXTLINE(cppcoreguidelines-pro-type-reinterpret-cast)
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const bool numeric = quorvela::IsNumericText(text);
    if (size <= LongestFormChecked && numeric != quorvela::oracle::IsNumber(text)) {
        fail(numeric ? "IsNumericText accepts a text outside the number form"
                     : "IsNumericText refuses a text of the number form",
             text);
    }
    checkInteger<std::int16_t>(text, numeric,
                               [](std::string_view t) { return quorvela::TextToInt16(t); });
    checkInteger<std::int32_t>(text, numeric,
                               [](std::string_view t) { return quorvela::TextToInt32(t); });
    checkSingle(text, numeric);

    // The same bytes as numbers: a single, two doubles, and a whole number
    // over a power of two, which makes exact ties common.
    const auto single = numberAt<float>(bytes, 0);
    if (std::isfinite(single)) {
        checkWritten(single);
    }
    checkRounded(single);
    const auto a = numberAt<double>(bytes, 0);
    const auto b = numberAt<double>(bytes, 8);
    checkRounded(a);
    checkArithmetic(a, b);
    checkArithmetic(single, numberAt<float>(bytes, 4));
    const auto giri16 = numberAt<std::int16_t>(bytes, 0);
    const auto colpi16 = numberAt<std::int16_t>(bytes, 2);
    checkFormula(
        "TempoColpi", [&] { return quorvela::TempoColpi(giri16, colpi16); },
        [&] { return quorvela::oracle::TempoColpi(giri16, colpi16); });
    const auto portata = numberAt<std::int32_t>(bytes, 0);
    const auto giri = numberAt<std::int32_t>(bytes, 4);
    const auto colpi = numberAt<std::int32_t>(bytes, 8);
    const auto litriOra = numberAt<float>(bytes, 0);
    checkFormula(
        "PortataOraria", [&] { return quorvela::PortataOraria(portata, giri, colpi); },
        [&] { return quorvela::oracle::PortataOraria(portata, giri, colpi); });
    if (std::isfinite(litriOra)) {
        checkFormula(
            "VolumeColpi", [&] { return quorvela::VolumeColpi(litriOra, giri, colpi); },
            [&] { return quorvela::oracle::VolumeColpi(litriOra, giri, colpi); });
    }
    const auto whole = numberAt<std::int32_t>(bytes, 0);
    checkRounded(std::ldexp(static_cast<double>(whole), -static_cast<int>(size % 8)));
    return 0;
}
