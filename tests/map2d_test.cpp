// The 2D map view: cell colours and the grid, track lines, trains, the space beyond the map,
// the cursor with its coordinates, track and land previews with their prices, the direction
// arrow, the cell size and following a train.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/blank_world.h"

namespace {

using MC = MainCanvas;

constexpr int kBackground = 0x000066;
constexpr int kGrid = 0xBBAA44;
constexpr int kOwn = 0xDDCC66;
constexpr int kField = 0x66EE33;
constexpr int kWhite = 0xFFFFFF;
constexpr int kBlack = 0x000000;
constexpr int kYellow = 0xFFFF00;
constexpr int kRegion = 0x666666;
constexpr int kRed = 0xFF0000;

// A 0xRRGGBB colour as the back buffer stores it: red in the low byte, opaque.
uint32_t packed(int rgb) {
    return 0xFF000000u |
           static_cast<uint32_t>(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF));
}

// A plain field world on a 480 x 480 canvas at scale 7 (27-pixel cells), scrolled so that map
// row -2 and map column 3 sit in the bottom-left screen cell.
class MapView : public BlankWorld {
protected:
    void SetUp() override {
        BlankWorld::SetUp();
        g->m_swa[1] = 7;
        resize(480, 480);
        g->setScreen();
        g->renewBlockSize(0);
        g->m_iState = 10;
        g->m_iCursor = 1;
    }

    void resize(int h, int w) {
        g->_wm_size(h, w);
        g->initFont();
    }

    // Draws the map alone, as a paint does before its windows.
    void drawMap() {
        g->m_g.lock();
        g->m_tug.setFont(g->m_fontM);
        g->putMap(g->m_g);
        g->m_g.unlock(1);
    }

    // Fills the whole back buffer with one colour, so that what a paint leaves shows.
    void clearTo(int rgb) {
        g->m_g.lock();
        g->m_g.setColor(Graphics::getColorOfRGB(rgb >> 16, (rgb >> 8) & 255, rgb & 255));
        g->m_g.fillRect(0, 0, g->getWidth(), g->getHeight());
        g->m_g.unlock(1);
    }

    void paint() { g->paint(g->m_g); }
    uint32_t at(int x, int y) const { return g->m_g.getPixel(x, y); }
    int B() const { return g->m_iBlockSize; }
    // Pixel corner of map cell (y, x) and the centre that putRail draws from.
    int left(int x) const { return (x - g->m_swa[9]) * B(); }
    int top(int y) const { return g->getHeight() - (y - g->m_swa[8] + 1) * B(); }
    int cx(int x) const { return left(x) + B() / 2; }
    int cy(int y) const { return g->getHeight() - ((y - g->m_swa[8]) * B() + B() / 2); }

    void placeTrain(int n, int y, int x, int v, int colour) {
        g->TrainY[n] = static_cast<int8_t>(y);
        g->TrainX[n] = static_cast<int8_t>(x);
        g->TrainV[n] = static_cast<int8_t>(v);
        g->TrainClr[n] = colour;
    }

    int countPixels(int x0, int y0, int x1, int y1, int rgb) const {
        int n = 0;
        for (int y = y0; y <= y1; y++) {
            for (int x = x0; x <= x1; x++)
                n += at(x, y) == packed(rgb);
        }
        return n;
    }

    std::string coordinateText() const {
        const int item = g->m_tuw.getText(g->m_iWndCoordinate, 0);
        const std::vector<int8_t>& b = g->m_tuw.m_t.m_sa[item].getBytes();
        return std::string(b.begin(), b.end());
    }
};

TEST_F(MapView, EveryCellKindShowsItsColourInsideTheGrid) {
    const int colours[20] = {0xDDCC66, 0xAA9933, 0x66EE33, 0x449955, 0xDDCC66, 0x999999, 0xCCCCFF,
                             0xAAAAFF, 0x8888FF, 0x6666FF, 0x4444FF, 0x2222FF, 0x0000FF, 0xFFCCCC,
                             0xFFAAAA, 0xFF8888, 0xFF6666, 0xFF4444, 0xFF2222, 0xFF0000};
    // Kinds 0..9 on row 5 and 10..19 on row 6, from column 3 (the first screen column); the
    // track cell has an empty mask so that nothing is drawn over its fill.
    for (int k = 0; k < 20; k++)
        g->setMapTyp(5 + k / 10, 3 + k % 10, k, 0);
    g->setMapTyp(7, 3, 25, 0);
    drawMap();
    for (int k = 0; k < 20; k++) {
        const int y = 5 + k / 10, x = 3 + k % 10;
        EXPECT_EQ(at(left(x) + B() / 2, top(y) + B() / 2), packed(colours[k])) << "kind " << k;
        EXPECT_EQ(at(left(x) + 5, top(y)), packed(kGrid)) << "kind " << k;
        EXPECT_EQ(at(left(x), top(y) + 5), packed(kGrid)) << "kind " << k;
    }
    // An unknown kind gets its grid lines but no fill.
    EXPECT_EQ(at(left(3) + B() / 2, top(7) + B() / 2), packed(kBackground));
    EXPECT_EQ(at(left(3), top(7) + 5), packed(kGrid));
}

