#include "figure_watch.h"

#include <algorithm>
#include <cstddef>
#include <string_view>
#include <utility>

namespace quorvela::test {
namespace {

// The most characters a user may type into each input box.
constexpr std::size_t PortataTypingLimit = 7;
constexpr std::size_t QuorvelaTypingLimit = 5;

constexpr std::string_view Portata = "txtPortata";
constexpr std::string_view Quorvela = "txtQuorvela";
constexpr std::string_view LitriMinuto = "txtLitriMinuto";

// Texts as characters, since selections and cursors count characters.
std::u32string decode(std::string_view utf8) {
    std::u32string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
        char32_t c = extra == 0 ? lead : lead & (0x3FU >> extra);
        for (int k = 1; k <= extra && i + k < utf8.size(); ++k) {
            c = (c << 6U) | (static_cast<unsigned char>(utf8[i + k]) & 0x3FU);
        }
        out.push_back(c);
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

std::string encode(const std::u32string& text) {
    std::string out;
    for (const char32_t c : text) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0U | (c >> 6U)));
            out.push_back(static_cast<char>(0x80U | (c & 0x3FU)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0U | (c >> 12U)));
            out.push_back(static_cast<char>(0x80U | ((c >> 6U) & 0x3FU)));
            out.push_back(static_cast<char>(0x80U | (c & 0x3FU)));
        } else {
            out.push_back(static_cast<char>(0xF0U | (c >> 18U)));
            out.push_back(static_cast<char>(0x80U | ((c >> 12U) & 0x3FU)));
            out.push_back(static_cast<char>(0x80U | ((c >> 6U) & 0x3FU)));
            out.push_back(static_cast<char>(0x80U | (c & 0x3FU)));
        }
    }
    return out;
}

// Whether `after` is `before` less one run of characters (or the same).
bool lostOneRun(const std::u32string& before, const std::u32string& after) {
    if (after.size() > before.size()) {
        return false;
    }
    std::size_t head = 0;
    while (head < after.size() && before[head] == after[head]) {
        ++head;
    }
    return before.substr(head + before.size() - after.size()) == after.substr(head);
}

// The text of one of the three boxes, in a model's window or a shown one.
template <class Window>
auto& textOf(Window& window, std::string_view box) {
    if (box == LitriMinuto) {
        return window.litriMinuto;
    }
    return box == Portata ? window.portata : window.quorvela;
}

}  // namespace

FigureWatch::FigureWatch(Driver& window) : window_(window) {
    window_.Observe([this](const Reached& reached) { Note(reached); });
}

FigureWatch::~FigureWatch() {
    window_.Observe({});
}

oracle::Window FigureWatch::shown() const {
    return {.volumeMode = window_.Checked("optScelta(0)"),
            .giri = window_.Text("cboGiri"),
            .colpi = window_.Text("cboColpi"),
            .portata = window_.Text(Portata),
            .quorvela = window_.Text(Quorvela),
            .litriMinuto = window_.Text(LitriMinuto),
            .tempo = window_.Text("lblDescrizione(2)"),
            .tempoTip = window_.ToolTip("lblDescrizione(2)"),
            .imageTip = window_.ToolTip("Image1")};
}

void FigureWatch::Begin() {
    noted_.clear();
    before_ = shown();
}

void FigureWatch::calculated(const oracle::Outcome& outcome, Played& played) {
    played.model = outcome.window;
    played.lastStop = outcome.calculation;
    if (outcome.calculation == oracle::Stop::SpeedWarning) {
        ++expectedWarnings_;
    } else if (outcome.calculation == oracle::Stop::Calculated) {
        ++calculations_;
    }
}

// A keystroke other than Enter in an input box: what the keystroke filter
// and the typing limit make of the text and its selection.
void FigureWatch::typed(const Reached& key, const std::string& now, std::string& text,
                        std::vector<std::string>& failures) const {
    const std::u32string was = decode(key.text);
    const bool selection = key.selection.length > 0;
    const auto from = static_cast<std::size_t>(selection ? key.selection.start : key.cursor);
    const auto removed = static_cast<std::size_t>(selection ? key.selection.length : 0);
    std::u32string is = was;
    const int code = key.code.value_or(-1);
    if (!key.code) {
        // Editing and moving keys: at most a run of characters deleted.
        is = decode(now);
        if (!lostOneRun(was, is)) {
            failures.push_back("a key that types nothing turned '" + key.text + "' into '" + now +
                               "' in " + key.control);
        }
    } else if ((code >= '0' && code <= '9') || code == '.' || code == ',') {
        const char32_t typed = code == '.' ? U',' : static_cast<char32_t>(code);
        const std::size_t limit = key.control == Portata ? PortataTypingLimit : QuorvelaTypingLimit;
        if (from <= was.size() && was.size() - removed + 1 <= limit) {
            is = was.substr(0, from) + typed + was.substr(std::min(from + removed, was.size()));
        }
    } else if (code == 8) {
        if (selection) {
            is = was.substr(0, from) + was.substr(std::min(from + removed, was.size()));
        } else if (from > 0 && from <= was.size()) {
            is = was.substr(0, from - 1) + was.substr(from);
        }
    }
    text = encode(is);
}

