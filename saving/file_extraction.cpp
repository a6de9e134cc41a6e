#include "saving/file_extraction.h"

#include "app/prompt.h"
#include "app/recovery_job.h"
#include "fat/fat_volume.h"
#include "ntfs/ntfs_record.h"
#include "platform/folders.h"
#include "platform/text_codec.h"
#include "platform/time_convert.h"
#include "sectors/byte_view.h"
#include "sectors/sector_source.h"

#include <algorithm>
#include <array>
#include <fcntl.h>
#include <unistd.h>
#include <unordered_map>

namespace {

constexpr size_t kBlockSectors = 8;

// One destination file open for writing.
class Destination {
public:
    explicit Destination(const std::string& path) : m_fd(open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644)) {}
    ~Destination() { Close(); }
    bool Ok() const { return m_fd >= 0; }
    bool Write(const uint8_t* data, size_t length) {
        while (length > 0) {
            ssize_t n = write(m_fd, data, length);
            if (n <= 0) return false;
            data += n;
            length -= static_cast<size_t>(n);
        }
        return true;
    }
    void Close() {
        if (m_fd >= 0) close(m_fd);
        m_fd = -1;
    }

private:
    int m_fd;
};

std::string PathOf(const SaveTarget& target) {
    return platform::JoinPath(target.folder, platform::Utf16ToUtf8(target.name));
}

// Opens the destination; when it cannot be created, asks what to do (unless
// Skip All is in force). Plain mode asks too, and writes nothing whatever the answer.
bool OpenDestination(Destination& out, bool interactive) {
    if (out.Ok()) return true;
    SavingRun& run = theSavingRun;
    if (interactive && run.skipAllWriteErrors) return false;
    WriteErrorChoice choice = CurrentPrompt().AskWriteError();
    if (!interactive) return false;
    if (choice == WriteErrorChoice::Abort) {
        run.abort = true;
        run.skipCurrent = false;
        run.skipAllWriteErrors = false;
    } else if (choice == WriteErrorChoice::SkipAll) {
        run.skipAllWriteErrors = true;
    }
    return false;
}

// Before each block: waits while paused; false when the file must end now.
bool GoOn(bool interactive) {
    if (!interactive) return true;
    SavingRun& run = theSavingRun;
    if (!run.control.SafePoint()) run.abort = true;
    return !run.skipCurrent && !run.abort;
}

void Written(uint64_t bytes, uint64_t fileDone, uint64_t fileSize, bool interactive) {
    if (!interactive) return;
    theSavingRun.bytesCopied += bytes;
    UpdateSavingProgress(fileDone, fileSize);
}

// The per-file steps of the saving run; false: the file is passed over.
bool PrepareFile(SaveTarget& target, const FoundFile& file, bool interactive) {
    SavingRun& run = theSavingRun;
    run.skipCurrent = false;
    if (!interactive) return true;
    if (!run.detailsHidden) {
        SavingRun::Texts shown = run.Shown();
        shown.directoryName = target.folder;
        shown.lastName = platform::Utf16ToUtf8(target.name);
        shown.sizeRequired = SavingSizeText(run.selectedBytes);
        run.SetShown(shown);
    }
    if (!PassesDeletedFilter(file.deleted, theSavingOptions)) return false;
    if (!PassesExtensionFilter(target.name, theSavingOptions)) return false;
    if (platform::FileExists(PathOf(target)) || platform::FolderExists(PathOf(target))) {
        ReplaceChoice choice = run.replaceChoice;
        if (choice != ReplaceChoice::NoToAll && choice != ReplaceChoice::RenameAll && choice != ReplaceChoice::YesToAll) {
            choice = CurrentPrompt().AskReplace();
            run.replaceChoice = choice;
        } else if (choice == ReplaceChoice::YesToAll) {
            platform::ClearReadOnly(PathOf(target));
        }
        if (choice == ReplaceChoice::No || choice == ReplaceChoice::NoToAll) {
            run.bytesCopied += file.size;
            return false;
        }
        // Every numbered name taken: the file is not written, never overwritten.
        if ((choice == ReplaceChoice::Rename || choice == ReplaceChoice::RenameAll) && !MakeUniqueName(target))
            return false;
    }
    ++run.filesSaved;
    return true;
}