TEST_F(MapView, TheBottomLeftCellFillsInsideItsGridLines) {
    g->m_swa[8] = 0;
    g->m_swa[9] = 0;
    drawMap();
    ASSERT_EQ(B(), 27);
    // The cell spans x 0..26 and y 453..479: grid on its top row and left column, fill inside.
    EXPECT_EQ(at(0, 453), packed(kGrid));
    EXPECT_EQ(at(26, 453), packed(kGrid));
    EXPECT_EQ(at(0, 479), packed(kGrid));
    EXPECT_EQ(at(1, 454), packed(kField));
    EXPECT_EQ(at(26, 479), packed(kField));
    EXPECT_EQ(at(27, 479), packed(kGrid));  // the next cell's left line
}

TEST_F(MapView, SpaceBeyondTheMapEdgesIsBackground) {
    g->m_swa[9] = 50;  // screen column 14 shows map column 64
    drawMap();
    // Screen rows 0 and 1 show map rows -2 and -1: no grid, no fill.
    for (int y = 480 - 2 * B(); y < 480; y += 3)
        EXPECT_EQ(at(100, y), packed(kBackground)) << y;
    EXPECT_EQ(at(left(63) + 5, top(10) + 5), packed(kField));
    EXPECT_EQ(at(left(64), top(10) + 5), packed(kBackground));
    EXPECT_EQ(at(left(64) + 5, top(10)), packed(kBackground));
    EXPECT_EQ(at(479, top(10) + 5), packed(kBackground));
}

TEST_F(MapView, SmallCellsHaveNoGridAndFillFromOnePixelIn) {
    resize(192, 192);
    g->m_swa[1] = 48;
    g->m_swa[8] = 0;
    g->m_swa[9] = 0;
    g->renewBlockSize(0);
    ASSERT_EQ(B(), 3);
    drawMap();
    EXPECT_EQ(countPixels(0, 0, 191, 191, kGrid), 0);
    // Nothing fills the map's first pixel column; the fills of column 0 start at x = 1.
    for (int y = 0; y < 192; y += 5)
        EXPECT_EQ(at(0, y), packed(kBackground)) << y;
    EXPECT_EQ(at(1, 189), packed(kField));
    EXPECT_EQ(at(3, 191), packed(kField));
}

TEST_F(MapView, TrackIsACentreLineWithBlackSideLines) {
    track(10, 10, 0, 1, 17);   // vertical
    track(10, 12, 0, 1, 4);    // a track end pointing right
    track(10, 14, 0, 1, 34);   // rising diagonal
    track(10, 16, 0, 1, 136);  // falling diagonal, stored as a negative byte
    drawMap();
    const int h = B() / 2;

    // Mask 17: a white vertical line through the centre with black lines either side.
    for (int dy = -h; dy <= h; dy++) {
        EXPECT_EQ(at(cx(10), cy(10) + dy), packed(kWhite)) << dy;
        EXPECT_EQ(at(cx(10) - 1, cy(10) + dy), packed(kBlack)) << dy;
        EXPECT_EQ(at(cx(10) + 1, cy(10) + dy), packed(kBlack)) << dy;
    }
    EXPECT_EQ(at(cx(10) - 2, cy(10)), packed(kOwn));

    // Mask 4: half a segment to the right and the 5 x 5 end marker on the centre.
    for (int dx = 3; dx <= h; dx++) {
        EXPECT_EQ(at(cx(12) + dx, cy(10)), packed(kWhite)) << dx;
        EXPECT_EQ(at(cx(12) + dx, cy(10) - 1), packed(kBlack)) << dx;
        EXPECT_EQ(at(cx(12) + dx, cy(10) + 1), packed(kBlack)) << dx;
    }
    EXPECT_EQ(countPixels(cx(12) - 2, cy(10) - 2, cx(12) + 2, cy(10) + 2, kBlack), 25);
    EXPECT_EQ(at(cx(12) - 3, cy(10)), packed(kOwn));

    // Diagonals: up-right and down-left get side lines above and to the right, down-right and
    // up-left below and to the right.
    EXPECT_EQ(at(cx(14) + 5, cy(10) - 5), packed(kWhite));
    EXPECT_EQ(at(cx(14) + 5, cy(10) - 6), packed(kBlack));
    EXPECT_EQ(at(cx(14) + 6, cy(10) - 5), packed(kBlack));
    EXPECT_EQ(at(cx(14) - 5, cy(10) + 5), packed(kWhite));
    EXPECT_EQ(at(cx(16) + 5, cy(10) + 5), packed(kWhite));
    EXPECT_EQ(at(cx(16) + 5, cy(10) + 6), packed(kBlack));
    EXPECT_EQ(at(cx(16) + 6, cy(10) + 5), packed(kBlack));
    EXPECT_EQ(at(cx(16) - 5, cy(10) - 5), packed(kWhite));
}

