// The FAT structures on hand-built volumes: boot-sector validation, cluster
// chains and directory entries.
#include "fat/directory_entry.h"
#include "fat/fat_volume.h"

#include "app/recovery_job.h"
#include "platform/device_paths.h"
#include "support/bytes.h"
#include "support/memory_disk_test.h"
#include "support/scripted_prompt.h"

#include <cstring>
#include <gtest/gtest.h>
#include <iconv.h>

namespace {

class FatVolumeTest : public MemoryDiskTest<> {
protected:

    // A FAT16 boot sector at `start`: 4 sectors per cluster, 1 reserved
    // sector, 16 sectors per FAT, 512 root entries; both FATs begin with `media`.
    void MakeFat16(uint32_t start, uint8_t media = 0xF8) {
        size_t b = size_t{start} * kSectorSize;
        disk()[b + 0x0D] = 4;
        Put16(disk(), b + 0x0E, 1);
        Put16(disk(), b + 0x11, 512);
        Put16(disk(), b + 0x16, 16);
        std::memcpy(&disk()[b + 0x36], "FAT16   ", 8);
        disk()[b + 510] = 0x55;
        disk()[b + 511] = 0xAA;
        disk()[(start + 1) * kSectorSize] = media;
        disk()[(start + 17) * kSectorSize] = media;
    }
    // A FAT32 boot sector (and its backup 6 sectors later): 8 sectors per
    // cluster, 32 reserved sectors, `spf` sectors per FAT, root cluster 2.
    void MakeFat32Boot(uint32_t at, uint32_t spf) {
        size_t b = size_t{at} * kSectorSize;
        disk()[b + 0x0D] = 8;
        Put16(disk(), b + 0x0E, 32);
        Put32(disk(), b + 0x24, spf);
        Put32(disk(), b + 0x2C, 2);
        disk()[b + 510] = 0x55;
        disk()[b + 511] = 0xAA;
    }
    // FAT entries in the first copy at sector `fatStart`.
    void SetFat16(uint32_t fatStart, uint32_t cluster, uint16_t next) {
        Put16(disk(), size_t{fatStart} * kSectorSize + cluster * 2, next);
    }

