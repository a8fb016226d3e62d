// In-process benchmarks: each figure of the program next to the bare Qt
// calls it is made of. scripts/bench.sh runs them and prints the ratios.

#include <QApplication>

#include <benchmark/benchmark.h>

#include <memory>

#include "bench/fixture.h"

namespace quorvela::bench {
namespace {

std::unique_ptr<Fixture>& fixture() {
    static std::unique_ptr<Fixture> windows;
    return windows;
}

}  // namespace

Fixture& Windows() {
    return *fixture();
}

}  // namespace quorvela::bench

int main(int argc, char* argv[]) {
    // The benchmark library takes its own options out of argv first.
    benchmark::Initialize(&argc, argv);
    QApplication app(argc, argv);
    quorvela::bench::fixture() = std::make_unique<quorvela::bench::Fixture>();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // The windows go before the application object.
    quorvela::bench::fixture().reset();
    return 0;
}
