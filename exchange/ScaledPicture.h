// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "RgbaImage.h"
#include "TextureRecord.h"

// The texture's picture (as DecodeLevel lays it out) scaled to width x height with the box
// filter, made from the smallest stored level at least that large in both sides, so that small
// pictures of large textures with levels cost little. Where even that level is huge, every
// n-th texel (every n-th block of a DXT texture) is decoded, so that memory stays bounded by
// the size asked for, whatever the texture's. Empty for a texture without a picture, or one
// whose first level does not hold its bytes.
RgbaImage ScaledPicture(const TextureRecord& record, std::uint32_t width, std::uint32_t height);
