// SPDX-License-Identifier: GPL-3.0-or-later
// The texel kind of a texture, and whether its alpha counts.
#include "texture/TexelKind.h"
#include "txd/TextureKinds.h"

namespace tinplate {

namespace {

constexpr std::uint32_t kPixelFormatBits = 0x0F00;
constexpr std::uint32_t kFormat1555 = 0x0100;
constexpr std::uint32_t kFormat4444 = 0x0300;
constexpr std::uint32_t kFormat555 = 0x0A00;

}  // namespace

TexelKind TexelKindOf(const TextureRecord& record) {
    switch (record.compression) {
        case compression::kDxt1:
            return TexelKind::Dxt1;
        case compression::kDxt3:
            return TexelKind::Dxt3;
        case compression::kDxt5:
            return TexelKind::Dxt5;
        case compression::kNone:
            break;
        default:
            return TexelKind::None;
    }
    switch (record.depth) {
        case 8:
            return record.paletteSize == 0 ? TexelKind::None : TexelKind::Palette;
        case 16:
            switch (record.alphaFlags & kPixelFormatBits) {
                case kFormat1555:
                    return TexelKind::Argb1555;
                // 1555 whose top bit is always set: the same channels, opaque.
                case kFormat555:
                    return TexelKind::Argb1555;
                case kFormat4444:
                    return TexelKind::Argb4444;
                default:
                    return TexelKind::Rgb565;
            }
        case 24:
            return TexelKind::Rgb888;
        case 32:
            return TexelKind::Argb8888;
        default:
            return TexelKind::None;
    }
}

bool UsesAlpha(const TextureRecord& record) {
    const TexelKind kind = TexelKindOf(record);
    return record.hasAlpha != 0 && kind != TexelKind::Rgb565 && kind != TexelKind::Rgb888 &&
           kind != TexelKind::None;
}

}  // namespace tinplate
