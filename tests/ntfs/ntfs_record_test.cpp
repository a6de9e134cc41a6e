// NTFS record operations on hand-built records: name and size choice,
// mapping pairs, index structures, fixups, and damaged records that must
// never be read out of bounds.
#include "ntfs/ntfs_record.h"

#include "app/recovery_job.h"
#include "platform/device_paths.h"
#include "support/bytes.h"
#include "support/memory_device.h"

#include <cstring>
#include <gtest/gtest.h>
#include <random>

namespace {

using Bytes = std::vector<uint8_t>;


// Builds a 1024-byte FILE record attribute by attribute.
class RecordBuilder {
public:
    RecordBuilder() : m_record(kMftRecordSize, 0) {
        std::memcpy(m_record.data(), "FILE", 4);
        Put16(m_record, 0x04, 0x30);  // update sequence array at 0x30, 3 entries
        Put16(m_record, 0x06, 3);
        Put16(m_record, 0x14, 0x38);
        Put16(m_record, 0x16, 1);
    }
    RecordBuilder& Resident(uint32_t type, const Bytes& value, const std::u16string& name = u"") {
        size_t header = 0x18 + 2 * name.size();
        header = (header + 7) & ~size_t{7};
        size_t length = (header + value.size() + 7) & ~size_t{7};
        Bytes a(length, 0);
        Put32(a, 0, type);
        Put32(a, 4, static_cast<uint32_t>(length));
        a[9] = static_cast<uint8_t>(name.size());
        Put32(a, 0x10, static_cast<uint32_t>(value.size()));
        Put16(a, 0x14, static_cast<uint16_t>(header));
        for (size_t i = 0; i < name.size(); ++i) Put16(a, 0x18 + 2 * i, name[i]);
        std::copy(value.begin(), value.end(), a.begin() + header);
        return Append(a);
    }
    RecordBuilder& NonResident(uint32_t type, const Bytes& pairs, uint64_t dataSize, const std::u16string& name = u"") {
        size_t header = 0x40 + 2 * name.size();
        header = (header + 7) & ~size_t{7};
        size_t length = (header + pairs.size() + 1 + 7) & ~size_t{7};
        Bytes a(length, 0);
        Put32(a, 0, type);
        Put32(a, 4, static_cast<uint32_t>(length));
        a[8] = 1;
        a[9] = static_cast<uint8_t>(name.size());
        Put16(a, 0x20, static_cast<uint16_t>(header));
        Put64(a, 0x28, dataSize + 4096);  // allocated
        Put64(a, 0x30, dataSize);
        for (size_t i = 0; i < name.size(); ++i) Put16(a, 0x40 + 2 * i, name[i]);
        std::copy(pairs.begin(), pairs.end(), a.begin() + header);
        return Append(a);
    }
    RecordBuilder& FileName(uint8_t space, const std::u16string& name, uint32_t parent) {
        Bytes v(0x42 + 2 * name.size(), 0);
        Put32(v, 0, parent);
        v[0x40] = static_cast<uint8_t>(name.size());
        v[0x41] = space;
        for (size_t i = 0; i < name.size(); ++i) Put16(v, 0x42 + 2 * i, name[i]);
        return Resident(kAttrFileName, v);
    }
    RecordBuilder& StandardInformation(uint64_t created, uint64_t modified, uint64_t accessed) {
        Bytes v(48, 0);
        Put64(v, 0, created);
        Put64(v, 8, modified);
        Put64(v, 24, accessed);
        return Resident(kAttrStandardInformation, v);
    }
    RecordBuilder& State(uint8_t state) {
        m_record[0x16] = state;
        return *this;
    }
    Bytes Build() {
        Bytes r = m_record;
        Put32(r, m_end, 0xFFFFFFFF);
        return r;
    }

private:
    RecordBuilder& Append(const Bytes& a) {
        std::copy(a.begin(), a.end(), m_record.begin() + m_end);
        m_end += a.size();
        return *this;
    }
    Bytes m_record;
    size_t m_end = 0x38;
};

std::string Name(const FileName& f) { return std::string(f.name.begin(), f.name.end()); }

TEST(NtfsNames, NamespaceOrder) {
    FileName f;
    Bytes dosOnly = RecordBuilder().FileName(kDos, u"LONGNA~1.TXT", 40).Build();
    ASSERT_TRUE(GetAnyFileName(dosOnly.data(), f));
    EXPECT_EQ(Name(f), "LONGNA~1.TXT");
    EXPECT_EQ(f.parent, 40u);

    for (bool dosFirst : {true, false}) {
        RecordBuilder b;
        if (dosFirst) b.FileName(kDos, u"LONGNA~1.TXT", 40);
        b.FileName(kWin32, u"Long name.txt", 40);
        if (!dosFirst) b.FileName(kDos, u"LONGNA~1.TXT", 40);
        Bytes r = b.Build();
        ASSERT_TRUE(GetAnyFileName(r.data(), f));
        EXPECT_EQ(Name(f), "Long name.txt");
    }

    Bytes none = RecordBuilder().StandardInformation(1, 2, 3).Build();
    EXPECT_TRUE(GetAnyFileName(none.data(), f));
    EXPECT_TRUE(f.name.empty());
    EXPECT_EQ(f.parent, 0u);

    Bytes root = RecordBuilder().FileName(kWin32AndDos, u".", 5).Build();
    EXPECT_FALSE(GetAnyFileName(root.data(), f));
}

TEST(NtfsNames, TimesComeFromStandardInformation) {
    Bytes r = RecordBuilder().StandardInformation(0x1111222233334444ull, 0x5555666677778888ull, 0x99).FileName(kPosix, u"a", 5).Build();
    FileName f;
    ASSERT_TRUE(GetFileName(r.data(), kPosix, f));
    EXPECT_EQ(f.times, (FoundTimes{0x77778888, 0x55556666, 0x33334444, 0x11112222, 0x99, 0}));
}

TEST(NtfsData, SizeOfTheFirstUnnamedData) {
    Bytes resident = RecordBuilder().Resident(kAttrData, Bytes(300, 'x')).Build();
    EXPECT_EQ(GetDataSize(resident.data()), 300u);
    size_t position = 0;
    EXPECT_EQ(FindDataAttribute(resident.data(), position), 1);
    EXPECT_EQ(position, 0x38u);

    Bytes named = RecordBuilder()
                      .Resident(kAttrData, Bytes(10, 'x'), u"Zone.Identifier")
                      .NonResident(kAttrData, {0x11, 0x04, 0x20}, 123456789)
                      .Build();
    EXPECT_EQ(GetDataSize(named.data()), 123456789u);
    EXPECT_EQ(FindDataAttribute(named.data(), position), 2);

    Bytes without = RecordBuilder().FileName(kWin32, u"dir", 5).Build();
    EXPECT_FALSE(GetDataSize(without.data()));
}

TEST(NtfsRuns, SignedOffsetsSparseRunsAndTheFourByteCut) {
    RunTable runs;
    Bytes pairs = {0x31, 0x10, 0x00, 0x00, 0x01,  // 16 clusters at LCN 0x10000
                   0x01, 0x05,                    // 5 sparse clusters
                   0x21, 0x10, 0x00, 0x80,        // 16 clusters at -0x8000 from the last real run
                   0x51, 0x02, 0x01, 0x00, 0x00, 0x00, 0xFF,  // a 5-byte offset, cut to 4: +1
                   0x00};
    DecodeMappingPairs(pairs.data(), pairs.size(), 0, 1000, 8, runs);
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(runs[0].startSector, 1000u + 0x10000 * 8);
    EXPECT_EQ(runs[0].sectors, 128u);
    EXPECT_EQ(runs[1].startSector, 0u);
    EXPECT_EQ(runs[1].sectors, 40u);
    EXPECT_EQ(runs[2].startSector, 1000u + 0x8000 * 8);
    EXPECT_EQ(runs[3].startSector, 1000u + 0x8001 * 8);
    EXPECT_EQ(runs[3].sectors, 16u);

    // A list that runs off its attribute stops where it would leave it.
    RunTable cut;
    Bytes truncated = {0x11, 0x04, 0x20, 0x32, 0x01};
    DecodeMappingPairs(truncated.data(), truncated.size(), 0, 0, 1, cut);
    EXPECT_EQ(cut.size(), 1u);
}

TEST(NtfsRuns, RecordSectorsAlongTheExtentTable) {
    theMftExtents = {{1000, 4}, {5000, 8}};
    EXPECT_EQ(MftRecordSector(0), 1000u);
    EXPECT_EQ(MftRecordSector(1), 1002u);
    EXPECT_EQ(MftRecordSector(3), 5002u);  // in the second run
    EXPECT_EQ(MftRecordSector(5), 5006u);
    EXPECT_EQ(MftRecordSector(6), 0u);
    theMftExtents.clear();
}

TEST(NtfsIndex, IndexBlocksAndRoots) {
    Bytes block(512, 0);
    std::memcpy(block.data(), "INDX", 4);
    Put64(block, 0x10, 7);
    Put32(block, 0x18, 0x28);   // first entry at 0x40
    Put32(block, 0x20, 0xFE8);
    Put32(block, 0x40 + 0x10, 5);
    auto info = ParseIndexBlock(block.data());
    ASSERT_TRUE(info);
    EXPECT_EQ(info->owner, 5u);
    EXPECT_EQ(info->vcn, 7u);
    Put32(block, 0x40 + 0x10, 3);
    EXPECT_FALSE(ParseIndexBlock(block.data()));
    Put32(block, 0x40 + 0x10, 5);
    Put32(block, 0x20, 0x10000);
    EXPECT_FALSE(ParseIndexBlock(block.data()));

    // $INDEX_ROOT $I30 whose first key names parent 77; $INDEX_ALLOCATION at LCN 0x1234.
    Bytes root(0x80, 0);
    Put32(root, 0x30, 77);           // key parent at attribute + 0x50 (the value starts at + 0x20)
    root[0x70] = 3;                  // key name length at attribute + 0x90
    Bytes r = RecordBuilder()
                  .Resident(kAttrIndexRoot, root, u"$I30")
                  .NonResident(kAttrIndexAllocation, {0x21, 0x01, 0x34, 0x12}, 4096, u"$I30")
                  .Build();
    EXPECT_EQ(IndexRootOwner(r.data()), 77u);
    EXPECT_EQ(IndexAllocationStart(r.data(), r.size()), 0x1234u);
    Bytes other = RecordBuilder().Resident(kAttrIndexRoot, root, u"$SDH").Build();
    EXPECT_EQ(IndexRootOwner(other.data()), 0u);
}

TEST(NtfsFixups, EverySectorOfARecordIsRestored) {
    Bytes r = RecordBuilder().Build();
    Put16(r, 0x30, 0x0007);  // update sequence number
    Put16(r, 0x32, 0xAAAA);
    Put16(r, 0x34, 0xBBBB);
    Put16(r, 0x1FE, 0x0007);
    Put16(r, 0x3FE, 0x0007);
    ApplyFixups(r.data(), r.size());
    EXPECT_EQ(r[0x1FE], 0xAA);
    EXPECT_EQ(r[0x3FF], 0xBB);
    // An array that points outside the buffer restores nothing.
    Bytes bad = RecordBuilder().Build();
    Put16(bad, 0x04, 0x3FF);
    ApplyFixups(bad.data(), bad.size());
    EXPECT_EQ(bad[0x1FE], 0);
}

TEST(NtfsDamage, TruncatedAndOverlappingAttributesAreNotReadOutOfBounds) {
    FileName f;
    // An attribute whose length runs past the record.
    Bytes longAttr = RecordBuilder().FileName(kWin32, u"x", 5).Build();
    Put32(longAttr, 0x38 + 4, 1000);
    EXPECT_FALSE(GetFileName(longAttr.data(), kWin32, f));
    // A name length reaching past its attribute.
    Bytes longName = RecordBuilder().FileName(kWin32, u"x", 5).Build();
    longName[0x38 + 0x18 + 0x40] = 255;
    EXPECT_FALSE(GetFileName(longName.data(), kWin32, f));
    // A value offset pointing past the attribute.
    Bytes farValue = RecordBuilder().Resident(kAttrData, Bytes(16, 1)).Build();
    Put16(farValue, 0x38 + 0x14, 0x3F0);
    size_t position = 0;
    EXPECT_EQ(FindDataAttribute(farValue.data(), position), 1);
    EXPECT_EQ(GetDataSize(farValue.data()), 16u);  // the header's value length
    // The first attribute at the very end of the record.
    Bytes late = RecordBuilder().Build();
    Put16(late, 0x14, 1020);
    EXPECT_FALSE(GetDataSize(late.data()));
    // An attribute list entry of length 0 ends the list.
    Bytes list(0x40, 0);
    Put32(list, 0, kAttrData);
    Put16(list, 4, 0);
    ExtensionRecordTable table;
    table.Reset(9);
    Bytes withList = RecordBuilder().Resident(kAttrAttributeList, list).Build();
    ListExtensionRecords(withList.data(), table);
    EXPECT_EQ(table.Records(), std::vector<uint32_t>{9});
}

TEST(NtfsDamage, RandomRecordsAreHandledSafely) {
    std::mt19937 random(1234);
    Bytes base = RecordBuilder()
                     .StandardInformation(1, 2, 3)
                     .FileName(kWin32, u"some name.txt", 40)
                     .NonResident(kAttrData, {0x31, 0x10, 0x00, 0x00, 0x01, 0x01, 0x05}, 1000)
                     .Resident(kAttrAttributeList, Bytes(0x40, 0))
                     .Build();
    for (int round = 0; round < 20000; ++round) {
        Bytes r = base;
        int changes = 1 + static_cast<int>(random() % 16);
        for (int k = 0; k < changes; ++k) r[random() % r.size()] = static_cast<uint8_t>(random());
        FileName f;
        GetAnyFileName(r.data(), f);
        GetDataSize(r.data());
        ExtensionRecordTable table;
        table.Reset(0);
        ListExtensionRecords(r.data(), table);
        EXPECT_LE(table.Records().size(), ExtensionRecordTable::kCapacity);
        IndexRootOwner(r.data());
        IndexAllocationStart(r.data(), r.size());
        ParseIndexBlock(r.data());
        RunTable runs;
        DecodeMappingPairs(r.data() + 0x38, 0x100, random() % 0x100, 0, 8, runs);
    }
}

TEST(NtfsRuns, FileRunsFollowTheAttributeListOnceEachInOrder) {
    ResetRecoveryJob();
    theJob.platformTag = 'N';
    MemoryDevice device;
    platform::SetDiskListOverride(std::vector<std::string>{"disk"});
    device.media["disk"].assign(200 * kSectorSize, 0);
    theMftExtents = {{100, 16}};  // record n at sector 100 + 2n
    // Record 0: its $DATA starts at LCN 10; its attribute list names itself
    // and record 2 (twice) for $DATA.
    Bytes list;
    for (uint32_t record : {0u, 2u, 2u}) {
        Bytes entry(0x20, 0);
        Put32(entry, 0, kAttrData);
        Put16(entry, 4, 0x20);
        Put32(entry, 0x10, record);
        list.insert(list.end(), entry.begin(), entry.end());
    }
    Bytes base = RecordBuilder().Resident(kAttrAttributeList, list).NonResident(kAttrData, {0x11, 0x02, 0x0A}, 8192).Build();
    Bytes extension = RecordBuilder().NonResident(kAttrData, {0x11, 0x03, 0x14}, 8192).Build();
    std::copy(base.begin(), base.end(), device.media["disk"].begin() + 100 * kSectorSize);
    std::copy(extension.begin(), extension.end(), device.media["disk"].begin() + 104 * kSectorSize);
    RunTable runs = BuildFileRunList(0, 100, 1);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].startSector, 10u);
    EXPECT_EQ(runs[0].sectors, 2u);
    EXPECT_EQ(runs[1].startSector, 20u);  // the extension's first run is absolute
    EXPECT_EQ(runs[1].sectors, 3u);
    theMftExtents.clear();
    platform::SetDiskListOverride(std::nullopt);
}

}  // namespace
