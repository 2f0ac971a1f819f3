// The map cursor, the direction choice and the function keys (pause, game speed, zoom, view).
#include "game/MainCanvas.h"
#include "screens/ui.h"

namespace {

constexpr int kPause = 10, kSlower = 11, kFaster = 12, kZoomIn = 13, kZoomOut = 14, kView = 15;
constexpr int kRepeat = 10;  // the map cursor and the zoom keys repeat above this count
constexpr int kFine = 1023;  // the largest 3D cursor coordinate, in sixteenths of a cell

int16_t clampFine(int v) {
    return static_cast<int16_t>(v < 0 ? 0 : (v > kFine ? kFine : v));
}

}  // namespace

// Moves the map cursor with the arrow keys, scrolling the view at the screen edges, and
// reports select (1) or cancel (-1); otherwise it runs the function keys and returns 0.
int MainCanvas::checkCursorKey() {
    const int B = m_iBlockSize > 0 ? m_iBlockSize : 1;
    const int H = getHeight();
    const int W = getWidth();
    const int F = m_fontM ? m_fontM->getHeight() : 0;
    if (m_sba[6] == 0) {
        // 2D: a screen cursor over a scrolled map, kept clear of the date bar at the top, of
        // the fund window at the bottom and of the left edge.
        if (keyRepeats(kUp, kRepeat)) {
            if (m_swa[8] + m_swa[4] + 1 < MAP) {
                if ((m_swa[4] + 2) * B < H - F) {
                    m_swa[4]++;
                } else {
                    m_swa[8]++;
                }
            }
            m_iMsgWait = 0;
            m_bRepaint = 1;
        }
        if (keyRepeats(kDown, kRepeat)) {
            if (m_swa[8] + m_swa[4] > 0) {
                const int M = (m_sba[5] & 1) * (F * 2 / B);
                if (m_swa[4] >= M + 3) {
                    m_swa[4]--;
                } else if (m_swa[8] >= -M - 1) {
                    m_swa[8]--;
                }
            }
            m_iMsgWait = 0;
            m_bRepaint = 1;
        }
        if (keyRepeats(kLeft, kRepeat)) {
            // The map's first column ends the way left, whatever the screen column.
            if (m_swa[9] + m_swa[5] > 0) {
                if (m_swa[5] >= 2) {
                    m_swa[5]--;
                } else if (m_swa[9] >= 0) {
                    m_swa[9]--;
                }
            }
            m_iMsgWait = 0;
            m_bRepaint = 1;
        }
        if (keyRepeats(kRight, kRepeat)) {
            if (m_swa[9] + m_swa[5] + 1 < MAP) {
                if ((m_swa[5] + 2) * B < W) {
                    m_swa[5]++;
                } else {
                    m_swa[9]++;
                }
            }
            m_iMsgWait = 0;
            m_bRepaint = 1;
        }
        m_swa[6] = static_cast<int16_t>(m_swa[4] + m_swa[8]);
        m_swa[7] = static_cast<int16_t>(m_swa[5] + m_swa[9]);
    } else {
        // 3D: a fine cursor in sixteenths of a cell, moved along the view's diagonal every
        // frame a key is held, at full step once the key has been held for a while.
        for (int k = kUp; k <= kRight; k++) {
            const int state = m_sbaKey[k];
            if (state <= 0) continue;
            const int step = state > kRepeat ? m_swa[1] : m_swa[1] / 2;
            const int dy = k == kUp || k == kLeft ? step : -step;
            const int dx = k == kUp || k == kRight ? step : -step;
            m_swa[2] = static_cast<int16_t>(m_swa[2] + dy);
            m_swa[3] = static_cast<int16_t>(m_swa[3] + dx);
            m_iMsgWait = 0;
            m_bRepaint = 1;
        }
        m_swa[2] = clampFine(m_swa[2]);
        m_swa[3] = clampFine(m_swa[3]);
        m_swa[6] = static_cast<int16_t>(m_swa[2] / 16);
        m_swa[7] = static_cast<int16_t>(m_swa[3] / 16);
    }
    if (m_sbaKey[kSelect] == 1) {
        m_iMsgWait = 0;
        return 1;
    }
    if (m_sbaKey[kCancel] == 1) {
        m_iMsgWait = 0;
        return -1;
    }
    checkFunctionKey();
    return 0;
}

