// SPDX-License-Identifier: GPL-3.0-or-later
// The principal-line DXT colour fit: its axis, its end points and the search around them.
#include "texture/DxtLineFit.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace tinplate {

namespace {

using Colour = std::array<int, 3>;

struct Pixels {
    std::array<Colour, 16> colour{};
    std::array<bool, 16> transparent{};
    std::array<bool, 16> inside{};
    bool anyTransparent = false;
};

// The end points as stored, 5:6:5 components, and whether the block decodes as three colours.
struct Ends {
    std::array<Colour, 2> packed{};
    bool threeColours = false;
};

Colour Expand(const Colour& packed) {
    return {packed[0] << 3 | packed[0] >> 2, packed[1] << 2 | packed[1] >> 4,
            packed[2] << 3 | packed[2] >> 2};
}

int Word(const Colour& packed) {
    return packed[0] << 11 | packed[1] << 5 | packed[2];
}

// The four colours a decoder makes of the end points, by its integer rounding.
std::array<Colour, 4> Palette(const Ends& ends) {
    const Colour a = Expand(ends.packed[0]);
    const Colour b = Expand(ends.packed[1]);
    std::array<Colour, 4> palette{a, b, {}, {}};
    for (int c = 0; c < 3; ++c) {
        if (ends.threeColours) {
            palette[2][c] = (a[c] + b[c]) / 2;
        } else {
            palette[2][c] = (2 * a[c] + b[c]) / 3;
            palette[3][c] = (a[c] + 2 * b[c]) / 3;
        }
    }
    return palette;
}

int Distance(const Colour& a, const Colour& b) {
    return std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]);
}

// The summed error of the best index per pixel, and those indices.
int Assign(const Pixels& pixels, const Ends& ends, std::array<int, 16>& indices) {
    const std::array<Colour, 4> palette = Palette(ends);
    const int usable = ends.threeColours ? 3 : 4;
    int total = 0;
    for (int p = 0; p < 16; ++p) {
        indices[p] = ends.threeColours && pixels.transparent[p] ? 3 : 0;
        if (!pixels.inside[p] || pixels.transparent[p]) {
            continue;
        }
        int best = Distance(pixels.colour[p], palette[0]);
        for (int i = 1; i < usable; ++i) {
            const int distance = Distance(pixels.colour[p], palette[i]);
            if (distance < best) {
                best = distance;
                indices[p] = i;
            }
        }
        total += best;
    }
    return total;
}

Colour Pack(const std::array<double, 3>& colour) {
    const auto to = [](double value, int max) {
        return std::clamp(static_cast<int>(std::lround(value * max / 255.0)), 0, max);
    };
    return {to(colour[0], 31), to(colour[1], 63), to(colour[2], 31)};
}

// The direction of greatest spread, by power iteration from the covariance's column of the
// widest channel: a start that cannot be orthogonal to the answer, as (1, 1, 1) is when the
// channels rise and fall against each other.
std::array<double, 3> Axis(const std::array<std::array<double, 3>, 3>& covariance) {
    int widest = 0;
    for (int c = 1; c < 3; ++c) {
        if (covariance[c][c] > covariance[widest][widest]) {
            widest = c;
        }
    }
    std::array<double, 3> axis = covariance[widest];
    for (int round = 0; round < 8; ++round) {
        std::array<double, 3> next{};
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 3; ++c) {
                next[r] += covariance[r][c] * axis[c];
            }
        }
        const double length = std::sqrt(next[0] * next[0] + next[1] * next[1] + next[2] * next[2]);
        if (length == 0) {
            break;
        }
        for (int c = 0; c < 3; ++c) {
            axis[c] = next[c] / length;
        }
    }
    return axis;
}

