// The map cursor in the game screen (repeat, map edges, screen margins, the 3D fine cursor) and
// the function keys (pause, game speed, zoom, view), driven by the keys.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "in_game.h"

namespace {

class CursorKeys : public InGame {};

TEST_F(CursorKeys, HeldKeyMovesOnTheFirstFrameAndOnOddCountsAboveTen) {
    std::vector<int> moves;
    g->keyDown(keycode::kRight);
    int before = cursorX();
    for (int frame = 1; frame <= 20; frame++) {
        tick(16);
        if (cursorX() != before) moves.push_back(frame);
        before = cursorX();
    }
    g->keyUp(keycode::kRight);
    EXPECT_EQ(moves, (std::vector<int>{1, 11, 13, 15, 17, 19}));
}

// A long run toward each edge of the map ends on its last row or column; a further press
// leaves the cursor there and still clears the message.
TEST_F(CursorKeys, RunsStopAtTheMapEdges) {
    struct Case {
        const char* name;
        int key;
        int row, column;  // where the run ends
    };
    const Case cases[] = {
        {"up", keycode::kUp, 63, 20},
        {"down", keycode::kDown, 0, 20},
        {"left", keycode::kLeft, 20, 0},
        {"right", keycode::kRight, 20, 63},
    };
    for (const Case& c : cases) {
        cursorAt(20, 20);
        for (int i = 0; i < 70; i++)
            press(c.key);
        EXPECT_EQ(cursorY(), c.row) << c.name;
        EXPECT_EQ(cursorX(), c.column) << c.name;
        const int screenY = g->m_swa[4], screenX = g->m_swa[5];
        g->putMsg("x", 500);
        press(c.key);
        EXPECT_EQ(g->m_iMsgWait, 0) << c.name;
        EXPECT_EQ(cursorY(), c.row) << c.name;
        EXPECT_EQ(cursorX(), c.column) << c.name;
        EXPECT_EQ(g->m_swa[4], screenY) << c.name;
        EXPECT_EQ(g->m_swa[5], screenX) << c.name;
        // The cursor cell is always where the screen cursor is on the scrolled map.
        EXPECT_EQ(g->m_swa[4] + g->m_swa[8], cursorY()) << c.name;
        EXPECT_EQ(g->m_swa[5] + g->m_swa[9], cursorX()) << c.name;
    }
}

// Near the top the cursor keeps a row clear of the date bar, at the bottom it stays on
// screen row 2, or above the fund window while that is shown, and at the left it keeps one
// column clear.
TEST_F(CursorKeys, ScreenMarginsScrollTheMap) {
    struct Case {
        const char* name;
        int key;
        int fund;
        int screenRow, screenColumn;  // where the cursor stops moving on screen
    };
    // 480 x 480 at 27-pixel cells with a 48-pixel font: (row + 2) x 27 < 432 up to row 14;
    // the fund window covers 96 / 27 = 3 rows.
    const Case cases[] = {
        {"up", keycode::kUp, 0, 14, 9},
        {"down", keycode::kDown, 0, 2, 9},
        {"down over the fund window", keycode::kDown, 1, 5, 9},
        {"left", keycode::kLeft, 0, 9, 1},
    };
    for (const Case& c : cases) {
        cursorAt(30, 30);
        g->m_sba[5] = static_cast<int8_t>(c.fund);
        for (int i = 0; i < 12; i++)
            press(c.key);
        EXPECT_EQ(g->m_swa[4], c.screenRow) << c.name;
        EXPECT_EQ(g->m_swa[5], c.screenColumn) << c.name;
        // Every press moved the cursor cell, first on screen and then by scrolling.
        EXPECT_EQ(std::abs(cursorY() - 30) + std::abs(cursorX() - 30), 12) << c.name;
    }
}

class WideCursorKeys : public InGame {
protected:
    WideCursorKeys() { width = 640; }
};

TEST_F(WideCursorKeys, RightMovesUntilTheNextCellWouldReachTheWidthThenScrolls) {
    ASSERT_EQ(g->m_iBlockSize, 27);
    g->m_swa[9] = 0;
    g->m_swa[5] = 9;
    right(13);
    EXPECT_EQ(g->m_swa[5], 22);  // (22 + 2) x 27 = 648 reaches 640
    EXPECT_EQ(g->m_swa[9], 0);
    right();
    EXPECT_EQ(g->m_swa[5], 22);
    EXPECT_EQ(g->m_swa[9], 1);
    EXPECT_EQ(cursorX(), 23);
}

TEST_F(CursorKeys, FineCursorOfThe3DViewStaysOnTheMap) {
    g->m_sba[6] = 1;
    g->m_swa[2] = g->m_swa[3] = 500;
    // Left moves along the view's diagonal, by half the scale while the key is new.
    press(keycode::kLeft);
    EXPECT_EQ(g->m_swa[2], 503);
    EXPECT_EQ(g->m_swa[3], 497);
    hold(keycode::kUp, 120);
    EXPECT_EQ(g->m_swa[2], 1023);
    EXPECT_EQ(g->m_swa[3], 1023);
    EXPECT_EQ(cursorY(), 63);
    EXPECT_EQ(cursorX(), 63);
    hold(keycode::kDown, 200);
    EXPECT_EQ(g->m_swa[2], 0);
    EXPECT_EQ(g->m_swa[3], 0);
    EXPECT_EQ(cursorY(), 0);
    EXPECT_EQ(cursorX(), 0);
}

TEST_F(CursorKeys, PauseTogglesOnlyThePauseBit) {
    press(keycode::kPause);
    EXPECT_EQ(clockHold(), 1);
    EXPECT_EQ(message(), sjis("停止"));
    EXPECT_GT(g->m_iMsgWait, 0);
    const int64_t clock = g->m_la[0];
    tick(16);
    EXPECT_EQ(g->m_la[0], clock);  // paused
    press(keycode::kPause);
    EXPECT_EQ(clockHold(), 0);
    EXPECT_EQ(message(), sjis("再開"));
    tick(16);
    EXPECT_GT(g->m_la[0], clock);

    // While a window holds the clock the key does nothing.
    g->m_sba[3] = 2;
    g->m_iMsgWait = 0;
    press(keycode::kPause);
    EXPECT_EQ(clockHold(), 2);
    EXPECT_EQ(g->m_iMsgWait, 0);
}

TEST_F(CursorKeys, SpeedKeysStayWithinOneToTwentyFive) {
    struct Case {
        const char* name;
        int speed, key, after;
        const char* msg;  // nullptr: no message
    };
    const Case cases[] = {
        {"faster", 12, keycode::kFaster, 13, "ゲームスピード:13"},
        {"slower", 12, keycode::kSlower, 11, "ゲームスピード:11"},
        {"faster at 25", 25, keycode::kFaster, 25, nullptr},
        {"slower at 1", 1, keycode::kSlower, 1, nullptr},
        {"slower at 2", 2, keycode::kSlower, 1, "ゲームスピード:1"},
    };
    for (const Case& c : cases) {
        g->m_sba[4] = static_cast<int8_t>(c.speed);
        g->m_iMsgWait = 0;
        press(c.key);
        EXPECT_EQ(g->m_sba[4], c.after) << c.name;
        if (c.msg) {
            EXPECT_EQ(message(), sjis(c.msg)) << c.name;
            EXPECT_GT(g->m_iMsgWait, 0) << c.name;
        } else {
            EXPECT_EQ(g->m_iMsgWait, 0) << c.name;
        }
    }
}

TEST_F(CursorKeys, ZoomChangesTheCellSizeUntilTheScaleLimits) {
    const int before = g->m_iBlockSize;
    press(keycode::kZoomIn);
    EXPECT_GT(g->m_iBlockSize, before);
    EXPECT_EQ(g->m_swa[1], 6);
    press(keycode::kZoomOut);
    EXPECT_EQ(g->m_iBlockSize, before);
    EXPECT_EQ(g->m_swa[1], 7);

    g->m_swa[1] = 3;
    g->renewBlockSize(0);
    press(keycode::kZoomIn);
    EXPECT_EQ(g->m_swa[1], 3);
    g->m_swa[1] = 48;
    g->renewBlockSize(0);
    press(keycode::kZoomOut);
    EXPECT_EQ(g->m_swa[1], 48);
    // Every scale in between keeps the cursor on the screen and on the map.
    for (int i = 0; i < 50; i++) {
        press(keycode::kZoomIn);
        EXPECT_GE(g->m_swa[4], 0);
        EXPECT_LT((g->m_swa[4] + 1) * g->m_iBlockSize, 480);
        EXPECT_EQ(g->m_swa[4] + g->m_swa[8], cursorY());
    }
    EXPECT_EQ(g->m_swa[1], 3);
}

TEST_F(CursorKeys, ViewKeyKeepsTheTopDownViewAndLeavesA3DViewFromASave) {
    press(keycode::kView);
    EXPECT_EQ(g->m_sba[6], 0);
    EXPECT_EQ(cursorY(), 20);
    EXPECT_EQ(cursorX(), 20);

    // A game saved in the 3D view: the key brings the top-down view back, centred on the
    // cursor cell and kept on the map.
    g->m_sba[6] = 1;
    g->m_swa[2] = 60 * 16 + 8;
    g->m_swa[3] = 2 * 16 + 8;
    press(keycode::kView);
    EXPECT_EQ(g->m_sba[6], 0);
    EXPECT_EQ(g->m_swa[4], 8);
    EXPECT_EQ(g->m_swa[5], 8);
    EXPECT_EQ(g->m_swa[8], 52);
    EXPECT_EQ(g->m_swa[9], -6);
    EXPECT_EQ(cursorY(), 60);
    EXPECT_EQ(cursorX(), 2);
}

TEST_F(CursorKeys, FunctionKeysWaitWhileSelectOrCancelGoesDown) {
    g->keyDown(keycode::kPause);
    g->keyDown(keycode::kEnter);
    tick(16);
    g->keyUp(keycode::kPause);
    g->keyUp(keycode::kEnter);
    tick(16);
    EXPECT_EQ(clockHold(), 0);
    EXPECT_EQ(g->m_iMsgWait, 0);
}

}  // namespace
