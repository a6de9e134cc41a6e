#pragma once
// NTFS on-disk records: MFT file records, their attributes, index blocks and
// the mapping pairs (run lists) of non-resident attributes.
//
// FILE record (1024 bytes, two sectors):
//   0x00 "FILE"  0x04 u16 update sequence offset  0x06 u16 update sequence count
//   0x14 u16 first attribute  0x16 u16 flags: low byte 0 deleted file, 1 file,
//   2 deleted directory, 3 directory  0x1C u32 allocated size of the record
//   0x20 u64 base record of an extension record (0 in a base record)
// Attribute header:
//   0x00 u32 type (0x10 $STANDARD_INFORMATION, 0x20 $ATTRIBUTE_LIST,
//        0x30 $FILE_NAME, 0x80 $DATA, 0x90 $INDEX_ROOT, 0xA0 $INDEX_ALLOCATION;
//        0 or 0xFFFFFFFF ends the list)
//   0x04 u32 length  0x08 u8 non-resident  0x09 u8 name length (characters)
//   resident:     0x10 u32 value length  0x14 u16 value offset  0x18 name
//   non-resident: 0x20 u16 mapping pairs offset  0x30 u64 data size  0x40 name
// INDX block: 0x00 "INDX"  0x04/0x06 update sequence  0x10 u64 VCN
//   0x18 u32 first entry (relative to 0x18)  0x20 u32 allocated size of entries
//
// Every field is read through a bounds-checked view of the buffer: a
// structure that does not fit in it is treated as absent.
#include "found/found_item_store.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

constexpr size_t kMftRecordSize = 1024;
constexpr uint32_t kSectorsPerMftRecord = 2;
constexpr uint32_t kRootRecord = 5;

enum AttributeType : uint32_t {
    kAttrStandardInformation = 0x10,
    kAttrAttributeList = 0x20,
    kAttrFileName = 0x30,
    kAttrData = 0x80,
    kAttrIndexRoot = 0x90,
    kAttrIndexAllocation = 0xA0,
};

enum FileNameSpace : uint8_t { kPosix = 0, kWin32 = 1, kDos = 2, kWin32AndDos = 3 };
// The order in which a record's names are tried.
constexpr FileNameSpace kNameOrder[] = {kWin32, kWin32AndDos, kPosix, kDos};

// Restores the sector ends of a record or an index block from its update
// sequence array, for every sector that lies within the buffer.
void ApplyFixups(uint8_t* buffer, size_t length);

// Modification, creation and last-access times of $STANDARD_INFORMATION, as
// the store keeps them (three FILETIMEs, low word first).
bool GetStandardTimes(const uint8_t* record, FoundTimes& times);

struct FileName {
    uint32_t parent = 0;
    std::u16string name;
    FoundTimes times{};
};
// The first unnamed $FILE_NAME of the namespace, with the record's times.
bool GetFileName(const uint8_t* record, FileNameSpace space, FileName& out);
// Applies the fixups, then tries the namespaces in order; without any name
// the name is empty and the parent 0. False only for the root ("." in 5).
bool GetAnyFileName(uint8_t* record, FileName& out);

// Size of the first unnamed $DATA: the value length when resident, the data
// size when not.
std::optional<uint64_t> GetDataSize(const uint8_t* record);
// Offset of the first unnamed $DATA and 1 resident, 2 non-resident; 0 none.
int FindDataAttribute(const uint8_t* record, size_t& position);

// The record itself followed by the records its resident $ATTRIBUTE_LIST
// names, in list order; at most 50.
class ExtensionRecordTable {
public:
    static constexpr size_t kCapacity = 50;
    void Reset(uint32_t record) { m_records.assign(1, record); }
    void Append(uint32_t record) {
        if (m_records.size() < kCapacity) m_records.push_back(record);
    }
    const std::vector<uint32_t>& Records() const { return m_records; }

private:
    std::vector<uint32_t> m_records;
};
void ListExtensionRecords(const uint8_t* record, ExtensionRecordTable& table);

// The directory's own MFT number from the first key of its $INDEX_ROOT $I30
// (0 when not found).
uint32_t IndexRootOwner(const uint8_t* record);
// LCN of the first run of $INDEX_ALLOCATION $I30 (0 when none).
uint32_t IndexAllocationStart(const uint8_t* record, size_t length);

struct IndexBlockInfo {
    uint32_t owner;  // MFT number of the directory the block belongs to
    uint32_t vcn;
};
// From the first 512 bytes of an INDX block; nothing when it is unusable.
std::optional<IndexBlockInfo> ParseIndexBlock(const uint8_t* block);

// Runs of an attribute's data: start sector on the source (0 for a sparse
// run) and length in sectors.
struct Run {
    uint32_t startSector;
    uint32_t sectors;
};
using RunTable = std::vector<Run>;

// Decodes the mapping pairs at `offset` of the attribute `attribute` (the
// bytes of the attribute alone) and appends its runs. The first run's offset
// is an LCN counted from the volume start; later ones are signed and relative
// to the last run that was not sparse. Fields longer than 4 bytes are cut to
// their low 4 bytes. Decoding stops at a header byte 0 and where the list
// would leave the attribute.
void DecodeMappingPairs(const uint8_t* attribute, size_t attributeLength, size_t offset, uint32_t volumeStart,
                        uint32_t sectorsPerCluster, RunTable& runs);

// The process-wide table of where $MFT lies, built before an NTFS scan.
extern RunTable theMftExtents;
// Fills theMftExtents from the $DATA of the $MFT record (and of the records
// its attribute list names), each extent once, in order.
void BuildMftExtentTable(uint32_t volumeStart, uint32_t mftSector, uint32_t sectorsPerCluster);
// Sector of the first half of MFT record n, or 0 beyond the table.
uint32_t MftRecordSector(uint32_t record);
// The runs of a file's unnamed $DATA, from its record at `recordSector` and
// the records its attribute list (resident or not) names for $DATA.
RunTable BuildFileRunList(uint32_t volumeStart, uint32_t recordSector, uint32_t sectorsPerCluster);
