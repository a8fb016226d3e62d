#pragma once

// A user's session on the started window, one random action at a time.
// Every input event an action sends is watched (figure_watch.h): the window
// must show exactly the model's figures after it, whether or not anything
// was meant to change. The randomized-session test draws the actions from a
// seeded generator, the window fuzzer from the bytes of its input; both
// report the same failures.

#include <QString>
#include <QStringList>
#include <QTimer>

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <random>
#include <span>
#include <vector>

#include "figure_watch.h"
#include "window/frmQuorvela.h"

namespace quorvela::testing {

// Where the choices of a session come from.
class Choices {
public:
    virtual ~Choices() = default;
    // A number from 0 to bound - 1; bound is at least 1.
    virtual std::uint32_t Below(std::uint32_t bound) = 0;
    [[nodiscard]] virtual bool Exhausted() const { return false; }

    bool OneIn(std::uint32_t n) { return Below(n) == 0; }

protected:
    Choices() = default;
    Choices(const Choices&) = default;
    Choices& operator=(const Choices&) = default;
    Choices(Choices&&) = default;
    Choices& operator=(Choices&&) = default;
};

// Reproducible from its seed on every platform (no library distribution).
class SeededChoices final : public Choices {
public:
    explicit SeededChoices(std::uint64_t seed) : engine_(seed) {}
    std::uint32_t Below(std::uint32_t bound) override {
        return static_cast<std::uint32_t>(engine_() % bound);
    }

private:
    std::mt19937_64 engine_;
};

// One byte a choice; once the bytes run out every choice is 0.
class ByteChoices final : public Choices {
public:
    explicit ByteChoices(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::uint32_t Below(std::uint32_t bound) override;
    [[nodiscard]] bool Exhausted() const override { return next_ >= bytes_.size(); }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t next_ = 0;
};

class Session {
public:
    explicit Session(frmQuorvela& form);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    Session(Session&&) = delete;
    Session& operator=(Session&&) = delete;

    // Performs one action drawn from `choices` and returns what it did.
    QString Act(Choices& choices);
    // What went wrong in the last action; empty when nothing did.
    [[nodiscard]] QStringList Check();
    // The latest actions, oldest first, for a failure report.
    [[nodiscard]] QStringList Recent() const;
    [[nodiscard]] int SpeedWarnings() const { return speedWarnings_; }
    // Runs of the calculate command that wrote results.
    [[nodiscard]] int Calculations() const { return watch_.Calculations(); }

private:
    // One input event, watched: the window is compared with the model after it.
    void input(const std::function<void()>& event);
    void closeDialogs();
    void reactivate();

    // Input events as the platform delivers them.
    void send(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
              const char* text = nullptr);
    void typeText(const QString& text);
    void clickAt(const QWidget* control, QPoint local);

    // The actions.
    QString pressKey(Choices& choices);
    QString tab(Choices& choices);
    QString click(Choices& choices);
    QString typeIntoCombo(Choices& choices);
    QString pickFromList(Choices& choices);
    QString pickWithArrows(Choices& choices);
    QString enterValue(Choices& choices);
    QString clickCalcola(Choices& choices);
    QString clickOption(Choices& choices);
    QString otherMouse(Choices& choices);
    QString contextMenu(Choices& choices);
    QString wheel(Choices& choices);
    QString finishPopup(Choices& choices);
    [[nodiscard]] QWidget* anyControl(Choices& choices) const;

    // The emphasis of the mode and where the focus may be.
    void checkModeAndFocus(QStringList& failures) const;

    WindowWidgets w_;
    std::vector<QWidget*> controls_;
    FigureWatch watch_;
    QTimer closer_;
    QStringList watchFailures_;
    std::deque<QString> recent_;
    // The entry of the next context menu to take, and what was taken.
    int menuChoice_ = 0;
    QString menuTaken_;
    QStringList dialogFailures_;
    int terminations_ = 0;
    int speedWarnings_ = 0;
};

}  // namespace quorvela::testing
