#pragma once
// A game object holding a plain world: every cell a field at land level 0 (price 64), empty
// junction, station and train tables, 100,000 in funds and no assets. The view is scrolled
// by different row and column offsets, so a test catches screen cells taken for map cells.

#include <gtest/gtest.h>

#include <memory>

#include "game/MainCanvas.h"

// Makes every cell a field at land level 0 and empties the junction, station and train tables.
inline void makePlainMap(MainCanvas& g) {
    for (int y = 0; y < MainCanvas::MAP; y++) {
        for (int x = 0; x < MainCanvas::MAP; x++) {
            g.setMapTyp(y, x, 2, 0);
            g.m_sbaMapVal[y * MainCanvas::MAP + x] = 0;
        }
    }
    g.PointY.fill(-1);
    g.StationY.fill(-1);
    g.TrainY.fill(-2);
}

class BlankWorld : public ::testing::Test {
protected:
    std::unique_ptr<MainCanvas> g = std::make_unique<MainCanvas>();

    void SetUp() override {
        makePlainMap(*g);
        for (int i = 0; i < MainCanvas::CELLS; i++)
            g->RndMap[i] = static_cast<int16_t>(i);
        g->m_la[1] = 100000;
        g->m_la[3] = 0;
        g->m_swa[0] = 0;
        g->m_swa[8] = -2;
        g->m_swa[9] = 3;
        g->m_iFY = -1;
        cursor(8, 8);
    }

    // Puts the cursor on map cell (y, x), in the 2D view and as the map cursor cell.
    void cursor(int y, int x) {
        g->m_swa[4] = static_cast<int16_t>(y - g->m_swa[8]);
        g->m_swa[5] = static_cast<int16_t>(x - g->m_swa[9]);
        g->m_swa[6] = static_cast<int16_t>(y);
        g->m_swa[7] = static_cast<int16_t>(x);
    }

    void anchor(int y, int x) {
        g->m_iFY = y;
        g->m_iFX = x;
    }

    // Lays track cells with one mask from (y, x) for n cells in direction d.
    void track(int y, int x, int d, int n, int mask) {
        for (int i = 0; i < n; i++) {
            g->setMapTyp(y + i * MainCanvas::getVY(d), x + i * MainCanvas::getVX(d), 4, mask);
        }
    }

    int mask(int y, int x) const { return g->getMapPrm(y, x) & 0xFF; }

    int usedPoints() const {
        int n = 0;
        for (int j = 0; j < MainCanvas::POINTS; j++)
            n += g->PointY[j] != -1;
        return n;
    }
};
