// SPDX-License-Identifier: GPL-3.0-or-later
// Platform id 9 (Direct3D 9): the D3D format word at 100 (a format number, or the FourCC of a
// block-compressed kind) and a flags byte at 111 (bit 0 has alpha, bit 3 compressed).
#include <cctype>

#include "fileio/ByteOrder.h"
#include "txd/D3dLayout.h"
#include "txd/DictionaryReader.h"

namespace tinplate {

namespace {

constexpr std::uint8_t kHasAlphaBit = 0x01;
constexpr std::uint8_t kAutomaticLevelsBit = 0x04;
constexpr std::uint8_t kCompressedBit = 0x08;
// The raster format word's bit asking for levels made by the device, which the flags byte
// says with its own bit here.
constexpr std::uint32_t kAutomaticLevelsFormatBit = 0x1000;

constexpr std::uint32_t FourCc(const char (&text)[5]) {
    return static_cast<std::uint32_t>(text[0]) | static_cast<std::uint32_t>(text[1]) << 8 |
           static_cast<std::uint32_t>(text[2]) << 16 | static_cast<std::uint32_t>(text[3]) << 24;
}

struct D3dFormat {
    std::uint32_t word;
    std::int32_t compression;
    std::int16_t depth;          // 0: any (block-compressed kinds)
    std::uint32_t rasterFormat;  // the raster format word's kind bits it stands for
};

constexpr std::uint32_t kAnyRaster = 0xFFFFFFFF;
constexpr std::uint32_t kRasterKindBits = format::kPixelFormatMask;

constexpr D3dFormat kFormats[] = {
    {21, compression::kNone, 32, format::kPixel8888},  // A8R8G8B8
    {22, compression::kNone, 32, format::kPixel888},   // X8R8G8B8
    {23, compression::kNone, 16, format::kPixel565},   // R5G6B5
    {24, compression::kNone, 16, format::kPixel555},   // X1R5G5B5
    {25, compression::kNone, 16, format::kPixel1555},  // A1R5G5B5
    {26, compression::kNone, 16, format::kPixel4444},  // A4R4G4B4
    {41, compression::kNone, 8, kAnyRaster},           // P8, both palette sizes
    {FourCc("DXT1"), compression::kDxt1, 0, kAnyRaster},
    {FourCc("DXT3"), compression::kDxt3, 0, kAnyRaster},
    {FourCc("DXT5"), compression::kDxt5, 0, kAnyRaster},
};

std::string FormatName(std::uint32_t word) {
    std::string text;
    for (int shift = 0; shift < 32; shift += 8) {
        const auto c = static_cast<unsigned char>(word >> shift);
        if (!std::isprint(c)) {
            return "D3D format " + std::to_string(word);
        }
        text += static_cast<char>(c);
    }
    return "FourCC \"" + text + "\"";
}

class LayoutD3d9 final : public D3dLayout {
public:
    // The format word and flags byte a texture from another platform has no values for.
    std::string Adopt(TextureRecord& r) const override {
        r.hasAlpha = r.hasAlpha != 0 ? 1 : 0;
        r.d3dFormat = D3dFormatFor(r);
        r.d3dFlags = (r.alphaFlags & kAutomaticLevelsFormatBit) ? kAutomaticLevelsBit : 0;
        return {};
    }

    HeaderField AlphaField(const TextureRecord& r) const override {
        return {kKindByteOffset, {KindByte(r)}, 1};
    }

protected:
    std::uint32_t Id() const override { return platform::kD3d9; }

    void ReadKindFields(const BlockSource& block, std::span<const std::uint8_t> header,
                        TextureRecord& r) const override {
        r.d3dFormat = ReadLe32(header, kKindWordOffset);
        r.d3dFlags = header[kKindByteOffset];
        r.hasAlpha = (r.d3dFlags & kHasAlphaBit) ? 1 : 0;
        for (const D3dFormat& known : kFormats) {
            if (known.word != r.d3dFormat) {
                continue;
            }
            if (known.depth != 0 && known.depth != r.depth) {
                Refuse(block, FormatName(r.d3dFormat) + " does not go with a depth of " +
                                  std::to_string(r.depth) + " bits");
            }
            r.compression = known.compression;
            return;
        }
        Refuse(block, FormatName(r.d3dFormat) + " is not supported");
    }

    std::uint32_t KindWord(const TextureRecord& r) const override {
        return r.d3dFormat != 0 ? r.d3dFormat : D3dFormatFor(r);
    }

    std::uint8_t KindByte(const TextureRecord& r) const override {
        return static_cast<std::uint8_t>((r.d3dFlags & ~(kHasAlphaBit | kCompressedBit)) |
                                         (r.hasAlpha != 0 ? kHasAlphaBit : 0) |
                                         (IsBlockCompressed(r) ? kCompressedBit : 0));
    }
};

}  // namespace

std::uint32_t D3dFormatFor(const TextureRecord& r) {
    for (const D3dFormat& known : kFormats) {
        const bool sameKind =
            known.compression == r.compression &&
            (known.compression != compression::kNone ||
             (known.depth == r.depth && (known.rasterFormat == kAnyRaster ||
                                         known.rasterFormat == (r.alphaFlags & kRasterKindBits))));
        if (sameKind) {
            return known.word;
        }
    }
    return 0;
}

const PlatformLayout& D3d9Layout() {
    static const LayoutD3d9 layout;
    return layout;
}

}  // namespace tinplate
