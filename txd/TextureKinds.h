// SPDX-License-Identifier: GPL-3.0-or-later
// The table of texture kinds: what a texture's header fields make of it, and what each kind is.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "txd/TextureRecord.h"

namespace tinplate {

// The compression codes of the header's compression field.
namespace compression {
inline constexpr std::int32_t kNone = 0;
inline constexpr std::int32_t kDxt1 = 12;
inline constexpr std::int32_t kDxt3 = 14;
inline constexpr std::int32_t kDxt5 = 15;
}  // namespace compression

// The bits of the format word (the header's alpha flags). The pixel format sits in bits 8-11;
// an 8-bit texture also marks its palette size, and a texture with levels says so.
namespace format {
enum Bit : std::uint32_t {
    kPixel1555 = 0x0100,
    kPixel565 = 0x0200,
    kPixel4444 = 0x0300,
    kPixel8888 = 0x0500,
    kPixel888 = 0x0600,
    kPixel555 = 0x0A00,  // 1555 whose top bit is always set
    kPixelFormatMask = 0x0F00,
    kPalette256 = 0x2000,
    kPalette32 = 0x4000,
    kLevels = 0x8000,
};
}  // namespace format

// Every kind of texture the program tells apart. The first six are the kinds a texture can be
// made in or converted to, in the order they are offered.
enum class TextureKind {
    kPalette256,  // depth 8: 256 B, G, R, A palette entries, one index a pixel
    kPalette32,   // depth 8: 32 entries
    kRgba32,      // depth 32: B, G, R, A bytes
    kDxt1,
    kDxt3,
    kDxt5,
    kRgb565,      // depth 16; texels are little-endian words with blue in the lowest bits
    kArgb1555,    // depth 16, pixel format 1555
    kArgb4444,    // depth 16, pixel format 4444
    kRgb888,      // depth 24
    kPalette16,   // depth 4: 16 B, G, R, A palette entries, two indices a byte (even one low)
    kOtherDepth,  // uncompressed texels of another depth: sized, but no picture is made of them
    kUnknown,     // no rule covers the header: no size, no picture
};

// What a kind is. A layout whose header names kinds by other fields maps them onto these.
struct KindFacts {
    TextureKind kind;
    std::string_view word;            // for scripts: list --json's "kind", txdtool's KIND operands
    std::string_view description;     // for people; empty where the depth alone says it ("16-bit")
    std::int16_t depth;               // the depth field a texture of the kind is made with
    std::int32_t compression;         // the compression code it is written with
    std::uint32_t paletteBytes;       // 1024, 128, 64 or 0
    std::uint32_t texelBytes;         // one texel, for kinds stored texel by texel; else 0
    std::uint32_t blockBytes;         // one 4 x 4 block, for block-compressed kinds; else 0
    std::uint32_t alphaBits;          // 0 when the kind keeps no alpha
    const char* fourCc;               // the DDS FourCC of a block-compressed kind; else nullptr
    std::uint32_t opaqueFormat;       // the format word a new opaque texture of the kind gets
    std::uint32_t translucentFormat;  // and a new one with a translucent pixel
};

// The decision: the kind the header fields name, whether or not the texture's bytes fit it.
// Depth 8 is palette-indexed whatever the compression code says, as the reader sizes it; the
// palette size comes from the format word's palette bits or, where neither is set, from the
// thresholds older files were sorted by. Other depths take the compression code, and
// uncompressed 16-bit textures their pixel format.
TextureKind KindOfHeader(std::int16_t depth, std::int32_t compression, std::uint32_t formatWord);
inline TextureKind KindOf(const TextureRecord& record) {
    return KindOfHeader(record.depth, record.compression, record.alphaFlags);
}

const KindFacts& FactsOf(TextureKind kind);

inline bool IsPalettised(TextureKind kind) {
    return FactsOf(kind).paletteBytes != 0;
}
inline bool IsBlockCompressed(TextureKind kind) {
    return FactsOf(kind).blockBytes != 0;
}
inline bool IsBlockCompressed(const TextureRecord& record) {
    return IsBlockCompressed(KindOf(record));
}
// Whether a picture can be made of the kind's texels.
inline bool HasPicture(TextureKind kind) {
    return kind != TextureKind::kOtherDepth && kind != TextureKind::kUnknown;
}
// Whether the texture's alpha counts: its alpha word is not 0 (files hold other values than
// 1 for Yes too, and their texels carry real alpha) and its kind keeps alpha. Pictures of a
// texture without alpha are opaque.
inline bool UsesAlpha(const TextureRecord& record) {
    return record.hasAlpha != 0 && FactsOf(KindOf(record)).alphaBits != 0;
}

struct TextureSizes {
    std::uint64_t paletteSize = 0;
    std::uint64_t pixelSize = 0;
};

// The palette and first-level sizes the header fields call for. A texture no rule covers
// gets no palette and no pixels.
TextureSizes SizesForHeader(std::int16_t depth, std::int32_t compression, std::uint32_t width,
                            std::uint32_t height, std::uint32_t alphaFlags);

// The bytes of one row of a `width`-texel level of a kind stored row by row (4-bit indices two
// a byte, the row rounded up to a whole byte); 0 for block-compressed kinds and kinds without a
// size.
std::uint64_t RowBytesOf(TextureKind kind, std::uint32_t width);

inline std::string_view KindWord(TextureKind kind) {
    return FactsOf(kind).word;
}
inline std::string_view KindDescription(TextureKind kind) {
    return FactsOf(kind).description;
}
inline std::string_view KindWord(const TextureRecord& record) {
    return KindWord(KindOf(record));
}

// The kinds a texture can be made in, in the order they are offered.
std::span<const KindFacts> MakeableKinds();
// A makeable kind by its word ("pal8", "pal8-32", "rgba32", "dxt1", "dxt3", "dxt5").
std::optional<TextureKind> KindFromWord(std::string_view word);
// The makeable kind of a texture whose bytes fit its header; empty for every other texture.
std::optional<TextureKind> MakeableKindOf(const TextureRecord& record);
// The texture's kind for people: the kind's description, or its depth ("16-bit").
std::string KindDescription(const TextureRecord& record);
// What the compression field alone names, whatever the depth says: the FourCC ("DXT1", "DXT3",
// "DXT5") and the bytes of a 4 x 4 block; nullptr and 0 for codes of no block kind.
const char* FourCcOfCompression(std::int32_t compression);
std::uint32_t BlockBytesOfCompression(std::int32_t compression);

}  // namespace tinplate
