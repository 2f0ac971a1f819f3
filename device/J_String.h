#pragma once

// The game's only string type: a counted Shift_JIS byte string. Character
// operations treat a lead byte and the byte after it as one character, so the
// indices the screens use count what the player sees.

#include <cstdint>
#include <memory>
#include <vector>

class J_String {
public:
    // The bytes, with no terminating NUL; shared between copies (strings are values).
    std::shared_ptr<const std::vector<int8_t>> m_ca;

    J_String();
    J_String(const char* text);                  // bytes before the NUL
    J_String(const std::vector<int8_t>& bytes);  // whole array, zeros included
    J_String(const int8_t* bytes, int size);     // whole array, zeros included
    // min(count, size - offset) bytes from offset; empty when that is below 1 or offset < 0.
    J_String(const std::vector<int8_t>& bytes, int offset, int count);

    J_String& operator=(const char* text);
    J_String& operator+=(const char* text);  // addString
    J_String& operator+=(const J_String& s);
    J_String& operator+=(int32_t n);
    J_String& operator+=(int64_t n);
    J_String& operator+=(uint16_t code);  // one byte below 256, else lead then trail
    J_String& operator+=(char byte);      // that byte, whatever its value
    void addString(const char* text) { *this += text; }

    // Characters before the first NUL; a lead byte in the last position is one character.
    int length() const;
    // The code of character i (lead * 256 + trail), 0 when i < 0 or i >= length().
    int charAt(int i) const;
    const std::vector<int8_t>& getBytes() const;
    int byteLength() const;

    // Negative offsets and begin indices count as 0; -1 from indexOf when nothing is found.
    bool startsWith(const J_String& prefix, int offset = 0) const;
    int indexOf(const J_String& needle, int from = 0) const;
    int indexOf(const char* needle, int from = 0) const;
    J_String substring(int begin, int end) const;  // empty when end <= begin
    J_String substring(int begin) const;
    int lastIndexOf(int ch) const;  // byte offset of the last byte equal to ch, or -1
    J_String trim() const;

    int _toIndex(int n) const;  // byte offset of character n, clamped to 0..byteLength()
    static int _isZen(int8_t b);
    int _isZenB(int i) const;
    int _isZenC(int n) const;

    bool operator==(const J_String& o) const;
};

// Static byte helpers of the runtime.
class UxL {
public:
    static uint16_t swapHighLow(uint16_t v);
    static uint32_t swapHighLow(uint32_t v);
    static uint64_t swapHighLow(uint64_t v);
    static int isZen(int8_t b);
};
