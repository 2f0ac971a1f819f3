// The 2D context's pixel rules: colours, rectangles, frames, lines, polygons,
// the frame cycle with its back buffer and the hand-over to the platform.
#include "device/Graphics.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "device/J_String.h"

namespace {

constexpr uint32_t kBlack = 0xFF000000u;

using Pixels = std::set<std::pair<int, int>>;

// A 16 x 16 context inside a frame, cleared to black, drawing in white.
class GraphicsTest : public ::testing::Test {
protected:
    void SetUp() override {
        g._wm_size(16, 16);
        g.lock();
        g.setColor(0xFFFFFF);
    }

    // Every pixel that is not black.
    Pixels drawn() const {
        Pixels p;
        for (int y = 0; y < g.m_iSizeY; y++) {
            for (int x = 0; x < g.m_iSizeX; x++) {
                if (g.getPixel(x, y) != kBlack) p.insert({x, y});
            }
        }
        return p;
    }

    Graphics g;
};

TEST(GraphicsColor, PacksRedLowestAndCutsComponentsTo8Bits) {
    struct Case {
        int r, g, b, packed;
    } cases[] = {
        {0x12, 0x34, 0x56, 0x563412},
        {256, 0, 0, 0},
        {0x1FF, 0x100, -1, 0xFF00FF},
        {255, 255, 255, 0xFFFFFF},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Graphics::getColorOfRGB(c.r, c.g, c.b), c.packed)
            << c.r << "," << c.g << "," << c.b;
    }
}

TEST_F(GraphicsTest, PixelsStoreThePackedColourWithOpaqueAlpha) {
    g.setColor(Graphics::getColorOfRGB(0x12, 0x34, 0x56));
    g.fillRect(0, 0, 1, 1);
    const uint32_t p = g.getPixel(0, 0);
    const auto* bytes = reinterpret_cast<const uint8_t*>(&p);
    EXPECT_EQ(p, 0xFF563412u);
    if (bytes[0] == 0x12) {  // little-endian: R, G, B, A in memory
        EXPECT_EQ(bytes[1], 0x34);
        EXPECT_EQ(bytes[2], 0x56);
        EXPECT_EQ(bytes[3], 0xFF);
    }
}

TEST_F(GraphicsTest, FillRectCoversExactlyItsColumnsAndRows) {
    struct Case {
        int x, y, w, h;
        size_t count;
    } cases[] = {
        {5, 5, 0, 10, 0},          {5, 5, 10, 0, 0},
        {5, 5, -3, 4, 0},          {5, 5, 1, 1, 1},
        {2, 3, 4, 5, 20},          {-2, -2, 4, 4, 4},  // clipped to the top-left quarter
        {14, 14, 100, 100, 4},     {-2147483647, 0, 2147483647, 1, 0},
        {0, 0, 2147483647, 1, 16},
    };
    for (const Case& c : cases) {
        g.setColor(0);
        g.fillRect(0, 0, 16, 16);
        g.setColor(0xFFFFFF);
        g.fillRect(c.x, c.y, c.w, c.h);
        EXPECT_EQ(drawn().size(), c.count) << c.x << "," << c.y << "," << c.w << "," << c.h;
    }
    g.setColor(0);
    g.fillRect(0, 0, 16, 16);
    g.setColor(0xFFFFFF);
    g.fillRect(5, 5, 1, 1);
    EXPECT_EQ(drawn(), (Pixels{{5, 5}}));
}

TEST_F(GraphicsTest, DrawRectFramesTheFillArea) {
    g.drawRect(0, 0, 3, 3);
    EXPECT_EQ(drawn(), (Pixels{{0, 0}, {1, 0}, {2, 0}, {0, 1}, {2, 1}, {0, 2}, {1, 2}, {2, 2}}));

    g.setColor(0);
    g.fillRect(0, 0, 16, 16);
    g.setColor(0xFFFFFF);
    g.drawRect(4, 4, 5, 3);  // outer size 5 x 3
    Pixels p = drawn();
    EXPECT_EQ(p.size(), 5u + 5u + 1u + 1u);
    EXPECT_TRUE(p.count({8, 6}));
    EXPECT_FALSE(p.count({9, 6}));
    EXPECT_FALSE(p.count({8, 7}));

    g.setColor(0);
    g.fillRect(0, 0, 16, 16);
    g.setColor(0xFFFFFF);
    g.drawRect(4, 4, 0, 3);
    g.drawRect(4, 4, 3, -1);
    EXPECT_TRUE(drawn().empty());
    g.drawRect(4, 4, 1, 1);
    EXPECT_EQ(drawn(), (Pixels{{4, 4}}));
}

