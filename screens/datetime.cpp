// The date and time windows, and the month roll-over that charges debt interest
// and turns the stations' monthly counts over.
#include "device/Calendar.h"
#include "game/MainCanvas.h"

// Refreshes the date and time windows from the game clock and rolls the month over.
void MainCanvas::putDT() {
    Calendar c = Calendar::getInstance();
    c.setTimeInMillis(m_la[0]);
    int hour = c.get(Calendar::HOUR_OF_DAY);
    int month = c.get(Calendar::MONTH) + 1;
    m_tuw.setString(m_iWndTime, 0, getTimeString_main(c));
    J_String date = IntToString(c.get(Calendar::YEAR) - 1969, 2, ' ');
    date += "年";
    date += IntToString(month, 2, ' ');
    date += "月";
    date += IntToString(c.get(Calendar::DATE), 2, ' ');
    date += "日";
    m_tuw.setString(m_iWndDate, 0, date);
    if (hour != m_iBeforeHour) m_bRepaint = 1;
    if (m_iBeforeMonth != 0 && m_iBeforeMonth != month) {
        if (m_la[1] < 0) m_la[1] += m_la[1] / 100;  // a debt grows by 1% a month
        for (int i = 0; i < STATIONS; i++) {
            StationPLM[i] = StationPTM[i];
            StationPTM[i] = 0;
        }
    }
    m_iBeforeHour = hour;
    m_iBeforeMonth = month;
}

// The time of day of a game instant, as "hh:mm".
J_String MainCanvas::getTimeString(int64_t t) const {
    Calendar c = Calendar::getInstance();
    c.setTimeInMillis(t);
    return getTimeString_main(c);
}

J_String MainCanvas::getTimeString_main(const Calendar& c) {
    return createTimeString(c.get(Calendar::HOUR_OF_DAY), c.get(Calendar::MINUTE));
}

// Two two-digit numbers joined by a colon: 07:05.
J_String MainCanvas::createTimeString(int h, int m) {
    J_String s = IntToString(h, 2, '0');
    s += ":";
    s += IntToString(m, 2, '0');
    return s;
}
