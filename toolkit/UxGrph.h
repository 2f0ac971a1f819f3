#pragma once
// The game's text drawer and colour adapter: it draws byte strings into the 2D
// context on one line or wrapped at a width, over an optional box or drop
// shadow, and turns the game's 0xRRGGBB colours into the context's own.

#include <memory>

#include "device/DJFont.h"
#include "device/Graphics.h"
#include "device/J_String.h"

class UxGrph {
public:
    Graphics* m_g = nullptr;  // the context of the current paint, set by the game
    std::shared_ptr<DJFont> m_f;
    int m_iAscent = 0;  // the context places text by the top of its cell, so always 0

    UxGrph() = default;
    // Shares the other drawer's context; the font is not copied.
    UxGrph(const UxGrph& other) : m_g(other.m_g) {}
    UxGrph& operator=(const UxGrph&) = delete;

    // Sets the context's colour from 0xRRGGBB; bits above the blue, red and green bytes are
    // ignored.
    void setColor(int c);
    void setFont(std::shared_ptr<DJFont> f);
    int getFontHeight() const { return m_f ? m_f->getHeight() : 0; }

    // Draws str at (x, y), wrapped into lines of at most s pixels.
    void drawStringML(const J_String& str, int x, int y, int s);
    // Draws str like drawStringML in colour iFC over a background: -1 none,
    // 0..0xFFFFFF a box, 0x1000000 and above a shadow in the low 24 bits.
    void drawStringEx(const J_String& str, int x, int y, int s, int iFC, int iBC);
    // How many whole characters of str, from character sc, fit in nb bytes.
    static int getCountOfByte(const J_String& str, int sc, int nb);
    // Fills the box behind a text: half the font height per byte, one font height high.
    void fillTextBox(const J_String& str, int x, int y, int c);
};
