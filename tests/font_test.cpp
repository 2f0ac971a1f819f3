// Fonts: heights from the canvas, the fixed half-height-per-byte cells, the
// baseline, glyphs kept inside their cells, code page 932 decoding and running
// on without a Japanese font.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "device/DJFont.h"
#include "device/Graphics.h"
#include "device/J_String.h"

namespace {

constexpr uint32_t kBlack = 0xFF000000u;

// Sets the canvas side the fonts are made for, and puts the old one back.
class ScreenSide {
public:
    explicit ScreenSide(int side) : m_old(DJFont::m_iScr) { DJFont::m_iScr = side; }
    ~ScreenSide() { DJFont::m_iScr = m_old; }

private:
    int m_old;
};

struct Box {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;  // right, bottom exclusive
    bool empty() const { return right < 0; }
};

// A black surface in a frame, to draw text on.
struct Surface {
    explicit Surface(int w, int h) {
        g._wm_size(h, w);
        g.lock();
    }
    Box changed() const {
        Box b;
        for (int y = 0; y < g.m_iSizeY; y++) {
            for (int x = 0; x < g.m_iSizeX; x++) {
                if (g.getPixel(x, y) == kBlack) continue;
                b.left = std::min(b.left, x);
                b.top = std::min(b.top, y);
                b.right = std::max(b.right, x + 1);
                b.bottom = std::max(b.bottom, y + 1);
            }
        }
        return b;
    }
    Graphics g;
};

bool japaneseFontInstalled() {
    static const bool installed = DJFont::useFontFile("");
    return installed;
}

TEST(FontHeight, FollowsTheShorterSideInEvenSteps) {
    struct Case {
        int side, medium, small, tiny;
    } cases[] = {
        {480, 48, 32, 24}, {240, 24, 16, 12}, {479, 46, 30, 22}, {400, 40, 26, 20}, {0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        ScreenSide side(c.side);
        EXPECT_EQ(DJFont::getFont(DJFont::SIZE_MEDIUM)->getHeight(), c.medium) << c.side;
        EXPECT_EQ(DJFont::getFont(DJFont::SIZE_SMALL)->getHeight(), c.small) << c.side;
        EXPECT_EQ(DJFont::getFont(DJFont::SIZE_TINY)->getHeight(), c.tiny) << c.side;
    }
    ScreenSide side(480);
    EXPECT_EQ(DJFont::getFont(0)->getHeight(), 0);
    EXPECT_EQ(DJFont::getFont(4)->getHeight(), 0);
}

TEST(FontHeight, AFontOfHeightZeroDrawsNothing) {
    ScreenSide side(480);
    Surface s(64, 64);
    s.g.setFont(DJFont::getFont(7));
    s.g.setColor(0xFFFFFF);
    s.g.drawString(
        "\x82\xa0"
        "A",
        0, 0);
    EXPECT_TRUE(s.changed().empty());
}

TEST(FontDecode, ReadsShiftJisAsCodePage932) {
    struct Case {
        int code;
        int32_t unicode;
    } cases[] = {
        {0x41, 0x41},     {0x5C, 0x5C},     {0x7E, 0x7E},      // ASCII stays ASCII
        {0x8160, 0xFF5E}, {0x815F, 0xFF3C}, {0x82A0, 0x3042},  // wave dash, backslash, あ
        {0x8C8E, 0x6708}, {0xB1, 0xFF71},   {0x8740, 0x2460},  // 月, ｱ, circled 1
        {0x4142, -1},     {0x8120, -1},     {-5, -1},         {0x10000, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DJFont::toUnicode(c.code), c.unicode) << std::hex << c.code;
}

class JapaneseFontTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!japaneseFontInstalled()) GTEST_SKIP() << "IPAGothic is not installed";
    }
    ScreenSide m_side{480};
};

TEST_F(JapaneseFontTest, BaselineComesFromTheTypographicAscender) {
    EXPECT_EQ(DJFont::getFont(DJFont::SIZE_MEDIUM)->getBaseline(), 42);
    EXPECT_EQ(DJFont::getFont(DJFont::SIZE_SMALL)->getBaseline(), 28);
    EXPECT_EQ(DJFont::getFont(DJFont::SIZE_TINY)->getBaseline(), 21);
}

TEST_F(JapaneseFontTest, GlyphsStayInsideTheirCells) {
    // Tall, deep, wide and narrow characters of both widths.
    const char* texts[] = {"A",        "g",        "j",        "W",        "|",
                           "_",        "@",        "\xb1",     "\xdf",     "\x82\xa0",
                           "\x8a\xbf", "\x81\x60", "\x81\xa1", "\x81\x69", "\x83\x4f",
                           "\x82\x60", "\x82\x87", "\x81\x5c", "\x88\x9f", "\x87\x40"};
    for (int code : {DJFont::SIZE_MEDIUM, DJFont::SIZE_SMALL, DJFont::SIZE_TINY}) {
        auto font = DJFont::getFont(code);
        const int h = font->getHeight();
        for (const char* t : texts) {
            Surface s(4 * h, 4 * h);
            s.g.setFont(font);
            s.g.setColor(0xFFFFFF);
            s.g.drawString(t, h, h);
            const int cell = std::string(t).size() == 2 ? h : h / 2;
            Box b = s.changed();
            ASSERT_FALSE(b.empty()) << "height " << h << " text " << t;
            EXPECT_GE(b.left, h) << "height " << h << " text " << t;
            EXPECT_GE(b.top, h) << "height " << h << " text " << t;
            EXPECT_LE(b.right, h + cell) << "height " << h << " text " << t;
            EXPECT_LE(b.bottom, 2 * h) << "height " << h << " text " << t;
        }
    }
}

