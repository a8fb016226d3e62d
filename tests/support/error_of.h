#pragma once

#include "calc/runtime_error.h"

namespace quorvela::test {

// The run-time error number a call raises, 0 when it raises none.
template <class F>
int ErrorOf(F&& f) {
    try {
        f();
        return 0;
    } catch (const RuntimeError& e) {
        return e.code();
    }
}

}  // namespace quorvela::test
