#include "partitions/partition_table.h"

#include "sectors/byte_view.h"
#include "sectors/sector_source.h"

std::optional<PartitionEntry> SingleVolume(const uint8_t* sector0) {
    ByteView boot(sector0, kSectorSize);
    std::optional<PartitionEntry> volume;
    if (boot.matches(0x39, "16")) volume = PartitionEntry{"FAT16", 0, boot.u32(0x20)};
    if (boot.matches(0x55, "32")) volume = PartitionEntry{"FAT32", 0, boot.u32(0x20)};
    if (boot.matches(3, "NTFS")) volume = PartitionEntry{"NTFS", 0, boot.u32(0x28)};
    return volume;
}
