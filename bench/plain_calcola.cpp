#include "bench/plain_calcola.h"

#include <QCoreApplication>
#include <QLocale>
#include <QMessageBox>

#include <cmath>

#include "runtime/qt/native.h"

namespace quorvela::bench {
namespace {

double roundTo(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale;
}

}  // namespace

CalcolaWidgets::CalcolaWidgets(frmQuorvela& form)
    : giri(&form.cboGiri.Native()),
      colpi(&form.cboColpi.Native()),
      volume(&form.optScelta(0).Native()),
      flow(&form.optScelta(1).Native()),
      portata(&form.txtPortata.Native()),
      quorvela(&form.txtQuorvela.Native()),
      litriMinuto(&form.txtLitriMinuto.Native()),
      tempo(&form.lblDescrizione(2).Native()),
      image(&form.Image1.Native()) {}

void PlainCalcola(const CalcolaWidgets& w) {
    const QLocale italian(QLocale::Italian);
    const QString giriText = w.giri->currentText();
    const QString colpiText = w.colpi->currentText();
    bool ok = false;
    const double giri = italian.toDouble(giriText, &ok);
    if (!ok) {
        QMessageBox::warning(w.giri->window(), QStringLiteral("Introdurre un valore"),
                             QStringLiteral("Introduci un valore di 'giri' "));
        w.giri->setFocus();
        return;
    }
    const double colpi = italian.toDouble(colpiText, &ok);
    if (!ok) {
        w.colpi->setFocus();
        return;
    }
    const bool volumeMode = w.volume->isChecked();
    if (!volumeMode && !w.flow->isChecked()) {
        return;
    }
    QLineEdit* const input = volumeMode ? w.quorvela : w.portata;
    const QString inputText = input->text();
    if (inputText.isEmpty()) {
        QCoreApplication::processEvents();
        input->setFocus();
        return;
    }

    const double rapporto = giri / colpi;  // stroke batches a minute
    const QString secondi = italian.toString(roundTo(60.0 / rapporto, 1), 'g', 7);
    const QString descrizione = QStringLiteral("a %1 giri, %2 colpi si ottengono in %3 secondi")
                                    .arg(giriText, colpiText, secondi);
    w.tempo->setToolTip(descrizione);
    w.image->setToolTip(descrizione);
    w.tempo->setText(secondi + QStringLiteral(" secondi"));

    QLineEdit* const result = volumeMode ? w.portata : w.quorvela;
    const double value = italian.toDouble(inputText, &ok);
    if (!ok) {
        result->clear();
        w.litriMinuto->clear();
        return;
    }
    const double litriOra = volumeMode ? value : roundTo(rapporto * value * 60.0 / 1000.0, 1);
    const double risultato = volumeMode ? roundTo(value * 1000.0 / 60.0 / rapporto, 1) : litriOra;
    result->setText(italian.toString(risultato, 'g', 7));
    w.litriMinuto->setText(italian.toString(roundTo(litriOra / 60.0, 2), 'g', 7));
}

}  // namespace quorvela::bench
