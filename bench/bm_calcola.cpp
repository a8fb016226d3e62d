// One calculate command in each mode, next to the same calculation written
// as a plain Qt developer would (plain_calcola.cpp), and the bare cost of the
// widget reads and writes that command makes: the same Qt calls on the same
// widgets, with the texts the command writes, and nothing else.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <benchmark/benchmark.h>

#include "bench/fixture.h"
#include "bench/plain_calcola.h"

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

QLineEdit& resultBox(frmQuorvela& form, const Case& c) {
    return c.mode == Mode::Flow ? form.txtQuorvela.Native() : form.txtPortata.Native();
}

// Selects the case's mode and input, with placeholders in everything the
// command writes, so that only the runs measured can leave the results.
void prepare(frmQuorvela& form, const Case& c) {
    Prepare(form, c.mode, c.input.toStdString());
    resultBox(form, c).setText(QStringLiteral("?"));
    form.txtLitriMinuto.Native().setText(QStringLiteral("?"));
    form.lblDescrizione(2).Native().setText(QStringLiteral("?"));
    form.lblDescrizione(2).Native().setToolTip(QString());
    form.Image1.Native().setToolTip(QString());
}

// A run that did not give the expected figures measured something else.
void check(benchmark::State& state, frmQuorvela& form, const Case& c) {
    if (resultBox(form, c).text() != c.result ||
        form.txtLitriMinuto.Native().text() != c.litriMinuto ||
        form.lblDescrizione(2).Native().text() != Tempo ||
        form.lblDescrizione(2).Native().toolTip() != TempoTip ||
        form.Image1.Native().toolTip() != TempoTip) {
        state.SkipWithError("the calculate command gave other results");
    }
}

void Calcola(benchmark::State& state, const Case& c) {
    frmQuorvela& form = Windows().form;
    prepare(form, c);
    for (auto _ : state) {
        form.cmdCalcola_Click();
    }
    check(state, form, c);
}

// Speed and strokes checked, then the stroke time with its two tooltips.
void strokeTime(const CalcolaWidgets& w) {
    for (int read = 0; read < 4; ++read) {
        benchmark::DoNotOptimize(w.giri->currentText());
        benchmark::DoNotOptimize(w.colpi->currentText());
    }
    w.tempo->setToolTip(TempoTip);
    w.image->setToolTip(TempoTip);
    w.tempo->setText(Tempo);
}

// The reads and writes of each mode's run, in the command's order. Not
// inlined, so that callgrind can count them on their own (compare.py
// --callgrind).
[[gnu::noinline]] void flowReadsWrites(const CalcolaWidgets& w, const Case& c) {
    benchmark::DoNotOptimize(w.volume->isChecked());
    benchmark::DoNotOptimize(w.flow->isChecked());
    strokeTime(w);
    benchmark::DoNotOptimize(w.volume->isChecked());
    benchmark::DoNotOptimize(w.flow->isChecked());
    benchmark::DoNotOptimize(w.portata->text());
    benchmark::DoNotOptimize(w.portata->text());
    benchmark::DoNotOptimize(w.giri->currentText());
    benchmark::DoNotOptimize(w.colpi->currentText());
    w.quorvela->setText(c.result);
    w.litriMinuto->setText(c.litriMinuto);
}

[[gnu::noinline]] void volumeReadsWrites(const CalcolaWidgets& w, const Case& c) {
    benchmark::DoNotOptimize(w.volume->isChecked());
    benchmark::DoNotOptimize(w.quorvela->text());
    benchmark::DoNotOptimize(w.flow->isChecked());
    strokeTime(w);
    benchmark::DoNotOptimize(w.volume->isChecked());
    benchmark::DoNotOptimize(w.quorvela->text());
    benchmark::DoNotOptimize(w.giri->currentText());
    benchmark::DoNotOptimize(w.colpi->currentText());
    w.portata->setText(c.result);
    benchmark::DoNotOptimize(w.quorvela->text());
    w.litriMinuto->setText(c.litriMinuto);
    benchmark::DoNotOptimize(w.flow->isChecked());
}

void PlainQtCalcola(benchmark::State& state, const Case& c) {
    frmQuorvela& form = Windows().form;
    prepare(form, c);
    const CalcolaWidgets widgets(form);
    for (auto _ : state) {
        PlainCalcola(widgets);
    }
    check(state, form, c);
}

void BareCalcola(benchmark::State& state, const Case& c) {
    frmQuorvela& form = Windows().form;
    prepare(form, c);
    const CalcolaWidgets widgets(form);
    for (auto _ : state) {
        if (c.mode == Mode::Flow) {
            flowReadsWrites(widgets, c);
        } else {
            volumeReadsWrites(widgets, c);
        }
    }
    check(state, form, c);
}

BENCHMARK_CAPTURE(Calcola, flow, Flow);
BENCHMARK_CAPTURE(PlainQtCalcola, flow, Flow);
BENCHMARK_CAPTURE(BareCalcola, flow, Flow);
BENCHMARK_CAPTURE(Calcola, volume, Volume);
BENCHMARK_CAPTURE(PlainQtCalcola, volume, Volume);
BENCHMARK_CAPTURE(BareCalcola, volume, Volume);
BENCHMARK_CAPTURE(Calcola, failing, Failing);
BENCHMARK_CAPTURE(PlainQtCalcola, failing, Failing);
BENCHMARK_CAPTURE(BareCalcola, failing, Failing);

}  // namespace
}  // namespace quorvela::bench
