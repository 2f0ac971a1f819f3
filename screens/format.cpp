// Number and text formatting for the windows, and the packed bit strings and byte fields of
// the world. A formatted number is padded on the left to its field and never cut.

#include <bit>

#include "game/MainCanvas.h"

namespace {

// |n| without overflow, also for the most negative value.
uint64_t magnitude(int64_t n) {
    return n < 0 ? 0 - static_cast<uint64_t>(n) : static_cast<uint64_t>(n);
}

}  // namespace

// A number in a field of p characters, padded on the left with c before any sign.
J_String MainCanvas::IntToString(int n, int p, char c) {
    J_String s;
    int w = n < 0 ? p - 1 : p;
    for (int k = getKeta(n); k < w; k++)
        s += c;
    s += static_cast<int32_t>(n);
    return s;
}

// Upper-case hexadecimal in a field of p characters, padded on the left with c (colour
// components). A negative number shows its 32-bit two's complement, as the colour word holds it.
J_String MainCanvas::IntToHex(int n, int p, char c) {
    J_String s;
    uint32_t u = static_cast<uint32_t>(n);
    int digits = n < 0 ? 8 : getKetaHex(n);
    for (int k = digits; k < p; k++)
        s += c;
    for (int i = digits - 1; i >= 0; i--) {
        int d = static_cast<int>((u >> (4 * i)) & 15);
        s += static_cast<char>(d < 10 ? '0' + d : 'A' + d - 10);
    }
    return s;
}

// Money with thousands separators, right-aligned in p characters (p = 0: no padding). The
// padding counts at most 12 digits, so larger sums push the field wider.
J_String MainCanvas::LongToFundString(int64_t n, int p) {
    J_String s;
    int k = getKeta(n);
    int w = k + (k - 1) / 3;
    if (n < 0) p = p - 1;
    for (int i = w; i < p; i++)
        s += ' ';
    if (n < 0) s += '-';
    // The digits of |n| are those of n without its sign, which also holds for the most
    // negative value, whose magnitude has no positive 64-bit form.
    J_String digits;
    digits += n;
    if (n < 0) digits = digits.substring(1);
    int m = digits.length();
    for (int i = m; i >= 1; i--) {
        s += static_cast<uint16_t>(digits.charAt(m - i));
        if (i > 1 && (i - 1) % 3 == 0) s += ',';
    }
    return s;
}

// The password mask: one "*" per byte before the first zero byte.
J_String MainCanvas::toAsterString(const int8_t* a, int size) {
    J_String s;
    for (int i = m_strlen(a, size); i > 0; i--)
        s += '*';
    return s;
}

// The bytes of a zero-padded field up to its first zero byte.
J_String MainCanvas::toString(const int8_t* a, int size) {
    return J_String(a, m_strlen(a, size));
}

// Decimal digits of |n|: 1..11, and 12 for everything from 10^11 up.
int MainCanvas::getKeta(int64_t n) {
    uint64_t u = magnitude(n);
    uint64_t limit = 10;
    for (int k = 1; k < 12; k++, limit *= 10) {
        if (u < limit) return k;
    }
    return 12;
}

// Hexadecimal digits of |n|: 1..7, and 8 for everything from 2^28 up.
int MainCanvas::getKetaHex(int64_t n) {
    uint64_t u = magnitude(n);
    for (int k = 1; k < 8; k++) {
        if (u < (uint64_t{1} << (4 * k))) return k;
    }
    return 8;
}

// The length of a zero-padded field: the index of its first zero byte, or its size.
int MainCanvas::m_strlen(const int8_t* a, int size) {
    if (!a) return 0;
    int n = 0;
    while (n < size && a[n] != 0)
        n++;
    return n;
}

// |n|; the most negative int has no positive form and comes back unchanged, as 32-bit
// negation leaves it.
int MainCanvas::abs(int n) {
    return n > 0 ? n : static_cast<int>(0u - static_cast<unsigned>(n));
}

int MainCanvas::getSign(int n) {
    return n > 0 ? 1 : (n < 0 ? -1 : 0);
}

// Set bits among bits 0..7, so a track mask read back negative from its byte counts right.
int MainCanvas::countBitByte(int a) {
    return std::popcount(static_cast<unsigned>(a) & 255u);
}

