#pragma once
// The one game object: it holds the whole world in fixed arrays, runs the tick and the screen
// states, and owns the windows of the game.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "device/Canvas.h"
#include "device/DJFont.h"
#include "device/J_String.h"
#include "toolkit/UxGrph.h"
#include "toolkit/UxWnd.h"

class DataInputStream;
class DataOutputStream;

class MainCanvas : public Canvas {
public:
    // ---- World: map layers (row y, column x; cell index y * 64 + x) ----
    static constexpr int MAP = 64;
    static constexpr int CELLS = MAP * MAP;
    static constexpr int POINTS = 64;
    static constexpr int STATIONS = 80;
    static constexpr int TRAINS = 40;
    static constexpr int MODELS = 28;
    static constexpr int64_t GAME_START = 7776000000LL;
    static constexpr int64_t GAME_END = 323395200000LL;
    static constexpr int HOUR_MS = 3600000;

    std::array<int8_t, CELLS> m_sbaMapTyp{};  // cell kind 0..19
    std::array<int8_t, CELLS>
        m_sbaMapPrm{};  // kind-dependent parameter (track mask, station slot, ...)
    std::array<int8_t, CELLS> m_sbaMapPr2{};  // arrival counter of a building
    std::array<int8_t, CELLS> m_sbaMapVal{};  // land value level

    // ---- Junctions ("points"): PointY = -1 marks a free slot ----
    std::array<int8_t, POINTS> PointY{};
    std::array<int8_t, POINTS> PointX{};
    std::array<int8_t, POINTS * 6> PointDD{};  // 48 switch bits per junction

    // ---- Stations: StationY = -1 marks a free slot ----
    std::array<int8_t, STATIONS> StationY{};
    std::array<int8_t, STATIONS> StationX{};
    std::array<int8_t, STATIONS * 48> StationDD{};  // stop rule per half-hour
    std::array<int32_t, STATIONS> StationPDH{};
    std::array<int32_t, STATIONS> StationPDO{};
    std::array<int32_t, STATIONS> StationPLM{};
    std::array<int32_t, STATIONS> StationPTM{};

    // ---- Trains: TrainY = -2 empty slot, -1 owned but off the map ----
    std::array<int8_t, TRAINS> TrainY{};
    std::array<int8_t, TRAINS> TrainX{};
    std::array<int8_t, TRAINS> TrainV{};
    std::array<int32_t, TRAINS> TrainC{};
    std::array<int32_t, TRAINS> TrainSP{};
    std::array<int8_t, TRAINS> TrainTyp{};
    std::array<int32_t, TRAINS> TrainClr{};
    std::array<int8_t, 1280> TrainaSS{};
    std::array<int16_t, TRAINS * 16> TrainaPaH{};
    std::array<int16_t, TRAINS * 16> TrainaPaO{};
    std::array<int32_t, MODELS> BuyTrainClr{};

    // ---- Numbered state slots ----
    std::array<int8_t, 7> m_sba{};
    std::array<int16_t, 10> m_swa{};
    std::array<int64_t, 8> m_la{};
    std::array<int16_t, CELLS> RndMap{};
    std::array<int8_t, 15> LoginID{};
    std::array<int8_t, 15> LoginPass{};

    // ---- Random sequence (not saved) ----
    int32_t RND_type = 0;
    int32_t RND_count = 0;

    // ---- Construction plan ----
    int m_iFY = -1, m_iFX = 0, m_iFT = 0;
    int64_t m_sqwCost = 0;
    int m_iPYB = 0, m_iPXB = 0;

    // ---- Loop and screen states ----
    int m_iState = 0;
    uint32_t m_dwCount = 0;
    int m_bRepaint = 0;
    int m_bPaint = 0;
    int m_iMsgWait = 0;
    static int m_b2IME;
    static J_String m_sIME;
    int m_bLogin = 0;
    std::optional<J_String> m_sNickName;
    int m_bYesNo = 0, m_iYesNoPos = 0, m_iYesNoY = 0;

