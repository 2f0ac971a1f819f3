// The fonts and the windows of every screen: where each window sits as a
// formula of the drawing size and the font height, its background, and its items
// with their places, colours and first texts.
#include <algorithm>

#include "game/MainCanvas.h"
#include "screens/ui.h"

namespace {

constexpr int kNone = -1;
constexpr int kShadow = 0x1000000;  // a black drop shadow
constexpr int kDarkBlue = 153;
constexpr int kDeepBlue = 102;
constexpr int kGreen = 0x00FF00;
constexpr int kYellow = 0xFFFF00;
constexpr int kCyan = 0x00FFFF;
constexpr int kMagenta = 0xFF00FF;
constexpr int kLightGreen = 0x99FF99;

}  // namespace

// Makes the three fonts for the shorter side of the canvas, unless they were
// already made for that side; a game object without fonts always gets them.
void MainCanvas::initFont() {
    const int side = std::min(getWidth(), getHeight());
    if (side == DJFont::m_iScr && m_fontM && m_fontS && m_fontT) return;
    DJFont::m_iScr = side;
    m_fontM = DJFont::getFont(DJFont::SIZE_MEDIUM);
    m_fontS = DJFont::getFont(DJFont::SIZE_SMALL);
    m_fontT = DJFont::getFont(DJFont::SIZE_TINY);
}

