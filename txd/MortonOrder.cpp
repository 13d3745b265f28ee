// SPDX-License-Identifier: GPL-3.0-or-later
// Moving one level between row order and swizzled (Morton) order.
#include "txd/MortonOrder.h"

#include "txd/MortonByteSquares.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <type_traits>

namespace tinplate {

namespace {

// In an interleaved index x owns the even bits and y the odd ones.
constexpr std::uint32_t kEvenBits = 0x55555555;
constexpr std::uint32_t kOddBits = 0xAAAAAAAA;

// Adds one to the coordinate held in the `mask` bits of an interleaved index: the carry runs
// through the other coordinate's bits because they are all set in `bits - mask`.
constexpr std::uint32_t NextInterleaved(std::uint32_t bits, std::uint32_t mask) {
    return (bits - mask) & mask;
}

// The coordinate held in the even bits of an interleaved index.
constexpr std::uint32_t EvenBitsOf(std::uint32_t bits) {
    bits &= kEvenBits;
    bits = (bits | (bits >> 1)) & 0x33333333;
    bits = (bits | (bits >> 2)) & 0x0F0F0F0F;
    bits = (bits | (bits >> 4)) & 0x00FF00FF;
    return (bits | (bits >> 8)) & 0x0000FFFF;
}

// The two directions share one walk and differ in which side of each copy is read. Each
// reads its source in order and scatters into its destination: on large textures scattered
// stores cost far less than scattered loads.
struct ToSequence {
    static constexpr bool kReadsLinear = true;
#if defined(__SSE2__)
    static void ByteSquare(const std::uint8_t* source, std::uint8_t* destination,
                           std::size_t linear, std::size_t sequence, std::size_t pitch) {
        SwizzleByteSquare(source + linear, destination + sequence, pitch);
    }
#endif
    static void Move(const std::uint8_t* source, std::uint8_t* destination, std::size_t linear,
                     std::size_t sequence, std::size_t bytes) {
        std::memcpy(destination + sequence, source + linear, bytes);
    }
};

struct ToLinear {
    static constexpr bool kReadsLinear = false;
#if defined(__SSE2__)
    static void ByteSquare(const std::uint8_t* source, std::uint8_t* destination,
                           std::size_t linear, std::size_t sequence, std::size_t pitch) {
        UnswizzleByteSquare(source + sequence, destination + linear, pitch);
    }
#endif
    static void Move(const std::uint8_t* source, std::uint8_t* destination, std::size_t linear,
                     std::size_t sequence, std::size_t bytes) {
        std::memcpy(destination + linear, source + sequence, bytes);
    }
};

// Walks one tile. `TexelSize` is a compile-time constant for the common texel sizes, so that
// every copy below has a fixed length and becomes a plain load and store.
template <class Direction, class TexelSize>
class TileWalk {
public:
    TileWalk(const std::uint8_t* source, std::uint8_t* destination, std::size_t pitch,
             TexelSize texelBytes)
        : m_source(source),
          m_destination(destination),
          m_texel(texelBytes),
          m_pitch(pitch * m_texel) {}

