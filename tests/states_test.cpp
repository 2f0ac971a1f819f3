#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game_fixture.h"
#include "text_helpers.h"

namespace {

// The title, menus, login form and ranking screens driven with the keys.
class States : public GameFixture {
protected:
    std::vector<std::string> pages;

    void SetUp() override {
        GameFixture::SetUp();
        g->m_onBrowse = [this](const char* url) { pages.push_back(url); };
        boot();
        tick(24);  // line the frames up with the 16 ms quanta
    }
    // A white-on-black item is highlighted when its colours are swapped.
    bool highlighted(int w, int i) {
        return g->m_tuw.m_t.m_iaBC[g->m_tuw.getText(w, i)] == 0xFFFFFF;
    }
    std::string text(int w, int i) { return bytes(g->m_tuw.m_t.m_sa[g->m_tuw.getText(w, i)]); }
    void select() { press(keycode::kEnter); }
    void cancel() { press(keycode::kCancel); }
    void down() { press(keycode::kDown); }
    void up() { press(keycode::kUp); }
};

TEST_F(States, NewGameFromTheTitle) {
    EXPECT_EQ(g->m_iState, 2);
    EXPECT_TRUE(highlighted(g->m_iWndTitleMenu, 0));
    select();
    // The select frame goes to 9, the next frame enters the game.
    EXPECT_EQ(g->m_iState, 10);
    EXPECT_FALSE(highlighted(g->m_iWndTitleMenu, 0));
    EXPECT_EQ(g->m_la[0] / 1000 * 1000 >= MainCanvas::GAME_START, true);
    EXPECT_EQ(g->m_la[1], 100000);
    EXPECT_EQ(g->m_iCursor, 1);
    EXPECT_EQ(g->m_iFY, -1);
}

TEST_F(States, ContinueWithoutASavedGameReturnsToTheTitle) {
    down();
    select();
    tick(16);
    EXPECT_EQ(g->m_iState, 2);
    EXPECT_EQ(g->m_tuw.cmdPos(g->m_iWndTitleMenu), 1);
    EXPECT_TRUE(highlighted(g->m_iWndTitleMenu, 1));
    EXPECT_FALSE(highlighted(g->m_iWndTitleMenu, 0));
}

TEST_F(States, OtherMenuOpensPagesAndComesBack) {
    down();
    down();
    select();
    EXPECT_EQ(g->m_iState, 3);
    down();
    select();
    down();
    select();
    EXPECT_EQ(g->m_iState, 3);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0], std::string(VALMORE_TEST_SERVICE_URL) + "personal/entry.php");
    EXPECT_EQ(pages[1], std::string(VALMORE_TEST_SERVICE_URL) + "personal/");
    cancel();
    EXPECT_EQ(g->m_iState, 2);
}

TEST_F(States, FailedLoginShowsTheMessageUntilDismissed) {
    down();
    down();
    select();
    select();  // "log in"
    ASSERT_EQ(g->m_iState, 4);
    EXPECT_TRUE(highlighted(g->m_iWndYesNo, 0));
    select();  // "yes" on the answer row: the request starts on the next frame
    EXPECT_EQ(g->m_iState, 4);
    EXPECT_EQ(g->m_iMsgWait, -1);
    // "ID又はPASSが違います"
    EXPECT_EQ(text(g->m_iWndMsg, 0),
              "ID\x96\x94\x82\xcd"
              "PASS\x82\xaa\x88\xe1\x82\xa2\x82\xdc\x82\xb7");
    EXPECT_EQ(g->m_bLogin, 0);
    cancel();  // only select dismisses it
    EXPECT_EQ(g->m_iMsgWait, -1);
    select();
    EXPECT_EQ(g->m_iMsgWait, 0);
    EXPECT_EQ(g->m_iState, 4);
    EXPECT_TRUE(highlighted(g->m_iWndYesNo, 0));
    cancel();
    EXPECT_EQ(g->m_iState, 3);
    EXPECT_EQ(g->m_bYesNo, 0);
}

TEST_F(States, TypedPasswordIsStoredCutToItsField) {
    int opened = 0;
    g->m_onImeOn = [&] { opened++; };
    down();
    down();
    select();
    select();
    up();  // the password row
    EXPECT_EQ(g->m_iYesNoY, -1);
    g->keyDown(keycode::kEnter);
    tick(16);
    EXPECT_EQ(MainCanvas::m_b2IME, 1);
    tick(1);
    EXPECT_EQ(opened, 0);  // still held
    g->keyUp(keycode::kEnter);
    tick(1);
    EXPECT_EQ(opened, 1);
    Canvas::callbackIME(" pass-word-that-is-too-long ");
    tick(16);
    EXPECT_EQ(MainCanvas::m_b2IME, 0);
    std::string pass(reinterpret_cast<const char*>(g->LoginPass.data()), 15);
    EXPECT_EQ(pass, " pass-word-that");  // spaces kept, cut at 15 bytes
    EXPECT_EQ(g->LoginID[0], 0);
}

