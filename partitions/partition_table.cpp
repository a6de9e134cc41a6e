#include "partitions/partition_table.h"

#include "sectors/byte_view.h"
#include "sectors/sector_source.h"

#include <unordered_set>
#include <vector>

std::array<DiskPartitionTable, kMaxPartitions> theDiskPartitions;

namespace {

constexpr size_t kEntries = 0x1BE, kEntrySize = 16;

bool IsExtended(uint8_t type) { return type == 0x05 || type == 0x0F; }

// The file system of a partition by the type text of its first sector, else
// by its type byte; empty when it is none of the three.
std::string Classify(ByteView boot, uint8_t type, bool logical) {
    if (boot.matches(0x52, "FAT32")) return "FAT32";
    if (boot.matches(0x36, "FAT16")) return "FAT16";
    if (boot.matches(3, "NTFS")) return "NTFS";
    if (type == 0x04 || type == 0x06 || type == 0x0E || (logical && type == 0x01)) return "FAT16";
    if (type == 0x0B || type == 0x0C) return "FAT32";
    if (type == 0x07) return "NTFS";
    return {};
}

class TableReader {
public:
    TableReader(DiskPartitionTable& table, const std::string& device) : m_table(table), m_device(device) {}

    std::vector<uint8_t> Read(uint64_t sector) {
        std::vector<uint8_t> buffer(kSectorSize);
        ReadSectors(m_device, sector, 1, buffer.data());
        return buffer;
    }

    void Add(const std::string& fileSystem, uint32_t start, uint32_t end) {
        if (m_table.count >= kMaxPartitions) return;
        m_table.entries[m_table.count++] = PartitionEntry{fileSystem, start, end, 0};
    }

    // The four entries of a boot record at `base` (0 for the master boot
    // record). Returns whether a link to a next extended record was found,
    // with its offset in `link`; the master record reports the extended
    // partition's start there.
    bool Entries(const std::vector<uint8_t>& record, uint32_t base, bool logical, uint32_t& link) {
        ByteView view(record.data(), record.size());
        bool linked = false;
        for (size_t i = 0; i < 4; ++i) {
            size_t at = kEntries + i * kEntrySize;
            uint8_t type = view.u8(at + 4);
            uint32_t start = view.u32(at + 8), count = view.u32(at + 12);
            if (type == 0) continue;
            if (IsExtended(type)) {
                link = start;
                linked = true;
                if (!logical) continue;  // the master record reads nothing of it
            }
            std::vector<uint8_t> boot(kSectorSize, 0);
            if (!IsExtended(type)) boot = Read(uint64_t{base} + start);
            std::string fileSystem = Classify(ByteView(boot.data(), boot.size()), type, logical);
            if (!fileSystem.empty()) Add(fileSystem, base + start, base + start + count);
        }
        return linked;
    }

private:
    DiskPartitionTable& m_table;
    const std::string& m_device;
};

}  // namespace

std::optional<PartitionEntry> SingleVolume(const uint8_t* sector0) {
    ByteView boot(sector0, kSectorSize);
    std::optional<PartitionEntry> volume;
    if (boot.matches(0x39, "16")) volume = PartitionEntry{"FAT16", 0, boot.u32(0x20), 0};
    if (boot.matches(0x55, "32")) volume = PartitionEntry{"FAT32", 0, boot.u32(0x20), 0};
    if (boot.matches(3, "NTFS")) volume = PartitionEntry{"NTFS", 0, boot.u32(0x28), 0};
    return volume;
}

const DiskPartitionTable& ReadPartitionTable(int disk, const std::string& deviceName) {
    DiskPartitionTable& table = theDiskPartitions[static_cast<size_t>(disk) % kMaxPartitions];
    table = DiskPartitionTable();
    TableReader reader(table, deviceName);
    std::vector<uint8_t> mbr = reader.Read(0);
    if (mbr[510] != 0x55 && mbr[511] != 0xAA) return table;
    if (std::optional<PartitionEntry> volume = SingleVolume(mbr.data())) {
        reader.Add(volume->fileSystemName, 0, volume->endSector);
        return table;
    }
    uint32_t extendedStart = 0;
    if (!reader.Entries(mbr, 0, false, extendedStart) || extendedStart == 0) return table;

    // The chain of extended boot records; each link counts from the
    // extended partition's start. A record read before ends the chain.
    std::unordered_set<uint32_t> visited;
    uint32_t link = 0;
    while (table.count < kMaxPartitions) {
        uint32_t current = extendedStart + link;
        if (!visited.insert(current).second) break;
        std::vector<uint8_t> record = reader.Read(current);
        uint32_t next = 0;
        if (!reader.Entries(record, current, true, next)) break;
        link = next;
    }
    return table;
}

std::string PartitionLabel(int number, const std::string& fileSystemName) {
    return "Partition - " + std::to_string(number) + " ( " + fileSystemName + " )";
}
