#pragma once
// The game's texts are Shift_JIS bytes; tests write expected texts in UTF-8 and compare bytes.

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>
#include <vector>

#include "device/J_String.h"

// A UTF-8 text as the game's Shift_JIS bytes.
inline std::string sjis(const char* utf8) {
    iconv_t cd = iconv_open("CP932", "UTF-8");
    std::string in(utf8);
    std::string out(in.size() * 2 + 4, '\0');
    char* ip = in.data();
    char* op = out.data();
    size_t il = in.size(), ol = out.size();
    const size_t r = iconv(cd, &ip, &il, &op, &ol);
    iconv_close(cd);
    EXPECT_NE(r, static_cast<size_t>(-1)) << utf8;
    out.resize(out.size() - ol);
    return out;
}

// Every byte of a string, NULs included.
inline std::string bytes(const J_String& s) {
    const std::vector<int8_t>& b = s.getBytes();
    return std::string(b.begin(), b.end());
}
