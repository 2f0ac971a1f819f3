#pragma once
// A game object driven by hand: the real-time clock and the keys are the test's.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "device/Platform.h"
#include "game/MainCanvas.h"

namespace testclock {
inline uint32_t now = 0;
inline uint32_t read() {
    return now;
}
}  // namespace testclock

// Scan codes of the desktop keys behind the keypad roles.
namespace keycode {
constexpr int kUp = 256 + 0x48, kDown = 256 + 0x50, kLeft = 256 + 0x4B, kRight = 256 + 0x4D;
constexpr int kEnter = 28, kCancel = 256 + 0x35, kQuit = 74, kF1 = 59, kKeypad0 = 82;
}  // namespace keycode

class GameFixture : public ::testing::Test {
protected:
    std::unique_ptr<MainCanvas> g;
    int repaints = 0;
    int quits = 0;

    void SetUp() override {
        // Each test plays in a directory of its own, so no save file leaks between tests.
        home = std::filesystem::current_path();
        std::string tmpl = (std::filesystem::temp_directory_path() / "valmore-XXXXXX").string();
        dir = mkdtemp(tmpl.data());
        std::filesystem::current_path(dir);
        testclock::now = 1000;
        device::setClock(testclock::read);
        MainCanvas::m_sbaKey.fill(0);
        MainCanvas::m_b2IME = 0;
        MainCanvas::m_sIME = J_String();
        g = std::make_unique<MainCanvas>();
        g->_wm_size(480, 480);
        g->m_onRepaint = [this] { repaints++; };
        g->m_onQuit = [this] { quits++; };
    }

    void TearDown() override {
        device::setClock(nullptr);
        std::filesystem::current_path(home);
        std::filesystem::remove_all(dir);
    }

    std::filesystem::path home, dir;

    // Boots the game object: the first tick.
    void boot() { g->wm_timer(); }

    // Lets the real clock run on by ms and ticks once.
    void tick(uint32_t ms) {
        testclock::now += ms;
        g->wm_timer();
    }

    // One frame with the key held down for it, then released in a second frame.
    void press(int key) {
        g->keyDown(key);
        tick(16);
        g->keyUp(key);
        tick(16);
    }
};