TEST_F(MapView, TrackUnderTheDateBarIsLeftOut) {
    // Screen row 15 (map row 13) is the last whose track is drawn: 15 x 27 + 48 < 480.
    track(13, 10, 2, 1, 68);
    track(14, 10, 2, 1, 68);
    drawMap();
    EXPECT_EQ(at(cx(10), cy(13)), packed(kWhite));
    EXPECT_EQ(at(cx(10), cy(14)), packed(kOwn));
}

TEST_F(MapView, TrainsTakeTheShapeOfTheirHeading) {
    // B = 27, so t = 9 and s = 4; each train stands on its own cell of row 5.
    struct Case {
        int heading;
        std::vector<std::pair<int, int>> inside, outside;  // offsets from the cell corner
    } cases[] = {
        {0, {{5, 1}, {21, 26}, {13, 13}}, {{4, 13}, {22, 13}}},
        {4, {{5, 1}, {21, 26}}, {{4, 13}, {22, 13}}},
        {2, {{1, 5}, {26, 21}, {13, 13}}, {{13, 4}, {13, 22}}},
        {6, {{1, 5}, {26, 21}}, {{13, 4}, {13, 22}}},
        {1, {{13, 13}, {20, 6}, {6, 20}}, {{3, 3}, {23, 23}}},
        {5, {{13, 13}}, {{3, 3}, {23, 23}}},
        {3, {{13, 13}, {6, 6}, {20, 20}}, {{23, 3}, {3, 23}}},
        {7, {{13, 13}}, {{23, 3}, {3, 23}}},
    };
    constexpr int kColour = 0x123456;
    for (int i = 0; i < 8; i++)
        placeTrain(i, 5, 4 + 2 * i, cases[i].heading, kColour);
    drawMap();
    for (int i = 0; i < 8; i++) {
        const int px = left(4 + 2 * i), py = top(5);
        for (auto [dx, dy] : cases[i].inside)
            EXPECT_EQ(at(px + dx, py + dy), packed(kColour))
                << "heading " << cases[i].heading << " at " << dx << "," << dy;
        for (auto [dx, dy] : cases[i].outside)
            EXPECT_EQ(at(px + dx, py + dy), packed(kField))
                << "heading " << cases[i].heading << " at " << dx << "," << dy;
    }
}

TEST_F(MapView, TrainsUnderTheDateBarOrOffTheMapAreNotDrawn) {
    placeTrain(0, 14, 10, 2, kRed);  // its cell's top lies under the date bar
    placeTrain(1, -1, 5, 2, kRed);   // owned but not placed: would land on map row -1
    placeTrain(2, 13, 10, 2, kRed);  // the highest row that shows trains
    drawMap();
    EXPECT_EQ(at(cx(10), cy(14)), packed(kField));
    EXPECT_EQ(at(cx(5), cy(-1)), packed(kBackground));
    EXPECT_EQ(at(cx(10), cy(13)), packed(kRed));
}

