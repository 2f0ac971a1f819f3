// The timetable editors of a station and of a junction, played with the keys: ranges, blocks
// with departure marks, ranges across midnight, stepping back, and the chart on screen.
#include <gtest/gtest.h>

#include <vector>

#include "in_game.h"

namespace {

constexpr int kCyan = 0x00FFFF;
constexpr int kMagenta = 0xFF00FF;
constexpr int kYellow = 0xFFFF00;
constexpr int kBlack = 0x000000;

// A 0xRRGGBB colour as the back buffer stores it: red in the low byte, opaque.
uint32_t packed(int rgb) {
    return 0xFF000000u |
           static_cast<uint32_t>(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF));
}

// A station in slot 1 at (20, 20) with every half-hour a ten-minute stop, and a junction in
// slot 2 at (30, 30) with every switch straight.
class Timetable : public InGame {
protected:
    void SetUp() override {
        InGame::SetUp();
        g->setMapTyp(20, 20, 5, 1);
        g->StationY[1] = 20;
        g->StationX[1] = 20;
        for (int s = 0; s < 48; s++)
            g->StationDD[48 + s] = 2;
        g->setMapTyp(30, 30, 4, 0x46);
        g->PointY[2] = 30;
        g->PointX[2] = 30;
    }
    // Opens the station editor with the slot cursor on slot pos.
    void openStation(int pos) {
        cursorAt(20, 20);
        g->m_iDiaPos = pos;
        select();
        ASSERT_EQ(g->m_bStationDia, 1);
    }
    void openJunction(int pos) {
        cursorAt(30, 30);
        g->m_iDiaPos = pos;
        select();
        ASSERT_EQ(g->m_bPointDia, 1);
    }
    // Moves the editor's command cursor onto its item.
    void command(int window, int item) {
        for (int i = 0; i < 4 && g->m_tuw.cmdPos(window) != item; i++)
            down();
        ASSERT_EQ(g->m_tuw.cmdPos(window), item);
    }
    std::vector<int> rules(int first, int n) {
        std::vector<int> r;
        for (int s = first; s < first + n; s++)
            r.push_back(g->StationDD[48 + s % 48]);
        return r;
    }
    int switchBit(int s) { return MainCanvas::toBitFromASB(g->PointDD.data(), 2 * 48 + s); }
};

TEST_F(Timetable, StopRangeBecomesBlocksEndingInADeparture) {
    openStation(12);
    EXPECT_EQ(clockHold(), 2);
    select();  // "停車　　": the anchor
    EXPECT_EQ(g->m_iDiaPF, 12);
    right(3);
    select();
    EXPECT_EQ(rules(12, 4), (std::vector<int>{0, 0, 0, 4}));
    EXPECT_EQ(g->m_iDiaPF, 16);
    EXPECT_EQ(g->m_iDiaPos, 19);
    EXPECT_EQ(g->m_iDiaPS, 4);
    select();
    EXPECT_EQ(rules(16, 4), (std::vector<int>{0, 0, 0, 4}));
    EXPECT_EQ(g->m_iDiaPF, 20);
    EXPECT_EQ(g->m_iDiaPos, 23);
    EXPECT_EQ(rules(20, 1), (std::vector<int>{2}));  // the next block is only selected

    // In block mode the cursor moves a block at a time and never before the anchor.
    right();
    EXPECT_EQ(g->m_iDiaPos, 27);
    left(3);
    EXPECT_EQ(g->m_iDiaPos, 23);
    // Cancel steps back: a one-slot range, no anchor, then the editor closes.
    cancel();
    EXPECT_EQ(g->m_iDiaPS, 1);
    EXPECT_EQ(g->m_iDiaPos, 20);
    EXPECT_EQ(g->m_iDiaPF, 20);
    cancel();
    EXPECT_EQ(g->m_iDiaPF, -1);
    EXPECT_EQ(g->m_bStationDia, 1);
    cancel();
    EXPECT_EQ(g->m_bStationDia, 0);
    EXPECT_EQ(clockHold(), 0);
    EXPECT_EQ(g->m_iCursor, 1);
}

TEST_F(Timetable, RangeAcrossMidnightWrapsOntoTheStartOfTheDay) {
    openStation(46);
    paint();
    command(g->m_iWndStationCmd, 1);  // "折り返し"
    select();
    right(3);
    EXPECT_EQ(g->m_iDiaPos, 49);
    paint();
    EXPECT_EQ(text(g->m_iWndDiaTime, 0), "23:00");
    EXPECT_EQ(text(g->m_iWndDiaTime, 1), sjis("～"));
    EXPECT_EQ(text(g->m_iWndDiaTime, 2), "24:59");
    select();
    EXPECT_EQ(rules(46, 4), (std::vector<int>{1, 1, 1, 5}));
    EXPECT_EQ(rules(2, 1), (std::vector<int>{2}));
}

