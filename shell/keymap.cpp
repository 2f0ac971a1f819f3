#include "shell/keymap.h"

int keyCounterIndex(SDL_Scancode sc) {
    switch (sc) {
        case SDL_SCANCODE_KP_0:
            return 82;
        case SDL_SCANCODE_KP_1:
            return 79;
        case SDL_SCANCODE_KP_2:
            return 80;
        case SDL_SCANCODE_KP_3:
            return 81;
        case SDL_SCANCODE_KP_4:
            return 75;
        case SDL_SCANCODE_KP_5:
            return 76;
        case SDL_SCANCODE_KP_6:
            return 77;
        case SDL_SCANCODE_KP_7:
            return 71;
        case SDL_SCANCODE_KP_8:
            return 72;
        case SDL_SCANCODE_KP_9:
            return 73;
        case SDL_SCANCODE_F1:
            return 59;
        case SDL_SCANCODE_F2:
            return 60;
        case SDL_SCANCODE_F3:
            return 61;
        case SDL_SCANCODE_F4:
            return 62;
        case SDL_SCANCODE_F5:
            return 63;
        case SDL_SCANCODE_F6:
            return 64;
        case SDL_SCANCODE_F7:
            return 65;
        case SDL_SCANCODE_F8:
            return 66;
        case SDL_SCANCODE_F9:
            return 67;
        case SDL_SCANCODE_KP_MULTIPLY:
            return 55;
        case SDL_SCANCODE_APOSTROPHE:
            return 40;
        case SDL_SCANCODE_LEFT:
            return 256 + 0x4B;
        case SDL_SCANCODE_UP:
            return 256 + 0x48;
        case SDL_SCANCODE_RIGHT:
            return 256 + 0x4D;
        case SDL_SCANCODE_DOWN:
            return 256 + 0x50;
        case SDL_SCANCODE_RETURN:
            return 28;
        case SDL_SCANCODE_KP_ENTER:
            return 256 + 28;
        case SDL_SCANCODE_KP_DIVIDE:
            return 256 + 0x35;
        case SDL_SCANCODE_KP_MINUS:
            return 74;
        default:
            return -1;
    }
}
