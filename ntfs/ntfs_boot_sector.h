#pragma once
// The NTFS boot sector (first sector of the volume; a backup copy lies in the
// last sector of the partition):
//   0x003 "NTFS"  0x00D u8 sectors per cluster  0x028 u64 total sectors
//   0x030 u64 LCN of $MFT  0x038 u64 LCN of $MFTMirr
//   0x040 clusters per MFT record (0xF6: 1024-byte records)
//   0x044 clusters per index block (0xF4: 4096-byte blocks)  0x1FE 0x55 0xAA

// Validates the NTFS volume of the job's range (rangeStart to rangeEnd, the
// backup boot sector at rangeEnd) and writes the job geometry. 1 accepted.
int ValidateNtfsBootSector();
