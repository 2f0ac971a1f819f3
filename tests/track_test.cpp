#include <cctype>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "tests/blank_world.h"

namespace {

using MC = MainCanvas;

TEST(Directions, StepsOfEachDirection) {
    const int vy[8] = {1, 1, 0, -1, -1, -1, 0, 1};
    const int vx[8] = {0, 1, 1, 1, 0, -1, -1, -1};
    for (int d = 0; d < 8; d++) {
        EXPECT_EQ(MC::getVY(d), vy[d]) << d;
        EXPECT_EQ(MC::getVX(d), vx[d]) << d;
    }
}

TEST(Directions, MaskAndAngleOperations) {
    // Masks read back from the map are sign-extended bytes: 136 reads -120, 128 reads -128.
    EXPECT_EQ(MC::getVector(0), -1);
    EXPECT_EQ(MC::getVector(4), 2);
    EXPECT_EQ(MC::getVector(-120), 3);
    EXPECT_EQ(MC::getVector(-128), 7);

    struct Diff {
        int a, b, want;
    } diffs[] = {{0, 4, 4}, {0, 7, 1}, {7, 0, 1}, {2, 6, 4}, {1, 6, 3}, {3, 3, 0}, {6, 1, 3}};
    for (const auto& c : diffs) {
        EXPECT_EQ(MC::getVectorDiff(c.a, c.b), c.want) << c.a << "," << c.b;
        EXPECT_EQ(MC::diffVector(c.a, c.b), c.want) << c.a << "," << c.b;
    }
    EXPECT_EQ(MC::getVectorDiffFromD(4, -128), 3);

    struct Axis {
        int p, axis;
    } axes[] = {{17, 0}, {1, 0}, {16, 0}, {34, 1}, {32, 1}, {68, 2}, {-120, 3}, {0, 0}, {70, 1}};
    for (const auto& c : axes)
        EXPECT_EQ(MC::getDirection(c.p), c.axis) << c.p;

    EXPECT_EQ(MC::getAngle(17, 68), 2);
    EXPECT_EQ(MC::getAngle(17, 34), 1);
    EXPECT_EQ(MC::getAngle(17, 136), 1);
    EXPECT_EQ(MC::getAngle(34, 136), 2);
    EXPECT_EQ(MC::getAngle(68, -120), 1);
}

TEST(Directions, NextVectorTurnsClockwiseAndAlwaysEnds) {
    struct Case {
        int m, v, want;
    } cases[] = {
        {0x11, 0, 4}, {0x11, 4, 0}, {0x81, 7, 0},
        {-120, 3, 7}, {0x06, 7, 1}, {0x08, 3, 3},  // only its own bit: back to v after a full turn
        {0, 3, 3},                                 // no track left under a train: the heading stays
        {0, 0, 0},    {-256, 5, 5},                // high bits only are no track either
    };
    for (const auto& c : cases)
        EXPECT_EQ(MC::nextVector(c.m, c.v), c.want) << c.m << "," << c.v;
}

TEST(Directions, EightWayDirectionTowardACell) {
    struct Case {
        int y, x, w, v, want;
    } cases[] = {
        {11, 10, 10, 10, 0}, {11, 11, 10, 10, 1}, {10, 11, 10, 10, 2},
        {9, 11, 10, 10, 3},  {9, 10, 10, 10, 4},  {9, 9, 10, 10, 5},
        {10, 9, 10, 10, 6},  {11, 9, 10, 10, 7},  {10, 10, 10, 10, 0},  // the same cell
        {12, 15, 10, 10, 2},                                            // about 68 degrees
        {13, 18, 10, 15, 1}, {1, 2, 0, 0, 1},     {1, 3, 0, 0, 2},
        {10, -1, 0, 0, 0},  // just left of up rounds to 8, which is up again
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MC::getDirection(c.y, c.x, c.w, c.v), c.want)
            << "(" << c.w << "," << c.v << ") to (" << c.y << "," << c.x << ")";
    }
}

TEST(Junctions, CheckAddPointAcceptsOnlyA45DegreeBranchOnAPair) {
    struct Case {
        int a, b, want;
    } cases[] = {
        {2, 68, 70},  {1, 68, -1},                                   // perpendicular
        {4, 68, -1},                                                 // already set
        {32, 17, 49}, {128, 17, 145}, {64, 34, 98}, {4, -120, 140},  // a mask read back negative
        {2, 136, -1},  // perpendicular to the 3-7 axis
        {1, 2, -1},    // no straight pair
        {1, 70, -1},   // would be four bits
        {0, 68, -1},   // nothing added
    };
    for (const auto& c : cases)
        EXPECT_EQ(MC::checkAddPoint(c.a, c.b), c.want) << c.a << "," << c.b;
}

