// Land and money: land prices, buying and selling regions, the hourly development of
// buildings near stations with the land value sweep, and the funds with their window.
#include <algorithm>
#include <climits>

#include "device/Math.h"
#include "game/MainCanvas.h"

namespace {

bool onMap(int y, int x) {
    return y >= 0 && y < MainCanvas::MAP && x >= 0 && x < MainCanvas::MAP;
}

bool isBuilding(int t) {
    return t >= 6 && t <= 19;
}

int step(int from, int to) {
    return to > from ? 1 : (to < from ? -1 : 0);
}

}  // namespace

// The land price of a level; it doubles every 8 levels, 64 at level 0 and below.
int MainCanvas::getLandValue(int v) {
    return pow_2_8(v) / 4;
}

// The land price of a cell; an off-map cell reads level -1 and is priced 64.
int MainCanvas::getLandValue(int y, int x) const {
    return getLandValue(getMapVal(y, x));
}

// What it costs to clear a building of kind t away, 2^L x (L + 2) x 200 for level L; 0 for
// any other kind.
int MainCanvas::getBuildingPrice(int t) {
    if (!isBuilding(t)) return 0;
    const int level = t <= 12 ? t - 6 : t - 13;
    return pow_2(level) * (level + 2) * 200;
}

// Whether the cell is for sale: everything but land the player already owns.
bool MainCanvas::isBuyLand(int y, int x) const {
    const int t = getMapTyp(y, x);
    return t != 0 && t != 4 && t != 5;
}

// How hard it is to put a new building on the cell: 0 on open land, 2 for forest, twice the
// weight of a building's level; owned land and anything off the map are never developed.
int MainCanvas::eviction(int y, int x) const {
    const int t = getMapTyp(y, x);
    if (t == 1 || t == 2) return 0;
    if (t == 3) return 2;
    if (isBuilding(t)) return pow_2((t <= 12 ? t - 6 : t - 13) + 1);
    return INT_MAX;
}

// Prices the rectangle between screen cells (y, x) and (w, v), both corners included, into
// m_sqwCost. s = -1 plans a purchase and 0 buys; s = -2 plans a sale and -3 sells. Planning
// records the cells it counts for the preview frames. Cells off the map are never traded.
void MainCanvas::selectRegion(int y, int x, int w, int v, int s) {
    m_sqwCost = 0;
    if (s == -1 || s == -2) m_iPlanCount = 0;
    const int sy = step(y, w);
    const int sx = step(x, v);
    for (int r = y;; r += sy) {
        for (int c = x;; c += sx) {
            const int my = r + m_swa[8];
            const int mx = c + m_swa[9];
            const int t = getMapTyp(my, mx);
            if (!onMap(my, mx)) {
                // Nothing to trade beyond the edge.
            } else if (s == -1 || s == 0) {
                if (isBuyLand(my, mx)) {
                    if (s == -1) addPlanCell(my, mx, 0);
                    m_sqwCost += getLandValue(my, mx);
                    if (t == 3) m_sqwCost += 100;
                    m_sqwCost += getBuildingPrice(t);
                    if (s == 0) setMapTyp(my, mx, 0, 0);
                }
            } else if (s == -2 || s == -3) {
                if (t == 0) {
                    if (s == -2) addPlanCell(my, mx, 0);
                    m_sqwCost += getLandValue(my, mx);
                    if (s == -3) setMapTyp(my, mx, 1, 0);
                }
            }
            if (c == v) break;
        }
        if (r == w) break;
    }
}

// Buys the land of the open region; the whole price, clearing included, becomes assets.
void MainCanvas::buyTochi() {
    if (m_iFY < 0) return;
    selectRegion(m_iFY - m_swa[8], m_iFX - m_swa[9], m_swa[4], m_swa[5], 0);
    m_la[3] += m_sqwCost;
    addFund(-m_sqwCost);
}

// Sells the owned land of the open region for 95% of its land prices.
void MainCanvas::sellTochi() {
    if (m_iFY < 0) return;
    selectRegion(m_iFY - m_swa[8], m_iFX - m_swa[9], m_swa[4], m_swa[5], -3);
    m_la[3] -= m_sqwCost;
    addFund(m_sqwCost * 95 / 100);
}

