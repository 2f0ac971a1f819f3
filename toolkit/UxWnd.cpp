#include "toolkit/UxWnd.h"

#include "toolkit/UxGrph.h"

UxW_Text::UxW_Text() {
    m_iaFC.fill(-1);
}

int UxW_Text::add(int y, int x, int w, int v, int fc, int bc, const J_String& s) {
    for (int n = 0; n < MAX; n++) {
        if (m_iaFC[n] != -1) continue;
        m_iaY[n] = y;
        m_iaX[n] = x;
        m_iaW[n] = w;
        m_iaV[n] = v;
        m_iaFC[n] = fc;
        m_iaBC[n] = bc;
        m_sa[n] = s;
        return n;
    }
    return -1;
}

// An item's shadow stays on one line; its text wraps at the width left to the
// window's right edge. Free entries have nothing to draw.
void UxW_Text::put(int n, int y, int x) {
    if (n < 0 || n >= MAX || m_iaFC[n] == -1 || !m_tug || !m_tug->m_g) return;
    const int a = m_tug->m_iAscent;
    y += m_iaY[n];
    x += m_iaX[n];
    const int bc = m_iaBC[n];
    if (bc >= 0x1000000) {
        m_tug->setColor(bc & 0xFFFFFF);
        m_tug->m_g->drawString(m_sa[n], x + 1, y + a + 1);
    } else if (bc != -1) {
        m_tug->fillTextBox(m_sa[n], x, y, bc);
    }
    m_tug->setColor(m_iaFC[n]);
    m_tug->drawStringML(m_sa[n], x, y + a, m_iaV[n]);
}

void UxW_Text::setFC(int n, int c) {
    if (n >= 0 && n < MAX) m_iaFC[n] = c;
}

void UxW_Text::setBC(int n, int c) {
    if (n >= 0 && n < MAX) m_iaBC[n] = c;
}

// Shows an item highlighted or back to normal. An item without a background has
// nothing to swap with: swapping would put -1 into its text colour and free the entry.
void UxW_Text::swapColor(int n) {
    if (n < 0 || n >= MAX || m_iaBC[n] == -1) return;
    int c = m_iaFC[n];
    m_iaFC[n] = m_iaBC[n];
    m_iaBC[n] = c;
}

UxWnd::UxWnd() {
    m_iaC.fill(-2);
    m_iaT.fill(-1);
}

int UxWnd::add(int y, int x, int w, int v, int c) {
    for (int n = 0; n < MAX; n++) {
        if (m_iaC[n] != -2) continue;
        m_iaY[n] = y;
        m_iaX[n] = x;
        m_iaW[n] = w;
        m_iaV[n] = v;
        m_iaC[n] = c;
        return n;
    }
    return -1;
}

void UxWnd::addText(int n, int y, int x, int fc, int bc, const J_String& s) {
    if (!validWindow(n)) return;
    int i = getTextCount(n);
    if (i >= ITEMS) return;
    int item = m_t.add(y, x, m_iaW[n] - y, m_iaV[n] - x, fc, bc, s);
    if (item < 0) return;  // the item table is full: the window gets no item
    m_iaT[n * ITEMS + i] = item;
}

int UxWnd::getText(int n, int i) const {
    if (n < 0 || n >= MAX || i < 0 || i >= ITEMS) return -1;
    return m_iaT[n * ITEMS + i];
}

int UxWnd::getTextCount(int n) const {
    int i = 0;
    while (i < ITEMS && getText(n, i) != -1)
        i++;
    return i;
}

// Items are not clipped to the window: one placed outside it is drawn there.
void UxWnd::put(int n) {
    if (!validWindow(n)) return;
    if (m_iaC[n] >= 0 && m_tug && m_tug->m_g) {
        m_tug->setColor(m_iaC[n]);
        m_tug->m_g->fillRect(m_iaX[n], m_iaY[n], m_iaV[n], m_iaW[n]);
    }
    for (int i = 0; i < ITEMS; i++) {
        const int item = getText(n, i);
        if (item == -1) break;
        m_t.put(item, m_iaY[n], m_iaX[n]);
    }
}

void UxWnd::setY(int n, int y) {
    if (n >= 0 && n < MAX) m_iaY[n] = y;
}

void UxWnd::setString(int n, int i, const J_String& s) {
    int item = getText(n, i);
    if (item >= 0) m_t.m_sa[item] = s;
}

void UxWnd::setTextFC(int n, int i, int c) {
    m_t.setFC(getText(n, i), c);
}

void UxWnd::setTextBC(int n, int i, int c) {
    m_t.setBC(getText(n, i), c);
}

void UxWnd::swapTextColor(int n, int i) {
    m_t.swapColor(getText(n, i));
}

void UxWnd2::swapTextColor(int n) {
    if (n >= 0 && n < MAX) UxWnd::swapTextColor(n, m_ia2Pos[n]);
}

void UxWnd2::cmdDown(int n) {
    if (n < 0 || n >= MAX) return;
    swapTextColor(n);
    m_ia2Pos[n] = getText(n, m_ia2Pos[n] + 1) != -1 ? m_ia2Pos[n] + 1 : 0;
    swapTextColor(n);
}

void UxWnd2::cmdUp(int n) {
    if (n < 0 || n >= MAX) return;
    swapTextColor(n);
    m_ia2Pos[n] = m_ia2Pos[n] > 0 ? m_ia2Pos[n] - 1 : getTextCount(n) - 1;
    swapTextColor(n);
}
