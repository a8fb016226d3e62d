// What a run-time error costs: one conversion skipped on its error, the way
// the calculate command meets a failing input, next to the same conversion
// succeeding; both with the error raised as an exception and with the text
// tested first (IsNumericText), which turns the error into a value.

#include <benchmark/benchmark.h>

#include <string>

#include "calc/conversions.h"
#include "runtime/error_modes.h"

namespace quorvela::bench {
namespace {

// Whether the statement completed. Not inlined, so that callgrind can count
// them on their own (bench/compare.py --callgrind).
[[gnu::noinline]] bool convertRaising(const std::string& text) {
    return runtime::SkipOnError([&] { benchmark::DoNotOptimize(TextToInt32(text)); });
}

[[gnu::noinline]] bool convertTestedFirst(const std::string& text) {
    bool converted = false;
    runtime::SkipOnError([&] {
        if (!IsNumericText(text)) {
            return;
        }
        benchmark::DoNotOptimize(TextToInt32(text));
        converted = true;
    });
    return converted;
}

template <bool (*Convert)(const std::string&)>
void measure(benchmark::State& state, const std::string& text, bool converts) {
    bool converted = false;
    for (auto _ : state) {
        converted = Convert(text);
    }
    if (converted != converts) {
        state.SkipWithError("the conversion ended otherwise");
    }
}

void ConversionSucceeds(benchmark::State& state) {
    measure<convertRaising>(state, "50", true);
}
void ConversionRaises(benchmark::State& state) {
    measure<convertRaising>(state, ",", false);
}
void TestedConversionSucceeds(benchmark::State& state) {
    measure<convertTestedFirst>(state, "50", true);
}
void TestedConversionDeclines(benchmark::State& state) {
    measure<convertTestedFirst>(state, ",", false);
}

BENCHMARK(ConversionSucceeds);
BENCHMARK(ConversionRaises);
BENCHMARK(TestedConversionSucceeds);
BENCHMARK(TestedConversionDeclines);

}  // namespace
}  // namespace quorvela::bench
