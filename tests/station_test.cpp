#include "tests/blank_world.h"

namespace {

using MC = MainCanvas;

class Stations : public BlankWorld {};

TEST_F(Stations, PriceDependsOnWhetherTheLandIsOwned) {
    struct Case {
        const char* what;
        int kind, level;
        int64_t cost, assets;
    } cases[] = {
        {"field", 2, 0, 20064, 16064},
        {"own land", 0, 0, 20000, 16000},
        {"vacant lot at level 8", 1, 8, 20128, 16128},
        {"forest", 3, 0, 20064, 16064},
        {"office of level 6", 19, 0, 20064, 16064},
    };
    for (const auto& c : cases) {
        SetUp();
        g->setMapTyp(20, 21, c.kind, 0);
        g->m_sbaMapVal[20 * 64 + 21] = static_cast<int8_t>(c.level);
        g->StationPDH[0] = 77;
        g->StationPDO[0] = 88;
        g->StationPLM[0] = 99;
        g->StationPTM[0] = 11;
        g->StationDD.fill(1);
        cursor(20, 21);
        EXPECT_EQ(g->constructStation(), 0) << c.what;
        EXPECT_EQ(g->m_la[1], 100000 - c.cost) << c.what;
        EXPECT_EQ(g->m_la[3], c.assets) << c.what;
        EXPECT_EQ(g->getMapTyp(20, 21), 5) << c.what;
        EXPECT_EQ(g->getMapPrm(20, 21), 0) << c.what;
        EXPECT_EQ(g->getMapVal(20, 21), c.level) << c.what;
        EXPECT_EQ(g->StationY[0], 20);
        EXPECT_EQ(g->StationX[0], 21);
        for (int s = 0; s < 48; s++)
            EXPECT_EQ(g->StationDD[s], 2) << s;
        EXPECT_EQ(g->StationDD[48], 1);  // the next slot's schedule is left alone
        EXPECT_EQ(g->StationPLM[0], 0);
        EXPECT_EQ(g->StationPTM[0], 0);
        EXPECT_EQ(g->StationPDH[0], 77);  // a reused slot keeps its demand
        EXPECT_EQ(g->StationPDO[0], 88);
    }
}

TEST_F(Stations, TheLowestFreeSlotIsTaken) {
    for (int i = 0; i < 5; i++) {
        cursor(10, 10 + i * 2);
        EXPECT_EQ(g->constructStation(), i);
    }
    cursor(10, 14);
    EXPECT_EQ(g->removeStation(), 1);
    cursor(30, 30);
    EXPECT_EQ(g->constructStation(), 2);
    EXPECT_EQ(g->getMapPrm(30, 30), 2);
    cursor(31, 30);
    EXPECT_EQ(g->constructStation(), 5);
}

TEST_F(Stations, AFullTableBuildsNothing) {
    g->StationY.fill(40);
    cursor(20, 21);
    EXPECT_EQ(g->constructStation(), -1);
    EXPECT_EQ(g->getMapTyp(20, 21), 2);
    EXPECT_EQ(g->m_la[1], 100000);
    EXPECT_EQ(g->m_la[3], 0);
}

TEST_F(Stations, TrackAStationAndCellsOffTheMapTakeNoStation) {
    g->setMapTyp(20, 20, 4, 68);
    cursor(20, 22);
    ASSERT_EQ(g->constructStation(), 0);
    const auto typ = g->m_sbaMapTyp;
    const auto stations = g->StationY;
    for (auto [y, x] : {std::pair{20, 20}, std::pair{20, 22}, std::pair{64, 3}, std::pair{3, -1}}) {
        cursor(y, x);
        EXPECT_EQ(g->constructStation(), -1) << y << "," << x;
    }
    EXPECT_EQ(g->m_sbaMapTyp, typ);
    EXPECT_EQ(g->StationY, stations);
    EXPECT_EQ(g->getMapPrm(20, 22), 0);
    EXPECT_EQ(g->m_la[1], 100000 - 20064);
}

TEST_F(Stations, RemovingCostsAThousandAndKeepsTheLand) {
    cursor(12, 10);
    ASSERT_EQ(g->constructStation(), 0);
    g->StationPDH[0] = 50;
    const int64_t assets = g->m_la[3];
    EXPECT_EQ(g->removeStation(), 1);
    EXPECT_EQ(g->m_la[1], 100000 - 20064 - 1000);
    EXPECT_EQ(g->m_la[3], assets);
    EXPECT_EQ(g->getMapTyp(12, 10), 0);
    EXPECT_EQ(g->getMapPrm(12, 10), 0);
    EXPECT_EQ(g->StationY[0], -1);
    EXPECT_EQ(g->StationPDH[0], 50);
    EXPECT_EQ(g->searchStationIndex(12, 10), -1);

    // A run may now pass through the cell, which is priced as own land.
    anchor(8, 10);
    cursor(14, 10);
    g->constructRail();
    EXPECT_EQ(mask(12, 10), 17);
    EXPECT_EQ(mask(14, 10), 16);
    EXPECT_EQ(g->m_sqwCost, 6 * 100 + 36);
}

TEST_F(Stations, RemovingWhereThereIsNoStationDoesNothing) {
    g->setMapTyp(12, 10, 4, 68);
    for (auto [y, x] : {std::pair{12, 10}, std::pair{12, 11}}) {
        cursor(y, x);
        const int typ = g->getMapTyp(y, x);
        EXPECT_EQ(g->removeStation(), 0);
        EXPECT_EQ(g->getMapTyp(y, x), typ);
    }
    EXPECT_EQ(g->m_la[1], 100000);
    // A station cell whose record is lost is still cleared, without touching the byte before
    // the station table.
    g->setMapTyp(5, 5, 5, 3);
    g->PointDD[MC::POINTS * 6 - 1] = 21;
    cursor(5, 5);
    EXPECT_EQ(g->removeStation(), 1);
    EXPECT_EQ(g->getMapTyp(5, 5), 0);
    EXPECT_EQ(g->PointDD[MC::POINTS * 6 - 1], 21);
}

TEST_F(Stations, DistanceIsTheTruncatedStraightLine) {
    struct Case {
        int ay, ax, by, bx, want;
    } cases[] = {
        {0, 0, 3, 4, 5}, {0, 0, 1, 1, 1}, {5, 5, 5, 5, 0}, {63, 0, 0, 63, 89}, {10, 10, 12, 13, 3}};
    for (const auto& c : cases) {
        g->StationY[3] = static_cast<int8_t>(c.ay);
        g->StationX[3] = static_cast<int8_t>(c.ax);
        g->StationY[7] = static_cast<int8_t>(c.by);
        g->StationX[7] = static_cast<int8_t>(c.bx);
        EXPECT_EQ(g->distance(3, 7), c.want);
        EXPECT_EQ(g->distance(7, 3), c.want);
    }
    EXPECT_EQ(g->distance(-1, 3), 0);
    EXPECT_EQ(g->distance(3, MC::STATIONS), 0);
}

TEST_F(Stations, FreeSlotsAndUnplacedTrainsAreNeverFound) {
    // A free station slot keeps a stale column; a train on row 0 must not find it on row -1.
    g->StationY[0] = -1;
    g->StationX[0] = 5;
    EXPECT_EQ(g->searchStationIndex(-1, 5), -1);
    cursor(0, 5);
    ASSERT_EQ(g->constructStation(), 0);
    g->StationY[1] = -1;
    g->StationX[1] = 5;
    EXPECT_EQ(g->searchStationIndex(0, 5), 0);
    EXPECT_EQ(g->searchStationIndex(), 0);
    EXPECT_EQ(g->searchStationIndex(64, 5), -1);

    // An owned train not on the map (row -1) is not on any cell.
    g->TrainY[0] = -1;
    g->TrainX[0] = 3;
    g->TrainY[1] = 0;
    g->TrainX[1] = 3;
    EXPECT_EQ(g->getMapTrain(-1, 3), -1);
    EXPECT_EQ(g->getMapTrain(0, 3), 1);
    EXPECT_EQ(g->getMapTrain(-2, 3), -1);
}

}  // namespace
