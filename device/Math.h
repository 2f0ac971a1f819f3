#pragma once
// Integer geometry for track planning, station distances and development. Both functions go
// through single precision, and that rounding decides track directions, fares and building
// levels, so the order of conversions is fixed.

class Math {
public:
    // The angle of the vector (a, b) in 4096ths of a turn, 0..4095: 0 along +b, 1024 along +a.
    static int atan2(int a, int b);
    // The square root of x truncated to an integer; 0 for negative x.
    static int sqrt(int x);
};
