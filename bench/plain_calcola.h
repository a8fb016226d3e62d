#pragma once

// The calculate command as a plain Qt developer would write it: the texts
// read once, numbers read and written by the Italian QLocale, double
// arithmetic, and the same widget writes as the program's command. The
// reference its own command is measured against.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "window/frmQuorvela.h"

namespace quorvela::bench {

// The widgets the command reads and writes, those of the program's window.
struct CalcolaWidgets {
    explicit CalcolaWidgets(frmQuorvela& form);

    QComboBox* giri;
    QComboBox* colpi;
    QRadioButton* volume;
    QRadioButton* flow;
    QLineEdit* portata;
    QLineEdit* quorvela;
    QLineEdit* litriMinuto;
    QLabel* tempo;
    QLabel* image;
};

void PlainCalcola(const CalcolaWidgets& w);

}  // namespace quorvela::bench
