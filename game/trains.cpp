// Trains: the 28 models, buying, selling, placing, turning and removing a train, and the
// movement step that runs every train on the map from event to event.
#include <bit>
#include <climits>
#include <cstring>

#include "device/Platform.h"
#include "game/MainCanvas.h"

namespace {

constexpr uint32_t kBudgetMs = 50;  // real time one frame may spend moving trains
constexpr int64_t kNever = INT64_MAX;
constexpr int kStraightCell = 576000;
constexpr int kDiagonalCell = 814587;  // 576,000 x sqrt(2), rounded
constexpr int kCostUnit = 100000;      // running cost is counted in hundred-thousandths
constexpr int kMoveCharge = 500;       // placing or removing a train

bool onMap(int y, int x) {
    return y >= 0 && y < MainCanvas::MAP && x >= 0 && x < MainCanvas::MAP;
}

// Bits set in the low 8 bits of a track mask, from a table: the build targets no particular
// processor, and a call per cell entered shows in the running time.
struct BitCounts {
    uint8_t n[256]{};
    constexpr BitCounts() {
        for (int m = 0; m < 256; m++)
            n[m] = static_cast<uint8_t>(std::popcount(static_cast<unsigned>(m)));
    }
};
constexpr BitCounts kBits;

int bitCount(int m) {
    return kBits.n[m & 0xFF];
}

// The running state of one call of the movement step. Instead of adding every sub-step to
// every train, each train on the map keeps the elapsed time of its next event (entering a cell
// or ending a stop) and the time up to which its TrainC, TrainSP and running cost are counted;
// a train is brought up to date only at its own events and when the call ends. The sums are
// the same integers the sub-steps would add one by one.
class TrainPass {
public:
    explicit TrainPass(MainCanvas& g) : g_(g) {
        std::memset(stationAt_, -1, sizeof stationAt_);
        for (int i = MainCanvas::STATIONS - 1; i >= 0; i--) {
            // The lowest slot wins a shared cell, as searchStationIndex finds it.
            if (g.StationY[i] != -1 && onMap(g.StationY[i], g.StationX[i]))
                stationAt_[g.StationY[i] * MainCanvas::MAP + g.StationX[i]] =
                    static_cast<int8_t>(i);
        }
        g.holdCatchments(true);
        std::memset(trainsAt_, 0, sizeof trainsAt_);
        for (int n = 0; n < MainCanvas::TRAINS; n++) {
            since_[n] = 0;
            due_[n] = kNever;
            if (g.TrainY[n] < 0) continue;
            const int s = g.TrainTyp[n] + 3;
            cell_[n][0] = MainCanvas::advanceTrain_timeRequired(0, s);
            cell_[n][1] = MainCanvas::advanceTrain_timeRequired(1, s);
            if (onMap(g.TrainY[n], g.TrainX[n]))
                trainsAt_[g.TrainY[n] * MainCanvas::MAP + g.TrainX[n]]++;
            schedule(n, 0);
        }
    }

    ~TrainPass() { g_.holdCatchments(false); }
    TrainPass(const TrainPass&) = delete;
    TrainPass& operator=(const TrainPass&) = delete;

    // Elapsed time of the earliest event of any train; kNever with no train on the map.
    int64_t nextEvent() const {
        int64_t m = kNever;
        for (int n = 0; n < MainCanvas::TRAINS; n++)
            m = due_[n] < m ? due_[n] : m;
        return m;
    }

    // Runs, in slot order, the events of every train due by elapsed time t, the sub-step
    // having begun at prev. Returns the earliest event after them, and sets hit when a train
    // ran into another one.
    int64_t runEvents(int t, int prev, bool& hit) {
        int64_t m = kNever;
        for (int n = 0; n < MainCanvas::TRAINS; n++) {
            if (due_[n] <= t && event(n, t, prev)) hit = true;
            m = due_[n] < m ? due_[n] : m;
        }
        return m;
    }

