#pragma once
// The platform services the game reaches through the device runtime. Each is one
// replaceable function: the shell binds them to the real platform, tests bind them
// to hand-driven fakes. Game code never reads a system clock directly.

#include <cstdint>

namespace device {

using ClockFn = uint32_t (*)();

// Binds the real-time millisecond clock; nullptr restores the default steady clock.
void setClock(ClockFn fn);

}  // namespace device

// Milliseconds of real time, an unsigned 32-bit count that wraps.
uint32_t timeGetTime();