    void Run(std::size_t linear, std::size_t sequence, std::uint32_t side) {
        linear *= m_texel;
        sequence *= m_texel;
        if (side == 2) {
            Leaf(linear, sequence);
            return;
        }
        // Blocks of n x n texels (n = 4, or 8 for one-byte texels) are n x n consecutive
        // sequence texels, and blocks follow each other in Morton order of their own
        // coordinates.
#if defined(__SSE2__)
        if constexpr (kByteTexels) {
            if (side >= 16) {
                ByteSquares(linear, sequence, side);
                return;
            }
        }
#endif
        m_unit = kByteTexels && side >= 8 ? 8 : 4;
        if constexpr (Direction::kReadsLinear) {
            BlocksInRowOrder(linear, sequence, side / m_unit);
        } else {
            BlocksInSequenceOrder(linear, sequence, side / m_unit);
        }
    }

private:
#if defined(__SSE2__)
    // Unswizzle reads the squares in sequence order and scatters their rows, as the blocks
    // below do. Swizzle takes them in row order: each 64-byte line of the rows is then read by
    // consecutive squares, where with a power-of-two pitch, whose rows share few cache sets, a
    // line left half-read would be evicted before its next square.
    void ByteSquares(std::size_t linear, std::size_t sequence, std::uint32_t side) {
        const std::uint32_t squares = side / 16;
        if constexpr (!Direction::kReadsLinear) {
            for (std::uint32_t i = 0; i < squares * squares; ++i) {
                Direction::ByteSquare(m_source, m_destination,
                                      linear + (EvenBitsOf(i >> 1) * m_pitch + EvenBitsOf(i)) * 16,
                                      sequence + std::size_t{i} * 256, m_pitch);
            }
            return;
        }
        std::uint32_t yBits = 0;
        for (std::uint32_t y = 0; y < squares; ++y) {
            std::uint32_t xBits = 0;
            for (std::uint32_t x = 0; x < squares; ++x) {
                Direction::ByteSquare(m_source, m_destination, linear + (y * m_pitch + x) * 16,
                                      sequence + std::size_t{xBits | yBits} * 256, m_pitch);
                xBits = NextInterleaved(xBits, kEvenBits);
            }
            yBits = NextInterleaved(yBits, kOddBits);
        }
    }
#endif

    // Finds each block's sequence place by stepping its interleaved coordinates.
    void BlocksInRowOrder(std::size_t linear, std::size_t sequence, std::uint32_t blocks) {
        std::uint32_t yBits = 0;
        for (std::uint32_t by = 0; by < blocks; ++by) {
            const std::size_t rowStart = linear + std::size_t{by} * m_unit * m_pitch;
            std::uint32_t xBits = 0;
            for (std::uint32_t bx = 0; bx < blocks; ++bx) {
                Unit(rowStart + std::size_t{bx} * m_unit * m_texel,
                     sequence + std::size_t{xBits | yBits} * m_unit * m_unit * m_texel);
                xBits = NextInterleaved(xBits, kEvenBits);
            }
            yBits = NextInterleaved(yBits, kOddBits);
        }
    }

    // Takes 2 x 2 squares of blocks, 4 consecutive sequence blocks each, so that the block
    // coordinates are taken apart from the sequence index once per square.
    void BlocksInSequenceOrder(std::size_t linear, std::size_t sequence, std::uint32_t blocks) {
        if (blocks == 1) {
            Unit(linear, sequence);
            return;
        }
        const std::size_t right = m_unit * m_texel;
        const std::size_t down = m_unit * m_pitch;
        const std::size_t step = m_unit * m_unit * m_texel;
        const std::uint32_t count = blocks * blocks;
        for (std::uint32_t i = 0; i < count; i += 4) {
            const std::size_t at = linear + EvenBitsOf(i >> 1) * down + EvenBitsOf(i) * right;
            const std::size_t next = sequence + std::size_t{i} * step;
            Unit(at, next);
            Unit(at + right, next + step);
            Unit(at + down, next + 2 * step);
            Unit(at + down + right, next + 3 * step);
        }
    }

    void Unit(std::size_t linear, std::size_t sequence) {
        if constexpr (kByteTexels) {
            if (m_unit == 8) {
                ByteTile(linear, sequence);
                return;
            }
        }
        Block(linear, sequence);
    }

    void Leaf(std::size_t linear, std::size_t sequence) {
        const std::size_t pair = 2 * m_texel;
        Direction::Move(m_source, m_destination, linear, sequence, pair);
        Direction::Move(m_source, m_destination, linear + m_pitch, sequence + pair, pair);
    }

