#pragma once

// Conversions between the texts the window shows and the numbers it computes
// with. Texts are UTF-8. The decimal separator is always the comma, whatever
// the machine's locale: the keystroke filter only ever produces commas.

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvela {

// Text to number: optional surrounding blanks, an optional sign, digits with
// at most one decimal comma, optionally followed by an exponent ("1,5E+07").
// Not a number (the empty text included): error 13. Integers are rounded half
// to even, then range-checked: error 6 outside the range.
[[nodiscard]] std::int16_t TextToInt16(std::string_view text);
[[nodiscard]] std::int32_t TextToInt32(std::string_view text);
// Error 6 beyond the single range.
[[nodiscard]] float TextToSingle(std::string_view text);

// True exactly when the text reads as a number (whatever its range).
[[nodiscard]] bool IsNumericText(std::string_view text) noexcept;

// 7 significant digits, decimal comma, no trailing zeros, never "-0";
// exponent form ("1,66665E+07") from 1E+07 up and below 1E-04.
[[nodiscard]] std::string SingleToText(float value);

// x rounded to `decimals` places, an exact tie (judged on the value held, not
// its decimal text) going to the even digit; stored as a single (error 6 when
// it overflows the single range).
[[nodiscard]] float RoundDecimals(double x, int decimals);

// Checked arithmetic. A non-zero value divided by zero raises 11, 0 / 0 raises
// 6, a result beyond the range raises 6: no infinity or NaN is ever produced.
[[nodiscard]] double Divide(double dividend, double divisor);
[[nodiscard]] double Multiply(double left, double right);
// Narrowing to a single: error 6 when the value lies beyond the single range.
[[nodiscard]] float ToSingle(double value);

}  // namespace quorvela
