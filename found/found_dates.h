#pragma once
// The dates of found items as Step 4 lists them, and as ISO 8601 texts.
// FAT items hold DOS date and time values (local time of the writer); NTFS
// items FILETIMEs, shown without a time-zone adjustment.
#include "found/found_item_store.h"

#include <string>

enum class DateColumn { Modified, Created, Accessed };

// "05-Mar-2004 17:09" (FAT; the accessed column has the date only) or
// "05-Mar-2004 17:09:33" (NTFS). A month of 0 or above 12 reads "Err".
std::string ListDate(const FoundTimes& times, DateColumn column, bool ntfs);
// "2004-03-05T17:09:32" ("2004-03-05" for a FAT access date); empty when the
// value is no calendar date.
std::string IsoDate(const FoundTimes& times, DateColumn column, bool ntfs);
