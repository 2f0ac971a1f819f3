#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "game/MainCanvas.h"
#include "text_helpers.h"

namespace {

class DateTime : public ::testing::Test {
protected:
    std::unique_ptr<MainCanvas> g = std::make_unique<MainCanvas>();
    void SetUp() override {
        g->m_iWndDate = g->m_tuw.add(0, 0, 48, 312);
        g->m_tuw.addText(g->m_iWndDate, 0, 0, 0xFFFFFF, J_String("x"));
        g->m_iWndTime = g->m_tuw.add(0, 336, 48, 120);
        g->m_tuw.addText(g->m_iWndTime, 0, 0, 0xFFFFFF, J_String("x"));
    }
    std::string date() { return bytes(g->m_tuw.m_t.m_sa[g->m_tuw.getText(g->m_iWndDate, 0)]); }
    std::string time() { return bytes(g->m_tuw.m_t.m_sa[g->m_tuw.getText(g->m_iWndTime, 0)]); }
};

TEST_F(DateTime, ShowsGameYearsFromAprilOfYearOne) {
    struct Case {
        int64_t clock;
        const char* date;  // Shift_JIS: 年 94 4E, 月 8C 8E, 日 93 FA
        const char* time;
    } cases[] = {
        {7776000000LL, " 1\x94\x4E 4\x8C\x8E 1\x93\xFA", "00:00"},
        {323395200000LL, "11\x94\x4E 4\x8C\x8E 1\x93\xFA", "00:00"},
        {68169600000LL + 7 * 3600000LL + 5 * 60000LL,
         " 3\x94\x4E 2\x8C\x8E"
         "29\x93\xFA",
         "07:05"},
        {7776000000LL + 86399999LL, " 1\x94\x4E 4\x8C\x8E 1\x93\xFA", "23:59"},
    };
    for (const auto& c : cases) {
        g->m_la[0] = c.clock;
        g->putDT();
        EXPECT_EQ(date(), c.date) << c.clock;
        EXPECT_EQ(time(), c.time) << c.clock;
    }
}

TEST_F(DateTime, HourChangeAsksForARepaint) {
    g->m_la[0] = 7776000000LL;
    g->putDT();
    g->m_bRepaint = 0;
    g->m_la[0] += 60000;
    g->putDT();
    EXPECT_EQ(g->m_bRepaint, 0);
    g->m_la[0] += 3600000;
    g->putDT();
    EXPECT_EQ(g->m_bRepaint, 1);
}

TEST_F(DateTime, MonthRollOverChargesDebtAndTurnsCountsOver) {
    g->StationPTM[0] = 12;
    g->StationPTM[79] = 7;
    g->StationPLM[0] = 99;
    g->m_la[1] = -12345;
    g->m_la[0] = 7776000000LL + 29LL * 86400000LL + 23 * 3600000LL;  // April 30, 23:00
    g->m_iBeforeMonth = 0;  // a game just started: never a roll-over
    g->putDT();
    EXPECT_EQ(g->m_la[1], -12345);
    EXPECT_EQ(g->StationPLM[0], 99);
    g->m_la[0] += 3600000;  // May 1
    g->putDT();
    EXPECT_EQ(g->m_la[1], -12345 + -123);
    EXPECT_EQ(g->StationPLM[0], 12);
    EXPECT_EQ(g->StationPTM[0], 0);
    EXPECT_EQ(g->StationPLM[79], 7);
    g->m_la[0] += 3600000;  // the same month again: nothing more
    g->putDT();
    EXPECT_EQ(g->m_la[1], -12468);
    EXPECT_EQ(g->StationPLM[0], 12);
}

TEST_F(DateTime, PositiveFundsEarnNoInterest) {
    g->m_la[1] = 5000;
    g->m_la[0] = 7776000000LL;
    g->putDT();
    g->m_la[0] += 31LL * 86400000LL;
    g->putDT();
    EXPECT_EQ(g->m_la[1], 5000);
}

}  // namespace
