// vornix-cli dump SOURCE --sector N [--count C] [--bad-sectors POLICY]
// Prints sectors read through the sector source as hex and text.
#include "app/recovery_job.h"
#include "cli/cli_prompt.h"
#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/source_option.h"
#include "sectors/sector_source.h"

#include <cstdio>
#include <iostream>
#include <vector>

namespace {

constexpr uint32_t kChunkSectors = 2048;

void PrintSector(uint64_t sector, const uint8_t* data) {
    std::printf("Sector %llu (byte offset 0x%llX)\n", static_cast<unsigned long long>(sector),
                static_cast<unsigned long long>(sector * kSectorSize));
    for (size_t row = 0; row < kSectorSize; row += 16) {
        std::printf("%03zX  ", row);
        for (size_t i = 0; i < 16; ++i) std::printf(i == 8 ? " %02X " : "%02X ", data[row + i]);
        std::printf(" |");
        for (size_t i = 0; i < 16; ++i) {
            uint8_t c = data[row + i];
            std::putchar(c >= 0x20 && c < 0x7F ? c : '.');
        }
        std::printf("|\n");
    }
}

}  // namespace

int RunDump(const Arguments& args, CliPrompt& prompt) {
    std::string source;
    uint64_t sector = 0, count = 1;
    bool haveSector = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        bool hasValue = i + 1 < args.size();
        if (arg == "--sector" && hasValue && ParseUnsigned(args[i + 1], sector)) {
            haveSector = true;
            ++i;
        } else if (arg == "--count" && hasValue && ParseUnsigned(args[i + 1], count) && count > 0 &&
                   count <= 0xFFFFFFFFu) {
            ++i;
        } else if (arg == "--bad-sectors" && hasValue && prompt.SetBadSectorPolicy(args[i + 1])) {
            ++i;
        } else if (source.empty() && !arg.empty() && arg[0] != '-') {
            source = arg;
        } else {
            std::cerr << "vornix-cli dump: unexpected or invalid argument '" << arg << "'\n";
            return 2;
        }
    }
    if (source.empty() || !haveSector) {
        std::cerr << "usage: vornix-cli dump SOURCE --sector N [--count C] [--bad-sectors POLICY]\n";
        return 2;
    }
    std::string error;
    if (!OpenSource(source, error)) {
        std::cerr << "vornix-cli: " << error << '\n';
        return 1;
    }

    int status = 0;
    std::vector<uint8_t> buffer;
    for (uint64_t done = 0; done < count;) {
        uint32_t n = static_cast<uint32_t>(std::min<uint64_t>(kChunkSectors, count - done));
        buffer.assign(size_t{n} * kSectorSize, 0);
        uint64_t first = sector + done;
        if (!ReadSectors(DeviceNameTable[theJob.diskNumber], first, n, buffer.data())) {
            std::cerr << "vornix-cli: reading sectors " << first << " to " << first + n - 1
                      << " failed; sectors that could not be read are shown as zeros\n";
            status = 1;
        }
        for (uint32_t i = 0; i < n; ++i) PrintSector(first + i, buffer.data() + size_t{i} * kSectorSize);
        done += n;
    }
    return status;
}
