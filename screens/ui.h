#pragma once
// What every screen shares: the key indices of the keypad roles and the basic colours.

// Key indices of the per-frame key states.
constexpr int kUp = 0, kDown = 1, kLeft = 2, kRight = 3, kSelect = 4, kCancel = 5;

// Colours as 0xRRGGBB: menu text, menu background, and the grey of what cannot be chosen.
constexpr int kWhite = 0xFFFFFF;
constexpr int kBlack = 0x000000;
constexpr int kGrey = 0x666666;
