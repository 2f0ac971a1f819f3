#pragma once
// A plain world (every cell a field) with a frozen real-time clock, where tests lay track,
// stations, buildings and trains directly in the arrays and run the movement step.

#include <gtest/gtest.h>

#include "blank_world.h"
#include "device/Platform.h"

namespace trainclock {
inline uint32_t now = 5000;
inline uint32_t read() {
    return now;
}
}  // namespace trainclock

class TrainWorld : public BlankWorld {
protected:
    void SetUp() override {
        BlankWorld::SetUp();
        trainclock::now = 5000;
        device::setClock(trainclock::read);
        g->m_sbaMapPr2.fill(0);
        g->m_la[0] = MainCanvas::GAME_START;
        g->m_la[2] = 0;
        g->m_sba[3] = 0;
    }

    void TearDown() override { device::setClock(nullptr); }

    // Game time of a time of day on the first day of the game.
    static int64_t at(int h, int m, int s = 0) {
        return MainCanvas::GAME_START + ((h * 60 + m) * 60 + s) * 1000LL;
    }

    // A straight run of track along direction d from (y, x), n cells, whose two ends hold one
    // bit each, pointing along the run.
    void line(int y, int x, int d, int n) {
        const int back = (d + 4) & 7;
        for (int i = 0; i < n; i++) {
            int m = (1 << d) | (1 << back);
            if (i == 0) m = 1 << d;
            if (i == n - 1) m = 1 << back;
            g->setMapTyp(y + i * MainCanvas::getVY(d), x + i * MainCanvas::getVX(d), 4, m);
        }
    }

    void rail(int y, int x, int m) { g->setMapTyp(y, x, 4, m); }

    // A station in the lowest free slot with every stop rule a ten-minute stop.
    int station(int y, int x) {
        const int i = g->searchFreeStation();
        g->StationY[i] = static_cast<int8_t>(y);
        g->StationX[i] = static_cast<int8_t>(x);
        for (int s = 0; s < 48; s++)
            g->StationDD[i * 48 + s] = 2;
        g->StationPDH[i] = g->StationPDO[i] = g->StationPLM[i] = g->StationPTM[i] = 0;
        g->setMapTyp(y, x, 5, i);
        return i;
    }

    // A train of model t standing at (y, x) heading v, with no passengers aboard.
    int train(int y, int x, int v, int t = 0) {
        const int n = g->searchFreeTrain();
        g->TrainY[n] = static_cast<int8_t>(y);
        g->TrainX[n] = static_cast<int8_t>(x);
        g->TrainV[n] = static_cast<int8_t>(v);
        g->TrainTyp[n] = static_cast<int8_t>(t);
        g->TrainC[n] = 0;
        g->TrainSP[n] = 0;
        for (int k = 0; k < 16; k++) {
            g->TrainaSS[n * 16 + k] = 0;
            g->TrainaPaH[n * 16 + k] = 0;
            g->TrainaPaO[n * 16 + k] = 0;
        }
        return n;
    }

    void group(int n, int k, int origin, int h, int o) {
        g->TrainaSS[n * 16 + k] = static_cast<int8_t>(origin);
        g->TrainaPaH[n * 16 + k] = static_cast<int16_t>(h);
        g->TrainaPaO[n * 16 + k] = static_cast<int16_t>(o);
    }

    // Runs the trains for ms game milliseconds in one movement step with time to spare.
    int run(int ms) { return g->advanceTrain(ms, trainclock::now); }

    // Runs ms more and moves the clock on by what was covered.
    int runClock(int ms) {
        const int adv = run(ms);
        g->m_la[0] += adv;
        return adv;
    }

    // Makes the next draw of RND_get(n) give r: with the divisor count at 1 the draw is
    // (1,561,650,090 - type) mod n, so the type is chosen to leave r.
    void nextDraw(int n, int r) {
        g->RND_count = 1;
        g->RND_type = static_cast<int32_t>((1561650090 % n - r + n) % n);
        if (g->RND_type == 0) g->RND_type = n;
    }
};
