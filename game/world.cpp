// The world's accessors, slot searches and the setup of a new world.
#include "game/MainCanvas.h"

namespace {

bool onMap(int y, int x) {
    return y >= 0 && y < MainCanvas::MAP && x >= 0 && x < MainCanvas::MAP;
}

int cell(int y, int x) {
    return y * MainCanvas::MAP + x;
}

}  // namespace

int MainCanvas::m_b2IME = 0;
J_String MainCanvas::m_sIME;
std::array<int, MainCanvas::KEYS> MainCanvas::m_iaKA{};
std::array<int8_t, MainCanvas::KEYS> MainCanvas::m_sbaKey{};

MainCanvas::MainCanvas() = default;

// Cell kind; -1 off the map, so neighbours beyond the edge have no kind.
int MainCanvas::getMapTyp(int y, int x) const {
    return onMap(y, x) ? m_sbaMapTyp[cell(y, x)] : -1;
}

// Kind parameter (track mask, station slot, boarding counter); -1 off the map.
int MainCanvas::getMapPrm(int y, int x) const {
    return onMap(y, x) ? m_sbaMapPrm[cell(y, x)] : -1;
}

// Arrival counter of a building; -1 off the map.
int MainCanvas::getMapPr2(int y, int x) const {
    return onMap(y, x) ? m_sbaMapPr2[cell(y, x)] : -1;
}

// Land value level; -1 off the map.
int MainCanvas::getMapVal(int y, int x) const {
    return onMap(y, x) ? m_sbaMapVal[cell(y, x)] : -1;
}

// Changes a cell's kind and parameter; the land level and the assets stay as they are.
void MainCanvas::setMapTyp(int y, int x, int t, int p) {
    if (!onMap(y, x)) return;
    m_sbaMapTyp[cell(y, x)] = static_cast<int8_t>(t);
    m_sbaMapPrm[cell(y, x)] = static_cast<int8_t>(p);
}

void MainCanvas::setMapPrm(int y, int x, int p) {
    if (onMap(y, x)) m_sbaMapPrm[cell(y, x)] = static_cast<int8_t>(p);
}

void MainCanvas::setMapPr2(int y, int x, int p) {
    if (onMap(y, x)) m_sbaMapPr2[cell(y, x)] = static_cast<int8_t>(p);
}

void MainCanvas::addMapPrm(int y, int x, int a) {
    if (onMap(y, x)) setMapPrm(y, x, m_sbaMapPrm[cell(y, x)] + a);
}

void MainCanvas::addMapPr2(int y, int x, int a) {
    if (onMap(y, x)) setMapPr2(y, x, m_sbaMapPr2[cell(y, x)] + a);
}

// Sets a cell's land level; on land the player owns, the asset total follows the price.
void MainCanvas::setMapVal(int yx, int v) {
    int t = m_sbaMapTyp[yx];
    if (t == 0 || t == 4 || t == 5) {
        m_la[3] -= pow_2_8(m_sbaMapVal[yx]) / 4;
        m_la[3] += pow_2_8(v) / 4;
    }
    m_sbaMapVal[yx] = static_cast<int8_t>(v);
}

void MainCanvas::addMapVal(int yx, int a) {
    setMapVal(yx, m_sbaMapVal[yx] + a);
}

// The lowest train slot standing on the cell; -1 off the map or when none.
int MainCanvas::getMapTrain(int y, int x) const {
    if (!onMap(y, x)) return -1;
    for (int n = 0; n < TRAINS; n++) {
        if (TrainY[n] == y && TrainX[n] == x) return n;
    }
    return -1;
}

// The lowest junction slot at the cell. Free slots keep a stale column, so they never match.
int MainCanvas::searchPointIndex(int y, int x) const {
    if (!onMap(y, x)) return -1;
    for (int j = 0; j < POINTS; j++) {
        if (PointY[j] != -1 && PointY[j] == y && PointX[j] == x) return j;
    }
    return -1;
}

int MainCanvas::searchPointIndex() const {
    return searchPointIndex(m_swa[4] + m_swa[8], m_swa[5] + m_swa[9]);
}

// The lowest station slot at the cell; free slots never match.
int MainCanvas::searchStationIndex(int y, int x) const {
    if (!onMap(y, x)) return -1;
    for (int i = 0; i < STATIONS; i++) {
        if (StationY[i] != -1 && StationY[i] == y && StationX[i] == x) return i;
    }
    return -1;
}

int MainCanvas::searchStationIndex() const {
    return searchStationIndex(m_swa[4] + m_swa[8], m_swa[5] + m_swa[9]);
}

int MainCanvas::searchFreePoint() const {
    for (int j = 0; j < POINTS; j++) {
        if (PointY[j] == -1) return j;
    }
    return -1;
}

int MainCanvas::searchFreeStation() const {
    for (int i = 0; i < STATIONS; i++) {
        if (StationY[i] == -1) return i;
    }
    return -1;
}

int MainCanvas::searchFreeTrain() const {
    for (int n = 0; n < TRAINS; n++) {
        if (TrainY[n] == -2) return n;
    }
    return -1;
}

// Sets up a new world: start values, a generated map, empty tables and the model colours.
void MainCanvas::newGame() {
    m_sba[2] = 0;
    m_sba[4] = 12;
    m_la[0] = GAME_START;
    m_la[3] = 0;
    m_swa[8] = m_swa[9] = -1;
    m_swa[1] = 7;
    m_swa[4] = m_swa[5] = 9;
    m_swa[6] = m_swa[7] = 8;
    m_swa[2] = m_swa[3] = 136;
    setFund(100000);
    m_swa[0] = 0;
    m_la[2] = 0;
    createMap();
    TrainY.fill(-2);
    PointY.fill(-1);
    StationY.fill(-1);
    for (int t = 0; t < MODELS; t++) {
        BuyTrainClr[t] =
            0xFFFFFF - (t % 3) * 0x222200 - ((t / 3) % 3) * 0x220022 - (t / 9) * 0x2222;
    }
}
