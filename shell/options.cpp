#include "shell/options.h"

#include <cctype>

namespace {

// The decimal number starting at i (leading blanks and a sign allowed), as atoi reads it.
int readNumber(const std::string& s, size_t i) {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
        i++;
    bool neg = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) neg = s[i++] == '-';
    long v = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
        v = v * 10 + (s[i++] - '0');
        if (v > 1000000000L) break;  // absurd sizes stop growing instead of overflowing
    }
    return static_cast<int>(neg ? -v : v);
}

}  // namespace

ShellOptions parseOptions(const std::string& s) {
    ShellOptions o;
    for (size_t i = 0; i < s.size(); i++) {
        if (s[i] != '-' || i + 1 >= s.size()) continue;
        char c = s[i + 1];
        size_t n = i + 2;
        switch (c) {
            case 'a':
                o.layered += 2;
                if (n < s.size() && std::isdigit(static_cast<unsigned char>(s[n]))) {
                    o.alpha = readNumber(s, n) & 255;
                }
                break;
            case 'c':
                o.layered += 1;
                break;
            case 'h':
                o.height = readNumber(s, n);
                break;
            case 'w':
                o.width = readNumber(s, n);
                break;
            case 'x':
                o.x = readNumber(s, n);
                break;
            case 'y':
                o.y = readNumber(s, n);
                break;
            case 'p':
                o.popup = true;
                break;
            case 't':
                o.tool = true;
                break;
            default:
                break;
        }
    }
    return o;
}

void placeWindow(ShellOptions& o, int screenW, int screenH) {
    if (o.y == -1) o.y = (screenH - o.height) / 4;
    if (o.x == -1) o.x = (screenW - o.width) / 2;
}
