#include "platform/time_convert.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace platform {
namespace {

constexpr int64_t kFileTimePerSecond = 10'000'000;
// Seconds from 1601-01-01 to 1970-01-01.
constexpr int64_t kEpochDifference = 11'644'473'600;

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeap(year) ? 29 : days[month - 1];
}

// Day of the week of a date, 0 = Sunday (Sakamoto's method).
int DayOfWeek(int year, int month, int day) {
    static const int offset[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (month < 3) year -= 1;
    return (year + year / 4 - year / 100 + year / 400 + offset[month - 1] + day) % 7;
}

}  // namespace

CalendarTime FileTimeToCalendar(uint64_t fileTime) {
    uint64_t seconds = fileTime / kFileTimePerSecond;
    uint64_t days = seconds / 86400;
    uint64_t rest = seconds % 86400;
    CalendarTime t;
    t.hour = static_cast<int>(rest / 3600);
    t.minute = static_cast<int>(rest / 60 % 60);
    t.second = static_cast<int>(rest % 60);
    t.dayOfWeek = static_cast<int>((days + 1) % 7);  // 1601-01-01 was a Monday
    int year = 1601;
    for (;;) {
        // Whole 400-year cycles first, so that far-off times cost nothing.
        if (days >= 146097) {
            year += 400 * static_cast<int>(days / 146097);
            days %= 146097;
            continue;
        }
        int length = IsLeap(year) ? 366 : 365;
        if (days < static_cast<uint64_t>(length)) break;
        days -= length;
        ++year;
    }
    int month = 1;
    while (days >= static_cast<uint64_t>(DaysInMonth(year, month))) days -= DaysInMonth(year, month++);
    t.year = year;
    t.month = month;
    t.day = static_cast<int>(days) + 1;
    return t;
}

int64_t FileTimeToUnix(uint64_t fileTime) {
    return static_cast<int64_t>(fileTime / kFileTimePerSecond) - kEpochDifference;
}

std::optional<CalendarTime> DosDateTimeToCalendar(uint16_t date, uint16_t time) {
    CalendarTime t;
    t.year = 1980 + (date >> 9);
    t.month = (date >> 5) & 0x0F;
    t.day = date & 0x1F;
    t.hour = time >> 11;
    t.minute = (time >> 5) & 0x3F;
    t.second = (time & 0x1F) * 2;
    if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > DaysInMonth(t.year, t.month) ||
        t.hour > 23 || t.minute > 59 || t.second > 59)
        return std::nullopt;
    t.dayOfWeek = DayOfWeek(t.year, t.month, t.day);
    return t;
}

std::optional<time_t> LocalToUtc(const CalendarTime& local) {
    std::tm tm{};
    tm.tm_year = local.year - 1900;
    tm.tm_mon = local.month - 1;
    tm.tm_mday = local.day;
    tm.tm_hour = local.hour;
    tm.tm_min = local.minute;
    tm.tm_sec = local.second;
    tm.tm_isdst = -1;
    time_t when = std::mktime(&tm);
    if (when == static_cast<time_t>(-1)) return std::nullopt;
    return when;
}

CalendarTime LocalNow() {
    time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    CalendarTime t;
    t.year = tm.tm_year + 1900;
    t.month = tm.tm_mon + 1;
    t.day = tm.tm_mday;
    t.hour = tm.tm_hour;
    t.minute = tm.tm_min;
    t.second = tm.tm_sec;
    t.dayOfWeek = tm.tm_wday;
    return t;
}

bool SetLastWriteTime(const std::string& path, time_t when) {
    struct timespec times[2];
    times[0].tv_sec = when;
    times[0].tv_nsec = 0;
    times[1] = times[0];
    return utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}

}  // namespace platform
