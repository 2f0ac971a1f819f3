#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "device/Calendar.h"
#include "device/Math.h"

namespace {

constexpr int64_t DAY = 86400000;

struct Fields {
    int year, month, date, hour, minute;
};

Fields fieldsOf(int64_t ms) {
    Calendar c = Calendar::getInstance();
    c.setTimeInMillis(ms);
    return {c.get(Calendar::YEAR), c.get(Calendar::MONTH), c.get(Calendar::DATE),
            c.get(Calendar::HOUR_OF_DAY), c.get(Calendar::MINUTE)};
}

bool isLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysIn(int y, int m) {  // m 0..11
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 1 && isLeap(y) ? 29 : kDays[m];
}

}  // namespace

TEST(CalendarTest, GameStartAndEndDates) {
    struct Case {
        int64_t ms;
        Fields want;
    };
    const Case cases[] = {
        {0, {1970, 0, 1, 0, 0}},
        {7776000000LL, {1970, 3, 1, 0, 0}},    // the first day of a game
        {323395200000LL, {1980, 3, 1, 0, 0}},  // the last instant of a game
        {68169600000LL, {1972, 1, 29, 0, 0}},  // leap day
        {68169600000LL + DAY, {1972, 2, 1, 0, 0}},
        {7776000000LL + 7 * 3600000 + 5 * 60000 + 59999, {1970, 3, 1, 7, 5}},
        {7776000000LL - 1, {1970, 2, 31, 23, 59}},
        {951782400000LL, {2000, 1, 29, 0, 0}},  // 2000 is a leap year
        {4107542400000LL, {2100, 2, 1, 0, 0}},  // 2100 is not: Feb 28 is followed by Mar 1
    };
    for (const Case& c : cases) {
        Fields f = fieldsOf(c.ms);
        EXPECT_EQ(f.year, c.want.year) << c.ms;
        EXPECT_EQ(f.month, c.want.month) << c.ms;
        EXPECT_EQ(f.date, c.want.date) << c.ms;
        EXPECT_EQ(f.hour, c.want.hour) << c.ms;
        EXPECT_EQ(f.minute, c.want.minute) << c.ms;
    }
}

TEST(CalendarTest, UnknownFieldsGiveZero) {
    Calendar c = Calendar::getInstance();
    c.setTimeInMillis(323395200000LL + 3 * 3600000);
    EXPECT_EQ(c.get(0), 0);
    EXPECT_EQ(c.get(6), 0);
    EXPECT_EQ(c.get(-1), 0);
    EXPECT_EQ(c.get(Calendar::HOUR_OF_DAY), 3);
}

TEST(CalendarTest, InstantsBeforeNineteenSeventyFallOnTheRightDay) {
    Fields f = fieldsOf(-1);
    EXPECT_EQ(f.year, 1969);
    EXPECT_EQ(f.month, 11);
    EXPECT_EQ(f.date, 31);
    EXPECT_EQ(f.hour, 23);
    EXPECT_EQ(f.minute, 59);

    f = fieldsOf(-DAY);
    EXPECT_EQ(f.date, 31);
    EXPECT_EQ(f.hour, 0);
    EXPECT_EQ(f.minute, 0);

    f = fieldsOf(-DAY * 365 - 1);  // one millisecond before 1969-01-01
    EXPECT_EQ(f.year, 1968);
    EXPECT_EQ(f.month, 11);
    EXPECT_EQ(f.date, 31);
}

