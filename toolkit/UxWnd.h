#pragma once
// The window toolkit: numbered on-screen windows made of text items, with a
// command cursor per window whose item is shown highlighted by swapping its
// text and background colours.

#include <array>

#include "device/J_String.h"

class UxGrph;

// The table of every text item of the game.
class UxW_Text {
public:
    static constexpr int MAX = 1024;

    std::array<int, MAX> m_iaY{};
    std::array<int, MAX> m_iaX{};
    std::array<int, MAX> m_iaW{};
    std::array<int, MAX> m_iaV{};
    std::array<int, MAX> m_iaFC{};  // -1 marks a free entry
    std::array<int, MAX> m_iaBC{};  // -1 none, 0..0xFFFFFF box, 0x1000000+ drop shadow
    std::array<J_String, MAX> m_sa;
    UxGrph* m_tug = nullptr;

    UxW_Text();

    // Takes the lowest free entry; -1 when all are taken.
    int add(int y, int x, int w, int v, int fc, int bc, const J_String& s);
    // Draws item n for its window at (x, y): shadow or box, then the wrapped text.
    void put(int n, int y, int x);
    void setFC(int n, int c);
    void setBC(int n, int c);
    void swapColor(int n);
};

// The table of every window of the game.
class UxWnd {
public:
    static constexpr int MAX = 256;
    static constexpr int ITEMS = 256;

    UxW_Text m_t;
    std::array<int, MAX> m_iaY{};
    std::array<int, MAX> m_iaX{};
    std::array<int, MAX> m_iaW{};
    std::array<int, MAX> m_iaV{};
    std::array<int, MAX> m_iaC{};  // -1 transparent, -2 free
    std::array<int, MAX * ITEMS> m_iaT{};
    UxGrph* m_tug = nullptr;

    UxWnd();

    // Takes the lowest free window; -1 when all are taken.
    int add(int y, int x, int w, int v, int c = -1);
    void addText(int n, int y, int x, int fc, int bc, const J_String& s);
    void addText(int n, int y, int x, int c, const J_String& s) { addText(n, y, x, c, -1, s); }
    int getText(int n, int i) const;
    int getTextCount(int n) const;
    // Draws window n: its background, then its items in the order they were added.
    void put(int n);
    void setY(int n, int y);
    void setString(int n, int i, const J_String& s);
    void setTextFC(int n, int i, int c);
    void setTextBC(int n, int i, int c);
    void swapTextColor(int n, int i);

protected:
    bool validWindow(int n) const { return n >= 0 && n < MAX && m_iaC[n] != -2; }
};

// The window table with a command cursor per window.
class UxWnd2 : public UxWnd {
public:
    std::array<int, MAX> m_ia2Pos{};

    using UxWnd::swapTextColor;
    // The item under window n's command cursor; 0 for a window number outside the table.
    int cmdPos(int n) const { return n >= 0 && n < MAX ? m_ia2Pos[n] : 0; }
    void swapTextColor(int n);
    void startCmd(int n) { swapTextColor(n); }
    void endCmd(int n) { swapTextColor(n); }
    void cmdDown(int n);
    void cmdUp(int n);
};
