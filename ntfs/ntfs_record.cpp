#include "ntfs/ntfs_record.h"

#include "app/recovery_job.h"
#include "fat/fat_volume.h"
#include "sectors/byte_view.h"
#include "sectors/sector_source.h"

#include <array>
#include <cstring>
#include <new>
#include <unordered_set>

RunTable theMftExtents;

namespace {

using Record = std::array<uint8_t, kMftRecordSize>;

constexpr uint32_t kFileMagic = 0x454C4946;  // "FILE"
constexpr uint32_t kIndxMagic = 0x58444E49;  // "INDX"
constexpr size_t kWalkLimit = 1023;          // attributes must start and end below this

// Header fields.
constexpr size_t kUsaOffset = 0x04, kUsaCount = 0x06, kFirstAttribute = 0x14;
constexpr size_t kAttrLength = 0x04, kAttrNonResident = 0x08, kAttrNameLength = 0x09;
constexpr size_t kValueLength = 0x10, kValueOffset = 0x14, kResidentName = 0x18;
constexpr size_t kMappingPairs = 0x20, kDataSize = 0x30, kNonResidentName = 0x40;

ByteView RecordView(const uint8_t* record) { return ByteView(record, kMftRecordSize); }

// Calls visit(attributeView) for each attribute of the record in order until
// it returns true. The walk ends at an end type, at a length of 0 or beyond
// the walk limit, and at an attribute that does not fit in the buffer.
template <typename Visit>
bool ForEachAttribute(ByteView record, Visit visit) {
    size_t offset = record.u16(kFirstAttribute);
    while (offset < kWalkLimit && record.has(offset, 8)) {
        uint32_t type = record.u32(offset);
        uint32_t length = record.u32(offset + kAttrLength);
        if (type == 0 || type == 0xFFFFFFFF || length == 0 || length >= kWalkLimit) return false;
        if (!record.has(offset, length)) return false;
        if (visit(record.sub(offset, length))) return true;
        offset += length;
    }
    return false;
}

// The value of a resident attribute; empty when it does not fit.
ByteView ResidentValue(ByteView attribute) {
    if (attribute.u8(kAttrNonResident) != 0) return {};
    return attribute.sub(attribute.u16(kValueOffset), attribute.u32(kValueLength));
}

// Named $I30: name length 4 and the low bytes "$I30" at the attribute's name position.
bool NamedI30(ByteView attribute, size_t nameAt) {
    if (attribute.u8(kAttrNameLength) != 4 || !attribute.has(nameAt, 8)) return false;
    const char* text = "$I30";
    for (size_t i = 0; i < 4; ++i)
        if (attribute.u8(nameAt + 2 * i) != static_cast<uint8_t>(text[i])) return false;
    return true;
}

bool ReadRecord(uint32_t sector, Record& record) {
    ReadSectors(JobDevice(), sector, kSectorsPerMftRecord, record.data());
    if (ByteView(record.data(), record.size()).u32(0) != kFileMagic) return false;
    ApplyFixups(record.data(), record.size());
    return true;
}

// The mapping pairs of the first attribute whose type byte is 0x80 ($DATA).
void DecodeFirstData(const Record& record, uint32_t volumeStart, uint32_t spc, RunTable& runs) {
    ForEachAttribute(RecordView(record.data()), [&](ByteView attribute) {
        if (attribute.u8(0) != kAttrData) return false;
        size_t pairs = attribute.u16(kMappingPairs);
        if (pairs >= kMftRecordSize) pairs = kNonResidentName;
        if (attribute.u8(kAttrNonResident))
            DecodeMappingPairs(attribute.data(), attribute.size(), pairs, volumeStart, spc, runs);
        return true;
    });
}

// Calls visit(type, recordNumber) for each entry of an attribute list.
template <typename Visit>
void ForEachListEntry(ByteView list, Visit visit) {
    size_t at = 0;
    while (list.has(at, 0x14)) {
        uint32_t type = list.u32(at);
        uint16_t length = list.u16(at + 4);
        if (type == 0 || type == 0xFFFFFFFF || length == 0 || length > kWalkLimit) return;
        visit(type, list.u32(at + 0x10));
        at += length;
    }
}

// The records an attribute list names for $DATA, in list order, each once
// and without the base record (its runs are already taken).
std::vector<uint32_t> DataExtensionRecords(const Record& record, uint32_t baseRecordSector, uint32_t volumeStart,
                                           uint32_t spc) {
    std::vector<uint32_t> records;
    std::unordered_set<uint32_t> seen;
    auto take = [&](uint32_t type, uint32_t number) {
        if (type == kAttrData && seen.insert(number).second && MftRecordSector(number) != baseRecordSector)
            records.push_back(number);
    };
    ForEachAttribute(RecordView(record.data()), [&](ByteView attribute) {
        if (attribute.u32(0) != kAttrAttributeList) return false;
        if (!attribute.u8(kAttrNonResident)) {
            ForEachListEntry(ResidentValue(attribute), take);
            return true;
        }
        // A list too long for the record: read it through its own runs.
        RunTable listRuns;
        DecodeMappingPairs(attribute.data(), attribute.size(), attribute.u16(kMappingPairs), volumeStart, spc, listRuns);
        uint64_t size = attribute.u64(kDataSize);
        std::vector<uint8_t> bytes;
        for (const Run& run : listRuns) {
            for (uint32_t s = 0; s < run.sectors && bytes.size() < size && bytes.size() < (1u << 24); ++s) {
                size_t at = bytes.size();
                bytes.resize(at + kSectorSize);
                if (run.startSector) ReadSectors(JobDevice(), run.startSector + s, 1, bytes.data() + at);
            }
        }
        if (bytes.size() > size) bytes.resize(static_cast<size_t>(size));
        ForEachListEntry(ByteView(bytes.data(), bytes.size()), take);
        return true;
    });
    return records;
}

// Runs of the record's $DATA and of the extension records its list names.
void CollectDataRuns(uint32_t volumeStart, uint32_t recordSector, uint32_t spc, RunTable& runs) {
    Record record{};
    if (!ReadRecord(recordSector, record)) return;
    DecodeFirstData(record, volumeStart, spc, runs);
    for (uint32_t number : DataExtensionRecords(record, recordSector, volumeStart, spc)) {
        Record extension{};
        uint32_t sector = MftRecordSector(number);
        if (sector == 0 || !ReadRecord(sector, extension)) break;
        DecodeFirstData(extension, volumeStart, spc, runs);
    }
}

}  // namespace