class Track : public BlankWorld {};

TEST_F(Track, AddPointFindsOrTakesTheLowestFreeSlot) {
    g->PointY[0] = 3;
    g->PointDD.fill(0x55);
    EXPECT_EQ(g->addPoint(10, 12, 0), 1);
    EXPECT_EQ(g->PointY[1], -1);  // only looked
    EXPECT_EQ(g->addPoint(10, 12, 1), 1);
    EXPECT_EQ(g->PointY[1], 10);
    EXPECT_EQ(g->PointX[1], 12);
    for (int i = 6; i < 12; i++)
        EXPECT_EQ(g->PointDD[i], 0) << i;
    EXPECT_EQ(g->PointDD[12], 0x55);  // the next slot's switches are left alone

    g->PointY.fill(5);
    auto before = g->PointY;
    EXPECT_EQ(g->addPoint(10, 12, 0), -1);
    EXPECT_EQ(g->addPoint(10, 12, 1), -1);
    EXPECT_EQ(g->PointY, before);
}

// Pre-existing contents of one cell or a line of cells.
struct Lay {
    int y, x, d, n, kind, prm, val;
};

struct Cell {
    int y, x, mask;  // mask 0: the cell must not be track
};

struct RunCase {
    const char* name;
    std::vector<Lay> lay;
    int ay, ax, cy, cx;
    std::vector<Cell> cells;
    int64_t price, assets;
    int ey, ex;  // anchor after the build
    int jy, jx;  // the junction made, -1 for none
};

const RunCase kRuns[] = {
    {"straight run right",
     {},
     10,
     10,
     10,
     15,
     {{10, 10, 4}, {10, 11, 68}, {10, 12, 68}, {10, 13, 68}, {10, 14, 68}, {10, 15, 64}},
     600,
     384,
     10,
     15,
     -1,
     -1},
    {"cursor off the axis ends on the nearest cell of the row",
     {},
     10,
     10,
     12,
     15,
     {{10, 10, 4}, {10, 14, 68}, {10, 15, 64}, {10, 16, 0}, {11, 11, 0}},
     600,
     384,
     10,
     15,
     -1,
     -1},
    {"continuing from a track end bends by 45 degrees",
     {{10, 14, 2, 1, 4, 68, 0}, {10, 15, 2, 1, 4, 64, 0}},
     10,
     15,
     13,
     18,
     {{10, 14, 68}, {10, 15, 66}, {11, 16, 34}, {12, 17, 34}, {13, 18, 32}},
     382,
     256,
     13,
     18,
     -1,
     -1},
    {"back along a track end plans nothing",
     {{10, 15, 2, 1, 4, 64, 0}},
     10,
     15,
     10,
     12,
     {{10, 15, 64}, {10, 14, 0}},
     0,
     0,
     10,
     15,
     -1,
     -1},
    {"a junction at the anchor prices its cell again",
     {{10, 10, 2, 5, 4, 68, 0}},
     10,
     12,
     14,
     16,
     {{10, 11, 68},
      {10, 12, 70},
      {10, 13, 68},
      {11, 13, 34},
      {12, 14, 34},
      {13, 15, 34},
      {14, 16, 32}},
     982,
     320,
     14,
     16,
     10,
     12},
    {"a junction ends the run where it meets a track",
     {{10, 20, 0, 5, 4, 17, 0}},
     8,
     16,
     12,
     20,
     {{8, 16, 2},
      {9, 17, 34},
      {10, 18, 34},
      {11, 19, 34},
      {12, 20, 49},
      {11, 20, 17},
      {13, 20, 17}},
     900,
     256,
     12,
     20,
     12,
     20},
    {"anchor and cursor on a diagonal piece make a junction there",
     {{10, 10, 1, 1, 4, 34, 0}},
     10,
     10,
     10,
     10,
     {{10, 10, 35}, {11, 10, 0}},
     500,
     0,
     10,
     10,
     10,
     10},
    {"a straight track at 90 degrees stops the run before it",
     {{12, 5, 2, 11, 4, 68, 0}},
     8,
     10,
     14,
     10,
     {{8, 10, 1}, {9, 10, 17}, {10, 10, 17}, {11, 10, 16}, {12, 10, 68}, {13, 10, 0}},
     400,
     256,
     11,
     10,
     -1,
     -1},
    {"a station stops the run before it",
     {{12, 10, 0, 1, 5, 0, 0}},
     8,
     10,
     14,
     10,
     {{8, 10, 1}, {11, 10, 16}, {13, 10, 0}},
     400,
     256,
     11,
     10,
     -1,
     -1},
    {"a track end at 90 degrees is not joined",
     {{10, 14, 2, 1, 4, 68, 0}, {10, 15, 2, 1, 4, 64, 0}},
     6,
     15,
     12,
     15,
     {{6, 15, 1}, {7, 15, 17}, {8, 15, 17}, {9, 15, 17}, {10, 15, 64}, {11, 15, 0}},
     400,
     256,
     9,
     15,
     -1,
     -1},
    {"a track end pointing on along the run is joined and ends it",
     {{10, 15, 2, 1, 4, 4, 0}, {10, 16, 2, 1, 4, 68, 0}, {10, 17, 2, 1, 4, 64, 0}},
     10,
     10,
     10,
     17,
     {{10, 10, 4}, {10, 14, 68}, {10, 15, 68}, {10, 16, 68}, {10, 17, 64}},
     582,
     384,
     10,
     15,
     -1,
     -1},
    {"a track end 45 degrees off is joined",
     {{10, 15, 2, 1, 4, 2, 0}, {11, 16, 1, 1, 4, 32, 0}},
     10,
     10,
     10,
     15,
     {{10, 14, 68}, {10, 15, 66}, {11, 16, 32}},
     582,
     384,
     10,
     15,
     -1,
     -1},
    {"each kind of cell has its price",
     {{20, 0, 2, 1, 0, 0, 0},
      {20, 1, 2, 1, 3, 0, 0},
      {20, 2, 2, 1, 8, 0, 0},
      {20, 3, 2, 1, 13, 0, 0},
      {20, 4, 2, 1, 2, 0, 8}},
     20,
     0,
     20,
     4,
     {{20, 0, 4}, {20, 1, 68}, {20, 2, 68}, {20, 3, 68}, {20, 4, 64}},
     36 + 200 + 3264 + 464 + 164,
     64 + 64 + 64 + 128,
     20,
     4,
     -1,
     -1},
    {"the map edge ends the run",
     {},
     60,
     14,
     63,
     20,
     {{60, 14, 2}, {61, 15, 34}, {62, 16, 34}, {63, 17, 32}},
     400,
     256,
     63,
     17,
     -1,
     -1},
    {"a run that cannot take its first step prices nothing",
     {},
     63,
     63,
     63,
     63,
     {{63, 63, 0}},
     0,
     0,
     63,
     63,
     -1,
     -1},
};