// 2^n, and 1 for negative n. Exponents past 30 wrap as 32-bit arithmetic does (2^31 is the
// most negative int, 2^32 and up are 0) instead of shifting out of range.
int MainCanvas::pow_2(int n) {
    if (n < 0) return 1;
    if (n >= 32) return 0;
    return static_cast<int>(1u << n);
}

// About 256 * 2^(n / 8): the land price curve, doubling every 8 levels.
int MainCanvas::pow_2_8(int n) {
    static constexpr int A[8] = {1, 253, 44, 83, 239, 128, 37, 255};
    static constexpr int B[8] = {1, 232, 37, 64, 169, 83, 22, 139};
    int q = n / 8;
    int r = n % 8;
    int base = static_cast<int>(static_cast<unsigned>(pow_2(q)) * 256u);
    if (r <= 0) return base;
    // Multiply first, then divide. Every level the world stores (up to 127) fits in 32 bits;
    // the 64-bit product keeps larger n defined, wrapping the quotient to 32 bits.
    return static_cast<int>(static_cast<int64_t>(base) * A[r] / B[r]);
}

// Byte n of v (0: bits 0..7, 1: bits 8..15); any other n gives v >> 16 unmasked, which is
// the red byte of a colour.
int MainCanvas::getByteFromInt(int v, int n) {
    if (n == 0) return v & 255;
    if (n == 1) return (v >> 8) & 255;
    return v >> 16;
}

int MainCanvas::toUnsigned(int8_t b) {
    return b < 0 ? b + 256 : b;
}

// Bit i of bt, 0 or 1; bits outside 0..31 read as 0.
int MainCanvas::toBitFromByte(int bt, int i) {
    if (i < 0 || i > 31) return 0;
    return static_cast<int>((static_cast<unsigned>(bt) >> i) & 1u);
}

int MainCanvas::toBitFromSBYTE(int8_t b, int n) {
    return toBitFromByte(toUnsigned(b), n);
}

// Bit n of a bit string, least significant bit of each byte first; negative n reads as 0.
int MainCanvas::toBitFromASB(const int8_t* asb, int n) {
    if (!asb || n < 0) return 0;
    return toBitFromSBYTE(asb[n / 8], n % 8);
}

// Sets bit ib of a bit string to d (0 or 1); negative ib changes nothing. Any d other than 0
// sets the bit, so a stray value cannot spill into the neighbouring bits.
void MainCanvas::setABit(int8_t* asb, int ib, int d) {
    if (!asb || ib < 0) return;
    int m = 1 << (ib % 8);
    int byte = toUnsigned(asb[ib / 8]);
    asb[ib / 8] = static_cast<int8_t>((byte & (255 - m)) | (d != 0 ? m : 0));
}

// Unpacks the 8 bits of bt, least significant first, into asb[i]..asb[i + 7] as 0/1 bytes.
void MainCanvas::toASBFromBit(int8_t* asb, int i, int bt) {
    if (!asb || i < 0) return;
    for (int k = 0; k < 8; k++)
        asb[i + k] = static_cast<int8_t>(toBitFromByte(bt, k));
}

// Unpacks n bytes from asb[i] into a new array of n * 8 bytes of 0/1, for editing switch
// bits one per entry. Bytes at negative positions read as 0.
std::vector<int8_t> MainCanvas::toASBFromABit(const int8_t* asb, int i, int n) {
    if (n <= 0) return {};
    std::vector<int8_t> out(static_cast<size_t>(n) * 8, 0);
    for (int k = 0; k < n; k++) {
        int at = i + k;
        if (asb && at >= 0) toASBFromBit(out.data(), k * 8, asb[at]);
    }
    return out;
}

// Copies s into a zero-padded field, cut at the field's size (login ID and password).
void MainCanvas::setSByteA(int8_t* a, int size, const J_String& s) {
    if (!a || size <= 0) return;
    const std::vector<int8_t>& bytes = s.getBytes();
    for (int i = 0; i < size; i++) {
        a[i] = i < static_cast<int>(bytes.size()) ? bytes[static_cast<size_t>(i)] : 0;
    }
}
