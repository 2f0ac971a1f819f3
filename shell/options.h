#pragma once
// The program's command-line options: drawing size, window place, frame style and translucency.

#include <string>

struct ShellOptions {
    int width = 480;
    int height = 480;
    int x = -1;  // -1: centred across
    int y = -1;  // -1: a quarter of the free height from the top
    int alpha = 128;
    int layered = 0;  // 1 colour key (black is transparent), 2 alpha blending; they add up
    bool popup = false;
    bool tool = false;
};

// Reads every "-" option of the arguments after the program name, joined by blanks.
ShellOptions parseOptions(const std::string& args);

// Fills in the default place for a screen of the given size.
void placeWindow(ShellOptions& o, int screenW, int screenH);
