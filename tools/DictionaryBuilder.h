// SPDX-License-Identifier: GPL-3.0-or-later
// Sample textures and dictionaries for the sample file and the tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tinplate {

// Sample textures, written as whole dictionaries by the editor's own writer, whatever their
// fields say (test inputs may lie on purpose). Used to make the sample dictionary and test
// inputs.
struct SampleTexture {
    std::string name;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::int8_t depth = 8;
    std::int8_t compression = 0;
    std::uint32_t alphaFlags = 0;
    std::uint32_t filterFlags = 0x1101;
    std::uint32_t hasAlpha = 0;
    std::vector<std::uint8_t> palette;
    std::vector<std::vector<std::uint8_t>> levels;  // level 0 first
};

// Bytes one mip level of this kind holds (uncompressed, or one block per started 4 x 4 tile).
std::size_t LevelByteSize(std::uint32_t width, std::uint32_t height, int depth, int compression);

// A texture of the given kind filled with a recognisable pattern, with `mipCount` levels
// (each side halved, never below 1) and, for depth 8, a palette of `paletteEntries`.
SampleTexture MakePatternTexture(const std::string& name, std::uint16_t width, std::uint16_t height,
                                 int depth, int compression, int mipCount, std::uint32_t alphaFlags,
                                 int paletteEntries = 256);

std::vector<std::uint8_t> BuildDictionary(const std::vector<SampleTexture>& textures);

// One texture of every kind the editor knows, names not in alphabetical order.
std::vector<SampleTexture> StandardSampleTextures();

}  // namespace tinplate