    // ---- In-game command state ----
    int m_iCmdNow = 0;
    int m_iCursor = 0;
    int m_bCmd = 0, m_bCRail = 0, m_bCStation = 0, m_bCTochi = 0, m_bCFunc = 0;
    int m_bTrain = 0, m_bCTrain = 0, m_bBuyTrain = 0, m_bTrainCmd = 0, m_bTrainLock = 0;
    int m_bPointDia = 0, m_bPointCmd = 0, m_bStationDia = 0, m_bStationCmd = 0;
    int m_iTrainNo = -1, m_iTrainC = 0, m_iTrainS = 0;
    int m_iArrow = -1;
    int m_iBeforeMonth = 0;
    int m_iBuyTrain = 0, m_iBuyTrainClr = 0;
    int m_iDiaSize = 0;
    int m_iBlockSize = 0;

    // ---- Keys ----
    static constexpr int KEYS = 19;
    static std::array<int, KEYS> m_iaKA;
    static std::array<int8_t, KEYS> m_sbaKey;

    // ---- Windows ----
    UxWnd2 m_tuw;
    UxGrph m_tug;  // draws the windows into the context of the current paint
    std::shared_ptr<DJFont> m_fontM, m_fontS, m_fontT;  // medium, small and tiny
    int m_iWndTitleBG = -1, m_iWndTitleMenu = -1, m_iWndTitleSonotaA = -1, m_iWndTitleSonotaB = -1,
        m_iWndTitleLogin = -1, m_iWndCmd = -1, m_iWndCRail = -1, m_iWndCStation = -1,
        m_iWndCTrain = -1, m_iWndCTochi = -1, m_iWndCFunc = -1, m_iWndMsg = -1,
        m_iWndCoordinate = -1, m_iWndFund = -1, m_iWndTrainList = -1, m_iWndDia = -1,
        m_iWndDiaTime = -1, m_iWndPointCmd = -1, m_iWndStationCmd = -1, m_iWndStationState = -1,
        m_iWndTrainCmd = -1, m_iWndTrainState = -1, m_iWndDate = -1, m_iWndTime = -1,
        m_iWndRank = -1, m_iWndYesNo = -1, m_iWndBuyTrain = -1, m_iWndEntryMain = -1,
        m_iWndEntryCmd = -1, m_iWndRankResultMain = -1, m_iWndRankResultCmd = -1;

    MainCanvas();

    // ---- World accessors (game/world.cpp) ----
    int getMapTyp(int y, int x) const;
    int getMapPrm(int y, int x) const;
    int getMapPr2(int y, int x) const;
    int getMapVal(int y, int x) const;
    void setMapTyp(int y, int x, int t, int p = 0);
    void setMapPrm(int y, int x, int p);
    void setMapPr2(int y, int x, int p);
    void addMapPrm(int y, int x, int a);
    void addMapPr2(int y, int x, int a);
    void setMapVal(int yx, int v);
    void addMapVal(int yx, int a);
    int getMapTrain(int y, int x) const;
    int searchPointIndex(int y, int x) const;
    int searchPointIndex() const;
    int searchStationIndex(int y, int x) const;
    int searchStationIndex() const;
    int searchFreePoint() const;
    int searchFreeStation() const;
    int searchFreeTrain() const;
    void newGame();

    // ---- Random sequence and map generation (game/random.cpp, game/mapgen.cpp) ----
    int RND_get(int n);
    void seedRandom(uint32_t clock);
    void createMap();

    // ---- Loop and screen states (game/loop.cpp) ----
    void wm_timer();
    void boot();
    void startGame(int bNet);
    void nextFrame(int ms);
    void putMsg(const J_String& text, int t);
    void putMsg(const char* text, int t);
    int getHour(int ms) const;
    int getHour() const { return getHour(0); }
    void processIMEEvent(const char* text) override;
    void openBrowser(const char* path);

    // ---- Date and time windows (screens/datetime.cpp) ----
    int m_iBeforeHour = 0;
    void putDT();
    J_String getTimeString(int64_t t) const;
    static J_String getTimeString_main(const class Calendar& c);
    static J_String createTimeString(int h, int m);

    // ---- Keys (screens/keys.cpp) ----
    void initKey();
    void m_scanKey();
    int checkWndKey(int window);
    int checkYesNoKey(int window, int bSub);
    // A key pressed this frame, or held long enough to repeat (odd counts above the threshold).
    static bool keyRepeats(int index, int threshold);

