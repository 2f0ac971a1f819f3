// The saved game: the record's layout byte for byte, saving through a temporary file, and a
// loader that takes a record only when all of it is sound.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "game/MainCanvas.h"
#include "tools/sim/Scenario.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

// Offsets of the fields in the record.
constexpr int kSba = 0, kLoginID = 7, kLoginPass = 22, kSwa = 37, kLa = 57, kTyp = 121, kPrm = 4217,
              kPr2 = 8313, kVal = 12409, kPointDD = 16505, kPointY = 16889, kPointX = 16953,
              kRnd = 17017, kStDD = 25209, kStY = 29049, kStX = 29129, kPDH = 29209, kPDO = 29529,
              kPLM = 29849, kPTM = 30169, kTrY = 30489, kTrX = 30529, kTrV = 30569, kTrC = 30609,
              kSS = 30769, kPaH = 32049, kPaO = 33329, kSP = 34609, kTrTyp = 34769, kClr = 34809,
              kBuyClr = 34969;
constexpr int kWhole = 35081, kHeader = 37;

int cell(int y, int x) {
    return y * 64 + x;
}

Bytes be(int64_t v, int width) {
    Bytes b(static_cast<size_t>(width));
    for (int i = width - 1; i >= 0; i--) {
        b[static_cast<size_t>(i)] = static_cast<uint8_t>(v & 0xFF);
        v >>= 8;
    }
    return b;
}
Bytes be16(int64_t v) {
    return be(v, 2);
}
Bytes be32(int64_t v) {
    return be(v, 4);
}
Bytes be64(int64_t v) {
    return be(v, 8);
}

// A world that uses every kind of record: track with a junction and a bit-7 mask, stations,
// an orphan junction record, trains on and off the map with passengers, negative and wide
// values in every multi-byte array.
void buildWorld(MainCanvas& g) {
    for (int yx = 0; yx < MainCanvas::CELLS; yx++) {
        int kind = yx % 7 == 0 ? 3 : 2;
        int prm = 0;
        if (yx % 11 == 0) {
            kind = 6 + yx % 14;
            prm = yx % 200 - 100;
        }
        g.m_sbaMapTyp[yx] = static_cast<int8_t>(kind);
        g.m_sbaMapPrm[yx] = static_cast<int8_t>(prm);
        g.m_sbaMapPr2[yx] = static_cast<int8_t>(yx % 100);
        g.m_sbaMapVal[yx] = static_cast<int8_t>(yx % 129 - 1);
        g.RndMap[yx] = static_cast<int16_t>((yx * 1237 + 11) % MainCanvas::CELLS);
    }
    g.PointY.fill(-1);
    g.StationY.fill(-1);
    g.TrainY.fill(-2);
    // A horizontal line (10, 10)..(10, 15) with a junction at (10, 12) branching up-right.
    const int masks[] = {4, 68, 70, 68, 68, 64};
    for (int i = 0; i < 6; i++)
        g.setMapTyp(10, 10 + i, 4, masks[i]);
    g.setMapTyp(11, 13, 4, 32);
    g.setMapTyp(20, 20, 4, 0x88);  // reads back negative
    g.PointY[0] = 10;
    g.PointX[0] = 12;
    for (int i = 0; i < 6; i++)
        g.PointDD[static_cast<size_t>(i)] = static_cast<int8_t>(0x81 + i);
    g.PointX[1] = 33;  // a free slot keeps what it held
    g.PointY[2] = 30;  // a record left behind on a cell that lost its branch
    g.PointX[2] = 30;
    // Stations in slots 0 and 2; slot 1 was freed.
    g.setMapTyp(11, 12, 5, 0);
    g.StationY[0] = 11;
    g.StationX[0] = 12;
    g.StationX[1] = 40;
    g.setMapTyp(9, 14, 5, 2);
    g.StationY[2] = 9;
    g.StationX[2] = 14;
    for (int i = 0; i < MainCanvas::STATIONS * 48; i++)
        g.StationDD[static_cast<size_t>(i)] = static_cast<int8_t>((i / 48 + i) % 6);
    for (int i = 0; i < MainCanvas::STATIONS; i++) {
        g.StationPDH[i] = -123456 + i;
        g.StationPDO[i] = 0x12345678 - i;
        g.StationPLM[i] = i * 1000;
        g.StationPTM[i] = -i;
    }
    // Train 0 runs east on the line, train 2 stands west of the junction, train 1 is owned off
    // the map, slot 3 is empty but still carries a group.
    g.TrainY[0] = 10, g.TrainX[0] = 11, g.TrainV[0] = 2, g.TrainC[0] = 1000;
    g.TrainSP[0] = 0, g.TrainTyp[0] = 27, g.TrainClr[0] = 0xFF9999;
    g.TrainY[1] = -1, g.TrainX[1] = 7, g.TrainTyp[1] = 5, g.TrainClr[1] = -1;
    g.TrainY[2] = 10, g.TrainX[2] = 14, g.TrainV[2] = 6, g.TrainC[2] = 271529;
    g.TrainSP[2] = -600000, g.TrainTyp[2] = 0, g.TrainClr[2] = 0x123456;
    g.TrainaSS[0] = 0, g.TrainaPaH[0] = 300, g.TrainaPaO[0] = 12;
    g.TrainaSS[1] = 2, g.TrainaPaH[1] = 5, g.TrainaPaO[1] = 0;
    g.TrainaSS[3 * 16] = 2, g.TrainaPaH[3 * 16] = 7, g.TrainaPaO[3 * 16] = 32767;
    for (int i = 640; i < 1280; i++)
        g.TrainaSS[static_cast<size_t>(i)] = static_cast<int8_t>(i);  // stored as it is
    for (int t = 0; t < MainCanvas::MODELS; t++)
        g.BuyTrainClr[t] = t * 0x010203 - 5;
    g.m_sba = {0, 0, 1, 5, 25, 1, 0};
    g.LoginID = {'p', 'l', 'a', 'y', 'e', 'r', '0', '1'};
    g.LoginPass = {static_cast<int8_t>(0x82), static_cast<int8_t>(0xA0), 'p', 'w'};
    g.m_swa = {4095, 48, 1023, 0, 9, 9, 8, 8, -1, -1};
    g.m_la = {MainCanvas::GAME_START + 123456789,
              -12345678901LL,
              99999,
              4000000000LL,
              777,
              0x0102030405060708LL,
              -1,
              INT64_MIN};
}

