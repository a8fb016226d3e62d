// One calculate command in each mode, and the bare cost of the widget reads
// and writes that command makes: the same Qt calls on the same widgets, with
// the texts the command writes, and nothing else.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <benchmark/benchmark.h>

#include "bench/fixture.h"

namespace quorvela::bench {
namespace {

const QString Tempo = QStringLiteral("12 secondi");
const QString TempoTip = QStringLiteral("a 1000 giri, 200 colpi si ottengono in 12 secondi");

struct Case {
    Mode mode;
    QString input;
    // What the command leaves in the two result boxes.
    QString result;
    QString litriMinuto;
};

const Case Flow{Mode::Flow, QStringLiteral("50"), QStringLiteral("15"), QStringLiteral("0,25")};
const Case Volume{Mode::Volume, QStringLiteral("15"), QStringLiteral("50"), QStringLiteral("0,25")};
// A lone comma is not a number: the flow formula fails and both results empty.
const Case Failing{Mode::Flow, QStringLiteral(","), QString(), QString()};

// A run that did not give the expected figures measured something else.
void check(benchmark::State& state, frmQuorvela& form, const Case& c) {
    const QLineEdit* result = c.mode == Mode::Flow ? &form.txtQuorvela.Native() : &form.txtPortata.Native();
    if (result->text() != c.result || form.txtLitriMinuto.Native().text() != c.litriMinuto ||
        form.lblDescrizione(2).Native().text() != Tempo) {
        state.SkipWithError("the calculate command gave other results");
    }
}

void Calcola(benchmark::State& state, const Case& c) {
    frmQuorvela& form = Windows().form;
    Prepare(form, c.mode, c.input.toStdString());
    for (auto _ : state) {
        form.cmdCalcola_Click();
    }
    check(state, form, c);
}

// The reads and writes, in the command's order, of each mode's run.
struct Widgets {
    explicit Widgets(frmQuorvela& form)
        : giri(&form.cboGiri.Native()), colpi(&form.cboColpi.Native()), portata(&form.txtPortata.Native()),
          quorvela(&form.txtQuorvela.Native()), litriMinuto(&form.txtLitriMinuto.Native()),
          volume(&form.optScelta(0).Native()), flow(&form.optScelta(1).Native()), tempo(&form.lblDescrizione(2).Native()),
          image(&form.Image1.Native()) {}

    // Speed and strokes checked, then the stroke time with its two tooltips.
    void strokeTime() const {
        for (int read = 0; read < 4; ++read) {
            benchmark::DoNotOptimize(giri->currentText());
            benchmark::DoNotOptimize(colpi->currentText());
        }
        tempo->setText(Tempo);
        tempo->setToolTip(TempoTip);
        image->setToolTip(TempoTip);
    }

    QComboBox* giri;
    QComboBox* colpi;
    QLineEdit* portata;
    QLineEdit* quorvela;
    QLineEdit* litriMinuto;
    QRadioButton* volume;
    QRadioButton* flow;
    QLabel* tempo;
    QLabel* image;
};

void flowReadsWrites(const Widgets& w, const Case& c, int volumeReads) {
    benchmark::DoNotOptimize(w.volume->isChecked());
    benchmark::DoNotOptimize(w.flow->isChecked());
    w.strokeTime();
    benchmark::DoNotOptimize(w.volume->isChecked());
    benchmark::DoNotOptimize(w.flow->isChecked());
    for (int read = 0; read < volumeReads; ++read) {
        benchmark::DoNotOptimize(w.portata->text());
    }
    benchmark::DoNotOptimize(w.giri->currentText());
    benchmark::DoNotOptimize(w.colpi->currentText());
    w.quorvela->setText(c.result);
    w.litriMinuto->setText(c.litriMinuto);
}

void volumeReadsWrites(const Widgets& w, const Case& c) {
    benchmark::DoNotOptimize(w.volume->isChecked());
    benchmark::DoNotOptimize(w.quorvela->text());
    benchmark::DoNotOptimize(w.flow->isChecked());
    w.strokeTime();
    benchmark::DoNotOptimize(w.volume->isChecked());
    benchmark::DoNotOptimize(w.quorvela->text());
    benchmark::DoNotOptimize(w.giri->currentText());
    benchmark::DoNotOptimize(w.colpi->currentText());
    w.portata->setText(QString());
    benchmark::DoNotOptimize(w.quorvela->text());
    w.portata->setText(c.result);
    benchmark::DoNotOptimize(w.quorvela->text());
    w.litriMinuto->setText(c.litriMinuto);
    benchmark::DoNotOptimize(w.flow->isChecked());
}

void BareCalcola(benchmark::State& state, const Case& c) {
    frmQuorvela& form = Windows().form;
    Prepare(form, c.mode, c.input.toStdString());
    const Widgets widgets(form);
    // The failing run stops before the formula reads the volume a second time.
    const int volumeReads = c.result.isEmpty() ? 2 : 3;
    for (auto _ : state) {
        if (c.mode == Mode::Flow) {
            flowReadsWrites(widgets, c, volumeReads);
        } else {
            volumeReadsWrites(widgets, c);
        }
    }
    check(state, form, c);
}

BENCHMARK_CAPTURE(Calcola, flow, Flow);
BENCHMARK_CAPTURE(BareCalcola, flow, Flow);
BENCHMARK_CAPTURE(Calcola, volume, Volume);
BENCHMARK_CAPTURE(BareCalcola, volume, Volume);
BENCHMARK_CAPTURE(Calcola, failing, Failing);
BENCHMARK_CAPTURE(BareCalcola, failing, Failing);

}  // namespace
}  // namespace quorvela::bench
