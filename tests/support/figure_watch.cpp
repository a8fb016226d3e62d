#include "figure_watch.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace quorvela::testing {
namespace {

// The most characters a user may type into each input box.
constexpr int PortataTypingLimit = 7;
constexpr int QuorvelaTypingLimit = 5;

// The character code a key types, as the platform hands it to a keystroke
// handler: Backspace 8 (127 with Ctrl), Enter 13 (10 with Ctrl), Escape 27, Ctrl+letter 1
// to 26, the keypad's decimal key the comma; keys that type nothing
// (arrows, Home, Delete, Tab) have none.
std::optional<int> characterCode(const QKeyEvent& event) {
    const int key = event.key();
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    const bool control = modifiers.testFlag(Qt::ControlModifier);
    switch (key) {
        case Qt::Key_Backspace:
            return control ? 127 : 8;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return control ? 10 : 13;
        case Qt::Key_Escape:
            return 27;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Delete:
            return std::nullopt;
        default:
            break;
    }
    if (modifiers.testFlag(Qt::KeypadModifier) && (key == Qt::Key_Period || key == Qt::Key_Comma)) {
        return ',';
    }
    if (control && !modifiers.testFlag(Qt::AltModifier) && key >= Qt::Key_A && key <= Qt::Key_Z) {
        return key - Qt::Key_A + 1;
    }
    const QString text = event.text();
    if (text.isEmpty() || text.front() == QChar(0x7F)) {
        return std::nullopt;
    }
    return text.front().unicode();
}

// Whether `after` is `before` less one run of characters (or the same).
bool lostOneRun(const QString& before, const QString& after) {
    if (after.size() > before.size()) {
        return false;
    }
    qsizetype head = 0;
    while (head < after.size() && before.at(head) == after.at(head)) {
        ++head;
    }
    return before.mid(head + before.size() - after.size()) == after.mid(head);
}

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

FigureWatch::FigureWatch(const WindowWidgets& widgets) : w_(widgets) {
    for (QLineEdit* box : {w_.portata, w_.quorvela, w_.litriMinuto}) {
        box->installEventFilter(this);
    }
    QObject::connect(w_.calcola, &QAbstractButton::clicked, this,
                     [this] { noted_.push_back({.kind = Noted::Kind::Calcola}); });
    // The option losing the selection says so before the handler of the
    // option gaining it runs.
    for (QAbstractButton* option : {w_.volumeOption, w_.flowOption}) {
        const bool toVolume = option == w_.flowOption;
        QObject::connect(option, &QAbstractButton::toggled, this, [this, toVolume](bool checked) {
            if (!checked) {
                noted_.push_back({.kind = Noted::Kind::ModeChosen, .volumeMode = toVolume});
            }
        });
    }
    for (QComboBox* combo : {w_.giri, w_.colpi}) {
        const oracle::Combo which = combo == w_.giri ? oracle::Combo::Giri : oracle::Combo::Colpi;
        QObject::connect(combo, &QComboBox::activated, this, [this, combo, which](int index) {
            noted_.push_back({.kind = Noted::Kind::Pick,
                              .text = combo->itemText(index),
                              .combo = which,
                              .comboText = combo->currentText()});
        });
    }
}

bool FigureWatch::eventFilter(QObject* watched, QEvent* event) {
    auto* box = static_cast<QLineEdit*>(watched);
    if (event->type() == QEvent::KeyPress) {
        noted_.push_back({.kind = Noted::Kind::Key,
                          .box = box,
                          .code = characterCode(*static_cast<QKeyEvent*>(event)),
                          .text = box->text(),
                          .selectionStart = box->hasSelectedText() ? box->selectionStart() : -1,
                          .selectionLength = static_cast<int>(box->selectedText().size()),
                          .cursor = box->cursorPosition()});
    } else if (event->type() == QEvent::FocusOut || event->type() == QEvent::FocusIn) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        const bool elsewhere =
            reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
        const auto away = std::find(away_.begin(), away_.end(), watched);
        const bool returning = away != away_.end() && elsewhere;
        if (away != away_.end()) {
            away_.erase(away);
        }
        if (event->type() == QEvent::FocusOut && elsewhere) {
            away_.push_back(watched);
        } else if (event->type() == QEvent::FocusIn && !returning && box != w_.litriMinuto) {
            noted_.push_back({.kind = Noted::Kind::Focus, .box = box});
        }
    } else if (event->type() == QEvent::MouseButtonDblClick) {
        // Selects a word, after whatever entering the box selected.
        noted_.push_back({.kind = Noted::Kind::DoubleClick, .box = box});
    }
    return false;
}