// Runs each test in a fresh empty directory, since the save file lives in the working one.
class SaveGameTest : public ::testing::Test {
protected:
    std::unique_ptr<MainCanvas> g = std::make_unique<MainCanvas>();

    void SetUp() override {
        previous_ = fs::current_path();
        dir_ =
            fs::temp_directory_path() / ("valmore-save-" + std::to_string(std::random_device{}()));
        fs::create_directories(dir_);
        fs::current_path(dir_);
        buildWorld(*g);
    }
    void TearDown() override {
        fs::current_path(previous_);
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

    static void writeFile(const Bytes& bytes, const char* name = "savedata.bin") {
        std::ofstream f(name, std::ios::binary);
        f.write(reinterpret_cast<const char*>(bytes.data()),
                static_cast<std::streamsize>(bytes.size()));
    }
    static Bytes readFile(const char* name = "savedata.bin") {
        std::ifstream f(name, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(f), {});
    }
    // Everything a whole record holds of a world, as it stands in memory.
    static Bytes snapshot(const MainCanvas& w) {
        std::vector<int8_t> r = w.getSaveRecord(1);
        return Bytes(r.begin(), r.end());
    }
    // The whole record of the test world.
    Bytes wholeSave() {
        EXPECT_EQ(g->saveGame(1, 0), 1);
        return readFile();
    }

    fs::path previous_;
    fs::path dir_;
};

// One field of the record: where it starts, its element count and width, and an element.
struct Field {
    const char* name;
    int offset;
    int count;
    int width;
    std::function<int64_t(const MainCanvas&, int)> at;
};

#define FIELD(off, arr, width)                                                               \
    Field {                                                                                  \
#arr, off, static_cast < int>(std::tuple_size_v <decltype(MainCanvas::arr)>), width, \
            [](const MainCanvas& w, int i) { return static_cast<int64_t>(w.arr[i]); }        \
    }

}  // namespace

