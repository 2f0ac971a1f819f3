#include <gtest/gtest.h>

#include <memory>

#include "game/MainCanvas.h"

namespace {

// A range wider than any raw value, so a draw shows the raw quotient.
constexpr int kWide = 2000000000;

struct RandomCase {
    const char* name;
    int32_t type, count;
    int n;
    std::vector<int> expected;
    int32_t typeAfter, countAfter;
};

class RandomSequence : public ::testing::TestWithParam<RandomCase> {};

TEST_P(RandomSequence, DrawsExactValuesAndAdvancesState) {
    const RandomCase& c = GetParam();
    auto g = std::make_unique<MainCanvas>();
    g->RND_type = c.type;
    g->RND_count = c.count;
    for (size_t i = 0; i < c.expected.size(); i++) {
        EXPECT_EQ(g->RND_get(c.n), c.expected[i]) << "draw " << i;
    }
    EXPECT_EQ(g->RND_type, c.typeAfter);
    EXPECT_EQ(g->RND_count, c.countAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RandomSequence,
    ::testing::Values(RandomCase{"first_draws_of_series_two", 1, 0, 64, {40, 20, 13, 42}, 2, 5},
                      RandomCase{"same_state_other_range", 1, 0, 1000, {88, 44, 29}, 2, 4},
                      // After 2047 divisors the next draw moves to the next series with divisor 1.
                      RandomCase{
                          "divisor_wraps_to_next_series", 2, 2048, kWide, {1561650090 - 3}, 3, 2},
                      // Series 1048576 is out of range and falls back to series 1.
                      RandomCase{"series_wraps_to_one", 1048575, 2048, kWide, {1561650089}, 1, 2},
                      // A series number below 1 is repaired before it is used.
                      RandomCase{"negative_series_repaired", -5, 3, kWide, {1561650089 / 3}, 1, 4}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RandomSeed, TakesLowFifteenBitsPlusOneAndKeepsDivisor) {
    auto g = std::make_unique<MainCanvas>();
    g->seedRandom(0x12345678u);
    EXPECT_EQ(g->RND_type, (0x12345678 & 0x7FFF) + 1);
    EXPECT_EQ(g->RND_count, 0);
    // The first draw after seeding uses series seed + 1 with divisor 1.
    int32_t seed = g->RND_type;
    EXPECT_EQ(g->RND_get(kWide), 1561650090 - (seed + 1));
}

}  // namespace