    // Brings every train still on the map up to elapsed time t; returns the fares collected.
    int64_t finish(int t) {
        for (int n = 0; n < MainCanvas::TRAINS; n++) {
            if (due_[n] != kNever) settle(n, t);
        }
        return fares_;
    }

private:
    MainCanvas& g_;
    int8_t stationAt_[MainCanvas::CELLS];  // lowest station slot at each cell, -1 none
    uint8_t trainsAt_[MainCanvas::CELLS];  // trains standing on each cell
    int64_t due_[MainCanvas::TRAINS];
    int since_[MainCanvas::TRAINS];
    int cell_[MainCanvas::TRAINS][2];  // cell time straight and diagonal
    int64_t fares_ = 0;                // paid once the pass is over

    int cellTime(int n, int v) const { return cell_[n][v & 1]; }

    // Runs the event of train n at elapsed time t. Returns true when the train ran into
    // another one.
    bool event(int n, int t, int prev) {
        const bool standing = g_.TrainSP[n] < 0;
        settle(n, t);
        if (standing) {
            // The stop timer has just reached 0: passengers board and the train runs on.
            g_.takeTrain(n, t);
            schedule(n, t);
            return false;
        }
        const bool hit = enterCell(n, t, prev);
        if (!hit) schedule(n, t);
        return hit;
    }

    // Adds the time since the train was last counted to its stop timer, or while it runs, to
    // its time in the cell and to the running cost.
    void settle(int n, int t) {
        const int dt = t - since_[n];
        since_[n] = t;
        if (dt == 0) return;
        if (g_.TrainSP[n] < 0) {
            g_.TrainSP[n] += dt;
        } else {
            g_.TrainC[n] += dt;
            g_.m_la[2] += static_cast<int64_t>(dt) * (g_.TrainTyp[n] + 2);
        }
    }

    // The elapsed time of train n's next event, counted from t.
    void schedule(int n, int t) {
        if (g_.TrainSP[n] < 0) {
            due_[n] = t - static_cast<int64_t>(g_.TrainSP[n]);
        } else {
            due_[n] = t + static_cast<int64_t>(cellTime(n, g_.TrainV[n])) - g_.TrainC[n];
        }
    }

    // The station beside train n, as searchStopStation finds it; the station table does not
    // change while the trains move, so the cell index answers in one look.
    int stationBeside(int n) const {
        const int y = g_.TrainY[n];
        const int x = g_.TrainX[n];
        const int r = (g_.TrainV[n] + 2) & 7;
        const int s = stationAt(y + MainCanvas::getVY(r), x + MainCanvas::getVX(r));
        if (s != -1) return s;
        const int l = (g_.TrainV[n] + 6) & 7;
        return stationAt(y + MainCanvas::getVY(l), x + MainCanvas::getVX(l));
    }

    int stationAt(int y, int x) const {
        return onMap(y, x) ? stationAt_[y * MainCanvas::MAP + x] : -1;
    }

    // Takes train n off the map by a collision; it is counted up to elapsed time t.
    void destroy(int n, int t) {
        settle(n, t);
        due_[n] = kNever;
        if (onMap(g_.TrainY[n], g_.TrainX[n]))
            trainsAt_[g_.TrainY[n] * MainCanvas::MAP + g_.TrainX[n]]--;
        g_.TrainY[n] = -2;
    }