TEST_F(SaveGameTest, WholeRecordIsEveryFieldInOrderBigEndian) {
    const std::vector<Field> fields = {
        FIELD(kSba, m_sba, 1),
        FIELD(kLoginID, LoginID, 1),
        FIELD(kLoginPass, LoginPass, 1),
        FIELD(kSwa, m_swa, 2),
        FIELD(kLa, m_la, 8),
        FIELD(kTyp, m_sbaMapTyp, 1),
        FIELD(kPrm, m_sbaMapPrm, 1),
        FIELD(kPr2, m_sbaMapPr2, 1),
        FIELD(kVal, m_sbaMapVal, 1),
        FIELD(kPointDD, PointDD, 1),
        FIELD(kPointY, PointY, 1),
        FIELD(kPointX, PointX, 1),
        FIELD(kRnd, RndMap, 2),
        FIELD(kStDD, StationDD, 1),
        FIELD(kStY, StationY, 1),
        FIELD(kStX, StationX, 1),
        FIELD(kPDH, StationPDH, 4),
        FIELD(kPDO, StationPDO, 4),
        FIELD(kPLM, StationPLM, 4),
        FIELD(kPTM, StationPTM, 4),
        FIELD(kTrY, TrainY, 1),
        FIELD(kTrX, TrainX, 1),
        FIELD(kTrV, TrainV, 1),
        FIELD(kTrC, TrainC, 4),
        FIELD(kSS, TrainaSS, 1),
        FIELD(kPaH, TrainaPaH, 2),
        FIELD(kPaO, TrainaPaO, 2),
        FIELD(kSP, TrainSP, 4),
        FIELD(kTrTyp, TrainTyp, 1),
        FIELD(kClr, TrainClr, 4),
        FIELD(kBuyClr, BuyTrainClr, 4),
    };
    Bytes file = wholeSave();
    Bytes expected;
    for (const Field& f : fields) {
        ASSERT_EQ(static_cast<int>(expected.size()), f.offset) << f.name;
        for (int i = 0; i < f.count; i++) {
            Bytes e = be(f.at(*g, i), f.width);
            expected.insert(expected.end(), e.begin(), e.end());
        }
    }
    EXPECT_EQ(static_cast<int>(expected.size()), kWhole);
    EXPECT_EQ(file, expected);
}

TEST_F(SaveGameTest, PinnedBytes) {
    g->m_la[0] = MainCanvas::GAME_START;
    Bytes file = wholeSave();
    ASSERT_EQ(file.size(), 35081u);
    EXPECT_EQ(Bytes(file.begin() + 57, file.begin() + 65),
              (Bytes{0x00, 0x00, 0x00, 0x01, 0xCF, 0x7C, 0x58, 0x00}));
    EXPECT_EQ(file[0], 1);
    EXPECT_EQ(file[1], 1);
    EXPECT_EQ(file[kPrm + cell(20, 20)], 0x88);
    EXPECT_EQ(Bytes(file.begin() + kPDH, file.begin() + kPDH + 4), be32(-123456));
    EXPECT_EQ(Bytes(file.begin() + kLa + 56, file.begin() + kLa + 64), be64(INT64_MIN));

    ASSERT_EQ(g->saveGame(0, 0), 1);
    Bytes header = readFile();
    ASSERT_EQ(header.size(), 37u);
    EXPECT_EQ(header[0], 1);
    EXPECT_EQ(header[1], 0);
    EXPECT_EQ(Bytes(header.begin() + kLoginPass, header.begin() + kLoginPass + 5),
              (Bytes{0x82, 0xA0, 'p', 'w', 0}));
}

TEST_F(SaveGameTest, SavingKeepsOnlyThePauseOfTheClockHold) {
    struct Case {
        int8_t hold, kept;
    };
    for (Case c : {Case{5, 1}, Case{2, 0}, Case{1, 1}, Case{0, 0}, Case{4, 0}}) {
        g->m_sba[3] = c.hold;
        for (int all : {0, 1}) {
            g->m_sba[3] = c.hold;
            ASSERT_EQ(g->saveGame(all, 0), 1);
            Bytes file = readFile();
            EXPECT_EQ(file[3], c.kept) << int{c.hold};
            EXPECT_EQ(g->m_sba[3], c.kept) << int{c.hold};
            EXPECT_EQ(file[1], all);
            EXPECT_EQ(g->m_sba[1], all);
            EXPECT_EQ(g->m_sba[0], 1);
        }
    }
}

