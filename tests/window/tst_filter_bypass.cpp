// No way around the keystroke filter: paste, drop and input-method text, and
// the menus the boxes offer.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "window_test.h"

namespace quorvela::test {
namespace {

constexpr const char* Offered = "a1.5-x9";

struct Way {
    const char* name;
    std::function<void(Driver&, std::string_view box)> put;
    const char* expected;  // after '7' was typed
};

struct Bypass {
    bool volumeMode;
    Way way;
};

class NothingPutsText : public WindowTest, public ::testing::WithParamInterface<Bypass> {};

// Every way of putting text into an input box besides typing: the text
// either goes through the keystroke filter or does not go in at all.
TEST_P(NothingPutsText, PastTheFilter) {
    const auto& [volumeMode, way] = GetParam();
    window.SetClipboard(Offered);
    ChooseMode(volumeMode);
    window.Type("7");
    way.put(window, InputOf(volumeMode));
    EXPECT_EQ(window.Text(InputOf(volumeMode)), way.expected);
}

std::vector<Bypass> bypasses(){const std::vector<Way> ways{
    {"CtrlV", [](Driver& window, std::string_view) { window.Press(CtrlPlus('v')); }, "7"},
    {"ShiftInsert", [](Driver& window, std::string_view) { window.Press(Key::Insert, Shift); },
     "7"},
    {"PasteKey", [](Driver& window, std::string_view) { window.Press(Key::Paste); }, "7"},
    {"MiddleClick", [](Driver& window, std::string_view box) { window.MiddleClick(box); }, "7"},
    // Nothing is dropped, whether the platform would deliver the drop or not.
    {"Drop", [](Driver& window, std::string_view box) { EXPECT_FALSE(window.Drop(box, Offered)); },
     "7"},
    // Composed text is typed character by character, through the filter.
    // Windows: the input boxes have no input context, so nothing is
    // composed there at all (docs/platform-differences.md).
    {"InputMethod", [](Driver& window, std::string_view box) { window.Compose(box, Offered); },
#ifdef _WIN32
     "7"},
#else
     "71,59"},
#endif
};
std::vector<Bypass> rows;
for (const bool volumeMode : {false, true}) {
    for (const Way& way : ways) {
        rows.push_back({volumeMode, way});
    }
}
return rows;
}  // namespace

INSTANTIATE_TEST_SUITE_P(FilterBypass, NothingPutsText, ::testing::ValuesIn(bypasses()),
                         [](const auto& row) {
                             return std::string(row.param.volumeMode ? "TxtQuorvela"
                                                                     : "TxtPortata") +
                                    row.param.way.name;
                         });

class TheContextMenuOfAnInputBox : public WindowTest, public ::testing::WithParamInterface<bool> {};

TEST_P(TheContextMenuOfAnInputBox, OffersCopyButNoPaste) {
    ChooseMode(GetParam());
    window.Type("7");
    window.Press(CtrlPlus('a'));
    const std::vector<MenuEntry> entries = window.ContextMenu(InputOf(GetParam()));
    EXPECT_EQ(entries, (std::vector<MenuEntry>{{.label = "Copia", .enabled = true},
                                               {.label = "Seleziona tutto", .enabled = true}}));
    EXPECT_EQ(window.Text(InputOf(GetParam())), "7");
}
INSTANTIATE_TEST_SUITE_P(FilterBypass, TheContextMenuOfAnInputBox, ::testing::Bool(),
                         [](const auto& row) { return row.param ? "TxtQuorvela" : "TxtPortata"; });

class TheEditMenuOfAComboBox : public WindowTest,
                               public ::testing::WithParamInterface<const char*> {};

// The platform's own edit menu, in Italian: Qt's with its redo entry; on
// Windows, whose own menu follows the system's language, the program's.
TEST_P(TheEditMenuOfAComboBox, SpeaksItalian) {
    window.Click(GetParam());
    window.Press(CtrlPlus('a'));
    std::vector<std::string> labels;
    for (const MenuEntry& entry : window.ContextMenu(GetParam())) {
        labels.push_back(entry.label);
    }
#ifdef _WIN32
    EXPECT_EQ(labels, (std::vector<std::string>{"Annulla", "Taglia", "Copia", "Incolla", "Elimina",
                                                "Seleziona tutto"}));
#else
    EXPECT_EQ(labels, (std::vector<std::string>{"Annulla", "Rifai", "Taglia", "Copia", "Incolla",
                                                "Elimina", "Seleziona tutto"}));
#endif
}
INSTANTIATE_TEST_SUITE_P(FilterBypass, TheEditMenuOfAComboBox,
                         ::testing::Values("cboGiri", "cboColpi"),
                         [](const auto& row) { return std::string(row.param); });

}  // namespace quorvela::test
}  // namespace quorvela::test
