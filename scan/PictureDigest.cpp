// SPDX-License-Identifier: GPL-3.0-or-later
// The digest's mixing, and what of a texture goes into it.
#include "scan/PictureDigest.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>

#include <xxhash.h>

#include "texture/LevelDecode.h"
#include "txd/GameLevels.h"
#include "txd/TextureKinds.h"

namespace tinplate {

namespace {

constexpr std::uint32_t kStripPixels = 1u << 20;

// Which road a picture took into its digest: blocks and pixels never meet.
enum Road : std::uint64_t { kBlocks = 1, kPixels = 2 };

// A large level is decoded a strip of rows at a time, so that its picture is never held
// whole: the digest is that of the whole game picture's RGBA rows, top row first.
bool DigestGamePicture(const TextureRecord& record, DigestBuilder& digest) {
    const GameLevel level = GameLevelOf(record, 0);
    if (level.bytes.empty() || level.height == 0 || level.bytes.size() % level.height != 0) {
        return false;
    }
    const std::span<const std::uint8_t> texels(level.bytes);
    const std::size_t rowBytes = texels.size() / level.height;
    const std::uint32_t stripRows = std::max<std::uint32_t>(1, kStripPixels / level.width);
    for (std::uint32_t done = 0; done < level.height;) {
        const std::uint32_t rows = std::min(stripRows, level.height - done);
        const RgbaImage strip = DecodeGameLevel(
            record, texels.subspan(done * rowBytes, rows * rowBytes), level.width, rows);
        if (strip.rgba.empty()) {
            return false;
        }
        digest.Add(strip.rgba);
        done += rows;
    }
    return true;
}

}  // namespace

std::string PictureDigest::Hex() const {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text(32, '0');
    for (int i = 0; i < 16; ++i) {
        text[15 - i] = kDigits[(high >> (4 * i)) & 0xF];
        text[31 - i] = kDigits[(low >> (4 * i)) & 0xF];
    }
    return text;
}

DigestBuilder::DigestBuilder()
    : m_state(XXH3_createState(), [](XXH3_state_t* state) { XXH3_freeState(state); }) {
    if (!m_state) {
        throw std::bad_alloc();
    }
    XXH3_128bits_reset(m_state.get());
}

DigestBuilder::~DigestBuilder() = default;

void DigestBuilder::AddWord(std::uint64_t word) {
    std::uint8_t bytes[8];
    for (int i = 0; i < 8; ++i) {
        bytes[i] = static_cast<std::uint8_t>(word >> (8 * i));
    }
    Add(bytes);
}

void DigestBuilder::Add(std::span<const std::uint8_t> bytes) {
    XXH3_128bits_update(m_state.get(), bytes.data(), bytes.size());
}

PictureDigest DigestBuilder::Finish() const {
    const XXH128_hash_t hash = XXH3_128bits_digest(m_state.get());
    return {hash.high64, hash.low64};
}

std::optional<PictureDigest> FirstLevelDigest(const TextureRecord& record) {
    const TextureKind kind = KindOf(record);
    if (!HasPicture(kind) || record.width == 0 || record.height == 0) {
        return std::nullopt;
    }
    DigestBuilder digest;
    digest.AddWord(std::uint64_t{record.width} << 32 | record.height);
    if (IsBlockCompressed(kind)) {
        digest.AddWord(kBlocks);
        digest.AddWord(static_cast<std::uint64_t>(kind) << 1 | (UsesAlpha(record) ? 1 : 0));
        digest.Add(std::span(record.pixels.data(), record.pixels.size()));
        return digest.Finish();
    }
    digest.AddWord(kPixels);
    return DigestGamePicture(record, digest) ? std::optional(digest.Finish()) : std::nullopt;
}

}  // namespace tinplate
