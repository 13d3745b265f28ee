// SPDX-License-Identifier: GPL-3.0-or-later
// Keeping a palette that fits a picture, else making one with libimagequant.
#include "texture/PaletteLevels.h"

#include <libimagequant.h>

#include <algorithm>
#include <limits>
#include <memory>
#include <optional>
#include <stdexcept>
#include <unordered_map>

#include "txd/TextureKinds.h"

namespace tinplate {

namespace {

std::uint32_t ColourKey(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a,
                        bool withAlpha) {
    return std::uint32_t{r} | std::uint32_t{g} << 8 | std::uint32_t{b} << 16 |
           (withAlpha ? std::uint32_t{a} << 24 : 0);
}

// Row 0 of `topDown` becomes the last row.
std::vector<std::uint8_t> BottomRowFirst(std::vector<std::uint8_t> topDown, std::uint32_t width) {
    std::vector<std::uint8_t> flipped(topDown.size());
    const std::size_t rows = width == 0 ? 0 : topDown.size() / width;
    for (std::size_t y = 0; y < rows; ++y) {
        std::copy_n(topDown.begin() + static_cast<std::ptrdiff_t>(y * width), width,
                    flipped.begin() + static_cast<std::ptrdiff_t>((rows - 1 - y) * width));
    }
    return flipped;
}

std::optional<std::vector<std::uint8_t>> IndicesInPalette(const std::vector<std::uint8_t>& palette,
                                                          const RgbaImage& image, bool withAlpha) {
    std::unordered_map<std::uint32_t, std::uint8_t> entries;
    for (std::size_t i = 0; i + 4 <= palette.size() && i / 4 < 256; i += 4) {
        entries.emplace(
            ColourKey(palette[i + 2], palette[i + 1], palette[i], palette[i + 3], withAlpha),
            static_cast<std::uint8_t>(i / 4));
    }
    std::vector<std::uint8_t> indices(image.rgba.size() / 4);
    for (std::size_t p = 0; p < indices.size(); ++p) {
        const std::uint8_t* c = &image.rgba[p * 4];
        const auto found = entries.find(ColourKey(c[0], c[1], c[2], c[3], withAlpha));
        if (found == entries.end()) {
            return std::nullopt;
        }
        indices[p] = found->second;
    }
    return indices;
}

struct LiqDeleter {
    void operator()(liq_attr* attr) const { liq_attr_destroy(attr); }
    void operator()(liq_image* image) const { liq_image_destroy(image); }
    void operator()(liq_result* result) const { liq_result_destroy(result); }
};

PaletteLevel Quantise(const RgbaImage& image, std::size_t entries, bool withAlpha, bool dither) {
    std::unique_ptr<liq_attr, LiqDeleter> attr(liq_attr_create());
    if (!attr || liq_set_max_colors(attr.get(), static_cast<int>(entries)) != LIQ_OK) {
        throw std::runtime_error("libimagequant could not be set up");
    }
    std::unique_ptr<liq_image, LiqDeleter> liqImage(
        liq_image_create_rgba(attr.get(), image.rgba.data(), static_cast<int>(image.width),
                              static_cast<int>(image.height), 0));
    liq_result* made = nullptr;
    if (!liqImage || liq_image_quantize(liqImage.get(), attr.get(), &made) != LIQ_OK) {
        throw std::runtime_error("libimagequant could not reduce the picture's colours");
    }
    std::unique_ptr<liq_result, LiqDeleter> result(made);
    liq_set_dithering_level(result.get(), dither ? 1.0f : 0.0f);
    std::vector<std::uint8_t> indices(image.rgba.size() / 4);
    if (liq_write_remapped_image(result.get(), liqImage.get(), indices.data(), indices.size()) !=
        LIQ_OK) {
        throw std::runtime_error("libimagequant could not map the picture to its palette");
    }
    const liq_palette* colours = liq_get_palette(result.get());
    PaletteLevel level;
    level.palette.assign(entries * 4, 0);
    for (unsigned i = 0; i < colours->count && i < entries; ++i) {
        const liq_color& c = colours->entries[i];
        level.palette[i * 4] = c.b;
        level.palette[i * 4 + 1] = c.g;
        level.palette[i * 4 + 2] = c.r;
        level.palette[i * 4 + 3] = withAlpha ? c.a : 255;
    }
    level.indices = BottomRowFirst(std::move(indices), image.width);
    return level;
}

}  // namespace

PaletteLevel QuantiseFirstLevel(const TextureRecord& record, const RgbaImage& image, bool dither) {
    const bool withAlpha = UsesAlpha(record);
    if (auto indices = IndicesInPalette(record.palette, image, withAlpha)) {
        return {record.palette, BottomRowFirst(std::move(*indices), image.width)};
    }
    return Quantise(image, record.palette.size() / 4, withAlpha, dither);
}

std::vector<std::uint8_t> MapToPalette(const std::vector<std::uint8_t>& palette,
                                       const RgbaImage& image, bool withAlpha) {
    std::unordered_map<std::uint32_t, std::uint8_t> known;
    std::vector<std::uint8_t> indices(image.rgba.size() / 4);
    for (std::size_t p = 0; p < indices.size(); ++p) {
        const std::uint8_t* c = &image.rgba[p * 4];
        const std::uint32_t key = ColourKey(c[0], c[1], c[2], c[3], withAlpha);
        auto [place, isNew] = known.try_emplace(key, 0);
        if (isNew) {
            int bestDistance = std::numeric_limits<int>::max();
            for (std::size_t e = 0; e + 4 <= palette.size() && e / 4 < 256; e += 4) {
                const int dr = c[0] - palette[e + 2], dg = c[1] - palette[e + 1],
                          db = c[2] - palette[e], da = withAlpha ? c[3] - palette[e + 3] : 0;
                const int distance = dr * dr + dg * dg + db * db + da * da;
                if (distance < bestDistance) {
                    bestDistance = distance;
                    place->second = static_cast<std::uint8_t>(e / 4);
                }
            }
        }
        indices[p] = place->second;
    }
    return BottomRowFirst(std::move(indices), image.width);
}

std::vector<std::uint8_t> IndicesOfKind(const TextureRecord& record,
                                        std::vector<std::uint8_t> indices, std::uint32_t width) {
    const std::uint64_t rowBytes = RowBytesOf(KindOf(record), width);
    if (width == 0 || rowBytes >= width) {
        return indices;
    }
    const std::size_t rows = indices.size() / width;
    std::vector<std::uint8_t> packed(rowBytes * rows);
    for (std::size_t y = 0; y < rows; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            packed[y * rowBytes + x / 2] |=
                static_cast<std::uint8_t>((indices[y * width + x] & 0xF) << (x % 2 * 4));
        }
    }
    return packed;
}

}  // namespace tinplate
