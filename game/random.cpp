// The game's one random sequence: every random decision draws from it, in a fixed order.
#include "game/MainCanvas.h"

// Returns 0..n-1 and advances the sequence by one step.
int MainCanvas::RND_get(int n) {
    if (RND_count < 1 || RND_count > 2047) {
        RND_count = 1;
        RND_type++;
    }
    if (RND_type < 1 || RND_type > 1048575) RND_type = 1;
    int32_t r = (1561650090 - RND_type) / RND_count;
    RND_count++;
    return r % n;
}

// Seeds the sequence once per run from the real clock; the divisor count stays as it is.
void MainCanvas::seedRandom(uint32_t clock) {
    RND_type = static_cast<int32_t>(clock & 0x7FFF) + 1;
}
