#include "oracle.h"

// A "C" locale of its own for the C library's readers: newlocale is POSIX's,
// declared here only.
#include <locale.h>  // NOLINT(modernize-deprecated-headers)

#include <array>
#include <cassert>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <regex>

namespace quorvela::oracle {
namespace {

// A statement of the program that raised a run-time error: the model
// abandons it as the program does, without caring for the error's number.
struct Fault {};

// ------------------------------------------------------------ number texts

const std::regex& numberForm() {
    static const std::regex form(R"( *[+-]?([0-9]+,?[0-9]*|,[0-9]+)([Ee][+-]?[0-9]+)? *)");
    return form;
}

// The number text as the C library writes it: no blanks, a full stop.
std::string cForm(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c != ' ') {
            out.push_back(c == ',' ? '.' : c);
        }
    }
    return out;
}

#if defined(_WIN32)
// Windows' C library has no reader with a locale of its own for singles; the
// Windows program and its tests never leave the "C" locale, and MinGW's own
// readers round correctly.
double libraryDouble(const std::string& text) {
    return std::strtod(text.c_str(), nullptr);
}
// MinGW has no _strtof_l; its strtof rounds correctly, and the tests never
// leave the "C" locale.
float libraryFloat(const std::string& text) {
    return std::strtof(text.c_str(), nullptr);
}
#else
locale_t cLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", nullptr);
    return locale;
}
double libraryDouble(const std::string& text) {
    return strtod_l(text.c_str(), nullptr, cLocale());
}
float libraryFloat(const std::string& text) {
    return strtof_l(text.c_str(), nullptr, cLocale());
}
#endif

// Half to even, on a value that is already a double.
double wholeHalfEven(double value) {
    const double below = std::floor(value);
    const double rest = value - below;  // exact for any double
    if (rest > 0.5 || (rest == 0.5 && std::fmod(below, 2.0) != 0.0)) {
        return below + 1.0;
    }
    return below;
}

template <class Integer>
Integer readInteger(const std::string& text) {
    if (!IsNumber(text)) {
        throw Fault{};
    }
    const double value = wholeHalfEven(libraryDouble(cForm(text)));
    if (!(value >= std::numeric_limits<Integer>::min() &&
          value <= std::numeric_limits<Integer>::max())) {
        throw Fault{};
    }
    return static_cast<Integer>(value);
}

float readSingle(const std::string& text) {
    if (!IsNumber(text)) {
        throw Fault{};
    }
    const float value = libraryFloat(cForm(text));
    if (std::isinf(value)) {
        throw Fault{};
    }
    return value;
}

// ------------------------------------------------------------- arithmetic

double divide(double dividend, double divisor) {
    if (divisor == 0.0) {
        throw Fault{};  // 11, or 6 for 0 / 0
    }
    const double quotient = dividend / divisor;
    if (!std::isfinite(quotient)) {
        throw Fault{};
    }
    return quotient;
}

double multiply(double left, double right) {
    const double product = left * right;
    if (!std::isfinite(product)) {
        throw Fault{};
    }
    return product;
}

float single(double value) {
    if (!(std::fabs(value) <= std::numeric_limits<float>::max())) {
        throw Fault{};
    }
    return static_cast<float>(value);
}

float rounded(double x, int decimals) {
    const std::optional<float> value = Rounded(x, decimals);
    if (!value) {
        throw Fault{};
    }
    return *value;
}

// ------------------------------------------------------------ the formulas

float ratio(double giri, double colpi) {
    return single(divide(giri, colpi));
}

// Seconds the strokes take.
float tempoColpi(std::int16_t giri, std::int16_t colpi) {
    const float perMinute = ratio(giri, colpi);
    return rounded(single(divide(60.0, perMinute)), 1);
}

// Litres per hour from the volume in whole cm³.
float portataOraria(std::int32_t portata, std::int32_t giri, std::int32_t colpi) {
    const float perMinute = ratio(giri, colpi);
    const double litri = divide(multiply(multiply(perMinute, portata), 60.0), 1000.0);
    return rounded(single(litri), 1);
}

// cm³ from the litres per hour.
float volumeColpi(float litriOra, std::int32_t giri, std::int32_t colpi) {
    const float perMinute = ratio(giri, colpi);
    const double volume = divide(divide(multiply(litriOra, 1000.0), 60.0), perMinute);
    return rounded(single(volume), 1);
}

template <class Formula>
std::optional<float> unlessFault(Formula formula) {
    try {
        return formula();
    } catch (const Fault&) {
        return std::nullopt;
    }
}

// The stroke-time label and both tooltips, all or nothing.
bool showStrokeTime(Window& w) {
    try {
        const auto colpi = readInteger<std::int16_t>(w.colpi);
        const auto giri = readInteger<std::int16_t>(w.giri);
        const std::string seconds = Figure(tempoColpi(giri, colpi));
        const std::string description =
            "a " + w.giri + " giri, " + w.colpi + " colpi si ottengono in " + seconds + " secondi";
        w.tempoTip = description;
        w.imageTip = description;
        w.tempo = seconds + " secondi";
        return true;
    } catch (const Fault&) {
        return false;
    }
}

