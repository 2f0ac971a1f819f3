// How fast the simulation runs on the busy-network scenario, whose 40 trains and 66 stations
// are the most the shipped scenarios ask of it: one game hour of the movement step, the hourly
// passenger renewal and development of its town, and whole game years hour by hour, as the
// simulation tool runs them. A ten-year game must run in well under a minute.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "device/Platform.h"
#include "game/MainCanvas.h"
#include "tools/sim/Scenario.h"

namespace {

// The real-time clock stands still, so the trains' budget of real time never runs out.
uint32_t stillClock() {
    return 1000;
}

// A moment of the busy game: its save record, with what a save leaves out and the simulation
// reads (the random sequence and the month the date window last showed).
struct Moment {
    std::vector<int8_t> record;
    int32_t rndType = 0, rndCount = 0;
    int beforeMonth = 0;
};

// The record is marked as a whole save, as saving the game marks it.
Moment take(MainCanvas& g) {
    g.m_sba[0] = 1;
    g.m_sba[1] = 1;
    return {g.getSaveRecord(1), g.RND_type, g.RND_count, g.m_iBeforeMonth};
}

// Puts the game back to the moment; false when the record was not taken whole.
bool restore(MainCanvas& g, const Moment& m) {
    if (g.setSaveRecord(m.record, 1) != 1) return false;
    g.RND_type = m.rndType;
    g.RND_count = m.rndCount;
    g.m_iBeforeMonth = m.beforeMonth;
    return true;
}

// One game hour as the simulation tool runs it, the pause of a collision released.
void runHours(MainCanvas& g, int hours) {
    for (int h = 0; h < hours; h++) {
        g.m_sba[3] = 0;
        g.nextFrame(MainCanvas::HOUR_MS);
    }
}

void runScript(MainCanvas& g, const std::string& text) {
    std::istringstream in(text);
    std::ostringstream refusals;
    Scenario::run(g, in, refusals, ".");
}

// Hours from the start of the game to April 1 of a game year.
int yearStart(int year) {
    static const int days[] = {0, 0, 365, 731, 1096, 1461, 1826, 2192, 2557, 2922, 3287};
    return days[year] * 24;
}

// The busy game at the moments the benchmarks start from, played once: the morning and
// evening rush and a quiet hour on the day after its network became complete (the noon of
// April 1 of year 4), and April 1 of years 5 and 10.
const std::map<std::string, Moment>& moments() {
    static const std::map<std::string, Moment> all = [] {
        device::setClock(stillClock);
        std::ifstream in(std::string(VALMORE_SOURCE_DIR) + "/scenarios/busy-network.txt");
        std::string script((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        script.resize(script.find("# On to the end of the game."));
        auto g = std::make_unique<MainCanvas>();
        runScript(*g, script);
        std::map<std::string, Moment> m;
        int hour = yearStart(4) + 12;
        auto until = [&](int h) {
            runHours(*g, h - hour);
            hour = h;
        };
        until(yearStart(4) + 24 + 7);
        m["07:00"] = take(*g);
        until(yearStart(4) + 24 + 13);
        m["13:00"] = take(*g);
        until(yearStart(4) + 24 + 18);
        m["18:00"] = take(*g);
        until(yearStart(5));
        m["year 5"] = take(*g);
        until(yearStart(10));
        m["year 10"] = take(*g);
        return m;
    }();
    return all;
}

// Each benchmark plays on a game object of its own, put back to the moment before every run.
std::unique_ptr<MainCanvas> game() {
    device::setClock(stillClock);
    return std::make_unique<MainCanvas>();
}

// One game hour of the movement step: 40 trains leaving their stations on the hour, in the
// rushes, or all standing, in a quiet hour.
void BM_AdvanceTrainHour(benchmark::State& state, const char* at) {
    const Moment& m = moments().at(at);
    auto g = game();
    for (auto _ : state) {
        state.PauseTiming();
        if (!restore(*g, m)) state.SkipWithError("the busy world was not restored");
        state.ResumeTiming();
        benchmark::DoNotOptimize(g->advanceTrain(MainCanvas::HOUR_MS, timeGetTime()));
    }
}
BENCHMARK_CAPTURE(BM_AdvanceTrainHour, morning_rush, "07:00")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_AdvanceTrainHour, quiet, "13:00")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_AdvanceTrainHour, evening_rush, "18:00")->Unit(benchmark::kMicrosecond);

// The hourly recovery and decay of every building of the town as it stands in year 10; the
// midnight hour also draws for the buildings that may fall back to fields.
void BM_RenewPassenger(benchmark::State& state) {
    const Moment& m = moments().at("year 10");
    auto g = game();
    for (auto _ : state) {
        state.PauseTiming();
        if (!restore(*g, m)) state.SkipWithError("the busy world was not restored");
        state.ResumeTiming();
        g->renewPassenger(static_cast<int>(state.range(0)));
    }
}
BENCHMARK(BM_RenewPassenger)->ArgName("hour")->Arg(0)->Arg(8)->Unit(benchmark::kMicrosecond);

// One hour's development of the year-10 town: a building step for each of the 66 stations and
// 16 cells of the land value sweep.
void BM_Develop(benchmark::State& state) {
    const Moment& m = moments().at("year 10");
    auto g = game();
    for (auto _ : state) {
        state.PauseTiming();
        if (!restore(*g, m)) state.SkipWithError("the busy world was not restored");
        state.ResumeTiming();
        g->develop();
    }
}
BENCHMARK(BM_Develop)->Unit(benchmark::kMicrosecond);

// A whole game year of the busy scenario, hour by hour: the year after its network became
// complete, and the last year of the game with the town at its largest.
void BM_BusyScenarioYear(benchmark::State& state, const char* from) {
    const Moment& m = moments().at(from);
    auto g = game();
    for (auto _ : state) {
        state.PauseTiming();
        if (!restore(*g, m)) state.SkipWithError("the busy world was not restored");
        state.ResumeTiming();
        runHours(*g, 365 * 24);
    }
    state.counters["game_hours_per_s"] =
        benchmark::Counter(365.0 * 24 * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK_CAPTURE(BM_BusyScenarioYear, year_5, "year 5")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BusyScenarioYear, year_10, "year 10")->Unit(benchmark::kMillisecond);

}  // namespace
