// SPDX-License-Identifier: GPL-3.0-or-later
// The fixed part of a texture block as a writer fills it in.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "fileio/ByteOrder.h"

namespace tinplate {

// The fixed part of a texture block as a writer fills it in, field by field.
struct BlockHeader {
    static constexpr std::size_t kCapacity = 116;
    std::array<std::uint8_t, kCapacity> bytes{};
    std::size_t used = 0;

    void Le32(std::uint32_t value) {
        WriteLe32(bytes, used, value);
        used += 4;
    }
    void Le16(std::uint16_t value) {
        bytes[used++] = static_cast<std::uint8_t>(value);
        bytes[used++] = static_cast<std::uint8_t>(value >> 8);
    }
    void Byte(std::uint8_t value) { bytes[used++] = value; }
    void Chunk(std::uint32_t type, std::uint32_t size, std::uint32_t version) {
        Le32(type);
        Le32(size);
        Le32(version);
    }
    // A NUL-padded text field of `size` bytes (the text already checked to fit).
    void Text(const std::string& text, std::size_t size) {
        std::copy_n(text.begin(), std::min(text.size(), size), bytes.begin() + used);
        used += size;
    }
    std::span<const std::uint8_t> span() const { return {bytes.data(), used}; }
};

}  // namespace tinplate
