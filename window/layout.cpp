// The window's layout: every control with its place in twips, texts, font,
// colour, tab order and typing limit, as one table the runtime builds from.

#include <array>
#include <string>

#include "quorvela/version.h"
#include "window/frmQuorvela.h"

namespace quorvela {
namespace {

using runtime::Alignment;
using runtime::ControlKind;
using runtime::ControlLayout;
using runtime::Font;
using runtime::OleColor;
using runtime::Picture;
using runtime::TabStop;

constexpr OleColor Magenta = 0x00FF00FFU;
constexpr OleColor Blue = 0x00FF0000U;
constexpr OleColor Grey = 0x00808080U;

constexpr Font Regular{.points = 14.25};
constexpr Font Bold{.points = 14.25, .bold = true};
constexpr Font Small{.points = 11.25};

// The program's pictures as packaging/ compiles them in: Qt resources under
// :/quorvela/, and the Windows executable's icons (quorvela.rc.in,
// pictures.rc.in).
constexpr Picture AppIcon{.svg = ":/quorvela/icons/quorvela.svg",
                          .smallSvg = ":/quorvela/icons/quorvela-16.svg",
                          .iconId = 1};
constexpr Picture Stopwatch{.svg = ":/quorvela/images/stopwatch.svg", .iconId = 2};

// A speed or stroke count is a 16-bit integer: 16 characters hold any of
// them with room for a sign, blanks, decimals or an exponent; a longer text
// would only stretch the stroke-time tooltip.
constexpr int ComboLimit = 16;

// Focusable controls in tab order first, then the captions, the picture and
// the two rectangles beneath them.
constexpr std::array<ControlLayout, 18> Controls{{
    {.kind = ControlKind::Frame, .name = "Frame1", .rect = {240, 120, 7095, 4695}, .tabIndex = 8},
    {.kind = ControlKind::TextBox,
     .name = "txtPortata",
     .container = "Frame1",
     .rect = {600, 2760, 1215, 465},
     .font = Bold,
     .foreColor = Magenta,
     .alignment = Alignment::Center,
     .tabIndex = 0,
     .typingLimit = 7,
     .toolTip = "Valore di portata"},
    {.kind = ControlKind::TextBox,
     .name = "txtQuorvela",
     .container = "Frame1",
     .rect = {2520, 2760, 1215, 465},
     .font = Bold,
     .foreColor = Blue,
     .alignment = Alignment::Center,
     .tabIndex = 1,
     .typingLimit = 5,
     .toolTip = "Inserire un valore di litri/h"},
    // Written by the program only: Tab passes it by, a click still reaches it.
    {.kind = ControlKind::TextBox,
     .name = "txtLitriMinuto",
     .container = "Frame1",
     .rect = {4320, 2760, 1215, 465},
     .font = Bold,
     .foreColor = Blue,
     .alignment = Alignment::Center,
     .tabIndex = 2,
     .tabStop = TabStop::No,
     .typingLimit = 5},
    {.kind = ControlKind::OptionButton,
     .name = "optScelta",
     .index = 0,
     .container = "Frame1",
     .rect = {600, 3480, 1455, 285},
     .text = "ottieni cm³",
     .font = Small,
     .tabIndex = 3},
    {.kind = ControlKind::OptionButton,
     .name = "optScelta",
     .index = 1,
     .container = "Frame1",
     .rect = {600, 3840, 1935, 285},
     .text = "ottieni litri/ora",
     .font = Small,
     .tabIndex = 4},
    {.kind = ControlKind::CommandButton,
     .name = "cmdCalcola",
     .container = "Frame1",
     .rect = {4320, 3480, 1815, 525},
     .text = "calcola",
     .font = Regular,
     .tabIndex = 5},
    // A speed or stroke count is read as a 16- or 32-bit whole number: the
    // longest the window can use, "-2147483648", has 11 characters. 16 leave
    // room for blanks and decimals around it and refuse the thousands of
    // leading zeros that would still read as a valid number.
    {.kind = ControlKind::ComboBox,
     .name = "cboGiri",
     .container = "Frame1",
     .rect = {600, 1020, 1215, 465},
     .font = Regular,
     .tabIndex = 6,
     .typingLimit = ComboLimit},
    {.kind = ControlKind::ComboBox,
     .name = "cboColpi",
     .container = "Frame1",
     .rect = {2520, 1020, 1215, 465},
     .font = Regular,
     .tabIndex = 7,
     .typingLimit = ComboLimit},
    {.kind = ControlKind::Label,
     .name = "lblDescrizione",
     .index = 0,
     .container = "Frame1",
     .rect = {570, 660, 915, 345},
     .text = "Giri",
     .font = Regular,
     .alignment = Alignment::Center,
     .tabIndex = 11,
     .labelFor = "cboGiri"},
    {.kind = ControlKind::Label,
     .name = "lblDescrizione",
     .index = 1,
     .container = "Frame1",
     .rect = {2520, 660, 975, 345},
     .text = "Colpi",
     .font = Regular,
     .alignment = Alignment::Center,
     .tabIndex = 12,
     .labelFor = "cboColpi"},
    // The stroke time, in the window's own font; a screen reader reads what it
    // shows ('12 secondi').
    {.kind = ControlKind::Label,
     .name = "lblDescrizione",
     .index = 2,
     .container = "Frame1",
     .rect = {5160, 1080, 1455, 315},
     .text = ".",
     .alignment = Alignment::Center,
     .tabIndex = 9},
    {.kind = ControlKind::Label,
     .name = "lblDescrizione",
     .index = 3,
     .container = "Frame1",
     .rect = {600, 2400, 1455, 345},
     .text = "Portata cm³",
     .font = Regular,
     .alignment = Alignment::Left,
     .tabIndex = 10,
     .labelFor = "txtPortata"},
    {.kind = ControlKind::Label,
     .name = "lblDescrizione",
     .index = 4,
     .container = "Frame1",
     .rect = {2520, 2400, 1215, 345},
     .text = "litri/ora",
     .font = Regular,
     .alignment = Alignment::Center,
     .tabIndex = 13,
     .labelFor = "txtQuorvela"},
    {.kind = ControlKind::Label,
     .name = "lblDescrizione",
     .index = 5,
     .container = "Frame1",
     .rect = {4320, 2400, 1215, 345},
     .text = "litri/min",
     .font = Regular,
     .alignment = Alignment::Center,
     .tabIndex = 14,
     .labelFor = "txtLitriMinuto"},
    {.kind = ControlKind::Image,
     .name = "Image1",
     .container = "Frame1",
     .rect = {4320, 600, 825, 960},
     .accessibleName = "Cronometro",
     .picture = Stopwatch},
    {.kind = ControlKind::Shape,
     .name = "Shape1",
     .container = "Frame1",
     .rect = {360, 480, 6375, 1335},
     .foreColor = Grey},
    {.kind = ControlKind::Shape,
     .name = "Shape2",
     .container = "Frame1",
     .rect = {360, 2160, 6375, 2175},
     .foreColor = Grey},
}};

}  // namespace

const runtime::FormLayout& frmQuorvela::Layout() {
    static const std::string caption =
        std::string("Quorvela -  07/2024  -  ") + version::ContactAddress;
    static const runtime::FormLayout layout{
        .name = "frmQuorvela",
        .caption = caption,
        .clientWidth = 7575,
        .clientHeight = 5100,
        .fontFace = "Calibri",
        .font = {.points = 12},
        .icon = AppIcon,
        .controls = Controls,
    };
    return layout;
}

frmQuorvela::frmQuorvela() : Form(Layout()) {
    OnLoad([this] { Form_Load(); });
    cmdCalcola.OnClick([this] { cmdCalcola_Click(); });
    for (std::int16_t index = 0; index < 2; ++index) {
        optScelta(index).OnClick([this](std::int16_t& Index) { optScelta_Click(Index); });
    }
    txtQuorvela.OnGotFocus([this] { txtQuorvela_GotFocus(); });
    txtPortata.OnGotFocus([this] { txtPortata_GotFocus(); });
    txtQuorvela.OnKeyPress([this](std::int16_t& KeyAscii) { txtQuorvela_KeyPress(KeyAscii); });
    txtPortata.OnKeyPress([this](std::int16_t& KeyAscii) { txtPortata_KeyPress(KeyAscii); });
    cboGiri.OnClick([this] { cboGiri_Click(); });
    cboColpi.OnClick([this] { cboColpi_Click(); });
}

}  // namespace quorvela
