// SPDX-License-Identifier: GPL-3.0-or-later
// A texture or one of its smaller levels as a Qt picture, as stored or as the game draws it.
#pragma once

#include <QImage>
#include <cstddef>
#include <optional>

#include "txd/TextureRecord.h"

namespace tinplate {

// The texture at its full size with its alpha channel, laid out as the preview shows it
// (uncompressed: first stored row at the bottom); a texture without alpha is opaque. A null
// image for kinds without a picture and for pictures over 64 Mpixels.
QImage RenderFullSize(const TextureRecord& record);

// A level as the game draws it: `standard` for the picture area's Standard Size (opaque, larger
// sides scaled to 256 like the stored view's picture), `full` at full size with its alpha
// channel. Both null when there is no picture.
struct GameLevelImages {
    QImage standard;
    QImage full;
};

// Level `level` (0 = the first) as the texture's platform's games draw it, whatever the
// platform and the texture's order; null for kinds without a picture, for a level that cannot
// be read in game order and for pictures over 64 Mpixels.
GameLevelImages RenderGameLevel(const TextureRecord& record, std::size_t level);

// The record with its smaller level `level` (1 for the first after the full-size one) in place
// of its first level, as the record holds it now; nothing when it holds no such level.
std::optional<TextureRecord> LevelRecord(const TextureRecord& record, std::size_t level);

}  // namespace tinplate
