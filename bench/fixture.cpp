#include "bench/fixture.h"

#include <QFont>

#include "runtime/form.h"

namespace quorvela::bench {

BareControls::BareControls() : portata(new QLineEdit(&window)), giri(new QComboBox(&window)) {
    window.setFixedSize(505, 340);
    QFont font(QStringLiteral("Calibri"));
    font.setPointSizeF(14.25);
    giri->setEditable(true);
    giri->setGeometry(40, 68, 81, 31);
    giri->setFont(font);
    for (const char* item : {"100", "200", "500", "1000", "1500", "2000", "2500"}) {
        giri->addItem(QString::fromLatin1(item));
    }
    giri->setCurrentIndex(3);
    font.setBold(true);
    portata->setGeometry(40, 184, 81, 31);
    portata->setFont(font);
    portata->setAlignment(Qt::AlignCenter);
    portata->setMaxLength(7);
    window.show();
}

Fixture::Fixture() {
    runtime::Start(form);
    runtime::DoEvents();
}

void Prepare(frmQuorvela& form, Mode mode, const std::string& input) {
    // Each of these raises Click, as a user's choice would.
    form.optScelta(mode == Mode::Flow ? 1 : 0).SetValue(true);
    form.cboGiri.SetListIndex(3);
    form.cboColpi.SetListIndex(0);
    (mode == Mode::Flow ? form.txtPortata : form.txtQuorvela).SetText(input);
    runtime::DoEvents();
}

}  // namespace quorvela::bench
