// Passengers: the buildings around a station board a train when its stop ends, alight into
// the buildings around stations far enough from where they boarded, pay fares and raise the
// stations' demand; every hour the buildings' counters recover and neglected buildings decay.
#include <algorithm>

#include "game/MainCanvas.h"

namespace {

constexpr int kGroups = 16;
constexpr int kRings = 15;
constexpr int kFull = 250;    // passengers aboard beyond which a ring gives only its first cell
constexpr int kFareDist = 6;  // the shortest ride, in cells, on which anyone alights

// Boarding weight of each hour of the day.
constexpr int kHourWeight[24] = {15, 5,  2,  1,  5,  10, 30, 40, 50, 40, 20, 10,
                                 10, 10, 10, 10, 15, 25, 35, 40, 40, 30, 25, 20};

// One cell of a station's catchment: its offset, its ring and whether it ends a row step.
struct CatchCell {
    int8_t dy, dx, l;
    bool stepEnd;
};

constexpr int kCatchCells = 2 * kRings * (kRings + 1);  // ring l holds 4l cells

// The catchment in walking order: ring by ring, each ring from the row below the station to
// the row above it, the left cell of a row before the right one.
struct Catchment {
    CatchCell c[kCatchCells]{};
    int ringStart[kRings + 2]{};
    constexpr Catchment() {
        int i = 0;
        for (int l = 1; l <= kRings; l++) {
            ringStart[l] = i;
            for (int dy = -l; dy <= l; dy++) {
                const int e = l - (dy < 0 ? -dy : dy);
                c[i++] = {static_cast<int8_t>(dy), static_cast<int8_t>(-e), static_cast<int8_t>(l),
                          e == 0};
                if (e != 0) {
                    c[i++] = {static_cast<int8_t>(dy), static_cast<int8_t>(e),
                              static_cast<int8_t>(l), true};
                }
            }
        }
        ringStart[kRings + 1] = i;
    }
};

constexpr Catchment kCatch;

bool isResidential(int typ) {
    return typ >= 6 && typ <= 12;
}

bool isOffice(int typ) {
    return typ >= 13 && typ <= 19;
}

}  // namespace

// Passengers aboard train n: every group's residential- and office-origin counts.
int MainCanvas::getTrainP(int n) const {
    if (n < 0 || n >= TRAINS) return 0;
    int p = 0;
    for (int k = 0; k < kGroups; k++)
        p += TrainaPaH[n * kGroups + k] + TrainaPaO[n * kGroups + k];
    return p;
}

// Boarding when train n's stop ends at elapsed time sms: the buildings within 15 cells of the
// station beside it form one new passenger group, ring by ring, until the train is full.
void MainCanvas::takeTrain(int n, int sms) {
    if (n < 0 || n >= TRAINS) return;
    int k = 0;
    int aboard = 0;
    while (k < kGroups && (TrainaPaH[n * kGroups + k] != 0 || TrainaPaO[n * kGroups + k] != 0)) {
        aboard += TrainaPaH[n * kGroups + k] + TrainaPaO[n * kGroups + k];
        k++;
    }
    if (k == kGroups) return;
    const int st = searchStopStation(n);
    // With no station beside the train (removed during the stop, or the train turned away
    // from it) there is nowhere to board from, and no group may name a missing station.
    if (st < 0) return;
    const int g = n * kGroups + k;
    TrainaSS[g] = static_cast<int8_t>(st);
    const int sy = StationY[st];
    const int sx = StationX[st];
    int h = 0;
    int o = 0;
    for (int l = 1; l <= kRings; l++) {
        for (int i = kCatch.ringStart[l]; i < kCatch.ringStart[l + 1]; i++) {
            const int y = sy + kCatch.c[i].dy;
            const int x = sx + kCatch.c[i].dx;
            const int typ = getMapTyp(y, x);
            // The fullness test also runs where a cell gives nothing; it counts the last share
            // twice, as the rule has it.
            int b = isResidential(typ) ? takeTrain_main(y, x, l, sms, 0) : 0;
            h += b;
            if (aboard + ((o + h + b) >> 4) >= kFull) break;
            b = isOffice(typ) ? takeTrain_main(y, x, l, sms, 1) : 0;
            o += b;
            if (aboard + ((o + h + b) >> 4) >= kFull) break;
        }
    }
    TrainaPaH[g] = static_cast<int16_t>(h >> 4);
    TrainaPaO[g] = static_cast<int16_t>(o >> 4);
}

// What the building at (y, x) in ring l sends to a departing train as passengers of kind pt
// (0 from homes, 1 from offices), in sixteenths weighted by its level; 0 for any other cell.
// Homes send their people in the morning, offices from noon; each sends a sixteenth otherwise.
int MainCanvas::takeTrain_main(int y, int x, int l, int sms, int pt) {
    const int typ = getMapTyp(y, x);
    int lv;
    if (pt == 0 && isResidential(typ)) {
        lv = typ - 6;
    } else if (pt == 1 && isOffice(typ)) {
        lv = typ - 13;
    } else {
        return 0;
    }
    const int hour = getHour(sms) % 24;
    int b = kHourWeight[hour];
    b = b * (RND_get(50) + 200) / 200;
    b = b * (100 - getMapPrm(y, x)) / 100;
    b = b * (16 - l) / 16;
    if ((pt == 1 && hour >= 3 && hour <= 11) || (pt == 0 && (hour <= 2 || hour >= 12))) b /= 16;
    addMapPrm(y, x, b);
    return b * pow_2(lv) * (lv + 1);
}

