#include "device/Math.h"

#include <cmath>

int Math::atan2(int a, int b) {
    // Single-precision inputs, the arc tangent in double rounded back to single precision.
    float angle = static_cast<float>(std::atan2(static_cast<double>(static_cast<float>(a)),
                                                static_cast<double>(static_cast<float>(b))));
    // The game's constant for pi, not a more precise one: it decides which way boundaries fall.
    int v = static_cast<int>(static_cast<double>(angle) * 2048.0 / 3.14159265);
    if (v < 0) v += 4096;
    return v;
}

int Math::sqrt(int x) {
    // The root of a negative number is not a number; 0 keeps the result definite.
    if (x < 0) return 0;
    float root = static_cast<float>(std::sqrt(static_cast<double>(static_cast<float>(x))));
    return static_cast<int>(root);
}
