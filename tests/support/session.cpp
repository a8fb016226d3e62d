#include "session.h"

#include <algorithm>
#include <array>
#include <utility>

#include "runtime/dispatch.h"
#include "window/frmQuorvela.h"

namespace quorvela::test {

std::uint32_t ByteChoices::Below(std::uint32_t bound) {
    std::uint32_t value = 0;
    // As many bytes as the bound needs, so that every choice is reachable.
    for (std::uint32_t reach = 1; reach < bound; reach *= 256U) {
        const std::uint8_t byte = next_ < bytes_.size() ? bytes_[next_] : 0;
        ++next_;
        value = value * 256U + byte;
        if (reach > (0xFFFFFFFFU / 256U)) {
            break;
        }
    }
    return value % bound;
}

namespace {

struct Keystroke {
    Stroke stroke;
    const char* typed;  // a character no key of the driver names, typed as text
    const char* name;
};

constexpr Keystroke Plain(char character) {
    return {.stroke = {.key = Key::Character, .character = character},
            .typed = nullptr,
            .name = nullptr};
}
constexpr Keystroke Named(Stroke stroke, const char* name) {
    return {.stroke = stroke, .typed = nullptr, .name = name};
}
constexpr Keystroke Typed(const char* text) {
    return {.stroke = {}, .typed = text, .name = text};
}

// Every kind of keystroke a user can send to a control.
const auto Keys = std::to_array<Keystroke>({
    Plain('0'),
    Plain('1'),
    Plain('2'),
    Plain('5'),
    Plain('7'),
    Plain('9'),
    Plain('.'),
    Named(Press(Key::KeypadDecimal), "keypad decimal"),
    Plain(','),
    Plain('-'),
    Plain('+'),
    Named(Press(Key::Space), "blank"),
    Plain('a'),
    Named({.key = Key::Character, .character = 'e', .modifiers = Shift}, "E"),
    Plain('x'),
    Typed("\xc3\xa8"),      // è
    Typed("\xc3\xa0"),      // à
    Typed("\xc3\xb9"),      // ù
    Typed("\xe2\x82\xac"),  // €
    Typed("\xc2\xb3"),      // ³
    Named(CtrlPlus('c'), "Ctrl+C"),
    Named(CtrlPlus('v'), "Ctrl+V"),
    Named(CtrlPlus('x'), "Ctrl+X"),
    Named(CtrlPlus('a'), "Ctrl+A"),
    Named(CtrlPlus('z'), "Ctrl+Z"),
    Named(CtrlPlus('h'), "Ctrl+H"),
    Named(CtrlPlus('m'), "Ctrl+M"),
    Named(Press(Key::Insert, Shift), "Shift+Insert"),
    Named(Press(Key::Insert, Ctrl), "Ctrl+Insert"),
    Named(Press(Key::Enter), "Enter"),
    Named(Press(Key::Enter, Ctrl), "Ctrl+Enter"),
    Named(Press(Key::KeypadEnter), "keypad Enter"),
    Named(Press(Key::Backspace), "Backspace"),
    Named(Press(Key::Backspace, Ctrl), "Ctrl+Backspace"),
    Named(Press(Key::Delete), "Delete"),
    Named(Press(Key::Left), "Left"),
    Named(Press(Key::Right), "Right"),
    Named(Press(Key::Left, Shift), "Shift+Left"),
    Named(Press(Key::Up), "Up"),
    Named(Press(Key::Down), "Down"),
    Named(Press(Key::Home), "Home"),
    Named(Press(Key::End, Shift), "Shift+End"),
    Named(Press(Key::End), "End"),
    Named(Press(Key::Escape), "Escape"),
    Named(Press(Key::F4), "F4"),
    Named(Press(Key::Down, Alt), "Alt+Down"),
    Named(Press(Key::PageDown), "PageDown"),
});

// What users type into the combo boxes, the awkward included.
const auto ComboTexts = std::to_array<const char*>({
    "1000",  "2500",   "100",    "200",        "1500",       "0",
    "-500",  "-1000",  "7",      "99999",      "40000",      "32767",
    "32768", "-32768", "-32769", "2147483647", "2147483648", "1E+05",
    "2,5E3", "1e400",  "1E-400", "12,5",       "1.5",        "0,4",
    " ",     "",       " 1000 ", "abc",        "1,2,3",      ",",
    "-",     "+200",   "1 000",  "1500x",      "\xc3\xa8",   "0000000000000000000001",
});

// Every entry the window's menus may offer, in Italian; the session takes
// one of them by its label, or closes the menu (the empty label).
const auto MenuChoices = std::to_array<std::string_view>(
    {"", "Copia", "Seleziona tutto", "Incolla", "Taglia", "Elimina", "Annulla", "Rifai"});

// Every control of the layout by the name the driver knows, the shapes and
// the frame included.
std::vector<std::string> LayoutControls() {
    std::vector<std::string> names;
    for (const runtime::ControlLayout& control : frmQuorvela::Layout().controls) {
        std::string name(control.name);
        if (control.index != runtime::NoIndex) {
            name += "(" + std::to_string(control.index) + ")";
        }
        names.push_back(std::move(name));
    }
    return names;
}

const std::vector<std::string>& Controls() {
    static const std::vector<std::string> controls = LayoutControls();
    return controls;
}

const std::string& AnyControl(Choices& choices) {
    return Controls().at(choices.Below(static_cast<std::uint32_t>(Controls().size())));
}

std::string_view AnyCombo(Choices& choices) {
    return ComboBoxes.at(choices.Below(2));
}

// A point inside a control, drawn as a share of its size so that the same
// choices name the same place on any screen.
struct Place {
    int xPercent;
    int yPercent;

