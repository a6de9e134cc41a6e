#include "saving/saving_options.h"

#include "platform/time_convert.h"

#include <algorithm>

SavingOptions theSavingOptions;

namespace {

char16_t Upper(char16_t c) {
    if (c >= u'a' && c <= u'z') return c - 0x20;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
    return c;
}

bool EqualNoCase(const std::u16string& a, const std::u16string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) {
               return Upper(x) == Upper(y);
           });
}

// Year, month and day of one of the file's three dates.
bool FileDate(const FoundFile& file, size_t range, const std::string& fs, int& year, int& month, int& day) {
    if (fs == "NTFS") {
        uint64_t value = uint64_t{file.times[range * 2]} | uint64_t{file.times[range * 2 + 1]} << 32;
        platform::CalendarTime t = platform::FileTimeToCalendar(value);
        year = t.year, month = t.month, day = t.day;
        return true;
    }
    if (fs != "FAT12" && fs != "FAT16" && fs != "FAT32") return false;
    static const size_t kDateSlot[] = {0, 2, 4};  // write date, creation date, access date
    uint32_t date = file.times[kDateSlot[range]];
    year = static_cast<int>(date >> 9) + 1980;
    month = static_cast<int>((date >> 5) & 0x0F);
    day = static_cast<int>(date & 0x1F);
    return true;
}

int64_t Hours(int year, int month, int day) { return int64_t{year} * 8640 + month * 720 + day * 24; }

}  // namespace

bool ItemTakenByOptions(bool ticked, const SavingOptions& options) {
    switch (options.filesToSave) {
        case FilesToSave::Selected: return ticked;
        case FilesToSave::Invert: return !ticked;
        case FilesToSave::All: break;
    }
    return true;
}

bool FileSelectedByOptions(const FoundFile& file, const SavingOptions& options) {
    return ItemTakenByOptions(file.selected == 'y', options);
}

bool PassesDateRanges(const FoundFile& file, const std::string& fs, const SavingOptions& options) {
    for (size_t r = 0; r < 3; ++r) {
        const DateRange& range = options.ranges[r];
        if (range[2] == 0 || range[2] < range[5]) continue;  // not in force
        int year = 0, month = 0, day = 0;
        if (!FileDate(file, r, fs, year, month, day)) continue;
        if (year > range[2] || year < range[5]) return false;
        int64_t key = Hours(year, month, day);
        if (key < Hours(range[5], range[4], range[3]) || key > Hours(range[2], range[1], range[0])) return false;
    }
    return true;
}

bool PassesDeletedFilter(char deleted, const SavingOptions& options) {
    if (options.deleted == DeletedFilter::Exclude) return deleted != 'y';
    if (options.deleted == DeletedFilter::Only) return deleted == 'y';
    return true;
}

bool PassesExtensionFilter(const std::u16string& name, const SavingOptions& options) {
    if (options.extensions.empty()) return true;
    size_t dot = name.rfind(u'.');
    std::u16string extension = (dot == std::u16string::npos ? name : name.substr(dot + 1)).substr(0, 7);
    return std::any_of(options.extensions.begin(), options.extensions.end(),
                       [&](const std::u16string& entry) { return EqualNoCase(entry, extension); });
}

std::string CheckNewExtension(const std::u16string& text, const SavingOptions& options, bool& ignored) {
    ignored = false;
    if (options.extensions.size() >= 100) return "Cannot add more extensions.";
    if (text.size() > 4) return "Extension should not exceed more than 4 characters.";
    if (text.find(u' ') != std::u16string::npos) return "Extension should not contain blank space.";
    if (text.empty()) {
        ignored = true;
        return {};
    }
    if (text.find(u'.') != std::u16string::npos)
        return "Do not include \".\" (DOT) in extension. Enter extensions like this : tmp,html,bak etc..";
    if (text.find(u'*') != std::u16string::npos)
        return "Do not include \"*\" in extension. Enter extensions like this : tmp,html,bak etc..";
    if (std::find(options.extensions.begin(), options.extensions.end(), text) != options.extensions.end())
        return "This extension already exist. Enter different extension.";
    return {};
}

DateRange RangeFromSelections(const std::array<int, 6>& s) {
    if (s == std::array<int, 6>{30, 11, 60, 0, 0, 0}) return DateRange{};
    return DateRange{s[0] + 1, s[1] + 1, s[2] + 1970, s[3] + 1, s[4] + 1, s[5] + 1970};
}
