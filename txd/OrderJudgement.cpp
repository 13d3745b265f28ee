// SPDX-License-Identifier: GPL-3.0-or-later
// Judging the order of a texture's texels: by its level chain, else by how smooth it is.
#include "txd/OrderJudgement.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstdlib>
#include <span>
#include <utility>
#include <vector>

#include "txd/LevelChain.h"
#include "txd/MortonOrder.h"
#include "txd/TextureKinds.h"

namespace tinplate {

namespace {

// Judged on the top-left square of at most this side: the first side x side texels of a
// swizzled level are that square, so opening a large dictionary stays cheap.
constexpr std::uint32_t kSquareSide = 64;
// The best reading must be this much better than the next to count.
constexpr double kClearMargin = 0.8;
// Below this side a picture has too few neighbours for smoothness alone to tell the readings
// apart; how well each texel follows from the ones above and before it tells more.
constexpr std::uint32_t kSmallSide = 32;

struct Level {
    std::span<const std::uint8_t> bytes;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

class Judge {
public:
    Judge(const TextureRecord& record, std::uint32_t texelBytes)
        : m_record(record), m_texelBytes(texelBytes), m_palettised(IsPalettised(KindOf(record))) {}

    // Whether the level can be swizzled at all, and is large enough for the orders to differ
    // (in squares of side 2, and single rows or columns, both are the same).
    bool Tells(const Level& level) const {
        return std::has_single_bit(level.width) && std::has_single_bit(level.height) &&
               std::min(level.width, level.height) >= 4 &&
               level.bytes.size() == std::size_t{level.width} * level.height * m_texelBytes;
    }

    // The colours of the level's top-left square of `side`, read in one order; with
    // `asStored`, an 8-bit level's indices rather than their colours.
    std::vector<std::uint8_t> Square(const Level& level, std::uint32_t side, bool swizzled,
                                     bool asStored = false) const {
        std::vector<std::uint8_t> texels(std::size_t{side} * side * m_texelBytes);
        if (swizzled) {
            ReorderLevel(level.bytes.first(texels.size()), texels, side, side, m_texelBytes, false);
        } else {
            const std::size_t row = std::size_t{side} * m_texelBytes;
            for (std::uint32_t y = 0; y < side; ++y) {
                std::copy_n(level.bytes.begin() + y * level.width * m_texelBytes, row,
                            texels.begin() + y * row);
            }
        }
        if (!m_palettised || asStored) {
            return texels;
        }
        std::vector<std::uint8_t> colours;
        colours.reserve(texels.size() * 4);
        for (std::size_t i = 0; i < texels.size(); i += m_texelBytes) {
            const std::size_t entry = std::size_t{texels[i]} * 4;
            const ByteBuffer& palette = m_record.palette;
            for (std::size_t c = 0; c < 4; ++c) {
                colours.push_back(entry + 4 <= palette.size() ? palette[entry + c] : 0);
            }
        }
        return colours;
    }

    std::size_t Channels() const { return m_palettised ? 4 : m_texelBytes; }

    // How far each texel is, at best, from what its neighbours above and before it predict
    // (one of them, or the plane through three), bytes taken round 256 so that ramps that
    // wrap stay ramps: the stored bytes of synthetic and hand-drawn small textures run in
    // steps that one reading keeps and the other breaks. Of a square read `asStored`.
    double Unpredictability(const std::vector<std::uint8_t>& square, std::uint32_t side) const {
        const std::size_t channels = m_texelBytes;
        const std::size_t pitch = side * channels;
        const auto texel = [&](std::size_t x, std::size_t y) {
            return &square[y * pitch + x * channels];
        };
        const auto distance = [&](const std::uint8_t* a, const std::uint8_t* b) {
            int sum = 0;
            for (std::size_t c = 0; c < channels; ++c) {
                const int d = (a[c] - b[c]) & 0xFF;
                sum += std::min(d, 256 - d);
            }
            return sum;
        };
        std::uint64_t total = 0;
        std::vector<std::uint8_t> plane(channels);
        for (std::size_t y = 0; y < side; ++y) {
            for (std::size_t x = y == 0 ? 1 : 0; x < side; ++x) {
                const std::uint8_t* here = texel(x, y);
                int best = INT_MAX;
                const auto consider = [&](const std::uint8_t* predicted) {
                    best = std::min(best, distance(here, predicted));
                };
                if (x > 0) {
                    consider(texel(x - 1, y));
                }
                if (y > 0) {
                    consider(texel(x, y - 1));
                    if (x + 1 < side) {
                        consider(texel(x + 1, y - 1));
                    }
                }
                if (x > 0 && y > 0) {
                    consider(texel(x - 1, y - 1));
                    for (std::size_t c = 0; c < channels; ++c) {
                        plane[c] = static_cast<std::uint8_t>(
                            texel(x - 1, y)[c] + texel(x, y - 1)[c] - texel(x - 1, y - 1)[c]);
                    }
                    consider(plane.data());
                }
                total += static_cast<std::uint64_t>(best);
            }
        }
        return static_cast<double>(total) / static_cast<double>(std::size_t{side} * side - 1);
    }

