// The saved game: one record of the world's arrays in a fixed order, every multi-byte value
// big-endian, kept in the save file of the working directory. A record is the 37-byte header
// (flags and login fields) alone, or the header followed by the whole world.
#include <array>
#include <bit>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "device/Stream.h"
#include "game/MainCanvas.h"

namespace {

// The name the game passes for its one save file.
const char* const kScratchpad = "scratchpad:///0";

// The longest time a train spends in one cell: a diagonal cell of the slowest model.
constexpr int32_t kLongestCellTime = 814587 / 3;
// The longest stand at a station: until the end of a half-hour one day ahead.
constexpr int32_t kLongestStop = 48 * 1800000;
// The game hour number is a 32-bit count; the clock stays below where it would overflow.
constexpr int64_t kLastClock = static_cast<int64_t>(INT32_MAX - 1) * MainCanvas::HOUR_MS;
// Funds, assets and the score sent stay below this, so their sums and the monthly debt
// charge stay within 64 bits.
constexpr int64_t kMoneyLimit = int64_t{1} << 62;

// The world as a record holds it, with the same names as the game object, so that the field
// lists below serve both. Filled from the bytes and checked before any of it is taken.
struct SaveRecord {
    std::array<int8_t, 7> m_sba{};
    std::array<int8_t, 15> LoginID{};
    std::array<int8_t, 15> LoginPass{};
    std::array<int16_t, 10> m_swa{};
    std::array<int64_t, 8> m_la{};
    std::array<int8_t, MainCanvas::CELLS> m_sbaMapTyp{};
    std::array<int8_t, MainCanvas::CELLS> m_sbaMapPrm{};
    std::array<int8_t, MainCanvas::CELLS> m_sbaMapPr2{};
    std::array<int8_t, MainCanvas::CELLS> m_sbaMapVal{};
    std::array<int8_t, MainCanvas::POINTS * 6> PointDD{};
    std::array<int8_t, MainCanvas::POINTS> PointY{};
    std::array<int8_t, MainCanvas::POINTS> PointX{};
    std::array<int16_t, MainCanvas::CELLS> RndMap{};
    std::array<int8_t, MainCanvas::STATIONS * 48> StationDD{};
    std::array<int8_t, MainCanvas::STATIONS> StationY{};
    std::array<int8_t, MainCanvas::STATIONS> StationX{};
    std::array<int32_t, MainCanvas::STATIONS> StationPDH{};
    std::array<int32_t, MainCanvas::STATIONS> StationPDO{};
    std::array<int32_t, MainCanvas::STATIONS> StationPLM{};
    std::array<int32_t, MainCanvas::STATIONS> StationPTM{};
    std::array<int8_t, MainCanvas::TRAINS> TrainY{};
    std::array<int8_t, MainCanvas::TRAINS> TrainX{};
    std::array<int8_t, MainCanvas::TRAINS> TrainV{};
    std::array<int32_t, MainCanvas::TRAINS> TrainC{};
    std::array<int8_t, 1280> TrainaSS{};
    std::array<int16_t, MainCanvas::TRAINS * 16> TrainaPaH{};
    std::array<int16_t, MainCanvas::TRAINS * 16> TrainaPaO{};
    std::array<int32_t, MainCanvas::TRAINS> TrainSP{};
    std::array<int8_t, MainCanvas::TRAINS> TrainTyp{};
    std::array<int32_t, MainCanvas::TRAINS> TrainClr{};
    std::array<int32_t, MainCanvas::MODELS> BuyTrainClr{};
};

// Calls f on each header field in record order; with two worlds, on each pair of fields.
template <class F, class... W>
void forHeader(F&& f, W&... w) {
    f(w.m_sba...);
    f(w.LoginID...);
    f(w.LoginPass...);
}

// Calls f on each field after the header in record order; with two worlds, on each pair.
template <class F, class... W>
void forBody(F&& f, W&... w) {
    f(w.m_swa...);
    f(w.m_la...);
    f(w.m_sbaMapTyp...);
    f(w.m_sbaMapPrm...);
    f(w.m_sbaMapPr2...);
    f(w.m_sbaMapVal...);
    f(w.PointDD...);
    f(w.PointY...);
    f(w.PointX...);
    f(w.RndMap...);
    f(w.StationDD...);
    f(w.StationY...);
    f(w.StationX...);
    f(w.StationPDH...);
    f(w.StationPDO...);
    f(w.StationPLM...);
    f(w.StationPTM...);
    f(w.TrainY...);
    f(w.TrainX...);
    f(w.TrainV...);
    f(w.TrainC...);
    f(w.TrainaSS...);
    f(w.TrainaPaH...);
    f(w.TrainaPaO...);
    f(w.TrainSP...);
    f(w.TrainTyp...);
    f(w.TrainClr...);
    f(w.BuyTrainClr...);
}

bool within(int64_t v, int64_t lo, int64_t hi) {
    return v >= lo && v <= hi;
}

bool onMap(int v) {
    return within(v, 0, MainCanvas::MAP - 1);
}

// Both flags of a record that holds the whole world.
bool isWhole(const SaveRecord& r) {
    return r.m_sba[0] == 1 && r.m_sba[1] == 1;
}

// The header: the save flags, the ranking flag, the clock hold (a save keeps only the pause
// bit) and the 3D view flag 0 or 1, and a speed 1..25. The fund window slot is read by its bit
// 0 alone; the login fields are text the player typed and may hold any bytes.
bool checkHeader(const SaveRecord& r) {
    for (int i : {0, 1, 2, 3, 6}) {
        if (!within(r.m_sba[i], 0, 1)) return false;
    }
    return within(r.m_sba[4], 1, 25);
}

// The view slots: sweep position, scale, 3D cursor and the map cursor cell, which the
// commands act on. In the 2D view the commands also find it as screen cell plus scroll
// offset; the 3D view recentres those when it is left, so there they may be stale.
bool checkSlots(const SaveRecord& r) {
    const auto& s = r.m_swa;
    const bool cursor2D = r.m_sba[6] != 0 || (onMap(s[4] + s[8]) && onMap(s[5] + s[9]));
    return within(s[0], 0, MainCanvas::CELLS - 1) && within(s[1], 3, 48) && within(s[2], 0, 1023) &&
           within(s[3], 0, 1023) && onMap(s[6]) && onMap(s[7]) && cursor2D;
}

// The clock never runs back before the start of a game; money stays far from overflow; the
// running-cost accumulator keeps only what is left below one whole unit.
bool checkMoneyAndClock(const SaveRecord& r) {
    const auto& l = r.m_la;
    for (int i : {1, 3, 4}) {
        if (!within(l[i], -kMoneyLimit + 1, kMoneyLimit - 1)) return false;
    }
    return within(l[0], MainCanvas::GAME_START, kLastClock) && within(l[2], 0, 99999);
}

// A track mask as track building leaves it: one to three bits, and three bits only as an
// opposite pair with one bit 45 degrees off it.
bool isTrackMask(int m) {
    m &= 0xFF;
    int bits = std::popcount(static_cast<unsigned>(m));
    if (bits < 1 || bits > 3) return false;
    if (bits < 3) return true;
    int low = m & -m;
    return MainCanvas::checkAddPoint(low, m ^ low) == m;
}

// Map layers, junction slots and the sweep order.
bool checkMap(const SaveRecord& r) {
    for (int yx = 0; yx < MainCanvas::CELLS; yx++) {
        int kind = r.m_sbaMapTyp[yx];
        if (!within(kind, 0, 19) || r.m_sbaMapVal[yx] < -1) return false;
        if (kind == 4 && !isTrackMask(r.m_sbaMapPrm[yx])) return false;
        if (kind == 5) {
            // A station cell names the slot that is taken for exactly this cell.
            int i = r.m_sbaMapPrm[yx];
            if (!within(i, 0, MainCanvas::STATIONS - 1)) return false;
            if (r.StationY[i] != yx / MainCanvas::MAP || r.StationX[i] != yx % MainCanvas::MAP)
                return false;
        }
    }
    for (int j = 0; j < MainCanvas::POINTS; j++) {
        if (r.PointY[j] == -1) continue;
        if (!onMap(r.PointY[j]) || !onMap(r.PointX[j])) return false;
    }
    // The sweep order is a shuffle of every cell, each exactly once.
    std::vector<bool> seen(MainCanvas::CELLS, false);
    for (int16_t c : r.RndMap) {
        if (!within(c, 0, MainCanvas::CELLS - 1) || seen[static_cast<size_t>(c)]) return false;
        seen[static_cast<size_t>(c)] = true;
    }
    return true;
}

// Station slots: a taken slot stands on a station cell that names it; every stop rule is one
// of the six codes the timetable editor writes.
bool checkStations(const SaveRecord& r) {
    for (int i = 0; i < MainCanvas::STATIONS; i++) {
        if (r.StationY[i] == -1) continue;
        if (!onMap(r.StationY[i]) || !onMap(r.StationX[i])) return false;
        int yx = r.StationY[i] * MainCanvas::MAP + r.StationX[i];
        if (r.m_sbaMapTyp[yx] != 5 || r.m_sbaMapPrm[yx] != i) return false;
    }
    for (int8_t rule : r.StationDD) {
        if (!within(rule, 0, 5)) return false;
    }
    return true;
}

// Train slots: empty, owned off the map, or on a map cell; an owned train has a model; a
// train on the map has a direction, a time in its cell and a stand no longer than a train can
// have; every passenger group aboard names a station slot as its origin.
bool checkTrains(const SaveRecord& r) {
    for (int n = 0; n < MainCanvas::TRAINS; n++) {
        int y = r.TrainY[n];
        if (y != -2 && y != -1 && !onMap(y)) return false;
        if (y >= -1 && !within(r.TrainTyp[n], 0, MainCanvas::MODELS - 1)) return false;
        if (y >= 0) {
            if (!onMap(r.TrainX[n]) || !within(r.TrainV[n], 0, 7)) return false;
            if (!within(r.TrainC[n], 0, kLongestCellTime)) return false;
            if (!within(r.TrainSP[n], -kLongestStop, 0)) return false;
        }
        // Groups travel with the slot, so an empty slot may carry them too.
        for (int k = 0; k < 16; k++) {
            int g = n * 16 + k;
            if (r.TrainaPaH[g] == 0 && r.TrainaPaO[g] == 0) break;
            if (!within(r.TrainaSS[g], 0, MainCanvas::STATIONS - 1)) return false;
        }
    }
    return true;
}

// Reads the save file whole, up to one record; false when there is no file to read.
bool readSaveFile(std::vector<int8_t>& bytes) {
    DataInputStream dis = Connector::openDataInputStream(J_String(kScratchpad));
    if (dis.m_h == nullptr) return false;
    bytes.assign(MainCanvas::SAVE_RECORD_BYTES, 0);
    int n = 0;
    while (n < MainCanvas::SAVE_RECORD_BYTES) {
        int got = dis._read(bytes.data() + n, MainCanvas::SAVE_RECORD_BYTES - n);
        if (got <= 0) break;
        n += got;
    }
    bytes.resize(static_cast<size_t>(n));
    dis.close();
    return true;
}

// Writes the bytes to a file beside the save and renames it over the save only once every
// byte was written and the file closed, so a failed write or a crash during the write leaves
// the previous save whole.
bool replaceSaveFile(const std::vector<int8_t>& bytes) {
    const std::string target = Connector::SCRATCHPAD_FILE;
    const std::string temp = target + ".tmp";
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (f == nullptr) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fflush(f) == 0 && ok;
    ok = std::fclose(f) == 0 && ok;
    std::error_code ec;
    if (ok) std::filesystem::rename(temp, target, ec);
    if (!ok || ec) {
        std::filesystem::remove(temp, ec);
        return false;
    }
    return true;
}

}  // namespace

