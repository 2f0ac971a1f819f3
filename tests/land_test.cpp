#include <climits>

#include "tests/blank_world.h"

namespace {

using MC = MainCanvas;

TEST(LandValue, PriceOfEachLevel) {
    const int first[17] = {64,  69,  76,  83,  90,  98,  107, 117, 128,
                           139, 152, 166, 181, 197, 215, 234, 256};
    for (int v = 0; v <= 16; v++)
        EXPECT_EQ(MC::getLandValue(v), first[v]) << v;
    struct Case {
        int v, price;
    } cases[] = {{32, 1024}, {64, 16384}, {96, 262144}, {127, 3847293}, {-1, 64}, {-128, 64}};
    for (const auto& c : cases)
        EXPECT_EQ(MC::getLandValue(c.v), c.price) << c.v;
}

class Land : public BlankWorld {
protected:
    // Opens a land region with its first corner on map cell (y, x), as the commands do.
    void corner(int y, int x) {
        anchor(y, x);
        g->m_iPYB = g->m_swa[8];
        g->m_iPXB = g->m_swa[9];
    }

    void setLevel(int y, int x, int v) { g->m_sbaMapVal[y * 64 + x] = static_cast<int8_t>(v); }
};

TEST_F(Land, CellPriceReadsTheCellLevel) {
    setLevel(5, 6, 8);
    EXPECT_EQ(g->getLandValue(5, 6), 128);
    EXPECT_EQ(g->getLandValue(6, 5), 64);
    EXPECT_EQ(g->getLandValue(-1, 6), 64);
    EXPECT_EQ(g->getLandValue(5, 64), 64);
}

TEST_F(Land, WhatMayBeBoughtAndHowHardItIsToDevelop) {
    struct Case {
        int kind;
        bool buy;
        int resistance;
    } cases[] = {
        {0, false, INT_MAX}, {1, true, 0},        {2, true, 0},  {3, true, 2},
        {4, false, INT_MAX}, {5, false, INT_MAX}, {6, true, 2},  {7, true, 4},
        {12, true, 128},     {13, true, 2},       {15, true, 8}, {19, true, 128},
    };
    for (const auto& c : cases) {
        g->setMapTyp(7, 7, c.kind, 0);
        EXPECT_EQ(g->isBuyLand(7, 7), c.buy) << c.kind;
        EXPECT_EQ(g->eviction(7, 7), c.resistance) << c.kind;
    }
    EXPECT_EQ(g->eviction(-1, 7), INT_MAX);
    EXPECT_EQ(g->eviction(7, 64), INT_MAX);
}

TEST_F(Land, BuyingAndSellingBackARegionOfField) {
    corner(10, 10);
    cursor(11, 12);  // 2 rows of 3 cells
    g->buyTochi();
    EXPECT_EQ(g->m_sqwCost, 384);
    EXPECT_EQ(g->m_la[1], 100000 - 384);
    EXPECT_EQ(g->m_la[3], 384);
    for (int y = 10; y <= 11; y++) {
        for (int x = 10; x <= 12; x++)
            EXPECT_EQ(g->getMapTyp(y, x), 0) << y << "," << x;
    }
    EXPECT_EQ(g->getMapTyp(12, 12), 2);
    EXPECT_EQ(g->getMapTyp(11, 13), 2);

    g->sellTochi();
    EXPECT_EQ(g->m_sqwCost, 384);
    EXPECT_EQ(g->m_la[1], 100000 - 384 + 364);
    EXPECT_EQ(g->m_la[3], 0);
    for (int y = 10; y <= 11; y++) {
        for (int x = 10; x <= 12; x++)
            EXPECT_EQ(g->getMapTyp(y, x), 1) << y << "," << x;
    }
}

TEST_F(Land, ClearingForestAndBuildingsIsPaidAndBookedAsAssets) {
    struct Case {
        int kind, level;
        int64_t price;
    } cases[] = {{3, 0, 164}, {8, 0, 3264}, {19, 0, 102400 + 64}, {13, 8, 400 + 128}, {1, 0, 64}};
    for (const auto& c : cases) {
        SetUp();
        g->setMapTyp(20, 20, c.kind, 5);
        setLevel(20, 20, c.level);
        corner(20, 20);
        cursor(20, 20);
        g->buyTochi();
        EXPECT_EQ(g->m_la[1], 100000 - c.price) << c.kind;
        EXPECT_EQ(g->m_la[3], c.price) << c.kind;
        EXPECT_EQ(g->getMapTyp(20, 20), 0) << c.kind;
        EXPECT_EQ(g->getMapPrm(20, 20), 0) << c.kind;
    }
}

TEST_F(Land, OwnedCellsInARegionAreSkipped) {
    // Row 30, columns 30..34: track, station, own land, forest, field.
    g->setMapTyp(30, 30, 4, 68);
    g->setMapTyp(30, 31, 5, 0);
    g->setMapTyp(30, 32, 0, 0);
    g->setMapTyp(30, 33, 3, 0);
    setLevel(30, 32, 8);

    corner(30, 34);  // corners the other way round
    cursor(30, 30);
    g->selectRegion(g->m_iFY - g->m_swa[8], g->m_iFX - g->m_swa[9], g->m_swa[4], g->m_swa[5], -1);
    EXPECT_EQ(g->m_sqwCost, 164 + 64);
    ASSERT_EQ(g->m_iPlanCount, 2);  // framed from the first corner on
    EXPECT_EQ(g->m_swaPlanYX[0], 30 * 64 + 34);
    EXPECT_EQ(g->m_swaPlanYX[1], 30 * 64 + 33);
    EXPECT_EQ(g->m_baPlanBits[0], 0);

    g->selectRegion(g->m_iFY - g->m_swa[8], g->m_iFX - g->m_swa[9], g->m_swa[4], g->m_swa[5], -2);
    EXPECT_EQ(g->m_sqwCost, 128);
    ASSERT_EQ(g->m_iPlanCount, 1);
    EXPECT_EQ(g->m_swaPlanYX[0], 30 * 64 + 32);

    g->buyTochi();
    EXPECT_EQ(g->m_la[1], 100000 - 228);
    EXPECT_EQ(g->getMapTyp(30, 30), 4);
    EXPECT_EQ(g->getMapTyp(30, 31), 5);
    g->sellTochi();
    // Only land with nothing on it is sold: the two bought cells and the one owned before.
    EXPECT_EQ(g->m_sqwCost, 64 + 64 + 128);
    EXPECT_EQ(g->getMapTyp(30, 30), 4);
    EXPECT_EQ(g->getMapTyp(30, 31), 5);
    EXPECT_EQ(g->getMapTyp(30, 32), 1);
}

TEST_F(Land, PlanningARegionChangesNothing) {
    g->setMapTyp(3, 3, 7, 9);
    corner(1, 1);
    cursor(4, 5);
    const auto typ = g->m_sbaMapTyp;
    g->selectRegion(g->m_iFY - g->m_swa[8], g->m_iFX - g->m_swa[9], g->m_swa[4], g->m_swa[5], -1);
    EXPECT_EQ(g->m_sqwCost, 20 * 64 + 1200);
    EXPECT_EQ(g->m_iPlanCount, 20);
    EXPECT_EQ(g->m_sbaMapTyp, typ);
    EXPECT_EQ(g->m_la[1], 100000);
    EXPECT_EQ(g->m_la[3], 0);
}

TEST_F(Land, ARegionReachingBeyondTheMapTradesOnlyMapCells) {
    // With this scroll offset screen rows 1..2 are map rows -1..0 and screen columns -5..-3
    // are map columns -2..0.
    g->selectRegion(1, -5, 2, -3, 0);
    EXPECT_EQ(g->m_sqwCost, 64);
    EXPECT_EQ(g->getMapTyp(0, 0), 0);
    EXPECT_EQ(g->getMapTyp(0, 1), 2);
    EXPECT_EQ(g->getMapTyp(1, 0), 2);
}

TEST_F(Land, NoOpenRegionTradesNothing) {
    cursor(5, 5);
    g->buyTochi();
    g->sellTochi();
    EXPECT_EQ(g->getMapTyp(5, 5), 2);
    EXPECT_EQ(g->m_la[1], 100000);
    EXPECT_EQ(g->m_la[3], 0);
}

TEST_F(Land, HighestNeighbourLevel) {
    setLevel(10, 9, 3);
    setLevel(10, 11, 7);
    setLevel(9, 10, 5);
    setLevel(11, 10, -1);
    EXPECT_EQ(g->searchNeiLandVal(10 * 64 + 10), 7);
    // The cell left of column 0 is off the map, not the last cell of the row below.
    setLevel(0, 63, 50);
    EXPECT_EQ(g->searchNeiLandVal(1 * 64 + 0), 0);
    setLevel(1, 0, 9);
    EXPECT_EQ(g->searchNeiLandVal(0), 9);
    for (int x = 0; x < 2; x++)
        setLevel(0, x, -1);
    setLevel(1, 0, -1);
    EXPECT_EQ(g->searchNeiLandVal(0 * 64 + 0), -1);
}

class Sweep : public Land {
protected:
    void station(int slot, int y, int x) {
        g->setMapTyp(y, x, 5, slot);
        g->StationY[slot] = static_cast<int8_t>(y);
        g->StationX[slot] = static_cast<int8_t>(x);
    }
};

TEST_F(Sweep, AStationClimbsToItsTargetAndThenWavers) {
    station(0, 10, 10);
    g->StationPLM[0] = 10000;  // target level 25
    g->RndMap.fill(10 * 64 + 10);
    g->develop();  // 16 visits
    EXPECT_EQ(g->getMapVal(10, 10), 16);
    EXPECT_EQ(g->m_la[3], 256 - 64);  // the station's land is owned
    g->develop();                     // visits 17..25 climb, then 24, 25, 24, ...
    EXPECT_EQ(g->getMapVal(10, 10), 24);
    EXPECT_EQ(g->m_swa[0], 32);

    struct Case {
        int plm, from, to;
    } cases[] = {{0, 0, -1}, {0, -1, 0}, {262144, 127, 126}, {262144, 126, 127}, {15, 0, -1}};
    for (const auto& c : cases) {
        g->StationPLM[0] = c.plm;
        setLevel(10, 10, c.from);
        g->RndMap.fill(0);
        g->RndMap[g->m_swa[0]] = 10 * 64 + 10;
        g->develop();
        EXPECT_EQ(g->getMapVal(10, 10), c.to) << c.plm << " from " << c.from;
    }
}

TEST_F(Sweep, LevelsSpreadOutOneLessPerCell) {
    station(0, 10, 10);
    setLevel(10, 10, 20);
    setLevel(12, 12, 30);
    g->setMapTyp(10, 12, 0, 0);  // own land follows in the assets
    const int order[] = {10 * 64 + 11, 10 * 64 + 12, 10 * 64 + 13,
                         11 * 64 + 12, 11 * 64 + 13, 10 * 64 + 10};
    for (int i = 0; i < 16; i++)
        g->RndMap[i] = static_cast<int16_t>(i < 6 ? order[i] : 0);
    g->develop();
    EXPECT_EQ(g->getMapVal(10, 11), 19);
    EXPECT_EQ(g->getMapVal(10, 12), 18);
    EXPECT_EQ(g->getMapVal(10, 13), 17);
    EXPECT_EQ(g->getMapVal(11, 12), 29);  // beside the level-30 cell
    EXPECT_EQ(g->getMapVal(11, 13), 28);
    EXPECT_EQ(g->getMapVal(12, 12), 30);  // higher cells never fall
    EXPECT_EQ(g->getMapVal(10, 10), 19);  // the station with no passengers steps down
    // Both owned cells move the assets: the own land up, the station down.
    EXPECT_EQ(g->m_la[3], MC::getLandValue(18) - 64 + MC::getLandValue(19) - MC::getLandValue(20));
}

TEST_F(Sweep, ThePositionWrapsAtTheEndOfTheOrder) {
    g->m_swa[0] = 4090;
    g->develop();
    EXPECT_EQ(g->m_swa[0], 10);
    g->m_swa[0] = -5;  // a position that cannot be, from a damaged save
    g->RndMap[0] = -7;
    g->develop();
    EXPECT_EQ(g->m_swa[0], 16);
}

// The building step uses the random sequence in a fixed order: per station in slot order one
// draw of 30, then, with enough demand, two draws of the spread and one of 2 for the row, the
// same for the column, and one draw of the demand. States below were chosen so that the draw
// of 30 gives 0.
class Building : public Sweep {
protected:
    void SetUp() override {
        Sweep::SetUp();
        station(0, 30, 30);
    }
    void seed(int type, int count) {
        g->RND_type = type;
        g->RND_count = count;
    }
};

TEST_F(Building, ResidentialTargetsByKind) {
    // From state (1, 354): row offset 3, column offset -1, so the target is (33, 29); the
    // demand draw of 1,000,000 is 325,900, whose root 570 over 210 gives level 2.
    struct Case {
        int kind, result;
        bool used;
    } cases[] = {
        {2, 8, true},   // field: level 2
        {1, 8, true},   // vacant lot
        {3, 6, true},   // forest: 2 minus its resistance 2 is still a building of level 0
        {6, 6, false},  // a level-0 house (resistance 2) is not replaced by level 0
        {13, 13, false}, {0, 0, false},  // own land is never developed
        {4, 4, false},
    };
    for (const auto& c : cases) {
        SetUp();
        g->setMapTyp(33, 29, c.kind, c.kind == 4 ? 68 : 0);
        g->StationPDH[0] = 1000000;
        g->StationPDO[0] = 1000000;  // a tie is residential
        seed(1, 354);
        g->develop();
        EXPECT_EQ(g->getMapTyp(33, 29), c.result) << c.kind;
        EXPECT_EQ(g->StationPDH[0], c.used ? 0 : 1000000) << c.kind;
        EXPECT_EQ(g->StationPDO[0], 1000000) << c.kind;
        EXPECT_EQ(g->RND_count, 362) << c.kind;  // eight draws
        EXPECT_EQ(g->RND_type, 1);
    }
}

TEST_F(Building, AHigherLevelReplacesABuilding) {
    // From state (1, 116) with demand 100,000,000: target (33, 18) at level 2.
    g->setMapTyp(33, 18, 6, 12);
    g->m_sbaMapPr2[33 * 64 + 18] = 40;
    setLevel(33, 18, 3);
    g->StationPDH[0] = 100000000;
    seed(1, 116);
    g->develop();
    EXPECT_EQ(g->getMapTyp(33, 18), 8);
    EXPECT_EQ(g->getMapPrm(33, 18), 0);
    EXPECT_EQ(g->getMapPr2(33, 18), 40);  // the arrival counter is not reset
    EXPECT_EQ(g->getMapVal(33, 18), 3);   // nor the land level
}

TEST_F(Building, OfficesGrowBesideOffices) {
    // From state (1, 1541), office case: target (32, 30); the demand draw is 8,817 of
    // 1,000,000 (level 0) or 1,008,817 once the demand has doubled (level 9, kept to 6).
    struct Case {
        int kind;  // placed above the target
        int result;
        bool used;
    } cases[] = {
        {2, 2, false},   // no office beside: the bonus of -1 leaves level -1
        {6, 2, false},   // houses do not count
        {13, 13, true},  // an office of level 0 cancels the bonus
        {14, 19, true},  // level 1 or more also doubles the demand
    };
    for (const auto& c : cases) {
        SetUp();
        g->setMapTyp(33, 30, c.kind, 0);
        g->StationPDH[0] = 3;
        g->StationPDO[0] = 2000000;
        seed(1, 1541);
        g->develop();
        EXPECT_EQ(g->getMapTyp(32, 30), c.result) << c.kind;
        EXPECT_EQ(g->StationPDO[0], c.used ? 0 : 2000000) << c.kind;
        EXPECT_EQ(g->StationPDH[0], 3) << c.kind;
        EXPECT_EQ(g->RND_count, 1549) << c.kind;
    }
}

TEST_F(Building, TooLittleDemandStopsAfterTheFirstDraw) {
    struct Case {
        int pdh, pdo, count;
    } cases[] = {{4, 0, 355}, {5, 0, 362}, {0, 9, 355}, {0, 10, 362}};
    for (const auto& c : cases) {
        SetUp();
        g->StationPDH[0] = c.pdh;
        g->StationPDO[0] = c.pdo;
        seed(1, 354);
        g->develop();
        EXPECT_EQ(g->RND_count, c.count) << c.pdh << "," << c.pdo;
    }
}

TEST_F(Building, TheStationsOwnCellIsNeverBuiltOn) {
    // From state (1, 232) both offsets are 0.
    g->StationPDH[0] = 1000000;
    seed(1, 232);
    g->develop();
    EXPECT_EQ(g->getMapTyp(30, 30), 5);
    EXPECT_EQ(g->StationPDH[0], 1000000);
    EXPECT_EQ(g->RND_count, 240);
}

TEST_F(Building, StationsDrawInSlotOrderAndFreeSlotsDrawNothing) {
    g->setMapTyp(30, 30, 2, 0);
    station(0, 10, 10);
    station(2, 30, 30);
    g->StationY[1] = -1;  // a free slot with stale contents
    g->StationX[1] = 30;
    g->StationPDH[1] = 1000000;
    g->StationPDH[0] = 1000000;
    g->StationPDH[2] = 1000000;
    seed(1, 353);  // slot 0 draws 17, slot 2 draws 0
    g->develop();
    EXPECT_EQ(g->getMapTyp(33, 29), 8);
    EXPECT_EQ(g->StationPDH[0], 1000000);
    EXPECT_EQ(g->StationPDH[2], 0);
    EXPECT_EQ(g->RND_count, 362);

    g->StationY.fill(-1);
    seed(1, 353);
    g->develop();
    EXPECT_EQ(g->RND_count, 353);
}

TEST_F(Land, FundWindowShowsFundsRedInDebtAndAssets) {
    g->m_iWndFund = g->m_tuw.add(0, 0, 40, 200, 0);
    ASSERT_GE(g->m_iWndFund, 0);
    for (int i = 0; i < 4; i++)
        g->m_tuw.addText(g->m_iWndFund, i * 10, 0, 0xFFFFFF, -1, J_String(""));
    auto text = [&](int i) { return g->m_tuw.m_t.m_sa[g->m_tuw.getText(g->m_iWndFund, i)]; };
    auto colour = [&](int i) { return g->m_tuw.m_t.m_iaFC[g->m_tuw.getText(g->m_iWndFund, i)]; };

    g->m_la[3] = 1234567;
    g->setFund(-1000);
    EXPECT_EQ(g->m_la[1], -1000);
    EXPECT_EQ(text(1), J_String("        -1,000"));
    EXPECT_EQ(colour(1), 0xFF3333);
    EXPECT_EQ(text(3), J_String("     1,234,567"));

    g->addFund(101000);
    EXPECT_EQ(g->m_la[1], 100000);
    EXPECT_EQ(text(1), J_String("       100,000"));
    EXPECT_EQ(colour(1), 0xFFFFFF);

    g->m_la[3] = 0;
    g->setFund();
    EXPECT_EQ(text(3), J_String("             0"));
    EXPECT_EQ(text(0), J_String(""));
}

}  // namespace