// Turns the direction being chosen to the next one in which the track leaves the cursor cell,
// on any arrow key; reports select (1) or cancel (-1).
int MainCanvas::checkArrowKey() {
    if (m_sbaKey[kUp] == 1 || m_sbaKey[kDown] == 1 || m_sbaKey[kLeft] == 1 ||
        m_sbaKey[kRight] == 1) {
        const int y = m_swa[4] + m_swa[8];
        const int x = m_swa[5] + m_swa[9];
        // A cell without track offers no direction, so the arrow stays where it points.
        const int mask = getMapTyp(y, x) == 4 ? getMapPrm(y, x) & 0xFF : 0;
        m_iArrow = nextVector(mask, m_iArrow);
        m_bRepaint = 1;
    }
    if (m_sbaKey[kSelect] == 1) return 1;
    if (m_sbaKey[kCancel] == 1) return -1;
    return 0;
}

// The function keys: pause and resume, game speed, zoom, and the view switch.
void MainCanvas::checkFunctionKey() {
    if (m_sbaKey[kPause] == 1) {
        // A window that holds the clock keeps it held; only the pause bit toggles.
        if (m_sba[3] == 0) {
            m_sba[3] = 1;
            putMsg("停止", 100);
            m_bRepaint = 1;
        } else if (m_sba[3] == 1) {
            m_sba[3] = 0;
            putMsg("再開", 100);
            m_bRepaint = 1;
        }
    }
    if (m_sbaKey[kSlower] == 1 && m_sba[4] > 1) {
        m_sba[4]--;
        J_String s("ゲームスピード:");
        s += static_cast<int32_t>(m_sba[4]);
        putMsg(s, 100);
        m_bRepaint = 1;
    }
    if (m_sbaKey[kFaster] == 1 && m_sba[4] < 25) {
        m_sba[4]++;
        J_String s("ゲームスピード:");
        s += static_cast<int32_t>(m_sba[4]);
        putMsg(s, 100);
        m_bRepaint = 1;
    }
    if (keyRepeats(kZoomIn, kRepeat)) {
        // In 2D one press always changes the cell size on screen, unless the scale limit is
        // reached first.
        while (m_swa[1] > 3) {
            if (renewBlockSize(-1) != 0 || m_sba[6] != 0) break;
        }
        m_bRepaint = 1;
    }
    if (keyRepeats(kZoomOut, kRepeat)) {
        while (m_swa[1] < 48) {
            if (renewBlockSize(1) != 0 || m_sba[6] != 0) break;
        }
        m_bRepaint = 1;
    }
    if (m_sbaKey[kView] == 1) {
        // The game draws only the top-down view, so in 2D the key keeps it; a game saved in
        // the 3D view comes back to 2D.
        if (m_sba[6] != 0) to2D();
        m_bRepaint = 1;
    }
}

// Leaves the 3D view: the 2D view is centred on the cursor cell, kept on the map.
void MainCanvas::to2D() {
    if (m_sba[6] == 0) return;
    m_sba[6] = 0;
    const int B = m_iBlockSize > 0 ? m_iBlockSize : 1;
    m_swa[4] = static_cast<int16_t>(getHeight() / B / 2);
    m_swa[5] = static_cast<int16_t>(getWidth() / B / 2);
    m_swa[8] = static_cast<int16_t>(m_swa[6] - m_swa[4]);
    m_swa[9] = static_cast<int16_t>(m_swa[7] - m_swa[5]);
    while (m_swa[4] + m_swa[8] < 0)
        m_swa[8]++;
    while (m_swa[5] + m_swa[9] < 0)
        m_swa[9]++;
    while (m_swa[4] + m_swa[8] >= MAP)
        m_swa[8]--;
    while (m_swa[5] + m_swa[9] >= MAP)
        m_swa[9]--;
    m_swa[6] = static_cast<int16_t>(m_swa[4] + m_swa[8]);
    m_swa[7] = static_cast<int16_t>(m_swa[5] + m_swa[9]);
}
