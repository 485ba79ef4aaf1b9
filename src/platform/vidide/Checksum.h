#pragma once

// Integrity checks of the library's payloads, memory images and firmware bodies.

#include <cstddef>
#include <cstdint>

namespace vidide {

// CRC-32 (IEEE 802.3, reflected, as zlib computes it).
inline uint32_t crc32(const unsigned char *data, size_t length)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < length; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// One-byte check of a short answer: 0x55 minus the byte sum.
inline uint8_t sumCheck(const unsigned char *data, size_t length)
{
    unsigned sum = 0;
    for (size_t i = 0; i < length; ++i)
        sum += data[i];
    return static_cast<uint8_t>(0x55 - sum);
}

inline void putLe32(unsigned char *out, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<unsigned char>(value >> (8 * i));
}

inline uint32_t getLe32(const unsigned char *in)
{
    return uint32_t(in[0]) | uint32_t(in[1]) << 8 | uint32_t(in[2]) << 16 | uint32_t(in[3]) << 24;
}

} // namespace vidide
