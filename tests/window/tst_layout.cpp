// The window as the user first sees it: places, sizes, fonts, colours,
// texts and tab order. The places are the screen's device pixels at 96 dpi,
// or at the density QUORVELA_TEST_DPI names for the run (144: half as many
// again, give or take the rounding of each edge).

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <string>
#include <vector>

#include "window_test.h"

namespace quorvela::test {
namespace {

using Layout = WindowTest;

int TestDpi() {
    const char* dpi = std::getenv("QUORVELA_TEST_DPI");
    return dpi != nullptr ? std::atoi(dpi) : 96;
}

// A control's name as a row's name: its letters and digits.
std::string RowName(std::string_view control) {
    std::string name;
    for (const char c : control) {
        if (std::isalnum(static_cast<unsigned char>(c)) != 0) {
            name += c;
        }
    }
    return name;
}

// A place at 96 dpi, at the run's density.
void ExpectPlace(const Rect& shown, const Rect& at96) {
    const int dpi = TestDpi();
    const int slack = dpi == 96 ? 0 : 1;
    const auto scaled = [dpi](int pixels) { return pixels * dpi / 96; };
    EXPECT_NEAR(shown.left, scaled(at96.left), slack);
    EXPECT_NEAR(shown.top, scaled(at96.top), slack);
    EXPECT_NEAR(shown.width, scaled(at96.width), slack);
    EXPECT_NEAR(shown.height, scaled(at96.height), slack);
}

TEST_F(Layout, TheClientAreaIs505By340) {
    ExpectPlace(window.Geometry("frmQuorvela"), {.left = 0, .top = 0, .width = 505, .height = 340});
}

struct Place {
    const char* name;
    Rect pixels;  // in the client area, at 96 dpi
};

class EveryControl : public WindowTest, public ::testing::WithParamInterface<Place> {};

TEST_P(EveryControl, StandsWhereTheLayoutPutsIt) {
    ExpectPlace(window.Geometry(GetParam().name), GetParam().pixels);
}
INSTANTIATE_TEST_SUITE_P(
    Layout, EveryControl,
    ::testing::Values(
        Place{"Frame1", {16, 8, 473, 313}},
        // top group
        Place{"cboGiri", {56, 76, 81, 31}}, Place{"cboColpi", {184, 76, 81, 31}},
        Place{"lblDescrizione(0)", {54, 52, 61, 23}}, Place{"lblDescrizione(1)", {184, 52, 65, 23}},
        Place{"Image1", {304, 48, 55, 64}}, Place{"lblDescrizione(2)", {360, 80, 97, 21}},
        // bottom group
        Place{"lblDescrizione(3)", {56, 168, 97, 23}},
        Place{"lblDescrizione(4)", {184, 168, 81, 23}},
        Place{"lblDescrizione(5)", {304, 168, 81, 23}}, Place{"txtPortata", {56, 192, 81, 31}},
        Place{"txtQuorvela", {184, 192, 81, 31}}, Place{"txtLitriMinuto", {304, 192, 81, 31}},
        Place{"optScelta(0)", {56, 240, 97, 19}}, Place{"optScelta(1)", {56, 264, 129, 19}},
        Place{"cmdCalcola", {304, 240, 121, 35}},
        // rectangles
        Place{"Shape1", {40, 40, 425, 89}}, Place{"Shape2", {40, 152, 425, 145}}),
    [](const auto& row) { return RowName(row.param.name); });

struct Lettering {
    const char* name;
    double points;
    bool bold;
};

class Fonts : public WindowTest, public ::testing::WithParamInterface<Lettering> {};

TEST_P(Fonts, AreTheLayouts) {
    const Lettering& row = GetParam();
    EXPECT_EQ(window.FontFamily(row.name), "Calibri");
    // A font stands a whole number of pixels high: at another density, the
    // layout's size within half a pixel.
    const double slack = TestDpi() == 96 ? 0.0 : 36.0 / TestDpi();
    EXPECT_NEAR(window.FontPoints(row.name), row.points, slack);
    EXPECT_EQ(window.Bold(row.name), row.bold);
}
INSTANTIATE_TEST_SUITE_P(
    Layout, Fonts,
    ::testing::Values(
        Lettering{"frmQuorvela", 12.0, false}, Lettering{"lblDescrizione(0)", 14.25, false},
        Lettering{"lblDescrizione(1)", 14.25, false}, Lettering{"lblDescrizione(2)", 12.0, false},
        Lettering{"lblDescrizione(3)", 14.25, false}, Lettering{"lblDescrizione(5)", 14.25, false},
        Lettering{"cboGiri", 14.25, false}, Lettering{"cboColpi", 14.25, false},
        Lettering{"txtPortata", 14.25, true}, Lettering{"txtQuorvela", 14.25, true},
        Lettering{"txtLitriMinuto", 14.25, true}, Lettering{"cmdCalcola", 14.25, false},
        Lettering{"optScelta(0)", 11.25, false}),
    [](const auto& row) { return RowName(row.param.name); });

struct Texts {
    const char* name;
    const char* text;
    Alignment alignment;
    const char* toolTip;
};

class TextsAlignmentsAndTooltips : public WindowTest,
                                   public ::testing::WithParamInterface<Texts> {};

TEST_P(TextsAlignmentsAndTooltips, AreTheLayouts) {
    const Texts& row = GetParam();
    EXPECT_EQ(window.Text(row.name), row.text);
    EXPECT_EQ(window.AlignmentOf(row.name), row.alignment);
    EXPECT_EQ(window.ToolTip(row.name), row.toolTip);
}
INSTANTIATE_TEST_SUITE_P(
    Layout, TextsAlignmentsAndTooltips,
    ::testing::Values(Texts{"lblDescrizione(0)", "Giri", Alignment::Center, ""},
                      Texts{"lblDescrizione(1)", "Colpi", Alignment::Center, ""},
                      Texts{"lblDescrizione(3)", "Portata cm³", Alignment::Left, ""},
                      Texts{"lblDescrizione(4)", "litri/ora", Alignment::Center, ""},
                      Texts{"lblDescrizione(5)", "litri/min", Alignment::Center, ""},
                      Texts{"txtPortata", "", Alignment::Center, "Valore di portata"},
                      Texts{"txtQuorvela", "", Alignment::Center, "Inserire un valore di litri/h"},
                      Texts{"txtLitriMinuto", "", Alignment::Center, ""}),
    [](const auto& row) { return RowName(row.param.name); });

TEST_F(Layout, CaptionsOfTheWindowTheOptionsAndTheButton) {
    EXPECT_EQ(window.Text("optScelta(0)"), "ottieni cm³");
    EXPECT_EQ(window.Text("optScelta(1)"), "ottieni litri/ora");
    EXPECT_EQ(window.Text("cmdCalcola"), "calcola");
    const std::string title = window.Text("frmQuorvela");
    EXPECT_TRUE(title.starts_with("Quorvela -  07/2024  -  ")) << title;
    EXPECT_TRUE(title.ends_with("@example.org")) << title;
}

TEST_F(Layout, TextColoursOfTheBoxes) {
    EXPECT_EQ(window.ForeColor("txtPortata"), 0x00FF00FFU);   // magenta
    EXPECT_EQ(window.ForeColor("txtQuorvela"), 0x00FF0000U);  // blue
    EXPECT_EQ(window.ForeColor("txtLitriMinuto"), 0x00FF0000U);
}

TEST_F(Layout, TheComboListsHoldTheFixedItems) {
    EXPECT_EQ(window.Items("cboGiri"),
              (std::vector<std::string>{"100", "200", "500", "1000", "1500", "2000", "2500"}));
    EXPECT_EQ(window.Items("cboColpi"), (std::vector<std::string>{"200", "500", "1000"}));
}

// A click inside Shape2 on the volume box reaches the box.
TEST_F(Layout, TheRectanglesLetTheMouseThrough) {
    window.Click("txtQuorvela", Point{.x = 10, .y = 10});
    EXPECT_EQ(window.Focused(), "txtQuorvela");
}

// txtLitriMinuto is out of the Tab sequence; of the options only the
// selected one takes the focus; the rectangles never take it.
TEST_F(Layout, TabWalksTheTabOrderAndWrapsFromCboColpi) {
    ASSERT_EQ(window.Focused(), "txtPortata");
    for (const char* next :
         {"txtQuorvela", "optScelta(0)", "cmdCalcola", "cboGiri", "cboColpi", "txtPortata"}) {
        window.Press(Key::Tab);
        EXPECT_EQ(window.Focused(), next);
    }
}

TEST_F(Layout, AClickStillReachesTxtLitriMinuto) {
    window.Click("txtLitriMinuto");
    EXPECT_EQ(window.Focused(), "txtLitriMinuto");
}

}  // namespace
}  // namespace quorvela::test
