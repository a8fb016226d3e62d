#pragma once

// A window's layout as data: the form and every control on it, with its
// place, texts, font and colours. A backend builds the window from it.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "runtime/units.h"

namespace quorvela::runtime {

enum class ControlKind : std::uint8_t {
    Frame,
    Shape,  // a rectangle drawn beneath the other controls
    Label,
    Image,
    TextBox,
    ComboBox,
    OptionButton,
    CommandButton,
};

// The kinds of control the user can move the focus to.
[[nodiscard]] constexpr bool TakesFocus(ControlKind kind) {
    return kind == ControlKind::TextBox || kind == ControlKind::ComboBox ||
           kind == ControlKind::OptionButton || kind == ControlKind::CommandButton;
}

enum class Alignment : std::uint8_t { Left, Center };

// The control takes the focus by mouse only: Tab passes it by.
enum class TabStop : std::uint8_t { Yes, No };

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct Font {
    double points = 0;
    bool bold = false;
};

// A picture of the program's own, and where each backend finds it among the
// program's resources.
struct Picture {
    std::string_view svg;       // its drawing, as a Qt resource path
    std::string_view smallSvg;  // a simpler drawing for 16 pixels and less; empty: svg
    int iconId = 0;             // its ICON resource in the Windows executable
};

inline constexpr int NoIndex = -1;     // not an item of a control array
inline constexpr int NoTabIndex = -1;  // outside the tab order

// One control. Texts are UTF-8.
struct ControlLayout {
    ControlKind kind{};
    std::string_view name;
    int index = NoIndex;
    std::string_view container;         // the enclosing control; empty for the form
    TwipsRect rect;                     // within the container
    std::string_view text;              // caption or design-time text
    Font font;                          // points 0: the form's font
    std::optional<OleColor> foreColor;  // the platform's default when empty; a shape's border
    Alignment alignment = Alignment::Left;
    int tabIndex = NoTabIndex;  // order among the controls that take the focus
    TabStop tabStop = TabStop::Yes;
    int typingLimit = 0;  // the most characters the user may put in; 0: no limit
    std::string_view toolTip;
    std::string_view labelFor;        // the control this caption names, for screen readers
    std::string_view accessibleName;  // where no caption names the control
    Picture picture;                  // an image's picture
};

struct FormLayout {
    std::string_view name;
    std::string_view caption;
    int clientWidth = 0;  // twips
    int clientHeight = 0;
    std::string_view fontFace;
    Font font;
    Picture icon;
    std::span<const ControlLayout> controls;
};

}  // namespace quorvela::runtime
