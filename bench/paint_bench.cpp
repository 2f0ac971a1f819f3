// How long one whole frame of the game screen takes to paint: the map with its cells, track
// and trains, the date, time and fund windows, the cursor with its coordinates and the train
// numbers, on a newly generated map at two canvas sizes and three view scales. The train
// numbers are drawn in the medium font, a tenth of the shorter side high, so the largest frame
// is also measured without them.
#include <benchmark/benchmark.h>

#include <memory>

#include "device/Platform.h"
#include "game/MainCanvas.h"

namespace {

// The real-time clock stands still: painting never reads it, and booting only seeds from it.
uint32_t benchClock() {
    return 1000;
}

// A new game at width x height and the given view scale, with track and 40 trains added so
// that every layer of the map has work to do; numbers switches the train numbers on.
std::unique_ptr<MainCanvas> makeGame(int width, int height, int scale, int numbers) {
    device::setClock(benchClock);
    auto g = std::make_unique<MainCanvas>();
    g->_wm_size(height, width);
    g->initFont();
    g->wm_timer();  // boots to the title, whose menu starts on "new game"
    g->m_iState = 9;
    g->startGame(0);

    // Horizontal lines on every eighth row, with a diagonal branch line beside each.
    for (int y = 4; y < MainCanvas::MAP; y += 8) {
        for (int x = 2; x < 62; x++)
            g->setMapTyp(y, x, 4, x == 2 ? 4 : (x == 61 ? 64 : 68));
        for (int i = 0; i < 3; i++)
            g->setMapTyp(y + 1 + i, 10 + i, 4, i == 0 ? 32 : (i == 2 ? 2 : 34));
    }
    for (int n = 0; n < MainCanvas::TRAINS; n++) {
        g->TrainY[n] = static_cast<int8_t>(4 + 8 * (n % 8));
        g->TrainX[n] = static_cast<int8_t>(6 + 11 * (n / 8));
        g->TrainV[n] = static_cast<int8_t>(n % 8);
        g->TrainClr[n] = 0x3355AA + n * 0x040404;
    }
    g->m_bPutTNo = static_cast<int8_t>(numbers);
    g->m_sba[5] = 1;  // the fund window is shown
    g->m_swa[1] = static_cast<int16_t>(scale);
    g->renewBlockSize(0);
    return g;
}

void BM_PaintGameFrame(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    auto g =
        makeGame(width, height, static_cast<int>(state.range(2)), static_cast<int>(state.range(3)));
    for (auto _ : state) {
        g->paint(g->m_g);
        benchmark::DoNotOptimize(g->m_g.m_hBMP.pixels.data());
    }
    state.counters["cell_px"] = g->m_iBlockSize;
    device::setClock(nullptr);
}

BENCHMARK(BM_PaintGameFrame)
    ->ArgNames({"w", "h", "scale", "numbers"})
    ->Args({480, 480, 3, 1})
    ->Args({480, 480, 7, 1})
    ->Args({480, 480, 48, 1})
    ->Args({1920, 1080, 3, 1})
    ->Args({1920, 1080, 7, 1})
    ->Args({1920, 1080, 48, 1})
    ->Args({1920, 1080, 48, 0})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