    ScriptedPrompt prompt;
};

TEST_F(FatVolumeTest, Fat16GeometryFromTheBootSector) {
    MakeFat16(100);
    ASSERT_EQ(ValidateFatBootSector("FAT16", 100), 1);
    const VolumeGeometry& g = theJob.jobGeometry;
    EXPECT_EQ(g.sectorsPerFat, 16u);
    EXPECT_EQ(g.sectorsPerCluster, 4u);
    EXPECT_EQ(g.rootDirSectors, 32u);
    EXPECT_EQ(g.rootDirStart, 100u + 1 + 32);
    EXPECT_EQ(g.cluster0Sector, 100u + 1 + 32 + 32 - 8);
    EXPECT_EQ(g.fat1Start, 101u);
    EXPECT_EQ(g.fat2Start, 117u);
}

TEST_F(FatVolumeTest, RefusedBootSectorsLeaveTheGeometryAsItWas) {
    theJob.jobGeometry.sectorsPerFat = 1234;
    MakeFat16(0, 0xF0);  // the floppy media byte
    EXPECT_EQ(ValidateFatBootSector("FAT16", 0), 0);
    EXPECT_EQ(theJob.jobGeometry.sectorsPerFat, 1234u);
    EXPECT_EQ(ValidateFatBootSector("FAT12", 0), 1);  // FAT12 takes any media byte

    MakeFat16(200);
    disk()[200 * kSectorSize + 0x0D] = 3;  // not a power of two
    EXPECT_EQ(ValidateFatBootSector("FAT16", 200), 0);
    disk()[200 * kSectorSize + 0x0D] = 0;
    EXPECT_EQ(ValidateFatBootSector("FAT16", 200), 0);
    disk()[200 * kSectorSize + 511] = 0;
    disk()[200 * kSectorSize + 0x0D] = 4;
    EXPECT_EQ(ValidateFatBootSector("FAT16", 200), 0);
}

TEST_F(FatVolumeTest, Fat32FallsBackToTheBackupBootSectorWithALongFat) {
    disk().assign(140000 * kSectorSize, 0);
    uint32_t spf = 70000;  // more than 16 bits
    MakeFat32Boot(6, spf);  // only the backup is intact
    disk()[(32 + spf) * kSectorSize] = 0xF8;
    ASSERT_EQ(ValidateFatBootSector("FAT32", 0), 1);
    const VolumeGeometry& g = theJob.jobGeometry;
    EXPECT_EQ(g.sectorsPerFat, spf);
    EXPECT_EQ(g.rootDirStart, 2u);
    EXPECT_EQ(g.cluster0Sector, 32u + 2 * spf - 16);
    EXPECT_EQ(g.fat2Start, 32u + spf);
}

struct ChainCase {
    const char* name;
    std::vector<std::pair<uint32_t, uint16_t>> links;  // cluster -> next
    bool cap;
    std::vector<uint32_t> chain;
};

class ChainTest : public FatVolumeTest, public ::testing::WithParamInterface<ChainCase> {};

TEST_P(ChainTest, FollowsTheFirstFat) {
    theJob.workerGeometry = {16, 4, 32, 0, 1, 0, 1, 17, "FAT16"};
    for (auto [cluster, next] : GetParam().links) SetFat16(1, cluster, next);
    EXPECT_EQ(FollowClusterChain(theJob.workerGeometry, 2, GetParam().cap), GetParam().chain);
}

std::vector<std::pair<uint32_t, uint16_t>> LongChain() {
    std::vector<std::pair<uint32_t, uint16_t>> links;
    for (uint16_t c = 2; c < 60; ++c) links.push_back({c, uint16_t(c + 1)});
    links.push_back({60, 0xFFFF});
    return links;
}

std::vector<uint32_t> Range(uint32_t from, uint32_t to) {
    std::vector<uint32_t> v;
    for (uint32_t c = from; c <= to; ++c) v.push_back(c);
    return v;
}

INSTANTIATE_TEST_SUITE_P(
    Chains, ChainTest,
    ::testing::Values(ChainCase{"endMarker", {{2, 5}, {5, 3}, {3, 0xFFFF}}, false, {2, 5, 3}},
                      ChainCase{"freeEntryEnds", {{2, 4}, {4, 0}}, false, {2, 4}},
                      ChainCase{"loop", {{2, 3}, {3, 4}, {4, 3}}, false, {2, 3, 4}},
                      ChainCase{"selfLoop", {{2, 2}}, false, {2}},
                      ChainCase{"capped", LongChain(), true, Range(2, 27)},
                      ChainCase{"uncapped", LongChain(), false, Range(2, 60)}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(FatVolumeTest, Fat12EntriesArePackedInThreeBytesPerPair) {
    theJob.workerGeometry = {1, 1, 14, 3, 1, 0, 1, 2, "FAT12"};
    // Entries 2 -> 3 -> 4 -> end: bytes at 3..5 hold entries 2 and 3, 6..8 entries 4 and 5.
    size_t fat = kSectorSize;
    disk()[fat + 3] = 0x03;
    disk()[fat + 4] = 0x40;
    disk()[fat + 5] = 0x00;
    disk()[fat + 6] = 0xFF;
    disk()[fat + 7] = 0x0F;
    EXPECT_EQ(FollowClusterChain(theJob.workerGeometry, 2, false), (std::vector<uint32_t>{2, 3, 4}));
}

TEST_F(FatVolumeTest, ClustersAndPieces) {
    VolumeGeometry g{16, 16, 0, 2, 32, 1000, 32, 48, "FAT32"};
    EXPECT_EQ(ClusterSector(g, 3), 1048u);
    EXPECT_EQ(PiecesOf(g).sectorsPerPiece, 8u);
    EXPECT_EQ(PiecesOf(g).count, 2u);
    g.sectorsPerCluster = 2;
    EXPECT_EQ(PiecesOf(g).sectorsPerPiece, 2u);
    EXPECT_EQ(PiecesOf(g).count, 1u);
    EXPECT_FALSE(IsWalkableGeometry(VolumeGeometry{}));
}

// ----- directory entries -----

// A 32-byte short entry.
std::vector<uint8_t> ShortEntry(const char* name11, uint8_t attributes, uint32_t cluster, uint32_t size,
                                uint8_t caseFlags = 0) {
    std::vector<uint8_t> e(32, 0);
    std::memcpy(e.data(), name11, 11);
    e[11] = attributes;
    e[12] = caseFlags;
    Put16(e, 0x14, cluster >> 16);
    Put16(e, 0x1A, cluster & 0xFFFF);
    Put32(e, 0x1C, size);
    Put16(e, 0x18, (24 << 9) | (3 << 5) | 5);
    return e;
}

// Long-name pieces for `name`, in disk order (last piece first).
std::vector<std::vector<uint8_t>> LongPieces(const std::u16string& name, bool terminate = true) {
    std::u16string text = name;
    if (terminate && text.size() % 13) text += u'\0';
    while (text.size() % 13) text += u'\xFFFF';
    static const size_t offsets[] = {1, 3, 5, 7, 9, 14, 16, 18, 20, 22, 24, 28, 30};
    std::vector<std::vector<uint8_t>> pieces;
    size_t count = text.size() / 13;
    for (size_t p = count; p-- > 0;) {
        std::vector<uint8_t> e(32, 0);
        e[0] = static_cast<uint8_t>((p + 1) | (p + 1 == count ? 0x40 : 0));
        e[11] = 0x0F;
        for (size_t k = 0; k < 13; ++k) Put16(e, offsets[k], text[p * 13 + k]);
        pieces.push_back(e);
    }
    return pieces;
}

class EntryTest : public FatVolumeTest {
protected:
    // Writes entries from entry slot `slot` of the directory that starts at
    // sector 10; returns the sector and index of the last one.
    std::pair<uint32_t, size_t> Write(size_t slot, const std::vector<std::vector<uint8_t>>& entries) {
        for (const auto& e : entries) {
            std::memcpy(&disk()[10 * kSectorSize + slot * 32], e.data(), 32);
            ++slot;
        }
        --slot;
        return {10 + static_cast<uint32_t>(slot / 16), slot % 16};
    }
    bool Decode(std::pair<uint32_t, size_t> at, DirectoryEntry& entry, FirstCluster mode = FirstCluster::BothHalves) {
        return DecodeDirectoryEntry(&disk()[at.first * kSectorSize], at.second, at.first, SectorBeforeOnDisk, mode,
                                    entry);
    }
};

TEST_F(EntryTest, ShortNamesDeletedMarksAndCaseFlags) {
    DirectoryEntry e;
    ASSERT_TRUE(Decode(Write(0, {ShortEntry("README  TXT", 0x20, 0x12345, 700)}), e));
    EXPECT_EQ(e.shortName, "README.TXT");
    EXPECT_EQ(e.name, u"README.TXT");
    EXPECT_EQ(e.firstCluster, 0x12345u);
    EXPECT_EQ(e.size, 700u);
    EXPECT_FALSE(e.folder);
    EXPECT_EQ(e.writeDate, (24 << 9) | (3 << 5) | 5);
    ASSERT_TRUE(Decode(Write(1, {ShortEntry("README  TXT", 0x20, 0x12345, 700)}), e, FirstCluster::LowHalf));
    EXPECT_EQ(e.firstCluster, 0x2345u);

    ASSERT_TRUE(Decode(Write(2, {ShortEntry("\xE5OTES   TXT", 0x20, 7, 1, 0x18)}), e));
    EXPECT_TRUE(e.deleted);
    EXPECT_EQ(e.shortName, "_otes.txt");
    ASSERT_TRUE(Decode(Write(3, {ShortEntry("DOCS       ", 0x10, 9, 0)}), e));
    EXPECT_TRUE(e.folder);
    EXPECT_EQ(e.shortName, "DOCS");
}

TEST_F(EntryTest, CodePageBytesMakeAUtf16Name) {
    DirectoryEntry e;
    ASSERT_TRUE(Decode(Write(0, {ShortEntry("\x8EPFEL   TXT", 0x20, 5, 1)}), e));
    EXPECT_EQ(e.shortName, "");
    EXPECT_EQ(e.name, u"ÄPFEL.TXT");
    ASSERT_TRUE(Decode(Write(1, {ShortEntry("CAF\x90    TXT", 0x20, 5, 1, 0x18)}), e));
    EXPECT_EQ(e.name, u"café.txt");
}

TEST_F(EntryTest, SkippedEntries) {
    DirectoryEntry e;
    EXPECT_FALSE(Decode(Write(0, {ShortEntry(".          ", 0x10, 5, 0)}), e));
    EXPECT_FALSE(Decode(Write(1, {ShortEntry("..         ", 0x10, 0, 0)}), e));
    EXPECT_FALSE(Decode(Write(2, {ShortEntry("EMPTY   TXT", 0x20, 0, 0)}), e));  // no cluster
    EXPECT_FALSE(Decode(Write(3, {ShortEntry("WHAT?   TXT", 0x20, 5, 1)}), e));
    EXPECT_FALSE(Decode(Write(4, {ShortEntry("TAB\x09    TXT", 0x20, 5, 1)}), e));
    EXPECT_FALSE(Decode(Write(5, LongPieces(u"a")), e));  // a piece on its own
}

TEST_F(EntryTest, LongNames) {
    DirectoryEntry e;
    auto entries = LongPieces(u"Bücher über café");
    entries.push_back(ShortEntry("BCHERB~1   ", 0x10, 5, 0));
    ASSERT_TRUE(Decode(Write(0, entries), e));
    EXPECT_EQ(e.name, u"Bücher über café");
    EXPECT_EQ(e.shortName, "");

    // Exactly 13 characters: one full piece, no terminator.
    entries = LongPieces(u"Thirteen char", false);
    entries.push_back(ShortEntry("THIRTE~1   ", 0x20, 5, 1));
    ASSERT_TRUE(Decode(Write(4, entries), e));
    EXPECT_EQ(e.name, u"Thirteen char");

    // A long name with a refused character drops the whole entry.
    entries = LongPieces(u"a|b");
    entries.push_back(ShortEntry("AB~1       ", 0x20, 5, 1));
    EXPECT_FALSE(Decode(Write(7, entries), e));
}

TEST_F(EntryTest, LongNameStartsInThePreviousSector) {
    auto entries = LongPieces(u"A name of more than twenty-six characters");  // four pieces
    entries.push_back(ShortEntry("ANAMEO~1TXT", 0x20, 5, 1));
    DirectoryEntry e;
    auto at = Write(14, entries);  // pieces at 14, 15 of sector 10 and 0, 1 of sector 11
    ASSERT_EQ(at.first, 11u);
    ASSERT_TRUE(Decode(at, e));
    EXPECT_EQ(e.name, u"A name of more than twenty-six characters");

    // The directory's sector before may lie elsewhere on disk.
    std::vector<uint8_t> moved(disk().begin() + 10 * kSectorSize, disk().begin() + 11 * kSectorSize);
    std::memcpy(&disk()[40 * kSectorSize], moved.data(), kSectorSize);
    std::memset(&disk()[10 * kSectorSize], 0, kSectorSize);
    SectorBefore before = [](uint32_t s) { return s == 11 ? 40u : 0u; };
    ASSERT_TRUE(DecodeDirectoryEntry(&disk()[11 * kSectorSize], at.second, 11, before, FirstCluster::BothHalves, e));
    EXPECT_EQ(e.name, u"A name of more than twenty-six characters");
}

TEST_F(EntryTest, LongNameStopsAt255Characters) {
    std::u16string name(260, u'x');
    auto entries = LongPieces(name, false);  // 20 pieces, no terminator
    entries.push_back(ShortEntry("XXXXXX~1   ", 0x20, 5, 1));
    disk().assign(4096 * kSectorSize, 0);
    DirectoryEntry e;
    ASSERT_TRUE(Decode(Write(0, entries), e));
    EXPECT_EQ(e.name.size(), kMaxLongName);
}

TEST(Cp850, TableAgreesWithIconv) {
    iconv_t cd = iconv_open("UTF-16LE", "CP850");
    if (cd == reinterpret_cast<iconv_t>(-1)) GTEST_SKIP() << "iconv has no CP850";
    for (int b = 0x80; b <= 0xFF; ++b) {
        char in = static_cast<char>(b);
        char out[4] = {};
        char* src = &in;
        char* dst = out;
        size_t inLeft = 1, outLeft = sizeof out;
        ASSERT_NE(iconv(cd, &src, &inLeft, &dst, &outLeft), static_cast<size_t>(-1));
        char16_t expected = static_cast<char16_t>(static_cast<uint8_t>(out[0]) | static_cast<uint8_t>(out[1]) << 8);
        EXPECT_EQ(Cp850ToUtf16(static_cast<uint8_t>(b)), expected) << std::hex << b;
    }
    iconv_close(cd);
}

}  // namespace