TEST_F(MapView, TrainNumbersAreBlackOverWhiteWhenSwitchedOn) {
    placeTrain(6, 5, 8, 2, kRed);
    const int x0 = left(8), y0 = top(5);
    drawMap();
    EXPECT_EQ(countPixels(x0, y0, x0 + 48, y0 + 48, kWhite), 0);
    g->m_bPutTNo = 1;
    drawMap();
    EXPECT_GT(countPixels(x0, y0, x0 + 48, y0 + 48, kWhite), 0);
    EXPECT_GT(countPixels(x0, y0, x0 + 48, y0 + 48, kBlack), 0);
}

TEST_F(MapView, CursorShowsItsFramesAndItsCellColumnFirst) {
    g->m_swa[9] = 0;
    cursor(12, 3);
    paint();
    const int x = left(3), y = top(12);
    EXPECT_EQ(at(x - 1, y - 1), packed(kWhite));
    EXPECT_EQ(at(x + B(), y + B()), packed(kWhite));
    EXPECT_EQ(at(x - 1, y + 10), packed(kWhite));
    EXPECT_EQ(at(x, y), packed(kBlack));
    EXPECT_EQ(at(x + B() - 1, y + B() - 1), packed(kBlack));
    EXPECT_EQ(at(x + 10, y + 1), packed(kField));
    EXPECT_EQ(coordinateText(), "( 3,12)");
    const int w = g->m_iWndCoordinate;
    EXPECT_EQ(g->m_tuw.m_iaX[w], 480 - 48 * 4);
    EXPECT_EQ(g->m_tuw.m_iaY[w], 480 - 48 * 4 / 3);

    // With the fund window shown the coordinates move above it.
    g->m_sba[5] = 1;
    paint();
    EXPECT_EQ(g->m_tuw.m_iaY[w], 480 - 48 * 10 / 3);

    // The 3D view draws no frame but keeps the coordinates up to date.
    g->m_sba[6] = 1;
    cursor(40, 7);
    paint();
    EXPECT_NE(at(x - 1, y - 1), packed(kWhite));
    EXPECT_EQ(coordinateText(), "( 7,40)");
}

TEST_F(MapView, TrackPlanIsDrawnInYellowPricedAndNothingBuilt) {
    anchor(10, 10);
    cursor(10, 15);
    g->m_iFT = 0;
    g->m_sqwCost = -1;
    paint();
    EXPECT_EQ(g->m_sqwCost, 600);
    EXPECT_EQ(g->getMapTyp(10, 12), 2);
    // The anchor: yellow frame inside a black one.
    EXPECT_EQ(at(left(10), top(10)), packed(kYellow));
    EXPECT_EQ(at(left(10) - 1, top(10) - 1), packed(kBlack));
    // The run: ends with markers, yellow centre lines between.
    EXPECT_EQ(at(cx(10), cy(10)), packed(kBlack));
    EXPECT_EQ(at(cx(10) + 6, cy(10)), packed(kYellow));
    for (int x = 11; x <= 14; x++)
        EXPECT_EQ(at(cx(x), cy(10)), packed(kYellow)) << x;
    EXPECT_EQ(at(cx(15) - 6, cy(10)), packed(kYellow));
    EXPECT_EQ(at(cx(16), cy(10)), packed(kField));

    // While the cost question hides the cursor the run is still drawn and priced, without the
    // anchor frames.
    g->m_iCursor = 0;
    g->m_sqwCost = -1;
    paint();
    EXPECT_EQ(g->m_sqwCost, 600);
    EXPECT_EQ(at(cx(12), cy(10)), packed(kYellow));
    EXPECT_EQ(at(left(10), top(10)), packed(kGrid));
}

TEST_F(MapView, PlanFromATrackEndShowsTheJoinedCell) {
    // Continuing from an end (mask 64) up and to the right: the end becomes a bend.
    track(10, 15, 0, 1, 64);
    anchor(10, 15);
    cursor(13, 18);
    paint();
    EXPECT_EQ(g->m_sqwCost, 382);
    EXPECT_EQ(at(cx(15) - 6, cy(10)), packed(kYellow));      // the existing bit, replanned
    EXPECT_EQ(at(cx(15) + 6, cy(10) - 6), packed(kYellow));  // the new bit
    EXPECT_EQ(at(cx(16), cy(11)), packed(kYellow));
    EXPECT_EQ(g->getMapPrm(10, 15), 64);
}