template <class Statement>
void attempt(Statement&& statement) {
    try {
        statement();
    } catch (const Fault&) {
        // The statement is abandoned; the next one runs.
    }
}

}  // namespace

bool IsNumber(std::string_view text) {
    return std::regex_match(text.begin(), text.end(), numberForm());
}

std::string Figure(float value) {
    if (value == 0.0F) {
        return "0";
    }
    // Seven digits as "%.7G" writes them, the full stop a comma.
    std::array<char, 32> buffer{};
    const auto written =
        std::to_chars(buffer.data(), &buffer.back(), value, std::chars_format::general, 7);
    std::string text(buffer.data(), written.ptr);
    for (char& c : text) {
        c = c == '.' ? ',' : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

std::optional<float> Rounded(double x, int decimals) {
    assert(decimals >= 0 && decimals <= 3 && std::isfinite(x));
    // |x| = m * 2^e exactly, with m a whole number below 2^53.
    int e = 0;
    const double fraction = std::frexp(std::fabs(x), &e);
    const auto m = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    e -= 53;
    std::uint64_t scale = 1;
    for (int i = 0; i < decimals; ++i) {
        scale *= 10;
    }
    double magnitude = std::fabs(x);
    if (e < 0) {
        // m * scale / 2^s, rounded half to even by its exact remainder.
        const std::uint64_t n = m * scale;  // below 2^63
        const int s = -e;
        std::uint64_t whole = 0;
        if (s < 64) {
            whole = n >> s;
            const std::uint64_t rest = n - (whole << s);
            const std::uint64_t half = std::uint64_t{1} << (s - 1);
            if (rest > half || (rest == half && (whole & 1U) != 0)) {
                ++whole;
            }
        }  // else below a half: zero
        magnitude = static_cast<double>(whole) / static_cast<double>(scale);
    }  // else x is whole already
    const double value = std::signbit(x) ? -magnitude : magnitude;
    if (!(std::fabs(value) <= std::numeric_limits<float>::max())) {
        return std::nullopt;
    }
    return static_cast<float>(value);
}

std::optional<float> TempoColpi(std::int16_t giri, std::int16_t colpi) {
    return unlessFault([&] { return tempoColpi(giri, colpi); });
}

std::optional<float> PortataOraria(std::int32_t portata, std::int32_t giri, std::int32_t colpi) {
    return unlessFault([&] { return portataOraria(portata, giri, colpi); });
}

std::optional<float> VolumeColpi(float litriOra, std::int32_t giri, std::int32_t colpi) {
    return unlessFault([&] { return volumeColpi(litriOra, giri, colpi); });
}

Outcome Calculate(const Window& before) {
    Window w = before;
    if (!IsNumber(w.giri)) {
        return {w, Stop::SpeedWarning};
    }
    if (!IsNumber(w.colpi)) {
        return {w, Stop::NoStrokes};
    }
    if ((w.volumeMode ? w.quorvela : w.portata).empty()) {
        return {w, Stop::EmptyInput};
    }
    showStrokeTime(w);
    if (w.volumeMode) {
        w.portata.clear();
        attempt([&] {
            const auto colpi = readInteger<std::int32_t>(w.colpi);
            const auto giri = readInteger<std::int32_t>(w.giri);
            w.portata = Figure(volumeColpi(readSingle(w.quorvela), giri, colpi));
        });
        // From the litres per hour rounded to a whole number.
        std::optional<float> perMinute;
        attempt(
            [&] { perMinute = rounded(divide(readInteger<std::int32_t>(w.quorvela), 60.0), 2); });
        w.litriMinuto = perMinute ? Figure(*perMinute) : std::string();
    } else {
        std::optional<float> hourly;
        attempt([&] {
            const auto colpi = readInteger<std::int32_t>(w.colpi);
            const auto giri = readInteger<std::int32_t>(w.giri);
            hourly = portataOraria(readInteger<std::int32_t>(w.portata), giri, colpi);
        });
        std::optional<float> perMinute;
        if (hourly) {
            attempt([&] { perMinute = rounded(single(divide(*hourly, 60.0)), 2); });
        }
        w.quorvela = hourly ? Figure(*hourly) : std::string();
        w.litriMinuto = perMinute ? Figure(*perMinute) : std::string();
    }
    return {w, Stop::Calculated};
}

Outcome Pick(const Window& before, Combo combo, const std::string& item) {
    Window w = before;
    (combo == Combo::Giri ? w.giri : w.colpi) = item;
    if (!showStrokeTime(w) && combo == Combo::Colpi) {
        return {w, std::nullopt};
    }
    return Calculate(w);
}

Window EnterInput(const Window& before, bool volumeMode) {
    Window w = before;
    if (w.volumeMode == volumeMode) {
        return w;
    }
    w.volumeMode = volumeMode;
    if (volumeMode) {
        w.portata.clear();
    } else {
        w.quorvela.clear();
        w.litriMinuto.clear();
    }
    return w;
}

}  // namespace quorvela::oracle