    // Train n, whose time in its cell is up, moves one cell on: a collision, or the junction,
    // bend and station of the new cell and a look at the track ahead.
    bool enterCell(int n, int t, int prev) {
        const int v = g_.TrainV[n] & 7;
        const int c = cellTime(n, v);
        const int y = g_.TrainY[n];
        const int x = g_.TrainX[n];
        const int ny = y + MainCanvas::getVY(v);
        const int nx = x + MainCanvas::getVX(v);
        if (!onMap(ny, nx)) {
            // Track never leads off the map; should a train face the edge all the same, it
            // turns back where it stands rather than leave the map.
            g_.TrainC[n] -= c;
            g_.TrainV[n] = static_cast<int8_t>((v + 4) & 7);
            return false;
        }
        const int to = ny * MainCanvas::MAP + nx;
        if (trainsAt_[to] != 0) {
            for (int k = 0; k < MainCanvas::TRAINS; k++) {
                if (g_.TrainY[k] != ny || g_.TrainX[k] != nx) continue;
                // A train later in the slot order has not yet taken this sub-step.
                destroy(k, k < n ? t : prev);
                J_String msg("衝突事故(");
                msg += static_cast<int32_t>(nx);
                msg += ",";
                msg += static_cast<int32_t>(ny);
                msg += ")";
                g_.putMsg(msg, 1000);
                destroy(n, t);
                g_.m_sba[3] = 1;
                return true;
            }
        }
        if (onMap(y, x)) trainsAt_[y * MainCanvas::MAP + x]--;
        trainsAt_[to]++;
        g_.TrainY[n] = static_cast<int8_t>(ny);
        g_.TrainX[n] = static_cast<int8_t>(nx);
        g_.TrainC[n] -= c;

        const int m = g_.m_sbaMapPrm[to] & 0xFF;
        const int bits = bitCount(m);
        bool turned = false;
        bool bend = false;
        if (bits == 3) {
            const int w = g_.getPointExit(ny, nx, m, v, t);
            g_.TrainV[n] = static_cast<int8_t>(w);
            turned = w != v;
        } else if (bits == 2 && (m & (1 << v)) == 0) {
            // Follow the bend: the track direction nearest the heading, the lower one on a tie.
            int best = -1;
            for (int d = 0; d < 8; d++) {
                if ((m & (1 << d)) == 0) continue;
                if (best < 0 || MainCanvas::diffVector(d, v) < MainCanvas::diffVector(best, v))
                    best = d;
            }
            g_.TrainV[n] = static_cast<int8_t>(best);
            bend = true;
        }
        if (!bend && !turned) {
            const int st = stationBeside(n);
            if (st != -1) {
                fares_ += g_.trainGetOff_fares(n, st);
                g_.applyStopRule(n, st, t);
            }
        }
        // A train never runs onto a track end or off the track: it turns back here instead.
        const int w = g_.TrainV[n] & 7;
        const int ay = ny + MainCanvas::getVY(w);
        const int ax = nx + MainCanvas::getVX(w);
        const int ahead = onMap(ay, ax) ? ay * MainCanvas::MAP + ax : -1;
        if (ahead < 0 || g_.m_sbaMapTyp[ahead] != 4 || bitCount(g_.m_sbaMapPrm[ahead]) == 1)
            g_.TrainV[n] = static_cast<int8_t>((v + 4) & 7);
        g_.m_bRepaint = 1;
        return false;
    }
};

}  // namespace

// Price of model t: 20,000 for model 0, 10,000 more for each faster model.
int64_t MainCanvas::getTrainPrice(int t) {
    return static_cast<int64_t>(t + 2) * 10000;
}

// Book value a train of model t adds to the assets while the player owns it.
int64_t MainCanvas::getTrainValue(int t) {
    return getTrainPrice(t) * 8 / 10;
}

// What selling a train of model t brings back.
int64_t MainCanvas::getTrainRefund(int t) {
    return getTrainPrice(t) * 7 / 10;
}

// Game milliseconds a train with speed number s needs to cross a cell heading v; diagonal cells
// take sqrt(2) times as long. Speed numbers run from 3 to 30; anything lower counts as 1, so
// the time is never a division by zero.
int MainCanvas::advanceTrain_timeRequired(int v, int s) {
    if (s < 1) s = 1;
    return (v & 1) ? kDiagonalCell / s : kStraightCell / s;
}

// Length of the next sub-step: the time until the first train on the map ends its stop or its
// time in the cell; INT_MAX with no train on the map.
int MainCanvas::advanceTrain_nextCount() const {
    int64_t m = INT_MAX;
    for (int n = 0; n < TRAINS; n++) {
        if (TrainY[n] < 0) continue;
        const int64_t r =
            TrainSP[n] < 0
                ? -static_cast<int64_t>(TrainSP[n])
                : static_cast<int64_t>(advanceTrain_timeRequired(TrainV[n], TrainTyp[n] + 3)) -
                      TrainC[n];
        if (r < m) m = r;
    }
    return static_cast<int>(m);
}

