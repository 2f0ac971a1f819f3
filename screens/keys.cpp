// The keypad read as per-frame key states, and the menu and yes/no routines.
#include "game/MainCanvas.h"
#include "screens/ui.h"

// Fills the keypad-bit mask of every key index.
void MainCanvas::initKey() {
    m_iaKA = {0x20000, 0x80000, 0x10000, 0x40000, 0x100000, 0x200001, 0x400, 0x200000, 0x400000, 1,
              2,       4,       8,       16,      32,       64,       128,   256,      512};
}

// Counts, once per frame, how long each key has been down (1, 2, ... 127) or up (0, -1, ... -128).
void MainCanvas::m_scanKey() {
    int state = getKeypadState();
    for (int i = 0; i < KEYS; i++) {
        int k = m_sbaKey[i];
        if (state & m_iaKA[i]) {
            if (k != 127) k++;
            if (k < 1) k = 1;
        } else {
            if (k != -128) k--;
            if (k > 0) k = 0;
        }
        m_sbaKey[i] = static_cast<int8_t>(k);
    }
}

bool MainCanvas::keyRepeats(int index, int threshold) {
    int k = m_sbaKey[index];
    return k == 1 || (k > threshold && (k & 1) == 1);
}

// Menu routine: moves the window's command cursor and reports select (k) or cancel (-k) on item
// k-1.
int MainCanvas::checkWndKey(int window) {
    if (m_sbaKey[kDown] == 1) {
        m_tuw.cmdDown(window);
        m_bRepaint = 1;
    }
    if (m_sbaKey[kUp] == 1) {
        m_tuw.cmdUp(window);
        m_bRepaint = 1;
    }
    int pos = m_tuw.cmdPos(window);
    if (m_sbaKey[kSelect] == 1) return pos + 1;
    if (m_sbaKey[kCancel] == 1) return -(pos + 1);
    return 0;
}

// Yes/no routine with up to two rows above the answers (window 0: none); bSub selects
// the purchase window's behaviour. Returns 1/2 for select on yes/no, -1/-2 for cancel.
int MainCanvas::checkYesNoKey(int window, int bSub) {
    const int yn = m_iWndYesNo;
    if (window != 0 && (keyRepeats(kUp, 15) || keyRepeats(kDown, 15))) {
        if (m_bBuyTrain == 1 && m_iYesNoY == -1 && m_iBuyTrainClr != 0) {
            // On the colour row with a channel chosen, up and down change that channel.
            int shift = (3 - m_iBuyTrainClr) * 8;
            int32_t& clr = BuyTrainClr[m_iBuyTrain];
            int v = (clr >> shift) & 255;
            if (m_sbaKey[kUp] > 0) {
                if (v < 255) v++;
            } else if (v > 0) {
                v--;
            }
            clr = (clr & ~(255 << shift)) | (v << shift);
        } else {
            if (m_iYesNoY == 0) {
                m_tuw.swapTextColor(yn, m_iYesNoPos);
                m_tuw.setTextFC(yn, 1 - m_iYesNoPos, kGrey);
            } else {
                m_tuw.swapTextColor(window, m_iYesNoY + 2);
            }
            if (m_sbaKey[kUp] > 0) {
                if (m_iYesNoY > -2) m_iYesNoY--;
            } else if (m_iYesNoY < 0) {
                m_iYesNoY++;
            }
            if (m_iYesNoY == 0) {
                m_tuw.setTextFC(yn, 1 - m_iYesNoPos, kWhite);
                m_tuw.swapTextColor(yn, m_iYesNoPos);
            } else {
                m_tuw.swapTextColor(window, m_iYesNoY + 2);
            }
        }
        m_bRepaint = 1;
    }
    if (keyRepeats(kLeft, 15) || keyRepeats(kRight, 15)) {
        bool left = m_sbaKey[kLeft] > 0;
        if (m_iYesNoY == 0) {
            m_tuw.swapTextColor(yn, m_iYesNoPos);
            m_iYesNoPos = 1 - m_iYesNoPos;
            m_tuw.swapTextColor(yn, m_iYesNoPos);
        } else if (m_iYesNoY == -1 && m_bBuyTrain == 1) {
            if (left) {
                if (m_iBuyTrainClr > 0) m_iBuyTrainClr--;
            } else if (m_iBuyTrainClr < 3) {
                m_iBuyTrainClr++;
            }
        } else if (m_iYesNoY == -2 && m_bBuyTrain == 1) {
            if (left) {
                if (m_iBuyTrain > 0) m_iBuyTrain--;
            } else if (m_iBuyTrain < MODELS - 1) {
                m_iBuyTrain++;
            }
        }
        m_bRepaint = 1;
    }
    if (m_sbaKey[kSelect] == 1) {
        if (m_iYesNoY == 0) {
            m_tuw.swapTextColor(yn, m_iYesNoPos);
            m_bYesNo = 0;
            return m_iYesNoPos + 1;
        }
        if (bSub == 0) return m_iYesNoPos + 1;
        if (m_iYesNoPos == 1) return 0;
        m_tuw.swapTextColor(window, m_iYesNoY + 2);
        m_tuw.setTextFC(yn, 1 - m_iYesNoPos, kWhite);
        m_iYesNoY = 0;
        m_bYesNo = 0;
        return 1;
    }
    if (m_sbaKey[kCancel] == 1) {
        if (m_iYesNoY == 0) {
            m_tuw.swapTextColor(yn, m_iYesNoPos);
        } else {
            m_tuw.swapTextColor(window, m_iYesNoY + 2);
            m_tuw.setTextFC(yn, 1 - m_iYesNoPos, kWhite);
            if (bSub == 1) m_iYesNoY = 0;
        }
        m_bBuyTrain = 0;
        m_bYesNo = 0;
        return -(m_iYesNoPos + 1);
    }
    return 0;
}