    // ---- Number and text formatting (screens/format.cpp) ----
    static J_String IntToString(int n, int p, char c);
    static J_String IntToHex(int n, int p, char c);
    static J_String LongToFundString(int64_t n, int p);
    static J_String toAsterString(const int8_t* a, int size);
    static J_String toString(const int8_t* a, int size);
    static int getKeta(int64_t n);
    static int getKetaHex(int64_t n);
    static int m_strlen(const int8_t* a, int size);
    static int abs(int n);
    static int getSign(int n);
    static int countBitByte(int a);
    static int pow_2(int n);
    static int pow_2_8(int n);
    static int getByteFromInt(int v, int n);
    static int getClrR(int c) { return getByteFromInt(c, 2); }
    static int getClrG(int c) { return getByteFromInt(c, 1); }
    static int getClrB(int c) { return getByteFromInt(c, 0); }
    static int toUnsigned(int8_t b);
    static int toBitFromByte(int bt, int i);
    static int toBitFromSBYTE(int8_t b, int n);
    static int toBitFromASB(const int8_t* asb, int n);
    static void setABit(int8_t* asb, int ib, int d);
    static void toASBFromBit(int8_t* asb, int i, int bt);
    static std::vector<int8_t> toASBFromABit(const int8_t* asb, int i, int n);
    static void setSByteA(int8_t* a, int size, const J_String& s);

    // ---- Track and junctions (game/track.cpp) ----
    static int getVY(int d);
    static int getVX(int d);
    static int getVector(int m);
    static int getVectorDiff(int v, int w);
    static int getVectorDiffFromD(int a, int b);
    static int diffVector(int a, int b);
    static int nextVector(int m, int v);
    static int getDirection(int y, int x, int w, int v);
    static int getDirection(int p);
    static int getAngle(int pa, int pb);
    static int checkAddPoint(int a, int b);
    int addPoint(int y, int x, int s);
    void extendRail(int d, int s);
    void constructRail();
    int removeRail();
    void removeRail_main(int p, int w, int v);

    // ---- Stations (game/station.cpp) ----
    int constructStation();
    int removeStation();
    int distance(int a, int b) const;

    // ---- Land, development and money (game/land.cpp) ----
    static int getLandValue(int v);
    int getLandValue(int y, int x) const;
    static int getBuildingPrice(int t);
    bool isBuyLand(int y, int x) const;
    int eviction(int y, int x) const;
    void selectRegion(int y, int x, int w, int v, int s);
    void buyTochi();
    void sellTochi();
    int searchNeiLandVal(int yx) const;
    void develop();
    void setFund(int64_t l);
    void addFund(int64_t l);
    void setFund();

    // ---- Plan preview (game/track.cpp, game/land.cpp) ----
    // What the last planning call of extendRail or selectRegion draws, in drawing order: map
    // cell yx and the track bits drawn there in the plan colour (0 for a land region frame).
    std::array<int16_t, CELLS> m_swaPlanYX{};
    std::array<uint8_t, CELLS> m_baPlanBits{};
    int m_iPlanCount = 0;
    void addPlanCell(int y, int x, int bits);

    // ---- Fonts, screen layout and screen composition (screens/layout.cpp, screens/paint.cpp) ----
    void initFont();
    void setScreen();
    void paint(Graphics& g);
    void paintGame();

    // ---- Saved game (game/save.cpp) ----
    // Record sizes: the header alone, and the whole world.
    static constexpr int SAVE_HEADER_BYTES = 37;
    static constexpr int SAVE_RECORD_BYTES = 35081;
    // Writes the local save (bNet = 0), whole (all = 1) or header only; 1 when it was written.
    int saveGame(int all, int bNet);
    // Reads the local save (bNet = 0); 1 when a whole game was taken.
    int loadGame(int all, int bNet);
    // The record of the world as it stands, whole or header only.
    std::vector<int8_t> getSaveRecord(int all) const;
    // Takes a record into the world after checking all of it: 1 a whole game was taken, 0 only
    // the header (and the slots when all = 0), -1 rejected with nothing changed.
    int setSaveRecord(const std::vector<int8_t>& bytes, int all);
    // Arrays in element order, multi-byte elements most significant byte first.
    static void writeDOS(DataOutputStream& dos, const int8_t* a, int n);
    static void writeDOS(DataOutputStream& dos, const int16_t* a, int n);
    static void writeDOS(DataOutputStream& dos, const int32_t* a, int n);
    static void writeDOS(DataOutputStream& dos, const int64_t* a, int n);
    static void readDIS(DataInputStream& dis, int8_t* a, int n);
    static void readDIS(DataInputStream& dis, int16_t* a, int n);
    static void readDIS(DataInputStream& dis, int32_t* a, int n);
    static void readDIS(DataInputStream& dis, int64_t* a, int n);
    template <class T, size_t N>
    static void writeDOS(DataOutputStream& dos, const std::array<T, N>& a) {
        writeDOS(dos, a.data(), static_cast<int>(N));
    }
    template <class T, size_t N>
    static void readDIS(DataInputStream& dis, std::array<T, N>& a) {
        readDIS(dis, a.data(), static_cast<int>(N));
    }