void ApplyFixups(uint8_t* buffer, size_t length) {
    ByteView view(buffer, length);
    size_t array = view.u16(kUsaOffset);
    size_t count = view.u16(kUsaCount);
    // Entry 0 of the array is the update sequence number; entry i + 1 holds
    // the two bytes that belong at the end of sector i.
    for (size_t i = 0; i + 1 < count; ++i) {
        size_t from = array + 2 + 2 * i, to = kSectorSize * (i + 1) - 2;
        if (!view.has(from, 2) || !view.has(to, 2)) return;
        buffer[to] = buffer[from];
        buffer[to + 1] = buffer[from + 1];
    }
}

bool GetStandardTimes(const uint8_t* record, FoundTimes& times) {
    return ForEachAttribute(RecordView(record), [&](ByteView attribute) {
        if (attribute.u32(0) != kAttrStandardInformation) return false;
        ByteView value = ResidentValue(attribute);
        if (!value.has(0, 32)) return false;
        uint64_t created = value.u64(0), modified = value.u64(8), accessed = value.u64(24);
        times = {static_cast<uint32_t>(modified), static_cast<uint32_t>(modified >> 32),
                 static_cast<uint32_t>(created),  static_cast<uint32_t>(created >> 32),
                 static_cast<uint32_t>(accessed), static_cast<uint32_t>(accessed >> 32)};
        return true;
    });
}

bool GetFileName(const uint8_t* record, FileNameSpace space, FileName& out) {
    bool found = ForEachAttribute(RecordView(record), [&](ByteView attribute) {
        if (attribute.u32(0) != kAttrFileName || attribute.u8(kAttrNameLength) != 0) return false;
        ByteView value = ResidentValue(attribute);
        if (!value.has(0, 0x42) || value.u8(0x41) != space) return false;
        size_t length = value.u8(0x40);
        if (!value.has(0x42, 2 * length)) return false;
        out.parent = value.u32(0);
        out.name.clear();
        for (size_t i = 0; i < length; ++i) out.name += static_cast<char16_t>(value.u16(0x42 + 2 * i));
        return true;
    });
    if (found) {
        out.times = {};
        GetStandardTimes(record, out.times);
    }
    return found;
}

bool GetAnyFileName(uint8_t* record, FileName& out) {
    ApplyFixups(record, kMftRecordSize);
    for (FileNameSpace space : kNameOrder)
        if (GetFileName(record, space, out)) return !(out.name == u"." && out.parent == kRootRecord);
    out = FileName();
    return true;
}

int FindDataAttribute(const uint8_t* record, size_t& position) {
    int kind = 0;
    size_t base = reinterpret_cast<size_t>(record);
    ForEachAttribute(RecordView(record), [&](ByteView attribute) {
        if (attribute.u32(0) != kAttrData || attribute.u8(kAttrNameLength) != 0) return false;
        position = reinterpret_cast<size_t>(attribute.data()) - base;
        kind = attribute.u8(kAttrNonResident) ? 2 : 1;
        return true;
    });
    return kind;
}

std::optional<uint64_t> GetDataSize(const uint8_t* record) {
    size_t position = 0;
    int kind = FindDataAttribute(record, position);
    if (kind == 0) return std::nullopt;
    ByteView attribute = RecordView(record).sub(position, RecordView(record).u32(position + kAttrLength));
    if (kind == 1) return attribute.u32(kValueLength);
    if (!attribute.has(kDataSize, 8)) return std::nullopt;
    return attribute.u64(kDataSize);
}

