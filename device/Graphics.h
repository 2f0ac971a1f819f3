#pragma once
// The 2D drawing context the game paints every 2D frame with: the map, the
// windows and the timetable charts. It draws into a back buffer of 32-bit pixels
// that lives from one frame to the next, and hands each finished frame to the
// platform whole. No window system is needed: headless, the pixels stay readable.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class DJFont;
class J_String;

class Graphics {
public:
    // A picture of width x height pixels, row by row from the top. A pixel holds
    // red in its low byte, then green, blue and an opaque alpha byte: in memory on
    // a little-endian machine the bytes are R, G, B, A, ready for an RGBA texture
    // upload or a PNG row.
    struct Surface {
        std::vector<uint32_t> pixels;
        int width = 0;
        int height = 0;
    };

    // The drawing target of the current call: the back buffer between lock and
    // unlock, nothing otherwise (the window only ever receives whole frames).
    Surface* m_hDC = nullptr;
    // The picture the window shows while no back buffer exists (after a resize);
    // the next frame starts from a copy of it.
    Surface m_hDCO;
    // The back buffer, m_iSizeX x m_iSizeY pixels; no pixels when none exists.
    Surface m_hBMP;
    int m_iColor = 0;  // packed: red in the low byte, then green, then blue
    std::shared_ptr<DJFont> m_font;
    int m_iSizeY = 0;
    int m_iSizeX = 0;

    // The platform's side of unlock: shows a finished frame (the shell copies it
    // into its window). Unbound, frames simply stay in the back buffer.
    std::function<void(const uint32_t* pixels, int width, int height)> m_onPresent;

    Graphics() = default;
    virtual ~Graphics() = default;
    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;

    // Packs a colour for setColor: each component cut to 8 bits, red lowest.
    static int getColorOfRGB(int r, int g, int b);
    void setColor(int color) { m_iColor = color; }
    virtual void setFont(std::shared_ptr<DJFont> font);

    void fillRect(int x, int y, int width, int height);
    void drawRect(int x, int y, int width, int height);
    void drawLine(int x1, int y1, int x2, int y2);
    void fillPolygon(const int* xs, const int* ys, int n);
    void drawString(const J_String& s, int x, int y);
    virtual void drawString(const char* text, int x, int y);

    virtual void lock();
    virtual void unlock(int flag);
    void _wm_size(int y, int x);
    void _deleteDCC();

    // The back buffer's pixel at (x, y) as stored; 0 outside it or when none exists.
    uint32_t getPixel(int x, int y) const;

protected:
    // Fills the clipped rectangle [x0, x1) x [y0, y1) of the target with the current colour.
    void fillSpan(int64_t x0, int64_t y0, int64_t x1, int64_t y1);
    uint32_t pixelColor() const {
        return 0xFF000000u | (static_cast<uint32_t>(m_iColor) & 0xFFFFFFu);
    }
};
