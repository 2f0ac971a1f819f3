#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "train_world.h"

namespace {

// Station B at (20, 20) and a train at (21, 20) heading right, so B lies on its right-hand side.
class Passengers : public TrainWorld {
protected:
    int b = -1, n = -1;
    void SetUp() override {
        TrainWorld::SetUp();
        b = station(20, 20);
        n = train(21, 20, 2);
    }
    int prm(int y, int x) const { return g->getMapPrm(y, x); }
    int pr2(int y, int x) const { return g->getMapPr2(y, x); }
};

TEST_F(Passengers, BoardingFromOneBuildingByTheHour) {
    struct Case {
        const char* name;
        int hour, typ, y, x;  // the building
        int h, o, counter;
    } cases[] = {
        // 50 -> 50 -> 50 -> 46 (ring 1): 2 passengers
        {"house in the morning", 8, 6, 19, 20, 2, 0, 46},
        // 10 -> 10 -> 10 -> 9, then a sixteenth: nobody, and the counter stays
        {"house after noon", 13, 6, 19, 20, 0, 0, 0},
        // 10 -> 10 -> 10 -> 8 (ring 2), x 2 x 2 for level 1: 32 sixteenths
        {"level-1 office after noon", 13, 14, 18, 20, 0, 2, 8},
    };
    for (const Case& c : cases) {
        SetUp();
        g->setMapTyp(c.y, c.x, c.typ, 0);
        g->m_la[0] = at(c.hour, 0);
        nextDraw(50, 0);
        g->takeTrain(n, 0);
        EXPECT_EQ(g->TrainaSS[n * 16], b) << c.name;
        EXPECT_EQ(g->TrainaPaH[n * 16], c.h) << c.name;
        EXPECT_EQ(g->TrainaPaO[n * 16], c.o) << c.name;
        EXPECT_EQ(prm(c.y, c.x), c.counter) << c.name;
        EXPECT_EQ(g->RND_count, 2) << c.name;  // one draw, for the one matching building
    }
}

TEST_F(Passengers, BoardingDrawsInCatchmentOrderHomesBeforeOffices) {
    // Ring 1 in walking order: (19, 20), (20, 19), (20, 21), (21, 20).
    g->setMapTyp(20, 21, 6, 0);   // a house, third cell
    g->setMapTyp(20, 19, 13, 0);  // an office, second cell
    g->setMapTyp(19, 20, 3, 0);   // forest: no draw
    g->m_la[0] = at(8, 0);
    g->RND_type = 777;
    g->RND_count = 5;
    MainCanvas scratch;
    scratch.RND_type = 777;
    scratch.RND_count = 5;
    const int r1 = scratch.RND_get(50);  // the office's
    const int r2 = scratch.RND_get(50);  // the house's
    g->takeTrain(n, 0);
    const int office = 50 * (r1 + 200) / 200 * 15 / 16 / 16;
    const int house = 50 * (r2 + 200) / 200 * 15 / 16;
    EXPECT_EQ(prm(20, 19), office);
    EXPECT_EQ(prm(20, 21), house);
    EXPECT_EQ(g->RND_count, 7);
    EXPECT_EQ(g->TrainaPaH[n * 16], house >> 4);
    EXPECT_EQ(g->TrainaPaO[n * 16], office >> 4);
}

TEST_F(Passengers, FullTrainOrNoStationBoardsNobody) {
    g->setMapTyp(19, 20, 6, 0);
    g->m_la[0] = at(8, 0);
    for (int k = 0; k < 16; k++)
        group(n, k, b, 1, 0);
    g->takeTrain(n, 0);
    EXPECT_EQ(g->getTrainP(n), 16);
    EXPECT_EQ(prm(19, 20), 0);

    // The station went away during the stop: no group names a station that is not there.
    group(n, 15, 77, 0, 0);
    g->StationY[b] = -1;
    const int32_t count = g->RND_count;
    g->takeTrain(n, 0);
    EXPECT_EQ(g->TrainaSS[n * 16 + 15], 77);
    EXPECT_EQ(g->getTrainP(n), 15);
    EXPECT_EQ(g->RND_count, count);
    EXPECT_EQ(prm(19, 20), 0);
}

TEST_F(Passengers, AFullTrainStillTakesEachRingsFirstHouse) {
    group(n, 0, b, 250, 0);
    g->setMapTyp(19, 20, 6, 0);  // ring 1, first cell
    g->setMapTyp(18, 20, 6, 0);  // ring 2, first cell
    g->setMapTyp(20, 21, 6, 0);  // ring 1, a later cell
    g->setMapTyp(20, 22, 6, 0);  // ring 2, a later cell
    g->m_la[0] = at(8, 0);
    g->takeTrain(n, 0);
    EXPECT_GT(prm(19, 20), 0);
    EXPECT_GT(prm(18, 20), 0);
    EXPECT_EQ(prm(20, 21), 0);
    EXPECT_EQ(prm(20, 22), 0);
    EXPECT_EQ(g->TrainaPaH[n * 16 + 1], (prm(19, 20) + prm(18, 20)) >> 4);
}

TEST_F(Passengers, AlightingNeedsSixCellsAndPaysByDistance) {
    struct Case {
        int originX, h, o;
        int offH, offO, fare;
    } cases[] = {
        {15, 10, 0, 0, 0, 0},    // 5 cells: nobody alights
        {14, 10, 0, 10, 0, 12},  // 6 cells: 6 x 10 / 5
        {10, 0, 20, 0, 20, 40},  // 10 cells: office people to the house
    };
    for (const Case& c : cases) {
        SetUp();
        const int a = station(20, c.originX);
        g->setMapTyp(19, 20, c.h ? 13 : 7, 0);  // an office for homes' people, a house for offices'
        group(n, 0, a, c.h, c.o);
        g->trainGetOff(n, b);
        EXPECT_EQ(g->getTrainP(n), c.h + c.o - c.offH - c.offO) << c.originX;
        EXPECT_EQ(g->m_la[1], 100000 + c.fare) << c.originX;
        EXPECT_EQ(g->StationPTM[a], c.offH + c.offO);
        EXPECT_EQ(g->StationPTM[b], c.offH + c.offO);
        EXPECT_EQ(g->StationPDH[a], c.offH);
        EXPECT_EQ(g->StationPDO[a], c.offO);
        EXPECT_EQ(g->StationPDH[b], c.offO);
        EXPECT_EQ(g->StationPDO[b], c.offH);
    }
    // The level-1 house took 20 of its room 200 x 15 / 16 = 187; its counter counts 20 / 2.
    EXPECT_EQ(pr2(19, 20), 10);
}

TEST_F(Passengers, PeopleGoMainlyToTheOtherKindOfBuilding) {
    const int a = station(20, 5);
    g->setMapTyp(19, 20, 6, 0);
    g->setMapTyp(20, 19, 6, 0);
    group(n, 0, a, 100, 0);
    g->trainGetOff(n, b);
    // Each house has room for 100 x 15 / 16 = 93 and takes a sixteenth of that: 5.
    EXPECT_EQ(g->TrainaPaH[n * 16], 90);
    EXPECT_EQ(pr2(19, 20), 5);
    EXPECT_EQ(pr2(20, 19), 5);
    EXPECT_EQ(g->m_la[1], 100000 + 15 * 10 / 5);
}

TEST_F(Passengers, GroupsBackAtTheirOriginGetOffWithoutAFare) {
    const int a = station(20, 17);  // 3 cells away
    group(n, 0, b, 7, 3);
    group(n, 1, a, 4, 0);
    group(n, 2, b, 1, 1);
    group(n, 15, 9, 0, 0);
    g->StationPDH[b] = 5;
    g->StationPDO[b] = 10;
    g->trainGetOff(n, b);
    EXPECT_EQ(g->StationPDH[b], 0);
    EXPECT_EQ(g->StationPDO[b], 6);
    EXPECT_EQ(g->TrainaSS[n * 16], a);
    EXPECT_EQ(g->TrainaPaH[n * 16], 4);
    EXPECT_EQ(g->TrainaPaH[n * 16 + 1] + g->TrainaPaO[n * 16 + 1], 0);
    EXPECT_EQ(g->TrainaSS[n * 16 + 15], 9);  // the last origin byte is left as it was
    EXPECT_EQ(g->m_la[1], 100000);
    EXPECT_EQ(g->StationPTM[b], 0);
}

TEST_F(Passengers, AGroupNamingNoStationSlotLeavesWithoutAFare) {
    // Only a damaged record holds such an origin; nothing is read outside the tables.
    group(n, 0, -1, 5, 5);
    group(n, 1, 80, 3, 0);
    group(n, 2, 100, 0, 2);
    g->trainGetOff(n, b);
    EXPECT_EQ(g->getTrainP(n), 0);
    EXPECT_EQ(g->m_la[1], 100000);
    EXPECT_EQ(g->StationPTM[b], 0);
}

TEST_F(Passengers, HourlyRecoveryOfTheCounters) {
    struct Case {
        int typ, prm, pr2, hour;
        int prmAfter, pr2After;
    } cases[] = {
        {6, 46, 40, 5, 33, 27},  // 46 - 5 - 8, 40 - 5 - 8
        {13, 5, 3, 5, 0, 0},     // never below 0
        {6, 0, 0, 1, 0, 0},      // a neglect count only moves at midnight
        {6, -3, 0, 7, -3, 0},
    };
    for (const Case& c : cases) {
        SetUp();
        g->setMapTyp(30, 30, c.typ, c.prm);
        g->setMapPr2(30, 30, c.pr2);
        const int32_t count = g->RND_count;
        g->renewPassenger(c.hour);
        EXPECT_EQ(prm(30, 30), c.prmAfter) << c.prm;
        EXPECT_EQ(pr2(30, 30), c.pr2After) << c.pr2;
        EXPECT_EQ(g->RND_count, count);
    }
    EXPECT_EQ(prm(10, 10), 0);  // fields are left alone
}

TEST_F(Passengers, MidnightDecayOfNeglectedBuildings) {
    struct Case {
        int typ, prm, draw;
        int typAfter, prmAfter;
    } cases[] = {
        {6, -6, 5, 2, -1},  // reverts; the field's 0 is then above -6 and drops to -1
        {6, -6, 6, 6, -6},    {6, -3, 3, 6, -4},
        {6, 0, 0, 6, -1},  // no chance at 0, but the count grows
        {13, -13, 12, 2, -1}, {13, -13, 13, 13, -13},
        {13, -7, 50, 13, -8},
    };
    for (const Case& c : cases) {
        SetUp();
        g->setMapTyp(30, 30, c.typ, c.prm);
        nextDraw(3000, c.draw);
        g->renewPassenger(0);
        EXPECT_EQ(g->getMapTyp(30, 30), c.typAfter) << c.typ << " " << c.prm << " " << c.draw;
        EXPECT_EQ(prm(30, 30), c.prmAfter) << c.typ << " " << c.prm << " " << c.draw;
    }
}

TEST_F(Passengers, MidnightDrawsGoRowByRow) {
    // (5, 63) comes before (6, 0): find a state whose first draw makes a building revert and
    // whose second does not.
    MainCanvas scratch;
    int type = 1;
    for (;; type++) {
        scratch.RND_type = type;
        scratch.RND_count = 1;
        const int r1 = scratch.RND_get(3000);
        const int r2 = scratch.RND_get(3000);
        if (r1 < 6 && r2 >= 6) break;
    }
    g->setMapTyp(6, 0, 6, -6);
    g->setMapTyp(5, 63, 6, -6);
    g->RND_type = type;
    g->RND_count = 1;
    g->renewPassenger(0);
    EXPECT_EQ(g->getMapTyp(5, 63), 2);
    EXPECT_EQ(g->getMapTyp(6, 0), 6);
}

// ---- Boarding and alighting against a cell-by-cell walk of the rules ----

// The catchment cells in walking order, ring by ring, calling f(y, x, l, stepEnd).
template <class F>
void walkCatchment(int sy, int sx, F f) {
    for (int l = 1; l <= 15; l++) {
        for (int dy = -l; dy <= l; dy++) {
            const int e = l - (dy < 0 ? -dy : dy);
            if (!f(sy + dy, sx - e, l, e == 0)) return;
            if (e != 0 && !f(sy + dy, sx + e, l, true)) return;
        }
    }
}

void literalTakeTrain(MainCanvas& g, int n, int sms) {
    int k = 0;
    int aboard = 0;
    while (k < 16 && (g.TrainaPaH[n * 16 + k] != 0 || g.TrainaPaO[n * 16 + k] != 0)) {
        aboard += g.TrainaPaH[n * 16 + k] + g.TrainaPaO[n * 16 + k];
        k++;
    }
    if (k == 16) return;
    const int st = g.searchStopStation(n);
    if (st < 0) return;
    g.TrainaSS[n * 16 + k] = static_cast<int8_t>(st);
    int h = 0;
    int o = 0;
    int skipRing = 0;
    walkCatchment(g.StationY[st], g.StationX[st], [&](int y, int x, int l, bool) {
        if (l == skipRing) return true;
        int b = g.takeTrain_main(y, x, l, sms, 0);
        h += b;
        if (aboard + ((o + h + b) >> 4) >= 250) {
            skipRing = l;
            return true;
        }
        b = g.takeTrain_main(y, x, l, sms, 1);
        o += b;
        if (aboard + ((o + h + b) >> 4) >= 250) skipRing = l;
        return true;
    });
    g.TrainaPaH[n * 16 + k] = static_cast<int16_t>(h >> 4);
    g.TrainaPaO[n * 16 + k] = static_cast<int16_t>(o >> 4);
}

int literalAbsorb(MainCanvas& g, int s, int t, int p) {
    int r = p;
    bool placed = false;
    walkCatchment(g.StationY[s], g.StationX[s], [&](int y, int x, int l, bool stepEnd) {
        r -= g.trainGetOff_main_main(y, x, l, t, r);
        placed = stepEnd && r == 0;
        return !placed;
    });
    return placed ? p : p - r;
}

// A dense random town around a few stations, a train beside one of them.
void makeTown(MainCanvas& w, uint32_t seed) {
    std::mt19937 rng(seed);
    auto R = [&](int n) { return static_cast<int>(rng() % static_cast<uint32_t>(n)); };
    for (int yx = 0; yx < MainCanvas::CELLS; yx++) {
        const int typ = R(3) == 0 ? 2 : 6 + R(14);
        w.setMapTyp(yx / 64, yx % 64, typ, typ == 2 ? 0 : R(113) - 13);
        w.setMapPr2(yx / 64, yx % 64, R(100));
    }
    w.StationY.fill(-1);
    w.TrainY.fill(-2);
    for (int i = 0; i < 6; i++) {
        w.StationY[i] = static_cast<int8_t>(R(64));
        w.StationX[i] = static_cast<int8_t>(R(64));
        w.setMapTyp(w.StationY[i], w.StationX[i], 5, i);
    }
    w.RND_type = 1 + R(100000);
    w.RND_count = 1 + R(2000);
    w.m_la[0] = MainCanvas::GAME_START + R(24) * 3600000LL;
}

#define EXPECT_SAME(field) EXPECT_TRUE(a->field == b->field) << #field << " at round " << round

TEST(PassengersAgainstTheRules, BoardingAndAlightingMatchACellByCellWalk) {
    for (uint32_t seed = 1; seed <= 4; seed++) {
        auto a = std::make_unique<MainCanvas>();
        auto b = std::make_unique<MainCanvas>();
        makeTown(*a, seed);
        makeTown(*b, seed);
        std::mt19937 rng(seed * 31);
        auto R = [&](int n) { return static_cast<int>(rng() % static_cast<uint32_t>(n)); };
        for (int round = 0; round < 150; round++) {
            // The town changes between stops: buildings come and go, a station slot moves.
            for (int i = 0; i < 6; i++) {
                // Half of the changes fall on the outermost ring of a station.
                const int c = R(6), dy = R(31) - 15, e = 15 - (dy < 0 ? -dy : dy);
                const int y = i % 2 ? R(64) : a->StationY[c] + dy;
                const int x = i % 2 ? R(64) : a->StationX[c] + (R(2) ? e : -e);
                if (a->getMapTyp(y, x) == 5) continue;
                const int typ = R(2) ? 2 : 6 + R(14);
                a->setMapTyp(y, x, typ, 0);
                b->setMapTyp(y, x, typ, 0);
            }
            if (R(10) == 0) {
                const int s = R(6), y = R(64), x = R(64);
                for (auto* w : {a.get(), b.get()}) {
                    w->setMapTyp(w->StationY[s], w->StationX[s], 0, 0);
                    w->StationY[s] = static_cast<int8_t>(y);
                    w->StationX[s] = static_cast<int8_t>(x);
                    w->setMapTyp(y, x, 5, s);
                }
            }
            const int s = R(6);
            const int v = 2 * R(4);
            // The train stands with the station on its right-hand side.
            const int r = (v + 2) & 7;
            for (auto* w : {a.get(), b.get()}) {
                w->TrainY[0] = static_cast<int8_t>(w->StationY[s] - MainCanvas::getVY(r));
                w->TrainX[0] = static_cast<int8_t>(w->StationX[s] - MainCanvas::getVX(r));
                w->TrainV[0] = static_cast<int8_t>(v);
            }
            if (R(3) == 0) {
                const int k = R(16);
                const int16_t h = static_cast<int16_t>(R(300));
                for (auto* w : {a.get(), b.get()}) {
                    for (int j = 0; j < 16; j++)
                        w->TrainaPaH[j] = w->TrainaPaO[j] = 0;
                    w->TrainaPaH[k] = h;
                }
            }
            const int sms = R(3600000);
            a->takeTrain(0, sms);
            literalTakeTrain(*b, 0, sms);
            const int t = R(2);
            const int p = R(3) == 0 ? 0 : R(2000);
            const int other = R(6);
            EXPECT_EQ(a->trainGetOff_main(other, t, p), literalAbsorb(*b, other, t, p));
            EXPECT_SAME(TrainaSS);
            EXPECT_SAME(TrainaPaH);
            EXPECT_SAME(TrainaPaO);
            EXPECT_SAME(m_sbaMapPrm);
            EXPECT_SAME(m_sbaMapPr2);
            EXPECT_SAME(RND_count);
            EXPECT_SAME(RND_type);
            if (::testing::Test::HasFailure()) return;
        }
    }
}

}  // namespace