// Reads `sectors` sectors at `sector` in blocks and writes them, until
// `remaining` reaches 0. Returns false when the file must end (Skip, Abort).
bool CopySectors(Destination& out, uint32_t sector, uint32_t sectors, uint32_t spc, bool sparse, uint64_t size,
                 uint64_t& done, bool interactive) {
    uint32_t block = spc >= kBlockSectors ? kBlockSectors : 1;
    std::vector<uint8_t> buffer(size_t{block} * kSectorSize);
    for (uint32_t s = 0; s + block <= sectors && done < size; s += block) {
        if (!GoOn(interactive)) return false;
        if (sparse) std::fill(buffer.begin(), buffer.end(), 0);
        else ReadSectors(JobDevice(), uint64_t{sector} + s, block, buffer.data());
        size_t length = static_cast<size_t>(std::min<uint64_t>(buffer.size(), size - done));
        if (!out.Write(buffer.data(), length)) return false;
        done += length;
        Written(length, done, size, interactive);
    }
    return true;
}

// The local calendar time as the instant to set.
void SetLocalTime(const std::string& path, const platform::CalendarTime& local) {
    if (auto when = platform::LocalToUtc(local)) platform::SetLastWriteTime(path, *when);
}

}  // namespace

std::u16string SafeFileName(const std::u16string& name) {
    std::u16string safe = name;
    for (char16_t& c : safe)
        if (c == u'/' || c == 0) c = u'_';
    if (safe == u"." || safe == u"..") safe = u"_" + safe;
    if (safe.empty()) safe = u"_";
    return safe;
}

std::u16string DisplayNameOf(const std::string& name8, const std::u16string& name16) {
    if (name8.empty()) return name16;
    return platform::Utf8ToUtf16(platform::Utf8Prefix(name8, 100));
}

bool MakeUniqueName(SaveTarget& target) {
    size_t dot = target.name.rfind(u'.');
    for (int n = 0; n <= 9999; ++n) {
        std::u16string number = platform::Utf8ToUtf16(std::to_string(n));
        std::u16string candidate = dot == std::u16string::npos ? target.name + number
                                                                : target.name.substr(0, dot) + number + target.name.substr(dot);
        std::string path = platform::JoinPath(target.folder, platform::Utf16ToUtf8(candidate));
        if (!platform::FileExists(path) && !platform::FolderExists(path)) {
            target.name = candidate;
            return true;
        }
    }
    return false;
}

void SetSavedFileTime(const std::string& path, uint16_t dosDate, uint16_t dosTime) {
    platform::CalendarTime t;
    t.year = (dosDate >> 9) + 1980;
    t.month = (dosDate >> 5) & 0x0F;
    if (t.month == 0 || t.month > 12) t.month = 12;
    t.day = dosDate & 0x1F;
    t.hour = dosTime >> 11;
    t.minute = (dosTime >> 5) & 0x3F;
    t.second = 0;
    // Day 0, a day past the month's end, hour above 23 or minute above 59: no time to set.
    uint16_t repaired = static_cast<uint16_t>((dosDate & ~0x01E0) | (t.month << 5));
    if (!platform::DosDateTimeToCalendar(repaired, static_cast<uint16_t>(dosTime & ~0x1F))) return;
    SetLocalTime(path, t);
}

void SetSavedFileTime(const std::string& path, uint64_t fileTime) {
    SetLocalTime(path, platform::FileTimeToCalendar(fileTime));
}

std::vector<uint32_t> BuildClusterChain(const std::string& fs, uint32_t start, uint32_t fatStart, uint32_t count) {
    std::vector<uint32_t> chain{start};
    bool fat12 = fs == "FAT12", fat32 = fs == "FAT32";
    if (!fat12 && (count == 0 || (!fat32 && fatStart == 0))) return chain;
    std::array<uint8_t, 2 * kSectorSize> sectors{};
    uint64_t loaded = ~uint64_t{0};
    auto load = [&](uint64_t sector, uint32_t n) {
        if (sector != loaded) ReadSectors(JobDevice(), sector, n, sectors.data());
        loaded = sector;
        return ByteView(sectors.data(), size_t{n} * kSectorSize);
    };
    uint32_t c = start;
    while (chain.size() <= count) {
        uint32_t next = 0;
        if (fat12) {
            uint32_t offset = c * 3 / 2;
            ByteView pair = load(uint64_t{fatStart} + offset / kSectorSize, 2);
            uint32_t at = offset % kSectorSize;
            next = (c & 1) ? (pair.u8(at) >> 4) | (uint32_t{pair.u8(at + 1)} << 4)
                           : pair.u8(at) | ((uint32_t{pair.u8(at + 1)} & 0x0F) << 8);
            if (next == 0 || next >= 0xFFF) break;
        } else if (fat32) {
            next = load(uint64_t{fatStart} + c / 128, 1).u32(c % 128 * 4);
            if (next == 0 || next >= 0x0FFFFFFF) break;
        } else {
            next = load(uint64_t{fatStart} + c / 256, 1).u16(c % 256 * 2);
            if (next == 0 || next == 0xFFFF) break;
        }
        chain.push_back(next);
        c = next;
    }
    return chain;
}

