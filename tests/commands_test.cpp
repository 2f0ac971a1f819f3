// The commands of the game screen played with the keys: laying and removing track, building
// and removing stations, trading land, buying, placing, turning and removing trains, the
// train list, the fund window and the clock hold of every window.
#include <gtest/gtest.h>

#include "in_game.h"

namespace {

class Commands : public InGame {
protected:
    // Moves the command cursor of a window onto its item.
    void moveTo(int window, int item) {
        for (int i = 0; i < 6 && g->m_tuw.cmdPos(window) != item; i++)
            down();
        ASSERT_EQ(g->m_tuw.cmdPos(window), item);
    }
    // From the free map cursor: the command menu with its cursor on the item.
    void menu(int item) {
        cancel();
        moveTo(g->m_iWndCmd, item);
    }
    // The command menu, its command `item`, then the entry `sub` of that sub-menu.
    void startCommand(int item, int sub) {
        menu(item);
        select();
        const int subs[] = {g->m_iWndCRail, g->m_iWndCStation, -1, g->m_iWndCTochi, g->m_iWndCFunc};
        moveTo(subs[item], sub);
        select();
    }
    bool fundShown() const { return (g->m_sba[5] & 1) != 0; }
    // Puts an owned train of model 0 in slot n on cell (y, x) heading v.
    void train(int n, int y, int x, int v) {
        g->TrainY[n] = static_cast<int8_t>(y);
        g->TrainX[n] = static_cast<int8_t>(x);
        g->TrainV[n] = static_cast<int8_t>(v);
        g->TrainTyp[n] = 0;
        g->TrainC[n] = 0;
        g->TrainSP[n] = 0;
    }
};

TEST_F(Commands, LayATrackRunByKeysAndGoOnFromItsEnd) {
    cancel();
    EXPECT_EQ(g->m_bCmd, 1);
    EXPECT_EQ(g->m_iCursor, 0);
    EXPECT_EQ(clockHold(), 2);
    select();  // "線路"
    EXPECT_EQ(g->m_bCRail, 1);
    EXPECT_TRUE(highlighted(g->m_iWndCRail, 0));
    select();  // "敷設"
    EXPECT_EQ(g->m_iCmdNow, 100);
    EXPECT_EQ(g->m_iCursor, 1);
    EXPECT_EQ(g->m_bCmd, 0);
    EXPECT_EQ(g->m_bCRail, 0);
    EXPECT_FALSE(highlighted(g->m_iWndCRail, 0));
    select();
    EXPECT_EQ(g->m_iCmdNow, 101);
    EXPECT_EQ(g->m_iFY, 20);
    EXPECT_EQ(g->m_iFX, 20);
    EXPECT_EQ(g->m_iFT, 0);
    right(5);
    select();
    // Six field cells at 36 for the track and 64 for the land each.
    EXPECT_EQ(g->m_iCmdNow, 102);
    EXPECT_EQ(g->m_iCursor, 0);
    EXPECT_EQ(message(), sjis("費用:600  決定？"));
    EXPECT_EQ(g->m_iMsgWait, -1);
    EXPECT_TRUE(fundShown());
    const int64_t clock = g->m_la[0];
    tick(16);
    EXPECT_EQ(g->m_la[0], clock);
    EXPECT_EQ(g->m_iMsgWait, -1);
    select();
    EXPECT_EQ(g->m_iCmdNow, 101);
    EXPECT_EQ(g->m_iCursor, 1);
    EXPECT_EQ(g->m_iMsgWait, 0);
    EXPECT_FALSE(fundShown());
    EXPECT_EQ(funds(), 99400);
    EXPECT_EQ(g->m_la[3], 6 * 64);
    EXPECT_EQ(g->getMapPrm(20, 20) & 0xFF, 0x04);
    for (int x = 21; x <= 24; x++)
        EXPECT_EQ(g->getMapPrm(20, x) & 0xFF, 0x44) << x;
    EXPECT_EQ(g->getMapPrm(20, 25) & 0xFF, 0x40);
    // The plan goes on from the new end; a question answered with cancel lays nothing.
    EXPECT_EQ(g->m_iFX, 25);
    right(3);
    select();
    EXPECT_EQ(g->m_iCmdNow, 102);
    cancel();
    EXPECT_EQ(g->m_iCmdNow, 101);
    EXPECT_EQ(funds(), 99400);
    EXPECT_EQ(g->getMapTyp(20, 26), 2);
    // Cancel steps back: the anchor goes, then the command, then the menu.
    cancel();
    EXPECT_EQ(g->m_iCmdNow, 100);
    EXPECT_EQ(g->m_iFY, -1);
    cancel();
    EXPECT_EQ(g->m_iCmdNow, 0);
    EXPECT_EQ(g->m_bCmd, 1);
    EXPECT_EQ(g->m_iCursor, 0);
    cancel();
    EXPECT_EQ(g->m_bCmd, 0);
    EXPECT_EQ(g->m_iCursor, 1);
    EXPECT_EQ(clockHold(), 0);
    tick(16);
    EXPECT_GT(g->m_la[0], clock);
}

// Track must cost strictly less than funds and assets together; short of that select does
// nothing and says nothing.
TEST_F(Commands, TrackNeedsMoreThanItsCost) {
    struct Case {
        int64_t money, assets;
        bool asked;
    };
    const Case cases[] = {{600, 0, false}, {300, 300, false}, {601, 0, true}, {1, 600, true}};
    for (const Case& c : cases) {
        g->m_la[1] = c.money;
        g->m_la[3] = c.assets;
        startCommand(0, 0);
        select();
        right(5);
        select();
        EXPECT_EQ(g->m_iCmdNow, c.asked ? 102 : 101) << c.money;
        EXPECT_EQ(g->m_iMsgWait, c.asked ? -1 : 0) << c.money;
        if (c.asked) cancel();
        cancel();
        cancel();
        cancel();
        cursorAt(20, 20);
        ASSERT_EQ(g->m_bCmd, 0);
        ASSERT_EQ(clockHold(), 0);
    }
}

TEST_F(Commands, StationsCostTheirPriceAndTheLandNotYetOwned) {
    struct Case {
        const char* name;
        int kind;
        int64_t money;
        const char* question;  // nullptr: nothing asked
        bool shortage;
        int64_t after;
    };
    const Case cases[] = {
        {"own land, exactly affordable", 0, 20000, "費用:20,000  決定？", false, 0},
        {"forest", 3, 30000, "費用:20,064  決定？", false, 30000 - 20064},
        {"field one short", 2, 20063, nullptr, true, 20063},
        {"track", 4, 30000, nullptr, false, 30000},
    };
    for (const Case& c : cases) {
        g->StationY.fill(-1);
        g->setMapTyp(20, 20, c.kind, c.kind == 4 ? 0x44 : 0);
        g->m_la[1] = c.money;
        g->m_la[3] = 0;
        startCommand(1, 0);
        ASSERT_EQ(g->m_iCmdNow, 200) << c.name;
        select();
        if (c.question) {
            EXPECT_EQ(g->m_iCmdNow, 201) << c.name;
            EXPECT_EQ(message(), sjis(c.question)) << c.name;
            select();
            EXPECT_EQ(g->getMapTyp(20, 20), 5) << c.name;
            EXPECT_EQ(g->StationY[0], 20) << c.name;
        } else {
            EXPECT_EQ(g->getMapTyp(20, 20), c.kind) << c.name;
            EXPECT_EQ(g->StationY[0], -1) << c.name;
        }
        if (c.shortage) {
            EXPECT_EQ(message(), sjis("資金不足です")) << c.name;
            EXPECT_GT(g->m_iMsgWait, 900) << c.name;
        }
        EXPECT_EQ(g->m_iCmdNow, 200) << c.name;
        EXPECT_EQ(g->m_iCursor, 1) << c.name;
        EXPECT_EQ(funds(), c.after) << c.name;
        cancel();
        cancel();
        ASSERT_EQ(clockHold(), 0) << c.name;
    }
}

TEST_F(Commands, AFullStationTableBuildsAndChargesNothing) {
    g->StationY.fill(0);
    startCommand(1, 0);
    select();
    ASSERT_EQ(g->m_iCmdNow, 201);
    select();
    EXPECT_EQ(message(), sjis("駅数の上限です"));
    EXPECT_GT(g->m_iMsgWait, 900);
    EXPECT_EQ(g->getMapTyp(20, 20), 2);
    EXPECT_EQ(funds(), 100000);
    EXPECT_EQ(g->m_iCmdNow, 200);
    // The next cursor key clears the message.
    right();
    EXPECT_EQ(g->m_iMsgWait, 0);
}

TEST_F(Commands, RemovingTrackAndStationsAsksAndPays) {
    track(20, 18, 2, 5, 0x44);
    g->setMapTyp(10, 10, 5, 3);
    g->StationY[3] = 10;
    g->StationX[3] = 10;
    g->m_la[1] = 50;  // removal has no test of the funds

    startCommand(0, 1);
    ASSERT_EQ(g->m_iCmdNow, 110);
    up();
    select();  // off the track: nothing
    EXPECT_EQ(g->m_iCmdNow, 110);
    down();
    select();
    EXPECT_EQ(g->m_iCmdNow, 111);
    EXPECT_EQ(message(), sjis("費用:100  決定？"));
    select();
    EXPECT_EQ(g->m_iCmdNow, 110);
    EXPECT_EQ(g->getMapTyp(20, 20), 0);
    EXPECT_EQ(g->getMapPrm(20, 19) & 0xFF, 0x40);
    EXPECT_EQ(g->getMapPrm(20, 21) & 0xFF, 0x04);
    EXPECT_EQ(funds(), -50);
    cancel();  // back to the menu, which keeps "線路" under its cursor

    cursorAt(10, 10);
    down();
    select();
    down();
    select();  // " 駅 ", "撤去"
    ASSERT_EQ(g->m_iCmdNow, 210);
    select();
    EXPECT_EQ(g->m_iCmdNow, 211);
    EXPECT_EQ(message(), sjis("費用:1,000  決定？"));
    select();
    EXPECT_EQ(g->getMapTyp(10, 10), 0);
    EXPECT_EQ(g->StationY[3], -1);
    EXPECT_EQ(funds(), -1050);
    select();  // no station left here
    EXPECT_EQ(g->m_iCmdNow, 210);
}

TEST_F(Commands, BuyAndSellARegionOfLand) {
    startCommand(3, 0);
    ASSERT_EQ(g->m_iCmdNow, 50);
    select();
    EXPECT_EQ(g->m_iCmdNow, 51);
    EXPECT_EQ(g->m_iFT, 1);
    right();
    up();
    select();
    EXPECT_EQ(g->m_iCmdNow, 52);
    EXPECT_EQ(message(), sjis("費用:256  決定？"));
    EXPECT_EQ(g->m_iCursor, 1);  // the region stays on screen
    cancel();
    EXPECT_EQ(g->m_iCmdNow, 51);
    EXPECT_EQ(funds(), 100000);
    select();
    select();
    EXPECT_EQ(g->m_iCmdNow, 50);
    EXPECT_EQ(g->m_iFY, -1);
    EXPECT_EQ(funds(), 100000 - 256);
    EXPECT_EQ(g->m_la[3], 256);
    for (int y = 20; y <= 21; y++)
        for (int x = 20; x <= 21; x++)
            EXPECT_EQ(g->getMapTyp(y, x), 0);

    cancel();
    select();  // "土地" is still under the menu cursor
    down();
    select();  // "売却"
    ASSERT_EQ(g->m_iCmdNow, 60);
    select();
    left();
    down();
    select();
    EXPECT_EQ(g->m_iCmdNow, 62);
    EXPECT_EQ(message(), sjis("売値:243  決定？"));  // 95% of 256
    select();
    EXPECT_EQ(g->m_iCmdNow, 60);
    EXPECT_EQ(funds(), 100000 - 256 + 243);
    EXPECT_EQ(g->m_la[3], 0);
    EXPECT_EQ(g->getMapTyp(20, 20), 1);
}

TEST_F(Commands, CancelOnTheSecondCornerScrollsBackToTheFirst) {
    startCommand(3, 0);
    select();
    const int scrollY = g->m_swa[8], scrollX = g->m_swa[9];
    left(12);  // far enough to scroll the map
    ASSERT_NE(g->m_swa[9], scrollX);
    cancel();
    EXPECT_EQ(g->m_iCmdNow, 50);
    EXPECT_EQ(g->m_iFY, -1);
    EXPECT_EQ(g->m_swa[8], scrollY);
    EXPECT_EQ(g->m_swa[9], scrollX);
    EXPECT_EQ(cursorY(), 20);
    EXPECT_EQ(cursorX(), 20);
}

TEST_F(Commands, LandBeyondTheFundsIsRefused) {
    g->m_la[1] = 255;
    startCommand(3, 0);
    select();
    right();
    up();
    select();
    EXPECT_EQ(g->m_iCmdNow, 51);
    EXPECT_EQ(message(), sjis("資金不足です"));
    EXPECT_GT(g->m_iMsgWait, 900);
    EXPECT_EQ(g->getMapTyp(20, 20), 2);
}

TEST_F(Commands, BuyAModelAndPlaceItOnTheTrack) {
    track(20, 15, 2, 10, 0x44);
    menu(2);
    select();  // "車両"
    EXPECT_EQ(g->m_bTrain, 1);
    EXPECT_EQ(g->m_bCmd, 0);
    EXPECT_TRUE(highlighted(g->m_iWndTrainList, 0));
    EXPECT_EQ(text(g->m_iWndTrainList, 0), "01  -----");
    select();
    EXPECT_EQ(g->m_iCmdNow, 300);
    EXPECT_EQ(g->m_bBuyTrain, 1);
    EXPECT_EQ(g->m_bYesNo, 1);
    EXPECT_TRUE(highlighted(g->m_iWndYesNo, 0));
    EXPECT_TRUE(fundShown());
    paint();
    EXPECT_EQ(text(g->m_iWndBuyTrain, 12), "20,000");
    up(2);  // the model row
    right(2);
    down(2);
    EXPECT_EQ(g->m_iBuyTrain, 2);
    EXPECT_EQ(g->m_iYesNoY, 0);
    paint();
    EXPECT_EQ(text(g->m_iWndBuyTrain, 12), "40,000");
    select();
    EXPECT_EQ(g->m_iCmdNow, 0);
    EXPECT_EQ(g->m_bBuyTrain, 0);
    EXPECT_FALSE(fundShown());
    EXPECT_EQ(g->TrainY[0], -1);
    EXPECT_EQ(g->TrainTyp[0], 2);
    EXPECT_EQ(funds(), 60000);
    EXPECT_EQ(text(g->m_iWndTrainList, 0), "01  " + sjis("未配置"));

    select();  // the train sub-menu
    EXPECT_EQ(g->m_bCTrain, 1);
    EXPECT_TRUE(highlighted(g->m_iWndCTrain, 0));
    select();  // "配置"
    EXPECT_EQ(g->m_iCmdNow, 310);
    EXPECT_EQ(g->m_iCursor, 1);
    EXPECT_EQ(g->m_bTrain, 0);
    EXPECT_EQ(g->m_bCTrain, 0);
    up();
    select();  // off the track: nothing
    EXPECT_EQ(g->m_iCmdNow, 310);
    down();
    select();
    EXPECT_EQ(g->m_iCmdNow, 311);
    EXPECT_EQ(g->m_iArrow, 2);  // the first track direction after up
    EXPECT_EQ(g->m_iCursor, 0);
    paint();
    right();
    EXPECT_EQ(g->m_iArrow, 6);
    left();
    EXPECT_EQ(g->m_iArrow, 2);
    up();
    EXPECT_EQ(g->m_iArrow, 6);
    select();
    EXPECT_EQ(g->TrainY[0], 20);
    EXPECT_EQ(g->TrainX[0], 20);
    EXPECT_EQ(g->TrainV[0], 6);
    EXPECT_EQ(funds(), 59500);
    EXPECT_EQ(g->m_iArrow, -1);
    EXPECT_EQ(g->m_iCmdNow, 0);
    EXPECT_EQ(g->m_bTrain, 1);
    EXPECT_EQ(text(g->m_iWndTrainList, 0), "01 (20,20)");

    cancel();
    EXPECT_EQ(g->m_bTrain, 0);
    EXPECT_EQ(g->m_bCmd, 1);
    EXPECT_FALSE(highlighted(g->m_iWndTrainList, 0));
    cancel();
    EXPECT_EQ(clockHold(), 0);
    EXPECT_EQ(g->m_iCursor, 1);
}

TEST_F(Commands, PlacingCancelledStepsBackToTheList) {
    track(20, 15, 2, 10, 0x44);
    g->TrainY[0] = -1;
    menu(2);
    select();
    select();
    select();  // "配置"
    ASSERT_EQ(g->m_iCmdNow, 310);
    select();
    ASSERT_EQ(g->m_iCmdNow, 311);
    cancel();  // back to choosing the cell
    EXPECT_EQ(g->m_iCmdNow, 310);
    EXPECT_EQ(g->m_iCursor, 1);
    EXPECT_EQ(g->m_iArrow, -1);
    cancel();  // back to the list
    EXPECT_EQ(g->m_iCmdNow, 0);
    EXPECT_EQ(g->m_bTrain, 1);
    EXPECT_EQ(g->m_iCursor, 0);
    EXPECT_EQ(g->TrainY[0], -1);
    EXPECT_EQ(funds(), 100000);
    // A train standing on the cell keeps another one off it.
    train(1, 20, 20, 2);
    select();
    select();
    select();
    EXPECT_EQ(g->m_iCmdNow, 310);
}

TEST_F(Commands, SellATrainFromTheList) {
    g->TrainY[1] = -1;
    g->TrainTyp[1] = 0;
    g->m_la[3] = MainCanvas::getTrainValue(0);
    menu(2);
    select();
    down();
    select();
    ASSERT_EQ(g->m_bCTrain, 1);
    down();
    select();  // "売却"
    EXPECT_EQ(g->TrainY[1], -2);
    EXPECT_EQ(g->m_bCTrain, 0);
    EXPECT_EQ(g->m_bTrain, 1);
    EXPECT_EQ(funds(), 100000 + MainCanvas::getTrainRefund(0));
    EXPECT_EQ(text(g->m_iWndTrainList, 1), "02  -----");
    // Select on a train that is on the map does nothing.
    train(2, 5, 5, 0);
    g->putTrainList();
    down();
    select();
    EXPECT_EQ(g->m_bCTrain, 0);
    EXPECT_EQ(g->m_iCmdNow, 0);
}

TEST_F(Commands, APurchaseBeyondTheFundsKeepsTheWindowOpen) {
    g->m_la[1] = 10000;
    menu(2);
    select();
    select();
    select();
    EXPECT_EQ(message(), sjis("資金不足です"));
    EXPECT_EQ(g->m_iMsgWait, -1);
    EXPECT_EQ(g->m_iCmdNow, 300);
    EXPECT_EQ(g->m_bBuyTrain, 1);
    EXPECT_EQ(g->m_bYesNo, 1);
    EXPECT_TRUE(highlighted(g->m_iWndYesNo, 0));
    EXPECT_EQ(g->TrainY[0], -2);
    right();  // other keys leave the message
    EXPECT_EQ(g->m_iMsgWait, -1);
    EXPECT_EQ(g->m_iYesNoPos, 0);
    cancel();  // dismisses the message only
    EXPECT_EQ(g->m_iMsgWait, 0);
    EXPECT_EQ(g->m_bBuyTrain, 1);
    cancel();
    EXPECT_EQ(g->m_bBuyTrain, 0);
    EXPECT_EQ(g->m_iCmdNow, 0);
    EXPECT_FALSE(fundShown());
    EXPECT_FALSE(highlighted(g->m_iWndYesNo, 0));
    EXPECT_EQ(g->m_bTrain, 1);
    EXPECT_EQ(funds(), 10000);
}

TEST_F(Commands, TrainCommandWindowFollowsTurnsAndRemovesTheTrain) {
    track(20, 15, 2, 10, 0x44);
    train(0, 20, 20, 2);
    g->m_iTrainC = 3;  // the list's selection plays no part here
    select();
    EXPECT_EQ(g->m_bTrainCmd, 1);
    EXPECT_EQ(g->m_iTrainNo, 0);
    EXPECT_EQ(g->m_iCursor, 0);
    EXPECT_EQ(clockHold(), 2);
    paint();
    EXPECT_EQ(text(g->m_iWndTrainState, 0), sjis("  0名"));
    EXPECT_EQ(text(g->m_iWndTrainState, 1), "20,20");

    select();  // "ロック"
    EXPECT_EQ(g->m_bTrainLock, 1);
    EXPECT_EQ(g->m_bTrainCmd, 0);
    EXPECT_EQ(clockHold(), 0);
    const int64_t clock = g->m_la[0];
    press(keycode::kFaster);  // the function keys work while following
    EXPECT_EQ(g->m_sba[4], 2);
    EXPECT_GT(g->m_la[0], clock);
    g->TrainX[0] = 22;  // it runs on before the player stops following it
    select();
    EXPECT_EQ(g->m_bTrainLock, 0);
    EXPECT_EQ(g->m_bTrainCmd, 1);
    EXPECT_EQ(clockHold(), 2);
    EXPECT_EQ(cursorY(), 20);
    EXPECT_EQ(cursorX(), 22);
    EXPECT_EQ(g->m_swa[5] + g->m_swa[9], 22);

    down();
    select();  // "方向"
    EXPECT_EQ(g->m_iArrow, 2);
    EXPECT_EQ(g->m_bTrainCmd, 0);
    EXPECT_EQ(clockHold(), 2);
    right();
    select();
    EXPECT_EQ(g->TrainV[0], 6);
    EXPECT_EQ(g->TrainV[3], 0);
    EXPECT_EQ(g->m_iArrow, -1);
    EXPECT_EQ(g->m_bTrainCmd, 1);

    g->m_la[1] = 200;
    down();
    select();  // "撤去"
    EXPECT_EQ(g->TrainY[0], -1);
    EXPECT_EQ(funds(), -300);
    EXPECT_EQ(clockHold(), 0);
    EXPECT_EQ(g->m_iCursor, 1);
    EXPECT_EQ(g->m_iTrainNo, -1);
    EXPECT_EQ(g->m_bTrainCmd, 0);
}

TEST_F(Commands, SelectOnTheMapOpensWhatTheCellHolds) {
    struct Case {
        const char* name;
        int kind, mask;
        bool train;
        int trainCmd, pointDia, stationDia, hold;
    };
    const Case cases[] = {
        {"a train on plain track", 4, 0x44, true, 1, 0, 0, 2},
        {"a junction", 4, 0x46, false, 0, 1, 0, 2},
        {"a train on a junction", 4, 0x46, true, 1, 0, 0, 2},
        {"a station", 5, 0, false, 0, 0, 1, 2},
        {"a train in a station", 5, 0, true, 1, 0, 1, 4},
        {"a field", 2, 0, false, 0, 0, 0, 0},
        {"a corner of track", 4, 0x41, false, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        g->setMapTyp(20, 20, c.kind, c.kind == 5 ? 0 : c.mask);
        g->StationY[0] = c.kind == 5 ? 20 : -1;
        g->StationX[0] = 20;
        g->PointY[0] = c.mask == 0x46 ? 20 : -1;
        g->PointX[0] = 20;
        g->TrainY.fill(-2);
        if (c.train) train(0, 20, 20, 2);
        select();
        EXPECT_EQ(g->m_bTrainCmd, c.trainCmd) << c.name;
        EXPECT_EQ(g->m_bPointDia, c.pointDia) << c.name;
        EXPECT_EQ(g->m_bStationDia, c.stationDia) << c.name;
        EXPECT_EQ(clockHold(), c.hold) << c.name;
        paint();
        // The editor is served first; each window gives its hold back when it closes.
        while (g->m_bPointDia || g->m_bStationDia || g->m_bTrainCmd)
            cancel();
        EXPECT_EQ(clockHold(), 0) << c.name;
        EXPECT_EQ(g->m_iCursor, 1) << c.name;
    }
}

TEST_F(Commands, AnsweringAQuestionHidesTheFundWindow) {
    press(keycode::kFund);
    EXPECT_TRUE(fundShown());
    press(keycode::kFund);
    EXPECT_FALSE(fundShown());
    press(keycode::kFund);
    startCommand(0, 1);
    g->setMapTyp(20, 20, 4, 0x44);
    select();
    ASSERT_EQ(g->m_iCmdNow, 111);
    EXPECT_TRUE(fundShown());
    press(keycode::kFund);  // toggled off while the question is open
    EXPECT_FALSE(fundShown());
    EXPECT_EQ(g->m_iCmdNow, 111);
    press(keycode::kFund);
    cancel();
    EXPECT_FALSE(fundShown());  // the player's own setting is not restored
    EXPECT_EQ(g->m_iCmdNow, 110);
}

TEST_F(Commands, FunctionMenuTogglesTrainNumbers) {
    startCommand(4, 0);
    EXPECT_EQ(g->m_bPutTNo, 1);
    EXPECT_EQ(g->m_bCFunc, 0);
    EXPECT_EQ(g->m_bCmd, 1);
    EXPECT_FALSE(highlighted(g->m_iWndCFunc, 0));
    select();
    select();
    EXPECT_EQ(g->m_bPutTNo, 0);
    select();
    cancel();  // closes the sub-menu and changes nothing
    EXPECT_EQ(g->m_bPutTNo, 0);
    EXPECT_EQ(g->m_bCFunc, 0);
    EXPECT_EQ(g->m_bCmd, 1);
    cancel();
    EXPECT_EQ(clockHold(), 0);
}

// Every window opened and closed gives back exactly the hold it took, with and without the
// pause bit, and the clock runs again afterwards.
TEST_F(Commands, ClockHoldStaysBalanced) {
    track(20, 15, 2, 10, 0x44);
    g->setMapTyp(10, 10, 5, 0);
    g->StationY[0] = 10;
    g->StationX[0] = 10;
    g->TrainY[1] = -1;
    for (int pause : {0, 1}) {
        g->m_sba[3] = static_cast<int8_t>(pause);
        cursorAt(20, 20);
        for (int item = 0; item < 5; item++) {
            menu(item);
            select();
            cancel();  // a sub-menu, or the train list
            cancel();
            ASSERT_EQ(clockHold(), pause) << item;
        }
        startCommand(0, 0);  // lay, then step all the way back
        select();
        right(2);
        select();
        cancel();
        cancel();
        cancel();
        cancel();
        EXPECT_EQ(clockHold(), pause);
        menu(2);  // the train list, the sub-menu of an unplaced train, placing
        select();
        if (g->m_iTrainC == 0) down();
        select();
        select();
        ASSERT_EQ(g->m_iCmdNow, 310);
        cancel();
        cancel();
        cancel();
        EXPECT_EQ(clockHold(), pause);
        cursorAt(20, 20);
        train(0, 20, 20, 2);
        select();
        ASSERT_EQ(g->m_bTrainCmd, 1);
        select();  // follow
        ASSERT_EQ(g->m_bTrainLock, 1);
        EXPECT_EQ(clockHold(), pause);
        cancel();
        cancel();
        EXPECT_EQ(clockHold(), pause);
        g->TrainY[0] = -2;
        cursorAt(10, 10);
        select();
        ASSERT_EQ(g->m_bStationDia, 1);
        EXPECT_EQ(clockHold(), pause + 2);
        cancel();
        EXPECT_EQ(clockHold(), pause);
        EXPECT_EQ(g->m_iCursor, 1);
    }
    g->m_sba[3] = 0;
    const int64_t clock = g->m_la[0];
    tick(16);
    EXPECT_GT(g->m_la[0], clock);
}

}  // namespace
