#pragma once
// Little-endian writes into hand-built on-disk structures.
#include <cstddef>
#include <cstdint>
#include <vector>

inline void Put16(std::vector<uint8_t>& d, size_t at, uint16_t v) {
    d[at] = v & 0xFF;
    d[at + 1] = v >> 8;
}
inline void Put32(std::vector<uint8_t>& d, size_t at, uint32_t v) {
    Put16(d, at, v & 0xFFFF);
    Put16(d, at + 2, v >> 16);
}
inline void Put64(std::vector<uint8_t>& d, size_t at, uint64_t v) {
    Put32(d, at, static_cast<uint32_t>(v));
    Put32(d, at + 4, static_cast<uint32_t>(v >> 32));
}
