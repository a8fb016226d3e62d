// The form runtime's rules against in-memory controls, no window: a box is
// written as its text with the selection in brackets or the caret as '|'.

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "row_name.h"
#include "runtime/message_box.h"
#include "runtime/native.h"
#include "runtime/text_box.h"

namespace quorvela::test {
namespace {

using runtime::MouseStep;
using runtime::Selection;
using runtime::TextEntry;

template <class Core>
class Fake : public Core {
public:
    [[nodiscard]] bool CanTakeFocus() const override { return true; }
    void TakeFocus() override {}
    void ShowBold(bool /*bold*/) override {}
    void ShowForeColor(runtime::OleColor /*color*/) override {}
    void ShowToolTip(std::string_view /*text*/) override {}
};

class FakeBox : public Fake<runtime::TextBoxCore> {
public:
    explicit FakeBox(std::string_view drawn) {
        for (const char c : drawn) {
            if (c == '[' || c == '|') {
                selection_.start = static_cast<int>(text_.size());
            } else if (c == ']') {
                selection_.length = static_cast<int>(text_.size()) - selection_.start;
            } else {
                text_ += static_cast<char16_t>(c);
            }
        }
    }
    [[nodiscard]] std::string Drawn() const {
        std::string drawn(text_.begin(), text_.end());
        const auto start = static_cast<std::size_t>(selection_.start);
        if (selection_.length == 0) {
            return drawn.insert(start, "|");
        }
        drawn.insert(start + static_cast<std::size_t>(selection_.length), "]");
        return drawn.insert(start, "[");
    }