int SaveFatFile(const SaveTarget& given, const FoundFile& file, bool interactive) {
    SaveTarget target = given;
    if (!PrepareFile(target, file, interactive)) return 0;
    const VolumeGeometry& g = theJob.workerGeometry;
    uint32_t spc = std::max<uint32_t>(g.sectorsPerCluster, 1);
    uint64_t size = static_cast<uint32_t>(file.size);
    uint64_t clusterBytes = uint64_t{spc} * kSectorSize;
    uint32_t needed = static_cast<uint32_t>((size + clusterBytes - 1) / clusterBytes);

    std::vector<uint32_t> chain;
    auto tryCopy = [&](uint32_t fatStart) {
        chain = BuildClusterChain(g.fileSystemName, file.ownId, fatStart, needed);
        if (chain.size() != std::max<uint32_t>(needed, 1)) chain.clear();
        return !chain.empty();
    };
    switch (theSavingOptions.fatMode) {
        case FatSavingMode::Auto: tryCopy(g.fat1Start) || tryCopy(g.fat2Start); break;
        case FatSavingMode::Fat1: tryCopy(g.fat1Start); break;
        case FatSavingMode::Fat2: tryCopy(g.fat2Start); break;
        case FatSavingMode::Contiguous: break;
    }
    std::string path = PathOf(target);
    Destination out(path);
    if (!OpenDestination(out, interactive)) return 0;
    uint64_t done = 0;
    uint32_t cluster = file.ownId;
    for (uint32_t k = 0; k < std::max<uint32_t>(needed, 1) && done < size; ++k) {
        if (k > 0) cluster = chain.empty() ? cluster + 1 : chain[k];
        if (!CopySectors(out, ClusterSector(g, cluster), spc, spc, false, size, done, interactive)) break;
    }
    out.Close();
    SetSavedFileTime(path, static_cast<uint16_t>(file.times[0]), static_cast<uint16_t>(file.times[1]));
    if (interactive && done >= size) theSavingRun.currentPercent = 100;
    return 1;
}

int SaveNtfsFile(const SaveTarget& given, const FoundFile& file, uint32_t recordSector, bool interactive) {
    SaveTarget target = given;
    if (!PrepareFile(target, file, interactive)) return 0;
    const VolumeGeometry& g = theJob.workerGeometry;
    uint64_t modified = uint64_t{file.times[0]} | uint64_t{file.times[1]} << 32;
    std::string path = PathOf(target);
    auto finish = [&](Destination& out) {
        out.Close();
        SetSavedFileTime(path, modified);
        return 1;
    };
    if (file.size == 0) {
        Destination out(path);
        if (!OpenDestination(out, interactive)) return 0;
        return finish(out);
    }
    std::array<uint8_t, kMftRecordSize> record{};
    ReadSectors(JobDevice(), recordSector, kSectorsPerMftRecord, record.data());
    ApplyFixups(record.data(), record.size());
    size_t position = 0;
    if (FindDataAttribute(record.data(), position) == 1) {
        // A resident value starts 24 bytes into its attribute and must end inside the record.
        if (position + file.size + 24 > 1023) return 0;
        Destination out(path);
        if (!OpenDestination(out, interactive)) return 0;
        out.Write(record.data() + position + 24, static_cast<size_t>(file.size));
        Written(file.size, file.size, file.size, interactive);
        return finish(out);
    }
    RunTable runs = BuildFileRunList(theJob.jobGeometry.cluster0Sector, recordSector, g.sectorsPerCluster);
    if (runs.empty()) return 0;
    return WriteExtents(path, runs, file.size, modified, interactive);
}

int WriteExtents(const std::string& path, const RunTable& runs, uint64_t size, uint64_t fileTime, bool interactive) {
    Destination out(path);
    if (!OpenDestination(out, interactive)) return 0;
    uint32_t spc = std::max<uint32_t>(theJob.workerGeometry.sectorsPerCluster, 1);
    uint64_t done = 0;
    for (const Run& run : runs) {
        uint32_t whole = run.sectors / spc * spc;
        bool goOn = true;
        for (uint32_t c = 0; c < whole && done < size && goOn; c += spc)
            goOn = CopySectors(out, run.startSector + c, spc, spc, run.startSector == 0, size, done, interactive);
        if (!goOn || done >= size) break;
    }
    out.Close();
    SetSavedFileTime(path, fileTime);
    return 1;
}

uint32_t RecordSectorOf(const FoundFile& file) {
    return file.sector != 0 ? file.sector : MftRecordSector(file.ownId);
}
