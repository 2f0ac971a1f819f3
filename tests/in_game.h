#pragma once
// A game in the game screen, driven by the keys: started from the title, then given a plain
// world of fields at land level 0 (price 64) with empty tables, 100,000 in funds, no assets,
// the slowest speed and the free map cursor on map cell (20, 20).

#include <string>
#include <vector>

#include "blank_world.h"
#include "game_fixture.h"
#include "text_helpers.h"

namespace keycode {
// Digit keys 1 to 7 on the function keys F1 to F7.
constexpr int kPause = 59, kSlower = 60, kFaster = 61, kZoomIn = 62, kZoomOut = 63, kView = 64,
              kFund = 65;
}  // namespace keycode

class InGame : public GameFixture {
protected:
    // The drawing area; a test may change it before SetUp runs.
    int height = 480, width = 480;

    void SetUp() override {
        GameFixture::SetUp();
        g->_wm_size(height, width);
        boot();
        tick(24);  // line the frames up with the 16 ms quanta
        press(keycode::kEnter);
        ASSERT_EQ(g->m_iState, 10);
        makePlainMap(*g);
        g->m_la[3] = 0;
        g->setFund(100000);
        g->m_sba[4] = 1;
        g->m_sba[3] = 0;
        cursorAt(20, 20);
    }

    // Puts the 2D cursor on map cell (y, x), nine cells in from the lower left of the screen.
    void cursorAt(int y, int x) {
        g->m_swa[4] = 9;
        g->m_swa[5] = 9;
        g->m_swa[8] = static_cast<int16_t>(y - 9);
        g->m_swa[9] = static_cast<int16_t>(x - 9);
        g->m_swa[6] = static_cast<int16_t>(y);
        g->m_swa[7] = static_cast<int16_t>(x);
    }

    int cursorY() const { return g->m_swa[6]; }
    int cursorX() const { return g->m_swa[7]; }

    // Lays track cells with one mask from (y, x) for n cells in direction d.
    void track(int y, int x, int d, int n, int mask) {
        for (int i = 0; i < n; i++)
            g->setMapTyp(y + i * MainCanvas::getVY(d), x + i * MainCanvas::getVX(d), 4, mask);
    }

    void select() { press(keycode::kEnter); }
    void cancel() { press(keycode::kCancel); }
    void up(int n = 1) {
        for (int i = 0; i < n; i++)
            press(keycode::kUp);
    }
    void down(int n = 1) {
        for (int i = 0; i < n; i++)
            press(keycode::kDown);
    }
    void left(int n = 1) {
        for (int i = 0; i < n; i++)
            press(keycode::kLeft);
    }
    void right(int n = 1) {
        for (int i = 0; i < n; i++)
            press(keycode::kRight);
    }

    // Holds a key down for n frames (then releases it in one more frame).
    void hold(int key, int n) {
        g->keyDown(key);
        for (int i = 0; i < n; i++)
            tick(16);
        g->keyUp(key);
        tick(16);
    }

    // Draws the game screen as a paint message would.
    void paint() { g->paint(g->m_g); }

    std::string text(int w, int i) { return bytes(g->m_tuw.m_t.m_sa[g->m_tuw.getText(w, i)]); }
    std::string message() { return text(g->m_iWndMsg, 0); }
    // A white-on-black item is highlighted when its colours are swapped.
    bool highlighted(int w, int i) {
        return g->m_tuw.m_t.m_iaBC[g->m_tuw.getText(w, i)] == 0xFFFFFF;
    }
    int64_t funds() const { return g->m_la[1]; }
    int clockHold() const { return g->m_sba[3]; }
};
