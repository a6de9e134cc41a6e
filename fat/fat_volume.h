#pragma once
// The FAT structures the scans share: boot-sector validation with the
// volume's geometry, cluster chains through the first allocation table, and
// cluster addressing.
//
// Boot sector fields (offsets in the 512-byte sector, little-endian):
//   0x0D u8   sectors per cluster, a power of two from 1 to 128
//   0x0E u16  reserved sectors (the FATs follow them)
//   0x11 u16  root directory entries (FAT12/16; 32 bytes each)
//   0x13 u16  total sectors of a small volume (FAT12/16)
//   0x16 u16  sectors per FAT (FAT12/16)
//   0x20 u32  total sectors
//   0x24 u32  sectors per FAT (FAT32)
//   0x2C u32  first cluster of the root directory (FAT32)
//   0x36      "FAT12" / "FAT16" type text (FAT12/16)
//   0x52      "FAT32" type text
//   0x1FE     0x55 0xAA
// FAT32 keeps a backup boot sector 6 sectors after the first. Every volume
// is taken to have two FAT copies; the first byte of a copy is the media byte,
// 0xF8 on hard-disk volumes.
#include "fat/volume_geometry.h"

#include <cstdint>
#include <string>
#include <vector>

// Validates the FAT16 or FAT32 boot sector at start sector S of the job's
// disk and writes the job geometry. 1 accepted, 0 refused (the geometry is
// then left as it was, except FAT32's rootDirStart). FAT12 volumes are
// validated by the FAT16 rule (their layout is the same), with any media byte.
int ValidateFatBootSector(const std::string& fileSystemName, uint64_t startSector);

// The geometry can be walked: sectors per cluster is a power of two from 1
// to 128, and the first FAT starts somewhere.
bool IsWalkableGeometry(const VolumeGeometry& geometry);

// First sector of cluster c: cluster0Sector + c x sectorsPerCluster (32-bit).
uint32_t ClusterSector(const VolumeGeometry& geometry, uint32_t cluster);

// How many clusters the allocation table of this geometry can describe.
uint32_t ClusterCapacity(const VolumeGeometry& geometry);

// The chain of `first` through the first FAT copy, `first` included. With
// `cap` the chain holds at most 26 clusters (FAT16 and FAT32). The walk
// stops at a cluster already in the chain and after as many clusters as the
// table can describe, so a damaged table never makes it loop.
std::vector<uint32_t> FollowClusterChain(const VolumeGeometry& geometry, uint32_t first, bool cap);

// A cluster is read in pieces of min(sectorsPerCluster, 8) sectors.
struct ClusterPieces {
    uint32_t sectorsPerPiece;
    uint32_t count;
};
ClusterPieces PiecesOf(const VolumeGeometry& geometry);

// The device name of the job's disk.
const std::string& JobDevice();
