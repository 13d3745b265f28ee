// SPDX-License-Identifier: GPL-3.0-or-later
#include "LevelImage.h"

#include <algorithm>
#include <cstdlib>
#include <span>

#include "DdsFile.h"
#include "DictionaryReader.h"
#include "FileIo.h"
#include "LevelChain.h"
#include "LibraryArgs.h"
#include "WorkingBitmap.h"

namespace {

constexpr std::uint64_t kMaxPixels = 64ull * 1024 * 1024;

// Rows of 8-bit indices into a B, G, R, A table or of B, G, R, A texels, without padding. An
// index past the table is opaque black, as the preview shows it.
QImage DecodeRows(std::span<const std::uint8_t> pixels, std::span<const std::uint8_t> palette,
                  std::uint32_t width, std::uint32_t height, int bitsPerPixel, bool bottomUp) {
    const std::uint64_t count = std::uint64_t{width} * height;
    const std::uint64_t bytesPerPixel = bitsPerPixel / 8;
    if (width == 0 || height == 0 || count > kMaxPixels || pixels.size() < count * bytesPerPixel) {
        return {};
    }
    QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_ARGB32);
    const std::size_t colours = palette.size() / 4;
    for (std::uint32_t row = 0; row < height; ++row) {
        auto* out = reinterpret_cast<QRgb*>(
            image.scanLine(static_cast<int>(bottomUp ? height - 1 - row : row)));
        const std::uint8_t* in = pixels.data() + std::uint64_t{row} * width * bytesPerPixel;
        for (std::uint32_t x = 0; x < width; ++x) {
            const std::uint8_t* bgra = in + x * bytesPerPixel;
            if (bitsPerPixel == 8) {
                if (*bgra >= colours) {
                    out[x] = qRgb(0, 0, 0);
                    continue;
                }
                bgra = palette.data() + *bgra * 4u;
            }
            out[x] = qRgba(bgra[2], bgra[1], bgra[0], bgra[3]);
        }
    }
    return image;
}

QImage RenderBlocks(const TextureRecord& record, GfxBinding& gfx) {
    constexpr const char* kTempBitmap = "Temp.bmp";
    constexpr const char* kTempDds = "Temp.dds";
    WorkingFiles cleanup{kTempBitmap, kTempDds};
    RemoveFileQuietly(kTempBitmap);
    WriteDdsFile(kTempDds, record);
    NameBuffer source(kTempDds);
    NameBuffer destination(kTempBitmap);
    WorkBlock block;
    gfx._anytobmps(source.word(), destination.word(), block.word(), 0, 0);
    if (!FileExists(kTempBitmap)) {
        return {};
    }
    const std::vector<std::uint8_t> file = ReadWholeFile(kTempBitmap);
    const auto header = ReadBitmapHeader(file);
    if (!header || header->bitsPerPixel != 32 || header->width <= 0 || header->height == 0 ||
        header->height == INT32_MIN || header->pixelOffset > file.size()) {
        return {};
    }
    return DecodeRows(std::span(file).subspan(header->pixelOffset), {},
                      static_cast<std::uint32_t>(header->width),
                      static_cast<std::uint32_t>(std::abs(header->height)), 32, header->height > 0);
}

}  // namespace

QImage RenderFullSize(const TextureRecord& record, GfxBinding& gfx) {
    if (IsBlockCompressed(record)) {
        return RenderBlocks(record, gfx);
    }
    if (record.compression != compression::kNone || (record.depth != 8 && record.depth != 32)) {
        return {};
    }
    return DecodeRows(std::span(record.pixels.data(), record.pixels.size()),
                      std::span(record.palette.data(), record.palette.size()), record.width,
                      record.height, record.depth, true);
}

std::vector<StoredLevel> SmallerLevels(const TextureRecord& record) {
    std::vector<StoredLevel> levels;
    std::uint64_t offset = 0;
    for (const LevelSize& size : SmallerLevelSizes(record)) {
        if (offset + size.bytes > record.smallerLevels.size()) {
            break;
        }
        levels.push_back({size.width, size.height, offset, size.bytes});
        offset += size.bytes;
    }
    return levels;
}

TextureRecord LevelRecord(const TextureRecord& record, const StoredLevel& level) {
    TextureRecord copy = record;
    copy.width = level.width;
    copy.height = level.height;
    copy.pixelSize = static_cast<std::uint32_t>(level.size);
    const auto begin = record.smallerLevels.begin() + level.offset;
    copy.pixels.assign(begin, begin + level.size);
    return copy;
}
