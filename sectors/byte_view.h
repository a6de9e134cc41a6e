#pragma once
// A bounds-checked little-endian view of on-disk bytes. Every field of a
// boot sector, directory entry or record is read through it: a read that
// would leave the buffer yields 0 (check has() first where 0 is a valid
// value), so damaged structures can never be read past.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

class ByteView {
public:
    ByteView() = default;
    ByteView(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    size_t size() const { return m_size; }
    const uint8_t* data() const { return m_data; }
    // Written so that it cannot overflow: off + len may exceed SIZE_MAX.
    bool has(size_t off, size_t len) const { return off <= m_size && len <= m_size - off; }

    uint8_t u8(size_t off) const { return has(off, 1) ? m_data[off] : 0; }
    uint16_t u16(size_t off) const {
        return has(off, 2) ? static_cast<uint16_t>(m_data[off] | m_data[off + 1] << 8) : 0;
    }
    uint32_t u32(size_t off) const {
        if (!has(off, 4)) return 0;
        return uint32_t{m_data[off]} | uint32_t{m_data[off + 1]} << 8 | uint32_t{m_data[off + 2]} << 16 |
               uint32_t{m_data[off + 3]} << 24;
    }
    uint64_t u64(size_t off) const { return has(off, 8) ? u32(off) | uint64_t{u32(off + 4)} << 32 : 0; }
    // True when the bytes at off equal the text (without its terminator).
    bool matches(size_t off, const char* text) const {
        size_t len = std::strlen(text);
        return has(off, len) && std::memcmp(m_data + off, text, len) == 0;
    }
    // The bytes [off, off + len), empty when out of range.
    ByteView sub(size_t off, size_t len) const { return has(off, len) ? ByteView(m_data + off, len) : ByteView(); }

private:
    const uint8_t* m_data = nullptr;
    size_t m_size = 0;
};
