// SPDX-License-Identifier: GPL-3.0-or-later
// The DDS header fields the program writes and reads back, and the FourCC of each compression.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "txd/TextureRecord.h"

namespace tinplate {

inline constexpr std::uint32_t kDdsHeaderSize = 128;

// Where the header keeps the fields the program writes and reads back.
inline constexpr std::size_t kDdsHeightOffset = 12;
inline constexpr std::size_t kDdsWidthOffset = 16;
inline constexpr std::size_t kDdsFourCcOffset = 84;

// "DXT1" for compression 12, "DXT3" for 14, "DXT5" for 15 (its blocks carry interpolated
// alpha); nullptr for anything else.
const char* FourCcFor(std::int32_t compression);

// The 128-byte header (magic included) of a one-level DDS file holding the record's blocks.
std::array<std::uint8_t, kDdsHeaderSize> DdsHeaderFor(const TextureRecord& record);

// Header and the first level's blocks as held. The only writer of DDS files in the program.
void WriteDdsFile(const std::string& path, const TextureRecord& record);

}  // namespace tinplate
