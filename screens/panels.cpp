// The train list, the train and station state windows and the purchase window: their texts
// and colours, and the keys of the train list.
#include "game/MainCanvas.h"
#include "screens/ui.h"

namespace {

constexpr int kRepeat = 10;
constexpr int kDim = 0x000066;
constexpr int kChosen = 0xFFFF99;
constexpr int kRows = 6;

}  // namespace

// Rewrites the six rows of the train list from the slot shown in row 0: the slot number and
// where its train is, off the map or that the slot is empty.
void MainCanvas::putTrainList() {
    for (int r = 0; r < kRows; r++) {
        const int n = m_iTrainS + r;
        J_String s = IntToString(n + 1, 2, '0');
        s += " ";
        if (n < 0 || n >= TRAINS || TrainY[n] == -2) {
            s += " -----";
        } else if (TrainY[n] == -1) {
            s += " 未配置";
        } else {
            s += "(";
            s += IntToString(TrainX[n], 2, ' ');
            s += ",";
            s += IntToString(TrainY[n], 2, ' ');
            s += ")";
        }
        m_tuw.setString(m_iWndTrainList, r, s);
    }
}

// Moves the highlighted row of the train list, scrolling through the 40 slots at its ends;
// reports select (1) or cancel (-1).
int MainCanvas::checkTrainListKey() {
    if (keyRepeats(kUp, kRepeat)) {
        m_tuw.swapTextColor(m_iWndTrainList, m_iTrainC);
        if (m_iTrainC == 0) {
            if (m_iTrainS > 0) {
                m_iTrainS--;
                putTrainList();
            }
        } else {
            m_iTrainC--;
        }
        m_tuw.swapTextColor(m_iWndTrainList, m_iTrainC);
        m_bRepaint = 1;
    }
    if (keyRepeats(kDown, kRepeat)) {
        m_tuw.swapTextColor(m_iWndTrainList, m_iTrainC);
        m_iTrainC++;
        const int last = m_tuw.getTextCount(m_iWndTrainList) - 1;
        if (m_iTrainC > last) {
            m_iTrainC = last;
            if (m_iTrainS + m_iTrainC < TRAINS - 1) {
                m_iTrainS++;
                putTrainList();
            }
        }
        m_tuw.swapTextColor(m_iWndTrainList, m_iTrainC);
        m_bRepaint = 1;
    }
    if (keyRepeats(kLeft, kRepeat) || keyRepeats(kRight, kRepeat)) m_bRepaint = 1;
    if (m_sbaKey[kSelect] == 1) return 1;
    if (m_sbaKey[kCancel] == 1) return -1;
    return 0;
}

// Rewrites the train state window for the train chosen on the map: when its stop ends, or
// its passengers and its cell (column first) while it runs.
void MainCanvas::putTrainState() {
    const int n = m_iTrainNo;
    if (n < 0 || n >= TRAINS) return;
    if (TrainSP[n] < 0) {
        m_tuw.setString(m_iWndTrainState, 0, J_String("停車"));
        m_tuw.setString(m_iWndTrainState, 1, getTimeString(m_la[0] - TrainSP[n]));
    } else {
        J_String p = IntToString(getTrainP(n), 3, ' ');
        p += "名";
        m_tuw.setString(m_iWndTrainState, 0, p);
        J_String at = IntToString(TrainX[n], 2, ' ');
        at += ",";
        at += IntToString(TrainY[n], 2, ' ');
        m_tuw.setString(m_iWndTrainState, 1, at);
    }
}

// Rewrites the passenger counts of last month and this month of the station at the cursor.
void MainCanvas::putStationState() {
    const int i = searchStationIndex();
    if (i < 0) return;
    m_tuw.setString(m_iWndStationState, 1, LongToFundString(StationPLM[i], 9));
    m_tuw.setString(m_iWndStationState, 3, LongToFundString(StationPTM[i], 9));
}

// Rewrites the purchase window for the model on offer: the arrows, three speed numbers with
// the model's own picked out, its colour as three hexadecimal values, and its price.
void MainCanvas::putBuyTrain() {
    const int w = m_iWndBuyTrain;
    const int t = m_iBuyTrain < 0 ? 0 : (m_iBuyTrain > MODELS - 1 ? MODELS - 1 : m_iBuyTrain);
    m_tuw.setTextFC(w, 3, t > 0 ? kWhite : kDim);
    m_tuw.setTextFC(w, 7, t < MODELS - 1 ? kWhite : kDim);

    // Three speed numbers around the model's own (t + 3), which stays inside 3..30.
    int s0 = t + 2;
    if (s0 < 3) s0 = 3;
    if (s0 > MODELS) s0 = MODELS;
    for (int k = 0; k < 3; k++) {
        m_tuw.setString(w, 4 + k, IntToString(s0 + k, 2, ' '));
        m_tuw.setTextFC(w, 4 + k, s0 + k == t + 3 ? kChosen : kGrey);
    }

    // The colour values, each drawn in the colour itself; the channel being edited swapped.
    const int k = BuyTrainClr[t];
    const int channels[3] = {getClrR(k), getClrG(k), getClrB(k)};
    for (int c = 0; c < 3; c++) {
        m_tuw.setString(w, 9 + c, IntToHex(channels[c], 2, '0'));
        m_tuw.setTextFC(w, 9 + c, k);
        m_tuw.setTextBC(w, 9 + c, kBlack);
    }
    if (m_iYesNoY == -1 && m_iBuyTrainClr >= 1 && m_iBuyTrainClr <= 3) {
        m_tuw.setTextFC(w, 8 + m_iBuyTrainClr, kBlack);
        m_tuw.setTextBC(w, 8 + m_iBuyTrainClr, k);
    }
    m_tuw.setString(w, 12, LongToFundString(static_cast<int64_t>(t + 2) * 10000, 0));
}
