#include "device/Graphics.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "device/DJFont.h"
#include "device/J_String.h"

namespace {

constexpr int kMaxPolygonPoints = 16;
constexpr uint32_t kBlack = 0xFF000000u;

}  // namespace

// Packs a colour for the context: every component cut to its low 8 bits.
int Graphics::getColorOfRGB(int r, int g, int b) {
    return (r & 0xFF) + (g & 0xFF) * 256 + (b & 0xFF) * 65536;
}

// Makes the font current for drawString.
void Graphics::setFont(std::shared_ptr<DJFont> font) {
    m_font = std::move(font);
}

void Graphics::fillSpan(int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
    if (!m_hDC) return;
    x0 = std::max<int64_t>(x0, 0);
    y0 = std::max<int64_t>(y0, 0);
    x1 = std::min<int64_t>(x1, m_hDC->width);
    y1 = std::min<int64_t>(y1, m_hDC->height);
    if (x0 >= x1 || y0 >= y1) return;
    const uint32_t c = pixelColor();
    for (int64_t y = y0; y < y1; y++) {
        uint32_t* row = m_hDC->pixels.data() + y * m_hDC->width;
        std::fill(row + x0, row + x1, c);
    }
}

// Fills columns x..x+width-1 and rows y..y+height-1.
void Graphics::fillRect(int x, int y, int width, int height) {
    if (width <= 0 || height <= 0) return;
    fillSpan(x, y, int64_t{x} + width, int64_t{y} + height);
}

// Frames the same pixel area that fillRect fills, one pixel wide.
void Graphics::drawRect(int x, int y, int width, int height) {
    if (width <= 0 || height <= 0) return;
    const int64_t right = int64_t{x} + width;
    const int64_t bottom = int64_t{y} + height;
    fillSpan(x, y, right, int64_t{y} + 1);
    fillSpan(x, bottom - 1, right, bottom);
    fillSpan(x, y, int64_t{x} + 1, bottom);
    fillSpan(right - 1, y, right, bottom);
}

// Draws a one-pixel line including both end points.
void Graphics::drawLine(int x1, int y1, int x2, int y2) {
    if (!m_hDC) return;
    const int64_t dx = int64_t{x2} - x1;
    const int64_t dy = int64_t{y2} - y1;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    // Walk the major axis; the minor coordinate of step i is the exact one rounded
    // half up, which is what the incremental line walk produces, so a step can be
    // computed directly and only the steps over the surface are visited.
    const int64_t major = xMajor ? std::llabs(dx) : std::llabs(dy);
    const int64_t minor = xMajor ? std::llabs(dy) : std::llabs(dx);
    const int64_t sMajor = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const int64_t sMinor = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const int64_t startMajor = xMajor ? x1 : y1;
    const int64_t startMinor = xMajor ? y1 : x1;
    const int64_t limit = xMajor ? m_hDC->width : m_hDC->height;
    // Steps i whose major coordinate lies in [0, limit).
    int64_t lo = 0, hi = major;
    if (sMajor > 0) {
        lo = std::max(lo, -startMajor);
        hi = std::min(hi, limit - 1 - startMajor);
    } else {
        lo = std::max(lo, startMajor - (limit - 1));
        hi = std::min(hi, startMajor);
    }
    const uint32_t c = pixelColor();
    for (int64_t i = lo; i <= hi; i++) {
        const int64_t m = startMajor + sMajor * i;
        const int64_t n =
            startMinor + sMinor * (major == 0 ? 0 : (2 * i * minor + major) / (2 * major));
        const int64_t px = xMajor ? m : n;
        const int64_t py = xMajor ? n : m;
        if (px < 0 || py < 0 || px >= m_hDC->width || py >= m_hDC->height) continue;
        m_hDC->pixels[py * m_hDC->width + px] = c;
    }
}