// Creates every window of the game, once, for the size the canvas has now.
void MainCanvas::setScreen() {
    const int H = getHeight();
    const int W = getWidth();
    const int h = m_fontM ? m_fontM->getHeight() : 0;
    const int D = m_iDiaSize;
    UxWnd2& t = m_tuw;

    // Title screens.
    m_iWndTitleBG = t.add(0, 0, H, W, kBlack);
    t.addText(m_iWndTitleBG, H / 6, W / 2 - h * 16 / 4, kGreen, "Valmore");
    t.addText(m_iWndTitleBG, H / 6 * 5, W / 2 - h * 18 / 4, kYellow, "(C)VALMORE PROJECT");

    m_iWndTitleMenu = t.add(H / 2 - h, W / 2 - h * 2, h * 2, h * 4, kBlack);
    t.addText(m_iWndTitleMenu, 0, 0, kWhite, kBlack, "始めから");
    t.addText(m_iWndTitleMenu, h, 0, kWhite, kBlack, "続きから");
    t.addText(m_iWndTitleMenu, h * 2, 0, kWhite, kBlack, "その他");

    m_iWndTitleSonotaA = t.add(H / 2 - h, W / 2 - h * 5 / 2, h * 2, h * 5, kBlack);
    t.addText(m_iWndTitleSonotaA, 0, 0, kBlack, kWhite, "ログイン");
    t.addText(m_iWndTitleSonotaA, h, 0, kWhite, kBlack, "ID新規取得");
    t.addText(m_iWndTitleSonotaA, h * 2, 0, kWhite, kBlack, "サイトへ");

    m_iWndTitleSonotaB = t.add(H / 2 - h, W / 2 - h * 5 / 2, h * 2, h * 5, kBlack);
    t.addText(m_iWndTitleSonotaB, 0, 0, kBlack, kWhite, "データ送信");
    t.addText(m_iWndTitleSonotaB, h, 0, kWhite, kBlack, "データ受信");
    t.addText(m_iWndTitleSonotaB, h * 2, 0, kWhite, kBlack, "サイトへ");

    m_iWndTitleLogin = t.add(H / 2 - h, W / 2 - h * 10 / 2, h * 2, h * 10, kDarkBlue);
    t.addText(m_iWndTitleLogin, 0, 0, kWhite, kDarkBlue, "ID  ");
    t.addText(m_iWndTitleLogin, h, 0, kWhite, kDarkBlue, "PASS");
    t.addText(m_iWndTitleLogin, 0, h * 4 / 2, kWhite, ":");
    t.addText(m_iWndTitleLogin, h, h * 4 / 2, kWhite, ":");
    t.addText(m_iWndTitleLogin, 0, h * 5 / 2, kWhite, " ");
    t.addText(m_iWndTitleLogin, h, h * 5 / 2, kWhite, " ");

    // The command menu and its sub-menus, level with the command that opens them.
    m_iWndCmd = t.add(h * 2 / 2, h * 2 / 3, h * 69 / 12, h * 5 / 2, kBlack);
    t.addText(m_iWndCmd, h * 2 / 12, h / 4, kBlack, kWhite, "線路");
    t.addText(m_iWndCmd, h * 15 / 12, h / 4, kWhite, kBlack, " 駅 ");
    t.addText(m_iWndCmd, h * 28 / 12, h / 4, kWhite, kBlack, "車両");
    t.addText(m_iWndCmd, h * 41 / 12, h / 4, kWhite, kBlack, "土地");
    t.addText(m_iWndCmd, h * 54 / 12, h / 4, kWhite, kBlack, "機能");

    m_iWndCRail = t.add(h * 12 / 12, h * 9 / 3, h * 14 / 6, h * 5 / 2, kBlack);
    t.addText(m_iWndCRail, h * 2 / 12, h / 4, kWhite, kBlack, "敷設");
    t.addText(m_iWndCRail, h * 15 / 12, h / 4, kWhite, kBlack, "撤去");

    m_iWndCStation = t.add(h * 25 / 12, h * 9 / 3, h * 14 / 6, h * 5 / 2, kBlack);
    t.addText(m_iWndCStation, h * 2 / 12, h / 4, kWhite, kBlack, "建設");
    t.addText(m_iWndCStation, h * 15 / 12, h / 4, kWhite, kBlack, "撤去");

    m_iWndCTrain = t.add(h * 2 / 2, h * 15 / 2, h * 14 / 6, h * 5 / 2, kBlack);
    t.addText(m_iWndCTrain, h * 2 / 12, h / 4, kWhite, kBlack, "配置");
    t.addText(m_iWndCTrain, h * 15 / 12, h / 4, kWhite, kBlack, "売却");

    m_iWndCTochi = t.add(h * 51 / 12, h * 9 / 3, h * 14 / 6, h * 5 / 2, kBlack);
    t.addText(m_iWndCTochi, h * 2 / 12, h / 4, kWhite, kBlack, "購入");
    t.addText(m_iWndCTochi, h * 15 / 12, h / 4, kWhite, kBlack, "売却");

    m_iWndCFunc = t.add(h * 64 / 12, h * 9 / 3, h * 8 / 6, h * 13 / 2, kBlack);
    t.addText(m_iWndCFunc, h * 2 / 12, h / 4, kWhite, kBlack, "列車番号表示");

    // Message, map coordinates and funds.
    m_iWndMsg = t.add(H / 2 - h / 3 * 2, 0, h * 4 / 3, h * 10, kBlack);
    t.addText(m_iWndMsg, h / 6, h / 6, kWhite, " ");

    m_iWndCoordinate = t.add(h * 15 / 2, h * 11 / 2, h * 4 / 3, h * 15 / 4, kNone);
    t.addText(m_iWndCoordinate, h / 6, h / 6, kWhite, kShadow, " ");

    m_iWndFund = t.add(H - h * 13 / 6, 0, h * 13 / 6, h * 10, kBlack);
    t.addText(m_iWndFund, h / 6, h / 6, kWhite, "資金 ");
    t.addText(m_iWndFund, h / 6, h / 6 + h * 5 / 2, kWhite, "99,999,999,999");
    t.addText(m_iWndFund, h * 7 / 6, h / 6, kWhite, "資産 ");
    t.addText(m_iWndFund, h * 7 / 6, h / 6 + h * 5 / 2, kWhite, "         0");

    m_iWndTrainList = t.add(h * 2 / 2, W / 5, h * 19 / 3, h * 11 / 2, kBlack);
    for (int k = 0; k < 6; k++) {
        t.addText(m_iWndTrainList, h / 6 + h * k, h / 5, kWhite, kBlack, "00 (99,99)");
    }

    // Timetable chart: hour labels every 8 chart units, the two-digit ones shifted left.
    m_iWndDia = t.add(H * 2 / 3, D * 2, h * 6 / 2, D * 56, kBlack);
    const int diaX[] = {D * 5 / 2, D * 21 / 2, D * 37 / 2, D * 25, D * 33, D * 41, D * 49};
    const char* const diaHours[] = {"0", "4", "8", "12", "16", "20", "24"};
    for (int k = 0; k < 7; k++) {
        t.addText(m_iWndDia, h * 12 / 6, diaX[k], kWhite, kBlack, diaHours[k]);
    }

    m_iWndDiaTime = t.add(H * 2 / 3, D * 2, h * 6 / 2, D * 56, kNone);
    t.addText(m_iWndDiaTime, h / 6, D * 10 / 2, kWhite, kBlack, "00:00");
    t.addText(m_iWndDiaTime, h / 6, D * 45 / 2, kWhite, kBlack, "～");
    t.addText(m_iWndDiaTime, h / 6, D * 61 / 2, kWhite, kBlack, "00:00");

    // Junction and station commands and the station's passenger counts.
    m_iWndPointCmd = t.add(H / 6, W / 16, h * 5 / 2, h * 7 / 2, kBlack);
    t.addText(m_iWndPointCmd, h / 6, h / 5, kBlack, kCyan, "直進　");
    t.addText(m_iWndPointCmd, h / 6 + h, h / 5, kMagenta, kBlack, "カーブ");

    m_iWndStationCmd = t.add(H / 6, D * 2, h * 9 / 2, h * 9 / 2, kBlack);
    t.addText(m_iWndStationCmd, h / 6, h / 5, kBlack, kCyan, "停車　　");
    t.addText(m_iWndStationCmd, h / 6 + h, h / 5, kMagenta, kBlack, "折り返し");
    t.addText(m_iWndStationCmd, h / 6 + h * 2, h / 5, kYellow, kBlack, "10分停車");
    t.addText(m_iWndStationCmd, h / 6 + h * 3, h / 5, kLightGreen, kBlack, "通過　　");

    m_iWndStationState = t.add(H / 6, W / 2, h * 9 / 2, h * 19 / 4, kDeepBlue);
    t.addText(m_iWndStationState, h / 6, h / 5, kWhite, "先月乗降");
    t.addText(m_iWndStationState, h / 6 + h, h / 8, kWhite, "        0");
    t.addText(m_iWndStationState, h / 6 + h * 2, h / 5, kWhite, "今月乗降");
    t.addText(m_iWndStationState, h / 6 + h * 3, h / 8, kWhite, "        0");

    // A train's commands and state.
    m_iWndTrainCmd = t.add(H / 6, W / 16, h * 7 / 2, h * 7 / 2, kBlack);
    t.addText(m_iWndTrainCmd, h / 6, h / 5, kBlack, kWhite, "ロック");
    t.addText(m_iWndTrainCmd, h / 6 + h, h / 5, kWhite, kBlack, "方向");
    t.addText(m_iWndTrainCmd, h / 6 + h * 2, h / 5, kWhite, kBlack, "撤去");

    m_iWndTrainState = t.add(H * 4 / 7, W * 2 / 3, h * 9 / 4, h * 6 / 2, kBlack);
    t.addText(m_iWndTrainState, h / 6, h / 5, kWhite, "999名");
    t.addText(m_iWndTrainState, h / 6 + h, h / 5, kWhite, "10:10");

    // The date bar.
    m_iWndDate = t.add(0, 0, h, W * 13 / 20, kNone);
    t.addText(m_iWndDate, 0, 0, kWhite, kShadow, "01年 4月 1日");

    m_iWndTime = t.add(0, W * 14 / 20, h, W * 5 / 20, kNone);
    t.addText(m_iWndTime, 0, 0, kWhite, kShadow, "99:99");

    // Game over and the yes/no question.
    m_iWndRank = t.add(H / 2 - h * 7 / 2, (W - h * 17 / 2) / 2, h * 13 / 2, h * 17 / 2, kDarkBlue);
    const char* const rankTexts[] = {"  10年間終了！", " HI-SCORE", "0",
                                     " 今回のSCORE",   "0",         "ランキング送信？"};
    for (int k = 0; k < 6; k++)
        t.addText(m_iWndRank, h / 6 + h * k, h / 5, kWhite, rankTexts[k]);

    m_iWndYesNo = t.add(H / 2 + h * 6 / 2, (W - h * 18 / 2) / 2, h * 3 / 2, h * 18 / 2, kBlack);
    t.addText(m_iWndYesNo, h / 6, h / 5 + h, kWhite, kBlack, "はい");
    t.addText(m_iWndYesNo, h / 6, h / 5 + h * 4, kWhite, kBlack, "いいえ");

    // Buying a train: model row, colour row and price.
    m_iWndBuyTrain =
        t.add(H / 2 - h * 6 / 2, (W - h * 18 / 2) / 2, h * 8 / 2, h * 18 / 2, kDarkBlue);
    t.addText(m_iWndBuyTrain, h / 6, h / 5, kWhite, kDarkBlue, "速度");
    t.addText(m_iWndBuyTrain, h * 8 / 6, h / 5, kWhite, kDarkBlue, " 色 ");
    t.addText(m_iWndBuyTrain, h * 15 / 6, h / 5, kWhite, "費用");
    t.addText(m_iWndBuyTrain, h / 6, h / 5 + h * 5 / 2, kWhite, "←");
    t.addText(m_iWndBuyTrain, h / 6, h / 5 + h * 7 / 2, kWhite, " 3");
    t.addText(m_iWndBuyTrain, h / 6, h / 5 + h * 10 / 2, kWhite, " 4");
    t.addText(m_iWndBuyTrain, h / 6, h / 5 + h * 13 / 2, kWhite, " 5");
    t.addText(m_iWndBuyTrain, h / 6, h / 5 + h * 15 / 2, kWhite, "→");
    t.addText(m_iWndBuyTrain, h * 8 / 6, h / 5 + h * 5 / 2, kWhite, kBlack, "          ");
    t.addText(m_iWndBuyTrain, h * 8 / 6, h / 5 + h * 6 / 2, kWhite, kBlack, "FF");
    t.addText(m_iWndBuyTrain, h * 8 / 6, h / 5 + h * 9 / 2, kWhite, kBlack, "FF");
    t.addText(m_iWndBuyTrain, h * 8 / 6, h / 5 + h * 12 / 2, kWhite, kBlack, "FF");
    t.addText(m_iWndBuyTrain, h * 15 / 6, h / 5 + h * 6 / 2, kWhite, " ");

    // Score entry and the ranking result, full screen.
    m_iWndEntryMain = t.add(0, 0, H, W, kBlack);
    t.addText(m_iWndEntryMain, h * 14 / 12, h, kWhite, "NO-NAME");
    t.addText(m_iWndEntryMain, h * 40 / 12, h, kWhite, "");
    t.addText(m_iWndEntryMain, h / 12, h / 12, kWhite, "ニックネーム");

    m_iWndEntryCmd = t.add(0, 0, H, W, kNone);
    t.addText(m_iWndEntryCmd, h * 27 / 12, h / 12, kWhite, kGrey, "コメント");
    t.addText(m_iWndEntryCmd, h * 94 / 12, h / 12, kWhite, kGrey, "決定");
    t.addText(m_iWndEntryCmd, h * 107 / 12, h / 12, kWhite, kGrey, "ｷｬﾝｾﾙ");

    m_iWndRankResultMain = t.add(0, 0, H, W, kBlack);
    t.addText(m_iWndRankResultMain, h * 14 / 12, h / 2, kWhite, "");

    m_iWndRankResultCmd = t.add(0, 0, H, W, kNone);
    t.addText(m_iWndRankResultCmd, h * 81 / 12, h / 12, kWhite, kGrey, "ゲームを続ける");
    t.addText(m_iWndRankResultCmd, h * 94 / 12, h / 12, kWhite, kGrey, "ランキング一覧へ");
    t.addText(m_iWndRankResultCmd, h * 107 / 12, h / 12, kWhite, kGrey, "タイトル画面へ");
}
