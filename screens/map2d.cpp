// The top-down map of the game screens: a coloured square per cell, track as lines, trains as
// coloured bars, the cursor with its coordinates, previews of planned track and land, the
// direction arrow, and the cell size that the zoom keys change.
#include <algorithm>

#include "game/MainCanvas.h"
#include "screens/ui.h"

namespace {

constexpr int kBackground = 0x000066;
constexpr int kGrid = 0xBBAA44;
constexpr int kTrack = 0xFFFFFF;
constexpr int kPlan = 0xFFFF00;
constexpr int kRegion = 0x666666;
constexpr int kArrow = 0xFF0000;

// Fill colour of each cell kind: own land, vacant lot, field, forest, track, station, then
// residential and office buildings growing darker with their level.
constexpr int kCellColor[20] = {
    0xDDCC66,
    0xAA9933,
    0x66EE33,
    0x449955,
    0xDDCC66,
    0x999999,
    0xCCCCFF - 0 * 0x222200,
    0xCCCCFF - 1 * 0x222200,
    0xCCCCFF - 2 * 0x222200,
    0xCCCCFF - 3 * 0x222200,
    0xCCCCFF - 4 * 0x222200,
    0xCCCCFF - 5 * 0x222200,
    0xCCCCFF - 6 * 0x222200,
    0xFFCCCC - 0 * 0x002222,
    0xFFCCCC - 1 * 0x002222,
    0xFFCCCC - 2 * 0x002222,
    0xFFCCCC - 3 * 0x002222,
    0xFFCCCC - 4 * 0x002222,
    0xFFCCCC - 5 * 0x002222,
    0xFFCCCC - 6 * 0x002222,
};

// Pixel offset of a track segment's end from the cell centre, per direction, in half cells;
// y grows downwards on the screen while map rows grow upwards.
constexpr int kSegX[8] = {0, 1, 1, 1, 0, -1, -1, -1};
constexpr int kSegY[8] = {-1, -1, 0, 1, 1, 1, 0, -1};

}  // namespace

// Draws the map into g: the background, every visible cell with its grid, the track, then the
// trains. When the view follows a train it is first centred on that train.
void MainCanvas::putMap(Graphics& g) {
    m_tug.m_g = &g;
    const int H = getHeight();
    const int W = getWidth();
    const int F = m_fontM ? m_fontM->getHeight() : 0;
    const int B = m_iBlockSize;

    // Centre the view and both cursors on the followed train; a train that is not on the
    // map (or no train at all) leaves the view where it is, so the cursor stays on the map.
    if (B > 0 && m_bTrainLock != 0 && m_iTrainNo >= 0 && m_iTrainNo < TRAINS &&
        TrainY[m_iTrainNo] >= 0) {
        m_swa[6] = TrainY[m_iTrainNo];
        m_swa[7] = TrainX[m_iTrainNo];
        m_swa[4] = static_cast<int16_t>(H / B / 2);
        m_swa[5] = static_cast<int16_t>(W / B / 2);
        m_swa[8] = static_cast<int16_t>(m_swa[6] - m_swa[4]);
        m_swa[9] = static_cast<int16_t>(m_swa[7] - m_swa[5]);
        m_swa[2] = static_cast<int16_t>(m_swa[6] * 16 + 8);
        m_swa[3] = static_cast<int16_t>(m_swa[7] * 16 + 8);
    }

    // Space beyond the map edge shows as the background.
    m_tug.setColor(kBackground);
    g.fillRect(0, 0, W, H);
    // Without a cell size (before the first game starts) there are no cells to place.
    if (B < 1) return;

    // Only screen cells that show a map cell are visited: rows and columns clipped to the map.
    const int oy = m_swa[8];
    const int ox = m_swa[9];
    const int rowFirst = std::max(0, -oy);
    const int rowEnd = std::min((H + B - 1) / B, MAP - oy);
    const int colFirst = std::max(0, -ox);
    const int colEnd = std::min((W + B - 1) / B, MAP - ox);

    // Pass 1: cells. Above 6 pixels a cell shows its top and left grid lines and a fill
    // inset by one; smaller cells have no grid and their fill still starts one pixel in.
    const int inset = B > 6 ? 1 : 0;
    for (int sr = rowFirst; sr < rowEnd; sr++) {
        const int y = H - (sr + 1) * B;
        const int base = (sr + oy) * MAP;
        for (int sc = colFirst; sc < colEnd; sc++) {
            const int x = sc * B;
            if (inset != 0) {
                m_tug.setColor(kGrid);
                g.fillRect(x, y, B, 1);
                g.fillRect(x, y, 1, B);
            }
            const int t = m_sbaMapTyp[base + sc + ox];
            if (t < 0 || t > 19) continue;
            m_tug.setColor(kCellColor[t]);
            g.fillRect(x + 1, y + 1, B - inset, B - inset);
        }
    }

    // Pass 2: track, leaving out the rows under the date bar at the top.
    for (int sr = rowFirst; sr < rowEnd && sr * B + F < H; sr++) {
        const int base = (sr + oy) * MAP;
        for (int sc = colFirst; sc < colEnd; sc++) {
            if (m_sbaMapTyp[base + sc + ox] == 4) {
                putRail(sr, sc, m_sbaMapPrm[base + sc + ox], kTrack);
            }
        }
    }

    // Pass 3: trains on the map, each shaped by its heading, none under the date bar.
    const int t = B / 3;
    const int s = B / 6;
    for (int n = 0; n < TRAINS; n++) {
        if (TrainY[n] < 0) continue;
        const int px = (TrainX[n] - ox) * B;
        const int py = H - (TrainY[n] - oy + 1) * B;
        if (py < F || py >= H || px < 0 || px >= W) continue;
        m_tug.setColor(TrainClr[n]);
        switch (TrainV[n] & 3) {
            case 0:  // up or down: a bar standing upright
                g.fillRect(px + 1 + s, py + 1, B - 1 - t, B - 1);
                break;
            case 2:  // right or left: a bar lying flat
                g.fillRect(px + 1, py + 1 + s, B - 1, B - 1 - t);
                break;
            case 1: {  // up-right or down-left: a bar along the rising diagonal
                const int xs[4] = {px + B - 1 - t, px + B, px + 1 + t, px};
                const int ys[4] = {py, py + 1 + t, py + B, py + B - 1 - t};
                g.fillPolygon(xs, ys, 4);
                break;
            }
            default: {  // down-right or up-left: a bar along the falling diagonal
                const int xs[4] = {px, px + 1 + t, px + B, px + B - 1 - t};
                const int ys[4] = {py + 1 + t, py, py + B - 1 - t, py + B};
                g.fillPolygon(xs, ys, 4);
                break;
            }
        }
        // The train's number, 01 to 40, black over a white copy one pixel down and right.
        if (m_bPutTNo != 0) {
            const J_String number = IntToString(n + 1, 2, '0');
            m_tug.setColor(kWhite);
            g.drawString(number, px + 1, py + 1);
            m_tug.setColor(kBlack);
            g.drawString(number, px, py);
        }
    }
}