void PrintTo(const RunCase& r, std::ostream* os) {
    *os << r.name;
}

class TrackRuns : public BlankWorld, public ::testing::WithParamInterface<RunCase> {};

TEST_P(TrackRuns, PlanPricesTheRunAndTheBuildLaysExactlyThePlan) {
    const RunCase& r = GetParam();
    for (const Lay& l : r.lay) {
        for (int i = 0; i < l.n; i++) {
            const int y = l.y + i * MC::getVY(l.d), x = l.x + i * MC::getVX(l.d);
            g->setMapTyp(y, x, l.kind, l.prm);
            g->m_sbaMapVal[y * 64 + x] = static_cast<int8_t>(l.val);
            if (l.kind == 5) {
                g->StationY[0] = static_cast<int8_t>(y);
                g->StationX[0] = static_cast<int8_t>(x);
            }
        }
    }
    anchor(r.ay, r.ax);
    cursor(r.cy, r.cx);

    const auto typ = g->m_sbaMapTyp;
    const auto prm = g->m_sbaMapPrm;
    const auto points = g->PointY;
    g->extendRail(MC::getDirection(r.cy, r.cx, r.ay, r.ax), 0);
    EXPECT_EQ(g->m_sqwCost, r.price);
    // Planning changes nothing but the preview record.
    EXPECT_EQ(g->m_sbaMapTyp, typ);
    EXPECT_EQ(g->m_sbaMapPrm, prm);
    EXPECT_EQ(g->PointY, points);
    EXPECT_EQ(g->m_la[1], 100000);
    EXPECT_EQ(g->m_la[3], 0);
    EXPECT_EQ(g->m_iFY, r.ay);
    EXPECT_EQ(g->m_iFX, r.ax);
    // The bits drawn in each cell; a junction is drawn as its new bit over the track there.
    std::map<int, int> planned;
    for (int i = 0; i < g->m_iPlanCount; i++) {
        planned[g->m_swaPlanYX[i]] |= g->m_baPlanBits[i];
    }

    g->constructRail();
    EXPECT_EQ(g->m_sqwCost, r.price);
    EXPECT_EQ(g->m_la[1], 100000 - r.price);
    EXPECT_EQ(g->m_la[3], r.assets);
    EXPECT_EQ(g->m_iFY, r.ey);
    EXPECT_EQ(g->m_iFX, r.ex);
    EXPECT_EQ(usedPoints(), r.jy >= 0 ? 1 : 0);
    if (r.jy >= 0) {
        EXPECT_EQ(g->searchPointIndex(r.jy, r.jx), 0);
    }
    for (const Cell& c : r.cells) {
        if (c.mask == 0) {
            EXPECT_NE(g->getMapTyp(c.y, c.x), 4) << "(" << c.y << "," << c.x << ")";
        } else {
            EXPECT_EQ(g->getMapTyp(c.y, c.x), 4) << "(" << c.y << "," << c.x << ")";
            EXPECT_EQ(mask(c.y, c.x), c.mask) << "(" << c.y << "," << c.x << ")";
        }
    }
    for (const auto& [yx, bits] : planned) {
        EXPECT_EQ(mask(yx / 64, yx % 64) & bits, bits)
            << "planned (" << yx / 64 << "," << yx % 64 << ")";
    }
}

