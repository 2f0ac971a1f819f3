#include <gtest/gtest.h>

#include <memory>

#include "game/MainCanvas.h"

namespace {

class World : public ::testing::Test {
protected:
    std::unique_ptr<MainCanvas> g = std::make_unique<MainCanvas>();
    void SetUp() override {
        g->RND_type = 1;
        g->newGame();
    }
};

TEST_F(World, GettersAnswerMinusOneOffTheMap) {
    struct Case {
        int y, x;
    } cases[] = {{-1, 5}, {64, 0}, {3, 64}, {0, -1}, {-100, -100}, {1000, 1000}};
    for (const auto& c : cases) {
        EXPECT_EQ(g->getMapTyp(c.y, c.x), -1);
        EXPECT_EQ(g->getMapPrm(c.y, c.x), -1);
        EXPECT_EQ(g->getMapPr2(c.y, c.x), -1);
        EXPECT_EQ(g->getMapVal(c.y, c.x), -1);
    }
}

TEST_F(World, SettersIgnoreCellsOffTheMap) {
    auto before = g->m_sbaMapTyp;
    auto prm = g->m_sbaMapPrm;
    g->setMapTyp(64, 0, 4, 1);
    g->setMapTyp(-1, 0, 4, 1);
    g->setMapPrm(0, 64, 9);
    g->addMapPr2(-1, -1, 9);
    EXPECT_EQ(g->m_sbaMapTyp, before);
    EXPECT_EQ(g->m_sbaMapPrm, prm);
}

TEST_F(World, SignedBytesStoreTruncatedAndReadSignExtended) {
    g->setMapTyp(10, 10, 4, 0x88);  // track with bits 3 and 7
    EXPECT_EQ(g->getMapPrm(10, 10), -120);
    EXPECT_EQ(MainCanvas::countBitByte(g->getMapPrm(10, 10)), 2);
    g->setMapPr2(1, 1, 127);
    g->addMapPr2(1, 1, 1);
    EXPECT_EQ(g->getMapPr2(1, 1), -128);
}

TEST_F(World, LandLevelChangesAssetsOnlyOnOwnedLand) {
    struct Case {
        int kind;
        int64_t assetChange;
    } cases[] = {{0, 64}, {4, 64}, {5, 64}, {1, 0}, {2, 0}, {3, 0}, {6, 0}, {19, 0}};
    for (const auto& c : cases) {
        g->setMapTyp(20, 20, c.kind, 0);
        g->m_sbaMapVal[20 * 64 + 20] = 0;
        g->m_la[3] = 1000;
        g->setMapVal(20 * 64 + 20, 8);
        EXPECT_EQ(g->m_la[3], 1000 + c.assetChange) << "kind " << c.kind;
        EXPECT_EQ(g->getMapVal(20, 20), 8);
        g->addMapVal(20 * 64 + 20, 8);
        EXPECT_EQ(g->getMapVal(20, 20), 16);
        EXPECT_EQ(g->m_la[3], 1000 + c.assetChange * 3) << "kind " << c.kind;  // 256 - 64 = 192
    }
}

TEST_F(World, NewGameSetsStartValuesAndEmptyTables) {
    EXPECT_EQ(g->m_sba[4], 12);
    EXPECT_EQ(g->m_la[0], 7776000000LL);
    EXPECT_EQ(g->m_la[1], 100000);
    EXPECT_EQ(g->m_la[2], 0);
    EXPECT_EQ(g->m_la[3], 0);
    EXPECT_EQ(g->m_swa[1], 7);
    EXPECT_EQ(g->m_swa[8], -1);
    EXPECT_EQ(g->m_swa[9], -1);
    EXPECT_EQ(g->m_swa[4], 9);
    EXPECT_EQ(g->m_swa[6], 8);
    EXPECT_EQ(g->m_swa[2], 136);
    for (int y = -1; y <= 64; y++) {
        for (int x = -1; x <= 64; x++) {
            ASSERT_EQ(g->getMapTrain(y, x), -1);
            ASSERT_EQ(g->searchPointIndex(y, x), -1);
            ASSERT_EQ(g->searchStationIndex(y, x), -1);
        }
    }
    EXPECT_EQ(g->searchFreeStation(), 0);
    EXPECT_EQ(g->searchFreePoint(), 0);
    EXPECT_EQ(g->searchFreeTrain(), 0);
    EXPECT_EQ(g->BuyTrainClr[0], 0xFFFFFF);
    EXPECT_EQ(g->BuyTrainClr[1], 0xDDDDFF);
    EXPECT_EQ(g->BuyTrainClr[3], 0xDDFFDD);
    EXPECT_EQ(g->BuyTrainClr[9], 0xFFDDDD);
    EXPECT_EQ(g->BuyTrainClr[27], 0xFF9999);
}

TEST_F(World, NewGameKeepsSettingsAndLeftoverSlots) {
    g->m_sba[3] = 1;
    g->m_sba[5] = 1;
    g->m_sba[6] = 1;
    g->m_la[4] = 555;
    g->StationX[0] = 33;
    g->newGame();
    EXPECT_EQ(g->m_sba[3], 1);
    EXPECT_EQ(g->m_sba[5], 1);
    EXPECT_EQ(g->m_sba[6], 1);
    EXPECT_EQ(g->m_la[4], 555);
    EXPECT_EQ(g->StationX[0], 33);
}

// A free slot keeps the column of what stood there; it must never be found.
TEST_F(World, FreeSlotsNeverMatchASearch) {
    g->StationX[0] = 5;  // free slot: StationY is -1
    g->PointX[0] = 5;
    EXPECT_EQ(g->searchStationIndex(-1, 5), -1);
    EXPECT_EQ(g->searchPointIndex(-1, 5), -1);
    g->TrainY[0] = -1;  // owned but off the map
    g->TrainX[0] = 5;
    EXPECT_EQ(g->getMapTrain(-1, 5), -1);
    g->StationY[3] = 0;
    g->StationX[3] = 5;
    g->StationY[7] = 0;
    g->StationX[7] = 5;
    EXPECT_EQ(g->searchStationIndex(0, 5), 3);
    g->TrainY[2] = 12;
    g->TrainX[2] = 13;
    EXPECT_EQ(g->getMapTrain(12, 13), 2);
}

TEST_F(World, SearchesWithoutArgumentsUseTheCursorCell) {
    g->m_swa[4] = 3;
    g->m_swa[8] = 2;
    g->m_swa[5] = 4;
    g->m_swa[9] = -1;
    g->StationY[4] = 5;
    g->StationX[4] = 3;
    g->PointY[6] = 5;
    g->PointX[6] = 3;
    EXPECT_EQ(g->searchStationIndex(), 4);
    EXPECT_EQ(g->searchPointIndex(), 6);
}

}  // namespace
