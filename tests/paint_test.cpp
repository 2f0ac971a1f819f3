// Screen composition: which windows each state draws, where the yes/no window
// goes, and the frame and repaint flags around a paint.
#include <gtest/gtest.h>

#include "game_fixture.h"

namespace {

constexpr uint32_t kBlack = 0xFF000000u;
constexpr uint32_t kWhite = 0xFFFFFFFFu;
constexpr uint32_t kBlue = 0xFFFF0000u;  // packed blue, opaque
// The game screens draw the map first; before a game has set the cell size it is all
// background (0x000066, packed).
constexpr uint32_t kMapBackground = 0xFF660000u;

class PaintTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        g->m_g.m_onPresent = [this](const uint32_t*, int, int) { presents++; };
    }

    // Fills the whole back buffer with blue, so that what a paint leaves alone shows.
    void clearToBlue() {
        g->m_g.lock();
        g->m_g.setColor(Graphics::getColorOfRGB(0, 0, 255));
        g->m_g.fillRect(0, 0, 480, 480);
        g->m_g.unlock(1);
        presents = 0;
    }

    void paint() { g->paint(g->m_g); }
    uint32_t at(int x, int y) const { return g->m_g.getPixel(x, y); }

    int presents = 0;
};

TEST_F(PaintTest, NothingIsDrawnBeforeBootOrWhileTextEntryIsOpen) {
    g->m_bRepaint = 1;
    paint();
    EXPECT_EQ(presents, 0);
    EXPECT_EQ(g->m_bRepaint, 1);

    boot();
    MainCanvas::m_b2IME = 2;
    g->m_bRepaint = 1;
    paint();
    EXPECT_EQ(presents, 0);
    EXPECT_EQ(g->m_bRepaint, 1);
    MainCanvas::m_b2IME = 0;
}

TEST_F(PaintTest, TheTitleShowsTheMenuWithItsFirstItemHighlighted) {
    boot();
    ASSERT_EQ(g->m_iState, 2);
    g->m_bRepaint = 1;
    paint();
    EXPECT_EQ(presents, 1);
    EXPECT_EQ(g->m_bRepaint, 0);
    EXPECT_EQ(g->m_bPaint, 0);
    EXPECT_EQ(at(5, 5), kBlack);      // the title background
    EXPECT_EQ(at(144, 192), kWhite);  // the highlighted "new game" box
    EXPECT_EQ(at(144, 240), kBlack);  // "continue", not highlighted
}

TEST_F(PaintTest, TheStartingStateIsABlackScreen) {
    boot();
    clearToBlue();
    g->m_iState = 9;
    paint();
    for (int y = 0; y < 480; y += 7) {
        for (int x = 0; x < 480; x += 7)
            ASSERT_EQ(at(x, y), kBlack) << x << "," << y;
    }
}

TEST_F(PaintTest, TheLoginFormShowsTheIdAndThePasswordAsAsterisks) {
    boot();
    g->m_iState = 4;
    const char id[] = "abc";
    const char pass[] = "secret";
    std::copy(id, id + 3, g->LoginID.begin());
    std::copy(pass, pass + 6, g->LoginPass.begin());
    paint();
    const UxWnd2& t = g->m_tuw;
    EXPECT_EQ(t.m_t.m_sa[t.getText(g->m_iWndTitleLogin, 4)], J_String("abc"));
    EXPECT_EQ(t.m_t.m_sa[t.getText(g->m_iWndTitleLogin, 5)], J_String("******"));
    EXPECT_EQ(t.m_iaY[g->m_iWndYesNo], 288);
    EXPECT_EQ(at(479, 192), 0xFF990000u);  // the dark blue band
}

TEST_F(PaintTest, ProgressStatesDrawOnlyTheMessageOverTheLastPicture) {
    boot();
    clearToBlue();
    g->m_iState = 7;
    paint();
    EXPECT_EQ(presents, 1);
    EXPECT_EQ(at(0, 0), kBlue);
    EXPECT_EQ(at(479, 271), kBlack);  // the message window, 208..271
    EXPECT_EQ(at(479, 272), kBlue);
}

TEST_F(PaintTest, GameOverAsksAboutTheRankingOnlyForANewBest) {
    boot();
    g->m_iState = 11;
    g->m_la[1] = 100;
    g->m_la[3] = 0;
    g->m_la[4] = 100;
    clearToBlue();
    paint();
    EXPECT_EQ(at(30, 400), kMapBackground);  // no yes/no window
    EXPECT_EQ(at(40, 80), 0xFF990000u);      // the result window

    g->m_la[4] = 99;
    paint();
    EXPECT_EQ(g->m_tuw.m_iaY[g->m_iWndYesNo], 384);
    EXPECT_EQ(at(30, 400), kBlack);
}

TEST_F(PaintTest, TheGameScreenDrawsTheOpenMenusAndWindows) {
    boot();
    g->m_iState = 10;
    clearToBlue();
    paint();
    EXPECT_EQ(at(150, 300), kMapBackground);  // nothing open: only the map
    EXPECT_EQ(at(479, 479), kMapBackground);  // no fund window

    g->m_bCmd = 1;
    g->m_bCRail = 1;
    g->m_sba[5] = 1;
    g->m_iMsgWait = 5;
    paint();
    EXPECT_EQ(at(151, 323), kBlack);          // the command menu's bottom-right corner
    EXPECT_EQ(at(263, 159), kBlack);          // the track sub-menu
    EXPECT_EQ(at(263, 200), kMapBackground);  // the station sub-menu is closed
    EXPECT_EQ(at(479, 479), kBlack);          // the fund window
    EXPECT_EQ(at(479, 230), kBlack);          // the message window

    clearToBlue();
    g->m_bCmd = 0;
    g->m_bCRail = 0;
    g->m_bCTrain = 1;  // opened from the train list
    g->m_sba[5] = 0;
    g->m_iMsgWait = 0;
    g->m_bYesNo = 1;
    paint();
    EXPECT_EQ(at(151, 280), kMapBackground);  // the command menu is closed
    EXPECT_EQ(at(479, 159), kBlack);          // the train sub-menu
    EXPECT_EQ(g->m_tuw.m_iaY[g->m_iWndYesNo], 288);
    EXPECT_EQ(at(30, 350), kBlack);  // the yes/no window, 288..359
}

TEST_F(PaintTest, ScoreEntryAndRankingResultAreFullScreen) {
    boot();
    for (int state : {12, 14}) {
        clearToBlue();
        g->m_iState = state;
        paint();
        EXPECT_EQ(at(479, 0), kBlack) << state;
        EXPECT_EQ(at(479, 479), kBlack) << state;
    }
}

}  // namespace