TEST_F(SaveGameTest, WholeGameRoundTripsAndTheSaveBecomesHeaderOnly) {
    Bytes first = wholeSave();
    auto h = std::make_unique<MainCanvas>();
    ASSERT_EQ(h->loadGame(1, 0), 1);

    // The game now lives in memory; the save holds the header alone.
    Bytes header = readFile();
    ASSERT_EQ(header.size(), 37u);
    EXPECT_EQ(header[0], 1);
    EXPECT_EQ(header[1], 0);
    EXPECT_EQ(Bytes(header.begin() + 2, header.end()),
              Bytes(first.begin() + 2, first.begin() + 37));
    EXPECT_EQ(h->m_sba[1], 0);
    EXPECT_EQ(h->m_la[4], 777);

    ASSERT_EQ(h->saveGame(1, 0), 1);
    EXPECT_EQ(readFile(), first);

    // A second continue finds only the header: nothing changes but the score sent.
    ASSERT_EQ(h->loadGame(1, 0), 1);
    h->m_la[4] = 0;
    const Bytes before = snapshot(*h);
    h->m_la[4] = 777;
    EXPECT_EQ(h->loadGame(1, 0), 0);
    EXPECT_EQ(snapshot(*h), before);
}

TEST_F(SaveGameTest, StartUpTakesTheHeaderAndSlotsOfAWholeSave) {
    Bytes file = wholeSave();
    auto h = std::make_unique<MainCanvas>();
    EXPECT_EQ(h->loadGame(0, 0), 0);
    EXPECT_EQ(h->m_sba, g->m_sba);
    EXPECT_EQ(h->LoginID, g->LoginID);
    EXPECT_EQ(h->LoginPass, g->LoginPass);
    EXPECT_EQ(h->m_swa, g->m_swa);
    for (int i = 0; i < 8; i++)
        EXPECT_EQ(h->m_la[i], i == 4 ? 0 : g->m_la[i]) << i;
    // The map stays as it was, and the save is not touched.
    EXPECT_EQ(h->m_sbaMapTyp, MainCanvas().m_sbaMapTyp);
    EXPECT_EQ(h->StationY, MainCanvas().StationY);
    EXPECT_EQ(readFile(), file);
}

TEST_F(SaveGameTest, HeaderOnlySaveGivesTheLoginFieldsAndNoGame) {
    ASSERT_EQ(g->saveGame(0, 0), 1);
    for (int all : {0, 1}) {
        auto h = std::make_unique<MainCanvas>();
        h->m_swa[1] = 7;
        h->m_la[0] = MainCanvas::GAME_START;
        h->m_la[4] = 5000;
        EXPECT_EQ(h->loadGame(all, 0), 0);
        EXPECT_EQ(h->m_sba, g->m_sba);
        EXPECT_EQ(h->LoginID, g->LoginID);
        EXPECT_EQ(h->LoginPass, g->LoginPass);
        // The record holds no slots, so the ones in memory stay (and no score was sent).
        EXPECT_EQ(h->m_swa[1], 7);
        EXPECT_EQ(h->m_la[0], MainCanvas::GAME_START);
        EXPECT_EQ(h->m_la[4], 0);
        EXPECT_EQ(readFile().size(), 37u);
    }
}

TEST_F(SaveGameTest, MissingSaveLoadsNothing) {
    for (int all : {0, 1}) {
        g->m_la[4] = 777;
        Bytes before = snapshot(*g);
        EXPECT_EQ(g->loadGame(all, 0), 0);
        EXPECT_EQ(g->m_la[4], 0);
        g->m_la[4] = 777;
        EXPECT_EQ(snapshot(*g), before);
        EXPECT_FALSE(fs::exists("savedata.bin"));
    }
}

