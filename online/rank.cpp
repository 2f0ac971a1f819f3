// The game-over panel: the best score sent so far, this game's score, and the
// question whether to send a new record to the ranking.
#include "game/MainCanvas.h"

// Fills the result window and, for a new record, opens the yes/no question on "yes".
void MainCanvas::drawRank() {
    const int64_t score = m_la[1] + m_la[3];
    m_tuw.setString(m_iWndRank, 2, LongToFundString(m_la[4], 14));
    m_tuw.setString(m_iWndRank, 4, LongToFundString(score, 14));
    if (score > m_la[4]) {
        m_tuw.setString(m_iWndRank, 5, J_String("ランキング送信？"));
        m_bYesNo = 1;
        m_iYesNoPos = 0;
        m_tuw.swapTextColor(m_iWndYesNo, 0);
    } else {
        m_tuw.setString(m_iWndRank, 5, J_String("記録更新ならず"));
    }
}
