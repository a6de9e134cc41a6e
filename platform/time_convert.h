#pragma once
// Time values of the media and of the program's reports.
//
// FILETIME (NTFS): 100-ns intervals since 1601-01-01 00:00 UTC, 64-bit.
// DOS date (FAT): bits 15-9 year since 1980, 8-5 month 1-12, 4-0 day 1-31.
// DOS time (FAT): bits 15-11 hour, 10-5 minute, 4-0 seconds / 2. DOS times
// are local times of whoever wrote them.
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

namespace platform {

struct CalendarTime {
    int year = 0;
    int month = 0;      // 1-12
    int day = 0;        // 1-31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int dayOfWeek = 0;  // 0 Sunday .. 6 Saturday
};

// Calendar fields of a FILETIME, by plain arithmetic (no time zone applied).
CalendarTime FileTimeToCalendar(uint64_t fileTime);
// Seconds since 1970 of a FILETIME; times before 1970 give negative values.
int64_t FileTimeToUnix(uint64_t fileTime);
// Nothing when the fields are not a real calendar time (month 0, day 31 of
// April, hour 25 ...).
std::optional<CalendarTime> DosDateTimeToCalendar(uint16_t date, uint16_t time);
// The instant at which the given local time of the user's time zone falls.
std::optional<time_t> LocalToUtc(const CalendarTime& local);
// The current local time.
CalendarTime LocalNow();
// Sets the last-write (and last-access) time of a file.
bool SetLastWriteTime(const std::string& path, time_t when);

}  // namespace platform
