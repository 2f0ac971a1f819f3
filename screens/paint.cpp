// Screen composition: which windows each screen state shows, in drawing order.
#include "game/MainCanvas.h"

// Composes the screen of the current state into g, one whole frame between
// lock and unlock. Nothing is drawn before boot or while text entry is open.
void MainCanvas::paint(Graphics& g) {
    if (m_iState < 2 || m_b2IME != 0) return;
    m_bPaint = 1;
    g.lock();
    m_tug.m_g = &g;
    m_tuw.m_tug = &m_tug;
    m_tuw.m_t.m_tug = &m_tug;
    m_tug.setFont(m_fontM);
    const int h = m_fontM ? m_fontM->getHeight() : 0;

    switch (m_iState) {
        case 2:
            m_tuw.put(m_iWndTitleBG);
            m_tuw.put(m_iWndTitleMenu);
            break;
        case 3:
            m_tuw.put(m_iWndTitleBG);
            m_tuw.put(m_iWndTitleSonotaA);
            break;
        case 4:
            m_tuw.put(m_iWndTitleBG);
            m_tuw.setString(m_iWndTitleLogin, 4,
                            toString(LoginID.data(), static_cast<int>(LoginID.size())));
            m_tuw.setString(m_iWndTitleLogin, 5,
                            toAsterString(LoginPass.data(), static_cast<int>(LoginPass.size())));
            m_tuw.put(m_iWndTitleLogin);
            m_tuw.setY(m_iWndYesNo, getHeight() * 3 / 5);
            m_tuw.put(m_iWndYesNo);
            if (m_iMsgWait != 0) m_tuw.put(m_iWndMsg);
            break;
        case 5:
            m_tuw.put(m_iWndTitleBG);
            m_tuw.put(m_iWndTitleLogin);
            m_tuw.put(m_iWndMsg);
            break;
        case 6:
            m_tuw.put(m_iWndTitleBG);
            m_tuw.put(m_iWndTitleSonotaB);
            break;
        case 7:
        case 8:
            // Only the progress message, over the picture the last frame left.
            m_tuw.put(m_iWndMsg);
            break;
        case 9:
            m_tug.setColor(0);
            g.fillRect(0, 0, getWidth(), getHeight());
            break;
        case 10:
            paintGame();
            break;
        case 11:
            putMap(g);
            m_tuw.put(m_iWndDate);
            m_tuw.put(m_iWndTime);
            m_tuw.put(m_iWndRank);
            if (m_la[4] < m_la[1] + m_la[3]) {
                m_tuw.setY(m_iWndYesNo, getHeight() / 2 + h * 6 / 2);
                m_tuw.put(m_iWndYesNo);
            }
            break;
        case 12:
            m_tuw.put(m_iWndEntryMain);
            m_tuw.put(m_iWndEntryCmd);
            break;
        case 13:
            putMap(g);
            m_tuw.put(m_iWndDate);
            m_tuw.put(m_iWndTime);
            m_tuw.put(m_iWndRank);
            break;
        case 14:
            m_tuw.put(m_iWndRankResultMain);
            m_tuw.put(m_iWndRankResultCmd);
            break;
        default:
            break;
    }

    g.unlock(1);
    m_bRepaint = 0;
    m_bPaint = 0;
}

// The map and the windows of the game screen, later ones over earlier ones.
void MainCanvas::paintGame() {
    // A repaint for a cursor move inside the command menu or a timetable editor
    // keeps the map picture the back buffer already holds.
    if (!((m_bCmd == 1 || m_bPointDia == 1 || m_bStationDia == 1) && m_bRepaint == 1)) {
        putMap(*m_tug.m_g);
    }
    m_tuw.put(m_iWndDate);
    m_tuw.put(m_iWndTime);
    if (m_bCmd == 1) {
        m_tuw.put(m_iWndCmd);
        if (m_bCRail == 1) m_tuw.put(m_iWndCRail);
        if (m_bCTrain == 1) m_tuw.put(m_iWndCTrain);
        if (m_bCStation == 1) m_tuw.put(m_iWndCStation);
        if (m_bCTochi == 1) m_tuw.put(m_iWndCTochi);
        if (m_bCFunc == 1) m_tuw.put(m_iWndCFunc);
    }
    // The train sub-menu also opens from the train list, where the command menu is closed.
    if (m_bCTrain == 1) m_tuw.put(m_iWndCTrain);
    if ((m_sba[5] & 1) != 0) m_tuw.put(m_iWndFund);
    if (m_iCursor != 0) {
        putCursor(*m_tug.m_g);
    } else if (m_iFY != -1) {
        putPlan();
    }
    if (m_bTrain == 1) m_tuw.put(m_iWndTrainList);
    if (m_iArrow != -1) drawArrow();
    if (m_bPointDia == 1) putPointDia();
    if (m_bStationDia == 1) putStationDia();
    if (m_bTrainCmd == 1) m_tuw.put(m_iWndTrainCmd);
    if (m_iTrainNo != -1) {
        putTrainState();
        m_tuw.put(m_iWndTrainState);
    }
    if (m_bBuyTrain == 1) {
        putBuyTrain();
        m_tuw.put(m_iWndBuyTrain);
    }
    if (m_iMsgWait != 0) m_tuw.put(m_iWndMsg);
    if (m_bYesNo == 1) {
        m_tuw.setY(m_iWndYesNo, getHeight() * 3 / 5);
        m_tuw.put(m_iWndYesNo);
    }
}