TEST_F(JapaneseFontTest, EveryByteAdvancesHalfTheHeight) {
    auto font = DJFont::getFont(DJFont::SIZE_MEDIUM);
    Surface whole(200, 48), parts(200, 48);
    for (Surface* s : {&whole, &parts}) {
        s->g.setFont(font);
        s->g.setColor(0xFFFFFF);
    }
    whole.g.drawString(
        "A\x82\xa0\xb1"
        "B",
        0, 0);
    parts.g.drawString("A", 0, 0);
    parts.g.drawString("\x82\xa0", 24, 0);
    parts.g.drawString("\xb1", 72, 0);
    parts.g.drawString("B", 96, 0);
    EXPECT_EQ(whole.g.m_hBMP.pixels, parts.g.m_hBMP.pixels);
    EXPECT_LE(whole.changed().right, 120);
}

TEST_F(JapaneseFontTest, TextIsBlendedInItsColourOnly) {
    Surface s(100, 48);
    s.g.setFont(DJFont::getFont(DJFont::SIZE_MEDIUM));
    s.g.setColor(Graphics::getColorOfRGB(255, 0, 0));
    s.g.drawString("\x81\xa1\x8a\xbf", 0, 0);  // a filled square and a kanji
    bool full = false;
    for (uint32_t p : s.g.m_hBMP.pixels) {
        EXPECT_EQ(p & 0xFFFFFF00u, 0xFF000000u);  // only the red channel changes
        full = full || p == 0xFF0000FFu;
    }
    EXPECT_TRUE(full);
}

TEST_F(JapaneseFontTest, AStringWrappingAZeroPaddedFieldDrawsUpToItsFirstZero) {
    auto font = DJFont::getFont(DJFont::SIZE_MEDIUM);
    int8_t field[15] = {'A', 'B', 0, 'C', 'D'};
    Surface padded(400, 48), plain(400, 48);
    for (Surface* s : {&padded, &plain}) {
        s->g.setFont(font);
        s->g.setColor(0xFFFFFF);
    }
    padded.g.drawString(J_String(field, 15), 0, 0);
    plain.g.drawString("AB", 0, 0);
    EXPECT_EQ(padded.g.m_hBMP.pixels, plain.g.m_hBMP.pixels);
    padded.g.drawString(J_String(), 200, 0);
    EXPECT_EQ(padded.g.m_hBMP.pixels, plain.g.m_hBMP.pixels);
}

// Puts the system's font choice back after a test that replaced it.
class FontFallbackTest : public ::testing::Test {
protected:
    void TearDown() override { DJFont::useFontFile(""); }
    ScreenSide m_side{480};
};

TEST_F(FontFallbackTest, WithoutAFontFileTheGameSaysSoOnceAndDrawsNothing) {
    testing::internal::CaptureStderr();
    EXPECT_FALSE(DJFont::useFontFile("/nonexistent/valmore/font.ttf"));
    auto medium = DJFont::getFont(DJFont::SIZE_MEDIUM);
    auto tiny = DJFont::getFont(DJFont::SIZE_TINY);
    Surface s(200, 48);
    s.g.setFont(medium);
    s.g.setColor(0xFFFFFF);
    s.g.drawString("A\x82\xa0", 0, 0);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(medium->getHeight(), 48);
    EXPECT_EQ(tiny->getHeight(), 24);
    EXPECT_TRUE(s.changed().empty());
    const size_t first = err.find("fonts-ipafont-gothic");
    ASSERT_NE(first, std::string::npos) << err;
    EXPECT_EQ(err.find("fonts-ipafont-gothic", first + 1), std::string::npos) << err;
}

TEST_F(FontFallbackTest, ALatinFontStillDrawsTheGlyphsItHas) {
    const char* latin = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";
    if (!std::filesystem::exists(latin)) GTEST_SKIP() << "no Latin-only font to try";
    testing::internal::CaptureStderr();
    EXPECT_FALSE(DJFont::useFontFile(latin));
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("fonts-ipafont-gothic"), std::string::npos);
    auto font = DJFont::getFont(DJFont::SIZE_MEDIUM);
    Surface latinText(100, 48), kana(100, 48);
    for (Surface* s : {&latinText, &kana}) {
        s->g.setFont(font);
        s->g.setColor(0xFFFFFF);
    }
    latinText.g.drawString("A", 0, 0);
    kana.g.drawString("\x82\xa0", 0, 0);
    EXPECT_FALSE(latinText.changed().empty());
    EXPECT_TRUE(kana.changed().empty());
}

}  // namespace
