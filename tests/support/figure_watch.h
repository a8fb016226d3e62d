#pragma once

// Holds the window to the exact figures of the model (oracle.h) across one
// input event at a time. While the event is delivered it notes, in order,
// what the driver reports reaching the controls: keys reaching a text box,
// the focus entering one, an option losing the selection, a click of
// "calcola", a pick from a list. Afterwards it plays those through the model
// from the texts the window showed before, and names every text, caption or
// tooltip that differs, whether or not anything was expected to change.

#include <optional>
#include <string>
#include <vector>

#include "driver.h"
#include "oracle.h"

namespace quorvela::test {

class FigureWatch {
public:
    // Notes what reaches the window's controls from now on, until destroyed.
    explicit FigureWatch(Driver& window);
    ~FigureWatch();
    FigureWatch(const FigureWatch&) = delete;
    FigureWatch& operator=(const FigureWatch&) = delete;
    FigureWatch(FigureWatch&&) = delete;
    FigureWatch& operator=(FigureWatch&&) = delete;

    // Around every input event: Begin takes the window as the model's start,
    // End returns what differs from the model after the event (empty when
    // everything agrees). Resume, in place of Begin, starts from what End
    // saw last, for an event that follows with nothing else in between.
    void Begin();
    void Resume() { noted_.clear(); }
    [[nodiscard]] std::vector<std::string> End();

    // For an observer of its own that still wants the figures watched.
    void Note(const Reached& reached) { noted_.push_back(reached); }

    // The speed warning was shown (and closed) once more.
    void SpeedWarningShown() { ++warnings_; }

    // Runs of the calculate command that wrote results, so far.
    [[nodiscard]] int Calculations() const { return calculations_; }

private:
    // What a played record leaves for the checks after the event.
    struct Played {
        oracle::Window model;
        std::optional<oracle::Stop> lastStop;
        std::string enteredBox;  // the box the focus entered last, its whole text selected
    };

    [[nodiscard]] oracle::Window shown() const;
    void play(const Reached& reached, const oracle::Window& now, Played& played,
              std::vector<std::string>& failures);
    void typed(const Reached& key, const std::string& now, std::string& text,
               std::vector<std::string>& failures) const;
    void calculated(const oracle::Outcome& outcome, Played& played);

    Driver& window_;
    oracle::Window before_;
    std::vector<Reached> noted_;
    int warnings_ = 0;
    int expectedWarnings_ = 0;
    int calculations_ = 0;
};

}  // namespace quorvela::test
