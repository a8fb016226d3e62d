// Start-up: the placement on the screen and what Load leaves behind before
// the window is first shown. (What the first show meets the user with is
// checked by tst_modes.)

#include <gtest/gtest.h>

#include <cstdlib>

#include "driver.h"
#include "runtime/form.h"
#include "window/frmQuorvela.h"

namespace quorvela::test {
namespace {

// A window built and loaded, not shown.
class Startup : public ::testing::Test {
protected:
    void TearDown() override {
        runtime::SetScreenSizeForTesting(0, 0);
        for (const std::string& box : window.Unexpected()) {
            ADD_FAILURE() << "unexpected message box: " << box;
        }
    }

    frmQuorvela form_;
    Driver window{form_, frmQuorvela::Layout()};
};

struct Screen {
    const char* name;
    int width;  // 0: the window's own outer size
    int height;
};

class Placement : public Startup, public ::testing::WithParamInterface<Screen> {};

// The free width split equally, a third of the free height above; a window
// larger than the screen is not pulled back onto it.
TEST_P(Placement, SplitsTheFreeWidthEquallyAndPutsAThirdOfTheFreeHeightAbove) {
    const Rect outer = window.Placement();
    const int width = GetParam().width > 0 ? GetParam().width : outer.width;
    const int height = GetParam().height > 0 ? GetParam().height : outer.height;
    runtime::SetScreenSizeForTesting(width, height);

    runtime::Load(form_);

    const Rect placed = window.Placement();
    EXPECT_EQ(placed.width, outer.width);
    EXPECT_EQ(placed.height, outer.height);
    const int right = width - placed.width - placed.left;
    const int below = height - placed.height - placed.top;
    EXPECT_LE(std::abs(placed.left - right), 1) << placed.left << " left, " << right << " right";
    EXPECT_LE(std::abs(2 * placed.top - below), 3) << placed.top << " above, " << below << " below";
    if (GetParam().width == 0) {
        EXPECT_EQ(placed.left, 0);
        EXPECT_EQ(placed.top, 0);
    }
}
INSTANTIATE_TEST_SUITE_P(Startup, Placement,
                         ::testing::Values(Screen{"LargeScreen", 1920, 1080},
                                           Screen{"ExactlyTheWindow", 0, 0},
                                           Screen{"SmallScreen", 400, 300}),
                         [](const auto& row) { return row.param.name; });

TEST_F(Startup, LoadRunsThePickAndModeHandlersBeforeEachWriteReturns) {
    form_.txtPortata.SetText("99");

    runtime::Load(form_);

    // The stroke pick set the stroke time, the mode selection its emphasis,
    // and the focus moves they tried were refused while hidden.
    EXPECT_EQ(window.Text("lblDescrizione(2)"), "12 secondi");
    const std::string tip = "a 1000 giri, 200 colpi si ottengono in 12 secondi";
    EXPECT_EQ(window.ToolTip("lblDescrizione(2)"), tip);
    EXPECT_EQ(window.ToolTip("Image1"), tip);
    EXPECT_TRUE(window.Checked("optScelta(0)"));
    EXPECT_FALSE(window.Checked("optScelta(1)"));
    EXPECT_TRUE(window.Bold("optScelta(0)"));
    EXPECT_EQ(window.ForeColor("optScelta(0)"), 0x000000FFU);
    EXPECT_TRUE(window.Bold("lblDescrizione(3)"));
    EXPECT_FALSE(window.Bold("lblDescrizione(4)"));
    EXPECT_EQ(window.Text("txtPortata"), "");
    EXPECT_EQ(window.Text("frmQuorvela"), frmQuorvela::Layout().caption);
    EXPECT_TRUE(window.Boxes().empty());
}

}  // namespace
}  // namespace quorvela::test