TEST_F(MapView, LandRegionFramesTheCellsItWouldTrade) {
    g->setMapTyp(5, 5, 0, 0);  // already owned
    g->setMapTyp(4, 6, 3, 0);  // forest: 100 to clear
    anchor(4, 4);
    cursor(5, 6);
    g->m_iFT = 1;
    paint();
    EXPECT_EQ(g->m_sqwCost, 5 * 64 + 100);
    for (auto [y, x] : {std::pair{4, 4}, {4, 5}, {4, 6}, {5, 4}, {5, 6}})
        EXPECT_EQ(at(left(x), top(y) + 10), packed(kRegion)) << y << "," << x;
    EXPECT_EQ(at(left(5), top(5) + 10), packed(kGrid));
    EXPECT_EQ(g->getMapTyp(4, 4), 2);

    // Selling frames only the owned cell and prices its land.
    g->m_iFT = 2;
    paint();
    EXPECT_EQ(g->m_sqwCost, 64);
    EXPECT_EQ(at(left(5), top(5) + 10), packed(kRegion));
    EXPECT_EQ(at(left(4), top(5) + 10), packed(kGrid));
    EXPECT_EQ(g->getMapTyp(5, 5), 0);

    // A land region has no track to show when the cursor is hidden; its price stays.
    g->m_iCursor = 0;
    g->m_sqwCost = 123;
    paint();
    EXPECT_EQ(g->m_sqwCost, 123);
}

TEST_F(MapView, ArrowPointsFromItsBaseToItsTip) {
    cursor(8, 8);
    const int c_x = cx(8), c_y = cy(8);
    for (int d = 0; d < 8; d++) {
        g->m_iArrow = d;
        const int dy = MC::getVY(d), dx = MC::getVX(d);
        const int h = dx != 0 && dy != 0 ? B() / 2 * 2 / 3 : B() / 2;
        clearTo(kBlack);
        g->m_g.lock();
        g->m_tug.m_g = &g->m_g;
        g->drawArrow();
        g->m_g.unlock(1);
        // How far each red pixel lies along the arrow, in steps of the direction.
        int lo = 1000, hi = -1000, nearBase = 0, nearTip = 0;
        for (int y = c_y - B(); y <= c_y + B(); y++) {
            for (int x = c_x - B(); x <= c_x + B(); x++) {
                if (at(x, y) != packed(kRed)) continue;
                const int along = ((x - c_x) * dx - (y - c_y) * dy) / (dx * dx + dy * dy);
                lo = std::min(lo, along);
                hi = std::max(hi, along);
                nearBase += along <= -(h - 1) + 2;
                nearTip += along >= h - 2;
            }
        }
        // Near the tip the triangle is narrower than a pixel, so its last pixels may be empty.
        EXPECT_LE(hi, h) << d;
        EXPECT_GE(hi, h - 3) << d;
        EXPECT_NEAR(lo, -(h - 1), 1) << d;
        EXPECT_GT(nearBase, 3 * nearTip) << d;
    }
}

TEST(MapCellSize, FollowsTheScaleAndTheShorterSide) {
    struct Case {
        int w, h, scale, block;
    } cases[] = {
        {480, 480, 1, 192},  {480, 480, 3, 64},    {480, 480, 7, 27}, {480, 480, 12, 16},
        {480, 480, 24, 8},   {480, 480, 25, 7},    {480, 480, 48, 7}, {240, 240, 7, 13},
        {240, 240, 25, 3},   {240, 320, 25, 3},    {640, 480, 7, 27}, {1920, 1080, 3, 144},
        {1920, 1080, 7, 61}, {1920, 1080, 48, 16}, {480, 480, 0, 27},
    };
    for (const Case& c : cases) {
        MC g;
        g._wm_size(c.h, c.w);
        g.initFont();
        g.m_swa[1] = static_cast<int16_t>(c.scale);
        g.m_swa[4] = g.m_swa[5] = 1;
        g.m_swa[6] = g.m_swa[7] = 1;
        g.renewBlockSize(0);
        EXPECT_EQ(g.m_iBlockSize, c.block) << c.w << "x" << c.h << " scale " << c.scale;
    }
}

