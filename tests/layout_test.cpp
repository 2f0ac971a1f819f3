// The fonts and the 31 windows of the game: places, sizes, backgrounds, items,
// colours and first texts at the default size, and what changes with the width.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "game/MainCanvas.h"
#include "text_helpers.h"

namespace {

constexpr int W_ = 0xFFFFFF;   // white
constexpr int B_ = 0;          // black
constexpr int NO = -1;         // no box, or a transparent window
constexpr int SH = 0x1000000;  // black drop shadow
constexpr int DB = 153;        // dark blue

// A game object of the given drawing size with its fonts and windows made.
std::unique_ptr<MainCanvas> laidOut(int height, int width) {
    auto g = std::make_unique<MainCanvas>();
    g->_wm_size(height, width);
    g->m_iDiaSize = width / 60;
    g->initFont();
    g->setScreen();
    return g;
}

using Field = int MainCanvas::*;

struct WindowRow {
    Field field;
    const char* name;
    int y, x, h, w, bg;
};

#define WND(f) &MainCanvas::f, #f

// Every window at 480 x 480, in creation order.
const WindowRow kWindows480[] = {
    {WND(m_iWndTitleBG), 0, 0, 480, 480, 0},
    {WND(m_iWndTitleMenu), 192, 144, 96, 192, 0},
    {WND(m_iWndTitleSonotaA), 192, 120, 96, 240, 0},
    {WND(m_iWndTitleSonotaB), 192, 120, 96, 240, 0},
    {WND(m_iWndTitleLogin), 192, 0, 96, 480, 153},
    {WND(m_iWndCmd), 48, 32, 276, 120, 0},
    {WND(m_iWndCRail), 48, 144, 112, 120, 0},
    {WND(m_iWndCStation), 100, 144, 112, 120, 0},
    {WND(m_iWndCTrain), 48, 360, 112, 120, 0},
    {WND(m_iWndCTochi), 204, 144, 112, 120, 0},
    {WND(m_iWndCFunc), 256, 144, 64, 312, 0},
    {WND(m_iWndMsg), 208, 0, 64, 480, 0},
    {WND(m_iWndCoordinate), 360, 264, 64, 180, -1},
    {WND(m_iWndFund), 376, 0, 104, 480, 0},
    {WND(m_iWndTrainList), 48, 96, 304, 264, 0},
    {WND(m_iWndDia), 320, 16, 144, 448, 0},
    {WND(m_iWndDiaTime), 320, 16, 144, 448, -1},
    {WND(m_iWndPointCmd), 80, 30, 120, 168, 0},
    {WND(m_iWndStationCmd), 80, 16, 216, 216, 0},
    {WND(m_iWndStationState), 80, 240, 216, 228, 102},
    {WND(m_iWndTrainCmd), 80, 30, 168, 168, 0},
    {WND(m_iWndTrainState), 274, 320, 108, 144, 0},
    {WND(m_iWndDate), 0, 0, 48, 312, -1},
    {WND(m_iWndTime), 0, 336, 48, 120, -1},
    {WND(m_iWndRank), 72, 36, 312, 408, 153},
    {WND(m_iWndYesNo), 384, 24, 72, 432, 0},
    {WND(m_iWndBuyTrain), 96, 24, 192, 432, 153},
    {WND(m_iWndEntryMain), 0, 0, 480, 480, 0},
    {WND(m_iWndEntryCmd), 0, 0, 480, 480, -1},
    {WND(m_iWndRankResultMain), 0, 0, 480, 480, 0},
    {WND(m_iWndRankResultCmd), 0, 0, 480, 480, -1},
};

struct ItemRow {
    Field field;
    const char* name;
    int item, y, x, fc, bc;
    const char* text;  // UTF-8; nullptr: checked elsewhere
};

// Every item at 480 x 480 (font height 48, chart unit 8).
const ItemRow kItems480[] = {
    {WND(m_iWndTitleBG), 0, 80, 48, 0x00FF00, NO, "Valmore"},
    {WND(m_iWndTitleBG), 1, 400, 24, 0xFFFF00, NO, nullptr},
    {WND(m_iWndTitleMenu), 0, 0, 0, W_, B_, "始めから"},
    {WND(m_iWndTitleMenu), 1, 48, 0, W_, B_, "続きから"},
    {WND(m_iWndTitleMenu), 2, 96, 0, W_, B_, "その他"},
    {WND(m_iWndTitleSonotaA), 0, 0, 0, B_, W_, "ログイン"},
    {WND(m_iWndTitleSonotaA), 1, 48, 0, W_, B_, "ID新規取得"},
    {WND(m_iWndTitleSonotaA), 2, 96, 0, W_, B_, "サイトへ"},
    {WND(m_iWndTitleSonotaB), 0, 0, 0, B_, W_, "データ送信"},
    {WND(m_iWndTitleSonotaB), 1, 48, 0, W_, B_, "データ受信"},
    {WND(m_iWndTitleSonotaB), 2, 96, 0, W_, B_, "サイトへ"},
    {WND(m_iWndTitleLogin), 0, 0, 0, W_, DB, "ID  "},
    {WND(m_iWndTitleLogin), 1, 48, 0, W_, DB, "PASS"},
    {WND(m_iWndTitleLogin), 2, 0, 96, W_, NO, ":"},
    {WND(m_iWndTitleLogin), 3, 48, 96, W_, NO, ":"},
    {WND(m_iWndTitleLogin), 4, 0, 120, W_, NO, " "},
    {WND(m_iWndTitleLogin), 5, 48, 120, W_, NO, " "},
    {WND(m_iWndCmd), 0, 8, 12, B_, W_, "線路"},
    {WND(m_iWndCmd), 1, 60, 12, W_, B_, " 駅 "},
    {WND(m_iWndCmd), 2, 112, 12, W_, B_, "車両"},
    {WND(m_iWndCmd), 3, 164, 12, W_, B_, "土地"},
    {WND(m_iWndCmd), 4, 216, 12, W_, B_, "機能"},
    {WND(m_iWndCRail), 0, 8, 12, W_, B_, "敷設"},
    {WND(m_iWndCRail), 1, 60, 12, W_, B_, "撤去"},
    {WND(m_iWndCStation), 0, 8, 12, W_, B_, "建設"},
    {WND(m_iWndCStation), 1, 60, 12, W_, B_, "撤去"},
    {WND(m_iWndCTrain), 0, 8, 12, W_, B_, "配置"},
    {WND(m_iWndCTrain), 1, 60, 12, W_, B_, "売却"},
    {WND(m_iWndCTochi), 0, 8, 12, W_, B_, "購入"},
    {WND(m_iWndCTochi), 1, 60, 12, W_, B_, "売却"},
    {WND(m_iWndCFunc), 0, 8, 12, W_, B_, "列車番号表示"},
    {WND(m_iWndMsg), 0, 8, 8, W_, NO, " "},
    {WND(m_iWndCoordinate), 0, 8, 8, W_, SH, " "},
    {WND(m_iWndFund), 0, 8, 8, W_, NO, "資金 "},
    {WND(m_iWndFund), 1, 8, 128, W_, NO, "99,999,999,999"},
    {WND(m_iWndFund), 2, 56, 8, W_, NO, "資産 "},
    {WND(m_iWndFund), 3, 56, 128, W_, NO, "         0"},
    {WND(m_iWndTrainList), 0, 8, 9, W_, B_, "00 (99,99)"},
    {WND(m_iWndTrainList), 1, 56, 9, W_, B_, "00 (99,99)"},
    {WND(m_iWndTrainList), 2, 104, 9, W_, B_, "00 (99,99)"},
    {WND(m_iWndTrainList), 3, 152, 9, W_, B_, "00 (99,99)"},
    {WND(m_iWndTrainList), 4, 200, 9, W_, B_, "00 (99,99)"},
    {WND(m_iWndTrainList), 5, 248, 9, W_, B_, "00 (99,99)"},
    {WND(m_iWndDia), 0, 96, 20, W_, B_, "0"},
    {WND(m_iWndDia), 1, 96, 84, W_, B_, "4"},
    {WND(m_iWndDia), 2, 96, 148, W_, B_, "8"},
    {WND(m_iWndDia), 3, 96, 200, W_, B_, "12"},
    {WND(m_iWndDia), 4, 96, 264, W_, B_, "16"},
    {WND(m_iWndDia), 5, 96, 328, W_, B_, "20"},
    {WND(m_iWndDia), 6, 96, 392, W_, B_, "24"},
    {WND(m_iWndDiaTime), 0, 8, 40, W_, B_, "00:00"},
    {WND(m_iWndDiaTime), 1, 8, 180, W_, B_, "～"},
    {WND(m_iWndDiaTime), 2, 8, 244, W_, B_, "00:00"},
    {WND(m_iWndPointCmd), 0, 8, 9, B_, 0x00FFFF, "直進　"},
    {WND(m_iWndPointCmd), 1, 56, 9, 0xFF00FF, B_, "カーブ"},
    {WND(m_iWndStationCmd), 0, 8, 9, B_, 0x00FFFF, "停車　　"},
    {WND(m_iWndStationCmd), 1, 56, 9, 0xFF00FF, B_, "折り返し"},
    {WND(m_iWndStationCmd), 2, 104, 9, 0xFFFF00, B_, "10分停車"},
    {WND(m_iWndStationCmd), 3, 152, 9, 0x99FF99, B_, "通過　　"},
    {WND(m_iWndStationState), 0, 8, 9, W_, NO, "先月乗降"},
    {WND(m_iWndStationState), 1, 56, 6, W_, NO, "        0"},
    {WND(m_iWndStationState), 2, 104, 9, W_, NO, "今月乗降"},
    {WND(m_iWndStationState), 3, 152, 6, W_, NO, "        0"},
    {WND(m_iWndTrainCmd), 0, 8, 9, B_, W_, "ロック"},
    {WND(m_iWndTrainCmd), 1, 56, 9, W_, B_, "方向"},
    {WND(m_iWndTrainCmd), 2, 104, 9, W_, B_, "撤去"},
    {WND(m_iWndTrainState), 0, 8, 9, W_, NO, "999名"},
    {WND(m_iWndTrainState), 1, 56, 9, W_, NO, "10:10"},
    {WND(m_iWndDate), 0, 0, 0, W_, SH, "01年 4月 1日"},
    {WND(m_iWndTime), 0, 0, 0, W_, SH, "99:99"},
    {WND(m_iWndRank), 0, 8, 9, W_, NO, "  10年間終了！"},
    {WND(m_iWndRank), 1, 56, 9, W_, NO, " HI-SCORE"},
    {WND(m_iWndRank), 2, 104, 9, W_, NO, "0"},
    {WND(m_iWndRank), 3, 152, 9, W_, NO, " 今回のSCORE"},
    {WND(m_iWndRank), 4, 200, 9, W_, NO, "0"},
    {WND(m_iWndRank), 5, 248, 9, W_, NO, "ランキング送信？"},
    {WND(m_iWndYesNo), 0, 8, 57, W_, B_, "はい"},
    {WND(m_iWndYesNo), 1, 8, 201, W_, B_, "いいえ"},
    {WND(m_iWndBuyTrain), 0, 8, 9, W_, DB, "速度"},
    {WND(m_iWndBuyTrain), 1, 64, 9, W_, DB, " 色 "},
    {WND(m_iWndBuyTrain), 2, 120, 9, W_, NO, "費用"},
    {WND(m_iWndBuyTrain), 3, 8, 129, W_, NO, "←"},
    {WND(m_iWndBuyTrain), 4, 8, 177, W_, NO, " 3"},
    {WND(m_iWndBuyTrain), 5, 8, 249, W_, NO, " 4"},
    {WND(m_iWndBuyTrain), 6, 8, 321, W_, NO, " 5"},
    {WND(m_iWndBuyTrain), 7, 8, 369, W_, NO, "→"},
    {WND(m_iWndBuyTrain), 8, 64, 129, W_, B_, "          "},
    {WND(m_iWndBuyTrain), 9, 64, 153, W_, B_, "FF"},
    {WND(m_iWndBuyTrain), 10, 64, 225, W_, B_, "FF"},
    {WND(m_iWndBuyTrain), 11, 64, 297, W_, B_, "FF"},
    {WND(m_iWndBuyTrain), 12, 120, 153, W_, NO, " "},
    {WND(m_iWndEntryMain), 0, 56, 48, W_, NO, "NO-NAME"},
    {WND(m_iWndEntryMain), 1, 160, 48, W_, NO, ""},
    {WND(m_iWndEntryMain), 2, 4, 4, W_, NO, "ニックネーム"},
    {WND(m_iWndEntryCmd), 0, 108, 4, W_, 0x666666, "コメント"},
    {WND(m_iWndEntryCmd), 1, 376, 4, W_, 0x666666, "決定"},
    {WND(m_iWndEntryCmd), 2, 428, 4, W_, 0x666666, "ｷｬﾝｾﾙ"},
    {WND(m_iWndRankResultMain), 0, 56, 24, W_, NO, ""},
    {WND(m_iWndRankResultCmd), 0, 324, 4, W_, 0x666666, "ゲームを続ける"},
    {WND(m_iWndRankResultCmd), 1, 376, 4, W_, 0x666666, "ランキング一覧へ"},
    {WND(m_iWndRankResultCmd), 2, 428, 4, W_, 0x666666, "タイトル画面へ"},
};

TEST(Layout, FontsAreMadeForTheShorterSide) {
    auto g = laidOut(480, 640);
    EXPECT_EQ(DJFont::m_iScr, 480);
    EXPECT_EQ(g->m_fontM->getHeight(), 48);
    EXPECT_EQ(g->m_fontS->getHeight(), 32);
    EXPECT_EQ(g->m_fontT->getHeight(), 24);

    // Still 480 on the shorter side: the same fonts are kept.
    const auto medium = g->m_fontM;
    g->_wm_size(480, 800);
    g->initFont();
    EXPECT_EQ(g->m_fontM, medium);

    g->_wm_size(400, 640);
    g->initFont();
    EXPECT_NE(g->m_fontM, medium);
    EXPECT_EQ(g->m_fontM->getHeight(), 40);
    EXPECT_EQ(g->m_fontS->getHeight(), 26);
    EXPECT_EQ(g->m_fontT->getHeight(), 20);
}

TEST(Layout, ASecondGameObjectGetsFontsOfItsOwn) {
    auto first = laidOut(480, 480);
    auto second = laidOut(480, 480);
    ASSERT_TRUE(second->m_fontM);
    EXPECT_EQ(second->m_fontM->getHeight(), 48);
}

TEST(Layout, WindowsAt480MatchTheirPlacesInCreationOrder) {
    auto g = laidOut(480, 480);
    const UxWnd2& t = g->m_tuw;
    int number = 0;
    for (const WindowRow& r : kWindows480) {
        const int n = (*g).*r.field;
        EXPECT_EQ(n, number++) << r.name;
        EXPECT_EQ(t.m_iaY[n], r.y) << r.name;
        EXPECT_EQ(t.m_iaX[n], r.x) << r.name;
        EXPECT_EQ(t.m_iaW[n], r.h) << r.name;
        EXPECT_EQ(t.m_iaV[n], r.w) << r.name;
        EXPECT_EQ(t.m_iaC[n], r.bg) << r.name;
    }
    EXPECT_EQ(t.m_iaC[31], -2);  // nothing beyond the 31 windows
}

TEST(Layout, ItemsAt480HaveTheirPlacesColoursAndTexts) {
    auto g = laidOut(480, 480);
    const UxWnd2& t = g->m_tuw;
    for (const ItemRow& r : kItems480) {
        const int n = (*g).*r.field;
        const int item = t.getText(n, r.item);
        ASSERT_GE(item, 0) << r.name << " item " << r.item;
        EXPECT_EQ(t.m_t.m_iaY[item], r.y) << r.name << " item " << r.item;
        EXPECT_EQ(t.m_t.m_iaX[item], r.x) << r.name << " item " << r.item;
        EXPECT_EQ(t.m_t.m_iaFC[item], r.fc) << r.name << " item " << r.item;
        EXPECT_EQ(t.m_t.m_iaBC[item], r.bc) << r.name << " item " << r.item;
        // The width left to the window's right edge is where the item's text wraps.
        EXPECT_EQ(t.m_t.m_iaV[item], t.m_iaV[n] - r.x) << r.name << " item " << r.item;
        if (r.text) {
            EXPECT_EQ(bytes(t.m_t.m_sa[item]), sjis(r.text)) << r.name << " " << r.item;
        }
    }
    // Each window holds exactly the items listed.
    for (const WindowRow& w : kWindows480) {
        int count = 0;
        for (const ItemRow& r : kItems480)
            count += r.field == w.field;
        EXPECT_EQ(t.getTextCount((*g).*w.field), count) << w.name;
    }
}

TEST(Layout, TheCreditLineIsEighteenSingleByteCharacters) {
    auto g = laidOut(480, 480);
    const J_String& credit = g->m_tuw.m_t.m_sa[g->m_tuw.getText(g->m_iWndTitleBG, 1)];
    EXPECT_EQ(credit.byteLength(), 18);
    EXPECT_EQ(credit.length(), 18);
}

TEST(Layout, AWiderAreaMovesOnlyTheWidthBasedPlaces) {
    auto g = laidOut(480, 640);
    const UxWnd2& t = g->m_tuw;
    EXPECT_EQ(g->m_iDiaSize, 10);
    EXPECT_EQ(t.m_iaX[g->m_iWndTitleMenu], 224);
    EXPECT_EQ(t.m_iaY[g->m_iWndTitleMenu], 192);
    EXPECT_EQ(t.m_iaV[g->m_iWndDate], 416);
    EXPECT_EQ(t.m_iaX[g->m_iWndTime], 448);
    EXPECT_EQ(t.m_iaV[g->m_iWndDia], 560);
    EXPECT_EQ(t.m_iaX[g->m_iWndDia], 20);
    EXPECT_EQ(t.m_iaX[g->m_iWndRank], 116);
    EXPECT_EQ(t.m_iaV[g->m_iWndTitleBG], 640);
    // Places from the font height alone stay where they were.
    EXPECT_EQ(t.m_iaX[g->m_iWndCmd], 32);
    EXPECT_EQ(t.m_iaV[g->m_iWndFund], 480);
    EXPECT_EQ(t.m_t.m_iaX[t.getText(g->m_iWndDia, 3)], 250);  // D * 25
}

}  // namespace
