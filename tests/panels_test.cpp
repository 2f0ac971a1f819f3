// The train list with its keys, the train and station state windows and the purchase window.
#include <gtest/gtest.h>

#include "in_game.h"

namespace {

constexpr int kWhite = 0xFFFFFF;
constexpr int kDim = 0x000066;
constexpr int kGrey = 0x666666;
constexpr int kChosen = 0xFFFF99;

class Panels : public InGame {
protected:
    // Opens the train list from the free map cursor.
    void openList() {
        cancel();
        down(2);
        select();
        ASSERT_EQ(g->m_bTrain, 1);
    }
    int fc(int w, int i) { return g->m_tuw.m_t.m_iaFC[g->m_tuw.getText(w, i)]; }
    int bc(int w, int i) { return g->m_tuw.m_t.m_iaBC[g->m_tuw.getText(w, i)]; }
};

TEST_F(Panels, TrainListRowsShowEachSlotsState) {
    g->TrainY[1] = -1;
    g->TrainY[2] = 5;
    g->TrainX[2] = 12;
    g->TrainY[3] = 40;
    g->TrainX[3] = 3;
    g->putTrainList();
    EXPECT_EQ(text(g->m_iWndTrainList, 0), "01  -----");
    EXPECT_EQ(text(g->m_iWndTrainList, 1), "02  " + sjis("未配置"));
    EXPECT_EQ(text(g->m_iWndTrainList, 2), "03 (12, 5)");
    EXPECT_EQ(text(g->m_iWndTrainList, 3), "04 ( 3,40)");
    g->m_iTrainS = 34;
    g->putTrainList();
    EXPECT_EQ(text(g->m_iWndTrainList, 5), "40  -----");
}

TEST_F(Panels, ListScrollsThroughFortySlotsAndStopsAtBothEnds) {
    openList();
    up();  // row 0 of slot 1: nothing to scroll
    EXPECT_EQ(g->m_iTrainC, 0);
    EXPECT_EQ(g->m_iTrainS, 0);
    EXPECT_TRUE(highlighted(g->m_iWndTrainList, 0));
    down(5);
    EXPECT_EQ(g->m_iTrainC, 5);
    EXPECT_EQ(g->m_iTrainS, 0);
    down();
    EXPECT_EQ(g->m_iTrainC, 5);
    EXPECT_EQ(g->m_iTrainS, 1);
    EXPECT_EQ(text(g->m_iWndTrainList, 5), "07  -----");
    // Held down repeats: the list runs to slot 40 and stays there.
    hold(keycode::kDown, 100);
    EXPECT_EQ(g->m_iTrainS, 34);
    EXPECT_EQ(g->m_iTrainC, 5);
    EXPECT_EQ(text(g->m_iWndTrainList, 5), "40  -----");
    down();
    EXPECT_EQ(g->m_iTrainS, 34);
    EXPECT_EQ(g->m_iTrainC, 5);
    // Exactly one row is highlighted, the selected one.
    for (int r = 0; r < 6; r++)
        EXPECT_EQ(highlighted(g->m_iWndTrainList, r), r == 5) << r;
    up(5);
    EXPECT_EQ(g->m_iTrainC, 0);
    up();
    EXPECT_EQ(g->m_iTrainS, 33);
    EXPECT_EQ(g->m_iTrainC, 0);
    EXPECT_TRUE(highlighted(g->m_iWndTrainList, 0));
    EXPECT_FALSE(highlighted(g->m_iWndTrainList, 5));
}

TEST_F(Panels, TrainStateShowsTheStopEndOrPassengersAndCell) {
    g->m_la[0] = MainCanvas::GAME_START + 10LL * MainCanvas::HOUR_MS;  // 10:00
    g->TrainY[0] = 40;
    g->TrainX[0] = 3;
    g->TrainSP[0] = -35 * 60000;
    g->m_iTrainNo = 0;
    g->putTrainState();
    EXPECT_EQ(text(g->m_iWndTrainState, 0), sjis("停車"));
    EXPECT_EQ(text(g->m_iWndTrainState, 1), "10:35");
    g->TrainSP[0] = 0;
    g->putTrainState();
    EXPECT_EQ(text(g->m_iWndTrainState, 0), sjis("  0名"));
    EXPECT_EQ(text(g->m_iWndTrainState, 1), " 3,40");
}

TEST_F(Panels, StationStateShowsBothMonthsCounts) {
    g->setMapTyp(20, 20, 5, 2);
    g->StationY[2] = 20;
    g->StationX[2] = 20;
    g->StationPLM[2] = 1234;
    g->StationPTM[2] = 0;
    g->putStationState();
    EXPECT_EQ(text(g->m_iWndStationState, 1), "    1,234");
    EXPECT_EQ(text(g->m_iWndStationState, 3), "        0");
}

TEST_F(Panels, PurchaseWindowShowsTheModelsSpeedColourAndPrice) {
    struct Case {
        int model;
        const char* speeds[3];
        int chosen;  // item showing the model's own speed
        int left, right;
        const char* price;
    };
    const Case cases[] = {
        {0, {" 3", " 4", " 5"}, 4, kDim, kWhite, "20,000"},
        {1, {" 3", " 4", " 5"}, 5, kWhite, kWhite, "30,000"},
        {27, {"28", "29", "30"}, 6, kWhite, kDim, "290,000"},
    };
    const int w = g->m_iWndBuyTrain;
    for (const Case& c : cases) {
        g->m_iBuyTrain = c.model;
        g->BuyTrainClr[c.model] = 0x12AB05;
        g->putBuyTrain();
        for (int k = 0; k < 3; k++) {
            EXPECT_EQ(text(w, 4 + k), c.speeds[k]) << c.model;
            EXPECT_EQ(fc(w, 4 + k), 4 + k == c.chosen ? kChosen : kGrey) << c.model;
        }
        EXPECT_EQ(fc(w, 3), c.left) << c.model;
        EXPECT_EQ(fc(w, 7), c.right) << c.model;
        EXPECT_EQ(text(w, 12), c.price) << c.model;
        EXPECT_EQ(text(w, 9), "12") << c.model;
        EXPECT_EQ(text(w, 10), "AB") << c.model;
        EXPECT_EQ(text(w, 11), "05") << c.model;
        EXPECT_EQ(fc(w, 10), 0x12AB05) << c.model;
        EXPECT_EQ(bc(w, 10), 0) << c.model;
    }
}

// The colour of a model is edited by keys on the colour row; the channel being edited is
// shown with its colours swapped, and only while that row is active.
TEST_F(Panels, ColourEditingShowsTheChosenChannel) {
    openList();
    select();
    ASSERT_EQ(g->m_bBuyTrain, 1);
    const int w = g->m_iWndBuyTrain;
    up();     // the colour row
    right();  // red
    paint();
    const int k = g->BuyTrainClr[0];
    ASSERT_EQ(k, 0xFFFFFF);
    EXPECT_EQ(fc(w, 9), 0);
    EXPECT_EQ(bc(w, 9), k);
    EXPECT_EQ(fc(w, 10), k);
    down();  // red falls by one
    paint();
    EXPECT_EQ(g->BuyTrainClr[0], k - 0x010000);
    EXPECT_EQ(text(w, 9), "FE");
    left();  // no channel: down moves back to the answers
    down();
    EXPECT_EQ(g->m_iYesNoY, 0);
    paint();
    EXPECT_EQ(fc(w, 9), g->BuyTrainClr[0]);
    EXPECT_EQ(bc(w, 9), 0);
    cancel();
    EXPECT_EQ(g->m_bBuyTrain, 0);
}

// A channel still chosen when the window closed stays chosen, but the window opens again on
// the answers, where up and down move between the rows.
TEST_F(Panels, ChosenChannelWaitsForTheColourRowWhenTheWindowReopens) {
    openList();
    select();
    up();
    right(2);  // green
    cancel();
    ASSERT_EQ(g->m_bBuyTrain, 0);
    ASSERT_EQ(g->m_iBuyTrainClr, 2);
    select();
    ASSERT_EQ(g->m_bBuyTrain, 1);
    EXPECT_EQ(g->m_iYesNoY, 0);
    const int k = g->BuyTrainClr[0];
    up();
    EXPECT_EQ(g->m_iYesNoY, -1);
    EXPECT_EQ(g->BuyTrainClr[0], k);
    up();  // now the green channel rises, at most to 255
    EXPECT_EQ(g->m_iYesNoY, -1);
    EXPECT_EQ(g->BuyTrainClr[0], k);
    down();
    EXPECT_EQ(g->BuyTrainClr[0], k - 0x000100);
    paint();
    EXPECT_EQ(text(g->m_iWndBuyTrain, 10), "FE");
    EXPECT_EQ(fc(g->m_iWndBuyTrain, 10), 0);
}

}  // namespace
