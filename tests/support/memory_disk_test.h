#pragma once
// A test on one in-memory disk, "disk", as Disk0 of the job: zeros to begin
// with, of `sectors` sectors.
#include "app/recovery_job.h"
#include "platform/device_paths.h"
#include "support/memory_device.h"

#include <gtest/gtest.h>

template <uint64_t sectors = 4096>
class MemoryDiskTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetRecoveryJob();
        theJob.platformTag = 'N';
        platform::SetDiskListOverride(std::vector<std::string>{"disk"});
        disk().assign(sectors * kSectorSize, 0);
    }
    void TearDown() override { platform::SetDiskListOverride(std::nullopt); }
    std::vector<uint8_t>& disk() { return device.media["disk"]; }

    MemoryDevice device;
};