TEST_F(SaveGameTest, ShortRecordIsRejectedWhole) {
    Bytes whole = wholeSave();
    Bytes header(whole.begin(), whole.begin() + kHeader);
    header[1] = 0;
    struct Case {
        const char* what;
        Bytes bytes;
    };
    std::vector<Case> cases = {
        {"empty", {}},
        {"one byte", {1}},
        {"header cut short", Bytes(header.begin(), header.end() - 1)},
        {"whole flags, header only", Bytes(whole.begin(), whole.begin() + kHeader)},
        {"whole flags, up to the slots", Bytes(whole.begin(), whole.begin() + kTyp)},
        {"whole flags, one byte short", Bytes(whole.begin(), whole.end() - 1)},
    };
    auto h = std::make_unique<MainCanvas>();
    buildWorld(*h);
    h->m_la[0] = MainCanvas::GAME_END;
    const Bytes before = snapshot(*h);
    for (const Case& c : cases) {
        for (int all : {0, 1}) {
            writeFile(c.bytes);
            EXPECT_EQ(h->loadGame(all, 0), 0) << c.what;
            EXPECT_EQ(snapshot(*h), before) << c.what << " all=" << all;
            EXPECT_EQ(readFile(), c.bytes) << c.what;
        }
    }
}

TEST_F(SaveGameTest, BytesAfterAWholeRecordAreIgnored) {
    Bytes whole = wholeSave();
    Bytes longer = whole;
    longer.insert(longer.end(), {1, 2, 3});
    writeFile(longer);
    auto h = std::make_unique<MainCanvas>();
    ASSERT_EQ(h->loadGame(1, 0), 1);
    ASSERT_EQ(h->saveGame(1, 0), 1);
    EXPECT_EQ(readFile(), whole);
}

namespace {

struct Patch {
    int offset;
    Bytes bytes;
};
struct Corruption {
    const char* what;
    std::vector<Patch> patches;
};

Bytes apply(Bytes record, const std::vector<Patch>& patches) {
    for (const Patch& p : patches)
        std::copy(p.bytes.begin(), p.bytes.end(), record.begin() + p.offset);
    return record;
}

}  // namespace

