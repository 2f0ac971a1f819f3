#include "device/J_String.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace {

// Shared by every empty string that has no array of its own.
const std::vector<int8_t>& emptyBytes() {
    static const std::vector<int8_t> empty;
    return empty;
}

std::shared_ptr<const std::vector<int8_t>> makeBytes(const int8_t* p, size_t n) {
    if (n == 0) return std::make_shared<const std::vector<int8_t>>();
    return std::make_shared<const std::vector<int8_t>>(p, p + n);
}

// Strings are values: an append builds a new array, so copies that share the old one keep it.
void appendBytes(J_String& s, const int8_t* p, size_t n) {
    if (n == 0) return;
    const std::vector<int8_t>& old = s.getBytes();
    auto grown = std::make_shared<std::vector<int8_t>>();
    grown->reserve(old.size() + n);
    grown->insert(grown->end(), old.begin(), old.end());
    grown->insert(grown->end(), p, p + n);
    s.m_ca = std::move(grown);
}

const int8_t* textBytes(const char* text) {
    return reinterpret_cast<const int8_t*>(text);
}

size_t textLength(const char* text) {
    return text ? std::strlen(text) : 0;
}

// Numbers are formatted into a scratch buffer and appended as text.
template <typename T>
void appendDecimal(J_String& s, T n) {
    char buf[256];
    auto res = std::to_chars(buf, buf + sizeof buf, n);
    appendBytes(s, textBytes(buf), static_cast<size_t>(res.ptr - buf));
}

}  // namespace

J_String::J_String() : m_ca(makeBytes(nullptr, 0)) {}

J_String::J_String(const char* text) : m_ca(makeBytes(textBytes(text), textLength(text))) {}

J_String::J_String(const std::vector<int8_t>& bytes)
    : m_ca(std::make_shared<const std::vector<int8_t>>(bytes)) {}

J_String::J_String(const int8_t* bytes, int size)
    : m_ca(makeBytes(bytes, bytes && size > 0 ? static_cast<size_t>(size) : 0)) {}

J_String::J_String(const std::vector<int8_t>& bytes, int offset, int count) : J_String() {
    // A negative offset would start before the array: such a slice is empty like any other
    // slice that holds no bytes.
    if (offset < 0 || offset > static_cast<int>(bytes.size())) return;
    int n = std::min(count, static_cast<int>(bytes.size()) - offset);
    if (n <= 0) return;
    m_ca = makeBytes(bytes.data() + offset, static_cast<size_t>(n));
}

J_String& J_String::operator=(const char* text) {
    m_ca = makeBytes(textBytes(text), textLength(text));
    return *this;
}

J_String& J_String::operator+=(const char* text) {
    appendBytes(*this, textBytes(text), textLength(text));
    return *this;
}

J_String& J_String::operator+=(const J_String& s) {
    // Keep the other array alive even when s is this string.
    auto other = s.m_ca;
    if (other) appendBytes(*this, other->data(), other->size());
    return *this;
}

J_String& J_String::operator+=(int32_t n) {
    appendDecimal(*this, n);
    return *this;
}

J_String& J_String::operator+=(int64_t n) {
    appendDecimal(*this, n);
    return *this;
}

J_String& J_String::operator+=(uint16_t code) {
    if (code < 256) {
        int8_t b = static_cast<int8_t>(code);
        appendBytes(*this, &b, 1);
    } else {
        int8_t b[2] = {static_cast<int8_t>(code >> 8), static_cast<int8_t>(code & 255)};
        appendBytes(*this, b, 2);
    }
    return *this;
}

J_String& J_String::operator+=(char byte) {
    int8_t b = static_cast<int8_t>(byte);
    appendBytes(*this, &b, 1);
    return *this;
}

int J_String::length() const {
    const std::vector<int8_t>& a = getBytes();
    int size = static_cast<int>(a.size());
    int count = 0;
    // A lead byte takes the next byte with it, even past the end, so a lead byte in the last
    // position is one character.
    for (int i = 0; i < size && a[i] != 0; i += _isZen(a[i]) ? 2 : 1)
        count++;
    return count;
}

