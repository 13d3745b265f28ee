// SPDX-License-Identifier: GPL-3.0-or-later
// One level of a texture against the same level of another version of it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "checks/StoredLevels.h"
#include "txd/TextureRecord.h"

namespace tinplate {

struct LevelComparison {
    enum class Outcome {
        Identical,      // the same bytes in the same kind
        SamePicture,    // other bytes that draw the same texels
        Different,      // the counts below say how much
        SizesDiffer,    // no texel-by-texel comparison
        NotComparable,  // a kind that makes no picture, and other bytes
    };
    std::size_t level = 0;
    Outcome outcome = Outcome::Identical;
    std::uint32_t widthA = 0, heightA = 0, widthB = 0, heightB = 0;
    std::uint64_t texelsDiffering = 0;
    unsigned largestDifference = 0;  // of any channel, 0 to 255
    double psnr = 0;                 // dB over R, G, B and A, for Different
};

// Texels are compared as the window draws them, so textures of different kinds compare too.
LevelComparison CompareLevels(std::size_t level, const TextureRecord& a, const StoredLevel& levelA,
                              const TextureRecord& b, const StoredLevel& levelB);

}  // namespace tinplate
