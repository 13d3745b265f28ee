// SPDX-License-Identifier: GPL-3.0-or-later
// The digest's mixing, and what of a texture goes into it.
#include "scan/PictureDigest.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "texture/LevelDecode.h"
#include "txd/GameLevels.h"
#include "txd/TextureKinds.h"

namespace tinplate {

namespace {

constexpr std::uint64_t kPrime1 = 0x9e3779b97f4a7c15ULL;
constexpr std::uint64_t kPrime2 = 0xc2b2ae3d27d4eb4fULL;

std::uint64_t Avalanche(std::uint64_t x) {
    x ^= x >> 33;
    x *= 0xff51afd7ed558ccdULL;
    x ^= x >> 33;
    x *= 0xc4ceb9fe1a85ec53ULL;
    x ^= x >> 33;
    return x;
}

std::uint64_t LoadLe64(const std::uint8_t* bytes) {
    std::uint64_t word = 0;
    for (int i = 7; i >= 0; --i) {
        word = word << 8 | bytes[i];
    }
    return word;
}

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

// Two lanes that see each word differently: an input that one lane maps onto another
// input's value is still told apart by the other.
void DigestBuilder::Mix(std::uint64_t word) {
    m_high = std::rotl((m_high ^ word) * kPrime1, 29);
    m_low = std::rotl(m_low + word * kPrime2, 31) * kPrime1;
}

void DigestBuilder::AddWord(std::uint64_t word) {
    std::uint8_t bytes[8];
    for (int i = 0; i < 8; ++i) {
        bytes[i] = static_cast<std::uint8_t>(word >> (8 * i));
    }
    Add(bytes);
}

void DigestBuilder::Add(std::span<const std::uint8_t> bytes) {
    m_length += bytes.size();
    if (m_tailSize > 0) {
        const std::size_t take = std::min(bytes.size(), 8 - m_tailSize);
        std::memcpy(m_tail + m_tailSize, bytes.data(), take);
        m_tailSize += take;
        bytes = bytes.subspan(take);
        if (m_tailSize < 8) {
            return;
        }
        Mix(LoadLe64(m_tail));
        m_tailSize = 0;
    }
    const std::size_t whole = bytes.size() / 8 * 8;
    for (std::size_t i = 0; i < whole; i += 8) {
        Mix(LoadLe64(bytes.data() + i));
    }
    std::memcpy(m_tail, bytes.data() + whole, bytes.size() - whole);
    m_tailSize = bytes.size() - whole;
}

PictureDigest DigestBuilder::Finish() const {
    std::uint64_t high = m_high;
    std::uint64_t low = m_low;
    std::uint8_t last[8] = {};
    std::memcpy(last, m_tail, m_tailSize);
    const std::uint64_t tail = LoadLe64(last);
    high = Avalanche(high ^ tail ^ m_length);
    low = Avalanche(low + (tail ^ std::rotl(m_length, 17)) + high);
    return {high, low};
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
