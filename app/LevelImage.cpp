// SPDX-License-Identifier: GPL-3.0-or-later
// Decodes a texture level into a Qt picture and picks out a smaller level.
#include "app/LevelImage.h"

#include <span>
#include <utility>

#include "preview/Preview.h"
#include "texture/BoxFilter.h"
#include "texture/LevelDecode.h"
#include "txd/LevelChain.h"

namespace tinplate {

namespace {

constexpr std::uint64_t kMaxPixels = 64ull * 1024 * 1024;

QImage ToQImage(const RgbaImage& picture) {
    const QImage view(picture.rgba.data(), static_cast<int>(picture.width),
                      static_cast<int>(picture.height), static_cast<qsizetype>(picture.width) * 4,
                      QImage::Format_RGBA8888);
    return view.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

QImage RenderFullSize(const TextureRecord& record) {
    if (std::uint64_t{record.width} * record.height > kMaxPixels) {
        return {};
    }
    const ByteBuffer& pixels = std::as_const(record).pixels;
    const RgbaImage picture =
        DecodeLevel(record, std::span(pixels.data(), pixels.size()), record.width, record.height);
    if (picture.rgba.empty()) {
        return {};
    }
    return ToQImage(picture);
}

GameLevelImages RenderGameLevel(const TextureRecord& record, std::size_t level) {
    if (std::uint64_t{record.width} * record.height > kMaxPixels) {
        return {};
    }
    const RgbaImage picture = GamePicture(record, level);
    if (picture.rgba.empty()) {
        return {};
    }
    const bool large = picture.width > kPreviewSide || picture.height > kPreviewSide;
    const QImage standard =
        ToQImage(large ? BoxFilter(picture, kPreviewSide, kPreviewSide) : picture);
    return {standard.convertToFormat(QImage::Format_RGB32), ToQImage(picture)};
}

std::optional<TextureRecord> LevelRecord(const TextureRecord& record, std::size_t level) {
    const std::vector<LevelSize> levels = SmallerLevelSizes(record);
    if (level == 0 || level > levels.size()) {
        return std::nullopt;
    }
    const std::uint64_t first = levels.front().offset;
    const LevelSize& chosen = levels[level - 1];
    const ByteBuffer& smaller = std::as_const(record).smallerLevels;
    if (chosen.offset - first + chosen.bytes > smaller.size()) {
        return std::nullopt;
    }
    TextureRecord copy = record;
    copy.width = chosen.width;
    copy.height = chosen.height;
    copy.pixelSize = static_cast<std::uint32_t>(chosen.bytes);
    copy.pixelOffset = static_cast<std::uint32_t>(chosen.offset);
    const std::uint8_t* begin = smaller.data() + (chosen.offset - first);
    copy.pixels = ByteBuffer::Copy(std::span(begin, chosen.bytes));
    copy.smallerLevels.clear();
    return copy;
}

}  // namespace tinplate
