#include <gtest/gtest.h>

#include "game_fixture.h"

namespace {

class Keys : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        g->initKey();
    }
    // One frame's scan with the given desktop keys down.
    void frame(std::initializer_list<int> down) {
        g->m_btaKey.fill(0);
        for (int k : down)
            g->keyDown(k);
        g->m_scanKey();
    }
    // A menu window with three white-on-black items and its cursor highlighted on item 0.
    int menu() {
        int w = g->m_tuw.add(0, 0, 10, 10, 0);
        for (int i = 0; i < 3; i++)
            g->m_tuw.addText(w, i, 0, 0xFFFFFF, 0, J_String("x"));
        g->m_tuw.startCmd(w);
        return w;
    }
    bool highlighted(int w, int i) {
        return g->m_tuw.m_t.m_iaBC[g->m_tuw.getText(w, i)] == 0xFFFFFF;
    }
};

TEST_F(Keys, StatesCountFramesDownAndUp) {
    for (int i = 1; i <= 130; i++) {
        frame({keycode::kUp});
        ASSERT_EQ(MainCanvas::m_sbaKey[0], i < 127 ? i : 127);
    }
    for (int i = 0; i <= 130; i++) {
        frame({});
        ASSERT_EQ(MainCanvas::m_sbaKey[0], -i > -128 ? -i : -128);
    }
}

TEST_F(Keys, CancelFollowsSoftKeyAndDigitZeroAsOneKey) {
    frame({keycode::kCancel, keycode::kKeypad0});
    EXPECT_EQ(MainCanvas::m_sbaKey[5], 1);
    frame({keycode::kKeypad0});
    EXPECT_EQ(MainCanvas::m_sbaKey[5], 2);
    EXPECT_EQ(MainCanvas::m_sbaKey[9], 2);
    EXPECT_EQ(MainCanvas::m_sbaKey[7], 0);  // soft key 1 alone went up
}

TEST_F(Keys, MapCursorRepeatsOnOddCountsAboveTen) {
    std::vector<int> moves;
    for (int i = 1; i <= 20; i++) {
        frame({keycode::kUp});
        if (MainCanvas::keyRepeats(0, 10)) moves.push_back(i);
    }
    EXPECT_EQ(moves, (std::vector<int>{1, 11, 13, 15, 17, 19}));
}

TEST_F(Keys, MenuCursorWrapsAndReportsSelectAndCancel) {
    int w = menu();
    frame({keycode::kUp});  // from item 0 up to the last item
    EXPECT_EQ(g->checkWndKey(w), 0);
    EXPECT_EQ(g->m_tuw.cmdPos(w), 2);
    EXPECT_TRUE(highlighted(w, 2));
    EXPECT_FALSE(highlighted(w, 0));
    frame({keycode::kDown});
    EXPECT_EQ(g->checkWndKey(w), 0);
    EXPECT_EQ(g->m_tuw.cmdPos(w), 0);
    frame({keycode::kDown});  // held: no repeat in menus
    frame({keycode::kDown});
    EXPECT_EQ(g->checkWndKey(w), 0);
    EXPECT_EQ(g->m_tuw.cmdPos(w), 0);
    frame({keycode::kUp, keycode::kDown});  // down then up in one frame: back where it was
    frame({});
    frame({keycode::kUp, keycode::kDown});
    EXPECT_EQ(g->checkWndKey(w), 0);
    EXPECT_EQ(g->m_tuw.cmdPos(w), 0);
    EXPECT_TRUE(highlighted(w, 0));
    frame({keycode::kEnter});
    EXPECT_EQ(g->checkWndKey(w), 1);
    frame({});
    frame({keycode::kCancel});
    EXPECT_EQ(g->checkWndKey(w), -1);
}

class YesNo : public Keys {
protected:
    int form = 0;
    void SetUp() override {
        Keys::SetUp();
        g->m_tuw.add(0, 0, 1, 1);  // window 0: "no rows above" for the routine
        g->m_iWndYesNo = g->m_tuw.add(0, 0, 10, 10, 0);
        g->m_tuw.addText(g->m_iWndYesNo, 0, 0, 0xFFFFFF, 0, J_String("y"));
        g->m_tuw.addText(g->m_iWndYesNo, 0, 5, 0xFFFFFF, 0, J_String("n"));
        form = g->m_tuw.add(0, 0, 10, 10, 153);
        g->m_tuw.addText(form, 0, 0, 0xFFFFFF, 153, J_String("id"));
        g->m_tuw.addText(form, 1, 0, 0xFFFFFF, 153, J_String("pw"));
        g->m_bYesNo = 1;
        g->m_iYesNoPos = 0;
        g->m_iYesNoY = 0;
        g->m_tuw.swapTextColor(g->m_iWndYesNo, 0);
    }
    int fc(int w, int i) { return g->m_tuw.m_t.m_iaFC[g->m_tuw.getText(w, i)]; }
    void release() { frame({}); }
};