// The highest land level beside cell yx (above, below, left, right); -1 beyond the edge.
int MainCanvas::searchNeiLandVal(int yx) const {
    const int y = yx / MAP;
    const int x = yx % MAP;
    int n = getMapVal(y - 1, x);
    n = std::max(n, getMapVal(y + 1, x));
    n = std::max(n, getMapVal(y, x - 1));
    n = std::max(n, getMapVal(y, x + 1));
    return n;
}

// The hourly growth of the town: each station may raise a building near it from the demand
// its passengers brought, then 16 cells of the sweep spread land values out from stations.
// The random draws come in a fixed order, which is part of the game.
void MainCanvas::develop() {
    for (int i = 0; i < STATIONS; i++) {
        if (StationY[i] < 0) continue;
        if (RND_get(30) != 0) continue;
        const bool office = StationPDH[i] < StationPDO[i];
        const int spread = office ? 160 : 256;
        int bonus = office ? -1 : 0;
        int demand = office ? StationPDO[i] / 2 : StationPDH[i];
        if (demand < 5) continue;
        auto offset = [&]() {
            const int a = RND_get(spread);
            const int b = RND_get(spread);
            const int sign = RND_get(2) * 2 - 1;
            return a * b / 4096 * sign;
        };
        const int dy = offset();
        const int dx = offset();
        const int ty = StationY[i] + dy;
        const int tx = StationX[i] + dx;
        const int resist = eviction(ty, tx);
        if (office) {
            const int ny[4] = {ty - 1, ty + 1, ty, ty};
            const int nx[4] = {tx, tx, tx - 1, tx + 1};
            for (int k = 0; k < 4; k++) {
                if (getMapTyp(ny[k], nx[k]) >= 13) bonus = 0;
            }
            // Offices gather beside offices; the doubling stops at the largest demand there is.
            for (int k = 0; k < 4; k++) {
                if (getMapTyp(ny[k], nx[k]) >= 14)
                    demand = demand > INT_MAX / 2 ? INT_MAX : demand * 2;
            }
        }
        const int64_t root = Math::sqrt(RND_get(demand));
        int64_t level = root / (abs(dy) * 50 + 10 + abs(dx) * 50) - resist + bonus;
        if (level < 0) continue;
        if (level < resist && getMapTyp(ty, tx) != 3) continue;
        level = std::min<int64_t>(level, 6);
        if (office) {
            StationPDO[i] = 0;
        } else {
            StationPDH[i] = 0;
        }
        setMapTyp(ty, tx, (office ? 13 : 6) + static_cast<int>(level), 0);
    }

    for (int n = 0; n < 16; n++) {
        if (m_swa[0] < 0 || m_swa[0] >= CELLS) m_swa[0] = 0;
        const int c = RndMap[m_swa[0]];
        if (c >= 0 && c < CELLS) {
            const int y = c / MAP;
            const int x = c % MAP;
            const int level = getMapVal(y, x);
            const int j = getMapPrm(y, x);
            if (getMapTyp(y, x) == 5) {
                // A station's own level climbs toward a target set by last month's passengers.
                if (j >= 0 && j < STATIONS) {
                    const int target = Math::sqrt(StationPLM[j]) / 4;
                    addMapVal(c, level < target && level < 127 ? 1 : -1);
                }
            } else {
                const int nei = searchNeiLandVal(c);
                if (level < nei - 1) setMapVal(c, nei - 1);
            }
        }
        m_swa[0]++;
        if (m_swa[0] == CELLS) m_swa[0] = 0;
    }
}

// Sets the funds and shows them.
void MainCanvas::setFund(int64_t l) {
    m_la[1] = l;
    setFund();
}

// Adds to (or, negative, takes from) the funds and shows them.
void MainCanvas::addFund(int64_t l) {
    setFund(m_la[1] + l);
}

// Refreshes the fund window: the funds, red while in debt, and the assets.
void MainCanvas::setFund() {
    m_tuw.setString(m_iWndFund, 1, LongToFundString(m_la[1], 14));
    m_tuw.setTextFC(m_iWndFund, 1, m_la[1] < 0 ? 0xFF3333 : 0xFFFFFF);
    m_tuw.setString(m_iWndFund, 3, LongToFundString(m_la[3], 14));
}
