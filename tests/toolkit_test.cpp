// The text drawer and the window toolkit: line wrapping by bytes, boxes and
// shadows, window drawing order, and the command cursor's highlight toggling.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "device/DJFont.h"
#include "device/Graphics.h"
#include "device/J_String.h"
#include "toolkit/UxGrph.h"
#include "toolkit/UxWnd.h"

namespace {

constexpr uint32_t kBlack = 0xFF000000u;
constexpr uint32_t kWhite = 0xFFFFFFFFu;

// A context that records every text call instead of drawing glyphs; boxes and
// backgrounds still go into its pixels.
class RecordingGraphics : public Graphics {
public:
    struct Text {
        std::string text;
        int x, y, color;
        bool operator==(const Text&) const = default;
    };

    using Graphics::drawString;
    void drawString(const char* text, int x, int y) override {
        texts.push_back({text, x, y, m_iColor});
    }

    std::vector<Text> texts;
};

// A 48-pixel font that needs no font file: only its height matters here.
std::shared_ptr<DJFont> font48() {
    auto f = std::make_shared<DJFont>();
    f->m_iSize = 48;
    return f;
}

// A 480 x 480 frame with the drawer pointed at it.
class DrawerTest : public ::testing::Test {
protected:
    void SetUp() override {
        g._wm_size(480, 480);
        g.lock();
        tug.m_g = &g;
        tug.setFont(font48());
    }

    // The width and height of the area of pixels of the given colour.
    std::pair<int, int> extent(uint32_t color) const {
        int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
        for (int y = 0; y < g.m_iSizeY; y++) {
            for (int x = 0; x < g.m_iSizeX; x++) {
                if (g.getPixel(x, y) != color) continue;
                left = std::min(left, x);
                top = std::min(top, y);
                right = std::max(right, x);
                bottom = std::max(bottom, y);
            }
        }
        if (right < 0) return {0, 0};
        return {right - left + 1, bottom - top + 1};
    }