// The upload moves the saved game to the service; when it cannot be sent, the local
// save must still hold the whole game afterwards.
TEST_F(States, FailedUploadKeepsTheWholeLocalSave) {
    g->newGame();
    ASSERT_EQ(g->saveGame(1, 0), 1);
    ASSERT_EQ(std::filesystem::file_size("savedata.bin"), 35081u);
    g->m_bLogin = 1;
    down();
    down();
    select();
    ASSERT_EQ(g->m_iState, 6);
    select();  // "send data": the request runs on the next frame
    EXPECT_EQ(g->m_iState, 6);
    EXPECT_EQ(std::filesystem::file_size("savedata.bin"), 35081u);
    // "continue" still finds the game (and, as every continue does, leaves a header)
    cancel();
    up();
    select();
    tick(16);
    EXPECT_EQ(g->m_iState, 10);
    EXPECT_EQ(std::filesystem::file_size("savedata.bin"), 37u);
}

class GameOver : public States {
protected:
    void SetUp() override {
        States::SetUp();
        select();
        ASSERT_EQ(g->m_iState, 10);
        g->m_la[0] = MainCanvas::GAME_END - 1000;
        tick(16);
        ASSERT_EQ(g->m_iState, 11);
    }
    // Answers the ranking question with "yes" and sends from the entry screen.
    void sendScore() {
        select();
        ASSERT_EQ(g->m_iState, 12);
        down();
        select();
        ASSERT_EQ(g->m_iState, 14);
    }
};

TEST_F(GameOver, ResultPanelShowsBothScoresAndAsksForANewRecord) {
    EXPECT_EQ(text(g->m_iWndRank, 2), "             0");
    EXPECT_EQ(text(g->m_iWndRank, 4), "       100,000");
    // "ランキング送信？", with "yes" lit
    EXPECT_EQ(text(g->m_iWndRank, 5),
              "\x83\x89\x83\x93\x83\x4c\x83\x93\x83\x4f\x91\x97\x90\x4d\x81\x48");
    EXPECT_EQ(g->m_bYesNo, 1);
    EXPECT_TRUE(highlighted(g->m_iWndYesNo, 0));
    g->m_la[4] = 100000;  // the same score again is no record
    g->m_tuw.swapTextColor(g->m_iWndYesNo, 0);
    g->m_bYesNo = 0;
    g->drawRank();
    // "記録更新ならず"
    EXPECT_EQ(text(g->m_iWndRank, 5), "\x8b\x4c\x98\x5e\x8d\x58\x90\x56\x82\xc8\x82\xe7\x82\xb8");
    EXPECT_EQ(g->m_bYesNo, 0);
    EXPECT_FALSE(highlighted(g->m_iWndYesNo, 0));
}

TEST_F(GameOver, NoNewRecordGoesBackToTheTitle) {
    g->m_la[4] = 1000000;
    cancel();
    EXPECT_EQ(g->m_iState, 2);
    EXPECT_TRUE(highlighted(g->m_iWndTitleMenu, 0));
}

TEST_F(GameOver, SendingTheScoreWithoutTheServiceReportsFailure) {
    select();
    ASSERT_EQ(g->m_iState, 12);
    EXPECT_TRUE(highlighted(g->m_iWndEntryCmd, 0) ||
                g->m_tuw.m_t.m_iaFC[g->m_tuw.getText(g->m_iWndEntryCmd, 0)] == 0x666666);
    down();
    select();  // "send"
    EXPECT_EQ(g->m_iState, 14);
    // "通信に失敗しました"
    EXPECT_EQ(text(g->m_iWndRankResultMain, 0),
              "\x92\xca\x90\x4d\x82\xc9\x8e\xb8\x94\x73\x82\xb5\x82\xdc\x82\xb5\x82\xbd");
    select();  // "continue the game": the clock runs on past the end, never found again
    EXPECT_EQ(g->m_iState, 10);
    EXPECT_GT(g->m_la[0], MainCanvas::GAME_END);
    tick(16);
    EXPECT_EQ(g->m_iState, 10);
}

TEST_F(GameOver, PausedGameAtTheEndReturnsToTheResult) {
    sendScore();
    g->m_sba[3] = 1;
    select();
    EXPECT_EQ(g->m_iState, 11);
}

TEST_F(GameOver, RankingListAndTitleFromTheResult) {
    sendScore();
    down();
    select();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0], std::string(VALMORE_TEST_SERVICE_URL) + "personal/putrank.php?ap=tarvo");
    down();
    select();
    EXPECT_EQ(g->m_iState, 2);
}

}  // namespace