oracle::Window FigureWatch::shown() const {
    return {.volumeMode = w_.volumeOption->isChecked(),
            .giri = w_.giri->currentText().toStdString(),
            .colpi = w_.colpi->currentText().toStdString(),
            .portata = w_.portata->text().toStdString(),
            .quorvela = w_.quorvela->text().toStdString(),
            .litriMinuto = w_.litriMinuto->text().toStdString(),
            .tempo = w_.tempo->text().toStdString(),
            .tempoTip = w_.tempo->toolTip().toStdString(),
            .imageTip = w_.image->toolTip().toStdString()};
}

void FigureWatch::Begin() {
    noted_.clear();
    before_ = shown();
}

std::string& FigureWatch::textOf(oracle::Window& model, const QLineEdit* box) const {
    if (box == w_.litriMinuto) {
        return model.litriMinuto;
    }
    return box == w_.portata ? model.portata : model.quorvela;
}

void FigureWatch::calculated(const oracle::Outcome& outcome, oracle::Window& model,
                             std::optional<oracle::Stop>& lastStop) {
    model = outcome.window;
    lastStop = outcome.calculation;
    if (outcome.calculation == oracle::Stop::SpeedWarning) {
        ++expectedWarnings_;
    } else if (outcome.calculation == oracle::Stop::Calculated) {
        ++calculations_;
    }
}

// A keystroke other than Enter in an input box: what the keystroke filter
// and the typing limit make of the text and its selection.
void FigureWatch::typed(const Noted& noted, oracle::Window& model, QStringList& failures) const {
    const QString& was = noted.text;
    const bool selection = noted.selectionStart >= 0;
    const int from = selection ? noted.selectionStart : noted.cursor;
    const int removed = selection ? noted.selectionLength : 0;
    QString is = was;
    if (!noted.code) {
        // Editing and moving keys: at most a run of characters deleted.
        is = noted.box->text();
        if (!lostOneRun(was, is)) {
            failures.append(QStringLiteral("a key that types nothing turned '%1' into '%2' in %3")
                                .arg(was, is, noted.box->objectName()));
        }
    } else if ((*noted.code >= '0' && *noted.code <= '9') || *noted.code == '.' ||
               *noted.code == ',') {
        const QChar typed = *noted.code == '.' ? QLatin1Char(',') : QChar(*noted.code);
        const int limit = noted.box == w_.portata ? PortataTypingLimit : QuorvelaTypingLimit;
        if (was.size() - removed + 1 <= limit) {
            is = was.left(from) + typed + was.mid(from + removed);
        }
    } else if (*noted.code == 8) {
        if (selection) {
            is = was.left(from) + was.mid(from + removed);
        } else if (from > 0) {
            is = was.left(from - 1) + was.mid(from);
        }
    }
    textOf(model, noted.box) = is.toStdString();
}

