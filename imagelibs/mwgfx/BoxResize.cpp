// SPDX-License-Identifier: GPL-3.0-or-later
// The area filter over colours, 8-bit results mapped back to their table.
#include "imagelibs/mwgfx/BoxResize.h"

#include <algorithm>
#include <array>
#include <bit>

#include "imagelibs/mwgfx/NearestColour.h"

namespace tinplate {

namespace {

constexpr std::size_t kPaddedTableEntries = 256;

// The source pixels that cover one target pixel along one axis: `count` pixels from `first`,
// the outer two covered partly, the ones between in full.
struct Span {
    std::uint32_t first = 0;
    std::uint32_t count = 0;
    float firstWeight = 0;
    float lastWeight = 0;
    bool operator==(const Span&) const = default;
};

struct Axis {
    std::vector<Span> spans;
    float innerWeight = 0;  // the share of a source pixel covered in full

    float Weight(const Span& span, std::uint32_t k) const {
        return k == 0 ? span.firstWeight : k + 1 == span.count ? span.lastWeight : innerWeight;
    }
};

// Target pixel i covers [i * source, (i + 1) * source) and source pixel j covers
// [j * target, (j + 1) * target), both in units of 1 / target: overlaps are exact integers.
Axis MakeAxis(std::uint32_t source, std::uint32_t target) {
    Axis axis;
    axis.innerWeight = static_cast<float>(target) / static_cast<float>(source);
    axis.spans.resize(target);
    for (std::uint64_t i = 0; i < target; ++i) {
        const std::uint64_t begin = i * source;
        const std::uint64_t end = begin + source;
        const std::uint64_t first = begin / target;
        const std::uint64_t last = (end - 1) / target;
        const std::uint64_t firstOverlap = std::min(end, (first + 1) * target) - begin;
        const std::uint64_t lastOverlap = end - std::max(begin, last * target);
        axis.spans[i] =
            Span{static_cast<std::uint32_t>(first), static_cast<std::uint32_t>(last - first + 1),
                 static_cast<float>(firstOverlap) / static_cast<float>(source),
                 static_cast<float>(lastOverlap) / static_cast<float>(source)};
    }
    return axis;
}

// Rounds half away from zero, as lround does, without the library call: `value - whole` is
// exact for the values a filter makes (0 to a little over 255).
std::uint8_t RoundChannel(float value) {
    if (!(value > 0.0f)) {
        return 0;
    }
    if (value >= 255.0f) {
        return 255;
    }
    const int whole = static_cast<int>(value);
    return static_cast<std::uint8_t>(value - static_cast<float>(whole) >= 0.5f ? whole + 1 : whole);
}

// A source's pixels as B, G, R, A bytes, through the colour table for 8-bit sources (an
// index past the table is transparent black).
class SourceColours {
public:
    explicit SourceColours(const BitmapView& source) : m_source(source) {
        if (source.bitsPerPixel == 8) {
            std::copy(source.colourTable.begin(), source.colourTable.end(), m_table.begin());
            for (std::size_t i = 0; i < m_lanes.size(); ++i) {
                m_lanes[i] = Spread(&m_table[i * 4]);
            }
        }
    }
    const std::uint8_t* At(const std::uint8_t* row, std::uint32_t x) const {
        return m_source.bitsPerPixel == 8 ? &m_table[std::size_t{row[x]} * 4] : row + x * 4;
    }
    // An 8-bit source's colour with its four channels spread into 16-bit lanes, so that sums
    // of up to 257 pixels are one addition each.
    std::uint64_t Lanes(const std::uint8_t* row, std::uint32_t x) const { return m_lanes[row[x]]; }
    const BitmapView& view() const { return m_source; }

private:
    static std::uint64_t Spread(const std::uint8_t* c) {
        return std::uint64_t{c[0]} | std::uint64_t{c[1]} << 16 | std::uint64_t{c[2]} << 32 |
               std::uint64_t{c[3]} << 48;
    }

    const BitmapView& m_source;
    std::array<std::uint8_t, 256 * 4> m_table{};
    std::array<std::uint64_t, 256> m_lanes{};
};

std::uint32_t Lane(std::uint64_t lanes, int channel) {
    return static_cast<std::uint32_t>(lanes >> (16 * channel)) & 0xFFFF;
}

// Where the result's colours go: copied for 32-bit results, matched to the table for 8-bit.
class Output {
public:
    Output(Picture& result, std::span<const std::uint8_t> table)
        : m_result(result), m_nearest(table) {}
    void Put(std::uint32_t x, std::uint32_t y, const std::array<std::uint8_t, 4>& bgra) {
        const std::size_t at = std::size_t{y} * m_result.width + x;
        if (m_result.bitsPerPixel == 8) {
            m_result.pixels[at] = m_nearest.Find(bgra);
        } else {
            std::copy(bgra.begin(), bgra.end(), m_result.pixels.begin() + at * 4);
        }
    }

private:
    Picture& m_result;
    NearestColour m_nearest;
};

// Every target pixel the mean of an fx x fy block, both powers of two. Each weight is then
// 1 / f exactly and the filter's float sums are exact up to 24 bits; the sums here are the
// same numbers, counted in integers, with the filter's float steps taken wherever the float
// sums would have been rounded, so the result is the filter's to the bit.
class PowerOfTwoMeans {
public:
    PowerOfTwoMeans(std::uint32_t fx, std::uint32_t fy)
        : m_fx(fx),
          m_wholeInIntegers(std::uint64_t{fx} * fy <= 65536 && fx <= 256),
          m_xWeight(1.0f / static_cast<float>(fx)),
          m_yWeight(1.0f / static_cast<float>(fy)),
          m_half(std::uint64_t{fx} * fy),
          m_shift(std::countr_zero(2 * m_half)) {}

