// The form runtime's rules against in-memory controls, no window: a box is
// written as its text with the selection in brackets or the caret as '|'.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "row_name.h"
#include "runtime/edit_menu.h"
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
    void OfferEntriesBesidesTyping(bool offer) override { offers = offer; }

    bool offers = true;

private:
    std::u16string text_;
    Selection selection_;
};

constexpr int AsTyped = -1;
constexpr int NoHandler = -2;

// The window's usual handler: keeps the code, or replaces it with `result`.
void Attach(FakeBox& box, int result, std::vector<int>* seen = nullptr) {
    if (result == NoHandler) {
        return;
    }
    box.SetKeyPress([result, seen](std::int16_t& code) {
        if (seen != nullptr) {
            seen->push_back(code);
        }
        if (result != AsTyped) {
            code = static_cast<std::int16_t>(result);
        }
    });
}

struct TypedRow {
    const char* name;
    const char* box;
    int limit;
    int handler;  // AsTyped, or the code the handler leaves
    char16_t typed;
    const char* after;
};

class Typed : public ::testing::TestWithParam<TypedRow> {};

TEST_P(Typed, GoesInAsTheHandlerLeavesItWhereItFits) {
    const TypedRow& row = GetParam();
    FakeBox box(row.box);
    box.SetTypingLimit(row.limit);
    Attach(box, row.handler);
    box.Type(static_cast<std::int16_t>(row.typed));
    EXPECT_EQ(box.Drawn(), row.after);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, Typed,
    ::testing::Values(TypedRow{"inserted at the caret", "12|3", 0, AsTyped, '9', "129|3"},
                      TypedRow{"discarded by the handler", "12|", 0, 0, '9', "12|"},
                      TypedRow{"replaced by the handler", "12|", 0, ',', '.', "12,|"},
                      TypedRow{"backspace deletes back", "12|", 0, AsTyped, 8, "1|"},
                      TypedRow{"backspace deletes the selection", "1[23]", 0, AsTyped, 8, "1|"},
                      TypedRow{"Enter inserts nothing", "12|", 0, AsTyped, 13, "12|"},
                      TypedRow{"Ctrl+Backspace inserts nothing", "12|", 0, AsTyped, 127, "12|"},
                      TypedRow{"refused at the limit", "123|", 3, AsTyped, '4', "123|"},
                      TypedRow{"the selection makes room", "1[2]3", 3, AsTyped, '4', "14|3"},
                      TypedRow{"refused past a written limit", "12345|", 3, AsTyped, '6', "12345|"},
                      TypedRow{"backspace at the limit", "123|", 3, AsTyped, 8, "12|"}),
    ByRowName{});

struct EntryRow {
    const char* name;
    int handler;
    TextEntry way;
    const char* box;
    int limit;
    const char16_t* text;
    const char* after;
};

class PutIn : public ::testing::TestWithParam<EntryRow> {};

TEST_P(PutIn, TakesTheFirstLineCutToTheRoomOrRefuses) {
    const EntryRow& row = GetParam();
    FakeBox box(row.box);
    box.SetTypingLimit(row.limit);
    Attach(box, row.handler);
    box.PutIn(row.way, row.text);
    EXPECT_EQ(box.Drawn(), row.after);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, PutIn,
    ::testing::Values(
        EntryRow{"paste first line", NoHandler, TextEntry::Paste, "1|", 0, u"23\r\n45", "123|"},
        EntryRow{"paste cut to the room", NoHandler, TextEntry::Paste, "1|", 4, u"23456", "1234|"},
        EntryRow{"paste counts the selection", NoHandler, TextEntry::Paste, "[12]3", 3, u"4567",
                 "45|3"},
        EntryRow{"paste into a typing box", AsTyped, TextEntry::Paste, "1|", 0, u"2", "1|"},
        EntryRow{"drop into a typing box", AsTyped, TextEntry::Drop, "1|", 0, u"2", "1|"},
        EntryRow{"composition typed through the handler", 0, TextEntry::Composition, "1|", 0, u"23",
                 "1|"},
        EntryRow{"composition typed as the handler leaves it", AsTyped, TextEntry::Composition,
                 "1|", 2, u"234", "12|"},
        EntryRow{"composition cut to the room", NoHandler, TextEntry::Composition, "1|", 2, u"234",
                 "12|"},
        EntryRow{"outside write", NoHandler, TextEntry::OutsideWrite, "1|", 0, u"2", "1|"}),
    ByRowName{});

TEST(Rules, ABoxWithAHandlerRefusesCutAndHistoryAndOffersNoOtherEntry) {
    FakeBox box("1|");
    EXPECT_FALSE(box.Refuses(TextEntry::Cut) || box.Refuses(TextEntry::Undo));
    Attach(box, AsTyped);
    EXPECT_TRUE(box.Refuses(TextEntry::Cut) && box.Refuses(TextEntry::Undo));
    EXPECT_FALSE(box.offers);
}

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

TEST(Rules, TheCopyMenuEnablesCopyWithASelectionAndSelectAllWithText) {
    using runtime::EditCommand;
    for (const char* drawn : {"|", "12|", "1[2]"}) {
        const FakeBox box(drawn);
        const auto menu = box.ContextMenu();
        ASSERT_EQ(menu.size(), 2U);
        EXPECT_EQ(runtime::MenuLabel(menu[0].command), "Copia");
        EXPECT_EQ(menu[0].enabled, box.GetSelection().length > 0) << drawn;
        EXPECT_EQ(runtime::MenuLabel(menu[1].command), "Seleziona tutto");
        EXPECT_EQ(menu[1].enabled, box.Length() > 0) << drawn;
    }
    FakeBox box("1|2");
    box.Perform(EditCommand::SelectAll);
    EXPECT_EQ(box.Drawn(), "[12]");
}

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

class FakeCombo : public Fake<runtime::ComboBoxCore> {
public:
    [[nodiscard]] std::string Text() const override { return {}; }
    [[nodiscard]] int Count() const override { return 2; }
    void Append(std::string_view /*item*/) override {}
    void ShowItem(int index) override { events.push_back("show " + std::to_string(index)); }
    std::vector<std::string> events;
};

TEST(Rules, AUsersPickShowsTheItemThenClicks) {
    FakeCombo combo;
    combo.SetClick([&] { combo.events.emplace_back("Click"); });
    combo.Picked(1);
    combo.Picked(-1);
    EXPECT_EQ(combo.events, (std::vector<std::string>{"show 1", "Click", "Click"}));
}

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
                      StyleRow{"retry cancel information", 69, {Retry, Cancel}, Icon::Information},
                      StyleRow{"default button ignored", 257, {Ok, Cancel}, Icon::None},
                      StyleRow{"unknown buttons and icon", 6 + 80, {Ok}, Icon::None}),
    ByRowName{});

}  // namespace
}  // namespace quorvela::test
