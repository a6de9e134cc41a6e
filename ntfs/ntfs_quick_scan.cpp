#include "ntfs/ntfs_quick_scan.h"

#include "fat/fat_volume.h"
#include "ntfs/ntfs_record.h"
#include "sectors/byte_view.h"
#include "sectors/sector_source.h"

#include <algorithm>
#include <array>

namespace {

using Record = std::array<uint8_t, kMftRecordSize>;

enum RecordState : uint8_t { kDeletedFile = 0, kDeletedDirectory = 2, kDirectory = 3 };

class MftWalker {
public:
    MftWalker(FoundItemStore& store, ScanProgress& progress) : m_store(store), m_progress(progress) {}

    // Examines the record read from `sector`, record number `number`.
    void Examine(Record& record, uint32_t sector, uint32_t number) {
        ByteView header(record.data(), record.size());
        if (header.u32(0) != 0x454C4946 || number == kRootRecord) return;
        // An extension record (0x20: its base record) is read with its base record.
        if (header.u32(0x20) != 0) return;
        ApplyFixups(record.data(), record.size());
        m_extensions.Reset(number);
        ListExtensionRecords(record.data(), m_extensions);
        uint8_t state = record[0x16];
        bool folder = state == kDirectory || state == kDeletedDirectory;

        FileName name;
        bool named = false;
        ForEachRecord(record, sector, [&](const uint8_t* r) {
            for (FileNameSpace space : kNameOrder)
                if (GetFileName(r, space, name)) {
                    named = true;
                    break;
                }
            return named;
        });
        if (!named) return;

        if (folder) {
            m_store.AddFolder("", name.name, state == kDeletedDirectory ? 'y' : 'n', name.parent, number, 0,
                              name.times, 0);
        } else {
            uint64_t size = 0;
            ForEachRecord(record, sector, [&](const uint8_t* r) {
                std::optional<uint64_t> found = GetDataSize(r);
                if (found) size = *found;
                return found.has_value();
            });
            m_store.AddFile("", name.name, state == kDeletedFile ? 'y' : 'n', static_cast<uint32_t>(size),
                            static_cast<uint32_t>(size >> 32), name.parent, number, 0, name.times);
            m_store.totalSize += size;
        }
        UpdateScanProgress(m_progress, m_store.totalSize, m_store.folderCount, m_store.fileCount,
                           DisplayName("", name.name), m_counter, 'n');
    }

private:
    // Calls use(record) for the records of the extension table in order,
    // until it returns true. The record just read is used as it is.
    template <typename Use>
    void ForEachRecord(const Record& record, uint32_t sector, Use use) {
        for (uint32_t number : m_extensions.Records()) {
            uint32_t at = MftRecordSector(number);
            if (at == sector) {
                if (use(record.data())) return;
                continue;
            }
            ReadSectors(JobDevice(), at, kSectorsPerMftRecord, m_second.data());
            ApplyFixups(m_second.data(), m_second.size());
            if (use(m_second.data())) return;
        }
    }

    FoundItemStore& m_store;
    ScanProgress& m_progress;
    ExtensionRecordTable m_extensions;
    Record m_second{};
    int m_counter = 0;
};

}  // namespace

ScanEnd RunNtfsQuickScan(FoundItemStore& store, ScanProgress& progress) {
    store.folderCount = 0;
    store.fileCount = 0;
    uint64_t total = 0, done = 0;
    for (const Run& run : theMftExtents) total += run.sectors;

    MftWalker walker(store, progress);
    Record record{};
    uint32_t number = 0;
    for (const Run& run : theMftExtents) {
        for (uint32_t offset = 0; offset < run.sectors; offset += kSectorsPerMftRecord, ++number) {
            if (!progress.SafePoint()) return ScanEnd::Cancelled;
            uint32_t sector = run.startSector + offset;
            ReadSectors(JobDevice(), sector, kSectorsPerMftRecord, record.data());
            done += kSectorsPerMftRecord;
            int32_t before = store.folderCount + store.fileCount;
            walker.Examine(record, sector, number);
            if (store.folderCount + store.fileCount != before)
                progress.progressValue = static_cast<int>(std::min<uint64_t>(done * 100 / total, 100));
        }
    }

    return EndQuickScan(store.folderCount + store.fileCount, progress);
}
