// The tick, the frame gate, the clock routine and the screen states of the game.
#include <string>

#include "device/Platform.h"
#include "game/MainCanvas.h"

namespace {

constexpr int kSelect = 4;
constexpr int kCancel = 5;
constexpr int kQuit = 8;

}  // namespace

// One tick of the 1 ms timer: text entry, boot, repaint service, quit key, and at
// most one frame per 16 ms of real time.
void MainCanvas::wm_timer() {
    if (m_b2IME == 1) {
        // The entry box opens once the select key that asked for it is released.
        m_scanKey();
        if (m_sbaKey[kSelect] <= 0) {
            m_b2IME = 2;
            imeOn(m_sIME, 0, 1);
        }
        return;
    }
    if (m_b2IME == 2) return;
    if (m_iState == 0) {
        m_iState = 1;
        boot();
        return;
    }
    if (m_iState < 2) return;
    if (m_bRepaint == 1 && m_bPaint == 0) repaint();
    if (m_sbaKey[kQuit] == 1) {
        if (m_iState >= 10) saveGame(1, 0);
        if (m_onQuit) m_onQuit();
    }

    uint32_t t = timeGetTime() / 16 * 16;
    int32_t d = static_cast<int32_t>(t - m_dwCount);
    if (d < 16) return;
    m_dwCount = t;
    if (d > 96) d = 96;  // a long stall never makes the game clock jump

    m_scanKey();
    switch (m_iState) {
        case 2: {
            int r = checkWndKey(m_iWndTitleMenu);
            if (r == 1 || r == 2) {
                m_iState = 9;
                m_tuw.endCmd(m_iWndTitleMenu);
                repaint();
            } else if (r == 3) {
                m_iState = m_bLogin == 1 ? 6 : 3;
                repaint();
            }
            break;
        }
        case 3: {
            int r = checkWndKey(m_iWndTitleSonotaA);
            if (r < 0) {
                m_iState = 2;
                repaint();
            } else if (r == 1) {
                m_iState = 4;
                m_bYesNo = 1;
                m_iYesNoPos = 0;
                m_iYesNoY = 0;
                m_tuw.swapTextColor(m_iWndYesNo, 0);
                repaint();
            } else if (r == 2) {
                openBrowser("personal/entry.php");
            } else if (r == 3) {
                openBrowser("personal/");
            }
            break;
        }
        case 4: {
            if (m_b2IME == 3) {
                J_String s = m_sIME.trim();
                if (m_iYesNoY == -1) {
                    setSByteA(LoginPass.data(), static_cast<int>(LoginPass.size()), s);
                } else {
                    setSByteA(LoginID.data(), static_cast<int>(LoginID.size()), s);
                }
                m_b2IME = 0;
                repaint();
                break;
            }
            if (m_iMsgWait != 0) {
                // A login result is on screen until the player dismisses it.
                if (m_sbaKey[kSelect] == 1) {
                    m_iMsgWait = 0;
                    m_tuw.swapTextColor(m_iWndYesNo, 0);
                    if (m_bLogin == 1) m_iState = 6;
                    repaint();
                }
                break;
            }
            int r = checkYesNoKey(m_iWndTitleLogin, 0);
            if (r < 0 || r == 2) {
                m_iState = 3;
                m_bYesNo = 0;
                repaint();
            } else if (r == 1 && m_iYesNoY == -2) {
                m_b2IME = 1;
                m_sIME = J_String(LoginID.data(), static_cast<int>(LoginID.size()));
            } else if (r == 1 && m_iYesNoY == -1) {
                m_b2IME = 1;
                m_sIME = J_String(LoginPass.data(), static_cast<int>(LoginPass.size()));
            } else if (r == 1) {
                putMsg("ログイン中……", -1);
                m_iState = 5;
                repaint();
            }
            break;
        }
        case 5:
            if (auth()) {
                putMsg("ログインしました", -1);
            } else {
                putMsg("ID又はPASSが違います", -1);
            }
            m_iState = 4;
            repaint();
            break;
        case 6: {
            int r = checkWndKey(m_iWndTitleSonotaB);
            if (r < 0) {
                m_iState = 2;
                repaint();
            } else if (r == 1) {
                putMsg("データ送信中……", -1);
                m_iState = 7;
                repaint();
            } else if (r == 2) {
                putMsg("データ受信中……", -1);
                m_iState = 8;
                repaint();
            } else if (r == 3) {
                openBrowser("personal/");
            }
            break;
        }
        case 7:
            // Upload moves the saved game to the service. Without a whole local save
            // nothing is sent, so the copy on the service is never replaced by
            // whatever happens to be in memory.
            if (loadGame(1, 0)) {
                // Loading left only a header in the local save: when the game could not
                // be sent, it goes back where it came from.
                if (saveGame(1, 1)) {
                    saveGame(0, 0);
                } else {
                    saveGame(1, 0);
                }
            }
            m_iMsgWait = 0;
            m_iState = 6;
            repaint();
            break;
        case 8:
            // Download replaces the local save only with a game that really arrived.
            if (loadGame(1, 1)) saveGame(1, 0);
            m_iMsgWait = 0;
            m_iState = 6;
            repaint();
            break;
        case 9:
            startGame(0);
            break;
        case 10:
            // The commands take the keys first; the clock moves only on the paths that let
            // it, and the end of the game is found after it moved.
            if (gameFrame()) {
                nextFrame(d * pow_2(m_sba[4] - 1));
                if (m_la[0] == GAME_END) {
                    saveGame(1, 0);
                    drawRank();
                    m_iState = 11;
                    repaint();
                }
            }
            break;
        case 11:
            if (m_la[1] + m_la[3] > m_la[4]) {
                int r = checkYesNoKey(0, 0);
                if (r == 1) {
                    m_tuw.swapTextColor(m_iWndYesNo, 0);
                    m_tuw.startCmd(m_iWndEntryCmd);
                    if (!m_sNickName && LoginID[0] != 0) auth();
                    if (m_sNickName) m_tuw.setString(m_iWndEntryMain, 0, *m_sNickName);
                    m_iState = 12;
                    m_sIME = "";
                    repaint();
                } else if (r == 2) {
                    m_tuw.startCmd(m_iWndTitleMenu);
                    m_iState = 2;
                    repaint();
                }
            } else if (m_sbaKey[kSelect] == 1 || m_sbaKey[kCancel] == 1) {
                m_tuw.startCmd(m_iWndTitleMenu);
                m_iState = 2;
                repaint();
            }
            break;
        case 12: {
            if (m_b2IME == 3) {
                m_tuw.setString(m_iWndEntryMain, 1, m_sIME);
                m_b2IME = 0;
                repaint();
                break;
            }
            int r = checkWndKey(m_iWndEntryCmd);
            if (r == 1) {
                m_b2IME = 1;
            } else if (r == 2) {
                m_tuw.setString(m_iWndRank, 5, J_String("送信中……"));
                m_iState = 13;
                repaint();
            } else if (r == 3 || r < 0) {
                m_tuw.startCmd(m_iWndEntryCmd);
                m_iState = 11;
                repaint();
            }
            break;
        }
        case 13:
            sendRank();
            break;
        case 14: {
            int r = checkWndKey(m_iWndRankResultCmd);
            if (r == 1) {
                m_iState = 10;
                m_tuw.endCmd(m_iWndRankResultCmd);
                repaint();
            } else if (r == 2) {
                openBrowser("personal/putrank.php?ap=tarvo");
            } else if (r == 3) {
                m_iState = 2;
                m_tuw.startCmd(m_iWndTitleMenu);
                m_tuw.endCmd(m_iWndRankResultCmd);
                repaint();
            }
            break;
        }
        default:
            break;
    }
}