// The ends of the colours' extent along their principal line.
std::array<Colour, 2> LineEnds(const Pixels& pixels) {
    std::array<double, 3> mean{};
    int count = 0;
    for (int p = 0; p < 16; ++p) {
        if (pixels.inside[p] && !pixels.transparent[p]) {
            for (int c = 0; c < 3; ++c) {
                mean[c] += pixels.colour[p][c];
            }
            ++count;
        }
    }
    if (count == 0) {
        return {};
    }
    for (double& value : mean) {
        value /= count;
    }
    std::array<std::array<double, 3>, 3> covariance{};
    for (int p = 0; p < 16; ++p) {
        if (pixels.inside[p] && !pixels.transparent[p]) {
            for (int r = 0; r < 3; ++r) {
                for (int c = 0; c < 3; ++c) {
                    covariance[r][c] +=
                        (pixels.colour[p][r] - mean[r]) * (pixels.colour[p][c] - mean[c]);
                }
            }
        }
    }
    const std::array<double, 3> axis = Axis(covariance);
    double low = std::numeric_limits<double>::max();
    double high = std::numeric_limits<double>::lowest();
    for (int p = 0; p < 16; ++p) {
        if (pixels.inside[p] && !pixels.transparent[p]) {
            double along = 0;
            for (int c = 0; c < 3; ++c) {
                along += (pixels.colour[p][c] - mean[c]) * axis[c];
            }
            low = std::min(low, along);
            high = std::max(high, along);
        }
    }
    const auto at = [&](double along) {
        return Pack(
            {mean[0] + along * axis[0], mean[1] + along * axis[1], mean[2] + along * axis[2]});
    };
    return {at(high), at(low)};
}

// Moves either end by one 5:6:5 step in any of the 26 directions while the error falls.
int Search(const Pixels& pixels, Ends& ends, int error) {
    constexpr Colour kMax{31, 63, 31};
    std::array<int, 16> indices{};
    for (bool better = true; better;) {
        better = false;
        for (int end = 0; end < 2; ++end) {
            for (int step = 0; step < 27; ++step) {
                const Colour delta{step % 3 - 1, step / 3 % 3 - 1, step / 9 - 1};
                Ends moved = ends;
                bool within = true;
                for (int c = 0; c < 3; ++c) {
                    int& value = moved.packed[end][c];
                    value += delta[c];
                    within = within && value >= 0 && value <= kMax[c];
                }
                if (!within) {
                    continue;
                }
                const int movedError = Assign(pixels, moved, indices);
                if (movedError < error) {
                    ends = moved;
                    error = movedError;
                    better = true;
                }
            }
        }
    }
    return error;
}

// The stored bytes: the decoder picks the mode from the order of the end points (DXT1 only),
// so the ends are swapped, and the indices with them, to give the mode fitted.
std::array<std::uint8_t, 8> Stored(const Pixels& pixels, Ends ends, bool dxt1) {
    std::array<int, 16> indices{};
    Assign(pixels, ends, indices);
    int first = Word(ends.packed[0]);
    int second = Word(ends.packed[1]);
    const bool swap = dxt1 && (ends.threeColours ? first > second : first < second);
    if (swap) {
        std::swap(first, second);
        for (int& index : indices) {
            index = index < 2 ? 1 - index : ends.threeColours ? index : 5 - index;
        }
    }
    if (dxt1 && !ends.threeColours && first == second) {
        for (int& index : indices) {
            index = 0;  // one colour: the decoder's third mode must not see index 3
        }
    }
    std::array<std::uint8_t, 8> out{
        static_cast<std::uint8_t>(first), static_cast<std::uint8_t>(first >> 8),
        static_cast<std::uint8_t>(second), static_cast<std::uint8_t>(second >> 8)};
    for (int p = 0; p < 16; ++p) {
        out[4 + p / 4] |= static_cast<std::uint8_t>(indices[p] << (2 * (p % 4)));
    }
    return out;
}

}  // namespace

std::array<std::uint8_t, 8> FitColoursAlongLine(const std::uint8_t* rgba, int mask, bool dxt1,
                                                bool search) {
    Pixels pixels;
    for (int p = 0; p < 16; ++p) {
        pixels.inside[p] = (mask & 1 << p) != 0;
        pixels.transparent[p] = pixels.inside[p] && dxt1 && rgba[p * 4 + 3] < 128;
        pixels.anyTransparent = pixels.anyTransparent || pixels.transparent[p];
        pixels.colour[p] = {rgba[p * 4], rgba[p * 4 + 1], rgba[p * 4 + 2]};
    }
    const std::array<Colour, 2> line = LineEnds(pixels);
    std::array<int, 16> indices{};
    Ends best{line, dxt1};
    int bestError = std::numeric_limits<int>::max();
    for (const bool threeColours : {false, true}) {
        if (threeColours ? !dxt1 : pixels.anyTransparent) {
            continue;  // four colours leave no index for transparency
        }
        Ends ends{line, threeColours};
        int error = Assign(pixels, ends, indices);
        if (search) {
            error = Search(pixels, ends, error);
        }
        if (error < bestError) {
            best = ends;
            bestError = error;
        }
    }
    return Stored(pixels, best, dxt1);
}

}  // namespace tinplate