// Fills the polygon through the first n points (at most 16) with the even-odd
// rule. A pixel is inside when its centre is; on each row the span between two
// crossings covers the pixels whose centres lie in [left, right).
void Graphics::fillPolygon(const int* xs, const int* ys, int n) {
    if (!m_hDC || !xs || !ys) return;
    n = std::min(n, kMaxPolygonPoints);
    if (n < 3) return;
    int64_t top = ys[0], bottom = ys[0];
    for (int i = 1; i < n; i++) {
        top = std::min<int64_t>(top, ys[i]);
        bottom = std::max<int64_t>(bottom, ys[i]);
    }
    top = std::max<int64_t>(top, 0);
    bottom = std::min<int64_t>(bottom, int64_t{m_hDC->height} - 1);
    double cross[kMaxPolygonPoints];
    for (int64_t y = top; y <= bottom; y++) {
        const double yc = static_cast<double>(y) + 0.5;
        int k = 0;
        for (int i = 0; i < n; i++) {
            const int j = (i + 1) % n;
            const double ya = ys[i], yb = ys[j];
            if ((ya <= yc && yc < yb) || (yb <= yc && yc < ya)) {
                cross[k++] = xs[i] + (yc - ya) * (double(xs[j]) - xs[i]) / (yb - ya);
            }
        }
        std::sort(cross, cross + k);
        for (int p = 0; p + 1 < k; p += 2) {
            const int64_t x0 = static_cast<int64_t>(std::ceil(cross[p] - 0.5));
            const int64_t x1 = static_cast<int64_t>(std::ceil(cross[p + 1] - 0.5));
            fillSpan(x0, y, x1, y + 1);
        }
    }
}

// Draws a string's bytes up to their first NUL; an empty string draws nothing.
void Graphics::drawString(const J_String& s, int x, int y) {
    const std::vector<int8_t>& bytes = s.getBytes();
    if (bytes.empty()) return;
    auto end = std::find(bytes.begin(), bytes.end(), int8_t{0});
    const std::string text(bytes.begin(), end);
    drawString(text.c_str(), x, y);
}

// Draws Shift_JIS text in the current font and colour, the top-left corner of
// its first cell at (x, y), over a transparent background.
void Graphics::drawString(const char* text, int x, int y) {
    if (!m_hDC || !m_font || !text) return;
    m_font->drawText(m_hDC->pixels.data(), m_hDC->width, m_hDC->height, text,
                     static_cast<int>(std::strlen(text)), x, y, m_iColor);
}

// Starts a frame. A missing back buffer is made at the current size from the
// picture the window shows.
void Graphics::lock() {
    if (m_hBMP.pixels.empty() && m_iSizeX > 0 && m_iSizeY > 0) {
        m_hBMP.width = m_iSizeX;
        m_hBMP.height = m_iSizeY;
        m_hBMP.pixels.assign(static_cast<size_t>(m_iSizeX) * m_iSizeY, kBlack);
        const int w = std::min(m_iSizeX, m_hDCO.width);
        const int h = std::min(m_iSizeY, m_hDCO.height);
        for (int y = 0; y < h; y++) {
            std::copy_n(m_hDCO.pixels.begin() + static_cast<size_t>(y) * m_hDCO.width, w,
                        m_hBMP.pixels.begin() + static_cast<size_t>(y) * m_iSizeX);
        }
    }
    m_hDC = &m_hBMP;
}

// Ends a frame: the window now shows the whole back buffer. The flag is unused.
void Graphics::unlock(int) {
    m_hDC = nullptr;
    if (m_hBMP.pixels.empty()) return;
    m_hDCO = Surface{};
    if (m_onPresent) m_onPresent(m_hBMP.pixels.data(), m_hBMP.width, m_hBMP.height);
}

// Records a new surface size (height first). The back buffer goes; what the
// window shows is kept so that the next frame starts from it.
void Graphics::_wm_size(int y, int x) {
    m_iSizeY = std::max(y, 0);
    m_iSizeX = std::max(x, 0);
    if (!m_hBMP.pixels.empty()) m_hDCO = std::move(m_hBMP);
    _deleteDCC();
}

// Releases the back buffer, if any.
void Graphics::_deleteDCC() {
    m_hBMP = Surface{};
    m_hDC = nullptr;
}

uint32_t Graphics::getPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_hBMP.width || y >= m_hBMP.height) return 0;
    return m_hBMP.pixels[static_cast<size_t>(y) * m_hBMP.width + x];
}
