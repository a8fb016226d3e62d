#include "runtime/edit_menu.h"

#include <array>
#include <cstddef>

namespace quorvela::runtime {

std::string_view MenuLabel(EditCommand command) {
    static constexpr std::array<std::string_view, 6> Labels = {
        "Annulla", "Taglia", "Copia", "Incolla", "Elimina", "Seleziona tutto"};
    return Labels.at(static_cast<std::size_t>(command));
}

std::vector<MenuEntry> CopyMenu(const EditState& state) {
    return {{EditCommand::Copy, state.hasSelection}, {EditCommand::SelectAll, state.hasText}};
}

std::vector<MenuEntry> EditMenu(const EditState& state) {
    return {
        {EditCommand::Undo, state.canUndo},        {EditCommand::Cut, state.hasSelection},
        {EditCommand::Copy, state.hasSelection},   {EditCommand::Paste, state.clipboardHasText},
        {EditCommand::Delete, state.hasSelection}, {EditCommand::SelectAll, state.hasText, true}};
}

}  // namespace quorvela::runtime
