#include "fat/directory_entry.h"

#include "fat/fat_volume.h"
#include "sectors/byte_view.h"
#include "sectors/sector_source.h"

#include <array>
#include <cstring>
#include <string_view>

namespace {

constexpr size_t kAttributes = 0x0B;
constexpr uint8_t kAttrDirectory = 0x10;
constexpr uint8_t kAttrLongName = 0x0F;
constexpr uint8_t kDeletedMark = 0xE5;
constexpr size_t kLongNameOffsets[] = {1, 3, 5, 7, 9, 14, 16, 18, 20, 22, 24, 28, 30};

// Code page 850, bytes 0x80-0xFF.
constexpr char16_t kCp850High[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE,
    0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, 0x00FF, 0x00D6,
    0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA,
    0x00BA, 0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502,
    0x2524, 0x00C1, 0x00C2, 0x00C0, 0x00A9, 0x2563, 0x2551, 0x2557, 0x255D, 0x00A2, 0x00A5, 0x2510, 0x2514,
    0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0x00A4, 0x00F0, 0x00D0, 0x00CA, 0x00CB, 0x00C8, 0x0131, 0x00CD, 0x00CE, 0x00CF, 0x2518, 0x250C,
    0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580, 0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE,
    0x00DE, 0x00DA, 0x00DB, 0x00D9, 0x00FD, 0x00DD, 0x00AF, 0x00B4, 0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6,
    0x00A7, 0x00F7, 0x00B8, 0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0};

// Lower case of a character of a short name: ASCII letters and the accented
// capitals of Latin-1 (code page 850 maps its capitals onto those).
char16_t LowerCase(char16_t c) {
    if (c >= 'A' && c <= 'Z') return c + 0x20;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
    return c;
}

// Short name: the name bytes and, when there is one, "." and the extension,
// without their padding spaces. Windows NT and later mark a name or extension
// that was all in lower case in byte 0x0C (0x08 name, 0x10 extension) instead
// of writing a long name; such parts are shown in lower case.
void DecodeShortName(ByteView entry, DirectoryEntry& out) {
    constexpr size_t kCaseFlags = 0x0C;
    uint8_t caseFlags = entry.u8(kCaseFlags);
    std::u16string name;
    std::string bytes;
    bool highBytes = false;
    auto take = [&](size_t from, size_t to, bool lower) {
        for (size_t i = from; i < to; ++i) {
            uint8_t byte = entry.u8(i);
            if (byte == ' ') continue;
            bool deletedMark = i == 0 && byte == kDeletedMark;
            char16_t c = deletedMark ? u'_' : Cp850ToUtf16(byte);
            if (lower) c = LowerCase(c);
            highBytes = highBytes || (byte >= 0x80 && !deletedMark);
            name += c;
            bytes += static_cast<char>(c < 0x80 ? c : '?');
        }
    };
    take(0, 8, caseFlags & 0x08);
    if (entry.u8(8) != ' ') {
        name += u'.';
        bytes += '.';
        take(8, 11, caseFlags & 0x10);
    }
    out.deleted = entry.u8(0) == kDeletedMark;
    out.name = name;
    // A name with code-page characters is kept in UTF-16 only.
    out.shortName = highBytes ? std::string() : bytes;
}

// Gathers the long name from the pieces before the short entry at byte `pos`
// of `sector` (a copy the walk may replace with earlier sectors).
bool ReadLongName(std::array<uint8_t, kSectorSize>& sector, size_t pos, uint32_t sectorNumber,
                  const SectorBefore& before, std::u16string& name) {
    std::u16string gathered;
    for (;;) {
        if (pos == 0) {
            // The pieces begin in the directory's sector before this one.
            sectorNumber = before(sectorNumber);
            if (sectorNumber == 0) break;
            ReadSectors(JobDevice(), sectorNumber, 1, sector.data());
            pos = kSectorSize;
        }
        pos -= kDirEntrySize;
        ByteView piece(sector.data() + pos, kDirEntrySize);
        if (piece.u8(kAttributes) != kAttrLongName) break;
        for (size_t offset : kLongNameOffsets) {
            char16_t c = piece.u16(offset);
            if (c == 0) {
                name = gathered;
                return true;
            }
            gathered += c;
            if (gathered.size() >= kMaxLongName) {
                name = gathered.substr(0, kMaxLongName);
                return true;
            }
        }
    }
    if (gathered.empty() || gathered.size() % 13 != 0) return false;
    name = gathered;
    return true;
}

}  // namespace

char16_t Cp850ToUtf16(uint8_t byte) { return byte < 0x80 ? char16_t(byte) : kCp850High[byte - 0x80]; }

bool IsAcceptableName(const std::u16string& name) {
    static const std::u16string_view kRefused = u"\"\\/?*<>|";
    for (char16_t c : name)
        if ((c >= 0x01 && c <= 0x1F) || kRefused.find(c) != std::u16string_view::npos) return false;
    return true;
}

uint32_t SectorBeforeOnDisk(uint32_t sector) { return sector == 0 ? 0 : sector - 1; }

bool DecodeDirectoryEntry(const uint8_t* sectorData, size_t index, uint32_t sectorNumber, const SectorBefore& before,
                          FirstCluster mode, DirectoryEntry& entry) {
    ByteView raw(sectorData + index * kDirEntrySize, kDirEntrySize);
    uint8_t attributes = raw.u8(kAttributes);
    if ((raw.u8(0) == '.' && raw.u8(3) == ' ') || attributes == kAttrLongName) return false;

    entry = DirectoryEntry();
    DecodeShortName(raw, entry);
    if (!IsAcceptableName(entry.name)) return false;
    entry.firstCluster = raw.u16(0x1A);
    if (mode == FirstCluster::BothHalves) entry.firstCluster |= uint32_t{raw.u16(0x14)} << 16;
    if (entry.firstCluster == 0) return false;

    std::array<uint8_t, kSectorSize> copy;
    std::memcpy(copy.data(), sectorData, kSectorSize);
    std::u16string longName;
    if (ReadLongName(copy, index * kDirEntrySize, sectorNumber, before, longName)) {
        entry.name = longName;
        entry.shortName.clear();
        if (!IsAcceptableName(entry.name)) return false;
    }
    entry.folder = (attributes & kAttrDirectory) != 0;
    entry.size = raw.u32(0x1C);
    entry.createTime = raw.u16(0x0E);
    entry.createDate = raw.u16(0x10);
    entry.accessDate = raw.u16(0x12);
    entry.writeTime = raw.u16(0x16);
    entry.writeDate = raw.u16(0x18);
    return true;
}
