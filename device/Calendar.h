#pragma once
// Turns the game clock, a millisecond count since 1970-01-01 00:00, into a date and a time
// of day. The count is read as universal time, so dates never depend on where the game runs.

#include <cstdint>

class Calendar {
public:
    static constexpr int HOUR_OF_DAY = 1;  // 0..23
    static constexpr int MINUTE = 2;       // 0..59
    static constexpr int YEAR = 3;         // calendar year, e.g. 1970
    static constexpr int MONTH = 4;        // 0..11, 0 = January
    static constexpr int DATE = 5;         // day of the month, 1..31

    int64_t m_i64MS = 0;  // the instant, milliseconds since 1970-01-01 00:00:00

    // A new calendar each call; nothing is shared between them.
    static Calendar getInstance() { return Calendar(); }
    void setTimeInMillis(int64_t millis) { m_i64MS = millis; }
    // The field of the stored instant in the Gregorian calendar; 0 for an unknown field.
    int get(int field) const;
};
