// SPDX-License-Identifier: GPL-3.0-or-later
// Checking and taking the palette and pixels out of an imported bitmap or DDS file.
#include "exchange/ImportedLevel.h"

#include <cstring>

#include "fileio/ByteOrder.h"
#include "fileio/FileError.h"
#include "fileio/PrintableText.h"
#include "txd/PlatformLayout.h"
#include "workfiles/DdsFile.h"
#include "workfiles/WorkingBitmap.h"

namespace tinplate {

namespace {

std::string SizeText(std::int64_t width, std::int64_t height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

void RequireSize(std::int64_t width, std::int64_t height, const TextureRecord& record,
                 const std::string& fileName) {
    if (width != record.width || height != record.height) {
        throw FileError(fileName, "the image is " + SizeText(width, height) + ", the texture " +
                                      SizeText(record.width, record.height));
    }
}

ByteBuffer Copy(std::span<const std::uint8_t> bytes, std::size_t offset, std::size_t count) {
    return ByteBuffer::Copy(bytes.subspan(offset, count));
}

}  // namespace

ImportedLevel TakeFromBitmap(std::span<const std::uint8_t> bitmap, const std::string& bitmapName,
                             const BitmapLayout& layout, const TextureRecord& record,
                             const std::string& chosenFile) {
    const auto header = ReadBitmapHeader(bitmap);
    if (!header) {
        throw FileError(chosenFile, "the image library's " + bitmapName + " is not a bitmap");
    }
    RequireSize(header->width, header->height, record, chosenFile);
    if (header->bitsPerPixel != layout.bitsPerPixel) {
        throw FileError(chosenFile, "the image has " + std::to_string(header->bitsPerPixel) +
                                        " bits per pixel, the texture " +
                                        std::to_string(layout.bitsPerPixel));
    }
    const std::uint64_t pixelsAt = header->pixelOffset;
    const std::uint64_t expectedPixelsAt = std::uint64_t{layout.paletteAt} + record.paletteSize;
    if (pixelsAt != expectedPixelsAt) {
        const bool wholeColourMap = layout.bitsPerPixel == 8 && pixelsAt >= layout.paletteAt &&
                                    (pixelsAt - layout.paletteAt) % 4 == 0;
        if (wholeColourMap) {
            throw FileError(chosenFile, "the image has a colour map of " +
                                            std::to_string((pixelsAt - layout.paletteAt) / 4) +
                                            " entries, the texture's palette " +
                                            std::to_string(record.paletteSize / 4));
        }
        throw FileError(chosenFile, "the image library's " + bitmapName +
                                        " has its pixels at byte " + std::to_string(pixelsAt) +
                                        ", not at " + std::to_string(expectedPixelsAt));
    }
    const std::uint64_t needed = expectedPixelsAt + record.pixelSize;
    if (bitmap.size() < needed) {
        throw FileError(chosenFile, "the image library's " + bitmapName + " ends after " +
                                        std::to_string(bitmap.size()) + " bytes, " +
                                        std::to_string(needed) + " needed");
    }
    ImportedLevel level{Copy(bitmap, layout.paletteAt, record.paletteSize),
                        Copy(bitmap, expectedPixelsAt, record.pixelSize)};
    // The bitmap's rows run from the bottom of the picture.
    PutRowsInStoredOrder(record, std::span(level.pixels.data(), level.pixels.size()),
                         record.height);
    return level;
}

ImportedLevel TakeFromDds(std::span<const std::uint8_t> dds, const TextureRecord& record,
                          const std::string& fileName) {
    if (dds.size() < 4 || std::memcmp(dds.data(), "DDS ", 4) != 0) {
        throw FileError(fileName, "it is not a DDS file");
    }
    if (dds.size() < kDdsHeaderSize) {
        throw FileError(fileName, "it ends inside its DDS header");
    }
    RequireSize(ReadLe32(dds, kDdsWidthOffset), ReadLe32(dds, kDdsHeightOffset), record, fileName);
    const char* expected = FourCcFor(record.compression);
    const std::string_view fourCc(reinterpret_cast<const char*>(&dds[kDdsFourCcOffset]), 4);
    if (expected == nullptr || fourCc != expected) {
        throw FileError(fileName, "it holds " + PrintableText(fourCc) + " data, the texture " +
                                      (expected ? expected : "none") + " blocks");
    }
    if (dds.size() - kDdsHeaderSize < record.pixelSize) {
        throw FileError(fileName, "it holds " + std::to_string(dds.size() - kDdsHeaderSize) +
                                      " bytes of blocks, the texture " +
                                      std::to_string(record.pixelSize));
    }
    // A DDS carries no palette: the texture keeps its own.
    return {record.palette, Copy(dds, kDdsHeaderSize, record.pixelSize)};
}

void ApplyImportedLevel(ImportedLevel& level, TextureRecord& record) noexcept {
    record.palette.swap(level.palette);
    record.pixels.swap(level.pixels);
}

}  // namespace tinplate