TEST(MapCellSize, ReportsWhetherAZoomStepChangedTheCells) {
    struct Case {
        int scale, step, newScale, block, result;
    } cases[] = {
        {7, 1, 8, 24, 1},  {20, 1, 21, 9, 0},  {21, -1, 20, 9, 0},
        {24, 1, 25, 7, 1}, {25, 1, 26, 7, 1},  {26, -1, 25, 7, 0},
        {1, -1, 7, 27, 1}, {2, -1, 1, 192, 1}, {3, -3, 7, 27, 1},
    };
    for (const Case& c : cases) {
        MC g;
        g._wm_size(480, 480);
        g.initFont();
        g.m_swa[1] = static_cast<int16_t>(c.scale);
        g.m_swa[4] = g.m_swa[5] = g.m_swa[6] = g.m_swa[7] = 1;
        g.renewBlockSize(0);
        EXPECT_EQ(g.renewBlockSize(c.step), c.result) << c.scale << " " << c.step;
        EXPECT_EQ(g.m_swa[1], c.newScale) << c.scale << " " << c.step;
        EXPECT_EQ(g.m_iBlockSize, c.block) << c.scale << " " << c.step;
    }
}

TEST_F(MapView, ZoomingInKeepsTheCursorOnTheScreenAndTheMap) {
    // The fund window's top follows the font.
    EXPECT_EQ(g->m_tuw.m_iaY[g->m_iWndFund], 480 - 48 * 13 / 6);

    // Top-right screen cell at 27 pixels; at 64 pixels row 5 and column 6 are the last that fit.
    g->m_swa[8] = 0;
    g->m_swa[9] = 0;
    cursor(14, 16);
    g->m_swa[1] = 3;
    g->renewBlockSize(0);
    EXPECT_EQ(g->m_swa[4], 5);
    EXPECT_EQ(g->m_swa[5], 6);
    EXPECT_EQ(g->m_swa[6], 5);
    EXPECT_EQ(g->m_swa[7], 6);
    EXPECT_EQ(g->m_swa[8], 0);
    EXPECT_EQ(g->m_swa[9], 0);

    // On the map's first row the view scrolls instead, so the cursor stays on row 0.
    g->m_swa[1] = 7;
    g->renewBlockSize(0);
    g->m_swa[8] = -3;
    cursor(0, 6);
    g->m_swa[1] = 1;
    g->renewBlockSize(0);
    EXPECT_EQ(g->m_swa[4], 1);
    EXPECT_EQ(g->m_swa[6], 0);
    EXPECT_EQ(g->m_swa[8], -1);

    // The fund window moves with a new font size.
    resize(400, 640);
    g->renewBlockSize(0);
    EXPECT_EQ(g->m_tuw.m_iaY[g->m_iWndFund], 400 - 40 * 13 / 6);
}

TEST_F(MapView, FollowingATrainCentresTheViewOnIt) {
    resize(480, 640);
    g->renewBlockSize(0);
    ASSERT_EQ(B(), 27);
    placeTrain(3, 20, 30, 2, kRed);
    g->m_iTrainNo = 3;
    g->m_bTrainLock = 1;
    drawMap();
    EXPECT_EQ(g->m_swa[4], 8);
    EXPECT_EQ(g->m_swa[5], 11);
    EXPECT_EQ(g->m_swa[6], 20);
    EXPECT_EQ(g->m_swa[7], 30);
    EXPECT_EQ(g->m_swa[8], 12);
    EXPECT_EQ(g->m_swa[9], 19);
    EXPECT_EQ(g->m_swa[2], 20 * 16 + 8);
    EXPECT_EQ(g->m_swa[3], 30 * 16 + 8);
    EXPECT_EQ(at(11 * 27 + 13, 480 - 9 * 27 + 13), packed(kRed));

    // A train that is not on the map leaves the view where it is.
    g->TrainY[3] = -1;
    g->m_swa[8] = 0;
    drawMap();
    EXPECT_EQ(g->m_swa[8], 0);
    EXPECT_EQ(g->m_swa[6], 20);
}

TEST_F(MapView, MenuRepaintsKeepTheMapPicture) {
    clearTo(0x0000FF);
    g->m_bCmd = 1;
    g->m_bRepaint = 1;
    paint();
    EXPECT_EQ(at(400, 300), packed(0x0000FF));
    // A paint not asked for through the repaint flag (an exposed window) redraws the map.
    paint();
    EXPECT_EQ(at(400, 300), packed(kField));
}

TEST_F(MapView, GameOverAndRankingScreensShowTheMap) {
    for (int state : {11, 13}) {
        clearTo(0x0000FF);
        g->m_iState = state;
        paint();
        EXPECT_EQ(at(10, 200), packed(kField)) << state;
    }
}

}  // namespace