TEST_F(Timetable, TenMinuteStopAndPassWriteNoMarks) {
    for (int item : {2, 3}) {
        openStation(0);
        command(g->m_iWndStationCmd, item);
        select();
        right(5);
        select();
        EXPECT_EQ(rules(0, 6), std::vector<int>(6, item)) << item;
        EXPECT_EQ(g->m_iDiaPS, 6) << item;
        select();  // the next block, the same way
        EXPECT_EQ(rules(6, 6), std::vector<int>(6, item)) << item;
        while (g->m_bStationDia)
            cancel();
    }
}

TEST_F(Timetable, CursorWrapsRoundTheDayAndARangeSpansAtMostADay) {
    openStation(0);
    left();
    EXPECT_EQ(g->m_iDiaPos, 47);
    right();
    EXPECT_EQ(g->m_iDiaPos, 0);
    select();  // anchor at 0
    hold(keycode::kRight, 120);
    EXPECT_EQ(g->m_iDiaPos, 48);  // 49 slots, the anchor's counted twice
    select();
    // The whole day stops, with the mark on the last slot written, slot 0 of the next day.
    EXPECT_EQ(rules(0, 1), (std::vector<int>{4}));
    EXPECT_EQ(rules(1, 47), std::vector<int>(47, 0));
}

TEST_F(Timetable, JunctionRangeSetsTheSwitchesAndCancelClosesAtOnce) {
    openJunction(20);
    EXPECT_EQ(clockHold(), 2);
    command(g->m_iWndPointCmd, 1);  // "カーブ"
    select();
    left(2);
    select();
    for (int s = 17; s <= 21; s++)
        EXPECT_EQ(switchBit(s), s >= 18 && s <= 20 ? 1 : 0) << s;
    EXPECT_EQ(g->m_iDiaPos, 18);
    EXPECT_EQ(g->m_iDiaPF, -1);

    // Cancel with an anchor closes without writing anything.
    command(g->m_iWndPointCmd, 0);
    select();
    right(4);
    cancel();
    EXPECT_EQ(g->m_bPointDia, 0);
    EXPECT_EQ(clockHold(), 0);
    for (int s = 18; s <= 20; s++)
        EXPECT_EQ(switchBit(s), 1) << s;
    EXPECT_EQ(switchBit(22), 0);
}

TEST_F(Timetable, ChartShowsTheCodesTheMarksAndTheRange) {
    for (int s = 0; s < 4; s++)
        g->StationDD[48 + s] = static_cast<int8_t>(s == 3 ? 4 : 0);
    g->StationDD[48 + 4] = 1;
    openStation(10);
    paint();
    EXPECT_EQ(text(g->m_iWndDiaTime, 0), "05:00");
    EXPECT_EQ(text(g->m_iWndDiaTime, 1), "");
    EXPECT_EQ(text(g->m_iWndDiaTime, 2), "");
    EXPECT_EQ(text(g->m_iWndStationState, 1), "        0");
    // At 480 x 480 the chart unit is 8 and the strip starts at (48, 376).
    const int D = 8, x0 = 48, y0 = 376;
    auto at = [&](int slot, int dx) { return g->m_g.getPixel(x0 + slot * D + dx, y0 + D); };
    EXPECT_EQ(at(0, 3), packed(kCyan));
    EXPECT_EQ(at(3, 3), packed(kCyan));
    EXPECT_EQ(at(3, D - 1), packed(0x666666));  // the departure mark
    EXPECT_EQ(at(4, 3), packed(kMagenta));
    EXPECT_EQ(at(5, 3), packed(kYellow));
    EXPECT_EQ(at(10, 1), packed(kBlack));  // the cursor outline
    EXPECT_EQ(at(10, 3), packed(kYellow));
    // A range is filled in black.
    select();
    right(2);
    paint();
    for (int s = 10; s <= 12; s++)
        EXPECT_EQ(at(s, 3), packed(kBlack)) << s;
    EXPECT_EQ(at(13, 3), packed(kYellow));
    EXPECT_EQ(text(g->m_iWndDiaTime, 2), "06:29");
}

}  // namespace