void ListExtensionRecords(const uint8_t* record, ExtensionRecordTable& table) {
    ForEachAttribute(RecordView(record), [&](ByteView attribute) {
        if (attribute.u32(0) != kAttrAttributeList || attribute.u8(kAttrNonResident)) return false;
        size_t offset = attribute.u16(kValueOffset);
        if (offset == 0 || offset >= kWalkLimit) return true;
        ForEachListEntry(ResidentValue(attribute), [&](uint32_t, uint32_t number) { table.Append(number); });
        return true;
    });
}

uint32_t IndexRootOwner(const uint8_t* record) {
    uint32_t owner = 0;
    ForEachAttribute(RecordView(record), [&](ByteView attribute) {
        if (attribute.u32(0) != kAttrIndexRoot || attribute.u8(kAttrNonResident) ||
            !NamedI30(attribute, kResidentName))
            return false;
        if (!attribute.has(0x90, 1) || attribute.u8(0x90) == 0) return true;
        uint32_t parent = attribute.u32(0x50);
        owner = parent == 0xFFFFFFFF ? 0 : parent;
        return true;
    });
    return owner;
}

uint32_t IndexAllocationStart(const uint8_t* record, size_t length) {
    uint32_t start = 0;
    ForEachAttribute(ByteView(record, std::min(length, kMftRecordSize)), [&](ByteView attribute) {
        if (attribute.u32(0) != kAttrIndexAllocation || !NamedI30(attribute, kNonResidentName)) return false;
        size_t pairs = attribute.u16(kMappingPairs);
        uint8_t header = attribute.u8(pairs);
        size_t lengthBytes = header & 0x0F, offsetBytes = std::min<size_t>(header >> 4, 4);
        if (header == 0 || !attribute.has(pairs + 1 + lengthBytes, offsetBytes)) return true;
        for (size_t i = 0; i < offsetBytes; ++i)
            start |= uint32_t{attribute.u8(pairs + 1 + lengthBytes + i)} << (8 * i);
        return true;
    });
    return start;
}

std::optional<IndexBlockInfo> ParseIndexBlock(const uint8_t* block) {
    ByteView view(block, kSectorSize);
    if (view.u32(0) != kIndxMagic) return std::nullopt;
    uint64_t allocated = view.u32(0x20), first = view.u32(0x18);
    if (allocated + 0x18 > 0x10000 || 0x18 + first + 0x14 > allocated + 0x18) return std::nullopt;
    size_t key = 0x18 + static_cast<size_t>(first) + 0x10;
    if (!view.has(key, 4)) return std::nullopt;
    uint32_t owner = view.u32(key);
    if (owner < kRootRecord || owner == 0xFFFFFFFF) return std::nullopt;
    return IndexBlockInfo{owner, view.u32(0x10)};
}

void DecodeMappingPairs(const uint8_t* attributeData, size_t attributeLength, size_t offset, uint32_t volumeStart,
                        uint32_t spc, RunTable& runs) {
    ByteView attribute(attributeData, attributeLength);
    uint32_t base = volumeStart;  // start sector of the last run that was not sparse
    while (attribute.has(offset, 1)) {
        uint8_t header = attribute.u8(offset);
        if (header == 0) return;
        size_t lengthBytes = header & 0x0F, offsetBytes = header >> 4;
        if (!attribute.has(offset + 1, lengthBytes + offsetBytes)) return;  // runs off the attribute
        uint32_t length = 0;
        for (size_t i = 0; i < std::min<size_t>(lengthBytes, 4); ++i)
            length |= uint32_t{attribute.u8(offset + 1 + i)} << (8 * i);
        Run run{0, length * spc};
        if (offsetBytes > 0) {
            size_t used = std::min<size_t>(offsetBytes, 4);
            uint32_t value = 0;
            for (size_t i = 0; i < used; ++i) value |= uint32_t{attribute.u8(offset + 1 + lengthBytes + i)} << (8 * i);
            // Two's complement of `used` bytes: negative when the top bit of its last byte is set.
            if (used < 4 && (value >> (8 * used - 1)) & 1) value |= ~uint32_t{0} << (8 * used);
            run.startSector = base + value * spc;
            base = run.startSector;
        }
        try {
            runs.push_back(run);
        } catch (const std::bad_alloc&) {
            return;
        }
        offset += 1 + lengthBytes + offsetBytes;
    }
}

void BuildMftExtentTable(uint32_t volumeStart, uint32_t mftSector, uint32_t spc) {
    // The records the $MFT's attribute list names are found through the
    // runs decoded before them.
    theMftExtents.clear();
    CollectDataRuns(volumeStart, mftSector, spc, theMftExtents);
}

uint32_t MftRecordSector(uint32_t record) {
    uint64_t wanted = uint64_t{record} * kSectorsPerMftRecord, before = 0;
    for (const Run& run : theMftExtents) {
        if (before + run.sectors > wanted) return static_cast<uint32_t>(run.startSector + (wanted - before));
        before += run.sectors;
    }
    return 0;
}

RunTable BuildFileRunList(uint32_t volumeStart, uint32_t recordSector, uint32_t spc) {
    RunTable runs;
    CollectDataRuns(volumeStart, recordSector, spc, runs);
    return runs;
}
