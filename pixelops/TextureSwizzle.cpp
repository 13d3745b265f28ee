// SPDX-License-Identifier: GPL-3.0-or-later
// Swizzle All and Unswizzle All: the first level moved between row order and Morton order.
#include <bit>
#include <utility>

#include "pixelops/Swizzle.h"
#include "pixelops/TexelLayout.h"
#include "txd/PlatformLayout.h"

namespace tinplate {

namespace {

bool ConvertTexture(TextureRecord& record, bool toSwizzled) {
    const std::uint32_t texelBytes = TexelBytes(record);
    const std::uint32_t width = record.width;
    const std::uint32_t height = record.height;
    const auto powerAtLeast2 = [](std::uint32_t side) {
        return side >= 2 && std::has_single_bit(side);
    };
    // Only layouts that swizzle in Morton order store levels that way.
    if (!LayoutOf(record).SwizzlesInMortonOrder() || !powerAtLeast2(width) ||
        !powerAtLeast2(height) || !HoldsWholeTexels(record, texelBytes)) {
        return false;
    }
    // Every byte of the scratch buffer is written; reading the record's bytes through a const
    // view leaves bytes still shared with the dictionary file uncopied.
    ByteBuffer converted = ByteBuffer::Uninitialized(record.pixelSize);
    ReorderLevel(std::as_const(record).pixels, std::span(converted.data(), converted.size()), width,
                 height, texelBytes, toSwizzled);
    record.pixels.swap(converted);
    record.firstLevelOrder = toSwizzled ? TexelOrder::kSwizzled : TexelOrder::kLinear;
    return true;
}

}  // namespace

bool SwizzleTexture(TextureRecord& record) {
    return ConvertTexture(record, true);
}

bool UnswizzleTexture(TextureRecord& record) {
    return ConvertTexture(record, false);
}

}  // namespace tinplate
