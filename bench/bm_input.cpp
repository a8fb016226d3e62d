// A keystroke through the input boxes' filter and a pick from the speed list
// with its recalculation, each next to the same action on a plain Qt widget.

#include <QTest>

#include <benchmark/benchmark.h>

#include "bench/fixture.h"

namespace quorvela::bench {
namespace {

// A digit and the Backspace that takes it away again, so that every
// iteration types into the same text. Not inlined, so that callgrind can
// count it on its own (bench/compare.py --callgrind).
[[gnu::noinline]] void typeDigit(QWidget* box) {
    QTest::keyClick(box, Qt::Key_5);
    QTest::keyClick(box, Qt::Key_Backspace);
}

void Keystroke(benchmark::State& state) {
    frmQuorvela& form = Windows().form;
    Prepare(form, Mode::Flow, "50");
    for (auto _ : state) {
        typeDigit(&form.txtPortata.Native());
    }
    if (form.txtPortata.Native().text() != QStringLiteral("50")) {
        state.SkipWithError("the keystrokes left another text");
    }
}

void BareKeystroke(benchmark::State& state) {
    QLineEdit* box = Windows().bare.portata;
    box->setText(QStringLiteral("50"));
    for (auto _ : state) {
        typeDigit(box);
    }
    if (box->text() != QStringLiteral("50")) {
        state.SkipWithError("the keystrokes left another text");
    }
}

// The next speed and back, by the arrow keys: two picks, each recalculating.
void ComboPick(benchmark::State& state) {
    frmQuorvela& form = Windows().form;
    Prepare(form, Mode::Flow, "50");
    for (auto _ : state) {
        QTest::keyClick(&form.cboGiri.Native(), Qt::Key_Down);
        QTest::keyClick(&form.cboGiri.Native(), Qt::Key_Up);
    }
    if (form.txtQuorvela.Native().text() != QStringLiteral("15")) {
        state.SkipWithError("the picks did not recalculate");
    }
}

// The same two picks by the arrow keys on a plain combo box.
void BareComboKeys(benchmark::State& state) {
    QComboBox* combo = Windows().bare.giri;
    combo->setCurrentIndex(3);
    for (auto _ : state) {
        QTest::keyClick(combo, Qt::Key_Down);
        QTest::keyClick(combo, Qt::Key_Up);
    }
    if (combo->currentIndex() != 3) {
        state.SkipWithError("the keys did not pick");
    }
}

// The same two picks by the program's call.
void BareComboPick(benchmark::State& state) {
    QComboBox* combo = Windows().bare.giri;
    for (auto _ : state) {
        combo->setCurrentIndex(4);
        combo->setCurrentIndex(3);
    }
}

BENCHMARK(Keystroke);
BENCHMARK(BareKeystroke);
BENCHMARK(ComboPick);
BENCHMARK(BareComboKeys);
BENCHMARK(BareComboPick);

}  // namespace
}  // namespace quorvela::bench
