#include <gtest/gtest.h>

#include "train_world.h"

namespace {

class Schedule : public TrainWorld {};

TEST_F(Schedule, HalfHourSlotOfTheDay) {
    struct Case {
        int64_t clock;
        int ms, slot;
    } cases[] = {
        {at(0, 0), 0, 0},
        {at(10, 29, 59), 999, 20},
        {at(10, 29, 59), 1000, 21},
        {at(23, 59, 59), 999, 47},
        {at(23, 59, 59), 1000, 0},  // the next day starts again at slot
                                    // 0
        {at(0, 0), 3600000, 2},
        {MainCanvas::GAME_END, 0, 0},
    };
    for (const Case& c : cases) {
        g->m_la[0] = c.clock;
        EXPECT_EQ(g->getDiaTime(c.ms), c.slot) << c.clock << " + " << c.ms;
    }
}

TEST_F(Schedule, StationBesideTheTrainRightHandSideFirst) {
    const int n = train(20, 20, 2);  // heading right: right-hand side is row 19, left row 21
    EXPECT_EQ(g->searchStopStation(n), -1);
    const int left = station(21, 20);
    EXPECT_EQ(g->searchStopStation(n), left);
    const int right = station(19, 20);
    EXPECT_EQ(g->searchStopStation(n), right);
    station(20, 21);  // straight ahead does not count
    g->StationY[right] = -1;
    EXPECT_EQ(g->searchStopStation(n), left);
    g->TrainY[n] = -1;
    EXPECT_EQ(g->searchStopStation(n), -1);
    EXPECT_EQ(g->searchStopStation(40), -1);
}

// A junction at (10, 10) on a line along row 10, with a branch leaving up-right from it.
class Junction : public TrainWorld {
protected:
    int j = -1;
    void SetUp() override {
        TrainWorld::SetUp();
        line(10, 2, 2, 19);
        rail(10, 10, 64 | 4 | 2);
        line(11, 11, 1, 4);
        rail(11, 11, 2 | 32);
        j = g->addPoint(10, 10, 1);
    }
    void setSwitch(int slot) { MainCanvas::setABit(g->PointDD.data(), j * 48 + slot, 1); }
};

TEST_F(Junction, SwitchOfTheHalfHourTheTrainArrivesIn) {
    struct Case {
        int slot, v;
    } cases[] = {{21, 1}, {20, 2}};
    for (const Case& c : cases) {
        g->PointDD.fill(0);
        setSwitch(c.slot);
        g->m_la[0] = at(10, 29, 59);
        const int n = train(10, 9, 2);
        g->TrainC[n] = 192000 - 1000;
        run(1000);  // enters at 10:30:00.000 exactly, in slot 21
        EXPECT_EQ(g->TrainX[n], 10);
        EXPECT_EQ(g->TrainV[n], c.v) << c.slot;
        g->TrainY[n] = -2;
    }
}

TEST_F(Junction, FromTheBranchOrTheBranchEndTheSwitchIsIgnored) {
    for (int s = 0; s < 48; s++)
        setSwitch(s);
    struct Case {
        const char* name;
        int y, x, v;
    } cases[] = {{"down the branch", 11, 11, 5}, {"along the line from the branch end", 10, 11, 6}};
    for (const Case& c : cases) {
        const int n = train(c.y, c.x, c.v);
        run(300000);
        EXPECT_EQ(g->TrainY[n], 10) << c.name;
        EXPECT_EQ(g->TrainX[n], 10) << c.name;
        EXPECT_EQ(g->TrainV[n], 6) << c.name;
        g->TrainY[n] = -2;
    }
}

TEST_F(Junction, StopsBesideItOnlyWhenGoingStraight) {
    station(9, 10);
    struct Case {
        int switchBit, sp;
    } cases[] = {{0, -600000}, {1, 0}};
    for (const Case& c : cases) {
        g->PointDD.fill(0);
        if (c.switchBit) setSwitch(g->getDiaTime(192000));
        const int n = train(10, 9, 2);
        run(192000);
        EXPECT_EQ(g->TrainSP[n], c.sp) << c.switchBit;
        g->TrainY[n] = -2;
    }
}

// A train at (20, 20) heading right, its station just below it at (19, 20).
class StopRule : public TrainWorld {
protected:
    int st = -1, n = -1;
    void SetUp() override {
        TrainWorld::SetUp();
        st = station(19, 20);
        n = train(20, 20, 2);
    }
    void rule(int s, int r) { g->StationDD[st * 48 + s] = static_cast<int8_t>(r); }
    void allRules(int r) {
        for (int s = 0; s < 48; s++)
            rule(s, r);
    }
};

TEST_F(StopRule, EachRuleAndTheDepartureSearch) {
    struct Case {
        const char* name;
        int all;  // every slot first, -1 to keep the ten-minute stops
        int slot, r, markSlot;
        int64_t clock;
        int t, sp, v;
    } cases[] = {
        {"ten-minute stop", -1, 20, 2, -1, at(10, 10), 0, -600000, 2},
        {"pass", -1, 20, 3, -1, at(10, 10), 0, 0, 2},
        {"stop to the end of a marked slot", -1, 20, 4, -1, at(10, 10), 0, -1200000, 2},
        {"at least ten minutes", -1, 20, 4, -1, at(10, 25), 0, -600000, 2},
        {"elapsed time counts", -1, 20, 4, -1, at(10, 0), 600000, -1200000, 2},
        {"turn back", -1, 20, 5, -1, at(10, 10), 0, -1200000, 6},
        {"later mark the same day", -1, 20, 0, 25, at(10, 10), 0, -10200000, 2},
        {"mark on the next day", -1, 47, 0, 3, at(23, 50), 0, -7800000, 2},
        {"no mark: ten minutes", 0, 20, 0, -1, at(10, 10), 0, -600000, 2},
        {"no mark: ten minutes, turned back", 1, 20, 1, -1, at(10, 10), 0, -600000, 6},
    };
    for (const Case& c : cases) {
        allRules(c.all < 0 ? 2 : c.all);
        rule(c.slot, c.r);
        if (c.markSlot >= 0) rule(c.markSlot, 4);
        g->m_la[0] = c.clock;
        g->TrainSP[n] = 0;
        g->TrainV[n] = 2;
        g->stopAtStation(n, st, c.t);
        EXPECT_EQ(g->TrainSP[n], c.sp) << c.name;
        EXPECT_EQ(g->TrainV[n], c.v) << c.name;
    }
}

// Along row 20, with a new station below (20, 20) and a house just below the station.
class AtAStation : public TrainWorld {
protected:
    int st = -1;
    void SetUp() override {
        TrainWorld::SetUp();
        line(20, 0, 2, 40);
        g->setMapTyp(18, 20, 6, 0);  // ring 1, first cell
    }
};

TEST_F(AtAStation, NewStationStandsTenMinutesThenBoardsAndRunsOn) {
    st = station(19, 20);
    g->m_la[0] = at(8, 0);
    const int n = train(20, 19, 2);
    runClock(192000);
    EXPECT_EQ(g->TrainX[n], 20);
    EXPECT_EQ(g->TrainSP[n], -600000);
    const int64_t funds = g->m_la[1];
    runClock(600000 - 1);
    EXPECT_EQ(g->TrainSP[n], -1);
    EXPECT_EQ(g->getTrainP(n), 0);
    runClock(1);
    EXPECT_EQ(g->TrainSP[n], 0);
    EXPECT_EQ(g->TrainaSS[n * 16], st);
    EXPECT_GT(g->TrainaPaH[n * 16], 0);
    EXPECT_EQ(g->m_la[1], funds);  // standing costs nothing
    runClock(192000 - 1);
    EXPECT_EQ(g->TrainX[n], 20);
    runClock(1);
    EXPECT_EQ(g->TrainX[n], 21);
}

TEST_F(AtAStation, PassingLetsPassengersOffButNobodyOn) {
    const int origin = station(19, 5);  // 15 cells back
    st = station(19, 20);
    for (int s = 0; s < 48; s++)
        g->StationDD[st * 48 + s] = 3;
    g->setMapTyp(18, 20, 13, 0);  // an office takes in people from homes
    const int n = train(20, 19, 2);
    group(n, 0, origin, 10, 0);
    g->m_la[0] = at(8, 0);
    runClock(192000);
    EXPECT_EQ(g->TrainSP[n], 0);
    EXPECT_EQ(g->getTrainP(n), 0);
    EXPECT_EQ(g->StationPTM[st], 10);
    // Fare 15 x 10 / 5 = 30, less 3 of running cost.
    EXPECT_EQ(g->m_la[1], 100000 + 30 - 3);
    runClock(192000);
    EXPECT_EQ(g->getTrainP(n), 0);
}

}  // namespace
