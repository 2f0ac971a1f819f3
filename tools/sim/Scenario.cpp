#include "tools/sim/Scenario.h"

#include <cstdio>
#include <filesystem>
#include <istream>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "device/Calendar.h"
#include "game/MainCanvas.h"

namespace {

bool onMap(long v) {
    return v >= 0 && v < MainCanvas::MAP;
}

// The words of one script line, without its comment.
std::vector<std::string> words(const std::string& line) {
    std::string text = line.substr(0, line.find('#'));
    std::istringstream in(text);
    std::vector<std::string> w;
    for (std::string s; in >> s;)
        w.push_back(s);
    return w;
}

// A decimal argument; false when it is not a whole number in int range.
bool number(const std::string& s, long& v) {
    if (s.empty()) return false;
    size_t used = 0;
    try {
        v = std::stol(s, &used);
    } catch (...) {
        return false;
    }
    return used == s.size() && v >= -2147483648L && v <= 2147483647L;
}

// Puts the 2D cursor on a map cell with the scroll offset 0.
void cursor(MainCanvas& g, int y, int x) {
    g.m_swa[8] = g.m_swa[9] = 0;
    g.m_swa[4] = g.m_swa[6] = static_cast<int16_t>(y);
    g.m_swa[5] = g.m_swa[7] = static_cast<int16_t>(x);
}

// One clock-routine frame of one game hour, as a player who releases any pause would see it.
void runHour(MainCanvas& g) {
    g.m_sba[3] = 0;
    g.nextFrame(MainCanvas::HOUR_MS);
}

// The train commands; false when cmd is not one of them.
template <typename Refuse>
bool trainCommand(MainCanvas& g, const std::string& cmd, const std::vector<long>& a, bool numeric,
                  Refuse refuse) {
    static const struct {
        const char* name;
        size_t args;
    } kTrainCommands[] = {
        {"buytrain", 2}, {"placetrain", 4}, {"removetrain", 1}, {"selltrain", 1}, {"turntrain", 2}};
    size_t want = 0;
    for (const auto& c : kTrainCommands) {
        if (cmd == c.name) want = c.args;
    }
    if (want == 0) return false;
    if (a.size() != want || !numeric) {
        refuse("expects " + std::to_string(want) + " number(s)");
        return true;
    }
    if (a[0] < 0 || a[0] >= MainCanvas::TRAINS) {
        refuse("train slot outside 0..39");
        return true;
    }
    const int n = static_cast<int>(a[0]);
    bool done = false;
    if (cmd == "buytrain") {
        if (a[1] < 0 || a[1] >= MainCanvas::MODELS) {
            refuse("model outside 0..27");
            return true;
        }
        done = g.buyTrain(n, static_cast<int>(a[1]));
    } else if (cmd == "placetrain") {
        if (!onMap(a[1]) || !onMap(a[2])) {
            refuse("cell outside 0..63");
            return true;
        }
        if (a[3] < 0 || a[3] > 7) {
            refuse("direction outside 0..7");
            return true;
        }
        done = g.placeTrain(n, static_cast<int>(a[1]), static_cast<int>(a[2]),
                            static_cast<int>(a[3])) == 1;
    } else if (cmd == "removetrain") {
        done = g.removeTrain(n) == 1;
    } else if (cmd == "selltrain") {
        done = g.sellTrain(n) == 1;
    } else {
        if (a[1] < 0 || a[1] > 7) {
            refuse("direction outside 0..7");
            return true;
        }
        done = g.turnTrain(n, static_cast<int>(a[1])) == 1;
    }
    if (!done) refuse("refused by the game");
    return true;
}

}  // namespace