    [[nodiscard]] std::string Text() const override { return {text_.begin(), text_.end()}; }
    void WriteText(std::string_view text) override { text_.assign(text.begin(), text.end()); }
    [[nodiscard]] int Length() const override { return static_cast<int>(text_.size()); }
    [[nodiscard]] Selection GetSelection() const override { return selection_; }
    void Select(Selection selection) override { selection_ = selection; }
    void Insert(std::u16string_view text) override {
        text_.replace(static_cast<std::size_t>(selection_.start),
                      static_cast<std::size_t>(selection_.length), text);
        selection_ = {selection_.start + static_cast<int>(text.size()), 0};
    }
    void DeleteBack() override {
        if (selection_.length == 0 && selection_.start > 0) {
            selection_ = {selection_.start - 1, 1};
        }
        Insert(u"");
    }
    void CopyOut() override {}
    void OfferEntriesBesidesTyping(bool /*offer*/) override {}

private:
    std::u16string text_;
    Selection selection_;
};

constexpr int AsTyped = -1;
constexpr int NoHandler = -2;

struct InputRow {
    const char* name;
    const char* box;
    int limit;
    int handler;                   // NoHandler, AsTyped, or the code the handler leaves
    std::optional<TextEntry> way;  // empty: typed, character by character
    const char16_t* input;
    const char* after;
};

class Input : public ::testing::TestWithParam<InputRow> {};

TEST_P(Input, GoesInAsTheHandlerAndTheTypingLimitLeaveIt) {
    const InputRow& row = GetParam();
    FakeBox box(row.box);
    box.SetTypingLimit(row.limit);
    if (row.handler != NoHandler) {
        box.SetKeyPress([&row](std::int16_t& code) {
            code = row.handler == AsTyped ? code : static_cast<std::int16_t>(row.handler);
        });
    }
    if (row.way) {
        box.PutIn(*row.way, row.input);
    } else {
        for (const char16_t c : std::u16string_view(row.input)) {
            box.Type(static_cast<std::int16_t>(c));
        }
    }
    EXPECT_EQ(box.Drawn(), row.after);
}

using enum TextEntry;
INSTANTIATE_TEST_SUITE_P(
    Rules, Input,
    ::testing::Values(
        InputRow{"typed at the caret", "12|3", 0, AsTyped, {}, u"9", "129|3"},
        InputRow{"discarded by the handler", "12|", 0, 0, {}, u"9", "12|"},
        InputRow{"replaced by the handler", "12|", 0, ',', {}, u".", "12,|"},
        InputRow{"backspace deletes back", "12|", 0, AsTyped, {}, u"\b", "1|"},
        InputRow{"Enter inserts nothing", "12|", 0, AsTyped, {}, u"\r", "12|"},
        InputRow{"typed up to the limit", "1|", 3, AsTyped, {}, u"234", "123|"},
        InputRow{"the selection makes room", "1[2]3", 3, AsTyped, {}, u"4", "14|3"},
        InputRow{"past a written limit", "12345|", 3, AsTyped, {}, u"6", "12345|"},
        InputRow{"paste first line", "1|", 0, NoHandler, Paste, u"23\r\n4", "123|"},
        InputRow{"paste counts the selection", "[12]3", 3, NoHandler, Paste, u"4567", "45|3"},
        InputRow{"paste into a typing box", "1|", 0, AsTyped, Paste, u"2", "1|"},
        InputRow{"drop into a typing box", "1|", 0, AsTyped, Drop, u"2", "1|"},
        InputRow{"composition through the handler", "1|", 2, AsTyped, Composition, u"234", "12|"},
        InputRow{"composition cut to the room", "1|", 2, NoHandler, Composition, u"234", "12|"},
        InputRow{"outside write", "1|", 0, NoHandler, OutsideWrite, u"2", "1|"}),
    ByRowName{});

struct FocusRow {
    const char* name;
    bool handler;
    bool fromWithin;
    bool byPress;
    std::vector<MouseStep> steps;
    int gotFocus;
    std::vector<bool> swallowed;
};

class Focus : public ::testing::TestWithParam<FocusRow> {};

TEST_P(Focus, RunsGotFocusFromWithinAndSwallowsThePressThatGaveIt) {
    const FocusRow& row = GetParam();
    FakeBox box("1|");
    int gotFocus = 0;
    if (row.handler) {
        box.SetGotFocus([&] { ++gotFocus; });
    }
    box.FocusEntered(row.fromWithin, row.byPress);
    std::vector<bool> swallowed;
    for (const MouseStep step : row.steps) {
        swallowed.push_back(box.Swallows(step));
    }
    EXPECT_EQ(gotFocus, row.gotFocus);
    EXPECT_EQ(swallowed, row.swallowed);
}

using enum MouseStep;
INSTANTIATE_TEST_SUITE_P(
    Rules, Focus,
    ::testing::Values(
        FocusRow{"press drag release",
                 true,
                 true,
                 true,
                 {Press, Move, Release, Press},
                 1,
                 {true, true, true, false}},
        FocusRow{"double click ends it",
                 true,
                 true,
                 true,
                 {Press, DoubleClick, Move},
                 1,
                 {true, false, false}},
        FocusRow{"another button ends it", true, true, true, {OtherPress, Move}, 1, {false, false}},
        FocusRow{"keyboard", true, true, false, {Press, Release}, 1, {false, false}},
        FocusRow{"back from another window", true, false, true, {Press}, 0, {false}},
        FocusRow{"without a handler", false, true, true, {Press}, 0, {false}}),
    ByRowName{});

class FakeOption : public Fake<runtime::OptionButtonCore> {
public:
    void ShowChecked(bool value) override { checked = value; }
    void ShowTabStop(bool stop) override { tabStop = stop; }
    bool checked = false;
    bool tabStop = true;
};

TEST(Rules, AnOptionGroupHoldsOneSelectionAndClicksOnChangeOnly) {
    runtime::OptionGroup group;
    std::array<FakeOption, 3> options;
    std::vector<int> clicks;
    for (std::int16_t i = 0; i < 3; ++i) {
        options.at(static_cast<std::size_t>(i)).Join(group, i);
        options.at(static_cast<std::size_t>(i)).SetClick([&](std::int16_t& index) {
            clicks.push_back(index);
        });
    }
    const auto state = [&] {
        std::string shown;
        for (const FakeOption& option : options) {
            shown += option.Selected() != option.checked ? '?' : option.checked ? 'x' : '-';
            shown += option.tabStop ? 'T' : ' ';
        }
        return shown;
    };
    EXPECT_EQ(state(), "-T- - ");
    options[1].Select();
    options[1].Select();
    EXPECT_EQ(state(), "- xT- ");
    options[2].Select();
    EXPECT_EQ(state(), "- - xT");
    options[2].Clear();
    EXPECT_EQ(state(), "-T- - ");
    EXPECT_EQ(clicks, (std::vector<int>{1, 2}));
}

class FakeForm : public runtime::FormCore {
public:
    [[nodiscard]] int PixelsPerInch() const override { return 96; }
    [[nodiscard]] runtime::PixelSize OuterSize() override { return {}; }
    [[nodiscard]] runtime::PixelPoint FramePosition() override { return {}; }
    void MoveFrameTo(runtime::PixelPoint /*topLeft*/) override {}
    void ShowCaption(std::string_view /*caption*/) override {}
    void Show() override {}
};

TEST(Rules, TheFormFindsEachControlByItsLayoutEntryAndGivesItTheLayoutsRules) {
    using runtime::ControlKind;
    const std::array<runtime::ControlLayout, 3> layout{
        runtime::ControlLayout{.kind = ControlKind::TextBox, .name = "txt", .typingLimit = 3},
        runtime::ControlLayout{
            .kind = ControlKind::OptionButton, .name = "opt", .index = 0, .container = "fra"},
        runtime::ControlLayout{
            .kind = ControlKind::OptionButton, .name = "opt", .index = 1, .container = "fra"}};
    FakeForm form;
    FakeBox box("|");
    std::array<FakeOption, 2> options;
    form.Adopt(layout[0], box);
    form.Adopt(layout[1], options[0]);
    form.Adopt(layout[2], options[1]);

    EXPECT_EQ(&form.Find<runtime::TextBoxCore>("txt", runtime::NoIndex), &box);
    EXPECT_EQ(&form.Find<runtime::OptionButtonCore>("opt", 1), &options[1]);
    EXPECT_THROW((void)form.Find<runtime::ComboBoxCore>("txt", runtime::NoIndex), std::logic_error);
    EXPECT_THROW((void)form.Find<runtime::OptionButtonCore>("opt", 2), std::logic_error);
    EXPECT_EQ(box.TypingLimit(), 3);
    options[1].Select();
    options[0].Select();
    EXPECT_FALSE(options[1].Selected()) << "the options of one container form one group";
}

struct TwipsRow {
    const char* name;
    float twips;
    int pixelsPerInch;
    int pixels;
};

class Twips : public ::testing::TestWithParam<TwipsRow> {};

// The window code centres the window with halves of twips: they go to the
// nearest pixel, halves away from zero, at the screen's density.
TEST_P(Twips, GoToTheNearestWholePixel) {
    const TwipsRow& row = GetParam();
    EXPECT_EQ(runtime::TwipsToWholePixels(row.twips, row.pixelsPerInch), row.pixels);
}

INSTANTIATE_TEST_SUITE_P(Rules, Twips,
                         ::testing::Values(TwipsRow{"whole", 1500.0F, 96, 100},
                                           TwipsRow{"just under a half", 1507.0F, 96, 100},
                                           TwipsRow{"a half", 1507.5F, 96, 101},
                                           TwipsRow{"a negative half", -7.5F, 96, -1},
                                           TwipsRow{"at 144 dpi", 1505.0F, 144, 151}),
                         ByRowName{});

struct StyleRow {
    const char* name;
    int style;
    std::vector<runtime::MsgBoxAnswer> buttons;
    runtime::MsgBoxIcon icon;
};

class MsgBoxStyle : public ::testing::TestWithParam<StyleRow> {};

TEST_P(MsgBoxStyle, NamesTheButtonsAndTheIcon) {
    const StyleRow& row = GetParam();
    const auto decoded = runtime::DecodeMsgBoxStyle(row.style);
    const auto answers = decoded.Answers();
    EXPECT_EQ(std::vector(answers.begin(), answers.end()), row.buttons);
    EXPECT_EQ(decoded.icon, row.icon);
}

using enum runtime::MsgBoxAnswer;
using Icon = runtime::MsgBoxIcon;
INSTANTIATE_TEST_SUITE_P(
    Rules, MsgBoxStyle,
    ::testing::Values(StyleRow{"exclamation", 48, {Ok}, Icon::Exclamation},
                      StyleRow{"yes no question", 36, {Yes, No}, Icon::Question},
                      StyleRow{"yes no cancel critical", 19, {Yes, No, Cancel}, Icon::Critical},
                      StyleRow{"default button ignored", 257, {Ok, Cancel}, Icon::None},
                      StyleRow{"unknown buttons and icon", 6 + 80, {Ok}, Icon::None}),
    ByRowName{});

}  // namespace
}  // namespace quorvela::test
