// The commands of the game screen: one mode takes the keys each frame (command menu, editors,
// train command window, train following, map cursor, train list, direction choice), every
// cost is confirmed before it is paid, and the windows that stop the clock hold it while open.
#include "game/MainCanvas.h"
#include "screens/ui.h"

namespace {

constexpr int kFundKey = 16;
constexpr int kHold = 2;  // what every clock-stopping window adds to the clock hold
constexpr int kStationPrice = 20000;
constexpr int kRailRemoval = 100;
constexpr int kStationRemoval = 1000;

bool selected() {
    return MainCanvas::m_sbaKey[kSelect] == 1;
}
bool cancelled() {
    return MainCanvas::m_sbaKey[kCancel] == 1;
}

// What funds and assets together can pay: every affordability test compares with it.
int64_t score(const MainCanvas& g) {
    return g.m_la[1] + g.m_la[3];
}

// Puts a cost question until it is answered, with the fund window shown beside it.
void ask(MainCanvas& g, const char* label, int64_t amount) {
    J_String s(label);
    s += MainCanvas::LongToFundString(amount, 0);
    s += "  決定？";
    g.putMsg(s, -1);
    g.m_sba[5] = static_cast<int8_t>(g.m_sba[5] | 1);
}

void hideFund(MainCanvas& g) {
    g.m_sba[5] = static_cast<int8_t>(g.m_sba[5] & ~1);
}

// Prices the plan between the anchor and the cursor as the map view shows it, so that a
// cursor moved in the same frame as select is priced where it now stands.
void pricePlan(MainCanvas& g) {
    if (g.m_iFY == -1) return;
    if (g.m_iFT == 0) {
        g.extendRail(MainCanvas::getDirection(g.m_swa[4] + g.m_swa[8], g.m_swa[5] + g.m_swa[9],
                                              g.m_iFY, g.m_iFX),
                     0);
    } else {
        g.selectRegion(g.m_iFY - g.m_swa[8], g.m_iFX - g.m_swa[9], g.m_swa[4], g.m_swa[5],
                       g.m_iFT == 1 ? -1 : -2);
    }
}

// Answers the cost question of the running command: select carries it out, cancel goes back
// to choosing. Either answer hides the question and the fund window.
void answerCost(MainCanvas& g) {
    const bool yes = selected();
    if (!yes && !cancelled()) return;
    g.m_iMsgWait = 0;
    hideFund(g);
    g.m_iCursor = 1;
    switch (g.m_iCmdNow) {
        case 102:
            // The plan goes on from the new end of the track.
            if (yes) g.constructRail();
            g.m_iCmdNow = 101;
            break;
        case 111:
            if (yes) g.removeRail();
            g.m_iCmdNow = 110;
            break;
        case 201:
            g.m_iCmdNow = 200;
            if (yes) {
                if (g.constructStation() == -1) g.putMsg("駅数の上限です", 1000);
                g.m_iFY = -1;
            }
            break;
        case 211:
            if (yes) g.removeStation();
            g.m_iCmdNow = 210;
            break;
        case 52:
            if (yes) {
                g.buyTochi();
                g.m_iFY = -1;
                g.m_iCmdNow = 50;
            } else {
                g.m_iCmdNow = 51;
            }
            break;
        case 62:
            if (yes) {
                g.sellTochi();
                g.m_iFY = -1;
                g.m_iCmdNow = 60;
            } else {
                g.m_iCmdNow = 61;
            }
            break;
        default:
            break;
    }
    g.repaint();
}

// The purchase window: the model, its colour and the answer. A shortage message stays until
// select or cancel dismisses it, and the window stays open.
void purchase(MainCanvas& g) {
    if (g.m_iMsgWait != 0) {
        if (selected() || cancelled()) {
            g.m_iMsgWait = 0;
            g.repaint();
        }
        return;
    }
    const int r = g.checkYesNoKey(g.m_iWndBuyTrain, 1);
    if (r == 0) return;
    if (r == 1 && !g.buyTrain()) {
        g.m_bYesNo = 1;
        g.m_tuw.swapTextColor(g.m_iWndYesNo, 0);
        g.putMsg("資金不足です", -1);
    } else {
        if (r == 1) g.putTrainList();
        g.m_bBuyTrain = 0;
        g.m_iCmdNow = 0;
        g.m_iMsgWait = 0;
        hideFund(g);
    }
    g.repaint();
}

// Opens a sub-menu of the command menu with its command highlighted.
void openSub(MainCanvas& g, int window, int& flag) {
    g.m_tuw.startCmd(window);
    flag = 1;
}

// Starts a command that chooses on the map, leaving the command menu.
void startCommand(MainCanvas& g, int code) {
    g.m_iCmdNow = code;
    g.m_iCursor = 1;
    g.m_bCmd = 0;
}

// The command menu and its sub-menus. Returns false when the frame ends here.
bool commandMenu(MainCanvas& g) {
    if (g.m_iMsgWait != 0) {
        g.m_iMsgWait = 0;
        g.repaint();
    }
    struct Sub {
        int window;
        int* flag;
    };
    const Sub subs[] = {{g.m_iWndCRail, &g.m_bCRail},
                        {g.m_iWndCStation, &g.m_bCStation},
                        {g.m_iWndCTochi, &g.m_bCTochi},
                        {g.m_iWndCFunc, &g.m_bCFunc}};
    for (const Sub& sub : subs) {
        if (*sub.flag != 1) continue;
        const int r = g.checkWndKey(sub.window);
        if (r == 0) return false;
        if (sub.flag == &g.m_bCRail && r > 0) startCommand(g, r == 1 ? 100 : 110);
        if (sub.flag == &g.m_bCStation && r > 0) startCommand(g, r == 1 ? 200 : 210);
        if (sub.flag == &g.m_bCTochi && r > 0) startCommand(g, r == 1 ? 50 : 60);
        if (sub.flag == &g.m_bCFunc && r == 1) g.m_bPutTNo = static_cast<int8_t>(!g.m_bPutTNo);
        g.m_tuw.endCmd(sub.window);
        *sub.flag = 0;
        g.repaint();
        return false;
    }
    const int r = g.checkWndKey(g.m_iWndCmd);
    if (r == 0) return true;
    switch (r) {
        case 1:
            openSub(g, g.m_iWndCRail, g.m_bCRail);
            break;
        case 2:
            openSub(g, g.m_iWndCStation, g.m_bCStation);
            break;
        case 3:
            // The train list takes over; the menu keeps its highlight for the way back.
            g.m_bTrain = 1;
            g.putTrainList();
            g.m_tuw.swapTextColor(g.m_iWndTrainList, g.m_iTrainC);
            g.m_bCmd = 0;
            break;
        case 4:
            openSub(g, g.m_iWndCTochi, g.m_bCTochi);
            break;
        case 5:
            openSub(g, g.m_iWndCFunc, g.m_bCFunc);
            break;
        default:
            if (r < 0) {
                // Back to the free map cursor, which lets the clock run again.
                g.m_bCmd = 0;
                g.m_sba[3] = static_cast<int8_t>(g.m_sba[3] - kHold);
                g.m_iCursor = 1;
            }
            break;
    }
    g.repaint();
    return true;
}

// Select on the free map cursor: a train on the cell opens its command window, a junction or
// a station its timetable editor.
void chooseOnMap(MainCanvas& g) {
    const int y = g.m_swa[6];
    const int x = g.m_swa[7];
    const int typ = g.getMapTyp(y, x);
    const int n = g.getMapTrain(y, x);
    if (n != -1) {
        g.m_iTrainNo = n;
        g.m_bTrainCmd = 1;
        g.m_iCursor = 0;
        g.m_sba[3] = static_cast<int8_t>(g.m_sba[3] + kHold);
        g.m_bRepaint = 1;
    } else if (typ == 4 && MainCanvas::countBitByte(g.getMapPrm(y, x)) == 3) {
        g.m_bPointDia = 1;
        g.m_bPointCmd = 1;
        g.m_iDiaPF = -1;
        g.m_iDiaPS = 1;
        g.m_sba[3] = static_cast<int8_t>(g.m_sba[3] + kHold);
        g.m_bRepaint = 1;
    }
    if (typ == 5) {
        g.m_bStationDia = 1;
        g.m_bStationCmd = 1;
        g.m_iDiaPF = -1;
        g.m_iDiaPS = 1;
        g.m_sba[3] = static_cast<int8_t>(g.m_sba[3] + kHold);
        g.m_bRepaint = 1;
    }
}

// Cancel at a command's first step: back to the command menu.
void backToMenu(MainCanvas& g) {
    g.m_iCmdNow = 0;
    g.m_iCursor = 0;
    g.m_bCmd = 1;
}

// Sets the plan's anchor on the cursor cell.
void setAnchor(MainCanvas& g, int kind) {
    g.m_iFY = g.m_swa[4] + g.m_swa[8];
    g.m_iFX = g.m_swa[5] + g.m_swa[9];
    g.m_iFT = kind;
}

// Cancel while choosing a land region's second corner: the view and the cursor go back to
// where the first corner was chosen.
void dropRegion(MainCanvas& g, int code) {
    g.m_iCmdNow = code;
    g.m_swa[8] = static_cast<int16_t>(g.m_iPYB);
    g.m_swa[9] = static_cast<int16_t>(g.m_iPXB);
    g.m_swa[4] = static_cast<int8_t>(g.m_iFY - g.m_swa[8]);
    g.m_swa[5] = static_cast<int8_t>(g.m_iFX - g.m_swa[9]);
    g.m_swa[6] = static_cast<int16_t>(g.m_swa[4] + g.m_swa[8]);
    g.m_swa[7] = static_cast<int16_t>(g.m_swa[5] + g.m_swa[9]);
    g.m_iFY = -1;
}

// The map cursor and the command running on it. Returns false when the frame ends here.
bool mapCursor(MainCanvas& g) {
    const int r = g.checkCursorKey();
    if (r == 0) return true;
    const int y = g.m_swa[6];
    const int x = g.m_swa[7];
    const int typ = g.getMapTyp(y, x);
    bool acted = true;
    if (r < 0) {
        switch (g.m_iCmdNow) {
            case 100:
                backToMenu(g);
                g.to2D();
                break;
            case 101:
                g.m_iCmdNow = 100;
                g.m_iFY = -1;
                break;
            case 51:
                dropRegion(g, 50);
                break;
            case 61:
                dropRegion(g, 60);
                break;
            case 310:
                g.m_iCmdNow = 0;
                g.m_bTrain = 1;
                g.m_iCursor = 0;
                break;
            case 0:
                // The command menu holds the clock for everything started from it.
                g.m_iCursor = 0;
                g.m_bCmd = 1;
                g.to2D();
                g.m_sba[3] = static_cast<int8_t>(g.m_sba[3] + kHold);
                break;
            default:
                backToMenu(g);
                break;
        }
        g.repaint();
        return true;
    }
    switch (g.m_iCmdNow) {
        case 100:
            g.m_iCmdNow = 101;
            setAnchor(g, 0);
            break;
        case 101:
            // Track must cost strictly less than funds and assets together.
            pricePlan(g);
            acted = g.m_sqwCost < score(g);
            if (acted) {
                g.m_iCmdNow = 102;
                g.m_iCursor = 0;
                ask(g, "費用:", g.m_sqwCost);
            }
            break;
        case 110:
            acted = typ == 4;
            if (acted) {
                g.m_iCmdNow = 111;
                g.m_iCursor = 0;
                ask(g, "費用:", kRailRemoval);
            }
            break;
        case 200: {
            acted = (typ >= 0 && typ <= 3) || (typ >= 6 && typ <= 19);
            if (!acted) break;
            // Land the player does not own yet is bought with the station.
            const int64_t cost = kStationPrice + (typ != 0 ? g.getLandValue(y, x) : 0);
            if (score(g) < cost) {
                g.putMsg("資金不足です", 1000);
                g.repaint();
                return false;
            }
            g.m_iCmdNow = 201;
            g.m_iCursor = 0;
            ask(g, "費用:", cost);
            break;
        }
        case 210:
            acted = typ == 5;
            if (acted) {
                g.m_iCmdNow = 211;
                g.m_iCursor = 0;
                ask(g, "費用:", kStationRemoval);
            }
            break;
        case 50:
        case 60:
            g.m_iCmdNow = g.m_iCmdNow + 1;
            setAnchor(g, g.m_iCmdNow == 51 ? 1 : 2);
            g.m_iPYB = g.m_swa[8];
            g.m_iPXB = g.m_swa[9];
            break;
        case 51:
            pricePlan(g);
            if (score(g) < g.m_sqwCost) {
                g.putMsg("資金不足です", 1000);
                g.repaint();
                return false;
            }
            g.m_iCmdNow = 52;
            ask(g, "費用:", g.m_sqwCost);
            break;
        case 61:
            // A sale brings 95% of the land's price, whatever the funds.
            pricePlan(g);
            g.m_iCmdNow = 62;
            ask(g, "売値:", g.m_sqwCost * 95 / 100);
            break;
        case 310:
            acted = typ == 4 && g.getMapTrain(y, x) == -1;
            if (acted) {
                g.m_iCmdNow = 311;
                g.m_iArrow = MainCanvas::nextVector(g.getMapPrm(y, x) & 0xFF, 0);
                g.m_iCursor = 0;
            }
            break;
        case 0:
            g.to2D();
            chooseOnMap(g);
            acted = false;  // it asks for its own repaint
            break;
        default:
            acted = false;
            break;
    }
    if (acted) g.repaint();
    return true;
}

// The train command window of the train chosen on the map: follow it, turn it, or take it off
// the map.
void trainCommand(MainCanvas& g) {
    const int r = g.m_iWndTrainCmd >= 0 ? g.checkWndKey(g.m_iWndTrainCmd) : 0;
    if (r == 0) return;
    if (r < 0) {
        g.m_sba[3] = static_cast<int8_t>(g.m_sba[3] - kHold);
        g.m_iCursor = 1;
        g.m_iTrainNo = -1;
    } else if (r == 1) {
        // Following a train lets the clock run.
        g.m_bTrainLock = 1;
        g.m_sba[3] = static_cast<int8_t>(g.m_sba[3] - kHold);
    } else if (r == 2 && g.m_iTrainNo >= 0 && g.m_iTrainNo < MainCanvas::TRAINS) {
        g.m_iArrow = g.TrainV[g.m_iTrainNo];
    } else if (r == 3) {
        // The train leaves the map and stays owned; the move costs 500.
        g.removeTrain(g.m_iTrainNo);
        g.m_sba[3] = static_cast<int8_t>(g.m_sba[3] - kHold);
        g.m_iCursor = 1;
        g.m_iTrainNo = -1;
    }
    g.m_bTrainCmd = 0;
    g.repaint();
}

// Centres the view and the cursor on the chosen train, as the view does while following it.
void centreOnTrain(MainCanvas& g) {
    const int n = g.m_iTrainNo;
    const int B = g.m_iBlockSize;
    if (n < 0 || n >= MainCanvas::TRAINS || g.TrainY[n] < 0 || B < 1) return;
    g.m_swa[6] = g.TrainY[n];
    g.m_swa[7] = g.TrainX[n];
    g.m_swa[4] = static_cast<int16_t>(g.getHeight() / B / 2);
    g.m_swa[5] = static_cast<int16_t>(g.getWidth() / B / 2);
    g.m_swa[8] = static_cast<int16_t>(g.m_swa[6] - g.m_swa[4]);
    g.m_swa[9] = static_cast<int16_t>(g.m_swa[7] - g.m_swa[5]);
    g.m_swa[2] = static_cast<int16_t>(g.m_swa[6] * 16 + 8);
    g.m_swa[3] = static_cast<int16_t>(g.m_swa[7] * 16 + 8);
}

// Following a train: the function keys work, and select or cancel brings the train command
// window back. The train may have run on since the view last followed it, so the cursor is
// put on its cell again: turning it offers the directions of the cell it stands on.
void trainFollow(MainCanvas& g) {
    g.checkFunctionKey();
    if (selected() || cancelled()) {
        g.m_bTrainLock = 0;
        g.m_sba[3] = static_cast<int8_t>(g.m_sba[3] + kHold);
        g.m_bTrainCmd = 1;
        centreOnTrain(g);
        g.repaint();
    }
}

// The train list and its sub-menu: buy into an empty slot, place or sell a train that is off
// the map. Returns false when the frame ends here.
bool trainList(MainCanvas& g) {
    const int slot = g.m_iTrainC + g.m_iTrainS;
    if (g.m_bCTrain == 1) {
        const int r = g.checkWndKey(g.m_iWndCTrain);
        if (r == 0) return false;
        if (r == 1) {
            g.m_bTrain = 0;
            g.m_iCmdNow = 310;
            g.m_iCursor = 1;
        } else if (r == 2) {
            g.sellTrain(slot);
            g.putTrainList();
        }
        g.m_tuw.endCmd(g.m_iWndCTrain);
        g.m_bCTrain = 0;
        g.repaint();
        return false;
    }
    const int r = g.checkTrainListKey();
    if (r < 0) {
        g.m_iCmdNow = 0;
        g.m_tuw.swapTextColor(g.m_iWndTrainList, g.m_iTrainC);
        g.m_bTrain = 0;
        g.m_bCmd = 1;
        g.repaint();
    } else if (r == 1 && slot >= 0 && slot < MainCanvas::TRAINS) {
        if (g.TrainY[slot] == -2) {
            g.m_iCmdNow = 300;
            g.m_bBuyTrain = 1;
            g.m_bYesNo = 1;
            g.m_iYesNoPos = 0;
            g.m_iYesNoY = 0;
            g.m_tuw.swapTextColor(g.m_iWndYesNo, 0);
            g.m_sba[5] = static_cast<int8_t>(g.m_sba[5] | 1);
            g.repaint();
        } else if (g.TrainY[slot] == -1) {
            openSub(g, g.m_iWndCTrain, g.m_bCTrain);
            g.repaint();
        }
    }
    return true;
}

// Choosing a direction: for a new train being placed, or for the train chosen on the map.
void directionChoice(MainCanvas& g) {
    const int r = g.checkArrowKey();
    if (r == 0) return;
    if (g.m_iCmdNow == 311) {
        const int n = g.m_iTrainC + g.m_iTrainS;
        if (r > 0 && g.placeTrain(n, g.m_swa[6], g.m_swa[7], g.m_iArrow) == 1) {
            // Placing costs 500, with no test of the funds.
            g.m_iArrow = -1;
            g.m_iCmdNow = 0;
            g.m_bTrain = 1;
            g.putTrainList();
        } else {
            g.m_iCmdNow = 310;
            g.m_iCursor = 1;
            g.m_iArrow = -1;
        }
    } else {
        if (r > 0) g.turnTrain(g.m_iTrainNo, g.m_iArrow);
        g.m_iArrow = -1;
        g.m_bTrainCmd = 1;
    }
    g.repaint();
}

}  // namespace

// One frame of the game screen's commands. Returns whether the clock routine follows.
bool MainCanvas::gameFrame() {
    if (m_sbaKey[kFundKey] == 1) {
        m_sba[5] = static_cast<int8_t>(m_sba[5] ^ 1);
        repaint();
    }
    switch (m_iCmdNow) {
        case 102:
        case 111:
        case 201:
        case 211:
        case 52:
        case 62:
            answerCost(*this);
            return false;
        case 300:
            purchase(*this);
            return false;
        default:
            break;
    }
    if (m_bCmd == 1) return commandMenu(*this);
    if (m_bPointDia == 1) {
        pointDiaFrame();
        return true;
    }
    if (m_bStationDia == 1) {
        stationDiaFrame();
        return true;
    }
    if (m_bTrainCmd == 1) {
        trainCommand(*this);
        return true;
    }
    if (m_bTrainLock == 1) {
        trainFollow(*this);
        return true;
    }
    if (m_iCursor != 0) return mapCursor(*this);
    if (m_bTrain == 1) return trainList(*this);
    if (m_iArrow != -1) directionChoice(*this);
    return true;
}