TEST_F(SaveGameTest, RecordBreakingTheWorldsRulesIsRejectedWhole) {
    const Bytes whole = wholeSave();
    const int field = cell(40, 41);  // a field cell with parameter 0
    ASSERT_EQ(g->m_sbaMapTyp[field], 2);
    ASSERT_EQ(g->m_sbaMapPrm[field], 0);
    const int station0 = cell(11, 12), track = cell(10, 10);
    const std::vector<Corruption> cases = {
        {"save flag 2", {{kSba + 0, {2}}}},
        {"whole flag 2", {{kSba + 1, {2}}}},
        {"ranking flag 2", {{kSba + 2, {2}}}},
        {"clock hold with a window count", {{kSba + 3, {3}}}},
        {"speed 0", {{kSba + 4, {0}}}},
        {"speed 26", {{kSba + 4, {26}}}},
        {"3D flag -1", {{kSba + 6, {0xFF}}}},
        {"sweep position 4096", {{kSwa + 0, be16(4096)}}},
        {"sweep position -1", {{kSwa + 0, be16(-1)}}},
        {"view scale 2", {{kSwa + 2, be16(2)}}},
        {"view scale 49", {{kSwa + 2, be16(49)}}},
        {"3D cursor row 1024", {{kSwa + 4, be16(1024)}}},
        {"3D cursor column -1", {{kSwa + 6, be16(-1)}}},
        {"cursor row 64", {{kSwa + 12, be16(64)}}},
        {"cursor column -1", {{kSwa + 14, be16(-1)}}},
        {"screen cursor row off the map", {{kSwa + 16, be16(60)}}},
        {"screen cursor column off the map", {{kSwa + 18, be16(-10)}}},
        {"clock before the start", {{kLa, be64(MainCanvas::GAME_START - 1)}}},
        {"clock past 32-bit hours", {{kLa, be64(int64_t{INT32_MAX} * 3600000)}}},
        {"funds 2^62", {{kLa + 8, be64(int64_t{1} << 62)}}},
        {"funds -2^62", {{kLa + 8, be64(-(int64_t{1} << 62))}}},
        {"running cost a whole unit", {{kLa + 16, be64(100000)}}},
        {"running cost -1", {{kLa + 16, be64(-1)}}},
        {"assets at the 64-bit limit", {{kLa + 24, be64(INT64_MAX)}}},
        {"score sent at the 64-bit limit", {{kLa + 32, be64(INT64_MIN)}}},
        {"cell kind 20", {{kTyp + field, {20}}}},
        {"cell kind -1", {{kTyp + field, {0xFF}}}},
        {"land level -2", {{kVal + field, {0xFE}}}},
        {"track without bits", {{kPrm + track, {0}}}},
        {"track with four bits", {{kPrm + track, {0x0F}}}},
        {"track with three bits and no straight", {{kPrm + track, {0x07}}}},
        {"track with a perpendicular branch", {{kPrm + track, {0x15}}}},
        {"new track cell without bits", {{kTyp + field, {4}}}},
        {"station cell naming slot 80", {{kPrm + station0, {80}}}},
        {"station cell naming slot -1", {{kPrm + station0, {0xFF}}}},
        {"station cell naming a free slot", {{kPrm + station0, {1}}}},
        {"station cell naming another station's slot", {{kPrm + station0, {2}}}},
        {"second cell claiming a station", {{kTyp + field, {5}}}},
        {"station slot on row 64", {{kStY + 0, {64}}}},
        {"station slot on row -2", {{kStY + 0, {0xFE}}}},
        {"station slot on column 64", {{kStX + 0, {64}}}},
        {"station slot whose cell is a field", {{kTyp + station0, {2}}}},
        {"free station slot filled in", {{kStY + 1, {11}}}},
        {"stop rule 6", {{kStDD + 5, {6}}}},
        {"stop rule -1 in a free slot", {{kStDD + 3839, {0xFF}}}},
        {"junction on row 64", {{kPointY + 0, {64}}}},
        {"junction slot -2", {{kPointY + 0, {0xFE}}}},
        {"junction column -1", {{kPointX + 0, {0xFF}}}},
        {"sweep order entry 4096", {{kRnd, be16(4096)}}},
        {"sweep order entry -1", {{kRnd + 2, be16(-1)}}},
        {"sweep order repeats a cell", {{kRnd + 2, be16((0 * 1237 + 11) % 4096)}}},
        {"train slot -3", {{kTrY + 3, {0xFD}}}},
        {"train on row 64", {{kTrY + 0, {64}}}},
        {"train on column 64", {{kTrX + 0, {64}}}},
        {"train direction 8", {{kTrV + 0, {8}}}},
        {"owned train of model 28", {{kTrTyp + 1, {28}}}},
        {"train of model -1", {{kTrTyp + 0, {0xFF}}}},
        {"time in cell -1", {{kTrC, be32(-1)}}},
        {"time in cell past the longest cell", {{kTrC, be32(271530)}}},
        {"stop timer 1", {{kSP, be32(1)}}},
        {"stop timer beyond a day", {{kSP + 8, be32(-86400001)}}},
        {"passengers from station 80", {{kSS + 0, {80}}}},
        {"passengers from station -1", {{kSS + 1, {0xFF}}}},
        {"empty slot's passengers from station 80", {{kSS + 3 * 16, {80}}}},
    };
    auto h = std::make_unique<MainCanvas>();
    h->m_la[4] = 1234;
    h->LoginID[0] = 'z';
    const Bytes before = snapshot(*h);
    for (const Corruption& c : cases) {
        const Bytes bad = apply(whole, c.patches);
        ASSERT_NE(bad, whole) << c.what;
        for (int all : {1, 0}) {
            writeFile(bad);
            EXPECT_EQ(h->loadGame(all, 0), 0) << c.what << " all=" << all;
            EXPECT_EQ(snapshot(*h), before) << c.what << " all=" << all;
            EXPECT_EQ(h->m_la[4], 1234) << c.what;
            EXPECT_EQ(readFile(), bad) << c.what;
        }
    }
}

