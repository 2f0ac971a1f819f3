#include <gtest/gtest.h>

#include "game_fixture.h"

namespace {

class Loop : public GameFixture {
protected:
    // Boots, then puts the game object straight into a running new game.
    void startNewGame() {
        boot();
        g->m_iState = 9;
        for (int i = 0; i < 3 && g->m_iState == 9; i++)
            tick(16);
        ASSERT_EQ(g->m_iState, 10);
    }
};

TEST_F(Loop, FirstTickOnlyBootsAndShowsTheTitle) {
    boot();
    EXPECT_EQ(g->m_iState, 2);
    EXPECT_EQ(g->m_dwCount, 1000u);  // the clock as read, not cut to 16
    EXPECT_EQ(g->m_bRepaint, 1);
    EXPECT_GE(g->RND_type, 1);
    EXPECT_LE(g->RND_type, 0x8000);
}

TEST_F(Loop, AFrameRunsAtMostOncePerSixteenMilliseconds) {
    startNewGame();
    g->m_sba[4] = 1;  // one game millisecond per real millisecond
    int64_t clock = g->m_la[0];
    uint32_t count = g->m_dwCount;
    tick(0);  // same 16 ms boundary: no frame
    EXPECT_EQ(g->m_la[0], clock);
    EXPECT_EQ(g->m_dwCount, count);
    testclock::now = count + 15;
    g->wm_timer();
    EXPECT_EQ(g->m_la[0], clock);
    testclock::now = count + 16;
    g->wm_timer();
    EXPECT_EQ(g->m_la[0], clock + 16);
}

TEST_F(Loop, FrameAccountsForWholeQuantaUpToNinetySix) {
    struct Case {
        uint32_t wait;
        int64_t advance;
    } cases[] = {{16, 16}, {31, 16}, {32, 32}, {95, 80}, {96, 96}, {200, 96}, {100000, 96}};
    startNewGame();
    g->m_sba[4] = 1;
    for (const auto& c : cases) {
        testclock::now = g->m_dwCount + c.wait;
        int64_t clock = g->m_la[0];
        g->wm_timer();
        EXPECT_EQ(g->m_la[0] - clock, c.advance) << "after " << c.wait << " ms";
    }
}

TEST_F(Loop, FrameGateSurvivesTheClockWrapping) {
    startNewGame();
    g->m_sba[4] = 1;
    g->m_dwCount = 0xFFFFFFF0u;
    testclock::now = 0x10;  // 32 ms later, after the wrap
    int64_t clock = g->m_la[0];
    g->wm_timer();
    EXPECT_EQ(g->m_la[0] - clock, 32);
    EXPECT_EQ(g->m_dwCount, 0x10u);
}

TEST_F(Loop, SpeedScalesTheFrame) {
    struct Case {
        int speed;
        int64_t advance;
    } cases[] = {{12, 32768}, {1, 16}, {2, 32}};
    startNewGame();
    for (const auto& c : cases) {
        g->m_sba[4] = c.speed;
        int64_t clock = g->m_la[0];
        tick(16);
        EXPECT_EQ(g->m_la[0] - clock, c.advance) << "speed " << c.speed;
    }
}

TEST_F(Loop, StepsStopOnEveryHourBoundary) {
    startNewGame();
    g->m_la[0] = 7779590000LL;  // 10,000 ms before hour 2,161
    g->nextFrame(32768);
    EXPECT_EQ(g->m_la[0], 7779622768LL);
    // At the top speed one frame asks for about 447 hours; with no train to move it
    // covers them all and stands on a whole number of milliseconds beyond.
    g->m_la[0] = MainCanvas::GAME_START;
    g->nextFrame(96 * MainCanvas::pow_2(24));
    EXPECT_EQ(g->m_la[0], MainCanvas::GAME_START + 1610612736LL);
}

namespace budget {
inline uint32_t now = 0;
// A real-time clock that has moved on 60 ms at every reading: the trains' budget is
// always spent by the time they would move.
inline uint32_t slow() {
    return now += 60;
}
}  // namespace budget

TEST_F(Loop, HourlyWorkRunsAgainWhenTheBudgetStopsShortOfTheHour) {
    startNewGame();
    int cell = -1;
    for (int yx = 0; yx < MainCanvas::CELLS && cell < 0; yx++) {
        if (g->m_sbaMapTyp[yx] >= 6) cell = yx;
    }
    ASSERT_GE(cell, 0);
    g->m_sbaMapPr2[cell] = 99;  // each hourly renewal lowers it by an eighth and 8 more
    g->m_la[0] = 7779590000LL;  // 10,000 ms before hour 2,161
    device::setClock(budget::slow);
    g->nextFrame(32768);
    EXPECT_EQ(g->m_la[0], 7779590000LL);
    EXPECT_EQ(g->m_sbaMapPr2[cell], 79);
    g->nextFrame(32768);  // the same hour's work again, and still no movement
    EXPECT_EQ(g->m_la[0], 7779590000LL);
    EXPECT_EQ(g->m_sbaMapPr2[cell], 62);
    device::setClock(testclock::read);
    g->nextFrame(32768);
    EXPECT_EQ(g->m_la[0], 7779622768LL);
    EXPECT_EQ(g->m_sbaMapPr2[cell], 47);
}

TEST_F(Loop, HeldClockDoesNotMoveButMessagesCountDown) {
    startNewGame();
    g->m_sba[3] = 2;
    g->m_iMsgWait = 2;
    g->m_bRepaint = 0;
    int64_t clock = g->m_la[0];
    g->nextFrame(1000);
    EXPECT_EQ(g->m_la[0], clock);
    EXPECT_EQ(g->m_iMsgWait, 1);
    EXPECT_EQ(g->m_bRepaint, 0);
    g->nextFrame(1000);
    EXPECT_EQ(g->m_iMsgWait, 0);
    EXPECT_EQ(g->m_bRepaint, 1);  // the message disappears at the next paint
    g->m_sba[3] = -1;             // a hold of 0 or below lets the clock run
    g->nextFrame(1000);
    EXPECT_EQ(g->m_la[0], clock + 1000);
}

TEST_F(Loop, GameEndsExactlyAtTheEndOfTheTenthYear) {
    startNewGame();
    g->m_sba[4] = 12;
    g->m_la[0] = MainCanvas::GAME_END - 1000;
    tick(16);
    EXPECT_EQ(g->m_la[0], MainCanvas::GAME_END);
    EXPECT_EQ(g->m_iState, 11);
}

TEST_F(Loop, GameEndIsReachedFromAnyPhaseOfTheFrames) {
    // Whatever the speed, the clock lands exactly on the end and not beyond.
    startNewGame();
    for (int speed : {1, 7, 12, 20, 25}) {
        g->m_iState = 10;
        g->m_sba[4] = speed;
        g->m_la[0] = MainCanvas::GAME_END - (speed >= 12 ? 3 * MainCanvas::HOUR_MS : 0) - 12345;
        for (int i = 0; i < 100000 && g->m_iState == 10; i++)
            tick(16);
        EXPECT_EQ(g->m_iState, 11) << "speed " << speed;
        EXPECT_EQ(g->m_la[0], MainCanvas::GAME_END) << "speed " << speed;
    }
}

TEST_F(Loop, QuitKeyEndsTheLoopInEveryState) {
    boot();
    g->keyDown(keycode::kQuit);
    tick(32);  // this frame's scan sees the key go down
    EXPECT_EQ(quits, 0);
    tick(0);  // the next tick acts on it
    EXPECT_EQ(quits, 1);
}

TEST_F(Loop, TicksDoNothingWhileTheEntryBoxIsOpen) {
    startNewGame();
    MainCanvas::m_b2IME = 2;
    int64_t clock = g->m_la[0];
    tick(64);
    EXPECT_EQ(g->m_la[0], clock);
}

TEST_F(Loop, EntryBoxOpensOnceSelectIsReleasedAndDeliversText) {
    int opened = 0;
    g->m_onImeOn = [&] { opened++; };
    boot();
    MainCanvas::m_b2IME = 1;
    g->keyDown(keycode::kEnter);
    tick(1);
    tick(1);
    EXPECT_EQ(opened, 0);
    g->keyUp(keycode::kEnter);
    tick(1);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(MainCanvas::m_b2IME, 2);
    Canvas::callbackIME("abc");
    EXPECT_EQ(MainCanvas::m_b2IME, 3);
    EXPECT_EQ(MainCanvas::m_sIME.byteLength(), 3);
}

TEST_F(Loop, GetHourCountsWholeHoursOfTheClock) {
    g->m_la[0] = 7776000000LL;
    EXPECT_EQ(g->getHour(), 2160);
    EXPECT_EQ(g->getHour(3599999), 2160);
    EXPECT_EQ(g->getHour(3600000), 2161);
    g->m_la[0] = MainCanvas::GAME_END;
    EXPECT_EQ(g->getHour(), 89832);
}

}  // namespace
