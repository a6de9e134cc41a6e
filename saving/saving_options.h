#pragma once
// Which found files a saving run writes, and how FAT files are gathered.
// The options live for the program run and start at their defaults.
#include "found/found_item_store.h"

#include <array>
#include <string>
#include <vector>

enum class DeletedFilter : int { Include = 0, Exclude = 1, Only = 2 };
enum class FilesToSave : int { Selected = 0, All = 1, Invert = 2 };
enum class FatSavingMode : int { Auto = 0, Fat1 = 1, Fat2 = 2, Contiguous = 3 };

// Earlier day, month, year and after day, month, year; all 0: off.
using DateRange = std::array<int, 6>;

struct SavingOptions {
    DeletedFilter deleted = DeletedFilter::Include;
    FilesToSave filesToSave = FilesToSave::Selected;
    FatSavingMode fatMode = FatSavingMode::Auto;
    std::vector<std::u16string> extensions;      // at most 100, each at most 4 characters
    std::array<DateRange, 3> ranges{};           // modified, created, accessed
    // The dialog's six list selections of each range: day, month and year
    // indexes of Earlier (31 12 2030) and After (01 01 1970).
    std::array<std::array<int, 6>, 3> selections{{{30, 11, 60, 0, 0, 0}, {30, 11, 60, 0, 0, 0}, {30, 11, 60, 0, 0, 0}}};
};

// The range the six selections give: off (all 0) at the defaults, else the
// days, months and years they name.
DateRange RangeFromSelections(const std::array<int, 6>& selections);

extern SavingOptions theSavingOptions;

// The folder test of the saving walks: whether a tree folder with this tick
// state is taken.
bool ItemTakenByOptions(bool ticked, const SavingOptions& options);
bool FileSelectedByOptions(const FoundFile& file, const SavingOptions& options);
// The three date ranges; `fileSystemName` tells how the dates are held.
bool PassesDateRanges(const FoundFile& file, const std::string& fileSystemName, const SavingOptions& options);
bool PassesDeletedFilter(char deleted, const SavingOptions& options);
// The text after the last "." (the whole name without one), cut to 7
// characters, against the list without regard to case.
bool PassesExtensionFilter(const std::u16string& displayName, const SavingOptions& options);

// The check of the "&Add" button: empty when the extension can be added,
// else the message to show. An empty text is "nothing happens" (`ignored`).
std::string CheckNewExtension(const std::u16string& text, const SavingOptions& options, bool& ignored);