TEST(CalendarTest, EveryDayFollowsTheDayBefore) {
    // Walk day by day from 1970 backward and forward and compare with the civil calendar.
    const int kSpan = 200 * 366;
    int y = 1970, m = 0, d = 1;
    for (int day = 0; day < kSpan; day++) {
        int64_t noon = day * DAY + 12 * 3600000 + 34 * 60000;
        Fields f = fieldsOf(noon);
        ASSERT_EQ(f.year, y) << day;
        ASSERT_EQ(f.month, m) << day;
        ASSERT_EQ(f.date, d) << day;
        ASSERT_EQ(f.hour, 12);
        ASSERT_EQ(f.minute, 34);
        if (++d > daysIn(y, m)) {
            d = 1;
            if (++m == 12) {
                m = 0;
                y++;
            }
        }
    }
    y = 1969, m = 11, d = 31;
    for (int day = -1; day > -kSpan; day--) {
        Fields f = fieldsOf(day * DAY);
        ASSERT_EQ(f.year, y) << day;
        ASSERT_EQ(f.month, m) << day;
        ASSERT_EQ(f.date, d) << day;
        ASSERT_EQ(f.hour, 0);
        if (--d == 0) {
            if (--m < 0) {
                m = 11;
                y--;
            }
            d = daysIn(y, m);
        }
    }
}

TEST(CalendarTest, ExtremeInstantsStayDefined) {
    Fields f = fieldsOf(INT64_MAX);
    EXPECT_GT(f.year, 290000000);
    EXPECT_GE(f.hour, 0);
    EXPECT_LT(f.hour, 24);
    f = fieldsOf(INT64_MIN);
    EXPECT_LT(f.year, -290000000);
    EXPECT_GE(f.minute, 0);
    EXPECT_LT(f.minute, 60);
}

TEST(MathTest, AngleOfTheAxesAndDiagonal) {
    struct Case {
        int a, b, want;
    };
    const Case cases[] = {
        {0, 1, 0},     {1, 0, 1024},   {0, -1, 2048},  {-1, 0, 3072}, {1, 1, 512},
        {0, 0, 0},     {-1, -1, 2560}, {1, -1, 1536},  {-1, 1, 3584}, {0, 63, 0},
        {63, 0, 1024}, {0, -63, 2048}, {-63, 0, 3072},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Math::atan2(c.a, c.b), c.want) << c.a << "," << c.b;
    }
}

TEST(MathTest, AngleStaysInOneTurn) {
    for (int a = -63; a <= 63; a++) {
        for (int b = -63; b <= 63; b++) {
            int v = Math::atan2(a, b);
            ASSERT_GE(v, 0);
            ASSERT_LT(v, 4096);
        }
    }
}

TEST(MathTest, AngleUsesTheGamesOwnPi) {
    // The constant 3.14159265 is a hair below single-precision pi, so the half turn is 2048
    // and not 2047; angles just below zero truncate to 0 instead of wrapping to 4095.
    EXPECT_EQ(Math::atan2(0, -100000), 2048);
    EXPECT_EQ(Math::atan2(-1, 100000), 0);
    EXPECT_EQ(Math::atan2(1, 100000), 0);
}

TEST(MathTest, SquareRootTruncates) {
    struct Case {
        int x, want;
    };
    const Case cases[] = {
        {0, 0},
        {1, 1},
        {15, 3},
        {16, 4},
        {10000, 100},
        {99, 9},
        {2147483647, 46340},
        {-1, 0},
        {-2147483647 - 1, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Math::sqrt(c.x), c.want) << c.x;
}

TEST(MathTest, SquareRootGoesThroughSinglePrecision) {
    // 46340^2 - 1 rounds up to a float whose root rounds to 46340, one more than the exact
    // integer root: the game's station distances and levels rely on this rounding.
    int x = 46340 * 46340 - 1;
    EXPECT_EQ(static_cast<int>(std::sqrt(static_cast<double>(x))), 46339);
    EXPECT_EQ(Math::sqrt(x), 46340);
    EXPECT_EQ(Math::sqrt(4097 * 4097 - 1), 4097);  // the first square where this shows
    // Small squares minus one are exact in single precision and truncate down.
    for (int n = 1; n <= 4096; n++) {
        ASSERT_EQ(Math::sqrt(n * n), n);
        ASSERT_EQ(Math::sqrt(n * n - 1), n - 1);
    }
}
