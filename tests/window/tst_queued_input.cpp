// Input through the platform's own input queue, as a desktop delivers it:
// keys and clicks pile up while a handler runs, and event pumping in the
// calculate command really delivers them, nested one pump deep at most.
// On Linux the X server's queue (the xcb platform on the tests' X display),
// on Windows the system's.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "figure_watch.h"
#include "window_test.h"

namespace quorvela::test {
namespace {

using namespace std::chrono_literals;

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += "\n  " + line;
    }
    return text;
}

class QueuedInput : public WindowTest, public ::testing::WithParamInterface<int> {};

// Each Enter's run lets events run and would run the next Enter inside
// itself: thousands of them nested until the stack overflowed.
TEST_P(QueuedInput, EntersAndClicksIntoAnEmptyInputLeaveEveryFigureRight) {
    const int count = GetParam();
    ASSERT_EQ(window.Focused(), "txtPortata");
    ASSERT_EQ(window.Text("txtPortata"), "");

    FigureWatch watch(window);
    int enters = 0;
    int clicks = 0;
    window.Observe([&](const Reached& reached) {
        watch.Note(reached);
        if (reached.kind == Reached::Kind::Key && reached.control == "txtPortata" &&
            reached.code == 13) {
            ++enters;
        } else if (reached.kind == Reached::Kind::ButtonClicked &&
                   reached.control == "cmdCalcola") {
            ++clicks;
        }
    });
    watch.Begin();
    // All of them queued before the first is handled.
    window.QueueKeys(Key::Enter, count);
    window.QueueClicks("cmdCalcola", count);
    // A bound for a hung program, not a measure of speed.
    ASSERT_TRUE(window.RunUntil([&] { return enters == count && clicks == count; }, 300s))
        << enters << " Enters and " << clicks << " clicks delivered";
    ASSERT_TRUE(window.RunUntil([&] { return window.Focused() == "txtPortata"; }, 30s))
        << "the focus is in " << window.Focused();
    std::vector<std::string> failures = watch.End();
    EXPECT_TRUE(failures.empty()) << Joined(failures);

    // Still answering: '50' and Enter give the figures of 50 cm³.
    watch.Begin();
    window.Type("50");
    window.Press(Key::Enter);
    failures = watch.End();
    EXPECT_TRUE(failures.empty()) << Joined(failures);
    EXPECT_EQ(window.Text("txtQuorvela"), "15");
    EXPECT_EQ(watch.Calculations(), 1);
}

INSTANTIATE_TEST_SUITE_P(Queued, QueuedInput, ::testing::Values(50, 5000),
                         [](const auto& row) { return std::to_string(row.param) + "_of_each"; });

}  // namespace
}  // namespace quorvela::test