// Moves every train on the map through up to ms game milliseconds, from one train event to the
// next, and charges the running cost. Stops early once 50 ms of real time have passed since ls
// (read at the start of the frame) or after a collision. Returns the game time covered.
int MainCanvas::advanceTrain(int ms, int64_t ls) {
    TrainPass pass(*this);
    int t = 0;
    int end = ms;
    int64_t next = pass.nextEvent();
    while (t < end) {
        // Measured modulo 2^32 like the platform clock, so its wrap-around cannot stall a frame.
        if (timeGetTime() - static_cast<uint32_t>(ls) >= kBudgetMs) break;
        int64_t d = next - t;
        // A train turned onto a shorter cell time than it has already spent leaves at once.
        if (d < 0) d = 0;
        if (d > end - t) d = end - t;
        const int prev = t;
        t += static_cast<int>(d);
        bool hit = false;
        next = pass.runEvents(t, prev, hit);
        // After a collision the pass still ends for every train, then the call stops.
        if (hit) end = 0;
    }
    // The fares and the running cost settle together: nothing reads the funds while the
    // trains move, so the sum is what paying each fare on the way would leave.
    const int64_t fares = pass.finish(t);
    addFund(fares - m_la[2] / kCostUnit);
    m_la[2] %= kCostUnit;
    return t;
}

// Buys the model chosen in the purchase window into the selected slot of the train list.
bool MainCanvas::buyTrain() {
    return buyTrain(m_iTrainS + m_iTrainC, m_iBuyTrain);
}

// Buys a train of model t into the empty slot n, in the model's current colour, when funds and
// assets together cover the price. False, with nothing changed, otherwise.
bool MainCanvas::buyTrain(int n, int t) {
    if (n < 0 || n >= TRAINS || TrainY[n] != -2 || t < 0 || t >= MODELS) return false;
    if (m_la[1] + m_la[3] < getTrainPrice(t)) return false;
    TrainY[n] = -1;
    TrainTyp[n] = static_cast<int8_t>(t);
    TrainClr[n] = BuyTrainClr[t];
    m_la[3] += getTrainValue(t);
    addFund(-getTrainPrice(t));
    return true;
}

// Sells the train in slot n, which must be owned and off the map; its passengers stay in the
// slot. Returns 1, or 0 when refused.
int MainCanvas::sellTrain(int n) {
    if (n < 0 || n >= TRAINS || TrainY[n] != -1) return 0;
    const int t = TrainTyp[n];
    TrainY[n] = -2;
    m_la[3] -= getTrainValue(t);
    addFund(getTrainRefund(t));
    return 1;
}

// Puts the owned train n, off the map, on the free track cell (y, x) heading v, one of the
// cell's track directions, for 500. Returns 1, or 0 when refused.
int MainCanvas::placeTrain(int n, int y, int x, int v) {
    if (n < 0 || n >= TRAINS || TrainY[n] != -1) return 0;
    if (getMapTyp(y, x) != 4 || getMapTrain(y, x) != -1) return 0;
    if (v < 0 || v > 7 || (getMapPrm(y, x) & (1 << v)) == 0) return 0;
    TrainY[n] = static_cast<int8_t>(y);
    TrainX[n] = static_cast<int8_t>(x);
    TrainV[n] = static_cast<int8_t>(v);
    TrainC[n] = 0;
    TrainSP[n] = 0;
    addFund(-kMoveCharge);
    return 1;
}

// Takes train n off the map for 500; it stays owned with its passengers. Returns 1, or 0 when
// the train is not on the map.
int MainCanvas::removeTrain(int n) {
    if (n < 0 || n >= TRAINS || TrainY[n] < 0) return 0;
    TrainY[n] = -1;
    addFund(-kMoveCharge);
    return 1;
}

// Points train n on the map in direction v: its own direction or a track direction of its
// cell. Its time in the cell and any stop go on as they were. Returns 1, or 0 when refused.
int MainCanvas::turnTrain(int n, int v) {
    if (n < 0 || n >= TRAINS || TrainY[n] < 0 || v < 0 || v > 7) return 0;
    const int y = TrainY[n];
    const int x = TrainX[n];
    const int m = getMapTyp(y, x) == 4 ? getMapPrm(y, x) : 0;
    if (v != TrainV[n] && (m & (1 << v)) == 0) return 0;
    TrainV[n] = static_cast<int8_t>(v);
    return 1;
}