void FigureWatch::play(const Noted& noted, oracle::Window& model, QStringList& failures,
                       std::optional<oracle::Stop>& lastStop, QLineEdit*& focusedBox) {
    using Kind = Noted::Kind;
    switch (noted.kind) {
        case Kind::Key:
            focusedBox = nullptr;
            if (noted.box == w_.litriMinuto) {
                // No keystroke handler: the user edits the figure freely.
                textOf(model, noted.box) = noted.box->text().toStdString();
            } else if (noted.code == 13) {
                calculated(oracle::Calculate(model), model, lastStop);
            } else {
                typed(noted, model, failures);
                lastStop.reset();
            }
            break;
        case Kind::Focus:
            model = oracle::EnterInput(model, noted.box == w_.quorvela);
            focusedBox = noted.box;
            break;
        case Kind::DoubleClick:
            focusedBox = nullptr;
            break;
        case Kind::ModeChosen:
            model = oracle::EnterInput(model, noted.volumeMode);
            break;
        case Kind::Calcola:
            calculated(oracle::Calculate(model), model, lastStop);
            break;
        case Kind::Pick:
            if (noted.comboText != noted.text) {
                failures.append(
                    QStringLiteral("the pick of '%1' shows '%2'").arg(noted.text, noted.comboText));
            }
            calculated(oracle::Pick(model, noted.combo, noted.text.toStdString()), model, lastStop);
            break;
    }
}

QStringList FigureWatch::End() {
    QStringList failures;
    const oracle::Window now = shown();
    oracle::Window model = before_;
    // The combo boxes hold what the user typed; picks are played below.
    model.giri = now.giri;
    model.colpi = now.colpi;
    std::optional<oracle::Stop> lastStop;
    QLineEdit* focusedBox = nullptr;
    for (const Noted& noted : noted_) {
        play(noted, model, failures, lastStop, focusedBox);
    }
    noted_.clear();

    const auto compare = [&](const char* what, const std::string& is, const std::string& expected) {
        if (is != expected) {
            failures.append(QStringLiteral("%1 shows '%2', expected '%3'")
                                .arg(QLatin1String(what), q(is), q(expected)));
        }
    };
    if (now.volumeMode != model.volumeMode || w_.flowOption->isChecked() == model.volumeMode) {
        failures.append(
            QStringLiteral("the mode is not the %1 mode")
                .arg(model.volumeMode ? QStringLiteral("volume") : QStringLiteral("flow")));
    }
    compare("txtPortata", now.portata, model.portata);
    compare("txtQuorvela", now.quorvela, model.quorvela);
    compare("txtLitriMinuto", now.litriMinuto, model.litriMinuto);
    compare("the stroke-time label", now.tempo, model.tempo);
    compare("its tooltip", now.tempoTip, model.tempoTip);
    compare("the picture's tooltip", now.imageTip, model.imageTip);
    if (warnings_ != expectedWarnings_) {
        failures.append(QStringLiteral("%1 speed warnings shown, expected %2")
                            .arg(warnings_)
                            .arg(expectedWarnings_));
        expectedWarnings_ = warnings_;
    }

    // Where a run that stopped early leaves the focus.
    QWidget* expectedFocus = nullptr;
    if (lastStop == oracle::Stop::SpeedWarning) {
        expectedFocus = w_.giri;
    } else if (lastStop == oracle::Stop::NoStrokes) {
        expectedFocus = w_.colpi;
    } else if (lastStop == oracle::Stop::EmptyInput) {
        expectedFocus = model.volumeMode ? w_.quorvela : w_.portata;
    }
    QWidget* focus = w_.form->focusWidget();
    if (expectedFocus != nullptr && focus != expectedFocus &&
        !(focus != nullptr && expectedFocus->isAncestorOf(focus))) {
        failures.append(QStringLiteral("the focus is in %1, expected %2")
                            .arg(focus != nullptr ? focus->objectName() : QStringLiteral("nothing"),
                                 expectedFocus->objectName()));
    }
    // Entering an input box selects its whole text.
    if (focusedBox != nullptr && focusedBox->hasFocus() &&
        focusedBox->selectedText() != focusedBox->text()) {
        failures.append(
            QStringLiteral("entering %1 selected '%2' of '%3'")
                .arg(focusedBox->objectName(), focusedBox->selectedText(), focusedBox->text()));
    }
    return failures;
}

}  // namespace quorvela::testing
