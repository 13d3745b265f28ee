// SPDX-License-Identifier: GPL-3.0-or-later
// The block layout of each platform id, and how its levels become the picture its games draw.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "txd/TextureKinds.h"
#include "txd/TextureRecord.h"

namespace tinplate {

// The byte layout of a texture block differs by the platform id at block offset 24. Each
// layout reads its own header fields into the record (in the terms the rest of the program
// uses: compression kinds, the has-alpha word, palettes B, G, R, A) and writes them back.
namespace platform {
inline constexpr std::uint32_t kPlatform5 = 5;
inline constexpr std::uint32_t kD3d8 = 8;
inline constexpr std::uint32_t kD3d9 = 9;
inline constexpr std::uint32_t kPs2 = 0x00325350;
// The platform new dictionaries are made for, and the one listings need not name.
inline constexpr std::uint32_t kUsual = kPlatform5;
}  // namespace platform

using DictionarySink = std::function<void(std::span<const std::uint8_t>)>;

// One texture block of a file being read. `structEnd` is where the struct chunk's size word
// says the struct ends (unchecked); `end` is the block's end, inside the file.
struct BlockSource {
    std::span<const std::uint8_t> file;
    std::uint64_t start = 0;
    std::uint64_t structEnd = 0;
    std::uint64_t end = 0;
    const std::string& fileName;
    const std::string& label;  // how messages name the texture
};

struct StoredRange {
    std::uint64_t offset = 0;
    std::uint64_t bytes = 0;
};

// Where a layout found a texture's palette and levels, first level first.
// A layout whose records hold the bytes in another form than the block (`recordFilled`) sets
// the record's palette and levels itself.
struct BlockPlaces {
    StoredRange palette;
    std::vector<StoredRange> levels;
    bool recordFilled = false;
};

// A header field that an in-place edit changes: its bytes at `offset` from the block start.
// One level's bytes and sides, in whichever order the caller says.
struct LevelTexels {
    std::span<const std::uint8_t> bytes;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

struct HeaderField {
    std::uint32_t offset = 0;
    std::uint8_t bytes[4] = {};
    std::uint32_t size = 0;
};

class PlatformLayout {
public:
    virtual ~PlatformLayout() = default;
    // The texture's name in the bytes from its block's start to the end of the file (the
    // 32-byte field at offset 32 unless the layout keeps it elsewhere).
    virtual std::string NameOf(std::span<const std::uint8_t> block) const;
    // Fills the record's layout fields from the block's header and says where its palette and
    // levels are (sizes, offsets, levelDataEnd set too); a FileError says why it cannot be read.
    virtual BlockPlaces Read(const BlockSource& block, TextureRecord& record) const = 0;
    // The field that holds whether the texture has alpha, as `record` has it now.
    virtual HeaderField AlphaField(const TextureRecord& record) const = 0;
    // Bytes of the size word stored in front of each level (0 when there is none).
    virtual std::uint32_t LevelWordBytes() const = 0;
    // Palette entries stored R, G, B, A rather than B, G, R, A.
    virtual bool StoresRgbaPalette() const = 0;
    // Whether the picture area and Export / Import through the image library show the first
    // stored row of an uncompressed level on top (rather than at the bottom). This is the
    // stored view, not the game picture below.
    virtual bool ShowsFirstRowOnTop() const = 0;