INSTANTIATE_TEST_SUITE_P(Examples, TrackRuns, ::testing::ValuesIn(kRuns),
                         [](const ::testing::TestParamInfo<RunCase>& info) {
                             std::string s;
                             for (const char* p = info.param.name; *p; p++) {
                                 s += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             }
                             return s;
                         });

TEST_F(Track, PlanRecordsTheCellsToDrawInOrder) {
    track(10, 10, 2, 5, 68);
    anchor(10, 12);
    cursor(14, 16);
    g->extendRail(1, 0);
    const std::vector<std::pair<int, int>> want = {{10 * 64 + 12, 2},  {10 * 64 + 12, 70},
                                                   {11 * 64 + 13, 34}, {12 * 64 + 14, 34},
                                                   {13 * 64 + 15, 34}, {14 * 64 + 16, 32}};
    ASSERT_EQ(g->m_iPlanCount, static_cast<int>(want.size()));
    for (int i = 0; i < g->m_iPlanCount; i++) {
        EXPECT_EQ(g->m_swaPlanYX[i], want[i].first) << i;
        EXPECT_EQ(g->m_baPlanBits[i], want[i].second) << i;
    }
    // A plan that goes nowhere draws nothing.
    anchor(10, 15);
    cursor(10, 15);
    g->extendRail(0, 0);
    EXPECT_EQ(g->m_iPlanCount, 0);
}

TEST_F(Track, FullJunctionTableAtTheAnchor) {
    g->PointY.fill(30);
    track(10, 10, 2, 5, 68);
    anchor(10, 12);
    cursor(14, 16);
    g->extendRail(1, 0);
    EXPECT_EQ(g->m_sqwCost, 0);
    EXPECT_EQ(g->m_iMsgWait, 1000);  // the point limit message
    ASSERT_EQ(g->m_iPlanCount, 1);
    EXPECT_EQ(g->m_baPlanBits[0], 2);

    g->constructRail();
    EXPECT_EQ(mask(10, 12), 68);
    EXPECT_NE(g->getMapTyp(11, 13), 4);
    EXPECT_EQ(g->m_la[1], 100000);
    EXPECT_EQ(g->m_iFY, 10);
    EXPECT_EQ(g->m_iFX, 12);
}

TEST_F(Track, FullJunctionTableAtTheFarEnd) {
    g->PointY.fill(30);
    track(10, 20, 0, 5, 17);
    anchor(8, 16);
    cursor(12, 20);
    g->extendRail(1, 0);
    EXPECT_EQ(g->m_sqwCost, 400);  // without the junction's 500
    EXPECT_EQ(g->m_iMsgWait, 1000);

    g->constructRail();
    EXPECT_EQ(g->m_la[1], 100000 - 400);
    EXPECT_EQ(mask(11, 19), 34);  // keeps its bit toward the junction that was not made
    EXPECT_EQ(mask(12, 20), 17);
    EXPECT_EQ(g->m_iFY, 11);
    EXPECT_EQ(g->m_iFX, 19);
}

