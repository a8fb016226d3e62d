// The window as a screen reader, or any program on the accessibility bus,
// sees it: what each control is called, and that no program writes an input
// box from outside.

#include <gtest/gtest.h>

#include <string>

#include "window_test.h"

namespace quorvela::test {
namespace {

using Accessibility = WindowTest;

struct Named {
    const char* row;
    const char* control;
    const char* name;
};

class EachControl : public WindowTest, public ::testing::WithParamInterface<Named> {};

// The boxes by their captions, not by the figures they hold; the options and
// the button by their texts.
TEST_P(EachControl, IsNamedForAScreenReader) {
    EXPECT_EQ(window.AccessibleOf(GetParam().control).name, GetParam().name);
}
INSTANTIATE_TEST_SUITE_P(Accessibility, EachControl,
                         ::testing::Values(Named{"CboGiri", "cboGiri", "Giri"},
                                           Named{"CboColpi", "cboColpi", "Colpi"},
                                           Named{"TxtPortata", "txtPortata", "Portata cm³"},
                                           Named{"TxtQuorvela", "txtQuorvela", "litri/ora"},
                                           Named{"TxtLitriMinuto", "txtLitriMinuto", "litri/min"},
                                           Named{"OptScelta0", "optScelta(0)", "ottieni cm³"},
                                           Named{"OptScelta1", "optScelta(1)", "ottieni litri/ora"},
                                           Named{"CmdCalcola", "cmdCalcola", "calcola"}),
                         [](const auto& row) { return row.param.row; });

TEST_F(Accessibility, TheStrokeTimeLabelIsNamedByWhatItShows) {
    const Accessible label = window.AccessibleOf("lblDescrizione(2)");
    EXPECT_EQ(label.name, "12 secondi");
    EXPECT_EQ(label.description, "a 1000 giri, 200 colpi si ottengono in 12 secondi");
}

class NoProgram : public WindowTest, public ::testing::WithParamInterface<const char*> {};

// txtQuorvela outside its mode too: the flow mode is in force.
TEST_P(NoProgram, WritesATextBoxFromOutside) {
    window.WriteFromOutside(GetParam(), "12abc-+ 1.5e9xyz");
    EXPECT_EQ(window.Text(GetParam()), "");
}
INSTANTIATE_TEST_SUITE_P(Accessibility, NoProgram,
                         ::testing::Values("txtPortata", "txtQuorvela", "txtLitriMinuto"),
                         [](const auto& row) { return std::string(row.param); });

TEST_F(Accessibility, AScreenReaderStillReadsAnInputBox) {
    window.Type("12,5");
    const Accessible box = window.AccessibleOf("txtPortata");
    EXPECT_EQ(box.name, "Portata cm³");
    EXPECT_EQ(box.value, "12,5");
    EXPECT_EQ(box.description, "Valore di portata");
}

}  // namespace
}  // namespace quorvela::test