void MainCanvas::writeDOS(DataOutputStream& dos, const int8_t* a, int n) {
    dos.write(a, n);
}

void MainCanvas::writeDOS(DataOutputStream& dos, const int16_t* a, int n) {
    for (int i = 0; i < n; i++)
        dos.writeShort(a[i]);
}

void MainCanvas::writeDOS(DataOutputStream& dos, const int32_t* a, int n) {
    for (int i = 0; i < n; i++)
        dos.writeInt(a[i]);
}

void MainCanvas::writeDOS(DataOutputStream& dos, const int64_t* a, int n) {
    for (int i = 0; i < n; i++)
        dos.writeLong(a[i]);
}

void MainCanvas::readDIS(DataInputStream& dis, int8_t* a, int n) {
    dis._read(a, n);
}

void MainCanvas::readDIS(DataInputStream& dis, int16_t* a, int n) {
    for (int i = 0; i < n; i++)
        a[i] = dis.readShort();
}

void MainCanvas::readDIS(DataInputStream& dis, int32_t* a, int n) {
    for (int i = 0; i < n; i++)
        a[i] = dis.readInt();
}

void MainCanvas::readDIS(DataInputStream& dis, int64_t* a, int n) {
    for (int i = 0; i < n; i++)
        a[i] = dis.readLong();
}

