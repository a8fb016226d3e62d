#pragma once

// The windows the in-process benchmarks work on, created once by main: the
// program's window, started, and plain Qt counterparts of its input box and
// speed list.

#include <QComboBox>
#include <QLineEdit>
#include <QString>
#include <QWidget>

#include "runtime/qt/native.h"
#include "window/frmQuorvela.h"

namespace quorvela::bench {

struct BareControls {
    BareControls();

    QWidget window;
    QLineEdit* portata = nullptr;
    QComboBox* giri = nullptr;
};

struct Fixture {
    Fixture();

    frmQuorvela form;
    BareControls bare;
};

// The one fixture; main creates it after the application object.
Fixture& Windows();

enum class Mode { Flow, Volume };

// Selects the mode, speed 1000 and 200 strokes, and puts `input` in the
// mode's input box.
void Prepare(frmQuorvela& form, Mode mode, const std::string& input);

}  // namespace quorvela::bench
