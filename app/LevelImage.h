// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

#include "GfxBinding.h"
#include "TextureRecord.h"

// The texture at its full size with its alpha channel, laid out as the preview shows it
// (uncompressed: first stored row at the bottom). Uncompressed 8- and 32-bit textures are
// decoded here; block-compressed ones go through the image library and the preview's working
// files "Temp.dds" and "Temp.bmp", which are gone again when it returns. A null image for
// kinds without a picture, for a library that fails, and for pictures over 64 Mpixels.
QImage RenderFullSize(const TextureRecord& record, GfxBinding& gfx);

// A mip level after the first, where the record's smaller levels hold it.
struct StoredLevel {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
};

// The levels that follow the first one, each side halved and never below 1, as far as the
// record holds them.
std::vector<StoredLevel> SmallerLevels(const TextureRecord& record);

// The record with `level` in place of its first level.
TextureRecord LevelRecord(const TextureRecord& record, const StoredLevel& level);