int J_String::charAt(int i) const {
    if (i < 0 || i >= length()) return 0;
    const std::vector<int8_t>& a = getBytes();
    int off = _toIndex(i);
    int lead = static_cast<uint8_t>(a[off]);
    if (!_isZen(a[off]) || off + 1 >= static_cast<int>(a.size())) return lead;
    return lead * 256 + static_cast<uint8_t>(a[off + 1]);
}

const std::vector<int8_t>& J_String::getBytes() const {
    return m_ca ? *m_ca : emptyBytes();
}

int J_String::byteLength() const {
    return static_cast<int>(getBytes().size());
}

bool J_String::startsWith(const J_String& prefix, int offset) const {
    offset = std::max(offset, 0);
    int n = prefix.length();
    for (int k = 0; k < n; k++) {
        if (charAt(offset + k) != prefix.charAt(k)) return false;
    }
    return true;
}

int J_String::indexOf(const J_String& needle, int from) const {
    // Every start from which the needle still fits is tried, the one that ends it exactly at
    // the last character included.
    int last = length() - needle.length();
    for (int p = std::max(from, 0); p <= last; p++) {
        if (startsWith(needle, p)) return p;
    }
    return -1;
}

int J_String::indexOf(const char* needle, int from) const {
    return indexOf(J_String(needle), from);
}

J_String J_String::substring(int begin, int end) const {
    begin = std::max(begin, 0);
    if (end <= begin) return J_String();
    int b = _toIndex(begin);
    int e = _toIndex(end);
    if (e <= b) return J_String();
    return J_String(getBytes().data() + b, e - b);
}

J_String J_String::substring(int begin) const {
    int b = _toIndex(std::max(begin, 0));
    return J_String(getBytes().data() + b, byteLength() - b);
}

int J_String::lastIndexOf(int ch) const {
    const std::vector<int8_t>& a = getBytes();
    // A byte matches whether the caller gives it as a signed char or as its unsigned value.
    for (int i = static_cast<int>(a.size()) - 1; i >= 0; i--) {
        if (a[i] == ch || static_cast<uint8_t>(a[i]) == ch) return i;
    }
    return -1;
}

// Spaces around a typed ID or password are part of it, so nothing is removed.
J_String J_String::trim() const {
    return *this;
}

int J_String::_toIndex(int n) const {
    const std::vector<int8_t>& a = getBytes();
    int size = static_cast<int>(a.size());
    int off = 0;
    // The walk does not stop at a NUL byte: only the end of the array ends it.
    for (int k = 0; k < n && off < size; k++)
        off += _isZen(a[off]) ? 2 : 1;
    return std::min(off, size);
}

int J_String::_isZen(int8_t b) {
    return UxL::isZen(b);
}

int J_String::_isZenB(int i) const {
    if (i < 0 || i >= byteLength()) return 0;
    return _isZen(getBytes()[i]);
}

int J_String::_isZenC(int n) const {
    return _isZenB(_toIndex(n));
}

bool J_String::operator==(const J_String& o) const {
    return getBytes() == o.getBytes();
}

uint16_t UxL::swapHighLow(uint16_t v) {
    return static_cast<uint16_t>((v >> 8) | (v << 8));
}

uint32_t UxL::swapHighLow(uint32_t v) {
    uint32_t lo = swapHighLow(static_cast<uint16_t>(v));
    uint32_t hi = swapHighLow(static_cast<uint16_t>(v >> 16));
    return (lo << 16) | hi;
}

uint64_t UxL::swapHighLow(uint64_t v) {
    uint64_t lo = swapHighLow(static_cast<uint32_t>(v));
    uint64_t hi = swapHighLow(static_cast<uint32_t>(v >> 32));
    return (lo << 32) | hi;
}

int UxL::isZen(int8_t b) {
    int u = static_cast<uint8_t>(b);
    return (u >= 0x81 && u <= 0x9F) || (u >= 0xE0 && u <= 0xFC) ? 1 : 0;
}
