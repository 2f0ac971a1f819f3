// Scenario scripts through the interpreter of the simulation tool: the shipped scenarios play
// to the end of the game with the figures they are known for (the busy one, minutes long under
// the sanitizers, on request), their worlds save and load unchanged, and every command the game
// would refuse is reported and changes nothing.
#include "tools/sim/Scenario.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "game/MainCanvas.h"
#include "game_fixture.h"

namespace {

using Bytes = std::vector<int8_t>;

std::string readScenario(const char* name) {
    std::ifstream in(std::string(VALMORE_SOURCE_DIR) + "/scenarios/" + name);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes readFile(const char* name) {
    std::ifstream in(name, std::ios::binary);
    std::string s((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return Bytes(s.begin(), s.end());
}

int trainsOnMap(const MainCanvas& g) {
    int n = 0;
    for (int i = 0; i < MainCanvas::TRAINS; i++)
        n += g.TrainY[i] >= 0;
    return n;
}

int stationsBuilt(const MainCanvas& g) {
    int n = 0;
    for (int i = 0; i < MainCanvas::STATIONS; i++)
        n += g.StationY[i] != -1;
    return n;
}

int junctionsBuilt(const MainCanvas& g) {
    int n = 0;
    for (int j = 0; j < MainCanvas::POINTS; j++)
        n += g.PointY[j] != -1;
    return n;
}

// The game object, fresh in its own working directory, with a real-time clock that stands
// still so that the trains' budget of real time never runs out.
class ScenarioTest : public GameFixture {
protected:
    std::string refusals;

    // Runs script text on the game; returns the number of commands refused.
    int run(const std::string& text) {
        std::istringstream in(text);
        std::ostringstream err;
        const int n = Scenario::run(*g, in, err, dir.string());
        refusals += err.str();
        return n;
    }

    // The whole world as a save holds it, with the random sequence, which a save leaves out.
    Bytes world() const {
        Bytes b = g->getSaveRecord(1);
        for (int32_t v : {g->RND_type, g->RND_count}) {
            for (int k = 0; k < 4; k++)
                b.push_back(static_cast<int8_t>(v >> (8 * k)));
        }
        return b;
    }
};

struct Figures {
    int64_t funds, assets;
    int trains, stations, junctions;
};

void expectFigures(const MainCanvas& g, const Figures& f) {
    EXPECT_EQ(g.m_la[0], MainCanvas::GAME_END);
    EXPECT_EQ(g.m_la[1], f.funds);
    EXPECT_EQ(g.m_la[3], f.assets);
    EXPECT_EQ(trainsOnMap(g), f.trains);
    EXPECT_EQ(stationsBuilt(g), f.stations);
    EXPECT_EQ(junctionsBuilt(g), f.junctions);
}

// Saves the game, loads the save into a new game object and checks that it saves back to the
// same bytes.
void expectSaveLoadSave(MainCanvas& g) {
    ASSERT_EQ(g.saveGame(1, 0), 1);
    const Bytes saved = readFile("savedata.bin");
    ASSERT_EQ(saved.size(), 35081u);
    auto h = std::make_unique<MainCanvas>();
    ASSERT_EQ(h->loadGame(1, 0), 1);
    ASSERT_EQ(h->saveGame(1, 0), 1);
    EXPECT_EQ(readFile("savedata.bin"), saved);
}

TEST_F(ScenarioTest, SmallLinePlaysToTheEndOfTheGame) {
    ASSERT_EQ(run(readScenario("small-line.txt")), 0) << refusals;
    expectFigures(*g, {1025093, 53698, 1, 2, 0});
    expectSaveLoadSave(*g);
    // The line carried passengers: the town grew from its 33 first buildings.
    int buildings = 0;
    for (int yx = 0; yx < MainCanvas::CELLS; yx++)
        buildings += g->m_sbaMapTyp[yx] >= 6;
    EXPECT_GT(buildings, 33);
}

// The busy network once it is complete, a month after its last trains were put on: all 40
// run, none has collided. Its ten years take minutes under the sanitizers of the test build,
// so the whole game is played by the next test only on request. A save of the busy world
// loads back to the same bytes, and a game loaded from it goes on exactly as the game that
// was saved: nothing the trains, passengers or town depend on is left out of the save (but
// the random sequence, which a save never holds and the test carries over).
TEST_F(ScenarioTest, BusyNetworkRunsFortyTrainsAndContinuesFromItsSave) {
    std::string script = readScenario("busy-network.txt");
    const size_t last = script.find("# On to the end of the game.");
    ASSERT_NE(last, std::string::npos);
    ASSERT_EQ(run(script.substr(0, last) + "run 720\n"), 0) << refusals;
    EXPECT_EQ(g->m_la[0],
              MainCanvas::GAME_START + (1096 * 24 + 12 + 720) * int64_t{MainCanvas::HOUR_MS});
    EXPECT_EQ(g->m_la[1], -1046902);
    EXPECT_EQ(g->m_la[3], 1850104);
    EXPECT_EQ(trainsOnMap(*g), 40);
    EXPECT_EQ(stationsBuilt(*g), 66);
    EXPECT_EQ(junctionsBuilt(*g), 10);

    expectSaveLoadSave(*g);
    auto h = std::make_unique<MainCanvas>();
    ASSERT_EQ(h->loadGame(1, 0), 1);
    h->RND_type = g->RND_type;
    h->RND_count = g->RND_count;
    h->m_iBeforeMonth = g->m_iBeforeMonth;
    for (int hour = 0; hour < 72; hour++) {
        g->nextFrame(MainCanvas::HOUR_MS);
        h->nextFrame(MainCanvas::HOUR_MS);
    }
    // The loaded game's header says that its save now holds the header only; the world
    // after the header is the same.
    const Bytes kept = g->getSaveRecord(1), loaded = h->getSaveRecord(1);
    EXPECT_EQ(Bytes(loaded.begin() + 37, loaded.end()), Bytes(kept.begin() + 37, kept.end()));
    EXPECT_EQ(h->RND_count, g->RND_count);
}

// The whole busy game, about three minutes under the sanitizers: run with VALMORE_LONG_TESTS
// set in the environment.
TEST_F(ScenarioTest, BusyNetworkPlaysToTheEndOfTheGame) {
    if (std::getenv("VALMORE_LONG_TESTS") == nullptr) GTEST_SKIP() << "set VALMORE_LONG_TESTS";
    ASSERT_EQ(run(readScenario("busy-network.txt")), 0) << refusals;
    expectFigures(*g, {39635484, 3861468, 40, 66, 10});
    expectSaveLoadSave(*g);
}

// A small world to refuse commands in: track along row 30 with a junction at (30, 14), a
// station at (31, 12), train 0 on the map at (30, 16) heading east, train 1 owned but off it.
const char* const kRefusalWorld = R"(seed 1
newgame
track 30 10 30 20
track 30 14 33 17
station 31 12
buytrain 0 0
placetrain 0 30 16 2
buytrain 1 0
)";

struct RefusalCase {
    const char* command;
    const char* reason;  // nullptr: the game takes the command
};

TEST_F(ScenarioTest, RefusedCommandsAreReportedWithTheirLineAndChangeNothing) {
    const RefusalCase cases[] = {
        // Cells off the map, in any position of any command.
        {"track 30 10 30 64", "cell outside 0..63"},
        {"buyland -1 0 5 5", "cell outside 0..63"},
        {"sellland 0 0 64 0", "cell outside 0..63"},
        {"station 64 0", "cell outside 0..63"},
        {"removetrack 30 -1", "cell outside 0..63"},
        {"removestation -1 -1", "cell outside 0..63"},
        {"point 30 64 0 1", "cell outside 0..63"},
        {"stop 64 12 0 1", "cell outside 0..63"},
        {"placetrain 1 30 64 2", "cell outside 0..63"},
        // Buying: an empty slot, a model that exists, and money enough.
        {"buytrain 0 0", "refused by the game"},
        {"buytrain 2 28", "model outside 0..27"},
        {"buytrain 2 -1", "model outside 0..27"},
        {"buytrain 40 0", "train slot outside 0..39"},
        {"buytrain 2 27", "refused by the game"},
        {"buytrain 2 0", nullptr},
        // Placing: an owned train off the map, on a free track cell, along one of its bits.
        {"placetrain 2 30 18 2", "refused by the game"},
        {"placetrain 0 30 18 2", "refused by the game"},
        {"placetrain 1 31 18 2", "refused by the game"},
        {"placetrain 1 30 16 2", "refused by the game"},
        {"placetrain 1 30 18 0", "refused by the game"},
        {"placetrain 1 30 18 8", "direction outside 0..7"},
        {"placetrain 1 30 18 6", nullptr},
        // Removing needs a train on the map; selling an owned one off it.
        {"removetrain 1", "refused by the game"},
        {"removetrain 2", "refused by the game"},
        {"removetrain 0", nullptr},
        {"selltrain 0", "refused by the game"},
        {"selltrain 2", "refused by the game"},
        {"selltrain 1", nullptr},
        // Turning: a train on the map, to its own direction or a track bit of its cell.
        {"turntrain 1 2", "refused by the game"},
        {"turntrain 0 1", "refused by the game"},
        {"turntrain 0 9", "direction outside 0..7"},
        {"turntrain 0 6", nullptr},
        // Timetables: a junction or station at the cell, a half-hour and a value in range.
        {"point 30 18 0 1", "no junction there"},
        {"point 30 14 48 1", "half-hour outside 0..47 or value outside 0..1"},
        {"point 30 14 0 2", "half-hour outside 0..47 or value outside 0..1"},
        {"point 30 14 47 1", nullptr},
        {"stop 30 18 0 1", "no station there"},
        {"stop 31 12 0 6", "half-hour outside 0..47 or rule outside 0..5"},
        {"stop 31 12 48 0", "half-hour outside 0..47 or rule outside 0..5"},
        {"stop 31 12 47 5", nullptr},
        // Building and removing need the right kind of cell.
        {"station 30 18", "track or a station there"},
        {"station 31 12", "track or a station there"},
        {"removetrack 31 18", "no track there"},
        {"removestation 30 18", "no station there"},
        // Lines that are not a command the game knows.
        {"track 1 2 3", "expects 4 number(s)"},
        {"run ten", "expects 1 number(s)"},
        {"seed", "expects 1 number(s)"},
        {"newgame 1", "expects 0 number(s)"},
        {"save", "expects a file name"},
        {"fly 1 2", "unknown command"},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.command);
        g = std::make_unique<MainCanvas>();
        ASSERT_EQ(run(kRefusalWorld), 0) << refusals;
        const Bytes before = world();
        refusals.clear();
        // The command stands on line 3 of its script; a comment and a blank line come first.
        const std::string word = std::string(c.command).substr(0, std::string(c.command).find(' '));
        const int refused =
            run(std::string("# the command\n\n") + c.command + "  # and a comment\n");
        if (c.reason == nullptr) {
            EXPECT_EQ(refused, 0) << refusals;
            continue;
        }
        EXPECT_EQ(refused, 1);
        EXPECT_EQ(refusals, "line 3: " + word + ": " + c.reason + "\n");
        EXPECT_EQ(world(), before);
    }
}

TEST_F(ScenarioTest, EightyStationsAreTheLimit) {
    std::string script = "seed 1\nnewgame\n";
    for (int i = 0; i < MainCanvas::STATIONS; i++)
        script +=
            "station " + std::to_string(50 + i / 16) + " " + std::to_string(i % 16 * 2) + "\n";
    ASSERT_EQ(run(script), 0) << refusals;
    ASSERT_EQ(stationsBuilt(*g), 80);
    const Bytes before = world();
    EXPECT_EQ(run("station 40 40\n"), 1);
    EXPECT_EQ(refusals, "line 1: station: all 80 stations are built\n");
    EXPECT_EQ(world(), before);
}

// A refused command leaves the rest of the script to run: the commands after it still act.
TEST_F(ScenarioTest, RunGoesOnAfterARefusal) {
    EXPECT_EQ(run("seed 1\nnewgame\nbuytrain 0 99\nbuytrain 0 0\nrun 2\n"), 1);
    EXPECT_EQ(refusals, "line 3: buytrain: model outside 0..27\n");
    EXPECT_EQ(g->TrainY[0], -1);
    EXPECT_EQ(g->m_la[0], MainCanvas::GAME_START + 2 * MainCanvas::HOUR_MS);
}

}  // namespace
