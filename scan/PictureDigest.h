// SPDX-License-Identifier: GPL-3.0-or-later
// A 128-bit digest of a texture's first level as the game draws it.
#pragma once

#include <compare>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "txd/TextureRecord.h"

struct XXH3_state_s;

namespace tinplate {

// Equal digests mean the same picture. Not a cryptographic hash: it finds copies, it does not
// stand up to someone making two pictures collide on purpose.
struct PictureDigest {
    std::uint64_t high = 0;
    std::uint64_t low = 0;

    auto operator<=>(const PictureDigest&) const = default;
    // 32 lowercase hex digits.
    std::string Hex() const;
};

// Feeds bytes in any pieces; the same bytes give the same digest however they are cut
// (XXH3's 128-bit digest).
class DigestBuilder {
public:
    DigestBuilder();
    ~DigestBuilder();
    DigestBuilder(const DigestBuilder&) = delete;
    DigestBuilder& operator=(const DigestBuilder&) = delete;

    void Add(std::span<const std::uint8_t> bytes);
    void AddWord(std::uint64_t word);
    PictureDigest Finish() const;

private:
    std::unique_ptr<::XXH3_state_s, void (*)(::XXH3_state_s*)> m_state;
};

// The digest of the first level's picture as the game draws it (through the platform's
// layout), so that one picture stored on two platforms, swizzled or not, gives one digest.
// Block-compressed levels are digested as their blocks, which every platform stores alike (two
// encodings of one picture differ); the other kinds as their decoded RGBA, so an 8-bit texture and
// a 32-bit one showing the same pixels are the same picture. Nothing for a kind without a picture.
std::optional<PictureDigest> FirstLevelDigest(const TextureRecord& record);

}  // namespace tinplate
