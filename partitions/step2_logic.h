#pragma once
// Step 2 without its window: the three panel views with their sizes and pie
// charts, and the decisions of Next.
#include "partitions/partition_table.h"

#include <cstdint>
#include <string>
#include <vector>

struct PanelRow {
    std::string caption;
    std::string value;
    bool hidden = false;
};

struct PieSlice {
    std::string label;
    int value;
};

struct PieChart {
    std::string title;
    std::vector<PieSlice> slices;
};

struct Step2View {
    std::string heading;           // "You have selected ... with following properties :"
    std::vector<PanelRow> rows;
    bool hasChart = false;
    PieChart chart;
    uint64_t diskSizeBytes = 0;    // the disk view keeps the cached size for Next
};

// The disk view of `sourceName` (its Model, MediaType and Size from the
// geometry cache) with the "Partitions" chart of the disk's table.
Step2View DiskView(const std::string& sourceName, const DiskPartitionTable& table);
// The logical-drive view: file system and capacity (start and end of table
// entry 0 hidden), with the used and free chart.
Step2View DriveView(const std::string& sourceName, const DiskPartitionTable& table);
// The view of one partition.
Step2View PartitionView(const std::string& label, const PartitionEntry& entry);

// "N MB" from 1 MiB, "N GB" from 1 GiB (truncated); empty below 1 MiB.
std::string PartitionSizeText(uint32_t startSector, uint32_t endSector);

enum class Step2Outcome { Stay, PartitionRange, Scan };

struct Step2Choice {
    std::vector<std::string> values;  // the values of the view's rows, in order
    uint64_t diskSizeBytes = 0;
    bool searchExhaustive = false;
};

// Next: checks the rows, sets the job's file system and range, writes the
// Step 2 block of the Activity Report, validates the boot sector and says
// which step follows. Messages are shown through the prompt.
Step2Outcome Step2Next(const Step2Choice& choice);

// Opening and Back: the job fields Step 2 owns start empty again.
void ResetStep2Fields();