TEST_F(GraphicsTest, DrawLineIncludesBothEndPoints) {
    struct Case {
        int x1, y1, x2, y2;
        Pixels expected;
    } cases[] = {
        {2, 2, 2, 2, {{2, 2}}},
        {0, 0, 3, 0, {{0, 0}, {1, 0}, {2, 0}, {3, 0}}},
        {3, 0, 0, 0, {{0, 0}, {1, 0}, {2, 0}, {3, 0}}},
        {1, 5, 1, 2, {{1, 2}, {1, 3}, {1, 4}, {1, 5}}},
        {0, 0, 3, 3, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},
        {3, 0, 0, 3, {{3, 0}, {2, 1}, {1, 2}, {0, 3}}},
        {0, 0, 4, 2, {{0, 0}, {1, 1}, {2, 1}, {3, 2}, {4, 2}}},
        {-2, 0, 1, 0, {{0, 0}, {1, 0}}},  // clipped at the left edge
        {14, 15, 18, 15, {{14, 15}, {15, 15}}},
    };
    for (const Case& c : cases) {
        g.setColor(0);
        g.fillRect(0, 0, 16, 16);
        g.setColor(0xFFFFFF);
        g.drawLine(c.x1, c.y1, c.x2, c.y2);
        EXPECT_EQ(drawn(), c.expected) << c.x1 << "," << c.y1 << " - " << c.x2 << "," << c.y2;
    }
}

TEST_F(GraphicsTest, DrawLineVisitsOnlyTheSurfaceOfAHugeLine) {
    g.drawLine(-2000000000, 7, 2000000000, 7);
    Pixels p = drawn();
    EXPECT_EQ(p.size(), 16u);
    for (const auto& [x, y] : p)
        EXPECT_EQ(y, 7);
    g.drawLine(0, 2000000000, 0, 2000000000);
    EXPECT_EQ(drawn().size(), 16u);
}

TEST_F(GraphicsTest, FillPolygonFillsPixelsWhoseCentresAreInside) {
    const int xs[] = {2, 6, 6, 2};
    const int ys[] = {3, 3, 5, 5};
    g.fillPolygon(xs, ys, 4);
    Pixels p = drawn();
    EXPECT_EQ(p.size(), 8u);  // 4 wide, 2 high
    EXPECT_TRUE(p.count({2, 3}));
    EXPECT_TRUE(p.count({5, 4}));
    EXPECT_FALSE(p.count({6, 4}));
    EXPECT_FALSE(p.count({2, 5}));
}

TEST_F(GraphicsTest, FillPolygonUsesTheEvenOddRule) {
    // Two squares traced as one outline: the inner one lies inside twice and stays empty.
    const int xs[] = {0, 12, 12, 0, 0, 3, 3, 9, 9, 3, 3, 0};
    const int ys[] = {0, 0, 12, 12, 0, 0, 3, 3, 9, 9, 0, 0};
    g.fillPolygon(xs, ys, 12);
    Pixels p = drawn();
    EXPECT_TRUE(p.count({1, 1}));
    EXPECT_TRUE(p.count({10, 10}));
    EXPECT_FALSE(p.count({5, 5}));
    EXPECT_EQ(p.size(), 144u - 36u);
}

