#include "found/found_dates.h"

#include "platform/time_convert.h"

#include <cstdio>

namespace {

const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

uint64_t FileTimeOf(const FoundTimes& times, DateColumn column) {
    size_t slot = static_cast<size_t>(column) * 2;
    return uint64_t{times[slot]} | uint64_t{times[slot + 1]} << 32;
}

// The DOS date and time of a column; the access column has no time.
void DosValues(const FoundTimes& times, DateColumn column, uint16_t& date, uint16_t& time) {
    switch (column) {
        case DateColumn::Modified: date = static_cast<uint16_t>(times[0]); time = static_cast<uint16_t>(times[1]); break;
        case DateColumn::Created: date = static_cast<uint16_t>(times[2]); time = static_cast<uint16_t>(times[3]); break;
        case DateColumn::Accessed: date = static_cast<uint16_t>(times[4]); time = 0; break;
    }
}

}  // namespace

std::string ListDate(const FoundTimes& times, DateColumn column, bool ntfs) {
    char text[48];
    if (ntfs) {
        platform::CalendarTime t = platform::FileTimeToCalendar(FileTimeOf(times, column));
        std::snprintf(text, sizeof text, "%02d-%s-%d %02d:%02d:%02d", t.day, kMonths[t.month - 1], t.year, t.hour,
                      t.minute, t.second);
        return text;
    }
    uint16_t date = 0, time = 0;
    DosValues(times, column, date, time);
    int month = (date >> 5) & 15;
    const char* monthName = month >= 1 && month <= 12 ? kMonths[month - 1] : "Err";
    if (column == DateColumn::Accessed)
        std::snprintf(text, sizeof text, "%02d-%s-%d", date & 31, monthName, date / 512 + 1980);
    else
        std::snprintf(text, sizeof text, "%02d-%s-%d %02d:%02d", date & 31, monthName, date / 512 + 1980, time >> 11,
                      (time >> 5) & 63);
    return text;
}

std::string IsoDate(const FoundTimes& times, DateColumn column, bool ntfs) {
    char text[48];
    platform::CalendarTime t;
    if (ntfs) {
        t = platform::FileTimeToCalendar(FileTimeOf(times, column));
    } else {
        uint16_t date = 0, time = 0;
        DosValues(times, column, date, time);
        auto dos = platform::DosDateTimeToCalendar(date, time);
        if (!dos) return {};
        t = *dos;
        if (column == DateColumn::Accessed) {
            std::snprintf(text, sizeof text, "%04d-%02d-%02d", t.year, t.month, t.day);
            return text;
        }
    }
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    return text;
}
