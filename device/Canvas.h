#pragma once
// The drawing surface the game object lives on: its size, one counter per
// desktop key turned into the phone's keypad bits, repaint requests and the
// one-line text entry box. The shell binds the platform side through hooks;
// headless, tests fill the key counters and read the requests.

#include <array>
#include <cstdint>
#include <functional>

#include "device/Graphics.h"
#include "device/J_String.h"

class Canvas {
public:
    Graphics m_g;  // the 2D context every 2D frame is painted into
    int m_iSizeY = 0;
    int m_iSizeX = 0;
    // Counter i belongs to the key of scan code i mod 256, extended keys at 256 and up.
    std::array<uint8_t, 512> m_btaKey{};
    static Canvas* m_this;

    // Platform side, bound by the shell (or a test).
    std::function<void()> m_onRepaint;            // ask for a paint message soon
    std::function<void()> m_onImeOn;              // open the text entry box
    std::function<void()> m_onQuit;               // end the message loop
    std::function<void(const char*)> m_onBrowse;  // open a URL in the browser

    Canvas() = default;
    virtual ~Canvas() = default;

    int getWidth() const { return m_iSizeX; }
    int getHeight() const { return m_iSizeY; }
    void repaint();
    int getKeypadState() const;
    void imeOn(const J_String& text, int displayMode, int inputMode);
    virtual void processIMEEvent(const char* text);
    static void callbackIME(const char* text);
    virtual void _wm_size(int y, int x);

    // Counts one key-down message for the counter (auto-repeat included), up to 255.
    void keyDown(int index);
    void keyUp(int index);
};
