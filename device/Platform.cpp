#include "device/Platform.h"

#include <chrono>

namespace {

// The default clock counts from the first time it is read, like a tick counter
// that started with the program.
uint32_t steadyClock() {
    using namespace std::chrono;
    static const steady_clock::time_point start = steady_clock::now();
    return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now() - start).count());
}

device::ClockFn g_clock = steadyClock;

}  // namespace

namespace device {

void setClock(ClockFn fn) {
    g_clock = fn ? fn : steadyClock;
}

}  // namespace device

uint32_t timeGetTime() {
    return g_clock();
}
