// Track: the eight directions, junctions, laying straight runs toward the cursor and removing
// track cell by cell.
#include <climits>

#include "device/Math.h"
#include "game/MainCanvas.h"

namespace {

// Row and column step of each direction, clockwise from up.
constexpr int kStepY[8] = {1, 1, 0, -1, -1, -1, 0, 1};
constexpr int kStepX[8] = {0, 1, 1, 1, 0, -1, -1, -1};

bool onMap(int y, int x) {
    return y >= 0 && y < MainCanvas::MAP && x >= 0 && x < MainCanvas::MAP;
}

int opposite(int d) {
    return (d + 4) & 7;
}

}  // namespace

// Row step of a direction.
int MainCanvas::getVY(int d) {
    return kStepY[d & 7];
}

// Column step of a direction.
int MainCanvas::getVX(int d) {
    return kStepX[d & 7];
}

// The lowest direction in a track mask, -1 for an empty mask.
int MainCanvas::getVector(int m) {
    for (int d = 0; d < 8; d++) {
        if (m & (1 << d)) return d;
    }
    return -1;
}

// How far apart two directions turn, 0 (same) to 4 (opposite).
int MainCanvas::getVectorDiff(int v, int w) {
    int x = abs(v - w);
    if (x > 4) x = 8 - x;
    return x;
}

// The turn between the lowest directions of two masks.
int MainCanvas::getVectorDiffFromD(int a, int b) {
    return getVectorDiff(getVector(a), getVector(b));
}

// The turn between two directions, as the trains use it.
int MainCanvas::diffVector(int a, int b) {
    return getVectorDiff(a, b);
}

// The next direction after v, turning clockwise, that the mask leaves by. An empty mask has
// none, so v itself comes back (a train whose track was removed keeps its heading).
int MainCanvas::nextVector(int m, int v) {
    for (int i = 1; i <= 8; i++) {
        int w = (v + i) & 7;
        if (m & (1 << w)) return w;
    }
    return v;
}

// The eight-way direction from cell (w, v) toward cell (y, x); 0 when they are the same cell.
int MainCanvas::getDirection(int y, int x, int w, int v) {
    int a = Math::atan2(x - v, y - w);
    int d = (a + 256) / 512;
    return d == 8 ? 0 : d;
}

// The axis of a mask: 0 up-down, 1 up-right, 2 left-right, 3 down-right.
int MainCanvas::getDirection(int p) {
    if (p & 17) return 0;
    if (p & 34) return 1;
    if (p & 68) return 2;
    if (p & 136) return 3;
    return 0;
}

// The angle between the axes of two masks in steps of 45 degrees, 0..2.
int MainCanvas::getAngle(int pa, int pb) {
    int x = abs(getDirection(pa) - getDirection(pb));
    if (x >= 2) x = 4 - x;
    return x;
}

// The junction mask made by adding bit a to mask b, or -1 when they cannot form a junction:
// one straight pair plus one branch 45 degrees off it.
int MainCanvas::checkAddPoint(int a, int b) {
    a &= 0xFF;
    b &= 0xFF;
    if (a & b) return -1;
    int u = a | b;
    int pair = 0;
    for (int p : {17, 34, 68, 136}) {
        if ((u & p) == p) pair = p;
    }
    if (pair == 0) return -1;
    int rest = u & ~pair;
    if (countBitByte(rest) != 1) return -1;
    if (getAngle(pair, rest) > 1) return -1;
    return u;
}

// The lowest free junction slot; with s != 0 it is also taken for cell (y, x) with every
// switch bit cleared. -1 when the table is full.
int MainCanvas::addPoint(int y, int x, int s) {
    int j = searchFreePoint();
    if (j < 0 || s == 0) return j;
    PointY[j] = static_cast<int8_t>(y);
    PointX[j] = static_cast<int8_t>(x);
    for (int i = 0; i < 6; i++)
        PointDD[j * 6 + i] = 0;
    return j;
}

// Records one cell of the plan preview; a full record keeps what it has.
void MainCanvas::addPlanCell(int y, int x, int bits) {
    if (!onMap(y, x) || m_iPlanCount >= CELLS) return;
    m_swaPlanYX[m_iPlanCount] = static_cast<int16_t>(y * MAP + x);
    m_baPlanBits[m_iPlanCount] = static_cast<uint8_t>(bits);
    m_iPlanCount++;
}

