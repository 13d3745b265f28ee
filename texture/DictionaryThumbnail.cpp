// SPDX-License-Identifier: GPL-3.0-or-later
// Laying out the largest textures' pictures in a grid of cells.
#include "texture/DictionaryThumbnail.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "texture/ScaledPicture.h"
#include "txd/TextureKinds.h"

namespace tinplate {

namespace {

struct Shown {
    const TextureRecord* record;
    std::uint64_t area;
};

// The textures worth a cell, largest first.
std::vector<Shown> LargestTextures(std::span<const TextureEntry> textures, std::size_t most) {
    std::vector<Shown> shown;
    for (const TextureEntry& texture : textures) {
        const TextureRecord& record = texture.record;
        if (HasPicture(KindOf(record)) && record.width > 0 && record.height > 0) {
            shown.push_back({&record, std::uint64_t{record.width} * record.height});
        }
    }
    std::stable_sort(shown.begin(), shown.end(),
                     [](const Shown& a, const Shown& b) { return a.area > b.area; });
    shown.resize(std::min(shown.size(), most));
    return shown;
}

void Paste(const RgbaImage& picture, RgbaImage& sheet, std::uint32_t left, std::uint32_t top) {
    for (std::uint32_t y = 0; y < picture.height; ++y) {
        std::memcpy(sheet.rgba.data() + (std::size_t{top + y} * sheet.width + left) * 4,
                    picture.rgba.data() + std::size_t{y} * picture.width * 4,
                    std::size_t{picture.width} * 4);
    }
}

}  // namespace

PictureSize FitInside(std::uint32_t width, std::uint32_t height, std::uint32_t boxWidth,
                      std::uint32_t boxHeight) {
    if (width == 0 || height == 0) {
        return {};
    }
    const auto scaled = [](std::uint32_t side, std::uint32_t to, std::uint32_t from) {
        const std::uint64_t value = (std::uint64_t{side} * to + from / 2) / from;
        return static_cast<std::uint32_t>(std::max<std::uint64_t>(value, 1));
    };
    if (std::uint64_t{width} * boxHeight >= std::uint64_t{height} * boxWidth) {
        return {boxWidth, std::min(boxHeight, scaled(height, boxWidth, width))};
    }
    return {std::min(boxWidth, scaled(width, boxHeight, height)), boxHeight};
}

RgbaImage DictionaryThumbnail(std::span<const TextureEntry> textures, std::uint32_t size) {
    // Cells of at least one pixel: a tiny size shows fewer textures.
    const std::size_t side = std::min<std::size_t>(4, size);
    const std::vector<Shown> shown =
        LargestTextures(textures, std::min(kThumbnailTextures, side * side));
    if (shown.empty() || size == 0) {
        return {};
    }
    if (shown.size() == 1) {
        const TextureRecord& record = *shown.front().record;
        const PictureSize fitted = FitInside(record.width, record.height, size, size);
        return ScaledPicture(record, fitted.width, fitted.height);
    }
    std::uint32_t columns = 1;
    while (columns * columns < shown.size()) {
        ++columns;
    }
    const auto rows = static_cast<std::uint32_t>((shown.size() + columns - 1) / columns);
    // Cell edges spread over the whole size, so the longer side is exactly `size` and cells
    // differ by a pixel at most.
    const auto edge = [&](std::uint32_t cells) { return cells * size / columns; };
    RgbaImage sheet{size, edge(rows), {}};
    sheet.rgba.assign(std::size_t{sheet.width} * sheet.height * 4, 0);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const TextureRecord& record = *shown[i].record;
        const auto column = static_cast<std::uint32_t>(i % columns);
        const auto row = static_cast<std::uint32_t>(i / columns);
        const std::uint32_t cellWidth = edge(column + 1) - edge(column);
        const std::uint32_t cellHeight = edge(row + 1) - edge(row);
        const PictureSize fitted = FitInside(record.width, record.height, cellWidth, cellHeight);
        const RgbaImage picture = ScaledPicture(record, fitted.width, fitted.height);
        if (picture.width != fitted.width || picture.height != fitted.height) {
            continue;
        }
        Paste(picture, sheet, edge(column) + (cellWidth - fitted.width) / 2,
              edge(row) + (cellHeight - fitted.height) / 2);
    }
    return sheet;
}

}  // namespace tinplate