    RecordingGraphics g;
    UxGrph tug;
};

const int kWhiteRGB = 0xFFFFFF;
const int kWhitePacked = Graphics::getColorOfRGB(255, 255, 255);

TEST(CountOfByte, CountsWholeCharactersThatFit) {
    const J_String kana("\x82\xa0\x82\xa2\x82\xa4");  // three hiragana
    const J_String halfKana("\xb7\xac\xdd\xbe\xd9");  // five half-width katakana
    struct Case {
        const J_String* s;
        int sc, nb, count;
    } cases[] = {
        {&kana, 0, 5, 2},     {&kana, 0, 6, 3},     {&kana, 1, 6, 2},
        {&kana, 0, 1, 0},     {&kana, 0, 0, 0},     {&kana, 3, 6, 0},
        {&halfKana, 0, 3, 3}, {&halfKana, 2, 9, 3}, {&halfKana, 0, -1, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(UxGrph::getCountOfByte(*c.s, c.sc, c.nb), c.count)
            << "sc " << c.sc << " nb " << c.nb;
    }
}

TEST_F(DrawerTest, ALongMessageWrapsWithoutSplittingACharacter) {
    // "ID又はPASSが違います": 20 bytes, 480 pixels at 48 pixels, in a 472-pixel item.
    const char* text = "ID\x96\x94\x82\xcdPASS\x82\xaa\x88\xe1\x82\xa2\x82\xdc\x82\xb7";
    tug.drawStringML(J_String(text), 4, 10, 472);
    ASSERT_EQ(g.texts.size(), 2u);
    EXPECT_EQ(g.texts[0].text, std::string(text, 18));
    EXPECT_EQ(g.texts[0].x, 4);
    EXPECT_EQ(g.texts[0].y, 10);
    EXPECT_EQ(g.texts[1].text, "\x82\xb7");
    EXPECT_EQ(g.texts[1].x, 4);
    EXPECT_EQ(g.texts[1].y, 58);
}

TEST_F(DrawerTest, ATextThatExactlyFillsTheWidthStaysOnOneLine) {
    const J_String text("0123456789012345678\x82\xa0");  // 21 bytes
    tug.drawStringML(text, 0, 0, 21 * 24);
    ASSERT_EQ(g.texts.size(), 1u);
    g.texts.clear();
    tug.drawStringML(text, 0, 0, 21 * 24 - 1);  // 20 bytes a line: the kana moves down
    ASSERT_EQ(g.texts.size(), 2u);
    EXPECT_EQ(g.texts[1].text, "\x82\xa0");
}

TEST_F(DrawerTest, EveryLineTakesAtLeastOneCharacter) {
    const J_String text(
        "\x82\xa0"
        "A\x82\xa2");
    for (int width : {30, 0, -100}) {  // one byte a line, none, a negative width
        g.texts.clear();
        tug.drawStringML(text, 0, 0, width);
        ASSERT_EQ(g.texts.size(), 3u) << width;
        EXPECT_EQ(g.texts[0].text, "\x82\xa0");
        EXPECT_EQ(g.texts[1].text, "A");
        EXPECT_EQ(g.texts[2].text, "\x82\xa2");
        EXPECT_EQ(g.texts[2].y, 96);
    }
}

TEST_F(DrawerTest, ShadowIsDrawnOneRightOneDownInTheLowColourBits) {
    tug.drawStringEx(J_String("12"), 10, 20, 65535, 0, 0x1FFFFFF);
    ASSERT_EQ(g.texts.size(), 2u);
    EXPECT_EQ(g.texts[0], (RecordingGraphics::Text{"12", 11, 21, kWhitePacked}));
    EXPECT_EQ(g.texts[1], (RecordingGraphics::Text{"12", 10, 20, 0}));
    EXPECT_EQ(extent(kWhite), std::make_pair(0, 0));  // no box
}

TEST_F(DrawerTest, BoxBehindATextIsHalfTheHeightPerByte) {
    tug.drawStringEx(J_String("\x82\xcd\x82\xa2"), 10, 20, 400, 0, kWhiteRGB);  // "はい"
    EXPECT_EQ(extent(kWhite), std::make_pair(96, 48));
    EXPECT_EQ(g.getPixel(10, 20), kWhite);
    ASSERT_EQ(g.texts.size(), 1u);
    EXPECT_EQ(g.texts[0].color, 0);
}

TEST_F(DrawerTest, ColourBitsAboveTheComponentsAreIgnored) {
    tug.setColor(0x1FFFFFF);
    EXPECT_EQ(g.m_iColor, kWhitePacked);
    tug.setColor(0x123456);
    EXPECT_EQ(g.m_iColor, Graphics::getColorOfRGB(0x12, 0x34, 0x56));
}

// A window table drawing through the recording drawer.
class WindowTest : public DrawerTest {
protected:
    void SetUp() override {
        DrawerTest::SetUp();
        tuw.m_tug = &tug;
        tuw.m_t.m_tug = &tug;
    }
    UxWnd2 tuw;
};

TEST_F(WindowTest, AWindowFillsItsBackgroundThenDrawsItsItemsInOrder) {
    g.setColor(Graphics::getColorOfRGB(0, 0, 255));
    g.fillRect(0, 0, 480, 480);
    const int w = tuw.add(100, 50, 40, 60, 0);
    tuw.addText(w, 5, 6, 0xFFFFFF, -1, J_String("A"));
    tuw.addText(w, 50, 7, 0x00FF00, -1, J_String("B"));  // outside the window: drawn anyway
    tuw.put(w);
    EXPECT_EQ(extent(kBlack), std::make_pair(60, 40));
    EXPECT_EQ(g.getPixel(50, 100), kBlack);
    ASSERT_EQ(g.texts.size(), 2u);
    EXPECT_EQ(g.texts[0], (RecordingGraphics::Text{"A", 56, 105, kWhitePacked}));
    EXPECT_EQ(g.texts[1],
              (RecordingGraphics::Text{"B", 57, 150, Graphics::getColorOfRGB(0, 255, 0)}));
}

TEST_F(WindowTest, ATransparentWindowDrawsOnlyItsItems) {
    const int w = tuw.add(100, 50, 40, 60);
    tuw.addText(w, 0, 0, 0xFFFFFF, -1, J_String("A"));
    tuw.put(w);
    EXPECT_EQ(extent(kBlack), std::make_pair(480, 480));  // untouched
    EXPECT_EQ(g.texts.size(), 1u);
    tuw.put(w + 1);  // a free window
    tuw.put(-1);
    tuw.put(100000);
    EXPECT_EQ(g.texts.size(), 1u);
}

TEST_F(WindowTest, AnItemBoxCoversItsBytesAndItsTextWrapsAtTheWindowEdge) {
    const int w = tuw.add(0, 0, 200, 200, -1);
    // Four full-width characters, 8 bytes: a 192 x 48 box.
    tuw.addText(w, 10, 20, 0, 0xFFFFFF, J_String("\x82\xa0\x82\xa2\x82\xa4\x82\xa6"));
    tuw.put(w);
    EXPECT_EQ(extent(kWhite), std::make_pair(192, 48));
    EXPECT_EQ(g.getPixel(20, 10), kWhite);
    // 180 pixels left to the right edge hold 7 bytes: three characters, then one.
    ASSERT_EQ(g.texts.size(), 2u);
    EXPECT_EQ(g.texts[0].text, "\x82\xa0\x82\xa2\x82\xa4");
    EXPECT_EQ(g.texts[1], (RecordingGraphics::Text{"\x82\xa6", 20, 58, 0}));
}

TEST_F(WindowTest, AnItemShadowStaysOnOneLine) {
    const int w = tuw.add(0, 0, 100, 100, -1);
    tuw.addText(w, 0, 0, 0xFFFFFF, 0x1000000, J_String("0123456789"));  // 240 > 100 pixels
    tuw.put(w);
    ASSERT_GE(g.texts.size(), 2u);
    EXPECT_EQ(g.texts[0], (RecordingGraphics::Text{"0123456789", 1, 1, 0}));
    EXPECT_EQ(g.texts[1].text, "0123");  // the text itself wraps at 4 bytes
    EXPECT_EQ(g.texts.size(), 4u);
    EXPECT_EQ(extent(kWhite), std::make_pair(0, 0));  // a shadow, no box
}

TEST_F(WindowTest, AFreeItemDrawsNothing) {
    tuw.m_t.put(5, 0, 0);
    tuw.m_t.put(-1, 0, 0);
    tuw.m_t.put(UxW_Text::MAX, 0, 0);
    EXPECT_TRUE(g.texts.empty());
}

// A menu of three white-on-black items with the first created highlighted.
class CursorTest : public ::testing::Test {
protected:
    void SetUp() override {
        w = tuw.add(0, 0, 100, 100, 0);
        tuw.addText(w, 0, 0, 0, 0xFFFFFF, J_String("a"));
        tuw.addText(w, 10, 0, 0xFFFFFF, 0, J_String("b"));
        tuw.addText(w, 20, 0, 0xFFFFFF, 0, J_String("c"));
    }
    bool lit(int i) const { return tuw.m_t.m_iaFC[tuw.getText(w, i)] == 0; }
    std::vector<bool> lights() const { return {lit(0), lit(1), lit(2)}; }

    UxWnd2 tuw;
    int w = -1;
};

TEST_F(CursorTest, MovesWrapAroundAndKeepExactlyOneItemLit) {
    EXPECT_EQ(lights(), (std::vector<bool>{true, false, false}));
    tuw.cmdDown(w);
    tuw.cmdDown(w);
    EXPECT_EQ(tuw.m_ia2Pos[w], 2);
    EXPECT_EQ(lights(), (std::vector<bool>{false, false, true}));
    tuw.cmdDown(w);
    EXPECT_EQ(tuw.m_ia2Pos[w], 0);
    EXPECT_EQ(lights(), (std::vector<bool>{true, false, false}));
    tuw.cmdUp(w);
    EXPECT_EQ(tuw.m_ia2Pos[w], 2);
    EXPECT_EQ(lights(), (std::vector<bool>{false, false, true}));
    tuw.cmdUp(w);
    EXPECT_EQ(lights(), (std::vector<bool>{false, true, false}));
}

TEST_F(CursorTest, StartAndEndToggleTheItemUnderTheCursor) {
    tuw.endCmd(w);
    EXPECT_EQ(lights(), (std::vector<bool>{false, false, false}));
    tuw.startCmd(w);
    tuw.startCmd(w);  // twice: back to normal
    EXPECT_EQ(lights(), (std::vector<bool>{false, false, false}));
    tuw.startCmd(w);
    EXPECT_EQ(tuw.m_t.m_iaFC[tuw.getText(w, 0)], 0);
    EXPECT_EQ(tuw.m_t.m_iaBC[tuw.getText(w, 0)], 0xFFFFFF);
}

// An item without a background cannot be highlighted; swapping it must not free its entry.
TEST(WindowTable, SwappingAnItemWithoutBackgroundKeepsIt) {
    auto tuw = std::make_unique<UxWnd2>();
    const int w = tuw->add(0, 0, 10, 10);
    tuw->addText(w, 0, 0, 0xFFFFFF, J_String("a"));
    tuw->startCmd(w);
    EXPECT_EQ(tuw->m_t.m_iaFC[tuw->getText(w, 0)], 0xFFFFFF);
    const int other = tuw->add(0, 0, 10, 10);
    tuw->addText(other, 0, 0, 0xFFFFFF, J_String("b"));
    EXPECT_NE(tuw->getText(other, 0), tuw->getText(w, 0));
}

TEST(WindowTable, FullTablesRefuseMore) {
    auto tuw = std::make_unique<UxWnd>();
    for (int i = 0; i < UxWnd::MAX; i++)
        ASSERT_EQ(tuw->add(0, 0, 10, 10), i);
    EXPECT_EQ(tuw->add(0, 0, 10, 10), -1);

    // Four windows of 256 items fill the 1,024 entries of the item table.
    auto items = std::make_unique<UxWnd>();
    for (int k = 0; k < UxW_Text::MAX / UxWnd::ITEMS; k++) {
        const int a = items->add(0, 0, 10, 10);
        for (int i = 0; i < UxWnd::ITEMS; i++)
            items->addText(a, 0, 0, 0xFFFFFF, J_String("x"));
        EXPECT_EQ(items->getTextCount(a), UxWnd::ITEMS);
        items->addText(a, 0, 0, 0xFFFFFF, J_String("y"));  // the window is full
        EXPECT_EQ(items->getTextCount(a), UxWnd::ITEMS);
    }
    const int c = items->add(0, 0, 10, 10);
    items->addText(c, 0, 0, 0xFFFFFF, J_String("w"));  // the 1,025th item
    EXPECT_EQ(items->getTextCount(c), 0);
    EXPECT_EQ(items->getText(c, 0), -1);
}

}  // namespace
