// Text to number, number to text, rounding and checked arithmetic, on each
// build's own C and C++ runtime: glibc's on Linux, MinGW's and Windows' C
// library under Wine, whose parsing and printing of numbers differ.

#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "calc/conversions.h"
#include "calc/runtime_error.h"
#include "error_of.h"
#include "row_name.h"

namespace quorvela::test {
namespace {

struct Int16Row {
    const char* name;
    const char* text;
    int value;
    int error;
};

class TextToInt16Rows : public ::testing::TestWithParam<Int16Row> {};

TEST_P(TextToInt16Rows, ReadsRoundsHalfToEvenAndChecksTheRange) {
    const Int16Row& row = GetParam();
    std::int16_t got = 0;
    EXPECT_EQ(ErrorOf([&] { got = TextToInt16(row.text); }), row.error);
    EXPECT_EQ(got, row.value);
    EXPECT_EQ(IsNumericText(row.text), row.error != 13);
}

INSTANTIATE_TEST_SUITE_P(
    Conversions, TextToInt16Rows,
    ::testing::Values(
        // plain numbers
        Int16Row{"1000", "1000", 1000, 0}, Int16Row{"minus 5", "-5", -5, 0},
        Int16Row{"plus 7", "+7", 7, 0}, Int16Row{"blanks around", "  42 ", 42, 0},
        Int16Row{"32767", "32767", 32767, 0}, Int16Row{"minus 32768", "-32768", -32768, 0},
        // rounding half to even
        Int16Row{"12,5", "12,5", 12, 0}, Int16Row{"13,5", "13,5", 14, 0},
        Int16Row{"2,4", "2,4", 2, 0}, Int16Row{"minus 2,5", "-2,5", -2, 0},
        Int16Row{"comma 5", ",5", 0, 0}, Int16Row{"exponent", "1,5E+03", 1500, 0},
        // range
        Int16Row{"32768", "32768", 0, 6}, Int16Row{"32767,5", "32767,5", 0, 6},
        Int16Row{"40000", "40000", 0, 6}, Int16Row{"huge exponent", "1E+400", 0, 6},
        Int16Row{"huge with a comma", "1,5E+400", 0, 6},
        Int16Row{"huge negative with a comma", "-1,5E+400", 0, 6},
        Int16Row{"tiny with a comma", "1,5E-400", 0, 0},
        // not numbers
        Int16Row{"empty", "", 0, 13}, Int16Row{"blank", " ", 0, 13},
        Int16Row{"lone comma", ",", 0, 13}, Int16Row{"abc", "abc", 0, 13},
        Int16Row{"full stop", "1.5", 0, 13}, Int16Row{"two commas", "1,2,3", 0, 13},
        Int16Row{"sign alone", "-", 0, 13}, Int16Row{"inner blank", "1 000", 0, 13},
        Int16Row{"exponent without digits", "1E", 0, 13}, Int16Row{"inf", "inf", 0, 13},
        Int16Row{"nan", "nan", 0, 13}, Int16Row{"hex", "0x10", 0, 13}),
    ByRowName{});

TEST(Conversions, TextToInt32AcceptsWhatTheSixteenBitKindRefuses) {
    EXPECT_EQ(TextToInt32("40000"), 40000);
    EXPECT_EQ(TextToInt32("2147483647"), 2147483647);
    EXPECT_EQ(ErrorOf([] { (void)TextToInt32("2147483648"); }), 6);
    EXPECT_EQ(ErrorOf([] { (void)TextToInt32(""); }), 13);
}

struct SingleRow {
    const char* name;
    const char* text;
    float value;
    int error;
};

const auto SingleRows = std::to_array<SingleRow>({
    {"12,5", "12,5", 12.5F, 0},
    {"0,2", "0,2", 0.2F, 0},
    {"exponent written back", "1,66665E+07", 1.66665e7F, 0},
    {"small exponent", "1E-05", 1e-5F, 0},
    {"minus zero", "-0", 0.0F, 0},
    {"underflow is zero", "1E-60", 0.0F, 0},
    {"beyond single", "1E+39", 0.0F, 6},
    // beyond or below every range: which of the two, told from the text
    {"beyond, with a comma", "1,5E+39", 0.0F, 6},
    {"beyond, negative", "-1,5E+39", 0.0F, 6},
    {"beyond, below one before the exponent", "0,5E+39", 0.0F, 6},
    {"beyond, leading fraction zeros", "0,0001E+43", 0.0F, 6},
    {"beyond, many digits", "100000000000000000000000000000000000000000", 0.0F, 6},
    {"below, with a comma", "1,5E-60", 0.0F, 0},
    {"below, many digits before the exponent", "100000E-70", 0.0F, 0},
    {"exponent beyond any integer", "1E+99999999999999999999", 0.0F, 6},
    {"exponent below any integer", "1E-99999999999999999999", 0.0F, 0},
    {"zero, huge exponent", "0,000E+99999", 0.0F, 0},
    {"lone comma", ",", 0.0F, 13},
    {"full stop", "12.5", 0.0F, 13},
});

class TextToSingleRows : public ::testing::TestWithParam<SingleRow> {};

TEST_P(TextToSingleRows, ReadsTheNearestSingleOrRaises) {
    const SingleRow& row = GetParam();
    float got = 0.0F;
    EXPECT_EQ(ErrorOf([&] { got = TextToSingle(row.text); }), row.error);
    EXPECT_EQ(got, row.value);
    EXPECT_FALSE(std::signbit(got));
}

// The texts always carry a comma, whatever the process's locale: the
// application takes the user's locale, whose separator may be the comma too.
TEST_P(TextToSingleRows, ReadsTheSameUnderALocaleWithADecimalComma) {
    const SingleRow& row = GetParam();
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    // The names of an Italian locale in glibc and in Windows' C library.
    const auto candidates =
        std::to_array({"it_IT.UTF-8", "it_IT.utf8", "de_DE.UTF-8", "Italian_Italy.1252", "ita"});
    bool commaLocale = false;
    for (const char* name : candidates) {
        if (std::setlocale(LC_ALL, name) != nullptr &&
            std::strcmp(std::localeconv()->decimal_point, ",") == 0) {
            commaLocale = true;
            break;
        }
    }
    float got = 0.0F;
    const int raised = ErrorOf([&] { got = TextToSingle(row.text); });
    std::int16_t whole = 0;
    const int wholeRaised = ErrorOf([&] { whole = TextToInt16(row.text); });
    std::setlocale(LC_ALL, saved.c_str());
    if (!commaLocale) {
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    }
    EXPECT_EQ(raised, row.error);
    EXPECT_EQ(got, row.value);
    if (row.error == 6) {
        EXPECT_EQ(wholeRaised, 6);
        EXPECT_EQ(whole, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Conversions, TextToSingleRows, ::testing::ValuesIn(SingleRows),
                         ByRowName{});

struct TextRow {
    const char* name;
    float value;
    const char* text;
};

class SingleToTextRows : public ::testing::TestWithParam<TextRow> {};

TEST_P(SingleToTextRows, WritesSevenSignificantDigitsWithAComma) {
    EXPECT_EQ(SingleToText(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Conversions, SingleToTextRows,
    ::testing::Values(TextRow{"12", 12.0F, "12"}, TextRow{"12,5", 12.5F, "12,5"},
                      TextRow{"0,2", 0.2F, "0,2"}, TextRow{"one third", 1.0F / 3.0F, "0,3333333"},
                      TextRow{"negative", -4.8F, "-4,8"}, TextRow{"minus zero", -0.0F, "0"},
                      TextRow{"133333,3", 133333.3F, "133333,3"},
                      TextRow{"exponent form", 16666500.0F, "1,66665E+07"},
                      TextRow{"1E+07", 1e7F, "1E+07"}, TextRow{"9999999", 9999999.0F, "9999999"},
                      TextRow{"0,0001", 0.0001F, "0,0001"},
                      TextRow{"small exponent", 0.00001F, "1E-05"},
                      TextRow{"largest", 3.4028235e38F, "3,402823E+38"}),
    ByRowName{});

struct Rounding {
    const char* name;
    double x;
    int decimals;
    float rounded;
};

class RoundDecimalsRows : public ::testing::TestWithParam<Rounding> {};

TEST_P(RoundDecimalsRows, RoundsTheValueHeldTiesToEven) {
    const Rounding& row = GetParam();
    EXPECT_EQ(RoundDecimals(row.x, row.decimals), row.rounded);
}

INSTANTIATE_TEST_SUITE_P(
    Conversions, RoundDecimalsRows,
    ::testing::Values(Rounding{"tie down to even", 0.25, 1, 0.2F},
                      Rounding{"12,25", 12.25, 1, 12.2F}, Rounding{"12,75", 12.75, 1, 12.8F},
                      Rounding{"0,35 held as a single", static_cast<double>(0.35F), 1, 0.3F},
                      Rounding{"0,2166667", 0.2166667, 2, 0.22F},
                      Rounding{"41,666", 12.5 * 1000 / 60 / 5, 1, 41.7F},
                      Rounding{"negative tie", -0.25, 1, -0.2F}, Rounding{"whole", 15.0, 1, 15.0F}),
    ByRowName{});

TEST(Conversions, CheckedArithmeticRaisesInsteadOfInfinities) {
    EXPECT_EQ(ErrorOf([] { (void)Divide(1000, 0); }), 11);
    EXPECT_EQ(ErrorOf([] { (void)Divide(0, 0); }), 6);
    EXPECT_EQ(ErrorOf([] { (void)Multiply(1e308, 10); }), 6);
    EXPECT_EQ(ErrorOf([] { (void)ToSingle(1e39); }), 6);
    EXPECT_EQ(ErrorOf([] { (void)RoundDecimals(1e39, 1); }), 6);
    // Within an ulp: 32-bit x87 code may compare its wider register.
    EXPECT_DOUBLE_EQ(Divide(12, 60), 0.2);
}

// Every text the program writes reads back as the number it stands for.
TEST(Conversions, WrittenTextsReadBackToSevenDigits) {
    std::mt19937 generator(20261207U);
    std::uniform_int_distribution<std::uint32_t> bits;
    for (int i = 0; i < 20000; ++i) {
        const std::uint32_t raw = bits(generator);
        float x = 0.0F;
        static_assert(sizeof x == sizeof raw);
        std::memcpy(&x, &raw, sizeof x);
        if (!std::isfinite(x)) {
            continue;
        }
        const std::string text = SingleToText(x);
        std::array<char, 32> expected{};  // seven digits, as "%.7g" writes them
        std::to_chars(expected.data(), &expected.back(), x, std::chars_format::general, 7);
        const float seven = std::strtof(expected.data(), nullptr);
        ASSERT_TRUE(IsNumericText(text)) << text;
        ASSERT_EQ(TextToSingle(text), seven == 0.0F ? 0.0F : seven) << text;
    }
}

}  // namespace
}  // namespace quorvela::test
