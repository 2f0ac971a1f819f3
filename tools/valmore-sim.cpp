// valmore-sim SCRIPT: builds a world from a scenario script, runs it headless and
// prints the figures of the game at the end, one line each.
//
// The saved game of a "save" command is written in a private working directory and
// copied to the file the script names, so a player's own save is never touched.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <random>
#include <string>

#include "device/Platform.h"
#include "game/MainCanvas.h"
#include "tools/sim/Scenario.h"

namespace {

// The real-time clock stands still, so the trains' real-time budget never runs out.
uint32_t stillClock() {
    return 1000;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: valmore-sim SCRIPT\n");
        return 2;
    }
    std::ifstream script(argv[1]);
    if (!script) {
        std::fprintf(stderr, "valmore-sim: cannot read %s\n", argv[1]);
        return 2;
    }
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path home = fs::current_path();
    fs::path work =
        fs::temp_directory_path(ec) / ("valmore-sim-" + std::to_string(std::random_device{}()));
    fs::create_directories(work, ec);
    if (ec) {
        std::fprintf(stderr, "valmore-sim: cannot make a working directory: %s\n",
                     ec.message().c_str());
        return 2;
    }
    fs::current_path(work);

    device::setClock(stillClock);
    auto game = std::make_unique<MainCanvas>();
    Scenario::run(*game, script, std::cerr, home.string());
    Scenario::report(*game, std::cout);

    fs::current_path(home);
    fs::remove_all(work, ec);
    return 0;
}
