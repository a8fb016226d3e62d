// The sessions' model of the window against worked figures: if the model
// were wrong, every session would hold the program to the wrong figures.

#include <gtest/gtest.h>

#include <string>

#include "oracle.h"
#include "row_name.h"

namespace quorvela::test {
namespace {

using oracle::Calculate;
using oracle::Combo;
using oracle::EnterInput;
using oracle::Pick;
using oracle::Stop;
using oracle::Window;

// The window after '50' in the flow mode at the default picks.
Window CalculatedFlow() {
    Window w;
    w.giri = "1000";
    w.colpi = "200";
    w.portata = "50";
    w.quorvela = "15";
    w.litriMinuto = "0,25";
    w.tempo = "12 secondi";
    w.tempoTip = "a 1000 giri, 200 colpi si ottengono in 12 secondi";
    w.imageTip = w.tempoTip;
    return w;
}

// The window before the command: the mode, both combo texts, the mode's input.
struct Before {
    bool volumeMode;
    const char* giri;
    const char* colpi;
    const char* input;

    [[nodiscard]] Window Shown() const {
        Window w = CalculatedFlow();
        w.volumeMode = volumeMode;
        w.giri = giri;
        w.colpi = colpi;
        (volumeMode ? w.quorvela : w.portata) = input;
        return w;
    }
};

constexpr bool Volume = true;
constexpr bool Flow = false;

struct Worked {
    const char* name;
    Before before;
    const char* tempo;  // empty: the label and tooltips stay
    const char* result;
    const char* litriMinuto;
};

class WorkedFigures : public ::testing::TestWithParam<Worked> {};

TEST_P(WorkedFigures, TheCalculateCommandGivesThem) {
    const Worked& row = GetParam();
    const Window before = row.before.Shown();
    const bool volumeMode = row.before.volumeMode;

    const auto [after, stop] = Calculate(before);

    EXPECT_EQ(stop, Stop::Calculated);
    EXPECT_EQ(volumeMode ? after.portata : after.quorvela, row.result);
    EXPECT_EQ(volumeMode ? after.quorvela : after.portata, row.before.input);
    EXPECT_EQ(after.litriMinuto, row.litriMinuto);
    if (std::string(row.tempo).empty()) {
        EXPECT_EQ(after.tempo, before.tempo);
        EXPECT_EQ(after.tempoTip, before.tempoTip);
    } else {
        EXPECT_EQ(after.tempo, row.tempo);
        EXPECT_EQ(after.tempoTip, "a " + before.giri + " giri, " + before.colpi +
                                      " colpi si ottengono in " + row.tempo);
    }
    EXPECT_EQ(after.imageTip, after.tempoTip);
}

INSTANTIATE_TEST_SUITE_P(
    Oracle, WorkedFigures,
    ::testing::Values(
        // Flow mode: litres per hour from whole cm³ (ties to even), per minute from them.
        Worked{"flow 50", {Flow, "1000", "200", "50"}, "12 secondi", "15", "0,25"},
        Worked{"flow 50,5", {Flow, "1000", "200", "50,5"}, "12 secondi", "15", "0,25"},
        Worked{"flow 51,5", {Flow, "1000", "200", "51,5"}, "12 secondi", "15,6", "0,26"},
        Worked{"flow 40000", {Flow, "1000", "200", "40000"}, "12 secondi", "12000", "200"},
        Worked{"flow 0", {Flow, "1000", "200", "0"}, "12 secondi", "0", "0"},
        // 2.25 l/h and 0.125 l/min are exact ties: the even digit wins.
        Worked{"flow tie 2,25", {Flow, "2500", "1000", "15"}, "24 secondi", "2,2", "0,04"},
        Worked{"flow tie 0,125", {Flow, "1000", "200", "25"}, "12 secondi", "7,5", "0,12"},
        Worked{"flow 1500 rpm", {Flow, "1500", "200", "50"}, "8 secondi", "22,5", "0,38"},
        Worked{"flow blanks around the speed",
               {Flow, " 1000 ", "200", "50"},
               "12 secondi",
               "15",
               "0,25"},
        // Volume mode: cm³ from the litres per hour with decimals, per minute from whole l/h.
        Worked{"volume 15", {Volume, "1000", "200", "15"}, "12 secondi", "50", "0,25"},
        Worked{"volume 12,5", {Volume, "1000", "200", "12,5"}, "12 secondi", "41,7", "0,2"},
        Worked{"volume 13,5", {Volume, "1000", "200", "13,5"}, "12 secondi", "45", "0,23"},
        Worked{
            "volume 40000", {Volume, "1000", "200", "40000"}, "12 secondi", "133333,3", "666,67"},
        // The ratio held as a single: 699166,656... stored as 699166,625.
        Worked{"volume single ratio",
               {Volume, "100", "500", "8390"},
               "300 secondi",
               "699166,6",
               "139,83"},
        Worked{"volume exponent form",
               {Volume, "100", "1000", "99999"},
               "600 secondi",
               "1,66665E+07",
               "1666,65"},
        Worked{"stroke time 7 rpm", {Volume, "7", "200", "15"}, "1714,3 secondi", "7142,9", "0,25"},
        Worked{"stroke time tie 0,25", {Volume, "2400", "10", "15"}, "0,2 secondi", "1", "0,25"},
        Worked{"2500 rpm, 200 strokes", {Volume, "2500", "200", "15"}, "4,8 secondi", "20", "0,25"},
        // Results that cannot be computed empty their boxes; the label stays.
        Worked{"volume strokes 0", {Volume, "1000", "0", "15"}, "", "", "0,25"},
        Worked{"volume speed 0", {Volume, "0", "200", "15"}, "", "", "0,25"},
        Worked{"volume lone comma", {Volume, "1000", "200", ","}, "12 secondi", "", ""},
        Worked{"volume blank", {Volume, "1000", "200", " "}, "12 secondi", "", ""},
        Worked{"flow strokes 0", {Flow, "1000", "0", "50"}, "", "", ""},
        Worked{"flow speed 0", {Flow, "0", "200", "50"}, "", "0", "0"},
        Worked{"flow lone comma", {Flow, "1000", "200", ","}, "12 secondi", "", ""},
        // Beyond 16 bits: the label stays, the results count in full.
        Worked{"flow speed 40000", {Flow, "40000", "200", "50"}, "", "600", "10"},
        Worked{"volume speed 40000", {Volume, "40000", "200", "15"}, "", "1,2", "0,25"},
        Worked{"volume strokes 40000", {Volume, "1000", "40000", "15"}, "", "10000", "0,25"},
        Worked{"flow strokes 40000", {Flow, "1000", "40000", "50"}, "", "0,1", "0"},
        Worked{"volume l/h beyond 32 bits",
               {Volume, "1000", "200", "1E+10"},
               "12 secondi",
               "3,333333E+10",
               ""}),
    ByRowName{});

struct Early {
    const char* name;
    Before before;
    Stop stop;
};

class EarlyStops : public ::testing::TestWithParam<Early> {};

TEST_P(EarlyStops, TheCommandWritesNothing) {
    const Window before = GetParam().before.Shown();
    const auto [after, ended] = Calculate(before);
    EXPECT_EQ(ended, GetParam().stop);
    EXPECT_EQ(after, before);
}

INSTANTIATE_TEST_SUITE_P(
    Oracle, EarlyStops,
    ::testing::Values(Early{"speed abc", {Flow, "abc", "200", "50"}, Stop::SpeedWarning},
                      Early{"speed and strokes empty", {Volume, "", "", "15"}, Stop::SpeedWarning},
                      Early{"speed a lone sign", {Flow, "-", "200", "50"}, Stop::SpeedWarning},
                      Early{"strokes 1,2,3", {Flow, "1000", "1,2,3", "50"}, Stop::NoStrokes},
                      Early{"strokes 1 000", {Flow, "1000", "1 000", "50"}, Stop::NoStrokes},
                      Early{"flow input empty", {Flow, "1000", "200", ""}, Stop::EmptyInput},
                      Early{"volume input empty", {Volume, "1000", "200", ""}, Stop::EmptyInput}),
    ByRowName{});

struct Picked {
    const char* name;
    bool giriPicked;
    const char* item;
    const char* other;  // the other combo's text
    bool calculates;
    const char* tempo;
    const char* litriOra;
};

class Picks : public ::testing::TestWithParam<Picked> {};

TEST_P(Picks, ShowTheStrokeTimeThenCalculate) {
    const Picked& row = GetParam();
    Window before = CalculatedFlow();
    (row.giriPicked ? before.colpi : before.giri) = row.other;

    const auto [after, stop] = Pick(before, row.giriPicked ? Combo::Giri : Combo::Colpi, row.item);

    EXPECT_EQ(stop.has_value(), row.calculates);
    EXPECT_EQ(after.giri, row.giriPicked ? row.item : row.other);
    EXPECT_EQ(after.colpi, row.giriPicked ? row.other : row.item);
    EXPECT_EQ(after.tempo, row.tempo);
    EXPECT_EQ(after.quorvela, row.litriOra);
}

INSTANTIATE_TEST_SUITE_P(
    Oracle, Picks,
    ::testing::Values(
        Picked{"speed 1500", true, "1500", "200", true, "8 secondi", "22,5"},
        Picked{"strokes 500", false, "500", "1000", true, "30 secondi", "6"},
        Picked{"speed 2500, strokes 200", true, "2500", "200", true, "4,8 secondi", "37,5"},
        // The speed's pick calculates even without a stroke time.
        Picked{"speed, strokes abc", true, "1500", "abc", true, "12 secondi", "15"},
        Picked{"speed, strokes 0", true, "1500", "0", true, "12 secondi", ""},
        // The strokes' pick does not.
        Picked{"strokes, speed abc", false, "500", "abc", false, "12 secondi", "15"},
        Picked{"strokes, speed 0", false, "500", "0", false, "12 secondi", "15"},
        Picked{"strokes, speed 40000", false, "500", "40000", false, "12 secondi", "15"}),
    ByRowName{});

TEST(Oracle, EnteringTheOtherModesInputEmptiesThatModesResults) {
    const Window flow = CalculatedFlow();
    const Window volume = EnterInput(flow, true);
    EXPECT_TRUE(volume.volumeMode);
    EXPECT_EQ(volume.portata, "");
    EXPECT_EQ(volume.quorvela, flow.quorvela);
    EXPECT_EQ(volume.litriMinuto, flow.litriMinuto);
    EXPECT_EQ(EnterInput(volume, true), volume);

    Window again = volume;
    again.portata = "50";
    const Window back = EnterInput(again, false);
    EXPECT_FALSE(back.volumeMode);
    EXPECT_EQ(back.portata, "50");
    EXPECT_EQ(back.quorvela, "");
    EXPECT_EQ(back.litriMinuto, "");
}

}  // namespace
}  // namespace quorvela::test
