#pragma once

// The edit menus the runtime shows on its text fields, with the same Italian
// labels on every system whatever its language.

#include <cstdint>
#include <string_view>
#include <vector>

namespace quorvela::runtime {

enum class EditCommand : std::uint8_t { Undo, Cut, Copy, Paste, Delete, SelectAll };

[[nodiscard]] std::string_view MenuLabel(EditCommand command);

struct MenuEntry {
    EditCommand command{};
    bool enabled = false;
    bool separatorBefore = false;
};

// What the field offers the menu.
struct EditState {
    bool hasText = false;
    bool hasSelection = false;
    bool canUndo = false;
    bool clipboardHasText = false;
};

// A text box's menu: copying a figure out stays possible, nothing can be
// put in.
[[nodiscard]] std::vector<MenuEntry> CopyMenu(const EditState& state);
// The full menu of an editable field.
[[nodiscard]] std::vector<MenuEntry> EditMenu(const EditState& state);

}  // namespace quorvela::runtime