TEST_F(Track, AStationIsNeverTurnedIntoTrack) {
    g->setMapTyp(10, 10, 5, 0);
    g->StationY[0] = 10;
    g->StationX[0] = 10;
    anchor(10, 10);
    cursor(10, 15);
    g->extendRail(2, 0);
    EXPECT_EQ(g->m_sqwCost, 0);
    EXPECT_EQ(g->m_iPlanCount, 0);
    g->constructRail();
    EXPECT_EQ(g->m_sqwCost, 0);
    EXPECT_EQ(g->getMapTyp(10, 10), 5);
    EXPECT_EQ(g->getMapTyp(10, 11), 2);
    EXPECT_EQ(g->m_la[1], 100000);
    EXPECT_EQ(g->m_la[3], 0);
}

TEST_F(Track, NoOpenPlanLaysNothing) {
    cursor(10, 15);
    const auto typ = g->m_sbaMapTyp;
    g->constructRail();
    EXPECT_EQ(g->m_sqwCost, 0);
    EXPECT_EQ(g->m_sbaMapTyp, typ);
    EXPECT_EQ(g->m_la[1], 100000);
    EXPECT_EQ(g->m_iFY, -1);
}

TEST_F(Track, AJunctionRemovedUnderAnOpenPlan) {
    track(10, 20, 0, 5, 17);
    anchor(8, 16);
    cursor(12, 20);
    g->constructRail();
    ASSERT_EQ(g->m_iFY, 12);  // the plan goes on from the new junction
    ASSERT_EQ(g->m_iFX, 20);

    // A junction takes no fourth bit: nothing can be planned from it.
    cursor(12, 25);
    g->extendRail(2, 0);
    EXPECT_EQ(g->m_sqwCost, 0);

    // Removed under the open plan, its cell is own land and a run may start there.
    cursor(12, 20);
    EXPECT_EQ(g->removeRail(), 1);
    EXPECT_EQ(usedPoints(), 0);
    const int64_t funds = g->m_la[1];
    cursor(12, 25);
    g->constructRail();
    EXPECT_EQ(g->m_sqwCost, 36 + 5 * 100);
    EXPECT_EQ(g->m_la[1], funds - 536);
    EXPECT_EQ(mask(12, 20), 4);
    EXPECT_EQ(mask(12, 25), 64);
    EXPECT_EQ(mask(11, 20), 16);  // the tracks lost their bits toward the removed cell
    EXPECT_EQ(mask(13, 20), 1);
    EXPECT_EQ(mask(11, 19), 32);
}

TEST_F(Track, BuildingFollowsTheCursorAndChargesTheRun) {
    // Two runs in a row: the second continues from the end of the first.
    anchor(10, 10);
    cursor(10, 15);
    g->constructRail();
    cursor(13, 18);
    g->constructRail();
    EXPECT_EQ(mask(10, 15), 66);
    EXPECT_EQ(mask(13, 18), 32);
    EXPECT_EQ(g->m_la[1], 100000 - 600 - 382);
    EXPECT_EQ(g->m_la[3], 384 + 256);
}

TEST_F(Track, RemovingTheMiddleOfARunLeavesTwoEnds) {
    track(10, 11, 2, 3, 68);
    g->setMapTyp(10, 10, 4, 4);
    g->setMapTyp(10, 14, 4, 64);
    g->m_la[3] = 320;
    cursor(10, 12);
    EXPECT_EQ(g->removeRail(), 1);
    EXPECT_EQ(g->getMapTyp(10, 12), 0);
    EXPECT_EQ(g->getMapPrm(10, 12), 0);
    EXPECT_EQ(mask(10, 11), 64);
    EXPECT_EQ(mask(10, 13), 4);
    EXPECT_EQ(g->m_la[1], 100000 - 100);
    EXPECT_EQ(g->m_la[3], 320);  // the land stays owned; nothing is refunded
}

TEST_F(Track, RemovingTheMiddleOfAThreeCellRunClearsAllThree) {
    g->setMapTyp(10, 10, 4, 4);
    g->setMapTyp(10, 11, 4, 68);
    g->setMapTyp(10, 12, 4, 64);
    cursor(10, 11);
    g->removeRail();
    for (int x = 10; x <= 12; x++) {
        EXPECT_EQ(g->getMapTyp(10, x), 0) << x;
        EXPECT_EQ(g->getMapPrm(10, x), 0) << x;
    }
    EXPECT_EQ(g->m_la[1], 100000 - 100);
}

