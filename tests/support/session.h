#pragma once

// A user's session on the started window, one random action at a time,
// through the Driver: the same code drives both runtimes. Every input event
// an action sends is watched (figure_watch.h): the window must show exactly
// the model's figures after it, whether or not anything was meant to change.
// The randomized-session test draws the actions from a seeded generator, the
// window fuzzer from the bytes of its input; both report the same failures.
//
// What an action does and how it is described depend on the choices alone,
// never on what the window shows: a seed gives the same actions, line for
// line, on either runtime and on any machine.

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "driver.h"
#include "figure_watch.h"

namespace quorvela::test {

inline constexpr std::array<std::string_view, 2> ComboBoxes{"cboGiri", "cboColpi"};

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
    explicit Session(Driver& window);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    Session(Session&&) = delete;
    Session& operator=(Session&&) = delete;

    // Performs one action drawn from `choices` and returns what it did.
    std::string Act(Choices& choices);
    // What went wrong in the last action; empty when nothing did.
    [[nodiscard]] std::vector<std::string> Check();
    // The latest actions, oldest first, for a failure report.
    [[nodiscard]] std::vector<std::string> Recent() const {
        return {recent_.begin(), recent_.end()};
    }
    [[nodiscard]] int SpeedWarnings() const { return speedWarnings_; }
    // Runs of the calculate command that wrote results.
    [[nodiscard]] int Calculations() const { return watch_.Calculations(); }

private:
    // One input event, watched: the window is compared with the model after it.
    void input(const std::function<void()>& event);
    void seen(const SeenBox& box);

    // The actions.
    std::string pressKey(Choices& choices);
    std::string tab(Choices& choices);
    std::string click(Choices& choices);
    std::string typeIntoCombo(Choices& choices);
    std::string pickFromList(Choices& choices);
    std::string pickWithArrows(Choices& choices);
    std::string enterValue(Choices& choices);
    std::string clickCalcola(Choices& choices);
    std::string clickOption(Choices& choices);
    std::string otherMouse(Choices& choices);
    std::string contextMenu(Choices& choices);
    std::string wheel(Choices& choices);
    std::string finishList(Choices& choices);

    // Each character its own input event.
    void typeText(std::string_view utf8);

    // The emphasis of the mode and where the focus may be.
    void checkModeAndFocus(std::vector<std::string>& failures) const;

    Driver& window_;
    FigureWatch watch_;
    std::vector<std::string> failures_;
    std::deque<std::string> recent_;
    bool watching_ = false;
    int terminations_ = 0;
    int speedWarnings_ = 0;
};

}  // namespace quorvela::test
