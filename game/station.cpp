// Stations: building and removing them at the cursor, and the distance that fares pay for.
#include "device/Math.h"
#include "game/MainCanvas.h"

// Builds a station at the cursor cell in the lowest free slot and pays for it: 20,000, of
// which 16,000 is booked as assets, plus the land when the player does not own it yet.
// Returns the slot, or -1 when every slot is taken or the cell cannot hold a station (track,
// a station, off the map); then nothing changes.
int MainCanvas::constructStation() {
    const int cy = m_swa[6];
    const int cx = m_swa[7];
    const int typ = getMapTyp(cy, cx);
    if (typ < 0 || typ == 4 || typ == 5) return -1;
    const int i = searchFreeStation();
    if (i < 0) return -1;
    StationY[i] = static_cast<int8_t>(cy);
    StationX[i] = static_cast<int8_t>(cx);
    for (int s = 0; s < 48; s++)
        StationDD[i * 48 + s] = 2;
    StationPLM[i] = 0;
    StationPTM[i] = 0;
    if (typ != 0) {
        const int land = getLandValue(cy, cx);
        m_la[3] += land;
        addFund(-land);
    }
    setMapTyp(cy, cx, 5, i);
    m_la[3] += 16000;
    addFund(-20000);
    return i;
}

// Removes the station at the cursor cell for 1,000; the land stays owned and the slot keeps
// its schedule and counters until a new station takes it. Returns 1, or 0 when the cell
// holds no station.
int MainCanvas::removeStation() {
    const int cy = m_swa[6];
    const int cx = m_swa[7];
    if (getMapTyp(cy, cx) != 5) return 0;
    const int i = searchStationIndex(cy, cx);
    if (i >= 0) StationY[i] = -1;
    setMapTyp(cy, cx, 0, 0);
    addFund(-1000);
    return 1;
}

// Distance in whole cells between the cells of stations a and b; 0 for a slot number
// outside the table.
int MainCanvas::distance(int a, int b) const {
    if (a < 0 || a >= STATIONS || b < 0 || b >= STATIONS) return 0;
    const int dy = StationY[a] - StationY[b];
    const int dx = StationX[a] - StationX[b];
    return Math::sqrt(dy * dy + dx * dx);
}
