#pragma once

namespace quorvela::runtime {

// The controls' faces to assistive technology, where Qt's own would let it
// write what the user alone may put in. Once a process; later calls do nothing.
void InstallAccessibleControls();

}  // namespace quorvela::runtime
