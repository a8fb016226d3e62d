// Any bytes through the text conversions: no crash and no undefined
// behaviour; a text reads as a number exactly when IsNumericText says so and
// its value is in range, to the value the C library reads; everything
// SingleToText writes reads back as a number and is written again the same.

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "calc/conversions.h"
#include "calc/runtime_error.h"

namespace {

using quorvela::ErrorNumber;
using quorvela::RuntimeError;

[[noreturn]] void fail(const char* what, std::string_view text) {
    std::fprintf(stderr, "%s: '%.*s'\n", what, static_cast<int>(text.size()), text.data());
    std::abort();
}

// The value the C library reads from a text IsNumericText accepts, with the
// comma written as its full stop (this process keeps the "C" locale).
template <class Number>
Number libraryValue(std::string_view text) {
    std::string number(text);
    while (!number.empty() && number.back() == ' ') {
        number.pop_back();
    }
    const std::size_t first = number.find_first_not_of(' ');
    number.erase(0, first == std::string::npos ? number.size() : first);
    for (char& c : number) {
        if (c == ',') {
            c = '.';
        }
    }
    char* end = nullptr;
    errno = 0;
    Number value{};
    if constexpr (std::is_same_v<Number, float>) {
        value = std::strtof(number.c_str(), &end);
    } else {
        value = std::strtod(number.c_str(), &end);
    }
    if (end != number.c_str() + number.size()) {
        fail("IsNumericText accepts a text the C library does not read whole", text);
    }
    return value;
}

// The code a conversion raises, or nothing.
template <class Conversion>
std::optional<int> errorOf(Conversion conversion) {
    try {
        (void)conversion();
        return std::nullopt;
    } catch (const RuntimeError& error) {
        return error.code();
    }
}

template <class Integer, class Conversion>
void checkInteger(std::string_view text, bool numeric, Conversion conversion) {
    Integer value{};
    const auto error = errorOf([&] { value = conversion(text); });
    if (!numeric) {
        if (error != static_cast<int>(ErrorNumber::TypeMismatch)) {
            fail("an integer read from a text that is no number", text);
        }
        return;
    }
    const double rounded = std::nearbyint(libraryValue<double>(text));
    const bool inRange = rounded >= std::numeric_limits<Integer>::min() &&
                         rounded <= std::numeric_limits<Integer>::max();
    if (inRange && (error || value != rounded)) {
        fail("an integer in range not read to its rounded value", text);
    }
    if (!inRange && error != static_cast<int>(ErrorNumber::Overflow)) {
        fail("an integer out of range without an overflow", text);
    }
}

void checkSingle(std::string_view text, bool numeric) {
    float value = 0;
    const auto error = errorOf([&] { value = quorvela::TextToSingle(text); });
    if (!numeric) {
        if (error != static_cast<int>(ErrorNumber::TypeMismatch)) {
            fail("a single read from a text that is no number", text);
        }
        return;
    }
    const float expected = libraryValue<float>(text);
    if (std::isinf(expected)) {
        if (error != static_cast<int>(ErrorNumber::Overflow)) {
            fail("a single beyond the range without an overflow", text);
        }
    } else if (error || value != expected) {
        fail("a single not read to the C library's value", text);
    }
}

// What SingleToText writes for any finite single.
void checkWritten(float value) {
    const std::string text = quorvela::SingleToText(value);
    if (!quorvela::IsNumericText(text) || text.find('.') != std::string::npos || text == "-0") {
        fail("SingleToText wrote no number", text);
    }
    float back = 0;
    if (errorOf([&] { back = quorvela::TextToSingle(text); })) {
        fail("SingleToText wrote a text that does not read back", text);
    }
    // Seven significant digits: within half a unit of the seventh.
    if (std::fabs(static_cast<double>(back) - value) > 6e-7 * std::fabs(value)) {
        fail("SingleToText wrote a text that reads back to another number", text);
    }
    if (quorvela::SingleToText(back) != text) {
        fail("a text SingleToText wrote is written differently once read back", text);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const bool numeric = quorvela::IsNumericText(text);
    checkInteger<std::int16_t>(text, numeric,
                               [](std::string_view t) { return quorvela::TextToInt16(t); });
    checkInteger<std::int32_t>(text, numeric,
                               [](std::string_view t) { return quorvela::TextToInt32(t); });
    checkSingle(text, numeric);
    if (size >= sizeof(float)) {
        float value = 0;
        std::memcpy(&value, data, sizeof value);
        if (std::isfinite(value)) {
            checkWritten(value);
        }
    }
    return 0;
}
