#pragma once
// PC keyboard scan codes (extended keys + 256) for the keys the game reads.

#include <SDL.h>

// The key counter index for an SDL scancode, or -1 for a key the game never reads.
int keyCounterIndex(SDL_Scancode sc);