// The record of the world as it stands: the header, then for a whole record every array.
std::vector<int8_t> MainCanvas::getSaveRecord(int all) const {
    DataOutputStream dos;
    auto put = [&dos](const auto& a) { writeDOS(dos, a); };
    forHeader(put, *this);
    if (all != 0) forBody(put, *this);
    return dos.toByteArray();
}

// Checks a record completely and only then takes it. A header-only record gives the flags and
// the login fields; a whole one also the view and money slots and, when all = 1, the world.
int MainCanvas::setSaveRecord(const std::vector<int8_t>& bytes, int all) {
    if (bytes.size() < static_cast<size_t>(SAVE_HEADER_BYTES)) return -1;
    auto rec = std::make_unique<SaveRecord>();
    DataInputStream dis(bytes);
    auto get = [&dis](auto& a) { readDIS(dis, a); };
    forHeader(get, *rec);
    if (!checkHeader(*rec)) return -1;
    const bool whole = isWhole(*rec);
    if (whole) {
        if (bytes.size() < static_cast<size_t>(SAVE_RECORD_BYTES)) return -1;
        forBody(get, *rec);
        if (!checkSlots(*rec) || !checkMoneyAndClock(*rec) || !checkMap(*rec) ||
            !checkStations(*rec) || !checkTrains(*rec))
            return -1;
    }
    auto take = [](auto& to, const auto& from) { to = from; };
    const SaveRecord& from = *rec;
    forHeader(take, *this, from);
    if (whole) {
        m_swa = from.m_swa;
        m_la = from.m_la;
    }
    if (!whole || all == 0) {
        // No game continues from this record: no score has been sent for the next one.
        m_la[4] = 0;
        return 0;
    }
    forBody(take, *this, from);
    return 1;
}

// Saves the game: the flags first (only the player's pause survives; the record says whether
// it is whole), then the record, locally as the save file.
int MainCanvas::saveGame(int all, int bNet) {
    m_sba[3] = static_cast<int8_t>(m_sba[3] & 1);
    m_sba[0] = 1;
    m_sba[1] = static_cast<int8_t>(all != 0 ? 1 : 0);
    // The online upload belongs to the service client; without it the upload fails as an
    // unanswered request does: nothing is sent.
    if (bNet != 0) return 0;
    return replaceSaveFile(getSaveRecord(all)) ? 1 : 0;
}

// Loads the local save. A whole game taken from it now lives in memory only: the save is
// rewritten as the header alone until the game is saved again on leaving it.
int MainCanvas::loadGame(int all, int bNet) {
    // The online download belongs to the service client; without it the download fails as an
    // unanswered request does: nothing arrives and nothing changes.
    if (bNet != 0) return 0;
    std::vector<int8_t> bytes;
    if (!readSaveFile(bytes)) {
        // No save yet: nothing to continue and no score sent.
        m_la[4] = 0;
        return 0;
    }
    int r = setSaveRecord(bytes, all);
    if (r < 0) return 0;
    if (r == 1) saveGame(0, 0);
    return r;
}
