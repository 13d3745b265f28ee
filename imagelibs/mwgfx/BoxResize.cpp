// SPDX-License-Identifier: GPL-3.0-or-later
#include "BoxResize.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <unordered_map>

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

std::uint8_t RoundChannel(float value) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0l, 255l));
}

// Finds the nearest table entry for each filtered colour, remembering earlier answers:
// images hold far fewer distinct colours than pixels.
class PaletteMatcher {
public:
    explicit PaletteMatcher(const std::vector<std::uint8_t>& table) : m_table(table) {}

    std::uint8_t Nearest(const std::uint8_t* bgra) {
        const std::uint32_t key = static_cast<std::uint32_t>(bgra[0]) | bgra[1] << 8 |
                                  bgra[2] << 16 | static_cast<std::uint32_t>(bgra[3]) << 24;
        const auto known = m_known.find(key);
        if (known != m_known.end()) {
            return known->second;
        }
        std::uint8_t best = 0;
        int bestDistance = std::numeric_limits<int>::max();
        for (std::size_t entry = 0; entry < m_table.size() / 4; ++entry) {
            int distance = 0;
            for (int channel = 0; channel < 4; ++channel) {
                const int difference = int{bgra[channel]} - int{m_table[entry * 4 + channel]};
                distance += difference * difference;
            }
            if (distance < bestDistance) {
                bestDistance = distance;
                best = static_cast<std::uint8_t>(entry);
            }
        }
        m_known.emplace(key, best);
        return best;
    }

private:
    const std::vector<std::uint8_t>& m_table;
    std::unordered_map<std::uint32_t, std::uint8_t> m_known;
};

}  // namespace

std::optional<Picture> BoxResize(const Picture& source, std::uint32_t width, std::uint32_t height) {
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
        result.colourTable = source.colourTable;
        result.colourTable.resize(kPaddedTableEntries * 4, 0);
    }
    const std::size_t outBytes = indexed ? 1 : 4;
    result.pixels.resize(std::size_t{width} * height * outBytes);
    if (emptyTarget) {
        return result;
    }

    const std::vector<std::uint8_t> expanded =
        indexed ? ExpandToBgra(source) : std::vector<std::uint8_t>{};
    const std::uint8_t* colours = indexed ? expanded.data() : source.pixels.data();
    const Axis columns = MakeAxis(source.width, width);
    const Axis rows = MakeAxis(source.height, height);
    PaletteMatcher matcher(source.colourTable);
    std::vector<float> columnSums(std::size_t{source.width} * 4);
    std::array<std::uint8_t, 4> rounded{};
    const std::size_t sourceRowBytes = std::size_t{source.width} * 4;
    const std::size_t outRowBytes = std::size_t{width} * outBytes;

    for (std::uint32_t y = 0; y < height; ++y) {
        std::uint8_t* outRow = result.pixels.data() + y * outRowBytes;
        // Upscaled rows repeat: a row covering the same source rows is the same row.
        const Span& rowSpan = rows.spans[y];
        if (y > 0 && rowSpan == rows.spans[y - 1]) {
            std::copy_n(outRow - outRowBytes, outRowBytes, outRow);
            continue;
        }
        std::fill(columnSums.begin(), columnSums.end(), 0.0f);
        for (std::uint32_t k = 0; k < rowSpan.count; ++k) {
            const float weight = rows.Weight(rowSpan, k);
            const std::uint8_t* sourceRow =
                colours + (std::size_t{rowSpan.first} + k) * sourceRowBytes;
            for (std::size_t i = 0; i < sourceRowBytes; ++i) {
                columnSums[i] += weight * sourceRow[i];
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
            if (indexed) {
                outRow[x] = matcher.Nearest(rounded.data());
            } else {
                std::copy(rounded.begin(), rounded.end(), outRow + x * 4);
            }
        }
    }
    return result;
}
