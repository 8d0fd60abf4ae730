// Little-endian encoding of the binary stream's primitives, whatever the machine's order.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace Tev {

template <class Unsigned>
void StoreLittleEndian(Unsigned value, unsigned char* bytes) {
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(bytes, &value, sizeof value);
    } else {
        for (std::size_t i = 0; i < sizeof(Unsigned); ++i) {
            bytes[i] = static_cast<unsigned char>(value >> (8 * i));
        }
    }
}

template <class Unsigned>
Unsigned LoadLittleEndian(const unsigned char* bytes) {
    Unsigned value = 0;
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(&value, bytes, sizeof value);
    } else {
        for (std::size_t i = 0; i < sizeof(Unsigned); ++i) {
            value = static_cast<Unsigned>(value | static_cast<Unsigned>(bytes[i]) << (8 * i));
        }
    }
    return value;
}

}  // namespace Tev
