// SPDX-License-Identifier: GPL-3.0-or-later
// Platform id 8 (Direct3D 8): the has-alpha word at 100 and a compression byte at 111 that
// counts DXT kinds 1, 3 and 5.
#include "fileio/ByteOrder.h"
#include "txd/D3dLayout.h"
#include "txd/DictionaryReader.h"

namespace tinplate {

namespace {

struct CompressionByte {
    std::uint8_t stored;
    std::int32_t compression;
};

constexpr CompressionByte kCompressionBytes[] = {
    {0, compression::kNone},
    {1, compression::kDxt1},
    {3, compression::kDxt3},
    {5, compression::kDxt5},
};

class LayoutD3d8 final : public D3dLayout {
public:
    HeaderField AlphaField(const TextureRecord& r) const override {
        HeaderField field{kKindWordOffset, {}, 4};
        WriteLe32(field.bytes, 0, r.hasAlpha);
        return field;
    }

protected:
    std::uint32_t Id() const override { return platform::kD3d8; }

    void ReadKindFields(const BlockSource& block, std::span<const std::uint8_t> header,
                        TextureRecord& r) const override {
        r.hasAlpha = ReadLe32(header, kKindWordOffset);
        const std::uint8_t stored = header[kKindByteOffset];
        for (const CompressionByte& known : kCompressionBytes) {
            if (known.stored == stored) {
                r.compression = known.compression;
                return;
            }
        }
        Refuse(block, "compression " + std::to_string(stored) + " is not supported");
    }

    std::uint32_t KindWord(const TextureRecord& r) const override { return r.hasAlpha; }

    std::uint8_t KindByte(const TextureRecord& r) const override {
        for (const CompressionByte& known : kCompressionBytes) {
            if (known.compression == r.compression) {
                return known.stored;
            }
        }
        return 0;
    }
};

}  // namespace

const PlatformLayout& D3d8Layout() {
    static const LayoutD3d8 layout;
    return layout;
}

}  // namespace tinplate
