#pragma once
// What a scan found, printed as Step 4 shows it (a tree under "Root") or as
// one JSON object per line in store order.
#include "found/found_item_store.h"

#include <ostream>

void PrintFoundTree(const FoundItemStore& store, bool ntfs, std::ostream& out);
void PrintFoundJson(const FoundItemStore& store, bool ntfs, std::ostream& out);