TEST_F(SaveGameTest, ValuesTheGameCanLeaveAreTaken) {
    const Bytes whole = wholeSave();
    const int field = cell(40, 41);
    const std::vector<Corruption> cases = {
        {"unused half of the passenger origins", {{kSS + 700, {0x7F}}}},
        {"origin beyond the end of the group list", {{kSS + 3, {0xFF}}}},
        {"owned train keeps an old column, direction and times",
         {{kTrX + 1, {0x80}}, {kTrV + 1, {0x7F}}, {kTrC + 4, be32(INT32_MIN)}}},
        {"empty slot keeps anything", {{kTrTyp + 5, {0x80}}, {kTrV + 5, {0x80}}}},
        {"field parameter -1 after a building fell", {{kPrm + field, {0xFF}}}},
        {"arrival counter of a field", {{kPr2 + field, {0x80}}}},
        {"track end pointing off the map", {{kTyp + cell(63, 5), {4}}, {kPrm + cell(63, 5), {1}}}},
        {"train on a cell whose track was removed",
         {{kTyp + cell(10, 11), {0}}, {kPrm + cell(10, 11), {0}}}},
        {"clock after the end, deep debt, the unused money slots",
         {{kLa, be64(MainCanvas::GAME_END + 1)},
          {kLa + 8, be64(-(int64_t{1} << 62) + 1)},
          {kLa + 40, be64(INT64_MAX)}}},
        {"scale limits", {{kSwa + 2, be16(3)}}},
        {"running", {{kSba + 3, {0}}}},
        {"fund window slot with other bits", {{kSba + 5, {3}}}},
        {"3D view with a stale 2D cursor", {{kSba + 6, {1}}, {kSwa + 16, be16(60)}}},
        {"standing a whole day", {{kSP + 8, be32(-86400000)}}},
        {"two trains on one cell", {{kTrX + 2, {11}}}},
        {"negative passenger count", {{kPaH + 2, be16(-5)}}},
    };
    for (const Corruption& c : cases) {
        const Bytes odd = apply(whole, c.patches);
        writeFile(odd);
        auto h = std::make_unique<MainCanvas>();
        EXPECT_EQ(h->loadGame(1, 0), 1) << c.what;
        ASSERT_EQ(h->saveGame(1, 0), 1);
        EXPECT_EQ(readFile(), odd) << c.what;
    }
}

TEST_F(SaveGameTest, FailedWriteKeepsThePreviousSave) {
    const Bytes old = wholeSave();
    // Something that is not a file stands where the new record would be written.
    fs::create_directory("savedata.bin.tmp");
    writeFile({1, 2, 3}, "savedata.bin.tmp/keep");
    g->m_la[1] = 5;
    EXPECT_EQ(g->saveGame(1, 0), 0);
    EXPECT_EQ(g->saveGame(0, 0), 0);
    EXPECT_EQ(readFile(), old);
    EXPECT_EQ(readFile("savedata.bin.tmp/keep"), (Bytes{1, 2, 3}));
}

TEST_F(SaveGameTest, FullDiskKeepsThePreviousSave) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no device that is always full";
    const Bytes old = wholeSave();
    // Every write to the temporary file fails as on a full disk.
    fs::create_symlink("/dev/full", "savedata.bin.tmp");
    g->m_la[1] = 5;
    EXPECT_EQ(g->saveGame(1, 0), 0);
    EXPECT_FALSE(fs::is_symlink("savedata.bin"));
    EXPECT_EQ(readFile(), old);
    EXPECT_FALSE(fs::exists(fs::symlink_status("savedata.bin.tmp")));
}

TEST_F(SaveGameTest, SaveThatCannotReplaceTheFileLeavesNoTemporaryFile) {
    fs::create_directory("savedata.bin");
    writeFile({9}, "savedata.bin/keep");
    EXPECT_EQ(g->saveGame(1, 0), 0);
    EXPECT_FALSE(fs::exists("savedata.bin.tmp"));
    EXPECT_EQ(readFile("savedata.bin/keep"), Bytes{9});
}

TEST_F(SaveGameTest, SuccessfulSaveReplacesAStaleTemporaryFile) {
    writeFile(Bytes(100, 0xEE), "savedata.bin.tmp");
    Bytes file = wholeSave();
    EXPECT_EQ(file.size(), 35081u);
    EXPECT_FALSE(fs::exists("savedata.bin.tmp"));
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator("."))
        entries++;
    EXPECT_EQ(entries, 1);
}

TEST_F(SaveGameTest, ContinueKeepsTheGameWhenTheHeaderCannotBeRewritten) {
    const Bytes whole = wholeSave();
    fs::create_directory("savedata.bin.tmp");
    auto h = std::make_unique<MainCanvas>();
    EXPECT_EQ(h->loadGame(1, 0), 1);
    EXPECT_EQ(h->m_la[1], g->m_la[1]);
    EXPECT_EQ(readFile(), whole);
}

