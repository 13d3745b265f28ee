// SPDX-License-Identifier: GPL-3.0-or-later
// Alpha and palette use of stored texels, kind by kind.
#include "checks/TexelScan.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <unordered_set>
#include <utility>

#include "fileio/ByteOrder.h"
#include "texture/TexelKind.h"

namespace tinplate {

namespace {

using Bytes = std::span<const std::uint8_t>;

// AND of every `stride`-th byte from `first`: 0xFF only when all of them are 0xFF.
std::uint8_t AndOfBytes(Bytes bytes, std::size_t first, std::size_t stride) {
    std::uint8_t all = 0xFF;
    for (std::size_t i = first; i < bytes.size(); i += stride) {
        all &= bytes[i];
    }
    return all;
}

// Which of a block's 16 texels lie inside a width x height level: bit 4 * row + column.
std::uint16_t InsideMask(std::uint32_t blockX, std::uint32_t blockY, std::uint32_t width,
                         std::uint32_t height) {
    const std::uint32_t columns = std::min<std::uint32_t>(4, width - blockX * 4);
    const std::uint32_t rows = std::min<std::uint32_t>(4, height - blockY * 4);
    std::uint16_t mask = 0;
    for (std::uint32_t row = 0; row < rows; ++row) {
        mask |= static_cast<std::uint16_t>(((1u << columns) - 1) << (row * 4));
    }
    return mask;
}

// Whether any texel inside the level is less than opaque. `BlockTranslucent` answers for one
// block given the texels inside it.
template <typename BlockTest>
bool AnyBlockTranslucent(const StoredLevel& level, std::size_t blockSize,
                         BlockTest BlockTranslucent) {
    const std::uint32_t blocksWide = (level.width + 3) / 4;
    const std::uint32_t blocksHigh = (level.height + 3) / 4;
    if (std::uint64_t{blocksWide} * blocksHigh * blockSize > level.bytes.size()) {
        return false;
    }
    const std::uint8_t* block = level.bytes.data();
    for (std::uint32_t y = 0; y < blocksHigh; ++y) {
        const bool fullRow = y * 4 + 4 <= level.height;
        for (std::uint32_t x = 0; x < blocksWide; ++x, block += blockSize) {
            const std::uint16_t inside = fullRow && x * 4 + 4 <= level.width
                                             ? 0xFFFF
                                             : InsideMask(x, y, level.width, level.height);
            if (BlockTranslucent(block, inside)) {
                return true;
            }
        }
    }
    return false;
}

// Three-colour blocks (first colour not above the second) draw index 3 transparent.
bool Dxt1BlockTranslucent(const std::uint8_t* block, std::uint16_t inside) {
    const Bytes bytes(block, 8);
    if (ReadLe16(bytes, 0) > ReadLe16(bytes, 2)) {
        return false;
    }
    const std::uint32_t indices = ReadLe32(bytes, 4);
    for (int texel = 0; texel < 16; ++texel) {
        if ((inside >> texel & 1) && ((indices >> (2 * texel)) & 3) == 3) {
            return true;
        }
    }
    return false;
}

bool Dxt3BlockTranslucent(const std::uint8_t* block, std::uint16_t inside) {
    for (int texel = 0; texel < 16; ++texel) {
        const std::uint8_t alpha = (block[texel / 2] >> (4 * (texel % 2))) & 0xF;
        if ((inside >> texel & 1) && alpha != 0xF) {
            return true;
        }
    }
    return false;
}

bool Dxt5BlockTranslucent(const std::uint8_t* block, std::uint16_t inside) {
    const std::uint32_t a0 = block[0];
    const std::uint32_t a1 = block[1];
    std::array<std::uint32_t, 8> alpha{a0, a1};
    if (a0 > a1) {
        for (std::uint32_t i = 1; i < 7; ++i) {
            alpha[i + 1] = ((7 - i) * a0 + i * a1) / 7;
        }
    } else {
        for (std::uint32_t i = 1; i < 5; ++i) {
            alpha[i + 1] = ((5 - i) * a0 + i * a1) / 5;
        }
        alpha[6] = 0;
        alpha[7] = 255;
    }
    std::uint64_t indices = 0;
    for (int i = 0; i < 6; ++i) {
        indices |= std::uint64_t{block[2 + i]} << (8 * i);
    }
    for (int texel = 0; texel < 16; ++texel) {
        if ((inside >> texel & 1) && alpha[(indices >> (3 * texel)) & 7] != 255) {
            return true;
        }
    }
    return false;
}

TexelFacts ScanPalette(const TextureRecord& record, std::span<const StoredLevel> levels) {
    std::array<bool, 256> used{};
    for (const StoredLevel& level : levels) {
        for (const std::uint8_t index : level.bytes) {
            used[index] = true;
        }
    }
    const ByteBuffer& palette = std::as_const(record).palette;
    TexelFacts facts;
    std::unordered_set<std::uint32_t> colours;
    for (std::size_t index = 0; index < used.size(); ++index) {
        // Indices past the palette draw transparent black.
        const bool inPalette = index * 4 + 4 <= palette.size();
        if (!used[index]) {
            continue;
        }
        if (!inPalette) {
            facts.translucent = true;
            continue;
        }
        const Bytes entry(palette.data() + index * 4, 4);
        facts.translucent = facts.translucent || entry[3] != 0xFF;
        colours.insert(ReadLe32(entry, 0));
    }
    facts.paletteColoursUsed = static_cast<unsigned>(colours.size());
    return facts;
}

}  // namespace

std::optional<TexelFacts> ScanTexels(const TextureRecord& record,
                                     std::span<const StoredLevel> levels) {
    const TexelKind kind = TexelKindOf(record);
    if (kind == TexelKind::Palette) {
        return ScanPalette(record, levels);
    }
    TexelFacts facts;
    for (const StoredLevel& level : levels) {
        switch (kind) {
            case TexelKind::Argb8888:
                facts.translucent = AndOfBytes(level.bytes, 3, 4) != 0xFF;
                break;
            case TexelKind::Argb1555:
                facts.translucent = (AndOfBytes(level.bytes, 1, 2) & 0x80) == 0;
                break;
            case TexelKind::Argb4444:
                facts.translucent = (AndOfBytes(level.bytes, 1, 2) | 0x0F) != 0xFF;
                break;
            case TexelKind::Rgb565:
            case TexelKind::Rgb888:
                break;
            case TexelKind::Dxt1:
                facts.translucent = AnyBlockTranslucent(level, 8, Dxt1BlockTranslucent);
                break;
            case TexelKind::Dxt3:
                facts.translucent = AnyBlockTranslucent(level, 16, Dxt3BlockTranslucent);
                break;
            case TexelKind::Dxt5:
                facts.translucent = AnyBlockTranslucent(level, 16, Dxt5BlockTranslucent);
                break;
            default:
                return std::nullopt;
        }
        if (facts.translucent) {
            break;
        }
    }
    return facts;
}

}  // namespace tinplate
