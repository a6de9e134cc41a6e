#pragma once
// What `scan` and `recover` share: the volume options and the scan itself.
#include "cli/commands.h"

#include <cstdint>
#include <functional>
#include <string>

struct ScanOptions {
    std::string source;
    int partition = 0;
    uint64_t first = 0, end = 0;
    std::string fileSystem;
    bool json = false;
};

// A command's own argument at args[i]; true when taken (i moved past its values).
using ExtraArgument = std::function<bool(const Arguments& args, size_t& i)>;

bool ParseScanOptions(const Arguments& args, CliPrompt& prompt, ScanOptions& options, const char* usage,
                      const ExtraArgument& extra);
// Opens the source, chooses the volume as Step 2 does and runs the scan;
// false with a message on stderr.
bool ScanSource(const ScanOptions& options);
