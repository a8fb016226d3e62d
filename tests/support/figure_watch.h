#pragma once

// Holds the window to the exact figures of the model (oracle.h) across one
// input event at a time. While the event is delivered it notes, in order,
// what the toolkit reports: keys reaching an input box, the focus entering
// one, a change of the selected option, a click of "calcola", a pick from a
// list. Afterwards it plays those through the model from the texts the
// window showed before, and names every text, caption or tooltip that
// differs, whether or not anything was expected to change.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

#include "oracle.h"

class QAbstractButton;
class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace quorvela::testing {

// The widgets behind the window's controls.
struct WindowWidgets {
    QWidget* form = nullptr;
    QLineEdit* portata = nullptr;
    QLineEdit* quorvela = nullptr;
    QLineEdit* litriMinuto = nullptr;
    QComboBox* giri = nullptr;
    QComboBox* colpi = nullptr;
    QAbstractButton* calcola = nullptr;
    QAbstractButton* volumeOption = nullptr;  // "ottieni cm³"
    QAbstractButton* flowOption = nullptr;    // "ottieni litri/ora"
    QLabel* tempo = nullptr;                  // the stroke-time label
    QWidget* image = nullptr;                 // the picture beside it
    QLabel* portataCaption = nullptr;         // "Portata cm³", bold in the volume mode
    QLabel* quorvelaCaption = nullptr;        // "litri/ora", bold in the flow mode
};

class FigureWatch final : public QObject {
public:
    explicit FigureWatch(const WindowWidgets& widgets);

    // Around every input event: Begin takes the window as the model's start,
    // End returns what differs from the model after the event (empty when
    // everything agrees).
    void Begin();
    [[nodiscard]] QStringList End();

    // The speed warning was shown (and closed) once more.
    void SpeedWarningShown() { ++warnings_; }

    // Runs of the calculate command that wrote results, so far.
    [[nodiscard]] int Calculations() const { return calculations_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Noted {
        enum class Kind { Key, Focus, DoubleClick, ModeChosen, Calcola, Pick };
        Kind kind = Kind::Key;
        QLineEdit* box = nullptr;   // Key, FocusIn
        std::optional<int> code{};  // Key: the character code, if it types one
        QString text{};             // Key: the box's text before; Pick: the item
        int selectionStart = -1;    // Key: -1 when nothing is selected
        int selectionLength = 0;
        int cursor = 0;
        bool volumeMode = false;                    // ModeChosen
        oracle::Combo combo = oracle::Combo::Giri;  // Pick
        QString comboText{};                        // Pick: the combo's text once picked
    };

    [[nodiscard]] oracle::Window shown() const;
    void play(const Noted& noted, oracle::Window& model, QStringList& failures,
              std::optional<oracle::Stop>& lastStop, QLineEdit*& focusedBox);
    void typed(const Noted& noted, oracle::Window& model, QStringList& failures) const;
    void calculated(const oracle::Outcome& outcome, oracle::Window& model,
                    std::optional<oracle::Stop>& lastStop);
    [[nodiscard]] std::string& textOf(oracle::Window& model, const QLineEdit* box) const;

    WindowWidgets w_;
    oracle::Window before_;
    std::vector<Noted> noted_;
    int warnings_ = 0;
    int expectedWarnings_ = 0;
    int calculations_ = 0;
};

}  // namespace quorvela::testing