// Plans (s = 0) or lays (s = 1) a straight run from the anchor in direction d toward the
// cursor, and leaves its price in m_sqwCost. Both modes take the same steps, so a run laid
// on an unchanged map is exactly the run last planned. Planning records the cells to draw.
void MainCanvas::extendRail(int d, int s) {
    d &= 7;
    const int ty = m_swa[4] + m_swa[8];
    const int tx = m_swa[5] + m_swa[9];
    const int through = (1 << d) + (1 << opposite(d));
    auto dist = [&](int y, int x) { return (y - ty) * (y - ty) + (x - tx) * (x - tx); };
    int64_t price = 0;
    int prev = INT_MAX;
    int cur = -1;
    int k = 0;
    int py = m_iFY;
    int px = m_iFX;
    if (s == 0) m_iPlanCount = 0;
    // No plan open, or an anchor on a station: a station never becomes track.
    if (!onMap(py, px) || getMapTyp(py, px) == 5) {
        m_sqwCost = 0;
        return;
    }
    while (cur < prev) {
        const int typ = getMapTyp(py, px);
        if (typ == 4) {
            const int mask = getMapPrm(py, px) & 0xFF;
            if (countBitByte(mask) == 1) {
                // A track end is joined only where the joint bends by 45 degrees at most.
                const int delta = getVectorDiff(getVector(mask), d);
                if (k == 0 ? delta < 3 : delta > 1) break;
            } else {
                const int b = k == 0 ? 1 << d : 1 << opposite(d);
                const int joined = checkAddPoint(b, mask);
                if (joined == -1) break;
                const int slot = addPoint(py, px, s);
                if (s == 0) {
                    addPlanCell(py, px, b);
                    if (slot == -1) {
                        putMsg("ポイント数上限です", 1000);
                        break;
                    }
                } else {
                    if (slot == -1) break;
                    setMapTyp(py, px, 4, joined);
                    m_iFY = py;
                    m_iFX = px;
                }
                price += 500;
                // A run that meets the middle of a track ends in the junction.
                if (k > 0) break;
            }
        }

        prev = dist(py, px);
        const int ny = py + getVY(d);
        const int nx = px + getVX(d);
        cur = dist(ny, nx);
        int bits = through;
        const int ntyp = getMapTyp(ny, nx);
        const int nmask = getMapPrm(ny, nx) & 0xFF;
        const bool blocked = cur >= prev || (typ == 4 && k > 0) ||
                             (ntyp == 4 && countBitByte(nmask) != 1 &&
                              checkAddPoint(1 << opposite(d), nmask) == -1) ||
                             !onMap(ny, nx) || ntyp == 5;
        if (blocked) {
            prev = -1;
            if (k == 0) break;
            // This cell is the far end: its one bit points back along the run.
            d = opposite(d);
            bits = 1 << d;
        } else if (k == 0) {
            bits = 1 << d;
        }

        int cost = 36;
        if (typ == 3) {
            cost = 136;
        } else if (typ >= 6 && typ <= 19) {
            cost = getBuildingPrice(typ);
        }
        if (typ == 4) {
            bits = (1 << d) | (getMapPrm(py, px) & 0xFF);
            price += cost / 2;
            if (k > 0) prev = -2;
        } else {
            price += cost;
        }
        // Land not yet owned is bought with the run; a track cell's price counts again too.
        int land = 0;
        if (typ != 0) {
            land = getLandValue(py, px);
            price += land;
        }

        if (s == 0) {
            addPlanCell(py, px, bits);
        } else {
            setMapTyp(py, px, 4, bits);
            m_la[3] += land;
            m_iFY = py;
            m_iFX = px;
        }
        k++;
        py = ny;
        px = nx;
    }
    m_sqwCost = price;
}

// Lays the planned run from the anchor toward the cursor and pays for it; the anchor moves
// to the new end so that the next run continues from there.
void MainCanvas::constructRail() {
    extendRail(getDirection(m_swa[4] + m_swa[8], m_swa[5] + m_swa[9], m_iFY, m_iFX), 1);
    addFund(-m_sqwCost);
}

// Removes the track at the cursor cell for 100, leaving owned land; its neighbours lose the
// bits that pointed at it. Returns 1, or 0 when the cell holds no track.
int MainCanvas::removeRail() {
    const int cy = m_swa[6];
    const int cx = m_swa[7];
    if (getMapTyp(cy, cx) != 4) return 0;
    const int m = getMapPrm(cy, cx) & 0xFF;
    for (int d = 0; d < 8; d++) {
        if (m & (1 << d)) removeRail_main(1 << opposite(d), getVY(d), getVX(d));
    }
    setMapTyp(cy, cx, 0, 0);
    addFund(-100);
    if (countBitByte(m) == 3) {
        const int j = searchPointIndex(cy, cx);
        if (j >= 0) PointY[j] = -1;
    }
    return 1;
}

// Takes bit p from the track beside the cursor at offset (w, v); track left with no bit
// becomes owned land. A neighbour without that bit keeps its mask: removing never adds track.
void MainCanvas::removeRail_main(int p, int w, int v) {
    const int ny = m_swa[6] + w;
    const int nx = m_swa[7] + v;
    if (getMapTyp(ny, nx) != 4) return;
    const int mask = getMapPrm(ny, nx) & 0xFF & ~p;
    if (mask == 0) {
        setMapTyp(ny, nx, 0, 0);
    } else {
        setMapPrm(ny, nx, mask);
    }
}