    // The game picture: each level as the platform's games draw it. Its texels (palette
    // indices for the palette kinds, else the kind's texel bytes) run row after row from the
    // top; blocks stay as stored, running from the top on every platform. `index` 0 is the
    // first level. Row order, swizzling and palette order are the layout's business: callers
    // only ever see the game picture. Empty when the stored bytes cannot be read in that order
    // (a swizzled level whose sides are not powers of two, or bytes that do not fit).
    virtual std::vector<std::uint8_t> GameLevel(const TextureRecord& record, std::size_t index,
                                                const LevelTexels& stored) const;
    // The reverse: level `index` in game order put into the order the record stores it in.
    virtual std::vector<std::uint8_t> StoredLevel(const TextureRecord& record, std::size_t index,
                                                  const LevelTexels& game) const;
    // The palette the game picture's indices name: entries B, G, R, A, alpha 0 to 255.
    virtual std::vector<std::uint8_t> GamePalette(const TextureRecord& record) const;
    // The reverse: such a palette as the record keeps it.
    virtual std::vector<std::uint8_t> StoredPalette(const TextureRecord& record,
                                                    std::span<const std::uint8_t> game) const;
    // The orders of a texture just read (`record.order`, `record.firstLevelOrder`), judged
    // from its texels where the platform stores more than one.
    virtual void JudgeOrder(TextureRecord& record) const;
    // The order the platform's games read, given to every texture the program makes.
    virtual TexelOrder GameReadyOrder(const TextureRecord& record) const;
    // Whether Swizzle All and Unswizzle All move first levels of this platform between row
    // order and Morton order.
    virtual bool SwizzlesInMortonOrder() const;
    // The longest side the platform's games take.
    virtual std::uint32_t MaximumSide() const = 0;
    // Whether the platform can hold a texture of the record's kind (with its fields set for
    // this platform).
    virtual bool HoldsKind(const TextureRecord& record) const;
    // Whether a texture of the record's kind needs sides that are powers of two (to be
    // swizzled).
    virtual bool NeedsPowerOfTwoSides(const TextureRecord& record) const;
    virtual std::uint64_t FreshBlockSize(const TextureRecord& record) const = 0;
    // The size of the block WriteFreshBlock writes for `texture` in a dictionary whose chunks
    // carry `version`, for layouts whose blocks depend on the name's length or the version.
    virtual std::uint64_t FreshBlockSizeIn(const TextureEntry& texture,
                                           std::uint32_t /*version*/) const {
        return FreshBlockSize(texture.record);
    }
    // The whole block of a texture laid out anew, ending with its extension chunk.
    virtual void WriteFreshBlock(const TextureEntry& texture, std::uint32_t version,
                                 const std::string& fileName, const DictionarySink& sink) const = 0;
    // Whether the layout holds textures of `kind` (every kind but 4-bit indices unless it says
    // otherwise).
    virtual bool Holds(TextureKind kind) const;
    // A record moved here from another platform, in a kind the layout holds, made to fit the
    // layout's own rules where that loses nothing the platform could show (levels past its
    // chain dropped); the reason it cannot be held, or "" when it can.
    virtual std::string Adopt(TextureRecord& /*record*/) const { return {}; }
    // The levels of a full chain of a texture of these sides (down to 1 x 1 unless the layout
    // says otherwise).
    virtual std::uint32_t FullChain(std::uint32_t width, std::uint32_t height) const;
    // Why the platform's games could not upload the texture as it is, or "" (no limit beyond
    // sides and levels unless the layout says otherwise).
    virtual std::string UploadLimit(const TextureRecord& /*record*/) const { return {}; }
    // Where the chunks after the texture's own data begin in its block (`block` runs from the
    // block's start to its end): behind the first struct unless the layout says otherwise.
    virtual std::uint64_t TrailingChunksAt(std::span<const std::uint8_t> block) const;
    // A layout whose records do not hold the stored bytes writes the blocks of textures not
    // laid out anew itself, from their old blocks in `original` (their size first), and such a
    // dictionary is never saved in place.
    virtual bool WritesKeptBlocks() const { return false; }
    virtual std::uint64_t KeptBlockSize(std::span<const std::uint8_t> /*original*/,
                                        const TextureEntry& /*texture*/) const {
        return 0;
    }
    virtual void WriteKeptBlock(std::span<const std::uint8_t> /*original*/,
                                const TextureEntry& /*texture*/, const std::string& /*fileName*/,
                                const DictionarySink& /*sink*/) const {}
};

const PlatformLayout& Platform5Layout();
const PlatformLayout& D3d8Layout();
const PlatformLayout& D3d9Layout();
const PlatformLayout& Ps2Layout();

// The platforms the program reads and writes, in the order they are offered: the id, the word
// txdtool's PLATFORM operands use, the name people see, and its layout (which knows the rest).
struct PlatformFacts {
    std::uint32_t id;
    std::string_view word;
    std::string_view name;
    std::string_view description;  // what sets it apart, where platforms are offered
    const PlatformLayout& (*layout)();
};
std::span<const PlatformFacts> Platforms();
const PlatformFacts* FindPlatform(std::uint32_t id);
const PlatformFacts* PlatformOfWord(std::string_view word);
// How messages name a platform: its name, or "platform ID" for one the program does not know.
std::string PlatformText(std::uint32_t id);

// Why the record's platform cannot hold a texture of its kind with these sides, naming the
// check's rule; empty when it can (and for a platform the program does not know).
std::string SidesRefusal(const TextureRecord& record, std::uint32_t width, std::uint32_t height);

// The layout of platform id `id`, or nullptr for one the program cannot read.
const PlatformLayout* FindLayout(std::uint32_t id);
// Whether Swizzle All and Unswizzle All apply to platform id `id`.
bool SwizzlesInMortonOrder(std::uint32_t id);
// The layout a record is written in (platform 5's for an id no layout has).
const PlatformLayout& LayoutOf(const TextureRecord& record);

// Whether the stored view shows a level's first stored row on top: always for
// block-compressed kinds, whose blocks run from the top on every platform, and as the layout
// says otherwise.
bool FirstRowOnTop(const TextureRecord& record);

// A level of the record's kind laid out bottom row first (as the image library's bitmaps
// are) put into the stored view's order: its rows reversed where the first stored row is
// shown on top. `level` holds `height` rows.
void PutRowsInStoredOrder(const TextureRecord& record, std::span<std::uint8_t> level,
                          std::uint32_t height);

// Palette entries with their first and third bytes exchanged (R, G, B, A <-> B, G, R, A).
std::vector<std::uint8_t> SwappedPalette(std::span<const std::uint8_t> palette);

// The D3D format word platform 9 stores for the record's kind (0 when it has none).
std::uint32_t D3dFormatFor(const TextureRecord& record);

}  // namespace tinplate
