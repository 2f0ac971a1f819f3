// Timetables: the half-hour of the day, the station beside a train, the switch a junction
// sets for a passing train and the stop rule a station gives it.
#include "game/MainCanvas.h"

namespace {

constexpr int64_t kSlotMs = 1800000;
constexpr int64_t kDayMs = 86400000;
constexpr int kSlots = 48;
constexpr int kShortStop = -600000;

}  // namespace

// The half-hour slot of the day (0..47) at game time m_la[0] + ms.
int MainCanvas::getDiaTime(int ms) const {
    const int s = static_cast<int>((m_la[0] + ms) / 1000 / 60 / 30 % kSlots);
    // A clock before 1970 never arises in play; keep the slot an index all the same.
    return s < 0 ? s + kSlots : s;
}

// The station whose cell lies beside train n: first on its right-hand side (direction + 2),
// then on its left; -1 when there is none or the train is not on the map.
int MainCanvas::searchStopStation(int n) const {
    if (n < 0 || n >= TRAINS || TrainY[n] < 0) return -1;
    const int y = TrainY[n];
    const int x = TrainX[n];
    const int r = (TrainV[n] + 2) & 7;
    const int s = searchStationIndex(y + getVY(r), x + getVX(r));
    if (s != -1) return s;
    const int l = (TrainV[n] + 6) & 7;
    return searchStationIndex(y + getVY(l), x + getVX(l));
}

// The exit a train takes from the junction cell (y, x) of mask m that it entered heading v, at
// elapsed time t of the movement step. Its own direction comes first, then 45 degrees left,
// then right; only a train with two exits reads the junction's switch for the half-hour.
int MainCanvas::getPointExit(int y, int x, int m, int v, int t) const {
    v &= 7;
    const int cand[3] = {v, (v + 7) & 7, (v + 1) & 7};
    int a = -1;
    int b = -1;
    for (int c : cand) {
        if ((m & (1 << c)) == 0) continue;
        if (a < 0) {
            a = c;
        } else if (b < 0) {
            b = c;
        }
    }
    // Entered from a side that is none of the junction's bits: no exit lies ahead, so the
    // train keeps its heading and the look-ahead decides whether it turns back.
    if (a < 0) return v;
    if (b < 0) return a;
    const int j = searchPointIndex(y, x);
    // A junction cell with no record has no timetable: it is set straight.
    if (j < 0) return a;
    return toBitFromASB(PointDD.data(), j * kSlots + getDiaTime(t)) ? b : a;
}

// Applies the stop rule of station st to train n, which has just run in beside it at elapsed
// time t: passengers alight, then the train stands ten minutes, waits for the next departure
// (turning back for the turn-back rule) or runs through.
void MainCanvas::stopAtStation(int n, int st, int t) {
    trainGetOff(n, st);
    applyStopRule(n, st, t);
}

// The stop rule alone: sets train n's stop timer, and turns it for the turn-back rule, by the
// rule of station st for the half-hour of elapsed time t.
void MainCanvas::applyStopRule(int n, int st, int t) {
    if (n < 0 || n >= TRAINS || st < 0 || st >= STATIONS) return;
    const int s = getDiaTime(t);
    const int r = StationDD[st * kSlots + s];
    if (r == 2) {
        TrainSP[n] = kShortStop;
        return;
    }
    if (r == 3) return;
    // The next half-hour with a departure mark, looking at most one whole day ahead; a mark
    // found on a later day keeps its slot number above 47.
    int k = s;
    bool found = false;
    for (int i = 0; i < kSlots; i++, k++) {
        if (StationDD[st * kSlots + k % kSlots] & 4) {
            found = true;
            break;
        }
    }
    int64_t sp = kShortStop;
    if (found) {
        sp = (m_la[0] + t) % kDayMs - static_cast<int64_t>(k + 1) * kSlotMs;
        if (sp > kShortStop) sp = kShortStop;
    }
    // With no departure mark anywhere in the day the train makes a ten-minute stop.
    TrainSP[n] = static_cast<int32_t>(sp);
    if ((r & 3) == 1) TrainV[n] = static_cast<int8_t>((TrainV[n] + 4) & 7);
}
