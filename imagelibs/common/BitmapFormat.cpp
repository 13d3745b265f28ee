// SPDX-License-Identifier: GPL-3.0-or-later
// Parsing and encoding bitmaps.
#include "imagelibs/common/BitmapFormat.h"

#include <algorithm>

#include "imagelibs/common/ByteFields.h"

namespace tinplate {

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kMaxColourTableBytes = 256 * 4;

std::uint64_t PaddedRow(std::uint64_t rowBytes) {
    return (rowBytes + 3) & ~std::uint64_t{3};
}

}  // namespace

std::optional<BitmapView> ViewBitmap(std::span<const std::uint8_t> file) {
    if (!Holds(file, 0, kFileHeaderSize + kInfoHeaderSize) || file[0] != 'B' || file[1] != 'M') {
        return std::nullopt;
    }
    const std::uint64_t pixelOffset = ReadLe32(file, 10);
    const std::uint64_t tableOffset = kFileHeaderSize + std::uint64_t{ReadLe32(file, 14)};
    const auto width = static_cast<std::int32_t>(ReadLe32(file, 18));
    const auto height = static_cast<std::int32_t>(ReadLe32(file, 22));
    const std::uint16_t bitsPerPixel = ReadLe16(file, 28);
    const std::uint32_t compression = ReadLe32(file, 30);
    if (tableOffset < kFileHeaderSize + kInfoHeaderSize || pixelOffset < tableOffset ||
        pixelOffset > file.size() || width <= 0 || height <= 0 || compression != 0 ||
        (bitsPerPixel != 8 && bitsPerPixel != 32) || !FitsDecodedLimit(width, height)) {
        return std::nullopt;
    }

    BitmapView view;
    view.width = static_cast<std::uint32_t>(width);
    view.height = static_cast<std::uint32_t>(height);
    view.bitsPerPixel = bitsPerPixel;
    if (bitsPerPixel == 8) {
        const std::uint64_t tableBytes = pixelOffset - tableOffset;
        if (tableBytes % 4 != 0 || tableBytes > kMaxColourTableBytes) {
            return std::nullopt;
        }
        view.colourTable = file.subspan(tableOffset, tableBytes);
    }

    const std::uint64_t rowBytes = std::uint64_t{view.width} * (bitsPerPixel / 8);
    const std::uint64_t available = file.size() - pixelOffset;
    std::uint64_t stride = PaddedRow(rowBytes);
    if (stride * view.height > available) {
        stride = rowBytes;
    }
    if (stride * view.height > available) {
        return std::nullopt;
    }
    view.stride = stride;
    view.pixels = file.subspan(pixelOffset, stride * view.height);
    return view;
}

std::optional<Picture> ParseBitmap(std::span<const std::uint8_t> file) {
    const auto view = ViewBitmap(file);
    if (!view) {
        return std::nullopt;
    }
    Picture picture;
    picture.width = view->width;
    picture.height = view->height;
    picture.bitsPerPixel = view->bitsPerPixel;
    picture.colourTable.assign(view->colourTable.begin(), view->colourTable.end());
    const std::size_t rowBytes = std::size_t{view->width} * (view->bitsPerPixel / 8);
    picture.pixels.resize(rowBytes * view->height);
    for (std::uint32_t row = 0; row < view->height; ++row) {
        std::copy_n(view->Row(row), rowBytes, picture.pixels.begin() + row * rowBytes);
    }
    return picture;
}

std::vector<std::uint8_t> BitmapHead(const Picture& shape, std::uint32_t pixelBytes,
                                     std::uint32_t minimumPixelOffset) {
    const std::uint32_t tableEnd =
        kFileHeaderSize + kInfoHeaderSize + static_cast<std::uint32_t>(shape.colourTable.size());
    const std::uint32_t pixelOffset = std::max(tableEnd, minimumPixelOffset);
    const std::uint32_t colourCount =
        shape.bitsPerPixel == 8 ? static_cast<std::uint32_t>(shape.colourTable.size() / 4) : 0;

    std::vector<std::uint8_t> file;
    file.reserve(pixelOffset);
    file.push_back('B');
    file.push_back('M');
    AppendLe32(file, pixelOffset + pixelBytes);
    AppendLe32(file, 0);  // two reserved words
    AppendLe32(file, pixelOffset);
    AppendLe32(file, kInfoHeaderSize);
    AppendLe32(file, shape.width);
    AppendLe32(file, shape.height);
    AppendLe16(file, 1);  // planes
    AppendLe16(file, static_cast<std::uint16_t>(shape.bitsPerPixel));
    AppendLe32(file, 0);  // uncompressed
    AppendLe32(file, pixelBytes);
    AppendLe32(file, 0);  // horizontal resolution
    AppendLe32(file, 0);  // vertical resolution
    AppendLe32(file, colourCount);
    AppendLe32(file, 0);  // important colours
    file.insert(file.end(), shape.colourTable.begin(), shape.colourTable.end());
    file.resize(pixelOffset, 0);
    return file;
}

EncodedFile EncodeBitmap(Picture picture, std::uint32_t minimumPixelOffset) {
    auto head =
        BitmapHead(picture, static_cast<std::uint32_t>(picture.pixels.size()), minimumPixelOffset);
    return EncodedFile{std::move(head), std::move(picture.pixels)};
}

}  // namespace tinplate