// Draws the track of screen cell (sr, sc): a segment from the centre toward each direction in
// the mask, and a black marker on a track end.
void MainCanvas::putRail(int sr, int sc, int mask, int color) {
    if (!m_tug.m_g) return;
    const int B = m_iBlockSize;
    const int h = B / 2;
    const int cx = sc * B + h;
    const int cy = getHeight() - (sr * B + h);
    mask &= 0xFF;
    for (int d = 0; d < 8; d++) {
        if (mask & (1 << d)) putRail_main(cy, cx, kSegY[d] * h, kSegX[d] * h, color);
    }
    if (countBitByte(mask) == 1) {
        m_tug.setColor(kBlack);
        m_tug.m_g->fillRect(cx - 2, cy - 2, 5, 5);
    }
}

// Draws one track segment three pixels wide from (x, y) to (x + dx, y + dy): two black side
// lines shifted off the segment, then the centre line in the given colour.
void MainCanvas::putRail_main(int y, int x, int dy, int dx, int color) {
    Graphics* g = m_tug.m_g;
    if (!g) return;
    // The side lines sit across the segment: left and right of a vertical one, above and below
    // a horizontal one, and below or above plus right of a diagonal, by its slope.
    int ax = 0, ay = 0, bx = 0, by = 0;
    if (dx == 0) {
        ax = -1;
        bx = 1;
    } else if (dy == 0) {
        ay = -1;
        by = 1;
    } else if (dx * dy > 0) {
        ay = 1;
        bx = 1;
    } else {
        ay = -1;
        bx = 1;
    }
    m_tug.setColor(kBlack);
    g->drawLine(x + ax, y + ay, x + dx + ax, y + dy + ay);
    g->drawLine(x + bx, y + by, x + dx + bx, y + dy + by);
    m_tug.setColor(color);
    g->drawLine(x, y, x + dx, y + dy);
}

