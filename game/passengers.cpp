// Passengers: the buildings around a station board a train when its stop ends, alight into
// the buildings around stations far enough from where they boarded, pay fares and raise the
// stations' demand; every hour the buildings' counters recover and neglected buildings decay.
#include <algorithm>
#include <cstring>
#include <memory>

#include "game/MainCanvas.h"

namespace {

constexpr int kGroups = 16;
constexpr int kRings = 15;
constexpr int kFull = 250;    // passengers aboard beyond which a ring gives only its first cell
constexpr int kFareDist = 6;  // the shortest ride, in cells, on which anyone alights

// Boarding weight of each hour of the day.
constexpr int kHourWeight[24] = {15, 5,  2,  1,  5,  10, 30, 40, 50, 40, 20, 10,
                                 10, 10, 10, 10, 15, 25, 35, 40, 40, 30, 25, 20};

// One cell of a station's catchment: its offset, its ring, and the row step it belongs to
// (numbered through the whole catchment in walking order).
struct CatchCell {
    int8_t dy, dx, l;
    int16_t step;
};

constexpr int kCatchCells = 2 * kRings * (kRings + 1);  // ring l holds 4l cells

// The catchment in walking order: ring by ring, each ring from the row below the station to
// the row above it, the left cell of a row before the right one.
struct Catchment {
    CatchCell c[kCatchCells]{};
    int ringStart[kRings + 2]{};
    constexpr Catchment() {
        int i = 0;
        int16_t step = 0;
        for (int l = 1; l <= kRings; l++) {
            ringStart[l] = i;
            for (int dy = -l; dy <= l; dy++, step++) {
                const int e = l - (dy < 0 ? -dy : dy);
                c[i++] = {static_cast<int8_t>(dy), static_cast<int8_t>(-e), static_cast<int8_t>(l),
                          step};
                if (e != 0) {
                    c[i++] = {static_cast<int8_t>(dy), static_cast<int8_t>(e),
                              static_cast<int8_t>(l), step};
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

// The cell index of (y, x), or -1 off the map.
int cellAt(int y, int x) {
    return static_cast<unsigned>(y) < 64u && static_cast<unsigned>(x) < 64u ? y * 64 + x : -1;
}

// The hour's weight and whether it is the building kind's quiet time (homes after noon and in
// the small hours, offices in the morning).
struct HourOfBoarding {
    int weight;
    bool quiet[2];
    // A clock before 1970 never arises in play; its hour is still kept inside the day.
    explicit HourOfBoarding(int hour) : HourOfBoarding(hour % 24 + (hour % 24 < 0 ? 24 : 0), 0) {}

private:
    HourOfBoarding(int h, int)
        : weight(kHourWeight[h]), quiet{h <= 2 || h >= 12, h >= 3 && h <= 11} {}
};

// What building cell yx of level lv in ring l sends as passengers of kind pt, in sixteenths
// weighted by level; raises its boarding counter.
int boardingShare(MainCanvas& g, int yx, int lv, int l, const HourOfBoarding& h, int pt) {
    int b = h.weight;
    b = b * (g.RND_get(50) + 200) / 200;
    b = b * (100 - g.m_sbaMapPrm[yx]) / 100;
    b = b * (16 - l) / 16;
    if (h.quiet[pt]) b /= 16;
    g.m_sbaMapPrm[yx] = static_cast<int8_t>(g.m_sbaMapPrm[yx] + b);
    return b * (1 << lv) * (lv + 1);  // levels are 0..6
}

}  // namespace

// The buildings of each station's catchment, in walking order. Boarding and alighting look at
// up to 480 cells, of which only the buildings take part; the list is made again for a station
// when a cell of its catchment changes kind or the station's slot moves to another cell, so
// reading it gives what walking the cells would.
struct CatchmentCache {
    struct Entry {
        int16_t yx;
        int16_t step;    // row step of the catchment walk
        int8_t l;        // ring
        bool gapBefore;  // a cell that is no building lies between the previous building of
                         // the ring (or the ring's start) and this one
    };
    struct List {
        int y = -1, x = -1;
        bool valid = false;
        int ringStart[kRings + 2]{};
        Entry e[kCatchCells];
    };
    int8_t typ[MainCanvas::CELLS]{};  // the cell kinds the lists were made from
    bool primed = false;
    bool still = false;  // the kinds cannot change: the trains are moving
    List list[MainCanvas::STATIONS];

    // The list of station slot s standing at (sy, sx) on the map kinds typNow.
    const List& get(const int8_t* typNow, int s, int sy, int sx) {
        if (!still) follow(typNow);
        List& c = list[s];
        if (c.valid && c.y == sy && c.x == sx) return c;
        c.y = sy;
        c.x = sx;
        c.valid = true;
        int n = 0;
        for (int l = 1; l <= kRings; l++) {
            c.ringStart[l] = n;
            bool gap = false;
            for (int i = kCatch.ringStart[l]; i < kCatch.ringStart[l + 1]; i++) {
                const int yx = cellAt(sy + kCatch.c[i].dy, sx + kCatch.c[i].dx);
                if (yx < 0 || typNow[yx] < 6 || typNow[yx] > 19) {
                    gap = true;
                    continue;
                }
                c.e[n++] = {static_cast<int16_t>(yx), kCatch.c[i].step, kCatch.c[i].l, gap};
                gap = false;
            }
        }
        c.ringStart[kRings + 1] = n;
        return c;
    }

    // Takes in the kinds as they are now; a station within 15 cells of a changed cell loses
    // its list.
    void follow(const int8_t* typNow) {
        if (!primed) {
            std::memcpy(typ, typNow, sizeof typ);
            primed = true;
            return;
        }
        if (std::memcmp(typ, typNow, sizeof typ) == 0) return;
        for (int yx = 0; yx < MainCanvas::CELLS; yx++) {
            if (typ[yx] == typNow[yx]) continue;
            typ[yx] = typNow[yx];
            const int y = yx / 64;
            const int x = yx % 64;
            for (List& c : list) {
                const int d = (c.y > y ? c.y - y : y - c.y) + (c.x > x ? c.x - x : x - c.x);
                if (d <= kRings) c.valid = false;
            }
        }
    }
};

// The building list of station s's catchment, kept up to date with the map.
static const CatchmentCache::List& catchmentOf(MainCanvas& g, int s) {
    if (!g.m_pCatchment) g.m_pCatchment = std::make_shared<CatchmentCache>();
    return g.m_pCatchment->get(g.m_sbaMapTyp.data(), s, g.StationY[s], g.StationX[s]);
}

// While the trains move nothing changes a cell's kind (boarding and alighting change only the
// buildings' counters), so the station lists are checked against the map once for the whole
// movement step instead of at every stop.
void MainCanvas::holdCatchments(bool on) {
    if (!m_pCatchment) m_pCatchment = std::make_shared<CatchmentCache>();
    m_pCatchment->still = false;
    if (on) {
        m_pCatchment->follow(m_sbaMapTyp.data());
        m_pCatchment->still = true;
    }
}

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
    const CatchmentCache::List& c = catchmentOf(*this, st);
    const HourOfBoarding hour(getHour(sms) % 24);
    int h = 0;
    int o = 0;
    for (int l = 1; l <= kRings; l++) {
        for (int i = c.ringStart[l]; i < c.ringStart[l + 1]; i++) {
            const CatchmentCache::Entry& e = c.e[i];
            // The fullness test runs at every cell, those that give nothing included, and
            // counts the last share twice, as the rule has it. Between buildings the sums do
            // not change, so one test stands for a run of other cells.
            if (e.gapBefore && aboard + ((o + h) >> 4) >= kFull) break;
            const int typ = m_sbaMapTyp[e.yx];
            int b = isResidential(typ) ? boardingShare(*this, e.yx, typ - 6, l, hour, 0) : 0;
            h += b;
            if (aboard + ((o + h + b) >> 4) >= kFull) break;
            b = isOffice(typ) ? boardingShare(*this, e.yx, typ - 13, l, hour, 1) : 0;
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
    const int yx = cellAt(y, x);
    const int typ = yx < 0 ? -1 : m_sbaMapTyp[yx];
    if (pt == 0 && isResidential(typ))
        return boardingShare(*this, yx, typ - 6, l, HourOfBoarding(getHour(sms) % 24), 0);
    if (pt == 1 && isOffice(typ))
        return boardingShare(*this, yx, typ - 13, l, HourOfBoarding(getHour(sms) % 24), 1);
    return 0;
}

// Alighting from train n at station st: every group that boarded at least 6 cells away leaves
// what the station's buildings absorb, pays its fare and raises both stations' counts and
// demand; a group back at its own station gets off without paying and lowers that demand.
void MainCanvas::trainGetOff(int n, int st) {
    addFund(trainGetOff_fares(n, st));
}

// The alighting of trainGetOff without the payment: returns the fares the groups owe. The
// movement step pays what a whole pass collects at once, as nothing reads the funds meanwhile.
int64_t MainCanvas::trainGetOff_fares(int n, int st) {
    int64_t fares = 0;
    if (n < 0 || n >= TRAINS || st < 0 || st >= STATIONS) return fares;
    int k = 0;
    while (k < kGroups) {
        const int g = n * kGroups + k;
        const int h = TrainaPaH[g];
        const int o = TrainaPaO[g];
        if (h + o == 0) break;
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
        fares += static_cast<int64_t>(d) * (hOff + oOff) / 5;
        if (TrainaPaH[g] != 0 || TrainaPaO[g] != 0) {
            k++;
        } else {
            removePassengerGroup(n, k);
        }
    }
    return fares;
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
    const CatchmentCache::List& c = catchmentOf(*this, s);
    int r = p;
    // Everyone placed is checked at the end of each row step; only buildings change r, so the
    // check before a building of a later step is the check at the end of the steps between.
    int step = 0;
    for (int i = 0; i < c.ringStart[kRings + 1]; i++) {
        const CatchmentCache::Entry& e = c.e[i];
        if (e.step > step && r == 0) return p;
        r -= absorb(e.yx, m_sbaMapTyp[e.yx], e.l, t, r);
        step = e.step;
    }
    return p - r;
}

// How many of pe passengers of kind pt the building at (y, x) in ring l takes in; 0 for any
// other cell.
int MainCanvas::trainGetOff_main_main(int y, int x, int l, int pt, int pe) {
    const int yx = cellAt(y, x);
    const int typ = yx < 0 ? -1 : m_sbaMapTyp[yx];
    if (typ < 6 || typ > 19) return 0;
    return absorb(yx, typ, l, pt, pe);
}

// How many of pe passengers of kind pt building cell yx of kind typ takes in, by its free room,
// level and distance; people mostly go to the other kind of building (homes to offices and
// back), so a building of their own kind takes a sixteenth.
int MainCanvas::absorb(int yx, int typ, int l, int pt, int pe) {
    const int kind = isResidential(typ) ? 0 : 1;
    const int lv = kind == 0 ? typ - 6 : typ - 13;
    const int w = 1 << lv;  // levels are 0..6
    int a = (100 - m_sbaMapPr2[yx]) * w;
    a = a * (16 - l) / 16;
    if (a > pe) a = pe;
    if (kind == pt) a /= 16;
    // a / w, truncating toward zero, by shifts: w is a power of two.
    const int q = (a + ((a >> 31) & (w - 1))) >> lv;
    m_sbaMapPr2[yx] = static_cast<int8_t>(m_sbaMapPr2[yx] + q);
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
