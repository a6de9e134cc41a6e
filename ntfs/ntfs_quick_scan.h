#pragma once
// The NTFS quick scan: every folder and file record of the volume's $MFT,
// live and deleted, read two sectors at a time along the MFT extent table.
#include "fat/fat_quick_scan.h"

ScanEnd RunNtfsQuickScan(FoundItemStore& store, ScanProgress& progress);
