// What a run-time error costs: one conversion skipped on its error, the way
// the calculate command meets a failing input, next to the same conversion
// succeeding.

#include <benchmark/benchmark.h>

#include <string>

#include "calc/conversions.h"
#include "runtime/error_modes.h"

namespace quorvela::bench {
namespace {

// Whether the conversion completed. Not inlined, so that callgrind can count
// it on its own (bench/compare.py --callgrind).
[[gnu::noinline]] bool convertSkippingOnError(const std::string& text) {
    return runtime::SkipOnError([&] { benchmark::DoNotOptimize(TextToInt32(text)); });
}

void measure(benchmark::State& state, const std::string& text, bool completes) {
    bool completed = false;
    for (auto _ : state) {
        completed = convertSkippingOnError(text);
    }
    if (completed != completes) {
        state.SkipWithError("the conversion ended otherwise");
    }
}

void ConversionSucceeds(benchmark::State& state) {
    measure(state, "50", true);
}
// The error raised as a C++ exception and caught by the statement's guard.
void ConversionRaises(benchmark::State& state) {
    measure(state, ",", false);
}

BENCHMARK(ConversionSucceeds);
BENCHMARK(ConversionRaises);

}  // namespace
}  // namespace quorvela::bench
