#pragma once

// How the program names itself to Qt and the desktop: name, version,
// organisation, desktop entry and description.

class QApplication;

namespace quorvela {

void SetApplicationIdentity(QApplication& app);

}  // namespace quorvela
