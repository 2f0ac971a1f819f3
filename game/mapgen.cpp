// Generation of a new map: fields, two grown forests, scattered forest, small
// residential clusters, a few offices near the centre and the development order.
#include "game/MainCanvas.h"

namespace {

constexpr int kField = 2;
constexpr int kForest = 3;

}  // namespace

// Grows forest into fields beside forest, whole passes over the map, until at least 500 cells
// turned.
static void growForest(MainCanvas& g) {
    static constexpr int kNeighbours[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
    int count = 0;
    while (count < 500) {
        for (int y = 0; y < MainCanvas::MAP; y++) {
            for (int x = 0; x < MainCanvas::MAP; x++) {
                if (g.getMapTyp(y, x) != kField) continue;
                for (const auto& d : kNeighbours) {
                    if (g.getMapTyp(y + d[0], x + d[1]) != kForest) continue;
                    if (g.RND_get(8) == 0) {
                        g.setMapTyp(y, x, kForest);
                        count++;
                        break;
                    }
                }
            }
        }
    }
}

// Overwrites every cell's kind, parameter and land level and refills the development order.
void MainCanvas::createMap() {
    for (int y = 0; y < MAP; y++) {
        for (int x = 0; x < MAP; x++) {
            setMapTyp(y, x, kField, 0);
            m_sbaMapVal[y * MAP + x] = 0;
        }
    }
    for (int i = 0; i < 2; i++) {
        int y = RND_get(64);
        int x = RND_get(64);
        setMapTyp(y, x, kForest);
    }
    growForest(*this);
    for (int count = 0; count < 100;) {
        int y = RND_get(64);
        int x = RND_get(64);
        if (getMapTyp(y, x) == kField) {
            setMapTyp(y, x, kForest);
            count++;
        }
    }
    growForest(*this);
    for (int count = 0; count < 24;) {
        int cy = RND_get(56) + 4;
        int cx = RND_get(56) + 4;
        for (int k = 0; k < 6; k++) {
            int y = cy + RND_get(7) - 3;
            int x = cx + RND_get(7) - 3;
            if (getMapTyp(y, x) == kField) {
                setMapTyp(y, x, RND_get(5) / 4 + 6);
                count++;
            }
        }
    }
    for (int count = 0; count < 5;) {
        int y = RND_get(24) + 20;
        int x = RND_get(24) + 20;
        if (getMapTyp(y, x) == kField) {
            setMapTyp(y, x, RND_get(5) / 4 + 13);
            count++;
        }
    }
    for (int i = 0; i < CELLS; i++)
        RndMap[i] = static_cast<int16_t>(i);
    for (int i = 0; i < CELLS; i++) {
        int j = RND_get(4096);
        int16_t t = RndMap[i];
        RndMap[i] = RndMap[j];
        RndMap[j] = t;
    }
}
