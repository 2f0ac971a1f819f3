#include "device/Calendar.h"

namespace {

constexpr int64_t DAY_MS = 86400000;

// Division rounding toward minus infinity, so instants before 1970 fall on the right day.
int64_t floorDiv(int64_t a, int64_t b) {
    int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

struct CivilDate {
    int64_t year;
    int month;  // 1..12
    int day;    // 1..31
};

// The Gregorian date of a day number counted from 1970-01-01, in 400-year eras that begin on
// March 1 so that the leap day falls at the end of a year.
CivilDate civilFromDays(int64_t days) {
    int64_t z = days + 719468;  // days since 0000-03-01
    int64_t era = floorDiv(z, 146097);
    int64_t doe = z - era * 146097;                                       // 0..146096
    int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;  // 0..399
    int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);                // 0..365
    int64_t mp = (5 * doy + 2) / 153;                                     // 0 = March
    int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    int64_t year = yoe + era * 400 + (month <= 2 ? 1 : 0);
    return {year, month, day};
}

}  // namespace

int Calendar::get(int field) const {
    int64_t days = floorDiv(m_i64MS, DAY_MS);
    // The remainder, not days * DAY_MS, which overflows near the most negative instant.
    int64_t msOfDay = m_i64MS % DAY_MS;
    if (msOfDay < 0) msOfDay += DAY_MS;
    switch (field) {
        case HOUR_OF_DAY:
            return static_cast<int>(msOfDay / 3600000);
        case MINUTE:
            return static_cast<int>(msOfDay / 60000 % 60);
        case YEAR:
            return static_cast<int>(civilFromDays(days).year);
        case MONTH:
            return civilFromDays(days).month - 1;
        case DATE:
            return civilFromDays(days).day;
        default:
            return 0;
    }
}
