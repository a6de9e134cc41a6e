#pragma once
// The SOURCE argument of the commands: a raw image file or a block device,
// read as a whole disk (Disk0), or a folder holding an image set.
#include <string>

// Makes the source the job's disk. False with a reason a person can act on
// when it cannot be read.
bool OpenSource(const std::string& source, std::string& error);