TEST_F(YesNo, AnswerSwitchesAndSelectReturnsIt) {
    frame({keycode::kRight});
    EXPECT_EQ(g->checkYesNoKey(form, 0), 0);
    EXPECT_EQ(g->m_iYesNoPos, 1);
    EXPECT_EQ(fc(g->m_iWndYesNo, 1), 0);  // "no" highlighted
    EXPECT_EQ(fc(g->m_iWndYesNo, 0), 0xFFFFFF);
    release();
    frame({keycode::kEnter});
    EXPECT_EQ(g->checkYesNoKey(form, 0), 2);
    EXPECT_EQ(g->m_bYesNo, 0);
    EXPECT_EQ(fc(g->m_iWndYesNo, 1), 0xFFFFFF);  // un-highlighted on the way out
}

TEST_F(YesNo, RowsAboveHighlightAndGreyTheOtherAnswer) {
    frame({keycode::kUp});
    g->checkYesNoKey(form, 0);
    EXPECT_EQ(g->m_iYesNoY, -1);
    EXPECT_EQ(fc(form, 1), 153);                 // password row highlighted
    EXPECT_EQ(fc(g->m_iWndYesNo, 0), 0xFFFFFF);  // chosen answer normal
    EXPECT_EQ(fc(g->m_iWndYesNo, 1), 0x666666);  // other answer grey
    release();
    frame({keycode::kUp});
    g->checkYesNoKey(form, 0);
    release();
    frame({keycode::kUp});  // already on the top row
    g->checkYesNoKey(form, 0);
    EXPECT_EQ(g->m_iYesNoY, -2);
    EXPECT_EQ(fc(form, 0), 153);
    EXPECT_EQ(fc(form, 1), 0xFFFFFF);
    release();
    frame({keycode::kEnter});  // select on a row above leaves the decision to the caller
    EXPECT_EQ(g->checkYesNoKey(form, 0), 1);
    EXPECT_EQ(g->m_iYesNoY, -2);
    release();
    frame({keycode::kCancel});
    EXPECT_EQ(g->checkYesNoKey(form, 0), -1);
    EXPECT_EQ(fc(form, 0), 0xFFFFFF);
    EXPECT_EQ(fc(g->m_iWndYesNo, 1), 0xFFFFFF);
    EXPECT_EQ(g->m_bYesNo, 0);
}

TEST_F(YesNo, WindowZeroIgnoresUpAndDown) {
    frame({keycode::kUp});
    EXPECT_EQ(g->checkYesNoKey(0, 0), 0);
    EXPECT_EQ(g->m_iYesNoY, 0);
}

TEST_F(YesNo, PurchaseRowsChangeModelAndColourWithinLimits) {
    g->m_bBuyTrain = 1;
    g->m_iBuyTrain = 27;
    g->BuyTrainClr[27] = 0xFF9999;
    frame({keycode::kUp});
    g->checkYesNoKey(form, 1);
    release();
    frame({keycode::kUp});
    g->checkYesNoKey(form, 1);
    EXPECT_EQ(g->m_iYesNoY, -2);
    release();
    frame({keycode::kRight});  // the last model stays the last
    g->checkYesNoKey(form, 1);
    EXPECT_EQ(g->m_iBuyTrain, 27);
    release();
    frame({keycode::kDown});
    g->checkYesNoKey(form, 1);
    EXPECT_EQ(g->m_iYesNoY, -1);
    release();
    frame({keycode::kRight});  // choose the red channel
    g->checkYesNoKey(form, 1);
    EXPECT_EQ(g->m_iBuyTrainClr, 1);
    release();
    frame({keycode::kUp});  // red at 255 stays there
    g->checkYesNoKey(form, 1);
    EXPECT_EQ(g->BuyTrainClr[27], 0xFF9999);
    release();
    frame({keycode::kDown});
    g->checkYesNoKey(form, 1);
    EXPECT_EQ(g->BuyTrainClr[27], 0xFE9999);
    EXPECT_EQ(g->m_iYesNoY, -1);
    release();
    frame({keycode::kEnter});  // "yes" on an upper row of the purchase window buys
    EXPECT_EQ(g->checkYesNoKey(form, 1), 1);
    EXPECT_EQ(g->m_iYesNoY, 0);
}

}  // namespace
