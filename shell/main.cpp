// The program: one SDL2 window with an OpenGL context, a tick about every
// millisecond, the keyboard counted for the keypad, and the text entry box.
#include <SDL.h>
#include <SDL_opengl.h>
#include <iconv.h>

#include <cstdio>
#include <memory>
#include <string>

#include "device/Platform.h"
#include "game/MainCanvas.h"
#include "shell/keymap.h"
#include "shell/options.h"

namespace {

uint32_t sdlClock() {
    return SDL_GetTicks();
}

// UTF-8 typed text as the game's Shift_JIS bytes; characters CP932 lacks are dropped.
std::string toShiftJis(const std::string& utf8) {
    iconv_t cd = iconv_open("CP932//IGNORE", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string();
    std::string out(utf8.size() * 2 + 4, '\0');
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = utf8.size();
    char* o = out.data();
    size_t outLeft = out.size();
    iconv(cd, &in, &inLeft, &o, &outLeft);
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
}

// The one-line text entry: open while the game waits for typed text.
struct TextEntry {
    bool open = false;
    bool dirty = false;
    std::string text;  // UTF-8 as typed
};

// Shows a finished 2D frame in the window: the pixels are RGBA rows from the top.
void presentFrame(SDL_Window* window, const uint32_t* pixels, int w, int h) {
    int ww = 0, wh = 0;
    SDL_GL_GetDrawableSize(window, &ww, &wh);
    glViewport(0, 0, ww, wh);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, ww, wh, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glRasterPos2i(0, 0);
    glPixelZoom(1.0f, -1.0f);  // rows run downward from the top-left corner
    glDrawPixels(w, h, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    SDL_GL_SwapWindow(window);
}

// Draws the entry box across the top of the drawing area with what has been typed.
void drawEntryBox(MainCanvas& game, const std::string& utf8) {
    Graphics& g = game.m_g;
    int w = game.getWidth();
    int h = game.getHeight() / 10;
    g.lock();
    g.setColor(Graphics::getColorOfRGB(255, 255, 255));
    g.fillRect(0, 0, w, h);
    g.setColor(0);
    g.drawRect(0, 0, w - 1, h - 1);
    if (game.m_fontM) g.setFont(game.m_fontM);
    std::string sjis = toShiftJis(utf8) + "_";
    g.drawString(sjis.c_str(), 4, 2);
    g.unlock(1);
}

}  // namespace

int main(int argc, char** argv) {
    std::string args;
    for (int i = 1; i < argc; i++) {
        args += argv[i];
        args += ' ';
    }
    ShellOptions opt = parseOptions(args);
    if (opt.width < 1) opt.width = 480;
    if (opt.height < 1) opt.height = 480;

    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) {
        std::fprintf(stderr, "valmore: cannot start the display: %s\n", SDL_GetError());
        return 1;
    }
    SDL_DisplayMode dm;
    if (SDL_GetDesktopDisplayMode(0, &dm) != 0) {
        dm.w = opt.width;
        dm.h = opt.height;
    }
    placeWindow(opt, dm.w, dm.h);

    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE;
    if (opt.popup) flags |= SDL_WINDOW_BORDERLESS;
    if (opt.tool && opt.layered == 0) flags |= SDL_WINDOW_SKIP_TASKBAR;
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_Window* window = SDL_CreateWindow("Valmore", opt.x, opt.y, opt.width, opt.height, flags);
    if (!window) {
        // Without OpenGL the game still runs; the 3D view then draws nothing.
        flags &= ~SDL_WINDOW_OPENGL;
        window = SDL_CreateWindow("Valmore", opt.x, opt.y, opt.width, opt.height, flags);
    }
    if (!window) {
        std::fprintf(stderr, "valmore: cannot open the window: %s\n", SDL_GetError());
        SDL_Quit();
        return 1;
    }
    if (opt.layered & 2) SDL_SetWindowOpacity(window, opt.alpha / 255.0f);
    SDL_GLContext gl = (flags & SDL_WINDOW_OPENGL) ? SDL_GL_CreateContext(window) : nullptr;

    device::setClock(sdlClock);
    auto game = std::make_unique<MainCanvas>();
    bool running = true;
    bool paintWanted = true;
    TextEntry entry;
    game->m_onQuit = [&] { running = false; };
    game->m_onRepaint = [&] { paintWanted = true; };
    game->m_onImeOn = [&] {
        entry.open = true;
        entry.dirty = true;
        entry.text.clear();
        SDL_StartTextInput();
    };
    if (gl) {
        game->m_g.m_onPresent = [window](const uint32_t* pixels, int w, int h) {
            presentFrame(window, pixels, w, h);
        };
    }
    game->m_onBrowse = [](const char* url) { SDL_OpenURL(url); };

    int w = 0, h = 0;
    SDL_GetWindowSize(window, &w, &h);
    game->_wm_size(h, w);

    while (running) {
        SDL_Event e;
        while (SDL_PollEvent(&e)) {
            switch (e.type) {
                case SDL_QUIT:
                    if (game->m_iState >= 10) game->saveGame(1, 0);
                    running = false;
                    break;
                case SDL_WINDOWEVENT:
                    if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
                        game->_wm_size(e.window.data2, e.window.data1);
                        game->initFont();
                        game->renewBlockSize(0);
                        paintWanted = true;
                    } else if (e.window.event == SDL_WINDOWEVENT_EXPOSED) {
                        paintWanted = true;
                    }
                    break;
                case SDL_TEXTINPUT:
                    if (entry.open) {
                        entry.text += e.text.text;
                        entry.dirty = true;
                    }
                    break;
                case SDL_KEYDOWN:
                    if (entry.open) {
                        // Keys typed into the entry box never reach the key counters.
                        SDL_Scancode sc = e.key.keysym.scancode;
                        if (sc == SDL_SCANCODE_RETURN || sc == SDL_SCANCODE_KP_ENTER) {
                            entry.open = false;
                            paintWanted = true;
                            SDL_StopTextInput();
                            std::string sjis = toShiftJis(entry.text);
                            if (sjis.size() > 254) sjis.resize(254);
                            Canvas::callbackIME(sjis.c_str());
                        } else if (sc == SDL_SCANCODE_BACKSPACE && !entry.text.empty()) {
                            // Remove one whole UTF-8 character.
                            size_t n = entry.text.size() - 1;
                            while (n > 0 && (entry.text[n] & 0xC0) == 0x80)
                                n--;
                            entry.text.resize(n);
                            entry.dirty = true;
                        }
                        break;
                    }
                    game->keyDown(keyCounterIndex(e.key.keysym.scancode));
                    break;
                case SDL_KEYUP:
                    game->keyUp(keyCounterIndex(e.key.keysym.scancode));
                    break;
                default:
                    break;
            }
        }
        if (!running) break;
        game->wm_timer();
        if (entry.open && entry.dirty) {
            entry.dirty = false;
            drawEntryBox(*game, entry.text);
        } else if (paintWanted) {
            paintWanted = false;
            game->paint(game->m_g);
        }
        SDL_Delay(1);
    }

    if (gl) SDL_GL_DeleteContext(gl);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
