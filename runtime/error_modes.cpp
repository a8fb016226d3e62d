#include "runtime/error_modes.h"

namespace quorvela::runtime {

void SkipErrors(std::initializer_list<std::function<void()>> statements) {
    for (const auto& statement : statements) {
        SkipOnError(statement);
    }
}

void Units::Run(std::span<const Unit> units) {
    const auto count = static_cast<int>(units.size());
    int unit = 1;
    while (unit >= 1 && unit <= count) {
        int next = unit + 1;
        try {
            const int chosen = units[static_cast<std::size_t>(unit - 1)]();
            if (chosen != NextUnit) {
                next = chosen;
            }
        } catch (const RuntimeError&) {
            // Skipped: the run goes on with the unit after the failing one.
        }
        unit = next;
    }
}

}  // namespace quorvela::runtime
