#include "device/Canvas.h"

Canvas* Canvas::m_this = nullptr;

namespace {

// Keypad bit and the key counters (scan codes, extended keys + 256) that set it.
struct KeypadRow {
    int bit;
    int counters[2];
};

constexpr KeypadRow kKeypad[] = {
    {0, {82, -1}},   {1, {79, 59}},   {2, {80, 60}},   {3, {81, 61}},   {4, {75, 62}},
    {5, {76, 63}},   {6, {77, 64}},   {7, {71, 65}},   {8, {72, 66}},   {9, {73, 67}},
    {10, {55, 40}},  {16, {331, -1}}, {17, {328, -1}}, {18, {333, -1}}, {19, {336, -1}},
    {20, {28, 284}}, {21, {309, -1}}, {22, {74, -1}},
};

}  // namespace

void Canvas::repaint() {
    if (m_onRepaint) m_onRepaint();
}

int Canvas::getKeypadState() const {
    int state = 0;
    for (const KeypadRow& row : kKeypad) {
        for (int c : row.counters) {
            if (c >= 0 && m_btaKey[c] > 0) {
                state |= 1 << row.bit;
                break;
            }
        }
    }
    return state;
}

void Canvas::imeOn(const J_String&, int, int) {
    // The box always opens empty; the arguments are part of the platform's call.
    m_this = this;
    if (m_onImeOn) m_onImeOn();
}

void Canvas::processIMEEvent(const char*) {}

void Canvas::callbackIME(const char* text) {
    if (m_this) m_this->processIMEEvent(text);
}

void Canvas::_wm_size(int y, int x) {
    m_iSizeY = y;
    m_iSizeX = x;
    m_g._wm_size(y, x);
}

void Canvas::keyDown(int index) {
    if (index < 0 || index >= 512) return;
    if (m_btaKey[index] < 255) m_btaKey[index]++;
}

void Canvas::keyUp(int index) {
    if (index < 0 || index >= 512) return;
    m_btaKey[index] = 0;
}
