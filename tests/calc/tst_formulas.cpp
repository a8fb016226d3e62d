// The three flow formulas: the figures they give and the errors they raise.

#include <gtest/gtest.h>

#include <cstdint>

#include "calc/formulas.h"
#include "calc/runtime_error.h"
#include "error_of.h"
#include "row_name.h"

namespace quorvela::test {
namespace {

struct Tempo {
    const char* name;
    int giri;
    int colpi;
    float seconds;
    int error;
};

class TempoColpiRows : public ::testing::TestWithParam<Tempo> {};

TEST_P(TempoColpiRows, GivesTheSecondsOrRaises) {
    const Tempo& row = GetParam();
    float got = 0.0F;
    EXPECT_EQ(ErrorOf([&] {
                  got = TempoColpi(static_cast<std::int16_t>(row.giri),
                                   static_cast<std::int16_t>(row.colpi));
              }),
              row.error);
    EXPECT_EQ(got, row.seconds);
}

INSTANTIATE_TEST_SUITE_P(Formulas, TempoColpiRows,
                         ::testing::Values(Tempo{"1000 and 200", 1000, 200, 12.0F, 0},
                                           Tempo{"1500 and 500", 1500, 500, 20.0F, 0},
                                           Tempo{"2500 and 1000", 2500, 1000, 24.0F, 0},
                                           Tempo{"100 and 1000", 100, 1000, 600.0F, 0},
                                           Tempo{"2500 and 200", 2500, 200, 4.8F, 0},
                                           // zero speeds and stroke counts
                                           Tempo{"no strokes", 1000, 0, 0.0F, 11},
                                           Tempo{"nothing at all", 0, 0, 0.0F, 6},
                                           Tempo{"no speed", 0, 200, 0.0F, 11}),
                         ByRowName{});

struct Portata {
    const char* name;
    int volume;
    int giri;
    int colpi;
    float litres;
    int error;
};

class PortataOrariaRows : public ::testing::TestWithParam<Portata> {};

TEST_P(PortataOrariaRows, GivesTheLitresPerHourOrRaises) {
    const Portata& row = GetParam();
    float got = 0.0F;
    EXPECT_EQ(ErrorOf([&] { got = PortataOraria(row.volume, row.giri, row.colpi); }), row.error);
    EXPECT_EQ(got, row.litres);
}

INSTANTIATE_TEST_SUITE_P(Formulas, PortataOrariaRows,
                         ::testing::Values(Portata{"50", 50, 1000, 200, 15.0F, 0},
                                           Portata{"52", 52, 1000, 200, 15.6F, 0},
                                           Portata{"40000, beyond 16 bits", 40000, 1000, 200,
                                                   12000.0F, 0},
                                           Portata{"no speed", 50, 0, 200, 0.0F, 0},
                                           Portata{"no strokes", 50, 1000, 0, 0.0F, 11},
                                           Portata{"no speed, no strokes", 50, 0, 0, 0.0F, 6}),
                         ByRowName{});

struct Volume {
    const char* name;
    float litres;
    int giri;
    int colpi;
    float volume;
    int error;
};

class VolumeColpiRows : public ::testing::TestWithParam<Volume> {};

TEST_P(VolumeColpiRows, GivesTheVolumeOrRaises) {
    const Volume& row = GetParam();
    float got = 0.0F;
    EXPECT_EQ(ErrorOf([&] { got = VolumeColpi(row.litres, row.giri, row.colpi); }), row.error);
    EXPECT_EQ(got, row.volume);
}

INSTANTIATE_TEST_SUITE_P(Formulas, VolumeColpiRows,
                         ::testing::Values(Volume{"15", 15.0F, 1000, 200, 50.0F, 0},
                                           Volume{"12,5", 12.5F, 1000, 200, 41.7F, 0},
                                           Volume{"40000", 40000.0F, 1000, 200, 133333.3F, 0},
                                           // the ratio held as a single, not as a double
                                           Volume{"8390 at 100 and 500", 8390.0F, 100, 500,
                                                  699166.6F, 0},
                                           Volume{"no speed", 15.0F, 0, 200, 0.0F, 11},
                                           Volume{"no speed, no litres", 0.0F, 0, 200, 0.0F, 6},
                                           Volume{"no strokes", 15.0F, 1000, 0, 0.0F, 11}),
                         ByRowName{});

}  // namespace
}  // namespace quorvela::test