    // The mean difference between neighbours across and down.
    double Roughness(const std::vector<std::uint8_t>& square, std::uint32_t side) const {
        const std::size_t channels = Channels();
        const std::size_t pitch = side * channels;
        std::uint64_t sum = 0;
        for (std::size_t y = 0; y < side; ++y) {
            for (std::size_t x = 0; x < pitch; ++x) {
                const int here = square[y * pitch + x];
                if (x + channels < pitch) {
                    sum += static_cast<std::uint64_t>(
                        std::abs(here - square[y * pitch + x + channels]));
                }
                if (y + 1 < side) {
                    sum += static_cast<std::uint64_t>(std::abs(here - square[(y + 1) * pitch + x]));
                }
            }
        }
        return static_cast<double>(sum) / static_cast<double>(2 * side * (side - 1));
    }

    // How far `smaller` is from `larger` (twice its side) averaged down two by two.
    double Mismatch(const std::vector<std::uint8_t>& larger,
                    const std::vector<std::uint8_t>& smaller, std::uint32_t side) const {
        const std::size_t channels = Channels();
        const std::size_t pitch = 2 * side * channels;
        std::uint64_t sum = 0;
        for (std::size_t y = 0; y < side; ++y) {
            for (std::size_t x = 0; x < side; ++x) {
                for (std::size_t c = 0; c < channels; ++c) {
                    const std::size_t at = 2 * y * pitch + 2 * x * channels + c;
                    const int mean = (larger[at] + larger[at + channels] + larger[at + pitch] +
                                      larger[at + pitch + channels] + 2) /
                                     4;
                    sum += static_cast<std::uint64_t>(
                        std::abs(mean - smaller[(y * side + x) * channels + c]));
                }
            }
        }
        return static_cast<double>(sum) / static_cast<double>(side * side);
    }

private:
    const TextureRecord& m_record;
    std::uint32_t m_texelBytes;
    bool m_palettised;
};

// The index of the clearly smallest score, or -1.
int ClearlyBest(std::span<const double> scores) {
    const auto best = std::ranges::min_element(scores);
    for (auto it = scores.begin(); it != scores.end(); ++it) {
        if (it != best && *best >= *it * kClearMargin) {
            return -1;
        }
    }
    return static_cast<int>(best - scores.begin());
}

TexelOrder OrderOf(bool swizzled) {
    return swizzled ? TexelOrder::kSwizzled : TexelOrder::kLinear;
}

}  // namespace

void JudgeMortonOrder(TextureRecord& record) {
    const TextureKind kind = KindOf(record);
    std::uint32_t texelBytes = FactsOf(kind).texelBytes;
    if (kind == TextureKind::kOtherDepth && record.depth > 0 && record.depth % 8 == 0) {
        texelBytes = static_cast<std::uint32_t>(record.depth / 8);
    }
    const Level first{std::as_const(record).pixels, record.width, record.height};
    const bool powers = std::has_single_bit(record.width) && std::has_single_bit(record.height);
    // Blocks are never swizzled, and only sides that are powers of two can be.
    if (texelBytes == 0 || !powers) {
        record.order = record.firstLevelOrder = TexelOrder::kLinear;
        return;
    }
    record.order = record.firstLevelOrder = TexelOrder::kGuessedSwizzled;
    const Judge judge(record, texelBytes);
    if (!judge.Tells(first)) {
        return;
    }
    // A level chain settles it: the second level is the first averaged down in one reading
    // (rows or swizzled, each level on its own, as Unswizzle All leaves them) and far from it
    // in the others.
    const std::vector<LevelSize> sizes = SmallerLevelSizes(record);
    const auto bytes = SmallerLevelBytes(record);
    if (!sizes.empty() && !bytes.empty()) {
        const Level second{bytes.front(), sizes.front().width, sizes.front().height};
        if (judge.Tells(second)) {
            const std::uint32_t side = std::min({second.width, second.height, kSquareSide / 2});
            const std::vector<std::uint8_t> larger[2] = {judge.Square(first, 2 * side, false),
                                                         judge.Square(first, 2 * side, true)};
            const std::vector<std::uint8_t> smaller[2] = {judge.Square(second, side, false),
                                                          judge.Square(second, side, true)};
            double scores[4];
            for (int reading = 0; reading < 4; ++reading) {
                scores[reading] =
                    judge.Mismatch(larger[reading & 1], smaller[(reading & 2) >> 1], side);
            }
            if (const int best = ClearlyBest(scores); best >= 0) {
                record.firstLevelOrder = OrderOf(best & 1);
                record.order = OrderOf(best & 2);
                return;
            }
        }
    }
    // Else pictures run smoothly in places, and Morton order read as rows (or rows read as
    // Morton order) breaks every run into scattered texels.
    const std::uint32_t side = std::min({record.width, record.height, kSquareSide});
    if (side < kSmallSide) {
        const double steps[2] = {
            judge.Unpredictability(judge.Square(first, side, false, true), side),
            judge.Unpredictability(judge.Square(first, side, true, true), side)};
        if (const int best = ClearlyBest(steps); best >= 0) {
            record.order = record.firstLevelOrder = OrderOf(best == 1);
            return;
        }
    }
    const double scores[2] = {judge.Roughness(judge.Square(first, side, false), side),
                              judge.Roughness(judge.Square(first, side, true), side)};
    if (const int best = ClearlyBest(scores); best >= 0) {
        record.order = record.firstLevelOrder = OrderOf(best == 1);
    }
}

}  // namespace tinplate
