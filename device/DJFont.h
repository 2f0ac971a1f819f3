#pragma once
// The fonts the 2D context draws Shift_JIS text with. Every font is fixed pitch:
// a one-byte character fills a cell half as wide as the font is high and a
// two-byte character a square cell, which is what the screens lay their text out
// by. All heights follow from the shorter side of the canvas, so text scales with
// the window.

#include <cstdint>
#include <memory>
#include <string>

class DJFont {
public:
    static constexpr int SIZE_TINY = 1;
    static constexpr int SIZE_SMALL = 2;
    static constexpr int SIZE_MEDIUM = 3;
    static constexpr int STYLE_PLAIN = 0;
    static constexpr int FACE_SYSTEM = 0;

    struct Face;

    int m_iSize = 0;    // pixel height; 0 for an unknown size code
    static int m_iScr;  // the shorter side of the canvas the fonts were made for
    // The rendered face at m_iSize with its glyph cache; released with the font.
    // Empty when no font file could be opened or the height is 0.
    std::shared_ptr<Face> m_hf;

    // A new font for a size code: medium m_iScr / 20 * 2, small m_iScr / 30 * 2,
    // tiny m_iScr / 40 * 2 pixels high; any other code gives height 0.
    static std::shared_ptr<DJFont> getFont(int size);
    int getHeight() const { return m_iSize; }

    // Rows from the top of a cell to the baseline the glyphs stand on; 0 without a face.
    int getBaseline() const;

    // Draws len bytes of Shift_JIS text in the packed colour (red in the low byte)
    // into a width x height picture of pixels (red in the low byte as well), the
    // top-left corner of the first cell at (x, y). Glyphs are blended by their
    // coverage; characters the face has no glyph for leave their cell empty.
    void drawText(uint32_t* pixels, int width, int height, const char* text, int len, int x, int y,
                  int color) const;

    // Chooses the font file for fonts made from now on: the given file, or with
    // an empty path the face the system's font configuration finds for IPAGothic.
    // Returns whether the face holds Japanese glyphs; when it does not, the player
    // is told once, on stderr, which package to install.
    static bool useFontFile(const std::string& path);

    // Unicode for a Shift_JIS character code (one byte below 256, else lead * 256
    // + trail) as code page 932 decodes it; -1 when it decodes to nothing.
    static int32_t toUnicode(int code);
};
