// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <cstdint>
#include <optional>
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

// A mip level after the first, where the dictionary stores it.
struct StoredLevel {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
};

// The levels that follow the first one, each side halved and never below 1. The level count
// is trusted only as far as the chain to 1 x 1 and the texture's own data go.
std::vector<StoredLevel> SmallerLevels(const TextureRecord& record);

// The record with `level` in place of its first level, its bytes read from the dictionary at
// `path`; nothing when the file no longer reaches that far. Read errors are FileErrors.
std::optional<TextureRecord> LevelRecord(const TextureRecord& record, const StoredLevel& level,
                                         const std::string& path);