    // Whether a block's sums fit the integer steps.
    bool wholeInIntegers() const { return m_wholeInIntegers; }

    // The mean of a block from its exact sum (wholeInIntegers only): rounded half up as
    // (2 sum + fx fy) / (2 fx fy), a shift for powers of two.
    std::uint8_t FromSum(std::uint64_t sum) const {
        return static_cast<std::uint8_t>((2 * sum + m_half) >> m_shift);
    }

    // The mean of a block from the exact sums of its fx columns, 4 channels a column apart:
    // adding them is where floats round.
    std::uint8_t FromColumnSums(const std::uint32_t* sums) const {
        float colour = 0.0f;
        for (std::uint32_t k = 0; k < m_fx; ++k) {
            colour += m_xWeight * (static_cast<float>(sums[k * 4]) * m_yWeight);
        }
        return RoundChannel(colour);
    }

private:
    std::uint32_t m_fx;
    bool m_wholeInIntegers;
    float m_xWeight;
    float m_yWeight;
    std::uint64_t m_half;
    int m_shift;
};

// 8-bit sources: each pixel's colour spread into 16-bit lanes through the table.
void ResizeIndexedByPowersOfTwo(const SourceColours& colours, Output& output, std::uint32_t width,
                                std::uint32_t height) {
    const BitmapView& source = colours.view();
    const std::uint32_t fx = source.width / width;
    const std::uint32_t fy = source.height / height;
    const PowerOfTwoMeans means(fx, fy);
    // Lanes hold 16 bits: at most 256 pixels go into one before it is emptied into `sums`.
    const std::uint32_t laneColumns = means.wholeInIntegers() ? width : source.width;
    const std::uint32_t perLane = means.wholeInIntegers() ? fx : 1;
    const std::uint32_t rowsPerFlush = std::max<std::uint32_t>(256 / perLane, 1);
    std::vector<std::uint64_t> lanes(laneColumns);
    std::vector<std::uint32_t> sums(std::size_t{laneColumns} * 4);
    std::array<std::uint8_t, 4> rounded{};

    for (std::uint32_t y = 0; y < height; ++y) {
        std::fill(lanes.begin(), lanes.end(), 0);
        std::fill(sums.begin(), sums.end(), 0);
        for (std::uint32_t k = 0; k < fy; ++k) {
            const std::uint8_t* row = source.Row(y * fy + k);
            if (perLane == 1) {
                for (std::uint32_t x = 0; x < laneColumns; ++x) {
                    lanes[x] += colours.Lanes(row, x);
                }
            } else {
                // Two sums side by side: every lane takes an even number of pixels.
                for (std::uint32_t column = 0, x = 0; column < laneColumns; ++column) {
                    std::uint64_t even = 0;
                    std::uint64_t odd = 0;
                    for (std::uint32_t j = 0; j < perLane; j += 2, x += 2) {
                        even += colours.Lanes(row, x);
                        odd += colours.Lanes(row, x + 1);
                    }
                    lanes[column] += even + odd;
                }
            }
            if ((k + 1) % rowsPerFlush == 0 || k + 1 == fy) {
                for (std::uint32_t column = 0; column < laneColumns; ++column) {
                    for (int channel = 0; channel < 4; ++channel) {
                        sums[column * 4 + channel] += Lane(lanes[column], channel);
                    }
                    lanes[column] = 0;
                }
            }
        }
        for (std::uint32_t x = 0; x < width; ++x) {
            for (int channel = 0; channel < 4; ++channel) {
                rounded[channel] =
                    means.wholeInIntegers()
                        ? means.FromSum(sums[x * 4 + channel])
                        : means.FromColumnSums(sums.data() + std::size_t{x} * fx * 4 + channel);
            }
            output.Put(x, y, rounded);
        }
    }
}

// 32-bit sources: every byte of a row added to its column's sum, a plain loop over bytes
// that the compiler turns into wide vector additions; 16-bit sums take 256 rows of bytes
// before they are emptied into `sums`.
void ResizeTrueColourByPowersOfTwo(const BitmapView& source, Output& output, std::uint32_t width,
                                   std::uint32_t height) {
    const std::uint32_t fx = source.width / width;
    const std::uint32_t fy = source.height / height;
    const PowerOfTwoMeans means(fx, fy);
    const std::size_t rowBytes = std::size_t{source.width} * 4;
    std::vector<std::uint16_t> partial(rowBytes);
    std::vector<std::uint32_t> sums(rowBytes);
    std::array<std::uint8_t, 4> rounded{};

    for (std::uint32_t y = 0; y < height; ++y) {
        std::fill(sums.begin(), sums.end(), 0);
        for (std::uint32_t k = 0; k < fy; ++k) {
            const std::uint8_t* row = source.Row(y * fy + k);
            for (std::size_t i = 0; i < rowBytes; ++i) {
                partial[i] = static_cast<std::uint16_t>(partial[i] + row[i]);
            }
            if ((k + 1) % 256 == 0 || k + 1 == fy) {
                for (std::size_t i = 0; i < rowBytes; ++i) {
                    sums[i] += partial[i];
                    partial[i] = 0;
                }
            }
        }
        for (std::uint32_t x = 0; x < width; ++x) {
            const std::uint32_t* block = sums.data() + std::size_t{x} * fx * 4;
            for (int channel = 0; channel < 4; ++channel) {
                if (means.wholeInIntegers()) {
                    std::uint64_t sum = 0;
                    for (std::uint32_t k = 0; k < fx; ++k) {
                        sum += block[k * 4 + channel];
                    }
                    rounded[channel] = means.FromSum(sum);
                } else {
                    rounded[channel] = means.FromColumnSums(block + channel);
                }
            }
            output.Put(x, y, rounded);
        }
    }
}

bool IsPowerOfTwoFactor(std::uint32_t source, std::uint32_t target) {
    return target != 0 && source >= target && source % target == 0 &&
           std::has_single_bit(source / target);
}

}  // namespace

std::optional<Picture> BoxResize(const BitmapView& source, std::uint32_t width,
                                 std::uint32_t height) {
    const bool indexed = source.bitsPerPixel == 8;
    const bool emptyTarget = width == 0 || height == 0;
    const bool emptySource = source.width == 0 || source.height == 0;
    if (!FitsDecodedLimit(width, height) || (emptySource && !emptyTarget) ||
        (indexed && (source.colourTable.empty() || source.colourTable.size() > 4 * 256))) {
        return std::nullopt;
    }

    Picture result;
    result.width = width;
    result.height = height;
    result.bitsPerPixel = source.bitsPerPixel;
    if (indexed) {
        result.colourTable.assign(source.colourTable.begin(), source.colourTable.end());
        result.colourTable.resize(kPaddedTableEntries * 4, 0);
    }
    const std::size_t outBytes = indexed ? 1 : 4;
    result.pixels.resize(std::size_t{width} * height * outBytes);
    if (emptyTarget) {
        return result;
    }

    const SourceColours colours(source);
    Output output(result, source.colourTable);
    // Taller factors would round the filter's sums of whole columns too.
    if (IsPowerOfTwoFactor(source.width, width) && IsPowerOfTwoFactor(source.height, height) &&
        source.height / height <= 65536) {
        if (indexed) {
            ResizeIndexedByPowersOfTwo(colours, output, width, height);
        } else {
            ResizeTrueColourByPowersOfTwo(source, output, width, height);
        }
        return result;
    }

    const Axis columns = MakeAxis(source.width, width);
    const Axis rows = MakeAxis(source.height, height);
    std::vector<float> columnSums(std::size_t{source.width} * 4);
    std::array<std::uint8_t, 4> rounded{};

    for (std::uint32_t y = 0; y < height; ++y) {
        const Span& rowSpan = rows.spans[y];
        // Upscaled rows repeat: a row covering the same source rows is the same row.
        if (y > 0 && rowSpan == rows.spans[y - 1]) {
            std::copy_n(result.pixels.begin() + (y - 1) * width * outBytes, width * outBytes,
                        result.pixels.begin() + y * width * outBytes);
            continue;
        }
        std::fill(columnSums.begin(), columnSums.end(), 0.0f);
        for (std::uint32_t k = 0; k < rowSpan.count; ++k) {
            const float weight = rows.Weight(rowSpan, k);
            const std::uint8_t* sourceRow = source.Row(rowSpan.first + k);
            for (std::uint32_t x = 0; x < source.width; ++x) {
                const std::uint8_t* colour = colours.At(sourceRow, x);
                for (int channel = 0; channel < 4; ++channel) {
                    columnSums[x * 4 + channel] += weight * colour[channel];
                }
            }
        }
        for (std::uint32_t x = 0; x < width; ++x) {
            const Span& columnSpan = columns.spans[x];
            std::array<float, 4> colour{};
            for (std::uint32_t k = 0; k < columnSpan.count; ++k) {
                const float weight = columns.Weight(columnSpan, k);
                const float* sums = columnSums.data() + (std::size_t{columnSpan.first} + k) * 4;
                for (int channel = 0; channel < 4; ++channel) {
                    colour[channel] += weight * sums[channel];
                }
            }
            for (int channel = 0; channel < 4; ++channel) {
                rounded[channel] = RoundChannel(colour[channel]);
            }
            output.Put(x, y, rounded);
        }
    }
    return result;
}

}  // namespace tinplate