    [[nodiscard]] Point In(const Driver& window, std::string_view control) const {
        const Rect rect = window.Geometry(control);
        return {.x = rect.width * xPercent / 100, .y = rect.height * yPercent / 100};
    }
    [[nodiscard]] std::string Said() const {
        return std::to_string(xPercent) + "%, " + std::to_string(yPercent) + "%";
    }
};

Place AnyPlace(Choices& choices) {
    const auto x = static_cast<int>(choices.Below(100));
    const auto y = static_cast<int>(choices.Below(100));
    return {.xPercent = x, .yPercent = y};
}

// The characters of a UTF-8 text, each as its own text.
std::vector<std::string> Characters(std::string_view utf8) {
    std::vector<std::string> characters;
    for (const char c : utf8) {
        if ((static_cast<unsigned char>(c) & 0xC0U) == 0x80U && !characters.empty()) {
            characters.back() += c;
        } else {
            characters.emplace_back(1, c);
        }
    }
    return characters;
}

bool IsSpeedWarning(const SeenBox& box) {
    return box.title == "Introdurre un valore" && box.text == "Introduci un valore di 'giri' ";
}

}  // namespace

Session::Session(Driver& window) : window_(window), watch_(window) {
    runtime::SetTerminateHandler([this](int) { ++terminations_; });
    window_.OnBox([this](const SeenBox& box) { seen(box); });
}

Session::~Session() {
    window_.OnBox({});
    runtime::SetTerminateHandler({});
}

// The speed warning is answered with its OK, as a user answers it; any
// other box, the runtime's error box among them, is a failure.
void Session::seen(const SeenBox& box) {
    if (!IsSpeedWarning(box)) {
        failures_.push_back("unexpected box '" + box.title + "': " + box.text);
        return;
    }
    ++speedWarnings_;
    watch_.SpeedWarningShown();
    if (box.icon != BoxIcon::Exclamation || box.buttons != 1) {
        failures_.push_back("the speed warning shows " + std::to_string(box.buttons) +
                            " buttons and not the exclamation mark alone");
    }
}

// Only input changes the window: each event starts where the last one ended.
void Session::input(const std::function<void()>& event) {
    if (watching_) {
        watch_.Resume();
    } else {
        watch_.Begin();
        watching_ = true;
    }
    event();
    std::vector<std::string> failures = watch_.End();
    failures_.insert(failures_.end(), failures.begin(), failures.end());
}

void Session::typeText(std::string_view utf8) {
    for (const std::string& character : Characters(utf8)) {
        input([&] { window_.Type(character); });
    }
}

std::string Session::Act(Choices& choices) {
    // Weighted towards what leads to a calculation.
    struct Weighted {
        std::uint32_t weight;
        std::string (Session::*action)(Choices&);
    };
    static constexpr std::array<Weighted, 12> Actions{{
        {4, &Session::pressKey},
        {2, &Session::tab},
        {2, &Session::click},
        {1, &Session::typeIntoCombo},
        {2, &Session::pickFromList},
        {1, &Session::pickWithArrows},
        {3, &Session::enterValue},
        {1, &Session::clickCalcola},
        {1, &Session::otherMouse},
        {1, &Session::contextMenu},
        {1, &Session::wheel},
        {1, &Session::clickOption},
    }};
    static constexpr std::uint32_t Total = [] {
        std::uint32_t total = 0;
        for (const Weighted& entry : Actions) {
            total += entry.weight;
        }
        return total;
    }();
    std::string what;
    std::uint32_t draw = choices.Below(Total);
    for (const Weighted& entry : Actions) {
        if (draw < entry.weight) {
            what = (this->*entry.action)(choices);
            break;
        }
        draw -= entry.weight;
    }
    what += finishList(choices);
    recent_.push_back(what);
    if (recent_.size() > 40) {
        recent_.pop_front();
    }
    return what;
}

std::string Session::pressKey(Choices& choices) {
    const Keystroke& key = Keys.at(choices.Below(static_cast<std::uint32_t>(Keys.size())));
    if (key.typed != nullptr) {
        input([&] { window_.Type(key.typed); });
    } else {
        input([&] { window_.Press(key.stroke); });
    }
    return std::string("key ") +
           (key.name != nullptr ? key.name : std::string(1, key.stroke.character));
}

std::string Session::tab(Choices& choices) {
    const bool back = choices.OneIn(3);
    input([&] { window_.Press(Key::Tab, back ? Shift : NoModifier); });
    return back ? "Shift+Tab" : "Tab";
}

std::string Session::click(Choices& choices) {
    const std::string& control = AnyControl(choices);
    const Place place = AnyPlace(choices);
    input([&] { window_.Click(control, place.In(window_, control)); });
    return "click " + control + " at " + place.Said();
}

std::string Session::otherMouse(Choices& choices) {
    const std::string& control = AnyControl(choices);
    const Place place = AnyPlace(choices);
    const Point point = place.In(window_, control);
    if (choices.OneIn(2)) {
        input([&] { window_.DoubleClick(control, point); });
        return "double-click " + control + " at " + place.Said();
    }
    // Pressed there, dragged to the left edge and released there.
    input([&] { window_.Drag(control, point, {.x = 0, .y = point.y}); });
    return "drag across " + control + " from " + place.Said();
}

std::string Session::contextMenu(Choices& choices) {
    const std::string& control = AnyControl(choices);
    const std::string_view take =
        MenuChoices.at(choices.Below(static_cast<std::uint32_t>(MenuChoices.size())));
    std::vector<MenuEntry> entries;
    input([&] { entries = window_.ContextMenu(control, take); });
    for (const MenuEntry& entry : entries) {
        if (std::find(MenuChoices.begin() + 1, MenuChoices.end(), entry.label) ==
            MenuChoices.end()) {
            failures_.push_back("a menu offers '" + entry.label + "'");
        }
    }
    return "context menu on " + control + ": " + (take.empty() ? "closed" : std::string(take));
}

std::string Session::wheel(Choices& choices) {
    const std::string& control = AnyControl(choices);
    const bool up = choices.OneIn(2);
    input([&] { window_.Wheel(control, up); });
    return std::string("wheel ") + (up ? "up" : "down") + " over " + control;
}

std::string Session::typeIntoCombo(Choices& choices) {
    const std::string_view combo = AnyCombo(choices);
    std::string text;
    if (choices.OneIn(4)) {
        // A number of any length, perhaps signed, perhaps with a comma.
        const std::uint32_t length = 1 + choices.Below(12);
        if (choices.OneIn(4)) {
            text += '-';
        }
        for (std::uint32_t i = 0; i < length; ++i) {
            text += choices.OneIn(8) ? ',' : static_cast<char>('0' + choices.Below(10));
        }
    } else {
        text = ComboTexts.at(choices.Below(static_cast<std::uint32_t>(ComboTexts.size())));
    }
    input([&] { window_.TypeIntoCombo(combo, text); });
    std::string then;
    switch (choices.Below(4)) {
        case 0:
            input([&] { window_.Press(Key::Enter); });
            then = ", Enter";
            break;
        case 1:
            input([&] { window_.Press(Key::Tab); });
            then = ", Tab";
            break;
        default:
            break;
    }
    return "type '" + text + "' into " + std::string(combo) + then;
}

// finishList picks from the list this opens.
std::string Session::pickFromList(Choices& choices) {
    const std::string_view combo = AnyCombo(choices);
    input([&] { window_.OpenList(combo); });
    return "open the list of " + std::string(combo);
}

std::string Session::pickWithArrows(Choices& choices) {
    const std::string_view combo = AnyCombo(choices);
    const std::uint32_t steps = 1 + choices.Below(3);
    const bool up = choices.OneIn(2);
    input([&] { window_.Click(combo); });
    for (std::uint32_t i = 0; i < steps; ++i) {
        input([&] { window_.Press(up ? Key::Up : Key::Down); });
    }
    return std::string(up ? "Up" : "Down") + " x " + std::to_string(steps) + " in " +
           std::string(combo);
}

std::string Session::enterValue(Choices& choices) {
    const std::string_view box = choices.OneIn(2) ? "txtPortata" : "txtQuorvela";
    static constexpr std::string_view Characters = "0123456789012345,.";
    std::string text;
    const std::uint32_t length = 1 + choices.Below(7);
    for (std::uint32_t i = 0; i < length; ++i) {
        text += Characters.at(choices.Below(static_cast<std::uint32_t>(Characters.size())));
    }
    const bool enter = !choices.OneIn(4);
    const bool keypad = choices.OneIn(4);
    input([&] { window_.Click(box); });
    typeText(text);
    if (enter) {
        input([&] { window_.Press(keypad ? Key::KeypadEnter : Key::Enter); });
    }
    return "click " + std::string(box) + ", type '" + text + "'" +
           (enter ? (keypad ? ", keypad Enter" : ", Enter") : "");
}

std::string Session::clickCalcola(Choices& /*choices*/) {
    input([&] { window_.Click("cmdCalcola"); });
    return "click cmdCalcola";
}

std::string Session::clickOption(Choices& choices) {
    const std::string option = "optScelta(" + std::to_string(choices.Below(2)) + ")";
    input([&] { window_.Click(option); });
    return "click " + option;
}

// A list left open by the action is closed as a user closes it: a pick with
// the mouse or the keys, or Escape. Drawn whether or not a list is open, so
// that the actions that follow are the same on either runtime.
std::string Session::finishList(Choices& choices) {
    const std::uint32_t how = choices.Below(4);
    const std::uint32_t draw = choices.Below(256);
    for (const std::string_view combo : ComboBoxes) {
        if (!window_.ListOpen(combo)) {
            continue;
        }
        const std::vector<std::string> items = window_.Items(combo);
        const std::size_t row = items.empty() ? 0 : draw % items.size();
        std::string what;
        if (how <= 1 && !items.empty()) {
            input([&] { window_.ClickListItem(combo, items[row]); });
            what = "; click '" + items[row] + "' in the list";
        } else if (how == 2) {
            for (std::size_t i = 0; i <= row; ++i) {
                input([&] { window_.Press(Key::Down); });
            }
            input([&] { window_.Press(Key::Enter); });
            what = "; Down x " + std::to_string(row + 1) + ", Enter in the list";
        } else {
            input([&] { window_.Press(Key::Escape); });
            what = "; Escape in the list";
        }
        return what;
    }
    return {};
}

}  // namespace quorvela::test