// Draws the cursor frame, the coordinate window, and an open plan with its anchor frame. Every
// call prices the plan anew, so m_sqwCost always holds the cost of the plan on screen.
void MainCanvas::putCursor(Graphics& g) {
    m_tug.m_g = &g;
    const int H = getHeight();
    const int W = getWidth();
    const int F = m_fontM ? m_fontM->getHeight() : 0;
    const int B = m_iBlockSize;

    // A white frame around a black one marks the cursor cell in the 2D view.
    if (m_sba[6] == 0) {
        const int cx = m_swa[5] * B;
        const int cy = H - (m_swa[4] + 1) * B;
        m_tug.setColor(kWhite);
        g.drawRect(cx - 1, cy - 1, B + 2, B + 2);
        m_tug.setColor(kBlack);
        g.drawRect(cx, cy, B, B);
    }

    // The cursor's map cell as (column,row), each right-aligned in two characters, in the
    // lower right corner, lifted above the fund window while that is shown.
    J_String text("(");
    text += IntToString(m_swa[7], 2, ' ');
    text += ",";
    text += IntToString(m_swa[6], 2, ' ');
    text += ")";
    m_tuw.setString(m_iWndCoordinate, 0, text);
    if (m_iWndCoordinate >= 0 && m_iWndCoordinate < UxWnd::MAX)
        m_tuw.m_iaX[m_iWndCoordinate] = W - F * 4;
    m_tuw.setY(m_iWndCoordinate, (m_sba[5] & 1) != 0 ? H - F * 10 / 3 : H - F * 4 / 3);
    m_tuw.put(m_iWndCoordinate);

    if (m_iFY == -1) return;
    // A yellow frame inside a black one marks the plan's anchor cell.
    const int ax = (m_iFX - m_swa[9]) * B;
    const int ay = H - (m_iFY - m_swa[8] + 1) * B;
    m_tug.setColor(kBlack);
    g.drawRect(ax - 1, ay - 1, B + 2, B + 2);
    m_tug.setColor(kPlan);
    g.drawRect(ax, ay, B, B);

    if (m_iFT == 0) {
        putPlan();
    } else if (m_iFT == 1 || m_iFT == 2) {
        // The land region between anchor and cursor: grey frames on the cells that buying (or
        // selling) would take.
        selectRegion(m_iFY - m_swa[8], m_iFX - m_swa[9], m_swa[4], m_swa[5], m_iFT == 1 ? -1 : -2);
        m_tug.setColor(kRegion);
        for (int i = 0; i < m_iPlanCount; i++) {
            const int yx = m_swaPlanYX[i];
            g.drawRect((yx % MAP - m_swa[9]) * B, H - (yx / MAP - m_swa[8] + 1) * B, B, B);
        }
    }
}

// Draws and prices the track run planned from the anchor toward the cursor, in the plan
// colour. Only a track plan has a run to show; a land region draws nothing here.
void MainCanvas::putPlan() {
    if (m_iFY == -1 || m_iFT != 0) return;
    extendRail(getDirection(m_swa[4] + m_swa[8], m_swa[5] + m_swa[9], m_iFY, m_iFX), 0);
    // Cells come in drawing order; a junction shows its new bit first, then its full mask.
    for (int i = 0; i < m_iPlanCount; i++) {
        const int yx = m_swaPlanYX[i];
        putRail(yx / MAP - m_swa[8], yx % MAP - m_swa[9], m_baPlanBits[i], kPlan);
    }
}

// Draws a red triangle in the cursor cell pointing in direction m_iArrow, for placing or
// turning a train. Diagonal arrows are shortened to fit the cell.
void MainCanvas::drawArrow() {
    if (!m_tug.m_g || m_iArrow < 0 || m_iArrow > 7) return;
    const int B = m_iBlockSize;
    const int dy = getVY(m_iArrow);
    const int dx = getVX(m_iArrow);
    int h = B / 2;
    const int cy = getHeight() - m_swa[4] * B - h;
    const int cx = m_swa[5] * B + h;
    if (abs(dy) + abs(dx) == 2) h = h * 2 / 3;
    const int bx = cx - dx * (h - 1);
    const int by = cy + dy * (h - 1);
    const int xs[3] = {cx + dx * h, bx + dy * h / 2, bx - dy * h / 2};
    const int ys[3] = {cy - dy * h, by + dx * h / 2, by - dx * h / 2};
    m_tug.setColor(kArrow);
    m_tug.m_g->fillPolygon(xs, ys, 3);
}

// Changes the view scale by step and recomputes the cell size from the shorter side of the
// canvas, then pulls the cursor back onto the screen. Returns 1 when the cell size changed, or
// when it is already the smallest and the step zooms out; the zoom keys repeat until then.
int MainCanvas::renewBlockSize(int step) {
    const int H = getHeight();
    const int W = getWidth();
    const int F = m_fontM ? m_fontM->getHeight() : 0;
    m_tuw.setY(m_iWndFund, H - F * 13 / 6);

    m_swa[1] = static_cast<int16_t>(m_swa[1] + step);
    if (m_swa[1] < 1) m_swa[1] = 7;
    const int S = std::min(W, H);
    const int Bmin = std::max(3, S / 64);
    const int B = std::max(Bmin, S * 8 / m_swa[1] / 20);
    const int before = m_iBlockSize;
    m_iBlockSize = B;

    // The cursor moves down (or left) on the map until its cell fits below the date bar (or
    // inside the width). On the map's first row or column the view scrolls instead, so the
    // cursor never leaves the map.
    while (H < (m_swa[4] + 1) * B + F) {
        m_swa[4]--;
        if (m_swa[6] > 0) {
            m_swa[6]--;
        } else {
            m_swa[8]++;
        }
    }
    while (W < (m_swa[5] + 1) * B) {
        m_swa[5]--;
        if (m_swa[7] > 0) {
            m_swa[7]--;
        } else {
            m_swa[9]++;
        }
    }
    return B != before || (B == Bmin && step > 0) ? 1 : 0;
}