// One-time start-up: fonts, keys, windows, the random seed and the saved header.
void MainCanvas::boot() {
    m_iDiaSize = getWidth() / 60;
    initFont();
    initKey();
    setScreen();
    seedRandom(timeGetTime());
    loadGame(0, 0);
    m_dwCount = timeGetTime();
    m_iState = 2;
    m_tuw.startCmd(m_iWndTitleMenu);
    m_bRepaint = 1;
}

// Enters the game from the title: a new world, or the saved one for "continue".
void MainCanvas::startGame(int bNet) {
    m_sba[2] = 0;
    m_bCmd = m_bCRail = m_bPointCmd = m_bTrain = m_bTrainLock = 0;
    m_iTrainC = m_iTrainS = 0;
    m_iBeforeMonth = 0;
    m_iFY = -1;
    m_iArrow = -1;
    m_iCursor = 1;
    m_iTrainNo = -1;
    if (m_tuw.cmdPos(m_iWndTitleMenu) != 0) {
        if (loadGame(1, bNet) == 0) {
            m_sba[2] = 0;
            m_iState = 2;
            m_tuw.startCmd(m_iWndTitleMenu);
            m_bRepaint = 1;
            return;
        }
        setFund();
    } else {
        newGame();
    }
    renewBlockSize(0);
    putDT();
    m_iState = 10;
    m_bRepaint = 1;
    if (m_la[0] == GAME_END && m_sba[2] == 0) {
        // A finished game whose score was never sent goes straight to the result.
        saveGame(1, 0);
        drawRank();
        m_iState = 11;
    }
}

// Advances the game clock by up to ms game milliseconds in steps that never cross
// an hour, running the hourly work at each boundary before the trains move.
void MainCanvas::nextFrame(int ms) {
    int64_t ts = timeGetTime();
    if (m_iMsgWait > 0) {
        m_iMsgWait--;
        if (m_iMsgWait == 0) m_bRepaint = 1;
    }
    if (ms <= 0 || m_sba[3] > 0) return;
    int64_t left = ms;
    for (;;) {
        int64_t step = left < HOUR_MS ? left : HOUR_MS;
        int h = getHour(static_cast<int>(step));
        if (h != getHour()) {
            step = static_cast<int64_t>(h) * HOUR_MS - m_la[0];
            renewPassenger(h % 24);
            develop();
        }
        int64_t adv = advanceTrain(step, ts);
        m_la[0] += adv;
        left -= adv;
        if (m_la[0] == GAME_END || adv != step || left <= 0) break;
    }
    putDT();
}

// Shows a text in the message window for t clock-routine calls, or until cleared (-1).
void MainCanvas::putMsg(const J_String& text, int t) {
    m_tuw.setString(m_iWndMsg, 0, text);
    m_iMsgWait = t;
}

void MainCanvas::putMsg(const char* text, int t) {
    putMsg(J_String(text), t);
}

// The whole game hour the clock would stand in after ms more game milliseconds.
int MainCanvas::getHour(int ms) const {
    return static_cast<int>((m_la[0] + ms) / HOUR_MS);
}

// Receives the text typed into the entry box.
void MainCanvas::processIMEEvent(const char* text) {
    m_sIME = J_String(text);
    m_b2IME = 3;
}

// Opens a page of the online service in the player's browser.
void MainCanvas::openBrowser(const char* path) {
    std::string url = std::string(VALMORE_SERVICE_URL) + path;
    if (m_onBrowse) m_onBrowse(url.c_str());
}
