// SPDX-License-Identifier: GPL-3.0-or-later
// Decoding DXT pictures a band of rows at a time into a bitmap.
#include "imagelibs/mwgfx/DxtBitmap.h"

#include <algorithm>
#include <vector>

#include "imagelibs/common/BitmapFormat.h"
#include "imagelibs/common/LibraryFiles.h"

namespace tinplate {

namespace {

// A band this size stays in the cache between decoding and writing, so the picture is never
// held whole: no large buffer to fault in and zero, no second pass over it.
constexpr std::uint64_t kBandBytes = 256 * 1024;

}  // namespace

bool WriteDxtAsBitmap(const std::string& path, const DxtImage& image) {
    Picture shape;
    shape.width = image.width;
    shape.height = image.height;
    const std::uint64_t rowBytes = std::uint64_t{image.width} * 4;
    auto file = OutputFile::Create(path);
    if (!file ||
        !file->Write(BitmapHead(shape, static_cast<std::uint32_t>(rowBytes * image.height)))) {
        return false;
    }
    const std::uint32_t bandRows =
        4 * static_cast<std::uint32_t>(std::max<std::uint64_t>(kBandBytes / (rowBytes * 4), 1));
    std::vector<std::uint8_t> band(std::min<std::uint64_t>(bandRows, image.height) * rowBytes);
    // The bitmap stores the bottom row first: bands from the bottom of the picture up, each
    // starting on a block row.
    const std::uint32_t lastBandRow = (image.height - 1) / bandRows * bandRows;
    for (std::int64_t first = lastBandRow; first >= 0; first -= bandRows) {
        const auto firstRow = static_cast<std::uint32_t>(first);
        const std::uint32_t rows = std::min(bandRows, image.height - firstRow);
        const std::span<std::uint8_t> out(band.data(), rows * rowBytes);
        DecodeDxtRows(image.kind, image.width, image.blocks, firstRow, rows, out);
        if (!file->Write(out)) {
            return false;
        }
    }
    return file->Commit();
}

}  // namespace tinplate
