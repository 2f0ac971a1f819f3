// The timetable editors of a junction and of a station: a strip of the day's 48 half-hours,
// a slot cursor with a range anchor, and the commands painted onto the chosen range.
#include <algorithm>

#include "game/MainCanvas.h"
#include "screens/ui.h"

namespace {

constexpr int kRepeat = 10;
constexpr int kSlots = 48;
constexpr int kHold = 2;
constexpr int kMark = 0x666666;
// Colour of each command code in the strip and on its label: straight or stop, curve or turn
// back, ten-minute stop, pass.
constexpr int kCodeColor[4] = {0x00FFFF, 0xFF00FF, 0xFFFF00, 0x99FF99};

}  // namespace

// Moves the slot cursor with left and right, then reads the command window's keys.
int MainCanvas::checkDiaKey(int iWnd) {
    int& P = m_iDiaPos;
    const int F = m_iDiaPF;
    const int S = m_iDiaPS;
    if (keyRepeats(kLeft, kRepeat)) {
        // Without a block step the cursor wraps round the day; in block mode it never goes
        // before the anchor.
        P -= S;
        if (S > 1 && P < F) P += S;
        if (S == 1 && P < 0) P = kSlots - 1;
        m_bRepaint = 1;
    }
    if (keyRepeats(kRight, kRepeat)) {
        // With an anchor the range may run up to a whole day past it, across midnight.
        P += S;
        if (F == -1 && P == kSlots) P = 0;
        if (S > 1 && F != -1 && F <= P - kSlots) {
            P -= S;
        } else if (F + kSlots < P) {
            P -= S;
        }
        m_bRepaint = 1;
    }
    return checkWndKey(iWnd);
}

// One frame of the junction editor: select sets the anchor, then writes straight or curve
// over the range; cancel closes the editor at once.
void MainCanvas::pointDiaFrame() {
    const int r = checkDiaKey(m_iWndPointCmd);
    if (r > 0) {
        if (m_iDiaPF == -1) {
            m_iDiaPF = m_iDiaPos;
            m_iDiaPS = 1;
        } else {
            const int j = searchPointIndex();
            const int lo = std::min(m_iDiaPos, m_iDiaPF);
            const int hi = std::max(m_iDiaPos, m_iDiaPF);
            for (int s = lo; j >= 0 && s <= hi; s++)
                setABit(PointDD.data(), j * kSlots + s % kSlots, r - 1);
            m_iDiaPos %= kSlots;
            m_iDiaPF = -1;
        }
        repaint();
    } else if (r < 0) {
        m_bPointDia = 0;
        repaint();
        m_sba[3] = static_cast<int8_t>(m_sba[3] - kHold);
    }
}

// One frame of the station editor: select sets the anchor, then writes the command over the
// range in blocks of the range's length and selects the next block; cancel steps back one
// stage at a time and finally closes the editor.
void MainCanvas::stationDiaFrame() {
    const int r = checkDiaKey(m_iWndStationCmd);
    if (r > 0) {
        if (m_iDiaPF == -1) {
            m_iDiaPF = m_iDiaPos;
            m_iDiaPS = 1;
        } else {
            if (m_iDiaPS == 1) m_iDiaPS = abs(m_iDiaPos - m_iDiaPF) + 1;
            const int i = searchStationIndex();
            const int lo = std::min(m_iDiaPos, m_iDiaPF);
            const int hi = std::max(m_iDiaPos, m_iDiaPF);
            // Stop and turn back put the departure mark on the last slot of every block.
            for (int s = lo, j = 0; i >= 0 && s <= hi; s++, j++) {
                const bool mark = r < 3 && (j + 1) % m_iDiaPS == 0;
                StationDD[i * kSlots + s % kSlots] = static_cast<int8_t>(mark ? r + 3 : r - 1);
            }
            m_iDiaPF = std::max(m_iDiaPos, m_iDiaPF) + 1;
            if (m_iDiaPF >= kSlots) m_iDiaPF -= kSlots;
            m_iDiaPos = m_iDiaPF + m_iDiaPS - 1;
        }
    } else if (r < 0) {
        if (m_iDiaPS > 1) {
            m_iDiaPS = 1;
            m_iDiaPos = m_iDiaPF;
        } else if (m_iDiaPF != -1) {
            m_iDiaPos = m_iDiaPF;
            m_iDiaPF = -1;
        } else {
            m_bStationDia = 0;
            m_sba[3] = static_cast<int8_t>(m_sba[3] - kHold);
        }
    }
    if (r != 0) repaint();
}

