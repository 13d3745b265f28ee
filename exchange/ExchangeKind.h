// SPDX-License-Identifier: GPL-3.0-or-later
// The road a texture takes to and from the image libraries' files.
#pragma once

#include "txd/TextureKinds.h"
#include "txd/TextureRecord.h"

namespace tinplate {

// The road a texture takes to and from an image file; tested in this order, so a texture
// takes at most one.
enum class ExchangeKind {
    Palettised,       // compression 0, depth 8: a colour-mapped Targa
    TrueColour,       // compression 0, depth 32: an uncompressed DDS
    BlockCompressed,  // compression 12, 14, 15: a DDS holding the blocks as they are
    None,             // neither exported nor imported
};

inline ExchangeKind ExchangeKindOf(const TextureRecord& record) {
    if (record.compression == compression::kNone && record.depth == 8) {
        return ExchangeKind::Palettised;
    }
    if (record.compression == compression::kNone && record.depth == 32) {
        return ExchangeKind::TrueColour;
    }
    if (IsBlockCompressed(record)) {
        return ExchangeKind::BlockCompressed;
    }
    return ExchangeKind::None;
}

}  // namespace tinplate
