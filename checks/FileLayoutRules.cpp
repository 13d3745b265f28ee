// SPDX-License-Identifier: GPL-3.0-or-later
// What the reader lets pass but a strict one would refuse: chunks of other types, size words
// that disagree with what they measure, bytes after the end.
#include <cstdio>

#include "checks/LintContext.h"
#include "checks/LintRules.h"
#include "fileio/ByteOrder.h"
#include "txd/DictionaryReader.h"
#include "txd/PlatformLayout.h"

namespace tinplate {

namespace {

constexpr std::uint32_t kLevelSizeOffset = block::kPaletteOffset - 4;

std::string Hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", value);
    return text;
}

std::int64_t Signed(std::uint64_t value) {
    return static_cast<std::int64_t>(value);
}

void CheckSizeWords(const LintedTexture& texture, FindingList& findings) {
    const TextureRecord& r = texture.entry->record;
    const auto bytes = texture.block;
    // Level data is padded to whole 32-bit words.
    const std::uint64_t levels = (std::uint64_t{r.pixelSize} + r.smallerLevels.size() + 3) / 4 * 4;
    const std::uint64_t contents = r.pixelOffset - r.headerOffset + levels;
    const std::uint64_t structEnd =
        block::kStructDataOffset + std::uint64_t{ReadLe32(bytes, block::kStructSizeOffset)};
    if (ReadLe32(bytes, kLevelSizeOffset) != levels) {
        const std::uint32_t word = ReadLe32(bytes, kLevelSizeOffset);
        findings.Add(&texture, rule::kSizeRounded,
                     "the level data's size word says " + std::to_string(word) +
                         " bytes; the levels take " + std::to_string(levels) +
                         " with the padding to 4 bytes",
                     {{"stated", word}, {"needed", Signed(levels)}});
    } else if (structEnd != contents) {
        findings.Add(&texture, rule::kSizeRounded,
                     "the struct chunk's size word says " +
                         std::to_string(structEnd - block::kStructDataOffset) +
                         " bytes; its contents take " +
                         std::to_string(contents - block::kStructDataOffset),
                     {{"stated", Signed(structEnd - block::kStructDataOffset)},
                      {"needed", Signed(contents - block::kStructDataOffset)}});
    }
}

// The chunks after the struct, as far as they are extensions.
void CheckTrailingChunks(const LintedTexture& texture, FindingList& findings) {
    const auto bytes = texture.block;
    std::uint64_t at = LayoutOf(texture.entry->record).TrailingChunksAt(bytes);
    while (at < bytes.size()) {
        if (at + block::kChunkHeaderSize > bytes.size() ||
            at + block::kChunkHeaderSize + ReadLe32(bytes, at + 4) > bytes.size()) {
            findings.Add(
                &texture, rule::kUnknownChunk,
                std::to_string(bytes.size() - at) + " bytes at the end of its block form no chunk",
                {{"bytes", Signed(bytes.size() - at)}});
            return;
        }
        if (ReadLe32(bytes, at) != chunk::kExtension) {
            findings.Add(
                &texture, rule::kUnknownChunk,
                "its block holds a chunk of type " + Hex(ReadLe32(bytes, at)) + " after its struct",
                {{"type", ReadLe32(bytes, at)}});
            return;
        }
        at += block::kChunkHeaderSize + ReadLe32(bytes, at + 4);
    }
}

}  // namespace

void CheckBlockLayout(const LintedTexture& texture, FindingList& findings) {
    if (texture.block.empty()) {
        return;
    }
    const auto bytes = texture.block;
    const std::uint32_t blockType = ReadLe32(bytes, 0);
    const std::uint32_t structType = ReadLe32(bytes, block::kChunkHeaderSize);
    if (blockType != chunk::kTexture || structType != chunk::kStruct) {
        const bool outer = blockType != chunk::kTexture;
        findings.Add(&texture, rule::kUnknownChunk,
                     std::string(outer ? "its block" : "its header") + " is a chunk of type " +
                         Hex(outer ? blockType : structType) + ", not " +
                         (outer ? "a texture" : "a struct"),
                     {{"type", outer ? blockType : structType}});
    }
    // Layouts without a size word per level keep one in front of all levels; the others'
    // reader checks theirs.
    if (LayoutOf(texture.entry->record).LevelWordBytes() == 0) {
        CheckSizeWords(texture, findings);
    }
    CheckTrailingChunks(texture, findings);
}

void CheckDictionaryEnd(std::span<const std::uint8_t> file, FindingList& findings) {
    if (file.size() < block::kDictionaryHeaderSize) {
        return;
    }
    std::uint64_t at = block::kDictionaryHeaderSize;
    for (std::uint32_t i = 0; i < ReadLe16(file, block::kCountOffset); ++i) {
        if (at + block::kChunkHeaderSize > file.size()) {
            return;
        }
        at += block::kChunkHeaderSize + ReadLe32(file, at + block::kChunkSizeOffset);
    }
    if (at + block::kChunkHeaderSize <= file.size() && ReadLe32(file, at) == chunk::kExtension &&
        at + block::kChunkHeaderSize + ReadLe32(file, at + 4) <= file.size()) {
        at += block::kChunkHeaderSize + ReadLe32(file, at + 4);
    }
    if (at > file.size()) {
        return;
    }
    const std::uint64_t trailing = file.size() - at;
    if (trailing > 0) {
        findings.Add(nullptr, rule::kTrailingBytes,
                     std::to_string(trailing) + " bytes follow the dictionary's last chunk",
                     {{"bytes", Signed(trailing)}});
    }
    const std::uint64_t stated =
        block::kChunkHeaderSize + std::uint64_t{ReadLe32(file, block::kChunkSizeOffset)};
    if (stated != at && !(trailing > 0 && stated == file.size())) {
        findings.Add(nullptr, rule::kSizeRounded,
                     "the dictionary's size word says " +
                         std::to_string(stated - block::kChunkHeaderSize) +
                         " bytes; its chunks take " + std::to_string(at - block::kChunkHeaderSize),
                     {{"stated", Signed(stated - block::kChunkHeaderSize)},
                      {"needed", Signed(at - block::kChunkHeaderSize)}});
    }
}

}  // namespace tinplate