// Alighting from train n at station st: every group that boarded at least 6 cells away leaves
// what the station's buildings absorb, pays its fare and raises both stations' counts and
// demand; a group back at its own station gets off without paying and lowers that demand.
void MainCanvas::trainGetOff(int n, int st) {
    if (n < 0 || n >= TRAINS || st < 0 || st >= STATIONS) return;
    int k = 0;
    while (k < kGroups) {
        const int g = n * kGroups + k;
        const int h = TrainaPaH[g];
        const int o = TrainaPaO[g];
        if (h + o == 0) return;
        const int from = TrainaSS[g];
        // Groups only ever name a station slot; one that names none has nowhere to pay or
        // count, so it leaves without a fare.
        if (from < 0 || from >= STATIONS) {
            removePassengerGroup(n, k);
            continue;
        }
        const int d = distance(from, st);
        if (st == from) {
            StationPDH[from] = std::max(0, StationPDH[from] - h);
            StationPDO[from] = std::max(0, StationPDO[from] - o);
            removePassengerGroup(n, k);
            continue;
        }
        if (d < kFareDist) {
            k++;
            continue;
        }
        const int hOff = trainGetOff_main(st, 0, h);
        const int oOff = trainGetOff_main(st, 1, o);
        TrainaPaH[g] = static_cast<int16_t>(TrainaPaH[g] - hOff);
        TrainaPaO[g] = static_cast<int16_t>(TrainaPaO[g] - oOff);
        StationPTM[from] += hOff + oOff;
        StationPTM[st] += hOff + oOff;
        StationPDH[from] += hOff;
        StationPDH[st] += oOff;
        StationPDO[from] += oOff;
        StationPDO[st] += hOff;
        addFund(static_cast<int64_t>(d) * (hOff + oOff) / 5);
        if (TrainaPaH[g] != 0 || TrainaPaO[g] != 0) {
            k++;
        } else {
            removePassengerGroup(n, k);
        }
    }
}

// Drops group k of train n: the later groups move down one place and the last one's counts
// become 0 (its origin byte stays as it was).
void MainCanvas::removePassengerGroup(int n, int k) {
    const int base = n * kGroups;
    for (int i = k; i < kGroups - 1; i++) {
        TrainaSS[base + i] = TrainaSS[base + i + 1];
        TrainaPaH[base + i] = TrainaPaH[base + i + 1];
        TrainaPaO[base + i] = TrainaPaO[base + i + 1];
    }
    TrainaPaH[base + kGroups - 1] = 0;
    TrainaPaO[base + kGroups - 1] = 0;
}

// How many of p passengers of kind t the buildings around station s absorb, nearest rings
// first, stopping once everyone has found a place.
int MainCanvas::trainGetOff_main(int s, int t, int p) {
    if (s < 0 || s >= STATIONS) return 0;
    const int sy = StationY[s];
    const int sx = StationX[s];
    int r = p;
    for (int i = 0; i < kCatchCells; i++) {
        const CatchCell& c = kCatch.c[i];
        const int y = sy + c.dy;
        const int x = sx + c.dx;
        const int typ = getMapTyp(y, x);
        if (typ >= 6 && typ <= 19) r -= trainGetOff_main_main(y, x, c.l, t, r);
        if (c.stepEnd && r == 0) return p;
    }
    return p - r;
}

// How many of pe passengers of kind pt the building at (y, x) in ring l takes in, by its free
// room, level and distance; people mostly go to the other kind of building (homes to offices
// and back), so a building of their own kind takes a sixteenth.
int MainCanvas::trainGetOff_main_main(int y, int x, int l, int pt, int pe) {
    const int typ = getMapTyp(y, x);
    if (typ < 6 || typ > 19) return 0;
    const int kind = isResidential(typ) ? 0 : 1;
    const int lv = kind == 0 ? typ - 6 : typ - 13;
    int a = (100 - getMapPr2(y, x)) * pow_2(lv);
    a = a * (16 - l) / 16;
    if (a > pe) a = pe;
    if (kind == pt) a /= 16;
    addMapPr2(y, x, a / pow_2(lv));
    return a;
}

// The hourly recovery of every building, row by row: arrival and boarding counters fall back
// toward 0; at the start of hour 0 a building nobody has boarded from may revert to field
// (odds growing with its neglect count) and its neglect count grows.
void MainCanvas::renewPassenger(int nt) {
    for (int yx = 0; yx < CELLS; yx++) {
        const int typ = m_sbaMapTyp[yx];
        if (typ < 6 || typ > 19) continue;
        const int y = yx / MAP;
        const int x = yx % MAP;
        int a = m_sbaMapPr2[yx];
        a += -a / 8 - 8;
        m_sbaMapPr2[yx] = static_cast<int8_t>(a < 0 ? 0 : a);
        const int c = m_sbaMapPrm[yx];
        if (c > 0) {
            const int nc = c + -c / 8 - 8;
            m_sbaMapPrm[yx] = static_cast<int8_t>(nc < 0 ? 0 : nc);
        } else if (nt == 0) {
            const int limit = isResidential(typ) ? -6 : -13;
            if (RND_get(3000) < -c) setMapTyp(y, x, 2, 0);
            // Read again after the draw, in this order: a building that has just become a field
            // holds 0, which is above the limit, so the field's parameter ends at -1.
            if (getMapPrm(y, x) > limit) addMapPrm(y, x, -1);
        }
    }
}
