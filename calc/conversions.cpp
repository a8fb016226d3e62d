#include "calc/conversions.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <memory>
#include <optional>

#include "calc/runtime_error.h"

namespace quorvela {
namespace {

constexpr bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The text as the C locale writes a number ("-12.5e+07"), when it reads as
// one: blanks around, a sign, digits with at most one comma, an exponent.
std::optional<std::string> canonical(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && text[begin] == ' ') {
        ++begin;
    }
    while (end > begin && text[end - 1] == ' ') {
        --end;
    }
    std::string out;
    std::size_t i = begin;
    if (i < end && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') {
            out.push_back('-');
        }
        ++i;
    }
    int digits = 0;
    bool comma = false;
    for (; i < end; ++i) {
        const char c = text[i];
        if (isDigit(c)) {
            ++digits;
            out.push_back(c);
        } else if (c == ',' && !comma) {
            comma = true;
            out.push_back('.');
        } else {
            break;
        }
    }
    if (digits == 0) {
        return std::nullopt;
    }
    if (i < end && (text[i] == 'E' || text[i] == 'e')) {
        out.push_back('e');
        ++i;
        if (i < end && (text[i] == '+' || text[i] == '-')) {
            out.push_back(text[i]);
            ++i;
        }
        int exponentDigits = 0;
        for (; i < end && isDigit(text[i]); ++i) {
            ++exponentDigits;
            out.push_back(text[i]);
        }
        if (exponentDigits == 0) {
            return std::nullopt;
        }
    }
    if (i != end) {
        return std::nullopt;
    }
    return out;
}

// For a number too far from one for its kind, in the form canonical()
// writes: whether it lies beyond the range (true) or so close to zero that it
// is held as zero (false). Told from the text alone, with no locale-dependent
// reader; the order of magnitude is far from zero in either case.
bool beyondRange(std::string_view number) {
    const std::size_t e = std::min(number.find('e'), number.size());
    const std::string_view mantissa = number.substr(0, e);
    const std::size_t first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos) {
        return false;
    }
    std::size_t point = mantissa.find('.');
    if (point == std::string_view::npos) {
        point = mantissa.size();
    }
    // The power of ten of the first significant digit, before the exponent.
    long long order = first < point ? static_cast<long long>(point - first) - 1
                                    : -static_cast<long long>(first - point);
    if (e < number.size()) {
        std::string_view exponent = number.substr(e + 1);
        const bool negative = exponent.front() == '-';
        if (exponent.front() == '+' || negative) {
            exponent.remove_prefix(1);
        }
        // Saturated: an exponent of any length decides by its sign alone.
        constexpr long long limit = std::numeric_limits<long long>::max() / 4;
        long long magnitude = 0;
        const auto [ptr, ec] =
            std::from_chars(exponent.data(), exponent.data() + exponent.size(), magnitude);
        if (ec == std::errc::result_out_of_range || magnitude > limit) {
            magnitude = limit;
        }
        order += negative ? -magnitude : magnitude;
    }
    return order >= 0;
}

template <class Number>
Number parse(std::string_view text) {
    const auto number = canonical(text);
    if (!number) {
        Raise(ErrorNumber::TypeMismatch);
    }
    Number value{};
    const char* first = number->data();
    const char* last = std::to_address(number->cend());
    const auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec == std::errc::result_out_of_range) {
        // Too small to hold is zero; too large is an overflow.
        if (beyondRange(*number)) {
            Raise(ErrorNumber::Overflow);
        }
        return Number{0};
    }
    if (ec != std::errc{} || ptr != last) {
        Raise(ErrorNumber::TypeMismatch);
    }
    return value;
}

template <class Integer>
Integer toInteger(std::string_view text) {
    const double value = std::nearbyint(parse<double>(text));  // ties to even
    if (!(value >= static_cast<double>(std::numeric_limits<Integer>::min()) &&
          value <= static_cast<double>(std::numeric_limits<Integer>::max()))) {
        Raise(ErrorNumber::Overflow);
    }
    return static_cast<Integer>(value);
}

}  // namespace

std::int16_t TextToInt16(std::string_view text) {
    return toInteger<std::int16_t>(text);
}
std::int32_t TextToInt32(std::string_view text) {
    return toInteger<std::int32_t>(text);
}

float TextToSingle(std::string_view text) {
    const auto value = parse<float>(text);
    if (!std::isfinite(value)) {
        Raise(ErrorNumber::Overflow);
    }
    return value == 0.0F ? 0.0F : value;
}

bool IsNumericText(std::string_view text) noexcept {
    try {
        return canonical(text).has_value();
    } catch (...) {
        return false;
    }
}

std::string SingleToText(float value) {
    if (value == 0.0F || !std::isfinite(value)) {
        return "0";
    }
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, 7);
    std::string text(buffer.data(), result.ptr);
    for (char& c : text) {
        if (c == '.') {
            c = ',';
        } else if (c == 'e') {
            c = 'E';
        }
    }
    return text;
}

float RoundDecimals(double x, int decimals) {
    if (!std::isfinite(x)) {
        Raise(ErrorNumber::Overflow);
    }
    const double scale = std::pow(10.0, decimals);
    const double product = x * scale;
    // The product is rounded; fma recovers its error, so a tie is judged on
    // the value actually held rather than on a rounded product.
    const double error = std::fma(x, scale, -product);
    double rounded = std::nearbyint(product);
    if (std::fabs(product - std::trunc(product)) == 0.5 && error != 0.0) {
        rounded = error > 0.0 ? std::ceil(product) : std::floor(product);
    }
    return ToSingle(rounded / scale);
}

double Divide(double dividend, double divisor) {
    if (divisor == 0.0) {
        Raise(dividend == 0.0 ? ErrorNumber::Overflow : ErrorNumber::DivisionByZero);
    }
    const double quotient = dividend / divisor;
    if (!std::isfinite(quotient)) {
        Raise(ErrorNumber::Overflow);
    }
    return quotient;
}

double Multiply(double left, double right) {
    const double product = left * right;
    if (!std::isfinite(product)) {
        Raise(ErrorNumber::Overflow);
    }
    return product;
}

float ToSingle(double value) {
    if (!std::isfinite(value) ||
        std::fabs(value) > static_cast<double>(std::numeric_limits<float>::max())) {
        Raise(ErrorNumber::Overflow);
    }
    const auto single = static_cast<float>(value);
    return single == 0.0F ? 0.0F : single;
}

}  // namespace quorvela