TEST_F(SaveGameTest, NetworkFormsFailAsAnUnansweredRequest) {
    const Bytes whole = wholeSave();
    g->m_sba[3] = 5;
    g->m_sba[1] = 0;
    EXPECT_EQ(g->saveGame(1, 1), 0);
    EXPECT_EQ(g->m_sba[3], 1);  // the flags are set as for every save
    EXPECT_EQ(g->m_sba[1], 1);
    EXPECT_EQ(readFile(), whole);

    auto h = std::make_unique<MainCanvas>();
    h->m_la[4] = 99;
    const Bytes before = snapshot(*h);
    EXPECT_EQ(h->loadGame(1, 1), 0);
    EXPECT_EQ(snapshot(*h), before);
    EXPECT_EQ(readFile(), whole);
}

// A game played through the game's own operations, saved and continued every so often:
// whatever the simulation leaves in the world, the loader takes back unchanged.
TEST_F(SaveGameTest, PlayedGameAlwaysContinues) {
    std::ostringstream refusals;
    std::istringstream start("seed 7\nnewgame\n");
    ASSERT_EQ(Scenario::run(*g, start, refusals, "."), 0) << refusals.str();
    g->m_la[1] = 10000000;  // a rich player, so that every purchase goes through
    std::istringstream script(R"(
        track 30 10 30 40
        track 30 20 36 26
        station 31 12
        station 31 38
        station 33 25
        buytrain 0 5
        placetrain 0 30 11 2
        buytrain 1 20
        placetrain 1 30 30 6
        buytrain 2 27
        placetrain 2 33 23 1
        buytrain 3 0
        point 30 20 10 1
        point 30 20 11 1
        stop 31 12 0 5
        stop 31 12 1 1
        stop 31 38 4 4
        stop 33 25 6 3
    )");
    ASSERT_EQ(Scenario::run(*g, script, refusals, "."), 0) << refusals.str();
    bool carried = false, stood = false;
    for (int round = 0; round < 12; round++) {
        std::istringstream more("run 23");
        ASSERT_EQ(Scenario::run(*g, more, refusals, "."), 0);
        for (int n = 0; n < MainCanvas::TRAINS; n++) {
            carried = carried || g->TrainaPaH[n * 16] + g->TrainaPaO[n * 16] > 0;
            stood = stood || (g->TrainY[n] >= 0 && g->TrainSP[n] < 0);
        }
        ASSERT_EQ(g->saveGame(1, 0), 1);
        const Bytes saved = readFile();
        auto h = std::make_unique<MainCanvas>();
        ASSERT_EQ(h->loadGame(1, 0), 1) << "after " << (round + 1) * 23 << " hours";
        ASSERT_EQ(h->saveGame(1, 0), 1);
        EXPECT_EQ(readFile(), saved);
    }
    // The saves caught passengers aboard and trains standing at stations.
    EXPECT_TRUE(carried);
    EXPECT_TRUE(stood);
}

// Every file of the fuzzing corpus goes through both loads; whatever is taken saves back to
// the very bytes it came from.
TEST_F(SaveGameTest, FuzzCorpusReplays) {
    const fs::path corpus = fs::path(VALMORE_SOURCE_DIR) / "tests" / "fuzz-corpus";
    ASSERT_TRUE(fs::is_directory(corpus));
    int files = 0, loaded = 0;
    for (const auto& entry : fs::directory_iterator(corpus)) {
        files++;
        std::ifstream f(entry.path(), std::ios::binary);
        const Bytes bytes{std::istreambuf_iterator<char>(f), {}};
        writeFile(bytes);
        auto h = std::make_unique<MainCanvas>();
        h->loadGame(0, 0);
        writeFile(bytes);
        if (h->loadGame(1, 0) == 1) {
            loaded++;
            ASSERT_EQ(h->saveGame(1, 0), 1);
            EXPECT_EQ(readFile(), Bytes(bytes.begin(), bytes.begin() + kWhole)) << entry.path();
        }
    }
    EXPECT_GE(files, 4);
    EXPECT_GE(loaded, 1);
}
