// Text to number, number to text, rounding and checked arithmetic.

#include <QTest>

#include <array>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>

#include "calc/conversions.h"
#include "calc/runtime_error.h"
#include "error_of.h"

using namespace quorvela;
using quorvela::testing::ErrorOf;

class ConversionsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void textToInt16_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("error");
        // plain numbers
        QTest::newRow("1000") << "1000" << 1000 << 0;
        QTest::newRow("-5") << "-5" << -5 << 0;
        QTest::newRow("+7") << "+7" << 7 << 0;
        QTest::newRow("blanks around") << "  42 " << 42 << 0;
        QTest::newRow("32767") << "32767" << 32767 << 0;
        QTest::newRow("-32768") << "-32768" << -32768 << 0;
        // rounding half to even
        QTest::newRow("12,5") << "12,5" << 12 << 0;
        QTest::newRow("13,5") << "13,5" << 14 << 0;
        QTest::newRow("2,4") << "2,4" << 2 << 0;
        QTest::newRow("-2,5") << "-2,5" << -2 << 0;
        QTest::newRow(",5") << ",5" << 0 << 0;
        QTest::newRow("exponent") << "1,5E+03" << 1500 << 0;
        // range
        QTest::newRow("32768") << "32768" << 0 << 6;
        QTest::newRow("32767,5") << "32767,5" << 0 << 6;
        QTest::newRow("40000") << "40000" << 0 << 6;
        QTest::newRow("huge exponent") << "1E+400" << 0 << 6;
        QTest::newRow("huge with a comma") << "1,5E+400" << 0 << 6;
        QTest::newRow("huge negative with a comma") << "-1,5E+400" << 0 << 6;
        QTest::newRow("tiny with a comma") << "1,5E-400" << 0 << 0;
        // not numbers
        QTest::newRow("empty") << "" << 0 << 13;
        QTest::newRow("blank") << " " << 0 << 13;
        QTest::newRow("lone comma") << "," << 0 << 13;
        QTest::newRow("abc") << "abc" << 0 << 13;
        QTest::newRow("full stop") << "1.5" << 0 << 13;
        QTest::newRow("two commas") << "1,2,3" << 0 << 13;
        QTest::newRow("sign alone") << "-" << 0 << 13;
        QTest::newRow("inner blank") << "1 000" << 0 << 13;
        QTest::newRow("exponent without digits") << "1E" << 0 << 13;
        QTest::newRow("inf") << "inf" << 0 << 13;
        QTest::newRow("nan") << "nan" << 0 << 13;
        QTest::newRow("hex") << "0x10" << 0 << 13;
    }
    void textToInt16() {
        QFETCH(QString, text);
        QFETCH(int, value);
        QFETCH(int, error);
        std::int16_t got = 0;
        QCOMPARE(ErrorOf([&] { got = TextToInt16(text.toStdString()); }), error);
        QCOMPARE(static_cast<int>(got), value);
        QCOMPARE(IsNumericText(text.toStdString()), error != 13);
    }

    void textToInt32AcceptsWhatTheSixteenBitKindRefuses() {
        QCOMPARE(TextToInt32("40000"), 40000);
        QCOMPARE(TextToInt32("2147483647"), 2147483647);
        QCOMPARE(ErrorOf([] { (void)TextToInt32("2147483648"); }), 6);
        QCOMPARE(ErrorOf([] { (void)TextToInt32(""); }), 13);
    }

    void textToSingle_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<float>("value");
        QTest::addColumn<int>("error");
        QTest::newRow("12,5") << "12,5" << 12.5F << 0;
        QTest::newRow("0,2") << "0,2" << 0.2F << 0;
        QTest::newRow("exponent written back") << "1,66665E+07" << 1.66665e7F << 0;
        QTest::newRow("small exponent") << "1E-05" << 1e-5F << 0;
        QTest::newRow("minus zero") << "-0" << 0.0F << 0;
        QTest::newRow("underflow is zero") << "1E-60" << 0.0F << 0;
        QTest::newRow("beyond single") << "1E+39" << 0.0F << 6;
        // beyond or below every range: which of the two, told from the text
        QTest::newRow("beyond, with a comma") << "1,5E+39" << 0.0F << 6;
        QTest::newRow("beyond, negative") << "-1,5E+39" << 0.0F << 6;
        QTest::newRow("beyond, below one before the exponent") << "0,5E+39" << 0.0F << 6;
        QTest::newRow("beyond, leading fraction zeros") << "0,0001E+43" << 0.0F << 6;
        QTest::newRow("beyond, many digits")
            << "100000000000000000000000000000000000000000" << 0.0F << 6;
        QTest::newRow("below, with a comma") << "1,5E-60" << 0.0F << 0;
        QTest::newRow("below, many digits before the exponent") << "100000E-70" << 0.0F << 0;
        QTest::newRow("exponent beyond any integer") << "1E+99999999999999999999" << 0.0F << 6;
        QTest::newRow("exponent below any integer") << "1E-99999999999999999999" << 0.0F << 0;
        QTest::newRow("zero, huge exponent") << "0,000E+99999" << 0.0F << 0;
        QTest::newRow("lone comma") << "," << 0.0F << 13;
        QTest::newRow("full stop") << "12.5" << 0.0F << 13;
    }
    void textToSingle() {
        QFETCH(QString, text);
        QFETCH(float, value);
        QFETCH(int, error);
        float got = 0.0F;
        QCOMPARE(ErrorOf([&] { got = TextToSingle(text.toStdString()); }), error);
        QCOMPARE(got, value);
        QVERIFY(!std::signbit(got));
    }

    // The texts always carry a comma, whatever the process's locale: the
    // application takes the user's locale, whose separator may be the comma.
    void readingIgnoresTheLocale_data() { textToSingle_data(); }
    void readingIgnoresTheLocale() {
        QFETCH(QString, text);
        QFETCH(float, value);
        QFETCH(int, error);
        const std::string saved = std::setlocale(LC_ALL, nullptr);
        const std::array candidates{"it_IT.UTF-8", "it_IT.utf8", "de_DE.UTF-8", "fr_FR.UTF-8"};
        bool commaLocale = false;
        for (const char* name : candidates) {
            if (std::setlocale(LC_ALL, name) != nullptr &&
                std::strcmp(std::localeconv()->decimal_point, ",") == 0) {
                commaLocale = true;
                break;
            }
        }
        float got = 0.0F;
        const int raised = ErrorOf([&] { got = TextToSingle(text.toStdString()); });
        std::int16_t whole = 0;
        const int wholeRaised = ErrorOf([&] { whole = TextToInt16(text.toStdString()); });
        std::setlocale(LC_ALL, saved.c_str());
        if (!commaLocale) {
            QSKIP("no locale with a decimal comma is installed");
        }
        QCOMPARE(raised, error);
        QCOMPARE(got, value);
        if (error == 6) {
            QCOMPARE(wholeRaised, 6);
            QCOMPARE(static_cast<int>(whole), 0);
        }
    }

    void singleToText_data() {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("12") << 12.0F << "12";
        QTest::newRow("12,5") << 12.5F << "12,5";
        QTest::newRow("0,2") << 0.2F << "0,2";
        QTest::newRow("one third") << 1.0F / 3.0F << "0,3333333";
        QTest::newRow("negative") << -4.8F << "-4,8";
        QTest::newRow("minus zero") << -0.0F << "0";
        QTest::newRow("133333,3") << 133333.3F << "133333,3";
        QTest::newRow("exponent form") << 16666500.0F << "1,66665E+07";
        QTest::newRow("1E+07") << 1e7F << "1E+07";
        QTest::newRow("9999999") << 9999999.0F << "9999999";
        QTest::newRow("0,0001") << 0.0001F << "0,0001";
        QTest::newRow("small exponent") << 0.00001F << "1E-05";
        QTest::newRow("largest") << 3.4028235e38F << "3,402823E+38";
    }
    void singleToText() {
        QFETCH(float, value);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(SingleToText(value)), text);
    }

    void roundDecimals_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<float>("rounded");
        QTest::newRow("tie down to even") << 0.25 << 1 << 0.2F;
        QTest::newRow("12,25") << 12.25 << 1 << 12.2F;
        QTest::newRow("12,75") << 12.75 << 1 << 12.8F;
        QTest::newRow("0,35 held as a single") << static_cast<double>(0.35F) << 1 << 0.3F;
        QTest::newRow("0,2166667") << 0.2166667 << 2 << 0.22F;
        QTest::newRow("41,666") << 12.5 * 1000 / 60 / 5 << 1 << 41.7F;
        QTest::newRow("negative tie") << -0.25 << 1 << -0.2F;
        QTest::newRow("whole") << 15.0 << 1 << 15.0F;
    }
    void roundDecimals() {
        QFETCH(double, x);
        QFETCH(int, decimals);
        QFETCH(float, rounded);
        QCOMPARE(RoundDecimals(x, decimals), rounded);
    }

    void checkedArithmeticRaisesInsteadOfInfinities() {
        QCOMPARE(ErrorOf([] { (void)Divide(1000, 0); }), 11);
        QCOMPARE(ErrorOf([] { (void)Divide(0, 0); }), 6);
        QCOMPARE(ErrorOf([] { (void)Multiply(1e308, 10); }), 6);
        QCOMPARE(ErrorOf([] { (void)ToSingle(1e39); }), 6);
        QCOMPARE(ErrorOf([] { (void)RoundDecimals(1e39, 1); }), 6);
        QCOMPARE(Divide(12, 60), 0.2);
    }

    // Every text the program writes reads back as the number it stands for.
    void writtenTextsReadBackToSevenDigits() {
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
            char expected[32];
            std::snprintf(expected, sizeof expected, "%.7g", static_cast<double>(x));
            const float seven = std::strtof(expected, nullptr);
            QVERIFY2(IsNumericText(text), text.c_str());
            QCOMPARE(TextToSingle(text), seven == 0.0F ? 0.0F : seven);
        }
    }
};

QTEST_APPLESS_MAIN(ConversionsTest)
#include "tst_conversions.moc"