    void Block(std::size_t linear, std::size_t sequence) {
        if constexpr (kByteTexels) {
            ByteBlock(linear, sequence);
            return;
        }
        const std::size_t leaf = 4 * m_texel;
        const std::size_t across = 2 * m_texel;
        const std::size_t down = 2 * m_pitch;
        Leaf(linear, sequence);
        Leaf(linear + across, sequence + leaf);
        Leaf(linear + down, sequence + 2 * leaf);
        Leaf(linear + down + across, sequence + 3 * leaf);
    }

    // One-byte texels: a block's rows are four 4-byte words and its sequence two 8-byte words.
    // Two rows side by side hold their 2 x 2 leaves with the middle 16-bit halves swapped, and
    // swapping them back is the same step.
    static std::uint64_t SwapMiddleHalves(std::uint64_t rows) {
        const std::uint64_t t = (rows ^ (rows >> 16)) & 0x00000000FFFF0000ull;
        return rows ^ t ^ (t << 16);
    }

    void ByteBlock(std::size_t linear, std::size_t sequence) {
        std::uint32_t rows[4];
        std::uint64_t pairs[2];
        if constexpr (Direction::kReadsLinear) {
            for (int r = 0; r < 4; ++r) {
                std::memcpy(&rows[r], m_source + linear + r * m_pitch, 4);
            }
            for (int p = 0; p < 2; ++p) {
                pairs[p] = SwapMiddleHalves(rows[2 * p] | std::uint64_t{rows[2 * p + 1]} << 32);
            }
            std::memcpy(m_destination + sequence, pairs, 16);
        } else {
            std::memcpy(pairs, m_source + sequence, 16);
            for (int p = 0; p < 2; ++p) {
                const std::uint64_t both = SwapMiddleHalves(pairs[p]);
                rows[2 * p] = static_cast<std::uint32_t>(both);
                rows[2 * p + 1] = static_cast<std::uint32_t>(both >> 32);
            }
            for (int r = 0; r < 4; ++r) {
                std::memcpy(m_destination + linear + r * m_pitch, &rows[r], 4);
            }
        }
    }

    // An 8 x 8 tile of one-byte texels: four blocks, eight 8-byte rows, eight 8-byte sequence
    // words. Each row holds one row of a left and a right block side by side.
    void ByteTile(std::size_t linear, std::size_t sequence) {
        constexpr std::uint64_t kLow = 0x00000000FFFFFFFFull;
        std::uint64_t rows[8];
        std::uint64_t words[8];  // block (top-left, top-right, bottom-left, bottom-right), pair
        if constexpr (Direction::kReadsLinear) {
            for (int r = 0; r < 8; ++r) {
                std::memcpy(&rows[r], m_source + linear + r * m_pitch, 8);
            }
            for (int pair = 0; pair < 4; ++pair) {
                const std::uint64_t a = rows[2 * pair];
                const std::uint64_t b = rows[2 * pair + 1];
                const int block = pair / 2 * 2;
                words[block * 2 + pair % 2] = SwapMiddleHalves((a & kLow) | b << 32);
                words[(block + 1) * 2 + pair % 2] = SwapMiddleHalves(a >> 32 | (b & ~kLow));
            }
            std::memcpy(m_destination + sequence, words, 64);
        } else {
            std::memcpy(words, m_source + sequence, 64);
            for (int pair = 0; pair < 4; ++pair) {
                const int block = pair / 2 * 2;
                const std::uint64_t left = SwapMiddleHalves(words[block * 2 + pair % 2]);
                const std::uint64_t right = SwapMiddleHalves(words[(block + 1) * 2 + pair % 2]);
                rows[2 * pair] = (left & kLow) | right << 32;
                rows[2 * pair + 1] = left >> 32 | (right & ~kLow);
            }
            for (int r = 0; r < 8; ++r) {
                std::memcpy(m_destination + linear + r * m_pitch, &rows[r], 8);
            }
        }
    }

    static constexpr bool kByteTexels =
        std::is_same_v<TexelSize, std::integral_constant<std::size_t, 1>>;