    // ---- Trains and movement (game/trains.cpp) ----
    static int64_t getTrainPrice(int t);
    static int64_t getTrainValue(int t);
    static int64_t getTrainRefund(int t);
    static int advanceTrain_timeRequired(int v, int s);
    int advanceTrain_nextCount() const;
    int advanceTrain(int ms, int64_t ls);
    bool buyTrain();
    bool buyTrain(int n, int t);
    int sellTrain(int n);
    int placeTrain(int n, int y, int x, int v);
    int removeTrain(int n);
    int turnTrain(int n, int v);

    // ---- Timetables (game/schedule.cpp) ----
    int getDiaTime(int ms) const;
    int searchStopStation(int n) const;
    int getPointExit(int y, int x, int m, int v, int t) const;
    void stopAtStation(int n, int st, int t);
    void applyStopRule(int n, int st, int t);

    // ---- Passengers (game/passengers.cpp) ----
    // The buildings around each station, kept for boarding and alighting (not saved).
    std::shared_ptr<struct CatchmentCache> m_pCatchment;
    void holdCatchments(bool on);
    int getTrainP(int n) const;
    void takeTrain(int n, int sms);
    int takeTrain_main(int y, int x, int l, int sms, int pt);
    void trainGetOff(int n, int st);
    int64_t trainGetOff_fares(int n, int st);
    void removePassengerGroup(int n, int k);
    int trainGetOff_main(int s, int t, int p);
    int trainGetOff_main_main(int y, int x, int l, int pt, int pe);
    int absorb(int yx, int typ, int l, int pt, int pe);
    void renewPassenger(int nt);

    // ---- Ranking (online/rank.cpp) ----
    void drawRank();

    // ---- Operations whose rules are not built yet (game/pending.cpp) ----
    int auth();
    void sendRank();

    // ---- 2D map view (screens/map2d.cpp) ----
    int8_t m_bPutTNo = 0;  // train numbers are drawn on the map
    void putMap(Graphics& g);
    void putRail(int sr, int sc, int mask, int color);
    void putRail_main(int y, int x, int dy, int dx, int color);
    void putCursor(Graphics& g);
    void putPlan();
    void drawArrow();
    int renewBlockSize(int step);

    // ---- Map cursor, direction and function keys (screens/cursor.cpp) ----
    // Each returns 1 for select, -1 for cancel, 0 otherwise.
    int checkCursorKey();
    int checkArrowKey();
    void checkFunctionKey();
    void to2D();

    // ---- In-game commands (screens/commands.cpp) ----
    // One frame of the game screen's commands; true when the clock routine follows.
    bool gameFrame();

    // ---- Information panels (screens/panels.cpp) ----
    void putTrainList();
    int checkTrainListKey();
    void putTrainState();
    void putStationState();
    void putBuyTrain();

    // ---- Timetable editors (screens/timetable.cpp) ----
    int m_iDiaPos = 0;  // cursor half-hour; up to 48 past the anchor while one is set
    int m_iDiaPF = -1;  // range anchor, -1 for none
    int m_iDiaPS = 1;   // step width: a block length once a station range was applied
    int checkDiaKey(int iWnd);
    void pointDiaFrame();
    void stationDiaFrame();
    void putDiaMain();
    void putDiaGraduation();
    void putDiaData(const int8_t* asb, int idx);
    void putPointDia();
    void putStationDia();
};