TEST_F(GraphicsTest, FillPolygonIgnoresTooFewPointsAndReadsAtMostSixteen) {
    const int xs[] = {1, 5, 5};
    const int ys[] = {1, 1, 5};
    g.fillPolygon(xs, ys, 2);
    g.fillPolygon(xs, ys, 0);
    g.fillPolygon(xs, ys, -4);
    g.fillPolygon(nullptr, ys, 3);
    EXPECT_TRUE(drawn().empty());

    // Points past the sixteenth are never read: a 17th point far away changes nothing.
    std::vector<int> bx = {2, 6, 6, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 15};
    std::vector<int> by = {2, 2, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 15};
    g.fillPolygon(bx.data(), by.data(), 17);
    EXPECT_EQ(drawn().size(), 16u);
}

TEST(GraphicsFrame, DrawingOutsideAFrameChangesNothing) {
    Graphics g;
    g._wm_size(4, 4);
    g.setColor(0xFFFFFF);
    g.fillRect(0, 0, 4, 4);
    g.drawLine(0, 0, 3, 3);
    g.lock();
    EXPECT_EQ(g.getPixel(0, 0), kBlack);
    g.unlock(1);
    g.fillRect(0, 0, 4, 4);
    g.lock();
    EXPECT_EQ(g.getPixel(0, 0), kBlack);
}

TEST(GraphicsFrame, UnlockHandsTheWholeFrameToThePlatform) {
    Graphics g;
    int presented = 0;
    std::vector<uint32_t> shown;
    int shownW = 0, shownH = 0;
    g.m_onPresent = [&](const uint32_t* p, int w, int h) {
        presented++;
        shown.assign(p, p + static_cast<size_t>(w) * h);
        shownW = w;
        shownH = h;
    };
    g._wm_size(3, 5);
    g.lock();
    g.setColor(0x0000FF);
    g.fillRect(4, 2, 1, 1);
    EXPECT_EQ(presented, 0);
    g.unlock(1);
    ASSERT_EQ(presented, 1);
    EXPECT_EQ(shownW, 5);
    EXPECT_EQ(shownH, 3);
    EXPECT_EQ(shown[2 * 5 + 4], 0xFF0000FFu);
    EXPECT_EQ(shown[0], kBlack);
}

TEST(GraphicsFrame, TheBackBufferKeepsItsPictureBetweenFrames) {
    Graphics g;
    g._wm_size(4, 4);
    g.lock();
    g.setColor(0xFF);
    g.fillRect(1, 1, 1, 1);
    g.unlock(1);
    g.lock();
    EXPECT_EQ(g.getPixel(1, 1), 0xFF0000FFu);
    g.unlock(1);
}

TEST(GraphicsFrame, AResizeStartsTheNextFrameFromWhatTheWindowShows) {
    Graphics g;
    g._wm_size(4, 6);
    g.lock();
    g.setColor(0xFF);
    g.fillRect(0, 0, 6, 4);
    g.unlock(1);

    g._wm_size(8, 3);                 // taller and narrower
    EXPECT_EQ(g.getPixel(0, 0), 0u);  // no back buffer until the next frame
    g.lock();
    EXPECT_EQ(g.m_hBMP.width, 3);
    EXPECT_EQ(g.m_hBMP.height, 8);
    EXPECT_EQ(g.getPixel(2, 3), 0xFF0000FFu);
    EXPECT_EQ(g.getPixel(2, 4), kBlack);
    g.unlock(1);

    // Two resizes without a frame between them still start from the picture shown.
    g._wm_size(2, 2);
    g._wm_size(5, 5);
    g.lock();
    EXPECT_EQ(g.getPixel(1, 1), 0xFF0000FFu);
    EXPECT_EQ(g.getPixel(4, 4), kBlack);
    g.unlock(1);
}

TEST(GraphicsFrame, AnEmptySurfaceDrawsAndPresentsNothing) {
    Graphics g;
    int presented = 0;
    g.m_onPresent = [&](const uint32_t*, int, int) { presented++; };
    g.lock();
    g.setColor(0xFFFFFF);
    g.fillRect(0, 0, 10, 10);
    g.drawLine(0, 0, 5, 5);
    g.drawString("A", 0, 0);
    g.unlock(1);
    EXPECT_EQ(presented, 0);
    g._wm_size(-5, 3);
    EXPECT_EQ(g.m_iSizeY, 0);
}

}  // namespace