// Shows the chart window and its grid.
void MainCanvas::putDiaMain() {
    m_tuw.put(m_iWndDia);
    putDiaGraduation();
}

// Draws the chart's frame lines and a vertical line every two hours.
void MainCanvas::putDiaGraduation() {
    Graphics* g = m_tug.m_g;
    if (!g || m_iWndDia < 0) return;
    const int D = m_iDiaSize;
    const int x0 = m_tuw.m_iaX[m_iWndDia] + D * 4;
    const int y0 = m_tuw.m_iaY[m_iWndDia] + D * 7;
    m_tug.setColor(kWhite);
    g->drawLine(x0, y0, x0 + D * kSlots, y0);
    g->drawLine(x0, y0 + D * 5, x0 + D * kSlots, y0 + D * 5);
    for (int k = 0; k <= 12; k++)
        g->drawLine(x0 + D * 4 * k, y0, x0 + D * 4 * k, y0 + D * 5);
}

// Draws the 48 slots of asb from idx in the colours of their codes with the departure marks,
// then the cursor or the range in black, and writes the times of the cursor or range.
void MainCanvas::putDiaData(const int8_t* asb, int idx) {
    Graphics* g = m_tug.m_g;
    if (!g || !asb || m_iWndDia < 0) return;
    const int D = m_iDiaSize;
    const int x0 = m_tuw.m_iaX[m_iWndDia] + D * 4;
    const int y0 = m_tuw.m_iaY[m_iWndDia] + D * 7;
    for (int s = 0; s < kSlots; s++) {
        const int code = asb[idx + s];
        m_tug.setColor(kCodeColor[code & 3]);
        g->fillRect(x0 + s * D, y0, D, D * 3);
        // The departure happens at the end of its slot, where the mark sits.
        if ((code & 3) < 2 && (code & 4) != 0) {
            m_tug.setColor(kMark);
            g->drawLine(x0 + s * D + D - 1, y0 + 1, x0 + s * D + D - 1, y0 + D * 3 - 3);
        }
    }
    m_tug.setColor(kBlack);
    if (m_iDiaPF == -1) {
        g->drawRect(x0 + m_iDiaPos * D + 1, y0 + 1, D - 2, D * 3 - 2);
        m_tuw.setString(m_iWndDiaTime, 0, createTimeString(m_iDiaPos / 2, (m_iDiaPos & 1) * 30));
        m_tuw.setString(m_iWndDiaTime, 1, J_String(""));
        m_tuw.setString(m_iWndDiaTime, 2, J_String(""));
    } else {
        const int lo = std::min(m_iDiaPos, m_iDiaPF);
        int hi = std::max(m_iDiaPos, m_iDiaPF);
        // The part of a range past midnight shows at the start of the strip.
        if (hi >= kSlots) {
            g->fillRect(x0 + 1, y0 + 1, D * (hi - (kSlots - 1)) - 2, D * 3 - 2);
            hi = kSlots - 1;
        }
        if (lo <= hi) g->fillRect(x0 + lo * D + 1, y0 + 1, D * (hi - lo + 1) - 2, D * 3 - 2);
        m_tuw.setString(m_iWndDiaTime, 1, J_String("～"));
        m_tuw.setString(m_iWndDiaTime, 2,
                        createTimeString(m_iDiaPos / 2, (m_iDiaPos & 1) * 30 + 29));
    }
    m_tuw.put(m_iWndDiaTime);
}

// The junction editor on screen: the chart of its 48 switch settings and its commands.
void MainCanvas::putPointDia() {
    const int j = searchPointIndex();
    if (j < 0) return;
    putDiaMain();
    const std::vector<int8_t> bits = toASBFromABit(PointDD.data(), j * 6, 6);
    putDiaData(bits.data(), 0);
    if (m_bPointCmd == 1) m_tuw.put(m_iWndPointCmd);
}

// The station editor on screen: the chart of its 48 stop rules, its passenger counts and its
// commands.
void MainCanvas::putStationDia() {
    const int i = searchStationIndex();
    if (i < 0) return;
    putDiaMain();
    putDiaData(StationDD.data(), i * kSlots);
    putStationState();
    if (m_bStationCmd == 1) m_tuw.put(m_iWndStationCmd);
    m_tuw.put(m_iWndStationState);
}
