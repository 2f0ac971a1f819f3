#include <gtest/gtest.h>

#include <bit>
#include <random>
#include <string>
#include <vector>

#include "train_world.h"

namespace {

class Trains : public TrainWorld {};

TEST(TrainModels, CellTimesPricesAndColours) {
    struct Case {
        int v, s, ms;
    } cases[] = {{0, 3, 192000}, {1, 3, 271529}, {2, 30, 19200}, {7, 30, 27152},
                 {4, 13, 44307}, {0, 0, 576000}};  // no speed below 1, never a division by zero
    for (const Case& c : cases)
        EXPECT_EQ(MainCanvas::advanceTrain_timeRequired(c.v, c.s), c.ms) << c.v << " " << c.s;
    EXPECT_EQ(MainCanvas::getTrainPrice(0), 20000);
    EXPECT_EQ(MainCanvas::getTrainPrice(27), 290000);
    EXPECT_EQ(MainCanvas::getTrainValue(27), 232000);
    EXPECT_EQ(MainCanvas::getTrainRefund(27), 203000);
}

TEST_F(Trains, EmptyMapCoversTheWholeSpanUnlessTheBudgetIsSpent) {
    EXPECT_EQ(g->advanceTrain_nextCount(), 2147483647);
    EXPECT_EQ(run(3600000), 3600000);
    EXPECT_EQ(g->m_la[1], 100000);
    trainclock::now = 5050;
    EXPECT_EQ(g->advanceTrain(3600000, 5000), 0);
    EXPECT_EQ(g->advanceTrain(3600000, 5001), 3600000);
}

TEST_F(Trains, BudgetIsMeasuredAcrossTheClockWrap) {
    trainclock::now = 0x10;  // 32 ms after 0xFFFFFFF0
    EXPECT_EQ(g->advanceTrain(1000, 0xFFFFFFF0LL), 1000);
    trainclock::now = 0x30;  // 64 ms after
    EXPECT_EQ(g->advanceTrain(1000, 0xFFFFFFF0LL), 0);
}

// A clock that moves on by 1 ms at every read lets a known number of sub-steps run.
uint32_t g_ticking = 0;
uint32_t tickingClock() {
    return g_ticking++;
}

TEST_F(Trains, BudgetStopsBetweenSubSteps) {
    line(10, 0, 2, 64);
    const int n = train(10, 1, 2, 27);  // a cell every 19,200 ms
    device::setClock(tickingClock);
    g_ticking = 0;
    // Reads 0..49 allow 50 sub-steps, each one cell long; the 51st read is 50 ms on.
    EXPECT_EQ(g->advanceTrain(3600000, 0), 50 * 19200);
    EXPECT_EQ(g->TrainX[n], 51);
    EXPECT_EQ(g->TrainC[n], 0);
}

TEST_F(Trains, StraightCellsThenADiagonalAfterTheBend) {
    // Right along row 10, a bend at (10, 10) onto the up-right diagonal.
    line(10, 2, 2, 8);  // (10, 2)..(10, 9)
    rail(10, 9, 64 | 4);
    rail(10, 10, 64 | 2);
    for (int i = 1; i <= 6; i++)
        rail(10 + i, 10 + i, 2 | 32);
    rail(17, 17, 32);
    const int n = train(10, 8, 2);
    EXPECT_EQ(runClock(191999), 191999);
    EXPECT_EQ(g->TrainX[n], 8);
    runClock(1);
    EXPECT_EQ(g->TrainX[n], 9);
    EXPECT_EQ(g->TrainC[n], 0);
    runClock(192000);
    EXPECT_EQ(g->TrainY[n], 10);
    EXPECT_EQ(g->TrainX[n], 10);
    EXPECT_EQ(g->TrainV[n], 1);
    EXPECT_EQ(g->advanceTrain_nextCount(), 271529);
    runClock(271528);
    EXPECT_EQ(g->TrainY[n], 10);
    runClock(1);
    EXPECT_EQ(g->TrainY[n], 11);
    EXPECT_EQ(g->TrainX[n], 11);
}

TEST_F(Trains, BendTakesTheNearestDirectionAndSkipsTheStation) {
    // The bend (10, 10) joins the track from the left with the track going up.
    line(10, 5, 2, 5);  // (10, 5)..(10, 9)
    rail(10, 9, 64 | 4);
    rail(10, 10, 64 | 1);
    line(11, 10, 0, 5);
    rail(11, 10, 16 | 1);
    const int st = station(9, 10);  // right-hand side of a train heading right at the bend
    const int n = train(10, 9, 2);
    runClock(192000);
    EXPECT_EQ(g->TrainX[n], 10);
    EXPECT_EQ(g->TrainV[n], 0);
    EXPECT_EQ(g->TrainSP[n], 0);  // no stop beside a bend
    EXPECT_EQ(st, 0);
}

TEST_F(Trains, ReversesBeforeATrackEndButEntersOneItFaces) {
    line(10, 5, 2, 5);  // ends at (10, 5) and (10, 9)
    const int a = train(10, 7, 2);
    const int b = train(10, 6, 6);  // faces the end at (10, 5) from the cell beside it
    runClock(192000);
    // a ran into (10, 8), saw the end ahead and turned back; b entered the end and turned.
    EXPECT_EQ(g->TrainX[a], 8);
    EXPECT_EQ(g->TrainV[a], 6);
    EXPECT_EQ(g->TrainX[b], 5);
    EXPECT_EQ(g->TrainV[b], 2);
}

TEST_F(Trains, ReversesBeforeAStationCellOrTheMapEdge) {
    line(10, 56, 2, 8);
    rail(10, 63, 68);  // straight track against the east edge
    for (int x = 1; x < 5; x++)
        rail(20, x, 68);
    rail(20, 0, 4);
    station(20, 5);  // a station cell straight ahead of the track
    const int a = train(10, 62, 2);
    const int b = train(20, 3, 2);
    runClock(192000);
    EXPECT_EQ(g->TrainX[a], 63);
    EXPECT_EQ(g->TrainV[a], 6);
    EXPECT_EQ(g->TrainX[b], 4);
    EXPECT_EQ(g->TrainV[b], 6);
}

TEST_F(Trains, ATrainFacingTheMapEdgeTurnsBackWhereItStands) {
    // Track never points off the map; should a train face the edge all the same, it stays on.
    rail(10, 63, 68);
    rail(10, 62, 68);
    const int n = train(10, 63, 2);
    EXPECT_EQ(run(192000), 192000);
    EXPECT_EQ(g->TrainY[n], 10);
    EXPECT_EQ(g->TrainX[n], 63);
    EXPECT_EQ(g->TrainV[n], 6);
    EXPECT_EQ(g->TrainC[n], 0);
}

TEST_F(Trains, CollisionDestroysBothPausesAndEndsTheCall) {
    g->_wm_size(480, 480);
    g->initFont();
    g->setScreen();
    line(40, 5, 2, 20);
    line(30, 0, 2, 40);
    line(50, 0, 1, 10);
    const int a = train(40, 11, 2);  // slot 0 enters (40, 12) first
    const int b = train(40, 13, 6);  // slot 1 runs into it
    const int c = train(30, 5, 2);   // moves on the same sub-step
    const int d = train(52, 2, 1);   // a diagonal cell takes longer; it still takes the sub-step
    EXPECT_EQ(run(3600000), 192000);
    EXPECT_EQ(g->TrainY[a], -2);
    EXPECT_EQ(g->TrainY[b], -2);
    EXPECT_EQ(g->TrainX[b], 13);  // the destroyed train keeps its column
    EXPECT_EQ(g->TrainX[c], 6);
    EXPECT_EQ(g->TrainC[d], 192000);
    EXPECT_EQ(g->m_sba[3], 1);
    EXPECT_EQ(g->m_iMsgWait, 1000);
    const auto& msg = g->m_tuw.m_t.m_sa[g->m_tuw.getText(g->m_iWndMsg, 0)].getBytes();
    EXPECT_EQ(std::string(msg.begin(), msg.end()), "\x8f\xd5\x93\xcb\x8e\x96\x8c\xcc(12,40)");
}

TEST_F(Trains, RunningCostAccruesOnlyWhileRunning) {
    line(20, 0, 2, 64);
    const int n = train(20, 10, 2);
    runClock(3600000);
    EXPECT_EQ(g->m_la[1], 100000 - 72);
    EXPECT_EQ(g->m_la[2], 0);
    // Ten minutes standing, then 49,999 ms running: 99,998 hundred-thousandths, kept over.
    g->TrainSP[n] = -600000;
    runClock(600000 + 49999);
    EXPECT_EQ(g->m_la[1], 100000 - 72);
    EXPECT_EQ(g->m_la[2], 99998);
    runClock(1);
    EXPECT_EQ(g->m_la[1], 100000 - 73);
    EXPECT_EQ(g->m_la[2], 0);
}

TEST_F(Trains, BuyingAndSelling) {
    g->m_la[1] = 10000;
    g->m_la[3] = 300000;
    g->m_iTrainS = 30;
    g->m_iTrainC = 2;
    g->m_iBuyTrain = 27;
    g->BuyTrainClr[27] = 0xFF9999;
    EXPECT_TRUE(g->buyTrain());
    EXPECT_EQ(g->TrainY[32], -1);
    EXPECT_EQ(g->TrainTyp[32], 27);
    EXPECT_EQ(g->TrainClr[32], 0xFF9999);
    EXPECT_EQ(g->m_la[1], -280000);
    EXPECT_EQ(g->m_la[3], 532000);

    struct Refused {
        int n, t;
    } refused[] = {{32, 0}, {0, 28}, {0, -1}, {40, 0}, {-1, 0}};
    for (const Refused& r : refused)
        EXPECT_FALSE(g->buyTrain(r.n, r.t)) << r.n << " " << r.t;
    g->m_la[1] = 0;
    g->m_la[3] = 29999;
    EXPECT_FALSE(g->buyTrain(0, 1));  // 30,000 is above funds + assets
    EXPECT_TRUE(g->buyTrain(0, 0));
    EXPECT_EQ(g->m_la[1], -20000);
    EXPECT_EQ(g->m_la[3], 29999 + 16000);

    EXPECT_EQ(g->sellTrain(32), 1);
    EXPECT_EQ(g->TrainY[32], -2);
    EXPECT_EQ(g->m_la[1], -20000 + 203000);
    EXPECT_EQ(g->m_la[3], 29999 + 16000 - 232000);
    EXPECT_EQ(g->sellTrain(32), 0);  // empty slot
    line(5, 5, 2, 5);
    ASSERT_EQ(g->placeTrain(0, 5, 6, 2), 1);
    EXPECT_EQ(g->sellTrain(0), 0);  // only a train off the map is sold
}

TEST_F(Trains, PlacingRefusals) {
    line(5, 5, 2, 5);  // (5, 5) holds bit 2 only
    rail(8, 8, 68);
    g->setMapTyp(9, 9, 0, 0);
    train(8, 8, 2);  // slot 0 stands on (8, 8)
    g->TrainY[1] = -1;
    g->TrainTyp[1] = 3;
    struct Case {
        int n, y, x, v;
    } refused[] = {
        {2, 5, 6, 2},   // empty slot
        {0, 5, 6, 2},   // already on the map
        {1, 9, 9, 0},   // not track
        {1, 8, 8, 6},   // a train stands there
        {1, 5, 5, 6},   // not a track direction of the cell
        {1, 5, 6, 8},   // no such direction
        {1, 64, 6, 2},  // off the map
    };
    for (const Case& c : refused)
        EXPECT_EQ(g->placeTrain(c.n, c.y, c.x, c.v), 0) << c.n << " " << c.y << " " << c.x;
    EXPECT_EQ(g->m_la[1], 100000);
    g->TrainC[1] = 777;
    g->TrainSP[1] = -5;
    EXPECT_EQ(g->placeTrain(1, 5, 5, 2), 1);
    EXPECT_EQ(g->TrainY[1], 5);
    EXPECT_EQ(g->TrainX[1], 5);
    EXPECT_EQ(g->TrainV[1], 2);
    EXPECT_EQ(g->TrainC[1], 0);
    EXPECT_EQ(g->TrainSP[1], 0);
    EXPECT_EQ(g->m_la[1], 99500);
}

TEST_F(Trains, RemovedTrainKeepsItsPassengersWhenPlacedAgain) {
    line(5, 5, 2, 5);
    const int n = train(5, 6, 2);
    group(n, 0, 3, 12, 7);
    EXPECT_EQ(g->removeTrain(n), 1);
    EXPECT_EQ(g->TrainY[n], -1);
    EXPECT_EQ(g->m_la[1], 99500);
    EXPECT_EQ(g->removeTrain(n), 0);
    EXPECT_EQ(g->placeTrain(n, 5, 7, 6), 1);
    EXPECT_EQ(g->getTrainP(n), 19);
    EXPECT_EQ(g->m_la[1], 99000);
}

TEST_F(Trains, TurningRefusalsAndATurnPastTheCellTime) {
    // A diagonal train turned onto a straight direction after more than a straight cell time
    // leaves the cell on the next sub-step, which is never negative.
    rail(10, 10, 2 | 32 | 4);  // up-right, down-left and right
    rail(11, 11, 2 | 32);
    rail(12, 12, 32);
    rail(9, 9, 2);
    line(10, 11, 2, 5);
    rail(10, 11, 64 | 4);
    const int n = train(10, 10, 1);
    g->TrainC[n] = 250000;
    EXPECT_EQ(g->turnTrain(n, 0), 0);  // neither its direction nor a track bit
    EXPECT_EQ(g->turnTrain(n, 8), 0);
    EXPECT_EQ(g->turnTrain(5, 2), 0);  // not on the map
    EXPECT_EQ(g->turnTrain(n, 1), 1);
    EXPECT_EQ(g->turnTrain(n, 2), 1);
    EXPECT_LT(g->advanceTrain_nextCount(), 0);
    EXPECT_EQ(run(1000), 1000);
    EXPECT_EQ(g->TrainX[n], 11);
    EXPECT_EQ(g->TrainY[n], 10);
    EXPECT_EQ(g->TrainC[n], 250000 - 192000 + 1000);
}

TEST_F(Trains, ThreeBitCellWithoutARecordIsStraight) {
    line(10, 2, 2, 20);
    rail(10, 10, 64 | 4 | 2);  // a junction cell with no junction record
    line(11, 11, 1, 4);
    rail(11, 11, 2 | 32);
    const int n = train(10, 9, 2);
    runClock(192000);
    EXPECT_EQ(g->TrainX[n], 10);
    EXPECT_EQ(g->TrainV[n], 2);
}

TEST_F(Trains, EnteringAJunctionFromASideThatIsNoneOfItsBits) {
    // The junction (10, 10) has bits 2, 6 and 1; a track end below points up into it.
    line(10, 2, 2, 20);
    rail(10, 10, 64 | 4 | 2);
    rail(9, 10, 1);
    const int n = train(9, 10, 0);
    runClock(192000);
    // It keeps heading up; the cell above is not track, so it turns back the way it came.
    EXPECT_EQ(g->TrainY[n], 10);
    EXPECT_EQ(g->TrainX[n], 10);
    EXPECT_EQ(g->TrainV[n], 4);
}

// ---- The movement step against a plain sub-step-by-sub-step run of the rules ----

// Moves the trains as the rules state them: each sub-step adds its length to every train.
int referenceAdvance(MainCanvas& g, int ms) {
    int t = 0;
    while (t < ms) {
        int d = g.advanceTrain_nextCount();
        if (d < 0) d = 0;
        if (d > ms - t) d = ms - t;
        t += d;
        for (int n = 0; n < MainCanvas::TRAINS; n++) {
            if (g.TrainY[n] < 0) continue;
            if (g.TrainSP[n] < 0) {
                g.TrainSP[n] += d;
                if (g.TrainSP[n] == 0) g.takeTrain(n, t);
                continue;
            }
            g.TrainC[n] += d;
            g.m_la[2] += static_cast<int64_t>(d) * (g.TrainTyp[n] + 2);
            const int v = g.TrainV[n];
            const int c = MainCanvas::advanceTrain_timeRequired(v, g.TrainTyp[n] + 3);
            if (g.TrainC[n] < c) continue;
            const int ny = g.TrainY[n] + MainCanvas::getVY(v);
            const int nx = g.TrainX[n] + MainCanvas::getVX(v);
            bool hit = false;
            for (int k = 0; k < MainCanvas::TRAINS && !hit; k++) {
                if (g.TrainY[k] == ny && g.TrainX[k] == nx) {
                    g.TrainY[k] = -2;
                    g.TrainY[n] = -2;
                    g.m_sba[3] = 1;
                    ms = 0;
                    hit = true;
                }
            }
            if (hit) continue;
            g.TrainY[n] = static_cast<int8_t>(ny);
            g.TrainX[n] = static_cast<int8_t>(nx);
            g.TrainC[n] -= c;
            const int m = g.getMapPrm(ny, nx) & 0xFF;
            bool turned = false;
            bool bend = false;
            if (std::popcount(static_cast<unsigned>(m)) == 3) {
                const int w = g.getPointExit(ny, nx, m, v, t);
                g.TrainV[n] = static_cast<int8_t>(w);
                turned = w != v;
            } else if (std::popcount(static_cast<unsigned>(m)) == 2 && !(m & (1 << v))) {
                int best = -1;
                for (int e = 0; e < 8; e++) {
                    if ((m & (1 << e)) && (best < 0 || MainCanvas::diffVector(e, v) <
                                                           MainCanvas::diffVector(best, v)))
                        best = e;
                }
                g.TrainV[n] = static_cast<int8_t>(best);
                bend = true;
            }
            if (!bend && !turned) {
                const int st = g.searchStopStation(n);
                if (st != -1) g.stopAtStation(n, st, t);
            }
            const int w = g.TrainV[n];
            const int ay = ny + MainCanvas::getVY(w);
            const int ax = nx + MainCanvas::getVX(w);
            if (g.getMapTyp(ay, ax) != 4 ||
                std::popcount(static_cast<unsigned>(g.getMapPrm(ay, ax) & 0xFF)) == 1)
                g.TrainV[n] = static_cast<int8_t>((v + 4) & 7);
        }
    }
    g.addFund(-(g.m_la[2] / 100000));
    g.m_la[2] %= 100000;
    return t;
}

// Lays a random network with the construction commands on a plain world: runs with
// junctions, stations beside the track, buildings around them, trains of every speed, some of
// them part-way through a cell or standing, and random timetables.
void makeNetwork(MainCanvas& w, uint32_t seed) {
    for (int yx = 0; yx < MainCanvas::CELLS; yx++) {
        w.setMapTyp(yx / 64, yx % 64, 2, 0);
        w.m_sbaMapVal[yx] = 0;
        w.RndMap[yx] = static_cast<int16_t>(yx);
    }
    w.PointY.fill(-1);
    w.StationY.fill(-1);
    w.TrainY.fill(-2);
    w.m_la[1] = 2000000000;
    std::mt19937 rng(seed);
    auto R = [&](int n) { return static_cast<int>(rng() % static_cast<uint32_t>(n)); };
    auto setCursor = [&](int y, int x) {
        w.m_swa[8] = w.m_swa[9] = 0;
        w.m_swa[4] = w.m_swa[6] = static_cast<int16_t>(y);
        w.m_swa[5] = w.m_swa[7] = static_cast<int16_t>(x);
    };
    std::vector<int> cells;
    auto trackCells = [&] {
        cells.clear();
        for (int yx = 0; yx < MainCanvas::CELLS; yx++) {
            if (w.m_sbaMapTyp[yx] == 4) cells.push_back(yx);
        }
    };
    for (int i = 0; i < 30; i++) {
        trackCells();
        if (!cells.empty() && R(2) == 0) {
            const int yx = cells[R(static_cast<int>(cells.size()))];
            w.m_iFY = yx / 64;
            w.m_iFX = yx % 64;
        } else {
            w.m_iFY = 2 + R(60);
            w.m_iFX = 2 + R(60);
        }
        setCursor(2 + R(60), 2 + R(60));
        w.constructRail();
    }
    for (int j = 0; j < MainCanvas::POINTS; j++) {
        for (int b = 0; b < 6; b++)
            w.PointDD[j * 6 + b] = static_cast<int8_t>(R(256));
    }
    trackCells();
    for (int i = 0; i < 60 && !cells.empty(); i++) {
        const int yx = cells[R(static_cast<int>(cells.size()))];
        const int d = R(8);
        const int y = yx / 64 + MainCanvas::getVY(d);
        const int x = yx % 64 + MainCanvas::getVX(d);
        const int typ = w.getMapTyp(y, x);
        if (typ < 0 || typ == 4 || typ == 5) continue;
        setCursor(y, x);
        const int st = w.constructStation();
        if (st < 0) continue;
        for (int s = 0; s < 48; s++)
            w.StationDD[st * 48 + s] = static_cast<int8_t>(R(6));
    }
    for (int i = 0; i < 1200; i++) {
        const int y = R(64);
        const int x = R(64);
        if (w.getMapTyp(y, x) != 2 && w.getMapTyp(y, x) != 3) continue;
        const int typ = 6 + R(14);
        w.setMapTyp(y, x, typ, typ <= 12 ? R(60) - 6 : R(70) - 13);
        w.setMapPr2(y, x, R(90));
    }
    trackCells();
    for (int n = 0; n < 36 && !cells.empty(); n++) {
        const int t = R(28);
        w.buyTrain(n, t);
        for (int tries = 0; tries < 20; tries++) {
            const int yx = cells[R(static_cast<int>(cells.size()))];
            const int m = w.m_sbaMapPrm[yx] & 0xFF;
            const int v = R(8);
            if (!(m & (1 << v)) || !w.placeTrain(n, yx / 64, yx % 64, v)) continue;
            if (R(3) == 0) w.TrainC[n] = R(MainCanvas::advanceTrain_timeRequired(v, t + 3));
            if (R(4) == 0) w.TrainSP[n] = -1 - R(1200000);
            break;
        }
    }
    w.m_la[0] = MainCanvas::GAME_START + R(48) * 1800000LL + R(1800000);
    w.m_la[2] = R(100000);
    w.RND_type = 1 + R(100000);
    w.RND_count = 1 + R(2000);
}

#define EXPECT_SAME(field) EXPECT_TRUE(a->field == b->field) << #field << " after call " << call

TEST(MovementAgainstTheRules, EveryFieldMatchesASubStepBySubStepRun) {
    device::setClock(trainclock::read);
    int collisions = 0;
    int boarded = 0;
    int turns = 0;
    for (uint32_t seed = 1; seed <= 8; seed++) {
        auto a = std::make_unique<MainCanvas>();
        auto b = std::make_unique<MainCanvas>();
        makeNetwork(*a, seed);
        makeNetwork(*b, seed);
        std::mt19937 rng(seed * 7919);
        for (int call = 0; call < 60; call++) {
            const int ms = call % 3 == 0 ? 3600000 : 1 + static_cast<int>(rng() % 900000);
            a->m_sba[3] = b->m_sba[3] = 0;
            const int ra = a->advanceTrain(ms, trainclock::now);
            const int rb = referenceAdvance(*b, ms);
            ASSERT_EQ(ra, rb) << "seed " << seed << " call " << call;
            collisions += a->m_sba[3];
            a->m_la[0] += ra;
            b->m_la[0] += rb;
            EXPECT_SAME(TrainY);
            EXPECT_SAME(TrainX);
            EXPECT_SAME(TrainV);
            EXPECT_SAME(TrainC);
            EXPECT_SAME(TrainSP);
            EXPECT_SAME(TrainaSS);
            EXPECT_SAME(TrainaPaH);
            EXPECT_SAME(TrainaPaO);
            EXPECT_SAME(m_la);
            EXPECT_SAME(m_sba);
            EXPECT_SAME(m_sbaMapTyp);
            EXPECT_SAME(m_sbaMapPrm);
            EXPECT_SAME(m_sbaMapPr2);
            EXPECT_SAME(StationPTM);
            EXPECT_SAME(StationPDH);
            EXPECT_SAME(StationPDO);
            EXPECT_SAME(RND_type);
            EXPECT_SAME(RND_count);
            if (::testing::Test::HasFailure()) return;
            // Now and then the player turns a train to another direction of its cell.
            const int n = static_cast<int>(rng() % MainCanvas::TRAINS);
            const int v = static_cast<int>(rng() % 8);
            if (a->TrainY[n] >= 0 && a->turnTrain(n, v)) {
                b->turnTrain(n, v);
                turns++;
            }
            if (call % 6 == 5) {
                a->renewPassenger(a->getHour() % 24);
                b->renewPassenger(b->getHour() % 24);
            }
        }
        for (int n = 0; n < MainCanvas::TRAINS; n++)
            boarded += a->getTrainP(n);
    }
    device::setClock(nullptr);
    // The runs did meet the events that matter.
    EXPECT_GT(collisions, 0);
    EXPECT_GT(boarded, 0);
    EXPECT_GT(turns, 0);
}

}  // namespace
