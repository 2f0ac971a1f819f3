// Operations the loop calls whose own rules are not built yet. Each does what
// an empty world (no trains, no save file, no network) does, never a made-up
// result; each moves to its own file when its rules are built.
#include "game/MainCanvas.h"

// There is no network client yet: every login fails as a failed request does.
int MainCanvas::auth() {
    return 0;
}

// There is no network client yet: the score request fails, nothing is recorded as
// sent, and the result screen says so.
void MainCanvas::sendRank() {
    m_tuw.setString(m_iWndRankResultMain, 0, J_String("通信に失敗しました"));
    m_tuw.startCmd(m_iWndRankResultCmd);
    m_iState = 14;
    repaint();
}
