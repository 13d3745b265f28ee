// SPDX-License-Identifier: GPL-3.0-or-later
// Where an entry's content ends among its sectors, for the kinds of content that tell.
#include <algorithm>
#include <array>
#include <string_view>

#include "archive/Archive.h"
#include "fileio/ByteOrder.h"
#include "txd/DictionaryReader.h"

namespace tinplate {

namespace {

// Chunks of this engine carry the library's stamp; most stamps end in 0xFFFF, the oldest
// are the bare version number, 3.0.0 to 3.f.f.
constexpr std::uint32_t kStampBuild = 0xFFFF;
constexpr std::uint32_t kOldestStampFirst = 0x0300;
constexpr std::uint32_t kOldestStampLimit = 0x1000;
// Collision files are models one after another, each a tag and the size of what follows it.
constexpr std::array<std::string_view, 4> kCollisionTags = {"COLL", "COL2", "COL3", "COL4"};
constexpr std::size_t kCollisionHeaderSize = 8;

std::size_t ChunkLength(std::span<const std::uint8_t> sectors) {
    if (sectors.size() < block::kChunkHeaderSize) {
        return 0;
    }
    const std::uint64_t declared =
        std::uint64_t{ReadLe32(sectors, block::kChunkSizeOffset)} + block::kChunkHeaderSize;
    const std::uint32_t stamp = ReadLe32(sectors, 8);
    const bool stamped = (stamp & kStampBuild) == kStampBuild ||
                         (stamp >= kOldestStampFirst && stamp < kOldestStampLimit);
    return stamped && declared <= sectors.size() ? static_cast<std::size_t>(declared) : 0;
}

bool CollisionTagAt(std::span<const std::uint8_t> sectors, std::size_t at) {
    if (sectors.size() - at < kCollisionHeaderSize) {
        return false;
    }
    const std::string_view tag(reinterpret_cast<const char*>(sectors.data() + at), 4);
    return std::find(kCollisionTags.begin(), kCollisionTags.end(), tag) != kCollisionTags.end();
}

std::size_t CollisionLength(std::span<const std::uint8_t> sectors) {
    std::size_t end = 0;
    while (end < sectors.size() && CollisionTagAt(sectors, end)) {
        const std::uint64_t next =
            end + kCollisionHeaderSize + std::uint64_t{ReadLe32(sectors, end + 4)};
        if (next > sectors.size()) {
            return 0;
        }
        end = static_cast<std::size_t>(next);
    }
    return end;
}

// Text holds no NUL and no control bytes but line ends and tabs, so the zeros after it can
// only be padding.
bool IsText(std::span<const std::uint8_t> bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t c) {
        return c >= 0x20 || c == '\t' || c == '\n' || c == '\r';
    });
}

}  // namespace

std::size_t ContentLength(std::span<const std::uint8_t> sectors) {
    if (const std::size_t length = ChunkLength(sectors); length > 0) {
        return length;
    }
    if (const std::size_t length = CollisionLength(sectors); length > 0) {
        return length;
    }
    std::size_t text = sectors.size();
    while (text > 0 && sectors[text - 1] == 0) {
        --text;
    }
    const bool inLastSector = sectors.size() - text < kSectorSize;
    return inLastSector && IsText(sectors.first(text)) ? text : sectors.size();
}

}  // namespace tinplate
