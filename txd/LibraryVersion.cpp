// SPDX-License-Identifier: GPL-3.0-or-later
// Library version words: coding them, and stamping them on every chunk of a file.
#include "txd/LibraryVersion.h"

#include <array>
#include <charconv>

#include "fileio/ByteOrder.h"
#include "txd/BlockHeader.h"
#include "txd/DictionaryReader.h"

namespace tinplate {

namespace {

// Up to 3.1.0.0 the word is the version shifted down a byte; later ones pack it beside a build.
constexpr std::uint32_t kLastShortVersion = 0x31000;
constexpr std::uint32_t kVersionBase = 0x30000;
constexpr std::uint32_t kVersionOffset = 8;

std::optional<std::uint32_t> Number(std::string_view text, int base) {
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

bool IsContainer(std::uint32_t type) {
    return type == chunk::kDictionary || type == chunk::kTexture || type == chunk::kExtension;
}

// Stamps the chunks lying one after another from `begin` to `end`; `descend` looks into the
// known containers among them, whose children are stamped but, inside an extension, not
// looked into.
void Stamp(std::vector<std::uint8_t>& file, std::uint64_t begin, std::uint64_t end,
           std::uint32_t word, bool descend) {
    while (begin + block::kChunkHeaderSize <= end) {
        const std::uint32_t type = ReadLe32(file, begin);
        const std::uint64_t childEnd =
            begin + block::kChunkHeaderSize + ReadLe32(file, begin + block::kChunkSizeOffset);
        if (childEnd > end) {
            return;
        }
        WriteLe32(file, begin + kVersionOffset, word);
        if (descend && IsContainer(type)) {
            Stamp(file, begin + block::kChunkHeaderSize, childEnd, word, type != chunk::kExtension);
        }
        begin = childEnd;
    }
}

}  // namespace

std::uint32_t VersionWord(const LibraryVersion& v) {
    if (v.version <= kLastShortVersion) {
        return v.version >> 8;
    }
    return ((v.version - kVersionBase) & 0xFFC0) << 14 | (v.version & 0x3F) << 16 |
           v.build.value_or(kUnknownBuild);
}

LibraryVersion DecodeVersionWord(std::uint32_t word) {
    if ((word & 0xFFFF0000) == 0) {
        return {word << 8, std::nullopt};
    }
    return {kVersionBase + ((word >> 14) & 0xFFC0) + ((word >> 16) & 0x3F),
            static_cast<std::uint16_t>(word & 0xFFFF)};
}

std::string VersionText(std::uint32_t v) {
    return std::to_string(v >> 16) + "." + std::to_string((v >> 12) & 0xF) + "." +
           std::to_string((v >> 8) & 0xF) + "." + std::to_string(v & 0xFF);
}

std::optional<std::uint32_t> ParseVersionWord(const std::string& text) {
    if (text.starts_with("0x") || text.starts_with("0X")) {
        return Number(std::string_view(text).substr(2), 16);
    }
    std::array<std::uint32_t, 4> parts{};
    std::string_view rest = text;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::size_t dot = i + 1 < parts.size() ? rest.find('.') : rest.size();
        if (dot == std::string_view::npos) {
            return std::nullopt;
        }
        const auto part = Number(rest.substr(0, dot), 10);
        if (!part) {
            return std::nullopt;
        }
        parts[i] = *part;
        rest.remove_prefix(std::min(dot + 1, rest.size()));
    }
    const std::uint32_t v = parts[0] << 16 | parts[1] << 12 | parts[2] << 8 | parts[3];
    if (parts[0] != 3 || parts[1] > 15 || parts[2] > 15 || parts[3] > 63 ||
        (v <= kLastShortVersion && parts[3] != 0)) {
        return std::nullopt;
    }
    return VersionWord({v, kUnknownBuild});
}

std::uint32_t DictionaryVersionWord(std::span<const std::uint8_t> file) {
    return file.size() >= block::kChunkHeaderSize ? ReadLe32(file, kVersionOffset) : 0;
}

std::vector<std::uint8_t> WithChunkVersions(std::span<const std::uint8_t> file,
                                            std::uint32_t word) {
    std::vector<std::uint8_t> stamped(file.begin(), file.end());
    Stamp(stamped, 0, stamped.size(), word, true);
    return stamped;
}

std::vector<std::uint8_t> EmptyDictionaryBytes(std::uint32_t word) {
    BlockHeader header;
    header.Chunk(chunk::kDictionary, 4 + 2 * block::kChunkHeaderSize, word);
    header.Chunk(chunk::kStruct, 4, word);
    header.Le32(0);
    header.Chunk(chunk::kExtension, 0, word);
    return {header.bytes.begin(), header.bytes.begin() + static_cast<std::ptrdiff_t>(header.used)};
}

}  // namespace tinplate