int Scenario::run(MainCanvas& g, std::istream& script, std::ostream& err, const std::string& base) {
    int refused = 0;
    int lineNo = 0;
    for (std::string line; std::getline(script, line);) {
        lineNo++;
        std::vector<std::string> w = words(line);
        if (w.empty()) continue;
        const std::string& cmd = w[0];
        std::vector<long> a;
        bool numeric = true;
        for (size_t i = 1; i < w.size(); i++) {
            long v = 0;
            if (cmd != "save" && !number(w[i], v)) numeric = false;
            a.push_back(v);
        }
        auto refuse = [&](const std::string& why) {
            err << "line " << lineNo << ": " << cmd << ": " << why << "\n";
            refused++;
        };
        auto want = [&](size_t n) {
            if (a.size() != n || !numeric) {
                refuse("expects " + std::to_string(n) + " number(s)");
                return false;
            }
            return true;
        };
        auto cells = [&](std::initializer_list<size_t> idx) {
            for (size_t i : idx) {
                if (!onMap(a[i])) {
                    refuse("cell outside 0..63");
                    return false;
                }
            }
            return true;
        };

        if (cmd == "seed") {
            if (!want(1)) continue;
            g.RND_type = static_cast<int32_t>(a[0]);
            g.RND_count = 0;
        } else if (cmd == "newgame") {
            if (!want(0)) continue;
            g.newGame();
            g.m_iBeforeMonth = 0;
            g.putDT();
        } else if (cmd == "track" || cmd == "buyland" || cmd == "sellland") {
            if (!want(4) || !cells({0, 1, 2, 3})) continue;
            g.m_iFY = static_cast<int>(a[0]);
            g.m_iFX = static_cast<int>(a[1]);
            cursor(g, static_cast<int>(a[2]), static_cast<int>(a[3]));
            g.m_iPYB = g.m_iPXB = 0;
            if (cmd == "track") {
                g.m_iFT = 0;
                g.constructRail();
            } else if (cmd == "buyland") {
                g.m_iFT = 1;
                g.buyTochi();
            } else {
                g.m_iFT = 2;
                g.sellTochi();
            }
            g.m_iFY = -1;
        } else if (cmd == "removetrack" || cmd == "station" || cmd == "removestation") {
            if (!want(2) || !cells({0, 1})) continue;
            int y = static_cast<int>(a[0]), x = static_cast<int>(a[1]);
            int kind = g.getMapTyp(y, x);
            if (cmd == "removetrack") {
                if (kind != 4) {
                    refuse("no track there");
                    continue;
                }
                cursor(g, y, x);
                g.removeRail();
            } else if (cmd == "station") {
                if (kind == 4 || kind == 5) {
                    refuse("track or a station there");
                    continue;
                }
                if (g.searchFreeStation() < 0) {
                    refuse("all 80 stations are built");
                    continue;
                }
                cursor(g, y, x);
                g.constructStation();
            } else {
                if (kind != 5) {
                    refuse("no station there");
                    continue;
                }
                cursor(g, y, x);
                g.removeStation();
            }
        } else if (cmd == "point") {
            if (!want(4) || !cells({0, 1})) continue;
            int j = g.searchPointIndex(static_cast<int>(a[0]), static_cast<int>(a[1]));
            if (j < 0) {
                refuse("no junction there");
                continue;
            }
            if (a[2] < 0 || a[2] > 47 || a[3] < 0 || a[3] > 1) {
                refuse("half-hour outside 0..47 or value outside 0..1");
                continue;
            }
            MainCanvas::setABit(g.PointDD.data() + j * 6, static_cast<int>(a[2]),
                                static_cast<int>(a[3]));
        } else if (cmd == "stop") {
            if (!want(4) || !cells({0, 1})) continue;
            int i = g.searchStationIndex(static_cast<int>(a[0]), static_cast<int>(a[1]));
            if (i < 0) {
                refuse("no station there");
                continue;
            }
            if (a[2] < 0 || a[2] > 47 || a[3] < 0 || a[3] > 5) {
                refuse("half-hour outside 0..47 or rule outside 0..5");
                continue;
            }
            g.StationDD[i * 48 + a[2]] = static_cast<int8_t>(a[3]);
        } else if (cmd == "run") {
            if (!want(1)) continue;
            for (long h = 0; h < a[0] && g.m_la[0] != MainCanvas::GAME_END; h++)
                runHour(g);
        } else if (cmd == "end") {
            if (!want(0)) continue;
            while (g.m_la[0] != MainCanvas::GAME_END)
                runHour(g);
        } else if (cmd == "save") {
            if (w.size() != 2) {
                refuse("expects a file name");
                continue;
            }
            g.saveGame(1, 0);
            std::error_code ec;
            std::filesystem::copy_file("savedata.bin", std::filesystem::path(base) / w[1],
                                       std::filesystem::copy_options::overwrite_existing, ec);
            if (ec) refuse("cannot write " + w[1] + ": " + ec.message());
        } else if (!trainCommand(g, cmd, a, numeric, refuse)) {
            refuse("unknown command");
        }
    }
    return refused;
}

void Scenario::report(const MainCanvas& g, std::ostream& out) {
    Calendar c = Calendar::getInstance();
    c.setTimeInMillis(g.m_la[0]);
    char date[64];
    std::snprintf(date, sizeof date, "%02d/%02d/%02d %02d:%02d", c.get(Calendar::YEAR) - 1969,
                  c.get(Calendar::MONTH) + 1, c.get(Calendar::DATE), c.get(Calendar::HOUR_OF_DAY),
                  c.get(Calendar::MINUTE));
    int64_t passengers = 0;
    for (int i = 0; i < MainCanvas::STATIONS; i++) {
        if (g.StationY[i] != -1) passengers += g.StationPTM[i];
    }
    int trains = 0;
    for (int n = 0; n < MainCanvas::TRAINS; n++) {
        if (g.TrainY[n] >= 0) trains++;
    }
    out << "date " << date << "\n";
    out << "funds " << g.m_la[1] << "\n";
    out << "assets " << g.m_la[3] << "\n";
    out << "score " << g.m_la[1] + g.m_la[3] << "\n";
    out << "passengers " << passengers << "\n";
    out << "trains " << trains << "\n";
}
