#include "toolkit/UxGrph.h"

// Converts 0xRRGGBB for the context, keeping 8 bits of each component.
void UxGrph::setColor(int c) {
    if (m_g) m_g->setColor(Graphics::getColorOfRGB(c >> 16, (c >> 8) & 255, c & 255));
}

// Makes f the font of the drawer and of its context.
void UxGrph::setFont(std::shared_ptr<DJFont> f) {
    m_f = std::move(f);
    if (m_g) m_g->setFont(m_f);
    m_iAscent = 0;
}

// The font is fixed pitch with half the height per byte, so a line of s pixels
// holds s * 2 / F bytes; a two-byte character never splits across lines and
// every line takes at least one character, however narrow the width.
void UxGrph::drawStringML(const J_String& str, int x, int y, int s) {
    if (!m_g) return;
    const int f = getFontHeight();
    const int n = str.byteLength();
    if (f <= 0 || n * f / 2 <= s) {
        m_g->drawString(str, x, y);
        return;
    }
    const int p = s * 2 / f;
    const int count = str.length();
    for (int i = 0; i < count;) {
        int c = getCountOfByte(str, i, p);
        if (c < 1) c = 1;
        m_g->drawString(str.substring(i, i + c), x, y);
        i += c;
        y += f;
    }
}

// Draws the shadow or the box first, then the text over it.
void UxGrph::drawStringEx(const J_String& str, int x, int y, int s, int iFC, int iBC) {
    if (iBC >= 0x1000000) {
        setColor(iBC & 0xFFFFFF);
        drawStringML(str, x + 1, y + m_iAscent + 1, s);
    } else if (iBC != -1) {
        fillTextBox(str, x, y, iBC);
    }
    setColor(iFC);
    drawStringML(str, x, y + m_iAscent, s);
}

// Walks the characters from sc: one byte below code 256, two above; a two-byte
// character with only one byte left ends the walk.
int UxGrph::getCountOfByte(const J_String& str, int sc, int nb) {
    const int count = str.length();
    int used = 0;
    int n = 0;
    for (int i = sc < 0 ? 0 : sc; i < count && used < nb; i++) {
        const int bytes = str.charAt(i) < 256 ? 1 : 2;
        if (used + bytes > nb) break;
        used += bytes;
        n++;
    }
    return n;
}

void UxGrph::fillTextBox(const J_String& str, int x, int y, int c) {
    if (!m_g) return;
    const int f = getFontHeight();
    setColor(c);
    m_g->fillRect(x, y, f * str.byteLength() / 2, f);
}
