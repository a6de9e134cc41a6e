#pragma once
// Writing one found file back into a real file: FAT files from their
// cluster chain (or consecutive clusters), NTFS files from their unnamed
// $DATA, resident or not. Interactive mode (the saving run) applies the
// filters and the name-clash answers and obeys Pause, Skip and Abort; plain
// mode (opening a file) writes it and nothing else.
#include "found/found_item_store.h"
#include "ntfs/ntfs_record.h"
#include "saving/saving_run.h"

#include <cstdint>
#include <string>
#include <vector>

struct SaveTarget {
    std::string folder;        // the destination folder
    std::u16string name;       // the file's display name, made safe for a path
};

// A name read from the medium as a file or folder name that cannot leave its
// folder: "/" and NUL become "_", and "." and ".." gain a leading "_".
std::u16string SafeFileName(const std::u16string& name);

// The display name of a found record (8-bit names at most 100 characters).
std::u16string DisplayNameOf(const std::string& name8, const std::u16string& name16);

// 1 written (maybe in part: Skip, Abort, short data), 0 passed over or failed.
int SaveFatFile(const SaveTarget& target, const FoundFile& file, bool interactive);
int SaveNtfsFile(const SaveTarget& target, const FoundFile& file, uint32_t recordSector, bool interactive);

// The chain of `start` through the FAT copy at `fatStart`, ending only at 0
// and the all-ones value, at most `count` + 1 clusters.
std::vector<uint32_t> BuildClusterChain(const std::string& fileSystemName, uint32_t start, uint32_t fatStart,
                                        uint32_t count);

// The first free name: report.doc -> report0.doc, report1.doc ... up to 9999.
// False when all of them exist.
bool MakeUniqueName(SaveTarget& target);

// The last-write time of a saved file: a DOS date and time (local) or an
// NTFS time taken as local clock time. An invalid DOS time sets nothing.
void SetSavedFileTime(const std::string& path, uint16_t dosDate, uint16_t dosTime);
void SetSavedFileTime(const std::string& path, uint64_t fileTime);

// Writes an NTFS file from its runs (start sector 0: a sparse run of zeros),
// a whole cluster at a time, until its size; runs that end early leave a
// shorter file. 1 written, 0 when the destination could not be created.
int WriteExtents(const std::string& path, const RunTable& runs, uint64_t size, uint64_t fileTime, bool interactive);

// The sector of an NTFS file's record: the one a search recorded, else the
// record number's place in the MFT.
uint32_t RecordSectorOf(const FoundFile& file);