TEST_F(Track, ANeighbourLeftWithOnlyHighBitsClearedIsEmpty) {
    // Bit 7 reads back as a negative byte; clearing it must still leave an empty mask.
    g->setMapTyp(10, 10, 4, 0x88);  // toward (9, 11) and (11, 9)
    g->setMapTyp(9, 11, 4, 128);    // an end pointing back at (10, 10)
    g->setMapTyp(11, 9, 4, 0x88);   // a straight piece going on beyond
    cursor(10, 10);
    g->removeRail();
    EXPECT_EQ(g->getMapTyp(9, 11), 0);
    EXPECT_EQ(g->getMapPrm(9, 11), 0);
    EXPECT_EQ(g->getMapTyp(11, 9), 4);
    EXPECT_EQ(mask(11, 9), 0x80);
}

TEST_F(Track, RemovingAJunctionFreesItsSlotButANeighbourKeepsIts) {
    track(10, 10, 2, 5, 68);
    anchor(10, 12);
    cursor(14, 16);
    g->constructRail();
    ASSERT_EQ(g->searchPointIndex(10, 12), 0);

    cursor(11, 13);  // the first cell of the branch
    g->removeRail();
    EXPECT_EQ(mask(10, 12), 68);
    EXPECT_EQ(g->PointY[0], 10);  // a junction that lost its branch keeps its slot
    EXPECT_EQ(mask(12, 14), 2);

    g->setMapTyp(11, 13, 4, 34);
    g->setMapTyp(10, 12, 4, 70);
    cursor(10, 12);
    g->removeRail();
    EXPECT_EQ(g->PointY[0], -1);
    EXPECT_EQ(mask(10, 11), 64);
    EXPECT_EQ(mask(10, 13), 4);
    EXPECT_EQ(mask(11, 13), 2);
}

TEST_F(Track, AThreeBitCellWithoutAJunctionRecordFreesNoSlot) {
    g->setMapTyp(10, 12, 4, 70);
    g->PointY[0] = 5;
    g->PointX[0] = 5;
    g->PointX[1] = 12;  // a free slot's stale column
    // The byte in front of the junction table must not be taken for a slot.
    g->m_sbaMapVal[MC::CELLS - 1] = 9;
    const auto points = g->PointY;
    cursor(10, 12);
    EXPECT_EQ(g->removeRail(), 1);
    EXPECT_EQ(g->PointY, points);
    EXPECT_EQ(g->m_sbaMapVal[MC::CELLS - 1], 9);
    EXPECT_EQ(g->getMapTyp(10, 12), 0);
}

TEST_F(Track, RemovingNeverAddsABitToANeighbour) {
    // The run that stopped at a perpendicular track end points at it without a partner bit.
    g->setMapTyp(8, 15, 4, 17);
    g->setMapTyp(9, 15, 4, 17);
    g->setMapTyp(10, 15, 4, 64);
    cursor(9, 15);
    g->removeRail();
    EXPECT_EQ(mask(10, 15), 64);
    EXPECT_EQ(mask(8, 15), 16);
}

TEST_F(Track, RemovingNoTrackDoesNothing) {
    g->setMapTyp(10, 10, 5, 0);
    for (auto [y, x] : {std::pair{10, 11}, std::pair{10, 10}}) {
        cursor(y, x);
        const int typ = g->getMapTyp(y, x);
        EXPECT_EQ(g->removeRail(), 0);
        EXPECT_EQ(g->getMapTyp(y, x), typ);
    }
    EXPECT_EQ(g->m_la[1], 100000);
}

TEST_F(Track, RemovingAtTheMapEdgeIgnoresCellsBeyondIt) {
    g->setMapTyp(0, 0, 4, 0x30);  // bits 4 and 5 lead off the map
    g->m_sbaMapVal[MC::CELLS - 1] = 7;
    cursor(0, 0);
    EXPECT_EQ(g->removeRail(), 1);
    EXPECT_EQ(g->getMapTyp(0, 0), 0);
    EXPECT_EQ(g->m_sbaMapVal[MC::CELLS - 1], 7);
}

TEST_F(Track, FreeJunctionSlotsNeverMatchASearch) {
    g->PointY[0] = -1;
    g->PointX[0] = 7;
    g->PointY[1] = 4;
    g->PointX[1] = 7;
    EXPECT_EQ(g->searchPointIndex(-1, 7), -1);
    EXPECT_EQ(g->searchPointIndex(4, 7), 1);
    EXPECT_EQ(g->searchPointIndex(64, 7), -1);
}

}  // namespace
