#pragma once
// The FAT quick scan: the folders and files a FAT12/16/32 volume still
// describes, live and deleted, from its root directory down, breadth-first.
// Reads the volume through the sector source with the worker geometry only.
#include "found/found_item_store.h"
#include "found/scan_progress.h"

ScanEnd RunFatQuickScan(FoundItemStore& store, ScanProgress& progress);