    const std::uint8_t* m_source;
    std::uint8_t* m_destination;
    TexelSize m_texel;
    std::uint32_t m_unit = 4;
    std::size_t m_pitch;
};

template <std::size_t N>
using FixedTexel = std::integral_constant<std::size_t, N>;

template <class Direction>
void WalkTile(const std::uint8_t* source, std::uint8_t* destination, std::uint32_t& position,
              std::uint32_t tileStart, std::uint32_t side, std::uint32_t pitch,
              std::uint32_t texelBytes) {
    const auto run = [&](auto texel) {
        TileWalk<Direction, decltype(texel)>(source, destination, pitch, texel)
            .Run(tileStart, position, side);
    };
    switch (texelBytes) {
        case 1:
            run(FixedTexel<1>{});
            break;
        case 2:
            run(FixedTexel<2>{});
            break;
        case 3:
            run(FixedTexel<3>{});
            break;
        case 4:
            run(FixedTexel<4>{});
            break;
        default:
            run(std::size_t{texelBytes});
            break;
    }
    position += side * side;
}

constexpr bool IsPowerOfTwoAtLeast2(std::uint32_t value) {
    return value >= 2 && (value & (value - 1)) == 0;
}

using TileTransform = void (*)(const std::uint8_t*, std::uint8_t*, std::uint32_t&, std::uint32_t,
                               std::uint32_t, std::uint32_t, std::uint32_t);

// Reads the level from `source` and writes it in the other order into `destination`.
void ConvertLevel(const std::uint8_t* source, std::uint8_t* destination, std::uint32_t width,
                  std::uint32_t height, std::uint32_t texelBytes, TileTransform transform) {
    const bool wide = width > height;
    const std::uint32_t side = wide ? height : width;
    const std::uint32_t tiles = wide ? width / height : height / width;
    // A tall texture's tiles follow each other down the rows, a wide one's across them.
    const std::uint32_t tileStep = wide ? side : side * width;
    std::uint32_t position = 0;
    for (std::uint32_t k = 0; k < tiles; ++k) {
        transform(source, destination, position, k * tileStep, side, width, texelBytes);
    }
}

}  // namespace

void SwizzleTile(const std::uint8_t* source, std::uint8_t* destination, std::uint32_t& position,
                 std::uint32_t tileStart, std::uint32_t side, std::uint32_t pitch,
                 std::uint32_t texelBytes) {
    WalkTile<ToSequence>(source, destination, position, tileStart, side, pitch, texelBytes);
}

void UnswizzleTile(const std::uint8_t* source, std::uint8_t* destination, std::uint32_t& position,
                   std::uint32_t tileStart, std::uint32_t side, std::uint32_t pitch,
                   std::uint32_t texelBytes) {
    WalkTile<ToLinear>(source, destination, position, tileStart, side, pitch, texelBytes);
}

bool IsReorderable(std::size_t bytes, std::uint32_t width, std::uint32_t height,
                   std::uint32_t texelBytes) {
    return texelBytes != 0 && bytes == std::uint64_t{width} * height * texelBytes &&
           (width < 2 || height < 2 ||
            (IsPowerOfTwoAtLeast2(width) && IsPowerOfTwoAtLeast2(height)));
}

bool ReorderLevel(std::span<const std::uint8_t> source, std::span<std::uint8_t> destination,
                  std::uint32_t width, std::uint32_t height, std::uint32_t texelBytes,
                  bool toSwizzled) {
    if (!IsReorderable(source.size(), width, height, texelBytes) ||
        destination.size() != source.size()) {
        return false;
    }
    if (width < 2 || height < 2) {
        std::copy(source.begin(), source.end(), destination.begin());
        return true;
    }
    ConvertLevel(source.data(), destination.data(), width, height, texelBytes,
                 toSwizzled ? SwizzleTile : UnswizzleTile);
    return true;
}

}  // namespace tinplate
