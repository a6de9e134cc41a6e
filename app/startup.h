#pragma once
// Start-up of the program, before the front page opens.
#include "platform/time_convert.h"

#include <string>

// "9:05 - Monday, January 07, 2008": hour without a leading zero, minute with
// two digits, day name, month name, day with two digits, four-digit year.
std::string FormatStartStamp(const platform::CalendarTime& when);

// Fills the process facts of the job (platform tag, picture folder, settings
// key, titles, version, start stamp) and makes sure the installation folder
// exists.
void InitialiseJobFacts();

// InitialiseJobFacts, then the start block of the Activity Report.
void StartUp();
