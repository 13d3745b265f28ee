// SPDX-License-Identifier: GPL-3.0-or-later
// What the Direct3D 8 and 9 block layouts share.
#pragma once

#include <span>
#include <string>

#include "txd/PlatformLayout.h"

namespace tinplate {

// What the two Direct3D layouts (platform ids 8 and 9) share: the palette right after the
// 112-byte header, entries R, G, B, A, then every level behind a size word of its own, and
// nothing padded. They differ only in the header fields at 100 and 111.
class D3dLayout : public PlatformLayout {
public:
    BlockPlaces Read(const BlockSource& block, TextureRecord& record) const final;
    std::uint32_t LevelWordBytes() const final { return 4; }
    bool StoresRgbaPalette() const final { return true; }
    bool ShowsFirstRowOnTop() const final { return true; }
    std::uint32_t MaximumSide() const final { return 4096; }
    bool HoldsKind(const TextureRecord& record) const final;
    std::uint64_t FreshBlockSize(const TextureRecord& record) const final;
    void WriteFreshBlock(const TextureEntry& texture, std::uint32_t version,
                         const std::string& fileName, const DictionarySink& sink) const final;

protected:
    static constexpr std::uint32_t kKindWordOffset = 100;
    static constexpr std::uint32_t kKindByteOffset = 111;

    virtual std::uint32_t Id() const = 0;
    // Sets the record's compression, hasAlpha and the layout's own fields from the words at
    // 100 and 111; a refusal is thrown as Refused(block, reason).
    virtual void ReadKindFields(const BlockSource& block, std::span<const std::uint8_t> header,
                                TextureRecord& record) const = 0;
    virtual std::uint32_t KindWord(const TextureRecord& record) const = 0;
    virtual std::uint8_t KindByte(const TextureRecord& record) const = 0;

    [[noreturn]] static void Refuse(const BlockSource& block, const std::string& reason);
};

}  // namespace tinplate
