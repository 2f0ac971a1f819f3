// valmore-shot: draws one screen of the game headless and saves it as a PNG.
//
//   valmore-shot [-w WIDTH] [-h HEIGHT] [-s STATE] [-l] [-H HOURS] [-S SCRIPT]
//                [-P track|buy|sell R1 C1 R2 C2] [-o FILE]
//
// The game object boots at the given drawing size (480 x 480 by default). For the
// game states (10 to 14) it then starts a new game, or with -l continues the game
// in savedata.bin of the working directory, and lets the game clock run HOURS game
// hours. The frame of STATE (2 title by default) is written to FILE
// (valmore.png by default). With -S the game is first built by a scenario script
// (the format of valmore-sim); -P then opens a plan from the anchor cell (R1, C1) to
// the cursor cell (R2, C2), with the view scrolled so that the cursor is in sight.
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "device/Platform.h"
#include "game/MainCanvas.h"
#include "tools/sim/Scenario.h"

namespace {

// The tool's real-time clock stands still, so no movement budget ever runs out
// while the game clock is advanced.
uint32_t g_now = 1000;
uint32_t shotClock() {
    return g_now;
}

struct Options {
    int width = 480;
    int height = 480;
    int state = 2;
    bool load = false;
    int hours = 0;
    std::string out = "valmore.png";
    std::string script;
    int planKind = -1;  // 0 track, 1 buy land, 2 sell land
    int plan[4] = {0, 0, 0, 0};
};

void usage() {
    std::fprintf(stderr,
                 "usage: valmore-shot [-w WIDTH] [-h HEIGHT] [-s STATE 2..14] [-l] [-H HOURS] "
                 "[-S SCRIPT] [-P track|buy|sell R1 C1 R2 C2] [-o FILE]\n");
}

// Reads a whole decimal number within [lo, hi]; false for anything else.
bool readNumber(const char* text, int lo, int hi, int& value) {
    if (!text || !*text) return false;
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (*end != '\0' || v < lo || v > hi) return false;
    value = static_cast<int>(v);
    return true;
}

bool parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; i++) {
        const std::string a = argv[i];
        const char* next = i + 1 < argc ? argv[i + 1] : nullptr;
        bool ok = true;
        if (a == "-w") {
            ok = readNumber(next, 1, 8192, o.width), i++;
        } else if (a == "-h") {
            ok = readNumber(next, 1, 8192, o.height), i++;
        } else if (a == "-s") {
            ok = readNumber(next, 2, 14, o.state), i++;
        } else if (a == "-H") {
            ok = readNumber(next, 0, 100000, o.hours), i++;
        } else if (a == "-o" && next) {
            o.out = next, i++;
        } else if (a == "-S" && next) {
            o.script = next, i++;
        } else if (a == "-P" && next && i + 5 < argc) {
            const std::string kind = next;
            o.planKind = kind == "track" ? 0 : kind == "buy" ? 1 : kind == "sell" ? 2 : -1;
            ok = o.planKind >= 0;
            for (int k = 0; k < 4 && ok; k++)
                ok = readNumber(argv[i + 2 + k], 0, 63, o.plan[k]);
            i += 5;
        } else if (a == "-l") {
            o.load = true;
        } else {
            ok = false;
        }
        if (!ok) return false;
    }
    return true;
}

// Writes the frame as an 8-bit RGB PNG; each pixel holds red in its low byte.
bool writePng(const std::string& path, const std::vector<uint32_t>& pixels, int width, int height) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    std::vector<png_byte> row(static_cast<size_t>(width) * 3);
    bool ok = png && info;
    if (ok && setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, file);
        png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height),
                     8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                     PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int y = 0; y < height; y++) {
            for (int x = 0; x < width; x++) {
                const uint32_t p = pixels[static_cast<size_t>(y) * width + x];
                row[x * 3] = static_cast<png_byte>(p & 0xFF);
                row[x * 3 + 1] = static_cast<png_byte>((p >> 8) & 0xFF);
                row[x * 3 + 2] = static_cast<png_byte>((p >> 16) & 0xFF);
            }
            png_write_row(png, row.data());
        }
        png_write_end(png, nullptr);
    } else {
        ok = false;
    }
    png_destroy_write_struct(png ? &png : nullptr, info ? &info : nullptr);
    return std::fclose(file) == 0 && ok;
}

// Opens a plan as the commands do: the anchor cell, then the cursor on the far corner,
// with the view scrolled to put the cursor near the middle of the screen.
void openPlan(MainCanvas& g, const Options& o) {
    const int block = g.m_iBlockSize > 0 ? g.m_iBlockSize : 1;
    g.m_swa[8] = static_cast<int16_t>(o.plan[2] - g.getHeight() / block / 2);
    g.m_swa[9] = static_cast<int16_t>(o.plan[3] - g.getWidth() / block / 2);
    g.m_swa[4] = static_cast<int16_t>(o.plan[2] - g.m_swa[8]);
    g.m_swa[5] = static_cast<int16_t>(o.plan[3] - g.m_swa[9]);
    g.m_swa[6] = static_cast<int16_t>(o.plan[2]);
    g.m_swa[7] = static_cast<int16_t>(o.plan[3]);
    g.m_iFY = o.plan[0];
    g.m_iFX = o.plan[1];
    g.m_iFT = o.planKind;
    g.m_iPYB = g.m_swa[8];
    g.m_iPXB = g.m_swa[9];
    g.m_iCursor = 1;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!parse(argc, argv, o)) {
        usage();
        return 2;
    }
    device::setClock(shotClock);
    auto game = std::make_unique<MainCanvas>();
    game->_wm_size(o.height, o.width);
    game->initFont();
    game->wm_timer();  // the first tick boots to the title

    if (o.state >= 10) {
        const int menu = game->m_iWndTitleMenu;
        game->m_tuw.endCmd(menu);
        game->m_tuw.m_ia2Pos[menu] = o.load ? 1 : 0;
        game->m_tuw.startCmd(menu);
        game->m_iState = 9;
        game->startGame(0);
        if (game->m_iState < 10) {
            std::fprintf(stderr, "valmore-shot: no saved game to continue in savedata.bin\n");
            return 1;
        }
        if (!o.script.empty()) {
            std::ifstream script(o.script);
            if (!script) {
                std::fprintf(stderr, "valmore-shot: cannot read %s\n", o.script.c_str());
                return 1;
            }
            Scenario::run(*game, script, std::cerr, ".");
        }
        for (int h = 0; h < o.hours; h++)
            game->nextFrame(MainCanvas::HOUR_MS);
        if (o.planKind >= 0) openPlan(*game, o);
        if (o.state == 11 || o.state == 13) game->drawRank();
    }
    game->m_iState = o.state;
    game->paint(game->m_g);

    const Graphics::Surface& frame = game->m_g.m_hBMP;
    if (frame.pixels.empty() || !writePng(o.out, frame.pixels, frame.width, frame.height)) {
        std::fprintf(stderr, "valmore-shot: cannot write %s\n", o.out.c_str());
        return 1;
    }
    return 0;
}
