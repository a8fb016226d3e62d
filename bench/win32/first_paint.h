#pragma once

// The end point of a start-up measured from outside: the window is shown and
// every message its showing queued, paints included, has been handled. The
// start-up probe and the bare baseline share it, so both end at the same point.

#include <windows.h>

namespace quorvela::bench {

inline void PumpUntilPainted() {
    MSG message;
    // PeekMessage hands out WM_PAINT as long as any window needs painting.
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    GdiFlush();
}

}  // namespace quorvela::bench