void FigureWatch::play(const Reached& reached, const oracle::Window& now, Played& played,
                       std::vector<std::string>& failures) {
    oracle::Window& model = played.model;
    const bool inputBox = reached.control == Portata || reached.control == Quorvela;
    switch (reached.kind) {
        case Reached::Kind::Key:
            played.enteredBox.clear();
            if (reached.control == LitriMinuto) {
                // No keystroke handler: the user edits the figure freely.
                model.litriMinuto = now.litriMinuto;
            } else if (inputBox && reached.code == 13) {
                calculated(oracle::Calculate(model), played);
            } else if (inputBox) {
                typed(reached, textOf(now, reached.control), textOf(model, reached.control),
                      failures);
                played.lastStop.reset();
            }
            break;
        case Reached::Kind::FocusEntered:
            if (inputBox) {
                model = oracle::EnterInput(model, reached.control == Quorvela);
                played.enteredBox = reached.control;
            }
            break;
        case Reached::Kind::DoubleClick:
            // Selects a word, after whatever entering the box selected.
            played.enteredBox.clear();
            break;
        case Reached::Kind::OptionCleared:
            // The other option gained it: that option's mode.
            model = oracle::EnterInput(model, reached.control == "optScelta(1)");
            break;
        case Reached::Kind::ButtonClicked:
            if (reached.control == "cmdCalcola") {
                calculated(oracle::Calculate(model), played);
            }
            break;
        case Reached::Kind::Picked:
            if (reached.shown != reached.text) {
                failures.push_back("the pick of '" + reached.text + "' shows '" + reached.shown +
                                   "'");
            }
            calculated(oracle::Pick(model,
                                    reached.control == "cboGiri" ? oracle::Combo::Giri
                                                                 : oracle::Combo::Colpi,
                                    reached.text),
                       played);
            break;
    }
}

std::vector<std::string> FigureWatch::End() {
    std::vector<std::string> failures;
    const oracle::Window now = shown();
    Played played{.model = before_};
    // The combo boxes hold what the user typed; picks are played below.
    played.model.giri = now.giri;
    played.model.colpi = now.colpi;
    for (const Reached& reached : std::exchange(noted_, {})) {
        play(reached, now, played, failures);
    }
    const oracle::Window& model = played.model;
    before_ = now;

    const auto compare = [&](std::string_view what, const std::string& is,
                             const std::string& expected) {
        if (is != expected) {
            failures.push_back(std::string(what) + " shows '" + is + "', expected '" + expected +
                               "'");
        }
    };
    if (now.volumeMode != model.volumeMode || window_.Checked("optScelta(1)") == model.volumeMode) {
        failures.push_back(std::string("the mode is not the ") +
                           (model.volumeMode ? "volume" : "flow") + " mode");
    }
    compare(Portata, now.portata, model.portata);
    compare(Quorvela, now.quorvela, model.quorvela);
    compare(LitriMinuto, now.litriMinuto, model.litriMinuto);
    compare("the stroke-time label", now.tempo, model.tempo);
    compare("its tooltip", now.tempoTip, model.tempoTip);
    compare("the picture's tooltip", now.imageTip, model.imageTip);
    if (warnings_ != expectedWarnings_) {
        failures.push_back(std::to_string(warnings_) + " speed warnings shown, expected " +
                           std::to_string(expectedWarnings_));
        expectedWarnings_ = warnings_;
    }

    // Where a run that stopped early leaves the focus.
    std::string_view expectedFocus;
    if (played.lastStop == oracle::Stop::SpeedWarning) {
        expectedFocus = "cboGiri";
    } else if (played.lastStop == oracle::Stop::NoStrokes) {
        expectedFocus = "cboColpi";
    } else if (played.lastStop == oracle::Stop::EmptyInput) {
        expectedFocus = model.volumeMode ? Quorvela : Portata;
    }
    const std::string focus = window_.Focused();
    if (!expectedFocus.empty() && focus != expectedFocus) {
        failures.push_back("the focus is in " + (focus.empty() ? std::string("nothing") : focus) +
                           ", expected " + std::string(expectedFocus));
    }
    // Entering an input box selects its whole text.
    if (!played.enteredBox.empty() && focus == played.enteredBox) {
        const std::string text = window_.Text(focus);
        const auto length = static_cast<int>(decode(text).size());
        const Selection selection = window_.SelectionOf(focus);
        if (selection.length != length || (length > 0 && selection.start != 0)) {
            failures.push_back("entering " + focus + " selected " +
                               std::to_string(selection.length) + " characters from " +
                               std::to_string(selection.start) + " of '" + text + "'");
        }
    }
    return failures;
}

}  // namespace quorvela::test
